#pragma once

#include "core/outcome.h"
#include "core/table.h"

#include "logic/document_line.h"

#include <QString>
#include <QStringList>

#include <optional>

class Database;

// A stock count: lines of product, stock in the database, counted stock and
// note, stored as one "KS-" document whose lines set each product's stock to
// the count. Corrections are numbered in itemkoreksi, apart from transaksi.
//
// The list holds either lines being entered or a stored document (just saved,
// or shown from the month tree). A stored list is never stored again: the
// next line added starts a new correction.
class StockCorrection final
{
public:
    enum Column { Code, Name, DbStock, RealStock, Note, ColumnCount };

    struct Found {
        QString name;
        QString stock;
    };

    // A line of the count; both stocks in plain decimal.
    struct Line {
        QString code;
        QString name;
        Figure dbStock;
        Figure realStock;
        QString note;
    };

    explicit StockCorrection(Database& db);

    const QList<Line>& lines() const { return m_lines; }
    // The lines under the list's captions, in column order.
    Table table() const;
    // The list shows a stored correction.
    bool isStored() const { return m_stored; }

    // The product with `code`, remembered as the one a line may be added
    // for; empty when none has it.
    Outcome<std::optional<Found>> lookup(const QString& code);

    // Appends a line from the five boxes, in the list's column order. Refused
    // unless the code is the product the last lookup found, and unless both
    // stocks are plain numbers (the reason names the box).
    Outcome<> addLine(const QStringList& boxes);

    // "Tambah Koreksi": an empty list for a new correction.
    void startNew();

    // Shows the stored correction `code`, its lines by product code.
    Outcome<> show(const QString& code);

    // Stores the lines under the next "KS-" code, dated `date`, in one
    // transaction, and sets each product's stock to its count. Gives the code.
    // Refused for an empty list and for a list stored already.
    Outcome<QString> save(const QString& date, const QString& operatorName);

    // The codes of the corrections dated in `month` ("yyyy-MM").
    static Outcome<QStringList> codesOfMonth(Database& db, const QString& month);

    // Deletes the lines of correction `code`; the stock stays as it was set.
    static Outcome<> remove(Database& db, const QString& code);

private:
    Database& m_db;
    QList<Line> m_lines;
    QString m_found;
    bool m_stored = false;
};

#pragma once

#include "core/app_context.h"
#include "core/table_model.h"

#include <QString>

#include <optional>

class Database;

// A product as the cashier's lookup finds it: the price is the selling
// price on the sales side and the cost price on the purchase side.
struct CartProduct
{
    QString name;
    QString unit;
    QString price;
    QString discount;
    QString tiers;
};

// Looks `code` up exactly (not by barcode). Empty when no product has it or
// the query failed (the database has then said why).
std::optional<CartProduct> findProduct(Database& db, Side side, const QString& code);

// The lines of the transaction on a cashier screen, the entry row in which a
// line is prepared, and the totals block, all kept as the texts the screen
// shows. Every figure is read back with the lenient text-to-number rule and
// written in plain decimal; totals are whole numbers, rounded half to even
// after every addition. Quantity price tiers apply on the sales side only.
class Cart final
{
public:
    enum Column { Code, Name, Quantity, Unit, Price, Discount, Amount, Tiers, ColumnCount };

    struct Entry
    {
        QString code;
        QString name;
        QString quantity;
        QString unit = QStringLiteral("0");
        QString price = QStringLiteral("0");
        QString discount = QStringLiteral("0");
        QString amount = QStringLiteral("0");
    };

    struct Totals
    {
        QString gross = QStringLiteral("0");
        QString discountPercent = QStringLiteral("0");
        QString discountAmount = QStringLiteral("0");
        QString net = QStringLiteral("0");
        QString paid = QStringLiteral("0");
        QString change = QStringLiteral("0");
        QString changeCaption;
        bool paidCovers = false; // colours of the change field
        QString bigFigure = QStringLiteral("0");
        QString words;
    };

    // What taking a code did, so the screen knows where the focus goes.
    enum class Taken { Nothing, EntryFilled, LineAdded, LineIncreased };

    Cart(Database& db, Side side);

    Side side() const { return m_side; }
    TableModel& lines() { return m_lines; }
    const TableModel& lines() const { return m_lines; }
    const Entry& entry() const { return m_entry; }
    const Totals& totals() const { return m_totals; }
    const QString& tierText() const { return m_tierText; }
    const QString& editingCode() const { return m_editingCode; }
    int scanQuantity() const { return m_scanQuantity; }

    bool barcodeMode() const { return m_barcodeMode; }
    void setBarcodeMode(bool on) { m_barcodeMode = on; }

    // A new text in the product code box (typed, scanned or set by a lookup).
    Taken takeCode(const QString& code);
    void setName(const QString& name) { m_entry.name = name; }
    void setUnit(const QString& unit) { m_entry.unit = unit; }
    void setQuantity(const QString& quantity);
    void setPrice(const QString& price);
    void setDiscount(const QString& discount);
    void setAmount(const QString& amount) { m_entry.amount = amount; }

    // Adds the entry row as a new line, or writes it back over the line last
    // loaded for change. False (and nothing done) while the code box holds
    // no product: empty, or a code that found nothing (the row would show
    // the previous product under a code that is not its own).
    bool commitEntry();
    // Loads a line into the entry row for change (barcode mode off only).
    bool loadLine(int row);

    void setDiscountPercent(const QString& percent);
    void setPaid(const QString& paid);
    // F11: the whole net total is paid.
    void payInFull() { setPaid(m_totals.net); }

    // A new transaction: no lines, empty entry row, totals "0".
    void reset();

private:
    void fillEntry(const CartProduct& product);
    void updateAmount();
    void recalculate();
    void applyDiscountAndPayment(bool payment);
    void writeLine(int row);

    Database& m_db;
    Side m_side;
    TableModel m_lines;
    Entry m_entry;
    Totals m_totals;
    bool m_barcodeMode = false;
    QString m_tierText;
    QString m_editingCode;
    QString m_foundCode; // the code whose product fills the entry row
    int m_editingRow = -1;
    int m_scanQuantity = 0;
    QString m_tierDiscount;
};

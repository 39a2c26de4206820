#include "logic/cash_book.h"

#include "core/database.h"
#include "core/numbering.h"
#include "core/shop_upgrade.h"
#include "core/text_ops.h"
#include "logic/amount_words.h"

#include <QDate>

#include <cmath>

namespace cashbook {

namespace {

const QLatin1StringView moneyIn("Masuk");
const QLatin1StringView moneyOut("Keluar");

QString dayText(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

QString previousMonth(int year, int month)
{
    return QDate(year, month, 1).addMonths(-1).toString(QStringLiteral("yyyy-MM"));
}

QList<Table::Column> columns()
{
    const Qt::Alignment left = Qt::AlignLeft, right = Qt::AlignRight;
    return {{QStringLiteral("Tanggal"), left}, {QStringLiteral("Kode"), left},
            {QStringLiteral("Uraian"), left},  {QStringLiteral("Masuk"), right},
            {QStringLiteral("Keluar"), right}, {QStringLiteral("Saldo"), right}};
}

Outcome<Table> load(Database& db, int year, int month)
{
    Table book{columns(), {}};
    const QDate first(year, month, 1);
    const QString previousEnd = dayText(first.addDays(-1));
    // Both sums in one pass over the cash index: the amounts are read from
    // it, the table is not touched.
    const QString cashMoved = shopfile::cashMoved(db);
    const Outcome<QString> opening =
        db.value(QStringLiteral("select coalesce(sum(case when Ref='Masuk' then ") + cashMoved +
                     QStringLiteral(" else -(") + cashMoved +
                     QStringLiteral(") end), 0) from transaksi where Ref in ('Masuk','Keluar') and "
                                    "Tanggal between '1900-01-01' and ?"),
                 {previousEnd});
    if (!opening)
        return opening.failure();
    double balance = text::textToNumber(*opening);
    book.rows.append({dayText(first), QStringLiteral("SLD"),
                      QStringLiteral("Saldo Bulan : ") + previousMonth(year, month),
                      QStringLiteral("0"), QStringLiteral("0"), text::numberToText(balance)});

    const Outcome<QList<QStringList>> moved = db.select(
        QStringLiteral("select Tanggal, Kode, Ket, Ref, cash from (select ") + db.storedOrder() +
            QStringLiteral(" as r, Tanggal, Kode, Ket, Ref, ") + cashMoved +
            QStringLiteral(
                " as cash from transaksi where Tanggal between ? and ?) as moved where cash>0 "
                "order by Tanggal, r"),
        {dayText(first), dayText(first.addMonths(1).addDays(-1))});
    if (!moved)
        return moved.failure();
    for (const QStringList& row : *moved) {
        const double cash = text::textToNumber(row[4]);
        const double in = row[3] == moneyIn ? cash : 0;
        const double out = row[3] == moneyOut ? cash : 0;
        balance += in > 0 ? in : -out;
        book.rows.append({row[0], row[1], row[2], text::numberToText(in), text::numberToText(out),
                          text::numberToText(balance)});
    }
    return book;
}

double lastBalance(const QStringList& lastRow)
{
    return text::roundHalfEven(text::textToNumber(lastRow.value(Balance)));
}

QString partyPhrase(const Entry& entry)
{
    return (entry.flow == Flow::In ? QStringLiteral("Terima dari ")
                                   : QStringLiteral("Dibayar Kepada ")) +
           entry.party;
}

Outcome<QString> store(Database& db, const Entry& entry)
{
    const Outcome<double> cash =
        amount::typed(text::textToNumber(entry.amount), QStringLiteral("Jumlah kas"));
    if (!cash)
        return cash.failure();
    Database::Transaction transaction(db);
    if (!transaction.active())
        return db.failure();
    const Outcome<QString> next = numbering::nextCode(
        db, entry.flow == Flow::In ? QStringLiteral("KM") : QStringLiteral("KK"));
    if (!next)
        return next.failure();
    const QString code = *next;
    if (!db.exec(QStringLiteral("insert into transaksi (Kode, Ref, Tanggal, KodeSP, Tunai, "
                                "Operator, Nota, Ket) values (?, ?, ?, '-', ?, ?, ?, ?)"),
                 {code, entry.flow == Flow::In ? QString(moneyIn) : QString(moneyOut), entry.date,
                  text::storedNumber(*cash), entry.operatorName, entry.purpose,
                  partyPhrase(entry)}))
        return db.failure();
    if (!transaction.commit())
        return db.failure();
    return code;
}

QStringList row(const Entry& entry, const QString& code, double balance)
{
    const double amount = text::textToNumber(entry.amount);
    const QString shown = text::numberToText(amount);
    const bool in = entry.flow == Flow::In;
    return {entry.date,
            code,
            partyPhrase(entry),
            in ? shown : QStringLiteral("0"),
            in ? QStringLiteral("0") : shown,
            text::numberToText(in ? balance + amount : balance - amount)};
}

vouchers::Voucher voucher(const Entry& entry, const QString& code)
{
    return {code,
            entry.party,
            entry.purpose,
            text::wholeNumber(text::textToNumber(entry.amount)),
            QStringLiteral("-"),
            QString(vouchers::receiverCashEntry)};
}

} // namespace cashbook

#include "core/table_model.h"
#include "documents/cash_book.h"
#include "support/test_shop.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

// The cash book of a month and the cash entries, on the test clock (March 2024).
class TestCashBook final : public QObject
{
    Q_OBJECT
private slots:
    void monthsCarryTheBalance();
    void entriesAreStoredAndCarriedOn();
};

namespace {

// The documents of tests/data/cash_history.txt, empty texts stored as
// they are, as an old entry left them.
void storeHistory(Database& db)
{
    QFile file(QFINDTESTDATA("../data/cash_history.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QStringList f = line.split(u'|');
        if (f.size() == 6)
            QVERIFY(db.exec(
                u"insert into transaksi (Kode, Ref, Tanggal, Tunai, Jumlah, "
                "Potongan, Ket) values (?, ?, ?, ?, nullif(?, ''), nullif(?, ''), ?)"_s,
                {f[0], f[1], f[2], f[3], f[4], f[5], QString(u"uraian "_s + f[0].left(2))}));
    }
}

QString shown(const TableModel& book)
{
    QStringList rows;
    for (int row = 0; row < book.rowCount(); ++row)
        rows.append(book.row(row).join(u'|'));
    return rows.join(u'\n');
}

} // namespace

void TestCashBook::monthsCarryTheBalance()
{
    // 0, -5 and the empty amount are not listed in January, yet -5 counts in
    // February; February ends on the 29th.
    TestShop shop;
    storeHistory(shop.db());
    QFile expected(QFINDTESTDATA("../data/cash_book_months.txt"));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    const QStringList months = QString::fromUtf8(expected.readAll()).trimmed().split(u"\n\n"_s);
    for (int month = 1; month <= 3; ++month) {
        TableModel model;
        QVERIFY(cashbook::load(shop.db(), 2024, month, model));
        QCOMPARE(shown(model), months[month - 1]);
    }
}

void TestCashBook::entriesAreStoredAndCarriedOn()
{
    TestShop shop;
    Database& db = shop.db();
    storeHistory(db);
    TableModel book;
    QVERIFY(cashbook::load(db, 2024, 1, book));
    const cashbook::Entry in{cashbook::Flow::In, u"2024-03-07"_s, u"TOKO 'A'"_s,
                             u"Sewa"_s,          u"250"_s,        u"kasir"_s};
    const cashbook::Entry out{cashbook::Flow::Out, u"2024-03-07"_s, u"B"_s, u"-"_s, {}, u"kasir"_s};
    for (const cashbook::Entry& entry : {in, out}) {
        const auto code = cashbook::store(db, entry);
        QVERIFY(code);
        book.appendRow(cashbook::row(entry, *code, cashbook::lastBalance(book)));
    }
    QCOMPARE(shown(book).section(u'\n', -2),
             u"2024-03-07|KM-00000000000013|Terima dari TOKO 'A'|250|0|2050\n"
             "2024-03-07|KK-00000000000014|Dibayar Kepada B|0|0|2050"_s);
    QStringList stored;
    db.query(u"select Kode, Ref, KodeSP, Tunai, typeof(Tunai), Operator, Nota, Ket from "
             "transaksi where Tanggal='2024-03-07' order by Kode"_s,
             {}, [&](const QStringList& row) { stored.append(row.join(u'|')); });
    QCOMPARE(stored,
             (QStringList{u"KK-00000000000014|Keluar|-|0|integer|kasir|-|Dibayar Kepada B"_s,
                          u"KM-00000000000013|Masuk|-|250|integer|kasir|Sewa|Terima dari "
                          "TOKO 'A'"_s}));

    // The voucher's amount is clamped into 32 bits.
    cashbook::Entry large = in;
    large.amount = u"12345678901234567890"_s;
    const vouchers::Voucher voucher = cashbook::voucher(large, u"KM-1"_s);
    QCOMPARE(voucher.amount, 2147483647);
    QCOMPARE(voucher.purpose2 + voucher.receiver, u"-"_s + QString(25, u'_'));
}

QTEST_GUILESS_MAIN(TestCashBook)
#include "test_cash_book.moc"

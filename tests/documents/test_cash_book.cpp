#include "core/table_model.h"
#include "documents/cash_book.h"
#include "support/test_shop.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The cash book of a month and the cash entries, on the test clock (March 2024).
class TestCashBook final : public QObject
{
    Q_OBJECT
private slots:
    void monthsCarryTheBalance_data();
    void monthsCarryTheBalance();
    void entriesAreStoredAndCarriedOn();
};

namespace {

// Documents from December to March: Kode, Ref, Tanggal, Tunai, Jumlah, Potongan.
// The last one is stored last but dated earlier.
const char* const history[] = {
    "KM-00000000000001|Masuk|2023-12-31|1000||",
    "JL-00000000000002|Masuk|2023-12-31|1000|600|100", // 500 change given
    "KM-00000000000003|Masuk|2024-01-05|0||",          "KK-00000000000004|Keluar|2024-01-06|-5||",
    "JL-00000000000005|Masuk|2024-01-10|300|1000|0", // on credit
    "RJ-00000000000006|Keluar|2024-01-11|500|0|",    // all of it went to open debts
    "RB-00000000000007|Masuk|2024-01-12|400|150|",   // 150 refunded
    "KK-00000000000008|Keluar|2024-01-15|200||",
    "KM-00000000000009|Masuk|2024-01-20|||", // an empty amount
    "PI-00000000000010|Masuk|2024-02-29|70||",         "HU-00000000000011|Keluar|2024-03-01|30||",
    "KM-00000000000012|Masuk|2024-01-08|50||",
};

void storeHistory(Database& db)
{
    for (const char* line : history) {
        const QStringList f = QString::fromLatin1(line).split(u'|');
        // Empty texts are stored as they are, as an old entry left them.
        QVERIFY(
            db.exec(u"insert into transaksi (Kode, Ref, Tanggal, Tunai, Jumlah, Potongan, "
                    "Ket) values (?, ?, ?, ?, ?, ?, ?)"_s,
                    {f[0], f[1], f[2], f[3], f[4].isEmpty() ? QVariant() : f[4],
                     f[5].isEmpty() ? QVariant() : f[5], QString(u"uraian "_s + f[0].left(2))}));
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

void TestCashBook::monthsCarryTheBalance_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("book");
    QTest::newRow("January opens with December")
        << 1
        << u"2024-01-01|SLD|Saldo Bulan : 2023-12|0|0|1500\n"
           "2024-01-08|KM-00000000000012|uraian KM|50|0|1550\n"
           "2024-01-10|JL-00000000000005|uraian JL|300|0|1850\n"
           "2024-01-12|RB-00000000000007|uraian RB|150|0|2000\n"
           "2024-01-15|KK-00000000000008|uraian KK|0|200|1800"_s;
    // 0, -5 and the empty amount are not listed in January, yet -5 counts.
    QTest::newRow("February ends on the 29th")
        << 2
        << u"2024-02-01|SLD|Saldo Bulan : 2024-01|0|0|1805\n"
           "2024-02-29|PI-00000000000010|uraian PI|70|0|1875"_s;
    QTest::newRow("March opens with the 29th")
        << 3
        << u"2024-03-01|SLD|Saldo Bulan : 2024-02|0|0|1875\n"
           "2024-03-01|HU-00000000000011|uraian HU|0|30|1845"_s;
}

void TestCashBook::monthsCarryTheBalance()
{
    QFETCH(int, month);
    QFETCH(QString, book);
    TestShop shop;
    storeHistory(shop.db());
    TableModel model;
    QVERIFY(cashbook::load(shop.db(), 2024, month, model));
    QCOMPARE(shown(model), book);
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
    db.query(u"select Kode, Ref, Tanggal, KodeSP, Tunai, typeof(Tunai), Operator, Nota, Ket "
             "from transaksi where Tanggal='2024-03-07' order by Kode"_s,
             {}, [&](const QStringList& row) { stored.append(row.join(u'|')); });
    QCOMPARE(
        stored,
        (QStringList{u"KK-00000000000014|Keluar|2024-03-07|-|0|integer|kasir|-|Dibayar Kepada B"_s,
                     u"KM-00000000000013|Masuk|2024-03-07|-|250|integer|kasir|Sewa|Terima dari "
                     "TOKO 'A'"_s}));

    // A failed insert stores nothing and numbers nothing away.
    QVERIFY(db.exec(u"create trigger refuse before insert on transaksi "
                    "begin select raise(abort, 'ditolak'); end"_s));
    QVERIFY(!cashbook::store(db, in));
    QCOMPARE(db.scalar(u"select count(*) from transaksi"_s), u"14"_s);

    // The voucher's amount is clamped into 32 bits.
    cashbook::Entry large = in;
    large.amount = u"12345678901234567890"_s;
    const vouchers::Voucher voucher = cashbook::voucher(large, u"KM-1"_s);
    QCOMPARE(voucher.amount, 2147483647);
    QCOMPARE(voucher.purpose2 + voucher.receiver, u"-"_s + QString(25, u'_'));
}

QTEST_GUILESS_MAIN(TestCashBook)
#include "test_cash_book.moc"

#include "core/database.h"
#include "master/stock_correction.h"
#include "support/test_shop.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Stock counts: what a correction stores and does to the stock, what it
// refuses, and that a stored correction is never stored twice.
class TestStockCorrection final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_shop.reset(); }
    void countSetsTheStock_data();
    void countSetsTheStock();
    void linesRefused_data();
    void linesRefused();
    void storedOnce();
    void failureStoresNothing();

private:
    Database& db() { return m_shop->db(); }
    // Adds a line for `code` as the screen does: a lookup, then the boxes.
    Outcome<> add(StockCorrection& correction, const QString& code, const QString& real,
                  const QString& note = {});
    QString stored(const QString& sql) { return db().scalar(u"select "_s + sql); }

    std::unique_ptr<TestShop> m_shop;
};

void TestStockCorrection::init()
{
    m_shop = std::make_unique<TestShop>();
    QVERIFY2(m_shop->error().isEmpty(), qPrintable(m_shop->error()));
    m_shop->context().user = u"kasir"_s;
    QVERIFY(db().exec(u"insert into barang (kode, nama, stock) values ('111', 'Sabun', 10), "
                      "('222', 'Kopi ''Kapal''', 4), ('333', 'Teh', 2.5)"_s));
}

Outcome<> TestStockCorrection::add(StockCorrection& correction, const QString& code,
                                   const QString& real, const QString& note)
{
    const auto found = correction.lookup(code);
    return correction.addLine(
        {code, found ? found->name : QString(), found ? found->stock : u"0"_s, real, note});
}

void TestStockCorrection::countSetsTheStock_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("real");
    QTest::addColumn<QString>("sold"); // taken off the stock after the line was entered
    QTest::addColumn<QString>("difference");
    QTest::addColumn<QString>("stock");
    QTest::newRow("fewer on the shelf") << u"111"_s << u"7"_s << u"0"_s << u"-3"_s << u"7"_s;
    QTest::newRow("more on the shelf") << u"222"_s << u"9"_s << u"0"_s << u"5"_s << u"9"_s;
    QTest::newRow("part of a unit") << u"333"_s << u"2"_s << u"0"_s << u"-0.5"_s << u"2"_s;
    // The count is what is there; a sale between entering and saving does not move it.
    QTest::newRow("sold meanwhile") << u"111"_s << u"7"_s << u"2"_s << u"-3"_s << u"7"_s;
}

void TestStockCorrection::countSetsTheStock()
{
    QFETCH(QString, code);
    QFETCH(QString, real);
    QFETCH(QString, sold);
    QFETCH(QString, difference);
    QFETCH(QString, stock);
    StockCorrection correction(db());
    QVERIFY(add(correction, code, real, u"rak 'atas'"_s));
    QVERIFY(db().exec(u"update barang set stock=stock-? where kode=?"_s, {sold, code}));
    const Outcome<QString> saved = correction.save(u"2024-03-07"_s, u"kasir"_s);
    QVERIFY(saved);
    QCOMPARE(*saved, u"KS-00000000000001"_s);
    QCOMPARE(stored(u"group_concat(Tanggal||'|'||KodeBarang||'|'||NamaBarang||'|'||QtyReal||'|'"
                    "||SelisihQty||'|'||Keterangan||'|'||Operator) from itemkoreksi"_s),
             u"2024-03-07|"_s + code + u'|' + correction.lines().cell(0, 1) + u'|' + real + u'|' +
                 difference + u"|rak 'atas'|kasir");
    QCOMPARE(stored(u"stock from barang where kode='"_s + code + u'\''), stock);
    QCOMPARE(stored(u"typeof(stock) from barang where kode='"_s + code + u'\''),
             stock.contains(u'.') ? u"real"_s : u"integer"_s);
}

void TestStockCorrection::linesRefused_data()
{
    QTest::addColumn<QString>("lookedUp"); // the code the lookup was given
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("reason");
    const QString missing = u"Kode barang \"%1\" tidak ditemukan."_s;
    QTest::newRow("code of no product")
        << u"999"_s << QStringList{u"999"_s, u"Sabun"_s, u"10"_s, u"7"_s, {}}
        << missing.arg(u"999");
    QTest::newRow("code changed after the lookup")
        << u"111"_s << QStringList{u"1112"_s, u"Sabun"_s, u"10"_s, u"7"_s, {}}
        << missing.arg(u"1112");
    QTest::newRow("letters in the count")
        << u"111"_s << QStringList{u"111"_s, u"Sabun"_s, u"10"_s, u"7a"_s, {}}
        << u"Real Stock bukan angka: \"7a\""_s;
    QTest::newRow("20 digits")
        << u"111"_s << QStringList{u"111"_s, u"Sabun"_s, u"10"_s, u"12345678901234567890"_s, {}}
        << u"Real Stock melebihi 1000000000000"_s;
    QTest::newRow("pasted database stock")
        << u"111"_s << QStringList{u"111"_s, u"Sabun"_s, u"sepuluh"_s, u"7"_s, {}}
        << u"Stock DB bukan angka: \"sepuluh\""_s;
}

void TestStockCorrection::linesRefused()
{
    QFETCH(QString, lookedUp);
    QFETCH(QStringList, boxes);
    QFETCH(QString, reason);
    StockCorrection correction(db());
    (void)correction.lookup(lookedUp);
    const Outcome<> added = correction.addLine(boxes);
    QVERIFY(!added);
    QCOMPARE(added.reason(), reason);
    QCOMPARE(correction.lines().rowCount(), 0);
}

void TestStockCorrection::storedOnce()
{
    StockCorrection correction(db());
    const Outcome<QString> empty = correction.save(u"2024-03-07"_s, u"kasir"_s);
    QCOMPARE(empty.reason(), u"Belum ada item barang yang dikoreksi."_s);

    QVERIFY(add(correction, u"111"_s, u"7"_s));
    QVERIFY(correction.save(u"2024-03-07"_s, u"kasir"_s));
    QVERIFY(db().exec(u"update barang set stock=5 where kode='111'"_s));
    const QString again = u"Koreksi ini sudah tersimpan. Tambah item barang untuk koreksi baru."_s;
    QCOMPARE(correction.save(u"2024-03-07"_s, u"kasir"_s).reason(), again);

    // A correction shown from the tree is stored already too.
    StockCorrection shown(db());
    QVERIFY(shown.show(u"KS-00000000000001"_s));
    QCOMPARE(shown.lines().row(0).join(u'|'), u"111|Sabun|10|7|"_s);
    QCOMPARE(shown.save(u"2024-03-07"_s, u"kasir"_s).reason(), again);
    QCOMPARE(stored(u"count(*) || '|' || max(Kode) from itemkoreksi"_s), u"1|KS-00000000000001"_s);
    QCOMPARE(stored(u"stock from barang where kode='111'"_s), u"5"_s);

    // The next line starts a new correction with its own code.
    QVERIFY(add(shown, u"222"_s, u"3"_s));
    QCOMPARE(shown.lines().rowCount(), 1);
    const Outcome<QString> next = shown.save(u"2024-03-08"_s, u"kasir"_s);
    QVERIFY(next);
    QCOMPARE(*next, u"KS-00000000000002"_s);
    // Deleting a correction keeps the stock it set.
    QVERIFY(StockCorrection::remove(db(), u"KS-00000000000001"_s));
    QCOMPARE(stored(u"group_concat(Kode)||'|'||(select group_concat(stock) from barang) "
                    "from itemkoreksi"_s),
             u"KS-00000000000002|5,3,2.5"_s);
}

void TestStockCorrection::failureStoresNothing()
{
    QVERIFY(db().exec(u"create trigger refuse before update of stock on barang "
                      "when new.kode='222' begin select raise(abort, 'stok dikunci'); end"_s));
    StockCorrection correction(db());
    QVERIFY(add(correction, u"111"_s, u"7"_s));
    QVERIFY(add(correction, u"222"_s, u"1"_s));
    QVERIFY(!correction.save(u"2024-03-07"_s, u"kasir"_s));
    QCOMPARE(m_shop->messages.lastText(), u"SQL error: stok dikunci"_s);
    QCOMPARE(stored(u"count(*) from itemkoreksi"_s), u"0"_s);
    QCOMPARE(stored(u"stock from barang where kode='111'"_s), u"10"_s);

    // Tried again once the cause is gone: stored whole, under the first code.
    QVERIFY(db().exec(u"drop trigger refuse"_s));
    const Outcome<QString> saved = correction.save(u"2024-03-07"_s, u"kasir"_s);
    QVERIFY(saved);
    QCOMPARE(*saved, u"KS-00000000000001"_s);
    QCOMPARE(stored(u"group_concat(stock) from barang where kode in ('111', '222')"_s), u"7,1"_s);
}

QTEST_GUILESS_MAIN(TestStockCorrection)
#include "test_stock_correction.moc"

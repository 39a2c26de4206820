#include "core/shop_upgrade.h"
#include "core/startup.h"
#include "logic/product_search.h"
#include "logic/products.h"
#include "logic/shop_database.h"
#include "support/test_shop.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The product searches of cashiers and master, with and without the index a shop file is given.
class TestProductSearch final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void sameRowsAsTheTable_data();
    void sameRowsAsTheTable();
    void indexFollowsEveryChange_data();
    void indexFollowsEveryChange();
    void everyOpenAddsTheIndexWhereItCan();
    void aPlainFileStaysPlain();

private:
    Database& db() { return m_shop->db(); }
    // The rows of the three searches for `text`, one list after the other; scanned: from the table.
    QList<QStringList> searched(const QString& text);
    QList<QStringList> scanned(const QString& text);
    std::unique_ptr<TestShop> m_shop;
};

namespace {

// What a search can get wrong: every kind of number, NULLs, what LIKE folds, wildcards, quotes.
void addAwkwardProducts(Database& db)
{
    const QVariant null;
    // A file keeps a price that is no number; a server's number column refuses it.
    const QVariant textPrice = db.isServer() ? null : QVariant(u"abc"_s);
    QList<QVariantList> rows = {
        {u"A1"_s, u"ÄPFEL Merah"_s, u"Buah"_s, 1500, 1200, u"A1"_s},
        {u"a1"_s, u"äpfel hijau"_s, u"Buah"_s, 1301.3, 1001, u"8991001"_s},
        {u"B-2"_s, u"Straße Kopi"_s, u"Minuman"_s, 2500.0, 0.5, null},
        {u"Ä5"_s, u"Diskon 50%"_s, u"Promo"_s, textPrice, -250, u"Ä5"_s},
        {u"ä6"_s, u"kode_baru"_s, null, 1e20, null, u"x_y"_s},
        {u"%1"_s, u"100%_asli"_s, u"Promo"_s, null, 99.99, u"%1"_s},
        {u"_2"_s, u"Kacang 'Garuda'"_s, u"Makanan"_s, 12500, 11000, u"_2"_s},
        {u"'q"_s, u"Roti \"Enak\""_s, u"Roti"_s, 7000, 6500, u"'q"_s},
        {u"\"d"_s, null, u"Roti"_s, 8000, null, u"\"d"_s},
        {u"zz"_s, u"🍎 Apel Fuji"_s, u"Buah"_s, 30000, 25000, u"4006381333931"_s},
        {u"10"_s, u"STRASSE"_s, u"Minuman"_s, 150, 100, u"10"_s},
        {u"9"_s, u"sabun batang"_s, u"Sabun"_s, 4000, 3200, u"9"_s}};
    // More than 500 of one kind, with codes that fall between the others.
    for (int i = 0; i < 520; ++i) {
        const QString code = QString::number(i * 7919 % 100003);
        const QString name = u"Sabun Mandi "_s + QString::number(i);
        const QString barcode = i % 2 ? code : u"899"_s + code;
        const QVariant price = i % 3 ? QVariant(i * 100) : QVariant(i + 0.25);
        rows.append({code, name, u"Sabun"_s, price, i * 75, barcode});
    }
    // Stored in an order that is not the code order.
    Database::Transaction transaction(db);
    for (qsizetype i = 0; i < rows.size(); ++i)
        QVERIFY(db.exec(u"insert into barang (kode, nama, kategori, hargajual, hpp, barcode, "
                        "stock, satuan) values (?, ?, ?, ?, ?, ?, 5, 'pcs')"_s,
                        rows.at(i * 37 % rows.size())));
    if (db.isServer()) {
        QVERIFY(transaction.commit());
        return;
    }
    // As the next start finds the shop: the index made anew over all of them.
    QVERIFY(db.exec(u"update barang_cari_status set siap = 0"_s) && transaction.commit());
    QCOMPARE(shopfile::upgrade(db).value(), QStringList{u"barang_cari"_s});
}

// The index holds exactly what the products' texts give, no token left over or missing.
bool indexWhole(Database& db)
{
    return db.exec(u"insert into barang_cari (barang_cari, rank) values ('integrity-check', 1)"_s,
                   {});
}

} // namespace

void TestProductSearch::init()
{
    m_shop = std::make_unique<TestShop>();
    QVERIFY2(m_shop->error().isEmpty(), qPrintable(m_shop->error()));
    addAwkwardProducts(db());
}

QList<QStringList> TestProductSearch::searched(const QString& text)
{
    QList<QStringList> rows;
    for (const Side side : {Side::Sales, Side::Purchase})
        rows += products::search(db(), side, text).value();
    rows += products::searchMaster(db(), text).value();
    return rows;
}

QList<QStringList> TestProductSearch::scanned(const QString& text)
{
    Database::Savepoint plain(db()); // told the index is unusable for this read only
    db().exec(u"update barang_cari_status set siap = 0"_s);
    return searched(text);
}

void TestProductSearch::sameRowsAsTheTable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("indexed"); // a piece of three characters between wildcards
    QTest::addColumn<int>("rows");     // of the three searches together
    QTest::newRow("empty: the first 500") << u""_s << false << 1500;
    QTest::newRow("two letters") << u"ap"_s << false << 3;
    QTest::newRow("more than 500, any case") << u"SABUN MANDI"_s << true << 1500;
    QTest::newRow("A to Z fold, Ä does not") << u"ÄPFEL"_s << true << 3;
    QTest::newRow("% in the text") << u"50%"_s << false << 333;
    QTest::newRow("_ between pieces") << u"Sab_n m"_s << true << 1500;
    QTest::newRow("a piece after %") << u"0%_asl"_s << true << 3;
    QTest::newRow("REAL price") << u"301.3"_s << true << 2;
    QTest::newRow("integer price") << u"1500"_s << true << 13;
    QTest::newRow("cost, purchase only") << u"99.99"_s << true << 1;
    QTest::newRow("barcode only") << u"8991001"_s << true << 3;
    QTest::newRow("category, master only") << u"Buah"_s << true << 3;
}

void TestProductSearch::sameRowsAsTheTable()
{
    QFETCH(QString, text);
    QFETCH(bool, indexed);
    QFETCH(int, rows);
    const QList<QStringList> found = searched(text);
    QCOMPARE(found.size(), rows);
    if (TestShop::onServer())
        return; // the rest is the file's own index
    QCOMPARE(found, scanned(text));
    // Without its numbering the index finds nothing: the table was read when it is empty.
    Database::Savepoint poisoned(db());
    QVERIFY(db().exec(u"delete from barang_cari_nomor"_s));
    QCOMPARE(searched(text).isEmpty(), indexed || rows == 0);
}

void TestProductSearch::indexFollowsEveryChange_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<bool>("ready"); // the index keeps up by itself until the next open
    QTest::newRow("name, price, cost, sale, code and barcode changed, one deleted")
        << QStringList{u"update barang set nama = 'Kopi Tubruk' where kode = '9'"_s,
                       u"update barang set hargajual = 999.5 where kode = 'A1'"_s,
                       u"update barang set stock = stock + 5, hpp = 7777 where kode = 'zz'"_s,
                       u"update barang set stock = stock - 1"_s,
                       u"update barang set kode = 'ZZ9' where kode = 'A1'"_s,
                       u"update barang set barcode = 'KOPI' where kode = '10'"_s,
                       u"update barang set barcode = kode where kode = 'a1'"_s,
                       // a code of four digits that is its barcode too
                       u"delete from barang where kode = '7919'"_s}
        << true;
    QTest::newRow("the master's reset, then new products")
        << QStringList{u"reset"_s, u"insert into barang (kode, nama) values ('5', 'Kopi Sabun')"_s}
        << true;
    QTest::newRow("replaced unseen")
        << QStringList{u"insert or replace into barang (kode, nama) values ('A1', 'Kopi')"_s}
        << false;
}

void TestProductSearch::indexFollowsEveryChange()
{
    if (TestShop::onServer())
        QSKIP("the shop file's own search index: file only");
    QFETCH(QStringList, statements);
    QFETCH(bool, ready);
    for (const QString& statement : statements) {
        const bool done = statement == u"reset" ? bool(products::removeAll(db(), u"admin"_s))
                                                : db().exec(statement);
        QVERIFY2(done, qPrintable(statement));
    }
    QCOMPARE(shopfile::productSearchReady(db()), ready);
    QVERIFY(!ready || indexWhole(db()));
    const QStringList texts = {u"kopi"_s, u"sabun"_s, u"999"_s, u"777"_s, u"pfel"_s};
    for (const QString& text : texts)
        QVERIFY2(searched(text) == scanned(text), qPrintable(text));
    // The next open makes an unusable index anew.
    QCOMPARE(shopfile::upgrade(db()).value(),
             ready ? QStringList() : QStringList{u"barang_cari"_s});
    QVERIFY(shopfile::productSearchReady(db()));
    QVERIFY(indexWhole(db()));
    for (const QString& text : texts)
        QVERIFY2(searched(text) == scanned(text), qPrintable(text));
}

// Start-up and Koneksi Database open a shop file the same way.
void TestProductSearch::everyOpenAddsTheIndexWhereItCan()
{
    if (TestShop::onServer())
        QSKIP("the shop file's own search index: file only");
    const QString older = m_shop->folder().filePath(u"lama.db3"_s);
    QVERIFY(shopdb::create(older, true).ok());
    // The shop's tables, their indexes and rows: the upgrade adds to them and never changes one.
    const auto own = [](Database& file) {
        return file.select(u"select type, name, sql from sqlite_master"_s).value() +
               file.select(u"select * from barang"_s).value();
    };
    Database before;
    QVERIFY(before.open(older));
    // Enough products for a build that takes a while.
    QVERIFY(before.exec(u"with recursive n(i) as (select 1 union all select i + 1 from n "
                        "where i < 2000) insert into barang (kode, nama) "
                        "select 'S' || i, 'Sabun ' || i from n"_s));
    const QList<QStringList> shop = own(before);
    before.close();
    QVERIFY(config::writeConnection(m_shop->folder(), {u"lama.db3"_s, {}, {}}));
    // The build reports as it goes, so a box keeps the screen painted.
    int reports = 0;
    const auto count = [&reports](qint64, qint64) { ++reports; };
    QVERIFY(startUp(m_shop->context(), count));
    QVERIFY(reports > 0);
    QVERIFY(shopfile::productSearchReady(db()));
    QVERIFY(indexWhole(db()));
    const QList<QStringList> after = own(db());
    for (const QStringList& kept : shop)
        QVERIFY2(after.contains(kept), qPrintable(kept.join(u'|')));
    // The next open finds it in place, quickly: no box.
    reports = 0;
    QCOMPARE(shopfile::upgrade(db(), count).value(), QStringList());
    QCOMPARE(reports, 0);

    // No cost column: the plain search stays, and what could not be made leaves nothing behind.
    Database file;
    QVERIFY(file.open(m_shop->folder().filePath(u"lain.db3"_s)));
    QVERIFY(file.execScript(
        u"create table barang (kode text primary key, nama, barcode, kategori, hargajual, stock) "
        "without rowid; create table transaksi (Kode, Ref, Tanggal, KodeSP, Jumlah, Potongan, "
        "Tunai, Piutang, Hutang); insert into barang (kode, nama) values ('b', 'Sabun'), "
        "('A', 'Sabun'), ('c', 'Sabun')"_s));
    QVERIFY(!shopfile::upgrade(file).ok());
    QCOMPARE(file.scalar(u"select count(*) from sqlite_master where name like 'barang_cari%'"_s),
             u"0"_s);
    const Outcome<QList<QStringList>> found = products::search(file, Side::Sales, u"sabun"_s);
    QVERIFY(found);
    QCOMPARE(found->size(), 3);
}

// toko-initdb --plain: the shop file as an older SQLite can write it, until --helpers.
void TestProductSearch::aPlainFileStaysPlain()
{
    if (TestShop::onServer())
        QSKIP("the shop file's own search index: file only");
    // A row in every table, some of them in the open-debt indexes.
    QVERIFY(db().execScript(
        u"insert into pelanggan (kode, nama) values ('PL-1', 'Bu ''Yati''');"
        "insert into supplier (kode, nama) values ('SP-1', 'CV Maju');"
        "insert into transaksi (Kode, KodeSP, Jumlah, Tunai, Piutang, Hutang) values "
        "('JL-00000000000001', 'PL-1', 10000, 4000, 6000, 0), "
        "('BL-00000000000002', 'SP-1', 5000.5, 0, 0, 5000.5);"
        "insert into itempenjualan (Kode, Qty) values ('JL-00000000000001', 2.5);"
        "insert into itempembelian (Kode, Qty) values ('BL-00000000000002', 1);"
        "insert into itemreturjual (Kode, Qty) values ('RJ-00000000000003', 1);"
        "insert into itemreturbeli (Kode, Qty) values ('RB-00000000000004', 1);"
        "insert into itemkoreksi (Kode, QtyReal) values ('KS-00000000000005', 3)"_s));
    // The objects the schema alone makes, and every row of its tables in their order.
    Database schemaOnly;
    const QString fresh = m_shop->folder().filePath(u"baru.db3"_s);
    QVERIFY(shopdb::create(fresh, false).ok() && schemaOnly.open(fresh));
    const QString objects = u"select type, name, tbl_name, sql from sqlite_master order by name"_s;
    // Each row after its table's name; the tables keyed by their code (without rowid) have it
    // first, the others their rowid.
    const QList<QStringList> tables =
        schemaOnly
            .select(u"select 'select ''' || name || ''', ' || iif(wr, '', 'rowid, ') || '* from ' "
                    "|| name || ' order by 2' from pragma_table_list where schema = 'main' and "
                    "type = 'table' and name not like 'sqlite%' order by name"_s)
            .value();
    const auto rows = [&tables](Database& file) {
        QList<QStringList> all;
        for (const QStringList& table : tables)
            all += file.select(table.at(0)).value();
        return all;
    };
    const QList<QStringList> stored = rows(db());
    QCOMPARE(stored.size(), 542);
    db().close();

    const Outcome<shopdb::HelpersChanged> plain = shopdb::setPlain(m_shop->databasePath(), true);
    QVERIFY2(plain, qPrintable(plain.reason()));
    QVERIFY(plain->sizeAfter < plain->sizeBefore);
    // Every open leaves it plain and searches the table itself.
    QVERIFY(startUp(m_shop->context()));
    QCOMPARE(db().select(objects).value(), schemaOnly.select(objects).value());
    QCOMPARE(rows(db()), stored);
    QVERIFY(shopfile::isPlain(db()));
    QVERIFY(!shopfile::productSearchReady(db()));
    QVERIFY(db().exec(u"insert into barang (kode, nama) values ('polos', 'Sabun Polos')"_s));
    QCOMPARE(searched(u"sabun polos"_s).size(), 3);

    // --helpers undoes it at once.
    db().close();
    const Outcome<shopdb::HelpersChanged> back = shopdb::setPlain(m_shop->databasePath(), false);
    QVERIFY2(back, qPrintable(back.reason()));
    QCOMPARE(back->names, plain->names);
    QVERIFY(startUp(m_shop->context()));
    QVERIFY(!shopfile::isPlain(db()));
    QVERIFY(shopfile::productSearchReady(db()));
    QVERIFY(indexWhole(db()));

    // A header that names another program is left alone.
    QVERIFY(schemaOnly.exec(u"pragma application_id = 42"_s));
    schemaOnly.close();
    QVERIFY(!shopdb::setPlain(fresh, true));
}

QTEST_GUILESS_MAIN(TestProductSearch)
#include "test_product_search.moc"

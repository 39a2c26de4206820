#include "core/password.h"
#include "support/test_shop.h"
#include "tools/shop_database.h"

#include <QRegularExpression>
#include <QTest>

class TestSchema final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_shop.reset(); }
    void tenTablesWithNumericColumnsNeverReal();
    void codesAreKeysButDocumentLinesRepeat();
    void hotStatementsUseAnIndex_data();
    void hotStatementsUseAnIndex();
    void firstAdministratorHasAHashedPassword();
    void demoShopCanSellAtOnce();
    void neverOverwritesAnExistingFile();

private:
    QString plan(const QString& sql);
    Database& db() { return m_shop->db(); }
    std::unique_ptr<TestShop> m_shop;
};

void TestSchema::init()
{
    m_shop = std::make_unique<TestShop>();
    QCOMPARE(m_shop->error(), QString());
}

QString TestSchema::plan(const QString& sql)
{
    QStringList steps;
    const int parameters = static_cast<int>(sql.count(u'?'));
    QVariantList values(parameters, u"x"_qs);
    db().query(u"explain query plan "_qs + sql, values,
               [&](const QStringList& row) { steps.append(row.value(3)); });
    return steps.join(u" | ");
}

void TestSchema::tenTablesWithNumericColumnsNeverReal()
{
    QStringList tables;
    db().query(u"select name from sqlite_master where type='table' order by name"_qs, {},
               [&](const QStringList& row) { tables.append(row.first()); });
    QCOMPARE(tables, (QStringList{u"barang"_qs, u"itemkoreksi"_qs, u"itempembelian"_qs,
                                  u"itempenjualan"_qs, u"itemreturbeli"_qs, u"itemreturjual"_qs,
                                  u"pelanggan"_qs, u"supplier"_qs, u"transaksi"_qs,
                                  u"useradmin"_qs}));
    const QStringList numeric = {u"stock"_qs,  u"hpp"_qs,     u"hargajual"_qs, u"diskon"_qs,
                                 u"potongan"_qs, u"tax"_qs,   u"jumlah"_qs,    u"tunai"_qs,
                                 u"piutang"_qs, u"hutang"_qs, u"qty"_qs,       u"harga"_qs,
                                 u"qtydb"_qs,   u"qtyreal"_qs, u"selisihqty"_qs};
    for (const QString& table : tables) {
        db().query(u"select name, type from pragma_table_info(?)"_qs, {table},
                   [&](const QStringList& column) {
                       const QString name = column.at(0).toLower();
                       const QString type = column.at(1).toUpper();
                       QVERIFY2(type != u"REAL", qPrintable(table + u'.' + name));
                       QCOMPARE(type, numeric.contains(name) ? u"NUMERIC"_qs : u"TEXT"_qs);
                   });
    }
    // Mixed-case names as the statements spell them.
    QVERIFY(db().exec(u"UPDATE Barang Set Stock=Stock-1 where KODE='x'"_qs));
}

void TestSchema::codesAreKeysButDocumentLinesRepeat()
{
    for (const char* user : {"admin2", "Admin", "ADMIN"})
        QVERIFY(db().exec(u"insert into UserAdmin (User, Password) values (?, '')"_qs,
                          {QString::fromLatin1(user)}));
    QVERIFY(!db().exec(u"insert into useradmin (User, Password) values ('admin', '')"_qs,
                       {}, Database::OnError::Silent));
    for (const QString& table : {u"barang"_qs, u"pelanggan"_qs, u"supplier"_qs, u"transaksi"_qs}) {
        QVERIFY(db().exec(u"insert into "_qs + table + u" (kode) values ('K-1')"_qs));
        QVERIFY(!db().exec(u"insert into "_qs + table + u" (kode) values ('K-1')"_qs, {},
                           Database::OnError::Silent));
    }
    for (const QString& table : {u"itempenjualan"_qs, u"itempembelian"_qs, u"itemreturjual"_qs,
                                 u"itemreturbeli"_qs, u"itemkoreksi"_qs}) {
        for (int line = 0; line < 2; ++line)
            QVERIFY(db().exec(u"insert into "_qs + table + u" (Kode) values ('JL-1')"_qs));
    }
}

void TestSchema::hotStatementsUseAnIndex_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("index");
    QTest::newRow("product lookup")
        << u"select nama, satuan, HargaJual, diskon, FunctSQL FROM barang where kode=?"_qs
        << u"PRIMARY KEY"_qs;
    QTest::newRow("next document number")
        << u"Select substr(kode,4,14) from transaksi order by substr(kode,4,14) desc limit 0,1"_qs
        << u"transaksi_nomor"_qs;
    QTest::newRow("next stock correction number")
        << u"Select substr(kode,4,14) from itemkoreksi order by substr(kode,4,14) desc limit 0,1"_qs
        << u"itemkoreksi_nomor"_qs;
    QTest::newRow("day count")
        << u"select count(*) from transaksi where substr(kode,1,2)='JL' and tanggal=?"_qs
        << u"transaksi_tanggal"_qs;
    QTest::newRow("month turnover")
        << u"select sum(jumlah) from transaksi where substr(tanggal,1,7)=?"_qs
        << u"transaksi_bulan"_qs;
    QTest::newRow("open debts of a party")
        << u"Select kode, piutang from transaksi where KodeSP=? and piutang>0"_qs
        << u"transaksi_pihak"_qs;
    QTest::newRow("lines of a document")
        << u"select KodeBarang from itempenjualan where kode=?"_qs << u"itempenjualan_kode"_qs;
    QTest::newRow("bought items of a party")
        << u"Select KodeBarang, NamaBarang from ItemPenjualan where kodeSP=? "
           u"Group By KodeBarang, NamaBarang"_qs
        << u"itempenjualan_pihak"_qs;
}

void TestSchema::hotStatementsUseAnIndex()
{
    QFETCH(QString, sql);
    QFETCH(QString, index);
    const QString steps = plan(sql);
    QVERIFY2(steps.contains(index), qPrintable(steps));
    QVERIFY2(!steps.contains(u"TEMP B-TREE"_qs), qPrintable(steps));
    // A bare "SCAN table" step reads every row.
    for (const QString& step : steps.split(u" | "_qs))
        QVERIFY2(!QRegularExpression(u"^SCAN \\w+$"_qs).match(step).hasMatch(), qPrintable(steps));
}

void TestSchema::firstAdministratorHasAHashedPassword()
{
    const QString stored = db().scalar(u"select Password from useradmin where User='admin'"_qs);
    QVERIFY(password::isHash(stored));
    QVERIFY(password::verify(stored, QString::fromLatin1(shopdb::firstAdminPassword)));
    QVERIFY(!password::verify(stored, u"admin"_qs));
    QCOMPARE(db().scalar(u"select count(*) from barang"_qs), u"0"_qs);
}

void TestSchema::demoShopCanSellAtOnce()
{
    TestShop demo(TestShop::Data::Demo);
    QCOMPARE(demo.error(), QString());
    Database& d = demo.db();
    QVERIFY(d.scalar(u"select count(*) from barang"_qs).toInt() >= 12);
    QVERIFY(d.scalar(u"select count(*) from barang where FunctSQL like '%|%'"_qs).toInt() >= 2);
    QVERIFY(d.scalar(u"select count(*) from pelanggan"_qs).toInt() >= 3);
    QVERIFY(d.scalar(u"select count(*) from supplier"_qs).toInt() >= 3);
    // Every tier text holds exactly ten pieces of quantity;price.
    d.query(u"select FunctSQL from barang where FunctSQL like '%|%'"_qs, {},
            [](const QStringList& row) {
                QCOMPARE(row.first().split(u'|').size(), 10);
            });
    QCOMPARE(d.scalar(u"select hargajual from barang where kode='1002'"_qs), u"34000"_qs);
}

void TestSchema::neverOverwritesAnExistingFile()
{
    const QString error = shopdb::create(m_shop->databasePath(), true);
    QVERIFY(error.startsWith(u"File sudah ada"_qs));
    QCOMPARE(db().scalar(u"select count(*) from barang"_qs), u"0"_qs);
    QVERIFY(!shopdb::create(QString(), false).isEmpty());
}

QTEST_GUILESS_MAIN(TestSchema)
#include "test_schema.moc"

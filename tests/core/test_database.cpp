#include "core/table_model.h"
#include "core/text_ops.h"
#include "support/test_shop.h"

#include <QTest>

#include <sqlite3.h>

class TestDatabase final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_shop.reset(); }
    void quoteInsideValueRoundTrips();
    void scalarReadings();
    void fillEmptiesTheListFirstAndKeepsNullCells();
    void failuresShowSqliteMessageUnlessSilent();
    void transactionCommitsAllOrNothing();
    void failureInTheMiddleLeavesNothing();
    void nestedRunOfTheSameStatement();
    void repeatedLookupReusesOneStatement();
    void rowHandlerCannotPullTheConnectionAway();
    void rolledBackTransactionStoresNothingAfterwards();
    void reopeningReplacesConnectionAndStatements();

private:
    Database& db() { return m_shop->db(); }
    ScriptedMessages& messages() { return m_shop->messages; }
    std::unique_ptr<TestShop> m_shop;
};

void TestDatabase::init()
{
    m_shop = std::make_unique<TestShop>();
    QCOMPARE(m_shop->error(), QString());
}

void TestDatabase::quoteInsideValueRoundTrips()
{
    const QString name = u"Warung 'Bu' Yati'; drop table pelanggan; --"_qs;
    QVERIFY(db().exec(u"insert into pelanggan (kode, nama) values (?, ?)"_qs,
                      {u"PL-00001"_qs, name}));
    QCOMPARE(db().scalar(u"select nama from pelanggan where kode=?"_qs, {u"PL-00001"_qs}), name);
    QCOMPARE(db().scalar(u"select kode from pelanggan where nama like ?"_qs,
                         {u"%'Bu'%"_qs}),
             u"PL-00001"_qs);
    QCOMPARE(db().scalar(u"select count(*) from pelanggan"_qs), u"1"_qs);
    QVERIFY(messages().shown().isEmpty());
}

void TestDatabase::scalarReadings()
{
    QCOMPARE(db().scalar(u"select count(*) from barang where kode=?"_qs, {u"nope"_qs}), u"0"_qs);
    const QString sum = db().scalar(u"select sum(piutang) from transaksi where KodeSP=?"_qs,
                                    {u"PL-00009"_qs});
    QVERIFY(sum.isEmpty());
    QCOMPARE(text::textToNumber(sum), 0.0);
    QVERIFY(db().scalar(u"select nama from barang where kode=?"_qs, {u"nope"_qs}).isEmpty());
    // Numbers bound as numbers come back without a decimal point when whole.
    QVERIFY(db().exec(u"insert into barang (kode, stock, hargajual) values (?, ?, ?)"_qs,
                      {u"1"_qs, 3.0, u"1000.5"_qs}));
    QCOMPARE(db().scalar(u"select stock from barang"_qs), u"3"_qs);
    QCOMPARE(db().scalar(u"select hargajual from barang"_qs), u"1000.5"_qs);
    QCOMPARE(db().scalar(u"select stock - ? from barang"_qs, {2}), u"1"_qs);
    QCOMPARE(db().scalar(u"select 1.0 / 3"_qs), u"0.3333333333333333"_qs);
    QCOMPARE(db().scalar(u"select 4.0 / 2"_qs), u"2"_qs);
    QCOMPARE(db().scalar(u"select 1e20"_qs), u"100000000000000000000"_qs);
}

void TestDatabase::fillEmptiesTheListFirstAndKeepsNullCells()
{
    TableModel model;
    model.addColumn(u"Kode"_qs, 100);
    model.addColumn(u"Nama"_qs, 200);
    model.appendRow({u"stale"_qs, u"row"_qs});

    QVERIFY(db().fill(model, u"select null, 'x' union all select 'a', null"_qs));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.cell(0, 0), QString());
    QCOMPARE(model.cell(0, 1), u"x"_qs);
    QCOMPARE(model.cell(1, 1), QString());

    QVERIFY(db().fill(model, u"select kode, nama from barang"_qs));
    QCOMPARE(model.rowCount(), 0);
}

void TestDatabase::failuresShowSqliteMessageUnlessSilent()
{
    QVERIFY(!db().exec(u"delete from nothing_here"_qs));
    QCOMPARE(messages().shown().size(), 1);
    QCOMPARE(messages().shown().first().caption, u"Info"_qs);
    QCOMPARE(messages().lastText(), u"SQL error: no such table: nothing_here"_qs);
    QCOMPARE(db().errorMessage(), u"no such table: nothing_here"_qs);

    messages().clear();
    QCOMPARE(db().scalar(u"select count(*) from nothing_here"_qs, {}, Database::OnError::Silent),
             QString());
    QVERIFY(messages().shown().isEmpty());
    QCOMPARE(db().errorMessage(), u"no such table: nothing_here"_qs);

    // Wrong number of values, and two statements where one is expected.
    QVERIFY(!db().exec(u"insert into pelanggan (kode) values (?)"_qs));
    QVERIFY(!db().exec(u"delete from pelanggan; delete from supplier"_qs));
    QCOMPARE(messages().shown().size(), 2);
    QVERIFY(messages().lastText().startsWith(u"SQL error: "_qs));

    // A duplicate code is refused by the key, with SQLite's words.
    QVERIFY(db().exec(u"insert into supplier (kode) values ('SP-001')"_qs));
    QVERIFY(!db().exec(u"insert into supplier (kode) values ('SP-001')"_qs));
    QCOMPARE(messages().lastText(), u"SQL error: UNIQUE constraint failed: supplier.kode"_qs);
}

void TestDatabase::transactionCommitsAllOrNothing()
{
    {
        Database::Transaction transaction(db());
        QVERIFY(transaction.active());
        QVERIFY(db().exec(u"insert into supplier (kode) values ('SP-001')"_qs));
        // Leaving the scope without commit rolls back.
    }
    QCOMPARE(db().scalar(u"select count(*) from supplier"_qs), u"0"_qs);
    {
        Database::Transaction transaction(db());
        QVERIFY(db().exec(u"insert into supplier (kode) values ('SP-001')"_qs));
        QVERIFY(transaction.commit());
        QVERIFY(!transaction.active());
    }
    QCOMPARE(db().scalar(u"select count(*) from supplier"_qs), u"1"_qs);
    QVERIFY(messages().shown().isEmpty());
}

void TestDatabase::failureInTheMiddleLeavesNothing()
{
    QVERIFY(db().execScript(u"create trigger refuse before insert on itempenjualan "
                            "when new.KodeBarang = 'bad' begin select raise(abort, 'line refused'); end"_qs));
    const auto save = [&](const QStringList& products) {
        Database::Transaction transaction(db());
        if (!db().exec(u"insert into transaksi (Kode, Ref) values (?, 'Masuk')"_qs,
                       {u"JL-00000000000001"_qs}))
            return false;
        for (const QString& product : products) {
            if (!db().exec(u"insert into itempenjualan (Kode, KodeBarang) values (?, ?)"_qs,
                           {u"JL-00000000000001"_qs, product}))
                return false;
        }
        return transaction.commit();
    };
    QVERIFY(!save({u"a"_qs, u"bad"_qs, u"c"_qs}));
    QCOMPARE(messages().lastText(), u"SQL error: line refused"_qs);
    QCOMPARE(db().scalar(u"select count(*) from transaksi"_qs), u"0"_qs);
    QCOMPARE(db().scalar(u"select count(*) from itempenjualan"_qs), u"0"_qs);
    // The connection is usable again and the same save goes through.
    QVERIFY(save({u"a"_qs, u"c"_qs}));
    QCOMPARE(db().scalar(u"select count(*) from itempenjualan"_qs), u"2"_qs);
}

void TestDatabase::nestedRunOfTheSameStatement()
{
    for (const char* kode : {"A", "B", "C"})
        QVERIFY(db().exec(u"insert into barang (kode, nama) values (?, ?)"_qs,
                          {QString::fromLatin1(kode), QString::fromLatin1(kode).toLower()}));
    const QString byCode = u"select nama from barang where kode=?"_qs;
    QStringList names;
    QVERIFY(db().query(u"select kode from barang order by kode"_qs, {},
                       [&](const QStringList& row) {
                           names.append(db().scalar(byCode, {row.first()}));
                           // The same text again while the first run is still stepping.
                           db().query(byCode, {row.first()},
                                      [&](const QStringList& inner) { names.append(inner.first()); });
                       }));
    QCOMPARE(names, (QStringList{u"a"_qs, u"a"_qs, u"b"_qs, u"b"_qs, u"c"_qs, u"c"_qs}));
}

void TestDatabase::repeatedLookupReusesOneStatement()
{
    const QString lookup =
        u"select nama, satuan, HargaJual, diskon, FunctSQL FROM barang where kode=?"_qs;
    for (int i = 0; i < 100; ++i)
        QVERIFY(db().query(lookup, {QString::number(i)}, [](const QStringList&) {}));
    int runs = 0;
    for (sqlite3_stmt* s = sqlite3_next_stmt(db().handle(), nullptr); s;
         s = sqlite3_next_stmt(db().handle(), s)) {
        if (QString::fromUtf8(sqlite3_sql(s)) == lookup)
            runs += sqlite3_stmt_status(s, SQLITE_STMTSTATUS_RUN, 0);
    }
    QCOMPARE(runs, 100);
}

void TestDatabase::rowHandlerCannotPullTheConnectionAway()
{
    QVERIFY(db().exec(u"insert into barang (kode) values ('1'), ('2')"_qs));
    const QString path = db().path();
    int rows = 0;
    QVERIFY(db().query(u"select kode from barang"_qs, {}, [&](const QStringList&) {
        ++rows;
        QVERIFY(!db().open(path));
        db().close();
    }));
    QCOMPARE(rows, 2);
    QCOMPARE(db().scalar(u"select count(*) from barang"_qs), u"2"_qs);
}

void TestDatabase::rolledBackTransactionStoresNothingAfterwards()
{
    // An error that ends the whole transaction, as a full disk does.
    QVERIFY(db().execScript(u"create trigger full before insert on itempenjualan "
                            "when new.KodeBarang = 'full' begin select raise(rollback, 'disk full'); end"_qs));
    {
        Database::Transaction transaction(db());
        QVERIFY(db().exec(u"insert into transaksi (Kode) values ('JL-1')"_qs));
        QVERIFY(!db().exec(u"insert into itempenjualan (Kode, KodeBarang) values ('JL-1', 'full')"_qs));
        QVERIFY(!db().exec(u"insert into itempenjualan (Kode, KodeBarang) values ('JL-1', 'ok')"_qs));
        QCOMPARE(db().errorMessage(), u"the transaction was rolled back"_qs);
        QVERIFY(!transaction.commit());
    }
    QCOMPARE(db().scalar(u"select count(*) from transaksi"_qs), u"0"_qs);
    QCOMPARE(db().scalar(u"select count(*) from itempenjualan"_qs), u"0"_qs);

    // A transaction that cannot begin (another one holds the database) stores nothing either.
    Database other;
    QVERIFY(other.open(db().path()));
    Database::Transaction holder(other);
    QVERIFY(holder.active());
    QVERIFY(db().exec(u"pragma busy_timeout=50"_qs));
    Database::Transaction blocked(db());
    QVERIFY(!blocked.active());
    QCOMPARE(db().errorMessage(), u"database is locked"_qs);
    QVERIFY(!blocked.commit());
}

void TestDatabase::reopeningReplacesConnectionAndStatements()
{
    const QString lookup = u"select count(*) from barang"_qs;
    QCOMPARE(db().scalar(lookup), u"0"_qs);

    TestShop other(TestShop::Data::Demo);
    QCOMPARE(other.error(), QString());
    other.db().close();
    QVERIFY(db().open(other.databasePath()));
    // The cached statement of the old connection is gone; the new file answers.
    QCOMPARE(db().scalar(lookup), u"13"_qs);
    QVERIFY(sqlite3_next_stmt(db().handle(), nullptr) != nullptr);

    // A failed open keeps the connection in use.
    QVERIFY(!db().open(QDir::tempPath()));
    QCOMPARE(db().errorMessage(), u"unable to open database file"_qs);
    QCOMPARE(db().path(), other.databasePath());
    QCOMPARE(db().scalar(lookup), u"13"_qs);

    db().close();
    QVERIFY(!db().exec(lookup));
    QCOMPARE(messages().lastText(), u"SQL error: tidak ada database yang terbuka"_qs);
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "test_database.moc"

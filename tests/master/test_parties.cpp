#include "core/table_model.h"
#include "master/parties.h"
#include "support/test_shop.h"

#include <QTest>

// Customers and suppliers: their codes on both screens, and the statements.
class TestParties final : public QObject
{
    Q_OBJECT
private slots:
    void addNumbersTheTable_data();
    void addNumbersTheTable();
    void search_data();
    void search();
    void failedStatements();
};

using parties::Screen;

namespace {

QStringList codes(Database& db, Side side)
{
    TableModel model;
    parties::load(db, side, model);
    QStringList all;
    for (int row = 0; row < model.rowCount(); ++row)
        all.append(model.cell(row, 0));
    return all;
}

} // namespace

void TestParties::addNumbersTheTable_data()
{
    QTest::addColumn<Side>("side");
    QTest::addColumn<QStringList>("stored");    // codes there before
    QTest::addColumn<QList<Screen>>("screens"); // one new party on each, in turn
    QTest::addColumn<QStringList>("results");   // the new code, or the refusal
    const Side pl = Side::Sales, sp = Side::Purchase;
    const Screen m = Screen::Master, p = Screen::Picker;
    const auto row = [](const char* name, Side side, const QStringList& stored,
                        const QList<Screen>& screens, const QStringList& results) {
        QTest::newRow(name) << side << stored << screens << results;
    };
    row("customers from nothing", pl, {}, {m, m}, {u"PL-00001"_qs, u"PL-00002"_qs});
    row("customers, carry", pl, {u"PL-00099"_qs}, {m, p}, {u"PL-00100"_qs, u"PL-00101"_qs});
    row("suppliers after SP-009", sp, {u"SP-001"_qs, u"SP-009"_qs}, {m}, {u"SP-010"_qs});
    row("suppliers, picker then master", sp, {}, {p, m}, {u"SP-00001"_qs, u"SP-002"_qs});
    row("suppliers, picker after master", sp, {u"SP-009"_qs}, {p}, {u"SP-00010"_qs});
    // The master screen reads all of the code after "PL-", the picker five characters.
    row("long code, master", pl, {u"PL-000012"_qs}, {m}, {u"PL-00013"_qs});
    row("long code, picker", pl, {u"PL-000012"_qs}, {p}, {u"PL-00002"_qs});
    row("no number in it", pl, {u"PL-X"_qs}, {m}, {u"PL-00001"_qs});
    // Cut to their last digits the next numbers would give PL-00000 and SP-000.
    const QString outOfCustomers =
        u"Nomor kode Pelanggan sudah habis (PL-99999). Data tidak disimpan."_qs;
    row("customers run out, master", pl, {u"PL-99999"_qs}, {m}, {outOfCustomers});
    row("customers run out, picker", pl, {u"PL-99999"_qs}, {p}, {outOfCustomers});
    row("suppliers run out, master", sp, {u"SP-998"_qs}, {m, m},
        {u"SP-999"_qs, u"Nomor kode Supplier sudah habis (SP-999). Data tidak disimpan."_qs});
    row("picker suppliers after SP-999", sp, {u"SP-999"_qs}, {p}, {u"SP-01000"_qs});
}

void TestParties::addNumbersTheTable()
{
    QFETCH(Side, side);
    QFETCH(QStringList, stored);
    QFETCH(QList<Screen>, screens);
    QFETCH(QStringList, results);
    TestShop shop;
    QCOMPARE(shop.error(), QString());
    Database& db = shop.db();
    const QString table = sideInfo(side).partyTable;
    for (const QString& code : stored)
        QVERIFY(db.exec(u"insert into "_qs + table + u" (kode) values (?)"_qs, {code}));

    QStringList given;
    QStringList added;
    for (int i = 0; i < screens.size(); ++i) {
        // The party's own code is never used for a new row.
        const Party party{u"Nama "_qs + QString::number(i), u"Alamat"_qs, {}, {}, u"PL-00001"_qs};
        const Outcome<QString> result = parties::add(db, side, screens.at(i), party);
        if (!result) {
            given.append(result.reason());
            continue;
        }
        given.append(*result);
        added.append(*result);
        QCOMPARE(db.scalar(u"select nama || '|' || alamat || '|' || kontak || '|' || catatan "
                           u"from "_qs +
                               table + u" where kode=?"_qs,
                           {*result}),
                 party.name + u"|Alamat||"_qs);
    }
    QCOMPARE(given, results);
    QStringList all = stored + added;
    all.sort();
    QCOMPARE(codes(db, side), all);
    QCOMPARE(shop.messages.texts(), QStringList());
}

void TestParties::search_data()
{
    QTest::addColumn<Side>("side");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    const Side pl = Side::Sales, sp = Side::Purchase;
    QTest::newRow("name, other case") << pl << u"SITI"_qs << QStringList{u"PL-00001"_qs};
    QTest::newRow("address") << pl << u"kenanga"_qs << QStringList{u"PL-00002"_qs};
    QTest::newRow("contact") << pl << u"803"_qs << QStringList{u"PL-00003"_qs};
    QTest::newRow("code") << pl << u"pl-0000"_qs
                          << QStringList{u"PL-00001"_qs, u"PL-00002"_qs, u"PL-00003"_qs,
                                         u"PL-00004"_qs};
    QTest::newRow("quotes") << pl << u"o'BRIEN"_qs << QStringList{u"PL-00004"_qs};
    QTest::newRow("the note is not searched") << pl << u"tempo"_qs << QStringList();
    QTest::newRow("empty text lists all")
        << sp << QString() << QStringList{u"SP-001"_qs, u"SP-002"_qs, u"SP-003"_qs};
    QTest::newRow("supplier address") << sp << u"Industri"_qs << QStringList{u"SP-003"_qs};
}

void TestParties::search()
{
    QFETCH(Side, side);
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    TestShop demo(TestShop::Data::Demo);
    QCOMPARE(demo.error(), QString());
    const Party quoted{u"Toko 'Ani' O'Brien"_qs, u"Jl. \"Mawar\"; 3"_qs, u"08'1"_qs, {}, {}};
    const QString added = parties::add(demo.db(), Side::Sales, Screen::Master, quoted).value();
    QCOMPARE(added, u"PL-00004"_qs);
    for (const Screen screen : {Screen::Master, Screen::Picker}) {
        TableModel model;
        model.appendRow({u"left over"_qs});
        QVERIFY(parties::search(demo.db(), side, screen, text, model));
        QStringList listed;
        for (int row = 0; row < model.rowCount(); ++row) {
            listed.append(model.cell(row, 0));
            // Every text comes back as it was typed.
            QVERIFY(model.cell(row, 0) != added ||
                    model.row(row) == (QStringList{added, quoted.name, quoted.address,
                                                   quoted.contact, QString()}));
        }
        listed.sort();
        QCOMPARE(listed, found);
    }
}

void TestParties::failedStatements()
{
    TestShop shop;
    Database& db = shop.db();
    QVERIFY(db.exec(u"drop table pelanggan"_qs));
    // The existence check says nothing when it fails.
    QVERIFY(!parties::exists(db, Side::Sales, u"PL-00001"_qs));
    QCOMPARE(shop.messages.texts(), QStringList());

    // The last code's error shows, and so does the insert's.
    const Outcome<QString> result = parties::add(db, Side::Sales, Screen::Master, {});
    QVERIFY(!result && result.reason().isEmpty());
    const QString error = u"SQL error: no such table: pelanggan"_qs;
    QCOMPARE(shop.messages.texts(), (QStringList{error, error}));
}

QTEST_GUILESS_MAIN(TestParties)
#include "test_parties.moc"

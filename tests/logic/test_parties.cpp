#include "core/table.h"
#include "logic/parties.h"
#include "support/test_shop.h"

#include <QTest>

// Customers and suppliers: their codes on both screens, and the statements.
class TestParties final : public QObject
{
    Q_OBJECT
private slots:
    void addNumbersTheTable_data();
    void addNumbersTheTable();
    void searchChangeAndRemove();
};

namespace {

// "kode|nama|alamat|kontak|catatan" of every row, by code.
QStringList stored(Database& db, Side side)
{
    const Outcome<Table> table = parties::load(db, side);
    if (!table)
        return {table.reason()};
    QStringList all;
    for (const QStringList& row : table->rows)
        all.append(row.join(u'|'));
    return all;
}

} // namespace

void TestParties::addNumbersTheTable_data()
{
    QTest::addColumn<Side>("side");
    QTest::addColumn<QStringList>("before");  // codes there before
    QTest::addColumn<QString>("screens");     // one new party on each, in turn: m(aster), p(icker)
    QTest::addColumn<QStringList>("results"); // the new code, or the refusal
    const Side pl = Side::Sales, sp = Side::Purchase;
    const auto row = [](const char* name, Side side, const char* before, const char* screens,
                        const QString& results) {
        QTest::newRow(name) << side << QString::fromLatin1(before).split(u' ', Qt::SkipEmptyParts)
                            << QString::fromLatin1(screens) << results.split(u'|');
    };
    row("suppliers, picker then master", sp, "", "pm", u"SP-00001|SP-002"_qs);
    // The picker reads the five characters after "PL-", the master screen all of them.
    row("long code, picker", pl, "PL-000012", "p", u"PL-00002"_qs);
    // SP-002 sorts after SP-00003, so the picker's next code is one already given.
    row("picker skips a code given", sp, "SP-00003 SP-002", "p", u"SP-00004"_qs);
    // Cut to their last digits the next numbers would repeat PL-00000 and SP-000.
    const QString out = u"Nomor kode %1 sudah habis (%2). Data tidak disimpan."_qs;
    row("customers run out", pl, "PL-99999", "p", out.arg(u"Pelanggan", u"PL-99999"));
    row("suppliers run out on the master screen only", sp, "SP-998", "mmp",
        u"SP-999|"_qs + out.arg(u"Supplier", u"SP-999") + u"|SP-01000");
}

void TestParties::addNumbersTheTable()
{
    QFETCH(Side, side);
    QFETCH(QStringList, before);
    QFETCH(QString, screens);
    TestShop shop;
    QStringList expected;
    for (const QString& code : before) {
        QVERIFY(shop.db().exec(u"insert into "_qs + sideInfo(side).partyTable +
                                   u" values (?, '', '', '', '')"_qs,
                               {code}));
        expected.append(code + u"||||"_qs);
    }
    QStringList given;
    for (const QChar screen : screens) {
        // The party's own code is never used for a new row; quotes are stored as typed.
        const Party party{u"Bu 'Ani' "_qs + screen, u"\"Mawar\"; 3"_qs, {}, {}, u"PL-00001"_qs};
        const auto added =
            parties::add(shop.db(), side,
                         screen == u'm' ? parties::Screen::Master : parties::Screen::Picker, party);
        given.append(added ? *added : added.reason());
        if (added)
            expected.append(*added + u'|' + party.name + u'|' + party.address + u"||");
    }
    QTEST(given, "results");
    expected.sort();
    QCOMPARE(stored(shop.db(), side), expected);
}

void TestParties::searchChangeAndRemove()
{
    TestShop demo(TestShop::Data::Demo);
    Database& db = demo.db();
    QVERIFY(db.exec(u"insert into pelanggan values ('PL-4'' or ''1', '', '', '', 'x')"_qs));
    // Code, name, address and contact in any case, quotes as typed; never the note.
    for (const auto& [text, found] : {std::pair{u"SITI"_qs, u"PL-00001"_qs},
                                      {u"803"_qs, u"PL-00003"_qs},
                                      {u"4' or '1"_qs, u"PL-4' or '1"_qs},
                                      {u"tempo"_qs, QString()}}) {
        for (const auto screen : {parties::Screen::Master, parties::Screen::Picker}) {
            const Outcome<Table> table = parties::search(db, Side::Sales, screen, text);
            QVERIFY(table);
            QCOMPARE(table->rows.size(), found.isEmpty() ? 0 : 1);
            QCOMPARE(table->rows.value(0).value(0), found);
        }
    }
    const QStringList suppliers = stored(db, Side::Purchase);
    QStringList customers = stored(db, Side::Sales);
    QVERIFY(parties::update(db, Side::Sales,
                            {u"Bu 'Ani'"_qs, u"a"_qs, u"k"_qs, u"c"_qs, u"PL-00002"_qs}));
    QVERIFY(parties::remove(db, Side::Sales, u"PL-00001"_qs));
    customers.removeFirst();
    customers.first() = u"PL-00002|Bu 'Ani'|a|k|c"_qs;
    QCOMPARE(stored(db, Side::Sales), customers);
    QVERIFY(parties::removeAll(db, Side::Sales));
    QCOMPARE(stored(db, Side::Sales), QStringList());
    QCOMPARE(stored(db, Side::Purchase), suppliers);
    // A lookup whose statement fails says why; it never reads as "no such party".
    QVERIFY(db.exec(u"alter table pelanggan rename to gone"_qs));
    QCOMPARE(parties::exists(db, Side::Sales, u"PL-00002"_qs).reason(),
             u"SQL error: "_qs + TestShop::noSuchTable(u"pelanggan"_qs));
}

QTEST_GUILESS_MAIN(TestParties)
#include "test_parties.moc"

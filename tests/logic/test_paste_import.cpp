#include "core/database.h"
#include "logic/paste_import.h"
#include "support/test_shop.h"

#include <QFile>
#include <QTest>

// Rows pasted from a spreadsheet: how the text is cut, what is stored and refused, the numbering.
class TestPasteImport final : public QObject
{
    Q_OBJECT
private slots:
    void products_data();
    void products();
    void parties_data();
    void parties();
    void failedCommitStoresNothing();
};

namespace {

QString summary(const QString& subject, qsizetype pasted, qsizetype saved)
{
    return QString::asprintf("Dari jumlah data %s %td Item yang diimport ke database; %td data "
                             "telah berhasil di simpan dan %td gagal disimpan",
                             qPrintable(subject), pasted, saved, pasted - saved);
}

QString fromFile(const QString& name)
{
    QFile file(QFINDTESTDATA(u"../data/"_qs + name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A row named TOLAK is refused after it was inserted: the insert must be undone by hand.
const QString tolak = u"new.nama = 'TOLAK'"_qs;

} // namespace

void TestPasteImport::products_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("stored");  // the list's ten columns
    QTest::addColumn<QStringList>("refused"); // lines of the report after the summary
    // The shop holds product A1 already.
    QTest::newRow("one code stored already")
        << u"A1\tlama\r\nB1\tMie 'Goreng'\tMakanan\t5\tpcs\t1000\t1300\t0\t899\t2;900\r\n"_qs
        << QStringList{u"B1|Mie `Goreng`|Makanan|5|pcs|1000|1300|0|899|"_qs}
        << QStringList{u"Baris 1 (A1): kode sudah ada"_qs};
    // Lines may end in CR alone; empty rows are no products.
    QTest::newRow("CR alone, empty rows")
        << u"E1\tsatu\r\t\t\r\rE2\tdua\r"_qs
        << QStringList{u"E1|satu||||||||"_qs, u"E2|dua||||||||"_qs} << QStringList();
    QTest::newRow("no code") << u"\tTanpa kode\nF1\tada"_qs << QStringList{u"F1|ada||||||||"_qs}
                             << QStringList{u"Baris 1: Kode barang kosong"_qs};
    QTest::newRow("a code twice in one paste")
        << u"C\tsatu\nC\tdua\n"_qs << QStringList{u"C|satu||||||||"_qs}
        << QStringList{u"Baris 2 (C): kode sama dengan baris 1"_qs};
    QTest::newRow("refused by the database mid-paste")
        << u"D1\ta\nD2\tTOLAK\nD3\tc"_qs << QStringList{u"D1|a||||||||"_qs, u"D3|c||||||||"_qs}
        << QStringList{u"Baris 2 (D2): SQL error: ditolak"_qs};
    QTest::newRow("numbers") << fromFile(u"paste-products.txt"_qs)
                             << QStringList{u"N1|bersih|k|7|pcs|-0.5|2500|1.25|N1|"_qs,
                                            u"N2|kosong||||||||"_qs}
                             << fromFile(u"paste-products-refused.txt"_qs).trimmed().split(u'\n');
}

void TestPasteImport::products()
{
    QFETCH(QString, text);
    QFETCH(QStringList, stored);
    QFETCH(QStringList, refused);
    TestShop shop;
    Database& db = shop.db();
    QVERIFY(db.exec(u"insert into barang (kode, nama) values ('A1', 'ada')"_qs));
    QVERIFY(TestShop::refuse(db, u"after insert"_qs, u"barang"_qs, tolak, u"ditolak"_qs));

    const QList<paste::Line> lines = paste::parse(text);
    const auto result = paste::importProducts(db, lines);
    QVERIFY(result);
    // What the screen shows after the import is what the database holds.
    QList<QStringList> expected;
    for (const QString& row : stored)
        expected.append(row.split(u'|'));
    QCOMPARE(result->stored, expected);
    QCOMPARE(db.select(u"select kode, nama, kategori, stock, satuan, hpp, hargajual, diskon, "
                       "barcode, FunctSQL from barang where kode <> 'A1' and jenis = 'barang' "
                       "order by kode"_qs)
                 .value(),
             expected);
    // The report: the summary, then the refused rows after a blank line.
    const QString failed = u"\n\nData yang gagal disimpan:\n"_qs + refused.join(u'\n');
    QCOMPARE(paste::reportText(*result), summary(u"barang"_qs, lines.size(), stored.size()) +
                                             (refused.isEmpty() ? QString() : failed));
    QCOMPARE(shop.messages.texts(), QStringList());
}

void TestPasteImport::parties_data()
{
    QTest::addColumn<Side>("side");
    QTest::addColumn<QString>("document"); // the greatest document code, if any
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("codes"); // given to each pasted line; empty: refused
    QTest::addColumn<QString>("refused");
    // The pasted codes are never used.
    const QString two = u"PL-00001\tBudi\tJl. 'Mawar'\t0812\tlangganan\tlebih\r\nPL-00002\tSiti"_qs;
    const auto row = [&](const char* name, Side side, const QString& document,
                         const QString& before, const QString& codes, const QString& refused = {},
                         const QString& text = {}) {
        QTest::newRow(name) << side << document << before.split(u' ', Qt::SkipEmptyParts)
                            << (text.isEmpty() ? two : text) << codes.split(u' ') << refused;
    };
    row("on from the greatest document", Side::Sales, u"JL-00000000000041"_qs, u"PL-00100"_qs,
        u"PL-00042 PL-00043"_qs);
    row("codes in use are skipped", Side::Sales, u"RJ-00000000000041"_qs, u"PL-00042 PL-00044"_qs,
        u"PL-00043 PL-00045"_qs);
    row("suppliers past 999 go on from the table", Side::Purchase, u"BL-00000000001500"_qs,
        u"SP-005"_qs, u"SP-006 SP-007"_qs);
    row("suppliers run out", Side::Purchase, u"BL-00000000000998"_qs, {}, u"SP-999 "_qs,
        u"Baris 2 (Siti): Nomor kode Supplier sudah habis (SP-999). Data tidak disimpan."_qs);
    row("refused by the database", Side::Sales, {}, {}, u" PL-00001"_qs,
        u"Baris 1 (TOLAK): SQL error: ditolak"_qs, u"x\tTOLAK\nx\tSiti"_qs);
}

void TestPasteImport::parties()
{
    QFETCH(Side, side);
    QFETCH(QString, document);
    QFETCH(QStringList, before);
    QFETCH(QString, text);
    QFETCH(QStringList, codes);
    QFETCH(QString, refused);
    TestShop shop;
    Database& db = shop.db();
    const QString table = sideInfo(side).partyTable;
    if (!document.isEmpty())
        QVERIFY(db.exec(u"insert into transaksi (Kode) values (?)"_qs, {document}));
    for (const QString& code : before)
        QVERIFY(
            db.exec(u"insert into "_qs + table + u" (kode, nama) values (?, 'lama')"_qs, {code}));
    QVERIFY(TestShop::refuse(db, u"after insert"_qs, table, tolak, u"ditolak"_qs));

    const QList<paste::Line> lines = paste::parse(text);
    const auto result = paste::importParties(db, side, lines);
    QVERIFY(result);
    // Each stored line under the code given to it, as the list showed it.
    const QList<QStringList> rows = paste::partyRows(lines);
    QList<QStringList> expected;
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (!codes.at(i).isEmpty())
            expected.append(QStringList{codes.at(i)} + rows.at(i).mid(1));
    QCOMPARE(result->stored, expected);
    QCOMPARE(
        db.select(u"select * from "_qs + table + u" where nama <> 'lama' order by kode"_qs).value(),
        expected);
    QCOMPARE(paste::refusedText(*result),
             refused.isEmpty() ? QString() : u"Data yang gagal disimpan:\n"_qs + refused);
    QCOMPARE(paste::summaryText(*result), summary(sideInfo(side).partyWord, 2, expected.size()));
}

// Products, customers and suppliers are committed the same way.
void TestPasteImport::failedCommitStoresNothing()
{
    TestShop shop;
    Database& db = shop.db();
    // A reference that is only checked at the commit, and fails there.
    QVERIFY(db.execScript(
        TestShop::onServer()
            ? u"create table yatim (x text references barang deferrable initially deferred); "
              "create function gagal() returns trigger language plpgsql as $$ begin "
              "insert into yatim values ('-'); return null; end $$; create trigger gagal after "
              "insert on barang for each row when (new.nama = 'Z') execute function gagal()"_qs
            : u"pragma foreign_keys = on; create table yatim (x references barang "
              "deferrable initially deferred); create trigger gagal after insert on "
              "barang when new.nama = 'Z' begin insert into yatim values ('-'); end"_qs));
    const auto result = paste::importProducts(db, paste::parse(u"Y\ty\nZ\tZ\n"_qs));
    QCOMPARE(result.reason(), u"Impor dibatalkan, tidak ada data yang disimpan."_qs);
    QCOMPARE(db.scalar(u"select count(*) from barang"_qs), u"0"_qs);
    // The connection is usable again: nothing was left open.
    QVERIFY(paste::importParties(db, Side::Sales, paste::parse(u"x\tY"_qs)));
}

QTEST_GUILESS_MAIN(TestPasteImport)
#include "test_paste_import.moc"

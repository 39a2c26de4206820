#include "core/table.h"
#include "logic/export.h"
#include "logic/export_library.h"
#include "screens/reports/list_export.h"
#include "support/needs_part.h"
#include "support/test_shop.h"

#include <QLibrary>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;
using exporting::Format;
Q_DECLARE_METATYPE(Format)

// Lists handed to the export libraries: what an outside one gets, what ours write, every failure.
class TestExport final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void outsideLibraries_data();
    void outsideLibraries();
    void ourFiles_data();
    void ourFiles();
    void fileNames_data();
    void fileNames();

private:
    QDir reports() const { return QDir(m_dir->filePath(u"laporan"_s)); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

const ShopIdentity shop{u"Toko Uji"_s, u"Jl. Contoh 1"_s, {}};

struct Shown {
    Table table;
    QList<int> widths;
};

// Columns as "header:letter[:width]" joined with "|"; rows as cells joined with "|".
Shown list(const QString& columns, const QStringList& rows)
{
    Shown shown;
    for (const QString& column : columns.split(u'|')) {
        const QStringList parts = column.split(u':');
        const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
        shown.table.columns.append(
            {parts.at(0), alignments[u"lcr"_s.indexOf(parts.at(1).front())]});
        shown.widths.append(parts.value(2, u"100"_s).toInt());
    }
    for (const QString& row : rows)
        shown.table.rows.append(row.split(u'|'));
    return shown;
}

// What the file shows, through python3's html.parser or openpyxl, as in tests/data/export-*.tsv.
QStringList readBack(const QString& path)
{
    QProcess python;
    python.start(QStringLiteral(TOKO_PYTHON3),
                 {QStringLiteral(TOKO_TEST_SCRIPTS) + u"/read_export.py"_s, path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0)
        return {u"failed %1"_s.arg(python.exitCode())};
    return QString::fromUtf8(python.readAllStandardOutput()).split(u'\n');
}

} // namespace

void TestExport::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    qputenv("TOKO_EXPORT_RECORD", m_dir->filePath(u"record"_s).toLocal8Bit());
}

void TestExport::outsideLibraries_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<QString>("folder"); // of the stand-in library
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QByteArrayList>("record"); // the texts sData got, each ended by NUL
    QTest::addColumn<QString>("outcome");       // the failure told, "{}": the reports folder

    QTest::newRow("empty sheet") << Format::Spreadsheet << u"recording"_s << u"Kode:l|Jumlah:r"_s
                                 << QStringList() << QByteArrayList{"0", "2", "Kode,Jumlah", ""}
                                 << QString();
    QTest::newRow("page cells as they are, hidden column left out, UTF-8")
        << Format::WebPage << u"recording"_s << u"Kode:l|rumus:r:0|Nama:c|Harga:r"_s
        << QStringList{u"A1|10;900|Gula ½ kg, \"Jawa\"|1.500,-"_s}
        << QByteArrayList{"X;Toko Uji;Jl. Contoh 1;lcr", "Kode;Nama;Harga",
                          "A1,Gula \xc2\xbd kg, \"Jawa\",1.500,-", ""}
        << QString();
    QTest::newRow("sheet cells lose points and commas, headers do not")
        << Format::Spreadsheet << u"recording"_s << u"Harga, Rp.:l|Jumlah:r"_s
        << QStringList{u"a,b|10.500"_s, u"½|1.5"_s}
        << QByteArrayList{"2", "2", "Harga, Rp.,Jumlah;a-b,10500;\xc2\xbd,15", ""} << QString();
    const auto fails = [](const char* name, Format format, const QString& folder, const char* why) {
        QTest::newRow(name) << format << folder << u"Kode:l"_s << QStringList{u"A1"_s}
                            << QByteArrayList() << QString::fromUtf8(why);
    };
    fails("page missing", Format::WebPage, u"missing"_s, "tidak dapat membaca library..");
    fails("sheet without a function", Format::Spreadsheet, u"nothing"_s,
          "tidak dapat membaca data yang dibaca library..");
    fails("page not finished", Format::WebPage, u"failing"_s,
          "Laporan gagal ditulis ke {}/X-1.html: disk penuh");
}

// The library places its file, or the failure is told: no half-written page of ours is left.
void TestExport::outsideLibraries()
{
    QFETCH(Format, format);
    QFETCH(QString, folder);
    QFETCH(QString, columns);
    QFETCH(QStringList, rows);
    QFETCH(QByteArrayList, record);
    QFETCH(QString, outcome);
    const Shown shown = list(columns, rows);
    const auto table = exporting::exportTableOf(u"X"_s, shown.table, shown.widths, shop);
    const QString library = QStringLiteral(TOKO_TEST_LIBRARIES) + u'/' + folder + u'/';
    const Outcome<QString> done = exporting::exportTable(
        format, table, reports(), {library + exporting::libraryName(format)});
    QCOMPARE(done ? *done : done.reason(), outcome.replace(u"{}"_s, reports().absolutePath()));
    QFile recorded(m_dir->filePath(u"record"_s));
    QCOMPARE(recorded.open(QIODevice::ReadOnly) ? recorded.readAll().split('\0') : QByteArrayList(),
             record);
    QVERIFY(reports().isEmpty());
}

void TestExport::ourFiles_data()
{
    QTest::addColumn<Format>("format"); // shown as tests/data/export-<row name>.tsv
    QTest::newRow("page") << Format::WebPage;
    QTest::newRow("sheet") << Format::Spreadsheet;
}

// Read back as a browser and a spreadsheet would; a full disk is told, never a short file left.
void TestExport::ourFiles()
{
    QFETCH(Format, format);
    const QString ours = QStringLiteral(TOKO_OUR_LIBRARIES) + u'/' + exporting::libraryName(format);
    const auto write =
        reinterpret_cast<TokoExportFunction>(QLibrary::resolve(ours, TOKO_EXPORT_FUNCTION));
    QVERIFY(write);
    const char* header = "Kode";
    const char* cells[] = {"A1", "B2"};
    const int32_t width = 100;
    const TokoExportTable small{"X", "Toko", "Jl", 1, &header, "l", &width, 2, cells};
    char error[64] = "";
    QCOMPARE(write(&small, "/dev/full", error, sizeof error), 1);
    QVERIFY2(QByteArray(error).contains("ditulis"), error);

    const Shown model = list(u"Kode:l|Nama & Ket.:l|Qty:c|Jumlah:r"_s,
                             {u"A1,x|<b>Gula</b> & \"teh\"|3|-1234.5"_s,
                              u"B;2|Rp 1.500,-|1.5|10500"_s, u"007|Kopi ½ kg — ü||Rp 1.500,-"_s,
                              u"C3|'kutip'|x|007"_s, u"D4|Teh &amp; Gula &lt;1 kg&gt;|&#39;|&"_s});
    const auto table =
        exporting::exportTableOf(u"Laporan \"Uji\" <&> ½"_s, model.table, model.widths,
                                 {u"Toko A&B <Jaya>"_s, u"Jl. Kopi, No. 5; Blok 'C'"_s, {}});
    const Outcome<QString> done = exporting::exportTable(format, table, reports(), {ours});
    QVERIFY2(done.ok(), qPrintable(done.reason()));
    QCOMPARE(QFileInfo(*done).dir(), reports());
    const QStringList shown = readBack(*done);
    TOKO_NEEDS_PART(shown.first() != u"failed 77",
                    "python3-openpyxl is not installed: the spreadsheet cannot be read back");
    QFile file(
        QFINDTESTDATA(u"../data/export-%1.tsv"_s.arg(QLatin1StringView(QTest::currentDataTag()))));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(shown, QString::fromUtf8(file.readAll()).split(u'\n'));
}

void TestExport::fileNames_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << u"Laporan Alur Kas"_s << QStringList() << u"Laporan Alur Kas-1"_s;
    QTest::newRow("never over an existing file")
        << u"Omzet"_s << QStringList{u"Omzet-1.html"_s, u"Omzet-2.html"_s} << u"Omzet-3"_s;
    QTest::newRow("climbing out, characters refused elsewhere")
        << u"../../a:b*c?\"d\"<e>|f\tg"_s << QStringList() << u"_.._a_b_c__d__e__f_g-1"_s;
    QTest::newRow("long") << QString(70, u'a') << QStringList() << QString(60, u'a') + u"-1"_s;
}

void TestExport::fileNames()
{
    QFETCH(QString, title);
    QFETCH(QStringList, existing);
    QFETCH(QString, expected);

    QVERIFY(QDir().mkpath(reports().path()));
    for (const QString& name : existing)
        QVERIFY(QFile(reports().filePath(name)).open(QIODevice::WriteOnly));
    const Outcome<QString> reserved = exporting::reserveReportFile(reports(), title, u"html"_s);
    QCOMPARE(*reserved, reports().absoluteFilePath(expected + u".html"_s));
}

QTEST_MAIN(TestExport)
#include "test_export.moc"

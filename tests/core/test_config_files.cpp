#include "core/config_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestConfigFiles final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void connectionFile_data();
    void connectionFile();
    void shopFile_data();
    void shopFile();
    void receiptSettings_data();
    void receiptSettings();
    void missingReceiptSettingsAreWrittenWithDefaults();
    void writtenFilesReadBack();

private:
    void write(const char* name, const QByteArray& contents);
    std::unique_ptr<QTemporaryDir> m_dir;
    QDir folder() const { return QDir(m_dir->path()); }
};

void TestConfigFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestConfigFiles::write(const char* name, const QByteArray& contents)
{
    QFile file(folder().filePath(QString::fromLatin1(name)));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

void TestConfigFiles::connectionFile_data()
{
    QTest::addColumn<QByteArray>("contents"); // empty = no file
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("missing") << QByteArray() << QStringList{{}, {}, {}};
    QTest::newRow("empty") << QByteArray("\n") << QStringList{{}, {}, {}};
    QTest::newRow("dashes") << QByteArray("toko.db3;-;-\n") << QStringList{u"toko.db3"_qs, {}, {}};
    QTest::newRow("extras kept") << QByteArray("toko.db3;server;x")
                                 << QStringList{u"toko.db3"_qs, u"server"_qs, u"x"_qs};
    QTest::newRow("last line counts")
        << QByteArray("old.db3;-;-\r\nnew.db3;a;b\r\n") << QStringList{u"new.db3"_qs, u"a"_qs, u"b"_qs};
    QTest::newRow("blank lines after the last") << QByteArray("a.db3;-;-\n\n  \n")
                                                << QStringList{u"a.db3"_qs, {}, {}};
    QTest::newRow("semicolon splits the path")
        << QByteArray("C:\\Data;Toko\\toko.db3") << QStringList{u"C:\\Data"_qs, u"Toko\\toko.db3"_qs, {}};
    QTest::newRow("path only") << QByteArray("/srv/toko/toko.db3")
                               << QStringList{u"/srv/toko/toko.db3"_qs, {}, {}};
    QTest::newRow("binary garbage") << QByteArray("\0\xff\xfe;\x01", 5)
                                    << QStringList{QString::fromUtf8("\0\xff\xfe", 3), u"\x01"_qs, {}};
}

void TestConfigFiles::connectionFile()
{
    QFETCH(QByteArray, contents);
    QFETCH(QStringList, expected);
    if (!contents.isEmpty())
        write(config::connectionFile, contents);
    const ConnectionSettings read = config::readConnection(folder());
    QCOMPARE((QStringList{read.databasePath, read.extra1, read.extra2}), expected);
}

void TestConfigFiles::shopFile_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("missing") << QByteArray() << QStringList{{}, {}, {}};
    QTest::newRow("three fields") << QByteArray("Toko Makmur;Jl. Pasar 1;0274-1234\n")
                                  << QStringList{u"Toko Makmur"_qs, u"Jl. Pasar 1"_qs, u"0274-1234"_qs};
    QTest::newRow("extra fields ignored") << QByteArray("A;B;C;D;E")
                                          << QStringList{u"A"_qs, u"B"_qs, u"C"_qs};
    QTest::newRow("name only") << QByteArray("Toko Sinar") << QStringList{u"Toko Sinar"_qs, {}, {}};
    QTest::newRow("utf-8") << QByteArray("Toko Café;Jl. Ñ;-")
                           << QStringList{u"Toko Café"_qs, u"Jl. Ñ"_qs, u"-"_qs};
}

void TestConfigFiles::shopFile()
{
    QFETCH(QByteArray, contents);
    QFETCH(QStringList, expected);
    if (!contents.isEmpty())
        write(config::shopFile, contents);
    const ShopIdentity shop = config::readShop(folder());
    QCOMPARE((QStringList{shop.name, shop.address, shop.phone}), expected);
}

void TestConfigFiles::receiptSettings_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QList<int>>("numbers"); // top, spacing, layout, size
    QTest::addColumn<QString>("font");
    QTest::newRow("default line") << QByteArray("15;150;0;Courier New;6\n")
                                  << QList<int>{15, 150, 0, 6} << u"Courier New"_qs;
    QTest::newRow("four fields") << QByteArray("20;120;2;Arial")
                                 << QList<int>{20, 120, 2, 0} << u"Arial"_qs;
    QTest::newRow("not numbers") << QByteArray("x;;abc;Courier New;big")
                                 << QList<int>{0, 0, 0, 0} << u"Courier New"_qs;
    QTest::newRow("rounded to nearest") << QByteArray("15.6;149.5;1.2;Arial;8.5")
                                        << QList<int>{16, 150, 1, 8} << u"Arial"_qs;
    QTest::newRow("last line counts") << QByteArray("1;2;3;A;4\n5;6;1;B;7\n")
                                      << QList<int>{5, 6, 1, 7} << u"B"_qs;
    QTest::newRow("empty file") << QByteArray("\n") << QList<int>{0, 0, 0, 0} << QString();
    QTest::newRow("huge number") << QByteArray("99999999999;1;1;A;1")
                                 << QList<int>{std::numeric_limits<int>::max(), 1, 1, 1}
                                 << u"A"_qs;
}

void TestConfigFiles::receiptSettings()
{
    QFETCH(QByteArray, contents);
    QFETCH(QList<int>, numbers);
    QFETCH(QString, font);
    write(config::receiptFile, contents);
    const ReceiptSettings s = config::readReceiptSettings(folder());
    QCOMPARE((QList<int>{s.topMargin, s.lineSpacing, s.defaultLayout, s.fontSize}), numbers);
    QCOMPARE(s.fontName, font);
}

void TestConfigFiles::missingReceiptSettingsAreWrittenWithDefaults()
{
    const ReceiptSettings s = config::readReceiptSettings(folder());
    QCOMPARE(s, ReceiptSettings{});
    QCOMPARE(s.defaultLayout, 0);
    QFile file(folder().filePath(u"setting_struk.txt"_qs));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("15;150;0;Courier New;6\n"));
}

void TestConfigFiles::writtenFilesReadBack()
{
    write(config::connectionFile, "old.db3;keep;-\n");
    QVERIFY(config::writeConnection(folder(), {u"/data/baru.db3"_qs, u"keep"_qs, {}}));
    QFile conn(folder().filePath(u"conn.txt"_qs));
    QVERIFY(conn.open(QIODevice::ReadOnly));
    QCOMPARE(conn.readAll(), QByteArray("/data/baru.db3;keep;-\n"));

    const ReceiptSettings written{10, 140, 3, u"Liberation Mono"_qs, 9};
    QVERIFY(config::writeReceiptSettings(folder(), written));
    QCOMPARE(config::readReceiptSettings(folder()), written);
    // Written through a temporary file and a rename: nothing else is left behind.
    QCOMPARE(folder().entryList(QDir::Files).size(), 2);
}

QTEST_APPLESS_MAIN(TestConfigFiles)
#include "test_config_files.moc"

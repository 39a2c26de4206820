#include "core/database.h"
#include "core/shop_settings.h"
#include "core/startup.h"
#include "logic/shop_database.h"
#include "support/test_shop.h"

#include <QProcess>
#include <QTest>

#include <sqlite3.h>
#include <unistd.h>

// The configuration files, the switch to another database, the built program on real folders.
class TestStartup final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void configurationLines_data();
    void configurationLines();
    void settingsFileKeepsWhatItDoesNotKnow();
    void connectingLeavesTheOldDatabaseWhole();
    void logOnReadOnlyMediaIsReadFromAPrivateCopy();
    void program_data();
    void program();

private:
    QDir folder() const { return QDir(m_dir->path()); }
    QString in(const QString& name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestStartup::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    qputenv("QT_QPA_PLATFORM", "offscreen"); // for the program started from here
}

void TestStartup::configurationLines_data()
{
    QTest::addColumn<QByteArray>("conn");
    QTest::addColumn<QByteArray>("receipt");
    QTest::addColumn<QStringList>("fields"); // database, extras, receipt settings
    QTest::newRow("no files") << QByteArray() << QByteArray()
                              << QStringList{{}, {}, {}, u"15;150;0;Courier New;6"_qs};
    QTest::newRow("last lines; - empty; rounded, not numbers, too few")
        << QByteArray("old.db3;-;-\r\nnew.db3;-;b\r\n\n  \n")
        << QByteArray("1;2;3;A;4\nx;149.5;1.2;Arial")
        << QStringList{u"new.db3"_qs, {}, u"b"_qs, u"0;150;1;Arial;0"_qs};
}

void TestStartup::configurationLines()
{
    QFETCH(QByteArray, conn);
    QFETCH(QByteArray, receipt);
    for (const auto& [name, line] :
         {std::pair{"conn.txt", conn}, std::pair{"setting_struk.txt", receipt}})
        QVERIFY(line.isEmpty() || config::writeFileAtomically(in(QString::fromLatin1(name)), line));
    const ConnectionSettings c = config::readConnection(folder());
    const QString r = config::receiptSettingsLine(config::readReceiptSettings(folder()));
    QTEST((QStringList{c.databasePath, c.extra1, c.extra2, r}), "fields");
}

void TestStartup::settingsFileKeepsWhatItDoesNotKnow()
{
    QVERIFY(config::writeFileAtomically(
        in(u"toko.ini"_qs), "# a note\nlater.key = kept\ndrawer.pin=x\nprinter.escpos=yes\n"));
    ShopSettings settings = ShopSettings::read(folder());
    QCOMPARE(settings.number(setting::drawerPin, 2), 2);
    QCOMPARE(settings.flag(setting::printerEscPos, false), true);
    settings.setText(setting::printerDevice, u"tcp:kasir\n2:9100"_qs);
    QVERIFY(settings.write(folder()));
    const ShopSettings reread = ShopSettings::read(folder());
    QCOMPARE(reread.text(u"later.key"_qs), u"kept"_qs);
    QCOMPARE(reread.text(setting::printerDevice), u"tcp:kasir 2:9100"_qs);
}

void TestStartup::connectingLeavesTheOldDatabaseWhole()
{
    TestShop shop;
    shop.context().connection.extra1 = u"server1"_qs;
    const QString other = in(u"cabang.db3"_qs);
    QVERIFY(shopdb::create(other, false).ok());
    const Outcome<QString> connected = connectDatabase(shop.context(), other);
    QVERIFY2(connected && connected->isEmpty(), qPrintable(connected.reason()));
    QCOMPARE(shop.folder().entryList({u"toko.db3*"_qs}), QStringList{u"toko.db3"_qs});
    QCOMPARE(config::lastLine(shop.folder().filePath(u"conn.txt"_qs)), other + u";server1;-"_qs);
}

void TestStartup::logOnReadOnlyMediaIsReadFromAPrivateCopy()
{
    // 112 documents, 67 of them in the log, on two CDs; the second CD's log outgrows any disk.
    TestShop shop;
    const QString sales =
        u"with recursive n(i) as (select ? union all select i + 1 from n where "
        "i < ?) insert into transaksi (kode) select printf('JL-%014d', i) from n"_qs;
    QVERIFY(shop.db().exec(sales, {1, 45}) && shop.db().checkpoint() &&
            shop.db().exec(sales, {46, 112}));
    for (const QString& cd : {u"cd/"_qs, u"cd2/"_qs}) {
        QVERIFY(folder().mkdir(cd));
        for (const QString& file : {u"toko.db3"_qs, u"toko.db3-wal"_qs})
            QVERIFY(QFile::copy(shop.folder().filePath(file), in(cd + file)));
        QFile::setPermissions(in(cd), QFileDevice::Permissions(0x5555));
    }
    QVERIFY(QFile(in(u"cd2/toko.db3-wal"_qs)).resize(qint64(8) << 40)); // sparse
    QFile::setPermissions(folder().path(), QFileDevice::Permissions(0x7755));
    // Root, whom permissions do not stop, reads the CDs as a user.
    const auto open = [root = geteuid() == 0](Database& db, const QString& file) {
        (void)(root && seteuid(65534));
        const bool opened = db.open(file);
        (void)(root && seteuid(0));
        return opened;
    };
    Database db;
    const QString cd = in(u"cd/toko.db3"_qs);
    QVERIFY2(open(db, cd), qPrintable(db.errorMessage()));
    QCOMPARE(db.scalar(u"select count(*) from transaksi"_qs), u"112"_qs);
    QVERIFY(db.isReadOnly());
    QVERIFY(readOnlyNotice(db).endsWith(cd + u" (log-nya diterapkan pada salinan sementara "_qs +
                                        db.privateCopy() + u')'));
    const QString copy = db.privateCopy();
    db.close();
    QVERIFY(!QFile::exists(copy));
    QVERIFY(!open(db, in(u"cd2/toko.db3"_qs)));
    QCOMPARE(db.errorMessage(),
             u"ruang kosong tidak cukup untuk salinan sementara database: perlu 8388609 MB di "_qs +
                 QDir::tempPath());
}

void TestStartup::program_data()
{
    QTest::addColumn<QByteArray>("connLine");
    QTest::addColumn<QByteArray>("said"); // on standard error: no screen, no boxes
    QTest::newRow("NUL in the path")
        << QByteArray("toko\0.db3;-;-", 13)
        << QByteArray("Info: Tidak dapat membuka database: path database memuat karakter NUL");
    QTest::newRow("read-only shop")
        << QByteArray("toko.db3") << QByteArray("Info: Database hanya dapat dibaca");
}

void TestStartup::program()
{
    QFETCH(QByteArray, connLine);
    QFETCH(QByteArray, said);
    const QString database = in(u"toko.db3"_qs);
    QVERIFY(shopdb::create(database, true).ok());
    // Left in log mode, as a copy taken while toko ran: no log can be made on a CD.
    sqlite3* raw = nullptr;
    QCOMPARE(sqlite3_open(qPrintable(database), &raw), SQLITE_OK);
    sqlite3_exec(raw, "pragma journal_mode=wal", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    for (const char* name : {"conn.txt", "setting_struk.txt"})
        QVERIFY(config::writeFileAtomically(in(QString::fromLatin1(name)), connLine));
    // The folder as on a CD. Root, whom permissions do not stop, reaches it as a user.
    for (const QString& file : folder().entryList(QDir::Files))
        QFile::setPermissions(in(file), QFileDevice::Permissions(0x4444));
    QFile::setPermissions(folder().path(), QFileDevice::Permissions(0x5555));
    QProcess toko;
    if (geteuid() == 0)
        toko.setChildProcessModifier([] { (void)!setgid(65534), (void)!setuid(65534); });
    toko.setWorkingDirectory(folder().path());
    toko.start(QStringLiteral(TOKO_PROGRAM), {});
    QByteArray error;
    QTRY_VERIFY_WITH_TIMEOUT((error += toko.readAllStandardError()).contains(said), 20000);
    // Refused: exit code 1 and no new file; opened: the main window waits for a login.
    toko.waitForFinished(1000);
    QCOMPARE(toko.state() ? -1 : toko.exitCode(), connLine == "toko.db3" ? -1 : 1);
    toko.kill();
    toko.waitForFinished();
    QCOMPARE(folder().entryList(QDir::Files).size(), 3);
    QFile::setPermissions(folder().path(), QFileDevice::Permissions(0x7000));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"

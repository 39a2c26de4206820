#include "core/startup.h"
#include "support/test_shop.h"
#include "tools/shop_database.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Start-up against real shop folders, and the built program itself.
class TestStartup final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void readsTheShopFolder();
    void missingConnectionFileStartsOnAnEmptyDatabase();
    void programRefusesDatabasesItCannotOpen_data();
    void programRefusesDatabasesItCannotOpen();
    void programStartsOnAReadyShop();

private:
    void write(const QString& name, const QByteArray& contents);
    QString program() const;
    void start(QProcess& toko);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestStartup::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestStartup::write(const QString& name, const QByteArray& contents)
{
    QFile file(QDir(m_dir->path()).filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

QString TestStartup::program() const
{
    return QStringLiteral(TOKO_PROGRAM);
}

// The program run headless from the test's shop folder.
void TestStartup::start(QProcess& toko)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
    toko.setProcessEnvironment(environment);
    toko.setWorkingDirectory(m_dir->path());
    toko.start(program(), {});
    QVERIFY2(toko.waitForStarted(), qPrintable(program()));
}

void TestStartup::readsTheShopFolder()
{
    const QDir folder(m_dir->path());
    QVERIFY(shopdb::create(folder.filePath(u"data.db3"_qs), false).isEmpty());
    write(u"conn.txt"_qs, "old.db3;-;-\ndata.db3;x;-\n");
    write(u"toko.txt"_qs, "Toko Makmur;Jl. Pasar 1;0274-1234\n");

    ScriptedMessages messages;
    FixedClock clock(QDateTime(QDate(2024, 3, 7), QTime(23, 59, 59)));
    AppContext context(messages, clock, folder);
    QString error;
    QVERIFY(startUp(context, error));
    QCOMPARE(error, QString());
    QCOMPARE(context.connection.databasePath, u"data.db3"_qs);
    QCOMPARE(context.connection.extra1, u"x"_qs);
    QCOMPARE(context.connection.extra2, QString());
    QCOMPARE(context.shop.name, u"Toko Makmur"_qs);
    QCOMPARE(context.shop.phone, u"0274-1234"_qs);
    QCOMPARE(context.startDate, u"2024-03-07"_qs);
    QCOMPARE(context.receipt, ReceiptSettings{});
    QVERIFY(QFile::exists(folder.filePath(u"setting_struk.txt"_qs)));
    QCOMPARE(context.db().scalar(u"select count(*) from useradmin"_qs), u"1"_qs);
    QVERIFY(messages.shown().isEmpty());
}

void TestStartup::missingConnectionFileStartsOnAnEmptyDatabase()
{
    ScriptedMessages messages;
    FixedClock clock(QDateTime(QDate(2024, 3, 7), QTime(8, 0)));
    AppContext context(messages, clock, QDir(m_dir->path()));
    QString error;
    QVERIFY(startUp(context, error));
    QCOMPARE(context.shop.name, QString());
    // Every statement then says which table is missing.
    context.db().scalar(u"select count(*) from barang"_qs);
    QCOMPARE(messages.lastText(), u"SQL error: no such table: barang"_qs);
}

void TestStartup::programRefusesDatabasesItCannotOpen_data()
{
    QTest::addColumn<QByteArray>("connLine");
    QTest::addColumn<QByteArray>("databaseFile"); // written as bad.db3 when not empty
    QTest::addColumn<QString>("message");
    QTest::newRow("folder") << QByteArray("/tmp;-;-") << QByteArray()
                            << u"Tidak dapat membuka database: unable to open database file"_qs;
    QTest::newRow("missing folder") << QByteArray("no/such/folder/toko.db3;-;-") << QByteArray()
                                    << u"Tidak dapat membuka database: unable to open database file"_qs;
    QTest::newRow("not a database") << QByteArray("bad.db3") << QByteArray(4096, 'x')
                                    << u"Tidak dapat membuka database: file is not a database"_qs;
}

void TestStartup::programRefusesDatabasesItCannotOpen()
{
    QFETCH(QByteArray, connLine);
    QFETCH(QByteArray, databaseFile);
    QFETCH(QString, message);
    write(u"conn.txt"_qs, connLine);
    if (!databaseFile.isEmpty())
        write(u"bad.db3"_qs, databaseFile);

    QProcess toko;
    start(toko);
    QVERIFY2(toko.waitForFinished(20000), "toko did not end after the failed open");
    QCOMPARE(toko.exitStatus(), QProcess::NormalExit);
    QCOMPARE(toko.exitCode(), 1);
    QVERIFY2(QString::fromUtf8(toko.readAllStandardError()).contains(u"Info: "_qs + message),
             qPrintable(message));
    // Nothing else happened: no receipt settings were written.
    QVERIFY(!QFile::exists(QDir(m_dir->path()).filePath(u"setting_struk.txt"_qs)));
}

void TestStartup::programStartsOnAReadyShop()
{
    const QDir folder(m_dir->path());
    QVERIFY(shopdb::create(folder.filePath(u"toko.db3"_qs), true).isEmpty());
    write(u"conn.txt"_qs, "toko.db3;-;-\n");
    QProcess toko;
    start(toko);
    // The receipt settings are written once the database is open; then the
    // main window waits for a login.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.filePath(u"setting_struk.txt"_qs)), 20000);
    QVERIFY2(!toko.waitForFinished(1000), toko.readAllStandardError().constData());
    QCOMPARE(toko.state(), QProcess::Running);
    toko.kill();
    toko.waitForFinished();
}

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"

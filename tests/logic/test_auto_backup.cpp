#include "core/shop_settings.h"
#include "logic/auto_backup.h"
#include "support/needs_part.h"
#include "support/test_shop.h"

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

// The backups toko makes as it closes: when, how many, where, and what it says.
class TestAutoBackup final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup()
    {
        if (!m_mount.isEmpty())
            QProcess::execute(u"umount"_s, {u"-l"_s, std::exchange(m_mount, {})});
    }
    void closingDayAfterDayKeepsTheNewest();
    void olderBackupsMakeRoomOnAFullDisk_data();
    void olderBackupsMakeRoomOnAFullDisk();
    void secondFolder_data();
    void secondFolder();
    void serverBacksUpWhenTheLastTillCloses();

private:
    // Stores a customer in a transaction, as a document is stored, on `day` at 18:00, and closes.
    AutoBackup::Result storeAndClose(AutoBackup& backups, int day, bool close = true);
    QStringList saved() const { return QDir(inShop(u"backup"_s)).entryList({u"*.datatoko"_s}); }
    QString inShop(const QString& name) const { return m_shop->folder().filePath(name); }
    bool marked() const
    {
        return m_shop->folder().exists(QString::fromLatin1(AutoBackup::markName));
    }
    std::unique_ptr<TestShop> m_shop;
    QString m_mount; // the stick, while a tmpfs is mounted there
};

void TestAutoBackup::init()
{
    m_shop = std::make_unique<TestShop>(TestShop::Data::Empty, TestShop::Server::Database);
    // A backup made by hand that found its way into the folder.
    QFile byHand(inShop(u"backup/BackUp2024_03_01.datatoko"_s));
    QVERIFY(m_shop->folder().mkdir(u"backup"_s) && byHand.open(QIODevice::WriteOnly));
}

AutoBackup::Result TestAutoBackup::storeAndClose(AutoBackup& backups, int day, bool close)
{
    m_shop->clock.set(QDateTime(QDate(2024, 4, 1).addDays(day), QTime(18, 0)));
    Database::Transaction transaction(m_shop->db());
    if (!m_shop->db().exec(u"insert into pelanggan (kode) values (?)"_s, {day}) ||
        !transaction.commit())
        return {{}, {m_shop->db().errorMessage()}, {}};
    return close ? backups.atClose() : AutoBackup::Result();
}

void TestAutoBackup::closingDayAfterDayKeepsTheNewest()
{
    auto backups = std::make_unique<AutoBackup>(m_shop->db(), m_shop->clock, m_shop->folder());
    backups->watch();
    // Nothing stored yet: a server's shop gets its first automatic backup.
    QCOMPARE(backups->atClose().written.size(), int(TestShop::onServer()));
    for (int day = 0; day < 35; ++day)
        QVERIFY(storeAndClose(*backups, day).failures.isEmpty());
    QVERIFY(backups->atClose().written.isEmpty()); // nothing stored since
    QCOMPARE(saved().size(), 31);
    QCOMPARE(saved().first(), u"BackUp2024_03_01.datatoko"_s);
    QCOMPARE(saved().at(1), u"Otomatis2024_04_06_180000.datatoko"_s);

    // Killed after a sale: the mark makes the next run back it up, and a
    // copy cut short by the kill is removed, the earlier backups left whole.
    storeAndClose(*backups, 35, false);
    QVERIFY(marked());
    QFile cut(
        filesystem::temporaryName(inShop(u"backup/Otomatis2024_05_06_180000.datatoko"_s))
            .replace(u"-%1.tmp"_s.arg(QCoreApplication::applicationPid()), u"-999999999.tmp"_s));
    QVERIFY(cut.open(QIODevice::WriteOnly));
    backups = std::make_unique<AutoBackup>(m_shop->db(), m_shop->clock, m_shop->folder());
    QCOMPARE(backups->atStart(), QString());
    QVERIFY(!cut.exists());
    QCOMPARE(backups->atClose().written.size(), 1);
    QVERIFY(!marked());
}

void TestAutoBackup::olderBackupsMakeRoomOnAFullDisk_data()
{
    // The disk holds `room` backups' worth; each write needs room for two.
    QTest::addColumn<double>("room");
    QTest::addColumn<int>("automatic"); // left after five closes
    QTest::newRow("ample") << 100.0 << 5;
    QTest::newRow("tight: the oldest go") << 5.5 << 4;
    QTest::newRow("full: none written") << 1.5 << 0;
}

void TestAutoBackup::olderBackupsMakeRoomOnAFullDisk()
{
    if (TestShop::onServer())
        QSKIP("a server's backup is as large as the last one: the first is not known before");
    QFETCH(double, room);
    QFETCH(int, automatic);
    AutoBackup backups(m_shop->db(), m_shop->clock, m_shop->folder());
    backups.watch();
    backups.reserve = 0;
    const qint64 size = 4096 * m_shop->db().scalar(u"pragma page_count"_s).toLongLong();
    backups.freeBytes = [&](const QString& folder) {
        qint64 free = qint64(room * size);
        for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files))
            free -= file.size();
        return free;
    };
    for (int day = 0; day < 5; ++day)
        storeAndClose(backups, day);
    QCOMPARE(saved().size() - 1, automatic);
    QCOMPARE(marked(), automatic == 0);
    QCOMPARE(backups.atStart().contains(u"backup: ruang disk tidak cukup"_s), automatic == 0);
}

void TestAutoBackup::secondFolder_data()
{
    QTest::addColumn<QString>("mount"); // tmpfs options; empty: no mount
    QTest::addColumn<bool>("made");
    QTest::addColumn<QString>("failure");
    QTest::newRow("stick") << u"size=200m"_s << true << QString();
    QTest::newRow("read-only stick") << u"ro,size=200m"_s << true << u"Read-only"_s;
    QTest::newRow("full stick") << u"size=1m"_s << true << u"ruang disk tidak cukup"_s;
    QTest::newRow("missing") << QString() << false << u"folder tidak ditemukan"_s;
    QTest::newRow("stick not plugged in") << QString() << true << u"flashdisk tidak terpasang"_s;
}

void TestAutoBackup::secondFolder()
{
    QFETCH(QString, mount);
    QFETCH(QString, failure);
    QFETCH(bool, made);
    const QString stick = inShop(u"stick"_s);
    QVERIFY(!made || QDir().mkpath(stick));
    m_mount = mount.isEmpty() ? QString() : stick;
    TOKO_NEEDS_PART(mount.isEmpty() ||
                        QProcess::execute(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, mount,
                                                       u"tmpfs"_s, stick}) == 0,
                    "mounting a tmpfs as the stick needs root");
    ShopSettings settings;
    settings.setText(setting::backupSecondFolder, u"stick"_s);
    QVERIFY(settings.write(m_shop->folder()));
    AutoBackup backups(m_shop->db(), m_shop->clock, m_shop->folder());
    const AutoBackup::Result result = storeAndClose(backups, 0);
    QCOMPARE(result.written.size(), failure.isEmpty() ? 2 : 1); // the first folder always
    QCOMPARE(result.mayPull, failure.isEmpty() ? stick : QString());
    QVERIFY(result.failures.value(0).contains(failure));
    QCOMPARE(QDir(stick).entryList(QDir::Files).size(), failure.isEmpty() ? 1 : 0);
}

void TestAutoBackup::serverBacksUpWhenTheLastTillCloses()
{
    if (!TestShop::onServer())
        QSKIP("several tills share a server's shop only");
    AutoBackup backups(m_shop->db(), m_shop->clock, m_shop->folder());
    auto other = std::make_unique<Database>();
    QVERIFY(other->open(m_shop->databasePath()));
    QVERIFY(storeAndClose(backups, 0).written.isEmpty()); // the other till backs up
    QVERIFY(other->exec(u"insert into pelanggan (kode) values ('PL-LAIN')"_s));
    other.reset();
    QStringList written; // by the last till, once the other's connection has ended
    QTRY_VERIFY(!(written += backups.atClose().written).isEmpty());
    QCOMPARE(written.size(), 1);
}

QTEST_GUILESS_MAIN(TestAutoBackup)
#include "test_auto_backup.moc"

#include "core/backup.h"
#include "core/numbering.h"
#include "core/startup.h"
#include "logic/shop_database.h"
#include "support/needs_part.h"
#include "support/test_shop.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <sqlite3.h>

#include <iostream>
#include <limits>
#include <thread>

namespace {

// A folder of blocks smaller than a memory page, as a 1 KiB-block ext4.
const auto smallBlocks = [](const QString&) { return filesystem::Facts{0xEF53, 1024, 4096}; };

// A second toko process: says its journal mode and, once its input ends, stores a customer.
int secondTill(const QString& path)
{
    Database db;
    db.setFileSystemProbe(smallBlocks);
    if (!db.open(path))
        return 1;
    std::cout << qPrintable(db.scalar(u"pragma journal_mode"_qs)) << std::endl;
    std::cin.ignore(std::numeric_limits<std::streamsize>::max());
    return db.exec(u"insert into pelanggan (kode) values ('PL-00042')"_qs) ? 0 : 1;
}

// Fills a shop on a mounted image; says its journal, the refusals, whether all stored are there.
int fillDisk(const QString& image, const QString& disk)
{
    if (!QDir().mkpath(disk) || QProcess::execute(u"mount"_qs, {u"-o"_qs, u"loop"_qs, image, disk}))
        return 2;
    const QString path = disk + u"/toko.db3"_qs;
    Database shop;
    QFile filler(disk + u"/filler"_qs);
    if (!shopdb::create(path, false) || !shop.open(path) ||
        !filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return 1;
    while (filler.write(QByteArray(1024, 'x')) == 1024) {
    }
    filler.resize(filler.size() - 32768);
    QStringList refusals;
    int stored = 0;
    for (int size = 20000; size > 8;) {
        if (shop.exec(u"insert into pelanggan (kode, nama) values (?, hex(randomblob(?)))"_qs,
                      {stored, size})) {
            ++stored;
        } else {
            refusals << shop.errorMessage();
            size /= 2;
        }
    }
    refusals.removeDuplicates();
    std::cout << qPrintable(shop.scalar(u"pragma journal_mode"_qs)) << '\n'
              << qPrintable(refusals.join(u'|')) << '\n'
              << qPrintable(shop.scalar(u"select count(*) = ? from pelanggan"_qs, {stored}))
              << std::endl;
    return 0;
}

} // namespace

// The connection, the numbering of documents, the schema, backups and restores.
class TestDatabase final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void statementsTransactionsKeysAndJournal();
    void nextNumberClearsStaleLinesAndMalformedCodes_data();
    void nextNumberClearsStaleLinesAndMalformedCodes();
    void backupStandsAloneAndRestoreKeepsEverySafetyCopy();
    void restoreRefusesWhatIsNoUndamagedShop();
    void journalFollowsTheFileSystem_data();
    void journalFollowsTheFileSystem();
    void smallBlocksOnARealDiskFillUpWithoutACrash();
    void restoreWaitsForAnotherTillInRollbackMode();
    void leftoversOfEndedRunsGo_data();
    void leftoversOfEndedRunsGo();

private:
    Database& db() { return m_shop->db(); }
    QString count(const QString& t) { return db().scalar(u"select count(*) from "_qs + t); }
    void addCustomers(int count);
    QString inShop(const QString& name) const { return m_shop->folder().filePath(name); }
    QStringList shopFiles() const { return m_shop->folder().entryList(QDir::Files); }
    std::unique_ptr<TestShop> m_shop;
};

void TestDatabase::init()
{
    m_shop = std::make_unique<TestShop>();
    QCOMPARE(m_shop->error(), QString());
}

void TestDatabase::addCustomers(int count)
{
    QVERIFY(
        db().exec(u"with recursive n(i) as (select 1 union all select i + 1 from n where i < ?) "
                  "insert into pelanggan select (select count(*) from pelanggan) + i, "
                  "hex(zeroblob(100)), '', '', '' from n"_qs,
                  {count}));
}

void TestDatabase::statementsTransactionsKeysAndJournal()
{
    // A line refused, and an error that ends the whole transaction as a full disk does.
    QVERIFY(db().execScript(u"create trigger t before insert on itempenjualan begin select case "
                            "new.Kode when 'bad' then raise(abort, 'refused') when 'full' then "
                            "raise(rollback, 'disk full') end; end"_qs));
    const auto save = [&](const QStringList& lines) {
        Database::Transaction transaction(db());
        bool ok = db().exec(u"insert into transaksi (Kode) values ('JL-00000000000002')"_qs);
        for (const QString& line : lines)
            ok = db().exec(u"insert into itempenjualan (Kode) values (?)"_qs, {line}) && ok;
        return ok && transaction.commit();
    };
    QVERIFY(!save({u"a"_qs, u"bad"_qs, u"c"_qs}));
    QVERIFY(!save({u"a"_qs, u"full"_qs, u"c"_qs}));
    QCOMPARE(db().errorMessage(), u"the transaction was rolled back"_qs);
    QCOMPARE(count(u"(select Kode from transaksi union all select Kode from itempenjualan)"_qs),
             u"0"_qs);
    QVERIFY(save({u"a"_qs, u"c"_qs}));
    QVERIFY(db().exec(u"insert into barang (kode, nama) values ('A', 'a'), ('B', 'b')"_qs));
    const QString sql = u"select nama, ?, 3.0, 1.0/3, 1e20, null from barang order by kode"_qs;
    QStringList rows;
    QVERIFY(db().query(sql, {u"Bu 'Yati'"_qs}, [&](const QStringList& row) {
        rows << row.join(u'|') + db().scalar(sql, {u"x"_qs}); // the same statement, stepping
        db().close();                                         // refused meanwhile
    }));
    const QString numbers = u"|Bu 'Yati'|3|0.3333333333333333|100000000000000000000|a"_qs;
    QCOMPARE(rows, (QStringList{u"a"_qs + numbers, u"b"_qs + numbers}));
    // NUMERIC, never REAL: a REAL column reads 3 back as "3.0". Document codes are keys.
    QVERIFY(!db().exec(u"insert into transaksi (Kode) values ('JL-00000000000002')"_qs, {}));
    QCOMPARE(count(u"sqlite_master m, pragma_table_info(m.name) c where c.type='REAL'"_qs),
             u"0"_qs);
    // toko-initdb never touches an existing file.
    QVERIFY(shopdb::create(m_shop->databasePath(), true).reason().startsWith(u"File sudah ada"_qs));

    // One file at rest, a log while open.
    db().close();
    QCOMPARE(m_shop->folder().entryList({u"toko.db3*"_qs}), QStringList{u"toko.db3"_qs});
    QFile file(m_shop->databasePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(20).mid(18), QByteArray("\1\1")); // rollback journal at rest
    // Another program in the middle of a write is waited for, from the first statement on.
    sqlite3* writer = nullptr;
    QCOMPARE(sqlite3_open(qPrintable(m_shop->databasePath()), &writer), SQLITE_OK);
    QCOMPARE(sqlite3_exec(writer, "begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread done([writer] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(writer, "commit", nullptr, nullptr, nullptr);
        sqlite3_close(writer);
    });
    const bool opened = db().open(m_shop->databasePath());
    done.join();
    QVERIFY2(opened, qPrintable(db().errorMessage()));
    // One sync per commit, and synchronous=FULL (2): a commit survives a power cut.
    QCOMPARE(db().scalar(u"pragma journal_mode"_qs), u"wal"_qs);
    QCOMPARE(db().scalar(u"pragma synchronous"_qs), u"2"_qs);
}

void TestDatabase::nextNumberClearsStaleLinesAndMalformedCodes_data()
{
    QTest::addColumn<QString>("stored");     // table:code ...
    QTest::addColumn<QList<qint64>>("last"); // of the documents, of the stock corrections
    QTest::newRow("one sequence, every kind")
        << u"transaksi:JL-00000000000005 transaksi:BL-00000000000007 "
           "itemkoreksi:KS-00000000000009"_qs
        << QList<qint64>{7, 9};
    // Reset Data deletes the documents and leaves their lines.
    QTest::newRow("lines left by a reset")
        << u"transaksi:JL-00000000000003 itempenjualan:JL-00000000000012 "
           "itemreturbeli:RB-00000000000020"_qs
        << QList<qint64>{20, 0};
    QTest::newRow("malformed codes skipped")
        << u"transaksi:KM-5 transaksi:JL-00000000000003 transaksi:JL-000000000000099 "
           "itempenjualan:JL-5 itempembelian:BL-0000000000009x itemkoreksi:KS-7"_qs
        << QList<qint64>{3, 0};
}

void TestDatabase::nextNumberClearsStaleLinesAndMalformedCodes()
{
    QFETCH(QString, stored);
    QFETCH(QList<qint64>, last);
    for (const QString& row : stored.split(u' ', Qt::SkipEmptyParts))
        QVERIFY(db().exec(u"insert into "_qs + row.section(u':', 0, 0) + u" (Kode) values (?)"_qs,
                          {row.section(u':', 1)}));
    for (const auto sequence :
         {numbering::Sequence::Transactions, numbering::Sequence::StockCorrections}) {
        const Outcome<qint64> found = numbering::lastNumber(db(), sequence);
        QVERIFY2(found, qPrintable(found.reason()));
        QCOMPARE(*found, last.at(int(sequence)));
    }
    // Asked at every save: index lookups only, however many lines the shop has.
    const QStringList cached = db().cachedStatements();
    QCOMPARE(cached.filter(u"order by substr(Kode,4,14) desc"_qs).size(), 2);
    for (const QString& sql : cached) {
        QStringList steps;
        QVERIFY(db().query(u"explain query plan "_qs + sql, QVariantList(sql.count(u'?'), u"x"_qs),
                           [&](const QStringList& step) { steps.append(step.value(3)); }));
        // A bare "SCAN table" reads every row.
        const QString plan = u" | "_qs + steps.join(u" | ") + u" |"_qs;
        QVERIFY2(!plan.contains(QRegularExpression(u"TEMP B-TREE| SCAN \\w+ \\|"_qs)),
                 qPrintable(plan));
    }
}

void TestDatabase::restoreRefusesWhatIsNoUndamagedShop()
{
    addCustomers(100);
    const QString path = inShop(u"rusak.datatoko"_qs);
    // Garbled: the header; page 3, the customers' root; page 6, the sale lines' root.
    for (const auto& [alter, offset, reason] :
         {std::tuple{"", 0, u"file is not a database"_qs}, std::tuple{"", 8192, u"file rusak: "_qs},
          std::tuple{"", 20480, u"file rusak: *** in database main ***"_qs},
          std::tuple{"alter table itempenjualan rename column Qty to banyak", 0,
                     u"tabel data toko tidak lengkap: itempenjualan.qty"_qs}}) {
        QVERIFY(backup::save(db(), path));
        Database other;
        QFile file(path);
        QVERIFY(*alter ? other.open(path) && other.exec(QString::fromLatin1(alter))
                       : file.open(QIODevice::ReadWrite) && file.seek(offset) &&
                             file.write(QByteArray(64, '\xff')) == 64);
        other.close();
        file.close();
        const QStringList before = shopFiles();
        const Outcome<QString> restored = backup::restore(db(), path, m_shop->clock.now());
        QVERIFY2(!restored && restored.reason().startsWith(reason), qPrintable(restored.reason()));
        QCOMPARE(shopFiles(), before);
        QCOMPARE(count(u"pelanggan"_qs), u"100"_qs);
    }
}

void TestDatabase::backupStandsAloneAndRestoreKeepsEverySafetyCopy()
{
    const QString saved = inShop(backup::fileName(QDate(2024, 3, 7)));
    addCustomers(1); // still in the log, not yet in the database file
    QVERIFY(backup::save(db(), saved));
    addCustomers(1);
    QVERIFY(backup::save(db(), saved)); // the same day again: replaced
    {
        // A failed copy (the shop's own write is open) leaves the earlier file whole.
        Database::Transaction pending(db());
        addCustomers(1);
        QVERIFY(!backup::save(db(), saved));
    }
    QCOMPARE(shopFiles().filter(u"BackUp"_qs), QStringList{u"BackUp2024_03_07.datatoko"_qs});
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(20).mid(18), QByteArray("\1\1")); // rollback journal, no log beside it

    addCustomers(2); // left in the log: in the safety copy, and never in the restored file
    {
        // Another program (no lock) reads through the log: swapping the file under it is refused.
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(qPrintable(m_shop->databasePath()), &other), SQLITE_OK);
        const auto closeOther = qScopeGuard([other] { sqlite3_close(other); });
        QCOMPARE(sqlite3_exec(other, "select * from pelanggan", nullptr, nullptr, nullptr),
                 SQLITE_OK);
        const QStringList before = shopFiles();
        QCOMPARE(backup::restore(db(), saved, m_shop->clock.now()).reason(),
                 u"database masih dibuka program lain"_qs);
        QCOMPARE(shopFiles(), before);
    }
    const QString name = m_shop->databasePath() + u".sebelum-restore-20240307-100000"_qs;
    for (const QString& copy : QStringList{name, name + u"-2"_qs}) { // twice in one second
        const Outcome<QString> restored = backup::restore(db(), saved, m_shop->clock.now());
        QCOMPARE(restored ? *restored : restored.reason(), copy);
    }
    Database before;
    QVERIFY(before.open(name, Database::Access::ReadOnly));
    QCOMPARE(before.scalar(u"select count(*) from pelanggan"_qs), u"4"_qs);
    QCOMPARE(count(u"pelanggan"_qs), u"2"_qs); // committed when the backup was made
    QCOMPARE(db().scalar(u"pragma quick_check"_qs), u"ok"_qs);
    addCustomers(1); // the restored file is the one in use, and writable
}

void TestDatabase::journalFollowsTheFileSystem_data()
{
    QTest::addColumn<qint64>("type");
    QTest::addColumn<qint64>("blockSize");
    QTest::addColumn<QString>("journal");
    QTest::addColumn<QString>("network"); // named at the start
    QTest::newRow("ext4, 4 KiB") << qint64(0xEF53) << qint64(4096) << u"wal"_qs << QString();
    QTest::newRow("ext4, 1 KiB") << qint64(0xEF53) << qint64(1024) << u"delete"_qs << QString();
    QTest::newRow("NFS") << qint64(0x6969) << qint64(1048576) << u"delete"_qs << u"NFS"_qs;
    QTest::newRow("SMB") << qint64(0xFF534D42) << qint64(16384) << u"delete"_qs << u"CIFS"_qs;
    QTest::newRow("sshfs") << qint64(0x65735546) << qint64(4096) << u"delete"_qs << u"FUSE"_qs;
    QTest::newRow("statfs failed") << qint64(0) << qint64(0) << u"delete"_qs << QString();
}

void TestDatabase::journalFollowsTheFileSystem()
{
    QFETCH(qint64, type);
    QFETCH(qint64, blockSize);
    // Asked of the folder that holds the database, not of the current one.
    db().setFileSystemProbe([&](const QString& folder) {
        return folder == m_shop->folder().path() ? filesystem::Facts{type, blockSize, 4096}
                                                 : filesystem::Facts{0xEF53, 1024, 4096};
    });
    db().close(); // a file in log mode goes back to the journal only when no one else has it open
    const Outcome<QString> started = startUp(m_shop->context());
    QTEST(db().scalar(u"pragma journal_mode"_qs), "journal");
    QTEST(started->section(u'(', 1).section(u')', 0, 0), "network");
}

void TestDatabase::smallBlocksOnARealDiskFillUpWithoutACrash()
{
    // A 6 MB ext4 (1 KiB blocks), mounted in a second process's own namespace: nothing stays.
    QTemporaryDir dir;
    const QString image = dir.filePath(u"disk.img"_qs);
    QFile file(image);
    QProcess filler;
    if (file.open(QIODevice::WriteOnly) && file.resize(6 << 20) &&
        QProcess::execute(u"mkfs.ext4"_qs, {u"-q"_qs, image}) == 0)
        filler.start(u"unshare"_qs, {u"--mount"_qs, u"--propagation"_qs, u"private"_qs,
                                     QCoreApplication::applicationFilePath(), u"--fill-disk"_qs,
                                     image, dir.filePath(u"disk"_qs)});
    TOKO_NEEDS_PART(filler.waitForFinished(60000) && filler.exitCode() != 2,
                    "a loop-mounted ext4 image needs root, unshare, mount and mkfs.ext4");
    QCOMPARE(filler.exitStatus(), QProcess::NormalExit); // no SIGBUS
    const QList<QByteArray> said = filler.readAllStandardOutput().split('\n');
    QCOMPARE(said.value(0), QByteArray("delete"));
    QCOMPARE(said.value(1), QByteArray("database or disk is full")); // every refusal
    QCOMPARE(said.value(2), QByteArray("1")); // each stored whole or not at all
}

void TestDatabase::restoreWaitsForAnotherTillInRollbackMode()
{
    const QString saved = inShop(u"BackUp2024_03_07.datatoko"_qs);
    QVERIFY(backup::save(db(), saved));
    db().setFileSystemProbe(smallBlocks);
    db().close();
    QVERIFY(db().open(m_shop->databasePath()));
    QProcess till;
    till.start(QCoreApplication::applicationFilePath(),
               {u"--second-till"_qs, m_shop->databasePath()});
    QVERIFY(till.waitForReadyRead(10000));
    QCOMPARE(till.readLine(), QByteArray("delete\n")); // no log that could outlive its close
    const QStringList before = shopFiles();
    QCOMPARE(backup::restore(db(), saved, m_shop->clock.now()).reason(),
             u"database masih dibuka program lain"_qs);
    QCOMPARE(shopFiles(), before);
    // What it stores next lands in the file this toko uses, not in a deleted one.
    till.closeWriteChannel();
    QVERIFY(till.waitForFinished(10000));
    QCOMPARE(till.exitCode(), 0);
    QCOMPARE(count(u"pelanggan"_qs), u"1"_qs);
    QVERIFY(backup::restore(db(), saved, m_shop->clock.now()));
}

void TestDatabase::leftoversOfEndedRunsGo_data()
{
    QTest::addColumn<QString>("at");
    QTest::newRow("backup") << u"backup"_qs;
    QTest::newRow("restore") << u"restore"_qs;
    QTest::newRow("start") << u"start"_qs;
}

void TestDatabase::leftoversOfEndedRunsGo()
{
    QFETCH(QString, at);
    const QString saved = inShop(u"BackUp2024_03_01.datatoko"_qs);
    QVERIFY(backup::save(db(), saved));
    // Named as toko names them; 999999999 is no running process.
    const QString ours = u"-"_qs + QString::number(QCoreApplication::applicationPid()) + u".tmp"_qs;
    const auto named = [&](const QString& stem, const QString& end = u"-999999999.tmp"_qs) {
        return QFileInfo(filesystem::temporaryName(stem)).fileName().replace(ours, end);
    };
    const QStringList gone = {named(u"toko.db3.sebelum-restore-20240301-090000"_qs),
                              named(u"toko.db3.restore"_qs, u"-999999999.tmp-journal"_qs),
                              named(u"BackUp2024_03_06.datatoko"_qs)};
    const QStringList kept = {
        u"BackUp2024_03_04.datatoko.kasir9-999999999.tmp"_qs, // another computer's
        named(u"BackUp2024_03_05.datatoko"_qs, ours),         // a running toko's
        u"catatan-999999999.tmp"_qs};                         // not ours
    for (const QString& name : gone + kept)
        QVERIFY(QFile(inShop(name)).open(QIODevice::WriteOnly));
    QStringList written; // every temporary file seen while copying
    qint64 percent = 0;  // where the bar stands at the end
    const backup::Progress progress = [&](qint64 done, qint64 total) {
        written << shopFiles().filter(u".tmp"_qs);
        percent = total > 0 ? done * 100 / total : percent;
    };
    if (at == u"backup")
        QVERIFY(backup::save(db(), inShop(backup::fileName(QDate(2024, 3, 7))), progress));
    else if (at == u"restore")
        QVERIFY(backup::restore(db(), saved, m_shop->clock.now(), progress));
    else
        QVERIFY(startUp(m_shop->context()));
    QCOMPARE(shopFiles().filter(u".tmp"_qs), kept);
    QCOMPARE(percent, at == u"start" ? 0 : 100);
    // Each of this run's own carries its process id: two tills never write one file.
    for (const QString& name : written)
        QVERIFY2(kept.contains(name) || name.contains(ours), qPrintable(name));
}

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--second-till") == 0)
        return secondTill(QString::fromLocal8Bit(argv[2]));
    if (argc == 4 && qstrcmp(argv[1], "--fill-disk") == 0)
        return fillDisk(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    TestDatabase test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_database.moc"

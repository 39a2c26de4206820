#include "core/backup.h"
#include "support/test_shop.h"

#include <QFile>
#include <QTest>

class TestBackup final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_shop.reset(); }
    void fileNameCarriesTheStartDate();
    void secondBackupOfTheDayReplacesTheFirst();
    void failedBackupLeavesTheEarlierOneWhole();
    void restoreRefusesFilesThatAreNoShop_data();
    void restoreRefusesFilesThatAreNoShop();
    void restoreBringsTheBackupBack();

private:
    Database& db() { return m_shop->db(); }
    QString inShop(const QString& name) const { return m_shop->folder().filePath(name); }
    int customers() { return db().scalar(u"select count(*) from pelanggan"_qs).toInt(); }
    void addCustomer(const QString& code);
    std::unique_ptr<TestShop> m_shop;
};

void TestBackup::init()
{
    m_shop = std::make_unique<TestShop>();
    QCOMPARE(m_shop->error(), QString());
}

void TestBackup::addCustomer(const QString& code)
{
    QVERIFY(db().exec(u"insert into pelanggan (kode, nama) values (?, ?)"_qs, {code, code}));
}

void TestBackup::fileNameCarriesTheStartDate()
{
    QCOMPARE(backup::fileName(u"2024-03-07"_qs), u"BackUp2024_03_07.datatoko"_qs);
}

void TestBackup::secondBackupOfTheDayReplacesTheFirst()
{
    const QString target = inShop(backup::fileName(m_shop->context().startDate));
    addCustomer(u"PL-00001"_qs);
    QCOMPARE(backup::save(db(), target), QString());
    addCustomer(u"PL-00002"_qs);
    QCOMPARE(backup::save(db(), target), QString());

    const QStringList backups = m_shop->folder().entryList({u"BackUp*"_qs});
    QCOMPARE(backups, QStringList{u"BackUp2024_03_07.datatoko"_qs});
    Database copy;
    QVERIFY(copy.open(target));
    QCOMPARE(copy.scalar(u"select count(*) from pelanggan"_qs), u"2"_qs);

    QVERIFY(!backup::save(db(), inShop(u"no/such/folder/x.datatoko"_qs)).isEmpty());
}

void TestBackup::failedBackupLeavesTheEarlierOneWhole()
{
    addCustomer(u"PL-00001"_qs);
    const QString target = inShop(u"copy.datatoko"_qs);
    QCOMPARE(backup::save(db(), target), QString());
    {
        // SQLite will not copy a database in the middle of a write of its own connection.
        Database::Transaction pending(db());
        addCustomer(u"PL-00002"_qs);
        QCOMPARE(backup::save(db(), target), u"database is locked"_qs);
    }
    QCOMPARE(backup::checkShopFile(target), QString());
    Database copy;
    QVERIFY(copy.open(target));
    QCOMPARE(copy.scalar(u"select count(*) from pelanggan"_qs), u"1"_qs);
    QVERIFY(!QFile::exists(target + u".tmp"_qs));
}

void TestBackup::restoreRefusesFilesThatAreNoShop_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("schema");
    QTest::newRow("text file") << u"notes.datatoko"_qs << QByteArray(2048, 'x') << QString();
    QTest::newRow("empty file") << u"empty.datatoko"_qs << QByteArray() << QString();
    QTest::newRow("missing file") << u"missing.datatoko"_qs << QByteArray("-") << QString();
    QTest::newRow("other database") << u"other.db3"_qs << QByteArray()
                                    << u"create table barang (kode text)"_qs;
}

void TestBackup::restoreRefusesFilesThatAreNoShop()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, contents);
    QFETCH(QString, schema);
    const QString path = inShop(file);
    if (!schema.isEmpty()) {
        Database other;
        QVERIFY(other.open(path));
        QVERIFY(other.exec(schema));
    } else if (contents != "-") {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(contents);
    }
    addCustomer(u"PL-00001"_qs);
    const QStringList before = m_shop->folder().entryList(QDir::Files);

    QString safetyCopy;
    QVERIFY(!backup::restore(db(), path, m_shop->clock.now(), safetyCopy).isEmpty());
    QVERIFY(safetyCopy.isEmpty());
    QCOMPARE(m_shop->folder().entryList(QDir::Files), before);
    QCOMPARE(customers(), 1);
}

void TestBackup::restoreBringsTheBackupBack()
{
    addCustomer(u"PL-00001"_qs);
    const QString saved = inShop(u"BackUp2024_03_07.datatoko"_qs);
    QCOMPARE(backup::save(db(), saved), QString());
    addCustomer(u"PL-00002"_qs);
    addCustomer(u"PL-00003"_qs);
    // A statement the program keeps prepared, run before and after the swap.
    const QString count = u"select count(*) from pelanggan"_qs;
    QCOMPARE(db().scalar(count), u"3"_qs);

    QString safetyCopy;
    QCOMPARE(backup::restore(db(), saved, m_shop->clock.now(), safetyCopy), QString());
    QCOMPARE(db().scalar(count), u"1"_qs);
    QCOMPARE(db().path(), m_shop->databasePath());
    addCustomer(u"PL-00004"_qs); // the restored file is the one in use, and writable

    QCOMPARE(safetyCopy, m_shop->databasePath() + u".sebelum-restore-20240307-100000"_qs);
    Database before;
    QVERIFY(before.open(safetyCopy));
    QCOMPARE(before.scalar(count), u"3"_qs);
    QVERIFY(!QFile::exists(m_shop->databasePath() + u".restore.tmp"_qs));
}

QTEST_GUILESS_MAIN(TestBackup)
#include "test_backup.moc"

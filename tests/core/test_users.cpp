#include "core/password.h"
#include "core/users.h"
#include "support/test_shop.h"

#include <QTest>

class TestUsers final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_shop.reset(); }
    void administratorIsAnyCaseOfAdmin_data();
    void administratorIsAnyCaseOfAdmin();
    void loginComparesNamesAndPasswordsExactly();
    void noClearTextPasswordIsEverStored();
    void clearTextRowLogsInOnceAndIsUpgraded();
    void emptyNameLogsInOnlyWhenSuchAUserExists();
    void addingUsers();
    void failedQueryIsAFailedLogin();

private:
    Database& db() { return m_shop->db(); }
    void insertClearText(const QString& user, const QString& password);
    std::unique_ptr<TestShop> m_shop;
};

void TestUsers::init()
{
    m_shop = std::make_unique<TestShop>();
    QCOMPARE(m_shop->error(), QString());
}

void TestUsers::insertClearText(const QString& user, const QString& password)
{
    QVERIFY(db().exec(u"insert into useradmin (User, Password) values (?, ?)"_qs,
                      {user, password}));
}

void TestUsers::administratorIsAnyCaseOfAdmin_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<bool>("administrator");
    QTest::newRow("admin") << u"admin"_qs << true;
    QTest::newRow("Admin") << u"Admin"_qs << true;
    QTest::newRow("ADMIN") << u"ADMIN"_qs << true;
    QTest::newRow("administrator") << u"administrator"_qs << false;
    QTest::newRow("space") << u"admin "_qs << false;
    QTest::newRow("nobody") << QString() << false;
}

void TestUsers::administratorIsAnyCaseOfAdmin()
{
    QFETCH(QString, user);
    QFETCH(bool, administrator);
    QCOMPARE(users::isAdministrator(user), administrator);
}

void TestUsers::loginComparesNamesAndPasswordsExactly()
{
    QVERIFY(users::checkLogin(db(), u"admin"_qs, u"7305"_qs));
    QVERIFY(!users::checkLogin(db(), u"Admin"_qs, u"7305"_qs));
    QVERIFY(!users::checkLogin(db(), u"admin"_qs, u"7305 "_qs));
    QVERIFY(!users::checkLogin(db(), u"admin"_qs, QString()));
    QVERIFY(!users::checkLogin(db(), u"kasir"_qs, u"7305"_qs));

    const QString quoted = u"o'neil' or '1'='1"_qs;
    QVERIFY(users::changePassword(db(), u"admin"_qs, quoted));
    QVERIFY(users::checkLogin(db(), u"admin"_qs, quoted));
    QVERIFY(!users::checkLogin(db(), u"admin"_qs, u"7305"_qs));
    QVERIFY(!users::checkLogin(db(), u"admin' --"_qs, u"x"_qs));

    // An empty new password changes nothing.
    QVERIFY(!users::changePassword(db(), u"admin"_qs, QString()));
    QVERIFY(users::checkLogin(db(), u"admin"_qs, quoted));
    QVERIFY(m_shop->messages.shown().isEmpty());
}

void TestUsers::noClearTextPasswordIsEverStored()
{
    insertClearText(u"lama"_qs, u"rahasia"_qs);
    QVERIFY(users::checkLogin(db(), u"lama"_qs, u"rahasia"_qs));
    QCOMPARE(users::add(db(), u"kasir"_qs), users::AddResult::Added);
    QVERIFY(users::checkLogin(db(), u"kasir"_qs, u"7305"_qs));
    QVERIFY(users::changePassword(db(), u"kasir"_qs, u"baru123"_qs));
    db().query(u"select User, Password from useradmin"_qs, {}, [](const QStringList& row) {
        QVERIFY2(password::isHash(row.at(1)), qPrintable(row.at(0)));
        QVERIFY(!row.at(1).contains(u"7305"_qs));
    });
}

void TestUsers::clearTextRowLogsInOnceAndIsUpgraded()
{
    insertClearText(u"lama"_qs, u"it's me"_qs);
    QVERIFY(!users::checkLogin(db(), u"lama"_qs, u"its me"_qs));
    QCOMPARE(db().scalar(u"select Password from useradmin where User='lama'"_qs), u"it's me"_qs);

    QVERIFY(users::checkLogin(db(), u"lama"_qs, u"it's me"_qs));
    const QString stored = db().scalar(u"select Password from useradmin where User='lama'"_qs);
    QVERIFY(password::isHash(stored));
    QVERIFY(users::checkLogin(db(), u"lama"_qs, u"it's me"_qs));
    QVERIFY(!users::checkLogin(db(), u"lama"_qs, stored)); // the hash itself is no password
}

void TestUsers::emptyNameLogsInOnlyWhenSuchAUserExists()
{
    QVERIFY(!users::checkLogin(db(), QString(), QString()));
    insertClearText(QString(), QString());
    QVERIFY(users::checkLogin(db(), QString(), QString()));
    QVERIFY(users::checkLogin(db(), QString(), QString()));
    insertClearText(u"tanpa"_qs, QString());
    QVERIFY(db().exec(u"update useradmin set Password=null where User='tanpa'"_qs));
    QVERIFY(!users::checkLogin(db(), u"tanpa"_qs, QString()));
}

void TestUsers::addingUsers()
{
    QCOMPARE(users::add(db(), u"admin"_qs), users::AddResult::Duplicate);
    QCOMPARE(users::add(db(), u"Admin"_qs), users::AddResult::Added);
    QCOMPARE(users::add(db(), QString()), users::AddResult::EmptyName);
    QCOMPARE(users::add(db(), u"O'Brien"_qs), users::AddResult::Added);
    QCOMPARE(users::names(db()), (QStringList{u"Admin"_qs, u"O'Brien"_qs, u"admin"_qs}));
    QVERIFY(users::checkLogin(db(), u"O'Brien"_qs, QString::fromLatin1(users::firstPassword)));
}

void TestUsers::failedQueryIsAFailedLogin()
{
    QVERIFY(db().exec(u"alter table useradmin rename to gone"_qs));
    QVERIFY(!users::checkLogin(db(), u"admin"_qs, u"7305"_qs));
    QCOMPARE(m_shop->messages.lastText(), u"SQL error: no such table: useradmin"_qs);
    QCOMPARE(users::add(db(), u"baru"_qs), users::AddResult::Failed);
}

QTEST_GUILESS_MAIN(TestUsers)
#include "test_users.moc"

#include "core/numbering.h"
#include "core/password.h"
#include "core/users.h"
#include "logic/products.h"
#include "support/test_shop.h"

#include <QTest>

// Logins, passwords and new users over the shop's useradmin table.
class TestUsers final : public QObject
{
    Q_OBJECT
private slots:
    void usersAndPasswords();
    void administratorOnly();
};

void TestUsers::usersAndPasswords()
{
    TestShop shop;
    Database& db = shop.db();
    const auto logsIn = [&](const QString& user, const QString& password) {
        const Outcome<bool> allowed = users::checkLogin(db, user, password);
        return allowed.ok() && *allowed;
    };
    for (const QString& user : {u"admin"_qs, u"Admin"_qs, u"ADMIN"_qs, u"administrator"_qs})
        QCOMPARE(users::isAdministrator(user), user.size() == 5);
    // Names and passwords compare exactly; quotes are kept.
    QVERIFY(!logsIn(u"Admin"_qs, u"7305"_qs));
    QVERIFY(users::add(db, u"O'Brien"_qs, u"admin"_qs));
    QVERIFY(logsIn(u"O'Brien"_qs, u"7305"_qs));
    const QString quoted = u"o'neil' or '1'='1"_qs;
    QVERIFY(users::changePassword(db, u"admin"_qs, quoted));
    QVERIFY(users::changePassword(db, u"admin"_qs, QString())); // changes nothing
    QVERIFY(!logsIn(u"admin"_qs, u"7305"_qs));
    QVERIFY(logsIn(u"admin"_qs, quoted));

    // Rows from before the hashes: the right password logs in and is hashed there and then.
    const QString old = u"it's me"_qs;
    for (const QString& user : {u"lama"_qs, QString()})
        QVERIFY(
            db.exec(u"insert into useradmin (\"User\", Password) values (?, ?)"_qs, {user, old}));
    QVERIFY(!logsIn(u"lama"_qs, u"its me"_qs));
    QVERIFY(logsIn(u"lama"_qs, old));
    QVERIFY(logsIn(QString(), old)); // an empty name only when such a row exists
    QVERIFY(logsIn(u"lama"_qs, old));
    QVERIFY(
        !logsIn(u"lama"_qs, db.scalar(u"select Password from useradmin where \"User\"='lama'"_qs)));
    QCOMPARE(db.scalar(u"select count(*) from useradmin where Password not like '$argon2id$%'"_qs),
             u"0"_qs);

    QVERIFY(db.exec(u"alter table useradmin rename to gone"_qs)); // a failed query: no login
    const Outcome<bool> failed = users::checkLogin(db, u"lama"_qs, old);
    QVERIFY(failed.fromDatabase());
    QVERIFY(failed.reason().contains(u"useradmin"_qs));
    QVERIFY(!users::add(db, u"baru"_qs, u"admin"_qs));
}

// Whoever calls the logic, only the administrator empties the products or
// the transactions, or adds a user.
void TestUsers::administratorOnly()
{
    TestShop shop;
    Database& db = shop.db();
    QVERIFY(db.execScript(u"insert into barang (kode) values ('1'); "
                          "insert into transaksi (Kode) values ('JL-00000000000001')"_qs));
    const QString refused = u"Anda tidak diperkenankan menggunakan fitur ini"_qs;
    for (const QString& user : {QString(), u"kasir"_qs, u"administrator"_qs}) {
        QCOMPARE(products::removeAll(db, user).reason(), refused);
        QCOMPARE(numbering::deleteAllTransactions(db, user).reason(), refused);
        QCOMPARE(users::add(db, u"baru"_qs, user).reason(), refused);
    }
    QCOMPARE(db.scalar(u"select count(*) from barang"_qs), u"1"_qs);
    QCOMPARE(db.scalar(u"select count(*) from transaksi"_qs), u"1"_qs);
    QVERIFY(products::removeAll(db, u"Admin"_qs));
    QVERIFY(numbering::deleteAllTransactions(db, u"Admin"_qs));
    QCOMPARE(db.scalar(u"select count(*) from barang"_qs), u"0"_qs);
    QCOMPARE(db.scalar(u"select count(*) from transaksi"_qs), u"0"_qs);
}

QTEST_GUILESS_MAIN(TestUsers)
#include "test_users.moc"

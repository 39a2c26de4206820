#include "core/users.h"

#include "core/database.h"
#include "core/password.h"

namespace users {

bool isAdministrator(const QString& user)
{
    return user.toLower() == u"admin";
}

Outcome<> administratorOnly(const QString& user)
{
    if (isAdministrator(user))
        return {};
    return Failure{QStringLiteral("Anda tidak diperkenankan menggunakan fitur ini")};
}

Outcome<bool> checkLogin(Database& db, const QString& user, const QString& password)
{
    bool found = false;
    QString stored;
    const bool ok = db.query(QStringLiteral("select Password from useradmin where \"User\"=?"),
                             {user}, [&](const QStringList& row) {
                                 found = !row.first().isNull();
                                 stored = row.first();
                             });
    if (!ok)
        return db.failure();
    if (!found)
        return false;
    if (password::isHash(stored))
        return password::verify(stored, password);
    if (stored != password)
        return false;
    // An old clear-text row: keep the login, store the hash from now on.
    const QString hashed = password::hash(password);
    if (!hashed.isEmpty())
        db.exec(QStringLiteral("update useradmin set Password=? where \"User\"=?"), {hashed, user});
    return true;
}

Outcome<> changePassword(Database& db, const QString& user, const QString& password)
{
    if (password.isEmpty())
        return {};
    const QString hashed = password::hash(password);
    if (hashed.isEmpty())
        return Failure{QStringLiteral("Password tidak dapat disandikan, password tidak diubah.")};
    return db.outcome(db.exec(QStringLiteral("update useradmin set Password=? where \"User\"=?"),
                              {hashed, user}));
}

Outcome<> add(Database& db, const QString& name, const QString& byUser)
{
    if (Outcome<> allowed = administratorOnly(byUser); !allowed)
        return allowed;
    const QString count =
        db.scalar(QStringLiteral("select count(*) from useradmin where \"User\"=?"), {name});
    if (count.toInt() >= 1)
        return Failure{QStringLiteral("Gagal menyimpan, Id/Kode Sudah Tersedia..")};
    if (name.isEmpty())
        return Failure{QStringLiteral("Gagal menyimpan, kolom Kode atau Nama belum terisi..")};
    const QString hashed = password::hash(QString::fromLatin1(firstPassword));
    if (hashed.isEmpty())
        return Failure{QStringLiteral("Password tidak dapat disandikan, user tidak ditambahkan.")};
    return db.outcome(
        db.exec(QStringLiteral("insert into useradmin (\"User\", Password) values (?, ?)"),
                {name, hashed}));
}

Outcome<QStringList> names(Database& db)
{
    QStringList all;
    if (!db.query(QStringLiteral("select \"User\" from useradmin order by \"User\""), {},
                  [&](const QStringList& row) { all.append(row.first()); }))
        return db.failure();
    return all;
}

} // namespace users

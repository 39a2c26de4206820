#pragma once

#include "core/outcome.h"

#include <QString>
#include <QStringList>

class Database;

// The shop's users: login, passwords and new users. Names compare exactly
// ("admin" and "Admin" are two users); passwords are stored as salted hashes.
namespace users {

// The default password of a new user, changed by the user after the first login.
inline constexpr auto firstPassword = "7305";

// The administrator is the user whose name in lower case is "admin".
bool isAdministrator(const QString& user);

// Deleting every product or every transaction and adding a user are the
// administrator's alone: refused with "Anda tidak diperkenankan menggunakan
// fitur ini" for anybody else, nobody logged in included.
Outcome<> administratorOnly(const QString& user);

// Whether `user` may log in with `password`. A row still holding its password
// in clear text logs in once and is replaced by its hash at that login. A
// failing query is a failure, not a wrong password.
Outcome<bool> checkLogin(Database& db, const QString& user, const QString& password);

// Stores `password` (hashed) for `user`; an empty password changes nothing
// and is no failure.
Outcome<> changePassword(Database& db, const QString& user, const QString& password);

// Adds `name` with the first password for the administrator `byUser`;
// refused when the name is taken or empty.
Outcome<> add(Database& db, const QString& name, const QString& byUser);

// Every user's name, in order.
Outcome<QStringList> names(Database& db);

} // namespace users

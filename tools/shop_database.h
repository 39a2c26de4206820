#pragma once

#include <QString>

// Makes a new shop database with every table and index and the first user
// "admin", whose first password is firstAdminPassword. With `demo`, adds a
// small sample shop: products (some with quantity price tiers), customers
// and suppliers. Refuses to touch an existing file. Returns an empty text on
// success, else what went wrong.
namespace shopdb {

inline constexpr auto firstAdminPassword = "7305";

QString create(const QString& path, bool demo);

} // namespace shopdb

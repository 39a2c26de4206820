#pragma once

#include "core/config_files.h"
#include "core/outcome.h"

#include <QDir>
#include <QString>

// Makes a new shop database with every table and index and the first user
// "admin", whose first password is firstAdminPassword. With `demo`, adds a
// small sample shop: products (some with quantity price tiers), customers
// and suppliers. Refuses to touch an existing file. A server address makes
// the shop in the server's database, which must hold no table yet.
namespace shopdb {

inline constexpr auto firstAdminPassword = "7305";

Outcome<> create(const QString& path, bool demo);

// The shop's tables alone, empty, in a new file or an empty server
// database: what a copy of a whole shop goes into.
Outcome<> createTables(const QString& path);

inline constexpr auto newShopDatabase = "toko.db3";

// Makes a new, empty shop in `folder` (made when missing): toko.db3 with the
// first user "admin", conn.txt naming it and toko.txt with `identity` (kept
// when the folder already has one). Refuses a folder that already holds
// conn.txt or toko.db3, or that cannot be written: nothing is overwritten.
// With a `server` address, the folder becomes a till of the shop on that
// server instead: no toko.db3, conn.txt names the server, once the server
// answers and holds a shop.
Outcome<> createShop(const QDir& folder, const ShopIdentity& identity, const QString& server = {});

// What --plain and --helpers did to a shop file: the helpers removed or made,
// and the file's size in bytes before and after.
struct HelpersChanged {
    QStringList names;
    qint64 sizeBefore = 0;
    qint64 sizeAfter = 0;
};

// Keeps the existing shop file at `path` plain for other programs (`plain`:
// toko's helpers removed, and left out at every open), or lets toko add its
// helpers again and adds them at once.
Outcome<HelpersChanged> setPlain(const QString& path, bool plain);

} // namespace shopdb

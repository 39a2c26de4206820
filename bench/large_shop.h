#pragma once

#include <QString>

// A generated shop the size of a busy one, for the benchmarks: 100,000
// products over thirty categories (one in eight with quantity price tiers),
// 2,000 customers and five years of sales (about 640,000 sales with 4.4
// million lines, 60% of them to the walk-in customer; about 1.1 GB), on the
// real schema. The content is the same on every run, so figures from
// different runs compare.
namespace largeshop {

inline constexpr int productCount = 100000;
inline constexpr int customerCount = 2000;
inline constexpr int historyDays = 5 * 365;
inline constexpr int salesPerDay = 350;
// Raise when the generated content changes, so that cached files are made anew.
inline constexpr int version = 3;

// Code of product `index` (0 <= index < productCount): 8 to 13 digits, unique.
QString productCode(int index);

// Code of customer `index` (0 <= index < customerCount): "PL-00001" and on.
QString customerCode(int index);

// Makes the shop at `path`, which must not exist yet. Returns an empty text
// on success, else what went wrong.
QString create(const QString& path);

// The shop of the current version cached in `folder`, made there first when
// missing (a few minutes). Returns its path, or an empty text with `error` set.
QString cached(const QString& folder, QString* error);

// The large shop with what the reports read besides cash sales: 20,000
// customers, sales on credit (one in twenty-five of the named customers'
// sales, due in fourteen days), purchases from fifty suppliers (three a day,
// one in ten on credit), sales returns, cash in and out and refunds of
// purchase returns; the debts of the last two months still open, the older
// ones paid. Cached in `folder` beside the large shop; its path, or an empty
// text with `error` set.
QString reportShop(const QString& folder, QString* error);

// A fresh copy of the shop file `shop` named `name` in `folder`, over an
// earlier copy and whatever its journal or log left: benchmarks that write
// work on it, never on the cached shop. Its path, or an empty text.
QString workingCopy(const QString& shop, const QString& folder, const QString& name);

} // namespace largeshop

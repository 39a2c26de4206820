#pragma once

#include <QString>

// A generated shop the size of a busy one, for the benchmarks: 100,000
// products over thirty categories (one in eight with quantity price tiers)
// and 2,000 customers, on the real schema. The content is the same on every
// run, so figures from different runs compare.
namespace largeshop {

inline constexpr int productCount = 100000;
inline constexpr int customerCount = 2000;
// Raise when the generated content changes, so that cached files are made anew.
inline constexpr int version = 2;

// Code of product `index` (0 <= index < productCount): 8 to 13 digits, unique.
QString productCode(int index);

// Code of customer `index` (0 <= index < customerCount): "PL-00001" and on.
QString customerCode(int index);

// Makes the shop at `path`, which must not exist yet. Returns an empty text
// on success, else what went wrong.
QString create(const QString& path);

// The shop of the current version cached in `folder`, made there first when
// missing (a few seconds). Returns its path, or an empty text with `error` set.
QString cached(const QString& folder, QString* error);

} // namespace largeshop

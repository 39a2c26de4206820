#pragma once

#include <QList>
#include <QString>

// Quantity price tiers of a product: up to ten pieces "quantity;price" joined
// by "|", examined in stored order. The first piece whose quantity is below
// the quantity sold gives the unit price; the line shows the normal price
// with the difference as its discount.
namespace tiers {

// The discount per unit for `quantity` at the normal `price`: "0" for a tier
// text without "|"; otherwise price minus the first qualifying tier price
// (0 when none qualifies). Pieces beyond the tenth are ignored.
QString discount(double quantity, const QString& price, const QString& tierText);

// One row of a product's tiers as the owner types it: above `quantity`, `price`.
struct Tier {
    QString quantity;
    QString price;

    friend bool operator==(const Tier&, const Tier&) = default;
};

inline constexpr int rowCount = 10;

// The ten rows of a stored tier text. Without "|" the product has no tiers:
// every row is quantity "0" at the normal `price`, and so is every row a
// shorter text lacks. A piece without ";" is a price with an empty quantity.
QList<Tier> read(const QString& tierText, const QString& price);

// The stored text of `rows`: "quantity;price" pieces joined by "|", as typed.
QString write(const QList<Tier>& rows);

// The first of `rows` (0-based) whose price is empty, -1 when every one has
// a price: an empty price would sell the product at nothing above its
// quantity. "Harga 2 belum diisi." names the row as the "Set Harga" box does.
int rowWithoutPrice(const QList<Tier>& rows);
QString noPriceText(int row);

} // namespace tiers

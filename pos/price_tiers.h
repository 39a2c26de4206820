#pragma once

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

} // namespace tiers

#pragma once

#include "logic/price_tiers.h"

#include <QDialog>
#include <QList>

class Messages;
class QLineEdit;

// "Set Harga": the ten quantity price tiers of one product. Nothing is
// stored here; the products master keeps the result until its next save.
class PriceTiersDialog final : public QDialog
{
    Q_OBJECT
public:
    PriceTiersDialog(Messages& messages, const QString& productName, const QList<tiers::Tier>& rows,
                     QWidget* parent = nullptr);

    // The rows as the boxes hold them.
    QList<tiers::Tier> rows() const;

private:
    // Closes with the rows unless a price is missing: an empty price would
    // sell at nothing.
    void apply();

    Messages& m_messages;
    QList<QLineEdit*> m_quantities;
    QList<QLineEdit*> m_prices;
};

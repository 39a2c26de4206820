#include "screens/masters/price_tiers_dialog.h"

#include "core/messages.h"
#include "ui/form.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

PriceTiersDialog::PriceTiersDialog(Messages& messages, const QString& productName,
                                   const QList<tiers::Tier>& rows, QWidget* parent)
    : QDialog(parent), m_messages(messages)
{
    setWindowTitle(QStringLiteral("Set Harga"));
    setModal(true);
    auto* name = new QLabel(productName, this);
    name->setGeometry(12, 8, 250, 20);
    const struct {
        const char* text;
        int x;
    } headers[] = {{"Level Harga", 12}, {"Qty", 92}, {"Harga", 186}};
    for (const auto& header : headers)
        (new QLabel(QString::fromLatin1(header.text), this))->setGeometry(header.x, 32, 90, 20);
    for (int row = 0; row < tiers::rowCount; ++row) {
        const int y = 56 + 24 * row;
        (new QLabel(QStringLiteral("Harga ") + QString::number(row + 1), this))
            ->setGeometry(12, y, 76, 20);
        auto* quantity = new QLineEdit(rows.value(row).quantity, this);
        auto* price = new QLineEdit(rows.value(row).price, this);
        quantity->setGeometry(92, y, 90, 20);
        price->setGeometry(186, y, 81, 20);
        for (QLineEdit* box : {quantity, price})
            form::acceptDigitsOnly(box);
        m_quantities.append(quantity);
        m_prices.append(price);
    }
    auto* close = new QPushButton(QStringLiteral("Tutup"), this);
    auto* apply = new QPushButton(QStringLiteral("Set Harga"), this);
    const int y = 56 + 24 * tiers::rowCount + 8;
    close->setGeometry(92, y, 90, 26);
    apply->setGeometry(186, y, 81, 26);
    apply->setDefault(true); // Enter in a box applies
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(apply, &QPushButton::clicked, this, &PriceTiersDialog::apply);
    setFixedSize(280, y + 38);
    form::setName(this, u"SETHARGA");
}

QList<tiers::Tier> PriceTiersDialog::rows() const
{
    QList<tiers::Tier> all;
    for (int row = 0; row < tiers::rowCount; ++row)
        all.append({m_quantities.at(row)->text(), m_prices.at(row)->text()});
    return all;
}

void PriceTiersDialog::apply()
{
    if (const int row = tiers::rowWithoutPrice(rows()); row >= 0) {
        m_messages.info(tiers::noPriceText(row) +
                        QStringLiteral(" Isi semua harga sebelum Set Harga."));
        m_prices.at(row)->setFocus();
        return;
    }
    accept();
}

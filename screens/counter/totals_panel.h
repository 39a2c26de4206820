#pragma once

#include "logic/cart.h"

#include <QWidget>

class QLabel;
class QLineEdit;

// The cashier's totals, a caption and a box a row: the goods, the discount
// (in per cent and as an amount), the net, what is paid, and the change or
// the shortfall.
class TotalsPanel final : public QWidget
{
    Q_OBJECT
public:
    TotalsPanel(const QString& shortfallCaption, QWidget* parent);

    QLineEdit* percent() const { return m_percent; }
    QLineEdit* paid() const { return m_paid; }
    QList<QLineEdit*> boxes() const
    {
        return {m_gross, m_percent, m_discountAmount, m_net, m_paid, m_change};
    }
    void showTotals(const Cart::Totals& totals);

    static constexpr int rowHeight = 20;
    static constexpr QSize size{239, 5 * rowHeight};

signals:
    void percentEdited(const QString& text);
    void paidEdited(const QString& text);

private:
    QLineEdit* m_gross;
    QLineEdit* m_percent;
    QLineEdit* m_discountAmount;
    QLineEdit* m_net;
    QLineEdit* m_paid;
    QLineEdit* m_change;
    QLabel* m_changeCaption = nullptr;
};

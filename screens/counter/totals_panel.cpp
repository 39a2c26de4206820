#include "screens/counter/totals_panel.h"

#include "ui/font_text.h"
#include "ui/form.h"

#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int captionWidth = 115;
constexpr int boxLeft = 119;
constexpr int boxWidth = 120;
// The discount's row holds two boxes: the per cent, then the amount.
constexpr int percentWidth = 28;
constexpr int amountLeft = 148;

QLineEdit* makeBox(QWidget* parent, const char* name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAlignment(Qt::AlignRight);
    return box;
}

} // namespace

TotalsPanel::TotalsPanel(const QString& shortfallCaption, QWidget* parent)
    : QWidget(parent), m_gross(makeBox(this, "totalBelanja")),
      m_percent(makeBox(this, "discountPersen")), m_discountAmount(makeBox(this, "discount")),
      m_net(makeBox(this, "totalBersih")), m_paid(makeBox(this, "dibayar")),
      m_change(makeBox(this, "kembali"))
{
    m_paid->setToolTip(QStringLiteral("Tekan Enter untuk proses simpan.."));
    for (QLineEdit* total : {m_gross, m_discountAmount, m_net, m_change})
        total->setReadOnly(true);
    const QFont boldTotals = fontFromText(QStringLiteral("Arial,10,1"));
    for (QLineEdit* total : {m_gross, m_net, m_change, m_paid})
        total->setFont(boldTotals);
    QList<QLabel*> captions;
    for (const char* caption : {"Total Belanja", "Discount %", "Total Bersih", "Dibayar [F11]"})
        captions.append(new QLabel(QString::fromLatin1(caption), this));
    m_changeCaption = new QLabel(shortfallCaption, this);
    m_changeCaption->setObjectName(QStringLiteral("kembaliLabel"));
    captions.append(m_changeCaption);

    const QList<QLineEdit*> boxes = {m_gross, m_percent, m_net, m_paid, m_change};
    for (int row = 0; row < captions.size(); ++row) {
        captions.at(row)->setGeometry(0, rowHeight * row, captionWidth, rowHeight);
        boxes.at(row)->setGeometry(boxLeft, rowHeight * row, boxWidth, rowHeight);
    }
    m_percent->setGeometry(boxLeft, rowHeight, percentWidth, rowHeight);
    m_discountAmount->setGeometry(amountLeft, rowHeight, boxLeft + boxWidth - amountLeft,
                                  rowHeight);
    resize(size);
    connect(m_percent, &QLineEdit::textChanged, this, &TotalsPanel::percentEdited);
    connect(m_paid, &QLineEdit::textChanged, this, &TotalsPanel::paidEdited);
}

void TotalsPanel::showTotals(const Cart::Totals& totals)
{
    const QSignalBlocker blockers[] = {QSignalBlocker(m_percent), QSignalBlocker(m_paid)};
    form::setTextKeepingCursor(m_gross, totals.gross);
    form::setTextKeepingCursor(m_percent, totals.discountPercent);
    form::setTextKeepingCursor(m_discountAmount, totals.discountAmount);
    form::setTextKeepingCursor(m_net, totals.net);
    form::setTextKeepingCursor(m_paid, totals.paid);
    form::setTextKeepingCursor(m_change, totals.change);
    m_changeCaption->setText(totals.changeCaption);
    QPalette palette = m_change->palette();
    palette.setColor(QPalette::Base, totals.paidCovers ? QColor(128, 255, 128) : QColor(196, 0, 0));
    palette.setColor(QPalette::Text, totals.paidCovers ? QColor(0, 64, 128) : QColor(255, 255, 0));
    m_change->setPalette(palette);
}

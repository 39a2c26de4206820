#include "screens/printing/receipt_settings_dialog.h"

#include "core/app_context.h"
#include "core/config_files.h"
#include "core/messages.h"
#include "logic/receipt_settings.h"
#include "ui/form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <utility>

ReceiptSettingsDialog::ReceiptSettingsDialog(AppContext& context, QComboBox* cashierSizes,
                                             QWidget* parent)
    : QDialog(parent), m_context(context), m_cashierSizes(cashierSizes),
      m_topMargin(new QLineEdit(QString::number(context.receipt.topMargin), this)),
      m_lineSpacing(new QLineEdit(QString::number(context.receipt.lineSpacing), this)),
      m_fontSize(new QLineEdit(QString::number(context.receipt.fontSize), this)),
      m_font(new QComboBox(this)), m_defaultSize(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("Setting Struk"));
    setModal(true);

    const QStringList fonts = {
        QStringLiteral("Courier New"), QStringLiteral("Lucida Sans Typewriter"),
        QStringLiteral("Lucida Console"), QStringLiteral("Courier"), QStringLiteral("Consolas")};
    m_font->addItems(fonts);
    m_font->setCurrentIndex(receipts::fontEntry(fonts, context.receipt.fontName));

    for (int index = 0; index < m_cashierSizes->count(); ++index)
        m_defaultSize->addItem(m_cashierSizes->itemText(index));
    m_defaultSize->setCurrentIndex(context.receipt.defaultLayout); // out of range: none
    connect(m_defaultSize, &QComboBox::currentIndexChanged, m_cashierSizes,
            &QComboBox::setCurrentIndex);

    auto* saveButton = new QPushButton(QStringLiteral("Tutup dan Simpan"), this);
    connect(saveButton, &QPushButton::clicked, this, &ReceiptSettingsDialog::save);

    auto* layout = new QGridLayout(this);
    const std::pair<const char16_t*, QWidget*> rows[] = {{u"Marjin Atas", m_topMargin},
                                                         {u"Jarak Per Baris", m_lineSpacing},
                                                         {u"Font Size", m_fontSize},
                                                         {u"Font Struk", m_font},
                                                         {u"Default Struk", m_defaultSize}};
    int row = 0;
    for (const auto& [label, field] : rows) {
        auto* caption = new QLabel(QString::fromUtf16(label), this);
        caption->setBuddy(field);
        layout->addWidget(caption, row, 0);
        layout->addWidget(field, row, 1);
        ++row;
    }
    layout->addWidget(saveButton, row, 0, 1, 2, Qt::AlignRight);
    layout->setColumnMinimumWidth(1, 200);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // The file separates its fields with ";": one typed here would shift them all.
    auto* noSemicolon =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^;]*")), this);
    for (QLineEdit* box : {m_topMargin, m_lineSpacing, m_fontSize})
        box->setValidator(noSemicolon);
    form::setName(this, u"FORM23");
}

void ReceiptSettingsDialog::save()
{
    const QString font = m_font->currentIndex() < 0 ? QString() : m_font->currentText();
    const QString line = m_topMargin->text() + u';' + m_lineSpacing->text() + u';' +
                         QString::number(m_defaultSize->currentIndex()) + u';' + font + u';' +
                         m_fontSize->text();
    const QString path = m_context.shopFolder().filePath(QString::fromLatin1(config::receiptFile));
    if (!config::writeFileAtomically(path, (line + u'\n').toUtf8())) {
        m_context.messages().info(QStringLiteral("Setting struk tidak dapat disimpan: ") + path);
        return;
    }
    m_context.receipt = receipts::clamped(config::parseReceiptSettings(line));
    accept();
}

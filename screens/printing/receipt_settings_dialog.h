#pragma once

#include <QDialog>

class AppContext;
class QComboBox;
class QLineEdit;

// "Setting Struk": the receipt's top margin, line spacing, font and default
// size, saved to setting_struk.txt. `cashierSizes` is the calling cashier's
// receipt-size list; it must outlive the dialog and follows the choice made
// in "Default Struk" at once.
class ReceiptSettingsDialog final : public QDialog
{
    Q_OBJECT
public:
    ReceiptSettingsDialog(AppContext& context, QComboBox* cashierSizes, QWidget* parent = nullptr);

private:
    void save();

    AppContext& m_context;
    QComboBox* m_cashierSizes;
    QLineEdit* m_topMargin;
    QLineEdit* m_lineSpacing;
    QLineEdit* m_fontSize;
    QComboBox* m_font;
    QComboBox* m_defaultSize;
};

#pragma once

#include <QDialog>

class AppContext;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

// "Pengaturan Toko", for the administrator: the line printer of receipt
// sizes 4 and 5 (its device, ESC/POS, a serial port's speed, the cash
// drawer's pin) and the automatic backups (a second folder, how many are
// kept), saved to toko.ini.
class ShopSettingsDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit ShopSettingsDialog(AppContext& context, QWidget* parent = nullptr);

private:
    void chooseFolder();
    void save();

    AppContext& m_context;
    QLineEdit* m_device;
    QCheckBox* m_escPos;
    QComboBox* m_speed;
    QComboBox* m_drawerPin;
    QLineEdit* m_secondFolder;
    QSpinBox* m_backupsKept;
};

#include "screens/printing/shop_settings_dialog.h"

#include "core/app_context.h"
#include "core/messages.h"
#include "core/shop_settings.h"
#include "logic/line_printer.h"
#include "ui/form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>

namespace {

// The speeds a serial printer is offered at.
constexpr int serialSpeeds[] = {4800, 9600, 19200, 38400, 57600, 115200};

} // namespace

ShopSettingsDialog::ShopSettingsDialog(AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_device(new QLineEdit(this)),
      m_escPos(new QCheckBox(QStringLiteral("Printer ESC/POS (struk dipotong, laci kas)"), this)),
      m_speed(new QComboBox(this)), m_drawerPin(new QComboBox(this)),
      m_secondFolder(new QLineEdit(this)), m_backupsKept(new QSpinBox(this))
{
    setWindowTitle(QStringLiteral("Pengaturan Toko"));
    setModal(true);
    const ShopSettings settings = ShopSettings::read(context.shopFolder());
    const lineprinter::Printer defaults;

    m_device->setObjectName(QStringLiteral("printer"));
    m_device->setPlaceholderText(QStringLiteral("/dev/usb/lp0, tcp:192.168.1.50:9100, cups:NAMA"));
    m_device->setText(lineprinter::savedDevice(context.shopFolder(), settings));
    m_device->setToolTip(QStringLiteral("Alamat perangkat (/dev/usb/lp0, /dev/ttyUSB0), printer "
                                        "jaringan tcp:HOST:PORT, atau antrean CUPS cups:NAMA"));
    m_device->setMinimumWidth(320);
    m_escPos->setChecked(settings.flag(setting::printerEscPos, false));
    for (const int speed : serialSpeeds)
        m_speed->addItem(QString::number(speed), speed);
    const int speed = settings.number(setting::printerSerialSpeed, defaults.serialSpeed);
    m_speed->setCurrentIndex(std::max(0, m_speed->findData(speed)));
    m_drawerPin->addItem(QStringLiteral("Pin 2"), 2);
    m_drawerPin->addItem(QStringLiteral("Pin 5"), 5);
    m_drawerPin->setObjectName(QStringLiteral("pinLaci"));
    const int pin = settings.number(setting::drawerPin, defaults.drawerPin);
    m_drawerPin->setCurrentIndex(std::max(0, m_drawerPin->findData(pin)));

    m_secondFolder->setObjectName(QStringLiteral("folderBackupKedua"));
    m_secondFolder->setText(settings.text(setting::backupSecondFolder));
    m_secondFolder->setPlaceholderText(QStringLiteral("mis. flashdisk atau disk lain"));
    auto* choose = new QPushButton(QStringLiteral("Pilih..."), this);
    connect(choose, &QPushButton::clicked, this, &ShopSettingsDialog::chooseFolder);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_secondFolder);
    folderRow->addWidget(choose);
    m_backupsKept->setRange(1, 999);
    m_backupsKept->setValue(std::clamp(settings.number(setting::backupsKept, 30), 1, 999));

    auto* layout = new QFormLayout(this);
    auto* printerTitle = new QLabel(QStringLiteral("<b>Printer Struk 4 dan 5</b>"), this);
    layout->addRow(printerTitle);
    layout->addRow(QStringLiteral("Printer"), m_device);
    if (!qEnvironmentVariable("TOKO_LINE_PRINTER").trimmed().isEmpty())
        layout->addRow(new QLabel(QStringLiteral("Saat ini dipakai TOKO_LINE_PRINTER: ") +
                                      qEnvironmentVariable("TOKO_LINE_PRINTER"),
                                  this));
    layout->addRow(QString(), m_escPos);
    layout->addRow(QStringLiteral("Kecepatan port serial"), m_speed);
    layout->addRow(QStringLiteral("Laci kas"), m_drawerPin);
    layout->addRow(new QLabel(QStringLiteral("<b>Backup Otomatis</b>"), this));
    layout->addRow(QStringLiteral("Folder backup kedua"), folderRow);
    layout->addRow(QStringLiteral("Jumlah backup disimpan"), m_backupsKept);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Simpan"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Batal"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &ShopSettingsDialog::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    form::setName(this, u"PengaturanToko");
}

void ShopSettingsDialog::chooseFolder()
{
    const QString folder = m_context.messages().folderName(
        this, QStringLiteral("Folder Backup Kedua"), m_secondFolder->text());
    if (!folder.isEmpty())
        m_secondFolder->setText(QDir::toNativeSeparators(folder));
}

void ShopSettingsDialog::save()
{
    // Read again: what another part of the program saved meanwhile is kept.
    ShopSettings settings = ShopSettings::read(m_context.shopFolder());
    settings.setText(setting::printerDevice, m_device->text());
    settings.setFlag(setting::printerEscPos, m_escPos->isChecked());
    settings.setNumber(setting::printerSerialSpeed, m_speed->currentData().toInt());
    settings.setNumber(setting::drawerPin, m_drawerPin->currentData().toInt());
    settings.setText(setting::backupSecondFolder, m_secondFolder->text());
    settings.setNumber(setting::backupsKept, m_backupsKept->value());
    if (!settings.write(m_context.shopFolder())) {
        m_context.messages().info(QStringLiteral("Pengaturan tidak dapat disimpan ke ") +
                                  QDir::toNativeSeparators(m_context.shopFolder().filePath(
                                      QString::fromLatin1(ShopSettings::fileName))));
        return;
    }
    accept();
}

#pragma once

#include <QDir>
#include <QMap>
#include <QString>

// toko.ini in the shop folder: the program's own settings, one "key=value"
// per line. The older one-line files (conn.txt, toko.txt, setting_struk.txt)
// keep their layouts because other programs read them; what is new lives
// here. Keys this version does not know are kept when the file is written.
class ShopSettings final
{
public:
    static constexpr auto fileName = "toko.ini";

    // The settings of the shop folder; all defaults when the file is missing.
    static ShopSettings read(const QDir& shopFolder);
    // Replaces the file in one step (written beside it, then renamed).
    bool write(const QDir& shopFolder) const;

    QString text(const QString& key, const QString& fallback = {}) const;
    // The whole number stored under `key`, or `fallback` when it is missing
    // or not a number.
    int number(const QString& key, int fallback) const;
    bool flag(const QString& key, bool fallback) const;

    void setText(const QString& key, const QString& value);
    void setNumber(const QString& key, int value);
    void setFlag(const QString& key, bool value);

    friend bool operator==(const ShopSettings&, const ShopSettings&) = default;

private:
    QMap<QString, QString> m_values;
};

// The keys, so two parts of the program never spell one differently.
namespace setting {

// The printer of receipt sizes 4 and 5: a device path, "tcp:HOST:PORT" or
// "cups:QUEUE"; empty when there is none.
inline const QString printerDevice = QStringLiteral("printer.device");
inline const QString printerEscPos = QStringLiteral("printer.escpos");    // yes / no
inline const QString printerSerialSpeed = QStringLiteral("printer.baud"); // a serial port's speed
inline const QString drawerPin = QStringLiteral("drawer.pin");            // 2 or 5

// A second folder for automatic backups (a stick or another disk), and how
// many automatic backups each folder keeps.
inline const QString backupSecondFolder = QStringLiteral("backup.second_folder");
inline const QString backupsKept = QStringLiteral("backup.keep");

// The price labels: printed on A4 sheets of 3 x 10 or on a roll ("a4" / "roll").
inline const QString labelLayout = QStringLiteral("label.layout");
// The "Stock dibawah" last used in the minimum stock report, which the
// owner's summary counts the products below.
inline const QString lowStockBelow = QStringLiteral("report.low_stock_below");

} // namespace setting

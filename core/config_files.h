#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>

// The shop folder's one-line configuration files. Each is read to its end and
// only its last line counts; fields are separated by ";".

// conn.txt: database path ; extra 1 ; extra 2 ("-" stands for an empty extra).
struct ConnectionSettings {
    QString databasePath;
    QString extra1;
    QString extra2;
};

// toko.txt: shop name ; address ; telephone. Printed on receipts and vouchers.
struct ShopIdentity {
    QString name;
    QString address;
    QString phone;
};

// setting_struk.txt: top margin ; line spacing ; default receipt layout ; font name ; font size.
struct ReceiptSettings {
    int topMargin = 15;
    int lineSpacing = 150;
    int defaultLayout = 0; // index into the cashier's receipt-size list, "Struk 1" is 0
    QString fontName = QStringLiteral("Courier New");
    int fontSize = 6;

    friend bool operator==(const ReceiptSettings&, const ReceiptSettings&) = default;
};

namespace config {

inline constexpr auto connectionFile = "conn.txt";
inline constexpr auto shopFile = "toko.txt";
inline constexpr auto receiptFile = "setting_struk.txt";

// The last line of a text file that holds anything but blanks; empty when the
// file is missing, unreadable or blank.
QString lastLine(const QString& path);

// Writes `contents` to a temporary file beside `path` and renames it over
// `path`, so a crash leaves either the old file or the new one, never half.
bool writeFileAtomically(const QString& path, const QByteArray& contents);

ConnectionSettings readConnection(const QDir& shop);
bool writeConnection(const QDir& shop, const ConnectionSettings& settings);
ShopIdentity readShop(const QDir& shop);

ReceiptSettings parseReceiptSettings(const QString& line);
QString receiptSettingsLine(const ReceiptSettings& settings);
// Reads setting_struk.txt; when it does not exist, writes the default line
// and returns the defaults.
ReceiptSettings readReceiptSettings(const QDir& shop);
bool writeReceiptSettings(const QDir& shop, const ReceiptSettings& settings);

} // namespace config

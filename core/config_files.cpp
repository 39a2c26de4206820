#include "core/config_files.h"

#include "core/text_ops.h"

#include <QFile>
#include <QSaveFile>

namespace config {

namespace {

QString extraFromFile(const QString& field)
{
    return field == u"-" ? QString() : field;
}

QString extraToFile(const QString& extra)
{
    return extra.isEmpty() ? QStringLiteral("-") : extra;
}

QString path(const QDir& shop, const char* name)
{
    return shop.filePath(QString::fromLatin1(name));
}

} // namespace

QString lastLine(const QString& filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray contents = file.readAll();
    const QStringList lines = QString::fromUtf8(contents).split(u'\n');
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        QString text = *line;
        if (text.endsWith(u'\r'))
            text.chop(1);
        if (!text.trimmed().isEmpty())
            return text;
    }
    return {};
}

bool writeFileAtomically(const QString& filePath, const QByteArray& contents)
{
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(contents) != contents.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

ConnectionSettings readConnection(const QDir& shop)
{
    const QString line = lastLine(path(shop, connectionFile));
    return {text::nthField(line, 1), extraFromFile(text::nthField(line, 2)),
            extraFromFile(text::nthField(line, 3))};
}

bool writeConnection(const QDir& shop, const ConnectionSettings& settings)
{
    const QString line = settings.databasePath + u';' + extraToFile(settings.extra1) + u';' +
                         extraToFile(settings.extra2) + u'\n';
    return writeFileAtomically(path(shop, connectionFile), line.toUtf8());
}

ShopIdentity readShop(const QDir& shop)
{
    const QString line = lastLine(path(shop, shopFile));
    return {text::nthField(line, 1), text::nthField(line, 2), text::nthField(line, 3)};
}

ReceiptSettings parseReceiptSettings(const QString& line)
{
    ReceiptSettings settings;
    settings.topMargin = text::textToInt(text::nthField(line, 1));
    settings.lineSpacing = text::textToInt(text::nthField(line, 2));
    settings.defaultLayout = text::textToInt(text::nthField(line, 3));
    settings.fontName = text::nthField(line, 4);
    settings.fontSize = text::textToInt(text::nthField(line, 5));
    return settings;
}

QString receiptSettingsLine(const ReceiptSettings& settings)
{
    return QString::number(settings.topMargin) + u';' + QString::number(settings.lineSpacing) +
           u';' + QString::number(settings.defaultLayout) + u';' + settings.fontName + u';' +
           QString::number(settings.fontSize);
}

ReceiptSettings readReceiptSettings(const QDir& shop)
{
    const QString file = path(shop, receiptFile);
    if (!QFile::exists(file)) {
        const ReceiptSettings defaults;
        writeReceiptSettings(shop, defaults);
        return defaults;
    }
    return parseReceiptSettings(lastLine(file));
}

bool writeReceiptSettings(const QDir& shop, const ReceiptSettings& settings)
{
    return writeFileAtomically(path(shop, receiptFile),
                               (receiptSettingsLine(settings) + u'\n').toUtf8());
}

} // namespace config

#include "core/shop_settings.h"

#include "core/config_files.h"

#include <QFile>

ShopSettings ShopSettings::read(const QDir& shopFolder)
{
    ShopSettings settings;
    QFile file(shopFolder.filePath(QString::fromLatin1(fileName)));
    if (!file.open(QIODevice::ReadOnly))
        return settings;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0 || line.startsWith(u'#'))
            continue;
        settings.m_values.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return settings;
}

bool ShopSettings::write(const QDir& shopFolder) const
{
    QByteArray contents;
    for (auto value = m_values.cbegin(); value != m_values.cend(); ++value)
        contents += (value.key() + u'=' + value.value() + u'\n').toUtf8();
    return config::writeFileAtomically(shopFolder.filePath(QString::fromLatin1(fileName)),
                                       contents);
}

QString ShopSettings::text(const QString& key, const QString& fallback) const
{
    return m_values.value(key, fallback);
}

int ShopSettings::number(const QString& key, int fallback) const
{
    bool ok = false;
    const int value = m_values.value(key).toInt(&ok);
    return ok ? value : fallback;
}

bool ShopSettings::flag(const QString& key, bool fallback) const
{
    const QString value = m_values.value(key);
    if (value == u"yes")
        return true;
    if (value == u"no")
        return false;
    return fallback;
}

void ShopSettings::setText(const QString& key, const QString& value)
{
    // A line break would end the value early and start a line of its own.
    QString oneLine = value;
    oneLine.replace(u'\n', u' ').replace(u'\r', u' ');
    m_values.insert(key, oneLine.trimmed());
}

void ShopSettings::setNumber(const QString& key, int value)
{
    m_values.insert(key, QString::number(value));
}

void ShopSettings::setFlag(const QString& key, bool value)
{
    m_values.insert(key, value ? QStringLiteral("yes") : QStringLiteral("no"));
}

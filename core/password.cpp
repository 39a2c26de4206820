#include "core/password.h"

#include <sodium.h>

namespace password {

namespace {

bool ready()
{
    static const bool initialised = sodium_init() >= 0;
    return initialised;
}

} // namespace

QString hash(const QString& plain)
{
    if (!ready())
        return {};
    const QByteArray utf8 = plain.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    // Interactive limits: about a tenth of a second and 64 MB on the shop's PC.
    if (crypto_pwhash_str(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return {};
    return QString::fromLatin1(out);
}

bool isHash(const QString& stored)
{
    return stored.startsWith(QLatin1String(crypto_pwhash_STRPREFIX));
}

bool verify(const QString& stored, const QString& plain)
{
    if (!ready() || !isHash(stored))
        return false;
    const QByteArray hashText = stored.toLatin1();
    const QByteArray utf8 = plain.toUtf8();
    return crypto_pwhash_str_verify(hashText.constData(), utf8.constData(),
                                    static_cast<unsigned long long>(utf8.size())) == 0;
}

} // namespace password

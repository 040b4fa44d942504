#include "Claves.h"

#include <sodium.h>

namespace {

bool IniciarSodio()
{
    static const bool listo = sodium_init() >= 0;
    return listo;
}

const char kPrefijo[] = "$argon2id$";

} // namespace

QString CifrarClave(const QString& tecleada)
{
    if (!IniciarSodio())
        return QString();
    const QByteArray texto = tecleada.toUtf8();
    char cifrada[crypto_pwhash_STRBYTES];
    // The interactive cost: about a tenth of a second and 64 MiB a login.
    if (crypto_pwhash_str(cifrada, texto.constData(), static_cast<unsigned long long>(texto.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return QString();
    return QString::fromLatin1(cifrada);
}

bool EsClaveCifrada(const QString& guardada)
{
    return guardada.startsWith(QLatin1String(kPrefijo));
}

bool ClaveCoincide(const QString& guardada, const QString& tecleada)
{
    if (tecleada.isEmpty())
        return false;
    if (!EsClaveCifrada(guardada))
        return guardada == tecleada;
    if (!IniciarSodio())
        return false;
    const QByteArray cifrada = guardada.toLatin1();
    const QByteArray texto = tecleada.toUtf8();
    return crypto_pwhash_str_verify(cifrada.constData(), texto.constData(),
                                    static_cast<unsigned long long>(texto.size())) == 0;
}

#include "common/PasswordHash.h"

#include <sodium.h>

#include <QByteArray>
#include <mutex>

namespace {
bool iniciarSodium() {
    static std::once_flag feito;
    static bool ok = false;
    std::call_once(feito, [] { ok = sodium_init() >= 0; });
    return ok;
}
} // namespace

QString hashPassword(const QString& password) {
    if (!iniciarSodium())
        return {};
    const QByteArray texto = password.toUtf8();
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hash, texto.constData(), static_cast<unsigned long long>(texto.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return {};
    return QString::fromLatin1(hash);
}

bool verificarPassword(const QString& hash, const QString& password) {
    if (hash.isEmpty() || !iniciarSodium())
        return false;
    const QByteArray h = hash.toLatin1();
    if (h.size() >= crypto_pwhash_STRBYTES)
        return false;
    const QByteArray texto = password.toUtf8();
    return crypto_pwhash_str_verify(h.constData(), texto.constData(),
                                    static_cast<unsigned long long>(texto.size())) == 0;
}

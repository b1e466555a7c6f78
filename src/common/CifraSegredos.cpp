#include "common/CifraSegredos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <sodium.h>

static_assert(crypto_secretbox_KEYBYTES == 32);

QString CifraSegredos::ficheiroChavePorOmissao() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("chave-segredos.bin"));
}

CifraSegredos::CifraSegredos(const QString& ficheiroChave) {
    if (sodium_init() < 0)
        return;
    const QString caminho = ficheiroChave.isEmpty() ? ficheiroChavePorOmissao() : ficheiroChave;
    QFile f(caminho);
    if (f.exists()) {
        if (f.open(QIODevice::ReadOnly) && f.read(reinterpret_cast<char*>(m_chave), sizeof m_chave) == sizeof m_chave)
            m_valida = true;
        return;
    }
    QDir().mkpath(QFileInfo(caminho).absolutePath());
    crypto_secretbox_keygen(m_chave);
    // Created readable by its owner only: never, not even for a moment, open to other users.
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return;
    m_valida = f.write(reinterpret_cast<const char*>(m_chave), sizeof m_chave) == sizeof m_chave && f.flush();
}

QString CifraSegredos::cifrar(const QString& texto) const {
    if (!m_valida)
        return {};
    const QByteArray claro = texto.toUtf8();
    QByteArray saida(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES + claro.size(), '\0');
    auto* nonce = reinterpret_cast<unsigned char*>(saida.data());
    randombytes_buf(nonce, crypto_secretbox_NONCEBYTES);
    crypto_secretbox_easy(nonce + crypto_secretbox_NONCEBYTES, reinterpret_cast<const unsigned char*>(claro.constData()),
                          claro.size(), nonce, m_chave);
    return QStringLiteral("v1:") + QString::fromLatin1(saida.toBase64());
}

std::optional<QString> CifraSegredos::decifrar(const QString& cifrado) const {
    if (!m_valida || !cifrado.startsWith(QStringLiteral("v1:")))
        return std::nullopt;
    const QByteArray dados = QByteArray::fromBase64(cifrado.mid(3).toLatin1());
    if (dados.size() < int(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES))
        return std::nullopt;
    const auto* nonce = reinterpret_cast<const unsigned char*>(dados.constData());
    const qsizetype tamanho = dados.size() - crypto_secretbox_NONCEBYTES;
    QByteArray claro(tamanho - crypto_secretbox_MACBYTES, '\0');
    if (crypto_secretbox_open_easy(reinterpret_cast<unsigned char*>(claro.data()), nonce + crypto_secretbox_NONCEBYTES,
                                   tamanho, nonce, m_chave) != 0)
        return std::nullopt;
    return QString::fromUtf8(claro);
}

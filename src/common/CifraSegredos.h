#pragma once

#include <QString>
#include <optional>

// Enciphers the connection passwords the program keeps in its settings and parameters.
// The key is a random file readable only by the operating-system user; the stored text
// is "v1:" + base64(nonce + ciphertext).
class CifraSegredos {
public:
    // Uses (and creates on first use) the key file at the given path;
    // an empty path means the user's configuration folder.
    explicit CifraSegredos(const QString& ficheiroChave = {});

    bool valida() const { return m_valida; }
    QString cifrar(const QString& texto) const;
    // nullopt when the text was not produced with this key or was altered.
    std::optional<QString> decifrar(const QString& cifrado) const;

    static QString ficheiroChavePorOmissao();

private:
    unsigned char m_chave[32] = {};
    bool m_valida = false;
};

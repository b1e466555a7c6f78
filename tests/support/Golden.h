#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>

// Golden files: what a test obtains is compared with a file kept in the tree. With
// LUMO_ACTUALIZAR_GOLDEN=1 the tests rewrite those files from what they obtained instead, and the
// diff is reviewed before it is committed. Header only: both test programs use it.

inline bool actualizarGolden() {
    return qEnvironmentVariable("LUMO_ACTUALIZAR_GOLDEN") == QLatin1String("1");
}

// The file's bytes; nothing when it cannot be read.
inline std::optional<QByteArray> lerGolden(const QString& caminho) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

// Writes the file only when its content changes, so that an update leaves unchanged files untouched.
inline bool escreverGolden(const QString& caminho, const QByteArray& conteudo) {
    if (lerGolden(caminho) == conteudo)
        return true;
    QFile f(caminho);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(conteudo) == conteudo.size();
}

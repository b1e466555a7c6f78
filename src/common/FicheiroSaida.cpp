#include "common/FicheiroSaida.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool DestinoDeFicheiroValido(const QString& caminho, QString* erro) {
    auto recusar = [&](const QString& texto) {
        if (erro)
            *erro = texto;
        return false;
    };
    if (caminho.trimmed().isEmpty())
        return recusar(QStringLiteral("Falta o nome do ficheiro."));
    const QFileInfo f(caminho);
    if (f.exists() && !f.isFile())
        return recusar(QStringLiteral("%1 não é um ficheiro normal: não se grava aí.").arg(caminho));
    const QFileInfo pasta(f.absolutePath());
    if (!pasta.isDir())
        return recusar(QStringLiteral("A pasta de %1 não existe.").arg(caminho));
    return true;
}

bool CriarPastaPrivada(const QString& pasta) {
    QDir d(pasta);
    if (d.exists())
        return true;
    if (!QDir().mkpath(d.absolutePath()))
        return false;
    return QFile::setPermissions(d.absolutePath(),
                                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

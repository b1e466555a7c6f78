#include "common/FicheiroSaida.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

Resultado<> DestinoDeFicheiroValido(const QString& caminho) {
    if (caminho.trimmed().isEmpty())
        return Falha(QStringLiteral("Falta o nome do ficheiro."));
    const QFileInfo f(caminho);
    if (f.exists() && !f.isFile())
        return Falha(QStringLiteral("%1 não é um ficheiro normal: não se grava aí.").arg(caminho));
    const QFileInfo pasta(f.absolutePath());
    if (!pasta.isDir())
        return Falha(QStringLiteral("A pasta de %1 não existe.").arg(caminho));
    return {};
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

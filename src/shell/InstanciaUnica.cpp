#include "shell/InstanciaUnica.h"

#include "common/UserInteraction.h"

#include <QDir>
#include <QLockFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtGlobal>

namespace {
QString seguroParaFicheiro(QString texto) {
    static const QRegularExpression proibidos(QStringLiteral("[^A-Za-z0-9._-]"));
    texto.replace(proibidos, QStringLiteral("_"));
    return texto;
}
} // namespace

QString InstanciaUnica::utilizadorSistema() {
    QString nome = qEnvironmentVariable("USER");
    if (nome.isEmpty())
        nome = qEnvironmentVariable("USERNAME");
    if (nome.isEmpty())
        nome = qEnvironmentVariable("LOGNAME");
    if (nome.isEmpty())
        nome = QDir::home().dirName();
    return seguroParaFicheiro(nome);
}

InstanciaUnica::InstanciaUnica(const QString& nomePrograma, const QString& pasta) {
    QString dir = pasta;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    // The user's name is part of the file name because the temporary folder may be shared.
    m_ficheiro = QDir(dir).filePath(
        QStringLiteral("%1-%2.lock").arg(seguroParaFicheiro(nomePrograma), utilizadorSistema()));
    m_lock = std::make_unique<QLockFile>(m_ficheiro);
    // Only a dead holder makes the lock stale: a long-running instance keeps it however old it is.
    m_lock->setStaleLockTime(0);
}

InstanciaUnica::~InstanciaUnica() {
    libertar();
}

bool InstanciaUnica::adquirir() {
    if (m_adquirida)
        return true;
    if (m_lock->tryLock(0)) {
        m_adquirida = true;
        return true;
    }
    if (m_lock->error() == QLockFile::LockFailedError)
        return false;
    // The folder cannot hold the mark (permissions, full disk): refusing would keep the program
    // from ever starting, so it runs without the check.
    qWarning("Marca de instância única não criada em %s", qPrintable(m_ficheiro));
    return true;
}

void InstanciaUnica::libertar() {
    if (m_adquirida)
        m_lock->unlock();
    m_adquirida = false;
}

bool verificarInstanciaUnica(InstanciaUnica& instancia, UserInteraction& ui) {
    if (instancia.adquirir())
        return true;
    ui.mensagem(QStringLiteral("Só pode iniciar uma instância da aplicação de cada vez!"),
                UserInteraction::Icone::Critico);
    return false;
}

#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>

// An environment variable set for the life of the object, then put back as it was (unset when it
// was not set): tests must leave the run's environment as they found it.
class VariavelAmbiente {
public:
    VariavelAmbiente(const char* nome, const QString& valor)
        : m_nome(nome), m_antes(qgetenv(nome)), m_tinha(qEnvironmentVariableIsSet(nome)) {
        qputenv(nome, valor.toUtf8());
    }
    ~VariavelAmbiente() {
        if (m_tinha)
            qputenv(m_nome, m_antes);
        else
            qunsetenv(m_nome);
    }
    VariavelAmbiente(const VariavelAmbiente&) = delete;
    VariavelAmbiente& operator=(const VariavelAmbiente&) = delete;

private:
    const char* m_nome;
    QByteArray m_antes;
    bool m_tinha;
};

// Settings of the run go to a folder of their own, never to the user's.
inline void isolarDefinicoes(const QString& pasta) {
    for (auto formato : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(formato, QSettings::UserScope, pasta + QStringLiteral("/utilizador"));
        QSettings::setPath(formato, QSettings::SystemScope, pasta + QStringLiteral("/sistema"));
    }
}

#pragma once

#include <QList>
#include <QString>
#include <functional>

class UserInteraction;

// One piece the program needs at run time, and how to tell whether it is there.
struct Componente {
    QString nome;
    QString ficheiro;    // what to look for when it is missing
    QString dependencia; // what provides it
    std::function<bool()> disponivel;
};

// The database drivers, print support (tested by the window layer, which has it) and the key of the
// stored-password cipher. An empty key path means the user's key file.
QList<Componente> componentesNecessarios(const std::function<bool()>& impressaoDisponivel,
                                         const QString& ficheiroChave = {});

// Tells the user which components are missing (or, when asked, that none is);
// true when every one is available.
bool VerificaComponentes(UserInteraction& ui, const QList<Componente>& componentes, bool mensagemSucesso);

inline const QString TituloVerificacaoComponentes =
    QStringLiteral("Verificação de instalação de componentes");

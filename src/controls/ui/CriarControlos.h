#pragma once

#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <utility>

// The windows' controls are found by their object names (tests, access rights, focus), so each is
// created with its name in one step.
template <class Controlo, class... Argumentos>
Controlo* criarControlo(QWidget* pai, const char* nome, Argumentos&&... argumentos) {
    auto* c = new Controlo(std::forward<Argumentos>(argumentos)..., pai);
    c->setObjectName(QLatin1String(nome));
    return c;
}

inline QPushButton* criarBotao(QWidget* pai, const char* nome, const QString& texto) {
    return criarControlo<QPushButton>(pai, nome, texto);
}

// A button that Enter in a field of the window does not press.
inline QPushButton* criarBotaoSemEnter(QWidget* pai, const char* nome, const QString& texto) {
    QPushButton* b = criarBotao(pai, nome, texto);
    b->setAutoDefault(false);
    return b;
}

inline QLabel* criarRotulo(QWidget* pai, const char* nome) { return criarControlo<QLabel>(pai, nome); }

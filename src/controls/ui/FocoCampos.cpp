#include "controls/ui/FocoCampos.h"

#include "common/ui/QtUserInteraction.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QWidget>

void moverFoco(QWidget* origem, bool seguinte) {
    if (!origem)
        return;
    QKeyEvent tab(QEvent::KeyPress, seguinte ? Qt::Key_Tab : Qt::Key_Backtab,
                  seguinte ? Qt::NoModifier : Qt::ShiftModifier);
    QApplication::sendEvent(origem, &tab);
}

void aplicarCores(QWidget* campo, const QColor& texto, const QColor& fundo) {
    QPalette p = campo->palette();
    if (texto.isValid()) {
        p.setColor(QPalette::Text, texto);
        p.setColor(QPalette::WindowText, texto);
        p.setColor(QPalette::ButtonText, texto);
    }
    if (fundo.isValid()) {
        p.setColor(QPalette::Base, fundo);
        p.setColor(QPalette::Button, fundo);
    }
    campo->setPalette(p);
}

UserInteraction& interaccaoDoCampo(QWidget* campo, UserInteraction* dada) {
    if (dada)
        return *dada;
    // One set of real dialogs per field, parented to its window when the message is shown.
    auto* propria = campo->findChild<QObject*>(QStringLiteral("__interaccao"), Qt::FindDirectChildrenOnly);
    struct Dono : QObject {
        QtUserInteraction ui;
    };
    if (!propria) {
        propria = new Dono;
        propria->setParent(campo);
        propria->setObjectName(QStringLiteral("__interaccao"));
    }
    auto& ui = static_cast<Dono*>(propria)->ui;
    ui.definirPai(campo->window());
    return ui;
}

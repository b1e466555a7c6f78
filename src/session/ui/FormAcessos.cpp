#include "session/ui/FormAcessos.h"

#include <QAbstractButton>
#include <QWidget>

JanelaProtegida DescreverJanela(const QWidget* janela, const QString& form, const QString& caption) {
    JanelaProtegida j{form, caption, {}};
    for (const QAbstractButton* b : janela->findChildren<QAbstractButton*>())
        if (b->objectName().startsWith(QStringLiteral("cmd")))
            j.botoes.push_back({b->objectName(), b->text()});
    return j;
}

void AplicarBotoes(QWidget* janela, const ResultadoFormAcessos& resultado) {
    for (const auto& [ctrl, activo] : resultado.botoes)
        if (auto* b = janela->findChild<QAbstractButton*>(ctrl))
            b->setEnabled(activo);
}

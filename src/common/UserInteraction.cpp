#include "common/UserInteraction.h"

QString tituloEspacado(const QString& titulo) {
    QString r;
    for (const QChar c : titulo) {
        if (c == u' ')
            continue;
        if (!r.isEmpty())
            r += u' ';
        r += c;
    }
    return r;
}

std::optional<QString> PerguntaTipoListagem(UserInteraction& ui) {
    const int r =
        ui.alerta(QStringLiteral("Tipo de Listagem?"), {QStringLiteral("Para o Ecran"), QStringLiteral("Para a Impressora")});
    if (r != 1 && r != 2)
        return std::nullopt;
    return r == 1 ? QStringLiteral("S") : QStringLiteral("P");
}

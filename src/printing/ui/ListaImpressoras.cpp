#include "printing/ui/ListaImpressoras.h"

#include <QPrinterInfo>
#include <QSettings>

namespace {
const QString Separador = QStringLiteral("  —  ");
const QString Chave = QStringLiteral("Impressoras/Relatorios");
} // namespace

QStringList ListaImpressoras::Disponiveis(bool metodoAlternativo, bool apenasLocais) {
    QStringList r;
    for (const QPrinterInfo& p : QPrinterInfo::availablePrinters()) {
        if (apenasLocais && p.isRemote())
            continue;
        QString linha = p.printerName();
        if (metodoAlternativo && !p.description().isEmpty() && p.description() != p.printerName())
            linha += Separador + p.description();
        r << linha;
    }
    return r;
}

QString ListaImpressoras::NomeDaLinha(const QString& linha) {
    const qsizetype i = linha.indexOf(Separador);
    return i < 0 ? linha : linha.left(i);
}

QString ListaImpressoras::Escolhida() {
    return QSettings().value(Chave).toString();
}

void ListaImpressoras::Guardar(const QString& impressora) {
    QSettings().setValue(Chave, impressora);
}

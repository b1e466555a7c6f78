#include "company/EDiv.h"
#include "company/GlobalContext.h"
#include "company/Mavo.h"

namespace {

// Typed codes are stored zero-filled when the company asks for it, so that "12" typed on one
// form finds the row another form wrote as "000000000000012".
QString zerarCodigo(const QString& codigo, int interruptor, int largura) {
    if (interruptor != 1 || codigo.trimmed().isEmpty())
        return codigo;
    return EDiv::Zerar(codigo, largura, QStringLiteral("0"), true);
}

} // namespace

QString Mavo::Zerar_Produto_str(const QString& codigo) const { return zerarCodigo(codigo, m_ctx.zerarproduto, 15); }

QString Mavo::Zerar_Cliente_str(const QString& codigo) const { return zerarCodigo(codigo, m_ctx.zerarclientes, 10); }

QString Mavo::Zerar_Fornece_str(const QString& codigo) const { return zerarCodigo(codigo, m_ctx.zerarfornece, 10); }

QString Mavo::Tirar_Espacos_str(const QString& texto, const QString& caracter) {
    if (caracter.isEmpty())
        return texto;
    QString r = texto;
    return r.remove(caracter);
}

QString Mavo::Tirar_Zeros_Esquerda_str_(const QString& texto, const QString& caracter) {
    if (caracter.isEmpty())
        return texto;
    qsizetype inicio = 0;
    while (texto.mid(inicio, caracter.size()) == caracter)
        inicio += caracter.size();
    return texto.mid(inicio);
}

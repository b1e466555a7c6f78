#include "shell/SessaoCli.h"

#include "shell/Database.h"
#include "shell/Empresas.h"
#include "shell/LinhaComandosCli.h"
#include "shell/Mavo.h"
#include "shell/ParametrosGerais.h"

#include <QSysInfo>

SessaoCli::~SessaoCli() {
    if (ctx.LigacaoEmpresa)
        ctx.LigacaoEmpresa->close();
}

bool SessaoCli::abrir(const PedidoCli& p, QString& erro) {
    const QString empresa = p.opcao(QStringLiteral("empresa")).trimmed();
    if (empresa.isEmpty()) {
        erro = QStringLiteral("Falta o código da empresa (--empresa CODIGO).");
        return false;
    }
    if (!abrirEmpresa(ctx, p.servidor, empresa, &erro))
        return false;
    const QString pedido = p.opcoes.contains(QStringLiteral("utilizador"))
                               ? p.opcao(QStringLiteral("utilizador")).trimmed()
                               : QStringLiteral("01");
    if (pedido.isEmpty()) {
        erro = QStringLiteral("Falta o código do utilizador (--utilizador CODIGO).");
        return false;
    }
    const auto u = ctx.bd().primeiraLinha(
        QStringLiteral("SELECT Codigo, Login FROM Utilizador WHERE Codigo=? ORDER BY NumRegisto") +
            ctx.bd().dialect().limite(1),
        {pedido});
    if (!u) {
        erro = QStringLiteral("Utilizador inexistente: %1").arg(pedido);
        return false;
    }
    ctx.CodigoUtilizador = u->at(0).toString();
    ctx.LoginUtilizador = u->at(1).toString();
    ctx.NomePosto = QSysInfo::machineHostName();
    CarregaParametrosGerais(ctx);
    CarregaCasasDecProducao(ctx);
    return true;
}

bool SessaoCli::produto(const QString& digitado, QString& codigo, QString& erro, QString* descricao) {
    codigo = Mavo(ctx).Zerar_Produto_str(digitado.trimmed());
    const auto r = ctx.bd().primeiraLinha(
        QStringLiteral("SELECT Codigo, Descricao FROM Produtos WHERE Codigo=? ORDER BY NumRegisto") +
            ctx.bd().dialect().limite(1),
        {codigo});
    if (!r) {
        erro = QStringLiteral("Produto inexistente: %1").arg(codigo);
        return false;
    }
    codigo = r->at(0).toString();
    if (descricao)
        *descricao = r->at(1).toString();
    return true;
}

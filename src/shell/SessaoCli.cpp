#include "shell/SessaoCli.h"

#include "shell/Acessos.h"
#include "shell/Database.h"
#include "shell/LeitorJsonCli.h"
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
        erro = QStringLiteral("Utilizador inexistente: %1").arg(citacao(pedido));
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
        erro = QStringLiteral("Produto inexistente: %1").arg(citacao(codigo));
        return false;
    }
    codigo = r->at(0).toString();
    if (descricao)
        *descricao = r->at(1).toString();
    return true;
}

bool SessaoCli::permitidoPrograma(QString& erro) {
    const QString& u = ctx.CodigoUtilizador;
    if (u == QStringLiteral("01") || u == QStringLiteral("00"))
        return true;
    // No row at all: the first entry would give the user every right, as the login does.
    const int programa = CheckUtilizApp(ctx, NomePrograma, u);
    if (programa < 0 || programa == 1)
        return true;
    erro = QStringLiteral("Acesso Negado !");
    return false;
}

bool SessaoCli::permitido(const QString& form, const QStringList& botoes, QString& erro) {
    if (!permitidoPrograma(erro))
        return false;
    const QString& u = ctx.CodigoUtilizador;
    if (u == QStringLiteral("01") || u == QStringLiteral("00") || CheckUtilizApp(ctx, NomePrograma, u) < 0)
        return true;
    for (const JanelaProtegida& j : JanelasProtegidas()) {
        if (j.form != form)
            continue;
        bool ok = CheckUtilizApp(ctx, ChaveJanela(j.form, j.caption), u) == 1;
        for (const BotaoProtegido& b : j.botoes)
            if (ok && botoes.contains(b.ctrl)) {
                const int v = CheckUtilizApp(ctx, ChaveBotao(j.form, j.caption, b.caption), u);
                ok = v < 0 || v == 1;
            }
        if (ok)
            return true;
        break;
    }
    erro = QStringLiteral("Acesso Negado !");
    return false;
}

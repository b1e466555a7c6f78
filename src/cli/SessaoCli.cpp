#include "cli/SessaoCli.h"

#include "session/Acessos.h"
#include "db/Database.h"
#include "cli/LeitorJsonCli.h"
#include "company/Empresas.h"
#include "cli/LinhaComandosCli.h"
#include "company/Mavo.h"
#include "company/ParametrosGerais.h"

#include <QHash>
#include <QSqlQuery>
#include <QSysInfo>

SessaoCli::~SessaoCli() {
    if (ctx.LigacaoEmpresa)
        ctx.LigacaoEmpresa->close();
}

Resultado<> SessaoCli::abrir(const PedidoCli& p) {
    const QString empresa = p.opcao(QStringLiteral("empresa")).trimmed();
    if (empresa.isEmpty())
        return Falha(QStringLiteral("Falta o código da empresa (--empresa CODIGO)."));
    if (auto r = abrirEmpresa(ctx, p.servidor, empresa); !r)
        return r;
    const QString pedido = p.opcoes.contains(QStringLiteral("utilizador"))
                               ? p.opcao(QStringLiteral("utilizador")).trimmed()
                               : QStringLiteral("01");
    if (pedido.isEmpty())
        return Falha(QStringLiteral("Falta o código do utilizador (--utilizador CODIGO)."));
    const auto u = ctx.bd().primeiraLinha(
        QStringLiteral("SELECT Codigo, Login FROM Utilizador WHERE Codigo=? ORDER BY NumRegisto") +
            ctx.bd().dialect().limite(1),
        {pedido});
    if (!u)
        return Falha(QStringLiteral("Utilizador inexistente: %1").arg(citacao(pedido)));
    ctx.CodigoUtilizador = u->at(0).toString();
    ctx.LoginUtilizador = u->at(1).toString();
    ctx.NomePosto = QSysInfo::machineHostName();
    CarregaParametrosGerais(ctx);
    CarregaCasasDecProducao(ctx);
    return {};
}

Resultado<QString> SessaoCli::produto(const QString& digitado, QString* descricao) {
    const QString codigo = Mavo(ctx).Zerar_Produto_str(digitado.trimmed());
    const auto r = ctx.bd().primeiraLinha(
        QStringLiteral("SELECT Codigo, Descricao FROM Produtos WHERE Codigo=? ORDER BY NumRegisto") +
            ctx.bd().dialect().limite(1),
        {codigo});
    if (!r)
        return Falha(QStringLiteral("Produto inexistente: %1").arg(citacao(codigo)));
    if (descricao)
        *descricao = r->at(1).toString();
    return r->at(0).toString();
}

bool SessaoCli::existe(const QString& tabela, const QString& codigo) {
    return ctx.bd().primeiraLinha(QStringLiteral("SELECT Codigo FROM %1 WHERE Codigo=?").arg(tabela), {codigo}).has_value();
}

namespace {

bool servico(const QString& u) { return u == QStringLiteral("01") || u == QStringLiteral("00"); }

// The user's rows of Acessos, by key, read at once (a null value grants nothing).
QHash<QString, int> direitos(GlobalContext& ctx, const QString& utilizador) {
    QHash<QString, int> r;
    ctx.bd().percorrer(QStringLiteral("SELECT chave, value FROM Acessos WHERE utilizador=?"), {utilizador},
                       [&](const QSqlQuery& q) { r.insert(q.value(0).toString(), q.value(1).isNull() ? 0 : q.value(1).toInt()); });
    return r;
}

} // namespace

Resultado<> SessaoCli::permitidoPrograma() {
    return permitido({}, {});
}

Resultado<> SessaoCli::permitido(const QString& form, const QStringList& botoes) {
    const QString& u = ctx.CodigoUtilizador;
    if (servico(u))
        return {};
    const QHash<QString, int> d = direitos(ctx, u);
    // No row for the program: the first entry would give the user every right, as the login does.
    if (!d.contains(NomePrograma))
        return {};
    bool ok = d.value(NomePrograma) == 1;
    if (ok && !form.isEmpty()) {
        ok = false;
        for (const JanelaProtegida& j : JanelasProtegidas()) {
            if (j.form != form)
                continue;
            ok = d.value(ChaveJanela(j.form, j.caption), -1) == 1;
            for (const BotaoProtegido& b : j.botoes)
                if (ok && botoes.contains(b.ctrl))
                    ok = d.value(ChaveBotao(j.form, j.caption, b.caption), 1) == 1;
            break;
        }
    }
    if (!ok)
        return Falha(QStringLiteral("Acesso Negado !"));
    return {};
}

#include "company/Ligacoes.h"

#include "common/UserInteraction.h"
#include "db/Servidor.h"
#include "common/CifraSegredos.h"
#include "company/GlobalContext.h"

ConnectionParams parametrosServidor(const QString& servidor) { return Servidor::lerTexto(servidor); }

QString textoServidor(const ConnectionParams& p) { return Servidor::para(p)->texto(); }

Resultado<> Abre_Connexao(std::shared_ptr<Database>& ligacao, const QString& servidor,
                          const QString& baseDados, const QString& login, QString password,
                          const QString& passwordCifrada, QString autenticacao, int tempoComando,
                          int tempoLigacao) {
    if (servidor.trimmed().isEmpty())
        return Falha();
    if (!passwordCifrada.isEmpty()) {
        const auto claro = CifraSegredos().decifrar(passwordCifrada);
        if (!claro)
            return Falha(QStringLiteral("Não foi possível decifrar a password guardada."));
        password = *claro;
    }
    if (ligacao) {
        ligacao->close();
        ligacao.reset();
    }
    autenticacao = autenticacao.trimmed().toUpper();
    if (autenticacao.isEmpty())
        autenticacao = QStringLiteral("SQL");
    ConnectionParams p = parametrosServidor(servidor);
    p.baseDados = baseDados;
    p.login = login;
    p.password = password;
    p.autenticacao = autenticacao;
    p.tempoComando = tempoComando;
    p.tempoLigacao = tempoLigacao;
    const auto aberta = Database::open(p);
    if (!aberta)
        return aberta.falha();
    ligacao = *aberta;
    return {};
}

bool Abre_Connexao_Local(GlobalContext& ctx, std::shared_ptr<Database>& ligacao, int tempoComando, int tempoLigacao) {
    return Abre_Connexao(ligacao, ctx.Servidor, QStringLiteral("LumoGest") + ctx.CodigoEmpresa, ctx.LoginSQL,
                         ctx.PasswordSQL, {}, ctx.TipoAutenticacao, tempoComando, tempoLigacao)
        .ok();
}

namespace {
struct DadosLigacaoExterna {
    QString servidor, empresa, login, password;
    bool autenticaSQL = true;
};

bool abrirExterna(const DadosLigacaoExterna& d, std::shared_ptr<Database>& ligacao) {
    return Abre_Connexao(ligacao, d.servidor, d.empresa, d.login, {}, d.password,
                         d.autenticaSQL ? QStringLiteral("SQL") : QStringLiteral("WIN"), 120, 60)
        .ok();
}
} // namespace

bool Abre_Connexao_Contabilidade(GlobalContext& ctx, UserInteraction& ui, bool segundoConjunto, bool mensagens) {
    const QString suf = segundoConjunto ? QStringLiteral("SNC") : QString();
    auto q = ctx.bd().query(QStringLiteral("SELECT Server%1, empresa%1, Login%1, Password%1, ContabAutenticaSQL%1 "
                                           "FROM ParamGeral")
                                .arg(suf));
    if (!q || !q->next())
        return false;
    DadosLigacaoExterna d{q->value(0).toString().trimmed(), q->value(1).toString().trimmed(),
                          q->value(2).toString().trimmed(), q->value(3).toString(), q->value(4).toInt() != 0};
    const QString marca = segundoConjunto ? QStringLiteral("(SNC) [Parâmetros Gerais]")
                                          : QStringLiteral("(POC) [Parâmetros Gerais]");
    auto falta = [&](const QString& texto) {
        if (mensagens)
            ui.mensagem(texto + marca, UserInteraction::Icone::Exclamacao);
        return false;
    };
    if (d.servidor.isEmpty())
        return falta(QStringLiteral("Não tem definido o Servidor da Contabilidade "));
    if (d.empresa.isEmpty())
        return falta(QStringLiteral("Não tem definida a Empresa da Contabilidade "));
    if (d.login.isEmpty() && d.autenticaSQL)
        return falta(QStringLiteral("Não tem definido o Utilizador da Contabilidade "));
    return abrirExterna(d, ctx.LigacaoContabilidade);
}

bool Abre_Connexao_AnoAnterior(GlobalContext& ctx, UserInteraction& ui, std::shared_ptr<Database>& ligacao,
                               bool mensagens) {
    auto q = ctx.bd().query(QStringLiteral("SELECT AnoAntServer, AnoAntEmpresa, AnoAntUID, AnoAntPass FROM ParamGeral"));
    auto aviso = [&](const QString& texto) {
        if (mensagens)
            ui.mensagem(texto, UserInteraction::Icone::Exclamacao);
        return false;
    };
    if (!q || !q->next())
        return aviso(QStringLiteral("Não Criou os Parâmetros Gerais"));
    DadosLigacaoExterna d{q->value(0).toString().trimmed(), q->value(1).toString().trimmed(),
                          q->value(2).toString().trimmed(), q->value(3).toString(), true};
    if (d.servidor.isEmpty())
        return aviso(QStringLiteral("Não tem definido o Servidor do Ano anterior [Parâmetros Gerais]"));
    if (d.empresa.isEmpty())
        return aviso(QStringLiteral("Não tem definida a Empresa do Ano anterior [Parâmetros Gerais]"));
    if (d.login.isEmpty() && Servidor::doTexto(d.servidor)->validaLoginsNoServidor())
        return aviso(QStringLiteral("Não tem definido o Utilizador do Ano anterior [Parâmetros Gerais]"));
    return abrirExterna(d, ligacao);
}

void FechaLigacoes(GlobalContext& ctx) {
    for (auto* l : {&ctx.LigacaoEmpresa, &ctx.LigacaoContabilidade, &ctx.LigacaoAuxiliar1, &ctx.LigacaoAuxiliar2}) {
        if (*l)
            (*l)->close();
        l->reset();
    }
}

bool SQL_SingleUser(Database& ligacao, const QString& baseDados) {
    return ligacao.servidor().utilizadorUnico(ligacao, baseDados, true);
}

bool SQL_MultiUser(Database& ligacao, const QString& baseDados) {
    return ligacao.servidor().utilizadorUnico(ligacao, baseDados, false);
}

bool SQL_Offline(Database& ligacaoManutencao, const QString& baseDados) {
    return ligacaoManutencao.servidor().emLinha(ligacaoManutencao, baseDados, false);
}

bool SQL_Online(Database& ligacaoManutencao, const QString& baseDados) {
    return ligacaoManutencao.servidor().emLinha(ligacaoManutencao, baseDados, true);
}

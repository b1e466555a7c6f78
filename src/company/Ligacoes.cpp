#include "company/Ligacoes.h"

#include "common/UserInteraction.h"
#include "db/AdminServidor.h"
#include "common/CifraSegredos.h"
#include "company/GlobalContext.h"

#include <QDir>

ConnectionParams parametrosServidor(const QString& servidor) {
    ConnectionParams p;
    const QString s = servidor.trimmed();
    if (s.startsWith(QStringLiteral("sqlite:"), Qt::CaseInsensitive)) {
        p.motor = Dialect::Motor::SQLite;
        p.pasta = s.mid(7);
    } else if (QDir::isAbsolutePath(s) && !s.isEmpty()) {
        p.motor = Dialect::Motor::SQLite;
        p.pasta = s;
    } else {
        p.motor = Dialect::Motor::PostgreSQL;
        const qsizetype dp = s.lastIndexOf(u':');
        bool ok = false;
        const int porta = dp > 0 ? s.mid(dp + 1).toInt(&ok) : 0;
        if (ok && porta > 0) {
            p.host = s.left(dp);
            p.porta = porta;
        } else {
            p.host = s;
        }
    }
    return p;
}

QString textoServidor(const ConnectionParams& p) {
    if (p.motor == Dialect::Motor::SQLite)
        return QStringLiteral("sqlite:") + p.pasta;
    return p.porta == 5432 ? p.host : QStringLiteral("%1:%2").arg(p.host).arg(p.porta);
}

bool Abre_Connexao(std::shared_ptr<Database>& ligacao, const QString& servidor, const QString& baseDados,
                   const QString& login, QString password, const QString& passwordCifrada, QString autenticacao,
                   int tempoComando, int tempoLigacao, QString* erro) {
    if (servidor.trimmed().isEmpty())
        return false;
    if (!passwordCifrada.isEmpty()) {
        const auto claro = CifraSegredos().decifrar(passwordCifrada);
        if (!claro) {
            if (erro)
                *erro = QStringLiteral("Não foi possível decifrar a password guardada.");
            return false;
        }
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
    ligacao = Database::open(p, erro);
    return ligacao != nullptr;
}

bool Abre_Connexao_Local(GlobalContext& ctx, std::shared_ptr<Database>& ligacao, int tempoComando, int tempoLigacao) {
    return Abre_Connexao(ligacao, ctx.Servidor, QStringLiteral("LumoGest") + ctx.CodigoEmpresa, ctx.LoginSQL,
                         ctx.PasswordSQL, {}, ctx.TipoAutenticacao, tempoComando, tempoLigacao);
}

namespace {
struct DadosLigacaoExterna {
    QString servidor, empresa, login, password;
    bool autenticaSQL = true;
};

bool abrirExterna(const DadosLigacaoExterna& d, std::shared_ptr<Database>& ligacao) {
    return Abre_Connexao(ligacao, d.servidor, d.empresa, d.login, {}, d.password,
                         d.autenticaSQL ? QStringLiteral("SQL") : QStringLiteral("WIN"), 120, 60);
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
    if (d.login.isEmpty() && parametrosServidor(d.servidor).motor == Dialect::Motor::PostgreSQL)
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

namespace {
// A database cannot refuse connections from a session inside it, so the switch is made
// from the server's maintenance database with the same credentials.
bool permitirLigacoes(const ConnectionParams& p, const QString& baseDados, bool permitir, qint64 pidPoupado) {
    if (!AdminServidor::nomeValido(baseDados))
        return false;
    auto adm = AdminServidor::ligarManutencao(p);
    if (!adm)
        return false;
    if (!adm->exec(QStringLiteral("ALTER DATABASE \"%1\" WITH ALLOW_CONNECTIONS %2")
                       .arg(baseDados, permitir ? QStringLiteral("true") : QStringLiteral("false"))))
        return false;
    if (permitir)
        return true;
    return adm->exec(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                                    "WHERE datname=? AND pid<>?"),
                     {baseDados, pidPoupado});
}

bool sqliteExclusivo(Database& ligacao, bool exclusivo) {
    if (!exclusivo) {
        // The exclusive lock is given up at the next read after leaving exclusive mode.
        return ligacao.exec(QStringLiteral("PRAGMA locking_mode=NORMAL")) &&
               ligacao.scalar(QStringLiteral("SELECT COUNT(*) FROM sqlite_master")).isValid();
    }
    // Other open connections keep their read locks; wait a little for them, not the full command time.
    ligacao.exec(QStringLiteral("PRAGMA busy_timeout=2000"));
    const bool ok = ligacao.exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE")) &&
                    ligacao.exec(QStringLiteral("BEGIN IMMEDIATE")) && ligacao.exec(QStringLiteral("COMMIT"));
    if (!ok)
        sqliteExclusivo(ligacao, false);
    ligacao.exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(ligacao.params().tempoComando * 1000));
    return ok;
}
} // namespace

bool SQL_SingleUser(Database& ligacao, const QString& baseDados) {
    if (ligacao.dialect().isSQLite())
        return sqliteExclusivo(ligacao, true);
    const qint64 pid = ligacao.scalar(QStringLiteral("SELECT pg_backend_pid()")).toLongLong();
    return permitirLigacoes(ligacao.params(), baseDados, false, pid);
}

bool SQL_MultiUser(Database& ligacao, const QString& baseDados) {
    if (ligacao.dialect().isSQLite())
        return sqliteExclusivo(ligacao, false);
    return permitirLigacoes(ligacao.params(), baseDados, true, 0);
}

bool SQL_Offline(Database& ligacaoManutencao, const QString& baseDados) {
    if (ligacaoManutencao.dialect().isSQLite())
        return true;
    return permitirLigacoes(ligacaoManutencao.params(), baseDados, false, 0);
}

bool SQL_Online(Database& ligacaoManutencao, const QString& baseDados) {
    if (ligacaoManutencao.dialect().isSQLite())
        return true;
    return permitirLigacoes(ligacaoManutencao.params(), baseDados, true, 0);
}

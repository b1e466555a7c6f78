// Company backups on the command line: the backup and its restore, the schedules at entry and exit
// and the history, over the same functions as the backup window.

#include "cli/LeitorJsonCli.h"
#include "cli/LinhaComandosCli.h"
#include "cli/SessaoCli.h"
#include "session/CopiaSeguranca.h"
#include "session/LogGeral.h"
#include "session/Segurancas.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>

namespace {

const QString Uso = QStringLiteral(
    "Uso: segurancas copiar --empresa CODIGO --pasta PASTA | segurancas repor FICHEIRO --empresa NOVO | "
    "segurancas agendar --empresa CODIGO --utilizador CODIGO --opcao Entrada|Saida --hora HH:mm --dias \"Seg;Qua;\" "
    "[--remover sim] [--por CODIGO] | segurancas historico --empresa CODIGO [--desde AAAA-MM-DD]");

// Options each action takes besides the common ones; anything else is refused, not ignored.
const QHash<QString, QSet<QString>>& opcoesDaAccao() {
    static const QHash<QString, QSet<QString>> o{
        {QStringLiteral("copiar"), {QStringLiteral("empresa"), QStringLiteral("utilizador"), QStringLiteral("pasta")}},
        {QStringLiteral("repor"), {QStringLiteral("empresa"), QStringLiteral("utilizador")}},
        {QStringLiteral("agendar"),
         {QStringLiteral("empresa"), QStringLiteral("utilizador"), QStringLiteral("por"), QStringLiteral("opcao"),
          QStringLiteral("hora"), QStringLiteral("dias"), QStringLiteral("remover")}},
        {QStringLiteral("historico"), {QStringLiteral("empresa"), QStringLiteral("utilizador"), QStringLiteral("desde")}},
    };
    return o;
}

// The actions' positional arguments after the action itself.
int argumentosDaAccao(const QString& accao) { return accao == QStringLiteral("repor") ? 1 : 0; }

bool supervisor(const QString& utilizador) {
    return utilizador == QStringLiteral("01") || utilizador == QStringLiteral("00");
}

// The user a command runs as, the supervisor "01" when not given, as every command reads it.
QString utilizadorPedido(const PedidoCli& p) {
    return p.opcoes.contains(QStringLiteral("utilizador")) ? p.opcao(QStringLiteral("utilizador")).trimmed()
                                                           : QStringLiteral("01");
}

Resultado<QJsonValue> copiar(const PedidoCli& p) {
    const QString pasta = p.opcao(QStringLiteral("pasta"));
    SessaoCli s;
    if (auto r = s.abrir(p); !r)
        return r.falha();
    // A backup holds every table of the company, passwords' hashes included.
    if (!supervisor(s.ctx.CodigoUtilizador))
        return Falha(QStringLiteral("Só o supervisor pode fazer cópias de segurança."));
    const auto r = CopiarEmpresa(s.ctx, pasta);
    if (!r)
        return r.falha();
    if (!LancaLOG_DB(s.ctx, QStringLiteral("Segurança"), QFileInfo(r->ficheiro).fileName()))
        return Falha(QStringLiteral("A cópia %1 foi feita mas não ficou registada no histórico.").arg(r->ficheiro));
    return QJsonValue(QJsonObject{{"ficheiro", r->ficheiro}, {"tabelas", r->tabelas}, {"linhas", double(r->linhas)}});
}

Resultado<QJsonValue> repor(const PedidoCli& p) {
    const QString novo = p.opcao(QStringLiteral("empresa")).trimmed();
    if (novo.isEmpty())
        return Falha(QStringLiteral("Falta o código da nova empresa (--empresa CODIGO)."));
    // No company is open yet to look the user up in: the code is the one the restore is logged as,
    // and it must be the supervisor's, since the new company gets every table of the backup.
    const QString utilizador = utilizadorPedido(p);
    if (utilizador.isEmpty())
        return Falha(QStringLiteral("Falta o código do utilizador (--utilizador CODIGO)."));
    if (!supervisor(utilizador))
        return Falha(QStringLiteral("Só o supervisor pode repor cópias de segurança."));
    const QString ficheiro = p.argumentos[1];
    if (!QFileInfo(ficheiro).isFile())
        return Falha(QStringLiteral("O ficheiro %1 não existe.").arg(citacao(ficheiro)));
    const auto r = ReporEmpresa(p.servidor, ficheiro, novo, utilizador);
    if (!r)
        return r.falha();
    QJsonObject o{{"empresa", r->empresa}, {"nome", r->nome}, {"ano", r->ano}};
    if (!r->avisos.isEmpty())
        o.insert(QStringLiteral("avisos"), QJsonArray::fromStringList(r->avisos));
    return QJsonValue(o);
}

Resultado<QJsonValue> agendar(const PedidoCli& p) {
    for (const char* obrigatoria : {"utilizador", "opcao"})
        if (p.opcao(QString::fromLatin1(obrigatoria)).trimmed().isEmpty())
            return Falha(QStringLiteral("Falta --%1.").arg(QString::fromLatin1(obrigatoria)));
    bool remover = false;
    if (p.opcoes.contains(QStringLiteral("remover"))) {
        const QString t = p.opcao(QStringLiteral("remover")).trimmed().toLower();
        if (t == QStringLiteral("sim"))
            remover = true;
        else if (t != QStringLiteral("nao") && t != QStringLiteral("não"))
            return Falha(QStringLiteral("--remover aceita \"sim\" ou \"não\" (lido: %1).")
                             .arg(citacao(p.opcao(QStringLiteral("remover")))));
    }
    if (!remover && p.opcao(QStringLiteral("hora")).trimmed().isEmpty())
        return Falha(QStringLiteral("Falta --hora."));
    // --utilizador names whose schedule it is; the command runs as --por, the supervisor when not given.
    PedidoCli comoQuemCorre = p;
    comoQuemCorre.opcoes.insert(QStringLiteral("utilizador"),
                                p.opcoes.value(QStringLiteral("por"), QStringLiteral("01")).trimmed());
    SessaoCli s;
    if (auto r = s.abrir(comoQuemCorre); !r)
        return r.falha();
    // A schedule makes backups of every table at another user's entry or exit.
    if (!supervisor(s.ctx.CodigoUtilizador))
        return Falha(QStringLiteral("Só o supervisor pode agendar cópias de segurança."));
    const QString para = p.opcao(QStringLiteral("utilizador")).trimmed();
    const auto dono = s.ctx.bd().lerPrimeiraLinha(
        QStringLiteral("SELECT Codigo FROM Utilizador WHERE Codigo=? ORDER BY NumRegisto") + s.ctx.bd().dialect().limite(1),
        {para});
    if (!dono)
        return dono.falha();
    if (!*dono)
        return Falha(QStringLiteral("Utilizador inexistente: %1").arg(citacao(para)));
    AgendaSeguranca a;
    a.utilizador = (**dono).value(0).toString();
    a.opcao = p.opcao(QStringLiteral("opcao")).trimmed();
    a.hora = p.opcao(QStringLiteral("hora")).trimmed();
    a.dias = p.opcao(QStringLiteral("dias")).trimmed();
    if (auto r = GravarAgendaSeguranca(s.ctx.bd(), a, remover); !r)
        return r.falha();
    return QJsonValue(QJsonObject{{"utilizador", a.utilizador},
                                  {"opcao", a.opcao},
                                  {"hora", a.hora},
                                  {"dias", a.dias},
                                  {"removida", remover}});
}

Resultado<QJsonValue> historico(const PedidoCli& p) {
    SessaoCli s;
    if (auto r = s.abrir(p); !r)
        return r.falha();
    // The history names every user's backups and restores.
    if (!supervisor(s.ctx.CodigoUtilizador))
        return Falha(QStringLiteral("Só o supervisor pode consultar o histórico das cópias de segurança."));
    const auto linhas = LerHistoricoSegurancas(s.ctx.bd(), p.opcao(QStringLiteral("desde")).trimmed());
    if (!linhas)
        return linhas.falha();
    QJsonArray lista;
    for (const LinhaHistoricoSeguranca& l : *linhas)
        lista.append(QJsonObject{{"accao", l.accao},
                                 {"data", l.data},
                                 {"hora", l.hora},
                                 {"utilizador", l.utilizador},
                                 {"login", l.utilizadorLogin},
                                 {"posto", l.posto},
                                 {"ficheiro", l.ficheiro}});
    return QJsonValue(lista);
}

Resultado<QJsonValue> cmdSegurancas(const PedidoCli& p) {
    const QString accao = p.argumentos.value(0).toLower();
    const auto aceites = opcoesDaAccao().constFind(accao);
    if (aceites == opcoesDaAccao().cend() || p.argumentos.size() != 1 + argumentosDaAccao(accao))
        return Falha(Uso);
    for (auto i = p.opcoes.cbegin(); i != p.opcoes.cend(); ++i)
        if (i.key() != QStringLiteral("pg") && i.key() != QStringLiteral("login") && !aceites->contains(i.key()))
            return Falha(QStringLiteral("A opção --%1 não serve com \"segurancas %2\".").arg(i.key(), accao));
    if (accao == QStringLiteral("copiar"))
        return copiar(p);
    if (accao == QStringLiteral("repor"))
        return repor(p);
    if (accao == QStringLiteral("agendar"))
        return agendar(p);
    return historico(p);
}

} // namespace

std::vector<ComandoCli> comandosSegurancasCli() {
    return {{QStringLiteral("segurancas"),
             QStringLiteral("segurancas copiar --empresa CODIGO --pasta PASTA | segurancas repor FICHEIRO --empresa "
                            "NOVO | segurancas agendar --empresa CODIGO --utilizador CODIGO --opcao Entrada|Saida "
                            "--hora HH:mm --dias \"Seg;Qua;\" [--remover sim] [--por CODIGO] | segurancas historico "
                            "--empresa CODIGO "
                            "[--desde AAAA-MM-DD]"),
             QStringLiteral("Cópias de segurança da empresa, todas só do supervisor: \"copiar\" grava "
                            "ExportTARVOEX<código>.zip na pasta; \"repor\" cria uma empresa nova a partir de uma "
                            "cópia; \"agendar\" grava ou remove a cópia automática do utilizador indicado em "
                            "--utilizador à entrada ou à saída (corre como --por, o supervisor por omissão); \"historico\" lista as cópias e reposições feitas."),
             {QStringLiteral("empresa"), QStringLiteral("utilizador"), QStringLiteral("pasta"), QStringLiteral("por"),
              QStringLiteral("opcao"), QStringLiteral("hora"), QStringLiteral("dias"), QStringLiteral("remover"),
              QStringLiteral("desde")},
             cmdSegurancas}};
}

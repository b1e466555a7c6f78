#include "session/Segurancas.h"

#include "common/UserInteraction.h"
#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "db/Database.h"
#include "db/EstadoBaseDados.h"
#include "session/CopiaSeguranca.h"
#include "session/LogGeral.h"

#include <QDate>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QSqlDatabase>

namespace {

using Icone = UserInteraction::Icone;

// Monday first, as QDate::dayOfWeek counts.
const QStringList DiasSemana = {QStringLiteral("Seg;"), QStringLiteral("Ter;"), QStringLiteral("Qua;"),
                                QStringLiteral("Qui;"), QStringLiteral("Sex;"), QStringLiteral("Sáb;"),
                                QStringLiteral("Dom;")};

const QString Titulo = QStringLiteral("Cópias de Segurança");

bool horaValida(const QString& h) {
    static const QRegularExpression re(QStringLiteral("^([01][0-9]|2[0-3]):[0-5][0-9]$"));
    return re.match(h).hasMatch();
}

// The day tokens must each be one of the table's (any case) and appear once.
bool diasValidos(const QString& dias) {
    if (dias.isEmpty())
        return true;
    if (!dias.endsWith(u';'))
        return false;
    QStringList vistos;
    for (const QString& d : dias.left(dias.size() - 1).split(u';')) {
        const QString token = d + u';';
        bool conhecido = false;
        for (const QString& dia : DiasSemana)
            conhecido = conhecido || token.compare(dia, Qt::CaseInsensitive) == 0;
        if (!conhecido || vistos.contains(token.toCaseFolded()))
            return false;
        vistos << token.toCaseFolded();
    }
    return true;
}

} // namespace

QString AbreviaturaDiaSemana(const QDate& data) {
    if (!data.isValid())
        return {};
    return DiasSemana.at(data.dayOfWeek() - 1);
}

Resultado<bool> AgendaDevida(Database& db, const QString& utilizador, const QString& opcao, const QDateTime& quando) {
    if (utilizador.isEmpty() || !quando.isValid())
        return false;
    const QString dia = AbreviaturaDiaSemana(quando.date());
    const QString hora = quando.time().toString(QStringLiteral("HH:mm"));
    // "%" and "_" cannot occur in the fixed weekday tokens, so the pattern needs no escaping.
    const auto r = db.lerValor(QStringLiteral("SELECT COUNT(*) FROM Log_DB_Agenda WHERE Utilizador=? AND Opcao=? "
                                              "AND COALESCE(Hora,'')<=? AND (") +
                                   db.dialect().like(QStringLiteral("Dias")) +
                                   QStringLiteral(" OR COALESCE(Dias,'')='')"),
                               {utilizador, opcao, hora, u'%' + dia + u'%'});
    if (!r)
        return r.falha();
    return r->toInt() > 0;
}

Resultado<> GravarAgendaSeguranca(Database& db, const AgendaSeguranca& a, bool remover) {
    if (a.utilizador.trimmed().isEmpty())
        return Falha(QStringLiteral("Não definiu o utilizador!"), QStringLiteral("Utilizador"));
    if (a.opcao != QStringLiteral("Entrada") && a.opcao != QStringLiteral("Saida"))
        return Falha(QStringLiteral("Opção inválida: deve ser Entrada ou Saida!"), QStringLiteral("Opcao"));
    if (remover) {
        if (!db.exec(QStringLiteral("DELETE FROM Log_DB_Agenda WHERE Utilizador=? AND Opcao=?"),
                     {a.utilizador, a.opcao}))
            return Falha(db.lastError());
        return {};
    }
    const QString hora = a.hora.isEmpty() ? QStringLiteral("00:00") : a.hora;
    if (!horaValida(hora))
        return Falha(QStringLiteral("Hora inválida: indique HH:mm!"), QStringLiteral("Hora"));
    if (!diasValidos(a.dias))
        return Falha(QStringLiteral("Dias inválidos: use Seg; Ter; Qua; Qui; Sex; Sáb; Dom;"), QStringLiteral("Dias"));
    // The days are kept as the table writes them, whatever case was typed.
    QString dias;
    for (const QString& d : DiasSemana)
        if (a.dias.contains(d, Qt::CaseInsensitive))
            dias += d;
    Transaction t(db);
    if (!t.ok())
        return Falha(db.lastError());
    const auto existe = db.lerPrimeiraLinha(
        QStringLiteral("SELECT NumRegisto FROM Log_DB_Agenda WHERE Utilizador=? AND Opcao=?"), {a.utilizador, a.opcao});
    if (!existe)
        return existe.falha();
    if (*existe) {
        if (!db.update(QStringLiteral("Log_DB_Agenda"), {QStringLiteral("Hora"), QStringLiteral("Dias")}, {hora, dias},
                       QStringLiteral("WHERE Utilizador=? AND Opcao=?"), {a.utilizador, a.opcao}))
            return Falha(db.lastError());
    } else if (db.insert(QStringLiteral("Log_DB_Agenda"),
                         Registo()(QStringLiteral("Codigo"), a.utilizador + a.opcao.left(1))(
                             QStringLiteral("Utilizador"), a.utilizador)(QStringLiteral("Opcao"), a.opcao)(
                             QStringLiteral("Hora"), hora)(QStringLiteral("Dias"), dias)) <= 0) {
        return Falha(db.lastError());
    }
    if (!t.commit())
        return Falha(db.lastError());
    return {};
}

Resultado<std::vector<LinhaHistoricoSeguranca>> LerHistoricoSegurancas(Database& db, const QString& desde) {
    std::vector<LinhaHistoricoSeguranca> linhas;
    const bool ok = db.percorrer(
        QStringLiteral("SELECT L.Accao, L.Data, L.Hora, L.Utilizador, COALESCE(U.Login,''), L.Posto, L.Ficheiro "
                       "FROM Log_DB L LEFT OUTER JOIN Utilizador U ON U.Codigo=L.Utilizador "
                       "WHERE L.Data>=? ORDER BY L.Data DESC, L.Hora DESC, L.NumRegisto DESC"),
        {desde}, [&](const QSqlQuery& q) {
            linhas.push_back({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                              q.value(3).toString(), q.value(4).toString(), q.value(5).toString(),
                              q.value(6).toString()});
        });
    if (!ok)
        return Falha(db.lastError());
    return linhas;
}

// ---------------------------------------------------------------- the window's logic

Segurancas::Segurancas(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}

bool Segurancas::Abrir(const QString& accao, const QString& modo, const QDateTime& quando) {
    m_accao = accao;
    m_automatico = modo.compare(QStringLiteral("AUTO"), Qt::CaseInsensitive) == 0;
    m_copiaFeita = m_fechar = m_fechado = m_aberto = false;
    if (!m_ctx.LigacaoEmpresa || !m_ctx.LigacaoEmpresa->isOpen())
        return false;
    Database& db = m_ctx.bd();
    if (m_automatico) {
        const auto devida = AgendaDevida(db, m_ctx.CodigoUtilizador, accao,
                                         quando.isValid() ? quando : QDateTime::currentDateTime());
        if (!devida || !*devida)
            return false;
    }
    lblEmpresa = m_ctx.CodigoEmpresa + QStringLiteral(" - ") + m_ctx.NomeEmpresa;
    const qint64 bytes = estadoBasesDados(db.params()).value(nomeBaseDadosEmpresa(m_ctx.CodigoEmpresa)).bytes;
    int tabelas = 0;
    for (const QString& t : db.qdb().tables(QSql::Tables)) {
        const QString n = t.toUpper();
        if (n != QStringLiteral("DTPROPERTIES") && !n.startsWith(QStringLiteral("LOCK")) &&
            !n.startsWith(QStringLiteral("TRANSA")) && !n.startsWith(QStringLiteral("SQLITE_")))
            ++tabelas;
    }
    QString tamanho = VerTamanhoDB(bytes);
    if (tamanho.endsWith(QStringLiteral(" Mb")))
        tamanho.chop(3);
    lblInfo = QStringLiteral("Tamanho da Base de Dados: ") + (tamanho.isEmpty() ? QStringLiteral("?") : tamanho) +
              QStringLiteral(" Mb") + QStringLiteral("\r\n") + QStringLiteral("Total de Tabelas: ") +
              QString::number(tabelas);
    const QSettings s;
    txtPath_Files = s.value(ChavePasta, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).toString();
    lblEstado.clear();
    ActualizarHistorico();
    m_aberto = true;
    return true;
}

void Segurancas::ActualizarHistorico() {
    lvwHistorico.clear();
    if (!m_ctx.LigacaoEmpresa || !m_ctx.LigacaoEmpresa->isOpen())
        return;
    // The last year is what anyone looks for here; older rows stay in the table.
    auto r = LerHistoricoSegurancas(m_ctx.bd(), QDate::currentDate().addYears(-1).toString(QStringLiteral("yyyy-MM-dd")));
    if (r)
        lvwHistorico = std::move(*r);
}

void Segurancas::gravarPasta() {
    QSettings s;
    s.setValue(ChavePasta, txtPath_Files);
}

void Segurancas::cmdPasta_Click() {
    const QString pasta = m_ui.escolherPasta(QStringLiteral("Localização dos ficheiros"), txtPath_Files);
    if (pasta.isEmpty())
        return;
    txtPath_Files = pasta;
    gravarPasta();
}

bool Segurancas::cmdSeguranca_Click() {
    if (txtPath_Files.trimmed().isEmpty()) {
        m_ui.mensagem(QStringLiteral("Não definiu a localização dos ficheiros!"), Icone::Exclamacao, TituloAtencao);
        return false;
    }
    if (m_ui.caixaBotoes(QStringLiteral("Confirma?"), Titulo, {QStringLiteral("Sim"), QStringLiteral("Não")}) != 0)
        return false;
    gravarPasta();
    lblEstado = QStringLiteral("Inicializando...");
    const auto r = CopiarEmpresa(m_ctx, txtPath_Files.trimmed(), [this](const QString& estado) { lblEstado = estado; });
    if (!r) {
        lblEstado.clear();
        // Recorded, so a failed automatic backup is seen in the history; entry and exit go on.
        LancaLOG_DB(m_ctx, QStringLiteral("Segurança"),
                    QStringLiteral("Segurança falhada: ") + r.mensagem().left(200));
        ActualizarHistorico();
        m_ui.mensagem(r.mensagem(), Icone::Critico, TituloAtencao);
        return false;
    }
    m_copiaFeita = true;
    LancaLOG_DB(m_ctx, QStringLiteral("Segurança"), r->ficheiro);
    ActualizarHistorico();
    lblEstado.clear();
    m_ui.mensagem(QStringLiteral("Exportação Terminada!"), Icone::Informacao, TituloInformacao);
    if (m_automatico)
        m_fechar = true;
    return true;
}

bool Segurancas::cmdFicheiroRepor_Click() {
    const QString f = m_ui.escolherFicheiroAbrir(QStringLiteral("Ficheiro de Segurança"),
                                                 QStringLiteral("Cópias de segurança (*.zip)"), txtPath_Files);
    if (f.isEmpty())
        return false;
    txtFicheiroRepor = f;
    return LerFicheiroRepor();
}

bool Segurancas::LerFicheiroRepor() {
    lblInfoCopia.clear();
    if (txtFicheiroRepor.isEmpty() || !QFileInfo(txtFicheiroRepor).isFile()) {
        m_ui.mensagem(QStringLiteral("Ficheiro de segurança inexistente!"), Icone::Exclamacao, TituloAtencao);
        return false;
    }
    const auto info = LerInfoCopia(txtFicheiroRepor);
    if (!info) {
        m_ui.mensagem(info.mensagem(), Icone::Critico, TituloAtencao);
        return false;
    }
    lblInfoCopia = QStringLiteral("Empresa: ") + info->codigo + QStringLiteral(" - ") + info->nome +
                   QStringLiteral("\r\nAno: ") + QString::number(info->ano) + QStringLiteral("\r\nTotal de Tabelas: ") +
                   QString::number(info->tabelas.size());
    return true;
}

bool Segurancas::cmdRepor_Click() {
    if (m_automatico)
        return false;
    if (txtFicheiroRepor.isEmpty()) {
        m_ui.mensagem(QStringLiteral("Não escolheu o ficheiro de segurança!"), Icone::Exclamacao, TituloAtencao);
        return false;
    }
    const QString codigo = txtNovoCodigo.trimmed().toUpper();
    if (codigo.isEmpty()) {
        m_ui.mensagem(QStringLiteral("Não definiu o código da nova empresa!"), Icone::Exclamacao, TituloAtencao);
        return false;
    }
    if (lblInfoCopia.isEmpty() && !LerFicheiroRepor())
        return false;
    if (m_ui.caixaBotoes(QStringLiteral("Repor a cópia na nova empresa ") + codigo + QStringLiteral("?\r\nConfirma?"),
                         Titulo, {QStringLiteral("Sim"), QStringLiteral("Não")}) != 0)
        return false;
    ConnectionParams servidor = m_ctx.bd().params();
    servidor.baseDados.clear();
    lblEstado = QStringLiteral("Repondo Informação !");
    const auto r = ReporEmpresa(servidor, txtFicheiroRepor, codigo, m_ctx.CodigoUtilizador);
    lblEstado.clear();
    if (!r) {
        m_ui.mensagem(r.mensagem(), Icone::Critico, TituloAtencao);
        return false;
    }
    // The restore is recorded in the new company; here it is kept as well, for who looks.
    LancaLOG_DB(m_ctx, QStringLiteral("Reposição"),
                txtFicheiroRepor + QStringLiteral(" -> ") + codigo);
    ActualizarHistorico();
    QString texto = QStringLiteral("Reposição Terminada!\r\nEmpresa ") + r->empresa + QStringLiteral(" - ") + r->nome;
    if (!r->avisos.isEmpty())
        texto += QStringLiteral("\r\n\r\n") + r->avisos.join(QStringLiteral("\r\n"));
    m_ui.mensagem(texto, Icone::Informacao, TituloInformacao);
    return true;
}

void Segurancas::Fechar() {
    if (m_fechado || !m_aberto)
        return;
    m_fechado = true;
    gravarPasta();
    if (m_automatico && !m_copiaFeita && m_ctx.LigacaoEmpresa && m_ctx.LigacaoEmpresa->isOpen())
        LancaLOG_DB(m_ctx, QStringLiteral("Segurança"), Cancelada);
}

#include "shell/Menu.h"

#include "common/UserInteraction.h"
#include "shell/Arranque.h"
#include "db/Database.h"
#include "db/Servidor.h"
#include "company/Empresas.h"
#include "db/esquema/EsquemaRotinas.h"
#include "company/GlobalContext.h"
#include "company/Ligacoes.h"
#include "session/LogGeral.h"
#include "company/ParametrosGerais.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QSysInfo>

Menu::Menu(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}

QString Menu::TituloBase() {
    return QStringLiteral("Menu Principal - Produção");
}

QString Menu::Versao() {
    return QStringLiteral("%1.%2.%3").arg(LUMO_VERSAO_MAJOR).arg(LUMO_VERSAO_MINOR).arg(LUMO_VERSAO_REVISAO);
}

QString Menu::titulo() const {
    return TituloBase() + QStringLiteral("    ( Versão: ") + Versao() + QStringLiteral(" )");
}

QString Menu::painelEmpresa() const {
    return m_ctx.NomeEmpresa;
}
QString Menu::painelUtilizador() const {
    return m_ctx.CodigoUtilizador + QStringLiteral(" - ") + m_ctx.LoginUtilizador;
}
QString Menu::painelArmazem() const {
    return QStringLiteral("Arm.-> ") + m_ctx.armazem;
}
QString Menu::painelCaixa() const {
    return QStringLiteral("Cx.-> ") + m_ctx.caixa;
}

QString Menu::ficheiroPrograma() const {
    QString pasta = m_pastaPrograma;
    if (pasta.isEmpty() && QCoreApplication::instance())
        pasta = QCoreApplication::applicationDirPath();
#ifdef Q_OS_WIN
    const QString ficheiro = NomePrograma + QStringLiteral(".exe");
#else
    const QString ficheiro = NomePrograma;
#endif
    return QDir::toNativeSeparators(pasta + QLatin1Char('/') + ficheiro);
}

QString Menu::descricaoEntrada() const {
    return QStringLiteral("Entrada no ") + NomePrograma + QStringLiteral(" (") + ficheiroPrograma() + u')';
}

QString Menu::descricaoSaida() const {
    return QStringLiteral("Saida do ") + NomePrograma + QStringLiteral(" (") + ficheiroPrograma() + u')';
}

QString Menu::observacaoLog() const {
    return QStringLiteral("Menu de ") + NomePrograma + QStringLiteral(" (") + m_ctx.NomePosto + u')';
}

bool Menu::escreverLog(const QString& descricao) {
    // Entry and exit are always recorded, whatever the user's log switch says.
    Database& db = m_ctx.bd();
    EntradaLog e;
    e.modulo = QStringLiteral("MN");
    e.accao = QStringLiteral("M");
    e.descricao = descricao;
    e.observa = observacaoLog();
    QDateTime quando = db.agoraServidor();
    if (!quando.isValid())
        quando = QDateTime::currentDateTime();
    return MeteNoLogGeral(db, m_ctx.CodigoUtilizador, e,
                          quando.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))) > 0;
}

bool Menu::carregar() {
    m_carregado = false;
    if (!VerificaLigacao(m_ctx, m_ui))
        return false;
    CarregaParametrosGerais(m_ctx);
    Database& db = m_ctx.bd();
    if (!db.primeiraLinha(QStringLiteral("SELECT NumRegisto FROM ParamGeral") + db.dialect().limite(1))) {
        m_ui.mensagem(QStringLiteral("Empresa não está devidamente configurada!"),
                      UserInteraction::Icone::Critico);
        FechaLigacoes(m_ctx);
        return false;
    }
    CarregaCasasDecProducao(m_ctx);
    VerificaConfiguracao(m_ctx, m_ui);
    m_ctx.NomePosto = QSysInfo::machineHostName();
    escreverLog(descricaoEntrada());
    // Pictures the user left half-made in an earlier session are of no use to anyone; when they
    // cannot be removed now, the next entry tries again.
    static_cast<void>(db.exec(QStringLiteral("DELETE FROM Imagens WHERE Utilizador=? AND Fechado=?"),
            {m_ctx.CodigoUtilizador, QStringLiteral("N")}));
    AdicionaCampo(db, QStringLiteral("Prod_ProcessosMov"), txt(QStringLiteral("IdentificaMovPro"), 50));
    m_carregado = true;
    return true;
}

void Menu::fechar() {
    if (!m_carregado)
        return;
    m_carregado = false;
    if (m_saidaUtilizador)
        m_saidaUtilizador(m_ctx);
    if (m_ctx.LigacaoEmpresa && m_ctx.LigacaoEmpresa->isOpen())
        escreverLog(descricaoSaida());
    FechaLigacoes(m_ctx);
}

bool Menu::mostraAcessos() const {
    return m_ctx.CodigoUtilizador == QStringLiteral("01");
}

ResultadoFormAcessos Menu::entrada(const JanelaProtegida& janela) {
    ResultadoFormAcessos r = FormAcessos(m_ctx, m_ctx.CodigoUtilizador, janela);
    if (!r.permitido)
        m_ui.mensagem(QStringLiteral("Acesso Negado !"), UserInteraction::Icone::Critico);
    return r;
}

bool Menu::baseDadosMaisRecente() const {
    if (!m_ctx.LigacaoEmpresa || !m_ctx.LigacaoEmpresa->isOpen())
        return false;
    Database& db = *m_ctx.LigacaoEmpresa;
    const auto lida =
        db.lerValor(QStringLiteral("SELECT versao FROM Actualiza ORDER BY NumRegisto") + db.dialect().limite(1));
    const QString versao = lida.valorOu(QVariant()).toString().trimmed();
    // Both are twelve digits, so text order is version order; an unreadable version says nothing.
    return lida.ok() && versao.size() == versaoBaseDados().size() && versao > versaoBaseDados();
}

void Menu::avisarVersaoSuperior() {
    m_ui.mensagem(
        QStringLiteral(
            "Atenção que a base de dados foi actualizada por uma versão do aplicativo superior à sua !"),
        UserInteraction::Icone::Critico);
}

bool Menu::actualizacoesProducao() {
    Database& db = m_ctx.bd();
    bool ok = AdicionaCampo(db, QStringLiteral("Nomenclatura"), num(QStringLiteral("Factor"), 18, 6));
    ok = db.exec(QStringLiteral("UPDATE Nomenclatura SET Factor=0 WHERE Factor IS NULL")) && ok;
    ok = AdicionaCampo(db, QStringLiteral("Nomenclatura"), txt(QStringLiteral("FactorFormula"), 1)) && ok;
    ok = db.exec(QStringLiteral("UPDATE Nomenclatura SET FactorFormula=? WHERE FactorFormula IS NULL"),
                 {QStringLiteral("A")}) &&
         ok;
    ok = AdicionaCampo(db, QStringLiteral("Prod_Equipamentos"), memo(QStringLiteral("Utilizadores"))) && ok;
    ok = db.exec(QStringLiteral("UPDATE Prod_Equipamentos SET Utilizadores=? WHERE Utilizadores IS NULL"),
                 {QString()}) &&
         ok;
    ok = db.exec(QStringLiteral("UPDATE Prod_Equipamentos SET Utilizador=? WHERE Utilizador=?"),
                 {QStringLiteral("01"), QString()}) &&
         ok;
    ok = db.exec(QStringLiteral("UPDATE Prod_Equipamentos SET DataSys=%1 WHERE DataSys<?")
                     .arg(db.dialect().agora()),
                 {QStringLiteral("2017-01-01 00:00:00")}) &&
         ok;
    return ok;
}

std::vector<std::pair<QString, QString>> Menu::informacao() const {
    QString baseDados = nomeBaseDadosEmpresa(m_ctx.CodigoEmpresa);
    QString motor;
    if (m_ctx.LigacaoEmpresa) {
        baseDados = m_ctx.LigacaoEmpresa->params().baseDados;
        motor = m_ctx.LigacaoEmpresa->servidor().nomeMotor();
    }
    return {
        {QStringLiteral("Programa"), NomePrograma},
        {QStringLiteral("Versão"), Versao()},
        {QStringLiteral("Base de Dados"),
         motor.isEmpty() ? baseDados : baseDados + QStringLiteral(" (") + motor + u')'},
        {QStringLiteral("Servidor"), m_ctx.Servidor},
        {QStringLiteral("Empresa"), m_ctx.CodigoEmpresa + QStringLiteral(" - ") + m_ctx.NomeEmpresa},
        {QStringLiteral("Utilizador"), painelUtilizador()},
        {QStringLiteral("Posto"), m_ctx.NomePosto},
    };
}

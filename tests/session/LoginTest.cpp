#include "session/Login.h"
#include "common/PasswordHash.h"
#include "company/Empresas.h"
#include "company/Ligacoes.h"
#include "db/AdminServidor.h"
#include "session/Presenca.h"
#include "session/ValidaPass.h"
#include "support/DbTest.h"
#include "support/RelatorioFilho.h"
#include "support/SemFalha.h"
#include "support/Ambiente.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QThread>
#include <QUuid>
#include <iostream>
#include <string>

// ---------------------------------------------------------------- password scoring

TEST(ValidaPass, PontuacaoETextoDaForca) {
    const RegrasPassword nenhuma;
    const RegrasPassword soComprimento{6, 0, 0, 0, 0};
    EXPECT_LT(ValidaPass(QStringLiteral("abc"), QStringLiteral("maria"), nenhuma), 3);
    EXPECT_EQ(TextoForcaPassword(ValidaPass(QStringLiteral("abc"), QStringLiteral("maria"), nenhuma)),
              QStringLiteral("Fraca"));
    // Too short stays weak even where only the length is configured.
    EXPECT_LT(ValidaPass(QStringLiteral("abc"), QStringLiteral("maria"), soComprimento), 3);
    EXPECT_EQ(ValidaPass(QString(), QStringLiteral("maria"), nenhuma), 0);

    EXPECT_EQ(ValidaPass(QStringLiteral("Fabrica#2024"), QStringLiteral("maria"), nenhuma), 5);
    EXPECT_EQ(TextoForcaPassword(5), QStringLiteral("Forte"));
    // Long enough but missing capitals and symbols.
    const int media = ValidaPass(QStringLiteral("fabrica2024"), QStringLiteral("maria"), nenhuma);
    EXPECT_EQ(TextoForcaPassword(media), QStringLiteral("Média")) << media;
    // The login itself is never a good password, whatever it contains.
    EXPECT_LT(ValidaPass(QStringLiteral("Maria#2024x"), QStringLiteral("maria#2024X"), nenhuma), 3);
    // Configured rules replace the defaults, except for "sa".
    EXPECT_EQ(ValidaPass(QStringLiteral("fabrica"), QStringLiteral("maria"), soComprimento), 5);
    EXPECT_LT(ValidaPass(QStringLiteral("fabrica"), QStringLiteral("sa"), soComprimento), 5);
}

TEST(ValidaPass, TextosDasRegras) {
    EXPECT_EQ(TextoRegraPassword(QString(), QStringLiteral("maria"), {}),
              QStringLiteral("Password vazia é considerada uma falha de segurança.\rPara manter o seu sistema seguro "
                             "deve indicar uma password considerada forte!"));
    EXPECT_TRUE(TextoRegraPassword(QStringLiteral("Fabrica#2024"), QStringLiteral("maria"), {}).isEmpty());
    EXPECT_EQ(TextoRegraPassword(QStringLiteral("abc"), QStringLiteral("maria"), {8, 1, 0, 2, 0}),
              QStringLiteral("A password introduzida não obedece aos critérios definidos nas configurações!\r"
                             "Introduza uma nova password diferente do nome do utilizador e com comprimento mínimo "
                             "de 8 caracter(es), 1 maiúscula(s), 2 algarismo(s)."));
    EXPECT_TRUE(TextoRegraPassword(QStringLiteral("abc"), QString(), {0, 0, 0, 0, 1})
                    .endsWith(QStringLiteral("\rIntroduza uma nova password com 1 símbolo(s).")));

    const QString omissao = TextoRegraPassword(QStringLiteral("abc"), QStringLiteral("maria"), {});
    const QString inicio = QStringLiteral("A password introduzida não é considerada segura. Deve ter pelo menos 9 "
                                          "caracteres, 1 letra maiúscula, 1 letra minúscula, 1 símbolo, 1 algarismo e "
                                          "ser diferente do utilizador.\rExemplos: ");
    ASSERT_TRUE(omissao.startsWith(inicio)) << omissao.toStdString();
    ASSERT_TRUE(omissao.endsWith(u'.'));
    const QStringList exemplos = omissao.mid(inicio.size()).chopped(1).split(QStringLiteral(", "));
    ASSERT_EQ(exemplos.size(), 3);
    EXPECT_EQ(exemplos[0].size(), 10);
    // The examples must pass the rule they illustrate.
    for (const QString& e : exemplos)
        EXPECT_EQ(ValidaPass(e, QStringLiteral("maria"), {}), 5) << e.toStdString();
}

// ---------------------------------------------------------------- login on a real company

namespace {
const char* const MarcaSaida = "@@LOGIN@@ ";
const QString PasswordMaria = QStringLiteral("Fabrica#2024");
const QString EmUso = QStringLiteral("          << ESTE UTILIZADOR JÁ SE ENCONTRA EM USO >>\r\n\r\nPara que seja "
                                     "garantida a consistência da informação, apenas é permitido um acesso por "
                                     "utilizador.");

ConnectionParams servidorDe(const ConnectionParams& p) {
    ConnectionParams s = p;
    s.baseDados.clear();
    return s;
}

class LoginTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(m_definicoes.isValid());
        isolarDefinicoes(m_definicoes.path());
        codigo = QStringLiteral("L") + QUuid::createUuid().toString(QUuid::Id128).left(3).toUpper();
        ASSERT_TRUE(
            semFalha(criarEmpresa(servidorDe(params), codigo, QStringLiteral("Empresa de Teste"), 2024)));
        m_criada = true;
        ctx = GlobalContext();
        ASSERT_TRUE(semFalha(abrirEmpresa(ctx, servidorDe(params), codigo)));
        ASSERT_TRUE(semFalha(inserirUtilizador(bd(), QStringLiteral("02"), QStringLiteral("Maria"),
                                               PasswordMaria, QStringLiteral("001"))));
        ASSERT_TRUE(bd().exec(QStringLiteral("UPDATE Utilizador SET AlteraPassword=0 WHERE Codigo='02'")));
    }

    void TearDown() override {
        for (const char* u : {"00", "01", "02", "03"})
            Presenca(ctx).Utilizador_Saida(QLatin1String(u));
        FechaLigacoes(ctx);
        if (m_criada && params.motor == Dialect::Motor::PostgreSQL)
            (void)AdminServidor::apagarBaseDados(servidorDe(params), nomeBaseDadosEmpresa(codigo));
        DbTest::TearDown();
    }

    Database& bd() { return *ctx.LigacaoEmpresa; }

    Login::Resultado entrar(Login& l, const QString& login, const QString& password) {
        l.Abrir();
        l.txtLogin = login;
        l.txtPassword = password;
        return l.cmdOk_Click();
    }

    bool presente(const QString& utilizador) { return Presenca(ctx).Utilizador_EmUso(utilizador); }

    std::unique_ptr<QProcess> lancarFilho(const QString& login, const QString& password) {
        return std::unique_ptr<QProcess>(
            iniciarFilho("LoginFilho.DISABLED_Entra",
                         {{QStringLiteral("LUMO_TESTE_LOGIN_PG"), isSQLite() ? QStringLiteral("0") : QStringLiteral("1")},
                          {QStringLiteral("LUMO_TESTE_LOGIN_PASTA"), params.pasta},
                          {QStringLiteral("LUMO_TESTE_LOGIN_EMPRESA"), codigo},
                          {QStringLiteral("LUMO_TESTE_LOGIN_UTILIZADOR"), login},
                          {QStringLiteral("LUMO_TESTE_LOGIN_PASSWORD"), password},
                          {QStringLiteral("LUMO_TESTE_LOGIN_DEFINICOES"), m_definicoes.path()}}));
    }

    QString codigo;

private:
    QTemporaryDir m_definicoes;
    bool m_criada = false;
};

QString relatorio(QProcess& p) { return relatorioFilho(p, MarcaSaida); }
} // namespace

// Entry point of the child process, not a test of its own: logs in and stays in until its input
// is closed or it is killed.
TEST(LoginFilho, DISABLED_Entra) {
    isolarDefinicoes(qEnvironmentVariable("LUMO_TESTE_LOGIN_DEFINICOES"));
    ConnectionParams p;
    if (qEnvironmentVariable("LUMO_TESTE_LOGIN_PG") == QStringLiteral("1")) {
        ASSERT_TRUE(servidorPostgresTeste(&p));
    }
    p.pasta = qEnvironmentVariable("LUMO_TESTE_LOGIN_PASTA");
    GlobalContext ctx;
    ASSERT_TRUE(semFalha(abrirEmpresa(ctx, p, qEnvironmentVariable("LUMO_TESTE_LOGIN_EMPRESA"))));
    ScriptedInteraction ui;
    Login l(ctx, ui);
    l.Abrir();
    l.txtLogin = qEnvironmentVariable("LUMO_TESTE_LOGIN_UTILIZADOR");
    l.txtPassword = qEnvironmentVariable("LUMO_TESTE_LOGIN_PASSWORD");
    const bool entrou = l.cmdOk_Click() == Login::Resultado::Entrou;
    std::cout << MarcaSaida << (entrou ? "ENTROU" : "RECUSADO:" + ui.ultimaMensagem().toStdString()) << std::endl;
    std::string linha;
    std::getline(std::cin, linha);
}

TEST_P(LoginTest, SegundaEntradaRecusadaAteOPrimeiroProcessoMorrer) {
    auto primeiro = lancarFilho(QStringLiteral("maria"), PasswordMaria);
    ASSERT_EQ(relatorio(*primeiro), QStringLiteral("ENTROU"));

    Login l(ctx, ui);
    EXPECT_EQ(entrar(l, QStringLiteral("Maria"), PasswordMaria), Login::Resultado::Continua);
    EXPECT_EQ(ui.ultimaMensagem(), EmUso);
    EXPECT_TRUE(ctx.CodigoUtilizador.isEmpty());
    EXPECT_TRUE(ctx.LoginUtilizador.isEmpty());

    primeiro->kill();
    ASSERT_TRUE(primeiro->waitForFinished(30000));
    // The server sees the dead connection a moment later.
    Login::Resultado r = Login::Resultado::Continua;
    QDeadlineTimer prazo(20000);
    while ((r = entrar(l, QStringLiteral("Maria"), PasswordMaria)) != Login::Resultado::Entrou && !prazo.hasExpired())
        QThread::msleep(200);
    ASSERT_EQ(r, Login::Resultado::Entrou);
    EXPECT_EQ(ctx.CodigoUtilizador, QStringLiteral("02"));
    EXPECT_EQ(ctx.LoginUtilizador, QStringLiteral("Maria"));
    EXPECT_TRUE(ctx.LigacaoAuxiliar1 && ctx.LigacaoAuxiliar1->isOpen());
    EXPECT_TRUE(ctx.LigacaoAuxiliar2 && ctx.LigacaoAuxiliar2->isOpen());
    EXPECT_EQ(ctx.armazem, QStringLiteral("001")) << "general parameters loaded for the user";
    EXPECT_TRUE(presente(QStringLiteral("02")));
}

TEST_P(LoginTest, SupervisorCriadoEmQualquerCaixaComMudancaDePassword) {
    ASSERT_TRUE(bd().exec(QStringLiteral("DELETE FROM Utilizador WHERE Codigo='01'")));
    Login l(ctx, ui);
    EXPECT_EQ(entrar(l, QStringLiteral("sUpErViSoR"), QString::fromLatin1(PasswordInicialSupervisor)),
              Login::Resultado::Continua);
    EXPECT_TRUE(l.mudaPassVisivel());
    EXPECT_EQ(l.foco(), Login::Campo::OldPass);
    EXPECT_FALSE(presente(QStringLiteral("01"))) << "a user who did not get in is not present";
    const auto s = bd().primeiraLinha(
        QStringLiteral("SELECT Login, Password, AlteraPassword, ValidaInterno FROM Utilizador WHERE Codigo='01'"));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->at(0).toString(), QStringLiteral("Supervisor"));
    EXPECT_TRUE(verificarPassword(s->at(1).toString(), QString::fromLatin1(PasswordInicialSupervisor)));
    EXPECT_EQ(s->at(2).toInt(), 1);
    EXPECT_EQ(s->at(3).toInt(), 1);

    // The change refuses a weak password and a wrong current one, then takes the new one.
    l.txtOldPass = QString::fromLatin1(PasswordInicialSupervisor);
    l.txtNovaPassword = l.txtNovaPasswordConfirmacao = QStringLiteral("abc");
    l.cmdConfirmar_Click();
    EXPECT_EQ(ui.mensagens.back().titulo, TituloControloPassword);
    l.txtOldPass = QStringLiteral("outra");
    l.txtNovaPassword = l.txtNovaPasswordConfirmacao = QStringLiteral("Nova#Pass2024");
    l.cmdConfirmar_Click();
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("A password actual está inválida!"));
    EXPECT_TRUE(l.mudaPassVisivel());
    l.txtOldPass = QString::fromLatin1(PasswordInicialSupervisor);
    l.cmdConfirmar_Click();
    EXPECT_FALSE(l.mudaPassVisivel());
    EXPECT_EQ(bd().scalar(QStringLiteral("SELECT AlteraPassword FROM Utilizador WHERE Codigo='01'")).toInt(), 0);

    l.txtPassword = QStringLiteral("Nova#Pass2024");
    EXPECT_EQ(l.cmdOk_Click(), Login::Resultado::Entrou);
    EXPECT_EQ(ctx.CodigoUtilizador, QStringLiteral("01"));

    // A company whose "01" goes by another name does not get a second one.
    ASSERT_TRUE(bd().exec(QStringLiteral("UPDATE Utilizador SET Login='Admin' WHERE Codigo='01'")));
    Login outro(ctx, ui);
    EXPECT_EQ(entrar(outro, QStringLiteral("SUPERVISOR"), QString::fromLatin1(PasswordInicialSupervisor)),
              Login::Resultado::Continua);
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("O utilizador indicado não existe na base de dados selecionada!"));
    EXPECT_EQ(bd().scalar(QStringLiteral("SELECT COUNT(*) FROM Utilizador WHERE Codigo='01'")).toInt(), 1);
}

TEST_P(LoginTest, PasswordExpiradaObrigatoriaERecomendada) {
    const QString haQuarentaDias = bd().agoraServidor().addDays(-40).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    ASSERT_TRUE(bd().exec(QStringLiteral("UPDATE Utilizador SET LastDtAlteraPass=? WHERE Codigo='02'"), {haQuarentaDias}));
    ASSERT_TRUE(bd().exec(QStringLiteral("UPDATE paramgeral_OutrosDados SET Pwd_Expira=30, Pwd_ExpiraObriga=1")));
    Login l(ctx, ui);

    // Compulsory: "Não" leaves the user out with the password box cleared.
    ui.responder(false);
    EXPECT_EQ(entrar(l, QStringLiteral("Maria"), PasswordMaria), Login::Resultado::Continua);
    ASSERT_FALSE(ui.mensagens.empty());
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("A sua password já não é alterada à 40 dias.\r"
                                                  "É obrigatória a alteração de passwords a cada 30 dia(s).\r"
                                                  "Altere-a para poder entrar na aplicação."));
    EXPECT_EQ(ui.perguntas.back(), QStringLiteral("A sua password expirou.\r\rPretende alterar agora?"));
    EXPECT_TRUE(l.txtPassword.isEmpty());
    EXPECT_FALSE(l.mudaPassVisivel());
    EXPECT_FALSE(presente(QStringLiteral("02")));
    // "Sim" opens the change.
    ui.responder(true);
    EXPECT_EQ(entrar(l, QStringLiteral("Maria"), PasswordMaria), Login::Resultado::Continua);
    EXPECT_TRUE(l.mudaPassVisivel());

    // Recommended: "Sim" opens the change, "Não" lets the user in.
    ASSERT_TRUE(bd().exec(QStringLiteral("UPDATE paramgeral_OutrosDados SET Pwd_ExpiraObriga=0")));
    ui.responder(true);
    EXPECT_EQ(entrar(l, QStringLiteral("Maria"), PasswordMaria), Login::Resultado::Continua);
    EXPECT_EQ(ui.perguntas.back(), QStringLiteral("A sua password já não é alterada à 40 dias.\r"
                                                  "Recomendamos a alteração de passwords a cada 30 dia(s).\r\n"
                                                  "Pretende alterá-la agora?"));
    EXPECT_TRUE(l.mudaPassVisivel());
    ui.responder(false);
    EXPECT_EQ(entrar(l, QStringLiteral("Maria"), PasswordMaria), Login::Resultado::Entrou);
    EXPECT_TRUE(ui.respostasEsgotadas());
}

TEST_P(LoginTest, PasswordErradaRecusadaSemDeixarRasto) {
    const QString errada = QStringLiteral("Errada#Secreta77");
    Login l(ctx, ui);
    EXPECT_EQ(entrar(l, QStringLiteral("Maria"), errada), Login::Resultado::Continua);
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Password Inválida!"));
    EXPECT_EQ(l.foco(), Login::Campo::Password);
    EXPECT_FALSE(presente(QStringLiteral("02")));
    // A password typed into the login box by mistake.
    EXPECT_EQ(entrar(l, PasswordMaria, PasswordMaria), Login::Resultado::Continua);
    l.Descarregar();

    int linhas = 0;
    bool tentativaRegistada = false;
    ASSERT_TRUE(bd().percorrer(QStringLiteral("SELECT * FROM LogGeral"), {}, [&](const QSqlQuery& q) {
        ++linhas;
        const QSqlRecord r = q.record();
        for (int i = 0; i < r.count(); ++i) {
            const QString v = q.value(i).toString();
            EXPECT_FALSE(v.contains(errada) || v.contains(PasswordMaria)) << v.toStdString();
            tentativaRegistada = tentativaRegistada || v.contains(QStringLiteral("Password inválida"));
        }
    }));
    EXPECT_TRUE(tentativaRegistada) << linhas;
    QFile definicoes(QSettings().fileName());
    ASSERT_TRUE(definicoes.open(QIODevice::ReadOnly));
    EXPECT_FALSE(definicoes.readAll().contains(PasswordMaria.toUtf8()));
    const QString guardada = bd().scalar(QStringLiteral("SELECT Password FROM Utilizador WHERE Codigo='02'")).toString();
    EXPECT_TRUE(guardada.startsWith(QStringLiteral("$argon2id$")));
}

TEST_P(LoginTest, DireitoAoProgramaCriaOsAcessosDoNovoUtilizador) {
    ASSERT_EQ(bd().scalar(QStringLiteral("SELECT COUNT(*) FROM Acessos WHERE utilizador='02'")).toInt(), 0);
    Login l(ctx, ui);
    ASSERT_EQ(entrar(l, QStringLiteral("Maria"), PasswordMaria), Login::Resultado::Entrou);
    EXPECT_EQ(bd().scalar(QStringLiteral("SELECT value FROM Acessos WHERE utilizador='02' AND chave='WLumoProd'"))
                  .toInt(),
              1);
    EXPECT_GT(bd().scalar(QStringLiteral("SELECT COUNT(*) FROM Acessos WHERE utilizador='02'")).toInt(), 1);

    Presenca(ctx).Utilizador_Saida(QStringLiteral("02"));
    ASSERT_TRUE(bd().exec(QStringLiteral("UPDATE Acessos SET value=0 WHERE utilizador='02' AND chave='WLumoProd'")));
    EXPECT_EQ(entrar(l, QStringLiteral("Maria"), PasswordMaria), Login::Resultado::Continua);
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Acesso Negado ao Programa WLumoProd"));
    EXPECT_TRUE(ctx.CodigoUtilizador.isEmpty());
    EXPECT_FALSE(ctx.LigacaoEmpresa || ctx.LigacaoAuxiliar1 || ctx.LigacaoAuxiliar2);
    // Opened again, the company shows the mark was given back.
    l.Abrir(true);
    ASSERT_TRUE(ctx.LigacaoEmpresa && ctx.LigacaoEmpresa->isOpen());
    EXPECT_FALSE(presente(QStringLiteral("02")));
}

TEST_P(LoginTest, UtilizadorValidadoPeloServidor) {
    Login l(ctx, ui);
    ASSERT_TRUE(bd().exec(QStringLiteral("UPDATE Utilizador SET ValidaInterno=0, Login='semlogin_lumo' "
                                         "WHERE Codigo='02'")));
    const auto antes = ui.mensagens.size();
    EXPECT_EQ(entrar(l, QStringLiteral("semlogin_lumo"), PasswordMaria), Login::Resultado::Continua);
    EXPECT_FALSE(presente(QStringLiteral("02")));
    if (isSQLite()) {
        ASSERT_EQ(ui.mensagens.size(), antes + 1);
        EXPECT_EQ(ui.ultimaMensagem(),
                  QStringLiteral("O utilizador semlogin_lumo é validado pelo servidor de base de dados, o que não é "
                                 "possível numa empresa local.\r\nPeça ao Supervisor que lhe defina uma password "
                                 "própria do programa."));
        return;
    }
    EXPECT_EQ(ui.mensagens.size(), antes) << "a refused server login shows no message";
    EXPECT_EQ(l.foco(), Login::Campo::Password);

    // A real server login gets in, and from then on the program checks the password itself.
    ASSERT_TRUE(bd().exec(QStringLiteral("UPDATE Utilizador SET Login=? WHERE Codigo='02'"), {params.login}));
    ASSERT_EQ(entrar(l, params.login, params.password), Login::Resultado::Entrou);
    const auto u = bd().primeiraLinha(QStringLiteral("SELECT ValidaInterno, Password FROM Utilizador WHERE Codigo='02'"));
    ASSERT_TRUE(u);
    EXPECT_EQ(u->at(0).toInt(), 1);
    EXPECT_TRUE(verificarPassword(u->at(1).toString(), params.password));
}

TEST_P(LoginTest, UtilizadorDeServicoSoComHashConfigurado) {
    Login l(ctx, ui);
    const QString naoExiste = QStringLiteral("O utilizador indicado não existe na base de dados selecionada!");
    EXPECT_EQ(entrar(l, QStringLiteral("tarvo"), QStringLiteral("qualquer")), Login::Resultado::Continua);
    EXPECT_EQ(ui.ultimaMensagem(), naoExiste);
    EXPECT_TRUE(l.txtPassword.isEmpty());
    {
        // A password in clear there configures nothing.
        QSettings s(QSettings::SystemScope, QCoreApplication::organizationName(), QCoreApplication::applicationName());
        s.setValue(Login::ChaveHashServico, QStringLiteral("Servico#2024"));
    }
    EXPECT_EQ(entrar(l, QStringLiteral("TARVO"), QStringLiteral("Servico#2024")), Login::Resultado::Continua);
    EXPECT_FALSE(bd().primeiraLinha(QStringLiteral("SELECT Codigo FROM Utilizador WHERE Codigo='00'")));
    {
        QSettings s(QSettings::SystemScope, QCoreApplication::organizationName(), QCoreApplication::applicationName());
        s.setValue(Login::ChaveHashServico, hashPassword(QStringLiteral("Servico#2024")));
    }
    EXPECT_EQ(entrar(l, QStringLiteral("TARVO"), QStringLiteral("Servico#2025")), Login::Resultado::Continua);
    EXPECT_EQ(ui.ultimaMensagem(), naoExiste);
    ASSERT_EQ(entrar(l, QStringLiteral("Tarvo"), QStringLiteral("Servico#2024")), Login::Resultado::Entrou);
    EXPECT_EQ(ctx.CodigoUtilizador, QStringLiteral("00"));
    EXPECT_EQ(bd().scalar(QStringLiteral("SELECT Password FROM Utilizador WHERE Codigo='00'")).toString(), QString());

    // Once the service user has left, the next opening removes him.
    Presenca(ctx).Utilizador_Saida(QStringLiteral("00"));
    l.Abrir();
    EXPECT_FALSE(bd().primeiraLinha(QStringLiteral("SELECT Codigo FROM Utilizador WHERE Codigo='00'")));
}

LUMO_INSTANCIAR_MOTORES(LoginTest);

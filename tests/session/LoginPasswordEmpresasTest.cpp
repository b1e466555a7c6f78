#include "session/Login.h"
#include "common/PasswordHash.h"
#include "company/Empresas.h"
#include "company/Ligacoes.h"
#include "db/AdminServidor.h"
#include "lookups/CampoTabela.h"
#include "lookups/FiltroSQL.h"
#include "lookups/PesquisaTabelas.h"
#include "session/Presenca.h"
#include "support/Ambiente.h"
#include "support/DbTest.h"
#include "support/SemFalha.h"

#include <QTemporaryDir>
#include <QUuid>

// The login window's additions: the new password in the server's other companies, the user search,
// and the entry backup only after a real entry.

namespace {
const QString Antiga = QStringLiteral("Fabrica#2024");
const QString Nova = QStringLiteral("Oficina#2025");

ConnectionParams servidorDe(const ConnectionParams& p) {
    ConnectionParams s = p;
    s.baseDados.clear();
    return s;
}

class LoginEmpresasTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(m_definicoes.isValid());
        isolarDefinicoes(m_definicoes.path());
        // A login no other test uses: the change reaches every company of the shared server.
        m_login = QStringLiteral("P") + QUuid::createUuid().toString(QUuid::Id128).left(10);
        criar();
        ctx = GlobalContext();
        ASSERT_TRUE(semFalha(abrirEmpresa(ctx, servidorDe(params), m_codigos[0])));
    }

    void TearDown() override {
        for (const char* u : {"01", "02"})
            Presenca(ctx).Utilizador_Saida(QLatin1String(u));
        FechaLigacoes(ctx);
        if (!isSQLite())
            for (const QString& c : m_codigos)
                (void)AdminServidor::apagarBaseDados(servidorDe(params), nomeBaseDadosEmpresa(c));
        DbTest::TearDown();
    }

    void criar() {
        const QString c = QStringLiteral("W") + QUuid::createUuid().toString(QUuid::Id128).left(3).toUpper();
        ASSERT_TRUE(semFalha(criarEmpresa(servidorDe(params), c, QStringLiteral("Empresa ") + c, 2024)));
        m_codigos << c;
    }
    std::shared_ptr<Database> empresa(int i) {
        auto r = Database::open(ligacaoEmpresa(servidorDe(params), m_codigos[i]));
        EXPECT_TRUE(r.ok());
        return r.ok() ? *r : nullptr;
    }
    QString hashDe(Database& d) {
        return d.scalar(QStringLiteral("SELECT Password FROM Utilizador WHERE Login=?"), {m_login}).toString();
    }
    void utilizador(Database& d, const QString& password) {
        ASSERT_TRUE(semFalha(inserirUtilizador(d, QStringLiteral("02"), m_login, password, QStringLiteral("001"))));
        ASSERT_TRUE(d.exec(QStringLiteral("UPDATE Utilizador SET AlteraPassword=0 WHERE Codigo='02'")));
    }

    QTemporaryDir m_definicoes;
    QString m_login;
    QStringList m_codigos;
};
} // namespace

TEST_P(LoginEmpresasTest, NovaPasswordSoOndeAAntigaConfere) {
    utilizador(ctx.bd(), Antiga);
    criar();
    criar();
    auto mesma = empresa(1);
    auto outra = empresa(2);
    ASSERT_TRUE(mesma && outra);
    utilizador(*mesma, Antiga);
    utilizador(*outra, QStringLiteral("Outra#Pessoa9"));
    const QString hashOutra = hashDe(*outra);

    Login l(ctx, ui);
    l.Abrir();
    l.txtLogin = m_login;
    l.cmdAlterarPwd_Click();
    ASSERT_TRUE(l.mudaPassVisivel());
    l.txtOldPass = Antiga;
    l.txtNovaPassword = Nova;
    l.txtNovaPasswordConfirmacao = Nova;
    l.cmdConfirmar_Click();
    ASSERT_FALSE(l.mudaPassVisivel()) << ui.ultimaMensagem().toStdString();

    EXPECT_TRUE(verificarPassword(hashDe(ctx.bd()), Nova));
    const QString hashMesma = hashDe(*mesma);
    EXPECT_TRUE(verificarPassword(hashMesma, Nova)) << "same person, same old password: changed there too";
    EXPECT_NE(hashMesma, hashDe(ctx.bd())) << "each company gets its own hash";
    EXPECT_EQ(hashDe(*outra), hashOutra) << "another password there: left alone";
    // Other companies on a shared test server may be listed too; ours must be exactly so.
    EXPECT_TRUE(l.empresasSemNovaPassword().contains(m_codigos[2]));
    EXPECT_FALSE(l.empresasSemNovaPassword().contains(m_codigos[1]));
    ASSERT_FALSE(ui.mensagens.empty());
    EXPECT_TRUE(ui.ultimaMensagem().contains(m_codigos[2])) << ui.ultimaMensagem().toStdString();
    EXPECT_FALSE(ui.ultimaMensagem().contains(m_codigos[1]));
}

TEST_P(LoginEmpresasTest, PesquisaDeUtilizadoresSemOsExcluidos) {
    utilizador(ctx.bd(), Antiga);
    ASSERT_TRUE(semFalha(inserirUtilizador(ctx.bd(), QStringLiteral("03"), QStringLiteral("Oculto"),
                                           QStringLiteral("Oculto#2024x"), QStringLiteral("001"))));
    ASSERT_TRUE(ctx.bd().exec(QStringLiteral("UPDATE Utilizador SET ExcluiPesq=1 WHERE Codigo='03'")));

    Login l(ctx, ui);
    QStringList chaves;
    l.pesquisaUtilizadores = [&](const QString& chave, const QString& condicao) -> std::optional<QString> {
        chaves << chave;
        CampoTabela campo;
        campo.codigo = chave;
        FiltroSQL filtro;
        filtro.e(condicao);
        if (!pesquisaTabelas(ctx, ui).Utilizadores(campo, chave.isEmpty(), filtro))
            return std::nullopt;
        return campo.codigo;
    };
    l.Abrir();
    l.txtLogin.clear();
    ui.responderPesquisa({QStringLiteral("Login"), m_login, {0}});
    ASSERT_TRUE(l.cmdLogin_Click()) << "the button opens the search, not the option alert";
    ASSERT_EQ(ui.pesquisas.size(), 1u);
    EXPECT_EQ(ui.pesquisas[0].total, 2) << "01 and 02; 03 is excluded from searches";
    EXPECT_EQ(l.txtLogin, m_login);
    EXPECT_EQ(l.foco(), Login::Campo::Password);

    // "\" typed in the login searches too; a code chosen outside the list is not taken.
    l.txtLogin = QStringLiteral("\\");
    ui.responderPesquisa({std::nullopt, std::nullopt, {}});
    l.txtLogin_LostFocus();
    EXPECT_EQ(chaves.last(), QStringLiteral("\\"));
    EXPECT_TRUE(l.txtLogin.isEmpty()) << "the search text is not left as a login";

    l.pesquisaUtilizadores = [](const QString&, const QString&) -> std::optional<QString> { return QStringLiteral("03"); };
    l.txtLogin = QStringLiteral("/");
    EXPECT_FALSE(l.cmdLogin_Click()) << "a user excluded from searches is never filled in by it";
}

TEST_P(LoginEmpresasTest, CopiaDeEntradaSoDepoisDeEntrar) {
    utilizador(ctx.bd(), Antiga);
    Login l(ctx, ui);
    QStringList accoes;
    l.segurancaAutomatica = [&](const QString& accao) {
        EXPECT_EQ(ctx.CodigoUtilizador, QStringLiteral("02")) << "the user is known when it runs";
        accoes << accao;
    };
    l.Abrir();
    l.txtLogin = m_login;
    l.txtPassword = QStringLiteral("Errada#2024x");
    EXPECT_EQ(l.cmdOk_Click(), Login::Resultado::Continua);
    EXPECT_TRUE(accoes.isEmpty()) << "a refused login backs up nothing";

    l.txtPassword = Antiga;
    ASSERT_EQ(l.cmdOk_Click(), Login::Resultado::Entrou) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(accoes, QStringList{QStringLiteral("Entrada")}) << "never the exit backup on entry";
}

LUMO_INSTANCIAR_MOTORES(LoginEmpresasTest);

#include "db/Servidor.h"

#include "db/Database.h"
#include "support/DbTest.h"
#include "support/SemFalha.h"

#include <QTemporaryDir>
#include <QUuid>

TEST(Servidor, TextoLidoEEscritoDeVolta) {
    struct Caso {
        QString lido, motor, escrito;
    };
    const Caso casos[] = {
        {"sqlite:/var/dados", "SQLite", "sqlite:/var/dados"},
        {"  SQLite:/var/dados ", "SQLite", "sqlite:/var/dados"},
        {"/srv/empresas", "SQLite", "sqlite:/srv/empresas"},
        {"servidor.local:5433", "PostgreSQL", "servidor.local:5433"},
        {"10.0.0.5:5432", "PostgreSQL", "10.0.0.5"},
        {"10.0.0.5", "PostgreSQL", "10.0.0.5"},
    };
    for (const Caso& c : casos) {
        const auto s = Servidor::doTexto(c.lido);
        EXPECT_EQ(s->nomeMotor(), c.motor) << c.lido.toStdString();
        EXPECT_EQ(s->texto(), c.escrito) << c.lido.toStdString();
        EXPECT_EQ(Servidor::doTexto(s->texto())->texto(), c.escrito) << "reads back what it writes";
    }
    const ConnectionParams pg = Servidor::lerTexto("servidor.local:5433");
    EXPECT_EQ(pg.host, "servidor.local");
    EXPECT_EQ(pg.porta, 5433);
    EXPECT_EQ(Servidor::lerTexto("/srv/empresas").pasta, "/srv/empresas");
}

TEST(Servidor, MesmoServidorEscritoDeUmaSoManeira) {
    EXPECT_EQ(Servidor::doTexto("Servidor.LOCAL:5432")->textoNormalizado(), "servidor.local");
    EXPECT_EQ(Servidor::doTexto("HOST:5433")->textoNormalizado(), "host:5433");
    // Folder names are case-sensitive: two folders, two servers.
    EXPECT_EQ(Servidor::doTexto("sqlite:/Dados/Empresas")->textoNormalizado(), "sqlite:/Dados/Empresas");
}

TEST(Servidor, ParametrosFeitosParaCadaMotor) {
    const auto pg = Servidor::para(ConnectionParams::postgres("db.local", 5433));
    EXPECT_EQ(pg->texto(), "db.local:5433");
    EXPECT_TRUE(pg->validaLoginsNoServidor());
    const auto local = Servidor::para(ConnectionParams::sqlite("/srv/dados"));
    EXPECT_EQ(local->texto(), "sqlite:/srv/dados");
    EXPECT_FALSE(local->validaLoginsNoServidor()) << "a folder of files has no logins to check";
    EXPECT_EQ(ConnectionParams::postgres("db.local").porta, 5432);
}

TEST(Servidor, FicheiroAbertoDiretamenteConheceASuaPasta) {
    QTemporaryDir tmp;
    const QString pasta = tmp.filePath("sub");
    const auto aberta = Database::openSQLiteFile(pasta + "/empresa.db");
    ASSERT_TRUE(semFalha(aberta));
    const std::shared_ptr<Database> db = *aberta;
    EXPECT_EQ(db->servidor().texto(), "sqlite:" + pasta);
    EXPECT_EQ(db->servidor().basesDados().valorOu({}), QStringList{"empresa"});
    EXPECT_TRUE(db->servidor().existeBaseDados("empresa"));
}

class ServidorTest : public DbTest {
protected:
    void TearDown() override {
        for (const QString& nome : m_criadas)
            (void)Servidor::para(params)->apagarBaseDados(nome);
        DbTest::TearDown();
    }

    QString novoNome() {
        m_criadas << QStringLiteral("lumo_teste_srv_%1").arg(QUuid::createUuid().toString(QUuid::Id128).left(12));
        return m_criadas.last();
    }

    QStringList m_criadas;
};

TEST_P(ServidorTest, CriaListaAbreEApagaBasesDados) {
    const auto s = Servidor::para(params);
    const QString nome = novoNome();
    EXPECT_FALSE(s->existeBaseDados(nome));
    ASSERT_TRUE(semFalha(s->criarBaseDados(nome)));
    EXPECT_TRUE(s->existeBaseDados(nome));
    const auto bases = s->basesDados();
    ASSERT_TRUE(semFalha(bases));
    EXPECT_TRUE(bases->contains(nome));
    EXPECT_TRUE(bases->contains(params.baseDados));

    const Resultado<> outraVez = s->criarBaseDados(nome);
    ASSERT_FALSE(outraVez) << "an existing database is never overwritten";
    EXPECT_FALSE(outraVez.mensagem().isEmpty());

    {
        const auto aberta = s->abrir(nome);
        ASSERT_TRUE(semFalha(aberta));
        const std::shared_ptr<Database> nova = *aberta;
        EXPECT_EQ(nova->params().baseDados, nome);
        EXPECT_EQ(nova->servidor().texto(), s->texto());
        EXPECT_EQ(nova->servidor().nomeMotor(), s->nomeMotor());
    }

    ASSERT_TRUE(semFalha(s->apagarBaseDados(nome)));
    EXPECT_FALSE(s->existeBaseDados(nome));
    EXPECT_FALSE(s->basesDados().valorOu({}).contains(nome));
    const auto apagada = s->abrir(nome);
    ASSERT_FALSE(apagada);
    EXPECT_FALSE(apagada.mensagem().isEmpty());
}

TEST_P(ServidorTest, NomeInvalidoNaoChegaAoServidor) {
    const auto s = Servidor::para(params);
    const QString mau = QStringLiteral("x\"; DROP DATABASE \"%1").arg(params.baseDados);
    const Resultado<> criada = s->criarBaseDados(mau);
    ASSERT_FALSE(criada);
    EXPECT_EQ(criada.mensagem(), QStringLiteral("Nome de base de dados inválido: %1").arg(mau));
    const Resultado<> apagada = s->apagarBaseDados(mau);
    ASSERT_FALSE(apagada);
    EXPECT_EQ(apagada.mensagem(), QStringLiteral("Nome de base de dados inválido: %1").arg(mau));
    EXPECT_TRUE(s->existeBaseDados(params.baseDados));

    EXPECT_TRUE(Servidor::nomeValido(QString(63, u'a')));
    EXPECT_FALSE(Servidor::nomeValido(QString(64, u'a')));
    EXPECT_FALSE(Servidor::nomeValido(QString()));
    EXPECT_FALSE(Servidor::nomeValido("lumo-teste"));
}

TEST_P(ServidorTest, LigacaoLevaAsDefinicoesDoMotor) {
    ConnectionParams p = params;
    p.tempoComando = 7;
    const auto aberta = Servidor::para(p)->abrir(p.baseDados);
    ASSERT_TRUE(semFalha(aberta));
    const std::shared_ptr<Database> l = *aberta;
    if (isSQLite()) {
        EXPECT_EQ(l->scalar("PRAGMA busy_timeout").toInt(), 7000);
        EXPECT_EQ(l->scalar("PRAGMA journal_mode").toString().toLower(), "wal");
        EXPECT_EQ(l->scalar("SELECT lumo_sem_acentos(?)", {QStringLiteral("ação")}).toString().toLower(), "acao");
    } else {
        EXPECT_EQ(l->scalar("SELECT current_setting(?)", {QStringLiteral("statement_timeout")}).toString(), "7s");
        EXPECT_EQ(l->scalar("SELECT current_setting(?)", {QStringLiteral("application_name")}).toString(), "WLumoProd");
        // A plan fixed from its first run, and never compiled on each run.
        EXPECT_EQ(l->scalar("SELECT current_setting(?)", {QStringLiteral("plan_cache_mode")}).toString(),
                  "force_generic_plan");
        EXPECT_EQ(l->scalar("SELECT current_setting(?)", {QStringLiteral("jit")}).toString(), "off");
    }
}

TEST_P(ServidorTest, EstadoDasBasesDadosEForaDeLinha) {
    const auto s = Servidor::para(params);
    const QString nome = novoNome();
    ASSERT_TRUE(semFalha(s->criarBaseDados(nome)));
    auto estados = s->estadoBasesDados();
    ASSERT_TRUE(estados.contains(nome));
    EXPECT_FALSE(estados.value(nome).desligada);
    EXPECT_FALSE(estados.value(nome).soLeitura);
    EXPECT_GT(estados.value(params.baseDados).bytes, 0);
    EXPECT_FALSE(estados.contains("lumo_nao_existe"));

    const auto aberta = s->abrir(nome);
    ASSERT_TRUE(semFalha(aberta));
    const std::shared_ptr<Database> l = *aberta;
    ASSERT_TRUE(s->emLinha(*db, nome, false));
    if (isSQLite()) {
        // Nothing to take offline: the file stays usable.
        EXPECT_TRUE(l->scalar("SELECT 1").isValid());
        EXPECT_TRUE(s->abrir(nome));
    } else {
        EXPECT_FALSE(l->lerValor("SELECT 1")) << "connections in use are ended";
        EXPECT_FALSE(s->abrir(nome)) << "new connections are refused";
        EXPECT_TRUE(s->estadoBasesDados().value(nome).desligada);
    }
    ASSERT_TRUE(s->emLinha(*db, nome, true));
    EXPECT_TRUE(s->abrir(nome));
    EXPECT_FALSE(s->estadoBasesDados().value(nome).desligada);
}

LUMO_INSTANCIAR_MOTORES(ServidorTest);

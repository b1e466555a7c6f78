#include "common/CifraSegredos.h"
#include "company/Ligacoes.h"
#include "support/DbTest.h"
#include "support/SemFalha.h"

#include <QFile>
#include <QTemporaryDir>

TEST(CifraSegredos, CifraEDecifraSoComAMesmaChave) {
    QTemporaryDir pasta;
    CifraSegredos cifra(pasta.filePath("chave.bin"));
    ASSERT_TRUE(cifra.valida());
    const QString segredo = QStringLiteral("pá'ss; --wörd");
    const QString c1 = cifra.cifrar(segredo);
    const QString c2 = cifra.cifrar(segredo);
    EXPECT_FALSE(c1.contains(segredo));
    EXPECT_NE(c1, c2) << "each encipherment takes a new nonce";
    EXPECT_EQ(cifra.decifrar(c1).value_or("?"), segredo);
    EXPECT_EQ(CifraSegredos(pasta.filePath("chave.bin")).decifrar(c2).value_or("?"), segredo);

    EXPECT_FALSE(CifraSegredos(pasta.filePath("outra.bin")).decifrar(c1).has_value());
    QString alterado = c1;
    alterado[12] = alterado[12] == u'A' ? u'B' : u'A';
    EXPECT_FALSE(cifra.decifrar(alterado).has_value());
    EXPECT_FALSE(cifra.decifrar(segredo).has_value()) << "a password kept in clear is not accepted as enciphered";

    const auto perms = QFile(pasta.filePath("chave.bin")).permissions();
    EXPECT_FALSE(perms & (QFileDevice::ReadGroup | QFileDevice::ReadOther));
}

TEST(Ligacoes, TextoDoServidor) {
    ConnectionParams a = parametrosServidor("sqlite:/var/dados");
    EXPECT_EQ(a.motor, Dialect::Motor::SQLite);
    EXPECT_EQ(a.pasta, "/var/dados");
    EXPECT_EQ(parametrosServidor("/srv/empresas").pasta, "/srv/empresas");
    ConnectionParams b = parametrosServidor("servidor.local:5433");
    EXPECT_EQ(b.motor, Dialect::Motor::PostgreSQL);
    EXPECT_EQ(b.host, "servidor.local");
    EXPECT_EQ(b.porta, 5433);
    EXPECT_EQ(parametrosServidor("10.0.0.5").porta, 5432);
    EXPECT_EQ(textoServidor(b), "servidor.local:5433");
    EXPECT_EQ(textoServidor(a), "sqlite:/var/dados");
}

class LigacoesTest : public DbTest {};

TEST_P(LigacoesTest, ServidorVazioNaoMexeNaLigacao) {
    std::shared_ptr<Database> l = db;
    EXPECT_FALSE(Abre_Connexao(l, "  ", params.baseDados, params.login, params.password, {}, "SQL", 10, 10));
    EXPECT_EQ(l, db);
    EXPECT_TRUE(l->isOpen());
}

TEST_P(LigacoesTest, AbreComPasswordCifradaEAutenticacaoEmMinusculas) {
    std::shared_ptr<Database> l;
    const QString servidor = textoServidor(params);
    const QString cifrada = CifraSegredos().cifrar(params.password);
    ASSERT_TRUE(Abre_Connexao(l, servidor, params.baseDados, params.login, {}, cifrada, "sql", 10, 10));
    EXPECT_EQ(l->params().autenticacao, "SQL");
    EXPECT_EQ(l->params().password, params.password);
    EXPECT_FALSE(Abre_Connexao(l, servidor, params.baseDados, params.login, {}, "v1:lixo", "", 10, 10));
    if (!isSQLite()) {
        // "win" in any case means the operating-system user over the local socket.
        std::shared_ptr<Database> w;
        // On the test server's own port: it need not be the default one.
        const QString local = QStringLiteral("localhost:%1").arg(params.porta);
        const Resultado<> ok =
            Abre_Connexao(w, local, params.baseDados, "ninguem", "errada", {}, "win", 10, 10);
        EXPECT_TRUE(semFalha(ok));
        if (ok) {
            EXPECT_EQ(w->params().autenticacao, "WIN");
        }
    }
}

TEST_P(LigacoesTest, ModoUtilizadorUnico) {
    auto outra = novaLigacao();
    ASSERT_TRUE(outra);
    ASSERT_TRUE(db->exec("CREATE TABLE x (a INTEGER)"));
    if (isSQLite()) {
        // SQLite cannot end another connection: single-user mode is refused while one is open.
        EXPECT_FALSE(SQL_SingleUser(*db, params.baseDados));
        EXPECT_TRUE(db->exec("INSERT INTO x (a) VALUES (0)"));
        EXPECT_TRUE(db->exec("DELETE FROM x"));
        outra->close();
        outra = nullptr;
    }
    ASSERT_TRUE(SQL_SingleUser(*db, params.baseDados));
    if (isSQLite()) {
        ConnectionParams impaciente = params;
        impaciente.tempoComando = 1;
        outra = Database::open(impaciente).valorOu(nullptr);
        ASSERT_TRUE(outra);
    }
    EXPECT_FALSE(outra->lerValor("SELECT COUNT(*) FROM x")) << "another connection must be shut out";
    if (!isSQLite()) {
        EXPECT_FALSE(Database::open(params)) << "new connections are refused";
    }
    EXPECT_TRUE(db->exec("INSERT INTO x (a) VALUES (1)"));
    ASSERT_TRUE(SQL_MultiUser(*db, params.baseDados));
    auto terceira = novaLigacao();
    ASSERT_TRUE(terceira);
    EXPECT_EQ(terceira->scalar("SELECT COUNT(*) FROM x").toInt(), 1);
}

LUMO_INSTANCIAR_MOTORES(LigacoesTest);

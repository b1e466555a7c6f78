#include "support/DbTest.h"

#include "db/AdminServidor.h"
#include "db/esquema/Esquema.h"
#include "support/ModeloPostgres.h"
#include "support/SemFalha.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QUuid>

QString codigoEmpresaAleatorio() {
    static const QString letras = QStringLiteral("ABCDEFGHJKLMNPQRSTUVWXYZ23456789");
    QString c;
    for (int i = 0; i < 4; ++i)
        c += letras[QRandomGenerator::global()->bounded(int(letras.size()))];
    return c;
}

bool servidorPostgresTeste(ConnectionParams* p) {
    const QString host = qEnvironmentVariable("LUMO_PG_HOST");
    if (host.isEmpty())
        return false;
    p->motor = Dialect::Motor::PostgreSQL;
    p->host = host;
    p->porta = qEnvironmentVariableIntValue("LUMO_PG_PORT") > 0 ? qEnvironmentVariableIntValue("LUMO_PG_PORT") : 5432;
    p->login = qEnvironmentVariable("LUMO_PG_USER", QStringLiteral("lumo"));
    p->password = qEnvironmentVariable("LUMO_PG_PASSWORD");
    p->autenticacao = QStringLiteral("SQL");
    return true;
}

std::string nomeMotor(const ::testing::TestParamInfo<Dialect::Motor>& info) {
    return info.param == Dialect::Motor::SQLite ? "SQLite" : "PostgreSQL";
}

void DbTest::SetUp() {
    const QString nome = QStringLiteral("lumo_teste_%1").arg(QUuid::createUuid().toString(QUuid::Id128).left(16));
    if (GetParam() == Dialect::Motor::SQLite) {
        m_pastaTemp = QDir::tempPath() + QStringLiteral("/lumo_testes_") + nome;
        QDir().mkpath(m_pastaTemp);
        params.motor = Dialect::Motor::SQLite;
        params.pasta = m_pastaTemp;
    } else {
        if (!servidorPostgresTeste(&params)) {
            if (qEnvironmentVariable("LUMO_PG_REQUIRED") == QStringLiteral("1"))
                FAIL() << "LUMO_PG_HOST não definido";
            GTEST_SKIP() << "Sem servidor PostgreSQL de testes (LUMO_PG_HOST)";
        }
    }
    const bool copiaDeModelo = m_comEsquema && GetParam() == Dialect::Motor::PostgreSQL;
    if (copiaDeModelo) {
        ASSERT_TRUE(semFalha(criarCopiaDeModelo(params, nome, QStringLiteral("esquema"), [this](const QString& modelo) {
            if (auto r = AdminServidor::criarBaseDados(params, modelo); !r)
                return r;
            ConnectionParams p = params;
            p.baseDados = modelo;
            const auto m = Database::open(p);
            if (!m)
                return Resultado<>(m.falha());
            const Resultado<> feito = aplicarEsquemaEmpresa(**m);
            (*m)->close();
            return feito;
        })));
    } else {
        ASSERT_TRUE(semFalha(AdminServidor::criarBaseDados(params, nome)));
    }
    params.baseDados = nome;
    const auto aberta = Database::open(params);
    ASSERT_TRUE(semFalha(aberta));
    db = *aberta;
    if (m_comEsquema && !copiaDeModelo) {
        ASSERT_TRUE(semFalha(aplicarEsquemaEmpresa(*db)));
    }
    ctx.LigacaoEmpresa = db;
    ctx.CodigoEmpresa = QStringLiteral("TEST");
    ctx.CodigoUtilizador = QStringLiteral("01");
    ctx.LoginUtilizador = QStringLiteral("Supervisor");
    ctx.NomePosto = QStringLiteral("POSTO1");
}

std::shared_ptr<Database> DbTest::novaLigacao() {
    const auto d = Database::open(params);
    EXPECT_TRUE(semFalha(d));
    return d.valorOu(nullptr);
}

void DbTest::TearDown() {
    ctx = GlobalContext();
    if (db) {
        db->close();
        db.reset();
    }
    if (!params.baseDados.isEmpty() && params.motor == Dialect::Motor::PostgreSQL) {
        (void)AdminServidor::apagarBaseDados(params, params.baseDados);
        // The company's document archive, when a test made one.
        (void)AdminServidor::apagarBaseDados(params, params.baseDados + QStringLiteral("_Docs"));
    }
    if (!m_pastaTemp.isEmpty())
        QDir(m_pastaTemp).removeRecursively();
}

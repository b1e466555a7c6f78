#pragma once

#include "db/Database.h"
#include "company/GlobalContext.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

// PostgreSQL server used by the tests, from LUMO_PG_HOST, LUMO_PG_PORT, LUMO_PG_USER, LUMO_PG_PASSWORD.
// Without LUMO_PG_HOST the PostgreSQL cases are skipped, unless LUMO_PG_REQUIRED=1 makes them fail.
bool servidorPostgresTeste(ConnectionParams* p);

// A random company code: runs sharing one PostgreSQL server never meet.
QString codigoEmpresaAleatorio();

// Every database test runs once per engine, each case on a new database with the company schema.
class DbTest : public ::testing::TestWithParam<Dialect::Motor> {
protected:
    void SetUp() override;
    void TearDown() override;

    // A further connection to the same database (for locks and concurrency tests).
    std::shared_ptr<Database> novaLigacao();
    bool isSQLite() const { return GetParam() == Dialect::Motor::SQLite; }

    // Set to false in a derived SetUp before calling DbTest::SetUp to get an empty database.
    bool m_comEsquema = true;

    ConnectionParams params;
    std::shared_ptr<Database> db;
    GlobalContext ctx;
    ScriptedInteraction ui;

private:
    QString m_pastaTemp;
};

std::string nomeMotor(const ::testing::TestParamInfo<Dialect::Motor>& info);

#define LUMO_INSTANCIAR_MOTORES(Suite)                                                                            \
    INSTANTIATE_TEST_SUITE_P(Motores, Suite,                                                                       \
                             ::testing::Values(Dialect::Motor::SQLite, Dialect::Motor::PostgreSQL), nomeMotor)

inline void PrintTo(Dialect::Motor m, std::ostream* os) { *os << (m == Dialect::Motor::SQLite ? "SQLite" : "PostgreSQL"); }

#pragma once

#include "db/Database.h"
#include "support/DbTest.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// A demo company with a code of its own on each engine, reachable by the command-line program
// (in-process or as a child) and through empresaDb; dropped afterwards.
class EmpresaDemoTest : public DbTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The command's arguments followed by the server options and --empresa.
    QStringList argumentosCli(const QStringList& args) const;
#ifdef LUMO_CLI_PATH
    // The command run as the program itself, with its own Qt set-up (drawing a PDF needs it); its
    // exit code, and its output in `saida`.
    int executarComoPrograma(const QStringList& args, QByteArray* saida) const {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (GetParam() == Dialect::Motor::SQLite)
            env.insert(QStringLiteral("LUMO_DADOS"), servidor.pasta);
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(LUMO_CLI_PATH), argumentosCli(args));
        EXPECT_TRUE(p.waitForFinished(120000));
        *saida = p.readAllStandardOutput();
        return p.exitCode();
    }
#endif
    // A file in the test's folder holding the given text.
    QString ficheiro(const QByteArray& conteudo);
    // PA900, a finished product made of one MP008 and one MP009 per unit, both plentiful.
    void produtoSimples();

    ConnectionParams servidor;
    QString empresa;
    QStringList opcoesServidor; // --pg HOST:PORTA --login LOGIN on PostgreSQL; none on SQLite (LUMO_DADOS)
    QTemporaryDir pasta;
    std::shared_ptr<Database> empresaDb;
    QString ano; // the current year, as the demo's documents are dated

private:
    QByteArray m_dadosAntes;
    int m_ficheiros = 0;
};

// The demo company opened as the supervisor finds it after the login, in `demo`: its general
// parameters and, for the production windows, the production decimals read.
class EmpresaDemoAbertaTest : public EmpresaDemoTest {
protected:
    void SetUp() override;
    void TearDown() override;

    bool m_casasDecimaisProducao = true; // set to false in a derived SetUp before calling this one
    GlobalContext demo;
};

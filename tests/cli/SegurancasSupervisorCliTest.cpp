#include "cli/LinhaComandosCli.h"
#include "company/ArquivoDocumentos.h"
#include "company/Empresas.h"
#include "db/AdminServidor.h"
#include "support/EmpresaDemoTest.h"
#include "support/SemFalha.h"

#include <QJsonDocument>
#include <QJsonObject>

// Scheduling and restoring backups are the supervisor's: another user's attempt is refused and
// leaves the schedules and the server as they were.
class SegurancasSupervisorCliTest : public EmpresaDemoTest {
protected:
    void TearDown() override {
        for (const QString& c : criadas) {
            (void)AdminServidor::apagarBaseDados(servidor, nomeArquivoDocumentos(c));
            (void)AdminServidor::apagarBaseDados(servidor, nomeBaseDadosEmpresa(c));
        }
        EmpresaDemoTest::TearDown();
    }
    // The command's exit code; its error, when refused, in `erro`.
    int cli(const QStringList& args, QString* erro = nullptr) {
        QByteArray saida;
        const int codigo = executarLinhaComandos(args + opcoesServidor, &saida);
        if (erro)
            *erro = QJsonDocument::fromJson(saida).object().value("erro").toString();
        return codigo;
    }
    QStringList agenda() {
        QStringList r;
        (void)empresaDb->percorrer("SELECT Utilizador, Opcao, Hora, Dias FROM Log_DB_Agenda ORDER BY Utilizador, Opcao", {},
                                   [&](const QSqlQuery& q) {
                                       r << QStringList{q.value(0).toString(), q.value(1).toString(),
                                                        q.value(2).toString(), q.value(3).toString()}
                                                .join(u'|');
                                   });
        return r;
    }
    QString novoCodigo() {
        QString c;
        do
            c = codigoEmpresaAleatorio();
        while (c == empresa || criadas.contains(c));
        criadas << c;
        return c;
    }
    QStringList criadas;
};

TEST_P(SegurancasSupervisorCliTest, AgendarSoPeloSupervisor) {
    const QStringList base{"segurancas", "agendar", "--empresa", empresa};
    QString erro;
    EXPECT_EQ(cli(base + QStringList{"--por", "02", "--utilizador", "02", "--opcao", "Saida", "--hora", "18:00"}, &erro), 1);
    EXPECT_EQ(erro, "Só o supervisor pode agendar cópias de segurança.");
    EXPECT_TRUE(agenda().isEmpty());

    ASSERT_EQ(cli(base + QStringList{"--utilizador", "02", "--opcao", "Saida", "--hora", "18:00", "--dias", "seg;qua;"}, &erro), 0)
        << erro.toStdString();
    const QStringList gravada{"02|Saida|18:00|Seg;Qua;"};
    EXPECT_EQ(agenda(), gravada) << "the operator's schedule, written by the supervisor";

    // The operator can neither change nor remove it, nor can a user that does not exist get one.
    EXPECT_EQ(cli(base + QStringList{"--por", "02", "--utilizador", "02", "--opcao", "Saida", "--remover", "sim"}, &erro), 1);
    EXPECT_EQ(erro, "Só o supervisor pode agendar cópias de segurança.");
    EXPECT_EQ(cli(base + QStringList{"--por", "02", "--utilizador", "02", "--opcao", "Saida", "--hora", "08:00"}), 1);
    EXPECT_EQ(cli(base + QStringList{"--por", "99", "--utilizador", "02", "--opcao", "Saida", "--hora", "08:00"}, &erro), 1);
    EXPECT_EQ(erro, "Utilizador inexistente: 99");
    EXPECT_EQ(cli(base + QStringList{"--utilizador", "99", "--opcao", "Entrada", "--hora", "08:00"}, &erro), 1);
    EXPECT_EQ(erro, "Utilizador inexistente: 99");
    EXPECT_EQ(agenda(), gravada);

    ASSERT_EQ(cli(base + QStringList{"--por", "01", "--utilizador", "02", "--opcao", "Saida", "--remover", "sim"}, &erro), 0)
        << erro.toStdString();
    EXPECT_TRUE(agenda().isEmpty());
}

TEST_P(SegurancasSupervisorCliTest, ReporSoPeloSupervisor) {
    QString erro;
    ASSERT_EQ(cli({"segurancas", "copiar", "--empresa", empresa, "--pasta", pasta.path()}, &erro), 0) << erro.toStdString();
    const QString copia = pasta.filePath("ExportTARVOEX" + empresa + ".zip");

    const QString recusada = novoCodigo();
    EXPECT_EQ(cli({"segurancas", "repor", copia, "--empresa", recusada, "--utilizador", "02"}, &erro), 1);
    EXPECT_EQ(erro, "Só o supervisor pode repor cópias de segurança.");
    EXPECT_FALSE(AdminServidor::existeBaseDados(servidor, nomeBaseDadosEmpresa(recusada)));

    // Restored as the service user, a supervisor too, and logged as such in the new company.
    const QString reposta = novoCodigo();
    ASSERT_EQ(cli({"segurancas", "repor", copia, "--empresa", reposta, "--utilizador", "00"}, &erro), 0) << erro.toStdString();
    const auto db = Database::open(ligacaoEmpresa(servidor, reposta));
    ASSERT_TRUE(semFalha(db));
    EXPECT_EQ((*db)->scalar("SELECT Utilizador FROM Log_DB WHERE Accao='Reposição'").toString(), "00");
    (*db)->close();
}

LUMO_INSTANCIAR_MOTORES(SegurancasSupervisorCliTest);

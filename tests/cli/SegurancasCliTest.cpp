#include "cli/LinhaComandosCli.h"
#include "company/Empresas.h"
#include "db/AdminServidor.h"
#include "support/EmpresaDemoTest.h"
#include "support/SemFalha.h"

#include <QFileInfo>
#include <QJsonObject>

// "segurancas copiar" and "segurancas repor" on the demo company, through the command itself.
class SegurancasCliTest : public EmpresaDemoTest {
protected:
    void TearDown() override {
        if (!reposta.isEmpty())
            (void)AdminServidor::apagarBaseDados(servidor, nomeBaseDadosEmpresa(reposta));
        EmpresaDemoTest::TearDown();
    }
    Resultado<QJsonValue> segurancas(const QStringList& argumentos, const QHash<QString, QString>& opcoes) {
        PedidoCli p;
        p.servidor = servidor;
        p.argumentos = argumentos;
        p.opcoes = opcoes;
        for (const ComandoCli& c : comandosSegurancasCli())
            if (c.nome == "segurancas") {
                for (const QString& o : opcoes.keys())
                    EXPECT_TRUE(c.opcoes.contains(o)) << o.toStdString();
                return c.executar(p);
            }
        return Falha(QStringLiteral("sem comando"));
    }
    QString reposta;
};

TEST_P(SegurancasCliTest, CopiarERepor) {
    // Only the supervisor takes a backup.
    auto r = segurancas({"copiar"}, {{"empresa", empresa}, {"utilizador", "02"}, {"pasta", pasta.path()}});
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.mensagem(), "Só o supervisor pode fazer cópias de segurança.");
    EXPECT_FALSE(QFileInfo::exists(pasta.filePath("ExportTARVOEX" + empresa + ".zip")));

    r = segurancas({"copiar"}, {{"empresa", empresa}, {"pasta", pasta.path()}});
    ASSERT_TRUE(semFalha(r));
    const QJsonObject c = r->toObject();
    EXPECT_EQ(c.value("ficheiro").toString(), pasta.filePath("ExportTARVOEX" + empresa + ".zip"));
    EXPECT_GT(c.value("tabelas").toInt(), 50);
    EXPECT_GT(c.value("linhas").toDouble(), 0);
    // The history records the backup with the file's name.
    EXPECT_EQ(empresaDb->scalar("SELECT Ficheiro FROM Log_DB WHERE Accao='Segurança'").toString(),
              "ExportTARVOEX" + empresa + ".zip");

    // Options of another action are refused, not ignored.
    r = segurancas({"repor", c.value("ficheiro").toString()}, {{"empresa", "ZZZZ"}, {"pasta", pasta.path()}});
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.mensagem(), "A opção --pasta não serve com \"segurancas repor\".");

    do
        reposta = codigoEmpresaAleatorio();
    while (reposta == empresa);
    r = segurancas({"repor", c.value("ficheiro").toString()}, {{"empresa", reposta}});
    ASSERT_TRUE(semFalha(r));
    const QJsonObject o = r->toObject();
    EXPECT_EQ(o.value("empresa").toString(), reposta);
    EXPECT_FALSE(o.value("nome").toString().isEmpty());
    EXPECT_EQ(o.value("ano").toInt(), empresaDb->scalar("SELECT ano FROM ParamGeral").toInt());

    // The same file again onto the same code: refused.
    r = segurancas({"repor", c.value("ficheiro").toString()}, {{"empresa", reposta}});
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.mensagem(), QStringLiteral("A empresa %1 já existe.").arg(reposta));
}

LUMO_INSTANCIAR_MOTORES(SegurancasCliTest);

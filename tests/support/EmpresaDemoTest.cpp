#include "support/EmpresaDemoTest.h"

#include "company/EmpresaDemo.h"
#include "company/Empresas.h"
#include "company/ParametrosGerais.h"
#include "db/AdminServidor.h"
#include "support/ModeloPostgres.h"
#include "support/SemFalha.h"

#include <QDate>
#include <gtest/gtest.h>
#include <QFile>
#include <QRandomGenerator>

void EmpresaDemoTest::SetUp() {
    m_comEsquema = false;
    DbTest::SetUp();
    if (IsSkipped() || HasFatalFailure())
        return;
    servidor = params;
    servidor.baseDados.clear();
    empresa = codigoEmpresaAleatorio();
    if (isSQLite()) {
        ASSERT_TRUE(semFalha(criarEmpresaDemo(servidor, empresa)));
    } else {
        ASSERT_TRUE(semFalha(criarCopiaDeModelo(
            servidor, nomeBaseDadosEmpresa(empresa), QStringLiteral("demo"), [this](const QString& modelo) {
                // Made under a code of its own, then renamed: the demo keeps no trace of its code.
                const QString codigo = codigoEmpresaAleatorio();
                if (auto r = criarEmpresaDemo(servidor, codigo); !r)
                    return Resultado<>(r.falha());
                auto adm = AdminServidor::ligarManutencao(servidor);
                if (!adm)
                    return Resultado<>(adm.falha());
                if (!(*adm)->exec(QStringLiteral("ALTER DATABASE \"%1\" RENAME TO \"%2\"")
                                      .arg(nomeBaseDadosEmpresa(codigo), modelo)))
                    return Resultado<>(Falha((*adm)->lastError()));
                return Resultado<>();
            })));
    }
    if (isSQLite()) {
        m_dadosAntes = qgetenv("LUMO_DADOS");
        qputenv("LUMO_DADOS", servidor.pasta.toUtf8());
    } else {
        opcoesServidor = {"--pg", QStringLiteral("%1:%2").arg(servidor.host).arg(servidor.porta), "--login",
                          servidor.login};
    }
    ASSERT_TRUE(pasta.isValid());
    const auto aberta = Database::open(ligacaoEmpresa(servidor, empresa));
    ASSERT_TRUE(semFalha(aberta));
    empresaDb = *aberta;
    ano = QString::number(QDate::currentDate().year());
}

void EmpresaDemoTest::TearDown() {
    if (empresaDb)
        empresaDb->close();
    empresaDb.reset();
    if (isSQLite())
        qputenv("LUMO_DADOS", m_dadosAntes);
    else if (!empresa.isEmpty())
        (void)AdminServidor::apagarBaseDados(servidor, nomeBaseDadosEmpresa(empresa));
    DbTest::TearDown();
}

QStringList EmpresaDemoTest::argumentosCli(const QStringList& args) const {
    return args + opcoesServidor + QStringList{QStringLiteral("--empresa"), empresa};
}

QString EmpresaDemoTest::ficheiro(const QByteArray& conteudo) {
    const QString nome = pasta.filePath(QStringLiteral("f%1.json").arg(++m_ficheiros));
    QFile f(nome);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(conteudo);
    return nome;
}

void EmpresaDemoTest::produtoSimples() {
    ASSERT_GT(empresaDb->insert("Produtos", Registo()("Codigo", "PA900")("Descricao", "Caixa de teste")(
                                                "UnidadeVenda", "UN")("ctrlexistencia", "1")("Lote", 0)(
                                                "actualizapreco", "0")),
              0);
    for (const char* prima : {"MP008", "MP009"})
        ASSERT_GT(empresaDb->insert("Nomenclatura", Registo()("ProdutoAcabado", "PA900")("ProdutoPrima", prima)(
                                                        "quantidade", "1")("Armazem", "001")("Fixa", 0)(
                                                        "CtrlQuantidades", 0)("precario", "PrecoMedioCusto")(
                                                        "Factor", "0")("ProdutoAcabadoPreco", "0")),
                  0);
}

void EmpresaDemoAbertaTest::SetUp() {
    EmpresaDemoTest::SetUp();
    if (IsSkipped() || HasFatalFailure())
        return;
    ASSERT_TRUE(semFalha(abrirEmpresa(demo, servidor, empresa)));
    demo.CodigoUtilizador = QStringLiteral("01");
    CarregaParametrosGerais(demo);
    if (m_casasDecimaisProducao)
        CarregaCasasDecProducao(demo);
}

void EmpresaDemoAbertaTest::TearDown() {
    if (demo.LigacaoEmpresa)
        demo.LigacaoEmpresa->close();
    demo.LigacaoEmpresa.reset();
    EmpresaDemoTest::TearDown();
}

#include "company/Empresas.h"
#include "company/Ligacoes.h"
#include "controls/ui/EDatas.h"
#include "controls/ui/Valor.h"
#include "lookups/Imagens.h"
#include "lookups/ui/CampoCodigo.h"
#include "lookups/ui/ListaVista.h"
#include "production/ui/FrmTabEquipamentos.h"
#include "shell/ui/WMenu.h"
#include "support/DbTest.h"
#include "support/SemFalha.h"
#include "support/ui/Capturas.h"
#include "support/ui/Controlos.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

// The equipment windows driven as a user would, on both engines.
class FrmTabEquipamentosTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        for (auto [codigo, login] : {std::pair{"01", "Supervisor"}, {"05", "Rita"}})
            ASSERT_GT(db->insert("Utilizador", Registo()("Codigo", codigo)("Login", login)), 0);
    }
};

TEST_P(FrmTabEquipamentosTest, EquipamentoGravadoComAvisoEImagemConfirmada) {
    // A picture attached while the record is being made: unconfirmed until the save.
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    QImage imagem(8, 8, QImage::Format_RGB32);
    imagem.fill(Qt::darkGreen);
    const QString ficheiro = pasta.filePath(QStringLiteral("frigorifico.png"));
    ASSERT_TRUE(imagem.save(ficheiro));
    ASSERT_TRUE(semFalha(AdicionarImagem(*db, "Prod_Equipamentos", "EQ1", "", "01", ficheiro)));

    FrmTabEquipamentosINS ins(ctx, ui);
    ASSERT_TRUE(ins.abrir(u'N'));
    EXPECT_TRUE(controlo<QLineEdit>(ins, "txtCodigo")->isEnabled());
    controlo<QLineEdit>(ins, "txtCodigo")->setText(QStringLiteral("EQ1"));
    controlo<QLineEdit>(ins, "txtDescricao")->setText(QStringLiteral("Frigorífico industrial"));
    controlo<EDatas>(ins, "txtDataAquisicao")->setDataSys(QDate(2026, 3, 1));
    controlo<Valor>(ins, "txtValorAquisicao")->setValor(Currency::fromString("120.50"));
    controlo<QSpinBox>(ins, "txtAvisoDiasAbate")->setValue(5);
    controlo<QSpinBox>(ins, "txtAvisoDiasDespoluimento")->setValue(7);
    auto* utilizador = controlo<CampoCodigo>(ins, "cpAvisoUtilizadorAbate");
    ASSERT_TRUE(utilizador);
    utilizador->setCodigo(QStringLiteral("05"));
    EXPECT_TRUE(utilizador->txtCodigo_LostFocus()) << ui.ultimaMensagem().toStdString();
    if (isSQLite())
        capturarJanela(ins, QStringLiteral("frmTabEquipamentosINS"));
    controlo<QPushButton>(ins, "cmdGravar")->click();
    ASSERT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(ins.gravado());

    const auto linha = db->primeiraLinha(
        "SELECT AvisoDiasAbate, AvisoUtilizadorAbate, AvisoAbate, AvisoDespoluimento, ValorAquisicao "
        "FROM Prod_Equipamentos WHERE Codigo='EQ1'");
    ASSERT_TRUE(linha);
    EXPECT_EQ(linha->at(0).toInt(), 5);
    EXPECT_EQ(linha->at(1).toString().trimmed(), "05");
    EXPECT_EQ(linha->at(2).toString(), "2026-03-06") << "acquisition + 5 days";
    EXPECT_EQ(linha->at(3).toString().trimmed(), "") << "no deregistration yet, no depollution warning";
    EXPECT_EQ(Currency::fromVariant(linha->at(4)), Currency::fromString("120.50"));
    // Saved, the window shows the due date and the code is fixed.
    EXPECT_EQ(controlo<QLabel>(ins, "lblAvisoAbate")->text(), "06-03-2026");
    EXPECT_FALSE(controlo<QLineEdit>(ins, "txtCodigo")->isEnabled());
    const auto imagens = ListarImagens(*db, "Prod_Equipamentos", "EQ1", "", "01");
    ASSERT_TRUE(semFalha(imagens));
    ASSERT_EQ(imagens->size(), 1u);
    EXPECT_TRUE(imagens->front().confirmada) << "the start-up clean-up must not take it";

    // The list shows it, with the report's button.
    FrmTabEquipamentos lista(ctx, ui);
    ASSERT_EQ(lista.logica().lvwLista.numLinhas(), 1);
    EXPECT_EQ(lista.logica().lvwLista.texto(0, 1), "EQ1");
    for (const char* b : {"cmdAdicionar", "cmdAlterar", "cmdEliminar", "cmdProdutos"})
        EXPECT_TRUE(controlo<QPushButton>(lista, b)) << b;
    lista.show();
    EXPECT_TRUE(controlo<QPushButton>(lista, "cmdImprimir")->isEnabled());
    if (isSQLite())
        capturarJanela(lista, QStringLiteral("frmTabEquipamentos"));
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
}

TEST_P(FrmTabEquipamentosTest, AvisosMostramOPassoEmFalta) {
    const QString hoje = QDate::currentDate().toString(Qt::ISODate);
    Registo r;
    r("Codigo", "EQ7")("Descricao", "Máquina de lavar")("DataAquisicao", "2026-01-05")("DataAbate", "")(
        "DataDespoluimento", "")("DataDesmantelamento", "")("DataCertDest", "")("AvisoDiasAbate", 3)(
        "AvisoUtilizadorAbate", "01")("AvisoAbate", hoje)("AvisoDespoluimento", "")("AvisoDesmantelamento", "")(
        "Utilizadores", "")("Utilizador", "01");
    ASSERT_GT(db->insert("Prod_Equipamentos", r), 0);
    FrmTabEquipamentosAvisos avisos(ctx, ui);
    ASSERT_EQ(avisos.logica().lvwLista.numLinhas(), 1);
    EXPECT_EQ(avisos.logica().lvwLista.texto(0, 4), "Sem registo de Abate");
    if (isSQLite())
        capturarJanela(avisos, QStringLiteral("frmTabEquipamentosAvisos"));
    avisos.close();
}

LUMO_INSTANCIAR_MOTORES(FrmTabEquipamentosTest);

// The menu's periodic check opens the warnings for the user who has one due, once.
class WMenuAvisosEquipamentosTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_pasta.isValid());
        servidor.motor = Dialect::Motor::SQLite;
        servidor.pasta = m_pasta.path();
        ASSERT_TRUE(semFalha(criarEmpresa(servidor, "T001", "Fábrica Teste", 2024)));
        ASSERT_TRUE(semFalha(abrirEmpresa(ctx, servidor, "T001")));
        ctx.CodigoUtilizador = QStringLiteral("01");
        ctx.LoginUtilizador = QStringLiteral("Supervisor");
    }
    void TearDown() override { FechaLigacoes(ctx); }

    int janelasAvisos(WMenu& w) {
        int n = 0;
        for (QMdiSubWindow* sub : w.area()->subWindowList())
            n += qobject_cast<FrmTabEquipamentosAvisos*>(sub->widget()) ? 1 : 0;
        return n;
    }

    QTemporaryDir m_pasta;
    ConnectionParams servidor;
    GlobalContext ctx;
    ScriptedInteraction ui;
};

TEST_F(WMenuAvisosEquipamentosTest, AbreOsAvisosQuandoHaPassoVencido) {
    WMenu w(ctx, ui);
    ASSERT_TRUE(w.abrir());
    w.verificarAvisosEquipamentos();
    EXPECT_EQ(janelasAvisos(w), 0) << "nothing due";

    Registo r;
    r("Codigo", "EQ1")("Descricao", "Fogão")("DataAquisicao", "2026-01-05")("DataAbate", "")(
        "DataDespoluimento", "")("DataDesmantelamento", "")("DataCertDest", "")("AvisoDiasAbate", 2)(
        "AvisoUtilizadorAbate", "01")("AvisoAbate", QDate::currentDate().addDays(-1).toString(Qt::ISODate))(
        "AvisoDespoluimento", "")("AvisoDesmantelamento", "")("Utilizadores", "")("Utilizador", "01");
    ASSERT_GT(ctx.bd().insert("Prod_Equipamentos", r), 0);

    {
        Transaction t(ctx.bd());
        ASSERT_TRUE(t.ok());
        w.verificarAvisosEquipamentos();
        EXPECT_EQ(janelasAvisos(w), 0) << "not while a posting is under way";
    }
    w.verificarAvisosEquipamentos();
    ASSERT_EQ(janelasAvisos(w), 1);
    ASSERT_TRUE(w.janelaAvisosEquipamentos());
    auto* avisos = qobject_cast<FrmTabEquipamentosAvisos*>(w.janelaAvisosEquipamentos());
    ASSERT_TRUE(avisos);
    EXPECT_EQ(avisos->logica().lvwLista.numLinhas(), 1);
    w.verificarAvisosEquipamentos();
    EXPECT_EQ(janelasAvisos(w), 1) << "already open";

    // Another user is not warned of it.
    w.area()->closeAllSubWindows();
    EXPECT_EQ(janelasAvisos(w), 0);
    ctx.CodigoUtilizador = QStringLiteral("05");
    w.verificarAvisosEquipamentos();
    EXPECT_EQ(janelasAvisos(w), 0);
    ctx.CodigoUtilizador = QStringLiteral("01");
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
}

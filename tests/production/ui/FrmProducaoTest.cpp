#include "controls/ui/Valor.h"
#include "production/ui/FrmExistProArmLote.h"
#include "production/ui/FrmNomenclatura.h"
#include "support/DbTest.h"
#include "support/ui/Controlos.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

class FrmProducaoTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ctx.armazem = "001";
        ASSERT_GT(db->insert("Armazens", {"Codigo"}, {"001"}), 0);
        ASSERT_GT(db->insert("configProd", {"Precario", "CasasDec"}, {"PrecoMedioCusto", 2}), 0);
        for (const char* p : {"PA1", "MP1", "MP2"})
            ASSERT_GT(db->insert("Produtos", {"Codigo", "Descricao", "PrecoMedioCusto"}, {p, QString("Produto ") + p, "2"}), 0);
    }
    void escrever(QWidget& w, const char* nome, const QString& texto) {
        auto* e = controlo<QLineEdit>(w, nome);
        e->setText(texto);
        emit e->editingFinished();
    }
};

TEST_P(FrmProducaoTest, NomenclaturaComDuasMateriasPrimas) {
    FrmNomenclatura f(ctx, ui);
    f.show();
    controlo<QPushButton>(f, "cmdAdicionar")->click();
    escrever(f, "txtProdutoAcabado", "PA1");
    EXPECT_EQ(controlo<QLineEdit>(f, "txtDescProdutoAcabado")->text(), "Produto PA1");
    for (const char* mp : {"MP1", "MP2"}) {
        controlo<QPushButton>(f, "cmdAdicProd")->click();
        escrever(f, "txtProdutoPrima", mp);
        controlo<Valor>(f, "txtQuantidade")->setValor(Currency::fromString("1.5"));
        controlo<QPushButton>(f, "cmdGravar")->click();
    }
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Nomenclatura WHERE ProdutoAcabado='PA1' AND quantidade=1.5 AND Armazem='001'").toInt(), 2);
    EXPECT_EQ(f.logica().lvwListaNomec.numLinhas(), 2);
    controlo<QPushButton>(f, "cmdFimNomenclatura")->click();
    EXPECT_EQ(f.logica().lvwLista.numLinhas(), 1);
}

TEST_P(FrmProducaoTest, EscolheLoteNaJanelaFifo) {
    ASSERT_GT(db->insert("Produtos", {"Codigo", "Descricao", "Lote", "FormulaLote", "ControlaDataValidade_Fabrico"},
                         {"LT", "Leite", 1, 1, 1}),
              0);
    for (const auto& [lote, fab] : {std::pair{"VELHO", "2026-01-01"}, std::pair{"NOVO", "2026-02-01"}}) {
        ASSERT_GT(db->insert("TabLotes", {"Produto", "Codigo", "DataFabrico", "DataValidade"}, {"LT", lote, fab, "2026-12-31"}), 0);
        ASSERT_GT(db->insert("MovProduto", {"Codigo", "Armazem", "Localizacao", "Lote", "DataFabrico", "DataValidade", "AfectaStk", "QuantNormal"},
                             {"LT", "001", "", lote, fab, "2026-12-31", "E+", "3"}),
                  0);
    }
    FrmExistProArmLote f(ctx, ui);
    f.logica().txtCodigo = "LT";
    f.logica().txtArmazem = "001";
    f.logica().txtAfectaSTK = "S+";
    f.logica().VerLote({}, {}, {});
    auto* lista = controlo<QTreeWidget>(f, "lvwLista");
    QTimer::singleShot(0, &f, [&] {
        if (lista->topLevelItemCount() != 2) {
            ADD_FAILURE() << "rows: " << lista->topLevelItemCount();
            f.reject();
            return;
        }
        EXPECT_EQ(lista->topLevelItem(0)->text(1), "VELHO");
        lista->setCurrentItem(lista->topLevelItem(1));
        controlo<QPushButton>(f, "cmdSeleccionar")->click(); // refused: FIFO
        EXPECT_TRUE(f.isVisible());
        lista->setCurrentItem(lista->topLevelItem(0));
        controlo<QPushButton>(f, "cmdSeleccionar")->click();
    });
    EXPECT_EQ(f.exec(), QDialog::Accepted);
    EXPECT_TRUE(ui.ultimaMensagem().contains("controlo de FIFO"));
    EXPECT_EQ(f.logica().txtLote, "VELHO");
    EXPECT_EQ(f.logica().txtDataFabrico, "2026-01-01");
    EXPECT_EQ(f.logica().txtExiste, Currency(3));
}

LUMO_INSTANCIAR_MOTORES(FrmProducaoTest);

#include "controls/ui/Valor.h"
#include "production/ui/FrmNomenclaturaNaHora.h"
#include "support/DbTest.h"
#include "support/ui/Capturas.h"
#include "support/ui/Controlos.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

// The recipe window driven as a user would: its line editor is a modal dialog.
class FrmNomenclaturaNaHoraTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ctx.armazem = "001";
        ASSERT_GT(db->insert("Armazens", {"Codigo"}, {"001"}), 0);
        ASSERT_GT(db->insert("configProd", {"Precario", "CasasDec"}, {"PrecoMedioCusto", 2}), 0);
        for (const char* p : {"PA1", "PA2", "MP1"})
            ASSERT_GT(db->insert("Produtos", {"Codigo", "Descricao"}, {p, QString("Produto ") + p}), 0);
    }
    void escrever(QWidget& w, const char* nome, const QString& texto) {
        auto* e = controlo<QLineEdit>(w, nome);
        e->setText(texto);
        emit e->editingFinished();
    }
    // Opens the line editor with the button and fills it once it shows.
    void linha(QWidget& janela, const char* botao, const char* produto, const char* quant, const char* precario = nullptr,
               const char* valor = nullptr) {
        QTimer::singleShot(0, &janela, [&, produto, quant, precario, valor] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!d) {
                ADD_FAILURE() << "the line editor did not open";
                return;
            }
            escrever(*d, "txtProduto", QString::fromLatin1(produto));
            EXPECT_EQ(controlo<QLineEdit>(*d, "txtDescricao")->text(), QString("Produto ") + produto);
            controlo<Valor>(*d, "txtQuantidade")->setValor(Currency::fromString(QString::fromLatin1(quant)));
            if (precario) {
                auto* c = controlo<QComboBox>(*d, "cboPrecario");
                c->setCurrentIndex(c->findData(QString::fromLatin1(precario)));
                emit c->activated(c->currentIndex());
            }
            if (valor) {
                EXPECT_TRUE(controlo<Valor>(*d, "txtValor")->isVisibleTo(d));
                controlo<Valor>(*d, "txtValor")->setValor(Currency::fromString(QString::fromLatin1(valor)));
            }
            controlo<QPushButton>(*d, "cmdGravar")->click();
            if (d->isVisible()) {
                ADD_FAILURE() << "line refused: " << ui.ultimaMensagem().toStdString();
                d->reject();
            }
        });
        controlo<QPushButton>(janela, botao)->click();
    }
};

TEST_P(FrmNomenclaturaNaHoraTest, ReceitaComUmaMateriaEDoisAcabados) {
    FrmNomenclaturaNaHora f(ctx, ui);
    f.show();
    controlo<QPushButton>(f, "cmdAdicionar")->click();
    escrever(f, "txtCodigo", "soro");
    controlo<QLineEdit>(f, "txtDescricao")->setText("Queijo e soro");
    linha(f, "cmdAdicMP", "MP1", "100");
    linha(f, "cmdAdicPA", "PA1", "10", "PercCusto", "80");
    linha(f, "cmdAdicPA", "PA2", "50", "PercCusto", "20");
    EXPECT_EQ(f.logica().lvwProdutosAcabados.numLinhas(), 2);
    controlo<QPushButton>(f, "cmdGravar")->click();
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
    EXPECT_FALSE(f.logica().modoEdicao());
    EXPECT_EQ(f.logica().lvwLista.numLinhas(), 1);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM NomenclaturaInstantanea WHERE Codigo='SORO' AND TipoProduto='PA' AND "
                         "Precario='PercCusto'")
                  .toInt(),
              2);
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT Valor FROM NomenclaturaInstantanea WHERE Produto='PA1'")),
              Currency::fromString("80"));
}

// The recipe window and its line editor for the documentation (LUMO_CAPTURAS=1).
TEST_P(FrmNomenclaturaNaHoraTest, CapturasDaReceita) {
    if (!isSQLite())
        GTEST_SKIP() << "one picture is enough";
    FrmNomenclaturaNaHora f(ctx, ui);
    f.resize(900, 420);
    controlo<QPushButton>(f, "cmdAdicionar")->click();
    escrever(f, "txtCodigo", "QUEIJO");
    controlo<QLineEdit>(f, "txtDescricao")->setText("Queijo fresco e soro");
    linha(f, "cmdAdicMP", "MP1", "100");
    linha(f, "cmdAdicPA", "PA1", "10", "PercCusto", "80");
    linha(f, "cmdAdicPA", "PA2", "50", "PercCusto", "20");
    controlo<QTabWidget>(f, "tabLinhas")->setCurrentIndex(1);
    capturarJanela(f, QStringLiteral("frmNomenclaturaNaHora"));

    f.logica().lvwProdutosAcabados.lvw_SelectLinha(0);
    ASSERT_TRUE(f.logica().abrirLinha(u'A', TipoLinhaReceita::Acabado));
    FrmNomenclaturaNaHoraINS editor(f.logica().editor(), ctx, &f);
    editor.adjustSize();
    capturarJanela(editor, QStringLiteral("frmNomenclaturaNaHoraINS"));
    editor.reject();
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
}

LUMO_INSTANCIAR_MOTORES(FrmNomenclaturaNaHoraTest);

#include "production/ui/FrmMovProducao.h"
#include "controls/ui/Valor.h"
#include "lookups/ui/CampoCodigo.h"
#include "lookups/ui/ListaVista.h"
#include "stock/MovimentosStock.h"
#include "production/ui/FrmImpFolhaLote.h"
#include "db/AdminServidor.h"
#include "company/EmpresaDemo.h"
#include "company/Empresas.h"
#include "company/ParametrosGerais.h"
#include "support/EmpresaDemoTest.h"
#include "support/SemFalha.h"
#include "support/ui/Controlos.h"
#include "support/Saldos.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>

// A whole production on the demo company, through the window.
class FrmMovProducaoTest : public EmpresaDemoAbertaTest {
protected:
    void SetUp() override {
        EmpresaDemoAbertaTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        demo.LoginUtilizador = "Supervisor";
        demo.NomePosto = "POSTO1";
    }
    void codigo(QWidget& w, const char* campo, const QString& valor) {
        auto* c = controlo<CampoCodigo>(w, campo);
        c->setCodigo(valor);
        EXPECT_TRUE(c->txtCodigo_LostFocus()) << campo << " " << ui.ultimaMensagem().toStdString();
    }
    Currency saldo(const char* produto, const char* armazem, const char* lote = nullptr) {
        return saldoArmazem(demo.bd(), produto, armazem, lote);
    }

};

TEST_P(FrmMovProducaoTest, ProducaoCompletaNaEmpresaDemo) {
    const Currency pinhoAntes = saldo("MP001", "001");
    const Currency oleoAntes = saldo("MP007", "003", "OL-2512");
    FrmMovProducao f(demo, ui);
    controlo<QPushButton>(f, "cmdAltQtyNmc")->setEnabled(false); // as the access rights do before showing
    f.show();
    const QString lote = controlo<QLineEdit>(f, "txtLote")->text();
    ASSERT_EQ(lote.size(), 10);

    codigo(f, "cpProdutoAcabado", "PA003");
    controlo<Valor>(f, "txtQuantidade")->setValor(Currency::fromString("2"));
    codigo(f, "cpArmazem", "002");
    controlo<QPushButton>(f, "cmdCarregar")->click();
    ASSERT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
    MovProducao& m = f.logica();
    ASSERT_EQ(m.lvwListaNomec.numLinhas(), 4);
    EXPECT_FALSE(controlo<QGroupBox>(f, "fraCabecalho")->isEnabled());
    EXPECT_FALSE(controlo<QPushButton>(f, "cmdAltQtyNmc")->isEnabled());
    EXPECT_TRUE(controlo<QPushButton>(f, "cmdAltQtyProd")->isEnabled());

    // The oil is lot-managed: executing without its lot is refused on its line.
    controlo<QPushButton>(f, "cmdExecutarLote")->click();
    ASSERT_FALSE(ui.mensagens.empty());
    EXPECT_TRUE(ui.ultimaMensagem().startsWith("Não definiu o LOTE no produto MP007"));
    const int oleo = m.linhaActual();
    ASSERT_GE(oleo, 0);
    EXPECT_EQ(m.lvwListaNomec.texto(oleo, 1), "MP007");

    // The lot window opens on the newest lot (LIFO) and it is chosen.
    bool janelaVista = false;
    QTimer::singleShot(0, &f, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        janelaVista = true;
        modal->findChild<QPushButton*>("cmdSeleccionar")->click();
    });
    controlo<QPushButton>(f, "cmdLoteProduto")->click();
    ASSERT_TRUE(janelaVista);
    EXPECT_EQ(m.lvwListaNomec.texto(oleo, 9), "OL-2512");

    const size_t avisos = ui.mensagens.size();
    controlo<QPushButton>(f, "cmdExecutarLote")->click();
    ASSERT_EQ(ui.mensagens.size(), avisos) << ui.ultimaMensagem().toStdString();
    ASSERT_TRUE(controlo<QGroupBox>(f, "fraExecucao")->isVisible());
    EXPECT_EQ(controlo<QGroupBox>(f, "fraExecucao")->title(), "Execução do Lote para o produto PA003");
    EXPECT_FALSE(controlo<QLabel>(f, "lblCustoUnitario")->text().isEmpty());
    EXPECT_EQ(m.lvwInsuficientes.numLinhas(), 0);

    ui.responder(2);     // "Encerra definitivamente"
    ui.responder(false); // no sheet now
    controlo<QPushButton>(f, "cmdProcessar")->click();
    ASSERT_EQ(ui.mensagens.size(), avisos) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(ui.perguntas.back(), "Confirma a Impressão de Doc. Conferência");

    // Stock and lot record.
    Database& db = demo.bd();
    EXPECT_EQ(saldo("PA003", "002"), Currency::fromString("2"));
    EXPECT_EQ(saldo("MP001", "001"), pinhoAntes - Currency::fromString("18"));
    EXPECT_EQ(saldo("MP007", "003", "OL-2512"), oleoAntes - Currency::fromString("1"));
    const auto r =
        db.primeiraLinha("SELECT Produto, quantidade, Fechado, custoTotal FROM Lotes WHERE Lote=?", {lote});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->at(0).toString(), "PA003");
    EXPECT_EQ(Currency::fromVariant(r->at(1)), Currency::fromString("2"));
    EXPECT_EQ(r->at(2).toInt(), 1);
    EXPECT_GT(Currency::fromVariant(r->at(3)), Currency());
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM MovProduto m INNER JOIN Lotes l ON l.tipoSaida=m.Tipo AND "
                        "l.NumeroSaida=m.Numero WHERE l.Lote=? AND m.AfectaStk='S+'",
                        {lote})
                  .toInt(),
              4);

    // The form is ready for the next lot.
    EXPECT_TRUE(controlo<QGroupBox>(f, "fraCabecalho")->isEnabled());
    EXPECT_NE(controlo<QLineEdit>(f, "txtLote")->text(), lote);
    EXPECT_EQ(m.lvwListaNomec.numLinhas(), 0);

    // The closed lot's sheet opens in the preview; an unknown lot is refused.
    FrmImpFolhaLote folha(demo, ui);
    folha.show();
    auto* cp = controlo<CampoCodigo>(folha, "cpLote");
    cp->setCodigo("999999");
    EXPECT_FALSE(cp->txtCodigo_LostFocus());
    cp->setCodigo(lote);
    ASSERT_TRUE(cp->txtCodigo_LostFocus()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(controlo<QLabel>(folha, "lblProduto")->text().left(5), "PA003");
    EXPECT_TRUE(controlo<QLabel>(folha, "lblSaida")->text().startsWith("SPR  nº "));
    ui.responder(1); // "Para o Ecran"
    controlo<QPushButton>(folha, "cmdImprimir")->click();
    ASSERT_NE(folha.visualizacao(), nullptr);
    folha.visualizacao()->close();
}

// With the execution panel open, a window of 1024 x 768 still shows eight lines of a long bill:
// the panel shares the height with the list instead of squeezing it.
TEST_P(FrmMovProducaoTest, PainelDeExecucaoDeixaVerANomenclatura) {
    // The cabinet without its varnish (lot-managed) and with five more parts: ten lines.
    ASSERT_TRUE(demo.bd().exec("DELETE FROM Nomenclatura WHERE ProdutoAcabado=? AND ProdutoPrima=?",
                               {QStringLiteral("PA004"), QStringLiteral("MP006")}));
    for (const char* mp : {"MP001", "MP002", "MP009", "MP010", "MP012"})
        ASSERT_GT(demo.bd().insert("Nomenclatura",
                                   Registo()("ProdutoAcabado", "PA004")("DescProdutoAcabado", "Cómoda")(
                                       "ProdutoPrima", mp)("descprodutoprima", mp)("quantidade", "1")("preco", "0")(
                                       "Armazem", "001")("observa", "")("Fixa", 0)("CtrlQuantidades", 0)(
                                       "precario", "PrecoMedioCusto")("Factor", "0")("FactorFormula", "A")(
                                       "ProdutoAcabadoPreco", "0")),
                  0);
    FrmMovProducao f(demo, ui);
    f.resize(1024, 768);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    codigo(f, "cpProdutoAcabado", "PA004");
    controlo<Valor>(f, "txtQuantidade")->setValor(Currency::fromString("1"));
    codigo(f, "cpArmazem", "002");
    controlo<QPushButton>(f, "cmdCarregar")->click();
    ASSERT_EQ(f.logica().lvwListaNomec.numLinhas(), 10) << ui.ultimaMensagem().toStdString();
    // Some parts are short: the panel lists them under the bill.
    controlo<QPushButton>(f, "cmdExecutarLote")->click();
    ASSERT_TRUE(controlo<QGroupBox>(f, "fraExecucao")->isVisible()) << ui.ultimaMensagem().toStdString();
    EXPECT_GT(f.logica().lvwInsuficientes.numLinhas(), 0);
    QCoreApplication::processEvents();
    ASSERT_EQ(f.size(), QSize(1024, 768));

    auto* lista = controlo<ListaVista>(f, "lvwListaNomec");
    int coluna = 0;
    while (coluna < lista->model()->columnCount() && lista->isColumnHidden(coluna))
        ++coluna;
    const QRect area = lista->viewport()->rect();
    int visiveis = 0;
    for (int r = 0; r < lista->model()->rowCount(); ++r) {
        const QRect linha = lista->visualRect(lista->model()->index(r, coluna));
        if (linha.height() > 0 && linha.top() >= area.top() && linha.bottom() <= area.bottom())
            ++visiveis;
    }
    EXPECT_GE(visiveis, 8) << "área da lista: " << area.height() << " px";
    // The shortages list keeps room of its own.
    EXPECT_GE(controlo<ListaVista>(f, "lvwInsuficientes")->viewport()->height(), 40);
}

LUMO_INSTANCIAR_MOTORES(FrmMovProducaoTest);

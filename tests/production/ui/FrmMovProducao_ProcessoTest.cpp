#include "controls/ui/EDatas.h"
#include "controls/ui/Valor.h"
#include "lookups/ui/CampoCodigo.h"
#include "lookups/ui/ListaVista.h"
#include "production/ProducaoTeste.h"
#include "production/ui/FrmMovProducao_Processo.h"
#include "support/DbTest.h"
#include "support/Saldos.h"
#include "support/ui/Capturas.h"
#include "support/ui/Controlos.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using producao_teste::C;

// A process made in its header window, two materials taken into it in the movements window, its
// analysis, and the list that shows it: the windows driven as a user would.
class FrmMovProducao_ProcessoTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        producao_teste::criarEmpresaProducao(ctx);
        if (HasFatalFailure())
            return;
        ctx.armazem = QStringLiteral("001");
        ASSERT_TRUE(db->exec("UPDATE configProd SET Processo_TipoSaida='SPR', Processo_TipoRet='DPR'"));
    }
    void codigo(QWidget& w, const char* campo, const QString& valor) {
        auto* c = controlo<CampoCodigo>(w, campo);
        ASSERT_TRUE(c);
        c->setCodigo(valor);
        EXPECT_TRUE(c->txtCodigo_LostFocus()) << campo << " " << ui.ultimaMensagem().toStdString();
    }
    void lancar(QWidget& w, const char* produto, const char* quant) {
        codigo(w, "cpProduto", QString::fromLatin1(produto));
        controlo<Valor>(w, "txtQuantidade")->setValor(C(quant));
        controlo<QLineEdit>(w, "txtLocalizacao")->setText(QStringLiteral("00001"));
        const size_t antes = ui.mensagens.size();
        controlo<QPushButton>(w, "cmdLancar")->click();
        EXPECT_EQ(ui.mensagens.size(), antes) << produto << ": " << ui.ultimaMensagem().toStdString();
    }
};

TEST_P(FrmMovProducao_ProcessoTest, ProcessoCriadoComDoisMovimentosEAnalisado) {
    // Header: the next code, a description, saved.
    FrmMovProducao_Processo_INS ins(ctx, ui);
    ASSERT_TRUE(ins.abrir(u'N'));
    EXPECT_FALSE(controlo<QPushButton>(ins, "cmdReabrir")->isVisibleTo(&ins)) << "only a closed process reopens";
    controlo<QPushButton>(ins, "cmdProximo")->click();
    const QString processo = controlo<QLineEdit>(ins, "txtProcesso")->text();
    ASSERT_FALSE(processo.isEmpty());
    controlo<QLineEdit>(ins, "txtDescricao")->setText(QStringLiteral("Mesa de carvalho"));
    if (isSQLite())
        capturarJanela(ins, QStringLiteral("frmMovProducao_Processo_INS"));
    controlo<QPushButton>(ins, "cmdGravar")->click();
    ASSERT_EQ(ins.result(), QDialog::Accepted) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(db->scalar("SELECT Descricao FROM Prod_Processos WHERE Processo=?", {processo}).toString(),
              "Mesa de carvalho");

    // Movements: two raw materials taken out at their average cost.
    FrmMovProducao_Processo_MOV mov(ctx, ui);
    ASSERT_TRUE(mov.abrir(processo));
    mov.show();
    EXPECT_TRUE(controlo<QGroupBox>(mov, "fraLancamento")->isVisible());
    EXPECT_TRUE(controlo<QLabel>(mov, "lblEstado")->text().isEmpty());
    controlo<EDatas>(mov, "txtData")->setDataSys(QDate(2026, 2, 10));
    lancar(mov, "MP1", "10");
    lancar(mov, "MP2", "4");
    ASSERT_EQ(mov.logica().lvwLista.numLinhas(), 2);
    EXPECT_TRUE(controlo<CampoCodigo>(mov, "cpProduto")->codigo().isEmpty()) << "the entry is cleared";
    EXPECT_EQ(controlo<EDatas>(mov, "txtData")->DataSys(), QDate(2026, 2, 10));
    EXPECT_EQ(saldoArmazem(*db, "MP1"), C("90"));
    EXPECT_EQ(saldoArmazem(*db, "MP2"), C("46"));
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT SUM(ValorIliq) FROM Prod_ProcessosMov WHERE Processo=?", {processo})),
              C("22")) << "10 × 2 + 4 × 0.5";
    if (isSQLite())
        capturarJanela(mov, QStringLiteral("frmMovProducao_Processo_MOV"));

    // Analysis: a slice chosen shows its share.
    FrmMovProducao_Processo_ANAL anal(ctx, ui);
    ASSERT_TRUE(anal.abrir(processo));
    anal.show();
    anal.seleccionarPonto(0);
    EXPECT_EQ(controlo<QLabel>(anal, "lblSeleccionado")->text(),
              "Produto seleccionado: MP1   Quantidade: 10,0000   Peso: 71,43 %   Valor: 20,00");
    controlo<QRadioButton>(anal, "optValor")->click();
    EXPECT_EQ(anal.logica().modo(), MovProducao_Processo_ANAL::Modo::Valor);
    EXPECT_TRUE(controlo<QLabel>(anal, "lblSeleccionado")->text().contains("Peso: 90,91 %"))
        << controlo<QLabel>(anal, "lblSeleccionado")->text().toStdString();
    if (isSQLite())
        capturarJanela(anal, QStringLiteral("frmMovProducao_Processo_ANAL"));

    // The list opens on the processes in progress since the first of this month.
    FrmMovProducao_Processo lista(ctx, ui);
    ASSERT_EQ(lista.logica().lvwLista.numLinhas(), 1);
    EXPECT_EQ(lista.logica().lvwLista.texto(0, 1), processo);
    for (const char* b : {"cmdAdicionar", "cmdAlterar", "cmdEliminar", "cmdMovimentos", "cmdAnalise"})
        EXPECT_TRUE(controlo<QPushButton>(lista, b)) << b;
    if (isSQLite())
        capturarJanela(lista, QStringLiteral("frmMovProducao_Processo"));
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(ui.respostasEsgotadas());
}

TEST_P(FrmMovProducao_ProcessoTest, ProcessoEncerradoEscondeOLancamento) {
    ProcessoProducao p;
    p.processo = QStringLiteral("P1");
    p.descricao = QStringLiteral("Mesa");
    p.dataInicio = QStringLiteral("2026-02-01");
    ASSERT_TRUE(GravarProcesso(ctx, p, true));
    ASSERT_TRUE(db->exec("UPDATE Prod_Processos SET DataEncerramento='2026-03-01', TipoEncerramento='EPR', "
                         "NumeroEncerramento='00000007' WHERE Processo='P1'"));
    FrmMovProducao_Processo_MOV mov(ctx, ui);
    ASSERT_TRUE(mov.abrir(QStringLiteral("P1")));
    mov.show();
    EXPECT_EQ(controlo<QLabel>(mov, "lblEstado")->text(), "PROCESSO ENCERRADO");
    EXPECT_FALSE(controlo<QGroupBox>(mov, "fraLancamento")->isVisible());
    EXPECT_FALSE(controlo<QPushButton>(mov, "cmdLancar")->isEnabled());
    EXPECT_FALSE(controlo<QPushButton>(mov, "cmdEliminar")->isEnabled());
    EXPECT_FALSE(controlo<QPushButton>(mov, "cmdAlterar")->isEnabled());
}

LUMO_INSTANCIAR_MOTORES(FrmMovProducao_ProcessoTest);

#include "controls/ui/Valor.h"
#include "production/ProducaoTeste.h"
#include "production/ProcessoProducao.h"
#include "production/ui/FrmMovProducaoNaHora.h"
#include "support/DbTest.h"
#include "support/ui/Capturas.h"
#include "support/ui/Controlos.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using producao_teste::C;

// The instant production window driven as a user would: both line editors are modal dialogs.
class FrmMovProducaoNaHoraTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        producao_teste::criarEmpresaProducao(ctx);
        ctx.armazem = QStringLiteral("001");
    }
    void escrever(QWidget& w, const char* nome, const QString& texto) {
        auto* e = controlo<QLineEdit>(w, nome);
        e->setText(texto);
        emit e->editingFinished();
    }
    // Opens a line editor with the button and fills it once it shows.
    void linha(QWidget& janela, const char* botao, const char* produto, const char* quant, const char* perc = nullptr) {
        QTimer::singleShot(0, &janela, [&, produto, quant, perc] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!d) {
                ADD_FAILURE() << "the line editor did not open";
                return;
            }
            escrever(*d, "txtProduto", QString::fromLatin1(produto));
            controlo<Valor>(*d, "txtQuantidade")->setValor(C(quant));
            if (perc)
                controlo<Valor>(*d, "txtPercCusto")->setValor(C(perc));
            if (isSQLite())
                capturarJanela(*d, d->objectName());
            controlo<QPushButton>(*d, "cmdGravar")->click();
            if (d->isVisible()) {
                ADD_FAILURE() << "line refused: " << ui.ultimaMensagem().toStdString();
                d->reject();
            }
        });
        controlo<QPushButton>(janela, botao)->click();
    }
};

TEST_P(FrmMovProducaoNaHoraTest, MateriaEAcabadoProcessados) {
    FrmMovProducaoNaHora f(ctx, ui);
    f.show();
    linha(f, "cmdAdicionarMP", "MP1", "10");
    linha(f, "cmdAdicionarPA", "PA", "5", "100");
    ASSERT_EQ(f.logica().lvwProdutoAcabdo.numLinhas(), 1);
    EXPECT_EQ(f.logica().documento().acabados[0].valCusto, C("20"));
    if (isSQLite())
        capturarJanela(f, QStringLiteral("frmMovProducaoNaHora"));
    ui.responder(1); // "Confirma o Processamento?" "&Sim"
    ui.responder(0); // "Imprimir Relatório?" "&Não"
    controlo<QPushButton>(f, "cmdProcessar")->click();
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(f.logica().lvwProdutoAcabdo.numLinhas(), 0);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM LoteInstantaneo").toInt(), 2);
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT Preco FROM MovProduto WHERE Codigo='PA' AND AfectaStk='E+'")),
              C("4"));
    EXPECT_TRUE(ui.respostasEsgotadas());
}

// A process with two movements closed by a run: its movements are the raw materials, which cannot
// be edited, and processing closes it without issuing them again.
TEST_P(FrmMovProducaoNaHoraTest, ProcessoFechadoPorUmaProducao) {
    ASSERT_TRUE(db->insert("TabTipoMov", Registo()("Codigo", "SPP")("Descricao", "SPP")("UltNumero", "00000000")(
                                             "IncrementaMes", 0)("ControloHash", 0)("Modulo", "ST")("AfectaStk", "S+")) > 0);
    ASSERT_TRUE(db->exec("UPDATE configProd SET Processo_TipoSaida='SPP', Processo_TipoRet='SPR'"));
    ProcessoProducao p;
    p.processo = QStringLiteral("P1");
    ASSERT_TRUE(GravarProcesso(ctx, p, true));
    for (const char* q : {"3", "2"}) {
        MovimentoProcesso m;
        m.processo = QStringLiteral("P1");
        m.data = QStringLiteral("2026-03-02");
        m.produto = QStringLiteral("MP1");
        m.armazem = QStringLiteral("001");
        m.localizacao = QStringLiteral("00001");
        m.quantidade = C(q);
        m.preco = C("2");
        const auto r = LancaMovimentoProcesso(ctx, m);
        ASSERT_TRUE(r) << r.mensagem().toStdString();
    }
    FrmMovProducaoNaHora f(ctx, ui);
    f.show();
    ASSERT_TRUE(f.logica().integrarProcesso(QStringLiteral("P1"), false));
    EXPECT_EQ(f.logica().lvwMateriaPrima.numLinhas(), 2);
    linha(f, "cmdAdicionarPA", "PA", "5", "100");
    EXPECT_EQ(f.logica().documento().acabados[0].valCusto, C("10"));
    ui.responder(1); // "Confirma o Processamento?" "&Sim"
    ui.responder(0); // "Imprimir Relatório?" "&Não"
    controlo<QPushButton>(f, "cmdProcessar")->click();
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(LerProcesso(*db, "P1")->value().encerrado());
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM MovProduto WHERE Codigo='MP1' AND AfectaStk='S+'").toInt(), 2)
        << "the process movements were not issued again";
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Prod_ProcessosProc WHERE Processo='P1'").toInt(), 1);
    EXPECT_TRUE(ui.respostasEsgotadas());
}

LUMO_INSTANCIAR_MOTORES(FrmMovProducaoNaHoraTest);

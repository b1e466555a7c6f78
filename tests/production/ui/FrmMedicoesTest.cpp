#include "production/ui/FrmMedicoes.h"
#include "controls/ui/Valor.h"
#include "lookups/ui/CampoCodigo.h"
#include "lookups/ui/ListaVista.h"
#include "production/Medicoes.h"
#include "production/ProducaoTeste.h"
#include "production/ui/FrmExistProArmLote.h"
#include "session/Acessos.h"
#include "shell/ui/WMenu.h"
#include "support/DbTest.h"
#include "support/Saldos.h"
#include "support/ui/Capturas.h"
#include "support/ui/Controlos.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

namespace {

using producao_teste::C;

// The confirmations are "&Não" / "&Sim" boxes.
constexpr int Nao = 0, Sim = 1;

} // namespace

// The made-to-measure windows driven as a user would, on both engines.
class FrmMedicoesTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        producao_teste::criarEmpresaProducao(ctx);
        if (HasFatalFailure())
            return;
        ASSERT_GT(
            db->insert("Produtos",
                       Registo()("Codigo", "PORTA")("Descricao", QString::fromUtf8("Porta à medida"))(
                           "ctrlexistencia", "1")("Lote", 0)("UnidadeVenda", "UN")("UnidadeCompra", "UN")(
                           "actualizapreco", "0")("servico", "0")("portes", "0")("Medic", "1")),
            0);
    }

    // A code typed and the box left.
    bool codigo(QWidget& janela, const char* nome, const QString& texto) {
        auto* c = controlo<CampoCodigo>(janela, nome);
        if (!c)
            return false;
        c->setCodigo(texto);
        return c->txtCodigo_LostFocus();
    }
    void valor(QWidget& janela, const char* nome, const char* texto) {
        if (auto* v = controlo<Valor>(janela, nome))
            v->setValor(C(texto));
    }
    QPushButton* botao(QWidget& janela, const char* nome) { return controlo<QPushButton>(janela, nome); }

    // PORTA, base 3000 x 2000 into 002: MP1 follows the height (2 per unit, measure 3), MP2 is fixed
    // (1 per unit, measure 4) and, when asked, MPL (kept by lot) follows the width (1, measure 2).
    void gravarPorta(bool comLote = false) {
        TemplateMedicoes t;
        t.produtoAcabado = QStringLiteral("PORTA");
        t.altura = C("3000");
        t.largura = C("2000");
        t.armazemEntrada = QStringLiteral("002");
        t.linhas = {{QStringLiteral("MP1"), {}, C("2"), QStringLiteral("A"), C("3"), QStringLiteral("001")},
                    {QStringLiteral("MP2"), {}, C("1"), QStringLiteral("F"), C("4"), QStringLiteral("001")}};
        if (comLote)
            t.linhas.push_back(
                {QStringLiteral("MPL"), {}, C("1"), QStringLiteral("L"), C("2"), QStringLiteral("001")});
        const auto r = GravarTemplateMedicoes(ctx, t, true);
        ASSERT_TRUE(r) << r.mensagem().toStdString();
    }

    // The raw-material window `abrir` opens, filled once it shows and confirmed.
    void linha(QWidget& janela, const char* abrir, const char* produto, const char* quant, const char* tipo,
               const char* medida) {
        QTimer::singleShot(0, &janela, [=, this] {
            auto* d = qobject_cast<FrmMedicoesTemplateInsProdutos*>(QApplication::activeModalWidget());
            if (!d) {
                ADD_FAILURE() << "the line window did not open";
                return;
            }
            EXPECT_TRUE(codigo(*d, "cpProduto", QString::fromLatin1(produto)))
                << ui.ultimaMensagem().toStdString();
            valor(*d, "txtQuantidade", quant);
            controlo<QRadioButton>(*d, (std::string("optMedicoes") + tipo).c_str())->setChecked(true);
            valor(*d, "txtMedida", medida);
            EXPECT_TRUE(codigo(*d, "cpArmazem", QStringLiteral("001")));
            botao(*d, "cmdOK")->click();
            if (d->isVisible()) {
                ADD_FAILURE() << "line refused: " << ui.ultimaMensagem().toStdString();
                d->reject();
            }
        });
        botao(janela, abrir)->click();
    }
};

TEST_P(FrmMedicoesTest, ModeloFeitoNasJanelasFicaGravadoENaLista) {
    FrmMedicoesTemplateIns ins(ctx, ui);
    ASSERT_TRUE(ins.abrir(u'N'));
    EXPECT_TRUE(controlo<QLineEdit>(ins, "txtProduto")->isEnabled());

    // The line window refuses a line without product and stays open.
    QTimer::singleShot(0, &ins, [&] {
        auto* d = qobject_cast<FrmMedicoesTemplateInsProdutos*>(QApplication::activeModalWidget());
        if (!d) {
            ADD_FAILURE() << "the line window did not open";
            return;
        }
        EXPECT_TRUE(controlo<QRadioButton>(*d, "optMedicoesA")->isChecked())
            << "a new line follows the height";
        valor(*d, "txtQuantidade", "1");
        valor(*d, "txtMedida", "1");
        botao(*d, "cmdOK")->click();
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Não definiu o Produto!"));
        botao(*d, "cmdCancelar")->click();
    });
    botao(ins, "cmdAdicionar")->click();
    EXPECT_TRUE(ins.logica().linhas().empty());

    // Neither does the template save without one.
    ui.mensagens.clear();
    botao(ins, "cmdGravar")->click();
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Não definiu o Produto!"));
    EXPECT_FALSE(ins.gravado());
    ui.mensagens.clear();

    EXPECT_TRUE(codigo(ins, "cpProduto", "PORTA"));
    EXPECT_EQ(controlo<QLabel>(ins, "lblProduto")->text(), QStringLiteral("Porta à medida"));
    valor(ins, "txtAltura", "3000");
    valor(ins, "txtLargura", "2000");
    EXPECT_TRUE(codigo(ins, "cpArmazem", "002"));
    linha(ins, "cmdAdicionar", "MP1", "2", "A", "3");
    linha(ins, "cmdAdicionar", "MP2", "1", "F", "4");
    ASSERT_EQ(ins.logica().lvwLista.numLinhas(), 2);
    EXPECT_EQ(ins.logica().lvwLista.lvw_GetValue(1, "TipoMedida"), QStringLiteral("Fixo"));

    // A change opens the line with its values and puts the result in its place.
    ins.logica().lvwLista.lvw_SelectLinha(0);
    QTimer::singleShot(0, &ins, [&] {
        auto* d = qobject_cast<FrmMedicoesTemplateInsProdutos*>(QApplication::activeModalWidget());
        if (!d) {
            ADD_FAILURE() << "the line window did not open";
            return;
        }
        EXPECT_EQ(controlo<QLineEdit>(*d, "txtProduto")->text(), QStringLiteral("MP1"));
        EXPECT_TRUE(controlo<QRadioButton>(*d, "optMedicoesA")->isChecked());
        EXPECT_EQ(controlo<Valor>(*d, "txtMedida")->valor(), C("3"));
        valor(*d, "txtQuantidade", "2.5");
        botao(*d, "cmdOK")->click();
        if (d->isVisible()) {
            ADD_FAILURE() << "line refused: " << ui.ultimaMensagem().toStdString();
            d->reject();
        }
    });
    botao(ins, "cmdAlterar")->click();
    ASSERT_EQ(ins.logica().linhas().size(), 2u);
    EXPECT_EQ(ins.logica().linhas()[0].quantidade, C("2.5"));
    if (isSQLite())
        capturarJanela(ins, QStringLiteral("frmMedicoesTemplateIns"));

    botao(ins, "cmdGravar")->click();
    ASSERT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(ins.gravado());
    EXPECT_FALSE(controlo<QLineEdit>(ins, "txtProduto")->isEnabled())
        << "saved, it is a change of the product";
    const auto mp1 =
        db->primeiraLinha("SELECT Quantidade, TipoMedida, Medida, Altura, Largura, ArmazemEntrada, "
                          "ArmazemSaida FROM NomenclaturaMedicoes WHERE ProdutoAcabado='PORTA' AND "
                          "ProdutoMPrima='MP1'");
    ASSERT_TRUE(mp1);
    EXPECT_EQ(Currency::fromVariant(mp1->at(0)), C("2.5"));
    EXPECT_EQ(mp1->at(1).toString().trimmed(), "A");
    EXPECT_EQ(Currency::fromVariant(mp1->at(2)), C("3"));
    EXPECT_EQ(Currency::fromVariant(mp1->at(3)), C("3000"));
    EXPECT_EQ(Currency::fromVariant(mp1->at(4)), C("2000"));
    EXPECT_EQ(mp1->at(5).toString().trimmed(), "002");
    EXPECT_EQ(mp1->at(6).toString().trimmed(), "001");
    EXPECT_EQ(
        db->scalar("SELECT COUNT(*) FROM NomenclaturaMedicoes WHERE ProdutoMPrima='MP2' AND TipoMedida='F' "
                   "AND Medida=4")
            .toInt(),
        1);

    FrmMedicoesTemplate lista(ctx, ui);
    EXPECT_EQ(controlo<QLabel>(lista, "lblProduto")->text(), QStringLiteral("Todos"));
    ASSERT_EQ(lista.logica().lvwLista.numLinhas(), 1);
    EXPECT_EQ(lista.logica().lvwLista.lvw_GetValue(0, "Produto"), QStringLiteral("PORTA"));
    EXPECT_EQ(lista.logica().lvwLista.valorNumero(0, "VALORQAltura"), C("3000"));
    EXPECT_EQ(lista.logica().lvwLista.valorNumero(0, "VALORQLargura"), C("2000"));
    if (isSQLite())
        capturarJanela(lista, QStringLiteral("frmMedicoesTemplate"));
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
}

TEST_P(FrmMedicoesTest, ListaFiltraAlteraEElimina) {
    gravarPorta();
    TemplateMedicoes pa;
    pa.produtoAcabado = QStringLiteral("PA");
    pa.altura = pa.largura = C("100");
    pa.linhas = {{QStringLiteral("MP1"), {}, C("1"), QStringLiteral("F"), C("1"), QStringLiteral("001")}};
    ASSERT_TRUE(GravarTemplateMedicoes(ctx, pa, true));

    FrmMedicoesTemplate lista(ctx, ui);
    ASSERT_EQ(lista.logica().lvwLista.numLinhas(), 2);
    EXPECT_TRUE(codigo(lista, "cpProduto", "PORTA"));
    ASSERT_EQ(lista.logica().lvwLista.numLinhas(), 1);
    EXPECT_EQ(lista.logica().lvwLista.lvw_GetValue(0, "Produto"), QStringLiteral("PORTA"));

    // A change keeps the product and the list shows the new base once the window closes.
    lista.logica().lvwLista.lvw_SelectLinha(0);
    QTimer::singleShot(0, &lista, [&] {
        auto* d = qobject_cast<FrmMedicoesTemplateIns*>(QApplication::activeModalWidget());
        if (!d) {
            ADD_FAILURE() << "the template window did not open";
            return;
        }
        EXPECT_EQ(d->logica().modo(), u'A');
        EXPECT_FALSE(controlo<QLineEdit>(*d, "txtProduto")->isEnabled());
        EXPECT_EQ(controlo<QLineEdit>(*d, "txtProduto")->text(), QStringLiteral("PORTA"));
        EXPECT_EQ(d->logica().lvwLista.numLinhas(), 2);
        valor(*d, "txtAltura", "2500");
        botao(*d, "cmdGravar")->click();
        EXPECT_TRUE(d->gravado()) << ui.ultimaMensagem().toStdString();
        botao(*d, "cmdSair")->click();
    });
    botao(lista, "cmdAlterar")->click();
    ASSERT_EQ(lista.logica().lvwLista.numLinhas(), 1);
    EXPECT_EQ(lista.logica().lvwLista.valorNumero(0, "VALORQAltura"), C("2500"));
    EXPECT_EQ(
        db->scalar("SELECT COUNT(*) FROM NomenclaturaMedicoes WHERE ProdutoAcabado='PORTA' AND Altura=2500")
            .toInt(),
        2);

    // Answered no, nothing goes; yes, every row of the product and only those.
    lista.logica().lvwLista.lvw_SelectLinha(0);
    ui.responder(Nao);
    botao(lista, "cmdEliminar")->click();
    EXPECT_EQ(ui.perguntas.back(), QStringLiteral("Confirma a Eliminação?"));
    EXPECT_EQ(lista.logica().lvwLista.numLinhas(), 1);
    ui.responder(Sim);
    botao(lista, "cmdEliminar")->click();
    EXPECT_EQ(lista.logica().lvwLista.numLinhas(), 0);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM NomenclaturaMedicoes WHERE ProdutoAcabado='PORTA'").toInt(),
              0);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM NomenclaturaMedicoes WHERE ProdutoAcabado='PA'").toInt(), 1);

    // Back to every product.
    EXPECT_TRUE(codigo(lista, "cpProduto", ""));
    EXPECT_EQ(controlo<QLabel>(lista, "lblProduto")->text(), QStringLiteral("Todos"));
    EXPECT_EQ(lista.logica().lvwLista.numLinhas(), 1);
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(ui.respostasEsgotadas());
}

TEST_P(FrmMedicoesTest, CalculoEIntegracaoNumLoteFechado) {
    // MPL's lot L1 dated, as the lot window lists only dated lots.
    ASSERT_GT(db->insert("TabLotes", Registo()("Produto", "MPL")("Codigo", "L1")("DataFabrico", "2026-01-01")(
                                         "DataValidade", "2026-12-31")),
              0);
    ASSERT_TRUE(db->exec(
        "UPDATE MovProduto SET DataFabrico='2026-01-01', DataValidade='2026-12-31' WHERE Lote='L1'"));
    ASSERT_TRUE(db->exec("UPDATE Produtos SET ControlaDataValidade_Fabrico=1 WHERE Codigo='MPL'"));
    gravarPorta(true);
    FrmMedicoesCalculos lista(ctx, ui);
    EXPECT_FALSE(lista.findChild<QPushButton*>(QStringLiteral("cmdEliminar")))
        << "the calculations delete nothing";
    ASSERT_EQ(lista.logica().lvwLista.numLinhas(), 1);
    lista.logica().lvwLista.lvw_SelectLinha(0);
    botao(lista, "cmdSeleccionar")->click();
    auto* calc = lista.findChild<FrmMedicoesCalculosMedidas*>();
    ASSERT_TRUE(calc);
    auto& janela = *calc;
    EXPECT_EQ(controlo<QLabel>(janela, "lblProduto")->text(), QStringLiteral("PORTA"));
    EXPECT_EQ(controlo<QLabel>(janela, "lblDescricao")->text(), QStringLiteral("Porta à medida"));
    EXPECT_EQ(controlo<Valor>(janela, "txtAlturaBase")->valor(), C("3000"));
    EXPECT_EQ(controlo<Valor>(janela, "txtLarguraBase")->valor(), C("2000"));
    EXPECT_EQ(controlo<QLineEdit>(janela, "txtArmazem")->text(), QStringLiteral("002"));

    // A height of 0 is refused and nothing is listed.
    valor(janela, "txtAltura", "0");
    botao(janela, "cmdCalcular")->click();
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("A Nova Altura tem de ser maior que zero!"));
    EXPECT_EQ(janela.logica().lvwLista.numLinhas(), 0);
    ui.mensagens.clear();

    // 1000 of 3000: the ratio is kept to 0,3333 before it scales a measure.
    valor(janela, "txtAltura", "1000");
    valor(janela, "txtLargura", "2000");
    valor(janela, "txtQuantidade", "2");
    botao(janela, "cmdCalcular")->click();
    ASSERT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
    const ListaDados& l = janela.logica().lvwLista;
    ASSERT_EQ(l.numLinhas(), 3);
    EXPECT_EQ(l.lvw_GetValue(0, "Produto"), QStringLiteral("MP1"));
    EXPECT_EQ(l.lvw_GetValue(0, "VALORQNovaMedida"), QStringLiteral("0,9999"));
    EXPECT_EQ(l.valorNumero(0, "VALORQQuantidade"), C("4"));
    EXPECT_EQ(l.valorNumero(1, "VALORQNovaMedida"), C("4")) << "a fixed measure never scales";
    EXPECT_EQ(l.valorNumero(2, "VALORQNovaMedida"), C("2")) << "the width did not change";
    ASSERT_TRUE(janela.logica().calculo());
    EXPECT_EQ(janela.logica().calculo()->linhas[0].quantidadeSaida, C("3.9996"));
    if (isSQLite())
        capturarJanela(janela, QStringLiteral("frmMedicoesCalculosMedidas"));

    // The print window shows what was calculated and previews the sale values.
    QTimer::singleShot(0, &janela, [&] {
        auto* d = qobject_cast<FrmMedicoesCalculosMedidasIMP*>(QApplication::activeModalWidget());
        if (!d) {
            ADD_FAILURE() << "the print window did not open";
            return;
        }
        EXPECT_EQ(controlo<QLabel>(*d, "lblProduto")->text(), QStringLiteral("PORTA - Porta à medida"));
        EXPECT_EQ(controlo<QLabel>(*d, "lblAltura")->text(), QStringLiteral("1.000,0000"));
        EXPECT_EQ(controlo<QLabel>(*d, "lblQuantidade")->text(), QStringLiteral("2,0000"));
        ui.responder(1);
        botao(*d, "cmdImprimirValores")->click();
        EXPECT_TRUE(d->visualizacao()) << ui.ultimaMensagem().toStdString();
        if (d->visualizacao())
            d->visualizacao()->close();
        botao(*d, "cmdSair")->click();
    });
    botao(janela, "cmdImprimir")->click();
    EXPECT_EQ(ui.perguntas.back(), QStringLiteral("Tipo de Listagem?"));

    // Closing the lot window without a lot posts nothing.
    ui.responder(Sim);
    QTimer::singleShot(0, &janela, [&] {
        auto* d = qobject_cast<FrmExistProArmLote*>(QApplication::activeModalWidget());
        if (!d) {
            ADD_FAILURE() << "the lot window did not open";
            return;
        }
        botao(*d, "cmdFechar")->click();
    });
    botao(janela, "cmdIntegrar")->click();
    EXPECT_EQ(ui.perguntas.back(), QStringLiteral("Confirma a Integração nos Stocks?"));
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Lotes").toInt(), 0);
    EXPECT_EQ(saldoArmazem(*db, "MP1"), C("100"));
    EXPECT_FALSE(janela.logica().resultado());

    // With lot L1 chosen: one closed lot carrying the measures, the stock moved.
    ui.responder(Sim);
    QTimer::singleShot(0, &janela, [&] {
        auto* d = qobject_cast<FrmExistProArmLote*>(QApplication::activeModalWidget());
        if (!d) {
            ADD_FAILURE() << "the lot window did not open";
            return;
        }
        auto* lotes = controlo<QTreeWidget>(*d, "lvwLista");
        if (!lotes || lotes->topLevelItemCount() != 1) {
            ADD_FAILURE() << "L1 not offered: " << (lotes ? lotes->topLevelItemCount() : -1) << " rows";
            d->reject();
            return;
        }
        lotes->setCurrentItem(lotes->topLevelItem(0));
        botao(*d, "cmdSeleccionar")->click();
        if (d->isVisible()) {
            ADD_FAILURE() << "lot refused: " << ui.ultimaMensagem().toStdString();
            d->reject();
        }
    });
    ui.responder(Nao);
    botao(janela, "cmdIntegrar")->click();
    ASSERT_TRUE(janela.logica().resultado()) << ui.ultimaMensagem().toStdString();
    const QString lote = janela.logica().resultado()->lote;
    EXPECT_EQ(lote, QStringLiteral("0000000006"));
    ASSERT_GE(ui.perguntas.size(), 2u);
    EXPECT_EQ(ui.perguntas[ui.perguntas.size() - 2], QStringLiteral("Confirma a Integração nos Stocks?"));
    EXPECT_EQ(ui.perguntas.back(), QStringLiteral("Deseja Imprimir a Folha de Produção?"));
    EXPECT_EQ(ui.ultimaMensagem(),
              QStringLiteral("Processamento Efectuado\nFoi Gerado o Lote Número -> ") + lote);
    EXPECT_TRUE(ui.respostasEsgotadas());

    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Lotes").toInt(), 1);
    const auto linha = db->primeiraLinha(
        "SELECT Fechado, MedicoesAltura, MedicoesLargura, quantidade, Produto FROM Lotes WHERE lote=?",
        {lote});
    ASSERT_TRUE(linha);
    EXPECT_EQ(linha->at(0).toInt(), 1);
    EXPECT_EQ(Currency::fromVariant(linha->at(1)), C("1000"));
    EXPECT_EQ(Currency::fromVariant(linha->at(2)), C("2000"));
    EXPECT_EQ(Currency::fromVariant(linha->at(3)), C("2"));
    EXPECT_EQ(linha->at(4).toString().trimmed(), "PORTA");
    // MP1 4 x 0,9999; MP2 2 x 4; MPL 2 x 2 from its lot; two doors into 002.
    EXPECT_EQ(saldoArmazem(*db, "MP1"), C("96.0004"));
    EXPECT_EQ(saldoArmazem(*db, "MP2"), C("42"));
    EXPECT_EQ(saldoArmazem(*db, "MPL", "001", "L1"), C("6"));
    EXPECT_EQ(saldoArmazem(*db, "PORTA", "002"), C("2"));
}

TEST_P(FrmMedicoesTest, BotoesDoCalculoSeguemOsDireitosDaEntrada) {
    gravarPorta();
    ctx.CodigoUtilizador = QStringLiteral("05");
    ASSERT_TRUE(CriaTodososAcessos(ctx, QStringLiteral("05")));
    ASSERT_TRUE(
        db->exec("UPDATE Acessos SET value=0 WHERE utilizador='05' AND chave=?",
                 {ChaveBotao(QStringLiteral("frmMedicoesCalculos"), MedicoesTemplate::TituloCalculos(),
                             QStringLiteral("Inte&grar Lote nos Stocks"))}));
    FrmMedicoesCalculosMedidas janela(ctx, ui);
    ASSERT_TRUE(janela.abrir(QStringLiteral("PORTA")));
    EXPECT_FALSE(botao(janela, "cmdIntegrar")->isEnabled()) << "the user may calculate but not post";
    EXPECT_TRUE(botao(janela, "cmdCalcular")->isEnabled());
    EXPECT_TRUE(botao(janela, "cmdImprimir")->isEnabled());
    EXPECT_TRUE(botao(janela, "cmdSair")->isEnabled());
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
}

TEST_P(FrmMedicoesTest, FolhaDeLoteSoDeLotesComMedidas) {
    gravarPorta();
    const auto t = LerTemplateMedicoes(*db, QStringLiteral("PORTA"));
    ASSERT_TRUE(t && *t);
    auto c = CalculaMedicoes(**t, C("1000"), C("2000"), C("2"));
    ASSERT_TRUE(c) << c.mensagem().toStdString();
    const auto r = LancaMedicoes(ctx, *c);
    ASSERT_TRUE(r) << r.mensagem().toStdString();
    // An ordinary closed lot, without measures.
    ASSERT_GT(db->insert("Lotes", Registo()("lote", "0000000003")("Produto", "PA")("quantidade", "1")(
                                      "Fechado", 1)("MedicoesAltura", "0")("MedicoesLargura", "0")),
              0);

    FrmImpFolhaLoteMedicoes f(ctx, ui);
    for (const char* lote : {"999", "3"}) {
        ui.mensagens.clear();
        EXPECT_FALSE(codigo(f, "cpLote", QString::fromLatin1(lote))) << lote;
        EXPECT_EQ(ui.ultimaMensagem(), MensagemLoteMedicoesInexistente) << lote;
        EXPECT_TRUE(controlo<QLabel>(f, "lblProduto")->text().isEmpty()) << lote;
    }
    ui.mensagens.clear();
    EXPECT_TRUE(codigo(f, "cpLote", QStringLiteral("6"))) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(controlo<QLineEdit>(f, "txtLote")->text(), r->lote);
    EXPECT_EQ(controlo<QLabel>(f, "lblProduto")->text(), QStringLiteral("PORTA - Porta à medida"));
    EXPECT_EQ(controlo<QLabel>(f, "lblAltura")->text(), QStringLiteral("1.000,0000"));
    EXPECT_EQ(controlo<QLabel>(f, "lblLargura")->text(), QStringLiteral("2.000,0000"));
    EXPECT_TRUE(controlo<QLabel>(f, "lblSaida")->text().startsWith(QStringLiteral("SPR  nº 00000001")))
        << controlo<QLabel>(f, "lblSaida")->text().toStdString();
    EXPECT_TRUE(controlo<QLabel>(f, "lblEntrada")->text().startsWith(QStringLiteral("EPR  nº 00000001")));
    if (isSQLite())
        capturarJanela(f, QStringLiteral("frmImpFolhaLoteMedicoes"));

    ui.responder(1);
    botao(f, "cmdImprimir")->click();
    EXPECT_EQ(ui.perguntas.back(), QStringLiteral("Tipo de Listagem?"));
    ASSERT_TRUE(f.visualizacao()) << ui.ultimaMensagem().toStdString();
    f.visualizacao()->close();
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
}

TEST_P(FrmMedicoesTest, MenuAbreAsTresJanelas) {
    WMenu w(ctx, ui);
    struct Entrada {
        const char *accao, *menu, *texto, *janela;
    };
    for (const Entrada& e : {Entrada{"TabNomenclaturaMedicoes", "mnuMovimentosMedicoes",
                                     "Nomenclatura de Produtos (Medições)", "frmMedicoesTemplate"},
                             Entrada{"CalculosNomenclaturaMedicoes", "mnuMovimentosMedicoes",
                                     "Cálculos para Produção", "frmMedicoesCalculos"},
                             Entrada{"ImpFolhaProducaoMedicoes", "mnuListagensMedicoes",
                                     "Folha de Produção (Medições)", "frmImpFolhaLoteMedicoes"}}) {
        auto* a = w.findChild<QAction*>(QLatin1String(e.accao));
        ASSERT_TRUE(a) << e.accao;
        EXPECT_EQ(a->text(), QString::fromUtf8(e.texto));
        auto* menu = w.findChild<QMenu*>(QLatin1String(e.menu));
        ASSERT_TRUE(menu) << e.menu;
        EXPECT_TRUE(menu->actions().contains(a)) << e.accao;
        a->trigger();
        QMdiSubWindow* sub = w.area()->subWindowList().isEmpty() ? nullptr : w.area()->subWindowList().last();
        ASSERT_TRUE(sub && sub->widget()) << e.accao;
        EXPECT_EQ(sub->widget()->objectName(), QLatin1String(e.janela));
    }
    EXPECT_EQ(w.area()->subWindowList().size(), 3);
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
}

LUMO_INSTANCIAR_MOTORES(FrmMedicoesTest);

#include "printing/ui/FrmEtiquetas.h"
#include "printing/ui/FrmImpCodBar.h"
#include "company/Empresas.h"
#include "company/ParametrosGerais.h"
#include "controls/ui/Valor.h"
#include "lookups/Imagens.h"
#include "lookups/ui/CampoCodigo.h"
#include "lookups/ui/ListaVista.h"
#include "printing/CodigosBarras.h"
#include "printing/DocumentoImpresso.h"
#include "session/Acessos.h"
#include "session/ui/FormAcessos.h"
#include "support/EmpresaDemoTest.h"
#include "support/SemFalha.h"
#include "support/ui/Capturas.h"
#include "support/ui/Controlos.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

// The label windows on the demo company, whose sheets "A4-3X8" (EAN-13) and "QR-LOTE" (QR Code)
// and products' bar codes come with it.
class FrmImpCodBarTest : public EmpresaDemoAbertaTest {
protected:
    void SetUp() override {
        EmpresaDemoAbertaTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        demo.LoginUtilizador = "Supervisor";
        demo.NomePosto = "POSTO1";
    }
    bool codigo(QWidget& w, const char* campo, const QString& valor) {
        auto* c = controlo<CampoCodigo>(w, campo);
        if (!c)
            return false;
        c->setCodigo(valor);
        return c->txtCodigo_LostFocus();
    }
    QPushButton* botao(QWidget& w, const char* nome) { return controlo<QPushButton>(w, nome); }
    QSpinBox* numero(QWidget& w, const char* nome) { return controlo<QSpinBox>(w, nome); }
    // The window's controlled buttons are exactly those of its rights row.
    void botoesControlados(QWidget& janela, const QString& form) {
        const auto& lista = JanelasProtegidas();
        const auto it = std::find_if(lista.begin(), lista.end(), [&](const auto& j) { return j.form == form; });
        ASSERT_NE(it, lista.end()) << form.toStdString();
        EXPECT_EQ(it->caption, janela.windowTitle());
        QStringList naJanela, naLista;
        for (const auto& b : DescreverJanela(&janela, it->form, it->caption).botoes)
            if (BotaoControlado(b.ctrl, b.caption))
                naJanela << b.ctrl + "=" + b.caption;
        for (const auto& b : it->botoes)
            naLista << b.ctrl + "=" + b.caption;
        naJanela.sort();
        naLista.sort();
        EXPECT_EQ(naJanela, naLista);
    }
    int campoInt(const char* coluna, const char* codigo) {
        return demo.bd()
            .scalar(QStringLiteral("SELECT %1 FROM etiquetas WHERE Codigo=?").arg(QLatin1String(coluna)),
                    {QString::fromLatin1(codigo)})
            .toInt();
    }

};

TEST_P(FrmImpCodBarTest, FormularioPreenchidoEImpressoParaOEcran) {
    FrmImpCodBar f(demo, ui);
    botoesControlados(f, QStringLiteral("frmImpCodBar"));
    ASSERT_TRUE(codigo(f, "cpEtiqueta", "A4-3X8")) << ui.ultimaMensagem().toStdString();
    EXPECT_FALSE(controlo<QCheckBox>(f, "chkCaixa")->isChecked()) << "the demo sheet prints no box";
    EXPECT_EQ(numero(f, "eint1H")->maximum(), 3);
    EXPECT_EQ(numero(f, "eint1V")->maximum(), 8);

    // The row window refuses no labels and then adds the dining table five times.
    QTimer::singleShot(0, &f, [&] {
        auto* d = qobject_cast<FrmImpCodBarIns*>(QApplication::activeModalWidget());
        if (!d) {
            ADD_FAILURE() << "the row window did not open";
            return;
        }
        EXPECT_TRUE(codigo(*d, "cpProduto", "PA001")) << ui.ultimaMensagem().toStdString();
        controlo<Valor>(*d, "txtQuantidade")->setValor(Currency());
        botao(*d, "cmdOK")->click();
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(ui.ultimaMensagem(), MensagemQuantidadeEtiquetas());
        controlo<Valor>(*d, "txtQuantidade")->setValor(Currency(5));
        EXPECT_TRUE(codigo(*d, "cpLote", "L-01"));
        botao(*d, "cmdOK")->click();
        if (d->isVisible()) {
            ADD_FAILURE() << "row refused: " << ui.ultimaMensagem().toStdString();
            d->reject();
        }
    });
    botao(f, "btnAdicionar")->click();
    ASSERT_EQ(f.logica().lvwLista.numLinhas(), 1);
    EXPECT_EQ(f.logica().lvwLista.texto(0, ImpCodBar::ColDescricao), QStringLiteral("Mesa de jantar em carvalho"));
    LinhaEtiqueta cadeiras;
    cadeiras.produto = QStringLiteral("PA002");
    cadeiras.descricao = QStringLiteral("Cadeira em carvalho");
    cadeiras.quantidade = 4;
    f.logica().adicionarLinha(cadeiras);
    numero(f, "eint1V")->setValue(2);

    ui.mensagens.clear();
    ui.responder(1); // "Para o Ecran"
    botao(f, "cmdImprimir")->click();
    ASSERT_TRUE(f.visualizacao()) << ui.ultimaMensagem().toStdString();
    ASSERT_TRUE(f.logica().resultado());
    EXPECT_EQ(f.logica().resultado()->etiquetas, 9);
    EXPECT_EQ(f.logica().resultado()->paginas, 1);
    EXPECT_TRUE(f.logica().resultado()->avisos.empty()) << "every demo product has a valid EAN-13";
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
    if (isSQLite()) {
        capturarJanela(f, QStringLiteral("frmImpCodBar"));
        capturarJanela(*f.visualizacao(), QStringLiteral("frmImpCodBar_Preview"));
    }
    f.visualizacao()->close();

    // The demo's picture of the table is a real, confirmed picture.
    const auto imagens = ListarImagens(demo.bd(), QStringLiteral("Produtos"), QStringLiteral("PA001"), QString(), {});
    ASSERT_TRUE(imagens);
    ASSERT_EQ(imagens->size(), 1u);
    EXPECT_TRUE(imagens->front().confirmada);
    const auto bytes = LerImagem(demo.bd(), imagens->front().numRegisto);
    ASSERT_TRUE(bytes);
    EXPECT_FALSE(QImage::fromData(*bytes).isNull());
}

TEST_P(FrmImpCodBarTest, EditorGravaDefinicaoEMostraAAmostra) {
    FrmEtiquetas e(demo, ui);
    botoesControlados(e, QStringLiteral("frmEtiquetas"));
    DefinicaoEtiquetas& l = e.logica();
    ASSERT_EQ(l.lvwLista.numLinhas(), 2);
    // A new record starts as a sheet that already draws.
    ASSERT_TRUE(e.documentoAmostra()) << e.textoAmostra().toStdString();
    EXPECT_EQ(e.documentoAmostra()->numeroPaginas(), 1);
    EXPECT_TRUE(e.textoAmostra().startsWith(QStringLiteral("24 etiquetas"))) << e.textoAmostra().toStdString();

    // The QR sheet opened from the list; one row fewer is saved.
    auto* lista = controlo<ListaVista>(e, "lvwLista");
    lista->setCurrentIndex(lista->model()->index(l.lvwLista.linhaComTag(QStringLiteral("QR-LOTE")), 0));
    EXPECT_EQ(controlo<QLineEdit>(e, "txtCodigo")->text(), QStringLiteral("QR-LOTE"));
    EXPECT_TRUE(controlo<QLineEdit>(e, "txtCodigo")->isReadOnly());
    EXPECT_EQ(controlo<QComboBox>(e, "cboSimbologia")->currentText(), NomeSimbologia(1, 9));
    EXPECT_TRUE(e.textoAmostra().startsWith(QStringLiteral("10 etiquetas"))) << e.textoAmostra().toStdString();
    numero(e, "NumEtiqVert")->setValue(4);
    e.actualizarAmostra();
    EXPECT_TRUE(e.textoAmostra().startsWith(QStringLiteral("8 etiquetas")));
    botao(e, "cmdGravar")->click();
    ASSERT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(campoInt("NumEtiqVert", "QR-LOTE"), 4);
    EXPECT_EQ(campoInt("LayoutCodigoBarras", "QR-LOTE"), 1);
    EXPECT_EQ(campoInt("TipoCodigoBarras", "QR-LOTE"), 9);

    // A new sheet too wide for the paper: no sample, and refused on saving.
    botao(e, "btnNovo")->click();
    controlo<QLineEdit>(e, "txtCodigo")->setText(QStringLiteral("PEQ"));
    controlo<QLineEdit>(e, "txtDescricao")->setText(QStringLiteral("Pequenas Code 128"));
    numero(e, "LarguraEtiq")->setValue(300);
    e.actualizarAmostra();
    EXPECT_EQ(e.vistaAmostra(), nullptr);
    EXPECT_EQ(e.textoAmostra(), QStringLiteral("A definição da etiqueta não cabe no papel!"));
    botao(e, "cmdGravar")->click();
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("A definição da etiqueta não cabe no papel!"));
    EXPECT_EQ(l.focoPedido(), DefinicaoEtiquetas::Foco::Grelha);
    EXPECT_FALSE(demo.bd().primeiraLinha("SELECT Codigo FROM etiquetas WHERE Codigo='PEQ'"));

    ui.mensagens.clear();
    numero(e, "LarguraEtiq")->setValue(38);
    numero(e, "NumEtiqHoriz")->setValue(5);
    auto* simbologia = controlo<QComboBox>(e, "cboSimbologia");
    simbologia->setCurrentIndex(simbologia->findText(NomeSimbologia(0, 4)));
    controlo<QCheckBox>(e, "chkImprimeCaixaContorno")->setChecked(true);
    e.actualizarAmostra();
    ASSERT_TRUE(e.vistaAmostra()) << e.textoAmostra().toStdString();
    EXPECT_TRUE(e.textoAmostra().startsWith(QStringLiteral("40 etiquetas"))) << e.textoAmostra().toStdString();
    botao(e, "cmdGravar")->click();
    ASSERT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
    const auto gravada = LerDefinicaoEtiqueta(demo.bd(), QStringLiteral("PEQ"));
    ASSERT_TRUE(gravada && *gravada);
    EXPECT_EQ((*gravada)->numEtiqHoriz, 5);
    EXPECT_EQ((*gravada)->larguraEtiq, 38);
    EXPECT_EQ((*gravada)->layoutCodigoBarras, 0);
    EXPECT_EQ((*gravada)->tipoCodigoBarras, 4);
    EXPECT_TRUE((*gravada)->imprimeCaixaContorno);
    EXPECT_EQ((*gravada)->campos, controlo<QPlainTextEdit>(e, "txtCampos")->toPlainText());
    EXPECT_EQ(l.lvwLista.numLinhas(), 3);
    EXPECT_TRUE(botao(e, "cmdEliminar")->isEnabled());
    if (isSQLite())
        capturarJanela(e, QStringLiteral("frmEtiquetas"));

    // A new record may not take a code in use.
    botao(e, "btnNovo")->click();
    EXPECT_FALSE(botao(e, "cmdEliminar")->isEnabled());
    controlo<QLineEdit>(e, "txtCodigo")->setText(QStringLiteral("A4-3X8"));
    controlo<QLineEdit>(e, "txtDescricao")->setText(QStringLiteral("Outra"));
    botao(e, "cmdGravar")->click();
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Já existe a etiqueta A4-3X8."));
    EXPECT_EQ(campoInt("NumEtiqVert", "A4-3X8"), 8) << "the saved one is untouched";

    // Deleted after the confirmation, not before.
    lista->setCurrentIndex(QModelIndex());
    lista->setCurrentIndex(lista->model()->index(l.lvwLista.linhaComTag(QStringLiteral("PEQ")), 0));
    ASSERT_EQ(controlo<QLineEdit>(e, "txtCodigo")->text(), QStringLiteral("PEQ"));
    ui.responder(0); // "&Não"
    botao(e, "cmdEliminar")->click();
    EXPECT_TRUE(demo.bd().primeiraLinha("SELECT Codigo FROM etiquetas WHERE Codigo='PEQ'"));
    ui.responder(1); // "&Sim"
    botao(e, "cmdEliminar")->click();
    EXPECT_FALSE(demo.bd().primeiraLinha("SELECT Codigo FROM etiquetas WHERE Codigo='PEQ'"));
    EXPECT_EQ(l.lvwLista.numLinhas(), 2);
    EXPECT_EQ(l.modo(), u'N');
    EXPECT_TRUE(ui.respostasEsgotadas());
}

LUMO_INSTANCIAR_MOTORES(FrmImpCodBarTest);

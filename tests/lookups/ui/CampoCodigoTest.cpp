#include "lookups/ui/CampoCodigo.h"
#include "lookups/ListaDados.h"
#include "lookups/PesquisaTabelas.h"
#include "lookups/ui/FrmPesquisaNOVA.h"
#include "lookups/ui/FrmTabelaComum.h"
#include "lookups/ui/ListaVista.h"
#include "common/ui/QtUserInteraction.h"
#include "support/DbTest.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {
FrmPesquisaNOVA* janelaPesquisaAberta() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<FrmPesquisaNOVA*>(w); f && f->isVisible())
            return f;
    return nullptr;
}
} // namespace

class CampoCodigoUiTest : public DbTest {};

TEST_P(CampoCodigoUiTest, BarraInvertidaAbreAPesquisaEEscolheUmaLinha) {
    for (const auto& [c, d] : {std::pair{"P1", "Parafuso"}, std::pair{"P2", "Porca sextavada"},
                               std::pair{"P3", "Porca de orelhas"}})
        ASSERT_GT(
            db->insert(QStringLiteral("Produtos"), Registo()(QStringLiteral("Codigo"), QString::fromUtf8(c))(
                                                       QStringLiteral("Descricao"), QString::fromUtf8(d))),
            0);
    QWidget janela;
    QtUserInteraction qui(&janela);
    PesquisaTabelas pesquisa(ctx, qui);
    auto* cp = new CampoCodigo(&janela, QStringLiteral("Produto"));
    cp->ligar(nullptr, [&](CampoTabela& c, bool abrir) { return pesquisa.Produtos(c, abrir); });
    janela.show();

    QTest::keyClicks(cp->txtCodigo, QStringLiteral("\\porca"));

    QString chave, campo, total;
    int linhas = -1;
    QTimer::singleShot(0, [&] {
        FrmPesquisaNOVA* f = janelaPesquisaAberta();
        if (!f)
            return;
        chave = f->txtChave->text();
        campo = f->cmbCampos->currentText();
        total = f->TotReg->text();
        ListaDados* lista = f->lvwLista->lista();
        linhas = lista->numLinhas();
        lista->lvw_SelectLinha(1); // by description: "Porca de orelhas" (P3), "Porca sextavada" (P2)
        f->Selecionar->click();
    });
    QFocusEvent saida(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(cp->txtCodigo, &saida);

    EXPECT_EQ(chave, "porca");
    EXPECT_EQ(campo, "Descrição");
    EXPECT_EQ(total, "Foram Encontrados 2 Registos");
    EXPECT_EQ(linhas, 2);
    EXPECT_EQ(cp->txtCodigo->text(), "P2");
    EXPECT_EQ(cp->lblDescricao->text(), "Porca sextavada");
    EXPECT_EQ(janelaPesquisaAberta(), nullptr);

    // Typing a code and leaving validates it without any window.
    cp->txtCodigo->setText(QStringLiteral("P1"));
    QApplication::sendEvent(cp->txtCodigo, &saida);
    EXPECT_EQ(cp->lblDescricao->text(), "Parafuso");
}

TEST_P(CampoCodigoUiTest, EditorDeTabelaGravaPelosBotoes) {
    QtUserInteraction qui;
    FrmTabelaComum f(ctx, qui, QStringLiteral("TabGrupoPro"), QStringLiteral("Grupos de Produtos"));
    f.show();
    EXPECT_FALSE(f.cmdAlterar->isEnabled()); // empty table
    f.cmdAdicionar->click();
    EXPECT_EQ(f.lblModo->text(), "N");
    EXPECT_EQ(f.txtCodigo->text(), "1");
    f.txtDescricao->setText(QStringLiteral("Cadeiras"));
    f.cmdGravar->click();
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT descricao FROM TabGrupoPro WHERE codigo='1'")).toString(),
              "Cadeiras");
    EXPECT_EQ(f.lvwLista->lista()->numLinhas(), 1);
    EXPECT_EQ(f.txtCodigo->text(), "2"); // the next addition started at once
    f.cmdCancelar->click();
    EXPECT_TRUE(f.cmdAlterar->isEnabled());
}

LUMO_INSTANCIAR_MOTORES(CampoCodigoUiTest);

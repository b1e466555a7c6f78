#include "production/ui/FrmRastreabilidade.h"
#include "company/Empresas.h"
#include "company/ParametrosGerais.h"
#include "lookups/ui/CampoCodigo.h"
#include "production/LoteCadeirasDemo.h"
#include "support/EmpresaDemoTest.h"
#include "support/SemFalha.h"
#include "support/ui/Controlos.h"

#include <QDate>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

// "Rastreabilidade de Lotes" on the demo company, as a user follows a glue lot.
class FrmRastreabilidadeTest : public EmpresaDemoAbertaTest {
protected:
};

TEST_P(FrmRastreabilidadeTest, ArvoreProcuraImpressaoEFolha) {
    const QString lote = LoteCadeirasComRetorno(demo, QDate::currentDate().toString(Qt::ISODate));
    ASSERT_FALSE(lote.isEmpty());
    FrmRastreabilidade janela(demo, ui);
    EXPECT_EQ(janela.objectName().toStdString(), "frmRastreabilidade");
    EXPECT_EQ(janela.windowTitle().toStdString(), "Rastreabilidade de Lotes");
    auto* arvore = controlo<QTreeWidget>(janela, "trvRastreio");
    ASSERT_TRUE(arvore);

    // An unknown product is refused and leaves the tree empty.
    controlo<CampoCodigo>(janela, "cpProduto")->setCodigo(QStringLiteral("XPTO"));
    controlo<CampoCodigo>(janela, "cpLote")->setCodigo(QStringLiteral("CV-0207"));
    controlo<QPushButton>(janela, "cmdPesquisar")->click();
    EXPECT_EQ(arvore->topLevelItemCount(), 0);

    controlo<CampoCodigo>(janela, "cpProduto")->setCodigo(QStringLiteral("MP005"));
    controlo<QPushButton>(janela, "cmdPesquisar")->click();
    ASSERT_EQ(arvore->topLevelItemCount(), 1) << ui.ultimaMensagem().toStdString();
    QTreeWidgetItem* raiz = arvore->topLevelItem(0);
    EXPECT_EQ(raiz->text(0).toStdString(), "MP005 - Cola vinílica para madeira");
    EXPECT_EQ(raiz->text(1).toStdString(), "CV-0207");
    ASSERT_EQ(raiz->childCount(), 1);
    EXPECT_EQ(raiz->child(0)->text(0), QStringLiteral("Lote de produção ") + lote);
    // Only the documents holding the glue and the entry: the oak's return is not the glue's.
    EXPECT_TRUE(raiz->child(0)->text(1).startsWith(QStringLiteral("SPR ")))
        << raiz->child(0)->text(1).toStdString();
    EXPECT_TRUE(raiz->child(0)->text(1).contains(QStringLiteral(", EPR ")));
    EXPECT_FALSE(raiz->child(0)->text(1).contains(QStringLiteral("DPR ")));
    ASSERT_EQ(raiz->child(0)->childCount(), 1);
    QTreeWidgetItem* cadeiras = raiz->child(0)->child(0);
    EXPECT_EQ(cadeiras->text(0).toStdString(), "PA002 - Cadeira em carvalho");
    EXPECT_EQ(cadeiras->text(1).toStdString(), "(sem lote)");

    // The find box walks to the chairs, then round to them again.
    controlo<QLineEdit>(janela, "txtProcurar")->setText(QStringLiteral("cadeira"));
    EXPECT_TRUE(janela.procurarSeguinte());
    EXPECT_EQ(arvore->currentItem(), cadeiras);
    EXPECT_TRUE(janela.procurarSeguinte());
    EXPECT_EQ(arvore->currentItem(), cadeiras);
    controlo<QLineEdit>(janela, "txtProcurar")->setText(QStringLiteral("nada disto"));
    EXPECT_FALSE(janela.procurarSeguinte());

    // Upstream nothing made the glue: the root alone.
    controlo<QRadioButton>(janela, "optMontante")->setChecked(true);
    controlo<QPushButton>(janela, "cmdPesquisar")->click();
    ASSERT_EQ(arvore->topLevelItemCount(), 1);
    EXPECT_EQ(arvore->topLevelItem(0)->childCount(), 0);

    // The print reads the fields as they are, downstream again, and shows its preview.
    controlo<QRadioButton>(janela, "optJusante")->setChecked(true);
    ui.responder(1); // "Tipo de Listagem?": "Para o Ecran"
    controlo<QPushButton>(janela, "cmdImprimir")->click();
    ASSERT_NE(janela.visualizacao(), nullptr) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(arvore->topLevelItem(0)->childCount(), 1);
    janela.visualizacao()->close();

    // The spreadsheet of the same print, where the file dialog says.
    const QString folha = pasta.filePath(QStringLiteral("rastreio.xlsx"));
    ui.responder(folha);
    ui.responder(false); // "Pretende abrir o ficheiro exportado?"
    controlo<QPushButton>(janela, "cmdExportarFolha")->click();
    EXPECT_TRUE(QFileInfo(folha).size() > 0) << ui.ultimaMensagem().toStdString();
}

LUMO_INSTANCIAR_MOTORES(FrmRastreabilidadeTest);

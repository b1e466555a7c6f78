#include "session/ui/FrmHistDocumentos.h"

#include "company/ArquivoDocumentos.h"
#include "db/Servidor.h"
#include "support/DbTest.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

// The document history window offscreen: a file added, saved elsewhere byte for byte, refused
// removal kept, confirmed removal gone.
class FrmHistDocumentosTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ctx.CodigoEmpresa = codigoEmpresaAleatorio();
    }
    void TearDown() override {
        if (db && db->isOpen())
            (void)db->servidor().apagarBaseDados(nomeArquivoDocumentos(ctx.CodigoEmpresa));
        DbTest::TearDown();
    }
};

TEST_P(FrmHistDocumentosTest, AdicionaGravaComoERemoveComConfirmacao) {
    QTemporaryDir pasta;
    const QString origem = pasta.filePath("guia.pdf");
    const QByteArray bytes("%PDF-1.4\n\x00\x01\xff fim", 17);
    {
        QFile f(origem);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    FrmHistDocumentos w(ctx, ui, "PP", "000042", "de produção (Processo nº 000042)");
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    EXPECT_EQ(w.windowTitle(), "Histórico de Documentos de produção (Processo nº 000042)");
    EXPECT_EQ(w.lvwDocumentos->topLevelItemCount(), 0);

    ui.responder(origem);
    w.cmdAdicionar->click();
    ASSERT_EQ(w.lvwDocumentos->topLevelItemCount(), 1);
    QTreeWidgetItem* doc = w.lvwDocumentos->topLevelItem(0);
    ASSERT_EQ(doc->childCount(), 1);
    EXPECT_EQ(doc->child(0)->text(0), origem);
    ASSERT_EQ(w.logica().documentos().size(), 1u);
    EXPECT_EQ(w.logica().documentos()[0].chave, "PP000042");
    EXPECT_EQ(w.logica().documentos()[0].docTipo, "PP");

    w.lvwDocumentos->setCurrentItem(doc->child(0));
    const QString copia = pasta.filePath("copia.pdf");
    ui.responder(copia);
    w.cmdGravarComo->click();
    QFile c(copia);
    ASSERT_TRUE(c.open(QIODevice::ReadOnly));
    EXPECT_EQ(c.readAll(), bytes);

    ui.responder(0); // "&Não"
    w.cmdRemover->click();
    EXPECT_EQ(w.lvwDocumentos->topLevelItemCount(), 1);
    ASSERT_FALSE(ui.perguntas.empty());
    EXPECT_EQ(ui.perguntas.back(), "Confirma a eliminação?");

    w.lvwDocumentos->setCurrentItem(w.lvwDocumentos->topLevelItem(0)->child(0));
    ui.responder(1); // "&Sim"
    w.cmdRemover->click();
    EXPECT_EQ(w.lvwDocumentos->topLevelItemCount(), 0);
    auto arq = Abre_Connexao_DocumentosBin(ctx);
    ASSERT_TRUE(arq.ok());
    EXPECT_EQ((*arq)->scalar("SELECT COUNT(*) FROM HistDocBinDocs").toInt(), 0);
    EXPECT_EQ((*arq)->scalar("SELECT COUNT(*) FROM HistDocBin").toInt(), 0);
}

LUMO_INSTANCIAR_MOTORES(FrmHistDocumentosTest);

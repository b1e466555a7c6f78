#include "company/ArquivoDocumentos.h"
#include "db/Servidor.h"
#include "printing/ExportacaoPdf.h"
#include "printing/ExportadorPdf.h"
#include "printing/cPrinter.h"
#include "support/DbTest.h"
#include "support/SemFalha.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

// The PDF export's "Arquivar" destination: the report filed in the company's archive as one
// document holding one file, the PDF itself, under the module, year and month chosen.
namespace {

std::shared_ptr<DocumentoImpresso> documento() {
    cPrinter p;
    p.init(QStringLiteral("Mapa de Produção: Março"));
    p.L(QStringLiteral("Lote 0000000007 — 12 cadeiras"), 10, 10);
    p.Show();
    return p.documento();
}

// What differs between two writes of one document: the creation time and the document's identity.
QByteArray semCarimbos(QByteArray pdf) {
    for (const char* padrao : {R"(/CreationDate\s*\([^)]*\))", R"(/ModDate\s*\([^)]*\))", R"(/ID\s*\[[^\]]*\])",
                               R"(uuid:[0-9a-fA-F-]+)", R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[^<"]*)"})
        pdf = QString::fromLatin1(pdf).replace(QRegularExpression(QString::fromLatin1(padrao)), QStringLiteral("#")).toLatin1();
    return pdf;
}

} // namespace

class ExportacaoArquivoTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        // One archive per case: runs sharing a PostgreSQL server never meet.
        ctx.CodigoEmpresa = codigoEmpresaAleatorio();
        ctx.CodigoUtilizador = QStringLiteral("07");
    }
    void TearDown() override {
        if (db && db->isOpen())
            (void)db->servidor().apagarBaseDados(nomeArquivoDocumentos(ctx.CodigoEmpresa));
        DbTest::TearDown();
    }
    ExportacaoPdf exportacao(const DocumentoImpresso& doc) {
        ExportacaoPdf e(doc, ctx, ui);
        e.destino = ExportacaoPdf::Destino::Arquivo;
        e.modulo = QStringLiteral("ST - Stocks");
        e.ano = 2026;
        e.mes = 3;
        e.nomeFicheiro = QStringLiteral("Mapa de março");
        e.assunto = QStringLiteral("  Mapa de produção de março ");
        return e;
    }
    bool haArquivo() { return db->servidor().existeBaseDados(nomeArquivoDocumentos(ctx.CodigoEmpresa)); }
};

TEST_P(ExportacaoArquivoTest, ArquivarGuardaUmDocumentoComOPdf) {
    const auto doc = documento();
    ExportacaoPdf e = exportacao(*doc);
    ASSERT_TRUE(e.exportar()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Exportação Terminada!"));
    EXPECT_FALSE(QFile::exists(QDir(QDir::tempPath()).filePath("Mapa de março.pdf"))) << "the temporary PDF is gone";

    const auto aberto = abrirArquivoExistente(ctx);
    ASSERT_TRUE(semFalha(aberto));
    ASSERT_TRUE(*aberto) << "the archive is made on the first filing";
    Database& a = **aberto;
    ASSERT_EQ(a.scalar("SELECT COUNT(*) FROM HistDocBin").toInt(), 1);
    ASSERT_EQ(a.scalar("SELECT COUNT(*) FROM HistDocBinDocs").toInt(), 1);
    const auto cab = a.primeiraLinha("SELECT NumeroMov, Chave, Assunto, Arq_Ano, Arq_Mes, Arq_Modulo, Doc_Data, Utilizador "
                                     "FROM HistDocBin");
    ASSERT_TRUE(cab);
    EXPECT_EQ(*cab, (QVariantList{1, "ST202603", "Mapa de produção de março", "2026", "03", "ST", "2026-03-01", "07"}));
    const auto fic = a.primeiraLinha("SELECT NumeroMov, Chave, FilePath, Utilizador, Doc FROM HistDocBinDocs");
    ASSERT_TRUE(fic);
    EXPECT_EQ(fic->at(0).toInt(), 1) << "the file belongs to the document";
    EXPECT_EQ(fic->at(1).toString(), "ST202603");
    EXPECT_EQ(fic->at(2).toString(), "Mapa de março.pdf");
    EXPECT_EQ(fic->at(3).toString(), "07");

    // The stored bytes are the report's PDF: the same as writing it to disk, but for its time stamps.
    const QByteArray guardado = fic->at(4).toByteArray();
    EXPECT_TRUE(guardado.startsWith("%PDF-")) << guardado.left(20).toStdString();
    EXPECT_TRUE(guardado.trimmed().endsWith("%%EOF"));
    QTemporaryDir pasta;
    const QString disco = pasta.filePath("disco.pdf");
    ASSERT_TRUE(semFalha(EscreverPdf(*doc, disco)));
    QFile f(disco);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray escrito = f.readAll();
    EXPECT_EQ(guardado.size(), escrito.size());
    EXPECT_EQ(semCarimbos(guardado), semCarimbos(escrito));
    EXPECT_GT(semCarimbos(guardado).size(), guardado.size() - 200) << "only the stamps are set aside";
    a.close();

    // A second export is a second document with its own file.
    e.mes = 12;
    e.assunto = QStringLiteral("Mapa de dezembro");
    ASSERT_TRUE(e.exportar()) << ui.ultimaMensagem().toStdString();
    const auto outra = abrirArquivoExistente(ctx);
    ASSERT_TRUE(semFalha(outra));
    ASSERT_TRUE(*outra);
    EXPECT_EQ((*outra)->scalar("SELECT COUNT(*) FROM HistDocBinDocs WHERE NumeroMov=2 AND Chave='ST202612'").toInt(), 1);
    EXPECT_EQ((*outra)->scalar("SELECT Assunto FROM HistDocBin WHERE NumeroMov=2").toString(), "Mapa de dezembro");
    (*outra)->close();
}

TEST_P(ExportacaoArquivoTest, RecusasNaoArquivamNada) {
    const auto doc = documento();
    const struct {
        std::function<void(ExportacaoPdf&)> mudar;
        const char* mensagem;
    } casos[] = {
        {[](ExportacaoPdf& e) { e.assunto = QStringLiteral("   "); }, "Não pode exportar sem indicar o assunto!"},
        {[](ExportacaoPdf& e) { e.modulo.clear(); }, "Não pode exportar sem indicar o módulo!"},
        {[](ExportacaoPdf& e) { e.modulo = QStringLiteral("ZZ - Outro"); }, "Não pode exportar sem indicar o módulo!"},
        {[](ExportacaoPdf& e) { e.nomeFicheiro = QStringLiteral(" "); }, "Não pode exportar sem indicar o nome do ficheiro!"},
        {[](ExportacaoPdf& e) { e.mes = 13; }, "Indique o ano e o mês do arquivo."},
        {[](ExportacaoPdf& e) { e.ano = 0; }, "Indique o ano e o mês do arquivo."},
    };
    for (const auto& c : casos) {
        ExportacaoPdf e = exportacao(*doc);
        c.mudar(e);
        EXPECT_FALSE(e.exportar()) << c.mensagem;
        EXPECT_EQ(ui.ultimaMensagem(), QString::fromUtf8(c.mensagem));
    }
    EXPECT_FALSE(haArquivo()) << "nothing refused makes the archive";
}

LUMO_INSTANCIAR_MOTORES(ExportacaoArquivoTest);

#include "printing/ExportadorPdf.h"
#include "printing/ExportadorXlsx.h"
#include "printing/ProcuraDocumento.h"
#include "printing/cPrinter.h"
#include "support/ScriptedInteraction.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <zip.h>

namespace {
// One member of a zip archive (an .xlsx), read with libzip.
QString lerDoZip(const QString& arquivo, const char* membro) {
    int erro = 0;
    zip_t* z = zip_open(QFile::encodeName(arquivo).constData(), ZIP_RDONLY, &erro);
    if (!z)
        return QStringLiteral("<falhou: zip_open %1>").arg(erro);
    QByteArray dados;
    zip_stat_t st;
    zip_file_t* f = nullptr;
    if (zip_stat(z, membro, 0, &st) == 0 && (f = zip_fopen(z, membro, 0))) {
        dados.resize(qsizetype(st.size));
        if (zip_fread(f, dados.data(), st.size) != zip_int64_t(st.size))
            dados = "<falhou: zip_fread>";
        zip_fclose(f);
    } else {
        dados = QByteArray("<falhou: sem ") + membro + '>';
    }
    zip_close(z);
    return QString::fromUtf8(dados);
}

QString correr(const QString& programa, const QStringList& args) {
    QProcess p;
    p.start(programa, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<falhou: ") + QString::fromUtf8(p.readAllStandardError()) + u'>';
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Three pages: "Parafuso" on pages 1 and 3, "parafuso" in lower case on page 2.
std::shared_ptr<DocumentoImpresso> tresPaginas() {
    cPrinter p;
    p.GravarExportacao(true);
    p.init(QStringLiteral("Inventário"));
    p.L(QStringLiteral("Parafuso M8"), 10, 10);
    p.PNP();
    p.L(QStringLiteral("porca e parafuso"), 10, 10);
    p.PNP();
    p.L(QStringLiteral("Anilha"), 10, 10);
    p.L(QStringLiteral("Parafuso M10 e Parafuso M12"), 20, 10);
    p.PrintPageNumbers(true);
    p.Show();
    return p.documento();
}
} // namespace

TEST(ExportadorPdf, PaginasETextoLidosDeVolta) {
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString f = pasta.filePath(QStringLiteral("inv.pdf"));
    const Resultado<> escrito = EscreverPdf(*tresPaginas(), f);
    ASSERT_TRUE(escrito) << escrito.mensagem().toStdString();
    const QString info = correr(QStringLiteral("pdfinfo"), {f});
    EXPECT_TRUE(QRegularExpression(QStringLiteral("Pages:\\s+3\\n")).match(info).hasMatch())
        << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Inventário")));
    // Page 3 alone holds its own texts and its stamped number.
    const QString p3 =
        correr(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("3"), QStringLiteral("-l"),
                                             QStringLiteral("3"), f, QStringLiteral("-")});
    EXPECT_TRUE(p3.contains(QStringLiteral("Parafuso M10"))) << p3.toStdString();
    EXPECT_TRUE(p3.contains(QStringLiteral("Página: 3 / 3"))) << p3.toStdString();
    EXPECT_FALSE(p3.contains(QStringLiteral("porca")));
    // A4 in points.
    EXPECT_TRUE(info.contains(QStringLiteral("595 x 842"))) << info.toStdString();
}

TEST(ExportadorXlsx, NumerosPortuguesesETextos) {
    EXPECT_EQ(NumeroExportavel(QStringLiteral("1.234,56"), TipoDado::Automatico), 1234.56);
    EXPECT_EQ(NumeroExportavel(QStringLiteral("-12"), TipoDado::Automatico), -12.0);
    EXPECT_EQ(NumeroExportavel(QStringLiteral("0,5"), TipoDado::Automatico), 0.5);
    EXPECT_EQ(NumeroExportavel(QStringLiteral("10,00 €"), TipoDado::Automatico), 10.0);
    EXPECT_FALSE(NumeroExportavel(QStringLiteral("0042"), TipoDado::Automatico)); // a code keeps its zeros
    EXPECT_FALSE(NumeroExportavel(QStringLiteral("12,5"), TipoDado::Texto));
    EXPECT_FALSE(NumeroExportavel(QStringLiteral("1.23,4"), TipoDado::Automatico));
    EXPECT_FALSE(NumeroExportavel(QStringLiteral("12-05-2024"), TipoDado::Automatico));
    EXPECT_EQ(NumeroExportavel(QStringLiteral("0042"), TipoDado::Numero), 42.0);
}

TEST(ExportadorXlsx, UmaCelulaPorTextoEmOrdemDeLeitura) {
    cPrinter p;
    p.GravarExportacao(true);
    p.init(QStringLiteral("Consumos"));
    // Printed out of reading order on purpose: the right column first, the header last.
    p.r(QStringLiteral("1.234,56"), 20, 150);
    p.L(QStringLiteral("0042"), 20, 10);
    p.L(QStringLiteral("Ferro"), 20, 40);
    p.L(QStringLiteral("Código"), 10, 10);
    p.r(QStringLiteral("Quantidade"), 10, 150);
    p.PNP();
    p.L(QStringLiteral("0043"), 10, 10);
    p.r(QStringLiteral("7"), 10, 150);
    ASSERT_TRUE(p.Show());
    QTemporaryDir pasta;
    const QString f = pasta.filePath(QStringLiteral("c.xlsx"));
    const Resultado<> escrito = p.ListagemToECN(f);
    ASSERT_TRUE(escrito) << escrito.mensagem().toStdString();

    const QString folha = lerDoZip(f, "xl/worksheets/sheet1.xml");
    const QString textos = lerDoZip(f, "xl/sharedStrings.xml");
    // Strings are kept in a shared table in order of first use: reading order makes it predictable.
    QStringList partilhados;
    auto it = QRegularExpression(QStringLiteral("<t[^>]*>([^<]*)</t>")).globalMatch(textos);
    while (it.hasNext())
        partilhados << it.next().captured(1);
    EXPECT_EQ(partilhados,
              (QStringList{QStringLiteral("Código"), QStringLiteral("Quantidade"), QStringLiteral("0042"),
                           QStringLiteral("Ferro"), QStringLiteral("0043")}))
        << textos.toStdString();
    // Columns follow the x of the report: code in A, description in B, quantity in C, on every row.
    EXPECT_TRUE(folha.contains(QStringLiteral("<c r=\"C2\"><v>1234.56</v></c>"))) << folha.toStdString();
    EXPECT_TRUE(folha.contains(QStringLiteral("<c r=\"C3\"><v>7</v></c>"))) << folha.toStdString();
    EXPECT_TRUE(folha.contains(QStringLiteral("<c r=\"B2\" t=\"s\"><v>3</v></c>"))) << folha.toStdString();
    EXPECT_TRUE(folha.contains(QStringLiteral("<c r=\"A3\" t=\"s\"><v>4</v></c>"))) << folha.toStdString();
}

TEST(ExportadorXlsx, FicheiroImpossivelDaErro) {
    DocumentoImpresso d;
    const Resultado<> escrito = EscreverXlsx(d, QStringLiteral("/nao/existe/pasta/x.xlsx"));
    ASSERT_FALSE(escrito);
    EXPECT_FALSE(escrito.mensagem().isEmpty());
}

TEST(ProcuraDocumento, OcorrenciasEntrePaginasAteAoFim) {
    auto doc = tresPaginas();
    ScriptedInteraction ui;
    ProcuraDocumento f(*doc, ui);
    f.definir(QStringLiteral("Parafuso"), 1, 3, false);
    std::vector<int> paginas;
    std::vector<QRectF> caixas;
    while (auto o = f.procurar()) {
        paginas.push_back(o->pagina);
        caixas.push_back(o->caixa);
        ASSERT_LT(paginas.size(), 10u);
    }
    EXPECT_EQ(paginas, (std::vector<int>{1, 2, 3, 3}));
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Fim de Pesquisa!"));
    // Two hits in one text: the second box lies to the right of the first, same width.
    EXPECT_GT(caixas[3].left(), caixas[2].right());
    EXPECT_NEAR(caixas[3].width(), caixas[2].width(), 1);
    // After the end the search starts over.
    auto o = f.procurar();
    ASSERT_TRUE(o);
    EXPECT_EQ(o->pagina, 1);

    f.definir(QStringLiteral("Parafuso"), 1, 3, true); // match case leaves out page 2
    paginas.clear();
    while (auto c = f.procurar())
        paginas.push_back(c->pagina);
    EXPECT_EQ(paginas, (std::vector<int>{1, 3, 3}));

    f.definir(QStringLiteral("parafuso"), 3, 2, false); // range given backwards
    paginas.clear();
    while (auto c = f.procurar())
        paginas.push_back(c->pagina);
    EXPECT_EQ(paginas, (std::vector<int>{2, 3, 3}));

    f.definir(QStringLiteral("inexistente"), 1, 3, false);
    ui.mensagens.clear();
    EXPECT_FALSE(f.procurar());
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Fim de Pesquisa!"));
}

TEST(ExportadorXlsx, SemGravadorUsaOsTextosImpressos) {
    cPrinter p;
    p.init(QStringLiteral("Sem gravador"));
    p.L(QStringLiteral("Artigo"), 10, 10);
    p.L(QStringLiteral("2,5"), 10, 60);
    p.Show();
    ASSERT_TRUE(p.documento()->exportados.empty());
    QTemporaryDir pasta;
    const QString f = pasta.filePath(QStringLiteral("s.xlsx"));
    ASSERT_TRUE(p.ListagemToECN(f));
    const QString folha = lerDoZip(f, "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(folha.contains(QStringLiteral("<c r=\"A1\" t=\"s\"><v>0</v></c>"))) << folha.toStdString();
    EXPECT_TRUE(folha.contains(QStringLiteral("<c r=\"B1\"><v>2.5</v></c>"))) << folha.toStdString();
}

#include "printing/ProducaoInstantaneaImpressao.h"
#include "support/PaginasGravadas.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }

ImpressaoInstantanea::Linha linha(const char* codigo, const QString& descricao, const char* quant, const char* preco,
                                  const char* valor) {
    ImpressaoInstantanea::Linha l;
    l.codigo = QString::fromLatin1(codigo);
    l.descricao = descricao;
    l.armazem = QStringLiteral("001");
    l.localizacao = QStringLiteral("00001");
    l.quantidade = C(quant);
    l.preco = C(preco);
    l.valor = C(valor);
    return l;
}

ImpressaoInstantanea base() {
    ImpressaoInstantanea d;
    d.empresa = QStringLiteral("Padaria Central, Lda.");
    d.entrada = {QStringLiteral("EPR"), QStringLiteral("00000012"), QStringLiteral("2026-03-04")};
    d.dataEmissao = QStringLiteral("06-03-2026");
    return d;
}

// A free run: two raw materials out on the stock-out document, two finished products in, one of them
// with a lot and references and one with a quantity that shows the thousands separator.
ImpressaoInstantanea livre() {
    ImpressaoInstantanea d = base();
    d.saida = {QStringLiteral("SPR"), QStringLiteral("00000012"), QStringLiteral("2026-03-04")};
    auto bolo = linha("PA", QStringLiteral("Bolo de laranja"), "4", "2.75", "11");
    bolo.lote = QStringLiteral("L7");
    bolo.referencias = {QStringLiteral("V"), {}, QStringLiteral("REF1"), {}, QStringLiteral("AZ"), QStringLiteral("42"), {}};
    d.acabados = {bolo, linha("PB", QStringLiteral("Broa de milho"), "1250", "0.0088", "11")};
    d.materias = {linha("MP1", QStringLiteral("Farinha"), "10", "2", "20"),
                  linha("MP2", QStringLiteral("Ovo"), "4", "0.5", "2")};
    return d;
}

// A run that closed a process: the material taken 5 and 5 at 2.00 and returned 4, on its
// equipment.
ImpressaoInstantanea comProcesso() {
    ImpressaoInstantanea d = base();
    d.processo = QStringLiteral("000017");
    d.descricaoProcesso = QStringLiteral("Encomenda Silva");
    d.equipamento = QStringLiteral("FORNO2");
    d.descricaoEquipamento = QStringLiteral("Forno de lenha");
    d.acabados = {linha("PA", QStringLiteral("Bolo de laranja"), "3", "4", "12")};
    d.materias = {linha("MP1", QStringLiteral("Farinha"), "6", "2", "12")};
    return d;
}

// Texts recorded on one page.
QStringList textos(const DocumentoImpresso& doc, int pagina) {
    QStringList r;
    for (const ElementoExportado& e : doc.exportados)
        if (e.pagina == pagina)
            r << e.texto;
    return r;
}

} // namespace

TEST(ProducaoInstantaneaImpressao, LivreIgualAoFicheiroDeReferencia) {
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirProducaoInstantanea(p, livre()));
    ASSERT_TRUE(p.documento());
    EXPECT_EQ(p.documento()->numeroPaginas(), 1);
    confereComGolden(*p.documento(), "producao_instantanea_livre.txt");
}

TEST(ProducaoInstantaneaImpressao, ProcessoIgualAoFicheiroDeReferencia) {
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirProducaoInstantanea(p, comProcesso()));
    ASSERT_TRUE(p.documento());
    const QStringList t = textos(*p.documento(), 1);
    EXPECT_TRUE(t.contains("Produção Instantânea (Processo: 000017 - Encomenda Silva - Equipamento: FORNO2 - Forno de lenha)"));
    EXPECT_TRUE(t.contains("PRODUTOS CONSIDERADOS MATÉRIA PRIMA  (Vários Documentos)"));
    confereComGolden(*p.documento(), "producao_instantanea_processo.txt");
}

// Many finished products: every page carries the header, the footer and, inside a section, the
// column captions again; no line is lost across the breaks and each total comes once, at the end.
TEST(ProducaoInstantaneaImpressao, QuebraDePaginaRepeteColunasSemPerderLinhas) {
    ImpressaoInstantanea d = livre();
    d.acabados.clear();
    for (int i = 1; i <= 150; ++i)
        d.acabados.push_back(linha("PX", QStringLiteral("Produto %1").arg(i), "1", "0.5", "0.5"));
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirProducaoInstantanea(p, d));
    const DocumentoImpresso& doc = *p.documento();
    ASSERT_GE(doc.numeroPaginas(), 3);
    QStringList todos;
    for (int pag = 1; pag <= doc.numeroPaginas(); ++pag) {
        const QStringList t = textos(doc, pag);
        SCOPED_TRACE(pag);
        EXPECT_TRUE(t.contains("Produção Instantânea"));
        EXPECT_TRUE(t.contains("Data Emissão : 06-03-2026  -  Processado por Computador"));
        EXPECT_GE(t.count("Código"), 1);
        todos << t;
    }
    EXPECT_EQ(todos.filter(QRegularExpression(QStringLiteral("^Produto \\d+$"))).size(), 150);
    EXPECT_EQ(todos.count("CUSTO TOTAL"), 2);
    EXPECT_EQ(todos.count("75,00"), 1) << "150 × 0.50, once";
    EXPECT_EQ(todos.count("22,00"), 1);
    EXPECT_TRUE(textos(doc, doc.numeroPaginas())
                    .contains(QStringLiteral("PRODUTOS CONSIDERADOS MATÉRIA PRIMA  ( Documento: SPR nº 00000012 de "
                                             "04-03-2026)")));
}

TEST(ProducaoInstantaneaImpressao, PdfEscritoInteiro) {
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString ficheiro = pasta.filePath(QStringLiteral("producao.pdf"));
    ASSERT_TRUE(ProducaoInstantaneaParaPdf(comProcesso(), ficheiro));
    QFile f(ficheiro);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray conteudo = f.readAll();
    EXPECT_TRUE(conteudo.startsWith("%PDF"));
    EXPECT_TRUE(conteudo.trimmed().endsWith("%%EOF"));
}

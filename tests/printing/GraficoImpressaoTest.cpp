#include "printing/GraficoImpressao.h"
#include "printing/cPrinter.h"
#include "support/PaginasGravadas.h"

#include <gtest/gtest.h>

namespace {

Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }

// Four materials of one chair's lots: the varnish came back in full (0).
GraficoProducao pontos(MedidaGrafico medida) {
    GraficoProducao g;
    const struct {
        const char *codigo, *descricao, *quant, *valor;
    } linhas[] = {{"MP002", "Tábua de carvalho 25 mm", "8.8", "161.92"},
                  {"MP005", "Cola vinílica para madeira", "0.6", "4.14"},
                  {"MP007", "Verniz aquoso", "0", "0"},
                  {"MP009", "Parafuso 4x40", "32", "3.2"}};
    for (const auto& l : linhas) {
        PontoGrafico p;
        p.produto = QString::fromUtf8(l.codigo);
        p.descricao = QString::fromUtf8(l.descricao);
        p.quantidade = C(l.quant);
        p.valor = C(l.valor);
        g.totalQuantidade += p.quantidade;
        g.totalValor += p.valor;
        g.pontos.push_back(p);
    }
    CalculaPesos(g, medida);
    return g;
}

FiltroGrafico filtro() {
    FiltroGrafico f;
    f.produto = QStringLiteral("PA002");
    f.de = QStringLiteral("2026-03-01");
    f.ate = QStringLiteral("2026-03-31");
    return f;
}

QStringList textos(const DocumentoImpresso& doc, int pagina = 0) {
    QStringList r;
    for (const ElementoExportado& e : doc.exportados)
        if (pagina == 0 || e.pagina == pagina)
            r << e.texto;
    return r;
}

int poligonos(const DocumentoImpresso& doc) {
    int n = 0;
    for (const PaginaImpressa& p : doc.paginas)
        for (const OpDesenho& op : p.ops)
            n += std::holds_alternative<OpPoligono>(op) ? 1 : 0;
    return n;
}

int caixasPreenchidas(const DocumentoImpresso& doc) {
    int n = 0;
    for (const PaginaImpressa& p : doc.paginas)
        for (const OpDesenho& op : p.ops)
            if (const auto* b = std::get_if<OpRectangulo>(&op))
                n += b->preenchimento.isValid() ? 1 : 0;
    return n;
}

std::shared_ptr<DocumentoImpresso> imprimir(const GraficoProducao& g, TipoGrafico tipo) {
    cPrinter p;
    p.GravarExportacao(true);
    EXPECT_TRUE(ImprimirGrafico(p, g, filtro(), QStringLiteral("Cadeira em carvalho"), tipo, 3, 2,
                                QStringLiteral("Carpintaria do Vale, Lda."), QStringLiteral("S"), QDate(2026, 3, 6)));
    return p.documento();
}

} // namespace

// The table with its total and the bars: one coloured bar per material but the one at zero,
// four legend boxes.
TEST(GraficoImpressao, BarrasIgualAoFicheiroDeReferencia) {
    const GraficoProducao g = pontos(MedidaGrafico::Quantidade);
    const auto doc = imprimir(g, TipoGrafico::Barras);
    ASSERT_TRUE(doc);
    const QStringList t = textos(*doc);
    EXPECT_TRUE(t.contains("Gráfico Estatístico de Produção"));
    EXPECT_TRUE(t.contains("Lote Produzido: Todos"));
    EXPECT_TRUE(t.contains("Número de Processo: Todos"));
    EXPECT_TRUE(t.contains("Produto Acabado: PA002 - Cadeira em carvalho"));
    for (const char* c : {"Produto", "Descrição", "Quantidade", "Custo", "Peso %", "Total"})
        EXPECT_TRUE(t.contains(QString::fromUtf8(c))) << c;
    EXPECT_TRUE(t.contains("41,400")) << "8.8 + 0.6 + 0 + 32";
    EXPECT_TRUE(t.contains("169,26"));
    EXPECT_TRUE(t.contains("77,29")) << "32 of 41.4";
    EXPECT_TRUE(t.contains("3 MP007 - Verniz aquoso")) << "a material at zero stays in the legend";
    EXPECT_EQ(caixasPreenchidas(*doc), 3 + 4);
    EXPECT_EQ(poligonos(*doc), 0);
    confereComGolden(*doc, "grafico_barras.txt");

    const DadosRelatorio d = DadosGrafico(g, filtro(), QStringLiteral("Cadeira em carvalho"), TipoGrafico::Barras);
    EXPECT_EQ(d.relatorio.toStdString(), "grafico");
    ASSERT_EQ(d.linhas.size(), 4);
    EXPECT_EQ(d.linhas[0].toObject()["tipo"].toString().toStdString(), "material");
    EXPECT_EQ(d.linhas[2].toObject()["quantidade"].toString().toStdString(), "0.0000");
    EXPECT_EQ(d.totais["valor"].toString().toStdString(), "169.2600");
    EXPECT_EQ(d.filtros["grafico"].toString().toStdString(), "barras");
}

// By value, as a pie: one slice per material above zero, none for the varnish.
TEST(GraficoImpressao, CircularIgualAoFicheiroDeReferencia) {
    const GraficoProducao g = pontos(MedidaGrafico::Valor);
    const auto doc = imprimir(g, TipoGrafico::Circular);
    ASSERT_TRUE(doc);
    const QStringList t = textos(*doc);
    EXPECT_TRUE(t.contains("Valor por Matéria-Prima"));
    EXPECT_TRUE(t.contains("95,66")) << "161.92 of 169.26";
    EXPECT_EQ(poligonos(*doc), 3);
    EXPECT_EQ(caixasPreenchidas(*doc), 4) << "the legend's boxes only";
    confereComGolden(*doc, "grafico_circular.txt");
}

// 28 materials fill the first page: the chart goes to the next, without the table's captions.
TEST(GraficoImpressao, GraficoNumaPaginaPropriaSemCabecalhoDaTabela) {
    GraficoProducao g;
    for (int i = 1; i <= 28; ++i) {
        PontoGrafico p;
        p.produto = QStringLiteral("M%1").arg(i, 2, 10, QLatin1Char('0'));
        p.quantidade = Currency(i);
        p.valor = Currency(i);
        g.totalQuantidade += p.quantidade;
        g.totalValor += p.valor;
        g.pontos.push_back(p);
    }
    CalculaPesos(g, MedidaGrafico::Quantidade);
    const auto doc = imprimir(g, TipoGrafico::Circular);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->numeroPaginas(), 2);
    EXPECT_TRUE(textos(*doc, 1).contains("Descrição"));
    EXPECT_FALSE(textos(*doc, 2).contains("Descrição"));
    EXPECT_TRUE(textos(*doc, 2).contains("Quantidade por Matéria-Prima"));
    EXPECT_EQ(poligonos(*doc), 28);
}

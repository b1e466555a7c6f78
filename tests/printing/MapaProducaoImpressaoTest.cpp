#include "printing/MapaProducaoImpressao.h"
#include "printing/cPrinter.h"
#include "support/PaginasGravadas.h"

#include <gtest/gtest.h>

namespace {

Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }

BlocoMapaDiscriminado bloco(const char* lote, const char* quant, const char* custo) {
    BlocoMapaDiscriminado b;
    b.lote = QString::fromLatin1(lote);
    b.data = QStringLiteral("2026-03-10");
    b.produto = QStringLiteral("PA002");
    b.descricao = QStringLiteral("Cadeira em carvalho");
    b.armazem = QStringLiteral("002");
    b.quantidade = C(quant);
    b.custoTotal = C(custo);
    b.custoUnitario = b.custoTotal.divide(b.quantidade, Currency::Arredondamento::MetadeAfastaDeZero);
    b.linhas = {{QStringLiteral("MP002"), QStringLiteral("Tábua de carvalho 25 mm"), QStringLiteral("001"), {}, C("4.4"),
                 C("18.4"), C("80.96")},
                {QStringLiteral("MP002"), QStringLiteral("Tábua de carvalho 25 mm"), QStringLiteral("001"), {}, C("-0.4"),
                 C("18.4"), C("-7.36")},
                {QStringLiteral("MP005"), QStringLiteral("Cola vinílica para madeira"), QStringLiteral("001"),
                 QStringLiteral("CV-0118"), C("0.3"), C("6.9"), C("2.07")}};
    for (const auto& l : b.linhas)
        b.somaComponentes += l.custoTotal;
    return b;
}

QStringList textos(const DocumentoImpresso& doc) {
    QStringList r;
    for (const ElementoExportado& e : doc.exportados)
        r << e.texto;
    return r;
}

} // namespace

// Each block closes with its components' sum; the general total is the sum of the blocks, and
// the return prints as a negative row.
TEST(MapaProducaoImpressao, DiscriminadoIgualAoFicheiroDeReferencia) {
    MapaDiscriminado m;
    m.blocos = {bloco("0000000001", "2", "75.67"), bloco("0000000002", "1", "75.67")};
    for (const auto& b : m.blocos)
        m.totalGeral += b.somaComponentes;
    FiltroMapaProducao f;
    f.de = "2026-03-01";
    f.ate = "2026-03-31";
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirMapaDiscriminado(p, m, f, {}, 2, 2, QStringLiteral("Carpintaria do Vale, Lda."),
                                         QStringLiteral("S"), QDate(2026, 3, 6)));
    const QStringList t = textos(*p.documento());
    EXPECT_TRUE(t.contains("Mapa de Produção <Discriminado - Lotes>"));
    EXPECT_TRUE(t.contains("Produto : Todos"));
    EXPECT_TRUE(t.contains("Data Inicial : 01-03-2026     Data Final : 31-03-2026"));
    EXPECT_TRUE(t.contains("-0,40"));
    EXPECT_TRUE(t.contains("-7,36"));
    EXPECT_EQ(t.count("75,67"), 4) << "two lots' costs and their two sums";
    EXPECT_TRUE(t.contains("151,34"));
    EXPECT_EQ(t.count("Soma do custo dos varios Componentes"), 2);
    confereComGolden(*p.documento(), "mapa_producao_discriminado.txt");

    const DadosRelatorio d = DadosMapaDiscriminado(m, f);
    EXPECT_EQ(d.totais["custoTotal"].toString().toStdString(), "151.3400");
    EXPECT_EQ(d.linhas.size(), 10);
}

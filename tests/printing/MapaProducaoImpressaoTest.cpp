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

QStringList textos(const DocumentoImpresso& doc, int pagina = 0) {
    QStringList r;
    for (const ElementoExportado& e : doc.exportados)
        if (pagina == 0 || e.pagina == pagina)
            r << e.texto;
    return r;
}

ComponenteMapaProducao componente(const char* produto, const QString& descricao, const char* qa, const char* ca,
                                  const char* qb, const char* pb) {
    ComponenteMapaProducao c;
    c.produto = QString::fromLatin1(produto);
    c.descricao = descricao;
    c.armazem = QStringLiteral("001");
    c.quantidadeAplicada = C(qa);
    c.custoAplicado = C(ca);
    if (!c.quantidadeAplicada.isZero())
        c.precoAplicado = c.custoAplicado.divide(c.quantidadeAplicada, Currency::Arredondamento::MetadeAfastaDeZero);
    if (qb) {
        c.naNomenclatura = true;
        c.quantidadeNomenclatura = C(qb);
        c.precoNomenclatura = C(pb);
        c.custoNomenclatura = c.quantidadeNomenclatura.multiply(c.precoNomenclatura,
                                                                Currency::Arredondamento::MetadeAfastaDeZero);
    }
    return c;
}

// Two chairs: the oak came back in part, the glue from two stock lots, and a sanding roll that the
// bill no longer has.
LoteMapaProducao loteCadeiras(const char* lote) {
    LoteMapaProducao l;
    l.lote = QString::fromLatin1(lote);
    l.data = QStringLiteral("2026-03-10");
    l.produto = QStringLiteral("PA002");
    l.descricao = QStringLiteral("Cadeira em carvalho");
    l.armazem = QStringLiteral("002");
    l.quantidade = C("2");
    l.componentes = {componente("MP002", QStringLiteral("Tábua de carvalho 25 mm"), "4", "73.6", "4.4", "18.4"),
                     componente("MP005", QStringLiteral("Cola vinílica para madeira"), "0.3", "2.07", "0.3", "6.9"),
                     componente("MP012", QStringLiteral("Lixa em rolo grão 120"), "1", "2.1", nullptr, nullptr)};
    l.componentes[1].lotes = {QStringLiteral("CV-0118"), QStringLiteral("CV-0207")};
    for (const auto& c : l.componentes) {
        l.somaAplicado += c.custoAplicado;
        l.somaNomenclatura += c.custoNomenclatura;
    }
    l.custoTotal = l.somaAplicado;
    l.custoUnitario = l.custoTotal.divide(l.quantidade, Currency::Arredondamento::MetadeAfastaDeZero);
    return l;
}

MapaProducao mapaCadeiras(int lotes, bool discriminado) {
    MapaProducao m;
    m.discriminado = discriminado;
    for (int i = 1; i <= lotes; ++i) {
        m.lotes.push_back(loteCadeiras(QString::number(i).rightJustified(10, u'0').toLatin1().constData()));
        if (!discriminado)
            m.lotes.back().componentes.clear();
        m.totalCustoLotes += m.lotes.back().custoTotal;
        m.totalAplicado += m.lotes.back().somaAplicado;
        m.totalNomenclatura += m.lotes.back().somaNomenclatura;
    }
    return m;
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

// Each material shows a), b) and the deviation; the lot's sums and the final total are the sums of
// their rows, and a material missing from the bill leaves b) blank.
TEST(MapaProducaoImpressao, MapaIgualAoFicheiroDeReferencia) {
    const MapaProducao m = mapaCadeiras(2, true);
    FiltroMapaProducao f;
    f.produto = "PA002";
    f.de = "2026-03-01";
    f.ate = "2026-03-31";
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirMapaProducao(p, m, f, QStringLiteral("Cadeira em carvalho"), 2, 2,
                                     QStringLiteral("Carpintaria do Vale, Lda."), QStringLiteral("S"), QDate(2026, 3, 6)));
    const QStringList t = textos(*p.documento());
    EXPECT_TRUE(t.contains("Mapa de Produção"));
    EXPECT_TRUE(t.contains("Produto : PA002 - Cadeira em carvalho"));
    EXPECT_TRUE(t.contains("Data Inicial : 01-03-2026     Data Final : 31-03-2026"));
    for (const char* s : {"Produto Acabado", "Produto M.Prima", "Arm.", "Lote", "Valores aplicados na produção  a)",
                          "Valores da nomenclatura  b)", "Desvio", "a) - b)"})
        EXPECT_TRUE(t.contains(QString::fromUtf8(s))) << s;
    EXPECT_EQ(t.count("Quantidade"), 2);
    EXPECT_EQ(t.count("Custo Total"), 2);
    EXPECT_EQ(t.count("4,40"), 2);
    EXPECT_EQ(t.count("-0,40"), 2);
    EXPECT_EQ(t.count("80,96"), 2);
    EXPECT_EQ(t.count("-7,36"), 2);
    // Per lot: a) 73,60 + 2,07 + 2,10 = 77,77; b) 80,96 + 2,07 = 83,03; deviation -5,26.
    EXPECT_EQ(t.count("Soma dos Componentes"), 2);
    EXPECT_EQ(t.count("83,03"), 2);
    EXPECT_EQ(t.count("-5,26"), 2);
    EXPECT_TRUE(t.contains("Total final"));
    EXPECT_TRUE(t.contains("166,06"));
    EXPECT_TRUE(t.contains("-10,52"));
    EXPECT_FALSE(t.contains("CV-0118")) << "two stock lots do not fit the column";
    confereComGolden(*p.documento(), "mapa_producao.txt");

    const DadosRelatorio d = DadosMapaProducao(m, f);
    EXPECT_EQ(d.relatorio.toStdString(), "mapa-producao");
    EXPECT_EQ(d.linhas.size(), 11) << "per lot: the lot, three materials, the sum; then the total";
    EXPECT_EQ(d.totais["custoNomenclatura"].toString().toStdString(), "166.0600");
    EXPECT_EQ(d.totais["desvioCusto"].toString().toStdString(), "-10.5200");
}

// Without itemising only the lots print, and the final total is their cost.
TEST(MapaProducaoImpressao, MapaSemDiscriminarSoLotes) {
    const MapaProducao m = mapaCadeiras(2, false);
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirMapaProducao(p, m, {}, {}, 2, 2, QStringLiteral("Carpintaria do Vale, Lda."),
                                     QStringLiteral("S"), QDate(2026, 3, 6)));
    const QStringList t = textos(*p.documento());
    EXPECT_TRUE(t.contains("Produto : Todos"));
    EXPECT_TRUE(t.contains("0000000002"));
    EXPECT_FALSE(t.contains("MP002"));
    EXPECT_FALSE(t.contains("Soma dos Componentes"));
    EXPECT_EQ(t.count("77,77"), 2);
    EXPECT_TRUE(t.contains("Total final"));
    EXPECT_TRUE(t.contains("155,54"));
    const DadosRelatorio d = DadosMapaProducao(m, {});
    EXPECT_EQ(d.linhas.size(), 3);
    EXPECT_FALSE(d.totais.contains("desvioCusto"));
}

// A long map breaks pages with the title, captions and footer on each, and loses no lot.
TEST(MapaProducaoImpressao, MapaQuebraDePaginaRepeteCabecalho) {
    const MapaProducao m = mapaCadeiras(30, true);
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirMapaProducao(p, m, {}, {}, 2, 2, QStringLiteral("Carpintaria do Vale, Lda."),
                                     QStringLiteral("S"), QDate(2026, 3, 6)));
    const DocumentoImpresso& doc = *p.documento();
    ASSERT_GE(doc.numeroPaginas(), 3);
    int lotes = 0, somas = 0;
    for (int pag = 1; pag <= doc.numeroPaginas(); ++pag) {
        SCOPED_TRACE(pag);
        const QStringList t = textos(doc, pag);
        EXPECT_TRUE(t.contains("Mapa de Produção"));
        EXPECT_TRUE(t.contains("Valores da nomenclatura  b)"));
        EXPECT_TRUE(t.contains("Data Emissão : 06-03-2026  -  Processado por Computador"));
        for (const QString& s : t) {
            lotes += s.startsWith(QStringLiteral("00000000"));
            somas += s == QStringLiteral("Soma dos Componentes");
        }
    }
    EXPECT_EQ(lotes, 30);
    EXPECT_EQ(somas, 30);
    EXPECT_EQ(textos(doc, doc.numeroPaginas()).count("Total final"), 1);
}

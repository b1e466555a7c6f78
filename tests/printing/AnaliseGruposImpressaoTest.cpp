#include "printing/AnaliseGruposImpressao.h"
#include "printing/cPrinter.h"
#include "support/PaginasGravadas.h"

#include <gtest/gtest.h>

namespace {

Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }

MovimentoAnalise movimento(const char* data, const char* numero, const char* armazem, const char* q, const char* preco) {
    MovimentoAnalise m;
    m.data = QString::fromLatin1(data);
    m.tipo = QStringLiteral("SPR");
    m.numero = QString::fromLatin1(numero);
    m.armazem = QString::fromLatin1(armazem);
    m.quantidade = C(q);
    m.preco = C(preco);
    m.valor = m.quantidade.multiply(m.preco, Currency::Arredondamento::MetadeAfastaDeZero);
    return m;
}

ProdutoAnalise produto(const char* codigo, const char* descricao, std::vector<MovimentoAnalise> movimentos) {
    ProdutoAnalise p;
    p.codigo = QString::fromLatin1(codigo);
    p.descricao = QString::fromUtf8(descricao);
    p.movimentos = std::move(movimentos);
    for (const auto& m : p.movimentos)
        p.total.somar({m.quantidade, m.valor});
    return p;
}

// Raw materials in two families (oak boards; glue and varnish), and one finished product.
AnaliseGrupos analise() {
    SubfamiliaAnalise tabuas{QStringLiteral("01"), QStringLiteral("Carvalho"),
                             {produto("MP002", "Tábua de carvalho 25 mm",
                                      {movimento("2026-03-02", "00000014", "001", "4.4", "18.4"),
                                       movimento("2026-03-09", "00000015", "001", "2.2", "18.6")})},
                             {}};
    SubfamiliaAnalise acabamentos{QStringLiteral("02"), QStringLiteral("Colas e vernizes"),
                                  {produto("MP005", "Cola vinílica para madeira",
                                           {movimento("2026-03-02", "00000014", "001", "0.3", "6.9")}),
                                   produto("MP006", "Verniz aquoso mate",
                                           {movimento("2026-03-09", "00000015", "003", "0.5", "14.75")})},
                                  {}};
    FamiliaAnalise madeiras{QStringLiteral("01"), QStringLiteral("Madeiras maciças"), {tabuas}, {}};
    FamiliaAnalise acabamento{QStringLiteral("04"), QStringLiteral("Acabamentos"), {acabamentos}, {}};
    GrupoAnalise mp{QStringLiteral("01"), QStringLiteral("Matérias-Primas"), {madeiras, acabamento}, {}};
    SubfamiliaAnalise cadeiras{{}, {}, {produto("PA002", "Cadeira em carvalho",
                                                {movimento("2026-03-10", "00000003", "002", "2", "75.67")})},
                               {}};
    FamiliaAnalise moveis{QStringLiteral("05"), QStringLiteral("Mobiliário"), {cadeiras}, {}};
    GrupoAnalise pa{QStringLiteral("02"), QStringLiteral("Produto Acabado"), {moveis}, {}};
    AnaliseGrupos a;
    a.grupos = {mp, pa};
    for (GrupoAnalise& g : a.grupos) {
        for (FamiliaAnalise& f : g.familias) {
            for (SubfamiliaAnalise& s : f.subfamilias) {
                for (const ProdutoAnalise& p : s.produtos)
                    s.total.somar(p.total);
                f.total.somar(s.total);
            }
            g.total.somar(f.total);
        }
        a.total.somar(g.total);
    }
    return a;
}

FiltroAnaliseGrupos filtro(bool resumo) {
    FiltroAnaliseGrupos f;
    f.tipo = QStringLiteral("SPR");
    f.armazens = {QStringLiteral("001"), QStringLiteral("003")};
    f.de = QStringLiteral("2026-03-01");
    f.ate = QStringLiteral("2026-03-31");
    f.resumo = resumo;
    return f;
}

QStringList textos(const DocumentoImpresso& doc) {
    QStringList r;
    for (const ElementoExportado& e : doc.exportados)
        r << e.texto;
    return r;
}

DescricoesAnaliseGrupos descricoes() {
    DescricoesAnaliseGrupos d;
    d.tipo = QStringLiteral("Saída para Produção");
    return d;
}

} // namespace

// Itemised: each product with its rows and total, the breaks of subfamily, family and group, the
// general total, the filters and the weighted prices.
TEST(AnaliseGruposImpressao, DiscriminadoIgualAoFicheiroDeReferencia) {
    const AnaliseGrupos a = analise();
    const FiltroAnaliseGrupos f = filtro(false);
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirAnaliseGrupos(p, a, f, descricoes(), 2, 2, QStringLiteral("Carpintaria do Vale, Lda."),
                                      QStringLiteral("S"), QDate(2026, 3, 6)));
    const QStringList t = textos(*p.documento());
    EXPECT_TRUE(t.contains("Tipo : SPR - Saída para Produção  << DISCRIMINADO >>"));
    EXPECT_TRUE(t.contains("Produto : Todos os Produtos     Situação : Todas as Situações     Vendedor : Todos os "
                           "Vendedores"));
    EXPECT_TRUE(t.contains("Grupo : Todos os Grupos     Família : Todas as Famílias     Subfamília : Todas as "
                           "Subfamílias"));
    EXPECT_TRUE(t.contains("Produto -> MP002  Tábua de carvalho 25 mm"));
    EXPECT_TRUE(t.contains("Qty * Prç"));
    EXPECT_TRUE(t.contains("*) Preço Médio de Custo do Periodo"));
    // 4.4 × 18.4 + 2.2 × 18.6 = 80.96 + 40.92 = 121.88 over 6.6: 18.4667.
    EXPECT_EQ(t.count("121,88"), 3) << "product, subfamily and family";
    EXPECT_TRUE(t.contains("18,4667"));
    EXPECT_EQ(t.count("Total da Subfamilia - - - - - - - - - - - - - - - - - - - ->"), 3);
    EXPECT_EQ(t.count("Total da Familia  - - - - - - - - - - - - - - - - - - - - - - - ->"), 3);
    EXPECT_EQ(t.count("Total do Grupo  - - - - - - - - - - - - - - - - - - - - - - - - - - - ->"), 2);
    // 121.88 + 2.07 + 7.375 = 131.325 (rounded 131,33 on paper), + 151.34 = 282.665.
    EXPECT_TRUE(t.contains("282,67"));
    confereComGolden(*p.documento(), "analise_grupos.txt");

    const DadosRelatorio d = DadosAnaliseGrupos(a, f);
    EXPECT_EQ(d.relatorio.toStdString(), "analise-grupos");
    EXPECT_EQ(d.totais["valor"].toString().toStdString(), "282.6650");
    // 4 products, 5 rows, 3 subfamilies, 3 families, 2 groups and the total.
    EXPECT_EQ(d.linhas.size(), 18);
}

// The summary prints one line per product and the breaks, never the rows.
TEST(AnaliseGruposImpressao, ResumoIgualAoFicheiroDeReferencia) {
    const AnaliseGrupos a = analise();
    const FiltroAnaliseGrupos f = filtro(true);
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirAnaliseGrupos(p, a, f, descricoes(), 2, 2, QStringLiteral("Carpintaria do Vale, Lda."),
                                      QStringLiteral("S"), QDate(2026, 3, 6)));
    const QStringList t = textos(*p.documento());
    EXPECT_TRUE(t.contains("Tipo : SPR - Saída para Produção  << RESUMO >>"));
    EXPECT_FALSE(t.contains("00000014")) << "no document rows in the summary";
    EXPECT_FALSE(t.contains("Data"));
    EXPECT_TRUE(t.contains("Produto -> MP006  Verniz aquoso mate"));
    EXPECT_TRUE(t.contains("18,4667"));
    EXPECT_TRUE(t.contains("282,67"));
    confereComGolden(*p.documento(), "analise_grupos_resumo.txt");

    const DadosRelatorio d = DadosAnaliseGrupos(a, f);
    EXPECT_EQ(d.linhas.size(), 13) << "no \"movimento\" rows";
}

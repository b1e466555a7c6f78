#include "printing/DiarioInstantaneaImpressao.h"
#include "printing/cPrinter.h"
#include "support/PaginasGravadas.h"

#include <gtest/gtest.h>

namespace {

Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }

LadoDiarioInstantanea lado(const char* produto, const char* descricao, const char* quant, const char* preco,
                           const char* valor) {
    return {QString::fromLatin1(produto), QString::fromUtf8(descricao), C(quant), C(preco), C(valor)};
}

GrupoDiarioInstantanea grupo(const char* data, const char* processo, const char* nomenclatura, const char* descricao,
                             const char* fluxo, std::vector<LinhaDiarioInstantanea> linhas) {
    GrupoDiarioInstantanea g;
    g.data = QString::fromLatin1(data);
    g.processo = QString::fromLatin1(processo);
    g.nomenclatura = QString::fromLatin1(nomenclatura);
    g.descricaoNomenclatura = QString::fromUtf8(descricao);
    g.fluxo = QString::fromLatin1(fluxo);
    g.linhas = std::move(linhas);
    for (const auto& l : g.linhas) {
        g.totalMP += l.mp.valor;
        g.totalPA += l.pa.valor;
    }
    return g;
}

DiarioInstantanea diario(ModoDiarioInstantanea modo, std::vector<GrupoDiarioInstantanea> grupos) {
    DiarioInstantanea d;
    d.modo = modo;
    d.grupos = std::move(grupos);
    for (const auto& g : d.grupos) {
        d.totalMP += g.totalMP;
        d.totalPA += g.totalPA;
    }
    return d;
}

QStringList textos(const DocumentoImpresso& doc) {
    QStringList r;
    for (const ElementoExportado& e : doc.exportados)
        r << e.texto;
    return r;
}

const QString Empresa = QStringLiteral("Carpintaria do Vale, Lda.");

} // namespace

// Two runs of one day and one of the next: each date heads its runs once, a run with more raw
// materials than products leaves the product side blank, and every run closes with its total.
TEST(DiarioInstantaneaImpressao, DiarioCorridoIgualAoFicheiroDeReferencia) {
    const DiarioInstantanea d = diario(
        ModoDiarioInstantanea::DiarioCorrido,
        {grupo("2026-03-10", "9", "CONJ-MESA", "Mesa de jantar com 4 cadeiras", "A",
               {{lado("MP002", "Tábua de carvalho 25 mm", "15.3", "18.4", "281.52"),
                 lado("PA001", "Mesa de jantar em carvalho", "1", "350.7", "350.7")},
                {lado("MP009", "Parafuso 4x40", "64", "0.05", "3.2"), {}},
                {lado("MP012", "Verniz aquoso", "3.5", "9.8", "34.3"), {}}}),
         grupo("2026-03-10", "10", "", "", "", {{{}, lado("PA003", "Estante em pinho", "2", "40", "80")}}),
         grupo("2026-03-11", "11", "ESTANTE", "Estante em pinho", "B",
               {{lado("MP001", "Tábua de pinho 20 mm", "9", "7.25", "65.25"),
                 lado("PA003", "Estante em pinho", "1", "65.25", "65.25")}})});
    FiltroDiarioInstantanea f;
    f.de = "2026-03-01";
    f.ate = "2026-03-31";
    f.fluxo = "Todos";
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirDiarioInstantanea(p, d, f, {}, 2, 2, Empresa, QStringLiteral("S"), QDate(2026, 3, 6)));
    const QStringList t = textos(*p.documento());
    EXPECT_TRUE(t.contains("Diário de Produção Instantânea"));
    EXPECT_TRUE(t.contains("Nomenclatura : Todas     Fluxo : Todos"));
    EXPECT_TRUE(t.contains("Dt Inicial : 01-03-2026     Dt Final : 31-03-2026"));
    EXPECT_EQ(t.count("Matéria Prima"), 1);
    EXPECT_EQ(t.count("Produto Acabado"), 1);
    EXPECT_EQ(t.count("Data : 10-03-2026"), 1) << "one heading per date";
    EXPECT_EQ(t.count("Data : 11-03-2026"), 1);
    EXPECT_TRUE(t.contains("Processo : 9     Nomenclatura : CONJ-MESA - Mesa de jantar com 4 cadeiras     Fluxo : A"));
    EXPECT_TRUE(t.contains("Processo : 10")) << "a run without a bill names no bill";
    EXPECT_TRUE(t.contains("Total Processo nº 9"));
    EXPECT_TRUE(t.contains("319,02")) << "281,52 + 3,20 + 34,30";
    EXPECT_TRUE(t.contains("Total Geral"));
    EXPECT_TRUE(t.contains("384,27"));
    EXPECT_TRUE(t.contains("495,95"));
    confereComGolden(*p.documento(), "diario_instantanea.txt");

    const DadosRelatorio dados = DadosDiarioInstantanea(d, f);
    EXPECT_EQ(dados.relatorio.toStdString(), "diario-instantanea");
    EXPECT_EQ(dados.filtros["modo"].toString().toStdString(), "diario");
    EXPECT_EQ(dados.linhas.size(), 11) << "3 groups, 5 lines, 3 totals";
    EXPECT_TRUE(dados.linhas[2].toObject().value(QStringLiteral("pa")).isNull()) << "the second line of run 9 has no product";
    EXPECT_EQ(dados.linhas[1].toObject()["mp"].toObject()["valor"].toString().toStdString(), "281.5200");
    EXPECT_EQ(dados.totais["valorMP"].toString().toStdString(), "384.2700");
    EXPECT_EQ(dados.totais["valorPA"].toString().toStdString(), "495.9500");
}

// Per flow: a heading and a total per flow, the runs without a bill under their own group.
TEST(DiarioInstantaneaImpressao, AcumuladoPorFluxoIgualAoFicheiroDeReferencia) {
    const DiarioInstantanea d = diario(
        ModoDiarioInstantanea::PorFluxo,
        {grupo("", "", "", "", "A",
               {{lado("MP002", "Tábua de carvalho 25 mm", "8", "4.5", "36"),
                 lado("PA001", "Mesa de jantar em carvalho", "4", "10", "40")},
                {lado("MP009", "Parafuso 4x40", "64", "0.05", "3.2"), {}}}),
         grupo("", "", "", "", "", {{{}, lado("PA003", "Estante em pinho", "2", "40", "80")}})});
    FiltroDiarioInstantanea f;
    f.nomenclatura = "CONJ-MESA";
    f.fluxo = "A";
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirDiarioInstantanea(p, d, f, QStringLiteral("Mesa de jantar com 4 cadeiras"), 2, 2, Empresa,
                                          QStringLiteral("S"), QDate(2026, 3, 6)));
    const QStringList t = textos(*p.documento());
    EXPECT_TRUE(t.contains("Nomenclatura : CONJ-MESA - Mesa de jantar com 4 cadeiras     Fluxo : A"));
    EXPECT_TRUE(t.contains("Dt Inicial : --     Dt Final : --"));
    EXPECT_TRUE(t.contains("<< Acumulados por Fluxo >>"));
    EXPECT_TRUE(t.contains("Fluxo : A"));
    EXPECT_TRUE(t.contains("Total Fluxo A"));
    EXPECT_TRUE(t.contains("Total Fluxo (sem fluxo)"));
    EXPECT_TRUE(t.filter(QStringLiteral("Data : ")).isEmpty()) << "no dates when accumulated";
    EXPECT_TRUE(t.contains("4,50"));
    EXPECT_TRUE(t.contains("36,00"));
    EXPECT_TRUE(t.contains("39,20"));
    confereComGolden(*p.documento(), "diario_instantanea_fluxo.txt");

    const DadosRelatorio dados = DadosDiarioInstantanea(d, f);
    EXPECT_EQ(dados.filtros["modo"].toString().toStdString(), "fluxo");
    EXPECT_EQ(dados.filtros["fluxo"].toString().toStdString(), "A");
    EXPECT_EQ(dados.linhas[1].toObject()["mp"].toObject()["preco"].toString().toStdString(), "4.5000");
    EXPECT_EQ(dados.totais["valorPA"].toString().toStdString(), "120.0000");
}

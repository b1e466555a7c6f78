#include "printing/FolhaLoteImpressao.h"
#include "support/PaginasGravadas.h"

#include <gtest/gtest.h>

namespace {

Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }

// A closed lot with enough raw materials to need a second page, and amounts that show the
// thousands separator, the four-decimal unit cost and a return that left a line negative.
FolhaLote folhaExemplo() {
    FolhaLote f;
    f.lote = QStringLiteral("0000000042");
    f.produto = QStringLiteral("PA1");
    f.descricaoProduto = QStringLiteral("Pão de forma");
    f.quantidade = C("1250");
    f.custoUnitario = C("1.2346");
    f.custoTotal = C("1543.25");
    f.saida = {QStringLiteral("SPR"), QStringLiteral("00000007"), QStringLiteral("2026-03-04")};
    f.ref = {QStringLiteral("RPR"), QStringLiteral("00000002"), QStringLiteral("2026-03-05")};
    f.ret = {QStringLiteral("DPR"), QStringLiteral("00000003"), QStringLiteral("2026-03-05")};
    f.ent = {QStringLiteral("EPR"), QStringLiteral("00000007"), QStringLiteral("2026-03-04")};
    f.dataEmissao = QStringLiteral("06-03-2026");
    for (int i = 1; i <= 50; ++i)
        f.linhas.push_back({QStringLiteral("MP%1").arg(i, 3, 10, QChar(u'0')), QStringLiteral("Matéria-prima %1").arg(i),
                            QStringLiteral("001"), i == 7 ? C("-2.5") : C("1000").multiply(Currency(i), Currency::Arredondamento::Trunca),
                            C("0.0125"), i == 7 ? C("-0.03") : C("12.5").multiply(Currency(i), Currency::Arredondamento::Trunca)});
    return f;
}

} // namespace

// The production sheet as printed: header on every page, the lines, the footer; kept as a golden file.
TEST(FolhaLoteImpressao, FolhaIgualAoFicheiroDeReferencia) {
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirFolhaLote(p, folhaExemplo()));
    ASSERT_TRUE(p.documento());
    EXPECT_GE(p.documento()->numeroPaginas(), 2);
    confereComGolden(*p.documento(), "folha_producao.txt");
}

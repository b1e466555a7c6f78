#include "printing/CapacidadeImpressao.h"
#include "printing/cPrinter.h"
#include "support/PaginasGravadas.h"

#include <gtest/gtest.h>

namespace {

Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }

const QString Empresa = QStringLiteral("Carpintaria do Vale, Lda.");
const QDate Emissao(2026, 3, 6);

CapacidadeProduto produto(const char* codigo, const QString& descricao, const char* capacidade) {
    CapacidadeProduto c;
    c.produto = QString::fromLatin1(codigo);
    c.descricao = descricao;
    c.capacidade = C(capacidade);
    c.componentes = {{QStringLiteral("MP002"), QStringLiteral("Tábua de carvalho 25 mm"), QStringLiteral("001"), C("6.5"),
                      C("95.5")},
                     {QStringLiteral("MP009"), QStringLiteral("Cavilha de faia 8x40"), QStringLiteral("001"), C("16"),
                      C("0")}};
    return c;
}

QStringList textos(const DocumentoImpresso& doc, int pagina) {
    QStringList r;
    for (const ElementoExportado& e : doc.exportados)
        if (e.pagina == pagina)
            r << e.texto;
    return r;
}

} // namespace

TEST(CapacidadeImpressao, RelatorioIgualAoFicheiroDeReferencia) {
    const std::vector<CapacidadeProduto> lista = {produto("PA001", QStringLiteral("Mesa de jantar em carvalho"), "0"),
                                                  produto("PA002", QStringLiteral("Cadeira em carvalho"), "14.6923")};
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirCapacidade(p, lista, true, 2, Empresa, QStringLiteral("S"), Emissao));
    const DocumentoImpresso& doc = *p.documento();
    const QStringList t = textos(doc, 1);
    EXPECT_TRUE(t.contains(QStringLiteral("Previsão da Capacidade de Produção conforme a existência em stock dos "
                                          "componemtes")));
    EXPECT_TRUE(t.contains("14,69")) << "cut, and 14,6923 has nothing to round up anyway";
    EXPECT_TRUE(t.contains("6,50"));
    EXPECT_TRUE(t.contains("Data Emissão : 06-03-2026  -  Processado por Computador"));
    confereComGolden(doc, "capacidade.txt");
}

// The capacity is cut, never rounded up: 2,999 with two decimals is 2,99; without the components
// only the finished products print.
TEST(CapacidadeImpressao, CapacidadeCortadaESemDiscriminar) {
    const std::vector<CapacidadeProduto> lista = {produto("PA002", QStringLiteral("Cadeira"), "2.999")};
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirCapacidade(p, lista, false, 2, Empresa, QStringLiteral("S"), Emissao));
    const QStringList t = textos(*p.documento(), 1);
    EXPECT_TRUE(t.contains("2,99"));
    EXPECT_FALSE(t.contains("3,00"));
    EXPECT_FALSE(t.contains("MP002"));
}

// A long list breaks pages with the title, captions and footer on each, and no product is lost.
TEST(CapacidadeImpressao, QuebraDePaginaRepeteCabecalho) {
    std::vector<CapacidadeProduto> lista;
    for (int i = 1; i <= 80; ++i)
        lista.push_back(produto("PA", QStringLiteral("Produto %1").arg(i), "1"));
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirCapacidade(p, lista, true, 2, Empresa, QStringLiteral("S"), Emissao));
    const DocumentoImpresso& doc = *p.documento();
    ASSERT_GE(doc.numeroPaginas(), 3);
    int produtos = 0;
    for (int pag = 1; pag <= doc.numeroPaginas(); ++pag) {
        const QStringList t = textos(doc, pag);
        SCOPED_TRACE(pag);
        EXPECT_TRUE(t.contains(Empresa));
        EXPECT_TRUE(t.contains("Capacidade"));
        EXPECT_TRUE(t.contains("Data Emissão : 06-03-2026  -  Processado por Computador"));
        for (const QString& s : t)
            produtos += s.startsWith(QStringLiteral("Produto ")) && s != QStringLiteral("Produto Acabado") &&
                        s != QStringLiteral("Produto M.Prima");
    }
    EXPECT_EQ(produtos, 80);
}

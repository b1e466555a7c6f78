#include "printing/NomenclaturaImpressao.h"
#include "printing/cPrinter.h"
#include "support/PaginasGravadas.h"

#include <gtest/gtest.h>

namespace {

Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }

const QString Empresa = QStringLiteral("Carpintaria do Vale, Lda.");
const QDate Emissao(2026, 3, 6);

LinhaListagemNomenclatura linha(const char* acabado, const QString& desc, const char* prima, const QString& descPrima,
                                const char* quant, const char* factorOuMedida, const char* formulaOuTipo) {
    LinhaListagemNomenclatura l;
    l.produtoAcabado = QString::fromLatin1(acabado);
    l.descricaoAcabado = desc;
    l.produtoPrima = QString::fromLatin1(prima);
    l.descricaoPrima = descPrima;
    l.armazem = QStringLiteral("001");
    l.quantidade = C(quant);
    l.factor = l.medida = C(factorOuMedida);
    l.formula = l.tipoMedida = QString::fromLatin1(formulaOuTipo);
    return l;
}

QStringList textos(const DocumentoImpresso& doc) {
    QStringList r;
    for (const ElementoExportado& e : doc.exportados)
        r << e.texto;
    return r;
}

const std::vector<LinhaListagemNomenclatura> Comum = {
    linha("PA001", QStringLiteral("Mesa de jantar em carvalho"), "MP002", QStringLiteral("Tábua de carvalho 25 mm"), "6.5",
          "0", "A"),
    linha("PA001", QStringLiteral("Mesa de jantar em carvalho"), "MP009", QStringLiteral("Cavilha de faia 8x40"), "16",
          "1.25", "B"),
    linha("PA002", QStringLiteral("Cadeira em carvalho"), "MP002", QStringLiteral("Tábua de carvalho 25 mm"), "2.2", "0",
          "A")};

} // namespace

TEST(NomenclaturaImpressao, ListagemIgualAoFicheiroDeReferencia) {
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirListagemNomenclatura(p, Comum, false, true, 2, Empresa, QStringLiteral("S"), Emissao));
    const QStringList t = textos(*p.documento());
    EXPECT_TRUE(t.contains("Nomenclatura de Produtos Acabados"));
    EXPECT_TRUE(t.contains("Factor Conv."));
    EXPECT_TRUE(t.contains("6,50"));
    EXPECT_TRUE(t.contains("1,2500"));
    EXPECT_EQ(t.count("PA001"), 1) << "one block per finished product";
    confereComGolden(*p.documento(), "nomenclatura.txt");

    // Without the components only the finished products print.
    cPrinter q;
    q.GravarExportacao(true);
    ASSERT_TRUE(ImprimirListagemNomenclatura(q, Comum, false, false, 2, Empresa, QStringLiteral("S"), Emissao));
    const QStringList s = textos(*q.documento());
    EXPECT_TRUE(s.contains("PA002"));
    EXPECT_FALSE(s.contains("MP009"));
}

TEST(NomenclaturaImpressao, MedicoesComTipoPorExtenso) {
    const std::vector<LinhaListagemNomenclatura> linhas = {
        linha("PA005", QStringLiteral("Roupeiro por medida"), "MP001", QStringLiteral("Tábua de pinho 20 mm"), "4", "1", "L"),
        linha("PA005", QStringLiteral("Roupeiro por medida"), "MP003", QStringLiteral("Painel MDF"), "2", "1", "A"),
        linha("PA005", QStringLiteral("Roupeiro por medida"), "MP010", QStringLiteral("Dobradiça"), "4", "1", "F")};
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirListagemNomenclatura(p, linhas, true, true, 2, Empresa, QStringLiteral("S"), Emissao));
    const QStringList t = textos(*p.documento());
    EXPECT_TRUE(t.contains(QStringLiteral("Nomenclatura de Produtos Acabados (Medições)")));
    for (const char* tipo : {"Altura", "Largura", "Fixo"})
        EXPECT_TRUE(t.contains(QString::fromLatin1(tipo))) << tipo;
    EXPECT_FALSE(t.contains("Factor Conv."));
    confereComGolden(*p.documento(), "nomenclatura_medicoes.txt");

    const DadosRelatorio d = DadosListagemNomenclatura(linhas, true, {}, true);
    ASSERT_EQ(d.linhas.size(), 4);
    EXPECT_EQ(d.linhas[0].toObject()["tipo"].toString().toStdString(), "produto");
    EXPECT_EQ(d.linhas[1].toObject()["tipoMedida"].toString().toStdString(), "L");
    EXPECT_EQ(d.linhas[3].toObject()["medida"].toString().toStdString(), "1.0000");
}

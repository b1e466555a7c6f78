#include "printing/RastreabilidadeImpressao.h"
#include "printing/cPrinter.h"
#include "support/PaginasGravadas.h"

#include <gtest/gtest.h>

namespace {

Currency C(const char* t) {
    return Currency::fromString(QString::fromLatin1(t));
}

const QString Empresa = QStringLiteral("Carpintaria do Vale, Lda.");
const QDate Emissao(2026, 3, 6);

NoRastreio lote(const char* produto, const QString& descricao, const char* codigo, const char* quant) {
    NoRastreio n;
    n.produto = QString::fromLatin1(produto);
    n.descricao = descricao;
    n.lote = QString::fromLatin1(codigo);
    n.quantidade = C(quant);
    return n;
}

NoRastreio producao(OrigemRastreio o, const char* codigo, const char* quant, QStringList docs) {
    NoRastreio n;
    n.tipo = NoRastreio::Tipo::Producao;
    n.origem = o;
    n.codigo = QString::fromLatin1(codigo);
    n.data = QStringLiteral("2026-03-02");
    n.documentos = docs;
    n.quantidade = C(quant);
    return n;
}

// Glue into two lots of chairs, one of them into a table that also took chairs back: a repeat.
NoRastreio arvore() {
    NoRastreio raiz = lote("MP005", QStringLiteral("Cola vinílica para madeira"), "CV-0207", "0");
    NoRastreio a =
        producao(OrigemRastreio::LoteProducao, "0000000001", "0.3", {"SPR 00000001", "EPR 00000001"});
    NoRastreio cadA = lote("PA002", QStringLiteral("Cadeira em carvalho"), "CAD-A", "2");
    NoRastreio run = producao(OrigemRastreio::Instantanea, "4", "2", {"SPR 00000003", "EPR 00000003"});
    NoRastreio mesa = lote("PA001", QStringLiteral("Mesa de jantar em carvalho"), "MESA-1", "1");
    NoRastreio volta = producao(OrigemRastreio::Processo, "PR-7", "1", {"SPP 00000001"});
    volta.aberto = true;
    NoRastreio repetida = lote("PA002", QStringLiteral("Cadeira em carvalho"), "CAD-A", "2");
    repetida.repetido = true;
    volta.filhos = {repetida};
    mesa.filhos = {volta};
    run.filhos = {mesa};
    cadA.filhos = {run};
    a.filhos = {cadA};
    NoRastreio b =
        producao(OrigemRastreio::LoteMedicoes, "0000000002", "0.15", {"SPR 00000002", "EPR 00000002"});
    b.filhos = {lote("PA005", QStringLiteral("Roupeiro por medida"), "0000000002", "1")};
    raiz.filhos = {a, b};
    return raiz;
}

QStringList textos(const DocumentoImpresso& doc, int pagina) {
    QStringList r;
    for (const ElementoExportado& e : doc.exportados)
        if (e.pagina == pagina)
            r << e.texto;
    return r;
}

} // namespace

TEST(RastreabilidadeImpressao, ArvoreIgualAoFicheiroDeReferencia) {
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirRastreabilidade(p, arvore(), SentidoRastreio::Jusante, 2, Empresa,
                                        QStringLiteral("S"), Emissao));
    const DocumentoImpresso& doc = *p.documento();
    const QStringList t = textos(doc, 1);
    EXPECT_TRUE(t.contains(QStringLiteral("Rastreabilidade de Lotes")));
    EXPECT_TRUE(t.contains(QStringLiteral("Sentido : Jusante (o que se fez com o lote)")));
    EXPECT_TRUE(t.contains(QStringLiteral("Lote de produção 0000000001")));
    EXPECT_TRUE(t.contains(QStringLiteral("Processo de produção PR-7 (em aberto)")));
    EXPECT_TRUE(t.contains(QStringLiteral("SPR 00000001, EPR 00000001")));
    EXPECT_TRUE(t.contains(QStringLiteral("O produto repete-se: o percurso pára aqui.")));
    EXPECT_TRUE(t.contains(QStringLiteral("0,30")));
    EXPECT_TRUE(t.contains(QStringLiteral("02-03-2026")));
    EXPECT_EQ(t.count(QStringLiteral("0,00")), 0) << "the root has no quantity";
    confereComGolden(doc, "rastreabilidade.txt");
}

// Deeper levels stand further right; the repeated lot sits under its process.
TEST(RastreabilidadeImpressao, RecuoPorNivel) {
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirRastreabilidade(p, arvore(), SentidoRastreio::Jusante, 2, Empresa,
                                        QStringLiteral("S"), Emissao));
    double xRaiz = -1, xCadeira = -1, xRepetida = -1;
    int cadeiras = 0;
    for (const ElementoExportado& e : p.documento()->exportados) {
        if (e.texto.startsWith(QStringLiteral("MP005 - ")))
            xRaiz = e.x;
        if (e.texto == QStringLiteral("PA002 - Cadeira em carvalho"))
            (cadeiras++ == 0 ? xCadeira : xRepetida) = e.x;
    }
    EXPECT_EQ(cadeiras, 2);
    EXPECT_LT(xRaiz, xCadeira);
    EXPECT_LT(xCadeira, xRepetida);
}

// Nothing found says so, on each direction; the JSON of a tree keeps every node and mark.
TEST(RastreabilidadeImpressao, LoteSemProducoesEJson) {
    const NoRastreio vazio = lote("MP006", QStringLiteral("Verniz aquoso mate"), "VA-0931", "0");
    for (const auto& [s, frase] :
         {std::pair{SentidoRastreio::Jusante, "Nenhuma produção consumiu este lote."},
          std::pair{SentidoRastreio::Montante, "Nenhuma produção deu origem a este lote."}}) {
        cPrinter p;
        p.GravarExportacao(true);
        ASSERT_TRUE(ImprimirRastreabilidade(p, vazio, s, 2, Empresa, QStringLiteral("S"), Emissao));
        EXPECT_TRUE(textos(*p.documento(), 1).contains(QString::fromUtf8(frase)));
    }
    const QJsonObject j = JsonRastreio(arvore());
    EXPECT_EQ(j["lote"].toString(), "CV-0207");
    const QJsonArray producoes = j["filhos"].toArray();
    ASSERT_EQ(producoes.size(), 2);
    EXPECT_EQ(producoes[0].toObject()["quantidade"].toString(), "0.3000");
    EXPECT_EQ(producoes[1].toObject()["origem"].toString(), "Lote de medições");
    const QJsonObject processo =
        producoes[0].toObject()["filhos"][0]["filhos"][0]["filhos"][0]["filhos"][0].toObject();
    EXPECT_EQ(processo["codigo"].toString(), "PR-7");
    EXPECT_TRUE(processo["emAberto"].toBool());
    EXPECT_TRUE(processo["filhos"][0]["repetido"].toBool());
}

// A long tree breaks pages with the header and captions on each, and loses no node.
TEST(RastreabilidadeImpressao, QuebraDePaginaRepeteCabecalho) {
    NoRastreio raiz = lote("MP005", QStringLiteral("Cola"), "CV-0207", "0");
    for (int i = 1; i <= 60; ++i) {
        NoRastreio p =
            producao(OrigemRastreio::LoteProducao, QByteArray::number(i).constData(), "0.1", {"SPR 1"});
        p.filhos = {lote("PA002", QStringLiteral("Cadeira"), "CAD", "1")};
        raiz.filhos.push_back(p);
    }
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(
        ImprimirRastreabilidade(p, raiz, SentidoRastreio::Jusante, 2, Empresa, QStringLiteral("S"), Emissao));
    const DocumentoImpresso& doc = *p.documento();
    ASSERT_GE(doc.numeroPaginas(), 2);
    int producoes = 0;
    for (int pag = 1; pag <= doc.numeroPaginas(); ++pag) {
        const QStringList t = textos(doc, pag);
        SCOPED_TRACE(pag);
        EXPECT_TRUE(t.contains(QStringLiteral("Lote / Produção")));
        EXPECT_TRUE(t.contains(QStringLiteral("Data Emissão : 06-03-2026  -  Processado por Computador")));
        for (const QString& s : t)
            producoes += s.startsWith(QStringLiteral("Lote de produção "));
    }
    EXPECT_EQ(producoes, 60);
}

#include "printing/MedicoesImpressao.h"
#include "support/PaginasGravadas.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

Currency C(const char* t) {
    return Currency::fromString(QString::fromLatin1(t));
}

const QDate Emissao(2026, 3, 6);
const QString Rodape = QStringLiteral("Data Emissão : 06-03-2026  -  Processado por Computador");

LinhaCalculoMedicoes linhaCalculo(const QString& produto, const QString& descricao, const char* quant,
                                  const char* tipo, const char* base, const char* nova) {
    LinhaCalculoMedicoes l;
    l.produto = produto;
    l.descricao = descricao;
    l.quantidade = C(quant);
    l.tipoMedida = QString::fromLatin1(tipo);
    l.medidaBase = C(base);
    l.novaMedida = C(nova);
    l.quantidadeSaida = l.quantidade.multiply(l.novaMedida, Currency::Arredondamento::MetadeAfastaDeZero);
    l.armazem = QStringLiteral("001");
    return l;
}

// A door made to 1000 × 800 from a 3000 × 1600 template, three of them: the height ratio 0.3333
// turns a 3 m profile into 0.9999 m. The variable lines come first, the print groups the fixed first.
CalculoMedicoes calculo() {
    CalculoMedicoes c{.produto = QStringLiteral("PORTA-MED"),
                      .descricao = QStringLiteral("Porta por medida"),
                      .alturaBase = C("3000"),
                      .larguraBase = C("1600"),
                      .altura = C("1000"),
                      .largura = C("800"),
                      .quantidade = C("3"),
                      .razaoAltura = C("0.3333"),
                      .razaoLargura = C("0.5"),
                      .armazemEntrada = QStringLiteral("002"),
                      .linhas = {}};
    c.linhas = {linhaCalculo(QStringLiteral("PERF-AL"), QStringLiteral("Perfil de alumínio"), "6", "A", "3",
                             "0.9999"),
                linhaCalculo(QStringLiteral("VIDRO"), QStringLiteral("Vidro temperado"), "3", "L", "2", "1"),
                linhaCalculo(QStringLiteral("DOBR"), QStringLiteral("Dobradiça"), "3", "F", "1", "1")};
    return c;
}

// Each line at 0.3333 on the first price: the exact total is 0.9999, a rounded one would read 1,00.
ValoresMedicoes valores() {
    ValoresMedicoes v;
    v.linhas = {{QStringLiteral("PERF-AL"),
                 QStringLiteral("Perfil de alumínio"),
                 C("5.9994"),
                 {C("0.3333"), C("12.5"), C("1234.5678"), C("0")}},
                {QStringLiteral("VIDRO"),
                 QStringLiteral("Vidro temperado"),
                 C("3"),
                 {C("0.3333"), C("7.25"), C("0.0001"), C("0")}},
                {QStringLiteral("DOBR"),
                 QStringLiteral("Dobradiça"),
                 C("3"),
                 {C("0.3333"), C("1.8"), C("2"), C("0")}}};
    for (const LinhaValoresMedicoes& l : v.linhas)
        for (size_t i = 0; i < 4; ++i)
            v.totais[i] += l.valores[i];
    return v;
}

FolhaLoteMedicoes folha() {
    using L = FolhaLoteMedicoes::Linha;
    return {.lote = QStringLiteral("0000000043"),
            .produto = QStringLiteral("PORTA-MED"),
            .descricaoProduto = QStringLiteral("Porta por medida"),
            .quantidade = C("3"),
            .custoUnitario = C("8.6665"),
            .custoTotal = C("25.9994"),
            .altura = C("1000"),
            .largura = C("800"),
            .tipoSaida = QStringLiteral("SPR"),
            .numeroSaida = QStringLiteral("00000008"),
            .dataSaida = QStringLiteral("2026-03-04"),
            .tipoEnt = QStringLiteral("EPR"),
            .numeroEnt = QStringLiteral("00000008"),
            .dataEnt = QStringLiteral("2026-03-04"),
            .linhas = {L{QStringLiteral("PERF-AL"), QStringLiteral("Perfil de alumínio"),
                         QStringLiteral("001"), C("5.9994"), C("2.5"), C("14.9985")},
                       L{QStringLiteral("VIDRO"), QStringLiteral("Vidro temperado"), QStringLiteral("001"),
                         C("3"), C("3.1"), C("9.3")},
                       L{QStringLiteral("DOBR"), QStringLiteral("Dobradiça"), QStringLiteral("003"), C("3"),
                         C("0.5670"), C("1.701")}},
            .dataEmissao = QStringLiteral("06-03-2026")};
}

// Texts recorded on one page; page 0: on all of them.
QStringList textos(const DocumentoImpresso& doc, int pagina = 0) {
    QStringList r;
    for (const ElementoExportado& e : doc.exportados)
        if (pagina == 0 || e.pagina == pagina)
            r << e.texto;
    return r;
}

const ElementoExportado* elemento(const DocumentoImpresso& doc, const QString& texto) {
    for (const ElementoExportado& e : doc.exportados)
        if (e.texto == texto)
            return &e;
    return nullptr;
}

// The texts printed on the row of `rotulo`, right of it, from left to right, joined by " | ".
std::string linhaDe(const DocumentoImpresso& doc, const QString& rotulo) {
    const ElementoExportado* r = elemento(doc, rotulo);
    if (!r)
        return "(sem " + rotulo.toStdString() + ")";
    std::vector<const ElementoExportado*> linha;
    for (const ElementoExportado& e : doc.exportados)
        if (e.pagina == r->pagina && qAbs(e.y - r->y) < 0.01 && e.x > r->x)
            linha.push_back(&e);
    std::sort(linha.begin(), linha.end(), [](auto* a, auto* b) { return a->x < b->x; });
    QStringList t;
    for (const ElementoExportado* e : linha)
        t << e->texto;
    return t.join(QStringLiteral(" | ")).toStdString();
}

// Texts not printed in the fixed-pitch font, but the one given (the title), joined by " | ".
std::string foraDoCourier(const DocumentoImpresso& doc, const QString& excepto = {}) {
    QStringList r;
    for (const ElementoExportado& e : doc.exportados)
        if (e.fonte.nome != QLatin1String("Courier New") && e.texto != excepto)
            r << e.texto;
    return r.join(QStringLiteral(" | ")).toStdString();
}

} // namespace

TEST(MedicoesImpressao, CalculoIgualAoFicheiroDeReferencia) {
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirCalculoMedicoes(p, calculo(), QStringLiteral("S"), Emissao));
    ASSERT_TRUE(p.documento());
    const DocumentoImpresso& doc = *p.documento();
    EXPECT_EQ(doc.numeroPaginas(), 1);
    EXPECT_EQ(linhaDe(doc, "PERF-AL - Perfil de alumínio"), "6,0000 | Altura | 3,0000 | 0,9999");
    EXPECT_EQ(linhaDe(doc, "VIDRO - Vidro temperado"), "3,0000 | Largura | 2,0000 | 1,0000");
    EXPECT_EQ(linhaDe(doc, "DOBR - Dobradiça"), "3,0000 | Fixo | 1,0000 | 1,0000");

    // Fixed units first, whatever the order of the calculation; each line under its own caption.
    const ElementoExportado* fixos = elemento(doc, "Produtos com Unidades Fixas");
    const ElementoExportado* variaveis = elemento(doc, "Produtos com Medidas Variáveis");
    ASSERT_TRUE(fixos && variaveis);
    const double yDobradica = elemento(doc, "DOBR - Dobradiça")->y;
    EXPECT_LT(fixos->y, yDobradica);
    EXPECT_LT(yDobradica, variaveis->y);
    EXPECT_LT(variaveis->y, elemento(doc, "PERF-AL - Perfil de alumínio")->y);
    EXPECT_LT(variaveis->y, elemento(doc, "VIDRO - Vidro temperado")->y);
    EXPECT_EQ(foraDoCourier(doc, QStringLiteral("Cálculos para Produção (Medições)")), "");
    confereComGolden(doc, "calculo_medicoes_quantidades.txt");
}

// A group without lines leaves its caption out; the other group prints as usual.
TEST(MedicoesImpressao, GrupoSemLinhasNaoApareceNoCalculo) {
    auto imprimir = [](const CalculoMedicoes& c) {
        cPrinter p;
        p.GravarExportacao(true);
        EXPECT_TRUE(ImprimirCalculoMedicoes(p, c, QStringLiteral("S"), Emissao));
        return textos(*p.documento());
    };
    CalculoMedicoes c = calculo();
    c.linhas.pop_back();
    QStringList t = imprimir(c);
    EXPECT_FALSE(t.contains("Produtos com Unidades Fixas"));
    EXPECT_EQ(t.count("Produtos com Medidas Variáveis"), 1);
    EXPECT_EQ(t.filter(QRegularExpression(QStringLiteral("^(PERF-AL|VIDRO) - "))).size(), 2);

    c = calculo();
    c.linhas.erase(c.linhas.begin(), c.linhas.begin() + 2);
    t = imprimir(c);
    EXPECT_EQ(t.count("Produtos com Unidades Fixas"), 1);
    EXPECT_FALSE(t.contains("Produtos com Medidas Variáveis"));
    EXPECT_TRUE(t.contains("DOBR - Dobradiça"));
}

// Many raw materials: every page repeats the heading, the column captions and the footer, no line
// is lost and each group caption comes once.
TEST(MedicoesImpressao, QuebraDePaginaRepeteCabecalhoSemPerderLinhas) {
    CalculoMedicoes c = calculo();
    for (int i = 1; i <= 80; ++i)
        c.linhas.push_back(linhaCalculo(QStringLiteral("MP%1").arg(i, 3, 10, QChar(u'0')),
                                        QStringLiteral("Travessa %1").arg(i), "3", i % 2 ? "A" : "L", "1.5",
                                        "0.5"));
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirCalculoMedicoes(p, c, QStringLiteral("S"), Emissao));
    const DocumentoImpresso& doc = *p.documento();
    ASSERT_GE(doc.numeroPaginas(), 2);
    for (int pag = 1; pag <= doc.numeroPaginas(); ++pag) {
        SCOPED_TRACE(pag);
        const QStringList t = textos(doc, pag);
        for (const char* esperado :
             {"Cálculos para Produção (Medições)", "Produto Acabado : PORTA-MED - Porta por medida",
              "Quantidade      : 3,0000", "Altura          : 1.000,0000", "Largura         : 800,0000",
              "Produto Matéria Prima", "Quantidade", "Tp Medi.", "Medi.Base", "Nova Medi."})
            EXPECT_EQ(t.count(QString::fromUtf8(esperado)), 1) << esperado;
        EXPECT_EQ(t.count(Rodape), 1);
    }
    const QStringList todos = textos(doc);
    EXPECT_EQ(todos.filter(QRegularExpression(QStringLiteral("^MP\\d{3} - Travessa \\d+$"))).size(), 80);
    EXPECT_EQ(todos.count("Produtos com Unidades Fixas"), 1);
    EXPECT_EQ(todos.count("Produtos com Medidas Variáveis"), 1);
    EXPECT_TRUE(textos(doc, doc.numeroPaginas()).contains("MP080 - Travessa 80"));
}

TEST(MedicoesImpressao, ValoresIgualAoFicheiroDeReferencia) {
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirValoresMedicoes(p, calculo(), valores(), QStringLiteral("S"), Emissao));
    ASSERT_TRUE(p.documento());
    const DocumentoImpresso& doc = *p.documento();
    EXPECT_EQ(doc.numeroPaginas(), 1);
    EXPECT_EQ(linhaDe(doc, "PERF-AL - Perfil de alumínio"),
              "5,9994 | 0,3333 | 12,5000 | 1.234,5678 | 0,0000");
    // The exact sums, not values rounded to cents.
    EXPECT_EQ(linhaDe(doc, "Totais"), "0,9999 | 21,5500 | 1.236,5679 | 0,0000");
    EXPECT_LT(elemento(doc, "DOBR - Dobradiça")->y, elemento(doc, "Totais")->y);
    EXPECT_EQ(foraDoCourier(doc, QStringLiteral("Cálculos para Produção (Medições)")), "");
    confereComGolden(doc, "calculo_medicoes_valores.txt");
}

TEST(MedicoesImpressao, FolhaLoteIgualAoFicheiroDeReferencia) {
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirFolhaLoteMedicoes(p, folha()));
    ASSERT_TRUE(p.documento());
    const DocumentoImpresso& doc = *p.documento();
    EXPECT_EQ(doc.numeroPaginas(), 1);
    const QStringList t = textos(doc, 1);
    for (const char* esperado :
         {"Folha de Produção de Lote (Medições)", "Lote : 0000000043",
          "Produto Produzido : PORTA-MED - Porta por medida", "Quantidade .......: 3,0000",
          "Custo Unidade ....: 8,6665", "Custo Total ......: 26,00", "Altura ........: 1.000,0000",
          "Largura .......: 800,0000", "Tp Saida Stock : SPR  nº 00000008   De : 04-03-2026",
          "Tp Entr. Stock : EPR  nº 00000008   De : 04-03-2026"})
        EXPECT_TRUE(t.contains(QString::fromUtf8(esperado))) << esperado;
    EXPECT_TRUE(t.contains(Rodape));
    EXPECT_EQ(linhaDe(doc, "PERF-AL"), "Perfil de alumínio | 001 | 5,9994 | 2,5000 | 15,00");
    EXPECT_EQ(linhaDe(doc, "DOBR"), "Dobradiça | 003 | 3,0000 | 0,5670 | 1,70");
    EXPECT_EQ(foraDoCourier(doc), "");
    confereComGolden(doc, "folha_lote_medicoes.txt");
}

TEST(MedicoesImpressao, PdfEscritoInteiro) {
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString calculoPdf = pasta.filePath(QStringLiteral("calculo.pdf"));
    const QString folhaPdf = pasta.filePath(QStringLiteral("folha.pdf"));
    ASSERT_TRUE(CalculoMedicoesParaPdf(calculo(), calculoPdf, Emissao));
    ASSERT_TRUE(FolhaLoteMedicoesParaPdf(folha(), folhaPdf));
    for (const QString& ficheiro : {calculoPdf, folhaPdf}) {
        SCOPED_TRACE(ficheiro.toStdString());
        QFile f(ficheiro);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray conteudo = f.readAll();
        EXPECT_TRUE(conteudo.startsWith("%PDF"));
        EXPECT_TRUE(conteudo.trimmed().endsWith("%%EOF"));
    }
}

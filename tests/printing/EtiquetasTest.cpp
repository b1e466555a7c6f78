#include "printing/Etiquetas.h"
#include "printing/EtiquetasImpressao.h"
#include "printing/cPrinter.h"
#include "db/esquema/Esquema.h"
#include "support/DbTest.h"
#include "support/PaginasGravadas.h"
#include "support/SemFalha.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }
QString S(const char* t) { return QString::fromUtf8(t); }

const double Colunas3x8[] = {7, 73, 139};
const double Linhas3x8[] = {13, 47, 81, 115, 149, 183, 217, 251};

// The company's usual A4 sheet: 3 × 8 labels of 64 × 34 mm, the description and the price.
DefinicaoEtiqueta folha3x8() {
    DefinicaoEtiqueta d;
    d.codigo = QStringLiteral("A4-24");
    d.descricao = QStringLiteral("Folha A4 de 24");
    d.numEtiqHoriz = 3;
    d.numEtiqVert = 8;
    d.larguraEtiq = 64;
    d.alturaEtiq = 34;
    d.distEntreEtiqHoriz = 2;
    d.distEntreEtiqVert = 0;
    d.margemX = 7;
    d.margemY = 13;
    d.margemXI = 2;
    d.margemYI = 2;
    d.salto = 5;
    d.larguraPapel = 210;
    d.alturaPapel = 297;
    d.arredondaPreco = 2;
    d.campos = S(";Arial;9;1;0;;[Descricao];;;/;Arial;8;0;0;;Preço: [PrecoVenda1] €;;;/");
    return d;
}

LinhaEtiqueta linha(const char* produto, int quantidade, bool marcada = true) {
    LinhaEtiqueta l;
    l.produto = QString::fromLatin1(produto);
    l.quantidade = quantidade;
    l.marcada = marcada;
    return l;
}

std::vector<const ElementoExportado*> textosDaPagina(const DocumentoImpresso& d, int pagina) {
    std::vector<const ElementoExportado*> r;
    for (const ElementoExportado& e : d.exportados)
        if (e.pagina == pagina)
            r.push_back(&e);
    return r;
}

QString textoEm(const DocumentoImpresso& d, int pagina, double x, double y) {
    for (const ElementoExportado& e : d.exportados)
        if (e.pagina == pagina && qAbs(e.x - x) < 1e-6 && qAbs(e.y - y) < 1e-6)
            return e.texto;
    return QStringLiteral("<nada em %1, %2>").arg(x).arg(y);
}

// Hollow boxes (the labels' outlines) and filled ones (bars) of a page, in mm.
std::vector<QRectF> caixas(const DocumentoImpresso& d, int pagina, bool cheias) {
    std::vector<QRectF> r;
    auto mm = [&](const QRectF& t) {
        r.emplace_back(QPointF(ConvertTWmm(t.left()), ConvertTWmm(t.top())),
                       QPointF(ConvertTWmm(t.right()), ConvertTWmm(t.bottom())));
    };
    for (const OpDesenho& op : d.paginas[size_t(pagina - 1)].ops) {
        if (const auto* b = std::get_if<OpRectangulo>(&op); b && b->preenchimento.isValid() == cheias)
            mm(b->caixa);
        // A code's modules are one filled shape: each of its outlines counts as a bar.
        if (const auto* g = std::get_if<OpPoligono>(&op); g && cheias)
            for (const auto& c : g->contornos)
                mm(QPolygonF(QList<QPointF>(c.begin(), c.end())).boundingRect());
    }
    return r;
}

int barrasDentro(const DocumentoImpresso& d, int pagina, const QRectF& zona) {
    int n = 0;
    for (const QRectF& b : caixas(d, pagina, true))
        if (zona.adjusted(-0.01, -0.01, 0.01, 0.01).contains(b))
            ++n;
    return n;
}

} // namespace

// ---------------------------------------------------------------- grid

TEST(EtiquetasGrelha, ColunasELinhasDaFolha3x8) {
    const DefinicaoEtiqueta d = folha3x8();
    for (int n = 0; n < 24; ++n) {
        const PosicaoEtiqueta p = PosicaoDaEtiqueta(d, 1, 1, n);
        EXPECT_EQ(p.pagina, 0) << n;
        EXPECT_EQ(p.coluna, n % 3 + 1) << n;
        EXPECT_EQ(p.linha, n / 3 + 1) << n;
        EXPECT_DOUBLE_EQ(p.canto.x(), Colunas3x8[n % 3]) << n;
        EXPECT_DOUBLE_EQ(p.canto.y(), Linhas3x8[n / 3]) << n;
    }
    const PosicaoEtiqueta l2c3 = PosicaoDaEtiqueta(d, 2, 3, 0);
    EXPECT_EQ(l2c3.canto, QPointF(73, 81));
    // Columns and rows below 1 count as 1.
    EXPECT_EQ(PosicaoDaEtiqueta(d, 0, -4, 0).canto, QPointF(7, 13));
}

TEST(EtiquetasGrelha, VinteECincoEtiquetasPassamParaUmaSegundaFolha) {
    const DefinicaoEtiqueta d = folha3x8();
    int porFolha[2] = {0, 0};
    for (int n = 0; n < 25; ++n)
        ++porFolha[PosicaoDaEtiqueta(d, 1, 1, n).pagina];
    EXPECT_EQ(porFolha[0], 24);
    EXPECT_EQ(porFolha[1], 1);
    const PosicaoEtiqueta vigesimaQuinta = PosicaoDaEtiqueta(d, 1, 1, 24);
    EXPECT_EQ(vigesimaQuinta.pagina, 1);
    EXPECT_EQ(vigesimaQuinta.canto, QPointF(7, 13));

    // From column 2, row 3: 17 places are left on the first sheet.
    porFolha[0] = porFolha[1] = 0;
    for (int n = 0; n < 25; ++n)
        ++porFolha[PosicaoDaEtiqueta(d, 2, 3, n).pagina];
    EXPECT_EQ(porFolha[0], 17);
    EXPECT_EQ(porFolha[1], 8);
    EXPECT_EQ(PosicaoDaEtiqueta(d, 2, 3, 16).canto, QPointF(139, 251));
    EXPECT_EQ(PosicaoDaEtiqueta(d, 2, 3, 17).pagina, 1);
    EXPECT_EQ(PosicaoDaEtiqueta(d, 2, 3, 17).canto, QPointF(7, 13));
    EXPECT_EQ(PosicaoDaEtiqueta(d, 2, 3, 24).canto, QPointF(73, 81));
}

TEST(EtiquetasGrelha, GrelhaQueNaoCabeNoPapelRecusada) {
    const QString naoCabe = S("A definição da etiqueta não cabe no papel!");
    EXPECT_TRUE(ValidaGrelhaEtiqueta(folha3x8()));

    DefinicaoEtiqueta justa = folha3x8(); // 8 + 3 × 66 + 2 × 2 = 210: the paper's exact width
    justa.margemX = 8;
    justa.larguraEtiq = 66;
    EXPECT_TRUE(ValidaGrelhaEtiqueta(justa));
    justa.margemX = 9;
    const auto larga = ValidaGrelhaEtiqueta(justa);
    ASSERT_FALSE(larga);
    EXPECT_EQ(larga.mensagem(), naoCabe);

    DefinicaoEtiqueta alta = folha3x8(); // 13 + 9 × 34 = 319 > 297
    alta.numEtiqVert = 9;
    EXPECT_FALSE(ValidaGrelhaEtiqueta(alta));
    DefinicaoEtiqueta comEspaco = folha3x8(); // 13 + 8 × 34 + 7 × 2 = 299 > 297
    comEspaco.distEntreEtiqVert = 2;
    EXPECT_FALSE(ValidaGrelhaEtiqueta(comEspaco));

    DefinicaoEtiqueta vazia = folha3x8();
    vazia.numEtiqHoriz = 0;
    EXPECT_EQ(ValidaGrelhaEtiqueta(vazia).mensagem(), naoCabe);
    DefinicaoEtiqueta semAltura = folha3x8();
    semAltura.alturaEtiq = 0;
    EXPECT_FALSE(ValidaGrelhaEtiqueta(semAltura));
    DefinicaoEtiqueta enorme = folha3x8(); // must not wrap into a small number
    enorme.numEtiqHoriz = 2000000000;
    EXPECT_FALSE(ValidaGrelhaEtiqueta(enorme));
}

// ---------------------------------------------------------------- fields

TEST(EtiquetasCampos, PrefixoCampoSufixoEPosicoes) {
    const auto r = LerCamposEtiqueta(S("x;Courier New;10,5;1;1;y;Preço: [PrecoVenda1] €;z;3,5;20/"
                                       ";;;;;;Feito em Portugal;;;/"
                                       ";Arial;7;0;0;;[Lote];;;"));
    ASSERT_TRUE(semFalha(r));
    ASSERT_EQ(r->size(), 3u);
    const CampoEtiqueta& preco = (*r)[0];
    EXPECT_EQ(preco.fonte, QStringLiteral("Courier New"));
    EXPECT_DOUBLE_EQ(preco.tamanho, 10.5);
    EXPECT_TRUE(preco.negrito);
    EXPECT_TRUE(preco.italico);
    EXPECT_TRUE(preco.temCampo);
    EXPECT_EQ(preco.prefixo, S("Preço: "));
    EXPECT_EQ(preco.campo, QStringLiteral("PrecoVenda1"));
    EXPECT_EQ(preco.sufixo, S(" €"));
    EXPECT_DOUBLE_EQ(preco.x, 3.5);
    EXPECT_DOUBLE_EQ(preco.y, 20);

    const CampoEtiqueta& fixo = (*r)[1];
    EXPECT_FALSE(fixo.temCampo);
    EXPECT_EQ(fixo.prefixo, QStringLiteral("Feito em Portugal"));
    EXPECT_EQ(fixo.fonte, QStringLiteral("Arial")); // empty positions keep the defaults
    EXPECT_DOUBLE_EQ(fixo.tamanho, 8);

    EXPECT_EQ((*r)[2].campo, QStringLiteral("Lote"));
    EXPECT_TRUE((*r)[2].prefixo.isEmpty());

    // Positions 0, 5 and 7 change nothing.
    const auto semLixo = LerCamposEtiqueta(S(";Courier New;10,5;1;1;;Preço: [PrecoVenda1] €;;3,5;20"));
    ASSERT_TRUE(semFalha(semLixo));
    EXPECT_EQ((*semLixo)[0].prefixo, preco.prefixo);
    EXPECT_EQ((*semLixo)[0].sufixo, preco.sufixo);
    EXPECT_EQ((*semLixo)[0].fonte, preco.fonte);
}

TEST(EtiquetasCampos, TextoSemCampoENenhumCampo) {
    // An unclosed or empty bracket is plain text.
    const auto r = LerCamposEtiqueta(S(";;;;;;Tamanho [M;;;/;;;;;;Vazio [];;;"));
    ASSERT_TRUE(semFalha(r));
    EXPECT_FALSE((*r)[0].temCampo);
    EXPECT_EQ((*r)[0].prefixo, QStringLiteral("Tamanho [M"));
    EXPECT_FALSE((*r)[1].temCampo);
    EXPECT_EQ((*r)[1].prefixo, QStringLiteral("Vazio []"));

    for (const char* nada : {"", "/", " / \r\n", ";Arial;8;0;0;;;;;/"}) {
        const auto v = LerCamposEtiqueta(QString::fromLatin1(nada));
        ASSERT_FALSE(v) << nada;
        EXPECT_EQ(v.mensagem(), S("Não definiu campos para imprimir!"));
    }
}

// ---------------------------------------------------------------- prices

TEST(EtiquetasPreco, IvaArredondamentoCorteECambio) {
    DefinicaoEtiqueta d;
    d.arredondaPreco = 2;
    const Currency iva = C("23"), semCambio;
    EXPECT_EQ(PrecoEtiqueta(d, C("10"), iva, true, false, semCambio), QStringLiteral("12,30"));
    EXPECT_EQ(PrecoEtiqueta(d, C("10"), iva, false, false, semCambio), QStringLiteral("10,00"));
    EXPECT_EQ(PrecoEtiqueta(d, C("9.99"), iva, true, false, semCambio), QStringLiteral("12,29"));
    EXPECT_EQ(PrecoEtiqueta(d, C("12.30"), Currency(), false, false, C("2")), QStringLiteral("6,15"));
    EXPECT_EQ(PrecoEtiqueta(d, C("12.30"), Currency(), false, false, C("1")), QStringLiteral("12,30"));
    EXPECT_EQ(PrecoEtiqueta(d, C("1234.5"), Currency(), false, false, semCambio), QStringLiteral("1.234,50"));

    d.arredondaPrecoCorta = true; // 12,2877 cut, not rounded
    EXPECT_EQ(PrecoEtiqueta(d, C("9.99"), iva, true, false, semCambio), QStringLiteral("12,28"));
    // 1 / 3 = 0,3333...: cut on the exact quotient, never on a rounded one
    EXPECT_EQ(PrecoEtiqueta(d, C("1"), Currency(), false, false, C("3")), QStringLiteral("0,33"));
    d.arredondaPrecoCorta = false;
    EXPECT_EQ(PrecoEtiqueta(d, C("2"), Currency(), false, false, C("3")), QStringLiteral("0,67"));

    d.precosComIvaInc = true;
    EXPECT_EQ(PrecoEtiqueta(d, C("10"), iva, true, false, semCambio), QStringLiteral("10,00"));
    // PrecoLoteComIva adds it whatever the definition says.
    EXPECT_EQ(PrecoEtiqueta(d, C("10"), iva, false, true, semCambio), QStringLiteral("12,30"));

    d.arredondaPreco = 0; // halves away from zero
    EXPECT_EQ(PrecoEtiqueta(d, C("12.5"), Currency(), false, false, semCambio), QStringLiteral("13"));
    EXPECT_EQ(PrecoEtiqueta(d, C("-12.5"), Currency(), false, false, semCambio), QStringLiteral("-13"));
    d.arredondaPrecoCorta = true;
    EXPECT_EQ(PrecoEtiqueta(d, C("12.99"), Currency(), false, false, semCambio), QStringLiteral("12"));
    d.arredondaPrecoCorta = false;
    d.arredondaPreco = 4;
    EXPECT_EQ(PrecoEtiqueta(d, C("9.99"), iva, false, true, semCambio), QStringLiteral("12,2877"));
}

// ---------------------------------------------------------------- JSON

TEST(EtiquetasJson, IdaEVoltaComOsNomesDasColunas) {
    DefinicaoEtiqueta d = folha3x8();
    d.distEntreEtiqVert = 1;
    d.arredondaPrecoCorta = true;
    d.etiquetaComXY = true;
    d.precosComIvaInc = true;
    d.tipoCodigoBarras = 9;
    d.layoutCodigoBarras = 1;
    const QJsonObject o = DefinicaoEtiquetaParaJson(d);
    const TabelaDef* t = tabelaEmpresa(QStringLiteral("etiquetas"));
    ASSERT_TRUE(t);
    EXPECT_EQ(o.size(), qsizetype(t->colunas.size()));
    for (const ColunaDef& c : t->colunas)
        EXPECT_TRUE(o.contains(c.nome)) << c.nome.toStdString();
    EXPECT_EQ(o.value(QStringLiteral("DistentreEtiqvert")).toInt(), 1);
    EXPECT_EQ(o.value(QStringLiteral("arredondaprecoCorta")).toInt(), 1);

    const auto volta = DefinicaoEtiquetaDeJson(o);
    ASSERT_TRUE(semFalha(volta));
    EXPECT_EQ(DefinicaoEtiquetaParaJson(*volta), o);
}

TEST(EtiquetasJson, ChavesDesconhecidasETiposErradosRecusados) {
    const QJsonObject base = DefinicaoEtiquetaParaJson(folha3x8());
    struct Caso {
        const char* chave;
        QJsonValue valor;
    };
    const Caso casos[] = {{"Largura", 3},
                          {"numetiqhoriz", 3}, // names are exact
                          {"NumEtiqHoriz", QStringLiteral("3")},
                          {"NumEtiqHoriz", 2.5},
                          {"AlturaEtiq", QJsonValue()},
                          {"EtiquetaComXY", 2},
                          {"Descricao", 7},
                          {"campos", QJsonArray{}},
                          {"FicheiroBase", QStringLiteral("C")}};
    for (const Caso& c : casos) {
        QJsonObject o = base;
        o.insert(QLatin1String(c.chave), c.valor);
        const auto r = DefinicaoEtiquetaDeJson(o);
        ASSERT_FALSE(r) << c.chave;
        EXPECT_TRUE(r.mensagem().contains(QLatin1String(c.chave))) << r.mensagem().toStdString();
    }
    QJsonObject comLogico = base;
    comLogico.insert(QStringLiteral("ImprimeCaixaContorno"), true);
    const auto r = DefinicaoEtiquetaDeJson(comLogico);
    ASSERT_TRUE(semFalha(r));
    EXPECT_TRUE(r->imprimeCaixaContorno);
}

// ---------------------------------------------------------------- printing on a company

class EtiquetasTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_GT(db->insert(QStringLiteral("tabiva"),
                             Registo()("codigo", "1")("Descricao", S("Taxa Normal"))("Taxa", "23")),
                  0);
    }

    void produto(const char* codigo, const QString& descricao, const char* preco, const char* iva = "1") {
        ASSERT_GT(db->insert(QStringLiteral("Produtos"), Registo()("Codigo", codigo)("Descricao", descricao)(
                                                             "PrecoVenda1", preco)("ivatabvenda", iva)),
                  0);
    }
    void codigoBarras(const char* produto, const char* codigo) {
        ASSERT_GT(db->insert(QStringLiteral("ProdutosCodigosBarras"),
                             Registo()("CodigoBarras", codigo)("ProdutoBase", produto)),
                  0);
    }

    Resultado<ResultadoEtiquetas> imprimir(const DefinicaoEtiqueta& d, const std::vector<LinhaEtiqueta>& l,
                                           const OpcoesEtiquetas& o = {}) {
        p = std::make_unique<cPrinter>();
        p->GravarExportacao(true);
        return ImprimirEtiquetas(*p, *db, d, l, o);
    }
    const DocumentoImpresso& doc() const { return *p->documento(); }

    std::unique_ptr<cPrinter> p;
};

// 25 labels from the first place: a full sheet and one label on the second; unticked rows skipped,
// a product on two rows printed for both, in the list's order. Kept as a golden file.
TEST_P(EtiquetasTest, FolhaCheiaEUmaEtiquetaNaSegunda) {
    produto("P1", S("Pão de forma"), "10");
    produto("P2", QStringLiteral("Bolo-rei"), "9.99");
    produto("P9", S("Não marcado"), "1");
    OpcoesEtiquetas o;
    o.iva = true;
    o.caixa = true;
    const auto r = imprimir(folha3x8(), {linha("P1", 10), linha("P9", 3, false), linha("P2", 10), linha("P1", 5)}, o);
    ASSERT_TRUE(semFalha(r));
    EXPECT_EQ(r->etiquetas, 25);
    EXPECT_EQ(r->paginas, 2);
    EXPECT_TRUE(r->avisos.empty());
    ASSERT_EQ(doc().numeroPaginas(), 2);
    EXPECT_EQ(doc().larguraTw, ConvertmmTW(210));
    EXPECT_EQ(doc().alturaTw, ConvertmmTW(297));

    EXPECT_EQ(textosDaPagina(doc(), 1).size(), 48u);
    EXPECT_EQ(textosDaPagina(doc(), 2).size(), 2u);
    for (int n = 0; n < 25; ++n) {
        const int pagina = n / 24 + 1;
        const double x = Colunas3x8[n % 3], y = Linhas3x8[(n % 24) / 3];
        const QString descricao = n < 10 || n >= 20 ? S("Pão de forma") : QStringLiteral("Bolo-rei");
        EXPECT_EQ(textoEm(doc(), pagina, x + 2, y + 2), descricao) << n;
        EXPECT_EQ(textoEm(doc(), pagina, x + 2, y + 7), n < 10 || n >= 20 ? S("Preço: 12,30 €") : S("Preço: 12,29 €"))
            << n;
    }
    for (const ElementoExportado& e : doc().exportados)
        EXPECT_NE(e.texto, S("Não marcado"));
    // The outlines, one per label and of its size.
    const auto folha1 = caixas(doc(), 1, false), folha2 = caixas(doc(), 2, false);
    ASSERT_EQ(folha1.size(), 24u);
    EXPECT_EQ(folha1[23], QRectF(139, 251, 64, 34));
    ASSERT_EQ(folha2.size(), 1u);
    EXPECT_EQ(folha2[0], QRectF(7, 13, 64, 34));
    // The print order lives in memory only.
    EXPECT_TRUE(db->scalar(QStringLiteral("SELECT OrderEtiquetas FROM Produtos WHERE Codigo=?"), {"P1"})
                    .toString()
                    .isEmpty());

    confereComGolden(doc(), "etiquetas_3x8.txt");
}

TEST_P(EtiquetasTest, ComecaNaSegundaColunaDaTerceiraLinha) {
    produto("P1", S("Pão de forma"), "10");
    OpcoesEtiquetas o;
    o.coluna = 2;
    o.linha = 3;
    const auto r = imprimir(folha3x8(), {linha("P1", 25)}, o);
    ASSERT_TRUE(semFalha(r));
    EXPECT_EQ(r->paginas, 2);
    EXPECT_EQ(textosDaPagina(doc(), 1).size(), 34u); // 17 labels
    EXPECT_EQ(textosDaPagina(doc(), 2).size(), 16u); // 8 labels
    // Label (2, 3) at (73, 81): its lines at (75, 83) and (75, 88).
    EXPECT_EQ(textoEm(doc(), 1, 75, 83), S("Pão de forma"));
    EXPECT_EQ(textoEm(doc(), 1, 75, 88), S("Preço: 10,00 €"));
    // The places before it on the first sheet stay empty.
    for (const ElementoExportado* e : textosDaPagina(doc(), 1))
        EXPECT_GE(e->y, e->x < 73 ? 117 : 83) << e->x << " " << e->y;
    EXPECT_EQ(textoEm(doc(), 2, 9, 15), S("Pão de forma"));
    EXPECT_EQ(textoEm(doc(), 2, 75, 83), S("Pão de forma")); // the 25th label
    // The recorded top-left is the text's top: the drawn text's box starts there.
    bool achou = false;
    for (const OpDesenho& op : doc().paginas[0].ops)
        if (const auto* t = std::get_if<OpTexto>(&op); t && !achou) {
            achou = true;
            EXPECT_NEAR(ConvertTWmm(t->caixa.left()), 75, 1e-6);
            EXPECT_NEAR(ConvertTWmm(t->caixa.top()), 83, 1e-6);
        }
    EXPECT_TRUE(achou);
}

TEST_P(EtiquetasTest, RecusadoAntesDeImprimir) {
    produto("P1", S("Pão de forma"), "10");
    OpcoesEtiquetas o;
    o.coluna = 4;
    auto r = imprimir(folha3x8(), {linha("P1", 1)}, o);
    ASSERT_FALSE(r);
    EXPECT_TRUE(r.mensagem().contains(QStringLiteral("coluna"))) << r.mensagem().toStdString();
    o.coluna = 3;
    o.linha = 9;
    r = imprimir(folha3x8(), {linha("P1", 1)}, o);
    ASSERT_FALSE(r);
    EXPECT_TRUE(r.mensagem().contains(QStringLiteral("linha"))) << r.mensagem().toStdString();
    EXPECT_EQ(doc().numeroPaginas(), 0);

    DefinicaoEtiqueta grande = folha3x8();
    grande.numEtiqHoriz = 4;
    r = imprimir(grande, {linha("P1", 1)});
    ASSERT_FALSE(r);
    EXPECT_EQ(r.mensagem(), S("A definição da etiqueta não cabe no papel!"));

    DefinicaoEtiqueta semCampos = folha3x8();
    semCampos.campos.clear();
    r = imprimir(semCampos, {linha("P1", 1)});
    ASSERT_FALSE(r);
    EXPECT_EQ(r.mensagem(), S("Não definiu campos para imprimir!"));

    r = imprimir(folha3x8(), {linha("P1", 3, false), linha("P1", 0)});
    EXPECT_FALSE(r);
}

// Every kind of field on one label, entry under entry.
TEST_P(EtiquetasTest, CamposDaLinhaDoProdutoEDasTabelas) {
    produto("P1", S("Pão de forma"), "10");
    ASSERT_TRUE(db->exec(QStringLiteral("UPDATE Produtos SET UnidadeVenda=? WHERE Codigo=?"), {"KG", "P1"}));
    // A column the program does not declare: its value must never reach the label.
    ASSERT_TRUE(db->exec(QStringLiteral("ALTER TABLE Produtos ADD Segredo VARCHAR(20)")));
    ASSERT_TRUE(db->exec(QStringLiteral("UPDATE Produtos SET Segredo=?"), {"conteudo-secreto"}));
    ASSERT_GT(db->insert(QStringLiteral("Cores"), Registo()("codigo", "AZ")("Descricao", "Azul")), 0);

    DefinicaoEtiqueta d = folha3x8();
    d.salto = 3;
    d.campos = S(";;;;;;IVA: [DescricaoImposto];;;/"
                 ";;;;;;Cor [cor];;;/"
                 ";;;;;;Tam. [Tamanho];;;/"
                 ";;;;;;Lote [LOTE];;;/"
                 ";;;;;;[PrecoLote];;;/"
                 ";;;;;;[PrecoLoteComIva];;;/"
                 ";;;;;;Ref: [NaoExiste] x;;;/"
                 ";;;;;;[Segredo];;;/"
                 ";;;;;;Un. [unidadevenda];;;/"
                 ";;;;;;Feito em Portugal;;;/"
                 ";;;;;;[Código de Barras - Dinâmico (Apenas Código)];;;/"
                 ";;;;;;kg: [precovenda1ConvertPeso];;;");
    LinhaEtiqueta l = linha("P1", 1);
    l.cor = QStringLiteral("AZ");
    l.tamanho = QStringLiteral("XL");
    l.lote = QStringLiteral("L2026-07");
    l.precoLote = C("20");
    l.codigoDinamico = QStringLiteral("P1|L2026-07");
    const auto r = imprimir(d, {l});
    ASSERT_TRUE(semFalha(r));
    const QStringList esperados{S("IVA: Taxa Normal"),
                                QStringLiteral("Cor Azul"),
                                QStringLiteral("Tam. XL"), // not in Tamanhos: the code itself
                                QStringLiteral("Lote L2026-07"),
                                QStringLiteral("20,00"),
                                QStringLiteral("24,60"),
                                QStringLiteral("Ref: [NaoExiste] x"),
                                QStringLiteral("[Segredo]"),
                                QStringLiteral("Un. KG"),
                                QStringLiteral("Feito em Portugal"),
                                QStringLiteral("P1|L2026-07")};
    for (int k = 0; k < esperados.size(); ++k)
        EXPECT_EQ(textoEm(doc(), 1, 9, 15 + 3 * k), esperados[k]) << k;
    for (const ElementoExportado& e : doc().exportados)
        EXPECT_FALSE(e.texto.contains(QStringLiteral("secreto")));
    // Per kilo only with a weight: without one the entry keeps its fixed text alone.
    const TabelaDef* t = tabelaEmpresa(QStringLiteral("Produtos"));
    if (!t->coluna(QStringLiteral("Peso"))) {
        EXPECT_EQ(textoEm(doc(), 1, 9, 15 + 3 * 11), QStringLiteral("kg: "));
    }
}

TEST_P(EtiquetasTest, PrecoAoQuiloComPeso) {
    const TabelaDef* t = tabelaEmpresa(QStringLiteral("Produtos"));
    if (!t->coluna(QStringLiteral("Peso")))
        GTEST_SKIP() << "Produtos sem coluna Peso";
    produto("P1", S("Queijo"), "12.30", "");
    produto("P2", S("Queijo sem peso"), "12.30", "");
    ASSERT_TRUE(db->exec(QStringLiteral("UPDATE Produtos SET Peso=? WHERE Codigo=?"), {"0.5", "P1"}));
    DefinicaoEtiqueta d = folha3x8();
    // "/" separates entries, so the suffix cannot hold one.
    d.campos = S(";;;;;;[precovenda1ConvertPeso] € o kg;;;");
    const auto r = imprimir(d, {linha("P1", 1), linha("P2", 1)});
    ASSERT_TRUE(semFalha(r));
    EXPECT_EQ(textoEm(doc(), 1, 9, 15), S("24,60 € o kg"));
    EXPECT_EQ(textoEm(doc(), 1, 75, 15), S(" € o kg"));
}

// The product's prices through the VAT of its own code, the cut and the exchange value.
TEST_P(EtiquetasTest, PrecosDoProdutoComIvaCorteECambio) {
    produto("P1", QStringLiteral("Dez"), "10");
    produto("P2", QStringLiteral("Nove"), "9.99");
    produto("P3", QStringLiteral("Sem IVA"), "12.30", "");
    DefinicaoEtiqueta d = folha3x8();
    d.campos = S(";;;;;;[PrecoVenda1];;;");
    const std::vector<LinhaEtiqueta> linhas{linha("P1", 1), linha("P2", 1), linha("P3", 1)};
    auto precos = [&](const DefinicaoEtiqueta& def, const OpcoesEtiquetas& o) {
        const auto r = imprimir(def, linhas, o);
        EXPECT_TRUE(semFalha(r));
        return QStringList{textoEm(doc(), 1, 9, 15), textoEm(doc(), 1, 75, 15), textoEm(doc(), 1, 141, 15)};
    };
    OpcoesEtiquetas comIva;
    comIva.iva = true;
    EXPECT_EQ(precos(d, comIva), (QStringList{"12,30", "12,29", "12,30"}));
    EXPECT_EQ(precos(d, {}), (QStringList{"10,00", "9,99", "12,30"}));
    DefinicaoEtiqueta corta = d;
    corta.arredondaPrecoCorta = true;
    EXPECT_EQ(precos(corta, comIva), (QStringList{"12,30", "12,28", "12,30"}));
    DefinicaoEtiqueta incluido = d;
    incluido.precosComIvaInc = true;
    EXPECT_EQ(precos(incluido, comIva), (QStringList{"10,00", "9,99", "12,30"}));
    OpcoesEtiquetas cambio = comIva;
    cambio.cambio = C("2");
    EXPECT_EQ(precos(d, cambio), (QStringList{"6,15", "6,14", "6,15"})); // 12,2877 / 2 = 6,14385
}

// A code that cannot be made leaves its place empty and is reported once per product; the others
// are drawn in their boxes.
TEST_P(EtiquetasTest, CodigoQueFalhaFicaVazioEAvisado) {
    produto("P1", QStringLiteral("Bom"), "1");
    produto("P2", QStringLiteral("Letras"), "1");
    produto("P3", QStringLiteral("Sem código"), "1");
    codigoBarras("P1", "5601234567892");
    codigoBarras("P2", "ABC");
    DefinicaoEtiqueta d = folha3x8();
    d.etiquetaComXY = true;
    d.layoutCodigoBarras = 0;
    d.tipoCodigoBarras = 1; // EAN-13
    d.compCodBar = 36;
    d.altCodBar = 14;
    d.campos = S(";;;;;;[Descricao];;2;2/;;;;;;[Código de Barras];;2;8/;;;;;;[Código de Barras - Dinâmico];;44;8");
    std::vector<LinhaEtiqueta> linhas{linha("P1", 2), linha("P2", 2), linha("P3", 1)};
    for (LinhaEtiqueta& l : linhas)
        l.codigoDinamico = l.produto + QStringLiteral("|LOTE1");
    const auto r = imprimir(d, linhas);
    ASSERT_TRUE(semFalha(r));
    EXPECT_EQ(r->etiquetas, 5);
    ASSERT_EQ(r->avisos.size(), 2u);
    EXPECT_EQ(r->avisos[0].produto, QStringLiteral("P2"));
    EXPECT_EQ(r->avisos[0].campo, S("Código de Barras"));
    EXPECT_FALSE(r->avisos[0].erro.isEmpty());
    EXPECT_EQ(r->avisos[1].produto, QStringLiteral("P3"));
    EXPECT_EQ(r->avisos[1].erro, S("O produto não tem código de barras."));

    const QStringList descricoes{"Bom", "Bom", "Letras", "Letras", S("Sem código")};
    for (int n = 0; n < 5; ++n) {
        const QPointF canto(Colunas3x8[n % 3], Linhas3x8[n / 3]);
        const QRectF barras(canto + QPointF(2, 8), QSizeF(36, 14)), quadrado(canto + QPointF(44, 8), QSizeF(14, 14));
        if (n < 2)
            EXPECT_GT(barrasDentro(doc(), 1, barras), 20) << n;
        else
            EXPECT_EQ(barrasDentro(doc(), 1, barras), 0) << n;
        EXPECT_GT(barrasDentro(doc(), 1, quadrado), 20) << n; // the row's code, as a QR code
        EXPECT_EQ(textoEm(doc(), 1, canto.x() + 2, canto.y() + 2), descricoes[n]);
    }
    // No bar outside the code boxes.
    int total = int(caixas(doc(), 1, true).size()), dentro = 0;
    for (int n = 0; n < 5; ++n) {
        const QPointF canto(Colunas3x8[n % 3], Linhas3x8[n / 3]);
        dentro += barrasDentro(doc(), 1, QRectF(canto + QPointF(2, 8), QSizeF(36, 14))) +
                  barrasDentro(doc(), 1, QRectF(canto + QPointF(44, 8), QSizeF(14, 14)));
    }
    EXPECT_EQ(dentro, total);
}

// The product's first confirmed picture, as large as the rest of the label allows in its own
// proportions; an unconfirmed one is not printed.
TEST_P(EtiquetasTest, FotoDoProduto) {
    produto("P1", QStringLiteral("Com foto"), "1");
    produto("P2", QStringLiteral("Foto por confirmar"), "1");
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::darkGreen);
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ASSERT_TRUE(img.save(&buffer, "PNG"));
    for (auto [produto, fechado] : {std::pair{"P1", "S"}, std::pair{"P2", "N"}})
        ASSERT_GT(db->insert(QStringLiteral("Imagens"),
                             Registo()("Tabela", "Produtos")("Codigo", produto)("Chave", "")("Utilizador", "01")(
                                 "Fechado", fechado)("Imagem", png)("Nome", "foto.png")),
                  0);
    DefinicaoEtiqueta d = folha3x8();
    d.campos = S(";;;;;;[Foto];;;");
    const auto r = imprimir(d, {linha("P1", 1), linha("P2", 1)});
    ASSERT_TRUE(semFalha(r));
    std::vector<QRectF> imagens;
    for (const OpDesenho& op : doc().paginas[0].ops)
        if (const auto* i = std::get_if<OpImagem>(&op)) {
            imagens.emplace_back(ConvertTWmm(i->caixa.left()), ConvertTWmm(i->caixa.top()),
                                 ConvertTWmm(i->caixa.width()), ConvertTWmm(i->caixa.height()));
            ASSERT_TRUE(i->imagem);
            EXPECT_EQ(i->imagem->size(), QSize(20, 10));
        }
    // From (9, 15) the label leaves 62 × 32 mm: the 2:1 picture takes the whole width.
    ASSERT_EQ(imagens.size(), 1u);
    EXPECT_NEAR(imagens[0].left(), 9, 1e-6);
    EXPECT_NEAR(imagens[0].top(), 15, 1e-6);
    EXPECT_NEAR(imagens[0].width(), 62, 1e-6);
    EXPECT_NEAR(imagens[0].height(), 31, 1e-6);
    EXPECT_TRUE(r->avisos.empty());
}

TEST_P(EtiquetasTest, DefinicoesGravadasELidas) {
    DefinicaoEtiqueta d = folha3x8();
    d.etiquetaComXY = true;
    d.arredondaPrecoCorta = true;
    d.imprimeCaixaContorno = true;
    d.layoutCodigoBarras = 1;
    d.tipoCodigoBarras = 9;
    d.altCodBar = 12;
    ASSERT_TRUE(semFalha(GravarDefinicaoEtiqueta(*db, d, false)));
    auto lida = LerDefinicaoEtiqueta(*db, QStringLiteral("a4-24"));
    ASSERT_TRUE(semFalha(lida));
    ASSERT_TRUE(lida->has_value());
    EXPECT_EQ(DefinicaoEtiquetaParaJson(**lida), DefinicaoEtiquetaParaJson(d));

    // A second save of the code is refused unless it replaces the first, which it does whole.
    DefinicaoEtiqueta outra = d;
    outra.descricao = QStringLiteral("Folha revista");
    outra.numEtiqVert = 7;
    const auto repetida = GravarDefinicaoEtiqueta(*db, outra, false);
    ASSERT_FALSE(repetida);
    EXPECT_EQ(repetida.campo(), QStringLiteral("Codigo"));
    ASSERT_TRUE(semFalha(GravarDefinicaoEtiqueta(*db, outra, true)));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM etiquetas")).toInt(), 1);
    lida = LerDefinicaoEtiqueta(*db, QStringLiteral("A4-24"));
    ASSERT_TRUE(semFalha(lida));
    ASSERT_TRUE(lida->has_value());
    EXPECT_EQ((*lida)->descricao, QStringLiteral("Folha revista"));
    EXPECT_EQ((*lida)->numEtiqVert, 7);

    // Refused: a grid off the paper, a blank description; nothing written.
    DefinicaoEtiqueta fora = d;
    fora.codigo = QStringLiteral("FORA");
    fora.numEtiqHoriz = 4;
    EXPECT_FALSE(GravarDefinicaoEtiqueta(*db, fora, false));
    DefinicaoEtiqueta semDescricao = d;
    semDescricao.codigo = QStringLiteral("SEMDESC");
    semDescricao.descricao = QStringLiteral("   ");
    EXPECT_FALSE(GravarDefinicaoEtiqueta(*db, semDescricao, false));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM etiquetas")).toInt(), 1);

    // Labels of other records are not product labels: not read, and their code not taken.
    ASSERT_GT(db->insert(QStringLiteral("etiquetas"), Registo()("Codigo", "CLI")("Descricao", "Clientes")(
                                                          "FicheiroBase", "C")("NumEtiqHoriz", 1)),
              0);
    lida = LerDefinicaoEtiqueta(*db, QStringLiteral("CLI"));
    ASSERT_TRUE(semFalha(lida));
    EXPECT_FALSE(lida->has_value());
    DefinicaoEtiqueta cli = d;
    cli.codigo = QStringLiteral("CLI");
    EXPECT_FALSE(GravarDefinicaoEtiqueta(*db, cli, true));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Descricao FROM etiquetas WHERE Codigo=?"), {"CLI"}).toString(),
              QStringLiteral("Clientes"));
}

TEST_P(EtiquetasTest, FolhaEmPdfLidaDeVolta) {
    produto("P1", S("Pão de forma"), "10");
    produto("P2", QStringLiteral("Bolo-rei"), "9.99");
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString f = pasta.filePath(QStringLiteral("etiquetas.pdf"));
    OpcoesEtiquetas o;
    o.iva = true;
    const auto r = EtiquetasParaPdf(*db, folha3x8(), {linha("P1", 2), linha("P2", 1)}, o, f);
    ASSERT_TRUE(semFalha(r));
    EXPECT_EQ(r->etiquetas, 3);
    QProcess texto;
    texto.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), f, QStringLiteral("-")});
    ASSERT_TRUE(texto.waitForFinished(60000));
    ASSERT_EQ(texto.exitCode(), 0) << texto.readAllStandardError().toStdString();
    const QString lido = QString::fromUtf8(texto.readAllStandardOutput());
    EXPECT_EQ(lido.count(S("Pão de forma")), 2) << lido.toStdString();
    EXPECT_TRUE(lido.contains(QStringLiteral("Bolo-rei"))) << lido.toStdString();
    EXPECT_EQ(lido.count(S("Preço: 12,30 €")), 2) << lido.toStdString();
    EXPECT_TRUE(lido.contains(S("Preço: 12,29 €"))) << lido.toStdString();

    // A refused run writes nothing.
    const QString g = pasta.filePath(QStringLiteral("recusada.pdf"));
    DefinicaoEtiqueta semCampos = folha3x8();
    semCampos.campos.clear();
    EXPECT_FALSE(EtiquetasParaPdf(*db, semCampos, {linha("P1", 1)}, o, g));
    EXPECT_FALSE(QFile::exists(g));
}

LUMO_INSTANCIAR_MOTORES(EtiquetasTest);

#include "printing/cPrinter.h"
#include "support/PaginasGravadas.h"

#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {
constexpr double Tol = 0.01; // twips

std::vector<OpTexto> textos(const DocumentoImpresso& d, int pagina) {
    std::vector<OpTexto> r;
    for (const OpDesenho& op : d.paginas[size_t(pagina - 1)].ops)
        if (const auto* t = std::get_if<OpTexto>(&op))
            r.push_back(*t);
    return r;
}

const OpTexto* procurarTexto(const DocumentoImpresso& d, int pagina, const QString& s) {
    for (const OpDesenho& op : d.paginas[size_t(pagina - 1)].ops)
        if (const auto* t = std::get_if<OpTexto>(&op); t && t->texto == s)
            return t;
    return nullptr;
}

class ProgressoGuiado : public IndicadorProgresso {
public:
    int pararNaChamada = -1;
    int chamadas = 0;
    QString ultima;
    bool fechado = false;
    void mostrar(const QString&, const QString& informacao) override { ultima = informacao; }
    bool pedidoParar() override { return ++chamadas == pararNaChamada; }
    void fechar() override { fechado = true; }
};
} // namespace

TEST(cPrinter, TextoEmMilimetrosMaisMargensUmaVez) {
    cPrinter p;
    p.SetMargens(5, 7);
    ASSERT_TRUE(p.init(QStringLiteral("Teste")));
    p.L(QStringLiteral("Esquerda"), 40, 10);
    p.r(QStringLiteral("Direita"), 50, 190);
    p.c(QStringLiteral("Centro"), 60, 100);
    p.L(QStringLiteral("Caixa"), 70, 20, 80); // fitted path must not add the margins again
    const auto& d = *p.documento();
    const OpTexto* e = procurarTexto(d, 1, QStringLiteral("Esquerda"));
    const OpTexto* r = procurarTexto(d, 1, QStringLiteral("Direita"));
    const OpTexto* c = procurarTexto(d, 1, QStringLiteral("Centro"));
    const OpTexto* b = procurarTexto(d, 1, QStringLiteral("Caixa"));
    ASSERT_TRUE(e && r && c && b);
    EXPECT_NEAR(e->caixa.left(), 17 * 56.7, Tol);
    EXPECT_NEAR(e->caixa.top(), 45 * 56.7, Tol);
    EXPECT_NEAR(r->caixa.right(), 197 * 56.7, Tol);
    EXPECT_NEAR(r->caixa.top(), 55 * 56.7, Tol);
    EXPECT_NEAR(c->caixa.center().x(), 107 * 56.7, Tol);
    EXPECT_NEAR(b->caixa.left(), 27 * 56.7, Tol);
    EXPECT_NEAR(b->caixa.top(), 75 * 56.7, Tol);
    // The text sits on its baseline below the top it was placed at.
    EXPECT_GT(e->base.y(), e->caixa.top());
    EXPECT_NEAR(p.CurX(), ConvertTWmm(b->caixa.right()), 1e-6);
}

TEST(cPrinter, FormasDeslocadasPelasMargens) {
    cPrinter p;
    p.SetMargens(10, 20);
    ASSERT_TRUE(p.init(QStringLiteral("Formas")));
    p.pLine(0, 0, 100, 0, 0.5);
    p.PFill(Qt::gray);
    p.pBox(30, 40, 10, 20);
    p.pCircle(50, 50, 5);
    const auto& ops = p.documento()->paginas[0].ops;
    ASSERT_EQ(ops.size(), 3u);
    const auto& l = std::get<OpLinha>(ops[0]);
    EXPECT_NEAR(l.de.x(), 20 * 56.7, Tol);
    EXPECT_NEAR(l.de.y(), 10 * 56.7, Tol);
    EXPECT_NEAR(l.ate.x(), 120 * 56.7, Tol);
    EXPECT_NEAR(l.espessura, 0.5 * 56.7, Tol);
    const auto& b = std::get<OpRectangulo>(ops[1]);
    EXPECT_NEAR(b.caixa.left(), 30 * 56.7, Tol); // corners given in any order
    EXPECT_NEAR(b.caixa.bottom(), 50 * 56.7, Tol);
    EXPECT_TRUE(b.preenchimento.isValid());
    // The width passed to one call does not become the pen of the next.
    EXPECT_NEAR(b.espessura, 0.2 * 56.7, Tol);
    const auto& e = std::get<OpElipse>(ops[2]);
    EXPECT_NEAR(e.caixa.center().x(), 70 * 56.7, Tol);
    EXPECT_NEAR(e.caixa.width(), 10 * 56.7, Tol);
}

TEST(cPrinter, AreaUtilPapelEMargens) {
    cPrinter p;
    p.SetMargens(10, 15, 12, 5, 8, 6);
    ASSERT_TRUE(p.init(QStringLiteral("A4")));
    EXPECT_NEAR(p.mX(), 190, 1e-9);
    EXPECT_NEAR(p.mY(), 297 - 36, 1e-9);
    p.SetMargens({}, 0); // only the left margin changes
    EXPECT_NEAR(p.mX(), 205, 1e-9);
    EXPECT_NEAR(p.GetMargens().topo, 10, 1e-9);

    ASSERT_TRUE(p.init(QStringLiteral("Paisagem"), QStringLiteral("S"), cPrinter::PapelA4,
                       cPrinter::Orientacao::Paisagem));
    EXPECT_NEAR(p.GetPageSize().width(), 297, 1e-9);
    ASSERT_TRUE(
        p.init(QStringLiteral("Etiqueta"), QStringLiteral("S"), 0, cPrinter::Orientacao::Retrato, 40, 70));
    EXPECT_NEAR(p.GetPageSize().width(), 70, 1e-9);
    EXPECT_NEAR(p.GetPageSize().height(), 40, 1e-9);
    p.SetPageSize(100);
    EXPECT_NEAR(p.GetPageSize().height(), 100, 1e-9);
    EXPECT_NEAR(p.GetPageSize().width(), 70, 1e-9);
}

TEST(cPrinter, FonteTamanhoZeroEReposicaoNoInit) {
    cPrinter p;
    ASSERT_TRUE(p.init(QStringLiteral("F")));
    p.PFont(QStringLiteral("Arial"), 0, true);
    EXPECT_EQ(p.Fonte().tamanho, 8);
    EXPECT_TRUE(p.Fonte().negrito);
    p.PFont({}, 12); // name and weight kept
    EXPECT_EQ(p.Fonte().nome, QStringLiteral("Arial"));
    EXPECT_TRUE(p.Fonte().negrito);
    ASSERT_TRUE(p.init(QStringLiteral("G")));
    EXPECT_EQ(p.Fonte().nome, QStringLiteral("Times New Roman"));
    EXPECT_FALSE(p.Fonte().negrito);
}

TEST(cPrinter, FitStringToCompPorPalavrasECaracteres) {
    cPrinter p;
    ASSERT_TRUE(p.init(QStringLiteral("Fit")));
    const QString t = QStringLiteral("alfa beta gama delta");
    QString resto;
    const double w = p.WidthOfString(QStringLiteral("alfa beta")) + 0.1;
    EXPECT_EQ(p.FitStringToComp(t, w, &resto, true), QStringLiteral("alfa beta"));
    EXPECT_EQ(resto, QStringLiteral("gama delta"));

    const double wc = p.WidthOfString(QStringLiteral("alfa be")) + 0.01;
    EXPECT_EQ(p.FitStringToComp(t, wc, &resto, false), QStringLiteral("alfa be"));
    EXPECT_EQ(resto, QStringLiteral("ta gama delta"));

    EXPECT_EQ(p.FitStringToComp(t, 500, &resto, true), t);
    EXPECT_TRUE(resto.isEmpty());

    // A first word wider than the hole is cut by characters rather than returning nothing.
    const QString longa = QStringLiteral("Paralelepipedo curto");
    const QString cab =
        p.FitStringToComp(longa, p.WidthOfString(QStringLiteral("Parale")) + 0.01, &resto, true);
    EXPECT_EQ(cab, QStringLiteral("Parale"));
    EXPECT_EQ(resto, QStringLiteral("lepipedo curto"));
}

TEST(cPrinter, FitMemoToHoleCortaComReticencias) {
    cPrinter p;
    ASSERT_TRUE(p.init(QStringLiteral("Memo")));
    const QString t = QStringLiteral(
        "um texto bastante comprido que nunca cabe em duas linhas estreitas de um buraco pequeno");
    const double linha = p.HeightOfString();
    const QString r = p.FitMemoToHole(t, 30, linha * 2.2);
    const QStringList linhas = r.split(u'\n');
    ASSERT_EQ(linhas.size(), 2);
    EXPECT_TRUE(linhas.back().endsWith(QStringLiteral("...")));
    for (const QString& l : linhas)
        EXPECT_LE(p.WidthOfString(l), 30.0001) << l.toStdString();
    EXPECT_EQ(p.FitMemoToHole(QStringLiteral("curto"), 30, linha), QStringLiteral("curto"));

    // L with a width fits one line ending in "..."
    p.L(t, 10, 10, 30);
    const auto ts = textos(*p.documento(), 1);
    ASSERT_EQ(ts.size(), 1u);
    EXPECT_TRUE(ts[0].texto.endsWith(QStringLiteral("...")));
    EXPECT_LE(ts[0].caixa.width(), ConvertmmTW(30) + Tol);
}

TEST(cPrinter, MemoEmVariasLinhasEUmaLinhaDeCadaVez) {
    cPrinter p;
    ASSERT_TRUE(p.init(QStringLiteral("Memo")));
    const double fim = p.m(QStringLiteral("primeira segunda terceira quarta quinta"), 10, 0,
                           p.WidthOfString(QStringLiteral("primeira segunda")) + 0.1, 5);
    auto ts = textos(*p.documento(), 1);
    ASSERT_EQ(ts.size(), 3u);
    EXPECT_EQ(ts[0].texto, QStringLiteral("primeira segunda"));
    EXPECT_EQ(ts[2].texto, QStringLiteral("quinta"));
    EXPECT_NEAR(fim, 25, 1e-9);
    EXPECT_NEAR(ts[1].caixa.top(), ConvertmmTW(15), Tol);

    QString memo = QStringLiteral("linha um\r\nlinha dois");
    EXPECT_TRUE(p.PrintUmaLinhaMemo(memo, 50, 0, 100));
    EXPECT_EQ(memo, QStringLiteral("linha dois"));
    EXPECT_TRUE(p.PrintUmaLinhaMemo(memo, 55, 0, 100));
    EXPECT_TRUE(memo.isEmpty());
    EXPECT_FALSE(p.PrintUmaLinhaMemo(memo, 60, 0, 100));
    ts = textos(*p.documento(), 1);
    EXPECT_EQ(ts.back().texto, QStringLiteral("linha dois"));
}

TEST(cPrinter, NumerosDePaginaCarimbadosNoFim) {
    cPrinter p;
    ASSERT_TRUE(p.init(QStringLiteral("Sete")));
    p.PrintPageNumbers(true);
    p.PrintPageNumbers_PosX(150);
    p.PrintPageNumbers_PosY(280);
    for (int i = 1; i < 7; ++i)
        p.PNP();
    // The ten-text layout: two items, the second right-aligned with a caption.
    const QStringList layout{QStringLiteral("10<@>200"),      QStringLiteral("5<@>5"),
                             QStringLiteral("Arial<@>Arial"), QStringLiteral("8<@>9"),
                             QStringLiteral("0<@>1"),         QStringLiteral("0<@>0"),
                             QStringLiteral("L<@>R"),         QStringLiteral("0<@>0"),
                             QStringLiteral("<@>Folha "),     QString()};
    ASSERT_TRUE(p.Show(layout));
    const auto& d = *p.documento();
    ASSERT_EQ(d.numeroPaginas(), 7);
    for (int pag = 1; pag <= 7; ++pag) {
        const QString n = QString::number(pag) + QStringLiteral(" / 7");
        const OpTexto* pn = procurarTexto(d, pag, QStringLiteral("Página: ") + n);
        ASSERT_TRUE(pn) << pag;
        EXPECT_NEAR(pn->caixa.left(), ConvertmmTW(150), Tol);
        EXPECT_TRUE(procurarTexto(d, pag, n));
        const OpTexto* folha = procurarTexto(d, pag, QStringLiteral("Folha ") + n);
        ASSERT_TRUE(folha);
        EXPECT_NEAR(folha->caixa.right(), ConvertmmTW(200), Tol);
        EXPECT_TRUE(d.fontes[size_t(folha->fonte)].negrito);
        EXPECT_EQ(textos(d, pag).size(), 3u);
    }
    EXPECT_TRUE(d.exportados.empty()); // page numbers are not report data
}

TEST(cPrinter, EventosDePaginaRepoemFonte) {
    cPrinter p;
    std::vector<int> novas, depois;
    p.aoNovaPagina = [&](int n) {
        novas.push_back(n);
        p.PFont(QStringLiteral("Arial"), 14, true);
        p.L(QStringLiteral("Cabeçalho"), 5, 10);
    };
    p.aposPagina = [&](int n) { depois.push_back(n); };
    ASSERT_TRUE(p.init(QStringLiteral("Eventos")));
    p.PFont(QStringLiteral("Courier New"), 9);
    p.PNP();
    EXPECT_EQ(p.Fonte().nome, QStringLiteral("Courier New"));
    EXPECT_EQ(p.Fonte().tamanho, 9);
    p.PNP();
    ASSERT_TRUE(p.Show());
    EXPECT_EQ(novas, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(depois, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(procurarTexto(*p.documento(), 3, QStringLiteral("Cabeçalho")));
}

TEST(cPrinter, WaitMostraPaginaEParaAPedido) {
    cPrinter p;
    ProgressoGuiado prog;
    prog.pararNaChamada = 2;
    p.definirIndicador(&prog);
    ASSERT_TRUE(p.init(QStringLiteral("Longo")));
    EXPECT_TRUE(p.Wait(1));
    p.PNP();
    EXPECT_FALSE(p.Wait(2));
    EXPECT_EQ(prog.ultima, QStringLiteral("Imprimindo Página 2"));
    p.Abort();
    EXPECT_TRUE(prog.fechado);
    EXPECT_FALSE(p.Show()); // an aborted report is not presented

    cPrinter q;
    ASSERT_TRUE(q.init(QStringLiteral("Sem janela")));
    EXPECT_TRUE(q.Wait(1));
    q.Parar();
    EXPECT_FALSE(q.Wait(1));
}

TEST(cPrinter, TextoNosBuracosDeFormulario) {
    cPrinter p;
    p.SetMargens(0, 10);
    ASSERT_TRUE(p.init(QStringLiteral("Buracos")));
    p.PrintStringNosBuracos(QStringLiteral("ab"), 20, 0, 5, 5, QStringLiteral("R"));
    p.PrintStringNosBuracos(QStringLiteral("1.2,3"), 30, 0, 5, 5, QStringLiteral("L"), true);
    p.PrintStringNosBuracos(QStringLiteral("   "), 40, 0, 5, 5);
    const auto& d = *p.documento();
    const OpTexto* a = procurarTexto(d, 1, QStringLiteral("A"));
    const OpTexto* b = procurarTexto(d, 1, QStringLiteral("B"));
    ASSERT_TRUE(a && b);
    EXPECT_NEAR(a->caixa.center().x(), ConvertmmTW(10 + 3.5 * 5), Tol);
    EXPECT_NEAR(b->caixa.center().x(), ConvertmmTW(10 + 4.5 * 5), Tol);
    const OpTexto* tres = procurarTexto(d, 1, QStringLiteral("3"));
    ASSERT_TRUE(tres);
    EXPECT_NEAR(tres->caixa.center().x(), ConvertmmTW(10 + 2.5 * 5), Tol);
    EXPECT_FALSE(procurarTexto(d, 1, QStringLiteral(".")));
    EXPECT_EQ(textos(d, 1).size(), 5u); // the blank text printed nothing

    cPrinter g;
    ASSERT_TRUE(g.init(QStringLiteral("Grupos")));
    g.PrintGruposNosBuracos(QStringLiteral("-1.234,56"), 10, {{0, 5, 4}, {30, 5, 3}, {50, 5, 2}});
    const auto& dg = *g.documento();
    auto centro = [&](const QString& s) {
        const OpTexto* t = procurarTexto(dg, 1, s);
        return t ? ConvertTWmm(t->caixa.center().x()) : -1.0;
    };
    EXPECT_NEAR(centro(QStringLiteral("1")), 17.5, 1e-6);
    EXPECT_NEAR(centro(QStringLiteral("-")), 12.5, 1e-6);
    EXPECT_NEAR(centro(QStringLiteral("2")), 32.5, 1e-6);
    EXPECT_NEAR(centro(QStringLiteral("4")), 42.5, 1e-6);
    EXPECT_NEAR(centro(QStringLiteral("6")), 57.5, 1e-6);
}

TEST(cPrinter, MemoRtfMantemTextoEParagrafos) {
    cPrinter p;
    ASSERT_TRUE(p.init(QStringLiteral("RTF")));
    const double fim = p.PrintMemoRTF(
        QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Ol\\'e1 mundo\\par Segunda linha}"), 10, 5,
        150);
    const auto ts = textos(*p.documento(), 1);
    QStringList vistos;
    for (const auto& t : ts)
        vistos << t.texto;
    EXPECT_TRUE(vistos.join(u'|').contains(QStringLiteral("Olá mundo"))) << vistos.join(u'|').toStdString();
    EXPECT_TRUE(vistos.contains(QStringLiteral("Segunda linha")));
    EXPECT_FALSE(vistos.join(u' ').contains(QStringLiteral("Arial")));
    ASSERT_GE(ts.size(), 2u);
    EXPECT_GT(ts.back().caixa.top(), ts.front().caixa.top());
    EXPECT_GT(fim, 10 + 2 * ConvertTWmm(ts.front().caixa.height()) * 0.9);
}

// A small fixed report: its recorded texts, anchors and shapes against the file kept beside the tests.
TEST(cPrinter, RelatorioFixoIgualAoFicheiroDeReferencia) {
    cPrinter p;
    p.SetMargens(10, 10, 10, 10);
    p.GravarExportacao(true);
    p.aoNovaPagina = [&](int) {
        p.PFont(QStringLiteral("Arial"), 12, true);
        p.c(QStringLiteral("Mapa de Consumos"), 0, p.mX() / 2);
        p.pLine(0, 8, p.mX(), 8);
    };
    ASSERT_TRUE(p.init(QStringLiteral("Mapa de Consumos")));
    double y = 12;
    for (int i = 1; i <= 12; ++i) {
        if (y > 60) {
            p.PNP();
            y = 12;
        }
        p.L(QStringLiteral("P%1").arg(i, 4, 10, QChar(u'0')), y, 0, 0, 0, TipoDado::Texto);
        p.L(QStringLiteral("Matéria-prima %1").arg(i), y, 25);
        p.r(QStringLiteral("%1,50").arg(i * 3), y, 150);
        y += 5;
    }
    p.pBox(0, y + 2, p.mX(), y + 10);
    ASSERT_TRUE(p.Show());

    confereComGolden(*p.documento(), "mapa_consumos.txt");
}

#include "printing/EquipamentoImpressao.h"

#include "controls/FormatoNumero.h"
#include "printing/ExportadorPdf.h"
#include "printing/cPrinter.h"
#include "production/FormatoQuantidade.h"

namespace {

const QString Fonte = QStringLiteral("Arial Narrow");
const QString FonteTitulo = QStringLiteral("Times New Roman");
constexpr double X0 = 10;        // left edge of every column
constexpr double Largura = 190;  // to the right edge of the values
constexpr double Passo = 4;      // one row of a section
constexpr double Cabecalho = 29; // where a page's body starts

// Left edges, widths and right edges of the columns, in mm from X0.
constexpr double XData = 0, WData = 15;
constexpr double XTipo = 16, WTipo = 8;
constexpr double XNumero = 25, WNumero = 16;
constexpr double XProduto = 42, WProduto = 22;
constexpr double XDescricao = 65, WDescricao = 60;
constexpr double RQuantidade = 146, RPreco = 168, RValor = Largura;

// The equipment block: two label/value pairs a row.
constexpr double XRotulo1 = 0, XValor1 = 30, WValor1 = 60;
constexpr double XRotulo2 = 95, XValor2 = 127, WValor2 = 63;

// Quantities, prices and values alike: totals are exact sums to the ten-thousandth.
QString numero(const Currency& v) { return formatarNumeroPT(v, 4); }

} // namespace

bool ImprimirRelatorioEquipamento(cPrinter& p, const RelatorioEquipamento& r, const QString& empresa,
                                  const QString& destino, const QDate& emissao) {
    const QString titulo = QStringLiteral("Equipamento");
    const QString dataEmissao = emissao.toString(QStringLiteral("dd-MM-yyyy"));
    double y = Cabecalho;
    bool emSeccao = false; // a page break inside a section repeats the column captions

    auto colunas = [&] {
        p.PFont(Fonte, 8, true);
        p.L(QStringLiteral("Data"), y, X0 + XData);
        p.L(QStringLiteral("Tipo"), y, X0 + XTipo);
        p.L(QStringLiteral("Número"), y, X0 + XNumero);
        p.L(QStringLiteral("Produto"), y, X0 + XProduto);
        p.L(QStringLiteral("Descrição do Produto"), y, X0 + XDescricao);
        p.r(QStringLiteral("Quantidade"), y, X0 + RQuantidade);
        p.r(QStringLiteral("Preço"), y, X0 + RPreco);
        p.r(QStringLiteral("Valor"), y, X0 + RValor);
        y += Passo;
        p.pLine(X0, y, X0 + Largura, y);
        y += 1.5;
        p.PFont(Fonte, 8, false);
    };
    p.aoNovaPagina = [&](int) {
        p.PFont(Fonte, 9, true);
        p.L(empresa, 8, X0, 120);
        p.PFont(FonteTitulo, 12, true);
        p.c(titulo, 13, p.mX() / 2);
        p.pLine(X0, 25, X0 + Largura, 25);
        p.PFont(Fonte, 9, false);
        p.L(QStringLiteral("Data Emissão : ") + dataEmissao + QStringLiteral("  -  ") +
                QStringLiteral("Processado por Computador"),
            p.mY() - 8, X0);
        y = Cabecalho;
        if (emSeccao)
            colunas();
    };
    p.PrintPageNumbers(true);
    p.PrintPageNumbers_PosX(X0 + Largura - 20);
    if (!p.init(titulo, destino)) {
        p.aoNovaPagina = nullptr;
        return false;
    }
    p.PrintPageNumbers_PosY(p.mY() - 8);
    const double limite = p.mY() - 14; // the footer's room

    const Equipamento& e = r.equipamento;
    auto campo = [&](const QString& rotulo, const QString& texto, double xRotulo, double xValor, double largura) {
        p.PFont(Fonte, 9, true);
        p.L(rotulo, y, X0 + xRotulo);
        p.PFont(Fonte, 9, false);
        if (!texto.isEmpty()) // a step not done yet stays blank
            p.L(texto, y, X0 + xValor, largura, 0, TipoDado::Texto);
    };
    campo(QStringLiteral("Código"), e.codigo.trimmed(), XRotulo1, XValor1, WValor1);
    campo(QStringLiteral("Descrição"), e.descricao.trimmed(), XRotulo2, XValor2, WValor2);
    y += Passo + 1;
    campo(QStringLiteral("Data aquisição"), DataVisivel(e.dataAquisicao), XRotulo1, XValor1, WValor1);
    campo(QStringLiteral("Data abate/registo"), DataVisivel(e.dataAbate), XRotulo2, XValor2, WValor2);
    y += Passo + 1;
    campo(QStringLiteral("Data despoluimento"), DataVisivel(e.dataDespoluimento), XRotulo1, XValor1, WValor1);
    campo(QStringLiteral("Data desmantelamento"), DataVisivel(e.dataDesmantelamento), XRotulo2, XValor2, WValor2);
    y += Passo + 1;
    p.pLine(X0, y, X0 + Largura, y);
    y += 4;

    // A total's caption right-aligned against the price column, its amount under the values.
    auto total = [&](const QString& rotulo, const Currency& v) {
        p.PFont(Fonte, 8, true);
        p.r(rotulo, y, X0 + RPreco);
        p.r(numero(v), y, X0 + RValor);
        p.PFont(Fonte, 8, false);
    };
    auto seccao = [&](const QString& cabecalho, const std::vector<LinhaRelatorioEquipamento>& linhas,
                      const QString& rotuloTotal, const Currency& soma) {
        // The heading never stays alone at the foot of a page.
        if (y + 6 + Passo + 1.5 + Passo > limite)
            p.PNP();
        p.PFont(Fonte, 9, true);
        p.L(cabecalho, y, X0, Largura);
        y += 6;
        colunas();
        emSeccao = true;
        for (const LinhaRelatorioEquipamento& l : linhas) {
            if (y + Passo > limite)
                p.PNP();
            p.L(DataVisivel(l.data), y, X0 + XData, WData, 0, TipoDado::Texto);
            p.L(l.tipo, y, X0 + XTipo, WTipo, 0, TipoDado::Texto);
            p.L(l.numero, y, X0 + XNumero, WNumero, 0, TipoDado::Texto);
            p.L(l.produto, y, X0 + XProduto, WProduto, 0, TipoDado::Texto);
            p.L(l.descricao, y, X0 + XDescricao, WDescricao);
            p.r(numero(l.quantidade), y, X0 + RQuantidade);
            p.r(numero(l.preco), y, X0 + RPreco);
            p.r(numero(l.valor), y, X0 + RValor);
            y += Passo;
        }
        if (y + 1 + Passo > limite)
            p.PNP();
        p.pLine(X0 + RQuantidade + 2, y, X0 + RValor, y);
        y += 1;
        total(rotuloTotal, soma);
        y += Passo + 6;
        emSeccao = false;
    };
    seccao(QStringLiteral("CUSTOS (aquisição/matérias primas)"), r.custos, QStringLiteral("Total de custos"),
           r.totalCustos);
    seccao(QStringLiteral("PROVEITOS (produtos acabados/desmantelamento)"), r.proveitos,
           QStringLiteral("Total de proveitos"), r.totalProveitos);
    if (y + 1 + Passo > limite)
        p.PNP();
    p.pLine(X0 + RQuantidade + 2, y, X0 + RValor, y);
    y += 1;
    total(QStringLiteral("Saldo (custo/proveito)"), r.saldo());
    const bool mostrado = p.Show();
    p.aoNovaPagina = nullptr; // it refers to this function's locals
    return mostrado;
}

Resultado<> RelatorioEquipamentoParaPdf(const RelatorioEquipamento& r, const QString& empresa,
                                        const QString& ficheiro, const QDate& emissao) {
    cPrinter p;
    if (!ImprimirRelatorioEquipamento(p, r, empresa, QStringLiteral("S"), emissao) || !p.documento())
        return Falha(QStringLiteral("Não foi possível preparar a impressão do equipamento."));
    return EscreverPdf(*p.documento(), ficheiro);
}

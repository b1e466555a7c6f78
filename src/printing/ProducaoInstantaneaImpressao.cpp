#include "printing/ProducaoInstantaneaImpressao.h"

#include "controls/FormatoNumero.h"
#include "printing/ExportadorPdf.h"
#include "printing/cPrinter.h"

namespace {

const QString Fonte = QStringLiteral("Arial Narrow");
constexpr double X0 = 10;        // left edge of every column
constexpr double Largura = 190;  // to the right edge of the values
constexpr double Passo = 4;      // one row of a section
constexpr double Cabecalho = 29; // where a page's sections start

// Left edges, widths and right edges of the columns, in mm from X0.
constexpr double XCodigo = 0, WCodigo = 23;
constexpr double XDescricao = 24, WDescricao = 50;
constexpr double XArmazem = 75, WArmazem = 8;
constexpr double XLocalizacao = 84, WLocalizacao = 10;
constexpr double XLote = 95, WLote = 33;
constexpr double RQuantidade = 149, RPreco = 168, RValor = Largura;

QString quantidade(const Currency& v) { return formatarNumeroPT(v, 4); }
QString valor(const Currency& v) { return formatarNumeroPT(v, 2); }

} // namespace

bool ImprimirProducaoInstantanea(cPrinter& p, const ImpressaoInstantanea& d, const QString& destino) {
    const QString titulo = d.titulo();
    double y = Cabecalho;
    bool emSeccao = false; // a page break inside a section repeats the column captions

    auto colunas = [&] {
        p.PFont(Fonte, 8, true);
        p.L(QStringLiteral("Código"), y, X0 + XCodigo);
        p.L(QStringLiteral("Descrição"), y, X0 + XDescricao);
        p.L(QStringLiteral("Arm."), y, X0 + XArmazem);
        p.L(QStringLiteral("Loc."), y, X0 + XLocalizacao);
        p.L(QStringLiteral("Lote/Referências"), y, X0 + XLote);
        p.r(QStringLiteral("Quantidade"), y, X0 + RQuantidade);
        p.r(QStringLiteral("Preço"), y, X0 + RPreco);
        p.r(QStringLiteral("Val. Ilíquido"), y, X0 + RValor);
        y += Passo;
        p.pLine(X0, y, X0 + Largura, y);
        y += 1.5;
        p.PFont(Fonte, 8, false);
    };
    p.aoNovaPagina = [&](int) {
        p.PFont(Fonte, 9, true);
        p.L(d.empresa, 8, X0, 120);
        p.PFont(Fonte, 12, true);
        // A process and its equipment may take a second line.
        p.c(titulo, 13, p.mX() / 2, Largura, 10);
        p.pLine(X0, 25, X0 + Largura, 25);
        p.PFont(Fonte, 9, false);
        p.L(QStringLiteral("Data Emissão : ") + d.dataEmissao + QStringLiteral("  -  ") +
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
    p.PFont(Fonte, 8, false);

    auto seccao = [&](const QString& cabecalho, const std::vector<ImpressaoInstantanea::Linha>& linhas,
                      const Currency& total) {
        // The heading never stays alone at the foot of a page.
        if (y + 6 + Passo + 1.5 + Passo > limite)
            p.PNP();
        p.PFont(Fonte, 9, true);
        p.L(cabecalho, y, X0, Largura);
        y += 6;
        colunas();
        emSeccao = true;
        for (const ImpressaoInstantanea::Linha& l : linhas) {
            if (y + Passo > limite)
                p.PNP();
            p.L(l.codigo, y, X0 + XCodigo, WCodigo, 0, TipoDado::Texto);
            p.L(l.descricao, y, X0 + XDescricao, WDescricao);
            p.L(l.armazem, y, X0 + XArmazem, WArmazem, 0, TipoDado::Texto);
            p.L(l.localizacao, y, X0 + XLocalizacao, WLocalizacao, 0, TipoDado::Texto);
            p.L(l.loteReferencias(), y, X0 + XLote, WLote, 0, TipoDado::Texto);
            p.r(quantidade(l.quantidade), y, X0 + RQuantidade);
            p.r(quantidade(l.preco), y, X0 + RPreco);
            p.r(valor(l.valor), y, X0 + RValor);
            y += Passo;
        }
        if (y + 1 + Passo > limite)
            p.PNP();
        p.pLine(X0 + RQuantidade + 2, y, X0 + RValor, y);
        y += 1;
        p.PFont(Fonte, 8, true);
        p.r(QStringLiteral("CUSTO TOTAL"), y, X0 + RPreco);
        p.r(valor(total), y, X0 + RValor);
        p.PFont(Fonte, 8, false);
        y += Passo + 6;
        emSeccao = false;
    };
    seccao(d.cabecalhoAcabados(), d.acabados, d.custoAcabados());
    seccao(d.cabecalhoMaterias(), d.materias, d.custoMaterias());
    const bool mostrado = p.Show();
    p.aoNovaPagina = nullptr; // it refers to this function's locals
    return mostrado;
}

Resultado<> ProducaoInstantaneaParaPdf(const ImpressaoInstantanea& d, const QString& ficheiro) {
    cPrinter p;
    if (!ImprimirProducaoInstantanea(p, d, QStringLiteral("S")) || !p.documento())
        return Falha(QStringLiteral("Não foi possível preparar a impressão da produção instantânea."));
    return EscreverPdf(*p.documento(), ficheiro);
}

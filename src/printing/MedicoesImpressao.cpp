#include "printing/MedicoesImpressao.h"

#include "controls/FormatoNumero.h"
#include "printing/ExportadorPdf.h"
#include "printing/cPrinter.h"
#include "production/FormatoQuantidade.h"

#include <array>
#include <functional>

namespace {

// Fixed pitch, so the padded captions of the heading line up.
const QString Fonte = QStringLiteral("Courier New");
const QString FonteTitulo = QStringLiteral("Times New Roman");
constexpr double X0 = 10;       // left edge of every column
constexpr double Largura = 190; // to the right edge of the last column
constexpr double Passo = 4;     // one row of the body

QString numero(const Currency& v, int casas = 4) {
    return formatarNumeroPT(v, casas);
}

QString rodape(const QString& dataEmissao) {
    return QStringLiteral("Data Emissão : ") + dataEmissao + QStringLiteral("  -  ") +
           QStringLiteral("Processado por Computador");
}

// ------------------------------------------------------------------ the two calculation prints

const QString TituloCalculo = QStringLiteral("Cálculos para Produção (Medições)");
constexpr double CorpoCalculo = 43.5; // where a page's body starts

// Quantities: left edges, widths and right edges, in mm from X0.
constexpr double XProduto = 0, WProduto = 88;
constexpr double RQuantidade = 110;
constexpr double XTipo = 114, WTipo = 20;
constexpr double RMedidaBase = 160, RNovaMedida = Largura;

// Values at the four sale prices.
constexpr double WProdutoValores = 66;
constexpr double RQuantidadeValores = 92;
constexpr std::array<double, 4> RValor{116, 140, 165, Largura};

QString produtoDescricao(const QString& produto, const QString& descricao) {
    return produto.trimmed() + QStringLiteral(" - ") + descricao.trimmed();
}

// Title, the finished product with the new quantity and measures, the column captions of the print
// and the footer; every page of both prints starts the same. Returns where the body starts.
double cabecalhoCalculo(cPrinter& p, const CalculoMedicoes& c, const QString& dataEmissao,
                        const std::function<void(double)>& colunas) {
    p.PFont(FonteTitulo, 12, true);
    p.c(TituloCalculo, 10, p.mX() / 2);
    p.PFont(Fonte, 9, false);
    p.L(QStringLiteral("Produto Acabado : ") + produtoDescricao(c.produto, c.descricao), 18, X0, Largura);
    p.L(QStringLiteral("Quantidade      : ") + numero(c.quantidade), 22.5, X0);
    p.L(QStringLiteral("Altura          : ") + numero(c.altura), 27, X0);
    p.L(QStringLiteral("Largura         : ") + numero(c.largura), 31.5, X0);
    p.pLine(X0, 36.5, X0 + Largura, 36.5);
    p.PFont(Fonte, 8, true);
    colunas(38);
    p.pLine(X0, 42, X0 + Largura, 42);
    p.PFont(Fonte, 9, false);
    p.L(rodape(dataEmissao), p.mY() - 8, X0);
    return CorpoCalculo;
}

void numerarPaginas(cPrinter& p) {
    p.PrintPageNumbers(true);
    p.PrintPageNumbers_PosX(X0 + Largura - 20);
}

bool fixo(const LinhaCalculoMedicoes& l) {
    return l.tipoMedida.trimmed().compare(u"F", Qt::CaseInsensitive) == 0;
}

} // namespace

bool ImprimirCalculoMedicoes(cPrinter& p, const CalculoMedicoes& c, const QString& destino,
                             const QDate& emissao) {
    const QString dataEmissao = emissao.toString(QStringLiteral("dd-MM-yyyy"));
    double y = CorpoCalculo;
    p.aoNovaPagina = [&](int) {
        y = cabecalhoCalculo(p, c, dataEmissao, [&](double yc) {
            p.L(QStringLiteral("Produto Matéria Prima"), yc, X0 + XProduto);
            p.r(QStringLiteral("Quantidade"), yc, X0 + RQuantidade);
            p.L(QStringLiteral("Tp Medi."), yc, X0 + XTipo);
            p.r(QStringLiteral("Medi.Base"), yc, X0 + RMedidaBase);
            p.r(QStringLiteral("Nova Medi."), yc, X0 + RNovaMedida);
        });
    };
    numerarPaginas(p);
    if (!p.init(TituloCalculo, destino)) {
        p.aoNovaPagina = nullptr;
        return false;
    }
    p.PrintPageNumbers_PosY(p.mY() - 8);
    const double limite = p.mY() - 14; // the footer's room
    p.PFont(Fonte, 8, false);          // the page event's fonts do not outlive it

    auto grupo = [&](const QString& legenda, bool fixos) {
        std::vector<const LinhaCalculoMedicoes*> linhas;
        for (const LinhaCalculoMedicoes& l : c.linhas)
            if (fixo(l) == fixos)
                linhas.push_back(&l);
        if (linhas.empty())
            return;
        // The caption never stays alone at the foot of a page.
        if (y + 5 + Passo > limite)
            p.PNP();
        p.PFont(Fonte, 9, true);
        p.L(legenda, y, X0, Largura);
        y += 5;
        p.PFont(Fonte, 8, false);
        for (const LinhaCalculoMedicoes* l : linhas) {
            if (y + Passo > limite)
                p.PNP();
            p.L(produtoDescricao(l->produto, l->descricao), y, X0 + XProduto, WProduto);
            p.r(numero(l->quantidade), y, X0 + RQuantidade);
            p.L(DescricaoTipoMedida(l->tipoMedida), y, X0 + XTipo, WTipo, 0, TipoDado::Texto);
            p.r(numero(l->medidaBase), y, X0 + RMedidaBase);
            p.r(numero(l->novaMedida), y, X0 + RNovaMedida);
            y += Passo;
        }
        y += 3;
    };
    grupo(QStringLiteral("Produtos com Unidades Fixas"), true);
    grupo(QStringLiteral("Produtos com Medidas Variáveis"), false);
    const bool mostrado = p.Show();
    p.aoNovaPagina = nullptr; // it refers to this function's locals
    return mostrado;
}

bool ImprimirValoresMedicoes(cPrinter& p, const CalculoMedicoes& c, const ValoresMedicoes& v,
                             const QString& destino, const QDate& emissao) {
    const QString dataEmissao = emissao.toString(QStringLiteral("dd-MM-yyyy"));
    double y = CorpoCalculo;
    p.aoNovaPagina = [&](int) {
        y = cabecalhoCalculo(p, c, dataEmissao, [&](double yc) {
            p.L(QStringLiteral("Produto Matéria Prima"), yc, X0 + XProduto);
            p.r(QStringLiteral("Quantidade"), yc, X0 + RQuantidadeValores);
            for (size_t i = 0; i < RValor.size(); ++i)
                p.r(QStringLiteral("Val. P.V.%1").arg(i + 1), yc, X0 + RValor[i]);
        });
    };
    numerarPaginas(p);
    if (!p.init(TituloCalculo, destino)) {
        p.aoNovaPagina = nullptr;
        return false;
    }
    p.PrintPageNumbers_PosY(p.mY() - 8);
    const double limite = p.mY() - 14;
    p.PFont(Fonte, 8, false); // the page event's fonts do not outlive it

    for (const LinhaValoresMedicoes& l : v.linhas) {
        if (y + Passo > limite)
            p.PNP();
        p.L(produtoDescricao(l.produto, l.descricao), y, X0 + XProduto, WProdutoValores);
        p.r(numero(l.quantidade), y, X0 + RQuantidadeValores);
        for (size_t i = 0; i < RValor.size(); ++i)
            p.r(numero(l.valores[i]), y, X0 + RValor[i]);
        y += Passo;
    }
    if (y + 2 + Passo > limite)
        p.PNP();
    p.pLine(X0, y + 0.5, X0 + Largura, y + 0.5);
    y += 2;
    p.PFont(Fonte, 8, true);
    p.L(QStringLiteral("Totais"), y, X0 + XProduto);
    // Exact sums to the ten-thousandth, as the lines are shown.
    for (size_t i = 0; i < RValor.size(); ++i)
        p.r(numero(v.totais[i]), y, X0 + RValor[i]);
    p.PFont(Fonte, 8, false);
    const bool mostrado = p.Show();
    p.aoNovaPagina = nullptr;
    return mostrado;
}

namespace {

const QString TituloFolha = QStringLiteral("Folha de Produção de Lote (Medições)");
constexpr double CorpoFolha = 54; // where a page's lines start

// The heading's second column: height, width and the two stock documents.
constexpr double XColuna2 = 80;

// Lines: left edges, widths and right edges, in mm from X0.
constexpr double XMateria = 0, WMateria = 26;
constexpr double XDescricao = 29, WDescricao = 59;
constexpr double XArmazem = 90, WArmazem = 10;
constexpr double RQuantidadeFolha = 124, RCustoUnitario = 156, RCustoTotal = Largura;

QString documento(const QString& tipo, const QString& numero, const QString& data) {
    return tipo.trimmed() + QStringLiteral("  nº ") + numero.trimmed() + QStringLiteral("   De : ") +
           DataVisivel(data);
}

} // namespace

bool ImprimirFolhaLoteMedicoes(cPrinter& p, const FolhaLoteMedicoes& f, const QString& destino) {
    double y = CorpoFolha;
    p.aoNovaPagina = [&](int) {
        p.PFont(Fonte, 12, true);
        p.c(TituloFolha, 10, p.mX() / 2);
        p.PFont(Fonte, 10, true);
        p.c(QStringLiteral("Lote : ") + f.lote.trimmed(), 16, p.mX() / 2, 0, 0, TipoDado::Texto);
        p.PFont(Fonte, 9, false);
        p.L(QStringLiteral("Produto Produzido : ") + produtoDescricao(f.produto, f.descricaoProduto), 24, X0,
            Largura);
        // Quantities keep four decimals (a measured raw material is rarely whole); money two, the unit cost
        // four.
        p.L(QStringLiteral("Quantidade .......: ") + numero(f.quantidade), 28.5, X0);
        p.L(QStringLiteral("Custo Unidade ....: ") + numero(f.custoUnitario), 33, X0);
        p.L(QStringLiteral("Custo Total ......: ") + numero(f.custoTotal, 2), 37.5, X0);
        p.L(QStringLiteral("Altura ........: ") + numero(f.altura), 28.5, X0 + XColuna2);
        p.L(QStringLiteral("Largura .......: ") + numero(f.largura), 33, X0 + XColuna2);
        p.L(QStringLiteral("Tp Saida Stock : ") + documento(f.tipoSaida, f.numeroSaida, f.dataSaida), 37.5,
            X0 + XColuna2, 0, 0, TipoDado::Texto);
        p.L(QStringLiteral("Tp Entr. Stock : ") + documento(f.tipoEnt, f.numeroEnt, f.dataEnt), 42,
            X0 + XColuna2, 0, 0, TipoDado::Texto);
        p.pLine(X0, 47, X0 + Largura, 47);
        p.PFont(Fonte, 8, true);
        p.L(QStringLiteral("Produto M.Prima"), 48.5, X0 + XMateria);
        p.L(QStringLiteral("Descrição"), 48.5, X0 + XDescricao);
        p.L(QStringLiteral("Arm."), 48.5, X0 + XArmazem);
        p.r(QStringLiteral("Quantidade"), 48.5, X0 + RQuantidadeFolha);
        p.r(QStringLiteral("Cust.Uni."), 48.5, X0 + RCustoUnitario);
        p.r(QStringLiteral("Cust.Total"), 48.5, X0 + RCustoTotal);
        p.pLine(X0, 52.5, X0 + Largura, 52.5);
        p.PFont(Fonte, 9, false);
        p.L(rodape(f.dataEmissao), p.mY() - 8, X0);
        y = CorpoFolha;
    };
    numerarPaginas(p);
    if (!p.init(TituloFolha, destino)) {
        p.aoNovaPagina = nullptr;
        return false;
    }
    p.PrintPageNumbers_PosY(p.mY() - 8);
    const double limite = p.mY() - 14;
    p.PFont(Fonte, 8, false); // the page event's fonts do not outlive it

    for (const FolhaLoteMedicoes::Linha& l : f.linhas) {
        if (y + Passo > limite)
            p.PNP();
        p.L(l.produto.trimmed(), y, X0 + XMateria, WMateria, 0, TipoDado::Texto);
        p.L(l.descricao.trimmed(), y, X0 + XDescricao, WDescricao);
        p.L(l.armazem.trimmed(), y, X0 + XArmazem, WArmazem, 0, TipoDado::Texto);
        p.r(numero(l.quantidade), y, X0 + RQuantidadeFolha);
        p.r(numero(l.custoUnitario), y, X0 + RCustoUnitario);
        p.r(numero(l.custoTotal, 2), y, X0 + RCustoTotal);
        y += Passo;
    }
    const bool mostrado = p.Show();
    p.aoNovaPagina = nullptr;
    return mostrado;
}

Resultado<> CalculoMedicoesParaPdf(const CalculoMedicoes& c, const QString& ficheiro, const QDate& emissao) {
    cPrinter p;
    if (!ImprimirCalculoMedicoes(p, c, QStringLiteral("S"), emissao) || !p.documento())
        return Falha(QStringLiteral("Não foi possível preparar os cálculos para produção."));
    return EscreverPdf(*p.documento(), ficheiro);
}

Resultado<> FolhaLoteMedicoesParaPdf(const FolhaLoteMedicoes& f, const QString& ficheiro) {
    cPrinter p;
    if (!ImprimirFolhaLoteMedicoes(p, f, QStringLiteral("S")) || !p.documento())
        return Falha(QStringLiteral("Não foi possível preparar a folha de produção."));
    return EscreverPdf(*p.documento(), ficheiro);
}

#include "printing/FolhaLoteImpressao.h"

#include "printing/ExportadorPdf.h"
#include "printing/cPrinter.h"

namespace {

// Portuguese number form: "." for thousands, "," for decimals.
QString numero(const Currency& v, int casas = 2) {
    QString t = v.rounded(casas, Currency::Arredondamento::MetadeAfastaDeZero).toString();
    const qsizetype ponto = t.indexOf(u'.');
    QString inteira = ponto < 0 ? t : t.left(ponto);
    QString decimais = ponto < 0 ? QString() : t.mid(ponto + 1).left(casas).leftJustified(casas, u'0');
    const bool negativo = inteira.startsWith(u'-');
    if (negativo)
        inteira.remove(0, 1);
    for (qsizetype i = inteira.size() - 3; i > 0; i -= 3)
        inteira.insert(i, u'.');
    return (negativo ? QStringLiteral("-") : QString()) + inteira + (casas ? u',' + decimais : QString());
}

QString documento(const DocumentoProducao& d) {
    const QString data = d.data.size() == 10 ? d.data.mid(8, 2) + u'-' + d.data.mid(5, 2) + u'-' + d.data.left(4) : d.data;
    return d.tipo + QStringLiteral("  nº ") + d.numero + QStringLiteral("   De : ") + data;
}

} // namespace

bool ImprimirFolhaLote(cPrinter& p, const FolhaLote& f, const QString& destino) {
    const double x0 = 10;
    double y = 0;
    auto cabecalho = [&](int) {
        p.PFont(QStringLiteral("Arial Narrow"), 14, true);
        p.c(QStringLiteral("Folha de Produção de Lote"), 12, p.mX() / 2);
        p.PFont({}, 10, true);
        p.c(QStringLiteral("Lote : ") + f.lote, 19, p.mX() / 2);
        p.PFont({}, 9, false);
        y = 28;
        const QStringList rotulos{QStringLiteral("Produto Produzido : "), QStringLiteral("Quantidade : "),
                                  QStringLiteral("Custo Unidade : "),    QStringLiteral("Custo Total : "),
                                  QStringLiteral("Tipo Saida Stock : "), QStringLiteral("Tipo Refo. Stock : "),
                                  QStringLiteral("Tipo Reto. Stock : "), QStringLiteral("Tipo Entr. Stock : ")};
        const QStringList valores{f.produto + QStringLiteral(" - ") + f.descricaoProduto, numero(f.quantidade),
                                  numero(f.custoUnitario, 4), numero(f.custoTotal), documento(f.saida),
                                  documento(f.ref), documento(f.ret), documento(f.ent)};
        for (int i = 0; i < rotulos.size(); ++i) {
            p.L(rotulos[i], y, x0);
            p.L(valores[i], y, x0 + 35);
            y += 5;
        }
        y += 3;
        p.PFont({}, 9, true);
        p.L(QStringLiteral("Nº"), y, x0);
        p.L(QStringLiteral("Produto M.Prima"), y, x0 + 10);
        p.L(QStringLiteral("Arm."), y, x0 + 100);
        p.r(QStringLiteral("Quantidade"), y, x0 + 135);
        p.r(QStringLiteral("Cust.Uni."), y, x0 + 160);
        p.r(QStringLiteral("Cust.Total"), y, x0 + 188);
        y += 5;
        p.pLine(x0, y - 1, x0 + 188, y - 1);
        p.PFont({}, 9, false);
        p.L(QStringLiteral("Data Emissão : ") + f.dataEmissao + QStringLiteral("  -  ") +
                QStringLiteral("Processado por Computador"),
            p.mY() - 8, x0);
    };
    p.aoNovaPagina = cabecalho;
    if (!p.init(QStringLiteral("Folha de Produção de Lote"), destino))
        return false;
    int n = 0;
    for (const FolhaLote::Linha& l : f.linhas) {
        if (y > p.mY() - 30) {
            p.PNP();
        }
        p.L(QString::number(++n), y, x0);
        p.L(l.produto + QStringLiteral(" - ") + l.descricao, y, x0 + 10);
        p.L(l.armazem, y, x0 + 100);
        p.r(numero(l.quantidade), y, x0 + 135);
        p.r(numero(l.custoUnitario, 4), y, x0 + 160);
        p.r(numero(l.custoTotal), y, x0 + 188);
        y += 5;
    }
    return p.Show();
}

Resultado<> FolhaLoteParaPdf(const FolhaLote& f, const QString& ficheiro) {
    cPrinter p;
    if (!ImprimirFolhaLote(p, f, QStringLiteral("S")) || !p.documento())
        return Falha(QStringLiteral("Não foi possível preparar a folha de produção."));
    return EscreverPdf(*p.documento(), ficheiro);
}


#include "printing/DiarioInstantaneaImpressao.h"

#include "controls/FormatoNumero.h"
#include "printing/cPrinter.h"
#include "production/FormatoQuantidade.h"

namespace {

constexpr double Passo = 4.5;
// Each side: code, description, then right edges of quantity, price and value.
struct Colunas {
    double produto, descricao, quantidade, preco, valor;
};
constexpr Colunas ColMP{0, 20, 62, 77, 93};
constexpr Colunas ColPA{97, 117, 159, 174, 190};
constexpr double Separador = 95;

const QString SemNomenclatura = QStringLiteral("(sem nomenclatura)");
const QString SemFluxo = QStringLiteral("(sem fluxo)");

QString dataOuTodas(const QString& d) { return d.isEmpty() ? QStringLiteral("--") : DataVisivel(d); }

QString nomenclaturaVisivel(const GrupoDiarioInstantanea& g) {
    if (g.nomenclatura.isEmpty())
        return SemNomenclatura;
    return g.descricaoNomenclatura.isEmpty() ? g.nomenclatura
                                             : g.nomenclatura + QStringLiteral(" - ") + g.descricaoNomenclatura;
}
QString fluxoVisivel(const QString& f) { return f.isEmpty() ? SemFluxo : f; }

QJsonValue ladoJson(const LadoDiarioInstantanea& l) {
    if (l.vazio())
        return QJsonValue(QJsonValue::Null);
    return QJsonObject{{QStringLiteral("produto"), l.produto},
                       {QStringLiteral("descricao"), l.descricao},
                       {QStringLiteral("quantidade"), MontanteJson(l.quantidade)},
                       {QStringLiteral("preco"), MontanteJson(l.preco)},
                       {QStringLiteral("valor"), MontanteJson(l.valor)}};
}

// What names a group in the JSON rows, by mode.
QJsonObject chaveGrupo(const GrupoDiarioInstantanea& g, ModoDiarioInstantanea modo) {
    switch (modo) {
    case ModoDiarioInstantanea::DiarioCorrido:
        return QJsonObject{{QStringLiteral("data"), g.data},
                           {QStringLiteral("processo"), g.processo},
                           {QStringLiteral("nomenclatura"), g.nomenclatura},
                           {QStringLiteral("fluxo"), g.fluxo}};
    case ModoDiarioInstantanea::PorNomenclatura:
        return QJsonObject{{QStringLiteral("nomenclatura"), g.nomenclatura}, {QStringLiteral("fluxo"), g.fluxo}};
    case ModoDiarioInstantanea::PorFluxo:
        break;
    }
    return QJsonObject{{QStringLiteral("fluxo"), g.fluxo}};
}

} // namespace

DadosRelatorio DadosDiarioInstantanea(const DiarioInstantanea& d, const FiltroDiarioInstantanea& f) {
    DadosRelatorio r;
    r.relatorio = QStringLiteral("diario-instantanea");
    r.titulo = TituloDiarioInstantanea;
    const QString fluxo = f.fluxo.trimmed().isEmpty() ? TodosFluxos : f.fluxo.trimmed();
    r.filtros = QJsonObject{
        {QStringLiteral("nomenclatura"), f.nomenclatura.isEmpty() ? QStringLiteral("Todas") : f.nomenclatura},
        {QStringLiteral("fluxo"), fluxo},
        {QStringLiteral("de"), f.de},
        {QStringLiteral("ate"), f.ate},
        {QStringLiteral("modo"), ChaveModoDiarioInstantanea(d.modo)}};
    for (const GrupoDiarioInstantanea& g : d.grupos) {
        const QJsonObject chave = chaveGrupo(g, d.modo);
        QJsonObject grupo = chave;
        if (d.modo != ModoDiarioInstantanea::PorFluxo)
            grupo.insert(QStringLiteral("descricaoNomenclatura"), g.descricaoNomenclatura);
        r.linha(QStringLiteral("grupo"), grupo);
        for (const LinhaDiarioInstantanea& l : g.linhas) {
            QJsonObject linha = chave;
            linha.insert(QStringLiteral("mp"), ladoJson(l.mp));
            linha.insert(QStringLiteral("pa"), ladoJson(l.pa));
            r.linha(QStringLiteral("linha"), linha);
        }
        QJsonObject total = chave;
        total.insert(QStringLiteral("valorMP"), MontanteJson(g.totalMP));
        total.insert(QStringLiteral("valorPA"), MontanteJson(g.totalPA));
        r.linha(QStringLiteral("total"), total);
    }
    r.totais = QJsonObject{{QStringLiteral("valorMP"), MontanteJson(d.totalMP)},
                           {QStringLiteral("valorPA"), MontanteJson(d.totalPA)}};
    return r;
}

bool ImprimirDiarioInstantanea(cPrinter& p, const DiarioInstantanea& d, const FiltroDiarioInstantanea& f,
                               const QString& descricaoNomenclatura, int casasQ, int casasV, const QString& empresa,
                               const QString& destino, const QDate& emissao) {
    MolduraRelatorio mo(p, empresa, TituloDiarioInstantanea, emissao);
    const QString fluxo = f.fluxo.trimmed().isEmpty() ? TodosFluxos : f.fluxo.trimmed();
    mo.subtitulos << QStringLiteral("Nomenclatura : ") +
                         (f.nomenclatura.isEmpty() ? QStringLiteral("Todas")
                                                   : f.nomenclatura + QStringLiteral(" - ") + descricaoNomenclatura) +
                         QStringLiteral("     Fluxo : ") + fluxo
                  << QStringLiteral("Dt Inicial : ") + dataOuTodas(f.de) + QStringLiteral("     Dt Final : ") +
                         dataOuTodas(f.ate)
                  << QStringLiteral("<< ") + NomeModoDiarioInstantanea(d.modo) + QStringLiteral(" >>");
    const double x0 = mo.x0;
    mo.colunas = [&](double& y) {
        p.PFont(mo.fonte, 8, true);
        for (const auto& [c, titulo] : {std::pair{ColMP, QStringLiteral("Matéria Prima")},
                                        std::pair{ColPA, QStringLiteral("Produto Acabado")}}) {
            p.L(titulo, y, x0 + c.produto);
            p.r(QStringLiteral("Quant."), y, x0 + c.quantidade);
            p.r(QStringLiteral("Preço"), y, x0 + c.preco);
            p.r(QStringLiteral("Valor"), y, x0 + c.valor);
        }
        y += Passo;
        p.pLine(x0, y, x0 + mo.largura, y);
        y += 1.5;
    };
    if (!mo.iniciar(destino))
        return false;

    auto lado = [&](const LadoDiarioInstantanea& l, const Colunas& c) {
        if (l.vazio())
            return;
        p.L(l.produto, mo.y, x0 + c.produto, c.descricao - c.produto - 1, 0, TipoDado::Texto);
        p.L(l.descricao, mo.y, x0 + c.descricao, c.quantidade - c.descricao - 16);
        p.r(formatarNumeroPT(l.quantidade, casasQ), mo.y, x0 + c.quantidade);
        p.r(formatarNumeroPT(l.preco, casasV), mo.y, x0 + c.preco);
        p.r(formatarNumeroPT(l.valor, casasV), mo.y, x0 + c.valor);
    };
    // A total: its caption at the left, the raw materials' and finished products' values.
    auto total = [&](const QString& rotulo, const Currency& mp, const Currency& pa, int tamanho) -> bool {
        if (!mo.linha(Passo + 1))
            return false;
        p.pLine(x0 + ColMP.preco + 2, mo.y, x0 + ColMP.valor, mo.y);
        p.pLine(x0 + ColPA.preco + 2, mo.y, x0 + ColPA.valor, mo.y);
        mo.y += 0.5;
        p.PFont(mo.fonte, tamanho, true);
        p.L(rotulo, mo.y, x0, ColMP.preco - 2);
        p.r(formatarNumeroPT(mp, casasV), mo.y, x0 + ColMP.valor);
        p.r(formatarNumeroPT(pa, casasV), mo.y, x0 + ColPA.valor);
        p.PFont(mo.fonte, 8, false);
        mo.y += Passo + 2;
        return true;
    };

    QString dataAnterior;
    bool primeiro = true;
    for (const GrupoDiarioInstantanea& g : d.grupos) {
        const bool novaData = d.modo == ModoDiarioInstantanea::DiarioCorrido && (primeiro || g.data != dataAnterior);
        primeiro = false;
        // A heading never stays alone at the foot of a page.
        if (!mo.linha((novaData ? 3 : 2) * Passo))
            return false;
        p.PFont(mo.fonte, 8, true);
        if (novaData) {
            p.L(QStringLiteral("Data : ") + DataVisivel(g.data), mo.y, x0);
            mo.y += Passo;
            dataAnterior = g.data;
        }
        QString cabecalho;
        QString rotuloTotal;
        switch (d.modo) {
        case ModoDiarioInstantanea::DiarioCorrido:
            cabecalho = QStringLiteral("Processo : ") + g.processo;
            if (!g.nomenclatura.isEmpty())
                cabecalho += QStringLiteral("     Nomenclatura : ") + nomenclaturaVisivel(g) +
                             QStringLiteral("     Fluxo : ") + fluxoVisivel(g.fluxo);
            rotuloTotal = QStringLiteral("Total Processo nº ") + g.processo;
            break;
        case ModoDiarioInstantanea::PorNomenclatura:
            cabecalho = QStringLiteral("Nomenclatura : ") + nomenclaturaVisivel(g);
            if (!g.nomenclatura.isEmpty())
                cabecalho += QStringLiteral("     Fluxo : ") + fluxoVisivel(g.fluxo);
            rotuloTotal = QStringLiteral("Total Nomenclatura ") +
                          (g.nomenclatura.isEmpty() ? SemNomenclatura : g.nomenclatura);
            break;
        case ModoDiarioInstantanea::PorFluxo:
            cabecalho = QStringLiteral("Fluxo : ") + fluxoVisivel(g.fluxo);
            rotuloTotal = QStringLiteral("Total Fluxo ") + fluxoVisivel(g.fluxo);
            break;
        }
        p.L(cabecalho, mo.y, x0 + (d.modo == ModoDiarioInstantanea::DiarioCorrido ? 4 : 0), mo.largura - 4);
        mo.y += Passo;
        p.PFont(mo.fonte, 8, false);
        for (const LinhaDiarioInstantanea& l : g.linhas) {
            if (!mo.linha(Passo))
                return false;
            lado(l.mp, ColMP);
            lado(l.pa, ColPA);
            p.pLine(x0 + Separador, mo.y - 0.5, x0 + Separador, mo.y + Passo - 0.5);
            mo.y += Passo;
        }
        if (!total(rotuloTotal, g.totalMP, g.totalPA, 8))
            return false;
    }
    if (!total(QStringLiteral("Total Geral"), d.totalMP, d.totalPA, 9))
        return false;
    return mo.mostrar();
}

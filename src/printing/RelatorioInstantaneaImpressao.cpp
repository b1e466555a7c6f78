#include "printing/RelatorioInstantaneaImpressao.h"

#include "printing/cPrinter.h"
#include "production/FormatoQuantidade.h"

namespace {

constexpr double Passo = 4;
// Left edges, mm from the frame's left edge; the run number is centred in its column.
constexpr double XProcesso = 0, LProcesso = 14;
constexpr double XTipoEntrada = 14, XNumeroEntrada = 28, XDataEntrada = 41;
constexpr double XTipoSaida = 56, XNumeroSaida = 70, XDataSaida = 83;
constexpr double XEquipamento = 98, XObservacoes = 118, XNomenclatura = 160, XFim = 190;

QString dataOuTodas(const QString& d) { return d.isEmpty() ? QStringLiteral("--") : DataVisivel(d); }

} // namespace

DadosRelatorio DadosRelatorioInstantanea(const std::vector<LinhaRelatorioInstantanea>& linhas,
                                         const FiltroRelatorioInstantanea& f) {
    DadosRelatorio d;
    d.relatorio = QStringLiteral("relatorio-instantanea");
    d.titulo = TituloRelatorioInstantanea;
    d.filtros = QJsonObject{
        {QStringLiteral("de"), f.de},
        {QStringLiteral("ate"), f.ate},
        {QStringLiteral("equipamento"), f.equipamento.isEmpty() ? QStringLiteral("Todos") : f.equipamento}};
    for (const LinhaRelatorioInstantanea& l : linhas)
        d.linha(QStringLiteral("processo"), {{QStringLiteral("ordem"), l.ordem},
                                             {QStringLiteral("numProcesso"), l.numProcesso},
                                             {QStringLiteral("tipoEntrada"), l.tipoEntrada},
                                             {QStringLiteral("numeroEntrada"), l.numeroEntrada},
                                             {QStringLiteral("dataEntrada"), l.dataEntrada},
                                             {QStringLiteral("tipoSaida"), l.tipoSaida},
                                             {QStringLiteral("numeroSaida"), l.numeroSaida},
                                             {QStringLiteral("dataSaida"), l.dataSaida},
                                             {QStringLiteral("equipamento"), l.equipamento},
                                             {QStringLiteral("observacoes"), l.observacoes},
                                             {QStringLiteral("nomenclatura"), l.nomenclatura},
                                             {QStringLiteral("tipoProcesso"), l.tipoProcesso},
                                             {QStringLiteral("processo"), l.processo},
                                             {QStringLiteral("produto"), l.produto},
                                             {QStringLiteral("quantidade"), MontanteJson(l.quantidade)}});
    d.totais = QJsonObject{{QStringLiteral("linhas"), int(linhas.size())}};
    return d;
}

bool ImprimirRelatorioInstantanea(cPrinter& p, const std::vector<LinhaRelatorioInstantanea>& linhas,
                                  const FiltroRelatorioInstantanea& f, const QString& descricaoEquipamento,
                                  const QString& empresa, const QString& destino, const QDate& emissao) {
    MolduraRelatorio mo(p, empresa, TituloRelatorioInstantanea, emissao);
    mo.subtitulos << QStringLiteral("Data Inicial : ") + dataOuTodas(f.de) + QStringLiteral("     Data Final : ") +
                         dataOuTodas(f.ate)
                  << QStringLiteral("Equipamento : ") +
                         (f.equipamento.isEmpty() ? QStringLiteral("Todos")
                          : descricaoEquipamento.isEmpty()
                              ? f.equipamento
                              : f.equipamento + QStringLiteral(" - ") + descricaoEquipamento);
    const double x0 = mo.x0;
    // One line each, cut to its column so that neighbours never overlap.
    auto coluna = [&](const QString& t, double y, double x, double fim) {
        p.L(t, y, x0 + x, fim - x - 1, 0, TipoDado::Texto);
    };
    mo.colunas = [&](double& y) {
        p.PFont(mo.fonte, 7, true);
        p.c(QStringLiteral("Nº processo"), y, x0 + XProcesso + LProcesso / 2);
        coluna(QStringLiteral("Tipo Entrada"), y, XTipoEntrada, XNumeroEntrada);
        coluna(QStringLiteral("Número"), y, XNumeroEntrada, XDataEntrada);
        coluna(QStringLiteral("Data"), y, XDataEntrada, XTipoSaida);
        coluna(QStringLiteral("Tipo Saída"), y, XTipoSaida, XNumeroSaida);
        coluna(QStringLiteral("Número"), y, XNumeroSaida, XDataSaida);
        coluna(QStringLiteral("Data"), y, XDataSaida, XEquipamento);
        coluna(QStringLiteral("Equipamento"), y, XEquipamento, XObservacoes);
        coluna(QStringLiteral("Observações"), y, XObservacoes, XNomenclatura);
        coluna(QStringLiteral("Nomenclatura Aplicada"), y, XNomenclatura, XFim);
        y += Passo;
        p.pLine(x0, y, x0 + mo.largura, y);
        y += 1.5;
    };
    if (!mo.iniciar(destino))
        return false;
    p.PFont(mo.fonte, 7, false);
    for (const LinhaRelatorioInstantanea& l : linhas) {
        if (!mo.linha(Passo))
            return false;
        p.c(l.numProcesso, mo.y, x0 + XProcesso + LProcesso / 2, 0, 0, TipoDado::Texto);
        coluna(l.tipoEntrada, mo.y, XTipoEntrada, XNumeroEntrada);
        coluna(l.numeroEntrada, mo.y, XNumeroEntrada, XDataEntrada);
        coluna(DataVisivel(l.dataEntrada), mo.y, XDataEntrada, XTipoSaida);
        coluna(l.tipoSaida, mo.y, XTipoSaida, XNumeroSaida);
        coluna(l.numeroSaida, mo.y, XNumeroSaida, XDataSaida);
        coluna(DataVisivel(l.dataSaida), mo.y, XDataSaida, XEquipamento);
        coluna(l.equipamento, mo.y, XEquipamento, XObservacoes);
        coluna(l.observacoes, mo.y, XObservacoes, XNomenclatura);
        coluna(l.nomenclatura, mo.y, XNomenclatura, XFim);
        mo.y += Passo;
    }
    return mo.mostrar();
}

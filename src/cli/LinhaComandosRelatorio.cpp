// The production reports on the command line: one command, the report by name, its filters as
// options, and the result as PDF, spreadsheet or JSON. Each report is read and drawn by the same
// code its window uses.

#include "cli/LeitorJsonCli.h"
#include "cli/RelatorioCli.h"
#include "company/GlobalContext.h"
#include "printing/CapacidadeImpressao.h"
#include "printing/MapaProducaoImpressao.h"
#include "printing/NomenclaturaImpressao.h"
#include "printing/ExportadorPdf.h"
#include "printing/ExportadorXlsx.h"
#include "printing/cPrinter.h"

#include <QDate>
#include <QJsonObject>

Resultado<bool> OpcaoSimNao(const PedidoCli& p, const QString& opcao) {
    if (!p.opcoes.contains(opcao))
        return false;
    const QString v = p.opcao(opcao).trimmed().toLower();
    if (v == QStringLiteral("sim"))
        return true;
    if (v == QStringLiteral("nao") || v == QStringLiteral("não"))
        return false;
    return Falha(QStringLiteral("--%1 só aceita \"sim\" ou \"nao\".").arg(opcao));
}

Resultado<QString> OpcaoData(const PedidoCli& p, const QString& opcao) {
    const QString t = p.opcao(opcao).trimmed();
    if (t.isEmpty())
        return QString();
    if (!QDate::fromString(t, Qt::ISODate).isValid())
        return Falha(QStringLiteral("--%1 inválida: use AAAA-MM-DD.").arg(opcao));
    return t;
}

Resultado<> OpcaoPeriodo(const PedidoCli& p, QString& de, QString& ate) {
    const auto d = OpcaoData(p, QStringLiteral("de"));
    if (!d)
        return d.falha();
    const auto a = OpcaoData(p, QStringLiteral("ate"));
    if (!a)
        return a.falha();
    if (!d->isEmpty() && !a->isEmpty() && *d > *a)
        return Falha(QStringLiteral("A Data Inicial é posterior à Data Final!"));
    de = *d;
    ate = *a;
    return {};
}

Resultado<QString> OpcaoCodigo(const PedidoCli& p, const QString& opcao, int maximo) {
    const QString t = p.opcao(opcao).trimmed();
    if (t.size() > maximo)
        return Falha(QStringLiteral("--%1 tem no máximo %2 caracteres.").arg(opcao).arg(maximo));
    return t;
}

namespace {

Resultado<RelatorioPronto> capacidade(SessaoCli& s, const PedidoCli& p) {
    const QString produto = p.opcao(QStringLiteral("produto")).trimmed();
    const auto discrimina = OpcaoSimNao(p, QStringLiteral("discrimina"));
    if (!discrimina)
        return discrimina.falha();
    if (produto.size() > 15)
        return Falha(QStringLiteral("--produto tem no máximo 15 caracteres."));
    auto lista = PrevisaoCapacidade(s.ctx.bd(), produto);
    if (!lista)
        return lista.falha();
    if (lista->empty())
        return Falha(QStringLiteral("Não existem registos para esta Tabela!"));
    const int casas = qBound(0, s.ctx.casadecquant, 4);
    RelatorioPronto r;
    r.dados = DadosCapacidade(*lista, produto, *discrimina, casas);
    const QString empresa = NomeEmpresaImpressao(s.ctx);
    r.desenhar = [lista = *lista, d = *discrimina, casas, empresa](cPrinter& pr, const QDate& emissao) {
        return ImprimirCapacidade(pr, lista, d, casas, empresa, QStringLiteral("S"), emissao);
    };
    return r;
}

Resultado<RelatorioPronto> listagemNomenclatura(SessaoCli& s, const PedidoCli& p, bool medicoes) {
    const QString produto = p.opcao(QStringLiteral("produto")).trimmed();
    const auto discrimina = OpcaoSimNao(p, QStringLiteral("discrimina"));
    if (!discrimina)
        return discrimina.falha();
    if (produto.size() > 15)
        return Falha(QStringLiteral("--produto tem no máximo 15 caracteres."));
    auto linhas = medicoes ? LerListagemNomenclaturaMedicoes(s.ctx.bd(), produto)
                           : LerListagemNomenclatura(s.ctx.bd(), produto);
    if (!linhas)
        return linhas.falha();
    if (linhas->empty())
        return Falha(QStringLiteral("Não existem registos para esta Tabela!"));
    const int casas = qBound(0, s.ctx.casadecquant, 4);
    RelatorioPronto r;
    r.dados = DadosListagemNomenclatura(*linhas, medicoes, produto, *discrimina);
    const QString empresa = NomeEmpresaImpressao(s.ctx);
    r.desenhar = [l = *linhas, medicoes, d = *discrimina, casas, empresa](cPrinter& pr, const QDate& emissao) {
        return ImprimirListagemNomenclatura(pr, l, medicoes, d, casas, empresa, QStringLiteral("S"), emissao);
    };
    return r;
}

Resultado<RelatorioPronto> mapaDiscriminado(SessaoCli& s, const PedidoCli& p) {
    FiltroMapaProducao f;
    f.produto = p.opcao(QStringLiteral("produto")).trimmed();
    if (auto r = OpcaoPeriodo(p, f.de, f.ate); !r)
        return r.falha();
    auto mapa = LerMapaDiscriminado(s.ctx.bd(), f);
    if (!mapa)
        return mapa.falha();
    if (mapa->blocos.empty())
        return Falha(QStringLiteral("Não existem registos para esta Condição!"));
    const QString descricao =
        s.ctx.bd().scalar(QStringLiteral("SELECT Descricao FROM Produtos WHERE Codigo=?"), {f.produto}).toString();
    RelatorioPronto r;
    r.dados = DadosMapaDiscriminado(*mapa, f);
    const int casasQ = qBound(0, s.ctx.casadecquant, 4), casasV = qBound(0, s.ctx.casadec, 4);
    const QString empresa = NomeEmpresaImpressao(s.ctx);
    r.desenhar = [m = *mapa, f, descricao, casasQ, casasV, empresa](cPrinter& pr, const QDate& emissao) {
        return ImprimirMapaDiscriminado(pr, m, f, descricao, casasQ, casasV, empresa, QStringLiteral("S"), emissao);
    };
    return r;
}

const std::vector<RelatorioCli>& relatorios() {
    static const std::vector<RelatorioCli> r = {
        {QStringLiteral("capacidade"), QStringLiteral("frmVerCapacidade"), {QStringLiteral("cmdImprimir")},
         {QStringLiteral("produto"), QStringLiteral("discrimina")}, QStringLiteral("[--produto P] [--discrimina sim]"),
         capacidade},
        {QStringLiteral("nomenclatura"), QStringLiteral("frmImpNomenclatura"), {QStringLiteral("cmdImprimir")},
         {QStringLiteral("produto"), QStringLiteral("discrimina")}, QStringLiteral("[--produto P] [--discrimina sim]"),
         [](SessaoCli& s, const PedidoCli& p) { return listagemNomenclatura(s, p, false); }},
        {QStringLiteral("nomenclatura-medicoes"), QStringLiteral("frmImpNomenclaturaMedicoes"),
         {QStringLiteral("cmdImprimir")}, {QStringLiteral("produto"), QStringLiteral("discrimina")},
         QStringLiteral("[--produto P] [--discrimina sim]"),
         [](SessaoCli& s, const PedidoCli& p) { return listagemNomenclatura(s, p, true); }},
        {QStringLiteral("mapa-producao-discriminado"), QStringLiteral("frmImpMapaProducaoDisc"),
         {QStringLiteral("cmdImprimir")}, {QStringLiteral("produto"), QStringLiteral("de"), QStringLiteral("ate")},
         QStringLiteral("[--produto P] [--de AAAA-MM-DD] [--ate AAAA-MM-DD]"), mapaDiscriminado},
        RelatorioMapaProducaoCli(),
        RelatorioAnaliseGruposCli(),
        RelatorioDiarioInstantaneaCli(),
        RelatorioInstantaneaCli(),
        RelatorioGraficoCli(),
    };
    return r;
}

const QStringList Saidas{QStringLiteral("pdf"), QStringLiteral("xlsx"), QStringLiteral("json")};
const QStringList Comuns{QStringLiteral("empresa"), QStringLiteral("utilizador"), QStringLiteral("data-emissao")};

QString nomesRelatorios() {
    QStringList n;
    for (const RelatorioCli& r : relatorios())
        n << r.nome;
    return n.join(QStringLiteral(", "));
}

Resultado<QJsonValue> cmdRelatorio(const PedidoCli& p) {
    if (p.argumentos.size() != 1)
        return Falha(QStringLiteral("Uso: relatorio NOME [filtros] (--pdf FICHEIRO | --xlsx FICHEIRO | --json) "
                                    "[--data-emissao AAAA-MM-DD]; relatórios: %1")
                         .arg(nomesRelatorios()));
    const QString nome = p.argumentos[0].toLower();
    const RelatorioCli* rel = nullptr;
    for (const RelatorioCli& r : relatorios())
        if (r.nome == nome)
            rel = &r;
    if (!rel)
        return Falha(QStringLiteral("Relatório desconhecido: %1 (relatórios: %2)").arg(citacao(nome), nomesRelatorios()));
    for (auto it = p.opcoes.cbegin(); it != p.opcoes.cend(); ++it)
        if (!Comuns.contains(it.key()) && !Saidas.contains(it.key()) && !rel->opcoes.contains(it.key()) &&
            it.key() != QStringLiteral("pg") && it.key() != QStringLiteral("login"))
            return Falha(QStringLiteral("O relatório %1 não aceita a opção --%2.").arg(rel->nome, it.key()));
    for (const QString& o : rel->opcoes)
        if (!rel->repetiveis.contains(o) && p.valores(o).size() > 1)
            return Falha(QStringLiteral("A opção --%1 foi dada mais de uma vez.").arg(o));
    int saidas = 0;
    for (const QString& s : Saidas)
        saidas += p.opcoes.contains(s) ? 1 : 0;
    if (saidas != 1)
        return Falha(QStringLiteral("Indique uma e só uma saída: --pdf FICHEIRO, --xlsx FICHEIRO ou --json."));
    QDate emissao = QDate::currentDate();
    if (p.opcoes.contains(QStringLiteral("data-emissao"))) {
        emissao = QDate::fromString(p.opcao(QStringLiteral("data-emissao")).trimmed(), Qt::ISODate);
        if (!emissao.isValid())
            return Falha(QStringLiteral("--data-emissao inválida: use AAAA-MM-DD."));
    }
    for (const QString& f : {QStringLiteral("pdf"), QStringLiteral("xlsx")})
        if (p.opcoes.contains(f) && p.opcao(f).trimmed().isEmpty())
            return Falha(QStringLiteral("Falta o ficheiro de --%1.").arg(f));

    SessaoCli s;
    if (auto r = s.abrir(p); !r)
        return r.falha();
    if (auto r = s.permitido(rel->janela, rel->botoes); !r)
        return r.falha();
    const auto pronto = rel->ler(s, p);
    if (!pronto)
        return pronto.falha();
    if (p.opcoes.contains(QStringLiteral("json")))
        return QJsonValue(pronto->dados.json());

    const bool pdf = p.opcoes.contains(QStringLiteral("pdf"));
    const QString ficheiro = p.opcao(pdf ? QStringLiteral("pdf") : QStringLiteral("xlsx")).trimmed();
    cPrinter impressora;
    impressora.GravarExportacao(!pdf);
    if (!pronto->desenhar(impressora, emissao) || !impressora.documento())
        return Falha(QStringLiteral("Não foi possível preparar o relatório %1.").arg(rel->nome));
    const auto escrito = pdf ? EscreverPdf(*impressora.documento(), ficheiro)
                             : EscreverXlsx(*impressora.documento(), ficheiro);
    if (!escrito)
        return escrito.falha();
    return QJsonValue(QJsonObject{{QStringLiteral("relatorio"), rel->nome},
                                  {pdf ? QStringLiteral("pdf") : QStringLiteral("xlsx"), ficheiro},
                                  {QStringLiteral("paginas"), impressora.NumeroPaginas()},
                                  {QStringLiteral("linhas"), pronto->dados.linhas.size()}});
}

} // namespace

std::vector<ComandoCli> comandosRelatorioCli() {
    QStringList opcoes = Comuns + Saidas;
    QStringList usos;
    QStringList repetiveis;
    for (const RelatorioCli& r : relatorios()) {
        for (const QString& o : r.opcoes)
            if (!opcoes.contains(o))
                opcoes << o;
        for (const QString& o : r.repetiveis)
            if (!repetiveis.contains(o))
                repetiveis << o;
        usos << r.nome + QStringLiteral(": ") + r.uso;
    }
    return {{QStringLiteral("relatorio"),
             QStringLiteral("relatorio NOME [filtros] (--pdf FICHEIRO | --xlsx FICHEIRO | --json) "
                            "[--data-emissao AAAA-MM-DD] --empresa CODIGO [--utilizador CODIGO]; ") +
                 usos.join(QStringLiteral("; ")),
             QStringLiteral("Relatórios de produção: lê o relatório pedido com os filtros dados e grava-o em PDF ou "
                            "folha de cálculo, ou dá os seus valores em JSON (montantes com quatro casas decimais)."),
             opcoes,
             cmdRelatorio,
             repetiveis,
             {QStringLiteral("json")}}};
}

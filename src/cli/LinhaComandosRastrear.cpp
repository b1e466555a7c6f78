// "rastrear": a lot followed downstream to everything made from it, or upstream to everything that
// went into it, as the traceability window shows it; the tree as JSON, or its print as PDF.

#include "cli/LinhaComandosCli.h"
#include "cli/SessaoCli.h"
#include "company/GlobalContext.h"
#include "printing/ExportadorPdf.h"
#include "printing/RastreabilidadeImpressao.h"
#include "printing/cPrinter.h"
#include "production/Rastreabilidade.h"

#include <QJsonObject>

namespace {

const QString Janela = QStringLiteral("frmRastreabilidade");
const QString Uso =
    QStringLiteral("rastrear --produto P --lote L --sentido jusante|montante [--json | --pdf FICHEIRO] "
                   "--empresa CODIGO [--utilizador CODIGO]");

int contarProducoes(const NoRastreio& n) {
    int r = n.tipo == NoRastreio::Tipo::Producao ? 1 : 0;
    for (const NoRastreio& f : n.filhos)
        r += contarProducoes(f);
    return r;
}

Resultado<QJsonValue> cmdRastrear(const PedidoCli& p) {
    if (!p.argumentos.isEmpty())
        return Falha(QStringLiteral("Uso: %1").arg(Uso));
    const QString produto = p.opcao(QStringLiteral("produto")).trimmed();
    const QString lote = p.opcao(QStringLiteral("lote")).trimmed();
    if (produto.isEmpty())
        return Falha(QStringLiteral("Falta o produto (--produto CODIGO)."));
    if (lote.isEmpty())
        return Falha(QStringLiteral("Falta o lote (--lote LOTE)."));
    if (produto.size() > 15)
        return Falha(QStringLiteral("--produto tem no máximo 15 caracteres."));
    if (lote.size() > 20)
        return Falha(QStringLiteral("--lote tem no máximo 20 caracteres."));
    const QString sentidoTexto = p.opcao(QStringLiteral("sentido")).trimmed().toLower();
    if (sentidoTexto != QStringLiteral("jusante") && sentidoTexto != QStringLiteral("montante"))
        return Falha(QStringLiteral("--sentido só aceita \"jusante\" ou \"montante\"."));
    const SentidoRastreio sentido =
        sentidoTexto == QStringLiteral("jusante") ? SentidoRastreio::Jusante : SentidoRastreio::Montante;
    const bool json = p.opcoes.contains(QStringLiteral("json"));
    const bool pdf = p.opcoes.contains(QStringLiteral("pdf"));
    if (json && pdf)
        return Falha(QStringLiteral("Indique uma só saída: --json ou --pdf FICHEIRO."));
    const QString ficheiro = p.opcao(QStringLiteral("pdf")).trimmed();
    if (pdf && ficheiro.isEmpty())
        return Falha(QStringLiteral("Falta o ficheiro de --pdf."));

    SessaoCli s;
    if (auto r = s.abrir(p); !r)
        return r.falha();
    if (auto r = s.permitido(Janela, {QStringLiteral("cmdImprimir")}); !r)
        return r.falha();
    const auto codigo = s.produto(produto);
    if (!codigo)
        return codigo.falha();
    const auto arvore = LerRastreabilidade(s.ctx.bd(), {*codigo, lote, sentido});
    if (!arvore)
        return arvore.falha();
    const int producoes = contarProducoes(*arvore);
    if (!pdf)
        return QJsonValue(QJsonObject{{QStringLiteral("sentido"), sentidoTexto},
                                      {QStringLiteral("producoes"), producoes},
                                      {QStringLiteral("arvore"), JsonRastreio(*arvore)}});
    cPrinter impressora;
    if (!ImprimirRastreabilidade(impressora, *arvore, sentido, qBound(0, s.ctx.casadecquant, 4),
                                 NomeEmpresaImpressao(s.ctx)) ||
        !impressora.documento())
        return Falha(QStringLiteral("Não foi possível preparar a impressão da rastreabilidade."));
    if (auto r = EscreverPdf(*impressora.documento(), ficheiro); !r)
        return r.falha();
    return QJsonValue(QJsonObject{{QStringLiteral("sentido"), sentidoTexto},
                                  {QStringLiteral("producoes"), producoes},
                                  {QStringLiteral("pdf"), ficheiro},
                                  {QStringLiteral("paginas"), impressora.NumeroPaginas()}});
}

} // namespace

ComandoCli ComandoRastrearCli() {
    return {QStringLiteral("rastrear"),
            Uso,
            QStringLiteral(
                "Rastreabilidade de lotes: a jusante, todas as produções que consumiram o lote e os lotes "
                "que delas saíram, e assim por diante; a montante, todos os lotes que entraram no lote, até "
                "à origem. Dá a árvore em JSON (quantidades com quatro casas decimais) ou grava-a em PDF."),
            {QStringLiteral("empresa"), QStringLiteral("utilizador"), QStringLiteral("produto"),
             QStringLiteral("lote"), QStringLiteral("sentido"), QStringLiteral("json"),
             QStringLiteral("pdf")},
            cmdRastrear,
            {},
            {QStringLiteral("json")}};
}

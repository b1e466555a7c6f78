#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"
#include "common/UserInteraction.h"
#include "lookups/CampoTabela.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class Database;
struct GlobalContext;

// Which way a lot is followed: downstream to what was made from it, upstream to what went into it.
enum class SentidoRastreio { Jusante, Montante };

// The kinds of production that link a consumed lot to the lots that came out.
enum class OrigemRastreio { LoteProducao, LoteMedicoes, Instantanea, Processo };

// "Lote de produção", "Lote de medições", "Produção instantânea", "Processo de produção".
QString NomeOrigemRastreio(OrigemRastreio o);

// One node of the traceability tree. The levels alternate: a product lot, then the productions
// that consumed it (downstream) or made it (upstream), then their product lots, and so on.
struct NoRastreio {
    enum class Tipo { Lote, Producao };
    Tipo tipo = Tipo::Lote;

    // A lot: the product and its stock lot (blank when the product is not lot-kept).
    QString produto, descricao, lote;

    // A production: its kind, code (production lot, run number or process), date and documents
    // ("SPR 00000012"); a process still open has no products yet.
    OrigemRastreio origem = OrigemRastreio::LoteProducao;
    QString codigo, data;
    QStringList documentos;
    bool aberto = false;

    // Downstream: a production's node holds what it consumed of the lot above it, a lot's node what
    // the production above it made of it. Upstream the other way round. The root holds nothing.
    Currency quantidade;

    // The product was already met on the way from the root: the walk stops here.
    bool repetido = false;
    // A lot without a stock lot code cannot be told apart from the product's other stock.
    bool semLote() const { return tipo == Tipo::Lote && lote.trimmed().isEmpty(); }

    std::vector<NoRastreio> filhos;
};

struct PedidoRastreio {
    QString produto, lote;
    SentidoRastreio sentido = SentidoRastreio::Jusante;
};

// Follows a lot through every production the postings recorded: orders and made-to-measure lots
// (Lotes and their documents), instant runs (LoteInstantaneo) and processes (Prod_ProcessosMov,
// Prod_ProcessosProc), each linked to the ledger rows that carry the lots. Each level is read in a
// fixed number of statements whatever the number of lots in it; descriptions in one more. A lot
// nothing consumed (or made) gives a root without children. Refused only for a blank product or
// lot, an unknown product or a database failure.
Resultado<NoRastreio> LerRastreabilidade(Database& db, const PedidoRastreio& pedido);

// The tree's nodes in display order with their depth (the root at 0), for printing and lists.
struct LinhaRastreio {
    int nivel = 0;
    const NoRastreio* no = nullptr;
};
std::vector<LinhaRastreio> LinhasRastreio(const NoRastreio& raiz);

// ---------------------------------------------------------------------------------------------
// Logic of "Rastreabilidade de Lotes" (frmRastreabilidade): the product and lot, the direction,
// the tree read on "Pesquisar" and its print.

class FormRastreabilidade {
public:
    FormRastreabilidade(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Rastreabilidade de Lotes"

    CampoTabela txtProduto, txtLote;
    SentidoRastreio sentido = SentidoRastreio::Jusante;

    // The product must exist; the lot is free text (a lot may live only in the ledger).
    bool txtProduto_Saiu();
    bool txtProduto_Pesquisar();
    bool txtLote_Saiu();
    bool txtLote_Pesquisar(); // the product's lots

    // Reads the tree for the fields as they are; tells the user why not (and keeps no tree) when
    // refused. A lot nothing used is a tree without children, not a refusal.
    bool cmdPesquisar_Click();
    const std::optional<NoRastreio>& arvore() const { return m_arvore; }
    // The direction the tree shown was read in.
    SentidoRastreio sentidoLido() const { return m_sentidoLido; }

    // "&Imprimir": the tree of the fields as they are (read again when they changed), "Tipo de
    // Listagem?" and the print; false when nothing was printed.
    bool cmdImprimir_Click();
    std::function<bool(const NoRastreio&, SentidoRastreio, const QString& destino)> imprimir;

    // The tree for the fields as they are, read again only when they changed since; nothing
    // after a refusal (already told).
    const NoRastreio* arvoreActual();

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    std::optional<NoRastreio> m_arvore;
    SentidoRastreio m_sentidoLido = SentidoRastreio::Jusante;
    QString m_produtoLido, m_loteLido;
};

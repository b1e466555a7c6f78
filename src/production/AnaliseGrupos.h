#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"

#include <QString>
#include <QStringList>
#include <vector>

class Database;

// "Análise de Produtos por Grupos/Familias/Subfamilias": the stock ledger rows of one movement
// type, per product, gathered by group, family and subfamily of the product.
struct FiltroAnaliseGrupos {
    QString tipo;          // movement type (required)
    QString lote;          // lot whose document of `tipo` is wanted; blank: every document
    QString produto, situacao, vendedor, grupo, familia, subfamilia; // blank: all
    QStringList armazens;  // empty: every warehouse
    QString cambio;        // exchange code, for the header only
    Currency valorCambio;  // prices and values are divided by it; 0 counts as 1
    QString de, ate;       // "yyyy-mm-dd", blank: open-ended
    bool resumo = false;   // totals only
};

// Quantity and value summed; the price is their weighted average.
struct TotaisAnalise {
    Currency quantidade, valor;
    Currency preco() const;
    void somar(const TotaisAnalise& o) {
        quantidade += o.quantidade;
        valor += o.valor;
    }
};

struct MovimentoAnalise {
    QString data, tipo, numero, armazem;
    Currency quantidade, preco, valor; // price and value already divided by the exchange
};
struct ProdutoAnalise {
    QString codigo, descricao;
    std::vector<MovimentoAnalise> movimentos;
    TotaisAnalise total;
};
struct SubfamiliaAnalise {
    QString codigo, descricao;
    std::vector<ProdutoAnalise> produtos;
    TotaisAnalise total;
};
struct FamiliaAnalise {
    QString codigo, descricao;
    std::vector<SubfamiliaAnalise> subfamilias;
    TotaisAnalise total;
};
struct GrupoAnalise {
    QString codigo, descricao;
    std::vector<FamiliaAnalise> familias;
    TotaisAnalise total;
};
struct AnaliseGrupos {
    std::vector<GrupoAnalise> grupos;
    TotaisAnalise total;
    QString numeroDocumento; // the lot's document number used, when a lot was given
    bool vazia() const { return grupos.empty(); }
};

// Rows of the type with Fechado 'S' or blank (production postings leave it blank), module 'ST',
// of the products the filter lets through, ordered by group, family, subfamily, product, then
// date, type, number. At most two statements: the lot's document, then one join for the rows.
// A lot without a document of the type gives an empty analysis.
Resultado<AnaliseGrupos> LerAnaliseGrupos(Database& db, const FiltroAnaliseGrupos& f);

// The number of the lot's document of that type (output, entry, return or reinforcement); empty
// when the lot does not exist or has no document of the type.
Resultado<QString> NumeroDocumentoDoLote(Database& db, const QString& lote, const QString& tipo);

// What the header prints beside each filter's code.
struct DescricoesAnaliseGrupos {
    QString tipo, produto, situacao, vendedor, grupo, familia, subfamilia, cambio;
};
// The descriptions of the filter's codes, read from their tables (blank codes stay blank).
DescricoesAnaliseGrupos LerDescricoesAnaliseGrupos(Database& db, const FiltroAnaliseGrupos& f);

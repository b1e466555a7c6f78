#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"

#include <QString>
#include <QStringList>
#include <vector>

class Database;

// The lots of a period (by issue date), optionally of one finished product.
struct FiltroMapaProducao {
    QString produto;
    QString de, ate; // "yyyy-mm-dd", blank: open-ended
};

// "Mapa de Produção <Discriminado - Lotes>": a block per lot with the raw-material rows of its
// issue, reinforcement and return documents (returns negative), and the sum of their cost.
struct BlocoMapaDiscriminado {
    QString lote, data, produto, descricao, armazem;
    Currency quantidade, custoUnitario, custoTotal;
    struct Linha {
        QString produto, descricao, armazem, lote;
        Currency quantidade, custoUnitario, custoTotal;
    };
    std::vector<Linha> linhas;
    Currency somaComponentes;
};
struct MapaDiscriminado {
    std::vector<BlocoMapaDiscriminado> blocos;
    Currency totalGeral; // the sum of the blocks' sums
};
// Two statements whatever the number of lots: the lots, then every movement row of their documents.
Resultado<MapaDiscriminado> LerMapaDiscriminado(Database& db, const FiltroMapaProducao& f);

// "Mapa de Produção": per lot its finished product, quantity and costs; with the components
// itemised, each raw material with what the lot consumed (a: its issue and reinforcement rows less
// its return rows, every stock lot of the material together) beside what the bill gives for the
// lot (b), and the deviation a) − b).
struct ComponenteMapaProducao {
    QString produto, descricao, armazem;
    QStringList lotes; // the stock lots the consumption came from
    Currency quantidadeAplicada, precoAplicado, custoAplicado;
    bool naNomenclatura = false; // false: consumed, but no longer in the bill (b is 0)
    Currency quantidadeNomenclatura, precoNomenclatura, custoNomenclatura;

    Currency desvioQuantidade() const { return quantidadeAplicada - quantidadeNomenclatura; }
    Currency desvioCusto() const { return custoAplicado - custoNomenclatura; }
};
struct LoteMapaProducao {
    QString lote, data, produto, descricao, armazem;
    Currency quantidade, custoUnitario, custoTotal;
    std::vector<ComponenteMapaProducao> componentes; // by raw-material code
    Currency somaAplicado, somaNomenclatura;         // "Soma dos Componentes"
    Currency desvio() const { return somaAplicado - somaNomenclatura; }
};
struct MapaProducao {
    bool discriminado = false;
    std::vector<LoteMapaProducao> lotes;
    Currency totalCustoLotes;                     // the lots' own total costs
    Currency totalAplicado, totalNomenclatura;    // "Total final" of the components
    Currency desvio() const { return totalAplicado - totalNomenclatura; }
};

// The bill's quantity of a raw material for a lot, as the production order proposes it: the bill
// quantity times the lot quantity (alone when the order does not multiply), rounded up to a whole
// number when the material's unit takes whole units only.
Currency QuantidadeNomenclaturaLote(const Currency& quantNomenclatura, const Currency& quantLote, bool naoMultiplica,
                                    bool apenasUnidades);

// Without `discriminar` only the lots are read. With it, a fixed number of statements whatever the
// number of lots: the lots, the grouped rows of their documents, the bill rows of their products
// with the materials' prices and units, the company and production parameters and, with average
// costs per warehouse, the materials' last entries. The bill is priced by its price basis at today's
// prices (per warehouse when the company keeps them so; a sundry product at the bill's own price).
Resultado<MapaProducao> LerMapaProducao(Database& db, const FiltroMapaProducao& f, bool discriminar);

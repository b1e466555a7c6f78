#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"

#include <QString>
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

#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"

#include <QString>
#include <vector>

class Database;

// How many units of a finished product the stock of its components allows: the smallest
// balance ÷ quantity over the bill's components (kept to four decimals, never rounded to whole
// units), 0 as soon as a component with a quantity has no stock; components of quantity 0 do not
// limit it. The unit cost is Σ quantity × the price the bill row's basis gives (the row's price for
// the miscellaneous products), or the bill's fixed finished-product price when above 0; 0 when a
// component has no stock.
struct CapacidadeProduto {
    QString produto, descricao;
    Currency capacidade, custoUnitario;
    struct Componente {
        QString produto, descricao, armazem;
        Currency quantidade, saldo;
    };
    std::vector<Componente> componentes; // in component order
};

// One finished product; capacity 0 when it has no bill.
Resultado<CapacidadeProduto> CapacidadeProducao(Database& db, const QString& produto);

// Every finished product with a bill (or only `produto` when given), in product order, read in one
// statement with the component balances.
Resultado<std::vector<CapacidadeProduto>> PrevisaoCapacidade(Database& db, const QString& produto = {});

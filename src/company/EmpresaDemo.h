#pragma once

#include "common/Currency.h"
#include "db/Database.h"

#include <QList>
#include <QString>

// The demonstration company "LumoGest0001": a small furniture workshop with raw materials,
// lots, bills of materials, production movement types, two users and opening stock.

inline constexpr const char* CodigoEmpresaDemo = "0001";

// One line of the demo's opening stock, as inserted.
struct StockInicialDemo {
    QString produto;
    QString armazem;
    QString localizacao;
    QString lote; // "" for products without lots
    Currency quantidade;
};

// Opening stock the demo posts (one ledger row per entry).
QList<StockInicialDemo> stockInicialDemo();

// Creates the demo company when it does not exist yet; true when it was created now, false when it
// was there already. Another code may be given (tests on a shared server).
Resultado<bool> criarEmpresaDemo(const ConnectionParams& servidor,
                                 const QString& codigo = QString::fromLatin1(CodigoEmpresaDemo));

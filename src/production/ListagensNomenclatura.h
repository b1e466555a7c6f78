#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"

#include <QString>
#include <vector>

class Database;

// One row of the bill-of-materials listings, ordinary or with measurements, in listing order.
struct LinhaListagemNomenclatura {
    QString produtoAcabado, descricaoAcabado;
    QString produtoPrima, descricaoPrima, armazem;
    Currency quantidade;
    Currency factor;   // ordinary bills: conversion factor and its formula ("A"/"B")
    QString formula;
    QString tipoMedida; // measurement bills: "A", "L", "F"
    Currency medida;
};

// "Nomenclatura de Produtos Acabados": the bill rows of one product (blank: all), by finished
// product and raw material.
Resultado<std::vector<LinhaListagemNomenclatura>> LerListagemNomenclatura(Database& db, const QString& produto);
// "Nomenclatura de Produtos Acabados (Medições)": the measurement rows, by finished product, raw
// material and measure type.
Resultado<std::vector<LinhaListagemNomenclatura>> LerListagemNomenclaturaMedicoes(Database& db,
                                                                                 const QString& produto);

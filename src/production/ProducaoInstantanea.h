#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"
#include "production/ProductionDocument.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

struct GlobalContext;

// What an instant production run consumed and obtained, line by line, before it is posted.
struct MateriaInstantanea {
    QString produto, descricao, armazem;
    Currency quantidade;
    QString precario; // the recipe's price rule, when the line came from one
    Currency preco;   // unit price
    QString observa, lote, localizacao;
};

struct AcabadoInstantaneo {
    QString produto, descricao, armazem;
    Currency quantidade;
    Currency percCusto;  // weight of the product in the raw-material cost ("% Custo")
    Currency valCusto;   // its share of that cost, kept by CalculaCustos ("Valor Custo")
    Currency precoCusto; // a typed unit cost ("Preço Custo"), which the entry posts instead
    QString localizacao, observa, lote;
    // Estacao, Sexo, Ref, Modelo, Cor, Tam, Comp
    std::array<QString, 7> referencias;
};

struct DocumentoInstantaneo {
    QString receita; // the instant recipe the lines came from, if any
    // An integrated production process: the raw materials are its movements, already issued, and
    // the run closes it. An equipment is only named by a run without a process.
    QString processo, equipamento;
    std::vector<MateriaInstantanea> materias;
    std::vector<AcabadoInstantaneo> acabados;
};

// The raw-material cost: quantity × unit price of every line, each product kept at four decimals.
Currency CustoMaterias(const DocumentoInstantaneo& d);

// Shares the raw-material cost among the finished products by their "% Custo", which are weights
// (they need not add up to 100). Each share is kept at four decimals and what rounding leaves over
// goes to the product with the largest weight (the first of equals), so the values add up exactly
// to the cost. Without any weight every value is 0.
void CalculaCustos(DocumentoInstantaneo& d);

// The unit price the entry of a finished product posts: its typed "Preço Custo", else its
// "Valor Custo" ÷ quantity at four decimals.
Currency PrecoUnitarioAcabado(const AcabadoInstantaneo& a);

// The factor typed for a recipe ("2,5" or "2.5"); nothing unless it is a number above 0.
std::optional<Currency> LerFactorReceita(const QString& texto);

// Takes an open process: the raw materials become its movements as they stand (a return keeps its
// negative quantity), the equipment is dropped. An empty code undoes the integration.
Resultado<> IntegraProcesso(GlobalContext& ctx, DocumentoInstantaneo& d, const QString& processo);
// Names the equipment the run came from: one without a dismantling date.
Resultado<> IntegraEquipamento(GlobalContext& ctx, DocumentoInstantaneo& d, const QString& equipamento);

// Replaces the lines by those of an instant recipe with every quantity multiplied by the factor:
// prices by each line's rule (the product's last purchase price, last cost or average cost, or the
// recipe's typed price), raw materials at the location the stock rule picks, a finished product
// priced by share taking the recipe's percentage. Costs are shared again. With a process
// integrated only the finished products are taken: its movements are the raw materials.
Resultado<> IntegraReceita(GlobalContext& ctx, DocumentoInstantaneo& d, const QString& codigo, const Currency& factor);

// What a run wrote.
struct ResultadoInstantanea {
    QString numProcesso;
    QString processo; // the production process the run closed
    DocumentoProducao saida, entrada; // an empty type: not written
};

// Checks the run as "&Processar" does before asking for confirmation: finished products given,
// production parameters with both movement types, quantities above 0, lots on lot-managed products
// while lots are in use, references on products sold by reference, some cost to apply.
Resultado<> VerificaProducaoInstantanea(GlobalContext& ctx, const DocumentoInstantaneo& d);

// Posts the run in one transaction serialised by the posting lock, dated with the server's date:
// the issue document of the raw materials ("S+"), the entry document of the finished products
// ("E+") at their unit costs, one LoteInstantaneo row per line under a new run number, the
// products' last prices and the movement types' counters. With a process integrated there is no
// issue document: the process, read again under the lock, must be open and unchanged, and is
// closed with its finished products in Prod_ProcessosProc. A refusal writes nothing.
Resultado<ResultadoInstantanea> LancaProducaoInstantanea(GlobalContext& ctx, DocumentoInstantaneo& d);

#pragma once

#include "common/Resultado.h"
#include "production/ProductionDocument.h"

#include <optional>

struct GlobalContext;
class UserInteraction;

enum class FaseProducao {
    Encerra, // first phase that closes the lot at once
    Aguarda  // first phase that leaves the lot waiting for its adjustments
};

// What a posting wrote.
struct ResultadoProducao {
    QString lote;
    DocumentoProducao saida, ent, ret, ref;
    Currency custoTotal, precario;
    bool fechado = false;
    bool actualizaPreco = false; // the finished product asks for its sale prices to be reviewed
};

// For a new lot, asks "Processo do Lote <lote>" when both adjustment types are configured;
// nullopt when the user cancels. Without them the lot closes at once. A pending lot needs no choice.
std::optional<FaseProducao> EscolheFaseProducao(GlobalContext& ctx, UserInteraction& ui, const ProductionDocument& doc);

// Posts the production in one transaction serialised by the posting lock: a new lot gets its entry,
// its lot record and one consumption row per line; a pending lot gets its reinforcements and returns
// and is closed. Costs, average cost, last prices and counters follow. On success the document
// carries the lot and document numbers used; on refusal nothing is written.
Resultado<ResultadoProducao> LancaProducao(GlobalContext& ctx, ProductionDocument& doc, FaseProducao fase);

#pragma once

#include "common/UserInteraction.h"
#include "production/ProductionDocument.h"

#include <QList>
#include <QPair>

struct GlobalContext;

// Reads the lot record of doc.Lote: true when it exists (the document becomes that lot, with its
// finished product, date, warehouse, quantity, documents and situation); false leaves a new lot.
bool LerLoteProducao(GlobalContext& ctx, ProductionDocument& doc);

// Quantity of a line for the header quantity: the bill quantity times the quantity produced (or as
// it stands with NaoMultiplica), rounded up to whole units when the product's unit takes no fractions.
Currency QuantidadeOrdem(GlobalContext& ctx, const QString& produto, const Currency& quantNomenclatura,
                         const Currency& quantProduzir, bool naoMultiplica);

// Fills the lines: from the bill for a new lot, from the consumption rows for a lot read back.
// Returns the number of lines (0 when the product has no bill).
int CarregarListaNomenc(GlobalContext& ctx, ProductionDocument& doc);

// The check before processing. On refusal, `linha` is the offending line (or -1).
struct VerificacaoLote {
    bool ok = true;
    int linha = -1;
    QString mensagem, titulo;
    UserInteraction::Icone icone = UserInteraction::Icone::Critico;
};
VerificacaoLote VerificaExecutarLote(GlobalContext& ctx, const ProductionDocument& doc);

// Capacity, unit cost and the raw materials whose balance does not cover their line.
struct AnaliseProducao {
    Currency capacidade, custoUnitario;
    QList<QPair<QString, QString>> insuficientes; // code, description
};
AnaliseProducao AnalisaProducao(GlobalContext& ctx, const ProductionDocument& doc, bool apenasComControlo);

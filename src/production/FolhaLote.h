#pragma once

#include "common/Resultado.h"
#include "common/Currency.h"
#include "production/ProductionDocument.h"

#include <QString>
#include <optional>
#include <vector>

struct GlobalContext;

// What the production sheet of a closed lot shows ("Folha de Produção de Lote").
struct FolhaLote {
    QString lote, produto, descricaoProduto;
    Currency quantidade, custoUnitario, custoTotal;
    DocumentoProducao saida, ref, ret, ent;
    struct Linha {
        QString produto, descricao, armazem;
        Currency quantidade, custoUnitario, custoTotal;
    };
    std::vector<Linha> linhas; // per raw material of the bill: consumption + reinforcement - return
    QString dataEmissao;       // "dd-mm-yyyy"
};

inline const QString MensagemLoteEmAberto = QStringLiteral("Lote Inexistente ou em Aberto!");

// Reads the sheet of a lot; refused with MensagemLoteEmAberto when the lot does not exist, is not
// closed or has measurements.
Resultado<FolhaLote> LerFolhaLote(GlobalContext& ctx, const QString& lote);


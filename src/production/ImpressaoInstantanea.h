#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"
#include "production/ProductionDocument.h"

#include <QString>
#include <array>
#include <vector>

struct GlobalContext;

// What the print of an instant production run shows ("Produção Instantânea"): the finished
// products of the entry document and the raw materials, of the stock-out document or, when the run
// closed a production process, of every movement of that process.
struct ImpressaoInstantanea {
    struct Linha {
        QString codigo, descricao, armazem, localizacao, lote;
        // Estacao, Sexo, Referencia, Modelo, Cor, Tamanho, Comprimento
        std::array<QString, 7> referencias;
        Currency quantidade, preco, valor;

        // The lot and the non-blank references, joined by ";".
        QString loteReferencias() const;
    };

    QString empresa;
    DocumentoProducao entrada, saida; // saida with a blank type: no stock-out document
    // The process the run closed (blank when none) and the equipment of its finished products.
    QString processo, descricaoProcesso, equipamento, descricaoEquipamento;
    std::vector<Linha> acabados, materias;
    QString dataEmissao; // "dd-mm-yyyy"

    bool temProcesso() const { return !processo.trimmed().isEmpty(); }
    QString titulo() const;
    // Section headings, the documents' dates as the program shows them ("dd-mm-yyyy").
    QString cabecalhoAcabados() const;
    QString cabecalhoMaterias() const;
    Currency custoAcabados() const;
    Currency custoMaterias() const;
};

inline const QString MensagemSemRegistos = QStringLiteral("Não existem registo para estas condições!");

// Reads the print of the run whose finished products entered with `entrada` and whose raw
// materials left with `saida`. Refused with MensagemSemRegistos when the entry document has no row.
Resultado<ImpressaoInstantanea> LerImpressaoInstantanea(GlobalContext& ctx, const DocumentoProducao& entrada,
                                                        const DocumentoProducao& saida);

#pragma once

#include "production/Lotes.h"

#include <QString>
#include <functional>
#include <optional>

struct GlobalContext;
class UserInteraction;

// Logic of the window "Eliminação de Lotes (com reposição)" (frmEliminarLote): deletes a closed
// production lot with the stock documents it generated, which restores the stock it consumed and
// produced.
class EliminarLote {
public:
    EliminarLote(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Eliminação de Lotes (com reposição)"

    // Leaving "Lote a Eliminar": loads a closed lot; an open or unknown lot is refused and the
    // field cleared. True when a lot is loaded.
    bool loteSaiu(const QString& lote);

    // What the window shows (dates as "dd-mm-yyyy", the quantity in the quantity mask).
    QString txtLote;
    QString txtProduto, txtDescProduto, txtQuantidade;
    struct Documento {
        QString tipo, numero, data;
    };
    Documento entrada, retorno, reforco, saida;
    const std::optional<LoteProducao>& lote() const { return m_lote; }

    enum class Resultado { Eliminado, FocoLote, Recusado, Cancelado, Erro };
    // "&Eliminar": period check of every date, confirmation, then one transaction.
    Resultado eliminar();

    // Clears every field.
    void Limpa();

    // Test hook: runs between the deletion of the documents and of the lot record, inside the
    // transaction; returning false makes the deletion fail there.
    std::function<bool()> aposDocumentos;

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    std::optional<LoteProducao> m_lote;
};

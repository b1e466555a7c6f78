#pragma once

#include "lookups/CampoTabela.h"
#include "production/FolhaLote.h"

#include <functional>
#include <optional>

class UserInteraction;

// "Folha de Produção de Lote": the sheet of one closed lot, to the screen or the printer.
class ImpFolhaLote {
public:
    ImpFolhaLote(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo() { return QStringLiteral("Folha de Produção de Lote"); }
    // The lookup offers closed lots without measurements only.
    static QString FiltroLotes();

    CampoTabela txtLote;
    const std::optional<FolhaLote>& folha() const { return m_folha; }
    // Texts of the movement labels: "<type>  nº <number>   De : <date>", empty without a document.
    static QString textoDocumento(const DocumentoProducao& d);

    // Leaving the lot field: reads the sheet; refuses open or unknown lots.
    bool txtLote_LostFocus();
    // "Imprimir": asks the destination and hands the sheet to the printer; false when nothing printed.
    bool cmdImprimir_Click();

    // Installed by the window: draws and presents the sheet ("S" screen, "P" printer).
    std::function<bool(const FolhaLote& folha, const QString& destino)> imprimir;

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    std::optional<FolhaLote> m_folha;
};

#pragma once

#include <QString>

// A code field of a window as the lookups see it: the code box, the description label beside it
// and what the lookup asks the window to do with the focus afterwards. Window logic keeps one per
// code field and the Qt side mirrors it into the real controls.
struct CampoTabela {
    QString codigo;     // text of the code box
    QString descricao;  // text of the description label
    bool activo = true; // the field is enabled

    // Set by a lookup: return the focus to the code box / select its whole text.
    bool focar = false;
    bool selecionarTudo = false;

    void limpar() {
        codigo.clear();
        descricao.clear();
    }
};

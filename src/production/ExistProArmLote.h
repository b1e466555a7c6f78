#pragma once

#include "common/Currency.h"

#include <QString>
#include <vector>

struct GlobalContext;
class UserInteraction;

// Choice of an existing lot of a product in a warehouse, with the balance of each lot and
// location ("Lotes disponiveis p/ Armazém").
//
// Use by a caller:
//   ExistProArmLote e(ctx, ui);
//   e.txtCodigo = produto; e.txtArmazem = armazem; e.txtAfectaSTK = "S+";
//   e.txtIgnoraControlos = "S";          // "" enforces FIFO/LIFO
//   e.txtSomaQTY = quantidadeNoDocumento;
//   e.VerLote(lote, dataFabrico, dataValidade);  // the values on the caller's line
//   ... show the window (FrmExistProArmLote) or, without a window, call seleccionarInicial() ...
//   if (!e.txtLote.trimmed().isEmpty()) use e.txtLote, e.txtLocalizacao, e.txtDataFabrico,
//                                           e.txtDataValidade, e.txtExiste
// Dates are "yyyy-mm-dd".
class ExistProArmLote {
public:
    enum class Formula { Nenhuma, FIFO, LIFO, Livre };

    struct Linha {
        QString ctrlInt; // the control date
        QString lote;
        QString descricao;
        QString dataFabrico;
        QString dataValidade;
        Currency existencia;
        QString localizacao;
        QString armazem;
    };

    ExistProArmLote(GlobalContext& ctx, UserInteraction& ui);

    // --- set by the caller before VerLote ---
    QString txtCodigo;
    QString txtArmazem;
    QString txtAfectaSTK;
    QString txtIgnoraControlos;
    Currency txtSomaQTY;

    // --- read by the caller after the window hides (blank txtLote = nothing chosen) ---
    QString txtLote;
    QString txtLocalizacao;
    QString txtDataFabrico;
    QString txtDataValidade;
    Currency txtExiste;

    // Loads the lots offered; the arguments are the lot already on the caller's line.
    void VerLote(const QString& lote, const QString& dataFabrico, const QString& dataValidade);

    const std::vector<Linha>& linhas() const { return m_linhas; }
    int linhaActual() const { return m_actual; }
    Formula formula() const { return m_formula; }
    // Ordering of the list, shown as a hint.
    QString dica() const { return m_dica; }
    QString titulo() const { return m_titulo; }
    // The date column the lots are controlled by: 1 manufacture, 2 expiry, 0 none.
    int controloData() const { return m_controloData; }
    // The area where a new lot code and its dates are typed.
    bool areaManual() const { return m_areaManual; }
    // The product description shown in the title.
    QString descricaoProduto() const { return m_descricaoProduto; }

    // The row matching the lot given to VerLote; -1 when none. The window selects it and runs
    // seleccionar() as soon as it shows.
    int linhaDoLoteDado() const;
    // Without a window: selects the given lot's row and runs seleccionar(); false when there is
    // no such row or the choice is refused.
    bool seleccionarInicial();

    // A row clicked: its lot, location, dates and balance go to the fields.
    void clicarLinha(int linha);
    // The lot typed in the manual area: its dates come from TabLotes, or are cleared when the lot
    // does not exist. True when it exists.
    bool loteDigitado(const QString& lote);

    // What "&Seleccionar" leaves for the window to do.
    enum class Resultado { Escolhido, FocoLote, FocoDataFabrico, FocoDataValidade, FocoLista, FocoFechar, Recusado };
    Resultado seleccionar();
    // "&Fechar": lot and dates cleared, read by the caller as no choice.
    void fechar();

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    std::vector<Linha> m_linhas;
    int m_actual = -1;
    Formula m_formula = Formula::Nenhuma;
    int m_controloData = 0;
    bool m_areaManual = false;
    QString m_dica, m_titulo, m_descricaoProduto;
    QString m_loteDado, m_fabricoDado, m_validadeDado;
};

#pragma once

#include "lookups/FiltroSQL.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <array>
#include <functional>
#include <memory>

struct GlobalContext;
class Database;
class ListaDados;
class UserInteraction;

// One row of the field combo: the SQL expression searched and its caption. An expression holding
// "_NO_COMBO" is kept for ordering but not offered in the combo.
struct CampoPesquisa {
    QString expressao; // fixed in code, e.g. "Produtos.Codigo"
    QString titulo;    // "Código"
};

// What a lookup hands to the search window. Every SQL piece comes from code; only the key typed
// by the user travels, bound.
struct DefinicaoPesquisa {
    QString titulo;              // window title, e.g. "Fichas de Produtos"
    QList<CampoPesquisa> campos; // the search-field table
    QString layout;              // column layout string of the list
    QString tabela;              // main table, e.g. "Produtos"
    QStringList colunas;         // select list, one expression per layout column, in order
    QString origem;              // FROM part without joins; empty = tabela
    bool distinto = false;       // "Select Distinct"
    FiltroSQL filtro;            // extra joins and conditions
    QString ordem;               // order field expression, e.g. "Produtos.Descricao"
    bool multiSelecao = false;
    int tamanhoLetra = 0;                                // 0 keeps the default font
    QString chaveInicial;                                // initial key
    QString chaveRegisto = QStringLiteral("NumRegisto"); // identity column ("Record" on PDocumentos)
};

// The search window "Pesquisa de Registos", without widgets: the field combo, the key box, the row
// limit, the count, the list and the choice. The Qt window (lookups/ui) only binds controls to it.
class PesquisaNOVA {
public:
    static constexpr int RegistosPadrao = 500;
    static constexpr qint64 LimiteMaximo = 999999999;
    static constexpr qint64 LimiteArredondado = 399999999;

    PesquisaNOVA(GlobalContext& ctx, Database& db, DefinicaoPesquisa def, UserInteraction* ui = nullptr);
    ~PesquisaNOVA();
    PesquisaNOVA(const PesquisaNOVA&) = delete;
    PesquisaNOVA& operator=(const PesquisaNOVA&) = delete;

    static QString Caption() { return QStringLiteral("Pesquisa de Registos"); }
    const DefinicaoPesquisa& definicao() const { return m_def; }

    // Restores the user's ignore-accents choice, sets the default row count, the initial key and
    // the combo row of the order field, then runs the first search.
    void Abrir();
    // Saves the ignore-accents choice for the user.
    void Fechar();

    // --- field combo (captions of the fields offered) ---
    QStringList camposCombo() const;
    int campoEscolhido() const { return m_campo; } // -1 with an empty combo
    void escolherCampo(int indice);
    bool escolherCampoPorTitulo(const QString& titulo);
    bool mostraPainelPesquisa() const { return !camposCombo().isEmpty(); }

    // --- key box ---
    QString chave() const { return m_chave; }
    void definirChave(const QString& chave) { m_chave = chave; }

    // --- row limit box txtRegVer ---
    QString registosVer() const { return m_registosVer; }
    void definirRegistosVer(const QString& texto) { m_registosVer = texto; }
    // Non-numeric text becomes the default count; 399999999 or more becomes 999999999.
    void txtRegVer_LostFocus();
    static QString normalizarRegistosVer(const QString& texto, int padrao);
    qint64 limiteRegistos() const;

    // --- ignore accents check box ---
    bool tiraAcentos() const { return m_tiraAcentos; }
    void definirTiraAcentos(bool v) { m_tiraAcentos = v; }

    // --- searching ---
    // "Procurar Registos com nova pesquisa": zero-fills a code key of products, customers or
    // suppliers, then searches.
    bool cmdProcura_Click();
    // Counts, then fills the list with the first rows. progresso(row, total) is called per row.
    bool Procurar(const std::function<void(int, int)>& progresso = {});
    qint64 totalRegistos() const { return m_total; }
    QString textoTotal() const; // "Foram Encontrados n Registos"
    ListaDados& lista() { return *m_lista; }
    const ListaDados& lista() const { return *m_lista; }
    int linhas() const;
    QString erro() const { return m_erro; } // reason of a failed search, "" when fine

    // The statements of the last search, with their values (for checks and diagnosis).
    QString sqlContagem() const { return m_sqlContagem; }
    QString sqlLinhas() const { return m_sqlLinhas; }
    QVariantList valoresUltimos() const { return m_valores; }

    // --- choosing ---
    // Single selection: the given row (0-based). Multi-selection: every ticked row (linha ignored).
    // False when the list is empty or nothing is ticked.
    bool Selecionar(int linha = -1);
    void Cancelar(); // empties the list; nothing is returned
    bool escolhido() const { return m_escolhido; }
    // Elements 1..10: the chosen row's columns in layout order (element 0 unused); in
    // multi-selection each element holds the ticked rows' values joined by ";".
    const std::array<QString, 11>& LinhaEscolhida() const { return m_linhaEscolhida; }

private:
    QString condicaoChave(QVariantList& valores) const;

    GlobalContext& m_ctx;
    Database& m_db;
    UserInteraction* m_ui;
    DefinicaoPesquisa m_def;
    std::unique_ptr<ListaDados> m_lista;
    QList<int> m_indicesCombo; // combo row -> index in m_def.campos
    int m_campo = -1;
    QString m_chave;
    QString m_registosVer;
    bool m_tiraAcentos = false;
    qint64 m_total = 0;
    QString m_erro;
    QString m_sqlContagem, m_sqlLinhas;
    QVariantList m_valores;
    bool m_escolhido = false;
    std::array<QString, 11> m_linhaEscolhida{};
};

#pragma once

#include "common/Currency.h"
#include "lookups/LayoutColunas.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

class QSettings;
class UserInteraction;

// The rows and columns of one list, kept by the window's logic class; the Qt side (ListaVista)
// only shows it. Rows are addressed by position (0-based) and columns by key or position.
//
// Use from a window logic class:
//     ListaDados lvwLista{QStringLiteral("lvwLista")};
//     lvwLista.setUserInteraction(&ui);
//     lvwLista.Cria_lvwLISTA(QStringLiteral("Código,1800,,,Codigo/Data,1200,C,DATA,Data/Qtd.,1500,D,VALOR_Q,Qtd/"));
//     int l = lvwLista.lvw_AddLinha();
//     lvwLista.lvw_PutValue(l, "Codigo", codigo);
//     lvwLista.lvw_PutValue(l, "DATA_Data", QDate(2026, 3, 20));   // shows 20-03-2026
//     lvwLista.lvw_PutValue(l, "VALORQQtd", Currency::fromString("1234.5")); // shows 1.234,50
// and the window binds it with ListaVista (lookups/ui/ListaVista.h).
class ListaDados : public QObject {
    Q_OBJECT
public:
    explicit ListaDados(const QString& nome = {}, QObject* pai = nullptr);

    QString nome() const { return m_nome; }
    void setNome(const QString& nome) { m_nome = nome; }
    // Where unknown keys are reported; without one they fail silently (false / empty text).
    void setUserInteraction(UserInteraction* ui) { m_ui = ui; }

    // Decimals shown by number columns of each type (VALOR 2, VALOR_Q and VALOR_P 2 by default).
    void setCasasDecimais(TipoDadoColuna tipo, int casas);
    int casasDecimais(TipoDadoColuna tipo) const;

    // --- columns ---
    // Clears rows and columns and declares the columns of the layout (sorting is reset).
    void Cria_lvwLISTA(const QString& layout);
    const std::vector<ColunaLayout>& colunas() const { return m_colunas; }
    int numColunas() const { return int(m_colunas.size()); }
    // Column of a key (case-insensitive); -1 when none has it.
    int colunaDaChave(const QString& chave) const;
    // Header text, with the " (Asc.)"/" (Des.)" marker of the sorted column.
    QString tituloColuna(int coluna) const;
    int larguraTwips(int coluna) const;
    void setLarguraTwips(int coluna, int twips);
    // Back to the widths of the layout.
    void lvw_RepoeTamanhoColunas();

    // Ticks (check boxes on every row).
    void setComVistos(bool sim);
    bool comVistos() const { return m_comVistos; }

    // --- rows ---
    int numLinhas() const { return int(m_linhas.size()); }
    // Appends an empty row and returns its position.
    int lvw_AddLinha();
    // Removes every row (columns stay).
    void limparLinhas();
    bool lvw_DeleteLinha(int linha);
    // Makes the row the only selected one and the current one (-1 clears the selection).
    void lvw_SelectLinha(int linha);
    int linhaSeleccionada() const { return m_actual; }
    bool seleccionada(int linha) const;
    void setSeleccionada(int linha, bool sim);
    std::vector<int> linhasSeleccionadas() const;

    // Writes a cell by key. Dates show "dd-mm-yyyy" and numbers the Portuguese form with the
    // column's decimals; both keep a sortable companion. Text and invalid values clear a typed cell.
    // An unknown key shows "Campo não encontrado na Grelha -> " + key and returns false.
    bool lvw_PutValue(int linha, const QString& chave, const QVariant& valor);
    bool lvw_PutValue(int linha, const QString& chave, const Currency& valor);
    bool lvw_PutValue(int linha, const QString& chave, const QDate& valor);
    bool lvw_PutValue(int linha, const QString& chave, const QString& valor);
    bool lvw_PutValue(int linha, const QString& chave, const char* valor) {
        return lvw_PutValue(linha, chave, QString::fromUtf8(valor));
    }
    // The shown text of a cell by key; a key ending in "_Especial_Order" reads the companion.
    // An unknown key reports as lvw_PutValue does and gives "".
    QString lvw_GetValue(int linha, const QString& chave) const;
    // Typed reads of date and number cells (nullopt / invalid date when empty or not that type).
    std::optional<Currency> valorNumero(int linha, const QString& chave) const;
    QDate valorData(int linha, const QString& chave) const;

    // Cells by position, for layouts whose columns have no key.
    QString texto(int linha, int coluna) const;
    void setTexto(int linha, int coluna, const QString& texto);
    QString textoOrdem(int linha, int coluna) const;

    // Hidden per-row data: a tag (any value) and a numeric id (for example the row's NumRegisto).
    void setTag(int linha, const QVariant& tag);
    QVariant tag(int linha) const;
    // The first row whose tag equals the value; -1 when none does.
    int linhaComTag(const QVariant& tag) const;
    void setId(int linha, qint64 id);
    qint64 id(int linha) const;
    // First row with that id, -1 when none.
    int linhaDoId(qint64 id) const;

    // --- ticks ---
    bool marcada(int linha) const;
    void setMarcada(int linha, bool sim);
    int lvw_ContaRegChecked() const;
    int Conta_LVW_Registos_Checked() const { return lvw_ContaRegChecked(); }
    // True when there is at least one row and every row is ticked.
    bool lvw_Ver_Se_Tudo_Select() const;
    void lvw_LISTA_Inverte_Check();
    void marcarTodas(bool sim);
    std::vector<int> linhasMarcadas() const;

    // --- colours (0xRRGGBB); nullopt = the view's default ---
    void lvw_Lista_Cor_Registo(int linha, std::optional<quint32> corTexto, std::optional<quint32> corFundo = {});
    std::optional<quint32> corTexto(int linha) const;
    std::optional<quint32> corFundo(int linha) const;
    void setNegrito(int linha, bool sim);
    bool negrito(int linha) const;

    // --- sorting ---
    // First click on a column sorts ascending, a further click on the same column toggles.
    // Dates and numbers sort on their companions, text case-insensitively (so "10" before "9").
    void OrdenaLista(int coluna);
    // Sorts on a column in the given direction without the toggle.
    void ordenar(int coluna, bool descendente);
    int colunaOrdenada() const { return m_colunaOrdem; }
    bool ordemDescendente() const { return m_descendente; }

    // --- widths per user ---
    // Keys listName + "_" + column number (1-based) in the section; only positive widths are saved.
    void guardarLarguras(QSettings& s, const QString& seccao) const;
    // A stored non-empty value replaces the column's width; columns without one keep theirs.
    void reporLarguras(QSettings& s, const QString& seccao);

signals:
    // The column set changed (Cria_lvwLISTA): everything must be re-read.
    void estruturaMudou();
    void linhasAntesInserir(int primeira, int ultima);
    void linhasInseridas();
    void linhasAntesRemover(int primeira, int ultima);
    void linhasRemovidas();
    // Every row may have moved (sort, clear).
    void linhasReordenadas();
    void celulaMudou(int linha, int coluna);
    // Tick, colour, bold or selection of a row changed.
    void linhaMudou(int linha);
    void cabecalhoMudou();
    void larguraMudou(int coluna);

private:
    struct Linha {
        QStringList textos;
        QStringList ordens;
        bool marcada = false;
        bool seleccionada = false;
        bool negrito = false;
        std::optional<quint32> corTexto, corFundo;
        QVariant tag;
        qint64 id = 0;
    };

    bool linhaValida(int linha) const { return linha >= 0 && linha < numLinhas(); }
    // Column of the key or of its companion; reports an unknown key.
    int colunaOuAvisa(const QString& chave, bool* companheira) const;
    QString formatarNumero(const ColunaLayout& c, const Currency& v) const;

    QString m_nome;
    UserInteraction* m_ui = nullptr;
    std::vector<ColunaLayout> m_colunas;
    std::vector<int> m_largurasLayout;
    std::vector<Linha> m_linhas;
    bool m_comVistos = false;
    int m_actual = -1;
    int m_colunaOrdem = -1;
    bool m_descendente = false;
    int m_casasValor = 2, m_casasQuant = 2, m_casasPreco = 2;
};

// Sortable text of an amount: equal-width digits, so text order is value order (negatives first).
QString textoOrdemNumero(const Currency& v);
// Sortable text of a date: "yyyyMMdd".
QString textoOrdemData(const QDate& d);

#pragma once

#include "lookups/ListaDados.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QPointer>
#include <QTreeView>

class QLabel;
class QMenu;

// Qt model over a ListaDados: one row per row, one column per declared column, check boxes on the
// first column when the list has ticks, row colours and bold, alignment from the layout.
class ModeloLista : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModeloLista(ListaDados* lista, QObject* pai = nullptr);
    ListaDados* lista() const { return m_lista; }

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& i, int papel = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& i, const QVariant& valor, int papel = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& i) const override;
    QVariant headerData(int seccao, Qt::Orientation o, int papel = Qt::DisplayRole) const override;

private:
    QPointer<ListaDados> m_lista;
};

// A report-style list showing a ListaDados. Clicking a header sorts (OrdenaLista), hidden columns
// stay hidden, widths follow the layout in twips, and lists with ticks get the "Rotinas Internas"
// context menu (invert, tick all, untick all).
//
// Use from a window (the logic class owns the ListaDados):
//     lvwLista = new ListaVista(this);
//     lvwLista->setObjectName("lvwLista");
//     lvwLista->setLista(&m_logica.lvwLista);
//     lvwLista_GetSettings(*lvwLista, "frmNomenclatura");   // widths saved by the user
//     connect(lvwLista, &ListaVista::linhaActivada, this, &Janela::lvwLista_DblClick);
//     ...on close: lvw_Lista_SaveSettings(*lvwLista, "frmNomenclatura");
class ListaVista : public QTreeView {
    Q_OBJECT
public:
    explicit ListaVista(QWidget* pai = nullptr);

    void setLista(ListaDados* lista);
    ListaDados* lista() const { return m_lista; }
    ModeloLista* modelo() const { return m_modelo; }

    // Pixels of a width in twips on this screen (1440 twips to the inch).
    int twipsParaPixeis(int twips) const;
    // The stated width, or the caption's when that is wider.
    int larguraVisivel(int coluna, int twips) const;
    int pixeisParaTwips(int pixeis) const;

    // Copies the view's current column widths into the ListaDados.
    void recolherLarguras();
    // Applies the ListaDados widths and hidden columns to the view.
    void aplicarLarguras();

    // The "Rotinas Internas" pop-up (null for lists without ticks).
    QMenu* menuRotinas() const { return m_rotinas; }

signals:
    // Double click or Enter on a row.
    void linhaActivada(int linha);
    // The current row changed (-1: none).
    void linhaActual(int linha);
    // A tick was changed by the user.
    void marcaMudou(int linha, bool marcada);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void ligarLista();
    void seleccaoDaVista();
    void seleccaoDaLista();
    void criarMenuRotinas();

    QPointer<ListaDados> m_lista;
    ModeloLista* m_modelo = nullptr;
    QMenu* m_rotinas = nullptr;
    bool m_aSincronizar = false;
    QHash<int, int> m_larguraAplicada; // pixels set from the layout, per column
    QList<QMetaObject::Connection> m_ligacoes;
};

// QSettings of the application (the program names it "LumoGest"/"WLumoProd").
// Section = the form's name; key = list name + "_" + column number (1-based).
void lvw_Lista_SaveSettings(ListaVista& lista, const QString& seccao);
void lvw_Lista_GetSettings(ListaVista& lista, const QString& seccao);
// Back to the layout's widths (the saved ones are kept until the next save).
void lvw_RepoeTamanhoColunas(ListaVista& lista);
// Hides the list while it loads, showing in its place the label "lblBack_" + list name with
// "Carregando registos..." (created on the list's parent the first time); true shows it again.
void lvw_Visivel(ListaVista& lista, bool visivel);

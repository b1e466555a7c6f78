#include "lookups/ui/ListaVista.h"

#include "lookups/ListaDados.h"

#include <QApplication>
#include <QStyle>
#include <QBrush>
#include <QColor>
#include <QContextMenuEvent>
#include <QFont>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSettings>

// ---- ModeloLista ----

ModeloLista::ModeloLista(ListaDados* lista, QObject* pai) : QAbstractTableModel(pai), m_lista(lista) {
    connect(lista, &ListaDados::estruturaMudou, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(lista, &ListaDados::linhasReordenadas, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(lista, &ListaDados::linhasAntesInserir, this,
            [this](int a, int b) { beginInsertRows({}, a, b); });
    connect(lista, &ListaDados::linhasInseridas, this, [this] { endInsertRows(); });
    connect(lista, &ListaDados::linhasAntesRemover, this,
            [this](int a, int b) { beginRemoveRows({}, a, b); });
    connect(lista, &ListaDados::linhasRemovidas, this, [this] { endRemoveRows(); });
    connect(lista, &ListaDados::celulaMudou, this, [this](int l, int c) {
        const QModelIndex i = index(l, c);
        emit dataChanged(i, i);
    });
    connect(lista, &ListaDados::linhaMudou, this, [this](int l) {
        if (columnCount() > 0)
            emit dataChanged(index(l, 0), index(l, columnCount() - 1));
    });
    connect(lista, &ListaDados::cabecalhoMudou, this, [this] {
        if (columnCount() > 0)
            emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    });
}

int ModeloLista::rowCount(const QModelIndex& pai) const {
    return pai.isValid() || !m_lista ? 0 : m_lista->numLinhas();
}

int ModeloLista::columnCount(const QModelIndex& pai) const {
    return pai.isValid() || !m_lista ? 0 : m_lista->numColunas();
}

static Qt::Alignment alinhamentoQt(AlinhamentoColuna a) {
    switch (a) {
    case AlinhamentoColuna::Direita:
        return Qt::AlignRight | Qt::AlignVCenter;
    case AlinhamentoColuna::Centro:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case AlinhamentoColuna::Esquerda:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QVariant ModeloLista::data(const QModelIndex& i, int papel) const {
    if (!m_lista || !i.isValid())
        return {};
    const int l = i.row(), c = i.column();
    switch (papel) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return m_lista->texto(l, c);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alinhamentoQt(m_lista->colunas()[size_t(c)].alinhamento));
    case Qt::CheckStateRole:
        if (m_lista->comVistos() && c == 0)
            return m_lista->marcada(l) ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ForegroundRole:
        if (auto cor = m_lista->corTexto(l))
            return QBrush(QColor::fromRgb(*cor));
        return {};
    case Qt::BackgroundRole:
        if (auto cor = m_lista->corFundo(l))
            return QBrush(QColor::fromRgb(*cor));
        return {};
    case Qt::FontRole:
        if (m_lista->negrito(l)) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    default:
        return {};
    }
}

bool ModeloLista::setData(const QModelIndex& i, const QVariant& valor, int papel) {
    if (!m_lista || !i.isValid() || papel != Qt::CheckStateRole || i.column() != 0 || !m_lista->comVistos())
        return false;
    m_lista->setMarcada(i.row(), valor.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags ModeloLista::flags(const QModelIndex& i) const {
    if (!i.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (m_lista && m_lista->comVistos() && i.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant ModeloLista::headerData(int seccao, Qt::Orientation o, int papel) const {
    if (!m_lista || o != Qt::Horizontal || seccao < 0 || seccao >= m_lista->numColunas())
        return {};
    if (papel == Qt::DisplayRole)
        return m_lista->tituloColuna(seccao);
    if (papel == Qt::TextAlignmentRole)
        return QVariant::fromValue(alinhamentoQt(m_lista->colunas()[size_t(seccao)].alinhamento));
    return {};
}

// ---- ListaVista ----

ListaVista::ListaVista(QWidget* pai) : QTreeView(pai) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setAlternatingRowColors(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int c) {
        if (!m_lista)
            return;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_lista->OrdenaLista(c);
        QApplication::restoreOverrideCursor();
    });
    connect(header(), &QHeaderView::sectionResized, this, [this](int c, int, int novo) {
        if (m_lista && !m_aSincronizar && !isColumnHidden(c))
            m_lista->setLarguraTwips(c, pixeisParaTwips(novo));
    });
    connect(this, &QTreeView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid())
            emit linhaActivada(i.row());
    });
}

int ListaVista::twipsParaPixeis(int twips) const { return int((qint64(twips) * logicalDpiX() + 720) / 1440); }

int ListaVista::larguraVisivel(int coluna, int twips) const {
    // A caption wider than its column was cut ("Localizaçã"): the column grows to show it whole.
    const QString titulo = model() ? model()->headerData(coluna, Qt::Horizontal).toString() : QString();
    const int margens = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header()) +
                        style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, header()) / 2 + 4;
    return std::max(twipsParaPixeis(twips), header()->fontMetrics().horizontalAdvance(titulo) + margens);
}

int ListaVista::pixeisParaTwips(int pixeis) const {
    const int dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    return int((qint64(pixeis) * 1440 + dpi / 2) / dpi);
}

void ListaVista::setLista(ListaDados* lista) {
    for (const auto& c : m_ligacoes)
        disconnect(c);
    m_ligacoes.clear();
    m_lista = lista;
    auto* antigo = m_modelo;
    m_modelo = lista ? new ModeloLista(lista, this) : nullptr;
    setModel(m_modelo);
    delete antigo;
    if (!lista)
        return;
    ligarLista();
    aplicarLarguras();
    criarMenuRotinas();
}

void ListaVista::ligarLista() {
    m_ligacoes << connect(m_lista, &ListaDados::estruturaMudou, this, [this] {
        aplicarLarguras();
        criarMenuRotinas();
    });
    m_ligacoes << connect(m_lista, &ListaDados::larguraMudou, this, [this](int c) {
        if (m_aSincronizar)
            return;
        m_aSincronizar = true;
        const int w = m_lista->larguraTwips(c);
        setColumnHidden(c, w <= 0);
        if (w > 0) {
            m_larguraAplicada[c] = larguraVisivel(c, w);
            setColumnWidth(c, m_larguraAplicada[c]);
        }
        m_aSincronizar = false;
    });
    m_ligacoes << connect(m_lista, &ListaDados::linhaMudou, this, [this](int) { seleccaoDaLista(); });
    m_ligacoes << connect(m_lista, &ListaDados::linhasReordenadas, this, [this] { seleccaoDaLista(); });
    m_ligacoes << connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
                          [this] { seleccaoDaVista(); });
    m_ligacoes << connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                          [this](const QModelIndex& i) {
                              if (!m_aSincronizar)
                                  emit linhaActual(i.isValid() ? i.row() : -1);
                          });
    m_ligacoes << connect(m_modelo, &QAbstractItemModel::dataChanged, this,
                          [this](const QModelIndex& a, const QModelIndex&, const QList<int>& papeis) {
                              if (papeis.contains(Qt::CheckStateRole))
                                  emit marcaMudou(a.row(), m_lista->marcada(a.row()));
                          });
}

void ListaVista::aplicarLarguras() {
    if (!m_lista)
        return;
    m_aSincronizar = true;
    for (int c = 0; c < m_lista->numColunas(); ++c) {
        const int w = m_lista->larguraTwips(c);
        setColumnHidden(c, w <= 0);
        if (w > 0) {
            m_larguraAplicada[c] = larguraVisivel(c, w);
            setColumnWidth(c, m_larguraAplicada[c]);
        }
    }
    m_aSincronizar = false;
}

void ListaVista::recolherLarguras() {
    if (!m_lista)
        return;
    m_aSincronizar = true;
    // Only what the user resized: a column widened for its caption keeps its stated width.
    for (int c = 0; c < m_lista->numColunas(); ++c)
        if (!isColumnHidden(c) && columnWidth(c) != m_larguraAplicada.value(c, -1))
            m_lista->setLarguraTwips(c, pixeisParaTwips(columnWidth(c)));
    m_aSincronizar = false;
}

void ListaVista::seleccaoDaVista() {
    if (!m_lista || m_aSincronizar)
        return;
    m_aSincronizar = true;
    const QModelIndexList sel = selectionModel()->selectedRows();
    QSet<int> linhas;
    for (const auto& i : sel)
        linhas.insert(i.row());
    for (int l = 0; l < m_lista->numLinhas(); ++l)
        if (m_lista->seleccionada(l) != linhas.contains(l))
            m_lista->setSeleccionada(l, linhas.contains(l));
    const QModelIndex actual = currentIndex();
    if (actual.isValid() && linhas.contains(actual.row()))
        m_lista->setSeleccionada(actual.row(), true);
    m_aSincronizar = false;
}

void ListaVista::seleccaoDaLista() {
    if (!m_lista || m_aSincronizar || !m_modelo)
        return;
    m_aSincronizar = true;
    QItemSelection s;
    for (int l : m_lista->linhasSeleccionadas())
        s.select(m_modelo->index(l, 0), m_modelo->index(l, qMax(0, m_modelo->columnCount() - 1)));
    selectionModel()->select(s, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const int actual = m_lista->linhaSeleccionada();
    if (actual >= 0) {
        selectionModel()->setCurrentIndex(m_modelo->index(actual, 0), QItemSelectionModel::NoUpdate);
        scrollTo(m_modelo->index(actual, 0));
    }
    m_aSincronizar = false;
}

void ListaVista::criarMenuRotinas() {
    delete m_rotinas;
    m_rotinas = nullptr;
    if (!m_lista || !m_lista->comVistos())
        return;
    m_rotinas = new QMenu(QStringLiteral("Rotinas Internas"), this);
    m_rotinas->setObjectName(QStringLiteral("Rotinas"));
    auto* inverte = m_rotinas->addAction(QStringLiteral("Inverte Selecção"));
    inverte->setObjectName(QStringLiteral("InverteSelect"));
    connect(inverte, &QAction::triggered, this, [this] {
        if (m_lista)
            m_lista->lvw_LISTA_Inverte_Check();
    });
    m_rotinas->addSeparator();
    auto* liga = m_rotinas->addAction(QStringLiteral("Ligar Todos"));
    liga->setObjectName(QStringLiteral("Inverte_Select_Liga"));
    connect(liga, &QAction::triggered, this, [this] {
        if (m_lista)
            m_lista->marcarTodas(true);
    });
    auto* desliga = m_rotinas->addAction(QStringLiteral("Desligar Todos"));
    desliga->setObjectName(QStringLiteral("Inverte_Select_Desliga"));
    connect(desliga, &QAction::triggered, this, [this] {
        if (m_lista)
            m_lista->marcarTodas(false);
    });
}

void ListaVista::contextMenuEvent(QContextMenuEvent* e) {
    if (m_rotinas && m_lista && m_lista->numLinhas() > 0) {
        m_rotinas->popup(e->globalPos());
        e->accept();
        return;
    }
    QTreeView::contextMenuEvent(e);
}

void ListaVista::keyPressEvent(QKeyEvent* e) {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        emit linhaActivada(currentIndex().row());
        e->accept();
        return;
    }
    // Space ticks the current row, as on any check list.
    if (e->key() == Qt::Key_Space && m_lista && m_lista->comVistos() && currentIndex().isValid()) {
        const int l = currentIndex().row();
        m_lista->setMarcada(l, !m_lista->marcada(l));
        emit marcaMudou(l, m_lista->marcada(l));
        e->accept();
        return;
    }
    QTreeView::keyPressEvent(e);
}

// ---- per-user widths and the loading label ----

static QString nomeLista(const ListaVista& v) {
    return v.lista() && !v.lista()->nome().isEmpty() ? v.lista()->nome() : v.objectName();
}

void lvw_Lista_SaveSettings(ListaVista& lista, const QString& seccao) {
    if (!lista.lista())
        return;
    lista.recolherLarguras();
    const QString antigo = lista.lista()->nome();
    lista.lista()->setNome(nomeLista(lista));
    QSettings s; // the program sets organisation "LumoGest", application "WLumoProd"
    lista.lista()->guardarLarguras(s, seccao);
    lista.lista()->setNome(antigo);
}

void lvw_Lista_GetSettings(ListaVista& lista, const QString& seccao) {
    if (!lista.lista())
        return;
    const QString antigo = lista.lista()->nome();
    lista.lista()->setNome(nomeLista(lista));
    QSettings s; // the program sets organisation "LumoGest", application "WLumoProd"
    lista.lista()->reporLarguras(s, seccao);
    lista.lista()->setNome(antigo);
    lista.aplicarLarguras();
}

void lvw_RepoeTamanhoColunas(ListaVista& lista) {
    if (!lista.lista())
        return;
    lista.lista()->lvw_RepoeTamanhoColunas();
    lista.aplicarLarguras();
}

void lvw_Visivel(ListaVista& lista, bool visivel) {
    QWidget* pai = lista.parentWidget();
    const QString nome = QStringLiteral("lblBack_") + nomeLista(lista);
    QLabel* rotulo = pai ? pai->findChild<QLabel*>(nome, Qt::FindDirectChildrenOnly) : nullptr;
    if (!visivel) {
        if (!rotulo && pai) {
            rotulo = new QLabel(QStringLiteral("Carregando registos..."), pai);
            rotulo->setObjectName(nome);
            rotulo->setAlignment(Qt::AlignCenter);
            rotulo->setAutoFillBackground(true);
        }
        if (rotulo) {
            rotulo->setGeometry(lista.geometry());
            rotulo->raise();
            rotulo->show();
        }
        lista.hide();
        // Let the label paint before the caller starts the long load.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return;
    }
    if (rotulo)
        rotulo->hide();
    lista.show();
}

#include "session/ui/FrmAcessos.h"
#include "controls/ui/Teclado.h"
#include "controls/ui/CriarControlos.h"

#include "common/UserInteraction.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

const QString FrmAcessos::Titulo = QStringLiteral("Manutenção de Acessos por Utilizador");

namespace {
constexpr int PapelIndice = Qt::UserRole;
constexpr int PapelCodigo = Qt::UserRole + 1;
} // namespace

FrmAcessos::FrmAcessos(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_logica(ctx, ui), m_ui(ui) {
    setObjectName(QStringLiteral("frmAcessos"));
    setWindowTitle(Titulo);

    lvwUtilizadores = new QTreeWidget(this);
    lvwUtilizadores->setObjectName(QStringLiteral("lvwUtilizadores"));
    lvwUtilizadores->setHeaderLabels({QStringLiteral("Código"), QStringLiteral("Utilizador")});
    lvwUtilizadores->setRootIsDecorated(false);
    lvwUtilizadores->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setContextMenuPolicy(Qt::CustomContextMenu);

    auto* divisor = new QSplitter(this);
    divisor->addWidget(lvwUtilizadores);
    divisor->addWidget(TreeView1);
    divisor->setStretchFactor(1, 2);

    auto botao = [this](const char* nome, const QString& texto) { return criarBotao(this, nome, texto); };
    cmdGravar = botao("cmdGravar", QStringLiteral("&Gravar"));
    cmdRecarregar = botao("cmdRecarregar", QStringLiteral("&Recarregar"));
    cmdProcurar = botao("cmdProcurar", QStringLiteral("&Procurar Item"));
    cmdCancelar = botao("cmdCancelar", QStringLiteral("&Cancelar"));
    auto* linhaBotoes = new QHBoxLayout;
    linhaBotoes->addWidget(cmdProcurar);
    linhaBotoes->addStretch();
    linhaBotoes->addWidget(cmdRecarregar);
    linhaBotoes->addWidget(cmdGravar);
    linhaBotoes->addWidget(cmdCancelar);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(divisor);
    layout->addLayout(linhaBotoes);

    mnuArvore = new QMenu(this);
    mnuArvore->setObjectName(QStringLiteral("mnuArvore"));
    auto accao = [this](const char* nome, const QString& texto, auto&& f) {
        QAction* a = mnuArvore->addAction(texto);
        a->setObjectName(QLatin1String(nome));
        connect(a, &QAction::triggered, this, f);
    };
    accao("mnuLigarItem", QStringLiteral("Ligar/Desligar Item e SubItems"), [this] {
        m_logica.alternarRamo(indiceAtual());
        actualizarChecks();
    });
    accao("mnuLigarTodos", QStringLiteral("Ligar/Desligar Todos os Items"), [this] {
        m_logica.alternarTodos();
        actualizarChecks();
    });
    accao("mnuExpandir", QStringLiteral("Expandir Todos os Items"), [this] { TreeView1->expandAll(); });
    accao("mnuFecharItems", QStringLiteral("Fechar Todos os items Expandidos"),
          [this] { TreeView1->collapseAll(); });
    connect(TreeView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { mnuArvore->popup(TreeView1->viewport()->mapToGlobal(p)); });

    connect(TreeView1, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) {
        if (!m_aPreencher)
            m_logica.ligar(item->data(0, PapelIndice).toInt(), item->checkState(0) == Qt::Checked);
    });
    connect(lvwUtilizadores, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            Utilizador(item->data(0, PapelCodigo).toString());
    });
    connect(cmdGravar, &QPushButton::clicked, this, [this] {
        if (!m_logica.gravar())
            m_ui.mensagem(QStringLiteral("Não foi possível gravar os acessos do utilizador."),
                          UserInteraction::Icone::Critico);
    });
    connect(cmdRecarregar, &QPushButton::clicked, this, [this] {
        if (m_logica.recarregar())
            carregarArvore();
    });
    connect(cmdProcurar, &QPushButton::clicked, this, &FrmAcessos::procurar);
    connect(cmdCancelar, &QPushButton::clicked, this, &FrmAcessos::fechar);

    resize(720, 480);
    carregarUtilizadores();
    PrepararTeclado(this);
}

void FrmAcessos::carregarUtilizadores() {
    QSignalBlocker bloqueio(lvwUtilizadores);
    lvwUtilizadores->clear();
    for (const auto& u : m_logica.utilizadores()) {
        auto* item = new QTreeWidgetItem(lvwUtilizadores, {u.codigo, u.login});
        item->setData(0, PapelCodigo, u.codigo);
    }
}

void FrmAcessos::Utilizador(const QString& codigo) {
    for (int i = 0; i < lvwUtilizadores->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = lvwUtilizadores->topLevelItem(i);
        if (item->data(0, PapelCodigo).toString() == codigo && lvwUtilizadores->currentItem() != item) {
            QSignalBlocker bloqueio(lvwUtilizadores);
            lvwUtilizadores->setCurrentItem(item);
        }
    }
    m_logica.Utilizador(codigo);
    carregarArvore();
}

void FrmAcessos::carregarArvore() {
    m_aPreencher = true;
    TreeView1->clear();
    m_itens.clear();
    const auto& nos = m_logica.nos();
    // Every item first, then each under its parent, so the order of the rows does not matter.
    for (int i = 0; i < int(nos.size()); ++i) {
        auto* item = new QTreeWidgetItem({nos[i].texto});
        item->setData(0, PapelIndice, i);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, nos[i].ligado ? Qt::Checked : Qt::Unchecked);
        m_itens.push_back(item);
    }
    for (int i = 0; i < int(nos.size()); ++i) {
        const int p = m_logica.pai(i);
        if (p >= 0 && p != i)
            m_itens[p]->addChild(m_itens[i]);
        else
            TreeView1->addTopLevelItem(m_itens[i]);
    }
    TreeView1->expandToDepth(0);
    m_aPreencher = false;
}

void FrmAcessos::actualizarChecks() {
    m_aPreencher = true;
    const auto& nos = m_logica.nos();
    for (int i = 0; i < int(m_itens.size()) && i < int(nos.size()); ++i)
        m_itens[i]->setCheckState(0, nos[i].ligado ? Qt::Checked : Qt::Unchecked);
    m_aPreencher = false;
}

int FrmAcessos::indiceAtual() const {
    const QTreeWidgetItem* item = TreeView1->currentItem();
    return item ? item->data(0, PapelIndice).toInt() : -1;
}

void FrmAcessos::procurar() {
    const auto texto = m_ui.pedirTexto(QStringLiteral("Texto a procurar:"), QStringLiteral("Procurar Item"),
                                       m_ultimaProcura);
    if (!texto || texto->trimmed().isEmpty())
        return;
    m_ultimaProcura = *texto;
    int i = m_logica.procurar(*texto, indiceAtual());
    if (i < 0)
        i = m_logica.procurar(*texto); // from the top again
    if (i < 0) {
        m_ui.mensagem(QStringLiteral("Item não encontrado."), UserInteraction::Icone::Informacao);
        return;
    }
    TreeView1->setCurrentItem(m_itens[i]);
    TreeView1->scrollToItem(m_itens[i]);
}

void FrmAcessos::fechar() {
    // Inside the menu the window lives in a sub-window, which is what must close.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

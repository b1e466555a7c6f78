#include "shell/ui/FrmSelEmpresa.h"

#include "shell/ui/FrmSelEmpresaLista.h"
#include "shell/ui/FrmSelEmpresaPesquisar.h"
#include "shell/ui/FrmSelEmpresasValidacao.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString ChaveLista = QStringLiteral("frmSelEmpresa/lvwEmpresas");

// Read-only and offline companies: year in red, name in blue.
const QColor CorAno(255, 0, 0);
const QColor CorNome(0, 0, 255);

class CursorEspera {
public:
    CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorEspera() { QApplication::restoreOverrideCursor(); }
};
} // namespace

FrmSelEmpresa::FrmSelEmpresa(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : FrmSelEmpresa(ctx, ui, Locais{}, pai) {}

FrmSelEmpresa::FrmSelEmpresa(GlobalContext& ctx, UserInteraction& ui, const Locais& locais, QWidget* pai)
    : QDialog(pai), m_ui(ui), m_locais(locais), m_servidores(locais.ficheiroDefinicoes, locais.ficheiroChave),
      m_sel(ctx, ui, m_servidores, locais.ficheiroDefinicoes) {
    m_sel.definirVerificacaoImpressao(&FrmSelEmpresa::impressaoDisponivel);
    m_sel.definirFicheiroChave(locais.ficheiroChave);
    construir();
    {
        CursorEspera espera;
        m_sel.Form_Load();
    }
    mostrarFiltros();
    preencherLista();
}

FrmSelEmpresa::~FrmSelEmpresa() = default;

bool FrmSelEmpresa::impressaoDisponivel() {
    QPrinter p(QPrinter::HighResolution);
    p.setOutputFormat(QPrinter::PdfFormat);
    return p.isValid();
}

void FrmSelEmpresa::construir() {
    setObjectName(QStringLiteral("frmSelEmpresa"));
    setWindowTitle(QStringLiteral("Selecção de Empresa"));

    auto* barra = new QMenuBar(this);
    auto* mnuConfig = barra->addMenu(QStringLiteral("&Configuração"));
    auto* mnuConfigServer = mnuConfig->addAction(QStringLiteral("&Servidores..."));
    mnuConfigServer->setObjectName(QStringLiteral("mnuConfigServer"));
    auto* mnuComponentes = mnuConfig->addAction(QStringLiteral("&Verificar Componentes"));
    mnuComponentes->setObjectName(QStringLiteral("mnuVerificaComponentes"));
    connect(mnuConfigServer, &QAction::triggered, this, &FrmSelEmpresa::mnuConfigServer_Click);
    connect(mnuComponentes, &QAction::triggered, this, [this] { m_sel.VerificaComponentes(true); });

    txtAno = new QLineEdit(this);
    txtAno->setObjectName(QStringLiteral("txtAno"));
    txtAno->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,4}")), txtAno));
    txtAno->setMaximumWidth(txtAno->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    txtPescaNomeEmpresa = new QLineEdit(this);
    txtPescaNomeEmpresa->setObjectName(QStringLiteral("txtPescaNomeEmpresa"));
    txtPescaNomeEmpresa->setClearButtonEnabled(true);
    cmdFiltrar = new QPushButton(QStringLiteral("&Filtrar"), this);
    cmdFiltrar->setObjectName(QStringLiteral("cmdFiltrar"));
    cmdFiltrar->setAutoDefault(false);
    cmdPesquisar = new QPushButton(QStringLiteral("&Pesquisar..."), this);
    cmdPesquisar->setObjectName(QStringLiteral("cmdPesquisar"));
    cmdPesquisar->setAutoDefault(false);
    auto* lblAno = new QLabel(QStringLiteral("&Ano:"), this);
    lblAno->setBuddy(txtAno);
    auto* lblNome = new QLabel(QStringLiteral("&Empresa:"), this);
    lblNome->setBuddy(txtPescaNomeEmpresa);
    auto* filtros = new QHBoxLayout;
    filtros->addWidget(lblAno);
    filtros->addWidget(txtAno);
    filtros->addSpacing(8);
    filtros->addWidget(lblNome);
    filtros->addWidget(txtPescaNomeEmpresa, 1);
    filtros->addWidget(cmdFiltrar);
    filtros->addWidget(cmdPesquisar);

    lvwEmpresas = new QTreeWidget(this);
    lvwEmpresas->setObjectName(QStringLiteral("lvwEmpresas"));
    configurarListaEmpresas(lvwEmpresas, SelEmpresa::DescricaoColunas, ChaveLista,
                            m_locais.ficheiroDefinicoes);
    lvwEmpresas->header()->setSectionsClickable(true);
    lvwEmpresas->header()->setSortIndicatorShown(true);
    lvwEmpresas->header()->setStretchLastSection(true);
    lvwEmpresas->installEventFilter(this);

    lblStatuss = new QLabel(this);
    lblStatuss->setObjectName(QStringLiteral("lblStatuss"));
    lblStatuss->setWordWrap(true);
    lblVersao = new QLabel(m_sel.lblVersao(), this);
    lblVersao->setObjectName(QStringLiteral("lblVersao"));

    cmdOk = new QPushButton(QStringLiteral("&OK"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(lblVersao, 1);
    botoes->addWidget(cmdOk);
    botoes->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(barra);
    layout->addLayout(filtros);
    layout->addWidget(lvwEmpresas, 1);
    layout->addWidget(lblStatuss);
    layout->addLayout(botoes);
    resize(640, 420);

    connect(cmdOk, &QPushButton::clicked, this, &FrmSelEmpresa::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdFiltrar, &QPushButton::clicked, this, &FrmSelEmpresa::cmdFiltrar_Click);
    connect(cmdPesquisar, &QPushButton::clicked, this, &FrmSelEmpresa::cmdPesquisar_Click);
    // Enter in the list reaches the dialog's default button; a double click chooses as well.
    connect(lvwEmpresas, &QTreeWidget::itemDoubleClicked, this, &FrmSelEmpresa::cmdOk_Click);
    connect(lvwEmpresas->header(), &QHeaderView::sectionClicked, this, [this](int coluna) {
        m_sel.ordenarPor(coluna);
        preencherLista();
    });
    auto filtrar = [this] {
        m_sel.definirFiltros(txtAno->text(), txtPescaNomeEmpresa->text());
        preencherLista();
    };
    connect(txtAno, &QLineEdit::textEdited, this, filtrar);
    connect(txtPescaNomeEmpresa, &QLineEdit::textEdited, this, filtrar);
    connect(txtPescaNomeEmpresa, &QLineEdit::textChanged, this, [filtrar](const QString& t) {
        if (t.isEmpty()) // the clear button does not count as an edit
            filtrar();
    });
}

void FrmSelEmpresa::mostrarFiltros() {
    txtAno->setText(m_sel.filtroAno());
    txtPescaNomeEmpresa->setText(m_sel.filtroNome());
}

void FrmSelEmpresa::preencherLista() {
    const std::vector<ColunaLayout> colunas = interpretarLayout(SelEmpresa::DescricaoColunas);
    lvwEmpresas->clear();
    const QList<LinhaEmpresa>& linhas = m_sel.linhas();
    for (int i = 0; i < linhas.size(); ++i) {
        const LinhaEmpresa& e = linhas.at(i);
        QStringList textos;
        for (int c = 0; c < SelEmpresa::NumColunas; ++c)
            textos << e.texto(c);
        QTreeWidgetItem* item = novaLinhaLista(lvwEmpresas, colunas, textos);
        item->setData(0, Qt::UserRole, i);
        if (e.destacada()) {
            item->setForeground(SelEmpresa::ColAno, CorAno);
            item->setForeground(SelEmpresa::ColNome, CorNome);
        }
    }
    lvwEmpresas->header()->setSortIndicator(
        m_sel.colunaOrdem(), m_sel.ordemDescendente() ? Qt::DescendingOrder : Qt::AscendingOrder);
    if (lvwEmpresas->topLevelItemCount() > 0)
        lvwEmpresas->setCurrentItem(lvwEmpresas->topLevelItem(0));
    lblStatuss->setText(m_sel.estado());
}

void FrmSelEmpresa::cmdOk_Click() {
    QTreeWidgetItem* item = lvwEmpresas->currentItem();
    if (!item)
        return;
    bool aberta = false;
    {
        CursorEspera espera;
        lblStatuss->setText(QStringLiteral("A abrir a empresa %1...").arg(item->text(SelEmpresa::ColCodigo)));
        aberta = m_sel.cmdOk(item->data(0, Qt::UserRole).toInt());
    }
    if (aberta)
        accept();
    else
        lblStatuss->setText(m_sel.estado());
}

void FrmSelEmpresa::cmdFiltrar_Click() {
    {
        CursorEspera espera;
        m_sel.definirFiltros(txtAno->text(), txtPescaNomeEmpresa->text());
        m_sel.cmdFiltrar();
    }
    preencherLista();
}

void FrmSelEmpresa::cmdPesquisar_Click() {
    FrmSelEmpresaPesquisar pesquisa(m_sel.todas(), m_locais.ficheiroDefinicoes, this);
    if (pesquisa.exec() != QDialog::Accepted || !pesquisa.escolhida())
        return;
    const int linha = m_sel.mostrar(*pesquisa.escolhida());
    mostrarFiltros();
    preencherLista();
    for (int i = 0; i < lvwEmpresas->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = lvwEmpresas->topLevelItem(i);
        if (item->data(0, Qt::UserRole).toInt() == linha)
            lvwEmpresas->setCurrentItem(item);
    }
    lvwEmpresas->setFocus();
}

void FrmSelEmpresa::mnuConfigServer_Click() {
    FrmSelEmpresasValidacao janela(m_servidores, m_ui, m_locais.ficheiroDefinicoes, this);
    janela.exec();
    // The list of servers may have changed.
    cmdFiltrar_Click();
}

bool FrmSelEmpresa::eventFilter(QObject* objecto, QEvent* evento) {
    if (objecto == lvwEmpresas && evento->type() == QEvent::KeyPress) {
        // Typing in the list goes to the name filter.
        auto* tecla = static_cast<QKeyEvent*>(evento);
        const QString texto = tecla->text();
        const bool controlo = tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (!controlo && !texto.isEmpty() && texto.at(0).isPrint()) {
            txtPescaNomeEmpresa->setFocus();
            txtPescaNomeEmpresa->insert(texto);
            m_sel.definirFiltros(txtAno->text(), txtPescaNomeEmpresa->text());
            preencherLista();
            return true;
        }
    }
    return QDialog::eventFilter(objecto, evento);
}

void FrmSelEmpresa::done(int resultado) {
    m_sel.definirFiltros(txtAno->text(), txtPescaNomeEmpresa->text());
    m_sel.Form_Unload();
    guardarLargurasLista(lvwEmpresas, ChaveLista, m_locais.ficheiroDefinicoes);
    QDialog::done(resultado);
}

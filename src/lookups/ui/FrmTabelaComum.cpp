#include "lookups/ui/FrmTabelaComum.h"
#include "controls/ui/Teclado.h"
#include "controls/ui/CriarControlos.h"

#include "lookups/ListaDados.h"
#include "lookups/ui/ListaVista.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

FrmTabelaComum::FrmTabelaComum(GlobalContext& ctx, UserInteraction& ui, const QString& tabela,
                               const QString& titulo, QWidget* pai)
    : QWidget(pai), m_logica(ctx, ui, tabela, titulo) {
    setObjectName(QStringLiteral("frmTabelaComum"));
    setWindowTitle(titulo);

    lvwLista = new ListaVista(this);
    lvwLista->setObjectName(QStringLiteral("lvwLista"));
    lvwLista->setLista(&m_logica.lvwLista());

    lblModo = new QLabel(this);
    lblModo->setObjectName(QStringLiteral("lblModo"));
    lblModo->setVisible(false);

    // Browse page: the list with its buttons; edit page: code and description.
    m_separadores = new QStackedWidget(this);
    auto* consulta = new QWidget(m_separadores);
    auto* botoes = new QHBoxLayout(consulta);
    cmdAdicionar = criarBotaoSemEnter(consulta, "cmdAdicionar", QStringLiteral("&Adicionar"));
    cmdAlterar = criarBotaoSemEnter(consulta, "cmdAlterar", QStringLiteral("A&lterar"));
    cmdEliminar = criarBotaoSemEnter(consulta, "cmdEliminar", QStringLiteral("&Eliminar"));
    cmdPesquisar = criarBotaoSemEnter(consulta, "cmdPesquisar", QStringLiteral("&Pesquisar"));
    cmdRefresh = criarBotaoSemEnter(consulta, "cmdRefresh", QStringLiteral("&Refresh"));
    cmdFechar = criarBotaoSemEnter(consulta, "cmdFechar", QStringLiteral("&Fechar"));
    for (QPushButton* b : {cmdAdicionar, cmdAlterar, cmdEliminar, cmdPesquisar, cmdRefresh})
        botoes->addWidget(b);
    botoes->addStretch(1);
    botoes->addWidget(cmdFechar);

    auto* edicao = new QWidget(m_separadores);
    auto* form = new QFormLayout;
    txtCodigo = new QLineEdit(edicao);
    txtCodigo->setObjectName(QStringLiteral("txtCodigo"));
    txtDescricao = new QLineEdit(edicao);
    txtDescricao->setObjectName(QStringLiteral("txtDescricao"));
    form->addRow(QStringLiteral("Código"), txtCodigo);
    form->addRow(QStringLiteral("Descrição"), txtDescricao);
    cmdGravar = criarBotaoSemEnter(edicao, "cmdGravar", QStringLiteral("&Gravar"));
    cmdCancelar = criarBotaoSemEnter(edicao, "cmdCancelar", QStringLiteral("&Cancelar"));
    auto* botoesEdicao = new QHBoxLayout;
    botoesEdicao->addStretch(1);
    botoesEdicao->addWidget(cmdGravar);
    botoesEdicao->addWidget(cmdCancelar);
    auto* layoutEdicao = new QVBoxLayout(edicao);
    layoutEdicao->addLayout(form);
    layoutEdicao->addLayout(botoesEdicao);
    m_separadores->addWidget(consulta);
    m_separadores->addWidget(edicao);

    fraEliminar = new QFrame(this);
    fraEliminar->setObjectName(QStringLiteral("fraEliminar"));
    fraEliminar->setFrameShape(QFrame::StyledPanel);
    auto* le = new QHBoxLayout(fraEliminar);
    le->addWidget(new QLabel(QStringLiteral("Tem a certeza que quer eliminar ?"), fraEliminar));
    cmdSim = criarBotaoSemEnter(fraEliminar, "cmdSim", QStringLiteral("&Sim"));
    cmdNao = criarBotaoSemEnter(fraEliminar, "cmdNao", QStringLiteral("&Não"));
    le->addWidget(cmdNao);
    le->addWidget(cmdSim);

    fraPesquisa = new QFrame(this);
    fraPesquisa->setObjectName(QStringLiteral("fraPesquisa"));
    fraPesquisa->setFrameShape(QFrame::StyledPanel);
    auto* lp = new QHBoxLayout(fraPesquisa);
    optCodigo = new QRadioButton(QStringLiteral("&1 Código"), fraPesquisa);
    optCodigo->setObjectName(QStringLiteral("optCodigo"));
    optDescricao = new QRadioButton(QStringLiteral("&2 Descrição"), fraPesquisa);
    optDescricao->setObjectName(QStringLiteral("optDescricao"));
    optDescricao->setChecked(true);
    txtChave = new QLineEdit(fraPesquisa);
    txtChave->setObjectName(QStringLiteral("txtChave"));
    cmdProcurar = criarBotaoSemEnter(fraPesquisa, "cmdProcurar", QStringLiteral("&Procurar"));
    lp->addWidget(optCodigo);
    lp->addWidget(optDescricao);
    lp->addWidget(txtChave, 1);
    lp->addWidget(cmdProcurar);
    fraPesquisa->setVisible(false);

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(fraPesquisa);
    principal->addWidget(lvwLista, 1);
    principal->addWidget(fraEliminar);
    principal->addWidget(m_separadores);
    resize(640, 460);

    connect(cmdAdicionar, &QPushButton::clicked, this, [this] {
        m_logica.cmdAdicionar_Click();
        mostrar();
    });
    connect(cmdAlterar, &QPushButton::clicked, this, [this] {
        m_logica.cmdAlterar_Click();
        mostrar();
    });
    connect(cmdEliminar, &QPushButton::clicked, this, [this] {
        m_logica.cmdEliminar_Click();
        mostrar();
    });
    connect(cmdRefresh, &QPushButton::clicked, this, [this] {
        m_logica.cmdRefresh_Click();
        mostrar();
    });
    connect(cmdFechar, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdGravar, &QPushButton::clicked, this, [this] {
        recolher();
        m_logica.cmdGravar_Click();
        mostrar();
    });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] {
        m_logica.cmdCancelar_Click();
        mostrar();
    });
    connect(cmdSim, &QPushButton::clicked, this, [this] {
        m_logica.cmdSim_Click();
        mostrar();
    });
    connect(cmdNao, &QPushButton::clicked, this, [this] {
        m_logica.cmdNao_Click();
        mostrar();
    });
    connect(cmdPesquisar, &QPushButton::clicked, this, [this] {
        fraPesquisa->setVisible(true);
        txtChave->setFocus();
        txtChave->selectAll();
    });
    auto procurar = [this] {
        m_logica.cmdProcurar_Click(optCodigo->isChecked() ? 1 : 2, txtChave->text());
        fraPesquisa->setVisible(false);
        mostrar();
    };
    connect(cmdProcurar, &QPushButton::clicked, this, procurar);
    connect(txtChave, &QLineEdit::returnPressed, this, procurar);
    connect(lvwLista, &ListaVista::linhaActivada, this, [this](int) {
        if (m_logica.modo() == TabelaComum::Modo::Consulta && cmdAlterar->isEnabled()) {
            m_logica.cmdAlterar_Click();
            mostrar();
        }
    });
    txtCodigo->installEventFilter(this);
    for (QPushButton* b : {cmdAdicionar, cmdAlterar, cmdEliminar, cmdGravar})
        b->installEventFilter(this);

    m_logica.Form_Load();
    lvw_Lista_GetSettings(*lvwLista, objectName());
    if (m_logica.lvwLista().numLinhas() > 0)
        m_logica.lvwLista().lvw_SelectLinha(0);
    mostrar();
    PrepararTeclado(this);
}

void FrmTabelaComum::activar(QPushButton* b, bool sim) {
    b->setEnabled(sim && !m_negados.contains(b));
}

void FrmTabelaComum::mostrar() {
    m_aMostrar = true;
    const bool edicao = m_logica.emEdicao();
    const bool eliminar = m_logica.painelEliminar();
    const bool linhas = m_logica.lvwLista().numLinhas() > 0;
    m_separadores->setCurrentIndex(edicao ? 1 : 0);
    lblModo->setText(m_logica.lblModo());
    activar(cmdAdicionar, !edicao && !eliminar && m_logica.valida());
    activar(cmdAlterar, !edicao && !eliminar && linhas);
    activar(cmdEliminar, !edicao && !eliminar && linhas);
    cmdPesquisar->setEnabled(!edicao && !eliminar);
    cmdRefresh->setEnabled(!edicao && !eliminar);
    activar(cmdGravar, edicao);
    cmdCancelar->setEnabled(edicao);
    lvwLista->setEnabled(!edicao);
    fraEliminar->setVisible(eliminar);
    txtCodigo->setText(m_logica.txtCodigo);
    txtCodigo->setReadOnly(!m_logica.codigoEditavel());
    txtDescricao->setText(m_logica.txtDescricao);
    lvwLista->aplicarLarguras();
    m_aMostrar = false;

    switch (m_logica.focoPedido()) {
    case TabelaComum::Foco::Codigo:
        txtCodigo->setFocus();
        txtCodigo->selectAll();
        break;
    case TabelaComum::Foco::Descricao:
        txtDescricao->setFocus();
        break;
    case TabelaComum::Foco::Lista:
        lvwLista->setFocus();
        break;
    case TabelaComum::Foco::Nenhum:
        break;
    }
}

void FrmTabelaComum::recolher() {
    m_logica.txtCodigo = txtCodigo->text();
    m_logica.txtDescricao = txtDescricao->text();
}

bool FrmTabelaComum::eventFilter(QObject* o, QEvent* e) {
    if (o == txtCodigo && e->type() == QEvent::FocusOut && m_logica.modo() == TabelaComum::Modo::Novo &&
        !m_aMostrar) {
        // Cancelling must not first be stopped by the check of the code being left.
        if (focusWidget() != cmdCancelar) {
            recolher();
            m_logica.txtCodigo_LostFocus();
            mostrar();
        }
    } else if (e->type() == QEvent::EnabledChange && !m_aMostrar) {
        // Turned off from outside (access rights): keep it off whatever the state.
        auto* b = static_cast<QPushButton*>(o);
        if (!b->isEnabled())
            m_negados.insert(b);
    }
    return QWidget::eventFilter(o, e);
}

void FrmTabelaComum::closeEvent(QCloseEvent* e) {
    lvw_Lista_SaveSettings(*lvwLista, objectName());
    e->accept();
}

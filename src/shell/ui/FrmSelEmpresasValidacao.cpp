#include "shell/ui/FrmSelEmpresasValidacao.h"
#include "controls/ui/CriarControlos.h"

#include "shell/ui/FrmSelEmpresaLista.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString ChaveLista = QStringLiteral("frmSelEmpresas_Validacao/lvwServidores");
}

FrmSelEmpresasValidacao::FrmSelEmpresasValidacao(ServidoresConhecidos& servidores, UserInteraction& ui,
                                                 const QString& ficheiroDefinicoes, QWidget* pai)
    : QDialog(pai), m_logica(servidores, ui), m_ficheiroDefinicoes(ficheiroDefinicoes) {
    construir();
    preencherLista();
    daLogica();
}

void FrmSelEmpresasValidacao::construir() {
    setObjectName(QStringLiteral("frmSelEmpresas_Validacao"));
    setWindowTitle(QStringLiteral("Servidores de Bases de Dados"));

    lblPastaLocal = new QLabel(QStringLiteral("Pasta de dados local: ") + m_logica.pastaLocal(), this);
    lblPastaLocal->setObjectName(QStringLiteral("lblPastaLocal"));
    lblPastaLocal->setWordWrap(true);
    lblPastaLocal->setTextInteractionFlags(Qt::TextSelectableByMouse);

    lvwServidores = new QTreeWidget(this);
    lvwServidores->setObjectName(QStringLiteral("lvwServidores"));
    configurarListaEmpresas(lvwServidores, SelEmpresasValidacao::DescricaoColunas, ChaveLista,
                            m_ficheiroDefinicoes);

    txtServidor = new QLineEdit(this);
    txtServidor->setObjectName(QStringLiteral("txtServidor"));
    txtServidor->setPlaceholderText(QStringLiteral("servidor ou servidor:porta"));
    txtLogin = new QLineEdit(this);
    txtLogin->setObjectName(QStringLiteral("txtLogin"));
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    optAutenticaSQL = new QRadioButton(QStringLiteral("Autenticação &SQL (login e password)"), this);
    optAutenticaSQL->setObjectName(QStringLiteral("optAutenticaSQL"));
    optAutenticaWindows = new QRadioButton(QStringLiteral("Utilizador do sis&tema (WIN)"), this);
    optAutenticaWindows->setObjectName(QStringLiteral("optAutenticaWindows"));
    auto* autenticacao = new QHBoxLayout;
    autenticacao->addWidget(optAutenticaSQL);
    autenticacao->addWidget(optAutenticaWindows);
    autenticacao->addStretch(1);
    auto* campos = new QFormLayout;
    campos->addRow(QStringLiteral("Ser&vidor:"), txtServidor);
    campos->addRow(QStringLiteral("Autenticação:"), autenticacao);
    campos->addRow(QStringLiteral("&Login:"), txtLogin);
    campos->addRow(QStringLiteral("Pass&word:"), txtPassword);

    auto botao = [this](const QString& texto, const char* nome) { return criarBotaoSemEnter(this, nome, texto); };
    cmdAdicionar = botao(QStringLiteral("&Adicionar"), "cmdAdicionar");
    cmdAlterar = botao(QStringLiteral("A&lterar"), "cmdAlterar");
    cmdEliminar = botao(QStringLiteral("&Eliminar"), "cmdEliminar");
    cmdGravar = botao(QStringLiteral("&Gravar"), "cmdGravar");
    cmdCancelar = botao(QStringLiteral("&Cancelar"), "cmdCancelar");
    cmdFechar = botao(QStringLiteral("&Fechar"), "cmdFechar");
    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {cmdAdicionar, cmdAlterar, cmdEliminar})
        botoes->addWidget(b);
    botoes->addStretch(1);
    for (QPushButton* b : {cmdGravar, cmdCancelar, cmdFechar})
        botoes->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPastaLocal);
    layout->addWidget(lvwServidores, 1);
    layout->addLayout(campos);
    layout->addLayout(botoes);
    resize(560, 380);

    connect(optAutenticaSQL, &QRadioButton::toggled, this, [this](bool sql) {
        txtLogin->setEnabled(sql && m_logica.emEdicao());
        txtPassword->setEnabled(sql && m_logica.emEdicao());
    });
    connect(cmdAdicionar, &QPushButton::clicked, this, [this] {
        m_logica.cmdAdicionar();
        daLogica();
    });
    connect(cmdAlterar, &QPushButton::clicked, this, [this] {
        m_logica.cmdAlterar(linhaActual());
        daLogica();
    });
    connect(lvwServidores, &QTreeWidget::itemDoubleClicked, cmdAlterar, &QPushButton::click);
    connect(cmdGravar, &QPushButton::clicked, this, [this] {
        const DadosServidor d{txtServidor->text(), txtLogin->text(), txtPassword->text(),
                              optAutenticaSQL->isChecked()};
        if (m_logica.cmdGravar(d)) {
            preencherLista();
            daLogica();
        }
    });
    connect(cmdEliminar, &QPushButton::clicked, this, [this] {
        if (m_logica.cmdEliminar(linhaActual()))
            preencherLista();
        daLogica();
    });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] {
        m_logica.cmdCancelar();
        daLogica();
    });
    connect(cmdFechar, &QPushButton::clicked, this, &QDialog::accept);
}

int FrmSelEmpresasValidacao::linhaActual() const {
    QTreeWidgetItem* item = lvwServidores->currentItem();
    return item ? lvwServidores->indexOfTopLevelItem(item) : -1;
}

void FrmSelEmpresasValidacao::preencherLista() {
    const std::vector<ColunaLayout> colunas = interpretarLayout(SelEmpresasValidacao::DescricaoColunas);
    lvwServidores->clear();
    for (const ServidorConhecido& s : m_logica.linhas()) {
        QStringList textos;
        for (int c = 0; c < int(colunas.size()); ++c)
            textos << SelEmpresasValidacao::texto(s, c);
        novaLinhaLista(lvwServidores, colunas, textos);
    }
    if (lvwServidores->topLevelItemCount() > 0)
        lvwServidores->setCurrentItem(lvwServidores->topLevelItem(0));
}

void FrmSelEmpresasValidacao::daLogica() {
    const bool edicao = m_logica.emEdicao();
    const DadosServidor& d = m_logica.campos();
    txtServidor->setText(d.servidor);
    txtLogin->setText(d.login);
    txtPassword->clear();
    txtPassword->setPlaceholderText(m_logica.modo() == QStringLiteral("A") ? QStringLiteral("(inalterada)")
                                                                           : QString());
    (d.autenticacaoSQL ? optAutenticaSQL : optAutenticaWindows)->setChecked(true);
    for (QWidget* w : {static_cast<QWidget*>(txtServidor), static_cast<QWidget*>(optAutenticaSQL),
                       static_cast<QWidget*>(optAutenticaWindows)})
        w->setEnabled(edicao);
    txtLogin->setEnabled(edicao && d.autenticacaoSQL);
    txtPassword->setEnabled(edicao && d.autenticacaoSQL);
    cmdGravar->setEnabled(edicao);
    cmdCancelar->setEnabled(edicao);
    cmdGravar->setDefault(edicao);
    lvwServidores->setEnabled(!edicao);
    const bool temLinhas = lvwServidores->topLevelItemCount() > 0;
    cmdAdicionar->setEnabled(!edicao);
    cmdAlterar->setEnabled(!edicao && temLinhas);
    cmdEliminar->setEnabled(!edicao && temLinhas);
    cmdFechar->setEnabled(!edicao);
    cmdFechar->setDefault(!edicao);
    if (edicao)
        txtServidor->setFocus();
    else
        lvwServidores->setFocus();
}

void FrmSelEmpresasValidacao::reject() {
    if (m_logica.emEdicao()) {
        m_logica.cmdCancelar();
        daLogica();
        return;
    }
    QDialog::reject();
}

void FrmSelEmpresasValidacao::done(int resultado) {
    guardarLargurasLista(lvwServidores, ChaveLista, m_ficheiroDefinicoes);
    QDialog::done(resultado);
}

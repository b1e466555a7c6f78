#include "shell/ui/FrmSelEmpresaPesquisar.h"

#include "shell/ui/FrmSelEmpresaLista.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString ChaveLista = QStringLiteral("frmSelEmpresaPesquisar/lvwEmpresas");
}

FrmSelEmpresaPesquisar::FrmSelEmpresaPesquisar(const QList<LinhaEmpresa>& todas,
                                               const QString& ficheiroDefinicoes, QWidget* pai)
    : QDialog(pai), m_logica(todas), m_ficheiroDefinicoes(ficheiroDefinicoes) {
    setObjectName(QStringLiteral("frmSelEmpresaPesquisar"));
    setWindowTitle(QStringLiteral("Pesquisar Empresa"));

    txtPesquisa = new QLineEdit(this);
    txtPesquisa->setObjectName(QStringLiteral("txtPesquisa"));
    txtPesquisa->setPlaceholderText(QStringLiteral("código, nome, ano ou servidor"));
    auto* lbl = new QLabel(QStringLiteral("&Pesquisar:"), this);
    lbl->setBuddy(txtPesquisa);
    lvwEmpresas = new QTreeWidget(this);
    lvwEmpresas->setObjectName(QStringLiteral("lvwEmpresas"));
    configurarListaEmpresas(lvwEmpresas, SelEmpresa::DescricaoColunas, ChaveLista, m_ficheiroDefinicoes);
    lvwEmpresas->header()->setStretchLastSection(true);
    cmdOk = new QPushButton(QStringLiteral("&Escolher"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    cmdCancelar->setAutoDefault(false);

    auto* topo = new QHBoxLayout;
    topo->addWidget(lbl);
    topo->addWidget(txtPesquisa, 1);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    botoes->addWidget(cmdOk);
    botoes->addWidget(cmdCancelar);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(lvwEmpresas, 1);
    layout->addLayout(botoes);
    resize(600, 360);

    connect(txtPesquisa, &QLineEdit::textChanged, this, [this](const QString& t) {
        m_logica.CarregarDados(t);
        preencherLista();
    });
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        QTreeWidgetItem* item = lvwEmpresas->currentItem();
        if (!item)
            return;
        m_escolhida = m_logica.escolher(lvwEmpresas->indexOfTopLevelItem(item));
        if (m_escolhida)
            accept();
    });
    connect(lvwEmpresas, &QTreeWidget::itemDoubleClicked, cmdOk, &QPushButton::click);
    connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);

    m_logica.CarregarDados({});
    preencherLista();
    txtPesquisa->setFocus();
}

void FrmSelEmpresaPesquisar::preencherLista() {
    const std::vector<ColunaLayout> colunas = interpretarLayout(SelEmpresa::DescricaoColunas);
    lvwEmpresas->clear();
    for (const LinhaEmpresa& e : m_logica.linhas()) {
        QStringList textos;
        for (int c = 0; c < SelEmpresa::NumColunas; ++c)
            textos << e.texto(c);
        novaLinhaLista(lvwEmpresas, colunas, textos);
    }
    if (lvwEmpresas->topLevelItemCount() > 0)
        lvwEmpresas->setCurrentItem(lvwEmpresas->topLevelItem(0));
}

void FrmSelEmpresaPesquisar::done(int resultado) {
    guardarLargurasLista(lvwEmpresas, ChaveLista, m_ficheiroDefinicoes);
    QDialog::done(resultado);
}

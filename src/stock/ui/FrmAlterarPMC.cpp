#include "stock/ui/FrmAlterarPMC.h"
#include "controls/ui/Teclado.h"

#include "controls/ui/Valor.h"
#include "lookups/PesquisaTabelas.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FrmAlterarPMC::FrmAlterarPMC(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmAlterarPMC"));
    setWindowTitle(AlterarPMC::Titulo());
    auto* f = new QFormLayout(this);
    auto* nota = new QLabel(AlterarPMC::Nota(), this);
    nota->setWordWrap(true);
    f->addRow(nota);
    auto* p = new QHBoxLayout;
    txtProduto = new QLineEdit(this);
    txtProduto->setObjectName(QStringLiteral("txtProduto"));
    cmdPesqProduto = new QPushButton(QStringLiteral("..."), this);
    cmdEquivalentes = new QPushButton(QStringLiteral("Pesquisa de Produtos Equivalentes"), this);
    lblDescricao = new QLabel(this);
    p->addWidget(txtProduto);
    p->addWidget(cmdPesqProduto);
    p->addWidget(cmdEquivalentes);
    p->addWidget(lblDescricao, 1);
    f->addRow(QStringLiteral("Produto"), p);
    txtPrecoMedioCusto = new Valor(this);
    txtPrecoMedioCusto->setObjectName(QStringLiteral("txtPrecoMedioCusto"));
    txtUltPrecoCusto = new Valor(this);
    txtUltPrecoCusto->setObjectName(QStringLiteral("txtUltPrecoCusto"));
    f->addRow(QStringLiteral("Preço M. Custo"), txtPrecoMedioCusto);
    f->addRow(QStringLiteral("Último Preço Custo"), txtUltPrecoCusto);
    auto* b = new QHBoxLayout;
    cmdActualizar = new QPushButton(QStringLiteral("&Actualizar"), this);
    cmdActualizar->setObjectName(QStringLiteral("cmdActualizar"));
    cmdFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    cmdFechar->setObjectName(QStringLiteral("cmdFechar"));
    b->addWidget(cmdActualizar);
    b->addWidget(cmdFechar);
    f->addRow(b);

    connect(txtProduto, &QLineEdit::editingFinished, this, [this] {
        if (txtProduto->text().trimmed() != m_logica.txtProduto)
            carregar(txtProduto->text());
    });
    connect(cmdPesqProduto, &QPushButton::clicked, this, [this] {
        CampoTabela c;
        c.codigo = txtProduto->text();
        if (PesquisaTabelas(m_ctx, m_ui).Produtos(c, true))
            carregar(c.codigo);
    });
    connect(cmdEquivalentes, &QPushButton::clicked, this, [this] {
        if (auto e = PesquisaTabelas(m_ctx, m_ui).escolherEquivalente(txtProduto->text().trimmed()))
            carregar(*e);
    });
    connect(cmdActualizar, &QPushButton::clicked, this, [this] {
        m_logica.txtPrecoMedioCusto = txtPrecoMedioCusto->valor();
        m_logica.txtUltPrecoCusto = txtUltPrecoCusto->valor();
        m_logica.actualizar();
    });
    connect(cmdFechar, &QPushButton::clicked, this, &QWidget::close);
    mostrar();
    PrepararTeclado(this);
}

void FrmAlterarPMC::carregar(const QString& codigo) {
    CampoTabela c;
    c.codigo = codigo;
    PesquisaTabelas(m_ctx, m_ui).Produtos(c, false);
    m_logica.produtoSaiu(c.codigo);
    mostrar();
}

void FrmAlterarPMC::mostrar() {
    txtProduto->setText(m_logica.txtProduto);
    lblDescricao->setText(m_logica.txtDescricao);
    txtPrecoMedioCusto->setValor(m_logica.txtPrecoMedioCusto);
    txtUltPrecoCusto->setValor(m_logica.txtUltPrecoCusto);
    cmdActualizar->setEnabled(m_logica.carregado());
}

#include "production/ui/FrmActPVenda.h"

#include "controls/ui/Valor.h"
#include "production/FormatoQuantidade.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

FrmActPVenda::FrmActPVenda(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QDialog(pai), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmActPVenda"));
    setWindowTitle(QStringLiteral("Actualizar Preço de Venda do Produto Acabado"));
    auto* g = new QGridLayout(this);
    lblProduto = new QLabel(this);
    lblProduto->setObjectName(QStringLiteral("lblProduto"));
    lblCusto = new QLabel(this);
    lblCusto->setObjectName(QStringLiteral("lblCusto"));
    g->addWidget(lblProduto, 0, 0, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Custo unitário"), this), 1, 0);
    g->addWidget(lblCusto, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Margem %"), this), 2, 2);
    for (int i = 0; i < 4; ++i) {
        txtPrecoVenda[size_t(i)] = new Valor(this);
        txtPrecoVenda[size_t(i)]->setObjectName(QStringLiteral("txtPrecoVenda%1").arg(i + 1));
        txtPrecoVenda[size_t(i)]->setUserInteraction(&ui);
        txtPrecoVenda[size_t(i)]->setDecimais(4);
        lblMargem[size_t(i)] = new QLabel(this);
        g->addWidget(new QLabel(QStringLiteral("Preço de Venda %1").arg(i + 1), this), 3 + i, 0);
        g->addWidget(txtPrecoVenda[size_t(i)], 3 + i, 1);
        g->addWidget(lblMargem[size_t(i)], 3 + i, 2);
        connect(txtPrecoVenda[size_t(i)], &Valor::alterado, this, [this, i] {
            m_logica.precos[size_t(i)] = txtPrecoVenda[size_t(i)]->valor();
            mostrarMargens();
        });
    }
    auto* b = new QHBoxLayout;
    cmdGravar = new QPushButton(QStringLiteral("&Gravar"), this);
    cmdGravar->setObjectName(QStringLiteral("cmdGravar"));
    cmdFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    cmdFechar->setObjectName(QStringLiteral("cmdFechar"));
    b->addStretch();
    b->addWidget(cmdGravar);
    b->addWidget(cmdFechar);
    g->addLayout(b, 7, 0, 1, 3);
    connect(cmdGravar, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < 4; ++i)
            m_logica.precos[size_t(i)] = txtPrecoVenda[size_t(i)]->valor();
        if (m_logica.cmdGravar_Click())
            accept();
    });
    connect(cmdFechar, &QPushButton::clicked, this, &QDialog::reject);
}

int FrmActPVenda::exec() {
    lblProduto->setText(m_logica.produto + QStringLiteral(" - ") + m_logica.descricao);
    lblCusto->setText(formatarNumeroPT(m_logica.custo, 4));
    for (int i = 0; i < 4; ++i)
        txtPrecoVenda[size_t(i)]->setValor(m_logica.precos[size_t(i)]);
    mostrarMargens();
    return QDialog::exec();
}

void FrmActPVenda::mostrarMargens() {
    for (int i = 0; i < 4; ++i)
        lblMargem[size_t(i)]->setText(formatarNumeroPT(m_logica.margem(i), 2));
}

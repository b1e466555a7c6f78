#include "printing/ui/WVSFind.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

WVSFind::WVSFind(const DocumentoImpresso& doc, UserInteraction& ui, int paginaActual, QWidget* pai)
    : QDialog(pai), m_procura(doc, ui) {
    setObjectName(QStringLiteral("WVSFind"));
    setWindowTitle(QStringLiteral("Procurar"));
    const int n = std::max(1, doc.numeroPaginas());
    txtTexto = new QLineEdit(this);
    txtTexto->setObjectName(QStringLiteral("txtTexto"));
    txtPaginaInicial = new QSpinBox(this);
    txtPaginaInicial->setObjectName(QStringLiteral("txtPaginaInicial"));
    txtPaginaInicial->setRange(1, n);
    txtPaginaInicial->setValue(std::clamp(paginaActual, 1, n));
    txtPaginaFinal = new QSpinBox(this);
    txtPaginaFinal->setObjectName(QStringLiteral("txtPaginaFinal"));
    txtPaginaFinal->setRange(1, n);
    txtPaginaFinal->setValue(n);
    chkDiferenciar = new QCheckBox(QStringLiteral("&Diferenciar Maisc e Min."), this);
    chkDiferenciar->setObjectName(QStringLiteral("chkDiferenciar"));
    chkMarcar = new QCheckBox(QStringLiteral("&Marcar o texto encontrado"), this);
    chkMarcar->setObjectName(QStringLiteral("chkMarcar"));
    chkMarcar->setChecked(true);
    cmdProcurar = new QPushButton(QStringLiteral("&Procurar"), this);
    cmdProcurar->setObjectName(QStringLiteral("cmdProcurar"));
    cmdProcurar->setDefault(true);
    cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));

    auto* f = new QFormLayout;
    f->addRow(QStringLiteral("Texto a Procurar :"), txtTexto);
    f->addRow(QStringLiteral("Página Inicial :"), txtPaginaInicial);
    f->addRow(QStringLiteral("Página Final :"), txtPaginaFinal);
    f->addRow(chkDiferenciar);
    f->addRow(chkMarcar);
    auto* b = new QHBoxLayout;
    b->addStretch();
    b->addWidget(cmdProcurar);
    b->addWidget(cmdCancelar);
    auto* l = new QVBoxLayout(this);
    l->addLayout(f);
    l->addLayout(b);
    connect(cmdProcurar, &QPushButton::clicked, this, &WVSFind::cmdProcurar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void WVSFind::cmdProcurar_Click() {
    m_procura.definir(txtTexto->text(), txtPaginaInicial->value(), txtPaginaFinal->value(),
                      chkDiferenciar->isChecked());
    m_procura.marcar = chkMarcar->isChecked();
    if (const auto o = m_procura.procurar())
        emit encontrado(o->pagina, m_procura.marcar ? o->caixa : QRectF());
    else
        emit encontrado(0, QRectF());
}

#include "printing/ui/frmPrintDlg.h"
#include "controls/ui/Teclado.h"

#include "printing/ui/ListaImpressoras.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmPrintDlg::frmPrintDlg(QWidget* pai) : QDialog(pai) {
    setObjectName(QStringLiteral("frmPrintDlg"));
    setWindowTitle(QStringLiteral("Impressoras Disponíveis"));
    lstLista = new QListWidget(this);
    lstLista->setObjectName(QStringLiteral("lstLista"));
    chkAlternativo = new QCheckBox(QStringLiteral("Método alternativo para selecção de Impressoras"), this);
    chkAlternativo->setObjectName(QStringLiteral("chkAlternativo"));
    chkUtilizador = new QCheckBox(
        QStringLiteral("Apenas visualizar as Impressoras disponíveis para este Utilizador de Sistema"), this);
    chkUtilizador->setObjectName(QStringLiteral("chkUtilizador"));
    cmdSelecionar = new QPushButton(QStringLiteral("&Selecionar Impressora"), this);
    cmdSelecionar->setObjectName(QStringLiteral("cmdSelecionar"));
    cmdSelecionar->setDefault(true);
    cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    auto* b = new QHBoxLayout;
    b->addStretch();
    b->addWidget(cmdSelecionar);
    b->addWidget(cmdCancelar);
    auto* l = new QVBoxLayout(this);
    l->addWidget(lstLista);
    l->addWidget(chkAlternativo);
    l->addWidget(chkUtilizador);
    l->addLayout(b);

    connect(chkAlternativo, &QCheckBox::toggled, this, &frmPrintDlg::carregar);
    connect(chkUtilizador, &QCheckBox::toggled, this, &frmPrintDlg::carregar);
    auto escolher = [this] {
        if (QListWidgetItem* i = lstLista->currentItem()) {
            m_escolhida = ListaImpressoras::NomeDaLinha(i->text());
            accept();
        }
    };
    connect(cmdSelecionar, &QPushButton::clicked, this, escolher);
    connect(lstLista, &QListWidget::itemDoubleClicked, this, escolher);
    connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
    carregar();
    PrepararTeclado(this);
}

void frmPrintDlg::carregar() {
    const QString actual = lstLista->currentItem()
                               ? ListaImpressoras::NomeDaLinha(lstLista->currentItem()->text())
                               : ListaImpressoras::Escolhida();
    lstLista->clear();
    for (const QString& linha :
         ListaImpressoras::Disponiveis(chkAlternativo->isChecked(), chkUtilizador->isChecked())) {
        lstLista->addItem(linha);
        if (ListaImpressoras::NomeDaLinha(linha) == actual)
            lstLista->setCurrentRow(lstLista->count() - 1);
    }
}

#include "shell/ui/FrmAbout.h"
#include "controls/ui/Teclado.h"

#include "session/Acessos.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FrmAbout::FrmAbout(const std::vector<std::pair<QString, QString>>& linhas, QWidget* pai) : QDialog(pai) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Acerca de ") + NomePrograma);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* lblTitulo = new QLabel(NomePrograma + QStringLiteral(" - Gestão de Produção"), this);
    lblTitulo->setObjectName(QStringLiteral("lblTitulo"));
    QFont f = lblTitulo->font();
    f.setPointSizeF(f.pointSizeF() * 1.6);
    f.setBold(true);
    lblTitulo->setFont(f);
    layout->addWidget(lblTitulo);

    auto* form = new QFormLayout;
    for (const auto& [nome, valor] : linhas) {
        auto* lbl = new QLabel(valor, this);
        lbl->setObjectName(QStringLiteral("lbl") + QString(nome).remove(u' '));
        lbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(nome + QStringLiteral(":"), lbl);
    }
    layout->addLayout(form);

    auto* botoes = new QDialogButtonBox(this);
    auto* cmdOK = botoes->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    connect(botoes, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(botoes);
    setMinimumWidth(420);
    PrepararTeclado(this);
}

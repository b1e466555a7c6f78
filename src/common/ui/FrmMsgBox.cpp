#include "common/ui/FrmMsgBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

FrmMsgBox::FrmMsgBox(const QString& texto, const QString& titulo, const QStringList& botoes,
                     UserInteraction::Icone icone, QWidget* pai)
    : QDialog(pai) {
    setObjectName(QStringLiteral("frmMsgBox"));
    setWindowTitle(titulo);
    setModal(true);
    auto* principal = new QVBoxLayout(this);
    auto* topo = new QHBoxLayout;
    QStyle::StandardPixmap sp = QStyle::SP_MessageBoxQuestion;
    switch (icone) {
    case UserInteraction::Icone::Informacao:
        sp = QStyle::SP_MessageBoxInformation;
        break;
    case UserInteraction::Icone::Exclamacao:
        sp = QStyle::SP_MessageBoxWarning;
        break;
    case UserInteraction::Icone::Critico:
        sp = QStyle::SP_MessageBoxCritical;
        break;
    default:
        break;
    }
    if (icone != UserInteraction::Icone::Nenhum) {
        auto* imagem = new QLabel(this);
        imagem->setPixmap(style()->standardIcon(sp).pixmap(32, 32));
        topo->addWidget(imagem, 0, Qt::AlignTop);
    }
    auto* rotulo = new QLabel(texto, this);
    rotulo->setObjectName(QStringLiteral("lblMensagem"));
    rotulo->setWordWrap(true);
    topo->addWidget(rotulo, 1);
    principal->addLayout(topo);
    auto* linha = new QHBoxLayout;
    linha->addStretch();
    for (int i = 0; i < botoes.size(); ++i) {
        auto* b = new QPushButton(botoes[i], this);
        b->setObjectName(QStringLiteral("cmdBotao%1").arg(i));
        if (i == 0)
            b->setDefault(true);
        connect(b, &QPushButton::clicked, this, [this, i] {
            m_resultado = i;
            accept();
        });
        linha->addWidget(b);
    }
    principal->addLayout(linha);
}

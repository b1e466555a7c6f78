#include "controls/ui/CampoComSetas.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

void montarCampoComSetas(QWidget* dono, QLineEdit* campo, QToolButton* sobe, QToolButton* desce) {
    sobe->setObjectName(QStringLiteral("cmdSobe"));
    desce->setObjectName(QStringLiteral("cmdDesce"));
    sobe->setArrowType(Qt::UpArrow);
    desce->setArrowType(Qt::DownArrow);
    for (auto* b : {sobe, desce}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setFixedSize(16, 11);
    }
    auto* setas = new QVBoxLayout;
    setas->setContentsMargins(0, 0, 0, 0);
    setas->setSpacing(0);
    setas->addWidget(sobe);
    setas->addWidget(desce);
    auto* l = new QHBoxLayout(dono);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(1);
    l->addWidget(campo);
    l->addLayout(setas);
    dono->setFocusProxy(campo);
    dono->setFocusPolicy(Qt::StrongFocus);
    campo->installEventFilter(dono);
}

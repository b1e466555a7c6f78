#include "printing/ui/FormularioRelatorio.h"

#include "controls/ui/EDatas.h"

#include <QHBoxLayout>
#include <QPushButton>

QHBoxLayout* BotoesRelatorio(QWidget* form, QPushButton*& cmdImprimir, QPushButton*& cmdFechar) {
    auto* b = new QHBoxLayout;
    cmdImprimir = new QPushButton(QStringLiteral("&Imprimir"), form);
    cmdImprimir->setObjectName(QStringLiteral("cmdImprimir"));
    cmdFechar = new QPushButton(QStringLiteral("&Fechar"), form);
    cmdFechar->setObjectName(QStringLiteral("cmdFechar"));
    b->addStretch();
    b->addWidget(cmdImprimir);
    b->addWidget(cmdFechar);
    QObject::connect(cmdFechar, &QPushButton::clicked, form, &QWidget::close);
    return b;
}

EDatas* CampoDataRelatorio(QWidget* form, const char* nome, UserInteraction& ui, const QDate& data) {
    auto* d = new EDatas(form);
    d->setObjectName(QLatin1String(nome));
    d->setUserInteraction(&ui);
    d->setDataSys(data);
    return d;
}

#include "common/ui/WAlert1.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

WAlert1::WAlert1(AlertaOpcoes& alerta, QWidget* pai) : QDialog(pai), m_alerta(alerta) {
    setObjectName(QStringLiteral("WAlert1"));
    setWindowTitle(alerta.titulo());
    setModal(true);
    const double dpi = logicalDpiY() > 0 ? logicalDpiY() : 96.0;
    auto px = [dpi](int twips) { return AlertaOpcoes::twipsParaPixeis(twips, dpi); };
    const int topoLista = 120, margem = 120, larguraTwips = 4800;

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->addItems(alerta.respostas());
    List1->setGeometry(px(margem), px(topoLista), px(larguraTwips - 2 * margem), px(alerta.alturaLista()));
    List1->installEventFilter(this);

    GravarG = new QPushButton(QStringLiteral("&Selecionar"), this);
    GravarG->setObjectName(QStringLiteral("GravarG"));
    CancelarG = new QPushButton(QStringLiteral("&Cancelar"), this);
    CancelarG->setObjectName(QStringLiteral("CancelarG"));
    const int topoBotoes = px(alerta.topoBotoes(topoLista));
    GravarG->setGeometry(px(margem), topoBotoes, px(1500), px(360));
    CancelarG->setGeometry(px(larguraTwips - margem - 1500), topoBotoes, px(1500), px(360));
    setFixedSize(px(larguraTwips), px(alerta.alturaJanela(topoLista)));

    if (const QScreen* ecra = QGuiApplication::primaryScreen()) {
        const QRect r = ecra->availableGeometry();
        move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
    }
    connect(GravarG, &QPushButton::clicked, this, &WAlert1::escolher);
    connect(List1, &QListWidget::itemDoubleClicked, this, &WAlert1::escolher);
    connect(CancelarG, &QPushButton::clicked, this, &WAlert1::reject);
    List1->setCurrentRow(alerta.linhaInicial());
    List1->setFocus();
}

void WAlert1::escolher() {
    m_alerta.seleccionar(List1->currentRow());
    accept();
}

void WAlert1::reject() {
    m_alerta.cancelar();
    QDialog::reject();
}

bool WAlert1::eventFilter(QObject* o, QEvent* e) {
    if (o == List1 && e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            escolher();
            return true; // the key is swallowed
        }
    }
    return QDialog::eventFilter(o, e);
}

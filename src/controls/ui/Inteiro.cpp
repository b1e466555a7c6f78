#include "controls/ui/Inteiro.h"
#include "controls/ui/CampoComSetas.h"

#include "controls/ui/FocoCampos.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

Inteiro::Inteiro(QWidget* pai)
    : QWidget(pai), m_campo(new QLineEdit(this)), m_sobe(new QToolButton(this)), m_desce(new QToolButton(this)) {
    m_campo->setObjectName(QStringLiteral("txtValor"));
    m_campo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_campo->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d{0,18}")), m_campo));
    montarCampoComSetas(this, m_campo, m_sobe, m_desce);
    connect(m_sobe, &QToolButton::clicked, this, &Inteiro::subir);
    connect(m_desce, &QToolButton::clicked, this, &Inteiro::descer);
    Refresh();
}

void Inteiro::setValor(qint64 v) {
    if (m_logica.definir(v))
        emit alterado();
    Refresh();
}

void Inteiro::setMaximo(qint64 v) {
    m_logica.maximo = v;
    setValor(m_logica.valor);
}

void Inteiro::setMinimo(qint64 v) {
    m_logica.minimo = v;
    setValor(m_logica.valor);
}

void Inteiro::setForecor(const QColor& c) {
    m_fore = c;
    aplicarCores(m_campo, m_fore, m_back);
}

void Inteiro::setBackcor(const QColor& c) {
    m_back = c;
    aplicarCores(m_campo, m_fore, m_back);
}

QFont Inteiro::Fonte() const { return m_campo->font(); }
void Inteiro::setFonte(const QFont& f) { m_campo->setFont(f); }

void Inteiro::setAcesso(bool sim) {
    m_acesso = sim;
    m_campo->setFocusPolicy(sim ? Qt::StrongFocus : Qt::NoFocus);
    setFocusPolicy(sim ? Qt::StrongFocus : Qt::NoFocus);
    m_sobe->setEnabled(sim);
    m_desce->setEnabled(sim);
}

void Inteiro::Refresh() { m_campo->setText(QString::number(m_logica.valor)); }

void Inteiro::subir() {
    concluir();
    if (m_logica.subir())
        emit alterado();
    Refresh();
}

void Inteiro::descer() {
    concluir();
    if (m_logica.descer())
        emit alterado();
    Refresh();
}

void Inteiro::concluir() {
    if (m_logica.definirTexto(m_campo->text()))
        emit alterado();
    Refresh();
}

bool Inteiro::eventFilter(QObject* o, QEvent* e) {
    if (o == m_campo && e->type() == QEvent::FocusOut)
        concluir();
    if (o == m_campo && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        switch (k->key()) {
        case Qt::Key_Up:
            subir();
            return true;
        case Qt::Key_Down:
            descer();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            concluir();
            emit enterPremido();
            moverFoco(m_campo, true);
            return true;
        case Qt::Key_Escape:
            moverFoco(m_campo, false);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(o, e);
}

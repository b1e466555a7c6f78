#include "controls/ui/EDatas.h"
#include "controls/ui/CampoComSetas.h"

#include "common/UserInteraction.h"
#include "controls/DataEdicao.h"
#include "controls/ui/FocoCampos.h"
#include "controls/ui/frmCalendarioDATA.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

EDatas::EDatas(QWidget* pai)
    : QWidget(pai), m_campo(new QLineEdit(this)), m_sobe(new QToolButton(this)), m_desce(new QToolButton(this)) {
    m_campo->setObjectName(QStringLiteral("txtData"));
    m_campo->setMaxLength(10);
    montarCampoComSetas(this, m_campo, m_sobe, m_desce);
    connect(m_sobe, &QToolButton::clicked, this, &EDatas::diaSeguinte);
    connect(m_desce, &QToolButton::clicked, this, &EDatas::diaAnterior);
}

void EDatas::setDataSys(const QDate& d) {
    mudarData(d.isValid() ? d : QDate());
    Refresh();
}

QString EDatas::Conteudo() const { return m_campo->text(); }

void EDatas::setConteudo(const QString& t) {
    m_campo->setText(t);
    validar();
}

QString EDatas::LongData() const { return ::LongData(m_data); }

QFont EDatas::Fonte() const { return m_campo->font(); }
void EDatas::setFonte(const QFont& f) { m_campo->setFont(f); }

void EDatas::mudarData(const QDate& d) {
    if (d == m_data)
        return;
    m_data = d;
    emit alterado();
}

void EDatas::Refresh() { m_campo->setText(m_data.isValid() ? m_data.toString(QStringLiteral("dd-MM-yyyy")) : QString()); }

bool EDatas::validar() {
    const QString texto = m_campo->text().trimmed();
    const auto r = completarData(texto, m_hoje.isValid() ? m_hoje : QDate::currentDate());
    if (r.estado == ResultadoData::Estado::Invalida) {
        // Guard: the message box takes the focus, which would validate again.
        if (!m_aValidar) {
            m_aValidar = true;
            interaccaoDoCampo(this, m_ui).mensagem(mensagemDataInvalida(texto), UserInteraction::Icone::Exclamacao);
            m_aValidar = false;
        }
        return false;
    }
    mudarData(r.data);
    Refresh();
    return true;
}

void EDatas::diaSeguinte() {
    if (!validar() || !m_data.isValid())
        return;
    setDataSys(m_data.addDays(1));
}

void EDatas::diaAnterior() {
    if (!validar() || !m_data.isValid())
        return;
    setDataSys(m_data.addDays(-1));
}

void EDatas::abrirCalendario() {
    const QDate inicio = m_data.isValid() ? m_data : (m_hoje.isValid() ? m_hoje : QDate::currentDate());
    if (auto d = frmCalendarioDATA::escolher(this, inicio))
        setDataSys(*d);
}

bool EDatas::eventFilter(QObject* o, QEvent* e) {
    if (o != m_campo)
        return QWidget::eventFilter(o, e);
    if (e->type() == QEvent::FocusOut && !m_aValidar) {
        const auto motivo = static_cast<QFocusEvent*>(e)->reason();
        // A message box or menu taking the focus is no leaving of the field.
        if (motivo != Qt::PopupFocusReason && motivo != Qt::ActiveWindowFocusReason && !validar())
            QTimer::singleShot(0, m_campo, [c = m_campo] {
                c->setFocus();
                c->selectAll();
            });
    } else if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        switch (k->key()) {
        case Qt::Key_Up:
            diaSeguinte();
            return true;
        case Qt::Key_Down:
            diaAnterior();
            return true;
        case Qt::Key_F4:
            abrirCalendario();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (validar()) {
                emit enterPremido();
                moverFoco(m_campo, true);
            } else {
                m_campo->selectAll();
            }
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

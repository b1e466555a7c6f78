#include "controls/ui/Valor.h"

#include "controls/ui/FocoCampos.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

Valor::Valor(QWidget* pai) : QWidget(pai), m_campo(new QLineEdit(this)) {
    m_campo->setObjectName(QStringLiteral("txtValor"));
    m_campo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(m_campo);
    setFocusProxy(m_campo);
    setFocusPolicy(Qt::StrongFocus);
    m_campo->installEventFilter(this);
    connect(m_campo, &QLineEdit::textEdited, this, &Valor::textoEditado);
    Refresh();
}

void Valor::setValor(const Currency& v) {
    m_logica.setValor(v);
    Refresh();
}

void Valor::setComprimento(int n) { m_logica.comprimento = n; }

void Valor::setDecimais(int n) {
    m_logica.decimais = std::clamp(n, 0, 4);
    Refresh();
}

QString Valor::Texto() const { return m_campo->text(); }

void Valor::setTexto(const QString& t) {
    m_logica.textoAlterado(t);
    Refresh();
}

void Valor::setSeparador(const QString& s) {
    m_logica.separador = s.isEmpty() ? QStringLiteral(",") : s.left(1);
    Refresh();
}

void Valor::setForecor(const QColor& c) {
    m_fore = c;
    aplicarCores(m_campo, m_fore, m_back);
}

void Valor::setBackcor(const QColor& c) {
    m_back = c;
    aplicarCores(m_campo, m_fore, m_back);
}

QFont Valor::Fonte() const { return m_campo->font(); }
void Valor::setFonte(const QFont& f) { m_campo->setFont(f); }

void Valor::setAcesso(bool sim) {
    m_acesso = sim;
    m_campo->setFocusPolicy(sim ? Qt::StrongFocus : Qt::NoFocus);
    setFocusPolicy(sim ? Qt::StrongFocus : Qt::NoFocus);
}

bool Valor::Locked() const { return m_campo->isReadOnly(); }
void Valor::setLocked(bool sim) { m_campo->setReadOnly(sim); }

void Valor::setSepMilhares(bool sim) {
    m_logica.sepMilhares = sim;
    Refresh();
}

void Valor::Refresh() {
    m_campo->setText(m_aEditar ? m_logica.textoEdicao() : m_logica.textoFormatado());
}

void Valor::SelCtrl() {
    m_campo->setFocus();
    m_campo->selectAll();
}

void Valor::textoEditado(const QString& t) {
    m_logica.setUserInteraction(&interaccaoDoCampo(this, m_ui));
    if (!m_logica.textoAlterado(t))
        m_campo->setText(QStringLiteral("0"));
    emit alterado();
}

void Valor::concluir() {
    m_logica.concluir();
    m_aEditar = false;
    Refresh();
}

bool Valor::eventFilter(QObject* o, QEvent* e) {
    if (o != m_campo)
        return QWidget::eventFilter(o, e);
    switch (e->type()) {
    case QEvent::FocusIn:
        if (!m_campo->isReadOnly()) {
            m_aEditar = true;
            Refresh();
            // After the click that gave the focus has placed the caret.
            QTimer::singleShot(0, m_campo, [c = m_campo] { c->selectAll(); });
        }
        break;
    case QEvent::FocusOut:
        if (m_aEditar)
            concluir();
        break;
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            concluir();
            emit enterPremido();
            emit teclaPremida(13);
            moverFoco(m_campo, true);
            return true;
        }
        if (k->key() == Qt::Key_Escape) {
            moverFoco(m_campo, false);
            return true;
        }
        if (m_campo->isReadOnly() || k->text().isEmpty() || k->modifiers() & Qt::ControlModifier)
            break;
        const QChar c = k->text().at(0);
        if (c == QChar(8) || !c.isPrint())
            break;
        const int inicio = m_campo->hasSelectedText() ? m_campo->selectionStart() : m_campo->cursorPosition();
        const int tamanho = m_campo->hasSelectedText() ? int(m_campo->selectedText().size()) : 0;
        if (m_logica.filtrarTecla(c, m_campo->text(), inicio, tamanho) == ValorEdicao::Tecla::Recusada) {
            QApplication::beep();
            m_campo->deselect();
            m_campo->end(false);
            return true;
        }
        const QChar inserido = ValorEdicao::caracterInserido(c);
        if (inserido != c) {
            m_campo->insert(QString(inserido));
            textoEditado(m_campo->text());
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(o, e);
}

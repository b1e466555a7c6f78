#include "lookups/ui/CampoCodigo.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

CampoCodigo::CampoCodigo(QWidget* pai, const QString& nome) : QWidget(pai) {
    setObjectName(QStringLiteral("cp") + nome);
    txtCodigo = new QLineEdit(this);
    txtCodigo->setObjectName(QStringLiteral("txt") + nome);
    cmdPesquisa = new QToolButton(this);
    cmdPesquisa->setObjectName(QStringLiteral("cmd") + nome);
    cmdPesquisa->setText(QStringLiteral("..."));
    cmdPesquisa->setFocusPolicy(Qt::NoFocus);
    cmdPesquisa->setToolTip(QStringLiteral("Pesquisar"));
    lblDescricao = new QLabel(this);
    lblDescricao->setObjectName(QStringLiteral("lbl") + nome);
    lblDescricao->setFrameShape(QFrame::StyledPanel);
    lblDescricao->setMinimumWidth(160);

    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(2);
    l->addWidget(txtCodigo);
    l->addWidget(cmdPesquisa);
    l->addWidget(lblDescricao, 1);
    setFocusProxy(txtCodigo);

    txtCodigo->installEventFilter(this);
    connect(cmdPesquisa, &QToolButton::clicked, this, &CampoCodigo::cmdPesquisa_Click);
}

void CampoCodigo::ligar(CampoTabela* campo, Lookup lookup) {
    m_campo = campo ? campo : &m_proprio;
    m_lookup = std::move(lookup);
    actualizar();
    m_validado = txtCodigo->text();
    m_donos.clear();
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        m_donos.emplace_back(w, w->metaObject());
}

bool CampoCodigo::janelaADesfazerSe() const {
    for (const auto& [w, classe] : m_donos)
        if (w && w->metaObject() != classe)
            return true;
    return false;
}

void CampoCodigo::actualizar() {
    txtCodigo->setText(m_campo->codigo);
    lblDescricao->setText(m_campo->descricao);
    txtCodigo->setEnabled(m_campo->activo);
    cmdPesquisa->setEnabled(m_campo->activo);
}

QString CampoCodigo::codigo() const {
    return txtCodigo->text();
}
QString CampoCodigo::descricao() const {
    return lblDescricao->text();
}

void CampoCodigo::setCodigo(const QString& codigo) {
    txtCodigo->setText(codigo);
    m_campo->codigo = codigo;
}

void CampoCodigo::setActivo(bool sim) {
    m_campo->activo = sim;
    actualizar();
}

bool CampoCodigo::correr(bool abrirPesquisa) {
    if (!m_lookup || m_emCurso)
        return false;
    // The lookup may show windows; focus leaving the box meanwhile must not start another one.
    m_emCurso = true;
    m_campo->codigo = txtCodigo->text();
    const bool ok = m_lookup(*m_campo, abrirPesquisa);
    actualizar();
    m_validado = txtCodigo->text();
    const bool focar = m_campo->focar, tudo = m_campo->selecionarTudo;
    m_campo->focar = m_campo->selecionarTudo = false;
    m_emCurso = false;
    if (focar || tudo) {
        // Deferred: the box may be losing the focus right now.
        QTimer::singleShot(0, txtCodigo, [this, tudo] {
            txtCodigo->setFocus();
            if (tudo)
                txtCodigo->selectAll();
        });
    }
    emit validado(ok);
    return ok;
}

bool CampoCodigo::cmdPesquisa_Click() {
    return correr(true);
}

bool CampoCodigo::txtCodigo_LostFocus() {
    return correr(false);
}

bool CampoCodigo::eventFilter(QObject* o, QEvent* e) {
    // A form being destroyed takes the focus from its fields: its lookups must not run then.
    if (o == txtCodigo && e->type() == QEvent::FocusOut && !m_emCurso && !janelaADesfazerSe()) {
        // Unchanged text was already looked up; a window of our own taking the focus is not leaving.
        const bool janelaPropria = QApplication::activeModalWidget() != nullptr;
        if (!janelaPropria && txtCodigo->text() != m_validado)
            txtCodigo_LostFocus();
    }
    return QWidget::eventFilter(o, e);
}

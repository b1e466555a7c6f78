#include "session/ui/FrmLogin.h"
#include "controls/ui/CriarControlos.h"
#include "controls/ui/frmTeclado.h"
#include "session/ui/FrmSegurancas.h"

#include "company/GlobalContext.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <type_traits>

namespace {
QLineEdit* caixaPassword(QWidget* pai, const char* nome) {
    auto* e = criarControlo<QLineEdit>(pai, nome);
    e->setEchoMode(QLineEdit::Password);
    return e;
}

QLineEdit* indicador(QWidget* pai, const char* nome) {
    auto* e = criarControlo<QLineEdit>(pai, nome, QStringLiteral("Fraca"));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setMaximumWidth(70);
    return e;
}

QPushButton* botao(QWidget* pai, const char* nome, const QString& texto, const QString& dica = {}) {
    QPushButton* b = criarBotao(pai, nome, texto);
    b->setToolTip(dica);
    return b;
}

void mudarTexto(QLineEdit* e, const QString& texto) {
    if (e->text() != texto)
        e->setText(texto);
}
} // namespace

FrmLogin::FrmLogin(GlobalContext& ctx, UserInteraction& ui, QWidget* pai) : QDialog(pai), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmLogin"));
    // The entry backup, over this window, once the user is in; it never stops the entry.
    m_logica.segurancaAutomatica = [this, &ctx, &ui](const QString& accao) {
        SegurancaAutomatica(ctx, ui, accao, this);
    };
    setWindowTitle(ctx.NomeEmpresa.isEmpty() ? QStringLiteral("Entrada")
                                             : QStringLiteral("Entrada - ") + ctx.NomeEmpresa);
    construir();
}

void FrmLogin::construir() {
    m_areaLogin = new QWidget(this);
    txtLogin = new QLineEdit(m_areaLogin);
    txtLogin->setObjectName(QStringLiteral("txtLogin"));
    cmdLogin = new QToolButton(m_areaLogin);
    cmdLogin->setObjectName(QStringLiteral("cmdLogin"));
    cmdLogin->setText(QStringLiteral("..."));
    cmdLogin->setToolTip(QStringLiteral("Pesquisar Utilizadores"));
    txtPassword = caixaPassword(m_areaLogin, "txtPassword");
    txtPassValidacao = indicador(m_areaLogin, "txtPassValidacao");
    txtCodigo = new QLineEdit(this);
    txtCodigo->setObjectName(QStringLiteral("txtCodigo"));
    txtCodigo->hide();
    chkUsaTeclado = new QCheckBox(QStringLiteral("Usar o teclado no ecrã"), m_areaLogin);
    chkUsaTeclado->setObjectName(QStringLiteral("chkUsaTeclado"));
    cmdOk = botao(m_areaLogin, "cmdOk", QStringLiteral("&OK"));
    cmdAlterarPwd = botao(m_areaLogin, "cmdAlterarPwd", QStringLiteral("&Alt. Pwd."), QStringLiteral("Alterar Password"));
    cmdRecarregarAcessos = botao(m_areaLogin, "cmdRecarregarAcessos", QStringLiteral("Acessos"),
                                 QStringLiteral("Recarregar Acessos do Utilizador Seleccionado"));
    // Rebuilding rights before anyone has proved who he is would let any user grant himself
    // every right; the supervisor does it in the access editor.
    cmdRecarregarAcessos->setEnabled(false);
    cmdCancelar = botao(m_areaLogin, "cmdCancelar", QStringLiteral("Cance&lar"));
    cmdCancel = botao(m_areaLogin, "cmdCancel", QStringLiteral("&Fechar"));

    auto* grelha = new QGridLayout(m_areaLogin);
    grelha->setContentsMargins(0, 0, 0, 0);
    grelha->addWidget(new QLabel(QStringLiteral("Utilizador"), m_areaLogin), 0, 0);
    grelha->addWidget(txtLogin, 0, 1);
    grelha->addWidget(cmdLogin, 0, 2);
    grelha->addWidget(new QLabel(QStringLiteral("Password"), m_areaLogin), 1, 0);
    grelha->addWidget(txtPassword, 1, 1);
    grelha->addWidget(txtPassValidacao, 1, 2);
    grelha->addWidget(chkUsaTeclado, 2, 1, 1, 2);
    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {cmdOk, cmdAlterarPwd, cmdRecarregarAcessos})
        botoes->addWidget(b);
    botoes->addStretch();
    botoes->addWidget(cmdCancelar);
    botoes->addWidget(cmdCancel);
    grelha->addLayout(botoes, 3, 0, 1, 3);

    fraMudaPass = new QGroupBox(QStringLiteral("Alterar Password"), this);
    fraMudaPass->setObjectName(QStringLiteral("fraMudaPass"));
    txtOldPass = caixaPassword(fraMudaPass, "txtOldPass");
    txtNovaPassword = caixaPassword(fraMudaPass, "txtNovaPassword");
    txtNovaPasswordConfirmacao = caixaPassword(fraMudaPass, "txtNovaPasswordConfirmacao");
    txtNovaPassValidacao = indicador(fraMudaPass, "txtNovaPassValidacao");
    cmdConfirmar = botao(fraMudaPass, "cmdConfirmar", QStringLiteral("&Confirmar"));
    cmdCancelarMudanca = botao(fraMudaPass, "cmdCancelar", QStringLiteral("Cance&lar"));
    auto* nota = new QLabel(QStringLiteral("(alteração aplicável na primeira entrada ou por ordem do administrador)"),
                            fraMudaPass);
    nota->setWordWrap(true);
    auto* g = new QGridLayout(fraMudaPass);
    g->addWidget(new QLabel(QStringLiteral("Password Actual"), fraMudaPass), 0, 0);
    g->addWidget(txtOldPass, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Nova Password"), fraMudaPass), 1, 0);
    g->addWidget(txtNovaPassword, 1, 1);
    g->addWidget(txtNovaPassValidacao, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Confirmação"), fraMudaPass), 2, 0);
    g->addWidget(txtNovaPasswordConfirmacao, 2, 1);
    g->addWidget(nota, 3, 0, 1, 3);
    auto* bm = new QHBoxLayout;
    bm->addWidget(cmdConfirmar);
    bm->addStretch();
    bm->addWidget(cmdCancelarMudanca);
    g->addLayout(bm, 4, 0, 1, 3);
    fraMudaPass->hide();

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(m_areaLogin);
    principal->addWidget(fraMudaPass);
    principal->setSizeConstraint(QLayout::SetFixedSize);

    for (QLineEdit* e : {txtLogin, txtPassword, txtOldPass, txtNovaPassword, txtNovaPasswordConfirmacao})
        e->installEventFilter(this);

    connect(txtLogin, &QLineEdit::textChanged, this, [this] { paraLogica(); daLogica(); });
    connect(txtPassword, &QLineEdit::textChanged, this, [this] { paraLogica(); daLogica(); });
    connect(txtNovaPassword, &QLineEdit::textChanged, this, [this] { paraLogica(); daLogica(); });
    connect(chkUsaTeclado, &QCheckBox::toggled, this, [this](bool v) { m_logica.chkUsaTeclado = v; });

    auto ligar = [this](QAbstractButton* b, auto operacao) {
        connect(b, &QAbstractButton::clicked, this, [this, operacao] {
            paraLogica();
            using R = decltype((m_logica.*operacao)());
            if constexpr (std::is_same_v<R, Login::Resultado>) {
                const Login::Resultado r = (m_logica.*operacao)();
                daLogica(true);
                if (r != Login::Resultado::Continua)
                    terminar(r);
            } else {
                (m_logica.*operacao)();
                daLogica(true);
            }
        });
    };
    ligar(cmdOk, &Login::cmdOk_Click);
    ligar(cmdCancel, &Login::cmdCancel_Click);
    ligar(cmdCancelar, &Login::cmdCancelar_Click);
    ligar(cmdAlterarPwd, &Login::cmdAlterarPwd_Click);
    ligar(cmdLogin, &Login::cmdLogin_Click);
    ligar(cmdConfirmar, &Login::cmdConfirmar_Click);
    ligar(cmdCancelarMudanca, &Login::fraMudaPass_Cancelar);
}

void FrmLogin::Abrir(bool aposFecharMenu) {
    m_resultado = Login::Resultado::Continua;
    m_logica.Abrir(aposFecharMenu);
    txtLogin->setEnabled(true);
    daLogica(true);
    show();
}

void FrmLogin::paraLogica() {
    m_logica.txtLogin = txtLogin->text();
    m_logica.txtPassword = txtPassword->text();
    m_logica.txtOldPass = txtOldPass->text();
    m_logica.txtNovaPassword = txtNovaPassword->text();
    m_logica.txtNovaPasswordConfirmacao = txtNovaPasswordConfirmacao->text();
    m_logica.chkUsaTeclado = chkUsaTeclado->isChecked();
}

void FrmLogin::daLogica(bool aplicarFoco) {
    const QSignalBlocker b1(txtLogin), b2(txtPassword), b3(txtNovaPassword);
    mudarTexto(txtLogin, m_logica.txtLogin);
    mudarTexto(txtPassword, m_logica.txtPassword);
    mudarTexto(txtCodigo, m_logica.txtCodigo);
    mudarTexto(txtOldPass, m_logica.txtOldPass);
    mudarTexto(txtNovaPassword, m_logica.txtNovaPassword);
    mudarTexto(txtNovaPasswordConfirmacao, m_logica.txtNovaPasswordConfirmacao);
    chkUsaTeclado->setChecked(m_logica.chkUsaTeclado);
    mudarTexto(txtPassValidacao, m_logica.txtPassValidacao());
    mudarTexto(txtNovaPassValidacao, m_logica.txtNovaPassValidacao());
    m_areaLogin->setVisible(!m_logica.mudaPassVisivel());
    fraMudaPass->setVisible(m_logica.mudaPassVisivel());
    if (!aplicarFoco)
        return;
    switch (m_logica.foco()) {
    case Login::Campo::Login:
        txtLogin->setFocus();
        break;
    case Login::Campo::Password:
        txtPassword->setFocus();
        break;
    case Login::Campo::OldPass:
        txtOldPass->setFocus();
        break;
    case Login::Campo::NovaPassword:
        txtNovaPassword->setFocus();
        break;
    case Login::Campo::NovaPasswordConfirmacao:
        txtNovaPasswordConfirmacao->setFocus();
        break;
    }
}

void FrmLogin::terminar(Login::Resultado r) {
    m_resultado = r;
    if (r == Login::Resultado::Entrou)
        accept();
    else
        QDialog::reject();
}

void FrmLogin::reject() {
    paraLogica();
    terminar(m_logica.cmdCancelar_Click());
}

// Enter moves to the next field and Esc to the previous one; Enter on the last field of a group
// presses its button.
bool FrmLogin::eventFilter(QObject* objecto, QEvent* evento) {
    if ((objecto == txtLogin || objecto == txtPassword) && evento->type() == QEvent::MouseButtonRelease &&
        chkUsaTeclado->isChecked()) {
        // After the click is done, so the keyboard window is not opened inside the field's event.
        auto* campo = static_cast<QLineEdit*>(objecto);
        QTimer::singleShot(0, this, [this, campo] { tecladoEcra(campo); });
        return false;
    }
    if (objecto == txtLogin && evento->type() == QEvent::FocusOut &&
        (txtLogin->text().contains(u'\\') || txtLogin->text().contains(u'/'))) {
        // Outside the focus change, so the search window can take the focus.
        QTimer::singleShot(0, this, [this] {
            paraLogica();
            m_logica.txtLogin_LostFocus();
            daLogica(true);
        });
        return false;
    }
    if (evento->type() != QEvent::KeyPress)
        return QDialog::eventFilter(objecto, evento);
    const int tecla = static_cast<QKeyEvent*>(evento)->key();
    if (tecla == Qt::Key_Escape) {
        if (objecto != txtLogin && objecto != txtOldPass)
            focusPreviousChild();
        return true;
    }
    if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter)
        return QDialog::eventFilter(objecto, evento);
    if (objecto == txtLogin)
        txtPassword->setFocus();
    else if (objecto == txtPassword)
        cmdOk->click();
    else if (objecto == txtOldPass)
        txtNovaPassword->setFocus();
    else if (objecto == txtNovaPassword)
        txtNovaPasswordConfirmacao->setFocus();
    else if (objecto == txtNovaPasswordConfirmacao)
        cmdConfirmar->click();
    return true;
}

void FrmLogin::tecladoEcra(QLineEdit* campo) {
    frmTeclado teclado(campo->text(), this);
    // A password is not shown on the screen keyboard either.
    teclado.txtResultado->setEchoMode(campo->echoMode());
    if (teclado.exec() != QDialog::Accepted)
        return;
    campo->setText(teclado.texto());
    campo->setFocus();
    if (campo == txtLogin)
        txtPassword->setFocus();
}

void FrmLogin::keyPressEvent(QKeyEvent* evento) {
    // Esc goes back a field; it never closes the window.
    if (evento->key() == Qt::Key_Escape) {
        focusPreviousChild();
        return;
    }
    QDialog::keyPressEvent(evento);
}

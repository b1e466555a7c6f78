#pragma once

#include "session/Login.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;

// The login window. Use:
//   FrmLogin janela(ctx, ui);
//   janela.Abrir();          // Abrir(true) when the main menu has just closed
//   janela.exec();
//   switch (janela.resultado()) { Entrou: main menu; Cancelou / Fechou: company selection }
class FrmLogin : public QDialog {
    Q_OBJECT
public:
    FrmLogin(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);

    void Abrir(bool aposFecharMenu = false);
    Login::Resultado resultado() const { return m_resultado; }
    Login& logica() { return m_logica; }

public slots:
    void reject() override; // the window's close button: back to company selection

protected:
    bool eventFilter(QObject* objecto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void construir();
    void paraLogica();
    void daLogica(bool aplicarFoco = false);
    void terminar(Login::Resultado r);
    // The screen keyboard over a field, when "Usar o teclado no ecrã" is ticked.
    void tecladoEcra(QLineEdit* campo);

    Login m_logica;
    Login::Resultado m_resultado = Login::Resultado::Continua;

    QWidget* m_areaLogin = nullptr;
    QLineEdit* txtLogin = nullptr;
    QLineEdit* txtPassword = nullptr;
    QLineEdit* txtCodigo = nullptr;
    QLineEdit* txtPassValidacao = nullptr;
    QToolButton* cmdLogin = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdCancelar = nullptr;
    QPushButton* cmdAlterarPwd = nullptr;
    QPushButton* cmdRecarregarAcessos = nullptr;
    QCheckBox* chkUsaTeclado = nullptr;

    QGroupBox* fraMudaPass = nullptr;
    QLineEdit* txtOldPass = nullptr;
    QLineEdit* txtNovaPassword = nullptr;
    QLineEdit* txtNovaPasswordConfirmacao = nullptr;
    QLineEdit* txtNovaPassValidacao = nullptr;
    QPushButton* cmdConfirmar = nullptr;
    QPushButton* cmdCancelarMudanca = nullptr;
};

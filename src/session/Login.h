#pragma once

#include "common/UserInteraction.h"
#include "session/ValidaPass.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

struct GlobalContext;
class Database;

// What the login window does: validates a user of the chosen company, marks him as present,
// enforces the password policy, checks his right to enter the program and fills the context.
// The window binds its controls to the public fields and calls the operations; every message
// goes through UserInteraction.
//
// Use: Abrir() once when the window is shown (true after the main menu closed); after each
// operation read mudaPassVisivel(), foco() and the fields back into the controls. An operation
// returning something other than Continua ends the window.
class Login {
public:
    enum class Resultado {
        Continua, // the window stays open
        Entrou,   // the user is in: open the main menu
        Cancelou, // back to company selection; the company connection is kept ("Cance&lar")
        Fechou,   // back to company selection; the connections are closed ("&Fechar")
    };
    enum class Campo { Login, Password, OldPass, NovaPassword, NovaPasswordConfirmacao };

    Login(GlobalContext& ctx, UserInteraction& ui, const QString& programa = QString());

    // Bound to the controls of the same names.
    QString txtLogin;
    QString txtPassword;
    QString txtCodigo;
    QString txtOldPass;
    QString txtNovaPassword;
    QString txtNovaPasswordConfirmacao;
    bool chkUsaTeclado = false;

    void Abrir(bool aposFecharMenu = false);
    Resultado cmdOk_Click();
    // Voluntary password change.
    void cmdAlterarPwd_Click();
    // Shows the password-change frame instead of the login controls.
    void AlteraPassword();
    void cmdConfirmar_Click();
    void fraMudaPass_Cancelar();
    // User search; true when a user was chosen into txtLogin.
    bool cmdLogin_Click();
    void txtLogin_LostFocus();
    Resultado cmdCancel_Click();
    Resultado cmdCancelar_Click();
    // Keeps the login and the keyboard choice for the next time.
    void Descarregar();

    // The scheduled automatic backup of the window program ("Entrada"), run once the user is in.
    std::function<void(const QString& accao)> segurancaAutomatica;
    // The user search window, given by the program's outer layer, which owns the lookups: gets the
    // typed text ("\" or "/" searches with the rest as key; empty opens the search) and the condition
    // that hides users excluded from searches; returns the chosen user's code. Unset: a plain list.
    std::function<std::optional<QString>(const QString& chave, const QString& condicao)> pesquisaUtilizadores;
    static inline const QString CondicaoPesquisa = QStringLiteral("COALESCE(Utilizador.ExcluiPesq,0)=0");

    // The server's other companies where the new password was not written (the login is there
    // with another password, or the company could not be opened), after the last change.
    const QStringList& empresasSemNovaPassword() const { return m_semNovaPassword; }

    bool mudaPassVisivel() const { return m_mudaPass; }
    Campo foco() const { return m_foco; }
    // Strength texts of txtPassword and txtNovaPassword.
    QString txtPassValidacao() const;
    QString txtNovaPassValidacao() const;

    // The service login works only where the installation configured the Argon2id hash of its
    // password under this key of the system-wide settings, which users cannot write.
    static inline const QString ChaveHashServico = QStringLiteral("Servico/PasswordHash");
    static QString HashPasswordServico();

    void EliminarUtilizadorTarvo();

private:
    struct DadosUtilizador {
        QString codigo, login, password;
        bool validaInterno = false;
        bool alteraPassword = false;
    };

    Database* bd();
    std::optional<DadosUtilizador> lerUtilizador(Database& db, const QString& login);
    bool loginServico(Database& db);
    void criarSupervisorSeFaltar(Database& db, const QString& login);
    bool validarNoServidor(Database& db, const DadosUtilizador& u);
    // false when the login must stop here (the password is changed first, or the user said no).
    bool passwordEmDia(Database& db, const QString& codigo);
    bool direitoAoPrograma(const QString& codigo);
    void converterPasswordsGravadas(Database& db);
    void registar(Database& db, const QString& utilizador, const QString& modulo, const QString& accao,
                  const QString& descricao);
    Resultado recusar(const QString& texto, Campo foco, UserInteraction::Icone icone);
    void largarPresenca(const QString& codigo);
    void propagarPassword(const QString& login, const QString& antiga, const QString& nova);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QString m_programa;
    RegrasPassword m_regras;
    bool m_mudaPass = false;
    Campo m_foco = Campo::Login;
    QStringList m_semNovaPassword;
};

#pragma once

// Scheduled backups at entry and exit (Log_DB_Agenda) and the backup history (Log_DB).

#include "common/Resultado.h"

#include <QDateTime>
#include <QString>
#include <vector>

class Database;

// "Seg;" … "Dom;" for a date, from a fixed table (never the machine's locale).
QString AbreviaturaDiaSemana(const QDate& data);

// True when the user has a schedule for `opcao` ("Entrada"/"Saida") due at `quando`: its Hora
// ("HH:mm") at or before the time, and its Dias empty or holding the weekday (case ignored).
Resultado<bool> AgendaDevida(Database& db, const QString& utilizador, const QString& opcao, const QDateTime& quando);

struct AgendaSeguranca {
    QString utilizador, opcao, hora, dias;
};
// One schedule per user and option: writes it (or removes it with `remover`). Refuses an option
// other than "Entrada"/"Saida", a time not "HH:mm", or day tokens outside "Seg;Ter;Qua;Qui;Sex;Sáb;Dom;".
Resultado<> GravarAgendaSeguranca(Database& db, const AgendaSeguranca& a, bool remover = false);

struct LinhaHistoricoSeguranca {
    QString accao, data, hora, utilizador, utilizadorLogin, posto, ficheiro;
};
// Log_DB rows from `desde` ("yyyy-mm-dd", empty = all), newest first, with the user's login.
Resultado<std::vector<LinhaHistoricoSeguranca>> LerHistoricoSegurancas(Database& db, const QString& desde = {});

struct GlobalContext;
class UserInteraction;

// The backup window frmSegurancas without its widgets. Automatic mode ("AUTO", at entry or exit
// when a schedule is due) offers only the backup; manual mode (the supervisor's) also restores.
//
// Use: Abrir(); when it returns true show the window; bind the fields; cmdSeguranca_Click() and
// cmdRepor_Click() on the buttons; Fechar() when the window closes. fechar() true: close it now.
class Segurancas {
public:
    static inline const QString Layout = QStringLiteral(
        "Acção,1000,,,accao/Data,1000,C,,data/Hora,600,C,,hora/C.Util.,0,,,Utilizador/Utilizador,1000,,,"
        "UtilizadorLogin/Posto,1000,,,Posto/Ficheiro de Segurança-Reposição,3000,,,ficheiro/");
    static inline const QString ChavePasta = QStringLiteral("txtPath_Files");
    static inline const QString Cancelada = QStringLiteral("Segurança não efectuada (cancelada)!");

    Segurancas(GlobalContext& ctx, UserInteraction& ui);

    // accao "Entrada"/"Saida"; modo "AUTO" checks the schedule at `quando` (invalid = now) and
    // returns false when none is due. Any other mode is the manual window.
    bool Abrir(const QString& accao, const QString& modo = {}, const QDateTime& quando = {});

    bool automatico() const { return m_automatico; }
    // Bound to the controls of the same names.
    QString txtPath_Files;
    QString lblEmpresa;
    QString lblInfo;
    QString lblEstado;
    std::vector<LinhaHistoricoSeguranca> lvwHistorico;
    // Restore page.
    QString txtFicheiroRepor;
    QString lblInfoCopia;
    QString txtNovoCodigo;

    void ActualizarHistorico();
    void cmdPasta_Click();
    bool cmdSeguranca_Click();
    // Chooses the backup file and reads its control file into lblInfoCopia.
    bool cmdFicheiroRepor_Click();
    bool LerFicheiroRepor();
    bool cmdRepor_Click();
    // Records the refusal when an automatic window closes without a backup.
    void Fechar();
    bool fechar() const { return m_fechar; }
    bool copiaFeita() const { return m_copiaFeita; }

private:
    void gravarPasta();

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QString m_accao;
    bool m_automatico = false;
    bool m_copiaFeita = false;
    bool m_fechar = false;
    bool m_fechado = false;
    bool m_aberto = false;
};

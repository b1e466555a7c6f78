#pragma once

#include <QString>
#include <QStringList>
#include <vector>

struct GlobalContext;
class UserInteraction;

// Per-user access rights kept in table Acessos (one row per user and protected item).
// Keys: program name + window name + access caption for a window; the same followed by the
// button's caption for a button; the program name alone for the right to enter the program.

inline const QString NomePrograma = QStringLiteral("WLumoProd");

// Whether the user holds the right of a key (row value 1). Supervisor "01" and service user "00"
// always do. When denied and mensagem is true, tells the user through ui.
bool Acesso(GlobalContext& ctx, UserInteraction* ui, const QString& utilizador, const QString& chave, bool mensagem);

// Creates every access row of the program for the user (value 1) where missing.
bool CriaTodososAcessos(GlobalContext& ctx, const QString& utilizador);
// Removes every access row of the program of the user.
bool ApagaTodososAcessos(GlobalContext& ctx, const QString& utilizador);

class Database;

// A button whose use is controlled per user.
struct BotaoProtegido {
    QString ctrl;    // "cmdGravar"
    QString caption; // "&Gravar"
};

// A window opened from the menu, with its controlled buttons.
struct JanelaProtegida {
    QString form;    // "frmAcessos"
    QString caption; // the access caption, part of the key
    std::vector<BotaoProtegido> botoes;
};

// Every window of the program whose access is controlled. Each window that joins the menu adds
// itself here, so CriaTodososAcessos gives a new user every right at once.
const std::vector<JanelaProtegida>& JanelasProtegidas();

// Keys of the Acessos rows.
QString ChaveJanela(const QString& form, const QString& caption);
QString ChaveBotao(const QString& form, const QString& caption, const QString& captionBotao);
// The caption as the user reads it: accelerator marks removed.
QString TextoSemAcelerador(const QString& caption);
// A button is controlled when its name begins with "cmd" and it does not close, cancel or go back
// (caption beginning "FECHA", "CANCEL", "VOLTA", "SAI" or "...", ignoring "&" and letter case).
bool BotaoControlado(const QString& ctrl, const QString& caption);

// Same as above over a given list of windows, telling progress through ui when given.
bool CriaTodososAcessos(GlobalContext& ctx, const QString& utilizador,
                        const std::vector<JanelaProtegida>& janelas, UserInteraction* ui = nullptr);

// The value of the user's row of a key; -1 when there is none.
int CheckUtilizApp(GlobalContext& ctx, const QString& chave, const QString& utilizador);

// Inserts the window's row and one row per controlled button, each only where the user has none.
bool GetBotoes(Database& db, const QString& utilizador, const JanelaProtegida& janela, int value);

// Outcome of the check a menu entry makes before showing a window.
struct ResultadoFormAcessos {
    bool permitido = false;
    // Controlled buttons (by ctrl name) and whether they stay enabled; other buttons are left alone.
    std::vector<std::pair<QString, bool>> botoes;
};

// The check a menu entry makes: "01" and "00" always pass; a window the user has no row for gets
// its rows with value 0 and is denied; a row with value other than 1 denies. When allowed, each
// controlled button is enabled unless its own row says otherwise.
ResultadoFormAcessos FormAcessos(GlobalContext& ctx, const QString& utilizador,
                                 const JanelaProtegida& janela);

// The logged-in user's right on one product (column of UtilizadorProduto: "Consulta", "Movimenta",
// "VerCustos", "Altera"). "01" and "00" always hold it; an unknown column never does.
bool Acesso_Utilizador_Produto(GlobalContext& ctx, const QString& coluna, const QString& produto);

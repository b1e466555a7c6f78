#pragma once

#include "common/InteraccaoSilenciosa.h"
#include "common/Resultado.h"
#include "company/GlobalContext.h"

struct PedidoCli;

// The company opened for one command of the headless program, worked in as one of its users
// (--empresa CODIGO, --utilizador CODIGO, default the supervisor "01").
class SessaoCli {
public:
    ~SessaoCli();
    // Refused when the company or the user cannot be had.
    Resultado<> abrir(const PedidoCli& p);
    // The user's right to do the work of a window (and of its buttons the command presses), as the
    // menu would grant it: the supervisor and the service user always; others need the program's
    // row, the window's row at 1 and no button row below 1. Reads only; "Acesso Negado !" otherwise.
    Resultado<> permitido(const QString& form, const QStringList& botoes);
    // The program's right alone, for the commands that do no window's work.
    Resultado<> permitidoPrograma();
    // Whether a code exists in one of the code tables (Produtos, Armazens); the table name comes from
    // the caller's code, never from input.
    bool existe(const QString& tabela, const QString& codigo);
    // The product code as the company stores it; refused when there is no such product.
    Resultado<QString> produto(const QString& digitado, QString* descricao = nullptr);

    GlobalContext ctx;
};

// Nobody answers at the command line: questions get "no", and the last message is kept so the
// command can report why something was refused.
class InteraccaoCli : public InteraccaoSilenciosa {};

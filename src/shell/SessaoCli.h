#pragma once

#include "common/InteraccaoSilenciosa.h"
#include "shell/GlobalContext.h"

struct PedidoCli;

// The company opened for one command of the headless program, worked in as one of its users
// (--empresa CODIGO, --utilizador CODIGO, default the supervisor "01").
class SessaoCli {
public:
    ~SessaoCli();
    // False with the reason in erro when the company or the user cannot be had.
    bool abrir(const PedidoCli& p, QString& erro);
    // The product code as the company stores it; false (with erro) when there is no such product.
    bool produto(const QString& digitado, QString& codigo, QString& erro, QString* descricao = nullptr);

    GlobalContext ctx;
};

// Nobody answers at the command line: questions get "no", and the last message is kept so the
// command can report why something was refused.
class InteraccaoCli : public InteraccaoSilenciosa {};

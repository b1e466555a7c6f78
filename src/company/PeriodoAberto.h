#pragma once

#include "common/Resultado.h"

#include <QString>

struct GlobalContext;
struct ParametrosEmpresa;
class UserInteraction;

// May a document dated `data` be posted into warehouse `armazem`? Checks the company's opening
// year, ParamGeral.DataEmAberto, and the open year and month (the warehouse's own control, when
// it has one, takes the place of the general one). The date is "yyyy-mm-dd" or "dd-mm-yyyy";
// an empty or invalid date is refused without a message. Messages only when mostrarMensagens.
// The check alone, for postings: the refusal carries the message (empty for an empty or invalid date).
Resultado<> PeriodoEmAberto(GlobalContext& ctx, const QString& data, const QString& armazem);
// The same with the company's parameters as the caller read them (inside its posting transaction).
Resultado<> PeriodoEmAberto(GlobalContext& ctx, const QString& data, const QString& armazem,
                            const ParametrosEmpresa& parametros);

bool ValidaPeriodoAberto(GlobalContext& ctx, UserInteraction& ui, const QString& data, const QString& armazem,
                         bool mostrarMensagens);

#pragma once

#include "common/Resultado.h"

#include <QString>
#include <QStringList>

struct GlobalContext;
class LinhaMovProduto;

// A stock row that comes from outside the program (the command line) checked against what the
// ledger can hold, before the per-product posting takes it: its movement type exists and has the
// row's stock effect; warehouse and location exist; a lot only on a lot-managed product and always
// on one while lots are in use; a quantity above 0 (0 only on the value corrections "AC+"/"AC-");
// no negative price; real dates and the year of the date.
Resultado<> VerificaMovimentoExterno(GlobalContext& ctx, const LinhaMovProduto& l);

// Columns the posting fills itself (time, state, costs, bar code...): a row from outside may not
// give them.
const QStringList& ColunasPreenchidasPeloPrograma();

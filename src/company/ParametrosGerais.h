#pragma once

struct GlobalContext;
class UserInteraction;

// Fills the context from the company's ParamGeral row, then the user's UtilConfGeral row and the
// lines of his default warehouse. An empty table or a missing row leaves the fields as they
// were. Never shows anything.
void CarregaParametrosGerais(GlobalContext& ctx);

// Decimal places of production quantities, from the first row of configProd (menu load).
// Without a row the value stays as it was.
void CarregaCasasDecProducao(GlobalContext& ctx);

// Configuration warnings at menu load: the first missing piece is told to the user and the
// result is false. The menu opens anyway.
bool VerificaConfiguracao(GlobalContext& ctx, UserInteraction& ui);

#pragma once

#include "printing/Relatorio.h"
#include "production/ListagensNomenclatura.h"

class cPrinter;

// The bill-of-materials listings' figures: one "produto" row per finished product and, with
// discrimina, one "componente" row per bill row.
DadosRelatorio DadosListagemNomenclatura(const std::vector<LinhaListagemNomenclatura>& linhas, bool medicoes,
                                         const QString& produto, bool discrimina);

// Draws "Nomenclatura de Produtos Acabados" (or, with medicoes, "… (Medições)"): a block per
// finished product with its raw materials; quantities with `casas` decimals.
bool ImprimirListagemNomenclatura(cPrinter& p, const std::vector<LinhaListagemNomenclatura>& linhas, bool medicoes,
                                  bool discrimina, int casas, const QString& empresa,
                                  const QString& destino = QStringLiteral("S"),
                                  const QDate& emissao = QDate::currentDate());

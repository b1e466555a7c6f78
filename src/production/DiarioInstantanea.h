#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"

#include <QString>
#include <QStringList>
#include <vector>

class Database;

// How the instant-production journal groups its lines.
enum class ModoDiarioInstantanea {
    DiarioCorrido,   // run by run, under its date
    PorNomenclatura, // each product summed per instant bill of materials
    PorFluxo         // each product summed per flow of the bills
};

// The runs of a period (by document date), optionally of one instant bill of materials or flow.
struct FiltroDiarioInstantanea {
    QString nomenclatura;                 // blank: every bill, and runs without one
    QString fluxo;                        // "A".."E"; blank or "Todos": every flow
    QString de, ate;                      // "yyyy-mm-dd", blank: open-ended
    ModoDiarioInstantanea modo = ModoDiarioInstantanea::DiarioCorrido;
};

// The flows a bill of materials may have, and the choice of all of them.
inline const QStringList FluxosDiarioInstantanea{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                                                 QStringLiteral("D"), QStringLiteral("E")};
inline const QString TodosFluxos = QStringLiteral("Todos");

// One side of a printed line: a raw material or a finished product.
struct LadoDiarioInstantanea {
    QString produto, descricao;
    Currency quantidade, preco, valor; // valor = quantidade × preco (a sum of them when accumulated)
    bool vazio() const { return produto.isEmpty() && quantidade.isZero() && valor.isZero(); }
};

// The n-th raw material and the n-th finished product of a run (or of a group, accumulated)
// share a line; the shorter list leaves its side empty.
struct LinhaDiarioInstantanea {
    LadoDiarioInstantanea mp, pa;
};

// A run (daily mode), a bill of materials or a flow, with the value of its raw materials and of
// its finished products.
struct GrupoDiarioInstantanea {
    QString data;                           // daily: the run's date
    QString processo;                       // daily: the run number
    QString nomenclatura, descricaoNomenclatura; // daily and per bill; blank: a run without a bill
    QString fluxo;                          // daily, per bill and per flow; blank: no bill
    std::vector<LinhaDiarioInstantanea> linhas;
    Currency totalMP, totalPA;
};

struct DiarioInstantanea {
    ModoDiarioInstantanea modo = ModoDiarioInstantanea::DiarioCorrido;
    std::vector<GrupoDiarioInstantanea> grupos;
    Currency totalMP, totalPA;
};

// One statement whatever the number of runs. Daily: groups by date and run number (numerically),
// lines in posting order. Accumulated: groups by bill code or flow (blank last), equal products
// summed at their weighted average price, in the order they first appear.
Resultado<DiarioInstantanea> LerDiarioInstantanea(Database& db, const FiltroDiarioInstantanea& f);

// The mode's caption on the form ("Diário Corrido", ...) and its command-line name ("diario", ...).
QString NomeModoDiarioInstantanea(ModoDiarioInstantanea m);
QString ChaveModoDiarioInstantanea(ModoDiarioInstantanea m);

#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct GlobalContext;
class Database;

// An instant recipe (table NomenclaturaInstantanea, one row per line): raw materials ("MP") and
// finished products ("PA"), each with a warehouse, a quantity per run and a price rule.
enum class TipoLinhaReceita { Materia, Acabado };
QString textoTipoLinha(TipoLinhaReceita tipo); // "MP" / "PA"

inline const QString PrecarioDigitado = QStringLiteral("Digitado");
inline const QString PrecarioPercCusto = QStringLiteral("PercCusto");

struct LinhaReceita {
    QString produto, descricao, armazem;
    Currency quantidade;
    QString precario;
    Currency valor; // the typed price ("Digitado") or the percentage ("PercCusto"); else 0
    QString observa;
};

struct Receita {
    QString codigo, descricao;
    QString fluxo = QStringLiteral("A");
    std::vector<LinhaReceita> materias, acabados;

    std::vector<LinhaReceita>& linhas(TipoLinhaReceita t) { return t == TipoLinhaReceita::Materia ? materias : acabados; }
    const std::vector<LinhaReceita>& linhas(TipoLinhaReceita t) const {
        return t == TipoLinhaReceita::Materia ? materias : acabados;
    }
};

// The price rules a line may take, as "key:caption;" pairs in the order they are offered. A
// miscellaneous raw material only takes a typed price; finished products may also take a share
// of the raw-material cost.
QString opcoesPrecario(TipoLinhaReceita tipo, bool produtoDiverso);
// Whether the rule is one of those offered for the line (without regard to case); the stored text
// always goes through this list, never into SQL.
bool precarioValido(TipoLinhaReceita tipo, bool produtoDiverso, const QString& precario);
// The key as the list writes it ("precomediocusto" gives "PrecoMedioCusto"); "" when unknown.
QString precarioNormalizado(const QString& precario);
// The value field is used only by the typed price and the cost share.
inline bool precarioComValor(const QString& precario) {
    return precario == PrecarioDigitado || precario == PrecarioPercCusto;
}

// The rule a new line starts with: the production parameters' when it is one of the three cost
// prices (compared without regard to case), else the average cost.
QString precarioInicial(const QString& configurado);
// The product's price for a cost-price rule, from a fixed column list (never from stored text);
// 0 for the typed price and the cost share.
Resultado<Currency> PrecoProdutoPorRegra(Database& db, const QString& produto, const QString& precario);

// Recipes of the list mode: code, description and flow, ordered by code.
struct ResumoReceita {
    QString codigo, descricao, fluxo;
};
Resultado<std::vector<ResumoReceita>> ListarReceitas(Database& db);

// The recipe with its lines in their order (raw materials, then finished products, each in the
// order they were written); nullopt when there is no such code.
Resultado<std::optional<Receita>> LerReceita(Database& db, const QString& codigo);
// Whether a recipe with this code exists.
Resultado<bool> ExisteReceita(Database& db, const QString& codigo);
// Whether an instant production used the recipe (then it cannot be deleted).
Resultado<bool> ReceitaUsada(Database& db, const QString& codigo);

// Writes the whole recipe in one transaction (its old lines are replaced) with its log entry
// (module "TB", action "N"). Refused, writing nothing, without code, description, raw materials
// or finished products.
Resultado<> GravarReceita(GlobalContext& ctx, const Receita& r);
// Deletes the recipe and logs it (action "E"); refused when an instant production used it.
Resultado<> EliminarReceita(GlobalContext& ctx, const QString& codigo, const QString& descricao);

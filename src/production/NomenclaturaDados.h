#pragma once

#include "common/Resultado.h"
#include "common/Currency.h"

#include <QString>
#include <vector>

struct GlobalContext;
class Database;

// Bills of materials: one Nomenclatura row per finished product and raw material; the finished
// product's own data (description, Fixa, CtrlQuantidades, ProdutoAcabadoPreco) is repeated on
// every row of its bill.
//
// Production orders read a bill with LerNomenclatura(db, produtoAcabado) and use
// precoLinha()/formulaFactor() for the values stored as null in older rows.

inline const QString PrecarioPMC = QStringLiteral("PrecoMedioCusto");
inline const QString PrecarioUPCusto = QStringLiteral("UltPrecoCusto");
inline const QString PrecarioUPCompra = QStringLiteral("UltPrecoCompra");

struct LinhaNomenclatura {
    qint64 numRegisto = 0;
    QString produtoAcabado;
    QString descProdutoAcabado;
    QString produtoPrima;
    QString descProdutoPrima;
    Currency quantidade;
    Currency preco; // only miscellaneous products keep a price; 0 for the others
    QString armazem;
    QString observa;
    bool fixa = false;
    bool ctrlQuantidades = false;
    QString precario; // PrecarioPMC, PrecarioUPCusto or PrecarioUPCompra
    Currency factor;  // conversion factor; null read as 0
    QString factorFormula = QStringLiteral("A"); // "A" quantity / factor, "B" factor / quantity
    Currency produtoAcabadoPreco;
};

// The lines of a finished product's bill, ordered by raw material. Empty when it has none.
Resultado<std::vector<LinhaNomenclatura>> LerNomenclatura(Database& db, const QString& produtoAcabado);
// One line by NumRegisto; numRegisto 0 in the result when there is none.
Resultado<LinhaNomenclatura> LerLinhaNomenclatura(Database& db, qint64 numRegisto);
// Whether the finished product has a bill.
bool ExisteNomenclatura(Database& db, const QString& produtoAcabado);

// Whether the code is one of the company's two miscellaneous products (whose lines keep a price).
bool ProdutoDiverso(const GlobalContext& ctx, const QString& produto);

// Writes one line: the row of the same finished product and raw material is overwritten when it
// exists, else one is added. The price is kept only for a miscellaneous product. The header
// values (description, price) are then written on every row of the bill. Logs "N" or "A".
// Runs inside the caller's transaction when there is one. Returns the line's NumRegisto, or 0.
qint64 GravarLinhaNomenclatura(GlobalContext& ctx, LinhaNomenclatura linha, bool* nova = nullptr);

// Whether a finished product is used in works (ObrasProdutosAcabados); such a bill is kept.
bool NomenclaturaEmObras(Database& db, const QString& produtoAcabado);
// Deletes one line (by NumRegisto) and logs it.
bool EliminarLinhaNomenclatura(GlobalContext& ctx, qint64 numRegisto);
// Deletes the whole bill and logs it; the caller checks NomenclaturaEmObras first.
bool EliminarNomenclatura(GlobalContext& ctx, const QString& produtoAcabado, const QString& descricao);

// Column writes that apply to every row of a bill at once.
bool DefinirFixa(Database& db, const QString& produtoAcabado, bool fixa);
bool DefinirCtrlQuantidades(Database& db, const QString& produtoAcabado, bool controlo);
bool DefinirPrecoProdutoAcabado(Database& db, const QString& produtoAcabado, const Currency& preco);

// Copies the lines of another finished product's bill into this one (which must have none).
// Returns the number of lines copied, or -1 on failure (nothing copied).
int ImportarNomenclatura(GlobalContext& ctx, const QString& produtoAcabado, const QString& descricao,
                         const QString& origem);

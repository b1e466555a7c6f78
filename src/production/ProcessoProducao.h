#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"
#include "production/ProductionDocument.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

struct GlobalContext;
class Database;

// An open-ended production job that collects raw materials over days (Prod_Processos). It is open
// while DataEncerramento is blank; an instant run closes it.
struct ProcessoProducao {
    qint64 numRegisto = 0;
    QString processo, descricao, descricaoExtensa;
    QString dataInicio, dataPrevista; // "yyyy-mm-dd"
    QString dataEncerramento, tipoEncerramento, numeroEncerramento;
    bool encerrado() const { return !dataEncerramento.trimmed().isEmpty(); }
};

inline const QString MensagemProcessoEncerrado = QStringLiteral("PROCESSO ENCERRADO");

// The list's filter: state "C" open, "E" closed, "" every process; start dates from/to.
struct FiltroProcessos {
    QString estado = QStringLiteral("C");
    QString codigo, descricao, de, ate;
};
Resultado<std::vector<ProcessoProducao>> ListarProcessos(Database& db, const FiltroProcessos& f);
Resultado<std::optional<ProcessoProducao>> LerProcesso(Database& db, const QString& processo);
Resultado<std::optional<ProcessoProducao>> LerProcessoPorRegisto(Database& db, qint64 numRegisto);
// The next free numeric process code.
QString ProximoProcesso(GlobalContext& ctx);
// Saves the header: a new one refused with "Processo já existente!" when the code exists, a change
// keeps the code and the closing columns. Logged "TB" "N"/"A". Returns the saved row.
Resultado<ProcessoProducao> GravarProcesso(GlobalContext& ctx, ProcessoProducao p, bool novo);

// The production parameters movements need: the customer whose rounding applies and both
// movement types; the first one missing refuses with its message.
Resultado<> VerificaConfigProcessos(Database& db);

// One movement of material into a process (positive quantity) or back to stock (negative).
struct MovimentoProcesso {
    qint64 numRegisto = 0;
    QString processo, identifica, data, produto, descricao, armazem, localizacao, lote;
    // Estacao, Sexo, Referencia, Modelo, Cor, Tamanho, Comprimento
    std::array<QString, 7> referencias;
    QString fornece;
    Currency quantidade, preco, valorIliq; // value signed like the quantity
    QString unidade, observa;
    // A product kept in other units too: the unit and the quantity in it (the stock row's own).
    QString outUnidade;
    Currency outQuantidade;
};
Resultado<std::vector<MovimentoProcesso>> MovimentosProcesso(Database& db, const QString& processo);
Resultado<std::optional<MovimentoProcesso>> LerMovimentoProcesso(Database& db, qint64 numRegisto);

// What the process holds of a product (of one lot when given): issues less returns.
Resultado<Currency> SaldoProLanc(Database& db, const QString& processo, const QString& produto,
                                 const std::optional<QString>& lote = std::nullopt);

// The product's price by the production parameters' price rule (for the movement's price field).
Resultado<Currency> PrecoMovimentoProcesso(GlobalContext& ctx, const QString& produto);

// The checks of "&Lançar" that need no answer from the user, in the window's order: date, product,
// warehouse, quantity, price; a return within what the process holds of that product and lot;
// the lot where lots are in use; a reference on products sold by reference; the location; stock
// for an issue of a product under stock control. A blank location is filled by the stock rule.
Resultado<> VerificaMovimentoProcesso(GlobalContext& ctx, MovimentoProcesso& m);

struct ResultadoMovimentoProcesso {
    qint64 numRegisto = 0;
    QString identifica;
    DocumentoProducao documento;
    Currency valor;
};
// Posts one movement in one transaction under the posting lock: the stock row ("S+" issue with
// Processo_TipoSaida, "S-" return with Processo_TipoRet, absolute quantity, value rounded by the
// customer rules) with a new identifier and its own document number, and the Prod_ProcessosMov row.
// Refused with "PROCESSO ENCERRADO" when the process is closed or gone.
Resultado<ResultadoMovimentoProcesso> LancaMovimentoProcesso(GlobalContext& ctx, MovimentoProcesso m);

// Removes a movement and its stock row in one transaction (logged "TB" "E"); refused when the
// process is closed, the date's period is closed, or the process would then hold a negative
// quantity of that product and lot. Returns the removed movement (a change posts it again).
Resultado<MovimentoProcesso> EliminarMovimentoProcesso(GlobalContext& ctx, qint64 numRegisto);

// The finished-product documents a reopening removes.
Resultado<std::vector<DocumentoProducao>> DocumentosEncerramento(Database& db, const QString& processo);
// Reopens a closed process: its finished-product stock rows, Prod_ProcessosProc and the closing
// run's LoteInstantaneo rows go, the process is open again. Returns the removed documents.
Resultado<std::vector<DocumentoProducao>> ReabrirProcesso(GlobalContext& ctx, const QString& processo);
// Deletes a process with its movements; with comStock also every stock row it wrote (and the
// closing run's LoteInstantaneo rows).
Resultado<> EliminarProcesso(GlobalContext& ctx, const QString& processo, bool comStock);

// Consumption per product for the analysis chart (returns counted negative).
struct ConsumoProcesso {
    QString produto, descricao, unidade;
    Currency quantidade, valor;
};
Resultado<std::vector<ConsumoProcesso>> AnaliseProcesso(Database& db, const QString& processo);

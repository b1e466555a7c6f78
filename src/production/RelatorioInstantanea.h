#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"
#include "production/ProductionDocument.h"

#include <QString>
#include <functional>
#include <vector>

struct GlobalContext;
class Database;

// The instant runs of a period, optionally of one equipment, as the user may see them.
struct FiltroRelatorioInstantanea {
    QString de, ate;     // "yyyy-mm-dd", blank: open-ended
    QString equipamento; // blank: every equipment (and the process closings)
    QString utilizador;  // equipment reserved to other users is left out
};

// What kind of process a row is: a run of the instant production window, or a row that belongs to
// the production processes (a process closing, or the run that closed it).
inline const QString TipoProcessoInstantaneo = QStringLiteral("I");
inline const QString TipoProcessoProcessos = QStringLiteral("P");

// One row of "Relatório de Produção Instantânea": a finished product of a run, or the closing of a
// production process ("Ref. a " + process, without run number).
struct LinhaRelatorioInstantanea {
    int ordem = 0;
    qint64 numRegisto = 0; // of LoteInstantaneo, or of Prod_Processos for a closing
    QString numProcesso;   // the run; blank for a process closing
    QString tipoEntrada, numeroEntrada, dataEntrada; // dates "yyyy-mm-dd"
    QString tipoSaida, numeroSaida, dataSaida;       // the run's first raw-material line
    QString equipamento;
    QString observacoes;
    QString nomenclatura;  // the instant recipe: code - description
    QString tipoProcesso;  // TipoProcessoInstantaneo or TipoProcessoProcessos
    QString processo;      // the production process it closed, if any
    QString produto, descricao;
    Currency quantidade;
};

// Two statements whatever the number of runs: the finished-product lines with their output
// documents (by process number), then the process closings (by closing date and register).
Resultado<std::vector<LinhaRelatorioInstantanea>> LerRelatorioInstantanea(Database& db,
                                                                          const FiltroRelatorioInstantanea& f);

inline const QString MensagemSemNumeroProcesso =
    QStringLiteral("Registo sem nº de processo. Não pode eliminar\r\n(favor de ir à opção Processos para Produção)");
inline const QString MensagemProcessoDeProcessos = QStringLiteral("Não pode eliminar este processo nesta opção.");
inline const QString MensagemControloDatasProcesso = QStringLiteral("Não pode Eliminar este processo (Controlo de Datas)");

// The stock documents of a run (type, number, date), the raw materials' output first.
Resultado<std::vector<DocumentoProducao>> DocumentosProcessoInstantaneo(Database& db, const QString& numProcesso);

// Whether the run may be deleted here: it exists, its equipment is open to the user, it did not
// close a production process (the processes option reopens those) and every document's date lies
// in an open period of its warehouse. Writes nothing.
Resultado<> VerificaEliminacaoInstantanea(GlobalContext& ctx, const QString& numProcesso);

// Deletes a run in one transaction under the posting lock: exactly its own ledger rows (its
// documents' type, number and year, and its products), its LoteInstantaneo rows and a log entry;
// the products' average costs are recomputed. The checks above are made again under the lock.
// `aposDocumentos` (tests) runs after the ledger rows went; false makes the deletion fail there.
Resultado<> EliminarProcessoInstantaneo(GlobalContext& ctx, const QString& numProcesso,
                                        const std::function<bool()>& aposDocumentos = {});

// Labels for a stock quantity: quantity × the product's factor when that is above 0, else the
// quantity, rounded up to a whole number.
Currency QuantidadeEtiquetasInstantanea(const Currency& quantidade, const Currency& factor);

// What the label window is given for a finished-product row: its stock line's quantity and lot,
// the product's factor and the labels that makes.
struct EtiquetasInstantanea {
    QString produto, descricao, lote;
    Currency quantidade, factor, etiquetas;
};
Resultado<EtiquetasInstantanea> LerEtiquetasInstantanea(Database& db, const LinhaRelatorioInstantanea& l);

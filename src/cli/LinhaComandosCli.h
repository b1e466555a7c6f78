#pragma once

#include "common/Resultado.h"
#include "db/Database.h"

#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// The headless program: one command per run, its answer as JSON on standard output.

// What a command receives: the server chosen by the common options, its positional
// arguments and its options ("--nome X" gives opcoes["nome"] = "X").
struct PedidoCli {
    ConnectionParams servidor;
    QStringList argumentos;
    QHash<QString, QString> opcoes;
    // What a refused command had already done (the lots of a list of orders), answered beside the error.
    mutable QJsonObject parcial;

    // Every value of an option the command lets repeat ("--lote A=1 --lote B=2"), in order.
    QHash<QString, QStringList> repetidas;

    QString opcao(const QString& nome) const { return opcoes.value(nome); }
    QStringList valores(const QString& nome) const {
        return repetidas.contains(nome) ? repetidas.value(nome)
               : opcoes.contains(nome)  ? QStringList{opcoes.value(nome)}
                                        : QStringList{};
    }
};

// A command answers its result, or the reason (Portuguese) it refused.
using ExecucaoCli = std::function<Resultado<QJsonValue>(const PedidoCli& pedido)>;

struct ComandoCli {
    QString nome;
    QString uso; // e.g. "criar-empresa CODIGO --nome NOME --ano AAAA"
    QString descricao;
    QStringList opcoes; // options the command accepts besides the common ones; each takes a value
    ExecucaoCli executar;
    QStringList repetiveis{}; // options that may be given more than once; any other is refused when repeated
    QStringList semValor{};   // options that are flags and take no value ("--json")
};

// Every command the program knows; a new command is one more entry here.
const std::vector<ComandoCli>& comandosCli();
// The stock commands (LinhaComandosStock.cpp): they work in one company (--empresa CODIGO) as one
// of its users (--utilizador CODIGO, the supervisor "01" when not given).
std::vector<ComandoCli> comandosStockCli();
// The production commands (LinhaComandosProducao.cpp), in one company like the stock commands.
std::vector<ComandoCli> comandosProducaoCli();
// Bills of materials exported to and imported from JSON (LinhaComandosNomenclatura.cpp).
std::vector<ComandoCli> comandosNomenclaturaCli();
// Instant recipes exported to and imported from JSON (LinhaComandosReceita.cpp).
std::vector<ComandoCli> comandosReceitaCli();
// Instant production runs (LinhaComandosInstantanea.cpp).
std::vector<ComandoCli> comandosInstantaneaCli();
// Production processes (LinhaComandosProcesso.cpp).
std::vector<ComandoCli> comandosProcessoCli();
// Equipment to dismantle (LinhaComandosEquipamento.cpp).
std::vector<ComandoCli> comandosEquipamentoCli();
// Made-to-measure products: templates, calculations, their posting and lot sheet (LinhaComandosMedicoes.cpp).
std::vector<ComandoCli> comandosMedicoesCli();
// The production reports by name, to PDF, spreadsheet or JSON (LinhaComandosRelatorio.cpp).
std::vector<ComandoCli> comandosRelatorioCli();
// Bar code labels: printed to PDF from a list, definitions exported and imported (LinhaComandosEtiquetas.cpp).
std::vector<ComandoCli> comandosEtiquetasCli();
// Backups, their restore, schedules and history (LinhaComandosSegurancas.cpp).
std::vector<ComandoCli> comandosSegurancasCli();
// The document archive: file, list and extract documents (LinhaComandosDocumentos.cpp).
std::vector<ComandoCli> comandosDocumentosCli();

// Options every command accepts: --pg HOST[:PORTA] and --login LOGIN (the PostgreSQL login).
// Without --pg the companies are SQLite files in LUMO_DADOS, or else in the user's data folder.
// The PostgreSQL password comes only from LUMO_PG_PASSWORD.
Resultado<ConnectionParams> servidorCli(const QHash<QString, QString>& opcoes);

// Runs the command line (without the program name); writes the JSON answer to saida.
// Returns the exit code: 0 on success, 1 on failure ({"erro": ...}).
int executarLinhaComandos(const QStringList& argumentos, QByteArray* saida);

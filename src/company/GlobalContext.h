#pragma once

#include "common/Currency.h"

#include <QString>
#include <array>
#include <memory>

class Database;
class PesquisaTabelas;
class UserInteraction;

// The working context of the process: company, user, workstation, connections and the
// general parameters every form reads. Created once in main() and passed to whoever needs it.
struct GlobalContext {
    // --- set at start ---
    QString SeparadorDecimal = QStringLiteral(".");
    QString SeparadorMilhares = QStringLiteral(",");
    std::array<QString, 13> NomesMeses{}; // 1..12; [0] unused
    QString SimboloPesquisa = QStringLiteral("%");

    // --- company selection and login ---
    QString CodigoEmpresa;
    QString NomeEmpresa;
    QString Servidor;
    QString LoginSQL;
    QString PasswordSQL; // in clear, only in memory
    QString TipoAutenticacao = QStringLiteral("SQL");
    QString CodigoUtilizador;
    QString LoginUtilizador;
    QString NomePosto;
    std::shared_ptr<Database> LigacaoEmpresa;
    std::shared_ptr<Database> LigacaoAuxiliar1;
    std::shared_ptr<Database> LigacaoAuxiliar2;
    std::shared_ptr<Database> LigacaoContabilidade;

    // --- ParamGeral ---
    Currency taxajuromora, impostoselo, LimiteRecapitulativos;
    QString tipojuromora, tipoavencas, txivaavencas;
    int registosVisualizar = 0;
    int casadec = 2, casadecpreco = 2, casadecquant = 2, casadecquantOutUni = 2;
    int ActualizaUPC = 0;
    QString cambiodef, cambioeuro;
    int zerarclientes = 0, zerarfornece = 0, zerarproduto = 0;
    int ControlaProdutoFornecedor = 0;
    int cliarrevalor = 1, cliarreiva = 1, cliarredesc = 1, cliarremerlin = 1, cliarredesclin = 1,
        cliarreivalin = 1, cliarremergeral = 1, cliarredescgeral = 1, cliarreivageral = 1, cliarretotalgeral = 1;
    int clidecvalor = 2, clideciva = 2, clidecdesc = 2, clidecmerlin = 2, clidecdesclin = 2, clidecivalin = 2,
        clidecmergeral = 2, clidecdescgeral = 2, clidecivageral = 2, clidectotalgeral = 2;
    int forarrevalor = 1, forarreiva = 1, forarredesc = 1, forarremerlin = 1, forarredesclin = 1,
        forarreivalin = 1, forarremergeral = 1, forarredescgeral = 1, forarreivageral = 1, forarretotalgeral = 1;
    int fordecvalor = 2, fordeciva = 2, fordecdesc = 2, fordecmerlin = 2, fordecdesclin = 2, fordecivalin = 2,
        fordecmergeral = 2, fordecdescgeral = 2, fordecivageral = 2, fordectotalgeral = 2;
    int caidecmergeral = 2, caidecdescgeral = 2, caidecivageral = 2, caidectotalgeral = 2;
    int caiarremergeral = 1, caiarredescgeral = 1, caiarreivageral = 1, caiarretotalgeral = 1;
    int banarre = 1, bandec = 2;
    QString MensagCli, Mensagfor, Mensagpro, MensagproPMC;
    QString controlaquant;
    QString docaberto;
    QString clidiversos, forndiversos, proddiversos, proddiversos2;
    QString AnoCalculo;
    QString ano, mes;
    QString controlaano, controlames;
    bool GridLine = false;
    bool ContinuaAdicionar = false;
    QString AfectaDep, AfectaLev;
    int prontovestir = 0;
    int Lotes = 0;
    std::array<QString, 8> NomesDimensoes{}; // 1..7; [0] unused
    bool ImpCabecalhos = false;

    // --- UtilConfGeral of the user, and the default warehouse ---
    QString armazem, caixa, tipofac;
    QString linha2, linha3, linha4, linha5, linha6, linha7;

    // --- configprod ---
    int casasdecProducao = 2;

    // The table lookups, created on first use (lookups/PesquisaTabelas.h: pesquisaTabelas()).
    std::shared_ptr<PesquisaTabelas> Pesquisa;

    GlobalContext();

    // The company connection; asserts it is open.
    Database& bd() const;
};

// The company's name as prints head their pages: the session's, else the general parameters'.
QString NomeEmpresaImpressao(GlobalContext& ctx);

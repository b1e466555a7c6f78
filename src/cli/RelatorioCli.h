#pragma once

// One production report on the command line: its name, the window whose rights it needs, its
// filter options and how it reads its figures. The registry lives in LinhaComandosRelatorio.cpp;
// each report's entry is made by its own file.

#include "cli/LinhaComandosCli.h"
#include "cli/SessaoCli.h"
#include "common/Resultado.h"
#include "printing/Relatorio.h"

#include <QDate>
#include <functional>

class cPrinter;

// A report read and ready: its figures, and how to draw them.
struct RelatorioPronto {
    DadosRelatorio dados;
    std::function<bool(cPrinter&, const QDate& emissao)> desenhar;
};

struct RelatorioCli {
    QString nome;
    QString janela;
    QStringList botoes;       // the rights the window's print needs
    QStringList opcoes;       // its filters
    QString uso;              // its filters as the help shows them, e.g. "[--produto P] [--de AAAA-MM-DD]"
    std::function<Resultado<RelatorioPronto>(SessaoCli&, const PedidoCli&)> ler;
    QStringList repetiveis{}; // filters that may be given more than once (PedidoCli::valores)
};

// "--x sim|nao" (absent: false).
Resultado<bool> OpcaoSimNao(const PedidoCli& p, const QString& opcao);
// "--x AAAA-MM-DD" (absent or blank: empty).
Resultado<QString> OpcaoData(const PedidoCli& p, const QString& opcao);
// "--de" and "--ate" into `de` and `ate` ("AAAA-MM-DD", empty when absent); refuses a start after
// the end with "A Data Inicial é posterior à Data Final!".
Resultado<> OpcaoPeriodo(const PedidoCli& p, QString& de, QString& ate);
// A code of at most `maximo` characters (absent: empty).
Resultado<QString> OpcaoCodigo(const PedidoCli& p, const QString& opcao, int maximo);

// The entries made by each report's file.
RelatorioCli RelatorioMapaProducaoCli();
RelatorioCli RelatorioAnaliseGruposCli();
RelatorioCli RelatorioDiarioInstantaneaCli();
RelatorioCli RelatorioInstantaneaCli();
RelatorioCli RelatorioGraficoCli();

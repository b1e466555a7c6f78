#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"

#include <QString>
#include <vector>

class Database;

// What the production chart adds up: quantities or values.
enum class MedidaGrafico { Quantidade, Valor };
// How it is drawn.
enum class TipoGrafico { Barras, Circular };

// The raw materials that went into production: of one lot, one instant run, the runs and lots of
// one finished product, or all of them in a period.
struct FiltroGrafico {
    QString lote;     // zero-filled lot number; given, instant runs are left out
    QString processo; // instant run number; given, lots are left out
    QString produto;  // finished product
    QString de, ate;  // "yyyy-mm-dd", blank: open-ended
    MedidaGrafico medida = MedidaGrafico::Quantidade;
};

// One raw material of the chart. `peso` is its share of the chosen measure in percent.
struct PontoGrafico {
    QString produto, descricao;
    Currency quantidade, valor, peso;

    const Currency& medida(MedidaGrafico m) const { return m == MedidaGrafico::Valor ? valor : quantidade; }
};

inline constexpr int LimiteMateriaisGrafico = 28;

struct GraficoProducao {
    MedidaGrafico medida = MedidaGrafico::Quantidade;
    std::vector<PontoGrafico> pontos; // by material code
    Currency totalQuantidade, totalValor;
    // A 29th material was met: the reading stopped there and the chart holds the first 28.
    bool limiteAtingido = false;

    const Currency& total() const { return medida == MedidaGrafico::Valor ? totalValor : totalQuantidade; }
};

// One statement: the lots' outputs and reinforcements, less their returns, and the raw-material
// lines of the instant runs, summed per material.
Resultado<GraficoProducao> CalculaGraficoProducao(Database& db, const FiltroGrafico& f);
// Sets the measure and each material's share of it (all 0 when the total is 0).
void CalculaPesos(GraficoProducao& g, MedidaGrafico medida);

// A share as the chart and the print show it: "12,34".
QString PesoVisivel(const Currency& peso);

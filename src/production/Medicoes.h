#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"
#include "production/LancamentoProducao.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

struct GlobalContext;
class Database;

// Made-to-measure products: a template (NomenclaturaMedicoes, one row per raw material) states the
// finished product's base height and width and, per raw material, a quantity per finished unit and a
// base measure that follows the height ("A"), the width ("L") or stays fixed ("F").

struct LinhaMedicao {
    QString produto, descricao;
    Currency quantidade;                   // per finished unit
    QString tipoMedida = QStringLiteral("A"); // "A", "L" or "F"
    Currency medida;                       // base measure
    QString armazemSaida;
};

struct TemplateMedicoes {
    QString produtoAcabado, descricao;
    Currency altura, largura;
    QString armazemEntrada;
    std::vector<LinhaMedicao> linhas;
    QString utilizador, dataSys;
};

// "Altura", "Largura" or "Fixo" (the calculation's and the listings' caption of a measure type).
QString DescricaoTipoMedida(const QString& tipo);
// "Altura", "Largura" or "Unidade Fixa" (the option of the line window).
QString OpcaoTipoMedida(const QString& tipo);

// One line per finished product with a template; produto blank or "Todos": all.
struct ResumoTemplateMedicoes {
    QString produto, descricao;
    Currency altura, largura;
};
Resultado<std::vector<ResumoTemplateMedicoes>> ListarTemplatesMedicoes(Database& db, const QString& produto = {});
Resultado<std::optional<TemplateMedicoes>> LerTemplateMedicoes(Database& db, const QString& produto);

// A raw-material line as the line window accepts it: a product that exists, quantity and measure
// above 0, type A/L/F, an issue warehouse that exists when given. The failure names its field
// ("txtProduto", "txtQuantidade", "txtMedida", "txtArmazem").
Resultado<> ValidaLinhaMedicao(Database& db, const LinhaMedicao& l);

// Saves the template (its rows replaced in one transaction) and logs "TB" "N"/"A". Refused: no
// product ("txtProduto"), height or width not above 0 ("txtAltura", "txtLargura"), an entry warehouse
// that does not exist ("txtArmazem"), no raw material ("Não definiu as Matérias Primas!"), a bad line,
// and, for a new one, a product that has a template ("Produto já foi Configurado!").
Resultado<> GravarTemplateMedicoes(GlobalContext& ctx, TemplateMedicoes t, bool novo);
// Deletes every row of the product's template; logged "TB" "E". False when there was none.
Resultado<> EliminarTemplateMedicoes(GlobalContext& ctx, const QString& produto);

// The scaling of a template to a new height, width and number of finished units.
struct LinhaCalculoMedicoes {
    QString produto, descricao;
    Currency quantidade; // template quantity × Q
    QString tipoMedida;  // "A", "L", "F"
    Currency medidaBase, novaMedida;
    Currency quantidadeSaida; // quantidade × novaMedida, what the posting issues
    QString armazem;
    // "0*" + product for variable measures, "1*" + product for fixed ones (the grid's hidden column).
    QString controlo() const;
    // Chosen at posting time for raw materials kept by lot.
    QString lote, localizacao, dataFabrico, dataValidade;
};
struct CalculoMedicoes {
    QString produto, descricao;
    Currency alturaBase, larguraBase;
    Currency altura, largura, quantidade;
    Currency razaoAltura, razaoLargura;
    QString armazemEntrada;
    std::vector<LinhaCalculoMedicoes> linhas;
};

// New ÷ base kept to four decimals (halves away from zero) before it multiplies a measure.
Currency RazaoMedicao(const Currency& novo, const Currency& base);
// Refused when H, W or Q is not above 0, or when the template's base height or width is 0.
Resultado<CalculoMedicoes> CalculaMedicoes(const TemplateMedicoes& t, const Currency& altura, const Currency& largura,
                                          const Currency& quantidade);

// The sale-price print: each line's quantity times the raw material's PrecoVenda1..4.
struct LinhaValoresMedicoes {
    QString produto, descricao;
    Currency quantidade;
    std::array<Currency, 4> valores{};
};
struct ValoresMedicoes {
    std::vector<LinhaValoresMedicoes> linhas;
    std::array<Currency, 4> totais{};
};
Resultado<ValoresMedicoes> ValoresVendaMedicoes(Database& db, const CalculoMedicoes& c);

// Posts the calculation as one closed production lot, in one transaction serialised by the posting
// lock: an issue document of the raw materials (quantidadeSaida each, "S+"), an entry document of Q
// finished units valued at what was consumed, the Lotes row with the height and width, the counters.
// Dated with the server's date. Refused (nothing written) on a missing warehouse, configuration or
// movement type, a closed period, or a row the stock posting refuses.
Resultado<ResultadoProducao> LancaMedicoes(GlobalContext& ctx, const CalculoMedicoes& c);

// What the measurements lot sheet shows ("Folha de Produção de Lote (Medições)").
struct FolhaLoteMedicoes {
    QString lote, produto, descricaoProduto;
    Currency quantidade, custoUnitario, custoTotal;
    Currency altura, largura;
    QString tipoSaida, numeroSaida, dataSaida, tipoEnt, numeroEnt, dataEnt;
    struct Linha {
        QString produto, descricao, armazem;
        Currency quantidade, custoUnitario, custoTotal;
    };
    std::vector<Linha> linhas; // the issue document's rows, in order
    QString dataEmissao;       // "dd-mm-yyyy"
};
inline const QString MensagemLoteMedicoesInexistente = QStringLiteral("Lote Inexistente!");
// Closed lots with measurements only; others are refused with "Lote Inexistente!".
Resultado<FolhaLoteMedicoes> LerFolhaLoteMedicoes(Database& db, const QString& lote);

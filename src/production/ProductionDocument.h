#pragma once

#include "common/Currency.h"

#include <QString>
#include <vector>

struct GlobalContext;
class Database;
class LinhaMovProduto;

// One consumption line of a production order: one raw material (and lot).
struct LinhaProducao {
    qint64 numRegisto = 0; // bill row (new lot) or consumption row (lot read back)
    QString produto, descricao, unidade;
    Currency nomenclatura;  // bill quantity per finished unit
    Currency ordemProducao; // quantity to consume
    Currency acertos;       // second phase: negative = return, positive = reinforcement
    QString armazem, localizacao, lote, dataFabrico, dataValidade, observacoes;
    Currency factor;
    QString formula; // "A" or "B"

    // Taken from the same stock: raw material, lot, warehouse and location.
    bool mesmaOrigem(const LinhaProducao& o) const {
        return produto == o.produto && lote.trimmed() == o.lote.trimmed() && armazem == o.armazem &&
               localizacao.trimmed() == o.localizacao.trimmed();
    }
};

// A stock document of the production: type, number and date ("yyyy-mm-dd").

struct DocumentoProducao {
    QString tipo, numero, data;
    bool numerado() const { return !numero.trimmed().isEmpty(); }
};

// A stock row of a production document dated `data`: type and number, product, quantity and unit
// price, the stock effect, no customer or supplier effect, the production's remark.
LinhaMovProduto LinhaDocumentoProducao(const DocumentoProducao& doc, const QString& data, const QString& produto,
                                       const QString& afecta, const Currency& quant, const Currency& preco,
                                       const QString& observacao);

// One production order by lot while it is edited; persisted by posting as the lot record and
// its stock rows.
struct ProductionDocument {
    QString Lote; // 10 digits
    QString ProdutoAcabado, DescProdutoAcabado;
    Currency Quantidade;
    QString Data; // "yyyy-mm-dd"
    QString Armazem;
    bool Nova = true;
    QString Situacao = QStringLiteral("Início");
    bool Fixa = false;
    bool CtrlQuantidades = false; // the bill asks the lines to add up to the quantity produced
    bool NaoMultiplica = false;
    bool ControlaQuantidade = true;
    QString LocalizacaoProdutoAcabado, LoteProdutoAcabado, DataFabricoProdutoAcabado, DataValidadeProdutoAcabado;
    QString OutUniCod; // alternative unit of the entry, when the product has one
    Currency OutUniQuant;
    DocumentoProducao Saida, Ret, Ref, Ent;
    QString Cliente, Fornece, Precario;
    // A made-to-measure lot: the height and width go on its lot row, its rows carry their own
    // reference, the raw materials are priced without the ordinary bill and no adjustment documents
    // are taken. ForneceExterno goes on the entry row as its supplier.
    bool Medicoes = false;
    Currency MedicoesAltura, MedicoesLargura;
    QString ForneceExterno;
    Currency Capacidade, CustoUnitario;
    std::vector<LinhaProducao> linhas;

    bool pendente() const { return !Nova && Situacao == QStringLiteral("Pendente"); }
};

inline const QString SituacaoInicio = QStringLiteral("Início");
inline const QString SituacaoPendente = QStringLiteral("Pendente");
inline const QString SituacaoEncerrada = QStringLiteral("Encerrada");

// The production parameters posting and the order window read.
struct ConfigProducao {
    bool existe = false;
    QString tipoSaida, tipoEnt, tipoRet, tipoRef, fornece, cliente, ultLote, precario;
    int casasDec = 2;
};
ConfigProducao LerConfigProducao(Database& db);

// Lot number as stored: left-filled with "0" to 10 characters.
QString ZerarLote(const QString& lote);
// The lot after the last one given (configProd.UltLote + 1), or "" without parameters.
QString ProximoLote(Database& db);

// Quantity through a bill line's conversion factor. Formula "A": direct = q × factor, inverse =
// q ÷ factor; formula "B": factor ÷ q both ways. 0 when the factor (or, for "B", q) is 0.
// Rounded to the production decimals.
Currency CalculaQuantidadeFactor(const Currency& quantidade, const Currency& factor, const QString& formula,
                                 bool directo, int casas);

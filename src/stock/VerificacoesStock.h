#pragma once

#include "common/Currency.h"
#include "company/ParametrosEmpresa.h"

#include <QString>
#include <QVariant>

struct GlobalContext;
class Database;
class UserInteraction;

// The stock, unit, location and warehouse checks the postings and the windows share.
class VerificacoesStock {
public:
    explicit VerificacoesStock(GlobalContext& ctx) : m_ctx(ctx) {}

    // What the stock-control decision looks at, read in one go by callers that post.
    struct DadosCtrlExistencia {
        bool produtoExiste = false;
        QString codigo;
        QVariant ctrlexistencia, servico, portes, lote; // Produtos
        QVariant ignoraArmazem;                         // Armazens.IgnoraCtrlExistencia
        ParametrosEmpresa parametros;
    };
    static bool decideCtrlExistencia(const DadosCtrlExistencia& d);
    // True when the product's stock must not go below zero in that warehouse.
    bool CtrlExistenciaProduto(Database& ligacao, const QString& produto, const QString& armazem);
    // False when the quantity has decimals and the unit takes whole quantities only. A blank unit is
    // taken from the product (purchase unit for direction "C", sale unit for "V"; a blank direction
    // follows the movement type: "E..." gives "C", "S..." gives "V", else "V"); unidade and direccao
    // come back filled. With mostrarMensagem the refusal is told through ui.
    bool ControlaUnidades(Database& ligacao, QString& unidade, const Currency& quantidade, const QString& produto,
                          QString& direccao, const QString& tipoMovimento, bool mostrarMensagem,
                          UserInteraction* ui = nullptr);
    // The default location of a line ("0" when nothing is known). With porStock, the locations where
    // the product was moved in the warehouse are taken in descending order and the first whose
    // balance (of the lot, when given) covers the quantity wins; else the last location used.
    QString VerLocalizacao(Database& ligacao, const QString& produto, const QString& armazem,
                           const QString& tipoMovimento, bool porStock, const QString& lote = {},
                           const Currency& quantidade = {});
    // Whether the logged-in user may use the warehouse.
    bool UtilizadorControloArmazens(const QString& armazem, bool mostrarMensagem, bool transferencia,
                                    UserInteraction* ui = nullptr);

private:
    GlobalContext& m_ctx;
};

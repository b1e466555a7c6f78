#pragma once

#include "common/Resultado.h"
#include "common/Currency.h"

#include <QString>
#include <optional>

struct GlobalContext;
class Database;

// The two kinds of lot: the product lot (batch) of TabLotes, one per product and code, and the
// production lot of table Lotes, one per production order with the up to four stock documents
// the order generated.
//
// Callers that post production read and write the production lot with LerLoteProducao and
// GravarLoteProducao inside their own transaction; lots of raw materials are chosen with the
// window logic ExistProArmLote and created with CriarLote (or InserirLoteProduto directly).

// Dates of lots travel and are stored as "yyyy-mm-dd".
struct LoteProduto {
    QString produto;
    QString codigo;
    QString descricao;
    QString dataFabrico;
    QString dataValidade;
    QString observa;
    QString saftArcNo;
    int bloqueado = 0;
};

// The product lot; nullopt when there is none.
Resultado<std::optional<LoteProduto>> LerLoteProduto(Database& db, const QString& produto, const QString& codigo);

// Adds a product lot as the logged-in user, stamped with the server's time, Bloqueado 0 and an
// empty description replaced by the code. A lot code that exists for the product is refused.
// Returns its NumRegisto.
Resultado<qint64> InserirLoteProduto(GlobalContext& ctx, const LoteProduto& lote);

// Text put in Observa of lots created from the lot choice window.
inline const QString ObservaLoteAutomatico = QStringLiteral("Registo criado Automaticamente");

// A lot code keeps one pair of dates per product across every movement: false when a movement of
// the product's lot carries other dates.
Resultado<bool> VerificaDatasLote(Database& db, const QString& produto, const QString& lote, const QString& dataFabrico,
                                  const QString& dataValidade);
// "Já existe o lote [ <lote> ] para este produto, mas com outras datas."
QString MensagemDatasLote(const QString& lote);

// One of the stock documents of a production lot; an empty type means it was not generated.
struct DocumentoLote {
    QString tipo;
    QString numero;
    QString data; // "yyyy-mm-dd"
    bool gerado() const { return !tipo.trimmed().isEmpty(); }
    QString ano() const { return data.left(4); }
};

struct LoteProducao {
    qint64 numRegisto = 0;
    QString lote; // 10 digits
    QString produto;
    QString armazem;
    Currency quantidade;
    Currency precario;
    Currency custoTotal;
    bool fechado = false;
    DocumentoLote saida, retorno, reforco, entrada;
    Currency medicoesAltura, medicoesLargura;
};

// The production lot; nullopt when there is none.
Resultado<std::optional<LoteProducao>> LerLoteProducao(Database& db, const QString& lote);
// Writes the production lot: updates the row of its lot when there is one, else adds it.
// Returns the row's NumRegisto, or 0 on failure.
qint64 GravarLoteProducao(Database& db, const LoteProducao& lote);

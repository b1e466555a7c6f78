#pragma once

#include "common/Resultado.h"

#include <QSqlRecord>
#include <QString>
#include <optional>

struct GlobalContext;
class Database;
class UserInteraction;

// The production parameters: one row of configProd.
//
// Posting reads them with LerConfigProd(db) and refuses when it returns nothing.
struct DadosConfigProd {
    QString TipoSaida;          // raw-material consumption (S+)
    QString Tipoent;            // finished product entry (E+)
    QString Tiporet;            // second-phase return (S-)
    QString TipoRef;            // second-phase reinforcement (S+)
    QString Processo_TipoSaida; // consumption of production processes (S+)
    QString Processo_TipoRet;   // return of production processes (S-)
    QString Fornece;            // supplier put on the finished product's entry
    QString cliente;            // customer put on consumption rows
    QString UltLote;            // last lot, 10 digits
    int CasasDec = 2;           // decimals of production quantities
    QString Precario = QStringLiteral("PrecoMedioCusto"); // default price basis of new bill lines
};

// The row; nullopt when the table is empty.
Resultado<std::optional<DadosConfigProd>> LerConfigProd(Database& db);

// Logic of the window "Configuração de Produção" (frmConfigProd).
class ConfigProd {
public:
    // The fields whose movement type is checked against a direction.
    enum class Campo { TipoSaida, Tipoent, Tiporet, TipoRef, Processo_TipoSaida, Processo_TipoRet, Nenhum };

    ConfigProd(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Configuração de Produção"

    // Reads the row into dados; the fields are locked.
    void carregar();
    // "A&lterar" and "&Cancelar" (which keeps the typed values, as the window shows them).
    void alterar() { m_emEdicao = true; }
    void cancelar() { m_emEdicao = false; }
    bool emEdicao() const { return m_emEdicao; }

    // Leaving "Número do último Lote": filled to 10 digits.
    void ultLoteSaiu();

    // The stock direction a type field accepts ("S+", "E+", "S-"), and the lookup's condition.
    static QString afectaStk(Campo c);
    static QString condicaoTipo(Campo c);
    // Whether the code is a stock movement type of the field's direction (a blank code passes).
    bool tipoValido(Campo c, const QString& codigo) const;

    // "&Gravar": false with the message shown and the field to focus in campoFoco().
    bool gravar();
    Campo campoFoco() const { return m_foco; }

    DadosConfigProd dados;

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    bool m_emEdicao = false;
    Campo m_foco = Campo::Nenhum;
};

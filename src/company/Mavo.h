#pragma once

#include "common/Currency.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <QVariantList>

struct GlobalContext;
class Database;
class UserInteraction;

// Shared business helpers. Holds the working context it reads; one instance per context.
class Mavo {
public:
    explicit Mavo(GlobalContext& ctx) : m_ctx(ctx) {}

    // --- codes (zero-filling follows the company switches) ---
    QString Zerar_Produto_str(const QString& codigo) const;
    QString Zerar_Cliente_str(const QString& codigo) const;
    QString Zerar_Fornece_str(const QString& codigo) const;
    // Every occurrence of the character removed.
    static QString Tirar_Espacos_str(const QString& texto, const QString& caracter = QStringLiteral(" "));
    // Leading occurrences of the character removed.
    static QString Tirar_Zeros_Esquerda_str_(const QString& texto, const QString& caracter = QStringLiteral("0"));

    // --- queries on a connection (the company connection when none is given) ---
    // The named column of the first row; "" (or 0 when numerico) with no row, a null or a failure.
    QVariant Select_Retorna_Campo_var(const QString& sql, const QVariantList& valores, const QString& coluna,
                                      bool numerico = false, Database* ligacao = nullptr);
    // Next free numeric code of a column, as text without leading zeros ("1" on an empty table).
    // tabela and coluna come from code, never from input; condicaoExtra starts with " and ..." and binds its values.
    QString GetProximoCodigo(Database& ligacao, const QString& tabela, const QString& coluna,
                             const QString& condicaoExtra = {}, const QVariantList& valoresExtra = {});
    // Number of rows of a table matching a condition ("where ..." with bound values).
    // chave "*" counts rows; an empty chave counts the table's key column; distinto counts distinct values.
    qint64 ContaRegistos_lng(const QString& tabela, const QString& chave = {}, const QString& condicao = {},
                             const QVariantList& valores = {}, bool distinto = false, Database* ligacao = nullptr);

    // --- server date and time ---
    QString Get_DataServer();    // "dd-mm-yyyy"
    QString Get_DataServerStr(); // "yyyy-mm-dd"
    QDateTime Get_DataSysServer();

    // --- temporary work tables of the connection ---
    bool Cria_Tabela_Temporaria(Database& ligacao, const QString& nome);
    bool Elimina_Tabela_Temporaria(Database& ligacao, const QString& nome);
    bool Ver_Se_Existe_Tabela_bln(const QString& tabela, Database* ligacao = nullptr);

    // --- connections ---
    // Closes the connection if open.
    static void Fecha_Conneccao(Database* ligacao);
    // True when the connection answers a query.
    static bool Testa_Connection(Database* ligacao);

private:
    Database& bd(Database* ligacao) const;
    GlobalContext& m_ctx;
};

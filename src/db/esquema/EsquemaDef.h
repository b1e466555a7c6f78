#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Declarative description of the tables the program owns.
enum class TipoColuna {
    Texto,      // short text with a declared length; compared case-insensitively
    Memo,       // long text
    Money,      // exact amount or quantity, four decimals
    Numerico,   // exact number with the declared precision and scale
    SmallInt,
    Inteiro,
    DataHora,   // server date and time
    Binario     // bytes kept as they are (pictures)
};

struct ColunaDef {
    QString nome;
    TipoColuna tipo = TipoColuna::Texto;
    int tamanho = 0;   // Texto: length; Numerico: precision
    int escala = 0;    // Numerico: scale
};

struct IndiceDef {
    QString nome;
    QStringList colunas;
    bool unico = false;
};

// A row trigger that runs one statement (which may use NEW and OLD) after each change of a table.
struct GatilhoDef {
    QString nome;
    QString tabela;
    QString evento; // "INSERT", "UPDATE" or "DELETE"
    QString accao;
};

struct TabelaDef {
    QString nome;
    std::vector<ColunaDef> colunas;
    std::vector<IndiceDef> indices;

    const ColunaDef* coluna(const QString& nome) const;
};

// Shorthands used by the schema declaration.
inline ColunaDef txt(const QString& n, int tamanho) { return {n, TipoColuna::Texto, tamanho, 0}; }
inline ColunaDef memo(const QString& n) { return {n, TipoColuna::Memo, 0, 0}; }
inline ColunaDef money(const QString& n) { return {n, TipoColuna::Money, 0, 0}; }
inline ColunaDef num(const QString& n, int precisao, int escala) { return {n, TipoColuna::Numerico, precisao, escala}; }
inline ColunaDef smallint(const QString& n) { return {n, TipoColuna::SmallInt, 0, 0}; }
inline ColunaDef inteiro(const QString& n) { return {n, TipoColuna::Inteiro, 0, 0}; }
inline ColunaDef datahora(const QString& n) { return {n, TipoColuna::DataHora, 0, 0}; }
inline ColunaDef binario(const QString& n) { return {n, TipoColuna::Binario, 0, 0}; }

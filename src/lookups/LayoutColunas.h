#pragma once

#include <QString>
#include <QVariantList>
#include <vector>

class Database;
class QSqlRecord;

// The column layout string declares the columns of every list of the program:
// "Caption,width in twips,alignment,type,key/" per column, for example
// "Código,1200/Abreviatura,5500/Val. Câmbio,1500,D,Valor/".
//  - width 0 hides the column (its values are still kept and readable);
//  - alignment "E" left, "D" right, "C" centre, blank left (any case);
//  - type "DATA", "VALOR", "VALOR_Q", "VALOR_P" or blank for text;
//  - key: the field that feeds the column; typed columns carry the type's prefix in their key
//    ("DATA_", "VALOR_", "VALORQ", "VALORP"), so "…,D,VALOR,Preco/" is addressed as "VALOR_Preco".

// Not TipoColuna: that name is the schema's column type (shell/SchemaDef.h).
enum class TipoDadoColuna { Texto, Data, Valor, ValorQ, ValorP };
enum class AlinhamentoColuna { Esquerda = 0, Direita = 1, Centro = 2 };

struct ColunaLayout {
    QString titulo;
    int larguraTwips = 0;
    AlinhamentoColuna alinhamento = AlinhamentoColuna::Esquerda;
    TipoDadoColuna tipo = TipoDadoColuna::Texto;
    QString nome;  // the key as written in the layout
    QString chave; // type prefix + nome: how rows address the column

    bool oculta() const { return larguraTwips <= 0; }
    bool tipada() const { return tipo != TipoDadoColuna::Texto; }
    // Key of the hidden sortable companion of a date or number column.
    QString chaveOrdem() const { return chave + QStringLiteral("_Especial_Order"); }
};

inline constexpr int MaxColunasLayout = 100;
inline const QString SufixoOrdem = QStringLiteral("_Especial_Order");

// Prefix that a column of this type puts before its key ("" for text).
QString prefixoChave(TipoDadoColuna tipo);

// Parses a layout string; a missing final "/" is supplied. Declarations beyond 100 are ignored,
// as are empty declarations ("//").
std::vector<ColunaLayout> interpretarLayout(const QString& layout);

// The layout string of the given columns (the inverse of interpretarLayout).
QString escreverLayout(const std::vector<ColunaLayout>& colunas);

// Layout for showing the result of a query as it comes: one column per field, its name as caption
// and key, width = defined size × 110 twips (at least 1000; above 20000 it becomes 3000),
// NumRegisto hidden, decimal fields right-aligned as "VALOR".
QString Cria_ListaParaLVW(const QSqlRecord& campos);
// Same from a query run on the database (its first row is not needed); "" when the query fails.
QString Cria_ListaParaLVW(Database& db, const QString& sql, const QVariantList& valores = {});

#pragma once

#include "common/Currency.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariant>
#include <QVariantList>

struct GlobalContext;
class Database;
class UserInteraction;

// The conversions every form shares, so that codes, dates, amounts, SQL values and key handling
// are the same on every window. The program keeps one instance beside its GlobalContext.
class EDiv {
public:
    // What the keyboard filter asks the window to do with the focus.
    enum class MovimentoFoco { Nenhuma, Seguinte, Anterior };

    // A statement with "?" placeholders and the values to bind, in order.
    // An empty sql means the builder refused its arguments.
    struct ComandoSQL {
        QString sql;
        QVariantList valores;
        bool valido() const { return !sql.isEmpty(); }
    };

    EDiv(UserInteraction& ui, const GlobalContext& ctx);

    // The trimmed text filled up to the width with the fill character (empty means "0"), on the
    // left or on the right. A longer text is never cut: the width grows to its length.
    static QString Zerar(const QString& texto, int& largura, const QString& preenchimento = QStringLiteral("0"),
                         bool esquerda = true);

    static QString GData(const QDate& data); // "dd-MM-yyyy"
    static QString PData(const QDate& data); // "yyyy-MM-dd"
    // A real date written exactly "yyyy-mm-dd" (2026-02-30 is none).
    static bool DataIsoValida(const QString& texto);
    static QString PHora(const QTime& hora, bool segundos); // "HH:mm:ss" or "HH:mm"
    static int DataToMinutes(const QTime& hora); // 0 for an invalid time

    // Plain numeric literal with "." and no grouping: -1234.5
    static QString CurToSQL(Currency valor);

    // Rounds halves away from zero to 0..4 decimals; other decimals show a message and give 0.
    // digitosInteiros 0 (or less) means 12 and the caller sees 12. It only shapes the display mask
    // of the amount, which never cuts integer digits, so it does not change the result.
    Currency Arredonda(Currency valor, int casas, int& digitosInteiros) const;

    // The value, or the replacement when the value is a database null (or invalid).
    static QVariant IsNulo(const QVariant& valor, const QVariant& substituto);
    static int BoolToInt(bool valor);
    // 0 and 1 only; any other value shows a message and gives false.
    bool IntToBool(int valor) const;

    // Amount as text in a fixed field. The arguments are normalised in place: decimals to 0..6,
    // alignment 2 is right and anything else left (1), width code 1 is 8 characters, 2 is 14 and
    // anything else 18 (3); empty marks take the separators of the context. Halves round away from
    // zero; 0 decimals give no decimal mark. A text longer than the field is returned whole, since
    // a cut number would show a different amount.
    QString FDNum(Currency valor, int& casas, int& alinhamento, int& largura, QString& milhares,
                  QString& decimal) const;

    // Keyboard filter of text fields, called with the typed character. The apostrophe becomes a
    // backtick; the dead-key characters ~ ^ ` ´ ¨ typed on their own are swallowed (set to 0).
    // With activa "1", Enter and Esc are swallowed and the window moves the focus as returned.
    static MovimentoFoco ControlEnter(int& tecla, const QString& activa);

    // The text split at every separator; an empty text gives an empty list.
    static QStringList StripString(const QString& texto, const QString& separador);

    // INSERT/UPDATE with every value bound. Table and field names must be plain identifiers
    // (letters, digits, "_"), and there must be one value per field, else the statement is refused.
    // The condition of UpdateSQL (the caller's "WHERE ...") carries its own "?" for valoresCondicao.
    static ComandoSQL InsertSQL(const QString& tabela, const QStringList& campos, const QVariantList& valores);
    static ComandoSQL UpdateSQL(const QString& tabela, const QStringList& campos, const QVariantList& valores,
                                const QString& condicao = {}, const QVariantList& valoresCondicao = {});
    // A value as the database receives it: booleans -1/0, Currency as exact text, dates "yyyy-MM-dd".
    static QVariant ValorParaSQL(const QVariant& valor);

    // The named field of the first row; an invalid QVariant with no row, no such field or a failure.
    static QVariant GetFieldValue(Database& ligacao, const QString& sql, const QVariantList& valores,
                                  const QString& campo);

private:
    UserInteraction& m_ui;
    const GlobalContext& m_ctx;
};

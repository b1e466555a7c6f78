#pragma once

#include "common/Currency.h"

#include <QString>

class UserInteraction;

// Editing rules of the decimal field (the Valor control), without the widget: what a key may do to
// the text, the value of the text, and the shown form on leaving.
class ValorEdicao {
public:
    // The largest magnitude the field takes: the integer part of the amount range.
    static constexpr int64_t Maximo = 922337203685477;

    enum class Tecla { Aceite, Recusada, Enter };

    explicit ValorEdicao(UserInteraction* ui = nullptr) : m_ui(ui) {}
    void setUserInteraction(UserInteraction* ui) { m_ui = ui; }

    int comprimento = 15;              // integer digits allowed
    int decimais = 2;                  // decimals shown
    bool sepMilhares = true;           // thousands marks shown
    QString separador = QStringLiteral(","); // decimal mark shown

    Currency valor() const { return m_valor; }
    void setValor(const Currency& v);

    // Text while editing: no thousands marks, "." as decimal mark.
    QString textoEdicao() const;
    // Text shown outside editing: "1.234,50" with `decimais` decimals.
    QString textoFormatado() const;

    // Decides on one typed character given the text and the selection it would replace.
    // A "," is taken as "." (the numeric keypad of Portuguese keyboards gives ",").
    Tecla filtrarTecla(QChar c, const QString& texto, int inicioSeleccao, int tamanhoSeleccao) const;
    // Character that goes into the text for an accepted key.
    static QChar caracterInserido(QChar c) { return c == QLatin1Char(',') ? QLatin1Char('.') : c; }

    // After every change of the text: stores its value, or, when it is too large, shows the message
    // and returns false (the caller then puts "0" in the field; the value is already 0).
    bool textoAlterado(const QString& texto);

    // On leaving: the value rounded to the shown decimals, so that what is seen is what is kept.
    void concluir();

    static QString mensagemExcesso();

private:
    UserInteraction* m_ui;
    Currency m_valor;
};

// The number at the start of a text, as a value ("12.5abc" gives 12.5, "-" and "" give 0).
// nullopt when its integer part reaches ValorEdicao::Maximo.
std::optional<Currency> valorInicialTexto(const QString& texto);

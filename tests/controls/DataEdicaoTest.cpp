#include "controls/DataEdicao.h"
#include "controls/InteiroEdicao.h"
#include "controls/OpcoesLista.h"
#include "controls/TecladoEcra.h"

#include <gtest/gtest.h>

namespace {

using Estado = ResultadoData::Estado;
const QDate Hoje(2003, 3, 20);

QDate data(const QString& t) {
    const auto r = completarData(t, Hoje);
    return r.estado == Estado::Valida ? r.data : QDate();
}

TEST(DataEdicao, ShortEntriesCompleteFromToday) {
    EXPECT_EQ(data(QStringLiteral("7")), QDate(2003, 3, 7));
    EXPECT_EQ(data(QStringLiteral(" 31 ")), QDate(2003, 3, 31));
    EXPECT_EQ(data(QStringLiteral("2003")), QDate(2003, 3, 20));
    EXPECT_EQ(data(QStringLiteral("051")), QDate(2003, 1, 5));
    EXPECT_EQ(data(QStringLiteral("251203")), QDate(2003, 12, 25));
    EXPECT_EQ(data(QStringLiteral("25121999")), QDate(1999, 12, 25));
    EXPECT_EQ(data(QStringLiteral("5-1")), QDate(2003, 1, 5));
    EXPECT_EQ(data(QStringLiteral("05-01-2026")), QDate(2026, 1, 5));
    EXPECT_EQ(data(QStringLiteral("5/1/98")), QDate(1998, 1, 5));
    EXPECT_EQ(data(QStringLiteral("2026-01-05")), QDate(2026, 1, 5));
    EXPECT_EQ(completarData(QStringLiteral("  "), Hoje).estado, Estado::Vazia);
}

TEST(DataEdicao, ImpossibleDatesAreRefused) {
    for (const char* t : {"32", "0", "3113", "2902", "ab", "12345", "1-2-3-4", "31-04-2026", "5--1"})
        EXPECT_EQ(completarData(QString::fromUtf8(t), Hoje).estado, Estado::Invalida) << t;
    EXPECT_EQ(mensagemDataInvalida(QStringLiteral("32")), QStringLiteral("Data Inválida 32!"));
}

TEST(DataEdicao, NamesAndLongDate) {
    EXPECT_EQ(LongData(QDate(2026, 1, 5)), QStringLiteral("5 de Janeiro de 2026"));
    EXPECT_EQ(LongData(QDate(2026, 3, 1)), QStringLiteral("1 de Março de 2026"));
    EXPECT_EQ(LongData(QDate()), QString());
    EXPECT_EQ(diaSemana(QDate(2026, 12, 6)), 1); // a Sunday
    EXPECT_EQ(nomeDiaSemana(diaSemana(QDate(2026, 12, 5))), QStringLiteral("Sábado"));
    EXPECT_EQ(nomeMes(13), QString());
}

TEST(InteiroEdicao, StaysWithinItsBounds) {
    InteiroEdicao i;
    i.minimo = 1;
    i.maximo = 10;
    i.valor = 10;
    EXPECT_FALSE(i.subir());
    EXPECT_EQ(i.valor, 10);
    EXPECT_TRUE(i.descer());
    EXPECT_EQ(i.valor, 9);
    i.definirTexto(QStringLiteral("250"));
    EXPECT_EQ(i.valor, 10);
    i.definirTexto(QStringLiteral("-3"));
    EXPECT_EQ(i.valor, 1);
    EXPECT_FALSE(i.descer());
    i.definirTexto(QStringLiteral("99999999999999999999999"));
    EXPECT_EQ(i.valor, 10);
    i.definirTexto(QStringLiteral("5"));
    EXPECT_EQ(i.valor, 5);
}

TEST(OpcoesLista, SplitsKeysAndTexts) {
    const auto o = interpretarOpcoes(QStringLiteral("A:A;B:Bê;Todos:Todos;;X;H:1:2;"));
    ASSERT_EQ(o.size(), 5u);
    EXPECT_EQ(o[1].texto, QStringLiteral("Bê"));
    EXPECT_EQ(o[3].chave, QStringLiteral("X"));
    EXPECT_EQ(o[4].chave, QStringLiteral("H"));
    EXPECT_EQ(o[4].texto, QStringLiteral("1:2"));
    EXPECT_EQ(posicaoDaChave(o, QStringLiteral("todos")), 2);
    EXPECT_EQ(posicaoDaChave(o, QStringLiteral("Z")), -1);
}

TEST(TecladoEcra, AccentsComposeWithTheNextVowel) {
    TecladoEcra t;
    t.setCapsLock(true);
    const std::pair<QChar, QString> casos[] = {{QChar(0x00B4), "ÁÉÍÓÚ"}, {QLatin1Char('`'), "ÀÈÌÒÙ"},
                                               {QLatin1Char('^'), "ÂÊÎÔÛ"}};
    for (const auto& [acento, esperado] : casos) {
        t.limpar();
        for (QChar v : QStringLiteral("AEIOU")) {
            t.acento(acento);
            t.tecla(v);
        }
        EXPECT_EQ(t.texto(), esperado);
    }
    t.limpar();
    t.acento(QLatin1Char('~'));
    t.tecla(QLatin1Char('a'));
    t.acento(QLatin1Char('~'));
    t.tecla(QLatin1Char('O'));
    EXPECT_EQ(t.texto(), QStringLiteral("ÃÕ"));
    // "~" does not go on E: nothing is lost, both are typed.
    t.acento(QLatin1Char('~'));
    t.tecla(QLatin1Char('E'));
    EXPECT_EQ(t.texto(), QStringLiteral("ÃÕ~E"));

    t.setCapsLock(false);
    t.limpar();
    t.setShift(true);
    t.tecla(QLatin1Char('c'));
    t.tecla(QLatin1Char('A'));
    t.acento(QChar(0x00B4));
    t.tecla(QLatin1Char('o'));
    EXPECT_EQ(t.texto(), QStringLiteral("Caó"));
}

TEST(TecladoEcra, BackKeyAndCaret) {
    TecladoEcra t(QStringLiteral("1234"));
    t.setCursor(2);
    t.retrocesso();
    EXPECT_EQ(t.texto(), QStringLiteral("134"));
    t.ponto();
    EXPECT_EQ(t.texto(), QStringLiteral("1.34"));
    t.setCursor(0);
    t.retrocesso();
    EXPECT_EQ(t.texto(), QStringLiteral("1.34"));
    t.limpar();
    EXPECT_EQ(t.texto(), QString());
    EXPECT_EQ(t.cursor(), 0);
}

} // namespace

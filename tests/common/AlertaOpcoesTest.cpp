#include "common/AlertaOpcoes.h"

#include <gtest/gtest.h>

TEST(AlertaOpcoes, DisposicaoEResultado) {
    AlertaOpcoes a(QStringLiteral("Confirma a Eliminação ?"), {QStringLiteral("Não"), QStringLiteral("Sim")});
    EXPECT_EQ(a.alturaLista(), 600);
    AlertaOpcoes tres(QStringLiteral("Tipo de Listagem?"), {"A", "B", "C"});
    EXPECT_EQ(tres.alturaLista(), 900);
    EXPECT_EQ(tres.alturaJanela(120), 120 + 900 + 700);
    EXPECT_EQ(tres.topoBotoes(120), 120 + 900 + 100);

    // Accepting at once gives the first, safe answer.
    a.seleccionar(a.linhaInicial());
    EXPECT_EQ(a.resultado(), 1);
    a.seleccionar(1);
    EXPECT_EQ(a.resultado(), 2);
    a.cancelar();
    EXPECT_EQ(a.resultado(), 0);
    a.seleccionar(5);
    EXPECT_EQ(a.resultado(), 0) << "no row, no answer";
}

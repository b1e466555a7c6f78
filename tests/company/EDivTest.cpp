#include "company/EDiv.h"
#include "company/GlobalContext.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <ostream>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
static void PrintTo(const Currency& c, std::ostream* os) { *os << c.toString().toStdString(); }

namespace {
Currency cur(const char* texto) { return Currency::fromString(QString::fromUtf8(texto)); }

class EDivTeste : public ::testing::Test {
protected:
    GlobalContext ctx;
    ScriptedInteraction ui;
    EDiv ediv{ui, ctx};

    QString pt(const char* valor, int casas, int alinhamento, int largura) {
        QString milhares = QStringLiteral("."), decimal = QStringLiteral(",");
        return ediv.FDNum(cur(valor), casas, alinhamento, largura, milhares, decimal);
    }
};
} // namespace

TEST(EDivTextos, ZerarDatasELiteraisSQL) {
    int largura = 5;
    EXPECT_EQ(EDiv::Zerar(QStringLiteral(" 123 "), largura, QStringLiteral("0"), true), "00123");
    EXPECT_EQ(EDiv::Zerar(QStringLiteral("123"), largura, QString(), false), "12300");
    largura = 2;
    EXPECT_EQ(EDiv::Zerar(QStringLiteral("123"), largura, QStringLiteral("0"), true), "123");
    EXPECT_EQ(largura, 3);

    EXPECT_EQ(EDiv::GData(QDate(2024, 3, 7)), "07-03-2024");
    EXPECT_EQ(EDiv::PData(QDate(2024, 3, 7)), "2024-03-07");
    EXPECT_EQ(EDiv::PHora(QTime(9, 5, 3), false), "09:05");
    EXPECT_EQ(EDiv::DataToMinutes(QTime(23, 59, 59)), 1439);

    for (const char* t : {"-1234.5", "-0.0001", "-1000", "0", "1234567890.12"})
        EXPECT_EQ(EDiv::CurToSQL(cur(t)), QString::fromUtf8(t));
}

TEST_F(EDivTeste, ArredondaEAsSuasMensagens) {
    int digitos = 0;
    EXPECT_EQ(ediv.Arredonda(cur("-1.005"), 2, digitos), cur("-1.01"));
    EXPECT_EQ(ediv.Arredonda(cur("2.5"), 0, digitos), cur("3"));
    EXPECT_EQ(digitos, 12);
    digitos = 2; // a mask shorter than the integer part never cuts integer digits
    EXPECT_EQ(ediv.Arredonda(cur("123456.789"), 2, digitos), cur("123456.79"));
    EXPECT_TRUE(ui.mensagens.empty());

    EXPECT_EQ(ediv.Arredonda(cur("1.5"), 5, digitos), Currency());
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("O Número de casas Decimais tem que ser  entre (0 e 4)"));

    EXPECT_TRUE(ediv.IntToBool(1));
    EXPECT_FALSE(ediv.IntToBool(0));
    EXPECT_EQ(ui.mensagens.size(), 1u);
    EXPECT_FALSE(ediv.IntToBool(-1));
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Esta Função só deve ser utilizada com valores de 1 e 0"));

    const QVariant sub(QStringLiteral("x"));
    EXPECT_EQ(EDiv::IsNulo(QVariant(QMetaType(QMetaType::Int)), sub), sub);
    EXPECT_EQ(EDiv::IsNulo(QVariant(QString()), sub).toString(), "");
}

TEST_F(EDivTeste, FDNumFormaPortuguesa) {
    EXPECT_EQ(pt("1234.5", 2, 1, 1), "1.234,50");
    EXPECT_EQ(pt("1234.5", 2, 2, 2), "      1.234,50");
    EXPECT_EQ(pt("1234.5", 2, 1, 3), "1.234,50          ");
    EXPECT_EQ(pt("-1234567.891", 3, 2, 3), "    -1.234.567,891");
    EXPECT_EQ(pt("999.995", 2, 2, 1), "1.000,00");
    EXPECT_EQ(pt("0.5", 6, 2, 2), "      0,500000");
    // Choices: no decimal mark with 0 decimals, a long text is never cut, a rounded zero has no sign.
    EXPECT_EQ(pt("1234.5", 0, 2, 1), "   1.235");
    EXPECT_EQ(pt("1234567.89", 2, 2, 1), "1.234.567,89");
    EXPECT_EQ(pt("-0.001", 2, 2, 1), "    0,00");

    int casas = 9, alinhamento = 7, largura = 0;
    QString milhares, decimal;
    EXPECT_EQ(ediv.FDNum(cur("1234.5"), casas, alinhamento, largura, milhares, decimal), "1,234.500000      ");
    EXPECT_EQ(casas, 6);
    EXPECT_EQ(alinhamento, 1);
    EXPECT_EQ(largura, 3);
    EXPECT_EQ(milhares + decimal, ctx.SeparadorMilhares + ctx.SeparadorDecimal);
}

TEST(EDivControlEnter, FiltroDeTeclas) {
    const auto filtrar = [](int tecla, const char* activa) {
        const EDiv::MovimentoFoco m = EDiv::ControlEnter(tecla, QString::fromUtf8(activa));
        return std::pair{tecla, m};
    };
    using M = EDiv::MovimentoFoco;
    EXPECT_EQ(filtrar(39, "1"), std::pair(96, M::Nenhuma)); // stored as a backtick, not swallowed
    for (int acento : {126, 94, 96, 180, 168})
        EXPECT_EQ(filtrar(acento, "0"), std::pair(0, M::Nenhuma)) << acento;
    EXPECT_EQ(filtrar(13, "1"), std::pair(0, M::Seguinte));
    EXPECT_EQ(filtrar(27, "1"), std::pair(0, M::Anterior));
    EXPECT_EQ(filtrar(13, "0"), std::pair(13, M::Nenhuma));
    EXPECT_EQ(filtrar(27, ""), std::pair(27, M::Nenhuma));
    EXPECT_EQ(filtrar(0xE7, "1"), std::pair(0xE7, M::Nenhuma));
}

TEST(EDivStripString, PartesPeloSeparador) {
    EXPECT_EQ(EDiv::StripString(QStringLiteral("a;b;;c"), QStringLiteral(";")), QStringList({"a", "b", "", "c"}));
    EXPECT_EQ(EDiv::StripString(QStringLiteral("x<@>y"), QStringLiteral("<@>")), QStringList({"x", "y"}));
    EXPECT_TRUE(EDiv::StripString(QString(), QStringLiteral(";")).isEmpty());
}

TEST(EDivSQL, ComandosComValoresLigados) {
    const auto ins = EDiv::InsertSQL(QStringLiteral(" Produtos "), {"Codigo", " Activo", "Inactivo", "Preco", "Data"},
                                     {QStringLiteral("A'1"), true, false, QVariant::fromValue(cur("-12.5")),
                                      QDate(2024, 2, 29)});
    EXPECT_EQ(ins.sql, "INSERT INTO Produtos (Codigo,Activo,Inactivo,Preco,Data) VALUES (?,?,?,?,?)");
    EXPECT_EQ(ins.valores, QVariantList({QStringLiteral("A'1"), -1, 0, QStringLiteral("-12.5000"),
                                         QStringLiteral("2024-02-29")}));

    const auto upd = EDiv::UpdateSQL(QStringLiteral("Produtos"), {"Descricao", "Activo"}, {QStringLiteral("x"), false},
                                     QStringLiteral("WHERE Codigo = ? AND Bloqueado = ?"), {QStringLiteral("A"), true});
    EXPECT_EQ(upd.sql, "UPDATE Produtos SET Descricao=?,Activo=? WHERE Codigo = ? AND Bloqueado = ?");
    EXPECT_EQ(upd.valores, QVariantList({QStringLiteral("x"), 0, QStringLiteral("A"), -1}));

    const QVariantList um{1};
    EXPECT_FALSE(EDiv::InsertSQL(QStringLiteral("T; DROP TABLE T"), {"a"}, um).valido());
    EXPECT_FALSE(EDiv::InsertSQL(QStringLiteral("T"), {"a) VALUES (1); --"}, um).valido());
    EXPECT_FALSE(EDiv::InsertSQL(QStringLiteral("1T"), {"a"}, um).valido());
    EXPECT_FALSE(EDiv::InsertSQL(QStringLiteral("T"), {"a", "b"}, um).valido());
    EXPECT_FALSE(EDiv::InsertSQL(QStringLiteral("T"), {}, {}).valido());
    EXPECT_FALSE(EDiv::UpdateSQL(QStringLiteral("T"), {"a=1,b"}, um).valido());
}

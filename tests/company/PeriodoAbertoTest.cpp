#include "company/PeriodoAberto.h"
#include "support/DbTest.h"

class PeriodoAbertoTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_paramGeral = db->insert(QStringLiteral("ParamGeral"), {"AnoCalculo"}, {"2015"});
        ASSERT_GT(m_paramGeral, 0) << db->lastError().toStdString();
        ctx.AnoCalculo = QStringLiteral("2015");
        ctx.ano = QStringLiteral("2024");
        ctx.mes = QStringLiteral("06");
    }
    void paramGeral(const QString& coluna, const QString& valor) {
        ASSERT_TRUE(db->update(QStringLiteral("ParamGeral"), {coluna}, {valor},
                               QStringLiteral("WHERE NumRegisto = ?"), {m_paramGeral}));
    }
    void armazem(const QString& codigo, const QString& controlaAno, const QString& ano,
                 const QString& controlaMes, const QString& mes) {
        ASSERT_GT(db->insert(QStringLiteral("Armazens"),
                             {"codigo", "ControlaAno", "Ano", "ControlaMes", "Mes"},
                             {codigo, controlaAno, ano, controlaMes, mes}),
                  0);
    }
    bool valida(const QString& data, const QString& arm = {}) {
        ui.mensagens.clear();
        return ValidaPeriodoAberto(ctx, ui, data, arm, true);
    }
    QString mensagem() const {
        return ui.mensagens.size() == 1 ? ui.mensagens[0].texto : QStringLiteral("<nenhuma ou várias>");
    }

    qint64 m_paramGeral = 0;
};

TEST_P(PeriodoAbertoTest, DataInvalidaRecusadaSemMensagem) {
    for (const QString& d : {QString(), QStringLiteral("  "), QStringLiteral("2024-02-30"),
                             QStringLiteral("hoje"), QStringLiteral("31-13-2024")}) {
        EXPECT_FALSE(valida(d)) << d.toStdString();
        EXPECT_TRUE(ui.mensagens.empty()) << d.toStdString();
    }
    EXPECT_TRUE(valida(QStringLiteral("2024-02-29")));
    EXPECT_TRUE(valida(QStringLiteral("29-02-2024")));
}

TEST_P(PeriodoAbertoTest, AnoAnteriorACriacaoDaEmpresa) {
    EXPECT_FALSE(valida(QStringLiteral("2014-12-31")));
    EXPECT_EQ(mensagem(),
              QStringLiteral("Ano diferente do Ano da Criação da Empresa\rAno de Abertura = 2015"));
    ASSERT_EQ(ui.mensagens.size(), 1u);
    EXPECT_EQ(ui.mensagens[0].icone, UserInteraction::Icone::Critico);
    EXPECT_TRUE(valida(QStringLiteral("01-01-2015")));
}

TEST_P(PeriodoAbertoTest, AntesDaDataEmAbertoMesmoSemControlos) {
    paramGeral(QStringLiteral("DataEmAberto"), QStringLiteral("2024-03-15"));
    EXPECT_FALSE(valida(QStringLiteral("2024-03-14")));
    EXPECT_EQ(mensagem(), QStringLiteral("Apenas pode efectuar operações a partir de 15-03-2024"));
    EXPECT_FALSE(valida(QStringLiteral("31-12-2023")));
    EXPECT_TRUE(valida(QStringLiteral("2024-03-15")));
    EXPECT_TRUE(valida(QStringLiteral("2030-01-01")));
    EXPECT_TRUE(ui.mensagens.empty());
}

TEST_P(PeriodoAbertoTest, ControloGeralDoAnoEArmazemQueOSubstitui) {
    ctx.controlaano = QStringLiteral("1");
    EXPECT_FALSE(valida(QStringLiteral("2023-06-10")));
    EXPECT_EQ(mensagem(),
              QStringLiteral("Ano diferente do Ano em Aberto (Controlo Geral)\rAno em Aberto = 2024"));
    EXPECT_TRUE(valida(QStringLiteral("2024-06-10")));

    armazem(QStringLiteral("002"), QStringLiteral("1"), QStringLiteral("2023"), QString(), QString());
    EXPECT_TRUE(valida(QStringLiteral("2023-06-10"), QStringLiteral("002")));
    EXPECT_FALSE(valida(QStringLiteral("2024-06-10"), QStringLiteral("002")));
    EXPECT_EQ(
        mensagem(),
        QStringLiteral("Ano diferente do Ano em Aberto   [Controlo por Armazém]\rAno em Aberto = 2023"));

    // A warehouse without its own control, or an unknown one, falls back to the general control.
    armazem(QStringLiteral("003"), QStringLiteral("0"), QStringLiteral("2023"), QString(), QString());
    EXPECT_FALSE(valida(QStringLiteral("2023-06-10"), QStringLiteral("003")));
    EXPECT_FALSE(valida(QStringLiteral("2023-06-10"), QStringLiteral("999")));
    EXPECT_FALSE(valida(QStringLiteral("2023-06-10"), QStringLiteral("' OR '1'='1")));

    ctx.controlaano = QStringLiteral("0");
    EXPECT_TRUE(valida(QStringLiteral("2023-06-10")));
}

TEST_P(PeriodoAbertoTest, ControloGeralDoMesComLancamentoNosMesesSeguintes) {
    ctx.controlames = QStringLiteral("1");
    EXPECT_TRUE(valida(QStringLiteral("2024-06-30")));
    EXPECT_FALSE(valida(QStringLiteral("2024-07-01")));
    EXPECT_EQ(mensagem(),
              QStringLiteral("Mês diferente do Mês em Aberto (Controlo Geral)\rMês em Aberto = Junho"));

    paramGeral(QStringLiteral("LancaMesSeguinte"), QStringLiteral("1"));
    EXPECT_TRUE(valida(QStringLiteral("2024-07-01")));
    EXPECT_TRUE(valida(QStringLiteral("2024-12-31")));
    EXPECT_FALSE(valida(QStringLiteral("2024-05-31")));
    EXPECT_EQ(mensagem(),
              QStringLiteral("Mês diferente do Mês em Aberto (Controlo Geral)\rMês em Aberto = Junho"));
}

TEST_P(PeriodoAbertoTest, ControloDoMesPorArmazem) {
    ctx.controlames = QStringLiteral("1");
    paramGeral(QStringLiteral("LancaMesSeguinte"), QStringLiteral("1"));
    armazem(QStringLiteral("004"), QString(), QString(), QStringLiteral("1"), QStringLiteral("3"));
    EXPECT_TRUE(valida(QStringLiteral("2024-03-01"), QStringLiteral("004")));
    EXPECT_FALSE(valida(QStringLiteral("2024-04-01"), QStringLiteral("004")))
        << "the warehouse's own month admits no later months";
    EXPECT_EQ(
        mensagem(),
        QStringLiteral("Mês diferente do Mês em Aberto   [Controlo por Armazém]\rMês em Aberto = Março"));
    EXPECT_TRUE(valida(QStringLiteral("2024-06-01"), QStringLiteral("005")))
        << "unknown warehouse: general control";
}

TEST_P(PeriodoAbertoTest, MensagensSoQuandoPedidas) {
    ctx.controlaano = QStringLiteral("1");
    paramGeral(QStringLiteral("DataEmAberto"), QStringLiteral("2024-01-10"));
    for (const QString& d :
         {QStringLiteral("2010-01-01"), QStringLiteral("2024-01-09"), QStringLiteral("2025-02-01")}) {
        EXPECT_FALSE(ValidaPeriodoAberto(ctx, ui, d, {}, false)) << d.toStdString();
    }
    EXPECT_TRUE(ui.mensagens.empty());
    EXPECT_TRUE(ValidaPeriodoAberto(ctx, ui, QStringLiteral("2024-01-10"), {}, false));
}

// Postings ask without a window: the refusal carries the window's message, and a period that
// cannot be read is refused with the reason instead of being taken as open.
TEST_P(PeriodoAbertoTest, SemJanelaARecusaTrazAMensagem) {
    ctx.controlaano = QStringLiteral("1");
    const auto fora = PeriodoEmAberto(ctx, QStringLiteral("2023-05-01"), {});
    ASSERT_FALSE(fora);
    EXPECT_EQ(fora.mensagem(), QStringLiteral("Ano diferente do Ano em Aberto (Controlo Geral)\rAno em Aberto = 2024"));
    EXPECT_TRUE(PeriodoEmAberto(ctx, QStringLiteral("2024-05-01"), {}));
    EXPECT_TRUE(ui.mensagens.empty());

    ASSERT_TRUE(db->exec(QStringLiteral("DROP TABLE ParamGeral")));
    const auto semParametros = PeriodoEmAberto(ctx, QStringLiteral("2024-05-01"), {});
    ASSERT_FALSE(semParametros);
    EXPECT_FALSE(semParametros.mensagem().isEmpty());
}

LUMO_INSTANCIAR_MOTORES(PeriodoAbertoTest);

#include "production/Equipamentos.h"
#include "production/ProducaoTeste.h"
#include "support/DbTest.h"

namespace {

using producao_teste::C;

class EquipamentosTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        producao_teste::criarEmpresaProducao(ctx);
        if (HasFatalFailure())
            return;
        ctx.CodigoUtilizador = QStringLiteral("01");
    }
    Equipamento equipamento(const char* codigo, const char* aquisicao = "2026-01-10", int diasAbate = 30) {
        Equipamento e;
        e.codigo = QString::fromLatin1(codigo);
        e.descricao = QStringLiteral("Frigorífico");
        e.dataAquisicao = QString::fromLatin1(aquisicao);
        e.avisoDias = {diasAbate, 15, 20};
        e.avisoUtilizador = {QStringLiteral("02"), QStringLiteral("02"), QStringLiteral("03")};
        e.valorAquisicao = C("100");
        e.valorDesmantelamento = C("50");
        return e;
    }
    Equipamento gravar(const Equipamento& e, bool novo = true) {
        const auto r = GravarEquipamento(ctx, e, novo);
        EXPECT_TRUE(r) << r.mensagem().toStdString();
        return r ? *r : Equipamento{};
    }
    std::string avisos(const char* utilizador, const char* dia) {
        QStringList r;
        for (const AvisoEquipamento& a :
             AvisosEquipamentos(*db, QString::fromLatin1(utilizador), QDate::fromString(QString::fromLatin1(dia), Qt::ISODate))
                 .valorOu({}))
            r << a.codigo + u' ' + a.dataControlo + u' ' + a.aviso;
        return r.join(u'|').toStdString();
    }
    void corrida(const char* run, const char* equipamento, const char* tipoProduto, const char* produto,
                 const char* quant, const char* preco) {
        ASSERT_GT(db->insert("LoteInstantaneo", Registo()("NumProcesso", run)("Codigo", "")("Tipo", "EPR")(
                                                    "Numero", "00000001")("Data", "2026-02-01")("TipoProduto", tipoProduto)(
                                                    "Produto", produto)("Quantidade", quant)("Preco", preco)(
                                                    "Equipamento", equipamento)),
                  0);
    }
};

TEST_P(EquipamentosTest, AvisosPorPassoDiaEUtilizador) {
    gravar(equipamento("EQ1"));
    // 2026-01-10 + 30 days, for user 02, on that day and not the day before.
    EXPECT_EQ(avisos("02", "2026-02-08"), "");
    EXPECT_EQ(avisos("02", "2026-02-09"), "EQ1 2026-02-09 Sem registo de Abate");
    EXPECT_EQ(avisos("01", "2026-03-01"), "") << "another user is not warned";
    EXPECT_EQ(ContaAvisosEquipamentos(*db, "02", QDate(2026, 2, 9)).valorOu(-1), 1);

    // Recording the deregistration ends its warning and starts the depollution one.
    Equipamento e = LerEquipamento(*db, "EQ1")->value();
    e.dataAbate = QStringLiteral("2026-02-10");
    gravar(e, false);
    EXPECT_EQ(avisos("02", "2026-02-24"), "");
    EXPECT_EQ(avisos("02", "2026-02-25"), "EQ1 2026-02-25 Sem registo de Despoluimento");
    e = LerEquipamento(*db, "EQ1")->value();
    EXPECT_TRUE(e.aviso[0].isEmpty());
    EXPECT_TRUE(e.aviso[2].isEmpty()) << "no depollution yet: no dismantling warning";

    // With no days there is no warning, whatever the dates.
    gravar(equipamento("EQ2", "2020-01-01", 0));
    EXPECT_TRUE(LerEquipamento(*db, "EQ2")->value().aviso[0].isEmpty());
    EXPECT_EQ(avisos("02", "2030-01-01").find("EQ2"), std::string::npos);
}

TEST_P(EquipamentosTest, ListaSoParaOsUtilizadoresPermitidosComPreenchimentoDoUltimo) {
    Equipamento privado = equipamento("EQ1");
    privado.utilizadores = {QStringLiteral("01")};
    gravar(privado);
    gravar(equipamento("EQ2"));
    auto codigos = [&](const char* utilizador, const char* estado = "SDDM") {
        FiltroEquipamentos f;
        f.estado = QString::fromLatin1(estado);
        QStringList r;
        for (const Equipamento& e : ListarEquipamentos(*db, f, QString::fromLatin1(utilizador)).valorOu({}))
            r << e.codigo;
        return r.join(u',').toStdString();
    };
    EXPECT_EQ(codigos("01"), "EQ1,EQ2");
    EXPECT_EQ(codigos("02"), "EQ2") << "outside the allowed list";
    EXPECT_EQ(avisos("02", "2026-02-09"), "EQ1 2026-02-09 Sem registo de Abate|EQ2 2026-02-09 Sem registo de Abate")
        << "but still warned";
    EXPECT_EQ(codigos("01", "SDAR"), "EQ1,EQ2");
    Equipamento e = LerEquipamento(*db, "EQ2")->value();
    e.dataAbate = QStringLiteral("2026-02-01");
    gravar(e, false);
    EXPECT_EQ(codigos("01", "SDAR"), "EQ1");

    // The next new record of user 01 starts from the last one saved.
    const Equipamento novo = NovoEquipamento(*db, "01").valorOu({});
    EXPECT_EQ(novo.avisoDias[0], 30);
    EXPECT_EQ(novo.avisoUtilizador[2], "03");
    EXPECT_TRUE(novo.codigo.isEmpty());
}

TEST_P(EquipamentosTest, GravarRecusasELogEEliminar) {
    Equipamento e = equipamento("");
    EXPECT_EQ(GravarEquipamento(ctx, e, true).mensagem().toStdString(), "Não definiu o Código!");
    e.codigo = QStringLiteral("EQ1");
    e.descricao.clear();
    EXPECT_EQ(GravarEquipamento(ctx, e, true).mensagem().toStdString(), "Não definiu a descrição!");
    gravar(equipamento("EQ1"));
    EXPECT_EQ(GravarEquipamento(ctx, equipamento("EQ1"), true).mensagem().toStdString(), "Código já existente!");
    // A code that runs still name would inherit them.
    corrida("5", "EQ9", "PA", "PA", "1", "1");
    EXPECT_EQ(GravarEquipamento(ctx, equipamento("EQ9"), true).mensagem().toStdString(), "Código já existente!");
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM LogGeral WHERE Modulo='TB' AND Accao='N'").toInt(), 1);

    corrida("6", "EQ1", "PA", "PA", "1", "1");
    EXPECT_TRUE(EquipamentoComProducoes(*db, "EQ1").valorOu(false));
    ASSERT_TRUE(EliminarEquipamento(ctx, "EQ1"));
    EXPECT_FALSE(LerEquipamento(*db, "EQ1")->has_value());
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM LoteInstantaneo WHERE Equipamento='EQ1'").toInt(), 1)
        << "the runs keep the code";
}

TEST_P(EquipamentosTest, RelatorioSomaCustosEProveitosExactos) {
    gravar(equipamento("EQ1"));
    auto r = LerRelatorioEquipamento(*db, "EQ1");
    ASSERT_TRUE(r) << r.mensagem().toStdString();
    ASSERT_EQ(r->custos.size(), 1u);
    ASSERT_EQ(r->proveitos.size(), 1u);
    EXPECT_EQ(r->saldo(), C("-50"));
    EXPECT_TRUE(r->proveitos[0].data.isEmpty()) << "dated with the dismantling, not yet recorded";

    corrida("1", "EQ1", "MP", "MP1", "2", "1.25");
    corrida("1", "EQ1", "PA", "PA", "1", "1.75");
    corrida("2", "EQ1", "MP", "MP2", "3", "0.3333");
    corrida("2", "EQ1", "PA", "PA", "4", "0.4375");
    corrida("3", "EQ2", "MP", "MP1", "100", "100");
    r = LerRelatorioEquipamento(*db, "EQ1");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->custos.size(), 3u);
    EXPECT_EQ(r->totalCustos, C("103.4999"));
    EXPECT_EQ(r->totalProveitos, C("53.5"));
    EXPECT_EQ(r->saldo(), C("-49.9999"));
}

} // namespace

LUMO_INSTANCIAR_MOTORES(EquipamentosTest);

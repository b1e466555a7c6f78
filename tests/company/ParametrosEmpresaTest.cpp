#include "company/ParametrosEmpresa.h"
#include "support/DbTest.h"

class ParametrosEmpresaTest : public DbTest {
protected:
    qint64 linha(const QStringList& colunas, const QVariantList& valores) {
        const qint64 n = db->insert(QStringLiteral("ParamGeral"), colunas, valores);
        EXPECT_GT(n, 0) << db->lastError().toStdString();
        return n;
    }
    ParametrosEmpresa ler() {
        const auto p = ParametrosEmpresa::ler(*db);
        EXPECT_TRUE(p) << db->lastError().toStdString();
        return p.valorOu({});
    }
};

TEST_P(ParametrosEmpresaTest, SemLinhaOuComColunasNulasValemOsValoresPorOmissao) {
    for (bool comLinha : {false, true}) {
        if (comLinha)
            linha({"NomeEmpresa"}, {"Teste"});
        const ParametrosEmpresa p = ler();
        EXPECT_EQ(p.existe, comLinha);
        EXPECT_FALSE(p.pmcPorArmazem);
        EXPECT_EQ(p.regraCustoMedio(), 1);
        EXPECT_EQ(p.precoTranfAcertos, 0);
        EXPECT_TRUE(p.prodDiversos.isEmpty() && p.prodDiversos2.isEmpty());
        EXPECT_FALSE(p.controlaQuant || p.controlaQuantDiversos || p.controlaQuantServicos || p.controlaQuantPortes);
        EXPECT_TRUE(p.dataEmAberto.isEmpty());
        EXPECT_FALSE(p.lancaMesSeguinte);
    }
}

TEST_P(ParametrosEmpresaTest, ValoresConvertidosComoCadaDecisaoOsLe) {
    linha({"PMCArmazem", "FormulaPrecoMedioCusto", "PrecoTranfAcertos", "proddiversos", "proddiversos2",
           "ControlaQuant", "controlaQuant_Diversos", "controlaQuant_Servicos", "controlaQuant_Portes",
           "DataEmAberto", "LancaMesSeguinte"},
          {-1, 3, 2, "DIV ", "", " ", 1, 2, 0, "2024-3-15 ", "1"});
    const ParametrosEmpresa p = ler();
    EXPECT_TRUE(p.existe);
    EXPECT_TRUE(p.pmcPorArmazem) << "any non-zero switch is on";
    EXPECT_EQ(p.regraCustoMedio(), 3);
    EXPECT_EQ(p.precoTranfAcertos, 2);
    EXPECT_EQ(p.prodDiversos.trimmed(), "DIV");
    EXPECT_FALSE(p.controlaQuant) << "a blank text switch is off";
    EXPECT_TRUE(p.controlaQuantDiversos);
    EXPECT_FALSE(p.controlaQuantServicos) << "only 1 turns the extensions on";
    EXPECT_FALSE(p.controlaQuantPortes);
    EXPECT_EQ(p.dataEmAberto, "2024-3-15");
    EXPECT_TRUE(p.lancaMesSeguinte);

    ASSERT_TRUE(db->exec("UPDATE ParamGeral SET FormulaPrecoMedioCusto=?, ControlaQuant=?", {7, "1"}));
    EXPECT_EQ(ler().regraCustoMedio(), 1) << "an unknown rule is rule 1";
    EXPECT_TRUE(ler().controlaQuant);
}

TEST_P(ParametrosEmpresaTest, ValeAPrimeiraLinhaPorNumRegisto) {
    linha({"FormulaPrecoMedioCusto"}, {2});
    linha({"FormulaPrecoMedioCusto"}, {3});
    EXPECT_EQ(ler().regraCustoMedio(), 2);
}

TEST_P(ParametrosEmpresaTest, ProdutoDiversoSemEspacosNemMaiusculasENuncaEmBranco) {
    ParametrosEmpresa p;
    p.prodDiversos = QStringLiteral("Div1  ");
    EXPECT_TRUE(p.produtoDiverso(QStringLiteral(" DIV1")));
    EXPECT_FALSE(p.produtoDiverso(QStringLiteral("DIV")));
    EXPECT_FALSE(p.produtoDiverso(QStringLiteral("  "))) << "the blank second code matches nothing";
    p.prodDiversos2 = QStringLiteral("X");
    EXPECT_TRUE(p.produtoDiverso(QStringLiteral("x")));
}

TEST_P(ParametrosEmpresaTest, LidosNaMesmaInstrucaoQueOutrasTabelas) {
    ASSERT_GT(db->insert("Produtos", {"Codigo"}, {"P1"}), 0);
    const QString sql = QStringLiteral("SELECT p.Codigo, %1 FROM Produtos p LEFT JOIN (SELECT * FROM ParamGeral "
                                       "ORDER BY NumRegisto%2) g ON 1=1 WHERE p.Codigo=?")
                            .arg(ParametrosEmpresa::colunas(QStringLiteral("g")), db->dialect().limite(1));
    auto r = db->primeiraLinha(sql, {"P1"});
    ASSERT_TRUE(r) << db->lastError().toStdString();
    EXPECT_FALSE(ParametrosEmpresa::deValores(*r, 1).existe) << "the outer join without the row";

    linha({"PMCArmazem", "proddiversos"}, {1, "DIV"});
    r = db->primeiraLinha(sql, {"P1"});
    ASSERT_TRUE(r);
    const ParametrosEmpresa p = ParametrosEmpresa::deValores(*r, 1);
    EXPECT_TRUE(p.existe && p.pmcPorArmazem);
    EXPECT_TRUE(p.produtoDiverso(QStringLiteral("div")));
}

TEST_P(ParametrosEmpresaTest, FalhaDeLeituraDitaAoChamador) {
    ASSERT_TRUE(db->exec("DROP TABLE ParamGeral"));
    const auto p = ParametrosEmpresa::ler(*db);
    ASSERT_FALSE(p);
    EXPECT_FALSE(p.mensagem().isEmpty());
    EXPECT_EQ(p.mensagem(), db->lastError());
    EXPECT_FALSE(LerRegistoParamGeral(*db));
}

TEST_P(ParametrosEmpresaTest, RegistoCompletoParaQuemLePorNome) {
    EXPECT_FALSE(LerRegistoParamGeral(*db));
    linha({"NomeEmpresa", "casadec"}, {"Primeira", 2});
    linha({"NomeEmpresa"}, {"Segunda"});
    const auto r = LerRegistoParamGeral(*db);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->value(QStringLiteral("NomeEmpresa")).toString(), "Primeira");
    EXPECT_EQ(r->value(QStringLiteral("casadec")).toInt(), 2);
}

LUMO_INSTANCIAR_MOTORES(ParametrosEmpresaTest);

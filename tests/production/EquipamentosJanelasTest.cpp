#include "production/EquipamentosJanelas.h"
#include "production/ProducaoTeste.h"
#include "support/DbTest.h"
#include "support/SemFalha.h"

#include <QVariantMap>

// The equipment windows' logic. Rows go straight into Prod_Equipamentos, every text column blank
// as a saved record leaves it, so only the windows are under test. The user working is "05".
class EquipamentosJanelasTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        for (auto [codigo, login] : {std::pair{"01", "Supervisor"}, {"02", "Bruno"}, {"05", "Rita"}})
            ASSERT_GT(db->insert("Utilizador", Registo()("Codigo", codigo)("Login", login)), 0);
        ctx.CodigoUtilizador = QStringLiteral("05");
    }

    qint64 equipamento(const char* codigo, const char* descricao, const QVariantMap& outros = {}) {
        QVariantMap v;
        for (const char* c : {"DataAquisicao", "DataAbate", "DataDespoluimento", "DataDesmantelamento", "DataCertDest",
                              "Observacao", "AvisoUtilizadorAbate", "AvisoUtilizadorDespoluimento",
                              "AvisoUtilizadorDesmantelamento", "AvisoAbate", "AvisoDespoluimento",
                              "AvisoDesmantelamento", "Utilizadores", "Utilizador"})
            v[c] = QString();
        for (const char* c : {"AvisoDiasAbate", "AvisoDiasDespoluimento", "AvisoDiasDesmantelamento"})
            v[c] = 0;
        v["ValorAquisicao"] = v["ValorDesmantelamento"] = QStringLiteral("0");
        v["DataAquisicao"] = QStringLiteral("2026-03-01");
        v["Codigo"] = QString::fromUtf8(codigo);
        v["Descricao"] = QString::fromUtf8(descricao);
        for (auto it = outros.begin(); it != outros.end(); ++it)
            v[it.key()] = it.value();
        Registo r;
        for (auto it = v.begin(); it != v.end(); ++it)
            r(it.key(), it.value());
        const qint64 n = db->insert("Prod_Equipamentos", r);
        EXPECT_GT(n, 0) << db->lastError().toStdString();
        return n;
    }
    static QStringList coluna(const ListaDados& l, int c) {
        QStringList r;
        for (int i = 0; i < l.numLinhas(); ++i)
            r << l.texto(i, c);
        return r;
    }
    static int linhaDe(const ListaDados& l, const QString& codigo) {
        for (int i = 0; i < l.numLinhas(); ++i)
            if (l.lvw_GetValue(i, QStringLiteral("Codigo")) == codigo)
                return i;
        return -1;
    }
};

TEST_P(EquipamentosJanelasTest, ListaFiltraPeloEstadoEPelosUtilizadoresComAcesso) {
    equipamento("E1", "Frigorífico");
    equipamento("E2", "Máquina de lavar", {{"DataAbate", "2026-03-05"}});
    equipamento("E3", "Fogão", {{"DataAbate", "2026-03-05"}, {"DataDespoluimento", "2026-03-06"},
                                {"DataDesmantelamento", "2026-03-07"}});
    equipamento("E4", "Esquentador", {{"Utilizadores", "02;"}});
    equipamento("E5", "Arca", {{"Utilizadores", "02;05;"}});

    TabEquipamentos l(ctx, ui);
    EXPECT_EQ(l.optEstado, "SDDM");
    ASSERT_TRUE(l.Carregar());
    EXPECT_EQ(coluna(l.lvwLista, 1), QStringList({"E1", "E2", "E5"}))
        << "not dismantled, and E4 is only for user 02";
    EXPECT_EQ(l.lvwLista.texto(0, 3), "01-03-2026") << "dates shown as dates";
    EXPECT_EQ(l.lvwLista.texto(0, 4), "") << "a blank step shows blank";

    l.optEstado = "T";
    ASSERT_TRUE(l.Carregar());
    EXPECT_EQ(coluna(l.lvwLista, 1), QStringList({"E1", "E2", "E3", "E5"}));
    l.optEstado = "SDAR";
    ASSERT_TRUE(l.Carregar());
    EXPECT_EQ(coluna(l.lvwLista, 1), QStringList({"E1", "E5"}));
    l.optEstado = "SDCD";
    ASSERT_TRUE(l.Carregar());
    EXPECT_EQ(coluna(l.lvwLista, 1), QStringList({"E1", "E2", "E3", "E5"}));

    l.optEstado = "T";
    l.txtDescricao = "Fog";
    ASSERT_TRUE(l.Carregar());
    EXPECT_EQ(coluna(l.lvwLista, 1), QStringList({"E3"}));
    l.txtDescricao.clear();
    l.txtCodigo = "E5";
    ASSERT_TRUE(l.Carregar());
    EXPECT_EQ(coluna(l.lvwLista, 1), QStringList({"E5"}));

    ctx.CodigoUtilizador = QStringLiteral("02");
    l.txtCodigo.clear();
    ASSERT_TRUE(l.Carregar());
    EXPECT_EQ(coluna(l.lvwLista, 1), QStringList({"E1", "E2", "E3", "E4", "E5"}));

    l.ordenar(2);
    EXPECT_EQ(coluna(l.lvwLista, 1), QStringList({"E5", "E4", "E3", "E1", "E2"})) << "by description";
    l.lvwLista.lvw_SelectLinha(1);
    ASSERT_TRUE(l.Carregar());
    EXPECT_EQ(coluna(l.lvwLista, 1), QStringList({"E5", "E4", "E3", "E1", "E2"})) << "a reload keeps the order";
    ASSERT_TRUE(l.seleccionado());
    EXPECT_EQ(l.seleccionado()->codigo, "E4") << "and the row";
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
}

TEST_P(EquipamentosJanelasTest, EliminarAvisaDosProcessosDeProducaoQueONomeiam) {
    equipamento("E1", "Frigorífico");
    equipamento("E2", "Fogão");
    ASSERT_GT(db->insert("LoteInstantaneo", Registo()("Codigo", "N1")("Tipo", "EPR")("Numero", "00000001")(
                                                "Data", "2026-03-02")("TipoProduto", "PA")("Produto", "PA")(
                                                "Quantidade", "1")("Preco", "0")("Equipamento", "E1")),
              0);
    TabEquipamentos l(ctx, ui);
    ASSERT_TRUE(l.Carregar());
    EXPECT_FALSE(l.eliminar()) << "nothing selected";
    EXPECT_TRUE(ui.perguntas.empty());

    l.lvwLista.lvw_SelectLinha(linhaDe(l.lvwLista, "E2"));
    ui.responder(0); // "&Não"
    EXPECT_FALSE(l.eliminar());
    EXPECT_TRUE(ui.mensagens.empty()) << "no runs, no information";
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Prod_Equipamentos WHERE Codigo='E2'").toInt(), 1);

    l.lvwLista.lvw_SelectLinha(linhaDe(l.lvwLista, "E1"));
    ui.responder(1); // "&Sim"
    EXPECT_TRUE(l.eliminar());
    ASSERT_EQ(ui.mensagens.size(), 1u);
    EXPECT_EQ(ui.mensagens[0].texto, "Atenção que este equipamento tem processos de produção.");
    EXPECT_EQ(ui.perguntas, (std::vector<QString>{"Confirma a eliminação do equipamento?",
                                                  "Confirma a eliminação do equipamento?"}));
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Prod_Equipamentos WHERE Codigo='E1'").toInt(), 0);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM LoteInstantaneo WHERE Equipamento='E1'").toInt(), 1)
        << "the runs keep the code";
    EXPECT_EQ(coluna(l.lvwLista, 1), QStringList({"E2"})) << "the list reloaded";
    EXPECT_TRUE(ui.respostasEsgotadas());
}

TEST_P(EquipamentosJanelasTest, NovoVemComOsAvisosEUtilizadoresDoUltimoDoUtilizador) {
    equipamento("E1", "Antigo", {{"Utilizador", "05"}, {"AvisoDiasAbate", 3}, {"AvisoUtilizadorAbate", "01"}});
    equipamento("E2", "Último", {{"Utilizador", "05"}, {"AvisoDiasAbate", 10}, {"AvisoDiasDespoluimento", 20},
                                 {"AvisoDiasDesmantelamento", 30}, {"AvisoUtilizadorAbate", "02"},
                                 {"AvisoUtilizadorDesmantelamento", "05"}, {"Utilizadores", "02;05;"},
                                 {"DataAbate", "2026-03-02"}, {"ValorAquisicao", "150"}});
    equipamento("E3", "De outro", {{"Utilizador", "02"}, {"AvisoDiasAbate", 99}});

    TabEquipamentosINS r(ctx, ui);
    ASSERT_TRUE(r.Abrir(u'N'));
    EXPECT_TRUE(r.codigoEditavel());
    EXPECT_TRUE(r.txtCodigo.isEmpty());
    EXPECT_TRUE(r.txtDescricao.isEmpty());
    EXPECT_FALSE(r.txtDataAbate.isValid()) << "only the warnings and users come from the last one";
    EXPECT_TRUE(r.txtValorAquisicao.isZero());
    EXPECT_EQ(r.txtAvisoDias, (std::array<int, 3>{10, 20, 30}));
    EXPECT_EQ(r.txtAvisoUtilizador[0].codigo, "02");
    EXPECT_EQ(r.txtAvisoUtilizador[0].descricao, "Bruno") << "the login beside the code";
    EXPECT_TRUE(r.txtAvisoUtilizador[1].codigo.isEmpty());
    EXPECT_EQ(r.txtAvisoUtilizador[2].descricao, "Rita");

    // Every user, by login, the allowed ones ticked.
    ASSERT_EQ(coluna(r.lvwUtilizadores, 2), QStringList({"Bruno", "Rita", "Supervisor"}));
    EXPECT_TRUE(r.lvwUtilizadores.marcada(0));
    EXPECT_TRUE(r.lvwUtilizadores.marcada(1));
    EXPECT_FALSE(r.lvwUtilizadores.marcada(2));
    EXPECT_EQ(r.utilizadoresMarcados(), QStringList({"02", "05"}));

    EXPECT_FALSE(r.podeAbrirImagens()) << "pictures need a code";
    EXPECT_EQ(ui.ultimaMensagem(), "Não definiu o Código!");
    EXPECT_EQ(r.focoPedido(), TabEquipamentosINS::Foco::Codigo);
}

TEST_P(EquipamentosJanelasTest, InverterTrocaOsUtilizadoresComAcessoEAlteracaoGuardaOCodigo) {
    const qint64 n = equipamento("E1", "Frigorífico", {{"Utilizadores", "05;"}, {"Utilizador", "05"}});
    TabEquipamentosINS r(ctx, ui);
    ASSERT_TRUE(r.Abrir(u'A', n));
    EXPECT_FALSE(r.codigoEditavel());
    EXPECT_EQ(r.txtCodigo, "E1");
    EXPECT_EQ(r.utilizadoresMarcados(), QStringList({"05"}));
    r.inverter();
    EXPECT_EQ(r.utilizadoresMarcados(), QStringList({"02", "01"})) << "Bruno, then Supervisor";
    r.inverter();
    r.inverter();

    r.txtCodigo = "OUTRO"; // a change keeps the code whatever the field says
    r.txtDescricao = "Frigorífico grande";
    ASSERT_TRUE(r.gravar()) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(r.modo() == u'A');
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Prod_Equipamentos WHERE Codigo='OUTRO'").toInt(), 0);
    const QString utilizadores =
        db->scalar("SELECT Utilizadores FROM Prod_Equipamentos WHERE Codigo='E1'").toString();
    EXPECT_TRUE(utilizadores.contains("01;") && utilizadores.contains("02;") && !utilizadores.contains("05;"))
        << utilizadores.toStdString();
    EXPECT_EQ(db->scalar("SELECT Descricao FROM Prod_Equipamentos WHERE Codigo='E1'").toString(),
              "Frigorífico grande");
}

TEST_P(EquipamentosJanelasTest, AvisosDoUtilizadorNoDiaDoAvisoENaoNaVespera) {
    const qint64 e1 = equipamento("E1", "Frigorífico", {{"AvisoDiasAbate", 9}, {"AvisoAbate", "2026-03-10"},
                                                        {"AvisoUtilizadorAbate", "05"}});
    equipamento("E2", "Fogão", {{"DataAbate", "2026-03-02"}, {"AvisoDiasDespoluimento", 2},
                                {"AvisoDespoluimento", "2026-03-04"}, {"AvisoUtilizadorDespoluimento", "02"}});
    TabEquipamentosAvisos a(ctx, ui);
    ASSERT_TRUE(a.Carregar(QDate(2026, 3, 9)));
    EXPECT_EQ(a.lvwLista.numLinhas(), 0) << "the day before; E2 is user 02's";
    ASSERT_TRUE(a.Carregar(QDate(2026, 3, 10)));
    ASSERT_EQ(a.lvwLista.numLinhas(), 1);
    EXPECT_EQ(a.lvwLista.texto(0, 1), "E1");
    EXPECT_EQ(a.lvwLista.texto(0, 3), "10-03-2026");
    EXPECT_EQ(a.lvwLista.texto(0, 4), "Sem registo de Abate");
    EXPECT_EQ(a.registoSeleccionado(), 0) << "nothing selected";
    a.lvwLista.lvw_SelectLinha(0);
    EXPECT_EQ(a.registoSeleccionado(), e1);

    // The timer's refresh keeps out of an open transaction.
    {
        Transaction t(*db);
        ASSERT_TRUE(t.ok());
        EXPECT_FALSE(a.actualizar());
    }
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
}

TEST_P(EquipamentosJanelasTest, ImagensDeProdutoPedemLote) {
    producao_teste::criarEmpresaProducao(ctx);
    if (HasFatalFailure())
        return;
    // The opening stock document stands in for the run's finished products: MP1 without lot, MPL in L1.
    ASSERT_GT(db->insert("LoteInstantaneo", Registo()("Codigo", "N1")("Tipo", "SI")("Numero", "00000001")(
                                                "Data", "2026-01-02")("TipoProduto", "PA")("Produto", "MP1")(
                                                "Quantidade", "1")("Preco", "0")("Equipamento", "E1")),
              0);
    TabEquipamentosProdutosAcabados p(ctx, ui);
    ASSERT_TRUE(p.Abrir("E1"));
    const int semLote = [&] {
        for (int i = 0; i < p.lvwLista.numLinhas(); ++i)
            if (p.lvwLista.lvw_GetValue(i, "Produto") == "MP1")
                return i;
        return -1;
    }();
    const int comLote = [&] {
        for (int i = 0; i < p.lvwLista.numLinhas(); ++i)
            if (p.lvwLista.lvw_GetValue(i, "Lote") == "L1")
                return i;
        return -1;
    }();
    ASSERT_GE(semLote, 0);
    ASSERT_GE(comLote, 0);
    EXPECT_EQ(p.lvwLista.texto(comLote, 0), "02-01-2026");

    EXPECT_FALSE(p.podeAbrirImagens()) << "nothing selected";
    EXPECT_TRUE(ui.mensagens.empty());
    p.lvwLista.lvw_SelectLinha(semLote);
    EXPECT_FALSE(p.podeAbrirImagens());
    EXPECT_EQ(ui.ultimaMensagem(), "Movimento sem lote.");
    p.lvwLista.lvw_SelectLinha(comLote);
    EXPECT_TRUE(p.podeAbrirImagens());
    ASSERT_TRUE(p.seleccionado());
    EXPECT_EQ(p.seleccionado()->produto, "MPL");
    EXPECT_EQ(ui.mensagens.size(), 1u);
}

LUMO_INSTANCIAR_MOTORES(EquipamentosJanelasTest);

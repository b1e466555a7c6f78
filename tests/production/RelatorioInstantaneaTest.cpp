#include "production/ProducaoInstantanea.h"
#include "production/ProducaoTeste.h"
#include "production/RelatorioInstantanea.h"
#include "support/DbTest.h"
#include "support/Saldos.h"
#include "support/SemFalha.h"

#include <QSqlQuery>

using producao_teste::C;

TEST(RelatorioInstantanea, EtiquetasArredondadasParaCima) {
    EXPECT_EQ(QuantidadeEtiquetasInstantanea(C("2.5"), C("1")), C("3"));
    EXPECT_EQ(QuantidadeEtiquetasInstantanea(C("2"), C("1.5")), C("3"));
    EXPECT_EQ(QuantidadeEtiquetasInstantanea(C("2"), C("0")), C("2")) << "no factor: the quantity";
    EXPECT_EQ(QuantidadeEtiquetasInstantanea(C("2.5"), C("0")), C("3"));
    EXPECT_EQ(QuantidadeEtiquetasInstantanea(C("2"), C("-1")), C("2")) << "only a factor above 0 counts";
    EXPECT_EQ(QuantidadeEtiquetasInstantanea(C("3"), C("2")), C("6")) << "a whole count gains nothing";
    // A fraction far below the fourth decimal of the product is still one label more.
    EXPECT_EQ(QuantidadeEtiquetasInstantanea(C("0.0001"), C("0.0001")), C("1"));
    EXPECT_EQ(QuantidadeEtiquetasInstantanea(C("10.0001"), C("1")), C("11"));
}

// Instant runs written as posting writes them: LoteInstantaneo lines and their ledger rows, on
// fixed dates; the small production company's stock underneath.
class RelatorioInstantaneaTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        producao_teste::criarEmpresaProducao(ctx);
        if (HasFatalFailure())
            return;
        ctx.armazem = QStringLiteral("001");
        ctx.CodigoUtilizador = QStringLiteral("01");
        ASSERT_GT(db->insert("Produtos", Registo()("Codigo", "PB")("Descricao", "Broa")("QtyConverteEtiquetas", "0")), 0);
        ASSERT_TRUE(db->exec("UPDATE Produtos SET QtyConverteEtiquetas='1.5' WHERE Codigo='PA'"));
        struct E {
            const char *codigo, *utilizadores;
        };
        // Open to all; reserved to 02; to 01 and 03; to 101 (whose code ends like 01's).
        for (const E& e : {E{"EQ1", ""}, E{"EQ2", "02;"}, E{"EQ3", "01;03;"}, E{"EQ4", "101;"}})
            ASSERT_GT(db->insert("Prod_Equipamentos", Registo()("Codigo", e.codigo)("Descricao", e.codigo)(
                                                          "Utilizadores", e.utilizadores)),
                      0);
        ASSERT_GT(db->insert("NomenclaturaInstantanea", Registo()("Codigo", "R1")("Descricao", "Receita do bolo")(
                                                            "TipoProduto", "PA")("Produto", "PA")),
                  0);
    }

    struct Linha {
        const char *produto, *quant, *preco, *lote = "";
    };
    // A run: raw materials taken out with SPR, finished products entered with EPR, both numbered
    // after the run; no raw materials means a run that closed a process.
    void run(const char* num, const char* data, const char* equipamento, std::vector<Linha> materias,
             std::vector<Linha> acabados, const char* receita = "") {
        const QString numero = QString::fromLatin1(num).rightJustified(8, u'0');
        for (auto [linhas, tipo, tipoProduto, afecta] :
             {std::tuple{&materias, "SPR", "MP", "S+"}, std::tuple{&acabados, "EPR", "PA", "E+"}})
            for (const Linha& l : *linhas) {
                ASSERT_GT(db->insert("LoteInstantaneo",
                                     Registo()("NumProcesso", num)("Codigo", receita)("Tipo", tipo)("Numero", numero)(
                                         "Data", data)("TipoProduto", tipoProduto)("Produto", l.produto)(
                                         "Quantidade", l.quant)("Preco", l.preco)("Equipamento", equipamento)),
                          0);
                mov(l.produto, afecta, l.quant, l.preco, tipo, numero, data, l.lote);
            }
    }
    void mov(const char* produto, const char* afecta, const char* quant, const char* preco, const char* tipo,
             const QString& numero, const char* data, const char* lote = "") {
        ASSERT_GT(db->insert("MovProduto", Registo()("Codigo", produto)("Armazem", "001")("AfectaStk", afecta)(
                                               "QuantNormal", quant)("Preco", preco)("Tipo", tipo)("Numero", numero)(
                                               "Ano", QString::fromLatin1(data).left(4))("Data", data)("Lote", lote)(
                                               "Estado", "N")),
                  0);
    }
    void processoEncerrado(const char* processo, const char* numero, const char* data) {
        ASSERT_GT(db->insert("Prod_Processos", Registo()("Processo", processo)("Descricao", processo)(
                                                   "DataEncerramento", data)("TipoEncerramento", "EPR")(
                                                   "NumeroEncerramento", numero)),
                  0);
    }
    // Runs 2, 10, 3, 4, 5, 6 and processes P1 (closed by run 5), P2 (closed, its run gone), P3 open.
    void varios() {
        run("2", "2026-02-10", "EQ1", {{"MP1", "4", "2"}, {"MP2", "1", "0.5"}}, {{"PA", "2", "4", "L1"}}, "R1");
        run("10", "2026-02-11", "EQ3", {{"MP2", "3", "0.5"}}, {{"PA", "2", "1"}, {"PA", "5", "1", "L2"}});
        run("3", "2026-02-12", "EQ2", {{"MP1", "1", "2"}}, {{"PB", "1", "2"}});
        run("4", "2026-03-05", "EQ1", {{"MP1", "1", "2"}}, {{"PB", "1", "2"}});
        run("5", "2026-02-15", "", {}, {{"PB", "3", "1"}});
        run("6", "2026-02-16", "EQ4", {{"MP1", "1", "2"}}, {{"PB", "1", "2"}});
        processoEncerrado("P1", "00000005", "2026-02-15");
        processoEncerrado("P2", "00000009", "2026-02-01");
        ASSERT_GT(db->insert("Prod_Processos", Registo()("Processo", "P3")("DataEncerramento", "")), 0);
    }
    std::vector<LinhaRelatorioInstantanea> ler(const char* de, const char* ate, const char* equipamento = "",
                                               const char* utilizador = "01") {
        FiltroRelatorioInstantanea f;
        f.de = QString::fromLatin1(de);
        f.ate = QString::fromLatin1(ate);
        f.equipamento = QString::fromLatin1(equipamento);
        f.utilizador = QString::fromLatin1(utilizador);
        auto r = LerRelatorioInstantanea(*db, f);
        EXPECT_TRUE(r) << r.mensagem().toStdString();
        return r.valorOu({});
    }
    static QStringList resumo(const std::vector<LinhaRelatorioInstantanea>& linhas) {
        QStringList r;
        for (const auto& l : linhas)
            r << QStringLiteral("%1/%2/%3").arg(l.numProcesso, l.produto, l.observacoes);
        return r;
    }
    int contar(const char* sql) { return db->scalar(sql).toInt(); }
    Currency pmc(const char* produto) {
        return Currency::fromVariant(db->scalar("SELECT PrecoMedioCusto FROM Produtos WHERE Codigo=?", {produto}));
    }
    // Every ledger and run row, to prove a refusal left them.
    QString fotografia() {
        QString r;
        for (const char* sql : {"SELECT Codigo, Tipo, Numero, Ano FROM MovProduto ORDER BY NumRegisto",
                                "SELECT NumProcesso, Produto, Tipo, Numero FROM LoteInstantaneo ORDER BY NumRegisto",
                                "SELECT Codigo, PrecoMedioCusto, Descricao, Codigo FROM Produtos ORDER BY Codigo"}) {
            auto q = db->query(sql);
            while (q && q->next())
                for (int i = 0; i < 4; ++i)
                    r += q->value(i).toString() + u'|';
        }
        return r;
    }
};

// The finished products of the period by run number (as numbers: 2, 5 before 10), the equipment
// reserved to others left out, then the process closings by closing date.
TEST_P(RelatorioInstantaneaTest, LinhasDoPeriodoPorProcessoEEncerramentos) {
    varios();
    const auto linhas = ler("2026-02-01", "2026-02-28");
    EXPECT_EQ(resumo(linhas), (QStringList{"2/PA/PA - Bolo", "5/PB/PB - Broa", "10/PA/PA - Bolo", "10/PA/PA - Bolo",
                                           "//Ref. a P2", "//Ref. a P1"}));
    ASSERT_EQ(linhas.size(), 6u);
    for (size_t i = 0; i < linhas.size(); ++i)
        EXPECT_EQ(linhas[i].ordem, int(i) + 1);
    const LinhaRelatorioInstantanea& dois = linhas[0];
    EXPECT_EQ(dois.tipoEntrada, "EPR");
    EXPECT_EQ(dois.numeroEntrada, "00000002");
    EXPECT_EQ(dois.dataEntrada, "2026-02-10");
    EXPECT_EQ(dois.tipoSaida, "SPR") << "the output movement is the run's first raw-material line";
    EXPECT_EQ(dois.numeroSaida, "00000002");
    EXPECT_EQ(dois.dataSaida, "2026-02-10");
    EXPECT_EQ(dois.equipamento, "EQ1");
    EXPECT_EQ(dois.nomenclatura, "R1 - Receita do bolo");
    EXPECT_EQ(dois.tipoProcesso, TipoProcessoInstantaneo);
    EXPECT_EQ(dois.quantidade, C("2"));
    // Run 5 closed P1: it belongs to the processes, and has no output document.
    EXPECT_EQ(linhas[1].tipoProcesso, TipoProcessoProcessos);
    EXPECT_EQ(linhas[1].processo, "P1");
    EXPECT_TRUE(linhas[1].tipoSaida.isEmpty());
    EXPECT_EQ(linhas[2].numeroSaida, "00000010");
    EXPECT_EQ(linhas[3].quantidade, C("5"));
    const LinhaRelatorioInstantanea& p2 = linhas[4];
    EXPECT_TRUE(p2.numProcesso.isEmpty());
    EXPECT_EQ(p2.tipoEntrada, "EPR");
    EXPECT_EQ(p2.numeroEntrada, "00000009");
    EXPECT_EQ(p2.dataEntrada, "2026-02-01");
    EXPECT_EQ(p2.tipoProcesso, TipoProcessoProcessos);

    // Another user sees the equipment reserved to him and not the one of 01 and 03.
    EXPECT_EQ(resumo(ler("2026-02-01", "2026-02-28", "", "02")),
              (QStringList{"2/PA/PA - Bolo", "3/PB/PB - Broa", "5/PB/PB - Broa", "//Ref. a P2", "//Ref. a P1"}));
    EXPECT_EQ(resumo(ler("2026-02-01", "2026-02-28", "", "101")).count("6/PB/PB - Broa"), 1);
    // One equipment: its runs only, no closings (processes have no equipment).
    EXPECT_EQ(resumo(ler("2026-02-01", "2026-02-28", "EQ1")), (QStringList{"2/PA/PA - Bolo"}));
    EXPECT_TRUE(ler("2026-02-01", "2026-02-28", "EQ2").empty()) << "reserved to 02";
    // Open-ended dates take every run and closing.
    EXPECT_EQ(ler("", "").size(), 7u);
    EXPECT_TRUE(ler("2026-04-01", "2026-04-30").empty());
}

// The labels of a row come from its own stock line: the second PA of run 10 is the line of 5 in
// lot L2; the product's factor 1.5 makes 7.5, so 8 labels.
TEST_P(RelatorioInstantaneaTest, EtiquetasDaLinhaDeStockDoProduto) {
    varios();
    const auto linhas = ler("2026-02-01", "2026-02-28");
    ASSERT_EQ(linhas.size(), 6u);
    const auto segunda = LerEtiquetasInstantanea(*db, linhas[3]);
    ASSERT_TRUE(semFalha(segunda));
    EXPECT_EQ(segunda->produto, "PA");
    EXPECT_EQ(segunda->descricao, "Bolo");
    EXPECT_EQ(segunda->quantidade, C("5"));
    EXPECT_EQ(segunda->lote, "L2");
    EXPECT_EQ(segunda->etiquetas, C("8"));
    const auto primeira = LerEtiquetasInstantanea(*db, linhas[2]);
    ASSERT_TRUE(semFalha(primeira));
    EXPECT_EQ(primeira->quantidade, C("2"));
    EXPECT_EQ(primeira->etiquetas, C("3"));
    // Without a factor the quantity itself.
    const auto broa = LerEtiquetasInstantanea(*db, linhas[1]);
    ASSERT_TRUE(semFalha(broa));
    EXPECT_EQ(broa->etiquetas, C("3"));
    EXPECT_FALSE(LerEtiquetasInstantanea(*db, linhas[4])) << "a closing has no finished product";
}

// Only the run's own ledger rows go: the same numbers in 2025, another product in its entry
// document and the next run stay; its LoteInstantaneo lines go; the average cost is recomputed.
TEST_P(RelatorioInstantaneaTest, EliminaSoAsLinhasDoProcessoERecalculaCusto) {
    ASSERT_TRUE(db->exec("UPDATE ParamGeral SET FormulaPrecoMedioCusto=2"));
    mov("PA", "E+", "2", "1", "COM", QStringLiteral("00000001"), "2026-01-05");
    run("2", "2026-02-10", "EQ1", {{"MP1", "4", "2"}}, {{"PA", "2", "4"}});
    run("3", "2026-02-11", "EQ1", {{"MP1", "1", "2"}}, {{"PB", "1", "2"}});
    mov("MP1", "S+", "1", "2", "SPR", QStringLiteral("00000002"), "2025-02-10");
    mov("PB", "E+", "1", "3", "EPR", QStringLiteral("00000002"), "2025-02-10");
    mov("PB", "E+", "1", "3", "EPR", QStringLiteral("00000002"), "2026-02-10");
    ASSERT_TRUE(db->exec("UPDATE Produtos SET PrecoMedioCusto=3 WHERE Codigo='PA'"));
    const int antes = contar("SELECT COUNT(*) FROM MovProduto");

    const auto docs = DocumentosProcessoInstantaneo(*db, QStringLiteral("2"));
    ASSERT_TRUE(semFalha(docs));
    ASSERT_EQ(docs->size(), 2u);
    EXPECT_EQ((*docs)[0].tipo, "SPR") << "the output first";
    EXPECT_EQ((*docs)[1].tipo, "EPR");
    EXPECT_EQ((*docs)[1].data, "2026-02-10");

    ASSERT_TRUE(semFalha(EliminarProcessoInstantaneo(ctx, QStringLiteral(" 2 "))));
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto"), antes - 2);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto WHERE Numero='00000002' AND Ano='2025'"), 2)
        << "another year's document with the same number stays";
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto WHERE Tipo='SPR' AND Codigo='MP1' AND Ano='2025'"), 1)
        << "even for the run's own product";
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto WHERE Tipo='EPR' AND Numero='00000002' AND Ano='2026' AND "
                     "Codigo='PB'"),
              1)
        << "a product that is not the run's stays in the document";
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto WHERE Numero='00000003'"), 2) << "the next run stays";
    EXPECT_EQ(contar("SELECT COUNT(*) FROM LoteInstantaneo WHERE NumProcesso='2'"), 0);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM LoteInstantaneo WHERE NumProcesso='3'"), 2);
    EXPECT_EQ(db->scalar("SELECT Descricao FROM LogGeral WHERE Modulo='ST' AND Accao='E'").toString(),
              "Processo de Produção Instantânea nº 2");
    EXPECT_EQ(db->scalar("SELECT Numero FROM LogGeral WHERE Modulo='ST' AND Accao='E'").toString(), "00000002");
    // Rule 2: what remains of PA is the purchase at 1.
    EXPECT_EQ(pmc("PA"), C("1"));
    EXPECT_FALSE(EliminarProcessoInstantaneo(ctx, QStringLiteral("2"))) << "gone: nothing to delete twice";
}

TEST_P(RelatorioInstantaneaTest, RecusasNaoApagamNada) {
    varios();
    const QString antes = fotografia();
    auto recusa = [&](const char* num) {
        const auto v = VerificaEliminacaoInstantanea(ctx, QString::fromLatin1(num));
        const auto e = EliminarProcessoInstantaneo(ctx, QString::fromLatin1(num));
        EXPECT_FALSE(v) << num;
        EXPECT_FALSE(e) << num;
        EXPECT_EQ(v ? std::string() : v.mensagem().toStdString(), e ? std::string("?") : e.mensagem().toStdString());
        return e ? QString() : e.mensagem();
    };
    EXPECT_EQ(recusa(""), MensagemSemNumeroProcesso);
    EXPECT_EQ(recusa("99"), "Processo inexistente: 99");
    EXPECT_EQ(recusa("5"), MensagemProcessoDeProcessos) << "run 5 closed process P1";
    EXPECT_EQ(recusa("3"), "O equipamento deste processo não está disponível para este utilizador.");
    EXPECT_TRUE(semFalha(VerificaEliminacaoInstantanea(ctx, QStringLiteral("2"))));
    // Periods before March are closed: run 2 (February) is refused, run 4 (March) is not.
    ASSERT_TRUE(db->exec("UPDATE ParamGeral SET DataEmAberto='2026-03-01'"));
    EXPECT_EQ(recusa("2"), MensagemControloDatasProcesso);
    EXPECT_EQ(fotografia(), antes);
    EXPECT_TRUE(semFalha(VerificaEliminacaoInstantanea(ctx, QStringLiteral("4"))));
}

TEST_P(RelatorioInstantaneaTest, FalhaAMeioDeixaTudo) {
    ASSERT_TRUE(db->exec("UPDATE ParamGeral SET FormulaPrecoMedioCusto=2"));
    run("2", "2026-02-10", "EQ1", {{"MP1", "4", "2"}}, {{"PA", "2", "4"}});
    ASSERT_TRUE(db->exec("UPDATE Produtos SET PrecoMedioCusto=3 WHERE Codigo='PA'"));
    const QString antes = fotografia();
    bool chamado = false;
    const auto r = EliminarProcessoInstantaneo(ctx, QStringLiteral("2"), [&] {
        chamado = true;
        return false;
    });
    EXPECT_FALSE(r);
    EXPECT_TRUE(chamado);
    EXPECT_EQ(fotografia(), antes);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM LogGeral WHERE Modulo='ST' AND Accao='E'"), 0);
    ASSERT_TRUE(semFalha(EliminarProcessoInstantaneo(ctx, QStringLiteral("2")))) << "nothing was left half done";
}

// A run posted by the instant production window and deleted here leaves stock as it was.
TEST_P(RelatorioInstantaneaTest, ProducaoLancadaEEliminadaRepoeOStock) {
    const int movimentos = contar("SELECT COUNT(*) FROM MovProduto");
    DocumentoInstantaneo d;
    d.materias = {{QStringLiteral("MP1"), {}, QStringLiteral("001"), C("10"), {}, C("2"), {}, {}, QStringLiteral("00001")}};
    AcabadoInstantaneo a;
    a.produto = QStringLiteral("PA");
    a.armazem = QStringLiteral("001");
    a.quantidade = C("4");
    a.percCusto = C("100");
    a.localizacao = QStringLiteral("00001");
    d.acabados = {a};
    const auto lancada = LancaProducaoInstantanea(ctx, d);
    ASSERT_TRUE(semFalha(lancada));
    EXPECT_EQ(saldoArmazem(*db, "MP1"), C("90"));
    EXPECT_EQ(saldoArmazem(*db, "PA"), C("4"));
    const auto linhas = ler("", "");
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0].numProcesso, lancada->numProcesso);
    EXPECT_EQ(linhas[0].tipoSaida, lancada->saida.tipo);
    EXPECT_EQ(linhas[0].numeroSaida, lancada->saida.numero);
    EXPECT_EQ(linhas[0].numeroEntrada, lancada->entrada.numero);

    ASSERT_TRUE(semFalha(EliminarProcessoInstantaneo(ctx, lancada->numProcesso)));
    EXPECT_EQ(saldoArmazem(*db, "MP1"), C("100"));
    EXPECT_EQ(saldoArmazem(*db, "PA"), C("0"));
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto"), movimentos);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM LoteInstantaneo"), 0);
    EXPECT_TRUE(ler("", "").empty());
}

LUMO_INSTANCIAR_MOTORES(RelatorioInstantaneaTest);

#include "production/ProcessoProducao.h"
#include "production/ProducaoInstantanea.h"
#include "production/ProducaoTeste.h"
#include "stock/MovimentosStock.h"
#include "support/DbTest.h"

namespace {

using producao_teste::C;

// A production company with both process movement types configured and an open process P1.
class ProcessoProducaoTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        producao_teste::criarEmpresaProducao(ctx);
        if (HasFatalFailure())
            return;
        ctx.armazem = QStringLiteral("001");
        producao_teste::tiposMovimentoProcesso(*db);
        if (HasFatalFailure())
            return;
        for (const char* l : {"L1", "L2"})
            ASSERT_GT(db->insert("TabLotes", Registo()("Produto", "MPL")("Codigo", l)("DataFabrico", "2026-01-01")(
                                                 "DataValidade", "2027-01-01")("Bloqueado", 0)),
                      0);
        ProcessoProducao p;
        p.processo = QStringLiteral("P1");
        p.descricao = QStringLiteral("Obra da cozinha");
        p.dataInicio = QStringLiteral("2026-03-01");
        const auto r = GravarProcesso(ctx, p, true);
        ASSERT_TRUE(r) << r.mensagem().toStdString();
    }

    Resultado<ResultadoMovimentoProcesso> movimento(const char* produto, const char* quant, const char* preco,
                                                    const char* lote = "", const char* processo = "P1") {
        MovimentoProcesso m;
        m.processo = QString::fromLatin1(processo);
        m.data = QStringLiteral("2026-03-02");
        m.produto = QString::fromLatin1(produto);
        m.armazem = QStringLiteral("001");
        m.quantidade = C(quant);
        m.preco = C(preco);
        m.lote = QString::fromLatin1(lote);
        m.localizacao = QStringLiteral("00001");
        return LancaMovimentoProcesso(ctx, m);
    }
    qint64 lancar(const char* produto, const char* quant, const char* preco, const char* lote = "") {
        const auto r = movimento(produto, quant, preco, lote);
        EXPECT_TRUE(r) << r.mensagem().toStdString();
        return r ? r->numRegisto : 0;
    }
    Currency saldo(const char* produto) {
        FiltroSaldo f;
        f.produto = QString::fromLatin1(produto);
        f.armazem = QStringLiteral("001");
        return SaldoProdutoArmazem(*db, f).valorOu(C("-999"));
    }
    int contar(const char* sql) { return db->scalar(QString::fromUtf8(sql)).toInt(); }
    // Everything a refused posting must leave as it was.
    QString fotografia() {
        QString r;
        for (const char* sql :
             {"SELECT COUNT(*), 0 FROM MovProduto", "SELECT COUNT(*), 0 FROM LoteInstantaneo",
              "SELECT COUNT(*), 0 FROM Prod_ProcessosProc", "SELECT Processo, DataEncerramento FROM Prod_Processos",
              "SELECT Codigo, UltNumero FROM TabTipoMov ORDER BY Codigo"}) {
            auto q = db->query(sql);
            while (q && q->next())
                r += q->value(0).toString() + u'|' + q->value(1).toString() + u'|';
        }
        return r;
    }
    // The run that closes P1 with one finished product taking all the cost.
    Resultado<ResultadoInstantanea> fecharP1(const char* processo = "P1") {
        DocumentoInstantaneo d;
        if (auto r = IntegraProcesso(ctx, d, QString::fromLatin1(processo)); !r)
            return r.falha();
        AcabadoInstantaneo a;
        a.produto = QStringLiteral("PA");
        a.armazem = QStringLiteral("001");
        a.quantidade = C("2");
        a.percCusto = C("1");
        a.localizacao = QStringLiteral("00001");
        d.acabados = {a};
        return LancaProducaoInstantanea(ctx, d);
    }
};

TEST_P(ProcessoProducaoTest, CabecalhoCodigoRepetidoAlteracaoEFiltro) {
    ProcessoProducao p;
    p.processo = QStringLiteral("P1");
    const auto repetido = GravarProcesso(ctx, p, true);
    ASSERT_FALSE(repetido);
    EXPECT_EQ(repetido.mensagem().toStdString(), "Processo já existente!");
    p.processo = QStringLiteral("P2");
    p.dataInicio = QStringLiteral("2026-13-40");
    EXPECT_FALSE(GravarProcesso(ctx, p, true)) << "an impossible date is refused";
    EXPECT_EQ(ProximoProcesso(ctx), "1") << "P1 is not numeric: the first number is free";

    // A change keeps the code and the closing columns.
    auto lido = LerProcesso(*db, "P1");
    ASSERT_TRUE(lido && *lido);
    ProcessoProducao alterado = **lido;
    alterado.descricao = QStringLiteral("Obra da sala");
    ASSERT_TRUE(GravarProcesso(ctx, alterado, false));
    EXPECT_EQ(db->scalar("SELECT Descricao FROM Prod_Processos WHERE Processo='P1'").toString(), "Obra da sala");
    EXPECT_EQ(contar("SELECT COUNT(*) FROM LogGeral WHERE Modulo='TB' AND Descricao='Processo de Produção: P1'"), 2);

    ASSERT_TRUE(lancar("MP1", "1", "2"));
    ASSERT_TRUE(fecharP1());
    p.processo = QStringLiteral("7");
    p.dataInicio = QStringLiteral("2026-02-01");
    ASSERT_TRUE(GravarProcesso(ctx, p, true));
    EXPECT_EQ(ProximoProcesso(ctx), "8");
    auto codigos = [&](const char* estado, const char* de = "") {
        FiltroProcessos f;
        f.estado = QString::fromLatin1(estado);
        f.de = QString::fromLatin1(de);
        QStringList r;
        for (const ProcessoProducao& x : ListarProcessos(*db, f).valorOu({}))
            r << x.processo;
        return r.join(u',').toStdString();
    };
    EXPECT_EQ(codigos("C"), "7");
    EXPECT_EQ(codigos("E"), "P1");
    EXPECT_EQ(codigos(""), "7,P1");
    EXPECT_EQ(codigos("", "2026-03-01"), "P1");
}

TEST_P(ProcessoProducaoTest, SaidasEDevolucoesLimitadasPorProdutoELote) {
    ASSERT_TRUE(lancar("MP1", "5", "2"));
    ASSERT_TRUE(lancar("MP1", "5", "2"));
    const auto ret = movimento("MP1", "-4", "2");
    ASSERT_TRUE(ret) << ret.mensagem().toStdString();
    EXPECT_EQ(ret->documento.tipo, "DPP");
    EXPECT_EQ(saldo("MP1"), C("94"));
    EXPECT_EQ(contar("SELECT COUNT(DISTINCT Numero) FROM MovProduto WHERE Tipo='SPP'"), 2)
        << "every movement gets its own document number";
    EXPECT_EQ(db->scalar("SELECT UltNumero FROM TabTipoMov WHERE Codigo='SPP'").toString(), "00000002");
    EXPECT_EQ(SaldoProLanc(*db, "P1", "MP1").valorOu({}), C("6"));
    // The stock row carries the absolute quantity and the process row's identifier.
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto m INNER JOIN Prod_ProcessosMov p ON p.IdentificaMovPro=m.Identifica "
                     "AND p.Produto=m.Codigo WHERE m.QuantNormal=4 AND m.AfectaStk='S-' AND p.Quantidade=-4"),
              1);

    const QString antes = fotografia();
    const auto demais = movimento("MP1", "-7", "2");
    ASSERT_FALSE(demais);
    EXPECT_EQ(demais.mensagem().toStdString(), "Não pode devolver mais do que o lançado neste processo!");

    // Lots: a return is limited by what went out of that lot, not by the product.
    ASSERT_TRUE(lancar("MPL", "3", "3", "L1"));
    const QString comLote = fotografia();
    const auto outroLote = movimento("MPL", "-1", "3", "L2");
    ASSERT_FALSE(outroLote);
    EXPECT_EQ(outroLote.mensagem().toStdString(), "Não pode devolver mais do que o lançado neste processo!");
    const auto semLote = movimento("MPL", "1", "3");
    ASSERT_FALSE(semLote);
    EXPECT_EQ(semLote.mensagem().toStdString(), "Não definiu o Lote.");
    EXPECT_EQ(fotografia(), comLote);
    ASSERT_TRUE(movimento("MPL", "-3", "3", "L1"));

    // Issues beyond stock and typed-field refusals write nothing.
    const QString fim = fotografia();
    const auto semStock = movimento("MP1", "500", "2");
    ASSERT_FALSE(semStock);
    EXPECT_EQ(semStock.mensagem().toStdString(), "A T E N Ç Ã O ! Produto sem existência para este armazém.");
    EXPECT_EQ(movimento("MP1", "0", "2").mensagem().toStdString(), "Não definiu a quantidade!");
    EXPECT_EQ(movimento("MP1", "1", "-2").mensagem().toStdString(), "preço Inválido!");
    EXPECT_EQ(movimento("MP1", "1", "2", "", "NAOHA").mensagem().toStdString(), "Processo inexistente: NAOHA");
    EXPECT_EQ(fotografia(), fim);
    (void)antes;
}

TEST_P(ProcessoProducaoTest, EliminarMovimentoNaoDeixaOProcessoNegativo) {
    const qint64 primeira = lancar("MP1", "5", "2");
    const qint64 segunda = lancar("MP1", "5", "2");
    ASSERT_TRUE(movimento("MP1", "-4", "2"));
    const auto r = EliminarMovimentoProcesso(ctx, primeira);
    ASSERT_TRUE(r) << r.mensagem().toStdString();
    EXPECT_EQ(r->quantidade, C("5")) << "the removed movement comes back to be posted again";
    EXPECT_EQ(saldo("MP1"), C("99"));
    const auto negativa = EliminarMovimentoProcesso(ctx, segunda);
    ASSERT_FALSE(negativa) << "the return of 4 would be left against nothing";
    EXPECT_EQ(saldo("MP1"), C("99"));
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_ProcessosMov"), 2);
}

TEST_P(ProcessoProducaoTest, ProducaoFechaOProcessoQueReabreSoSemOsAcabados) {
    ASSERT_TRUE(lancar("MP1", "5", "2"));
    ASSERT_TRUE(lancar("MP1", "5", "2"));
    ASSERT_TRUE(lancar("MP1", "-4", "2"));
    const auto analise = AnaliseProcesso(*db, "P1");
    ASSERT_TRUE(analise && analise->size() == 1);
    EXPECT_EQ(analise->front().quantidade, C("6"));
    EXPECT_EQ(analise->front().valor, C("12")) << "a return's value counts negative";

    // No issue type: a process run posts only the entry document.
    ASSERT_TRUE(db->exec("UPDATE configProd SET TipoSaida=''"));
    const auto r = fecharP1();
    ASSERT_TRUE(r) << r.mensagem().toStdString();
    EXPECT_TRUE(r->saida.tipo.isEmpty());
    EXPECT_EQ(r->processo, "P1");
    EXPECT_EQ(saldo("MP1"), C("94")) << "the process materials are not issued twice";
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT ValorIliq FROM MovProduto WHERE Codigo='PA' AND AfectaStk='E+' AND Tipo='EPR'")),
              C("12"));
    EXPECT_EQ(contar("SELECT COUNT(*) FROM LoteInstantaneo WHERE TipoProduto='MP'"), 0);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_ProcessosProc p INNER JOIN MovProduto m ON m.Identifica=p.IdentificaMovPro "
                     "AND m.Codigo=p.Produto WHERE p.Processo='P1'"),
              1);
    const auto fechado = LerProcesso(*db, "P1");
    ASSERT_TRUE(fechado && *fechado);
    EXPECT_EQ((*fechado)->tipoEncerramento, "EPR");
    EXPECT_EQ((*fechado)->numeroEncerramento, r->entrada.numero);

    // Closed: no movement, no deletion, no second closing.
    const QString antes = fotografia();
    EXPECT_EQ(movimento("MP1", "1", "2").mensagem(), MensagemProcessoEncerrado);
    const qint64 um = db->scalar("SELECT MIN(NumRegisto) FROM Prod_ProcessosMov").toLongLong();
    EXPECT_EQ(EliminarMovimentoProcesso(ctx, um).mensagem(), MensagemProcessoEncerrado);
    EXPECT_FALSE(fecharP1());
    EXPECT_EQ(fotografia(), antes);

    const auto docs = ReabrirProcesso(ctx, "P1");
    ASSERT_TRUE(docs) << docs.mensagem().toStdString();
    ASSERT_EQ(docs->size(), 1u);
    EXPECT_EQ(docs->front().numero, r->entrada.numero);
    EXPECT_EQ(saldo("PA"), C("0"));
    EXPECT_EQ(saldo("MP1"), C("94")) << "the raw materials stay issued to the reopened process";
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_ProcessosProc"), 0);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM LoteInstantaneo"), 0);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_ProcessosMov"), 3);
    ASSERT_TRUE(movimento("MP1", "1", "2")) << "open again";
}

TEST_P(ProcessoProducaoTest, ProcessoAlteradoDepoisDeIntegradoNaoGravaNada) {
    ASSERT_TRUE(lancar("MP1", "5", "2"));
    DocumentoInstantaneo d;
    ASSERT_TRUE(IntegraProcesso(ctx, d, "P1"));
    ASSERT_EQ(d.materias.size(), 1u);
    AcabadoInstantaneo a;
    a.produto = QStringLiteral("PA");
    a.armazem = QStringLiteral("001");
    a.quantidade = C("1");
    a.percCusto = C("1");
    a.localizacao = QStringLiteral("00001");
    d.acabados = {a};
    ASSERT_TRUE(lancar("MP2", "2", "0.5")); // another workstation, meanwhile
    const QString antes = fotografia();
    const auto r = LancaProducaoInstantanea(ctx, d);
    ASSERT_FALSE(r);
    EXPECT_TRUE(r.mensagem().contains("P1")) << r.mensagem().toStdString();
    EXPECT_EQ(fotografia(), antes);
    // A process with no movements closes with finished products only, at cost 0.
    ProcessoProducao vazio;
    vazio.processo = QStringLiteral("P3");
    ASSERT_TRUE(GravarProcesso(ctx, vazio, true));
    const auto so = fecharP1("P3");
    ASSERT_TRUE(so) << so.mensagem().toStdString();
    EXPECT_TRUE(LerProcesso(*db, "P3")->value().encerrado());
}

TEST_P(ProcessoProducaoTest, EliminarProcessoComOuSemStock) {
    ASSERT_TRUE(lancar("MP1", "5", "2"));
    ASSERT_TRUE(fecharP1());
    const int linhas = contar("SELECT COUNT(*) FROM MovProduto");
    ASSERT_TRUE(EliminarProcesso(ctx, "P1", false));
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto"), linhas) << "\"Não\" keeps every stock line";
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_Processos") + contar("SELECT COUNT(*) FROM Prod_ProcessosMov") +
                  contar("SELECT COUNT(*) FROM Prod_ProcessosProc"),
              0);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM LoteInstantaneo"), 1);

    ProcessoProducao p;
    p.processo = QStringLiteral("P2");
    ASSERT_TRUE(GravarProcesso(ctx, p, true));
    MovimentoProcesso m;
    m.processo = QStringLiteral("P2");
    m.data = QStringLiteral("2026-03-02");
    m.produto = QStringLiteral("MP2");
    m.armazem = QStringLiteral("001");
    m.quantidade = C("3");
    m.preco = C("0.5");
    ASSERT_TRUE(LancaMovimentoProcesso(ctx, m));
    ASSERT_TRUE(fecharP1("P2"));
    EXPECT_EQ(saldo("MP2"), C("47"));
    ASSERT_TRUE(EliminarProcesso(ctx, "P2", true));
    EXPECT_EQ(saldo("MP2"), C("50"));
    EXPECT_EQ(saldo("PA"), C("2")) << "only P1's finished product, kept, remains";
    EXPECT_EQ(contar("SELECT COUNT(*) FROM LoteInstantaneo"), 1);
}

TEST_P(ProcessoProducaoTest, ConfiguracaoEmFaltaPorOrdem) {
    ASSERT_TRUE(db->exec("UPDATE configProd SET cliente=''"));
    EXPECT_EQ(VerificaConfigProcessos(*db).mensagem().toStdString(),
              "Não definiu o cliente nas configurações da produção!\r\n(para apoio aos arredondamentos)");
    ASSERT_TRUE(db->exec("UPDATE configProd SET cliente='PROD', Processo_TipoRet=''"));
    EXPECT_EQ(VerificaConfigProcessos(*db).mensagem().toStdString(),
              "Não definiu o Tipo de Movimento para devoluções de processos nas configurações da produção!");
    EXPECT_FALSE(movimento("MP1", "1", "2"));
}

} // namespace

LUMO_INSTANCIAR_MOTORES(ProcessoProducaoTest);

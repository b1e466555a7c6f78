#include "production/Rastreabilidade.h"
#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "company/ParametrosGerais.h"
#include "production/LancamentoProducao.h"
#include "production/LinhasProducao.h"
#include "production/Medicoes.h"
#include "production/ProcessoProducao.h"
#include "production/ProducaoInstantanea.h"
#include "support/EmpresaDemoTest.h"
#include "support/SemFalha.h"

#include <QDate>

namespace {

Currency C(const char* t) {
    return Currency::fromString(QString::fromLatin1(t));
}

// Oak chairs (PA002, made lot-kept here) from the demo's glue lots, and what is made from them.
class RastreabilidadeTest : public EmpresaDemoAbertaTest {
protected:
    void SetUp() override {
        EmpresaDemoAbertaTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        hoje = QDate::currentDate().toString(Qt::ISODate);
        ASSERT_TRUE(demo.bd().exec("UPDATE Produtos SET Lote=1 WHERE Codigo IN ('PA001','PA002')"));
    }

    // Two chairs by the bill, glued from `loteCola`, coming out as `loteCadeiras`.
    // The order for two chairs of the demo's bill, coming out as `loteCadeiras`, not yet loaded.
    ProductionDocument ordemCadeiras(const QString& loteCadeiras) {
        ProductionDocument d;
        d.Lote = ProximoLote(demo.bd());
        d.ProdutoAcabado = "PA002";
        d.Quantidade = C("2");
        d.Data = hoje;
        d.Armazem = "002";
        d.LocalizacaoProdutoAcabado = "00005";
        d.LoteProdutoAcabado = loteCadeiras;
        return d;
    }

    QString cadeiras(const char* loteCola, const char* loteCadeiras) {
        ProductionDocument d = ordemCadeiras(QString::fromLatin1(loteCadeiras));
        EXPECT_EQ(CarregarListaNomenc(demo, d), 5);
        for (LinhaProducao& l : d.linhas) {
            if (l.produto == "MP005")
                l.lote = QString::fromLatin1(loteCola);
            else if (l.produto == "MP006")
                l.lote = "VA-1102";
        }
        const auto r = LancaProducao(demo, d, FaseProducao::Encerra);
        EXPECT_TRUE(r) << r.mensagem().toStdString();
        return r ? r->lote : QString();
    }

    // A finished product made of the given lots, each line {product, warehouse, location, lot, quantity}.
    struct Linha {
        const char *produto, *armazem, *localizacao, *lote, *quantidade;
    };
    QString producao(const char* produto, const char* lote, const char* quantidade,
                     std::initializer_list<Linha> linhas) {
        ProductionDocument d;
        d.Lote = ProximoLote(demo.bd());
        d.ProdutoAcabado = QString::fromLatin1(produto);
        d.Quantidade = C(quantidade);
        d.Data = hoje;
        d.Armazem = "002";
        d.LocalizacaoProdutoAcabado = "00005";
        d.LoteProdutoAcabado = QString::fromLatin1(lote);
        for (const Linha& x : linhas) {
            LinhaProducao l;
            l.produto = QString::fromLatin1(x.produto);
            l.armazem = QString::fromLatin1(x.armazem);
            l.localizacao = QString::fromLatin1(x.localizacao);
            l.lote = QString::fromLatin1(x.lote);
            l.ordemProducao = C(x.quantidade);
            d.linhas.push_back(l);
        }
        const auto r = LancaProducao(demo, d, FaseProducao::Encerra);
        EXPECT_TRUE(r) << r.mensagem().toStdString();
        return r ? r->lote : QString();
    }

    NoRastreio rastrear(const char* produto, const char* lote, SentidoRastreio s) {
        const auto r =
            LerRastreabilidade(demo.bd(), {QString::fromLatin1(produto), QString::fromLatin1(lote), s});
        EXPECT_TRUE(r) << r.mensagem().toStdString();
        return r ? *r : NoRastreio{};
    }

    static const NoRastreio* producaoDe(const NoRastreio& lote, const QString& codigo) {
        for (const NoRastreio& p : lote.filhos)
            if (p.codigo == codigo)
                return &p;
        return nullptr;
    }
    static const NoRastreio* loteDe(const NoRastreio& producao, const char* produto, const char* lote) {
        for (const NoRastreio& l : producao.filhos)
            if (l.produto == QLatin1String(produto) && l.lote == QLatin1String(lote))
                return &l;
        return nullptr;
    }

    QString hoje;
};

// Glue lot CV-0207 goes into two lots of chairs; two chairs of the first become part of a table,
// which also takes glue of the other lot. Downstream the glue reaches all three productions (and
// only the table for CV-0118); upstream the table leads back to both glue lots.
TEST_P(RastreabilidadeTest, ColaEmDuasCadeirasEUmaMesaParaBaixoEParaCima) {
    const QString loteA = cadeiras("CV-0207", "CAD-A");
    const QString loteB = cadeiras("CV-0207", "CAD-B");
    const QString mesa =
        producao("PA001", "MESA-1", "1",
                 {{"PA002", "002", "00005", "CAD-A", "2"}, {"MP005", "001", "00003", "CV-0118", "0.4"}});
    ASSERT_FALSE(loteA.isEmpty() || loteB.isEmpty() || mesa.isEmpty());

    const NoRastreio j = rastrear("MP005", "CV-0207", SentidoRastreio::Jusante);
    EXPECT_EQ(j.descricao.toStdString(), "Cola vinílica para madeira");
    ASSERT_EQ(j.filhos.size(), 2u);
    const NoRastreio* a = producaoDe(j, loteA);
    const NoRastreio* b = producaoDe(j, loteB);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->origem, OrigemRastreio::LoteProducao);
    EXPECT_EQ(a->quantidade, C("0.30")) << "0,15 kg per chair, two chairs";
    EXPECT_EQ(a->data, hoje);
    ASSERT_EQ(a->documentos.size(), 2) << "its issue and its entry";
    EXPECT_TRUE(a->documentos[0].startsWith("SPR "));
    EXPECT_TRUE(a->documentos[1].startsWith("EPR "));
    ASSERT_EQ(a->filhos.size(), 1u);
    const NoRastreio& cadA = a->filhos[0];
    EXPECT_EQ(cadA.produto, "PA002");
    EXPECT_EQ(cadA.lote, "CAD-A");
    EXPECT_EQ(cadA.quantidade, C("2"));
    EXPECT_EQ(cadA.descricao.toStdString(), "Cadeira em carvalho");
    ASSERT_EQ(cadA.filhos.size(), 1u) << "the table";
    EXPECT_EQ(cadA.filhos[0].codigo, mesa);
    EXPECT_EQ(cadA.filhos[0].quantidade, C("2"));
    ASSERT_TRUE(loteDe(cadA.filhos[0], "PA001", "MESA-1"));
    EXPECT_EQ(loteDe(cadA.filhos[0], "PA001", "MESA-1")->quantidade, C("1"));
    ASSERT_EQ(b->filhos.size(), 1u);
    EXPECT_EQ(b->filhos[0].lote, "CAD-B");
    EXPECT_TRUE(b->filhos[0].filhos.empty()) << "nothing was made from the second lot of chairs";

    const NoRastreio outra = rastrear("MP005", "CV-0118", SentidoRastreio::Jusante);
    ASSERT_EQ(outra.filhos.size(), 1u) << "the other glue lot went only into the table";
    EXPECT_EQ(outra.filhos[0].codigo, mesa);
    EXPECT_EQ(outra.filhos[0].quantidade, C("0.4"));

    // The lines of the tree, root first, each level one deeper.
    const auto linhas = LinhasRastreio(j);
    ASSERT_EQ(linhas.size(), 7u);
    EXPECT_EQ(linhas[0].nivel, 0);
    EXPECT_EQ(linhas.back().nivel, 2);

    const NoRastreio m = rastrear("PA001", "MESA-1", SentidoRastreio::Montante);
    ASSERT_EQ(m.filhos.size(), 1u);
    EXPECT_EQ(m.filhos[0].codigo, mesa);
    EXPECT_EQ(m.filhos[0].quantidade, C("1")) << "upstream the production holds what it made";
    const NoRastreio* colaMesa = loteDe(m.filhos[0], "MP005", "CV-0118");
    const NoRastreio* cadeirasMesa = loteDe(m.filhos[0], "PA002", "CAD-A");
    ASSERT_TRUE(colaMesa && cadeirasMesa);
    EXPECT_EQ(colaMesa->quantidade, C("0.4"));
    ASSERT_EQ(cadeirasMesa->filhos.size(), 1u);
    EXPECT_EQ(cadeirasMesa->filhos[0].codigo, loteA);
    const NoRastreio* colaCadeiras = loteDe(cadeirasMesa->filhos[0], "MP005", "CV-0207");
    ASSERT_TRUE(colaCadeiras);
    EXPECT_EQ(colaCadeiras->quantidade, C("0.30"));
    const NoRastreio* carvalho = loteDe(cadeirasMesa->filhos[0], "MP002", "");
    ASSERT_TRUE(carvalho) << "the oak board is not lot-kept";
    EXPECT_TRUE(carvalho->semLote());
    EXPECT_TRUE(carvalho->filhos.empty());
}

// A second phase that returns glue counts against what the lot consumed.
TEST_P(RastreabilidadeTest, DevolucaoDaSegundaFaseDescontaOConsumo) {
    ProductionDocument d = ordemCadeiras(QStringLiteral("CAD-R"));
    ASSERT_EQ(CarregarListaNomenc(demo, d), 5);
    for (LinhaProducao& l : d.linhas)
        l.lote = l.produto == "MP005" ? "CV-0207" : l.produto == "MP006" ? "VA-1102" : "";
    const auto primeira = LancaProducao(demo, d, FaseProducao::Aguarda);
    ASSERT_TRUE(primeira) << primeira.mensagem().toStdString();
    ProductionDocument p;
    p.Lote = primeira->lote;
    ASSERT_TRUE(LerLoteProducao(demo, p));
    ASSERT_GE(CarregarListaNomenc(demo, p), 5);
    for (LinhaProducao& l : p.linhas)
        if (l.produto == "MP005")
            l.acertos = C("-0.1");
    ASSERT_TRUE(LancaProducao(demo, p, FaseProducao::Encerra));

    const NoRastreio j = rastrear("MP005", "CV-0207", SentidoRastreio::Jusante);
    ASSERT_EQ(j.filhos.size(), 1u);
    EXPECT_EQ(j.filhos[0].quantidade, C("0.2"));
    EXPECT_EQ(j.filhos[0].documentos.size(), 3) << "issue, return and entry";
}

// One instant run makes a table and four chairs from glue CV-0118: both come out of the glue lot,
// and either leads back to it.
TEST_P(RastreabilidadeTest, ProducaoInstantaneaComDoisProdutosAcabados) {
    DocumentoInstantaneo d;
    d.materias = {{"MP005", "", "001", C("0.5"), "", C("6.9"), "", "CV-0118", "00003"},
                  {"MP002", "", "001", C("2"), "", C("18.4"), "", "", "00002"}};
    AcabadoInstantaneo mesa;
    mesa.produto = "PA001";
    mesa.armazem = "002";
    mesa.quantidade = C("1");
    mesa.percCusto = C("60");
    mesa.localizacao = "00005";
    mesa.lote = "MES-9";
    AcabadoInstantaneo cad = mesa;
    cad.produto = "PA002";
    cad.quantidade = C("4");
    cad.percCusto = C("40");
    cad.lote = "CAD-9";
    d.acabados = {mesa, cad};
    CalculaCustos(d);
    const auto r = LancaProducaoInstantanea(demo, d);
    ASSERT_TRUE(r) << r.mensagem().toStdString();

    const NoRastreio j = rastrear("MP005", "CV-0118", SentidoRastreio::Jusante);
    ASSERT_EQ(j.filhos.size(), 1u);
    const NoRastreio& run = j.filhos[0];
    EXPECT_EQ(run.origem, OrigemRastreio::Instantanea);
    EXPECT_EQ(run.codigo, r->numProcesso);
    EXPECT_EQ(run.quantidade, C("0.5"));
    ASSERT_EQ(run.filhos.size(), 2u);
    EXPECT_EQ(run.filhos[0].produto, "PA001");
    EXPECT_EQ(run.filhos[0].lote, "MES-9");
    EXPECT_EQ(run.filhos[0].quantidade, C("1"));
    EXPECT_EQ(run.filhos[1].produto, "PA002");
    EXPECT_EQ(run.filhos[1].lote, "CAD-9");
    EXPECT_EQ(run.filhos[1].quantidade, C("4"));
    EXPECT_TRUE(run.documentos.contains(r->saida.tipo + ' ' + r->saida.numero));
    EXPECT_TRUE(run.documentos.contains(r->entrada.tipo + ' ' + r->entrada.numero));

    const NoRastreio m = rastrear("PA002", "CAD-9", SentidoRastreio::Montante);
    ASSERT_EQ(m.filhos.size(), 1u);
    EXPECT_EQ(m.filhos[0].quantidade, C("4"));
    ASSERT_EQ(m.filhos[0].filhos.size(), 2u) << "the oak and the glue, not the table";
    EXPECT_EQ(m.filhos[0].filhos[0].produto, "MP002");
    EXPECT_EQ(m.filhos[0].filhos[0].quantidade, C("2"));
    EXPECT_EQ(m.filhos[0].filhos[1].lote, "CV-0118");
}

// Glue issued to a process (less what came back) reaches the lot that closed it.
TEST_P(RastreabilidadeTest, ProcessoEncerradoPorProducaoInstantanea) {
    ProcessoProducao p;
    p.processo = "PR-7";
    p.dataInicio = hoje;
    ASSERT_TRUE(GravarProcesso(demo, p, true));
    for (const char* q : {"1", "-0.25"}) {
        MovimentoProcesso m;
        m.processo = "PR-7";
        m.data = hoje;
        m.produto = "MP005";
        m.armazem = "001";
        m.localizacao = "00003";
        m.lote = "CV-0207";
        m.quantidade = C(q);
        m.preco = C("6.9");
        const auto r = LancaMovimentoProcesso(demo, m);
        ASSERT_TRUE(r) << r.mensagem().toStdString();
    }
    const NoRastreio aberto = rastrear("MP005", "CV-0207", SentidoRastreio::Jusante);
    ASSERT_EQ(aberto.filhos.size(), 1u);
    EXPECT_TRUE(aberto.filhos[0].aberto);
    EXPECT_TRUE(aberto.filhos[0].filhos.empty()) << "nothing came out yet";

    DocumentoInstantaneo d;
    ASSERT_TRUE(IntegraProcesso(demo, d, "PR-7"));
    AcabadoInstantaneo a;
    a.produto = "PA002";
    a.armazem = "002";
    a.quantidade = C("3");
    a.percCusto = C("1");
    a.localizacao = "00005";
    a.lote = "CAD-P";
    d.acabados = {a};
    CalculaCustos(d);
    const auto r = LancaProducaoInstantanea(demo, d);
    ASSERT_TRUE(r) << r.mensagem().toStdString();

    const NoRastreio j = rastrear("MP005", "CV-0207", SentidoRastreio::Jusante);
    ASSERT_EQ(j.filhos.size(), 1u);
    EXPECT_EQ(j.filhos[0].origem, OrigemRastreio::Processo);
    EXPECT_EQ(j.filhos[0].codigo, "PR-7");
    EXPECT_FALSE(j.filhos[0].aberto);
    EXPECT_EQ(j.filhos[0].quantidade, C("0.75"));
    ASSERT_EQ(j.filhos[0].filhos.size(), 1u);
    EXPECT_EQ(j.filhos[0].filhos[0].lote, "CAD-P");
    EXPECT_EQ(j.filhos[0].filhos[0].quantidade, C("3"));

    // Upstream the process, not the run that closed it (which issued nothing of its own).
    const NoRastreio m = rastrear("PA002", "CAD-P", SentidoRastreio::Montante);
    ASSERT_EQ(m.filhos.size(), 1u);
    EXPECT_EQ(m.filhos[0].origem, OrigemRastreio::Processo);
    ASSERT_EQ(m.filhos[0].filhos.size(), 1u);
    EXPECT_EQ(m.filhos[0].filhos[0].quantidade, C("0.75"));
}

// A made-to-measure lot of a lot-kept product now records the lot that came out: its production
// lot's number, also as a product lot, and the trace finds it from either side.
TEST_P(RastreabilidadeTest, LoteDeMedicoesRegistaOLoteQueSai) {
    ASSERT_TRUE(demo.bd().exec("UPDATE Produtos SET Lote=1 WHERE Codigo='PA005'"));
    const auto t = LerTemplateMedicoes(demo.bd(), "PA005");
    ASSERT_TRUE(t && *t);
    const auto c = CalculaMedicoes(**t, C("2000"), C("800"), C("1"));
    ASSERT_TRUE(c) << c.mensagem().toStdString();
    const auto r = LancaMedicoes(demo, *c);
    ASSERT_TRUE(r) << r.mensagem().toStdString();
    EXPECT_EQ(demo.bd()
                  .scalar("SELECT Lote FROM MovProduto WHERE Codigo='PA005' AND AfectaStk='E+' AND Numero=?",
                          {r->ent.numero})
                  .toString()
                  .trimmed(),
              r->lote);
    EXPECT_EQ(demo.bd()
                  .scalar("SELECT COUNT(*) FROM TabLotes WHERE Produto='PA005' AND Codigo=?", {r->lote})
                  .toInt(),
              1);

    const NoRastreio m = rastrear("PA005", r->lote.toLatin1().constData(), SentidoRastreio::Montante);
    ASSERT_EQ(m.filhos.size(), 1u);
    EXPECT_EQ(m.filhos[0].origem, OrigemRastreio::LoteMedicoes);
    EXPECT_EQ(m.filhos[0].codigo, r->lote);
    EXPECT_FALSE(m.filhos[0].filhos.empty());
}

// A lot nothing consumed is an empty tree; a blank lot or an unknown product is refused.
TEST_P(RastreabilidadeTest, LoteSemConsumosEPedidosRecusados) {
    const NoRastreio v = rastrear("MP006", "VA-0931", SentidoRastreio::Jusante);
    EXPECT_EQ(v.lote, "VA-0931");
    EXPECT_TRUE(v.filhos.empty());
    EXPECT_TRUE(rastrear("MP006", "NAO-EXISTE", SentidoRastreio::Montante).filhos.empty());
    EXPECT_FALSE(LerRastreabilidade(demo.bd(), {"MP006", " ", SentidoRastreio::Jusante}));
    const auto x = LerRastreabilidade(demo.bd(), {"XPTO", "L1", SentidoRastreio::Jusante});
    ASSERT_FALSE(x);
    EXPECT_EQ(x.mensagem().toStdString(), "Produto Inexistente: XPTO");
}

// Chairs go into a table and that table back into chairs of the same lot code: the walk marks the
// repeat and stops, in both directions.
TEST_P(RastreabilidadeTest, ProdutoQueSeUsaASiProprioParaNaRepeticao) {
    ASSERT_FALSE(cadeiras("CV-0207", "CAD-A").isEmpty());
    const QString mesa = producao("PA001", "MESA-1", "1", {{"PA002", "002", "00005", "CAD-A", "2"}});
    const QString volta = producao("PA002", "CAD-A", "2", {{"PA001", "002", "00005", "MESA-1", "1"}});
    ASSERT_FALSE(mesa.isEmpty() || volta.isEmpty());

    const NoRastreio j = rastrear("PA002", "CAD-A", SentidoRastreio::Jusante);
    ASSERT_EQ(j.filhos.size(), 1u);
    ASSERT_EQ(j.filhos[0].filhos.size(), 1u);
    const NoRastreio& tabua = j.filhos[0].filhos[0];
    EXPECT_EQ(tabua.lote, "MESA-1");
    EXPECT_FALSE(tabua.repetido);
    ASSERT_EQ(tabua.filhos.size(), 1u);
    ASSERT_EQ(tabua.filhos[0].filhos.size(), 1u);
    EXPECT_TRUE(tabua.filhos[0].filhos[0].repetido);
    EXPECT_TRUE(tabua.filhos[0].filhos[0].filhos.empty());

    const NoRastreio m = rastrear("PA001", "MESA-1", SentidoRastreio::Montante);
    ASSERT_EQ(m.filhos.size(), 1u);
    const NoRastreio* cad = loteDe(m.filhos[0], "PA002", "CAD-A");
    ASSERT_TRUE(cad);
    ASSERT_EQ(cad->filhos.size(), 2u) << "both productions that made CAD-A";
    const NoRastreio* daMesa = producaoDe(*cad, volta);
    ASSERT_TRUE(daMesa);
    ASSERT_EQ(daMesa->filhos.size(), 1u);
    EXPECT_TRUE(daMesa->filhos[0].repetido);
}

LUMO_INSTANCIAR_MOTORES(RastreabilidadeTest);

} // namespace

#include "cli/RelatorioCli.h"
#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "company/ParametrosGerais.h"
#include "printing/MapaProducaoImpressao.h"
#include "production/LancamentoProducao.h"
#include "production/LinhasProducao.h"
#include "production/LoteCadeirasDemo.h"
#include "production/MapasProducao.h"
#include "support/EmpresaDemoTest.h"
#include "support/SemFalha.h"

#include <QDate>
#include <QJsonArray>

namespace {

Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }

// Two oak chairs made in the demo company, 0,4 of the oak board coming back after the cut.
class MapaProducaoDemoTest : public EmpresaDemoAbertaTest {
protected:
    void SetUp() override {
        EmpresaDemoAbertaTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        hoje = QDate::currentDate().toString(Qt::ISODate);
    }

    void cadeirasComRetorno() {
        lote = LoteCadeirasComRetorno(demo, hoje);
        ASSERT_FALSE(lote.isEmpty());
    }
    FiltroMapaProducao doDia() const {
        FiltroMapaProducao f;
        f.produto = "PA002";
        f.de = hoje;
        f.ate = hoje;
        return f;
    }
    // The report as the command line reads it.
    Resultado<RelatorioPronto> pelaLinhaDeComandos(const QHash<QString, QString>& opcoes) {
        PedidoCli p;
        p.servidor = servidor;
        p.opcoes = opcoes;
        p.opcoes.insert("empresa", empresa);
        SessaoCli s;
        if (auto r = s.abrir(p); !r)
            return r.falha();
        return RelatorioMapaProducaoCli().ler(s, p);
    }

    QString hoje, lote;
};

TEST_P(MapaProducaoDemoTest, CarvalhoDevolvidoDesviaDaNomenclatura) {
    cadeirasComRetorno();
    const auto m = LerMapaProducao(demo.bd(), doDia(), true);
    ASSERT_TRUE(m) << m.mensagem().toStdString();
    ASSERT_EQ(m->lotes.size(), 1u);
    const LoteMapaProducao& l = m->lotes[0];
    EXPECT_EQ(l.lote, lote);
    EXPECT_EQ(l.descricao.toStdString(), "Cadeira em carvalho");
    EXPECT_EQ(l.quantidade, C("2"));
    ASSERT_EQ(l.componentes.size(), 5u);
    const ComponenteMapaProducao* oak = nullptr;
    for (const auto& c : l.componentes) {
        if (c.produto == "MP002") {
            oak = &c;
            continue;
        }
        SCOPED_TRACE(c.produto.toStdString());
        EXPECT_TRUE(c.naNomenclatura);
        EXPECT_EQ(c.desvioQuantidade(), Currency()) << "consumed as the bill says";
    }
    ASSERT_TRUE(oak);
    EXPECT_EQ(oak->descricao.toStdString(), "Tábua de carvalho 25 mm");
    EXPECT_EQ(oak->quantidadeNomenclatura, C("4.40"));
    EXPECT_EQ(oak->quantidadeAplicada, C("4.00"));
    EXPECT_EQ(oak->desvioQuantidade(), C("-0.40"));
    EXPECT_EQ(oak->precoNomenclatura, C("18.40"));
    EXPECT_EQ(oak->precoAplicado, C("18.40"));
    EXPECT_EQ(oak->custoAplicado, C("73.60"));
    EXPECT_EQ(oak->custoNomenclatura, C("80.96"));
    EXPECT_EQ(oak->desvioCusto(), C("-7.36"));
    EXPECT_EQ(l.desvio(), C("-7.36")) << "the oak is the lot's only deviation";
    EXPECT_EQ(l.somaAplicado, l.custoTotal);
    EXPECT_EQ(m->desvio(), C("-7.36"));

    // The same figures as the report's data.
    const DadosRelatorio d = DadosMapaProducao(*m, doDia());
    EXPECT_EQ(d.relatorio.toStdString(), "mapa-producao");
    bool vista = false;
    for (const auto& v : d.linhas) {
        const QJsonObject o = v.toObject();
        if (o["tipo"].toString() != "componente" || o["produto"].toString() != "MP002")
            continue;
        vista = true;
        EXPECT_EQ(o["quantidadeNomenclatura"].toString().toStdString(), "4.4000");
        EXPECT_EQ(o["quantidadeAplicada"].toString().toStdString(), "4.0000");
        EXPECT_EQ(o["desvioQuantidade"].toString().toStdString(), "-0.4000");
        EXPECT_EQ(o["desvioCusto"].toString().toStdString(), "-7.3600");
    }
    EXPECT_TRUE(vista);
    EXPECT_EQ(d.totais["desvioCusto"].toString().toStdString(), "-7.3600");
}

// The command line refuses bad filters before reading, says when there is nothing, and gives the
// lot's figures with or without its components.
TEST_P(MapaProducaoDemoTest, LinhaDeComandosRecusasEDados) {
    const auto nada = pelaLinhaDeComandos({{"de", hoje}, {"ate", hoje}});
    ASSERT_FALSE(nada);
    EXPECT_EQ(nada.mensagem().toStdString(), "Não existem registos para esta Condição!");
    EXPECT_FALSE(pelaLinhaDeComandos({{"de", "2026-13-01"}}));
    EXPECT_FALSE(pelaLinhaDeComandos({{"discrimina", "talvez"}}));
    const auto trocadas = pelaLinhaDeComandos({{"de", "2026-03-31"}, {"ate", "2026-03-01"}});
    ASSERT_FALSE(trocadas);
    EXPECT_EQ(trocadas.mensagem().toStdString(), "A Data Inicial é posterior à Data Final!");

    cadeirasComRetorno();
    const auto so = pelaLinhaDeComandos({{"produto", "PA002"}, {"de", hoje}, {"ate", hoje}});
    ASSERT_TRUE(so) << so.mensagem().toStdString();
    ASSERT_EQ(so->dados.linhas.size(), 2) << "the lot and the total";
    EXPECT_EQ(so->dados.linhas[0].toObject()["tipo"].toString().toStdString(), "lote");
    const auto disc = pelaLinhaDeComandos({{"produto", "PA002"}, {"de", hoje}, {"ate", hoje}, {"discrimina", "sim"}});
    ASSERT_TRUE(disc) << disc.mensagem().toStdString();
    EXPECT_EQ(disc->dados.linhas.size(), 8) << "the lot, its five materials, their sum and the total";
    EXPECT_EQ(disc->dados.totais["desvioCusto"].toString().toStdString(), "-7.3600");
    EXPECT_EQ(RelatorioMapaProducaoCli().janela.toStdString(), "frmImpMapaProducao");
}

LUMO_INSTANCIAR_MOTORES(MapaProducaoDemoTest);

} // namespace

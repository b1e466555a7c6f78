#include "production/ImpressaoInstantanea.h"
#include "production/ProducaoTeste.h"
#include "support/DbTest.h"
#include "support/SemFalha.h"

namespace {

using producao_teste::C;

const DocumentoProducao Entrada{QStringLiteral("EPR"), QStringLiteral("00000003"), QStringLiteral("2026-03-04")};
const DocumentoProducao Saida{QStringLiteral("SPR"), QStringLiteral("00000003"), QStringLiteral("2026-03-04")};

// What one printed line says, amounts as stored text: easy to compare and to read in a failure.
QString linha(const ImpressaoInstantanea::Linha& l) {
    return QStringList{l.codigo,      l.descricao, l.armazem, l.localizacao, l.loteReferencias(),
                       l.quantidade.toString(), l.preco.toString(), l.valor.toString()}
        .join(u'|');
}

QStringList linhas(const std::vector<ImpressaoInstantanea::Linha>& v) {
    QStringList r;
    for (const auto& l : v)
        r << linha(l);
    return r;
}

} // namespace

class ImpressaoInstantaneaTest : public DbTest {
protected:
    void mov(const DocumentoProducao& d, const char* codigo, const char* descricao, const char* quant, const char* preco,
             const char* valor, const char* lote = "", std::array<const char*, 7> refs = {"", "", "", "", "", "", ""}) {
        Registo r;
        r("Tipo", d.tipo)("Numero", d.numero)("Ano", d.data.left(4))("Data", d.data)("Codigo", codigo)(
            "Descricao", descricao)("Armazem", "001")("Localizacao", "00001")("Lote", lote)(
            "QuantNormal", C(quant).toVariant())("Preco", C(preco).toVariant())("ValorIliq", C(valor).toVariant())(
            "AfectaStk", d.tipo == "SPR" ? "S+" : "E+");
        const char* colunas[] = {"Estacao", "Sexo", "Referencia", "Modelo", "Cor", "Tamanho", "Comprimento"};
        for (size_t i = 0; i < refs.size(); ++i)
            r(colunas[i], refs[i]);
        ASSERT_GT(db->insert("MovProduto", r), 0);
    }
    void processo(const char* codigo, const char* descricao, const DocumentoProducao& fecho) {
        ASSERT_GT(db->insert("Prod_Processos", Registo()("Processo", codigo)("Descricao", descricao)(
                                                   "DataInicio", "2026-03-01")("DataEncerramento", fecho.data)(
                                                   "TipoEncerramento", fecho.tipo)("NumeroEncerramento", fecho.numero)),
                  0);
    }
    void movProcesso(const char* processo, const char* produto, const char* quant, const char* valor,
                     const char* lote = "") {
        ASSERT_GT(db->insert("Prod_ProcessosMov",
                             Registo()("Processo", processo)("Data", "2026-03-02")("Produto", produto)(
                                 "ProdutoDescricao", QStringLiteral("Matéria ") + produto)("Armazem", "001")(
                                 "Localizacao", "00001")("Lote", lote)("Quantidade", C(quant).toVariant())(
                                 "Preco", C("2").toVariant())("ValorIliq", C(valor).toVariant())),
                  0);
    }
    void loteInstantaneo(const char* tipoProduto, const char* equipamento) {
        ASSERT_GT(db->insert("LoteInstantaneo", Registo()("NumProcesso", "9")("Tipo", Entrada.tipo)(
                                                    "Numero", Entrada.numero)("Data", Entrada.data)(
                                                    "TipoProduto", tipoProduto)("Produto", "PA")("Quantidade", "3")(
                                                    "Preco", "4")("Equipamento", equipamento)),
                  0);
    }
};

// The process the run closed supplies the raw materials: every movement summed per material, a
// return taking its value off whether it was stored signed or not.
TEST_P(ImpressaoInstantaneaTest, ProcessoSomaMovimentosEDevolucoes) {
    mov(Entrada, "PA", "Bolo", "3", "4", "12");
    mov({"EPR", "00000002", "2026-03-04"}, "PB", "Broa", "1", "1", "1"); // another run's entry
    // The stock-out document is there too: with a process it is not what is printed.
    mov(Saida, "MP9", "Não conta", "1", "1", "1");
    processo("000016", "Outro processo", {"EPR", "00000002", "2026-03-04"});
    processo("000017", "Encomenda Silva", Entrada);
    movProcesso("000016", "MP1", "100", "200");
    movProcesso("000017", "MP1", "5", "10");
    movProcesso("000017", "MP2", "3", "1.5", "L1");
    movProcesso("000017", "MP1", "5", "10");
    movProcesso("000017", "MP2", "2", "1");
    movProcesso("000017", "MP1", "-4", "-8");
    loteInstantaneo("MP", "BALANCA");
    loteInstantaneo("PA", "  ");
    loteInstantaneo("PA", "FORNO2");
    ASSERT_GT(db->insert("Prod_Equipamentos", Registo()("Codigo", "FORNO2")("Descricao", "Forno de lenha")), 0);
    ASSERT_GT(db->insert("Prod_Equipamentos", Registo()("Codigo", "BALANCA")("Descricao", "Balança")), 0);

    for (const char* devolucao : {"-8", "8"}) {
        SCOPED_TRACE(devolucao);
        ASSERT_TRUE(db->exec("UPDATE Prod_ProcessosMov SET ValorIliq=? WHERE Quantidade<0", {C(devolucao).toVariant()}));
        const auto r = LerImpressaoInstantanea(ctx, Entrada, Saida);
        ASSERT_TRUE(semFalha(r));
        EXPECT_EQ(r->titulo(), "Produção Instantânea (Processo: 000017 - Encomenda Silva - Equipamento: FORNO2 - "
                               "Forno de lenha)");
        EXPECT_EQ(r->cabecalhoAcabados(), "PRODUTOS ACABADOS  ( Documento: EPR nº 00000003 de 04-03-2026)");
        EXPECT_EQ(r->cabecalhoMaterias(), "PRODUTOS CONSIDERADOS MATÉRIA PRIMA  (Vários Documentos)");
        EXPECT_EQ(linhas(r->acabados), QStringList{"PA|Bolo|001|00001||3.0000|4.0000|12.0000"});
        // 5 + 5 - 4 at 2.00; a lot keeps its own line.
        EXPECT_EQ(linhas(r->materias), (QStringList{"MP1|Matéria MP1|001|00001||6.0000|2.0000|12.0000",
                                                    "MP2|Matéria MP2|001|00001||2.0000|0.5000|1.0000",
                                                    "MP2|Matéria MP2|001|00001|L1|3.0000|0.5000|1.5000"}));
        EXPECT_EQ(r->custoAcabados(), C("12"));
        EXPECT_EQ(r->custoMaterias(), C("14.5"));
    }
}

// Everything that went out came back, at another value: no price to divide, but the value stays.
TEST_P(ImpressaoInstantaneaTest, QuantidadeNulaDaPrecoZero) {
    mov(Entrada, "PA", "Bolo", "1", "0.2", "0.2");
    processo("000020", "Devolvido", Entrada);
    movProcesso("000020", "MP3", "2", "3");
    movProcesso("000020", "MP3", "-2", "2.8");
    const auto r = LerImpressaoInstantanea(ctx, Entrada, {});
    ASSERT_TRUE(semFalha(r));
    EXPECT_EQ(linhas(r->materias), QStringList{"MP3|Matéria MP3|001|00001||0.0000|0.0000|0.2000"});
}

// Without a process the raw materials are the stock-out document's rows, in the order they were written.
TEST_P(ImpressaoInstantaneaTest, SemProcessoLeDocumentoDeSaida) {
    ASSERT_GT(db->insert("ParamGeral", Registo()("NomeEmpresa", "Padaria Central")), 0);
    mov(Entrada, "PA", "Bolo", "4", "2.75", "11", "L7", {"V", "", "REF1", "", "AZ", "42", ""});
    mov(Entrada, "PB", "Broa", "1250", "0.0088", "11");
    mov(Saida, "MP2", "Ovo", "4", "0.5", "2");
    mov(Saida, "MP1", "Farinha", "10", "2", "20");
    mov({"SPR", "00000003", "2025-03-04"}, "MP1", "Farinha", "99", "2", "198"); // same number, other year
    loteInstantaneo("PA", "FORNO2");

    const auto r = LerImpressaoInstantanea(ctx, Entrada, Saida);
    ASSERT_TRUE(semFalha(r));
    EXPECT_EQ(r->empresa, "Padaria Central");
    EXPECT_EQ(r->titulo(), "Produção Instantânea") << "an equipment without a process is not in the title";
    EXPECT_EQ(r->cabecalhoMaterias(), "PRODUTOS CONSIDERADOS MATÉRIA PRIMA  ( Documento: SPR nº 00000003 de 04-03-2026)");
    EXPECT_EQ(linhas(r->acabados), (QStringList{"PA|Bolo|001|00001|L7;V;REF1;AZ;42|4.0000|2.7500|11.0000",
                                                "PB|Broa|001|00001||1250.0000|0.0088|11.0000"}));
    EXPECT_EQ(linhas(r->materias), (QStringList{"MP2|Ovo|001|00001||4.0000|0.5000|2.0000",
                                                "MP1|Farinha|001|00001||10.0000|2.0000|20.0000"}));
    EXPECT_EQ(r->custoAcabados(), C("22"));
    EXPECT_EQ(r->custoMaterias(), C("22"));

    // A run of finished products only: the section is there, empty, at 0.
    const auto soAcabados = LerImpressaoInstantanea(ctx, Entrada, {});
    ASSERT_TRUE(semFalha(soAcabados));
    EXPECT_TRUE(soAcabados->materias.empty());
    EXPECT_EQ(soAcabados->custoMaterias(), Currency());
}

TEST_P(ImpressaoInstantaneaTest, DocumentoDeEntradaInexistenteNaoImprime) {
    mov(Saida, "MP1", "Farinha", "10", "2", "20");
    const auto r = LerImpressaoInstantanea(ctx, Entrada, Saida);
    ASSERT_FALSE(r);
    EXPECT_EQ(r.mensagem().toStdString(), "Não existem registo para estas condições!");
}

LUMO_INSTANCIAR_MOTORES(ImpressaoInstantaneaTest);

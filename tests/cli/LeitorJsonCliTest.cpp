#include "cli/LeitorJsonCli.h"

#include <gtest/gtest.h>

namespace {

ValorJson ler(const QByteArray& texto) {
    const Resultado<ValorJson> v = lerJsonCli(texto);
    EXPECT_TRUE(v) << v.mensagem().toStdString() << " em " << texto.toStdString();
    return v.valorOu(ValorJson());
}

QString recusa(const QByteArray& texto) {
    const Resultado<ValorJson> v = lerJsonCli(texto);
    EXPECT_FALSE(v) << texto.toStdString();
    return v ? QString() : v.mensagem();
}

// The amount of key "q" of a one-key object, as the commands read it.
std::optional<Currency> montanteDe(const QByteArray& literal) {
    const ValorJson v = ler("{\"q\": " + literal + "}");
    Currency c;
    if (!ObjectoJsonCli(v, QStringLiteral("teste")).montante("q", c))
        return std::nullopt;
    return c;
}

} // namespace

TEST(LeitorJsonCliTest, MontantesLidosComoForamEscritos) {
    // Beyond a double's 15-16 significant digits: only the text keeps these exact.
    EXPECT_EQ(montanteDe("922337203685477.5807")->toString(), QStringLiteral("922337203685477.5807"));
    EXPECT_EQ(montanteDe("123456789012.3457")->toString(), QStringLiteral("123456789012.3457"));
    EXPECT_EQ(montanteDe("0.1")->toString(), QStringLiteral("0.1000"));
    EXPECT_EQ(montanteDe("\"2.5\"")->toString(), QStringLiteral("2.5000"));
    // Exponents move the decimal point of the text.
    EXPECT_EQ(montanteDe("1.5e3")->toString(), QStringLiteral("1500.0000"));
    EXPECT_EQ(montanteDe("25E-2")->toString(), QStringLiteral("0.2500"));
    EXPECT_EQ(montanteDe("1e-4")->toString(), QStringLiteral("0.0001"));
    EXPECT_EQ(montanteDe("-7.25e+1")->toString(), QStringLiteral("-72.5000"));
    EXPECT_EQ(montanteDe("0e5")->toString(), QStringLiteral("0.0000"));
}

TEST(LeitorJsonCliTest, MontantesForaDoTipoRecusados) {
    EXPECT_FALSE(montanteDe("922337203685478"));
    EXPECT_FALSE(montanteDe("1e15")) << "above the money type";
    recusa("{\"q\": 1e400}"); // the parser itself refuses a number beyond any type
    EXPECT_FALSE(montanteDe("1e-5")) << "no zero the user meant";
    EXPECT_FALSE(montanteDe("0.00001"));
    EXPECT_FALSE(montanteDe("-0"));
    EXPECT_FALSE(montanteDe("true"));
    EXPECT_FALSE(montanteDe("null"));
    EXPECT_FALSE(montanteDe("[1]"));
    EXPECT_FALSE(montanteDe("\"doze\""));
}

TEST(LeitorJsonCliTest, SoJsonEstrito) {
    EXPECT_TRUE(recusa("{\"a\": 1,}").startsWith(QStringLiteral("O ficheiro não é um JSON válido")));
    recusa("{\"a\": 1} // nota");
    recusa("{\"a\": 1} {\"b\": 2}");
    recusa("{'a': 1}");
    recusa("{\"a\": 01}");
    recusa("{\"a\": NaN}");
    recusa("");
    // A zero byte would otherwise end the text early and hide what follows it.
    recusa(QByteArray("{\"a\": 1}\0{", 10));
    recusa("{\"a\": \"\xC3\x28\"}") ; // not UTF-8
    ler("\n {\"a\" : [1, 2.5, \"x\", true, null, {}]} \n");
}

TEST(LeitorJsonCliTest, FicheiroFundoDemaisRecusadoSemRebentar) {
    const QByteArray fundo = QByteArray(100000, '[') + QByteArray(100000, ']');
    EXPECT_TRUE(recusa(fundo).contains(QStringLiteral("níveis")));
    ler(QByteArray(60, '[') + QByteArray(60, ']'));
}

TEST(LeitorJsonCliTest, ObjectoGuardaOrdemERecusaChavesRepetidasOuDesconhecidas) {
    const ValorJson v = ler(R"({"z": 1, "a": "x", "m": false})");
    ASSERT_EQ(v.membros.size(), 3);
    EXPECT_EQ(v.membros.at(0).first, QStringLiteral("z"));
    EXPECT_EQ(v.membros.at(1).first, QStringLiteral("a"));
    EXPECT_EQ(v.membros.at(0).second.texto, QStringLiteral("1"));

    const ValorJson repetida = ler(R"({"a": 1, "a": 2})");
    const Resultado<> r = ObjectoJsonCli(repetida, QStringLiteral("ordem")).soChaves({"a"});
    ASSERT_FALSE(r);
    EXPECT_EQ(r.mensagem(), QStringLiteral("Chave repetida em ordem: \"a\"."));

    const ValorJson desconhecida = ler(R"({"quantidadee": 1})");
    const Resultado<> d = ObjectoJsonCli(desconhecida, QStringLiteral("ordem")).soChaves({"quantidade"});
    ASSERT_FALSE(d);
    EXPECT_EQ(d.mensagem(),
              QStringLiteral("Chave desconhecida em ordem: \"quantidadee\" (aceites: quantidade)."));
}

TEST(LeitorJsonCliTest, TiposErradosRecusadosPeloNome) {
    const ValorJson v = ler(R"({"produto": 12, "fixa": "sim", "linhas": {"a": 1}, "outras": [1]})");
    const ObjectoJsonCli o(v, QStringLiteral("cabeçalho"));
    QString texto;
    bool logico = false;
    QList<ValorJson> lista;
    const Resultado<> produto = o.texto("produto", texto);
    ASSERT_FALSE(produto);
    EXPECT_EQ(produto.mensagem(),
              QStringLiteral("Valor inválido na chave \"produto\" em cabeçalho: deve ser um texto."));
    EXPECT_FALSE(o.logico("fixa", logico));
    EXPECT_FALSE(o.listaObjectos("linhas", lista));
    const Resultado<> outras = o.listaObjectos("outras", lista);
    ASSERT_FALSE(outras);
    EXPECT_EQ(
        outras.mensagem(),
        QStringLiteral("Valor inválido na chave \"outras\" em cabeçalho: deve ser uma lista de objectos."));
    const Resultado<> descricao = o.texto("descricao", texto, true);
    ASSERT_FALSE(descricao);
    EXPECT_EQ(descricao.mensagem(), QStringLiteral("Falta a chave \"descricao\" em cabeçalho."));

    // Several keys read in one statement report the first refusal, in reading order.
    const Resultado<> varias = primeiraFalha(
        {o.texto("descricao", texto), o.listaObjectos("outras", lista), o.texto("produto", texto)});
    ASSERT_FALSE(varias);
    EXPECT_EQ(varias.mensagem(), outras.mensagem());
    EXPECT_TRUE(primeiraFalha({o.texto("descricao", texto), o.logico("nenhuma", logico)}));
}

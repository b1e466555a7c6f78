#include "stock/MovimentosStock.h"
#include "session/Acessos.h"
#include "cli/LinhaComandosCli.h"
#include "support/EmpresaDemoTest.h"
#include "support/Saldos.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// The production commands refuse whatever the order window refuses, on the demo company: a chair
// (PA002) takes 2.2 m of oak (MP002), 0.15 kg of glue (MP005, by lot), 0.25 l of varnish (MP006,
// by lot), 12 dowels (MP009, whole units) and 0.5 m of sandpaper per unit.
class ProducaoCliJanelaTest : public EmpresaDemoTest {
protected:
    QJsonObject cli(const QStringList& args, int* codigo) {
        QByteArray saida;
        *codigo = executarLinhaComandos(argumentosCli(args), &saida);
        return QJsonDocument::fromJson(saida).object();
    }
    // Posts (or tries to) and returns the error text, empty on success.
    QString lancar(const QJsonObject& ordem, QJsonObject* resposta = nullptr, const QStringList& extra = {}) {
        int codigo = -1;
        const QJsonObject r =
            cli(QStringList{"producao", "lancar", ficheiro(QJsonDocument(ordem).toJson())} + extra, &codigo);
        if (resposta)
            *resposta = r;
        EXPECT_EQ(codigo == 0, r.value("erro").toString().isEmpty());
        return codigo == 0 ? QString() : r.value("erro").toString();
    }
    QString acertos(const QByteArray& json, QJsonObject* resposta = nullptr) {
        int codigo = -1;
        const QJsonObject r = cli({"producao", "acertos", ficheiro(json)}, &codigo);
        if (resposta)
            *resposta = r;
        return codigo == 0 ? QString() : r.value("erro").toString();
    }
    QJsonObject cadeira(const char* lote, const QString& fase = "aguarda") const {
        return QJsonObject{{"lote", lote},
                           {"produto", "PA002"},
                           {"quantidade", "2"},
                           {"data", ano + "-03-02"},
                           {"armazem", "002"},
                           {"fase", fase},
                           {"linhas", QJsonArray{QJsonObject{{"produto", "MP005"}, {"lote", "CV-0118"}},
                                                 QJsonObject{{"produto", "MP006"}, {"lote", "VA-0931"}}}}};
    }
    Currency saldo(const char* produto, const char* armazem) { return saldoArmazem(*empresaDb, produto, armazem); }
    qint64 contar(const QString& sql, const QVariantList& v = {}) { return empresaDb->scalar(sql, v).toLongLong(); }
    int fechado(const char* lote) {
        return empresaDb->scalar("SELECT Fechado FROM Lotes WHERE lote=?", {QString::fromLatin1(lote)}).toInt();
    }
};

TEST_P(ProducaoCliJanelaTest, OrdemRecusaOQueAJanelaRecusaENadaFicaEscrito) {
    QJsonObject o = cadeira("7");
    o["quantidade"] = "0.5";
    EXPECT_TRUE(lancar(o).contains("apenas permite a movimentação de quantidades unitárias")) << "PA002 in units";

    o = cadeira("7");
    QJsonArray linhas = o["linhas"].toArray();
    linhas.append(QJsonObject{{"produto", "MP009"}, {"quantidade", "0.5"}});
    o["linhas"] = linhas;
    EXPECT_TRUE(lancar(o).contains("apenas permite a movimentação de quantidades unitárias")) << "MP009 in units";

    o = cadeira("7");
    o["armazem"] = "999";
    EXPECT_EQ(lancar(o), "Armazém Inexistente");

    o = cadeira("7");
    linhas = o["linhas"].toArray();
    linhas.append(QJsonObject{{"produto", "MP002"}, {"lote", "CV-0118"}});
    o["linhas"] = linhas;
    EXPECT_EQ(lancar(o), "O produto MP002 não tem controlo de lotes.");

    // The operator enters the program but has no right to the order window yet.
    EXPECT_EQ(lancar(cadeira("7"), nullptr, {"--utilizador", "02"}), "Acesso Negado !");
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Acessos WHERE utilizador='02'"), 1) << "a refusal writes no rights";
    for (const JanelaProtegida& j : JanelasProtegidas()) {
        if (j.form == "frmMovProducao") {
            ASSERT_TRUE(GetBotoes(*empresaDb, "02", j, 1));
        }
    }
    ASSERT_TRUE(empresaDb->exec("UPDATE Acessos SET value=0 WHERE utilizador='02' AND chave LIKE '%Processar'"));
    EXPECT_EQ(lancar(cadeira("7"), nullptr, {"--utilizador", "02"}), "Acesso Negado !") << "no right to process";
    ASSERT_TRUE(empresaDb->exec("UPDATE Acessos SET value=1 WHERE utilizador='02'"));
    // With the window's rights, the operator may still use warehouse 001 only.
    ASSERT_TRUE(empresaDb->exec("UPDATE UtilConfGeral SET ArmazensAcessos='001;' WHERE utilizador='02'"));
    EXPECT_EQ(lancar(cadeira("7"), nullptr, {"--utilizador", "02"}), "Não pode utilizar o Armazém 002.");

    // Keys and types are read strictly: nothing falls back to a default.
    o = cadeira("7");
    o["Fase"] = "aguarda";
    EXPECT_TRUE(lancar(o).contains("Chave desconhecida em ordem: \"Fase\""));
    o = cadeira("7");
    o["NaoMultiplica"] = "sim";
    EXPECT_TRUE(lancar(o).contains("\"NaoMultiplica\""));
    o = cadeira("7");
    o["linhas"] = QJsonArray{QJsonObject{{"produto", "MP005"}, {"lotte", "CV-0118"}}};
    EXPECT_TRUE(lancar(o).contains("Chave desconhecida em linha 1: \"lotte\""));

    EXPECT_EQ(contar("SELECT COUNT(*) FROM Lotes"), 0);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto WHERE Tipo IN ('SPR','EPR','DPR','RPR')"), 0);
    EXPECT_EQ(saldo("MP002", "001"), Currency::fromString("95.5"));
}

TEST_P(ProducaoCliJanelaTest, AcertosSoPeloQueAJanelaAceita) {
    ASSERT_EQ(lancar(cadeira("7")), QString());
    ASSERT_EQ(saldo("MP002", "001"), Currency::fromString("91.1")) << "95.5 - 2 × 2.2";

    // More oak cannot come back than the lot consumed.
    QString erro = acertos(QJsonDocument(QJsonObject{{"lote", "7"},
                                                     {"acertos", QJsonArray{QJsonObject{{"produto", "MP002"},
                                                                                        {"quantidade", "-10"}}}}})
                               .toJson());
    EXPECT_TRUE(erro.startsWith("O retorno não pode exceder a quantidade consumida")) << erro.toStdString();
    // Adjustments in the wrong shape or under a misspelt key never close the lot.
    for (const QByteArray& mau : {QByteArray(R"({"lote":"7","acertos":"MP002 -1"})"),
                                  QByteArray(R"({"lote":"7","acertos":{"produto":"MP002","quantidade":"-1"}})"),
                                  QByteArray(R"({"lote":"7","acerto":[{"produto":"MP002","quantidade":"-1"}]})"),
                                  QByteArray(R"({"lote":"7"})")})
        EXPECT_FALSE(acertos(mau).isEmpty()) << mau.toStdString();
    EXPECT_EQ(fechado("0000000007"), 0);
    EXPECT_EQ(saldo("MP002", "001"), Currency::fromString("91.1"));

    // Two adjustments of one line add up.
    QJsonObject r;
    erro = acertos(QJsonDocument(QJsonObject{{"lote", "7"},
                                             {"acertos", QJsonArray{QJsonObject{{"produto", "MP002"}, {"quantidade", "-0.2"}},
                                                                    QJsonObject{{"produto", "MP002"}, {"quantidade", "-0.3"}}}}})
                       .toJson(),
                   &r);
    ASSERT_TRUE(erro.isEmpty()) << erro.toStdString();
    const QJsonArray ret = r["retorno"].toObject()["linhas"].toArray();
    ASSERT_EQ(ret.size(), 1);
    EXPECT_EQ(ret[0].toObject()["quantidade"].toString(), "0.5000");
    EXPECT_EQ(saldo("MP002", "001"), Currency::fromString("91.6"));
    EXPECT_EQ(fechado("0000000007"), 1);
}

TEST_P(ProducaoCliJanelaTest, AcertosNumPeriodoJaFechadoSaoRecusados) {
    ASSERT_EQ(lancar(cadeira("7")), QString());
    ASSERT_TRUE(empresaDb->exec("UPDATE ParamGeral SET DataEmAberto=?", {ano + "-04-01"}));
    const QString erro = acertos(R"({"lote":"7","acertos":[{"produto":"MP002","quantidade":"-0.4"}]})");
    EXPECT_EQ(erro, "Apenas pode efectuar operações a partir de 01-04-" + ano);
    EXPECT_EQ(fechado("0000000007"), 0);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto WHERE Tipo IN ('DPR','RPR')"), 0);
}

TEST_P(ProducaoCliJanelaTest, ProdutoAcabadoComLoteLevaLoteLocalizacaoEDatasDoLote) {
    ASSERT_TRUE(empresaDb->exec("UPDATE Produtos SET Lote=1, FormulaLote=3, ControlaDataValidade_Fabrico=1 WHERE "
                                "Codigo='PA002'"));
    ASSERT_GT(empresaDb->insert("TabLotes", Registo()("Produto", "PA002")("Codigo", "CAD-01")("Descricao", "Cadeiras")(
                                                "DataFabrico", ano + "-03-02")("DataValidade", ano + "-12-31")(
                                                "Bloqueado", 0)),
              0);
    QJsonObject o = cadeira("7", "encerra");
    EXPECT_TRUE(lancar(o).startsWith("Falta a localização do produto acabado PA002"));
    o["localizacao"] = "00005";
    EXPECT_TRUE(lancar(o).startsWith("Falta o lote do produto acabado PA002"));
    o["loteProduto"] = "NAO-EXISTE";
    EXPECT_EQ(lancar(o), "Lote Inexistente para este Produto");
    o["localizacao"] = "99999";
    o["loteProduto"] = "CAD-01";
    EXPECT_EQ(lancar(o), "Localização Inexistente");
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Lotes"), 0);

    o["localizacao"] = "00005";
    QJsonObject r;
    ASSERT_EQ(lancar(o, &r), QString());
    const QJsonObject entrada = r["entrada"].toObject()["linhas"].toArray().at(0).toObject();
    EXPECT_EQ(entrada["lote"].toString(), "CAD-01");
    EXPECT_EQ(entrada["localizacao"].toString(), "00005");
    EXPECT_EQ(entrada["dataFabrico"].toString(), ano + "-03-02");
    EXPECT_EQ(entrada["dataValidade"].toString(), ano + "-12-31");
}

TEST_P(ProducaoCliJanelaTest, LoteDaMateriaPrimaEscolhidoLivrementeEPorLocalizacao) {
    // The glue is FIFO by expiry and CV-0118 expires first, but the order leaves the choice free.
    QJsonObject o = cadeira("7", "encerra");
    o["linhas"] = QJsonArray{QJsonObject{{"produto", "MP005"}, {"lote", "CV-0207"}},
                             QJsonObject{{"produto", "MP006"}, {"lote", "VA-0931"}, {"localizacao", "00003"}}};
    QJsonObject r;
    ASSERT_EQ(lancar(o, &r), QString());
    bool viu = false;
    for (const QJsonValue& v : r["saida"].toObject()["linhas"].toArray())
        if (v.toObject()["codigo"].toString() == "MP005") {
            EXPECT_EQ(v.toObject()["lote"].toString(), "CV-0207");
            viu = true;
        }
    EXPECT_TRUE(viu);
    // A lot not held where it is asked for is refused by name.
    o["lote"] = "8";
    o["linhas"] = QJsonArray{QJsonObject{{"produto", "MP005"}, {"lote", "CV-0118"}, {"localizacao", "00002"}}};
    EXPECT_TRUE(lancar(o).startsWith("O lote CV-0118 do produto MP005 não tem existência no armazém 001"));
}

TEST_P(ProducaoCliJanelaTest, EliminarLoteRepoeOStockEAceitaSoLotesEncerrados) {
    ASSERT_EQ(lancar(cadeira("7", "encerra")), QString());
    ASSERT_EQ(lancar(cadeira("8", "aguarda")), QString());
    ASSERT_EQ(saldo("MP002", "001"), Currency::fromString("86.7"));
    ASSERT_EQ(saldo("PA002", "002"), Currency::fromString("12"));

    int codigo = -1;
    QJsonObject r = cli({"lote", "eliminar", "--lote", "8"}, &codigo);
    EXPECT_EQ(codigo, 1);
    EXPECT_EQ(r["erro"].toString(), "Lote Inexistente ou em Aberto!");

    r = cli({"lote", "eliminar", "--lote", "7"}, &codigo);
    ASSERT_EQ(codigo, 0) << r["erro"].toString().toStdString();
    EXPECT_EQ(r["lote"].toString(), "0000000007");
    EXPECT_EQ(r["documentos"].toArray().size(), 4);
    EXPECT_EQ(saldo("MP002", "001"), Currency::fromString("91.1"));
    EXPECT_EQ(saldo("PA002", "002"), Currency::fromString("10"));
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Lotes WHERE lote='0000000007'"), 0);

    r = cli({"lote", "eliminar", "--lote", "7"}, &codigo);
    EXPECT_EQ(codigo, 1);
    EXPECT_EQ(r["erro"].toString(), "Lote Inexistente ou em Aberto!");
}

LUMO_INSTANCIAR_MOTORES(ProducaoCliJanelaTest);

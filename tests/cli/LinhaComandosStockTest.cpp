#include "db/AdminServidor.h"
#include "company/EmpresaDemo.h"
#include "company/Empresas.h"
#include "cli/LinhaComandosCli.h"
#include "support/EmpresaDemoTest.h"

#include <QDate>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>

// The stock commands run in-process against a demo company on each engine.
class LinhaComandosStockTest : public EmpresaDemoTest {
protected:

    struct Resposta {
        int codigo = -1;
        QJsonObject json;
    };
    Resposta cli(QStringList args, bool comEmpresa = true) {
        args << opcoesServidor;
        if (comEmpresa)
            args << "--empresa" << empresa;
        QByteArray saida;
        Resposta r;
        r.codigo = executarLinhaComandos(args, &saida);
        r.json = QJsonDocument::fromJson(saida).object();
        return r;
    }
    // A movement file: the fields given replace those of a valid entry of MP001.
    QString movimento(const QJsonObject& alteracoes) {
        QJsonObject o{{"Tipo", "EPR"},     {"Numero", "00000007"}, {"Data", ano + "-02-01"},
                      {"Codigo", "MP001"}, {"QuantNormal", 10},    {"Preco", "6.00"},
                      {"Armazem", "001"},  {"AfectaStk", "E+"},    {"Localizacao", "00002"}};
        for (auto it = alteracoes.begin(); it != alteracoes.end(); ++it)
            o.insert(it.key(), it.value());
        return ficheiro(QJsonDocument(o).toJson());
    }
    QString valor(QStringList args, const char* campo) {
        const Resposta r = cli(args);
        EXPECT_EQ(r.codigo, 0) << args.join(' ').toStdString() << " -> "
                               << r.json.value("erro").toString().toStdString();
        return r.json.value(QLatin1String(campo)).toString();
    }
    std::shared_ptr<Database> abrir() {
        const auto d = Database::open(ligacaoEmpresa(servidor, empresa));
        EXPECT_TRUE(d) << d.mensagem().toStdString();
        return d.valorOu(nullptr);
    }

};

TEST_P(LinhaComandosStockTest, EntradaESaidaMudamSaldoECusto) {
    // Opening stock of MP001: 180 at 4.85 in warehouse 001, location 00002.
    Resposta r = cli({"movimento", "lancar", movimento({})});
    ASSERT_EQ(r.codigo, 0) << r.json.value("erro").toString().toStdString();
    const qint64 entrada = r.json.value("NumRegisto").toInteger();
    EXPECT_GT(entrada, 0);

    EXPECT_EQ(valor({"saldo", "--produto", "MP001"}, "saldo"), "190.0000");
    EXPECT_EQ(valor({"saldo", "--produto", "MP001", "--armazem", "001", "--localizacao", "00002"}, "saldo"),
              "190.0000");
    EXPECT_EQ(valor({"saldo", "--produto", "MP001", "--armazem", "002"}, "saldo"), "0.0000");
    EXPECT_EQ(valor({"saldo", "--produto", "MP001", "--data", ano + "-01-15"}, "saldo"), "180.0000");
    // (180 x 4.85 + 10 x 6.00) / 190
    EXPECT_EQ(valor({"pmc", "--produto", "MP001"}, "pmc"), "4.9105");
    EXPECT_EQ(valor({"pmc", "--produto", "MP001", "--data", ano + "-01-15"}, "pmc"), "4.8500");
    EXPECT_EQ(valor({"pmc", "--produto", "MP001", "--armazem", "001"}, "pmc"), "4.9105");

    r = cli({"movimento", "lancar",
             movimento({{"Tipo", "SPR"},
                        {"Numero", "00000003"},
                        {"Data", ano + "-02-10"},
                        {"QuantNormal", "5"},
                        {"Preco", 0},
                        {"AfectaStk", "S+"}}),
             "--utilizador", "02"});
    ASSERT_EQ(r.codigo, 0) << r.json.value("erro").toString().toStdString();
    const qint64 saida = r.json.value("NumRegisto").toInteger();
    EXPECT_GT(saida, entrada);
    EXPECT_EQ(valor({"saldo", "--produto", "MP001", "--armazem", "001"}, "saldo"), "185.0000");
    EXPECT_EQ(valor({"saldo", "--produto", "MP001", "--data", ano + "-02-05"}, "saldo"), "190.0000");
    EXPECT_EQ(valor({"pmc", "--produto", "MP001"}, "pmc"), "4.9105");

    r = cli({"produto", "--codigo", "MP001"});
    ASSERT_EQ(r.codigo, 0);
    EXPECT_EQ(r.json.value("codigo").toString(), "MP001");
    EXPECT_EQ(r.json.value("descricao").toString(), "Tábua de pinho 20 mm");
    EXPECT_EQ(r.json.value("PrecoMedioCusto").toString(), "4.9105");
    EXPECT_EQ(r.json.value("UltPrecoCompra").toString(), "4.8500");
    EXPECT_EQ(r.json.value("UltPrecoCusto").toString(), "4.8500");

    // Each posting is logged and written under the user the command ran as.
    auto d = abrir();
    ASSERT_TRUE(d);
    auto q = d->query("SELECT Utilizador, Accao, Tipo, Numero, Ano, Produto, Descricao FROM LogGeral "
                      "WHERE Modulo='ST' ORDER BY NumRegisto");
    ASSERT_TRUE(q);
    QStringList linhas;
    while (q->next()) {
        QStringList l;
        for (int i = 0; i < 7; ++i)
            l << q->value(i).toString();
        linhas << l.join('|');
    }
    EXPECT_EQ(linhas, (QStringList{"01|N|EPR|00000007|" + ano + "|MP001|Lançamento de movimento de stock",
                                   "02|N|SPR|00000003|" + ano + "|MP001|Lançamento de movimento de stock"}));
    EXPECT_EQ(d->scalar("SELECT Utilizador FROM MovProduto WHERE NumRegisto=?", {saida}).toString(), "02");
    EXPECT_EQ(d->scalar("SELECT Descricao FROM MovProduto WHERE NumRegisto=?", {entrada}).toString(),
              "Tábua de pinho 20 mm");
    EXPECT_EQ(
        Currency::fromVariant(d->scalar("SELECT QuantNormal FROM MovProduto WHERE NumRegisto=?", {entrada})),
        Currency(10));
}

TEST_P(LinhaComandosStockTest, EntradasErradasDaoErroENadaGravam) {
    auto d = abrir();
    ASSERT_TRUE(d);
    const int linhasAntes = d->scalar("SELECT COUNT(*) FROM MovProduto").toInt();

    struct Caso {
        QStringList args;
        QString erro; // the start of the expected reason
    };
    const QString semPreco = ficheiro(R"({"Tipo":"EPR","Numero":"1","Data":"2026-02-01","Codigo":"MP001",
                                          "QuantNormal":1,"Armazem":"001","AfectaStk":"E+"})");
    const std::vector<Caso> casos{
        {{"movimento", "lancar", pasta.filePath("naoexiste.json")}, "Não foi possível ler o ficheiro"},
        {{"movimento", "lancar", ficheiro("{\"Tipo\": \"EPR\",")}, "O ficheiro não é um JSON válido"},
        {{"movimento", "lancar", ficheiro("[1, 2]")}, "O ficheiro deve conter um objecto JSON"},
        {{"movimento", "lancar", movimento({{"Cor2", "azul"}})}, "Coluna desconhecida em MovProduto: Cor2"},
        {{"movimento", "lancar", semPreco}, "Falta a coluna Preco no movimento."},
        {{"movimento", "lancar", movimento({{"QuantNormal", "12,3x"}})},
         "Valor inválido na coluna QuantNormal: 12,3x"},
        {{"movimento", "lancar", movimento({{"Preco", true}})}, "Valor inválido na coluna Preco"},
        {{"movimento", "lancar", movimento({{"Sinal", "1.5"}})}, "Valor inválido na coluna Sinal"},
        {{"movimento", "lancar", movimento({{"Data", ano + "-02-30"}})}, "Data inválida"},
        {{"movimento", "lancar", movimento({{"Codigo", "MP999"}})}, "Produto inexistente: MP999"},
        {{"movimento", "lancar", movimento({{"Utilizador", "02"}})}, "O movimento indica o utilizador 02"},
        {{"movimento", "lancar",
          ficheiro(R"({"Tipo":"EPR","Numero":"1","Data":"2026-02-01","Codigo":"MP001","QuantNormal":1,
                      "Preco":"1","preco":"2","Armazem":"001","AfectaStk":"E+"})")},
         "Coluna repetida no movimento: preco"},
        // A lot-managed raw material leaving stock without its lot.
        {{"movimento", "lancar",
          movimento({{"Codigo", "MP005"}, {"Tipo", "SPR"}, {"AfectaStk", "S+"}, {"QuantNormal", "1"}})},
         "Sem lote definido para o produto MP005!"},
        {{"movimento", "lancar", movimento({}), "--utilizador", "07"}, "Utilizador inexistente: 07"},
        {{"movimento", "registar", movimento({})}, "Use: movimento lancar FICHEIRO"},
        {{"produto", "--codigo", "XPTO"}, "Produto inexistente: XPTO"},
        {{"saldo", "--produto", "XPTO"}, "Produto inexistente: XPTO"},
        {{"saldo"}, "Falta o produto"},
        {{"saldo", "--produto", "MP001", "--data", "01-02-2026"}, "Data inválida: 01-02-2026"},
        {{"pmc", "--produto", "MP001", "--data", ano + "-13-01"}, "Data inválida"},
        {{"pmc", "MP001"}, "Argumento inesperado: MP001"},
    };
    for (const Caso& c : casos) {
        const Resposta r = cli(c.args);
        EXPECT_EQ(r.codigo, 1) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.json.value("erro").toString().startsWith(c.erro))
            << c.args.join(' ').toStdString() << " -> " << r.json.value("erro").toString().toStdString();
    }
    Resposta r = cli({"saldo", "--produto", "MP001"}, false);
    EXPECT_EQ(r.codigo, 1);
    EXPECT_EQ(r.json.value("erro").toString(), "Falta o código da empresa (--empresa CODIGO).");
    r = cli({"saldo", "--produto", "MP001", "--empresa", "QQQ9"}, false);
    EXPECT_EQ(r.codigo, 1);
    EXPECT_FALSE(r.json.value("erro").toString().isEmpty());
    // The company option and the program user belong to the company commands only.
    r = cli({"empresas", "--utilizador", "01"}, false);
    EXPECT_EQ(r.codigo, 1);

    EXPECT_EQ(d->scalar("SELECT COUNT(*) FROM MovProduto").toInt(), linhasAntes);
    EXPECT_EQ(d->scalar("SELECT COUNT(*) FROM LogGeral WHERE Modulo='ST'").toInt(), 0);
}

TEST_P(LinhaComandosStockTest, CodigosDigitadosSaoPreenchidosComZeros) {
    auto d = abrir();
    ASSERT_TRUE(d);
    ASSERT_TRUE(d->exec("UPDATE ParamGeral SET zerarproduto=1"));
    ASSERT_GT(d->insert("Produtos", Registo()("Codigo", "000000000000042")("Descricao", "Tinta de água")(
                                        "PrecoMedioCusto", "2.5000")("UltPrecoCompra", "2.4000")(
                                        "UltPrecoCusto", "2.6000")("ctrlexistencia", "0")("Lote", 0)),
              0);

    Resposta r = cli({"produto", "--codigo", "42"});
    ASSERT_EQ(r.codigo, 0) << r.json.value("erro").toString().toStdString();
    EXPECT_EQ(r.json.value("codigo").toString(), "000000000000042");
    EXPECT_EQ(r.json.value("UltPrecoCompra").toString(), "2.4000");
    EXPECT_EQ(r.json.value("UltPrecoCusto").toString(), "2.6000");

    // Amounts written as JSON numbers are read from their text, not through floating point; a file
    // saved with a byte-order mark is read as well.
    r = cli(
        {"movimento", "lancar",
         ficheiro(
             "\xEF\xBB\xBF"
             R"({"Tipo":"EPR","Numero":"00000001","Data":")" +
             ano.toUtf8() +
             R"(-03-01","Codigo":"42","QuantNormal":3.00005,"Preco":2.5,"Armazem":"001","AfectaStk":"E+"})")});
    ASSERT_EQ(r.codigo, 0) << r.json.value("erro").toString().toStdString();
    EXPECT_EQ(valor({"saldo", "--produto", "42"}, "saldo"), "3.0001");
    EXPECT_EQ(d->scalar("SELECT Codigo FROM MovProduto WHERE NumRegisto=?",
                        {r.json.value("NumRegisto").toInteger()})
                  .toString(),
              "000000000000042");
}

TEST_P(LinhaComandosStockTest, MovimentoNumPeriodoFechadoERecusado) {
    auto d = abrir();
    ASSERT_TRUE(d->exec("UPDATE ParamGeral SET DataEmAberto=?", {ano + "-03-01"}));
    const QString antes = d->scalar("SELECT COUNT(*) FROM MovProduto").toString();
    Resposta r = cli({"movimento", "lancar", movimento({})});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_EQ(r.json.value("erro").toString(), "Apenas pode efectuar operações a partir de 01-03-" + ano);
    EXPECT_EQ(d->scalar("SELECT COUNT(*) FROM MovProduto").toString(), antes);
    r = cli({"movimento", "lancar", movimento({{"Data", ano + "-03-01"}})});
    EXPECT_EQ(r.codigo, 0) << r.json.value("erro").toString().toStdString();
}

LUMO_INSTANCIAR_MOTORES(LinhaComandosStockTest);

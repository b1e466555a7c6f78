#include "cli/LinhaComandosCli.h"
#include "support/EmpresaDemoTest.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>

// Nonsense and hostile input through every command of the command line, on the demo company: each
// is refused in the program's own Portuguese, with exit 1, and the database is left exactly as it was.
class LinhaComandosHostilTest : public EmpresaDemoTest {
protected:
    struct Resposta {
        int codigo = -1;
        QJsonObject json;
        QByteArray saida;
    };
    // In this process, or (for what needs the printing library) as the program itself.
    Resposta cli(const QStringList& args) {
        Resposta r;
        if (m_comoPrograma) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            if (isSQLite())
                env.insert("LUMO_DADOS", servidor.pasta);
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(LUMO_CLI_PATH), argumentosCli(args));
            EXPECT_TRUE(p.waitForFinished(60000));
            r.codigo = p.exitCode();
            r.saida = p.readAllStandardOutput();
        } else {
            r.codigo = executarLinhaComandos(argumentosCli(args), &r.saida);
        }
        r.json = QJsonDocument::fromJson(r.saida).object();
        return r;
    }
    bool m_comoPrograma = false;
    QString json(const QJsonObject& o) { return ficheiro(QJsonDocument(o).toJson()); }

    // Everything a refusal must leave as it was: the ledger, lots, products, bills, counters, rights.
    QByteArray retrato() {
        QCryptographicHash h(QCryptographicHash::Sha256);
        for (const char* sql :
             {"SELECT Codigo, Tipo, Numero, Ano, Data, AfectaStk, QuantNormal, Preco, Lote, Localizacao FROM MovProduto "
              "ORDER BY NumRegisto",
              "SELECT lote, Produto, custoTotal, Fechado, NumeroSaida, Numeroret, Numeroref, Numeroent FROM Lotes ORDER BY lote",
              "SELECT Codigo, PrecoMedioCusto, UltPrecoCompra, UltPrecoCusto FROM Produtos ORDER BY Codigo",
              "SELECT ProdutoAcabado, ProdutoPrima, quantidade FROM Nomenclatura ORDER BY NumRegisto",
              "SELECT Codigo, UltNumero FROM TabTipoMov ORDER BY Codigo", "SELECT UltLote FROM configProd",
              "SELECT COUNT(*) FROM Acessos", "SELECT COUNT(*) FROM TabLotes", "SELECT COUNT(*) FROM LogGeral"}) {
            auto q = empresaDb->query(QString::fromLatin1(sql));
            EXPECT_TRUE(q) << sql;
            while (q && q->next())
                for (int i = 0; i < q->record().count(); ++i)
                    h.addData((q->value(i).toString() + u'|').toUtf8());
        }
        return h.result();
    }

    // The refusal is the program's: Portuguese, short, never the engine's own words.
    void recusado(const QStringList& args, const QString& inicio = {}) {
        const Resposta r = cli(args);
        const QString erro = r.json.value("erro").toString();
        const std::string caso = args.join(' ').left(160).toStdString();
        EXPECT_EQ(r.codigo, 1) << caso << " -> " << r.saida.left(300).toStdString();
        EXPECT_FALSE(erro.isEmpty()) << caso;
        EXPECT_LT(erro.size(), 400) << caso << " quotes too much: " << erro.left(200).toStdString();
        for (const char* cru : {"ERROR", "QPSQL", "QSQLITE", "syntax", "Unable to", "SQL logic", "deadlock",
                                "overflow", "violates", "constraint", "std::"})
            EXPECT_FALSE(erro.contains(QLatin1String(cru), Qt::CaseInsensitive)) << caso << " -> " << erro.toStdString();
        if (!inicio.isEmpty()) {
            EXPECT_TRUE(erro.startsWith(inicio)) << caso << " -> " << erro.toStdString();
        }
        const QByteArray agora = retrato();
        EXPECT_TRUE(agora == m_retrato) << caso << " changed the database";
        m_retrato = agora; // one failure is reported once, not by every case after it
    }

    void SetUp() override {
        EmpresaDemoTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_retrato = retrato();
    }

    QJsonObject movimento() const {
        return QJsonObject{{"Tipo", "EPR"},   {"Numero", "00000007"}, {"Data", ano + "-02-01"}, {"Codigo", "MP001"},
                           {"QuantNormal", 10}, {"Preco", "6.00"},      {"Armazem", "001"},       {"AfectaStk", "E+"},
                           {"Localizacao", "00002"}};
    }
    QJsonObject ordem() const {
        return QJsonObject{{"produto", "PA002"}, {"quantidade", "2"}, {"data", ano + "-03-02"}, {"armazem", "002"},
                           {"linhas", QJsonArray{QJsonObject{{"produto", "MP005"}, {"lote", "CV-0118"}},
                                                 QJsonObject{{"produto", "MP006"}, {"lote", "VA-0931"}}}}};
    }
    QJsonObject nomenclatura() const {
        return QJsonObject{{"produtoAcabado", "PA003"},
                           {"linhas", QJsonArray{QJsonObject{{"produto", "MP001"}, {"quantidade", "2"}, {"armazem", "001"}}}}};
    }

    QByteArray m_retrato;
};

// Values no field of these files may take.
const QList<QJsonValue>& valoresHostis() {
    static const QList<QJsonValue> v = {
        QStringLiteral("'; DROP TABLE MovProduto; --"), QStringLiteral("x' OR '1'='1"), QStringLiteral("/* */ --"),
        QStringLiteral("a\u0000b"), QStringLiteral("linha\u0007"), QString(5000, u'x'), 1e308, -1e308, 1e-5,
        QStringLiteral("-0"), true, QJsonArray{1}, QJsonObject{{"a", 1}}, QStringLiteral("2026-02-30")};
    return v;
}

TEST_P(LinhaComandosHostilTest, MovimentoRecusaOQueOLedgerNaoPodeGuardar) {
    // Every key of the movement that decides what is posted, given each hostile value.
    for (const char* chave : {"Tipo", "Data", "Codigo", "QuantNormal", "Preco", "Armazem", "AfectaStk", "Localizacao"})
        for (const QJsonValue& v : valoresHostis()) {
            QJsonObject o = movimento();
            o[QLatin1String(chave)] = v;
            recusado({"movimento", "lancar", json(o)});
        }
    struct Caso {
        QJsonObject alteracoes;
        QString inicio;
    };
    const std::vector<Caso> casos{
        {{{"Tipo", "XYZ"}}, "Tipo de Movimento Inexistente: XYZ"},
        {{{"AfectaStk", "S+"}}, "O tipo de movimento EPR afecta o stock com E+"},
        {{{"Armazem", "999"}}, "Armazém Inexistente: 999"},
        {{{"Localizacao", "99999"}}, "Localização Inexistente: 99999"},
        {{{"Lote", "L1"}}, "O produto MP001 não tem controlo de lotes."},
        {{{"Codigo", "MP005"}}, "Sem lote definido para o produto MP005!"},
        {{{"QuantNormal", 0}}, "A quantidade deve ser maior que 0"},
        {{{"QuantNormal", -3}}, "A quantidade deve ser maior que 0"},
        {{{"Preco", "-1"}}, "O preço não pode ser negativo."},
        {{{"Ano", "1999"}}, "O ano 1999 não é o da data"},
        {{{"DataValidade", "2026-13-01"}}, "Data inválida na coluna DataValidade"},
        {{{"DataSys", "2026-01-01 00:00:00"}}, "A coluna DataSys é preenchida pelo programa"},
        {{{"Estado", "A"}}, "A coluna Estado é preenchida pelo programa"},
        {{{"PMCusto", "1"}}, "A coluna PMCusto é preenchida pelo programa"},
        {{{"Data", 20260201}}, "Valor inválido na coluna Data"},
        {{{"Numero", QString(9, u'1')}}, "O valor de coluna Numero tem mais de 8 caracteres"},
        {{{"Descricao", QString(51, u'd')}}, "O valor de coluna Descricao tem mais de 50 caracteres"},
        {{{"Armazen", "001"}}, "Coluna desconhecida em MovProduto: Armazen"},
    };
    for (const Caso& c : casos) {
        QJsonObject o = movimento();
        for (auto it = c.alteracoes.begin(); it != c.alteracoes.end(); ++it)
            o[it.key()] = it.value();
        recusado({"movimento", "lancar", json(o)}, c.inicio);
    }
    // Numbers as written in the file: a negative zero and a tiny one are no amounts.
    for (const char* numero : {"-0", "-0.0", "1e-5", "0.00001", "1e400", "-1e19"})
        recusado({"movimento", "lancar",
                  ficheiro(QStringLiteral(R"({"Tipo":"EPR","Numero":"00000007","Data":"%1-02-01","Codigo":"MP001",
                      "QuantNormal":%2,"Preco":"6","Armazem":"001","AfectaStk":"E+"})")
                               .arg(ano, QLatin1String(numero))
                               .toUtf8())});
    // Files that are none: missing, endless, not JSON.
    recusado({"movimento", "lancar", pasta.filePath("nao-existe.json")}, "Não foi possível ler o ficheiro");
    recusado({"movimento", "lancar", "/dev/zero"}, "O ficheiro /dev/zero é demasiado grande");
    recusado({"movimento", "lancar", ficheiro("\x01\x02")});
    // And the valid movement still goes in.
    EXPECT_EQ(cli({"movimento", "lancar", json(movimento())}).codigo, 0);
}

TEST_P(LinhaComandosHostilTest, ProducaoRecusaOrdensEAcertosSemSentido) {
    for (const char* chave : {"produto", "quantidade", "data", "armazem", "NaoMultiplica", "fase", "linhas", "lote",
                              "localizacao", "loteProduto"})
        for (const QJsonValue& v : valoresHostis()) {
            if (v.isBool() && QLatin1String(chave) == QLatin1String("NaoMultiplica"))
                continue; // a real answer there
            QJsonObject o = ordem();
            o[QLatin1String(chave)] = v;
            recusado({"producao", "lancar", json(o)});
        }
    for (const QJsonValue& v : valoresHostis()) {
        QJsonObject o = ordem();
        o["linhas"] = QJsonArray{QJsonObject{{"produto", "MP005"}, {"lote", v}}};
        recusado({"producao", "lancar", json(o)});
        o["linhas"] = QJsonArray{QJsonObject{{"produto", "MP002"}, {"quantidade", v}}};
        recusado({"producao", "lancar", json(o)});
    }
    QJsonObject o = ordem();
    o["localizacao"] = "00005";
    recusado({"producao", "lancar", json(o)}, "O produto PA002 não tem controlo de lotes");
    o = ordem();
    o["Fase"] = "aguarda";
    recusado({"producao", "lancar", json(o)}, "Chave desconhecida em ordem: \"Fase\"");
    // A list whose third order is nonsense posts nothing at all: every order is read first.
    recusado({"producao", "lancar", ficheiro(QJsonDocument(QJsonArray{ordem(), ordem(), QJsonObject{{"produto", 1}}}).toJson())},
             "Valor inválido na chave \"produto\" em ordem 3");

    for (const QJsonValue& v : valoresHostis()) {
        recusado({"producao", "acertos", json(QJsonObject{{"lote", v}, {"acertos", QJsonArray{}}})});
        recusado({"producao", "acertos",
                  json(QJsonObject{{"lote", "1"}, {"acertos", QJsonArray{QJsonObject{{"produto", "MP002"}, {"quantidade", v}}}}})});
    }
    recusado({"producao", "acertos", json(QJsonObject{{"lote", "99"}, {"acertos", QJsonArray{}}})}, "Lote inexistente");
    recusado({"lote", "eliminar", "--lote", "'; DELETE FROM Lotes; --"}, "Lote Inexistente ou em Aberto!");
    recusado({"producao", "folha", "--lote", "x' OR '1'='1", "--pdf", pasta.filePath("f.pdf")});
    EXPECT_FALSE(QFile::exists(pasta.filePath("f.pdf")));
}

TEST_P(LinhaComandosHostilTest, NomenclaturaImportadaSoComLinhasComSentido) {
    struct Caso {
        std::function<void(QJsonObject&)> mudar;
        QString inicio;
    };
    auto linha = [](QJsonObject& o, const char* chave, const QJsonValue& v) {
        QJsonArray l = o["linhas"].toArray();
        QJsonObject x = l[0].toObject();
        if (v.isUndefined())
            x.remove(QLatin1String(chave));
        else
            x[QLatin1String(chave)] = v;
        l[0] = x;
        o["linhas"] = l;
    };
    const std::vector<Caso> casos{
        {[&](QJsonObject& o) { linha(o, "produto", "PA003"); }, "O produto acabado PA003 não pode ser matéria-prima"},
        {[&](QJsonObject& o) { linha(o, "quantidade", "0"); }, "A quantidade da linha 1 deve ser maior que 0."},
        {[&](QJsonObject& o) { linha(o, "quantidade", QJsonValue::Undefined); }, "Falta a chave \"quantidade\" em linha 1."},
        {[&](QJsonObject& o) { linha(o, "armazem", "999"); }, "Armazém inexistente na linha 1: 999"},
        {[&](QJsonObject& o) { o["fixa"] = "sim"; }, "Valor inválido na chave \"fixa\""},
        {[&](QJsonObject& o) { o["ctrlQuantidades"] = 1; }, "Valor inválido na chave \"ctrlQuantidades\""},
        {[&](QJsonObject& o) { o["descricao"] = QString(51, u'd'); }, "O valor de \"descricao\" em cabeçalho tem mais de 50"},
        {[&](QJsonObject& o) { o["linhass"] = QJsonArray{}; }, "Chave desconhecida em cabeçalho: \"linhass\""},
        {[&](QJsonObject& o) { o["linhas"] = "MP001"; }, "Valor inválido na chave \"linhas\""},
        {[&](QJsonObject& o) { o["linhas"] = QJsonArray{}; }, "A nomenclatura não tem linhas."},
    };
    for (const Caso& c : casos) {
        QJsonObject o = nomenclatura();
        c.mudar(o);
        recusado({"nomenclatura", "importar", json(o), "--substituir", "sim"}, c.inicio);
    }
    for (const QJsonValue& v : valoresHostis())
        for (const char* chave : {"produto", "quantidade", "armazem", "precario", "formula"}) {
            QJsonObject o = nomenclatura();
            linha(o, chave, v);
            recusado({"nomenclatura", "importar", json(o), "--substituir", "sim"});
        }
}

TEST_P(LinhaComandosHostilTest, OpcoesSemSentidoEFicheirosDeSaidaQueNaoSaoFicheiros) {
    recusado({"saldo", "--produto", "MP001", "--armazem", "999"}, "Armazém Inexistente: 999");
    recusado({"pmc", "--produto", "MP001", "--armazem", "'; --"}, "Armazém Inexistente");
    recusado({"saldo", "--produto", "x' OR '1'='1"}, "Produto inexistente");
    recusado({"produto", "--codigo", QString(5000, u'9')}, "Produto inexistente");
    // Output that cannot be a whole regular file is refused, and nothing is replaced.
    const QString dir = pasta.path();
    recusado({"nomenclatura", "exportar", "/dev/full", "--produto", "PA001"}, "/dev/full não é um ficheiro normal");
    recusado({"nomenclatura", "exportar", dir, "--produto", "PA001"});
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/full")).exists() && !QFileInfo(QStringLiteral("/dev/full")).isFile());
    // A closed lot for the sheet.
    ASSERT_EQ(cli({"producao", "lancar", json(ordem())}).codigo, 0);
    m_retrato = retrato();
    m_comoPrograma = true;
    recusado({"producao", "folha", "--lote", "1", "--pdf", "/dev/full"}, "/dev/full não é um ficheiro normal");
    recusado({"producao", "folha", "--lote", "1", "--pdf", dir});
    recusado({"producao", "folha", "--lote", "1", "--pdf", pasta.filePath("nao/existe/f.pdf")}, "A pasta de");
    const Resposta bom = cli({"producao", "folha", "--lote", "1", "--pdf", pasta.filePath("f.pdf")});
    EXPECT_EQ(bom.codigo, 0) << bom.saida.toStdString();
    EXPECT_GT(QFileInfo(pasta.filePath("f.pdf")).size(), 1000);
}

TEST_P(LinhaComandosHostilTest, ListaDeOrdensDizOsLotesJaLancadosQuandoParaAMeio) {
    // The second order asks more oak than there is: the first stays posted, and the answer says so.
    QJsonObject demais = ordem();
    demais["quantidade"] = "2000";
    const Resposta r = cli({"producao", "lancar", ficheiro(QJsonDocument(QJsonArray{ordem(), demais, ordem()}).toJson())});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_TRUE(r.json["erro"].toString().startsWith("Ordem 2: ")) << r.saida.toStdString();
    EXPECT_EQ(r.json["lotes"].toArray(), QJsonArray{"0000000001"});
    EXPECT_EQ(empresaDb->scalar("SELECT COUNT(*) FROM Lotes").toInt(), 1);
}

TEST_P(LinhaComandosHostilTest, DemoSemArgumentosEUtilizadorComDireitos) {
    QByteArray saida;
    EXPECT_EQ(executarLinhaComandos(QStringList{"demo", "outra"} + opcoesServidor, &saida), 1);
    EXPECT_TRUE(QJsonDocument::fromJson(saida).object()["erro"].toString().startsWith("Argumento inesperado: outra"))
        << saida.toStdString();
    recusado({"saldo", "--produto", "MP001", "--utilizador", "'; --"}, "Utilizador inexistente");
    // The operator may enter the program but was given no right to the bill window.
    recusado({"nomenclatura", "importar", json(nomenclatura()), "--substituir", "sim", "--utilizador", "02"},
             "Acesso Negado !");
    ASSERT_TRUE(empresaDb->exec("UPDATE Acessos SET value=0 WHERE utilizador='02'"));
    recusado({"saldo", "--produto", "MP001", "--utilizador", "02"}, "Acesso Negado !");
}

LUMO_INSTANCIAR_MOTORES(LinhaComandosHostilTest);

#include "cli/LinhaComandosCli.h"
#include "session/Acessos.h"
#include "support/EmpresaDemoTest.h"
#include "support/Saldos.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>

// The medicoes commands on the demo company: a made-to-measure bookcase (PA003, base 3000 x 1000)
// of pine board that follows the height, sandpaper that follows the width, fixed screws and glue
// (MP005, kept by lot).
class MedicoesCliTest : public EmpresaDemoTest {
protected:
    // Drawing a PDF needs the program's own Qt set-up, so those commands run as a child.
    QJsonObject cli(const QStringList& args, int* codigo) {
        QByteArray saida;
        if (args.contains(QStringLiteral("--pdf"))) {
            *codigo = executarComoPrograma(args, &saida);
        } else {
            *codigo = executarLinhaComandos(argumentosCli(args), &saida);
        }
        return QJsonDocument::fromJson(saida).object();
    }
    // Runs the command; the error text, empty on success.
    QString erro(const QStringList& args, QJsonObject* resposta = nullptr) {
        int codigo = -1;
        const QJsonObject r = cli(args, &codigo);
        if (resposta)
            *resposta = r;
        EXPECT_EQ(codigo == 0, !r.contains("erro")) << args.join(' ').toStdString();
        return codigo == 0 ? QString() : r.value("erro").toString();
    }
    static QJsonObject estante() {
        auto linha = [](const char* produto, const char* q, const char* tipo, const char* medida, const char* armazem) {
            return QJsonObject{{"produto", produto}, {"quantidade", q}, {"tipoMedida", tipo}, {"medida", medida},
                               {"armazemSaida", armazem}};
        };
        return QJsonObject{{"produto", "PA003"}, {"altura", "3000"}, {"largura", "1000"}, {"armazemEntrada", "002"},
                           {"materias", QJsonArray{linha("MP001", "2", "A", "3", "001"), linha("MP012", "1", "L", "1.5", "003"),
                                                   linha("MP008", "20", "F", "2", "001"),
                                                   linha("MP005", "0.25", "F", "1", "001")}}};
    }
    QString gravar(const QJsonObject& t, const QStringList& extra = {}) {
        return erro(QStringList{"medicoes", "gravar", ficheiro(QJsonDocument(t).toJson())} + extra);
    }
    static QStringList lancamento(const char* altura, const char* quantidade, const QString& lote = "MP005=CV-0118") {
        return {"medicoes", "lancar", "--produto", "PA003", "--altura", altura, "--largura", "500",
                "--quantidade", quantidade, "--lote", lote};
    }
    qint64 contar(const QString& sql, const QVariantList& v = {}) { return empresaDb->scalar(sql, v).toLongLong(); }

    // What a refused posting or a refused template must leave as it was.
    QByteArray retrato() {
        QCryptographicHash h(QCryptographicHash::Sha256);
        for (const char* sql :
             {"SELECT Codigo, Tipo, Numero, Armazem, AfectaStk, QuantNormal, Lote, Localizacao FROM MovProduto ORDER BY "
              "NumRegisto",
              "SELECT lote, Produto, custoTotal, Fechado FROM Lotes ORDER BY lote",
              "SELECT Codigo, UltNumero FROM TabTipoMov ORDER BY Codigo", "SELECT UltLote FROM configProd",
              "SELECT Codigo, PrecoMedioCusto, UltPrecoCusto FROM Produtos ORDER BY Codigo",
              "SELECT ProdutoAcabado, ProdutoMPrima, Quantidade, TipoMedida, Medida FROM NomenclaturaMedicoes ORDER BY "
              "NumRegisto",
              "SELECT COUNT(*) FROM LogGeral"}) {
            auto q = empresaDb->query(QString::fromLatin1(sql));
            EXPECT_TRUE(q) << sql;
            while (q && q->next())
                for (int i = 0; i < q->record().count(); ++i)
                    h.addData((q->value(i).toString() + u'|').toUtf8());
        }
        return h.result();
    }
    // Gives the operator 02 the window and its buttons, then takes the one button away.
    void direitos(const QString& form, const QString& botaoSem = {}) {
        for (const JanelaProtegida& j : JanelasProtegidas()) {
            if (j.form != form)
                continue;
            ASSERT_TRUE(GetBotoes(*empresaDb, "02", j, 1));
            for (const BotaoProtegido& b : j.botoes)
                if (b.ctrl == botaoSem) {
                    ASSERT_TRUE(empresaDb->exec("UPDATE Acessos SET value=0 WHERE utilizador='02' AND chave=?",
                                                {ChaveBotao(j.form, j.caption, b.caption)}));
                }
        }
    }
    static bool pdf(const QString& caminho) {
        QFile f(caminho);
        return f.open(QIODevice::ReadOnly) && f.read(5) == "%PDF-" && f.size() > 500;
    }
};

// A posting refused anywhere, including by the stock after some raw materials had already left
// inside its transaction, leaves the ledger, the lots and both counters as they were.
TEST_P(MedicoesCliTest, LancamentoRecusadoNaoDeixaNada) {
    ASSERT_EQ(gravar(estante()), QString());
    const QByteArray antes = retrato();
    const QString pasta = this->pasta.path();
    struct Caso {
        QStringList args;
        const char* inicio;
    };
    const Caso casos[] = {
        // 10 bookcases 10000 high take 199.998 m of the 180 m of board.
        {lancamento("10000", "10"), "Não foi possível lançar o produto MP001!"},
        // 60 take 15 kg of glue from a lot of 12.5: the board and screws before it were already written.
        {lancamento("1000", "60"), "Não foi possível lançar o produto MP005!"},
        {lancamento("1000", "3", "MP005=CV-9999"), "O lote CV-9999 do produto MP005 não tem existência"},
        // The glue is kept FIFO by expiry: CV-0118 goes first.
        {lancamento("1000", "3", "MP005=CV-0207"), "A T E N Ç Ã O !\rEste produto está com o controlo de FIFO"},
        {QStringList{"medicoes", "lancar", "--produto", "PA003", "--altura", "1000", "--largura", "500", "--quantidade", "3"},
         "Falta o lote da matéria-prima MP005"},
        {lancamento("1000", "3") + QStringList{"--pdf", pasta + "/nao-ha/lote.pdf"}, "Não é possível gravar o PDF"},
        {lancamento("1000", "3") + QStringList{"--pdf", pasta}, ""},
        {lancamento("1000", "3") + QStringList{"--armazem", "999"}, "Armazém Inexistente: 999"},
        {lancamento("1000", "0"), "A Quantidade de Produto Acabado tem de ser maior que zero!"},
    };
    for (const Caso& c : casos) {
        const QString e = erro(c.args);
        EXPECT_FALSE(e.isEmpty()) << c.args.join(' ').toStdString();
        EXPECT_TRUE(e.startsWith(QString::fromUtf8(c.inicio))) << e.toStdString();
        EXPECT_TRUE(retrato() == antes) << c.args.join(' ').toStdString() << " wrote something";
    }
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Lotes"), 0);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto WHERE Tipo IN ('SPR','EPR')"), 0);
    EXPECT_EQ(saldoArmazem(*empresaDb, "MP001", "001"), Currency(180));
    EXPECT_EQ(saldoArmazem(*empresaDb, "MP005", "001", "CV-0118"), Currency::fromString("12.5"));
}

// The lot named for a lot-kept raw material reaches its exit row with the location it lies in and
// its own dates; the lot record keeps the height and width; every exit row has the exact quantity.
TEST_P(MedicoesCliTest, LoteDaMateriaPrimaComLocalizacaoEDatas) {
    ASSERT_EQ(gravar(estante()), QString());
    QJsonObject r;
    ASSERT_EQ(erro(lancamento("1000", "3", "MP005=CV-0118") + QStringList{"--pdf", pasta.filePath("lote.pdf")}, &r),
              QString());
    EXPECT_EQ(r.value("lote").toString(), "0000000001");
    EXPECT_TRUE(pdf(pasta.filePath("lote.pdf")));
    const QString tipo = r["saida"].toObject()["tipo"].toString(), numero = r["saida"].toObject()["numero"].toString();
    auto cola = empresaDb->primeiraLinha("SELECT Lote, Localizacao, DataFabrico, DataValidade, QuantNormal FROM MovProduto "
                                         "WHERE Tipo=? AND Numero=? AND Codigo='MP005'",
                                         {tipo, numero});
    ASSERT_TRUE(cola);
    auto doLote = empresaDb->primeiraLinha(
        "SELECT DataFabrico, DataValidade FROM TabLotes WHERE Produto='MP005' AND Codigo='CV-0118'");
    ASSERT_TRUE(doLote);
    EXPECT_EQ(cola->at(0).toString().trimmed(), "CV-0118");
    EXPECT_EQ(cola->at(1).toString().trimmed(), "00003");
    EXPECT_EQ(cola->at(2).toString(), doLote->at(0).toString());
    EXPECT_EQ(cola->at(3).toString(), doLote->at(1).toString());
    EXPECT_EQ(Currency::fromVariant(cola->at(4)), Currency::fromString("0.75"));
    EXPECT_EQ(Currency::fromVariant(empresaDb->scalar(
                  "SELECT QuantNormal FROM MovProduto WHERE Tipo=? AND Numero=? AND Codigo='MP001'", {tipo, numero})),
              Currency::fromString("5.9994"));
    EXPECT_EQ(saldoArmazem(*empresaDb, "MP005", "001", "CV-0118"), Currency::fromString("11.75"));
    EXPECT_EQ(saldoArmazem(*empresaDb, "MP005", "001", "CV-0207"), Currency(20)) << "the other lot";
    auto lote = empresaDb->primeiraLinha("SELECT MedicoesAltura, MedicoesLargura, Fechado FROM Lotes WHERE lote=?",
                                         {QStringLiteral("0000000001")});
    ASSERT_TRUE(lote);
    EXPECT_EQ(Currency::fromVariant(lote->at(0)), Currency(1000));
    EXPECT_EQ(Currency::fromVariant(lote->at(1)), Currency(500));
    EXPECT_EQ(lote->at(2).toInt(), 1);

    // Two lot-kept raw materials, each with its lot, in one --lote: the linseed oil, kept LIFO by
    // manufacture in the workshop (003), gives its newest lot.
    QJsonObject comoda{{"produto", "PA004"}, {"altura", "900"}, {"largura", "800"}, {"armazemEntrada", "002"},
                       {"materias", QJsonArray{QJsonObject{{"produto", "MP005"}, {"quantidade", "0.1"}, {"tipoMedida", "F"},
                                                           {"medida", "1"}, {"armazemSaida", "001"}},
                                               QJsonObject{{"produto", "MP007"}, {"quantidade", "0.2"}, {"tipoMedida", "L"},
                                                           {"medida", "1"}, {"armazemSaida", "003"}}}}};
    ASSERT_EQ(gravar(comoda), QString());
    EXPECT_EQ(erro({"medicoes", "lancar", "--produto", "PA004", "--altura", "900", "--largura", "400", "--produto",
                    "PA003", "--quantidade", "2"}),
              QString("A opção --produto foi dada mais de uma vez."))
        << "only --lote may repeat";
    ASSERT_EQ(erro({"medicoes", "lancar", "--produto", "PA004", "--altura", "900", "--largura", "400", "--quantidade",
                    "2", "--lote", "MP007=OL-2511,MP005=CV-0118"}),
              QString("A T E N Ç Ã O !\rEste produto está com o controlo de LIFO\rTem que seleccionar o Lote com data "
                      "mais Recente"));
    ASSERT_EQ(erro({"medicoes", "lancar", "--produto", "PA004", "--altura", "900", "--largura", "400", "--quantidade",
                    "2", "--lote", "MP007=OL-2512", "--lote", "MP005=CV-0118"},
                   &r),
              QString());
    EXPECT_EQ(r.value("lote").toString(), "0000000002");
    EXPECT_EQ(saldoArmazem(*empresaDb, "MP005", "001", "CV-0118"), Currency::fromString("11.55"));
    EXPECT_EQ(saldoArmazem(*empresaDb, "MP007", "003", "OL-2512"), Currency::fromString("4.3")) << "4.5 - 2 × 0.2 × 0.5";
    EXPECT_EQ(saldoArmazem(*empresaDb, "MP007", "003", "OL-2511"), Currency(6));

    ASSERT_EQ(erro({"medicoes", "folha", "--lote", "2", "--pdf", pasta.filePath("folha.pdf")}, &r), QString());
    EXPECT_EQ(r.value("linhas").toInt(), 2);
    EXPECT_TRUE(pdf(pasta.filePath("folha.pdf")));
}

// Saving asks for "Adicionar" when the product has no template and for "Alterar" when one is
// replaced; posting asks for "Integrar", calculating for "Calcular" alone.
TEST_P(MedicoesCliTest, DireitosDoBotaoDaAccao) {
    const QStringList op{"--utilizador", "02"};
    direitos("frmMedicoesTemplate", "cmdAlterar");
    ASSERT_EQ(gravar(estante(), op), QString()) << "a new template";
    const QByteArray gravado = retrato();
    QJsonObject outra = estante();
    outra["largura"] = "1200";
    EXPECT_EQ(gravar(outra, QStringList{"--substituir", "sim"} + op), "Acesso Negado !");
    EXPECT_TRUE(retrato() == gravado);
    outra["produto"] = "PA004";
    EXPECT_EQ(gravar(outra, QStringList{"--substituir", "sim"} + op), QString()) << "no template yet: a new one";
    EXPECT_EQ(contar("SELECT COUNT(*) FROM NomenclaturaMedicoes WHERE ProdutoAcabado='PA004'"), 4);

    direitos("frmMedicoesCalculos", "cmdIntegrar");
    EXPECT_EQ(erro(QStringList{"medicoes", "calcular", "--produto", "PA003", "--altura", "1000", "--largura", "500",
                               "--quantidade", "3"} +
                   op),
              QString());
    EXPECT_EQ(erro(lancamento("1000", "3") + op), "Acesso Negado !");
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Lotes"), 0);
    ASSERT_TRUE(empresaDb->exec("UPDATE Acessos SET value=1 WHERE utilizador='02'"));
    EXPECT_EQ(erro(lancamento("1000", "3") + QStringList{"--armazem", "001"} + op), QString());
    EXPECT_EQ(saldoArmazem(*empresaDb, "PA003", "001"), Currency(3));
}

LUMO_INSTANCIAR_MOTORES(MedicoesCliTest);

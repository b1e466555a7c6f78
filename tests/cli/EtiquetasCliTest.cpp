#include "cli/LinhaComandosCli.h"
#include "printing/Etiquetas.h"
#include "session/Acessos.h"
#include "support/EmpresaDemoTest.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

// The etiquetas commands on the demo company, whose sheets "A4-3X8" (3 x 8, EAN-13 of each
// product) and "QR-LOTE" (2 x 5, the row's dynamic code as a QR Code) come with it.
class EtiquetasCliTest : public EmpresaDemoTest {
protected:
    // Drawing needs the program's own Qt set-up: a print runs as a child. Refusals before any
    // drawing may run in this process.
    QJsonObject cli(const QStringList& args, int* codigo, bool filho) {
        QByteArray saida;
        if (filho) {
            *codigo = executarComoPrograma(args, &saida);
        } else {
            *codigo = executarLinhaComandos(argumentosCli(args), &saida);
        }
        return QJsonDocument::fromJson(saida).object();
    }
    // The error text, empty on success.
    QString erro(const QStringList& args, QJsonObject* resposta = nullptr, bool filho = false) {
        int codigo = -1;
        const QJsonObject r = cli(args, &codigo, filho);
        if (resposta)
            *resposta = r;
        EXPECT_EQ(codigo == 0, !r.contains("erro")) << args.join(' ').toStdString();
        return codigo == 0 ? QString() : r.value("erro").toString();
    }
    QString lista(const QJsonArray& linhas) { return ficheiro(QJsonDocument(QJsonObject{{"linhas", linhas}}).toJson()); }
    QStringList imprimir(const QString& lista, const char* etiqueta, const QString& pdf) {
        return {"etiquetas", "imprimir", lista, "--etiqueta", QString::fromLatin1(etiqueta), "--pdf", pdf};
    }
    static bool pdfEscrito(const QString& caminho) {
        QFile f(caminho);
        return f.open(QIODevice::ReadOnly) && f.read(5) == "%PDF-" && f.size() > 500;
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
};

TEST_P(EtiquetasCliTest, ImprimeAsLinhasMarcadasParaPdf) {
    const QString linhas = lista(QJsonArray{
        QJsonObject{{"produto", "PA001"}, {"quantidade", 5}, {"lote", "L-01"}, {"precoLote", "12.5"}},
        QJsonObject{{"produto", "PA002"}, {"quantidade", "3"}},
        QJsonObject{{"produto", "PA003"}, {"quantidade", 7}, {"marcada", false}}});
    const QString pdf = pasta.filePath("precos.pdf");
    QJsonObject r;
    // From the second column of the last row: two places on the first sheet, six on the second.
    ASSERT_EQ(erro(imprimir(linhas, "A4-3X8", pdf) + QStringList{"--coluna", "2", "--linha", "8", "--iva", "sim"}, &r,
                   true),
              QString());
    EXPECT_EQ(r.value("pdf").toString(), pdf);
    EXPECT_EQ(r.value("etiquetas").toInt(), 8) << "the unticked seven are not printed";
    EXPECT_EQ(r.value("paginas").toInt(), 2);
    EXPECT_EQ(r.value("avisos").toArray(), QJsonArray()) << "every demo product has a valid EAN-13";
    EXPECT_TRUE(pdfEscrito(pdf));

    // The QR sheet names the row that has no dynamic code, once, and prints the rest.
    const QString lotes = lista(QJsonArray{
        QJsonObject{{"produto", "PA001"}, {"quantidade", 2}, {"lote", "L-01"}, {"codigoDinamico", "PA001|L-01"}},
        QJsonObject{{"produto", "PA002"}, {"quantidade", 3}, {"lote", "L-02"}}});
    const QString pdfLotes = pasta.filePath("lotes.pdf");
    ASSERT_EQ(erro(imprimir(lotes, "QR-LOTE", pdfLotes), &r, true), QString());
    EXPECT_EQ(r.value("etiquetas").toInt(), 5);
    EXPECT_EQ(r.value("paginas").toInt(), 1);
    const QJsonArray avisos = r.value("avisos").toArray();
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_EQ(avisos[0].toObject().value("produto").toString(), "PA002");
    EXPECT_EQ(avisos[0].toObject().value("campo").toString(), QStringLiteral("Código de Barras - Dinâmico"));
    EXPECT_FALSE(avisos[0].toObject().value("erro").toString().isEmpty());
    EXPECT_TRUE(pdfEscrito(pdfLotes));
}

TEST_P(EtiquetasCliTest, EtiquetaInexistenteOuNaoDeProdutos) {
    ASSERT_GT(empresaDb->insert("etiquetas", Registo()("Codigo", "MORADAS")("Descricao", "Moradas de clientes")(
                                                 "NumEtiqHoriz", 2)("NumEtiqVert", 7)("AlturaEtiq", 38)(
                                                 "LarguraEtiq", 99)("campos", "1;Arial;9;0;0;;[Descricao];;0;0/")(
                                                 "FicheiroBase", "C")),
              0);
    const QString linhas = lista(QJsonArray{QJsonObject{{"produto", "PA001"}, {"quantidade", 1}}});
    const QString pdf = pasta.filePath("nada.pdf");
    for (const char* etiqueta : {"NAOHA", "MORADAS"}) {
        EXPECT_EQ(erro(imprimir(linhas, etiqueta, pdf)), QStringLiteral("Etiqueta Inexistente")) << etiqueta;
        EXPECT_EQ(erro({"etiquetas", "exportar", pasta.filePath("x.json"), "--etiqueta", etiqueta}),
                  QStringLiteral("Etiqueta Inexistente"))
            << etiqueta;
    }
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_FALSE(QFileInfo::exists(pasta.filePath("x.json")));
}

TEST_P(EtiquetasCliTest, ExportarImportarIdaEVolta) {
    const QString exportado = pasta.filePath("a4.json");
    QJsonObject r;
    ASSERT_EQ(erro({"etiquetas", "exportar", exportado, "--etiqueta", "A4-3X8"}, &r), QString());
    EXPECT_EQ(r.value("etiqueta").toString(), "A4-3X8");
    QFile f(exportado);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
    f.close();
    const auto original = LerDefinicaoEtiqueta(*empresaDb, "A4-3X8");
    ASSERT_TRUE(original && *original);
    EXPECT_EQ(o, DefinicaoEtiquetaParaJson(**original)) << "one object, every column";
    EXPECT_EQ(o.value("NumEtiqHoriz").toInt(), 3);
    EXPECT_TRUE(o.value("campos").toString().contains(QStringLiteral("Preço: [PrecoVenda1] €")));

    // Imported under another code: the same definition.
    o.insert("Codigo", "COPIA");
    const QString copia = ficheiro(QJsonDocument(o).toJson());
    ASSERT_EQ(erro({"etiquetas", "importar", copia}, &r), QString());
    EXPECT_EQ(r.value("etiqueta").toString(), "COPIA");
    EXPECT_FALSE(r.value("substituida").toBool());
    const auto lida = LerDefinicaoEtiqueta(*empresaDb, "COPIA");
    ASSERT_TRUE(lida && *lida);
    DefinicaoEtiqueta esperada = **original;
    esperada.codigo = QStringLiteral("COPIA");
    EXPECT_EQ(DefinicaoEtiquetaParaJson(**lida), DefinicaoEtiquetaParaJson(esperada));

    // An existing code is replaced only when asked.
    o.insert("NumEtiqVert", 7);
    const QString alterada = ficheiro(QJsonDocument(o).toJson());
    EXPECT_EQ(erro({"etiquetas", "importar", alterada}),
              QStringLiteral("A etiqueta COPIA já existe: use --substituir sim para a substituir."));
    EXPECT_EQ(empresaDb->scalar("SELECT NumEtiqVert FROM etiquetas WHERE Codigo='COPIA'").toInt(), 8);
    EXPECT_EQ(erro({"etiquetas", "importar", alterada, "--substituir", "talvez"}),
              QStringLiteral("--substituir aceita \"sim\" ou \"não\" (lido: talvez)."));
    ASSERT_EQ(erro({"etiquetas", "importar", alterada, "--substituir", "sim"}, &r), QString());
    EXPECT_TRUE(r.value("substituida").toBool());
    EXPECT_EQ(empresaDb->scalar("SELECT NumEtiqVert FROM etiquetas WHERE Codigo='COPIA'").toInt(), 7);
    EXPECT_EQ(empresaDb->scalar("SELECT COUNT(*) FROM etiquetas WHERE Codigo='COPIA'").toInt(), 1);

    // A file that is not a definition saves nothing.
    o.insert("Codigo", "MAIS");
    o.insert("Altura", 3);
    EXPECT_TRUE(erro({"etiquetas", "importar", ficheiro(QJsonDocument(o).toJson())})
                    .startsWith(QStringLiteral("Chave desconhecida na definição da etiqueta: \"Altura\"")));
    o.remove("Altura");
    o.insert("NumEtiqHoriz", "3");
    EXPECT_TRUE(erro({"etiquetas", "importar", ficheiro(QJsonDocument(o).toJson())}).contains("NumEtiqHoriz"));
    o.insert("NumEtiqHoriz", 40);
    EXPECT_EQ(erro({"etiquetas", "importar", ficheiro(QJsonDocument(o).toJson())}),
              QStringLiteral("A definição da etiqueta não cabe no papel!"));
    EXPECT_EQ(erro({"etiquetas", "importar", ficheiro("[1, 2]")}),
              QStringLiteral("O ficheiro deve conter uma definição de etiqueta (um objecto JSON)."));
    EXPECT_FALSE(empresaDb->primeiraLinha("SELECT Codigo FROM etiquetas WHERE Codigo='MAIS'"));
}

TEST_P(EtiquetasCliTest, ListaLidaEstritamente) {
    const QString pdf = pasta.filePath("recusado.pdf");
    struct Caso {
        QByteArray lista;
        const char* erro;
    };
    const Caso casos[] = {
        {R"({"linhas": [{"produto": "PA001", "quantidade": 1, "preco": 2}]})",
         "Chave desconhecida em linha 1: \"preco\" (aceites: produto, quantidade, lote, precoLote, codigoDinamico, "
         "marcada, estacao, sexo, referencia, modelo, cor, tamanho, comprimento)."},
        {R"({"linhas": [], "etiqueta": "A4-3X8"})", "Chave desconhecida em lista de etiquetas: \"etiqueta\""},
        {R"({"produtos": []})", "Chave desconhecida em lista de etiquetas: \"produtos\""},
        {R"({})", "Falta a chave \"linhas\" em lista de etiquetas."},
        {R"({"linhas": [{"quantidade": 1}]})", "Falta a chave \"produto\" em linha 1."},
        {R"({"linhas": [{"produto": "PA001"}]})", "Falta a chave \"quantidade\" em linha 1."},
        {R"({"linhas": [{"produto": "PA001", "quantidade": 0}]})",
         "Valor inválido na chave \"quantidade\" em linha 1: deve ser um número inteiro de 1 a 10000 (lido: 0)."},
        {R"({"linhas": [{"produto": "PA001", "quantidade": 1}, {"produto": "PA002", "quantidade": 1.5}]})",
         "Valor inválido na chave \"quantidade\" em linha 2: deve ser um número inteiro de 1 a 10000 (lido: 1.5)."},
        {R"({"linhas": [{"produto": "PA001", "quantidade": 10001}]})",
         "Valor inválido na chave \"quantidade\" em linha 1: deve ser um número inteiro de 1 a 10000 (lido: 10001)."},
        {R"({"linhas": [{"produto": "PA001", "quantidade": true}]})", "Valor inválido na chave \"quantidade\" em linha 1"},
        {R"({"linhas": [{"produto": "PA001", "quantidade": 1, "marcada": "sim"}]})",
         "Valor inválido na chave \"marcada\" em linha 1"},
        {R"({"linhas": [{"produto": 1, "quantidade": 1}]})", "Valor inválido na chave \"produto\" em linha 1"},
        {R"({"linhas": [{"produto": "PA001", "quantidade": 1, "precoLote": "-2"}]})",
         "Valor inválido na chave \"precoLote\" em linha 1: não pode ser negativo."},
        {R"({"linhas": [{"produto": "PA001", "quantidade": 1, "estacao": "X"}]})",
         "Estação Inexistente: X (chave \"estacao\" em linha 1)."},
        {R"({"linhas": [{"produto": "PA001", "quantidade": 1, "sexo": "MF"}]})",
         "O valor de \"sexo\" em linha 1 tem mais de 1 caracteres: MF"},
        {R"({"linhas": [{"produto": "PA999", "quantidade": 1}]})", "Produto inexistente: PA999 (linha 1)."},
        {R"({"linhas": [{"produto": "PA001", "quantidade": 1, "marcada": false}]})",
         "Não seleccionou nenhum produto para imprimir!"},
        {R"({"linhas": [1]})",
         "Valor inválido na chave \"linhas\" em lista de etiquetas: deve ser uma lista de objectos."},
    };
    for (const Caso& c : casos) {
        const QString e = erro(imprimir(ficheiro(c.lista), "A4-3X8", pdf));
        EXPECT_TRUE(e.startsWith(QString::fromUtf8(c.erro))) << c.lista.toStdString() << " -> " << e.toStdString();
    }
    const QString linhas = lista(QJsonArray{QJsonObject{{"produto", "PA001"}, {"quantidade", 1}}});
    struct Opcao {
        QStringList extra;
        const char* erro;
    };
    const Opcao opcoes[] = {
        {{"--coluna", "0"}, "Valor inválido em --coluna: 0"},
        {{"--coluna", "4"}, "A coluna inicial tem de estar entre 1 e 3!"},
        {{"--linha", "9"}, "A linha inicial tem de estar entre 1 e 8!"},
        {{"--linha", "1.5"}, "Valor inválido em --linha: 1.5"},
        {{"--iva", "talvez"}, "--iva aceita \"sim\" ou \"não\""},
        {{"--caixa", "1"}, "--caixa aceita \"sim\" ou \"não\""},
        {{"--cambio", "XYZ"}, "Câmbio Inexistente: XYZ"},
        {{"--substituir", "sim"}, "A opção --substituir não serve com \"etiquetas imprimir\"."},
    };
    for (const Opcao& o : opcoes) {
        const QString e = erro(imprimir(linhas, "A4-3X8", pdf) + o.extra);
        EXPECT_TRUE(e.startsWith(QString::fromUtf8(o.erro))) << o.extra.join(' ').toStdString() << " -> " << e.toStdString();
    }
    EXPECT_TRUE(erro({"etiquetas", "imprimir", linhas, "--etiqueta", "A4-3X8"}).startsWith("Falta o ficheiro PDF"));
    EXPECT_TRUE(erro({"etiquetas", "apagar", linhas}).startsWith("Uso: etiquetas"));
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST_P(EtiquetasCliTest, DireitosDasJanelas) {
    const QString linhas = lista(QJsonArray{QJsonObject{{"produto", "PA001"}, {"quantidade", 1}}});
    const QString pdf = pasta.filePath("operador.pdf");
    const QStringList operador{"--utilizador", "02"};
    EXPECT_EQ(erro(imprimir(linhas, "A4-3X8", pdf) + operador), QStringLiteral("Acesso Negado !"));
    EXPECT_EQ(erro(QStringList{"etiquetas", "exportar", pasta.filePath("e.json"), "--etiqueta", "A4-3X8"} + operador),
              QStringLiteral("Acesso Negado !"));

    // The print form without its print button is still no print.
    direitos("frmImpCodBar", "cmdImprimir");
    EXPECT_EQ(erro(imprimir(linhas, "A4-3X8", pdf) + operador), QStringLiteral("Acesso Negado !"));
    direitos("frmEtiquetas", "cmdGravar");
    EXPECT_EQ(erro(QStringList{"etiquetas", "importar", pasta.filePath("e.json")} + operador),
              QStringLiteral("Acesso Negado !"));
    EXPECT_FALSE(QFileInfo::exists(pdf));

    ASSERT_TRUE(empresaDb->exec("UPDATE Acessos SET value=1 WHERE utilizador='02'"));
    QJsonObject r;
    ASSERT_EQ(erro(imprimir(linhas, "A4-3X8", pdf) + operador, &r, true), QString());
    EXPECT_EQ(r.value("etiquetas").toInt(), 1);
    EXPECT_TRUE(pdfEscrito(pdf));
}

LUMO_INSTANCIAR_MOTORES(EtiquetasCliTest);

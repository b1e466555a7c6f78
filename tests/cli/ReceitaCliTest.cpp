#include "cli/LinhaComandosCli.h"
#include "production/ReceitaInstantanea.h"
#include "support/EmpresaDemoTest.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// Instant recipes through the command line: the file goes through the recipe window's checks.
class ReceitaCliTest : public EmpresaDemoTest {
protected:
    int cli(QStringList args, QJsonObject* json = nullptr) {
        QByteArray saida;
        const int r = executarLinhaComandos(argumentosCli(args), &saida);
        if (json)
            *json = QJsonDocument::fromJson(saida).object();
        return r;
    }
    void escrever(const QString& f, const QJsonObject& o) {
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QJsonDocument(o).toJson());
    }
    static QJsonObject linha(const char* produto, const char* quantidade, const char* precario = nullptr,
                             const char* valor = nullptr) {
        QJsonObject l{{"produto", produto}, {"armazem", "001"}, {"quantidade", quantidade}};
        if (precario)
            l["precario"] = precario;
        if (valor)
            l["valor"] = valor;
        return l;
    }
    QJsonObject receita() {
        return QJsonObject{
            {"codigo", "TAMPOS"},
            {"descricao", "Tampos de pinho"},
            {"fluxo", "B"},
            {"materias", QJsonArray{linha("MP001", "12.5"), linha("MP005", "0.25", "UltPrecoCompra")}},
            {"acabados", QJsonArray{linha("PA001", "2", "PercCusto", "60"), linha("PA002", "1", "percCusto", "40")}}};
    }
    int linhasGravadas() {
        return empresaDb->scalar("SELECT COUNT(*) FROM NomenclaturaInstantanea WHERE Codigo='TAMPOS'").toInt();
    }
};

TEST_P(ReceitaCliTest, ImportaExportaESubstituiSoQuandoPedido) {
    const QString f = pasta.filePath("receita.json");
    escrever(f, receita());
    QJsonObject r;
    ASSERT_EQ(cli({"receita", "importar", f}, &r), 0) << r["erro"].toString().toStdString();
    EXPECT_EQ(r["materias"].toInt(), 2);
    EXPECT_EQ(r["acabados"].toInt(), 2);
    EXPECT_EQ(linhasGravadas(), 4);

    const QString saida = pasta.filePath("exportada.json");
    ASSERT_EQ(cli({"receita", "exportar", saida, "--codigo", "tampos"}, &r), 0) << r["erro"].toString().toStdString();
    QFile file(saida);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject o = QJsonDocument::fromJson(file.readAll()).object();
    EXPECT_EQ(o["fluxo"].toString(), "B");
    EXPECT_EQ(o["materias"].toArray()[0].toObject()["quantidade"].toString(), "12.5000");
    EXPECT_EQ(o["materias"].toArray()[0].toObject()["precario"].toString(), "PrecoMedioCusto");
    EXPECT_EQ(o["acabados"].toArray()[1].toObject()["precario"].toString(), "PercCusto");
    EXPECT_EQ(o["acabados"].toArray()[1].toObject()["valor"].toString(), "40.0000");

    // The same code again: the window's own refusal, unless replacing.
    EXPECT_EQ(cli({"receita", "importar", f}, &r), 1);
    EXPECT_EQ(r["erro"].toString().toStdString(), " A T E N Ç Ã O !    Registo já existente.");
    QJsonObject menor = receita();
    menor["materias"] = QJsonArray{linha("MP002", "3")};
    escrever(f, menor);
    ASSERT_EQ(cli({"receita", "importar", f, "--substituir", "sim"}, &r), 0) << r["erro"].toString().toStdString();
    EXPECT_TRUE(r["substituida"].toBool());
    EXPECT_EQ(linhasGravadas(), 3);
}

TEST_P(ReceitaCliTest, LinhasRecusadasComAMensagemDaJanelaENadaGravado) {
    const QString f = pasta.filePath("receita.json");
    struct Caso {
        QJsonObject (*mudar)(QJsonObject);
        const char* erro;
    };
    const std::vector<Caso> casos{
        {[](QJsonObject o) {
             o["materias"] = QJsonArray{linha("MP001", "1"), linha("MP001", "2")};
             return o;
         },
         "matéria-prima 2: Este produto já existe nesta nomenclatura!\r\nNão pode repetir."},
        {[](QJsonObject o) {
             o["materias"] = QJsonArray{linha("MP001", "0")};
             return o;
         },
         "matéria-prima 1: Não definiu a Quantidade!"},
        {[](QJsonObject o) {
             o["materias"] = QJsonArray{linha("MP001", "1", "PercCusto", "10")};
             return o;
         },
         "matéria-prima 1: preçário inválido"},
        {[](QJsonObject o) {
             o["acabados"] = QJsonArray{};
             return o;
         },
         "Não definiu o(s) produto(s) acabado(s)!"},
        {[](QJsonObject o) {
             o["fluxo"] = "Z";
             return o;
         },
         "Fluxo inválido"},
        {[](QJsonObject o) {
             o["extra"] = 1;
             return o;
         },
         "Chave desconhecida"},
    };
    for (const Caso& c : casos) {
        escrever(f, c.mudar(receita()));
        QJsonObject r;
        EXPECT_EQ(cli({"receita", "importar", f}, &r), 1) << c.erro;
        EXPECT_TRUE(r["erro"].toString().startsWith(QString::fromUtf8(c.erro))) << r["erro"].toString().toStdString();
        EXPECT_EQ(linhasGravadas(), 0);
    }
}

LUMO_INSTANCIAR_MOTORES(ReceitaCliTest);

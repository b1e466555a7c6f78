#include "production/NomenclaturaDados.h"
#include "db/AdminServidor.h"
#include "company/EmpresaDemo.h"
#include "company/Empresas.h"
#include "cli/LinhaComandosCli.h"
#include "support/EmpresaDemoTest.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>

// Export and import of bills of materials through the command line, on a demo company.
class NomenclaturaCliTest : public EmpresaDemoTest {
protected:
    int cli(QStringList args, QJsonObject* json = nullptr) {
        args = argumentosCli(args);
        QByteArray saida;
        const int r = executarLinhaComandos(args, &saida);
        if (json)
            *json = QJsonDocument::fromJson(saida).object();
        return r;
    }
    QJsonObject ler(const QString& f) {
        QFile file(f);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QJsonDocument::fromJson(file.readAll()).object();
    }
    std::vector<LinhaNomenclatura> nomenclatura(const QString& produtoAcabado) {
        const auto linhas = LerNomenclatura(*empresaDb, produtoAcabado);
        EXPECT_TRUE(linhas) << linhas.mensagem().toStdString();
        return linhas.valorOu({});
    }
    void escrever(const QString& f, const QJsonObject& o) {
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QJsonDocument(o).toJson());
    }

};

TEST_P(NomenclaturaCliTest, ExportaEImportaNoutroProdutoComValidacao) {
    const QString f = pasta.filePath("pa001.json");
    QJsonObject r;
    ASSERT_EQ(cli({"nomenclatura", "exportar", f, "--produto", "PA001"}, &r), 0) << r["erro"].toString().toStdString();
    const auto origem = nomenclatura("PA001");
    ASSERT_FALSE(origem.empty());
    QJsonObject o = ler(f);
    EXPECT_EQ(o["linhas"].toArray().size(), qsizetype(origem.size()));
    EXPECT_EQ(o["linhas"].toArray()[0].toObject()["quantidade"].toString(), origem[0].quantidade.toString());

    // Into a product without a bill: every line arrives with its exact quantity.
    ASSERT_TRUE(empresaDb->exec("DELETE FROM Nomenclatura WHERE ProdutoAcabado='PA004'"));
    o["produtoAcabado"] = "PA004";
    o["descricao"] = "";
    escrever(f, o);
    ASSERT_EQ(cli({"nomenclatura", "importar", f}, &r), 0) << r["erro"].toString().toStdString();
    auto copia = nomenclatura("PA004");
    ASSERT_EQ(copia.size(), origem.size());
    for (size_t i = 0; i < copia.size(); ++i) {
        EXPECT_EQ(copia[i].produtoPrima, origem[i].produtoPrima);
        EXPECT_EQ(copia[i].quantidade, origem[i].quantidade);
        EXPECT_EQ(copia[i].armazem, origem[i].armazem);
    }
    EXPECT_EQ(copia[0].descProdutoAcabado, "Cómoda de 3 gavetas lacada");

    // Again: refused unless replacing; a replace with one line leaves one line.
    EXPECT_EQ(cli({"nomenclatura", "importar", f}, &r), 1);
    EXPECT_TRUE(r["erro"].toString().contains("--substituir"));
    QJsonArray uma;
    QJsonObject l = o["linhas"].toArray()[0].toObject();
    l["quantidade"] = "2.125";
    uma.append(l);
    o["linhas"] = uma;
    escrever(f, o);
    ASSERT_EQ(cli({"nomenclatura", "importar", f, "--substituir", "sim"}, &r), 0) << r["erro"].toString().toStdString();
    copia = nomenclatura("PA004");
    ASSERT_EQ(copia.size(), 1u);
    EXPECT_EQ(copia[0].quantidade, Currency::fromString("2.125"));

    // A line naming an unknown product or warehouse writes nothing.
    QJsonObject m = l;
    m["produto"] = "NAOEXISTE";
    uma.append(m);
    o["linhas"] = uma;
    escrever(f, o);
    EXPECT_EQ(cli({"nomenclatura", "importar", f, "--substituir", "sim"}, &r), 1);
    EXPECT_TRUE(r["erro"].toString().contains("NAOEXISTE"));
    uma.removeLast();
    m = l;
    m["produto"] = "MP001";
    m["armazem"] = "ZZZ";
    uma.append(m);
    o["linhas"] = uma;
    escrever(f, o);
    EXPECT_EQ(cli({"nomenclatura", "importar", f, "--substituir", "sim"}, &r), 1);
    EXPECT_EQ(nomenclatura("PA004").size(), 1u);
    EXPECT_EQ(cli({"nomenclatura", "exportar", f, "--produto", "MP001"}, &r), 1) << "no bill";
}

LUMO_INSTANCIAR_MOTORES(NomenclaturaCliTest);

#include "cli/LinhaComandosCli.h"
#include "company/ArquivoDocumentos.h"
#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "db/AdminServidor.h"
#include "support/EmpresaDemoTest.h"
#include "support/SemFalha.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// "documentos anexar|listar|extrair" on the demo company of each engine: the numbers a filed file
// gets, the filters of the list, the bytes written back out, and the refusals that file nothing.
class DocumentosCliTest : public EmpresaDemoTest {
protected:
    void TearDown() override {
        if (!empresa.isEmpty())
            (void)AdminServidor::apagarBaseDados(servidor, nomeArquivoDocumentos(empresa));
        EmpresaDemoTest::TearDown();
    }

    // The command's answer (a list comes back as {"lista": [...]}) and its exit code.
    QJsonObject cli(const QStringList& args, int* codigo) {
        QByteArray saida;
        *codigo = executarLinhaComandos(argumentosCli(args), &saida);
        const QJsonDocument d = QJsonDocument::fromJson(saida);
        return d.isArray() ? QJsonObject{{"lista", d.array()}} : d.object();
    }
    QJsonObject aceite(const QStringList& args) {
        int codigo = -1;
        const QJsonObject r = cli(args, &codigo);
        EXPECT_EQ(codigo, 0) << args.join(u' ').toStdString() << ": " << r.value("erro").toString().toStdString();
        return r;
    }
    QString recusa(const QStringList& args) {
        int codigo = -1;
        const QJsonObject r = cli(args, &codigo);
        EXPECT_EQ(codigo, 1) << args.join(u' ').toStdString();
        return r.value("erro").toString();
    }
    QString gravar(const QString& nome, const QByteArray& conteudo) {
        QFile f(pasta.filePath(nome));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(conteudo);
        return f.fileName();
    }
    QByteArray ler(const QString& caminho) {
        QFile f(caminho);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<não existe>");
    }
    std::shared_ptr<Database> arquivo() {
        ConnectionParams p = servidor;
        p.baseDados = nomeArquivoDocumentos(empresa);
        auto a = Database::open(p);
        EXPECT_TRUE(semFalha(a));
        return a.valorOu(nullptr);
    }
    // The NumeroMov of each document of a list answer.
    static QList<qint64> numeros(const QJsonObject& lista) {
        QList<qint64> r;
        for (const QJsonValue& d : lista.value("lista").toArray())
            r << d.toObject().value("NumeroMov").toInteger();
        return r;
    }
};

TEST_P(DocumentosCliTest, AnexarListarComFiltrosEExtrairOsMesmosBytes) {
    // Every byte value, NULs and invalid UTF-8 included, as a scanned document may hold.
    QByteArray binario;
    for (int i = 0; i < 3 * 256; ++i)
        binario.append(char(i % 256));
    const QString folha = gravar("folha de obra.pdf", binario);
    const QString guia = gravar("guia.txt", QByteArray("Guia de remessa nº 12\r\n"));
    const QString foto = gravar("foto.jpg", QByteArray("\xff\xd8\xff\xe0\x00\x10JFIF\x00", 11));

    QJsonObject r = aceite({"documentos", "anexar", folha, "--chave", "PP000123", "--assunto", "Folha de obra",
                            "--tipo", "PP", "--numero", "000123"});
    EXPECT_EQ(r.value("NumeroMov").toInteger(), 1);
    const qint64 regFolha = r.value("NumRegisto").toInteger();
    EXPECT_GT(regFolha, 0);
    // Without a type, the module comes from the key.
    r = aceite({"documentos", "anexar", guia, "--chave", "ST" + ano + "03", "--assunto", "Guia"});
    EXPECT_EQ(r.value("NumeroMov").toInteger(), 2);
    r = aceite({"documentos", "anexar", foto, "--chave", "PP000123", "--assunto", "Fotografia da obra"});
    EXPECT_EQ(r.value("NumeroMov").toInteger(), 3);
    r = aceite({"documentos", "anexar", guia, "--chave", "PP000124", "--assunto", "Guia da obra", "--tipo", "PP"});
    EXPECT_EQ(r.value("NumeroMov").toInteger(), 4);

    // One row per document and one per file, the bytes as they were on disk.
    auto arq = arquivo();
    ASSERT_TRUE(arq);
    EXPECT_EQ(arq->scalar("SELECT COUNT(*) FROM HistDocBin").toInt(), 4);
    EXPECT_EQ(arq->scalar("SELECT COUNT(*) FROM HistDocBinDocs").toInt(), 4);
    EXPECT_EQ(arq->scalar("SELECT Doc FROM HistDocBinDocs WHERE NumeroMov=1").toByteArray(), binario);
    EXPECT_EQ(arq->scalar("SELECT Chave FROM HistDocBinDocs WHERE NumeroMov=1").toString(), "PP000123");
    EXPECT_EQ(arq->scalar("SELECT Utilizador FROM HistDocBin WHERE NumeroMov=1").toString(), "01");
    arq->close();

    // Everything, by key, by type, by both; an unknown key lists nothing.
    r = aceite({"documentos", "listar"});
    EXPECT_EQ(numeros(r), (QList<qint64>{1, 2, 3, 4}));
    const QJsonObject primeiro = r.value("lista").toArray().at(0).toObject();
    EXPECT_EQ(primeiro.value("NumRegisto").toInteger(), regFolha);
    EXPECT_EQ(primeiro.value("Chave").toString(), "PP000123");
    EXPECT_EQ(primeiro.value("Assunto").toString(), "Folha de obra");
    EXPECT_EQ(primeiro.value("Doc_Tipo").toString(), "PP");
    EXPECT_EQ(primeiro.value("Doc_Numero").toString(), "000123");
    EXPECT_EQ(primeiro.value("Doc_Data").toString(), QDate::currentDate().toString(Qt::ISODate));
    const QJsonArray ficheiros = primeiro.value("ficheiros").toArray();
    ASSERT_EQ(ficheiros.size(), 1);
    EXPECT_EQ(ficheiros.at(0).toObject().value("FilePath").toString(), folha);
    EXPECT_FALSE(ficheiros.at(0).toObject().contains("Doc")) << "the list carries no bytes";
    const QJsonObject segundo = r.value("lista").toArray().at(1).toObject();
    EXPECT_EQ(segundo.value("Arq_Modulo").toString(), "ST");
    EXPECT_EQ(numeros(aceite({"documentos", "listar", "--chave", "PP000123"})), (QList<qint64>{1, 3}));
    EXPECT_EQ(numeros(aceite({"documentos", "listar", "--tipo", "PP"})), (QList<qint64>{1, 4}));
    EXPECT_EQ(numeros(aceite({"documentos", "listar", "--tipo", "PP", "--chave", "PP000123"})), (QList<qint64>{1}));
    EXPECT_EQ(numeros(aceite({"documentos", "listar", "--tipo", "GR", "--chave", "PP000123"})), (QList<qint64>{}));
    EXPECT_EQ(numeros(aceite({"documentos", "listar", "--chave", "PP000999"})), (QList<qint64>{}));

    // Each file written back out byte for byte, by the number the list gives it.
    const QJsonArray todos = aceite({"documentos", "listar"}).value("lista").toArray();
    for (const auto& [i, original] : {std::pair{0, binario}, std::pair{1, ler(guia)}, std::pair{2, ler(foto)}}) {
        const qint64 reg = todos.at(i).toObject().value("ficheiros").toArray().at(0).toObject().value("NumRegisto").toInteger();
        const QString saida = pasta.filePath(QStringLiteral("extraido%1.bin").arg(i));
        r = aceite({"documentos", "extrair", "--registo", QString::number(reg), "--saida", saida});
        EXPECT_EQ(r.value("ficheiro").toString(), saida);
        EXPECT_EQ(r.value("bytes").toInteger(), original.size());
        EXPECT_EQ(ler(saida), original) << i;
    }
    // An existing file is replaced whole, not appended to.
    const qint64 regGuia = todos.at(1).toObject().value("ficheiros").toArray().at(0).toObject().value("NumRegisto").toInteger();
    const QString cheio = gravar("cheio.bin", QByteArray(5000, 'x'));
    aceite({"documentos", "extrair", "--registo", QString::number(regGuia), "--saida", cheio});
    EXPECT_EQ(ler(cheio), ler(guia));
}

// The number anexar answers for the file is the one extrair takes, even when the archive's documents
// and files are no longer numbered alike (a further file added to a document from its window).
TEST_P(DocumentosCliTest, NumeroDoFicheiroAnexadoExtraiEsseFicheiro) {
    const QString primeiro = gravar("a.txt", QByteArray("primeiro"));
    aceite({"documentos", "anexar", primeiro, "--chave", "PP1", "--assunto", "Primeiro"});
    {
        GlobalContext c;
        ASSERT_TRUE(semFalha(abrirEmpresa(c, servidor, empresa)));
        const auto arq = Abre_Connexao_DocumentosBin(c);
        ASSERT_TRUE(semFalha(arq));
        ASSERT_TRUE(semFalha(AnexarFicheiro(**arq, 1, "PP1", "b.txt", QDateTime::currentDateTime(),
                                            QByteArray("segundo do primeiro"), "01")));
        (*arq)->close();
        c.LigacaoEmpresa->close();
    }
    const QString outro = gravar("c.txt", QByteArray("outro documento"));
    const QJsonObject r = aceite({"documentos", "anexar", outro, "--chave", "PP2", "--assunto", "Outro"});
    EXPECT_EQ(r.value("NumeroMov").toInteger(), 2);
    ASSERT_TRUE(r.contains("NumRegistoFicheiro")) << QJsonDocument(r).toJson().toStdString();
    EXPECT_NE(r.value("NumRegistoFicheiro").toInteger(), r.value("NumRegisto").toInteger())
        << "the document's number would write out another file";
    const QString saida = pasta.filePath("saida.txt");
    aceite({"documentos", "extrair", "--registo", QString::number(r.value("NumRegistoFicheiro").toInteger()), "--saida",
            saida});
    EXPECT_EQ(ler(saida), QByteArray("outro documento"));
}

TEST_P(DocumentosCliTest, RecusasNaoArquivamNemEscrevemNada) {
    const QString ficheiro = gravar("doc.txt", QByteArray("conteúdo"));
    aceite({"documentos", "anexar", ficheiro, "--chave", "PP7", "--assunto", "Primeiro"});

    const QString inexistente = pasta.filePath("nao-existe.pdf");
    EXPECT_EQ(recusa({"documentos", "anexar", inexistente, "--chave", "PP7", "--assunto", "X"}),
              QStringLiteral("Não foi possível ler o ficheiro %1.").arg(inexistente));
    EXPECT_EQ(recusa({"documentos", "anexar", pasta.path(), "--chave", "PP7", "--assunto", "X"}),
              QStringLiteral("Não foi possível ler o ficheiro %1.").arg(pasta.path()))
        << "a folder is not a file";
    EXPECT_EQ(recusa({"documentos", "anexar", ficheiro, "--assunto", "X"}), "Indique a chave do documento (--chave).");
    EXPECT_EQ(recusa({"documentos", "anexar", ficheiro, "--chave", "  ", "--assunto", "X"}),
              "Indique a chave do documento (--chave).");
    EXPECT_EQ(recusa({"documentos", "anexar", ficheiro, "--chave", "PP7"}), "Não pode exportar sem indicar o assunto!");
    EXPECT_FALSE(recusa({"documentos", "anexar", ficheiro, "--chave", "PP7", "--assunto", "X", "--numero", "123456789"})
                     .isEmpty())
        << "a number longer than its column is refused, not cut";

    // Unknown, missing or malformed file numbers.
    const QString saida = pasta.filePath("saida.bin");
    EXPECT_EQ(recusa({"documentos", "extrair", "--registo", "999", "--saida", saida}),
              "O ficheiro nº 999 não existe no arquivo.");
    for (const char* mau : {"abc", "0", "-1", "", "1.5"})
        EXPECT_EQ(recusa({"documentos", "extrair", "--registo", mau, "--saida", saida}),
                  "Indique o nº de registo do ficheiro (--registo).")
            << mau;
    EXPECT_EQ(recusa({"documentos", "extrair", "--saida", saida}), "Indique o nº de registo do ficheiro (--registo).");
    EXPECT_EQ(recusa({"documentos", "extrair", "--registo", "1"}), "Indique o ficheiro de saída (--saida).");
    const QString semPasta = pasta.filePath("nao/ha/pasta.bin");
    EXPECT_EQ(recusa({"documentos", "extrair", "--registo", "1", "--saida", semPasta}),
              QStringLiteral("A pasta de %1 não existe.").arg(semPasta));
    EXPECT_FALSE(QFile::exists(saida));

    // Wrong actions and arguments: the usage; options of another action or none: refused, not ignored.
    const QString uso = recusa({"documentos", "apagar"});
    EXPECT_TRUE(uso.startsWith("Uso: documentos anexar")) << uso.toStdString();
    EXPECT_EQ(recusa({"documentos", "anexar", "--chave", "PP7", "--assunto", "X"}), uso);
    EXPECT_EQ(recusa({"documentos", "listar", ficheiro}), uso);
    EXPECT_EQ(recusa({"documentos", "extrair", ficheiro, "--registo", "1", "--saida", saida}), uso);
    EXPECT_EQ(recusa({"documentos"}), uso);
    EXPECT_TRUE(recusa({"documentos", "listar", "--xpto", "1"}).startsWith("Opção desconhecida"));
    EXPECT_EQ(recusa({"documentos", "listar", "--assunto", "Primeiro"}),
              "A opção --assunto não serve com \"documentos listar\".");
    EXPECT_EQ(recusa({"documentos", "listar", "--registo", "1"}), "A opção --registo não serve com \"documentos listar\".");
    EXPECT_EQ(recusa({"documentos", "extrair", "--registo", "1", "--saida", saida, "--chave", "PP7"}),
              "A opção --chave não serve com \"documentos extrair\".");
    EXPECT_EQ(recusa({"documentos", "anexar", ficheiro, "--chave", "PP7", "--assunto", "X", "--registo", "1"}),
              "A opção --registo não serve com \"documentos anexar\".");
    EXPECT_FALSE(QFile::exists(saida));

    // Only the first document was filed.
    auto arq = arquivo();
    ASSERT_TRUE(arq);
    EXPECT_EQ(arq->scalar("SELECT COUNT(*) FROM HistDocBin").toInt(), 1);
    EXPECT_EQ(arq->scalar("SELECT COUNT(*) FROM HistDocBinDocs").toInt(), 1);
    arq->close();

    // A company that does not exist is refused before any archive is made for it.
    int codigo = -1;
    QByteArray resposta;
    codigo = executarLinhaComandos(QStringList{"documentos", "listar", "--empresa", "ZZ99"} + opcoesServidor, &resposta);
    EXPECT_EQ(codigo, 1) << resposta.toStdString();
    EXPECT_FALSE(AdminServidor::existeBaseDados(servidor, nomeArquivoDocumentos("ZZ99")));
}

LUMO_INSTANCIAR_MOTORES(DocumentosCliTest);

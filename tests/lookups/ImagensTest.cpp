#include "lookups/Imagens.h"
#include "db/esquema/Esquema.h"
#include "shell/Menu.h"
#include "support/DbTest.h"
#include "support/SemFalha.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <ostream>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// A real 1×1 PNG: its bytes include NULs and values above 0x7f, which text handling would spoil.
const QByteArray Png1x1 = QByteArray::fromHex("89504e470d0a1a0a0000000d494844520000000100000001080200000090"
                                                "7753de0000000c49444154789c63f8cfc0000003010100c9fe92ef0000000049454e44ae426082");

// A PNG followed by every byte value, so that each one must come back unchanged.
QByteArray pngComTodosOsBytes() {
    QByteArray b = Png1x1;
    for (int volta = 0; volta < 4; ++volta)
        for (int i = 0; i < 256; ++i)
            b.append(char(i));
    return b;
}

} // namespace

class ImagensTest : public DbTest {
protected:
    QTemporaryDir pasta;

    QString ficheiro(const QString& nome, const QByteArray& bytes) {
        const QString caminho = pasta.filePath(nome);
        QFile f(caminho);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << caminho.toStdString();
        EXPECT_EQ(f.write(bytes), bytes.size());
        return caminho;
    }
    // Files a picture and returns its NumRegisto (0 when refused).
    qint64 adicionar(const QString& tabela, const QString& codigo, const QString& chave, const QString& utilizador) {
        const auto n = AdicionarImagem(*db, tabela, codigo, chave, utilizador,
                                       ficheiro(QStringLiteral("foto.png"), Png1x1));
        EXPECT_TRUE(semFalha(n));
        return n.valorOu(0);
    }
    QString fechado(qint64 n) {
        return db->scalar(QStringLiteral("SELECT Fechado FROM Imagens WHERE NumRegisto=?"), {n}).toString();
    }
    int contar() { return db->scalar(QStringLiteral("SELECT COUNT(*) FROM Imagens")).toInt(); }
    static std::vector<qint64> numeros(const Resultado<std::vector<ImagemRegistada>>& r) {
        std::vector<qint64> v;
        if (r)
            for (const ImagemRegistada& i : *r)
                v.push_back(i.numRegisto);
        return v;
    }
};

TEST_P(ImagensTest, AdicionadaListadaELidaByteAByte) {
    const QByteArray bytes = pngComTodosOsBytes();
    const auto n = AdicionarImagem(*db, "Prod_Equipamentos", "EQ1", "", "01", ficheiro("peça nº1.png", bytes));
    ASSERT_TRUE(semFalha(n));

    const auto lista = ListarImagens(*db, "Prod_Equipamentos", "EQ1", "", "01");
    ASSERT_TRUE(semFalha(lista));
    ASSERT_EQ(lista->size(), 1u);
    const ImagemRegistada& i = lista->front();
    EXPECT_EQ(i.numRegisto, *n);
    EXPECT_EQ(i.nome, QStringLiteral("peça nº1.png")) << "the file name without its folder";
    EXPECT_EQ(i.utilizador, "01");
    EXPECT_FALSE(i.confirmada);
    EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$").match(i.dataSys).hasMatch())
        << i.dataSys.toStdString();
    EXPECT_EQ(fechado(*n), "N");

    const auto lida = LerImagem(*db, *n);
    ASSERT_TRUE(semFalha(lida));
    EXPECT_EQ(lida->size(), bytes.size());
    EXPECT_EQ(*lida, bytes);
}

// Confirmed pictures are everybody's; unconfirmed ones only their user's. Table and code compare as
// every code does, the key as a whole string.
TEST_P(ImagensTest, ListaConfirmadasDeTodosEPorConfirmarSoDoUtilizador) {
    const qint64 meu = adicionar("TabLotes", "PA1", "L1", "01");
    const qint64 alheio = adicionar("TabLotes", "PA1", "L1", "02");
    const qint64 alheioConfirmado = adicionar("TabLotes", "PA1", "L1", "02");
    ASSERT_TRUE(db->exec("UPDATE Imagens SET Fechado='S' WHERE NumRegisto=?", {alheioConfirmado}));
    adicionar("TabLotes", "PA1", "L10", "01");
    adicionar("TabLotes", "PA1", "l1", "01");
    adicionar("TabLotes", "PA2", "L1", "01");

    EXPECT_EQ(numeros(ListarImagens(*db, "TabLotes", "PA1", "L1", "01")), (std::vector<qint64>{meu, alheioConfirmado}));
    EXPECT_EQ(numeros(ListarImagens(*db, "TabLotes", "PA1", "L1", "02")),
              (std::vector<qint64>{alheio, alheioConfirmado}));
    EXPECT_EQ(numeros(ListarImagens(*db, "tablotes", "pa1", "L1", "01")), (std::vector<qint64>{meu, alheioConfirmado}));
    EXPECT_TRUE(numeros(ListarImagens(*db, "TabLotes", "PA1", "L", "01")).empty());
    EXPECT_TRUE(numeros(ListarImagens(*db, "TabLotes", "PA3", "L1", "01")).empty());
}

TEST_P(ImagensTest, ConfirmaSoAsDoRegistoEDoUtilizador) {
    const qint64 alvo = adicionar("TabLotes", "PA1", "L1", "01");
    const std::vector<qint64> outras{adicionar("TabLotes", "PA1", "L1", "02"), adicionar("TabLotes", "PA1", "L10", "01"),
                                     adicionar("TabLotes", "PA1", "L1 ", "01"), adicionar("TabLotes", "PA2", "L1", "01"),
                                     adicionar("Prod_Equipamentos", "PA1", "L1", "01")};

    // Inside the posting's transaction: rolled back with it.
    {
        Transaction t(*db);
        ASSERT_TRUE(t.ok());
        const auto n = ConfirmaImagens(*db, "TabLotes", "PA1", "L1", "01");
        ASSERT_TRUE(semFalha(n));
        EXPECT_EQ(*n, 1);
    }
    EXPECT_EQ(fechado(alvo), "N") << "the rolled-back posting left its picture confirmed";

    const auto n = ConfirmaImagens(*db, "TabLotes", "PA1", "L1", "01");
    ASSERT_TRUE(semFalha(n));
    EXPECT_EQ(*n, 1);
    EXPECT_EQ(fechado(alvo), "S");
    for (qint64 o : outras)
        EXPECT_EQ(fechado(o), "N") << "picture " << o;
    const auto outraVez = ConfirmaImagens(*db, "TabLotes", "PA1", "L1", "01");
    ASSERT_TRUE(semFalha(outraVez));
    EXPECT_EQ(*outraVez, 0);
}

TEST_P(ImagensTest, DescartaSoAsPorConfirmarDoUtilizador) {
    adicionar("TabLotes", "PA1", "L1", "01");
    adicionar("TabLotes", "PA1", "L1", "01");
    const qint64 confirmada = adicionar("TabLotes", "PA1", "L1", "01");
    ASSERT_TRUE(semFalha(ConfirmaImagens(*db, "TabLotes", "PA1", "L1", "01")));
    const qint64 nova = adicionar("TabLotes", "PA1", "L1", "01");
    const qint64 alheia = adicionar("TabLotes", "PA1", "L1", "02");
    const qint64 outroRegisto = adicionar("TabLotes", "PA1", "L2", "01");

    const auto n = DescartaImagens(*db, "TabLotes", "PA1", "L1", "01");
    ASSERT_TRUE(semFalha(n));
    EXPECT_EQ(*n, 1);
    EXPECT_FALSE(semFalha(LerImagem(*db, nova)));
    for (qint64 fica : {confirmada, alheia, outroRegisto}) {
        const auto b = LerImagem(*db, fica);
        ASSERT_TRUE(semFalha(b)) << "picture " << fica;
        EXPECT_EQ(*b, Png1x1);
    }
}

TEST_P(ImagensTest, RecusaOQueNaoEImagemLegivel) {
    struct Caso {
        const char* nome;
        QByteArray bytes;
        const char* mensagem;
    };
    const Caso casos[] = {
        {"vazia.png", QByteArray(), "O ficheiro vazia.png não é uma imagem."},
        {"nota.png", "Isto é texto e não uma fotografia.", "O ficheiro nota.png não é uma imagem."},
        {"carro.bmp", "BMW avariado na linha 2, ver fotografia amanhã.", "O ficheiro carro.bmp não é uma imagem."},
        {"meia.png", Png1x1.left(7), "O ficheiro meia.png não é uma imagem."},
    };
    for (const Caso& c : casos) {
        const auto r = AdicionarImagem(*db, "TabLotes", "PA1", "L1", "01", ficheiro(c.nome, c.bytes));
        ASSERT_FALSE(r.ok()) << c.nome;
        EXPECT_EQ(r.mensagem(), QString::fromUtf8(c.mensagem));
    }
    const auto falta = AdicionarImagem(*db, "TabLotes", "PA1", "L1", "01", pasta.filePath("nao_existe.jpg"));
    ASSERT_FALSE(falta.ok());
    EXPECT_EQ(falta.mensagem(), QStringLiteral("Não foi possível ler o ficheiro nao_existe.jpg."));
    const auto pastaEmVezDeFicheiro = AdicionarImagem(*db, "TabLotes", "PA1", "L1", "01", pasta.path());
    EXPECT_FALSE(pastaEmVezDeFicheiro.ok());
    EXPECT_EQ(contar(), 0);
}

TEST(PareceImagem, ReconheceOsFormatosPeloInicio) {
    QByteArray bmp("BM");
    bmp += QByteArray(12, '\0') + QByteArray::fromHex("28000000") + QByteArray(12, '\0');
    QByteArray webp("RIFF");
    webp += QByteArray::fromHex("24000000") + "WEBPVP8 ";
    for (const QByteArray& b : {Png1x1, QByteArray::fromHex("ffd8ffe000104a464946"), QByteArray("GIF89a\x01\x00"),
                                QByteArray("GIF87a\x01\x00"), bmp, webp})
        EXPECT_TRUE(PareceImagem(b)) << b.toHex().toStdString();
    QByteArray riffSemWebp("RIFF");
    riffSemWebp += QByteArray::fromHex("24000000") + "WAVEfmt ";
    for (const QByteArray& b : {QByteArray("GIF8"), QByteArray::fromHex("ffd8"), riffSemWebp,
                                QByteArray("%PDF-1.7"), QByteArray::fromHex("504b0304")})
        EXPECT_FALSE(PareceImagem(b)) << b.toHex().toStdString();
}

// 10 MB is accepted, one byte more is not.
TEST_P(ImagensTest, LimiteDeDezMegas) {
    QByteArray noLimite = Png1x1;
    noLimite.append(QByteArray(TamanhoMaximoImagem - noLimite.size(), '\x5c'));
    const auto n = AdicionarImagem(*db, "TabLotes", "PA1", "L1", "01", ficheiro("limite.png", noLimite));
    ASSERT_TRUE(semFalha(n));
    const auto lida = LerImagem(*db, *n);
    ASSERT_TRUE(semFalha(lida));
    EXPECT_EQ(lida->size(), TamanhoMaximoImagem);
    EXPECT_TRUE(*lida == noLimite);

    noLimite.append('\0');
    const auto grande = AdicionarImagem(*db, "TabLotes", "PA1", "L1", "01", ficheiro("grande.png", noLimite));
    ASSERT_FALSE(grande.ok());
    EXPECT_EQ(grande.mensagem(), QStringLiteral("A imagem grande.png excede 10 MB."));
    EXPECT_EQ(contar(), 1);
}

// A company made before pictures were kept in it gets the new columns and keeps its rows.
TEST_P(ImagensTest, TabelaAntigaRecebeAsColunasNovas) {
    ASSERT_TRUE(db->exec("DROP TABLE Imagens"));
    ASSERT_TRUE(db->exec(QStringLiteral("CREATE TABLE Imagens (%1, Tabela VARCHAR(50), Codigo VARCHAR(50), Chave TEXT, "
                                        "Utilizador VARCHAR(2), Fechado VARCHAR(1))")
                             .arg(db->dialect().colunaIdentidade())));
    ASSERT_GT(db->insert("Imagens", Registo()("Tabela", "TabLotes")("Codigo", "PA1")("Chave", "L1")("Utilizador", "01")(
                                        "Fechado", "S")),
              0);
    ASSERT_TRUE(semFalha(aplicarEsquemaEmpresa(*db)));

    const qint64 n = adicionar("TabLotes", "PA1", "L1", "01");
    ASSERT_GT(n, 0);
    EXPECT_EQ(numeros(ListarImagens(*db, "TabLotes", "PA1", "L1", "01")).size(), 2u);
    const auto lida = LerImagem(*db, n);
    ASSERT_TRUE(semFalha(lida));
    EXPECT_EQ(*lida, Png1x1);
}

// Entering the program clears the user's unconfirmed pictures only.
TEST_P(ImagensTest, EntradaNoProgramaGuardaAsConfirmadas) {
    ASSERT_GT(db->insert("ParamGeral", Registo()("NomeEmpresa", "Fábrica Teste")("ano", "2024")("mes", "3")), 0);
    ASSERT_GT(db->insert("configProd", Registo()("CasasDec", 3)), 0);
    ASSERT_GT(db->insert("UtilConfGeral", Registo()("Utilizador", "01")("ActivaLogGeral", 0)("armazem", "001")), 0);
    const qint64 confirmada = adicionar("TabLotes", "PA1", "L1", "01");
    ASSERT_TRUE(semFalha(ConfirmaImagens(*db, "TabLotes", "PA1", "L1", "01")));
    const qint64 abandonada = adicionar("TabLotes", "PA1", "L1", "01");
    const qint64 deOutro = adicionar("TabLotes", "PA1", "L1", "02");

    Menu menu(ctx, ui);
    ASSERT_TRUE(menu.carregar()) << ui.ultimaMensagem().toStdString();

    EXPECT_FALSE(LerImagem(*db, abandonada).ok());
    for (qint64 fica : {confirmada, deOutro}) {
        const auto b = LerImagem(*db, fica);
        ASSERT_TRUE(semFalha(b)) << "picture " << fica;
        EXPECT_EQ(*b, Png1x1);
    }
}

LUMO_INSTANCIAR_MOTORES(ImagensTest);

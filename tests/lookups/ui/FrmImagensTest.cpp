#include "lookups/ui/FrmImagens.h"
#include "lookups/ui/ListaVista.h"
#include "support/DbTest.h"
#include "support/ui/Capturas.h"
#include "support/ui/Controlos.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <ostream>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// The pictures window of a product lot, driven as a user would; the file dialog answers from the script.
class FrmImagensTest : public DbTest {
protected:
    QTemporaryDir pasta;

    QString imagem(const QString& nome, QSize tamanho, Qt::GlobalColor cor) {
        QImage i(tamanho, QImage::Format_RGB32);
        i.fill(cor);
        const QString caminho = pasta.filePath(nome);
        EXPECT_TRUE(i.save(caminho, "PNG")) << caminho.toStdString();
        return caminho;
    }
    void adicionar(FrmImagens& f, const QVariant& escolha) {
        ui.responder(escolha);
        controlo<QPushButton>(f, "cmdAdicionar")->click();
    }
    static QColor corAoCentro(const QLabel& l) {
        const QImage i = l.pixmap().toImage();
        return i.isNull() ? QColor() : i.pixelColor(i.width() / 2, i.height() / 2);
    }
    static void seleccionar(FrmImagens& f, int linha) {
        f.lvwImagens->setCurrentIndex(f.lvwImagens->model()->index(linha, 1));
    }
};

TEST_P(FrmImagensTest, AdicionadaApareceReduzidaAoEspaco) {
    ImagensRegisto logica(ctx, ui, "TabLotes", "PA1", "L1");
    FrmImagens f(logica);
    f.show();
    auto* lbl = controlo<QLabel>(f, "lblImagem");
    EXPECT_EQ(lbl->text(), QStringLiteral("Sem imagens."));
    EXPECT_FALSE(controlo<QPushButton>(f, "cmdRemover")->isEnabled());

    adicionar(f, imagem("fachada.png", {1600, 1200}, Qt::red));
    ASSERT_EQ(ui.perguntas.back(), QStringLiteral("Adicionar Imagem"));
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
    ASSERT_EQ(logica.lvwImagens.numLinhas(), 1);
    EXPECT_EQ(logica.lvwImagens.texto(0, 1), QStringLiteral("fachada.png"));
    EXPECT_EQ(logica.lvwImagens.texto(0, 3), QStringLiteral("01"));
    EXPECT_EQ(logica.lvwImagens.texto(0, 4), QStringLiteral("Não"));
    EXPECT_TRUE(controlo<QPushButton>(f, "cmdRemover")->isEnabled());
    EXPECT_TRUE(f.lvwImagens->isColumnHidden(0)) << "the re-read list showed the record number";
    EXPECT_EQ(db->scalar("SELECT Fechado FROM Imagens").toString(), "N");

    // The preview fits the label and keeps the picture's 4:3 shape.
    const QPixmap p = lbl->pixmap();
    ASSERT_FALSE(p.isNull());
    EXPECT_LE(p.width(), lbl->contentsRect().width());
    EXPECT_LE(p.height(), lbl->contentsRect().height());
    EXPECT_NEAR(double(p.width()) / p.height(), 4.0 / 3.0, 0.02);
    EXPECT_EQ(corAoCentro(*lbl), QColor(Qt::red));
    if (isSQLite())
        capturarJanela(f, QStringLiteral("frmImagens"));
    EXPECT_TRUE(ui.respostasEsgotadas());
}

TEST_P(FrmImagensTest, EscolhaCanceladaOuFicheiroQueNaoEImagem) {
    ImagensRegisto logica(ctx, ui, "TabLotes", "PA1", "L1");
    FrmImagens f(logica);
    f.show();
    adicionar(f, QVariant());
    EXPECT_TRUE(ui.mensagens.empty()) << "cancelling the file choice says nothing";

    const QString texto = pasta.filePath("nota.png");
    QFile n(texto);
    ASSERT_TRUE(n.open(QIODevice::WriteOnly));
    n.write("Fotografia tirada amanhã.");
    n.close();
    adicionar(f, texto);
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("O ficheiro nota.png não é uma imagem."));
    EXPECT_EQ(logica.lvwImagens.numLinhas(), 0);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Imagens").toInt(), 0);
    EXPECT_TRUE(ui.respostasEsgotadas());
}

TEST_P(FrmImagensTest, RemoverPedeConfirmacaoEMostraASeguinte) {
    ImagensRegisto logica(ctx, ui, "TabLotes", "PA1", "L1");
    FrmImagens f(logica);
    f.show();
    adicionar(f, imagem("vermelha.png", {40, 30}, Qt::red));
    adicionar(f, imagem("azul.png", {40, 30}, Qt::blue));
    ASSERT_EQ(logica.lvwImagens.numLinhas(), 2);
    auto* lbl = controlo<QLabel>(f, "lblImagem");
    EXPECT_EQ(corAoCentro(*lbl), QColor(Qt::blue)) << "the picture just added is shown";
    EXPECT_EQ(lbl->pixmap().size(), QSize(40, 30)) << "a small picture is not enlarged";

    seleccionar(f, 0);
    EXPECT_EQ(corAoCentro(*lbl), QColor(Qt::red));
    ui.responder(0); // "&Não"
    controlo<QPushButton>(f, "cmdRemover")->click();
    EXPECT_EQ(ui.perguntas.back(), QStringLiteral("Confirma Eliminação?"));
    EXPECT_EQ(logica.lvwImagens.numLinhas(), 2);

    ui.responder(1); // "&Sim"
    controlo<QPushButton>(f, "cmdRemover")->click();
    ASSERT_EQ(logica.lvwImagens.numLinhas(), 1);
    EXPECT_EQ(logica.lvwImagens.texto(0, 1), QStringLiteral("azul.png"));
    EXPECT_EQ(corAoCentro(*lbl), QColor(Qt::blue));
    EXPECT_EQ(db->scalar("SELECT Nome FROM Imagens").toString(), QStringLiteral("azul.png"));

    ui.responder(1);
    controlo<QPushButton>(f, "cmdRemover")->click();
    EXPECT_EQ(logica.lvwImagens.numLinhas(), 0);
    EXPECT_FALSE(controlo<QPushButton>(f, "cmdRemover")->isEnabled());
    EXPECT_EQ(lbl->text(), QStringLiteral("Sem imagens."));
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(ui.respostasEsgotadas());
}

LUMO_INSTANCIAR_MOTORES(FrmImagensTest);

#include "shell/ui/FrmSelEmpresa.h"
#include "shell/ui/FrmSelEmpresasValidacao.h"

#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "company/Ligacoes.h"
#include "support/ScriptedInteraction.h"
#include "support/SemFalha.h"
#include "support/Ambiente.h"
#include "support/ui/Capturas.h"
#include "support/ui/Controlos.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// A folder of company files as the default server, with settings and key of its own.
class AmbienteSelecao {
public:
    AmbienteSelecao() {
        locais = {dir.filePath(QStringLiteral("definicoes.ini")), dir.filePath(QStringLiteral("chave.bin"))};
    }
    void criar(const QString& codigo, const QString& nome, int ano) {
        ASSERT_TRUE(semFalha(criarEmpresa(parametrosServidor(ServidoresConhecidos::servidorLocal().servidor),
                                          codigo, nome, ano)));
    }

    QTemporaryDir dir;
    VariavelAmbiente dados{"LUMO_DADOS", dir.filePath(QStringLiteral("empresas"))};
    FrmSelEmpresa::Locais locais;
};


} // namespace

TEST(FrmSelEmpresa, EscreverNaListaFiltraEEnterAbreAEmpresa) {
    AmbienteSelecao amb;
    ASSERT_TRUE(amb.dir.isValid());
    amb.criar(QStringLiteral("0001"), QStringLiteral("Carpintaria Vale do Sousa, Lda."), 2026);
    amb.criar(QStringLiteral("0002"), QStringLiteral("Confeitaria Estrela"), 2025);
    GlobalContext ctx;
    ScriptedInteraction ui;
    FrmSelEmpresa janela(ctx, ui, amb.locais);
    janela.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));

    auto* lvw = controlo<QTreeWidget>(janela, "lvwEmpresas");
    auto* txtNome = controlo<QLineEdit>(janela, "txtPescaNomeEmpresa");
    ASSERT_TRUE(lvw && txtNome);
    ASSERT_EQ(lvw->topLevelItemCount(), 2);
    EXPECT_EQ(lvw->topLevelItem(0)->text(SelEmpresa::ColServidor), QStringLiteral("Local"));
    EXPECT_TRUE(lvw->isColumnHidden(SelEmpresa::ColPassword));

    lvw->setFocus();
    QTest::keyClicks(lvw, QStringLiteral("carp"));
    EXPECT_EQ(txtNome->text(), QStringLiteral("carp"));
    ASSERT_EQ(lvw->topLevelItemCount(), 1);
    EXPECT_EQ(lvw->currentItem()->text(SelEmpresa::ColCodigo), QStringLiteral("0001"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(janela.result(), QDialog::Accepted);
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(ctx.CodigoEmpresa, QStringLiteral("0001"));
    EXPECT_EQ(ctx.NomeEmpresa, QStringLiteral("Carpintaria Vale do Sousa, Lda."));
    EXPECT_EQ(ctx.Servidor, ServidoresConhecidos::servidorLocal().servidor);
    EXPECT_EQ(ctx.TipoAutenticacao, QStringLiteral("SQL"));
    ASSERT_TRUE(ctx.LigacaoEmpresa && ctx.LigacaoEmpresa->isOpen());
    EXPECT_EQ(ctx.LigacaoEmpresa->scalar(QStringLiteral("SELECT ano FROM ParamGeral")).toString(),
              QStringLiteral("2026"));
    ctx.LigacaoEmpresa->close();

    // Filters and column widths are kept for the next time.
    QSettings guardado(amb.locais.ficheiroDefinicoes, QSettings::IniFormat);
    EXPECT_EQ(guardado.value(QStringLiteral("Config/ME_Empresa")).toString(), QStringLiteral("carp"));
    EXPECT_EQ(guardado.value(QStringLiteral("Listas/frmSelEmpresa/lvwEmpresas")).toList().size(),
              int(SelEmpresa::NumColunas));
}

TEST(FrmSelEmpresa, EscCancelaSemAbrirNada) {
    AmbienteSelecao amb;
    ASSERT_TRUE(amb.dir.isValid());
    amb.criar(QStringLiteral("0001"), QStringLiteral("Carpintaria Vale do Sousa, Lda."), 2026);
    GlobalContext ctx;
    ScriptedInteraction ui;
    FrmSelEmpresa janela(ctx, ui, amb.locais);
    janela.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    QTest::keyClick(&janela, Qt::Key_Escape);
    EXPECT_EQ(janela.result(), QDialog::Rejected);
    EXPECT_TRUE(ctx.CodigoEmpresa.isEmpty());
    EXPECT_FALSE(ctx.LigacaoEmpresa);
}

TEST(FrmSelEmpresasValidacao, GravarServidorPelaJanela) {
    AmbienteSelecao amb;
    ASSERT_TRUE(amb.dir.isValid());
    ScriptedInteraction ui;
    ServidoresConhecidos servidores(amb.locais.ficheiroDefinicoes, amb.locais.ficheiroChave);
    FrmSelEmpresasValidacao janela(servidores, ui, amb.locais.ficheiroDefinicoes);
    janela.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    auto* txtServidor = controlo<QLineEdit>(janela, "txtServidor");
    auto* txtLogin = controlo<QLineEdit>(janela, "txtLogin");
    auto* txtPassword = controlo<QLineEdit>(janela, "txtPassword");
    auto* lvw = controlo<QTreeWidget>(janela, "lvwServidores");
    ASSERT_TRUE(txtServidor && txtLogin && txtPassword && lvw);
    EXPECT_FALSE(txtServidor->isEnabled());

    controlo<QPushButton>(janela, "cmdAdicionar")->click();
    ASSERT_TRUE(txtServidor->isEnabled());
    QTest::keyClicks(txtServidor, QStringLiteral("fabrica-bd:5433"));
    QTest::keyClicks(txtLogin, QStringLiteral("gestor"));
    QTest::keyClicks(txtPassword, QStringLiteral("SegredoDaFabrica"));
    QTest::keyClick(txtPassword, Qt::Key_Return); // Enter saves while editing
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
    ASSERT_EQ(lvw->topLevelItemCount(), 1);
    EXPECT_EQ(lvw->topLevelItem(0)->text(0), QStringLiteral("fabrica-bd:5433"));
    EXPECT_FALSE(txtServidor->isEnabled());
    EXPECT_TRUE(janela.isVisible());

    QFile f(amb.locais.ficheiroDefinicoes);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_FALSE(f.readAll().contains("SegredoDaFabrica"));
}

TEST(Capturas, FrmSelEmpresaEServidores) {
    AmbienteSelecao amb;
    ASSERT_TRUE(amb.dir.isValid());
    amb.criar(QStringLiteral("0001"), QStringLiteral("Carpintaria Vale do Sousa, Lda."), 2026);
    amb.criar(QStringLiteral("CE25"), QStringLiteral("Confeitaria Estrela"), 2025);
    amb.criar(QStringLiteral("CE26"), QStringLiteral("Confeitaria Estrela"), 2026);
    GlobalContext ctx;
    ScriptedInteraction ui;
    {
        FrmSelEmpresa janela(ctx, ui, amb.locais);
        janela.resize(640, 360);
        capturarJanela(janela, QStringLiteral("frmSelEmpresa"));
    }
    ServidoresConhecidos servidores(amb.locais.ficheiroDefinicoes, amb.locais.ficheiroChave);
    ASSERT_FALSE(servidores.adicionar(
        {QStringLiteral("servidor-fabrica"), QStringLiteral("gestor"), QStringLiteral("x"), true}));
    ASSERT_FALSE(servidores.adicionar({QStringLiteral("escritorio.local:5433"), {}, {}, false}));
    FrmSelEmpresasValidacao janela(servidores, ui, amb.locais.ficheiroDefinicoes);
    janela.resize(560, 360);
    capturarJanela(janela, QStringLiteral("frmSelEmpresas_Validacao"));
    EXPECT_TRUE(ui.mensagens.empty());
}

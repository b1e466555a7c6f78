#include "shell/ui/WMenu.h"
#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "company/Ligacoes.h"
#include "session/Acessos.h"
#include "session/ui/FormAcessos.h"
#include "session/ui/FrmAcessos.h"
#include "shell/ui/FrmAbout.h"
#include "support/ScriptedInteraction.h"
#include "support/SemFalha.h"

#include <QAction>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <algorithm>

class WMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_pasta.isValid());
        servidor.motor = Dialect::Motor::SQLite;
        servidor.pasta = m_pasta.path();
        ASSERT_TRUE(semFalha(criarEmpresa(servidor, "T001", "Fábrica Teste", 2024)));
        ASSERT_TRUE(semFalha(abrirEmpresa(ctx, servidor, "T001")));
        ASSERT_TRUE(semFalha(inserirUtilizador(ctx.bd(), "05", "Rita", "Palavra-Passe-9", "001")));
        ASSERT_TRUE(CriaTodososAcessos(ctx, "05"));
        entrar("01", "Supervisor");
    }
    void TearDown() override { FechaLigacoes(ctx); }

    void entrar(const QString& codigo, const QString& login) {
        ctx.CodigoUtilizador = codigo;
        ctx.LoginUtilizador = login;
    }
    QAction* accao(WMenu& w, const char* nome) {
        auto* a = w.findChild<QAction*>(nome);
        EXPECT_TRUE(a) << nome;
        return a;
    }
    QString painel(WMenu& w, const char* nome) {
        auto* l = w.findChild<QLabel*>(nome);
        return l ? l->text() : QString();
    }

    QTemporaryDir m_pasta;
    ConnectionParams servidor;
    GlobalContext ctx;
    ScriptedInteraction ui;
};

TEST_F(WMenuTest, SupervisorAbreAcessosEFazLogOff) {
    WMenu w(ctx, ui);
    int saidas = 0;
    w.definirSaidaUtilizador([&](GlobalContext& c) {
        ++saidas;
        EXPECT_TRUE(c.LigacaoEmpresa && c.LigacaoEmpresa->isOpen());
    });
    QSignalSpy terminada(&w, &WMenu::sessaoTerminada);
    QSignalSpy programa(&w, &WMenu::programaTerminado);
    ASSERT_TRUE(w.abrir());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), "Menu Principal - Produção    ( Versão: " + Menu::Versao() + " )");
    EXPECT_EQ(painel(w, "lblEmpresa"), "Fábrica Teste");
    EXPECT_EQ(painel(w, "lblUtilizador"), "01 - Supervisor");
    EXPECT_EQ(painel(w, "lblArmazem"), "Arm.-> " + ctx.armazem);

    QAction* acessos = accao(w, "mnuAcessos");
    ASSERT_TRUE(acessos);
    EXPECT_TRUE(acessos->isVisible());
    acessos->trigger();
    acessos->trigger(); // a second time brings the same window forward
    ASSERT_EQ(w.area()->subWindowList().size(), 1);
    auto* frm = qobject_cast<FrmAcessos*>(w.area()->subWindowList().front()->widget());
    ASSERT_TRUE(frm);

    // The window's controlled buttons are exactly those the rights list gives every user.
    const auto& lista = JanelasProtegidas();
    auto it = std::find_if(lista.begin(), lista.end(), [](const auto& j) { return j.form == "frmAcessos"; });
    ASSERT_NE(it, lista.end());
    EXPECT_EQ(it->caption, frm->windowTitle());
    const JanelaProtegida viva = DescreverJanela(frm, it->form, it->caption);
    QStringList naJanela, naLista;
    for (const auto& b : viva.botoes)
        if (BotaoControlado(b.ctrl, b.caption))
            naJanela << b.ctrl + "=" + b.caption;
    for (const auto& b : it->botoes)
        naLista << b.ctrl + "=" + b.caption;
    naJanela.sort();
    naLista.sort();
    EXPECT_EQ(naJanela, naLista);

    accao(w, "LogOff")->trigger();
    EXPECT_EQ(terminada.count(), 1);
    EXPECT_EQ(programa.count(), 0);
    EXPECT_EQ(saidas, 1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.area()->subWindowList().isEmpty());
    EXPECT_FALSE(ctx.LigacaoEmpresa);

    const auto aberta = Database::open(ligacaoEmpresa(servidor, "T001"));
    ASSERT_TRUE(semFalha(aberta));
    const std::shared_ptr<Database> db = *aberta;
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM LogGeral WHERE Modulo='MN' AND Utilizador='01'").toInt(), 2);
    db->close();
}

TEST_F(WMenuTest, UtilizadorComumVeJanelaSoComDireito) {
    entrar("05", "Rita");
    WMenu w(ctx, ui);
    ASSERT_TRUE(w.abrir());
    EXPECT_FALSE(accao(w, "mnuAcessos")->isVisible()) << "the access editor is the supervisor's";

    QWidget janela;
    auto* layout = new QVBoxLayout(&janela);
    auto* cmdGravar = new QPushButton("&Gravar", &janela);
    cmdGravar->setObjectName("cmdGravar");
    auto* cmdSair = new QPushButton("&Sair", &janela);
    cmdSair->setObjectName("cmdSair");
    layout->addWidget(cmdGravar);
    layout->addWidget(cmdSair);
    const JanelaProtegida desc = DescreverJanela(&janela, "frmTeste", "Janela de Teste");
    EXPECT_FALSE(w.menu().entrada(desc).permitido);
    EXPECT_EQ(ui.ultimaMensagem(), "Acesso Negado !");

    ASSERT_TRUE(ctx.bd().exec("UPDATE Acessos SET value=1 WHERE utilizador='05' AND chave=?",
                              {ChaveJanela("frmTeste", "Janela de Teste")}));
    const ResultadoFormAcessos r = w.menu().entrada(desc);
    ASSERT_TRUE(r.permitido);
    AplicarBotoes(&janela, r);
    EXPECT_FALSE(cmdGravar->isEnabled()) << "its own row still says 0";
    EXPECT_TRUE(cmdSair->isEnabled());

    QSignalSpy programa(&w, &WMenu::programaTerminado);
    accao(w, "mnuSair")->trigger();
    EXPECT_EQ(programa.count(), 1);
    EXPECT_TRUE(w.sairDoPrograma());
}

// Every production entry of the menu opens its own window (none is left without one), for the
// supervisor, with the window's object name its access rows use.
TEST_F(WMenuTest, CadaEntradaAbreASuaJanela) {
    WMenu w(ctx, ui);
    ASSERT_TRUE(w.abrir());
    auto* area = w.findChild<QMdiArea*>();
    ASSERT_TRUE(area);
    const std::pair<const char*, const char*> entradas[] = {
        {"Nomenclatura", "frmNomenclatura"},
        {"ExecutLotes", "frmMovProducao"},
        {"EliminarLote", "frmEliminarLote"},
        {"NomenclaturaInstantanea", "frmNomenclaturaNaHora"},
        {"ProvisaoProd", "frmVerCapacidade"},
        {"ListaNomenclatura", "frmImpNomenclatura"},
        {"FolhaProd", "frmImpFolhaLote"},
        {"MapaProd", "frmImpMapaProducao"},
        {"MapaProdDiscrim", "frmImpMapaProducaoDisc"},
        {"ImpAnalGruFamSub", "frmImpDiarioStk"},
        {"mnuImpDiarioProdInstantanea", "frmImpDiarioProdNaHora"},
        {"mnuImpRelatorioIntantanea", "frmImpRelatorioProdInstantanea"},
        {"mnuGrafEstatProd", "frmGraficoEstatProd"},
        {"mnuMovProducaoNaHora", "frmMovProducaoNaHora"},
        {"mnuProd_Processos", "frmMovProducao_Processo"},
        {"mnuEquipamentos", "frmTabEquipamentos"},
        {"TabNomenclaturaMedicoes", "frmMedicoesTemplate"},
        {"CalculosNomenclaturaMedicoes", "frmMedicoesCalculos"},
        {"ImpFolhaProducaoMedicoes", "frmImpFolhaLoteMedicoes"},
        {"ImpNomenclaturaMedicoes", "frmImpNomenclaturaMedicoes"},
        {"mnuImpCodBar", "frmImpCodBar"},
        {"ConfigProd", "frmConfigProd"},
        {"AlteraPMC", "frmAlterarPMC"},
        {"mnuEtiquetas", "frmEtiquetas"},
    };
    for (const auto& [accaoNome, form] : entradas) {
        QAction* a = w.findChild<QAction*>(accaoNome);
        ASSERT_TRUE(a) << accaoNome;
        const qsizetype antes = area->subWindowList().size();
        a->trigger();
        ASSERT_EQ(area->subWindowList().size(), antes + 1) << accaoNome;
        QWidget* janela = area->subWindowList().back()->widget();
        EXPECT_EQ(janela->objectName(), QString::fromLatin1(form)) << accaoNome;
        EXPECT_FALSE(janela->windowTitle().isEmpty()) << accaoNome;
        area->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Pictures of the windows for the documentation (LUMO_CAPTURAS=1), otherwise a check that
// they render at all.
TEST_F(WMenuTest, Capturas) {
    const bool capturas = qEnvironmentVariable("LUMO_CAPTURAS") == "1";
    QTemporaryDir temp;
    const QString pasta = capturas ? QStringLiteral(LUMO_DOCS_DIR) + "/imagens" : temp.path();
    ASSERT_TRUE(QDir().mkpath(pasta));
    auto gravar = [&](QWidget& janela, const QString& nome) {
        const QString ficheiro = pasta + "/" + nome + ".png";
        ASSERT_TRUE(janela.grab().save(ficheiro)) << ficheiro.toStdString();
        const QImage img(ficheiro);
        EXPECT_FALSE(img.isNull()) << nome.toStdString();
        EXPECT_GT(img.width(), 100);
        EXPECT_GT(img.height(), 100);
    };

    WMenu w(ctx, ui);
    ASSERT_TRUE(w.abrir());
    w.resize(1000, 640);
    w.abrirAcessos();
    ASSERT_EQ(w.area()->subWindowList().size(), 1);
    QMdiSubWindow* sub = w.area()->subWindowList().front();
    auto* acessos = qobject_cast<FrmAcessos*>(sub->widget());
    ASSERT_TRUE(acessos);
    acessos->Utilizador("05");
    ASSERT_FALSE(acessos->editor().nos().empty());
    acessos->findChild<QAction*>("mnuExpandir")->trigger();
    sub->resize(760, 440);
    sub->move(20, 20);
    gravar(w, "WMenu");
    gravar(*acessos, "frmAcessos");

    FrmAbout about(w.menu().informacao());
    about.adjustSize();
    about.show();
    gravar(about, "frmAbout");
    auto* lblVersao = about.findChild<QLabel*>("lblVersão");
    ASSERT_TRUE(lblVersao);
    EXPECT_EQ(lblVersao->text(), Menu::Versao());
    about.close();
    w.logOff();
}

// On a 1024 × 768 screen a window opens inside the area; it comes back where and as big as its
// user left it, and another user's windows are not moved by it.
TEST_F(WMenuTest, JanelaCabeNoEcraEVoltaComoOUtilizadorADeixou) {
    QSettings().remove(QStringLiteral("Janelas/") + ctx.CodigoEmpresa);
    WMenu w(ctx, ui);
    ASSERT_TRUE(w.abrir());
    w.resize(1024, 768);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    auto abrir = [&] {
        w.findChild<QAction*>("ExecutLotes")->trigger();
        return w.area()->subWindowList().back();
    };
    const QRect area(QPoint(0, 0), w.area()->viewport()->size());
    QMdiSubWindow* sub = abrir();
    EXPECT_TRUE(area.contains(sub->geometry())) << sub->geometry().width() << "x" << sub->geometry().height();
    const QRect deixada(30, 40, 600, 420);
    sub->setGeometry(deixada);
    sub->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(abrir()->geometry(), deixada);
    w.area()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    entrar("05", "Rita");
    EXPECT_NE(abrir()->geometry(), deixada);
    w.area()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    w.logOff();
}

#include "shell/ui/WMenu.h"
#include "company/EmpresaDemo.h"
#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "company/Ligacoes.h"
#include "controls/ui/Valor.h"
#include "db/Database.h"
#include "lookups/ui/CampoCodigo.h"
#include "lookups/ui/ListaVista.h"
#include "printing/ui/WVSPrint.h"
#include "production/Medicoes.h"
#include "production/ProducaoInstantanea.h"
#include "production/ui/FrmMovProducao.h"
#include "support/ScriptedInteraction.h"
#include "support/SemFalha.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <iostream>

// Every window the main menu opens, found from the menu itself (a new entry cannot be left out),
// on the demo company: walked with the Tab key, pictured for the documentation, and its picture
// required in docs/imagens.

namespace {

// Reports go to the screen, questions are declined, and nothing fails for want of a script.
class InteraccaoGaleria : public ScriptedInteraction {
public:
    bool pergunta(const QString& texto, const QString&) override {
        perguntas.push_back(texto);
        return false;
    }
    int alerta(const QString& questao, const QStringList&) override {
        perguntas.push_back(questao);
        // A lot is closed at once; anything else goes to the screen ("Para o Ecran").
        return questao.startsWith(QLatin1String("Processo do Lote")) ? 2 : 1;
    }
    int caixaBotoes(const QString& texto, const QString&, const QStringList&, Icone) override {
        perguntas.push_back(texto);
        return 0;
    }
    std::optional<QString> pedirTexto(const QString&, const QString&, const QString&) override { return {}; }
    QString escolherFicheiroAbrir(const QString&, const QString&, const QString&) override { return {}; }
    QString escolherFicheiroGravar(const QString&, const QString&, const QString&) override { return {}; }
    QString escolherPasta(const QString&, const QString&) override { return {}; }
};

// Commands of the menu bar that end the session instead of opening a window.
bool terminaSessao(const QAction* a) {
    return a->objectName() == QLatin1String("LogOff") || a->objectName() == QLatin1String("mnuSair");
}

struct Entrada {
    QString grupo; // the menu bar's caption, without "&"
    QAction* accao;
};

QList<Entrada> entradasDoMenu(WMenu& w) {
    QList<Entrada> entradas;
    for (QAction* topo : w.menuBar()->actions()) {
        if (!topo->isVisible() || topo->isSeparator())
            continue;
        QString grupo = topo->text();
        grupo.remove(u'&');
        if (!topo->menu()) {
            if (!terminaSessao(topo))
                entradas.append({grupo, topo});
            continue;
        }
        for (QAction* a : topo->menu()->actions())
            if (a->isVisible() && a->isEnabled() && !a->isSeparator() && !a->menu())
                entradas.append({grupo, a});
    }
    return entradas;
}

QString sem(QString s, QChar c) { return s.remove(c); }

// The visible, enabled controls Tab can reach in the window.
QList<QWidget*> alcancaveis(QWidget* janela) {
    QList<QWidget*> r;
    for (QWidget* w : janela->findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy())
            continue;
        // Only the checked button of an exclusive group takes Tab; arrows move between the others.
        if (auto* r2 = qobject_cast<QRadioButton*>(w); r2 && r2->autoExclusive() && !r2->isChecked())
            continue;
        r.append(w);
    }
    return r;
}

// The child of `comum` that holds w (w itself when it is a direct child).
QWidget* filhoQueContem(QWidget* comum, QWidget* w) {
    while (w && w->parentWidget() != comum)
        w = w->parentWidget();
    return w;
}

QWidget* antepassadoComum(QWidget* a, QWidget* b) {
    for (QWidget* p = a->parentWidget(); p; p = p->parentWidget())
        if (p->isAncestorOf(b))
            return p;
    return nullptr;
}

// Reading order between two controls, judged where their branches part: within one container,
// the next is on the same row band further right, or below, or at the top of a new column to the
// right of the previous one.
bool emLeitura(QWidget* a, QWidget* b) {
    if (a->isAncestorOf(b))
        return true;
    QWidget* comum = antepassadoComum(a, b);
    if (!comum)
        return false;
    const QRect ra = filhoQueContem(comum, a)->geometry();
    const QRect rb = filhoQueContem(comum, b)->geometry();
    const int sobreposicao = qMin(ra.bottom(), rb.bottom()) - qMax(ra.top(), rb.top());
    if (sobreposicao * 2 >= qMin(ra.height(), rb.height()))
        return rb.left() >= ra.left();
    if (rb.center().y() > ra.center().y())
        return true;
    return rb.left() >= ra.right() - 4;
}

QString descrever(QWidget* w) {
    QString s = QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        s += QStringLiteral(" \"") + b->text() + u'"';
    return s;
}

QString nomeAcessivel(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name).trimmed() : QString();
}

// Buttons of one window whose captions give the same accelerator letter.
QStringList aceleradoresRepetidos(QWidget* janela) {
    QHash<QString, QStringList> porLetra;
    for (QAbstractButton* b : janela->findChildren<QAbstractButton*>()) {
        if (!b->isVisible())
            continue;
        const QKeySequence tecla = QKeySequence::mnemonic(b->text());
        if (!tecla.isEmpty())
            porLetra[tecla.toString()].append(b->text());
    }
    QStringList r;
    for (auto it = porLetra.cbegin(); it != porLetra.cend(); ++it)
        if (it.value().size() > 1)
            r << it.key() + QStringLiteral(": ") + it.value().join(QStringLiteral(", "));
    r.sort();
    return r;
}

// Walks the window with Tab from its first control round to it again; the failures, if any.
QStringList percorrerComTab(QWidget* janela) {
    QStringList falhas;
    const QList<QWidget*> esperados = alcancaveis(janela);
    if (esperados.isEmpty())
        return falhas;
    QWidget* primeiro = nullptr;
    for (QWidget* w = janela->nextInFocusChain(); w && w != janela && !primeiro; w = w->nextInFocusChain())
        if (esperados.contains(w))
            primeiro = w;
    if (!primeiro)
        return {QStringLiteral("nenhum controlo na cadeia do Tab")};
    if (esperados.size() == 1) // nowhere to go: Tab stays, rightly
        return nomeAcessivel(primeiro).isEmpty()
                   ? QStringList{QStringLiteral("sem nome acessível: ") + descrever(primeiro)}
                   : QStringList{};
    janela->window()->activateWindow();
    if (!QTest::qWaitForWindowActive(janela->window()))
        return {QStringLiteral("a janela não ficou activa")};
    primeiro->setFocus(Qt::TabFocusReason);
    if (QApplication::focusWidget() != primeiro)
        return {QStringLiteral("o primeiro controlo não recebe o foco: ") + descrever(primeiro)};

    QList<QWidget*> ciclo{primeiro};
    for (int passos = 0; passos < 4 * esperados.size() + 20; ++passos) {
        QWidget* antes = QApplication::focusWidget();
        QTest::keyClick(antes, Qt::Key_Tab);
        QWidget* agora = QApplication::focusWidget();
        if (!agora || agora == antes) {
            falhas << QStringLiteral("o Tab fica preso em ") + descrever(antes);
            break;
        }
        if (agora == primeiro)
            break;
        if (janela->isAncestorOf(agora) && !ciclo.contains(agora))
            ciclo.append(agora);
    }
    for (QWidget* w : esperados)
        if (!ciclo.contains(w))
            falhas << QStringLiteral("o Tab não chega a ") + descrever(w);
    // The cycle read round once has a single step back: from its last control to its first.
    QStringList recuos;
    for (qsizetype i = 0; i < ciclo.size(); ++i) {
        QWidget* a = ciclo[i];
        QWidget* b = ciclo[(i + 1) % ciclo.size()];
        if (ciclo.size() > 1 && !emLeitura(a, b))
            recuos << descrever(a) + QStringLiteral(" -> ") + descrever(b);
    }
    if (recuos.size() > 1)
        falhas << QStringLiteral("ordem do Tab fora da leitura: ") + recuos.join(QStringLiteral("; "));
    for (QWidget* w : ciclo)
        if (nomeAcessivel(w).isEmpty())
            falhas << QStringLiteral("sem nome acessível: ") + descrever(w);
    return falhas;
}

} // namespace

class JanelasMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_pasta.isValid());
        servidor.motor = Dialect::Motor::SQLite;
        servidor.pasta = m_pasta.path();
        ASSERT_TRUE(semFalha(criarEmpresaDemo(servidor)));
        ASSERT_TRUE(semFalha(abrirEmpresa(ctx, servidor, QString::fromLatin1(CodigoEmpresaDemo))));
        ctx.CodigoUtilizador = QStringLiteral("01");
        ctx.LoginUtilizador = QStringLiteral("Supervisor");
        ctx.NomePosto = QStringLiteral("POSTO1");
    }
    void TearDown() override { FechaLigacoes(ctx); }

    // Opens each entry of the menu in turn and hands its window to `fazer` (a modal one while it
    // is up); closes it afterwards. The picture name is the form's, with the entry's where several
    // entries share one form.
    void cadaJanela(WMenu& w, const std::function<void(const Entrada&, QWidget*, const QString&)>& fazer) {
        QSet<QString> nomes;
        for (const Entrada& e : entradasDoMenu(w)) {
            SCOPED_TRACE(e.accao->objectName().toStdString());
            QWidget* janela = nullptr;
            QString nome;
            auto tratar = [&](QWidget* j) {
                janela = j;
                nome = j->objectName();
                if (nomes.contains(nome))
                    nome += u'-' + e.accao->objectName();
                nomes.insert(nome);
                fazer(e, j, nome);
            };
            const qsizetype antes = w.area()->subWindowList().size();
            // A modal window is handled while its own loop runs, then dismissed.
            QTimer::singleShot(0, &w, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                if (!modal)
                    return;
                tratar(modal);
                if (auto* d = qobject_cast<QDialog*>(modal))
                    d->reject();
                else
                    modal->close();
            });
            e.accao->trigger();
            QCoreApplication::processEvents();
            if (w.area()->subWindowList().size() > antes)
                tratar(w.area()->subWindowList().back()->widget());
            EXPECT_TRUE(janela) << "a entrada \"" << e.accao->text().toStdString() << "\" não abre janela";
            w.area()->closeAllSubWindows();
            for (QWidget* t : QApplication::topLevelWidgets())
                if (t != &w && t->isVisible())
                    t->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    // What is cheap to show at work: a lot of the demo loaded and its execution panel open, and
    // each report filled as a user would before printing it.
    void mostrarATrabalhar(QWidget* janela) {
        const QString nome = janela->objectName();
        auto codigo = [&](QWidget* onde, const char* campo, const QString& valor) {
            auto* c = onde->findChild<CampoCodigo*>(QLatin1String(campo));
            ASSERT_TRUE(c) << campo;
            c->setCodigo(valor);
            EXPECT_TRUE(c->txtCodigo_LostFocus()) << campo << ": " << ui.ultimaMensagem().toStdString();
        };
        auto clicar = [&](const char* botao) {
            auto* b = janela->findChild<QPushButton*>(QLatin1String(botao));
            ASSERT_TRUE(b) << botao;
            b->click();
        };
        if (nome == QLatin1String("frmMovProducao"))
            abrirExecucao(janela);
        // The sheet of the lot made before the gallery.
        if (nome == QLatin1String("frmImpFolhaLote"))
            codigo(janela, "cpLote",
                   ctx.bd().scalar(QStringLiteral("SELECT MIN(Lote) FROM Lotes WHERE Fechado=1")).toString());
        if (nome == QLatin1String("frmImpFolhaLoteMedicoes"))
            codigo(janela, "cpLote", m_loteMedicoes);
        // The runs of the month listed.
        if (nome == QLatin1String("frmImpRelatorioProdInstantanea"))
            clicar("cmdPesquisar");
        // Where the oil lot of the gallery's production lot went.
        if (nome == QLatin1String("frmRastreabilidade")) {
            codigo(janela, "cpProduto", QStringLiteral("MP007"));
            codigo(janela, "cpLote", m_loteOleo);
            clicar("cmdPesquisar");
        }
        // The equipment whose process is printed.
        if (nome == QLatin1String("frmTabEquipamentos"))
            if (auto* lista = janela->findChild<ListaVista*>(QStringLiteral("lvwLista"));
                lista && lista->model()->rowCount() > 0)
                lista->setCurrentIndex(lista->model()->index(0, 0));
        // Price labels of the dining table and its chairs, each added in the row window.
        if (nome == QLatin1String("frmImpCodBar")) {
            codigo(janela, "cpEtiqueta", QStringLiteral("A4-3X8"));
            struct Etiquetas {
                const char* produto;
                int quantidade;
            };
            for (const Etiquetas e : {Etiquetas{"PA001", 3}, Etiquetas{"PA002", 4}}) {
                QTimer::singleShot(0, janela, [&, e] {
                    auto* linha = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                    if (!linha) {
                        ADD_FAILURE() << "a janela da linha não abriu";
                        return;
                    }
                    codigo(linha, "cpProduto", QLatin1String(e.produto));
                    linha->findChild<Valor*>(QStringLiteral("txtQuantidade"))->setValor(Currency(e.quantidade));
                    linha->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
                    if (linha->isVisible()) {
                        ADD_FAILURE() << "linha recusada: " << ui.ultimaMensagem().toStdString();
                        linha->reject();
                    }
                });
                clicar("btnAdicionar");
            }
        }
    }
    void abrirExecucao(QWidget* janela) {
        auto codigo = [&](const char* nome, const QString& valor) {
            auto* c = janela->findChild<CampoCodigo*>(QLatin1String(nome));
            ASSERT_TRUE(c) << nome;
            c->setCodigo(valor);
            EXPECT_TRUE(c->txtCodigo_LostFocus()) << nome;
        };
        // As a user does it: the oil is lot-managed, its lot is chosen in the lot window.
        codigo("cpProdutoAcabado", QStringLiteral("PA003"));
        janela->findChild<Valor*>(QStringLiteral("txtQuantidade"))->setValor(Currency::fromString("2"));
        codigo("cpArmazem", QStringLiteral("002"));
        janela->findChild<QPushButton*>(QStringLiteral("cmdCarregar"))->click();
        auto* executar = janela->findChild<QPushButton*>(QStringLiteral("cmdExecutarLote"));
        executar->click();
        QTimer::singleShot(0, janela, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                if (auto* b = modal->findChild<QPushButton*>(QStringLiteral("cmdSeleccionar")))
                    b->click();
        });
        janela->findChild<QPushButton*>(QStringLiteral("cmdLoteProduto"))->click();
        executar->click();
        EXPECT_TRUE(janela->findChild<QWidget*>(QStringLiteral("fraExecucao"))->isVisible());
    }

    QTemporaryDir m_pasta;
    QString m_loteMedicoes, m_loteOleo; // made in the gallery's set-up
    ConnectionParams servidor;
    GlobalContext ctx;
    InteraccaoGaleria ui;
};

// Tab from the first control visits every control in reading order and each says its name;
// buttons of one window sharing an accelerator letter are listed (their captions are kept).
TEST_F(JanelasMenuTest, TecladoEmCadaJanela) {
    WMenu w(ctx, ui);
    ASSERT_TRUE(w.abrir());
    w.resize(1024, 768);
    int janelas = 0;
    cadaJanela(w, [&](const Entrada& e, QWidget* janela, const QString& nome) {
        ++janelas;
        if (auto* sub = qobject_cast<QMdiSubWindow*>(janela->parentWidget()))
            sub->showMaximized();
        QCoreApplication::processEvents();
        const QStringList falhas = percorrerComTab(janela);
        EXPECT_TRUE(falhas.isEmpty()) << e.grupo.toStdString() << " / " << nome.toStdString() << ":\n  "
                                      << falhas.join(QStringLiteral("\n  ")).toStdString();
        const QStringList repetidos = aceleradoresRepetidos(janela);
        if (!repetidos.isEmpty())
            std::cout << "[aceleradores] " << nome.toStdString() << ": "
                      << repetidos.join(QStringLiteral("; ")).toStdString() << '\n';
    });
    EXPECT_GE(janelas, 25);
}

// The gallery: every window of the menu at 1024 x 768, at work where that is cheap, and the first
// page of every report, none left without one; into docs/imagens with LUMO_CAPTURAS=1.
TEST_F(JanelasMenuTest, Galeria) {
    const bool documentacao = qEnvironmentVariable("LUMO_CAPTURAS") == QStringLiteral("1");
    QTemporaryDir temp;
    const QString pasta = documentacao ? QStringLiteral(LUMO_DOCS_DIR "/imagens") : temp.path();
    ASSERT_TRUE(QDir().mkpath(pasta));
    auto gravar = [&](QWidget& alvo, const QString& nome) {
        const QString ficheiro = pasta + QStringLiteral("/galeria-") + nome + QStringLiteral(".png");
        const QPixmap p = alvo.grab();
        EXPECT_EQ(p.size() / p.devicePixelRatio(), QSize(1024, 768)) << nome.toStdString();
        EXPECT_TRUE(p.save(ficheiro)) << ficheiro.toStdString();
    };

    WMenu w(ctx, ui);
    ASSERT_TRUE(w.abrir());
    w.resize(1280, 960);
    {
        // One lot made and closed today, for the maps and charts to show.
        FrmMovProducao producao(ctx, ui);
        producao.show();
        abrirExecucao(&producao);
        producao.findChild<QPushButton*>(QStringLiteral("cmdProcessar"))->click();
        ASSERT_EQ(ctx.bd().scalar(QStringLiteral("SELECT COUNT(*) FROM Lotes WHERE Fechado=1")).toInt(), 1)
            << ui.ultimaMensagem().toStdString();
        // The oil's lot, as the lot window chose it.
        m_loteOleo = ctx.bd()
                         .scalar(QStringLiteral(
                             "SELECT MIN(Lote) FROM MovProduto WHERE Codigo='MP007' AND AfectaStk='S+'"))
                         .toString()
                         .trimmed();
        ASSERT_FALSE(m_loteOleo.isEmpty());
    }
    {
        // One run of the demo's dining set today, for the instant journal and report.
        DocumentoInstantaneo conjunto;
        ASSERT_TRUE(semFalha(IntegraReceita(ctx, conjunto, QStringLiteral("CONJ-MESA"), Currency(1))));
        ASSERT_TRUE(semFalha(VerificaProducaoInstantanea(ctx, conjunto)));
        ASSERT_TRUE(semFalha(LancaProducaoInstantanea(ctx, conjunto)));
        // One wardrobe made to measure, for its lot sheet.
        const auto modelo = LerTemplateMedicoes(ctx.bd(), QStringLiteral("PA005"));
        ASSERT_TRUE(modelo && *modelo);
        const auto calculo = CalculaMedicoes(**modelo, Currency(2200), Currency(1200), Currency(1));
        ASSERT_TRUE(semFalha(calculo));
        const auto medida = LancaMedicoes(ctx, *calculo);
        ASSERT_TRUE(semFalha(medida));
        m_loteMedicoes = medida->lote;
    }
    QStringList relatorios, semPreVisualizacao;
    cadaJanela(w, [&](const Entrada& e, QWidget* janela, const QString& nome) {
        std::cout << "[galeria] " << e.grupo.toStdString() << '|' << sem(e.accao->text(), u'&').toStdString()
                  << '|' << nome.toStdString() << '\n';
        QWidget* moldura = janela;
        if (auto* sub = qobject_cast<QMdiSubWindow*>(janela->parentWidget())) {
            moldura = sub;
            sub->showNormal();
            sub->move(0, 0);
        }
        moldura->resize(1024, 768);
        mostrarATrabalhar(janela);
        QCoreApplication::processEvents();
        gravar(*moldura, nome);

        // A report form previews its document with the filters it was left with.
        auto* imprimir = janela->findChild<QPushButton*>(QStringLiteral("cmdImprimir"));
        if (!imprimir || !imprimir->isEnabled() ||
            !(janela->findChild<QPushButton*>(QStringLiteral("cmdFechar")) ||
              janela->findChild<QPushButton*>(QStringLiteral("cmdSair"))))
            return;
        const qsizetype previstos = relatorios.size();
        ui.mensagens.clear();
        QSet<QWidget*> antes;
        for (QWidget* t : QApplication::topLevelWidgets())
            antes.insert(t);
        imprimir->click();
        QCoreApplication::processEvents();
        for (QWidget* t : QApplication::topLevelWidgets())
            if (auto* vista = qobject_cast<WVSPrint*>(t); vista && !antes.contains(t) && vista->isVisible()) {
                vista->showNormal();
                vista->resize(1024, 768);
                QCoreApplication::processEvents();
                gravar(*vista, nome + QStringLiteral("_Preview"));
                std::cout << "[galeria] pré-visualização|" << nome.toStdString() << '\n';
                relatorios << nome;
                vista->close();
            }
        if (relatorios.size() == previstos)
            semPreVisualizacao << nome + QStringLiteral(" (") + ui.ultimaMensagem() + u')';
    });
    std::cout << "[galeria] pré-visualizações: " << relatorios.join(QStringLiteral(", ")).toStdString() << '\n';
    EXPECT_TRUE(semPreVisualizacao.isEmpty())
        << "sem pré-visualização: " << semPreVisualizacao.join(QStringLiteral(", ")).toStdString();
    EXPECT_GE(relatorios.size(), 14);
}

// Every window of the menu has its picture in the documentation: a new entry without one fails.
TEST_F(JanelasMenuTest, CadaJanelaTemImagem) {
    WMenu w(ctx, ui);
    ASSERT_TRUE(w.abrir());
    QStringList semImagem;
    cadaJanela(w, [&](const Entrada&, QWidget*, const QString& nome) {
        const QString ficheiro = QStringLiteral(LUMO_DOCS_DIR "/imagens/galeria-") + nome + QStringLiteral(".png");
        if (!QFileInfo::exists(ficheiro))
            semImagem << nome;
    });
    EXPECT_TRUE(semImagem.isEmpty()) << "sem imagem em docs/imagens (LUMO_CAPTURAS=1 ... --gtest_filter="
                                        "JanelasMenuTest.Galeria): "
                                     << semImagem.join(QStringLiteral(", ")).toStdString();
}

// When a window grows, its lists take the new room (stretch factors), not the margins between
// fields: the tallest list of each window gets at least 40 % of the added height.
TEST_F(JanelasMenuTest, ListasOcupamOEspaco) {
    WMenu w(ctx, ui);
    ASSERT_TRUE(w.abrir());
    w.resize(1280, 1200);
    cadaJanela(w, [&](const Entrada&, QWidget* janela, const QString& nome) {
        QWidget* moldura = janela;
        if (auto* sub = qobject_cast<QMdiSubWindow*>(janela->parentWidget())) {
            moldura = sub;
            sub->showNormal();
            sub->move(0, 0);
        }
        const QSize inicial(qMax(1000, moldura->minimumSizeHint().width()),
                            qMax(560, moldura->minimumSizeHint().height()));
        moldura->resize(inicial);
        QCoreApplication::processEvents();
        QHash<QAbstractItemView*, int> antes;
        for (QAbstractItemView* v : janela->findChildren<QAbstractItemView*>())
            if (v->isVisible())
                antes.insert(v, v->height());
        if (antes.isEmpty())
            return;
        constexpr int Acrescimo = 300;
        moldura->resize(inicial + QSize(0, Acrescimo));
        QCoreApplication::processEvents();
        QAbstractItemView* maior = nullptr;
        for (auto it = antes.cbegin(); it != antes.cend(); ++it)
            if (!maior || it.value() > antes.value(maior))
                maior = it.key();
        EXPECT_GE(maior->height() - antes.value(maior), Acrescimo * 4 / 10)
            << nome.toStdString() << ": " << maior->objectName().toStdString() << " passou de "
            << antes.value(maior) << " para " << maior->height() << " px";
    });
}

#include "shell/ui/WMenu.h"

#include "common/UserInteraction.h"
#include "lookups/TabelaComum.h"
#include "lookups/ui/FrmTabelaComum.h"
#include "printing/ui/FrmEtiquetas.h"
#include "printing/ui/FrmImpCodBar.h"
#include "printing/ui/ListaImpressoras.h"
#include "printing/ui/frmPrintDlg.h"
#include "stock/ui/FrmAlterarPMC.h"
#include "production/ui/FrmConfigProd.h"
#include "production/ui/FrmEliminarLote.h"
#include "production/ui/FrmImpFolhaLote.h"
#include "production/ui/FrmMedicoes.h"
#include "production/ui/FrmMovProducao.h"
#include "production/ui/FrmNomenclatura.h"
#include "production/ui/FrmMovProducaoNaHora.h"
#include "production/ui/FrmMovProducao_Processo.h"
#include "production/ui/FrmNomenclaturaNaHora.h"
#include "production/ui/FrmTabEquipamentos.h"
#include "production/ui/FrmVerCapacidade.h"
#include "production/ui/FrmImpNomenclatura.h"
#include "production/ui/FrmImpMapaProducao.h"
#include "production/ui/FrmImpMapaProducaoDisc.h"
#include "production/ui/FrmImpDiarioStk.h"
#include "production/ui/FrmImpDiarioProdNaHora.h"
#include "production/ui/FrmImpRelatorioProdInstantanea.h"
#include "production/ui/FrmGraficoEstatProd.h"
#include "production/ui/FrmRastreabilidade.h"
#include "production/Equipamentos.h"
#include "company/GlobalContext.h"
#include "db/Database.h"
#include "session/ui/FormAcessos.h"
#include "shell/ui/FrmAbout.h"
#include "session/ui/FrmAcessos.h"
#include "session/ui/FrmSegurancas.h"

#include <QApplication>
#include <algorithm>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>

WMenu::WMenu(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QMainWindow(pai), m_ctx(ctx), m_ui(ui), m_menu(ctx, ui) {
    setObjectName(QStringLiteral("WMenu"));
    setWindowTitle(Menu::TituloBase());

    m_area = new QMdiArea(this);
    m_area->setObjectName(QStringLiteral("mdiArea"));
    m_area->viewport()->installEventFilter(this);
    setCentralWidget(m_area);

    const char* nomes[4] = {"lblEmpresa", "lblUtilizador", "lblArmazem", "lblCaixa"};
    for (int i = 0; i < 4; ++i) {
        m_paineis[i] = new QLabel(this);
        m_paineis[i]->setObjectName(QLatin1String(nomes[i]));
        m_paineis[i]->setContentsMargins(6, 0, 6, 0);
        if (i == 0)
            statusBar()->addWidget(m_paineis[i], 1);
        else
            statusBar()->addPermanentWidget(m_paineis[i]);
    }

    construirMenus();

    tmrVersao = new QTimer(this);
    tmrVersao->setObjectName(QStringLiteral("tmrVersao"));
    tmrVersao->setInterval(IntervaloVersao);
    connect(tmrVersao, &QTimer::timeout, this, &WMenu::vigiarVersao);
    tmrPaineis = new QTimer(this);
    tmrPaineis->setObjectName(QStringLiteral("tmrPaineis"));
    tmrPaineis->setInterval(IntervaloPaineis);
    connect(tmrPaineis, &QTimer::timeout, this, &WMenu::actualizarPaineis);
    tmrEquipamentos = new QTimer(this);
    tmrEquipamentos->setObjectName(QStringLiteral("tmrEquipamentos"));
    tmrEquipamentos->setInterval(IntervaloAvisosEquipamentos);
    connect(tmrEquipamentos, &QTimer::timeout, this, &WMenu::verificarAvisosEquipamentos);

    resize(1024, 700);
}

void WMenu::construirMenus() {
    mnuMovimentos = menuBar()->addMenu(QStringLiteral("&Movimentos"));
    mnuMovimentos->setObjectName(QStringLiteral("mnuMovimentos"));
    QAction* nomenclatura = mnuMovimentos->addAction(QStringLiteral("Nomenclatura de Produtos"));
    nomenclatura->setObjectName(QStringLiteral("Nomenclatura"));
    connect(nomenclatura, &QAction::triggered, this, [this] {
        abrirJanela(new FrmNomenclatura(m_ctx, m_ui), QStringLiteral("frmNomenclatura"),
                    QStringLiteral("Nomenclatura de Produtos"));
    });
    QAction* executLotes = mnuMovimentos->addAction(QStringLiteral("Movimentos de Produção"));
    executLotes->setObjectName(QStringLiteral("ExecutLotes"));
    connect(executLotes, &QAction::triggered, this, [this] {
        abrirJanela(new FrmMovProducao(m_ctx, m_ui), QStringLiteral("frmMovProducao"),
                    QStringLiteral("Movimentos de Produção"));
    });
    QAction* eliminacaoLote = mnuMovimentos->addAction(QStringLiteral("Eliminação de Movimentos de Produção"));
    eliminacaoLote->setObjectName(QStringLiteral("EliminarLote"));
    connect(eliminacaoLote, &QAction::triggered, this, [this] {
        abrirJanela(new FrmEliminarLote(m_ctx, m_ui), QStringLiteral("frmEliminarLote"),
                    QStringLiteral("Eliminação de Lotes (com reposição)"));
    });
    QAction* producaoInst = mnuMovimentos->addAction(QStringLiteral("PRODUÇÃO INSTANTÂNEA"));
    producaoInst->setObjectName(QStringLiteral("mnuProducaoInst"));
    producaoInst->setEnabled(false); // a heading, not a command
    QAction* nomenclaturaInst = mnuMovimentos->addAction(QStringLiteral("Nomenclatura de Produtos"));
    nomenclaturaInst->setObjectName(QStringLiteral("NomenclaturaInstantanea"));
    connect(nomenclaturaInst, &QAction::triggered, this, [this] {
        abrirJanela(new FrmNomenclaturaNaHora(m_ctx, m_ui), QStringLiteral("frmNomenclaturaNaHora"),
                    QStringLiteral("Nomenclatura de Produtos (Produção instantânea)"));
    });
    QAction* movProducaoNaHora = mnuMovimentos->addAction(QStringLiteral("Movimentos de Produção Instantânea"));
    movProducaoNaHora->setObjectName(QStringLiteral("mnuMovProducaoNaHora"));
    connect(movProducaoNaHora, &QAction::triggered, this, [this] {
        abrirJanela(new FrmMovProducaoNaHora(m_ctx, m_ui), QStringLiteral("frmMovProducaoNaHora"),
                    QStringLiteral("Produção Instantânea"));
    });
    QAction* processos = mnuMovimentos->addAction(QStringLiteral("Processos para Produção"));
    processos->setObjectName(QStringLiteral("mnuProd_Processos"));
    connect(processos, &QAction::triggered, this, [this] {
        abrirJanela(new FrmMovProducao_Processo(m_ctx, m_ui), QStringLiteral("frmMovProducao_Processo"),
                    QStringLiteral("Processos para Produção"));
    });
    QAction* equipamentos = mnuMovimentos->addAction(QStringLiteral("Desmantelamento de Equipamentos"));
    equipamentos->setObjectName(QStringLiteral("mnuEquipamentos"));
    connect(equipamentos, &QAction::triggered, this, [this] {
        abrirJanela(new FrmTabEquipamentos(m_ctx, m_ui), QStringLiteral("frmTabEquipamentos"),
                    TabEquipamentos::Titulo());
    });
    mnuListagens = menuBar()->addMenu(QStringLiteral("&Listagens"));
    mnuListagens->setObjectName(QStringLiteral("mnuListagens"));
    QAction* previsao = mnuListagens->addAction(QStringLiteral("Previsão de Produção"));
    previsao->setObjectName(QStringLiteral("ProvisaoProd"));
    connect(previsao, &QAction::triggered, this, [this] {
        abrirJanela(new FrmVerCapacidade(m_ctx, m_ui), QStringLiteral("frmVerCapacidade"),
                    VerCapacidade::Titulo());
    });
    QAction* listaNomenclatura = mnuListagens->addAction(QStringLiteral("Nomenclaturas de Produtos"));
    listaNomenclatura->setObjectName(QStringLiteral("ListaNomenclatura"));
    connect(listaNomenclatura, &QAction::triggered, this, [this] {
        abrirJanela(new FrmImpNomenclatura(m_ctx, m_ui, false), QStringLiteral("frmImpNomenclatura"),
                    QStringLiteral("Nomenclatura de Produtos Acabados"));
    });
    QAction* folhaProd = mnuListagens->addAction(QStringLiteral("Folha de Produção"));
    folhaProd->setObjectName(QStringLiteral("FolhaProd"));
    connect(folhaProd, &QAction::triggered, this, [this] {
        abrirJanela(new FrmImpFolhaLote(m_ctx, m_ui), QStringLiteral("frmImpFolhaLote"),
                    QStringLiteral("Folha de Produção de Lote"));
    });
    QAction* mapa = mnuListagens->addAction(QStringLiteral("Mapa de Produção"));
    mapa->setObjectName(QStringLiteral("MapaProd"));
    connect(mapa, &QAction::triggered, this, [this] {
        abrirJanela(new FrmImpMapaProducao(m_ctx, m_ui), QStringLiteral("frmImpMapaProducao"),
                    QStringLiteral("Mapa de Produção"));
    });
    QAction* mapaDiscriminado = mnuListagens->addAction(QStringLiteral("Mapa de Produção Discriminado - Lotes"));
    mapaDiscriminado->setObjectName(QStringLiteral("MapaProdDiscrim"));
    connect(mapaDiscriminado, &QAction::triggered, this, [this] {
        abrirJanela(new FrmImpMapaProducaoDisc(m_ctx, m_ui), QStringLiteral("frmImpMapaProducaoDisc"),
                    ImpMapaProducaoDisc::Titulo());
    });
    QAction* analise = mnuListagens->addAction(QStringLiteral("Análise de Produtos (Grupo/Fam./Sub.)"));
    analise->setObjectName(QStringLiteral("ImpAnalGruFamSub"));
    connect(analise, &QAction::triggered, this, [this] {
        abrirJanela(new FrmImpDiarioStk(m_ctx, m_ui), QStringLiteral("frmImpDiarioStk"),
                    QStringLiteral("Análise de Produtos por Grupos/Familias/Subfamilias"));
    });
    QAction* diarioInst = mnuListagens->addAction(QStringLiteral("Diário de Produção Instantânea"));
    diarioInst->setObjectName(QStringLiteral("mnuImpDiarioProdInstantanea"));
    connect(diarioInst, &QAction::triggered, this, [this] {
        abrirJanela(new FrmImpDiarioProdNaHora(m_ctx, m_ui), QStringLiteral("frmImpDiarioProdNaHora"),
                    QStringLiteral("Diário de Produção Instantânea"));
    });
    QAction* relatorioInst = mnuListagens->addAction(QStringLiteral("Relatório de Produção Instantânea"));
    relatorioInst->setObjectName(QStringLiteral("mnuImpRelatorioIntantanea"));
    connect(relatorioInst, &QAction::triggered, this, [this] {
        abrirJanela(new FrmImpRelatorioProdInstantanea(m_ctx, m_ui), QStringLiteral("frmImpRelatorioProdInstantanea"),
                    QStringLiteral("Relatório de Produção Instantânea"));
    });
    QAction* grafico = mnuListagens->addAction(QStringLiteral("Gráfico Estatístico de Produção"));
    grafico->setObjectName(QStringLiteral("mnuGrafEstatProd"));
    connect(grafico, &QAction::triggered, this, [this] {
        abrirJanela(new FrmGraficoEstatProd(m_ctx, m_ui), QStringLiteral("frmGraficoEstatProd"),
                    QStringLiteral("Gráfico Estatístico de Produção"));
    });
    QAction* rastreabilidade = mnuListagens->addAction(FormRastreabilidade::Titulo());
    rastreabilidade->setObjectName(QStringLiteral("mnuRastreabilidade"));
    connect(rastreabilidade, &QAction::triggered, this, [this] {
        abrirJanela(new FrmRastreabilidade(m_ctx, m_ui), QStringLiteral("frmRastreabilidade"),
                    FormRastreabilidade::Titulo());
    });
    QAction* impCodBar = mnuListagens->addAction(QStringLiteral("Etiquetas de Código de Barras"));
    impCodBar->setObjectName(QStringLiteral("mnuImpCodBar"));
    connect(impCodBar, &QAction::triggered, this, [this] {
        abrirJanela(new FrmImpCodBar(m_ctx, m_ui), QStringLiteral("frmImpCodBar"),
                    QStringLiteral("Impressão de Etiquetas"));
    });
    mnuMovimentosMedicoes = menuBar()->addMenu(QStringLiteral("Movimentos (Medições)"));
    mnuMovimentosMedicoes->setObjectName(QStringLiteral("mnuMovimentosMedicoes"));
    QAction* nomenclaturaMedicoes =
        mnuMovimentosMedicoes->addAction(QStringLiteral("Nomenclatura de Produtos (Medições)"));
    nomenclaturaMedicoes->setObjectName(QStringLiteral("TabNomenclaturaMedicoes"));
    connect(nomenclaturaMedicoes, &QAction::triggered, this, [this] {
        abrirJanela(new FrmMedicoesTemplate(m_ctx, m_ui), QStringLiteral("frmMedicoesTemplate"),
                    QStringLiteral("Nomenclatura Base para Produtos Acabados"));
    });
    QAction* calculosMedicoes = mnuMovimentosMedicoes->addAction(QStringLiteral("Cálculos para Produção"));
    calculosMedicoes->setObjectName(QStringLiteral("CalculosNomenclaturaMedicoes"));
    connect(calculosMedicoes, &QAction::triggered, this, [this] {
        abrirJanela(new FrmMedicoesCalculos(m_ctx, m_ui), QStringLiteral("frmMedicoesCalculos"),
                    QStringLiteral("Cálculos para Produtos Acabados"));
    });
    mnuListagensMedicoes = menuBar()->addMenu(QStringLiteral("Listagens (Medições)"));
    mnuListagensMedicoes->setObjectName(QStringLiteral("mnuListagensMedicoes"));
    QAction* folhaProdMedicoes =
        mnuListagensMedicoes->addAction(QStringLiteral("Folha de Produção (Medições)"));
    folhaProdMedicoes->setObjectName(QStringLiteral("ImpFolhaProducaoMedicoes"));
    connect(folhaProdMedicoes, &QAction::triggered, this, [this] {
        abrirJanela(new FrmImpFolhaLoteMedicoes(m_ctx, m_ui), QStringLiteral("frmImpFolhaLoteMedicoes"),
                    QStringLiteral("Folha de Produção de Lote (Medições)"));
    });
    QAction* nomenclaturaMedicoesLista =
        mnuListagensMedicoes->addAction(QStringLiteral("Nomenclatura de Produtos (Medições)"));
    nomenclaturaMedicoesLista->setObjectName(QStringLiteral("ImpNomenclaturaMedicoes"));
    connect(nomenclaturaMedicoesLista, &QAction::triggered, this, [this] {
        abrirJanela(new FrmImpNomenclatura(m_ctx, m_ui, true), QStringLiteral("frmImpNomenclaturaMedicoes"),
                    QStringLiteral("Nomenclatura de Produtos Acabados (Medições)"));
    });
    mnuTabelas = menuBar()->addMenu(QStringLiteral("&Tabelas"));
    mnuTabelas->setObjectName(QStringLiteral("mnuTabelas"));
    for (const auto& t : TabelaComum::entradasMenu()) {
        QAction* a = mnuTabelas->addAction(t.titulo);
        a->setObjectName(QStringLiteral("mnuTabela_") + t.tabela);
        connect(a, &QAction::triggered, this, [this, t] {
            abrirJanela(new FrmTabelaComum(m_ctx, m_ui, t.tabela, t.titulo), QStringLiteral("frmTabelaComum"),
                        t.titulo);
        });
    }
    mnuUtilitarios = menuBar()->addMenu(QStringLiteral("&Utilitários"));
    mnuUtilitarios->setObjectName(QStringLiteral("mnuUtilitarios"));
    mnuAcessos = mnuUtilitarios->addAction(QStringLiteral("Manutenção de Acessos"));
    mnuAcessos->setObjectName(QStringLiteral("mnuAcessos"));
    connect(mnuAcessos, &QAction::triggered, this, &WMenu::abrirAcessos);
    QAction* mnuSegurancas = mnuUtilitarios->addAction(QStringLiteral("Cópias de Segurança"));
    mnuSegurancas->setObjectName(QStringLiteral("mnuSegurancas"));
    connect(mnuSegurancas, &QAction::triggered, this, [this] {
        if (!m_menu.mostraAcessos())
            return;
        for (QMdiSubWindow* sub : m_area->subWindowList())
            if (qobject_cast<FrmSegurancas*>(sub->widget())) {
                m_area->setActiveSubWindow(sub);
                return;
            }
        auto* janela = new FrmSegurancas(m_ctx, m_ui);
        if (!janela->Abrir(QString())) {
            delete janela;
            return;
        }
        abrirJanela(janela, QStringLiteral("frmSegurancas"), FrmSegurancas::Titulo);
    });
    QAction* configProd = mnuUtilitarios->addAction(QStringLiteral("Configuração de Produção"));
    configProd->setObjectName(QStringLiteral("ConfigProd"));
    connect(configProd, &QAction::triggered, this, [this] {
        abrirJanela(new FrmConfigProd(m_ctx, m_ui), QStringLiteral("frmConfigProd"),
                    QStringLiteral("Configuração de Produção"));
    });
    QAction* alteraPMC = mnuUtilitarios->addAction(QStringLiteral("Alteração de P.M.C. e U.P.C."));
    alteraPMC->setObjectName(QStringLiteral("AlteraPMC"));
    connect(alteraPMC, &QAction::triggered, this, [this] {
        abrirJanela(new FrmAlterarPMC(m_ctx, m_ui), QStringLiteral("frmAlterarPMC"),
                    QStringLiteral("Actualizar P.M.C. e U.P.C. <Produtos sem Compras>"));
    });
    QAction* etiquetas = mnuUtilitarios->addAction(QStringLiteral("Definição de Etiquetas"));
    etiquetas->setObjectName(QStringLiteral("mnuEtiquetas"));
    connect(etiquetas, &QAction::triggered, this, [this] {
        abrirJanela(new FrmEtiquetas(m_ctx, m_ui), QStringLiteral("frmEtiquetas"),
                    QStringLiteral("Definição de Etiquetas"));
    });
    QAction* mnuDefinirImpressoras = mnuUtilitarios->addAction(QStringLiteral("Definir Impressoras"));
    mnuDefinirImpressoras->setObjectName(QStringLiteral("mnuDefinirImpressoras"));
    connect(mnuDefinirImpressoras, &QAction::triggered, this, [this] {
        frmPrintDlg dlg(this);
        if (dlg.exec() == QDialog::Accepted && !dlg.impressora().isEmpty())
            ListaImpressoras::Guardar(dlg.impressora());
    });

    QAction* informa = menuBar()->addAction(QStringLiteral("Info..."));
    informa->setObjectName(QStringLiteral("Informa"));
    connect(informa, &QAction::triggered, this, &WMenu::mostrarInformacao);

    QAction* logOffAccao = menuBar()->addAction(QStringLiteral("Log &Off"));
    logOffAccao->setObjectName(QStringLiteral("LogOff"));
    connect(logOffAccao, &QAction::triggered, this, &WMenu::logOff);

    QAction* sairAccao = menuBar()->addAction(QStringLiteral("&Sair"));
    sairAccao->setObjectName(QStringLiteral("mnuSair"));
    connect(sairAccao, &QAction::triggered, this, &WMenu::sair);
}

void WMenu::definirSaidaUtilizador(std::function<void(GlobalContext&)> saida) {
    m_menu.definirSaidaUtilizador(std::move(saida));
}

bool WMenu::abrir() {
    setWindowTitle(m_menu.titulo());
    m_paineis[0]->setText(m_menu.painelEmpresa());
    m_paineis[1]->setText(m_menu.painelUtilizador());
    if (!m_menu.carregar())
        return false;
    actualizarPaineis();
    // The access editor is the supervisor's; the group shows only when it has entries.
    mnuAcessos->setVisible(m_menu.mostraAcessos());
    // Backups and restores are the supervisor's, like the access editor.
    if (auto* seg = findChild<QAction*>(QStringLiteral("mnuSegurancas")))
        seg->setVisible(m_menu.mostraAcessos());
    // A group shows only when it has an entry to offer.
    for (QMenu* grupo : {mnuMovimentos, mnuListagens, mnuMovimentosMedicoes, mnuListagensMedicoes, mnuTabelas,
                          mnuUtilitarios}) {
        bool algum = false;
        for (QAction* a : grupo->actions())
            algum = algum || (a->isVisible() && !a->isSeparator());
        grupo->menuAction()->setVisible(algum);
    }
    m_sair = false;
    show();
    tmrVersao->start();
    tmrPaineis->start();
    tmrEquipamentos->start();
    return true;
}

void WMenu::actualizarPaineis() {
    m_paineis[2]->setText(m_menu.painelArmazem());
    m_paineis[3]->setText(m_menu.painelCaixa());
}

void WMenu::vigiarVersao() {
    if (!m_menu.baseDadosMaisRecente())
        return;
    // Told once: the user cannot fix it from here and the message would pile up.
    tmrVersao->stop();
    if (isMinimized())
        showMaximized();
    m_menu.avisarVersaoSuperior();
}

bool WMenu::abrirJanela(QWidget* janela, const QString& form, const QString& caption) {
    const ResultadoFormAcessos r = m_menu.entrada(DescreverJanela(janela, form, caption));
    if (!r.permitido) {
        delete janela;
        return false;
    }
    AplicarBotoes(janela, r);
    janela->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = m_area->addSubWindow(janela);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->show();
    colocarJanela(sub, form);
    return true;
}

QString WMenu::chaveJanela(const QString& form) const {
    return QStringLiteral("Janelas/%1/%2/%3").arg(m_ctx.CodigoEmpresa, m_ctx.CodigoUtilizador, form);
}

void WMenu::colocarJanela(QMdiSubWindow* sub, const QString& form) {
    sub->setProperty("formJanela", form);
    sub->installEventFilter(this);
    const QRect guardada = QSettings().value(chaveJanela(form)).toRect();
    const QSize area = m_area->viewport()->size();
    QSize tamanho = guardada.isValid() ? guardada.size() : sub->size();
    // On a 1024 × 768 screen a window taller or wider than the area would hide its own buttons.
    if (area.width() > 100 && area.height() > 100)
        tamanho = tamanho.boundedTo(area);
    sub->resize(tamanho);
    if (guardada.isValid()) {
        const QPoint canto(std::clamp(guardada.x(), 0, std::max(0, area.width() - sub->width())),
                           std::clamp(guardada.y(), 0, std::max(0, area.height() - sub->height())));
        sub->move(canto);
    } else if (sub->x() + sub->width() > area.width() || sub->y() + sub->height() > area.height()) {
        sub->move(0, 0);
    }
}

void WMenu::guardarJanela(const QMdiSubWindow* sub) const {
    const QString form = sub->property("formJanela").toString();
    if (!form.isEmpty() && !sub->isMaximized() && !sub->isMinimized())
        QSettings().setValue(chaveJanela(form), sub->geometry());
}

QWidget* WMenu::janelaAvisosEquipamentos() const {
    for (QMdiSubWindow* sub : m_area->subWindowList())
        if (qobject_cast<FrmTabEquipamentosAvisos*>(sub->widget()))
            return sub->widget();
    return nullptr;
}

void WMenu::verificarAvisosEquipamentos() {
    if (!m_ctx.LigacaoEmpresa || !m_ctx.LigacaoEmpresa->isOpen())
        return;
    // Never in the middle of someone's work: a posting, a question, or the warnings already shown.
    if (m_ctx.bd().emTransaccao() || QApplication::activeModalWidget() || janelaAvisosEquipamentos())
        return;
    const auto n = ContaAvisosEquipamentos(m_ctx.bd(), m_ctx.CodigoUtilizador, QDate::currentDate());
    if (!n || *n <= 0)
        return;
    // The user's own warnings: no right is needed to see them.
    auto* janela = new FrmTabEquipamentosAvisos(m_ctx, m_ui);
    janela->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = m_area->addSubWindow(janela);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->show();
}

void WMenu::abrirAcessos() {
    if (!m_menu.mostraAcessos())
        return;
    for (QMdiSubWindow* sub : m_area->subWindowList())
        if (qobject_cast<FrmAcessos*>(sub->widget())) {
            m_area->setActiveSubWindow(sub);
            return;
        }
    abrirJanela(new FrmAcessos(m_ctx, m_ui), QStringLiteral("frmAcessos"), FrmAcessos::Titulo);
}

void WMenu::mostrarInformacao() {
    FrmAbout about(m_menu.informacao(), this);
    about.exec();
}

void WMenu::logOff() {
    close();
}

void WMenu::sair() {
    m_sair = true;
    if (!close())
        m_sair = false;
}

void WMenu::closeEvent(QCloseEvent* e) {
    if (m_menu.carregado()) {
        // A window that refuses to close (work not saved) keeps the session open.
        m_area->closeAllSubWindows();
        if (!m_area->subWindowList().isEmpty()) {
            e->ignore();
            return;
        }
        tmrVersao->stop();
        tmrPaineis->stop();
        tmrEquipamentos->stop();
        // The exit backup needs the company connection, which fechar() closes.
        if (m_ctx.LigacaoEmpresa && m_ctx.LigacaoEmpresa->isOpen() && !m_ctx.CodigoUtilizador.isEmpty())
            SegurancaAutomatica(m_ctx, m_ui, QStringLiteral("Saida"), this);
        m_menu.fechar();
        e->accept();
        emit sessaoTerminada();
        if (m_sair)
            emit programaTerminado();
        return;
    }
    e->accept();
}

bool WMenu::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::Close)
        if (auto* sub = qobject_cast<QMdiSubWindow*>(o))
            guardarJanela(sub);
    if (o == m_area->viewport() && e->type() == QEvent::MouseButtonDblClick && m_menu.carregado()) {
        m_menu.actualizacoesProducao();
        return true;
    }
    return QMainWindow::eventFilter(o, e);
}

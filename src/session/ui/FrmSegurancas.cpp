#include "session/ui/FrmSegurancas.h"
#include "controls/ui/Teclado.h"

#include "controls/ui/CriarControlos.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
// Caption and width (twips) of each column of a layout string "Nome,largura,alinhamento,,campo/".
void aplicarLayout(QTreeWidget* lista, const QString& layout) {
    QStringList titulos;
    QList<int> larguras;
    for (const QString& coluna : layout.split(u'/', Qt::SkipEmptyParts)) {
        const QStringList partes = coluna.split(u',');
        titulos << partes.value(0).trimmed();
        larguras << partes.value(1).trimmed().toInt() / 15;
    }
    lista->setColumnCount(int(titulos.size()));
    lista->setHeaderLabels(titulos);
    for (int i = 0; i < larguras.size(); ++i) {
        lista->setColumnWidth(i, larguras.at(i));
        lista->setColumnHidden(i, larguras.at(i) == 0);
    }
}
} // namespace

FrmSegurancas::FrmSegurancas(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QDialog(pai), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmSegurancas"));
    setWindowTitle(Titulo);
    construir();
    PrepararTeclado(this);
}

void FrmSegurancas::construir() {
    tabPaginas = criarControlo<QTabWidget>(this, "tabPaginas");

    pagSeguranca = criarControlo<QWidget>(tabPaginas, "pagSeguranca");
    lblEmpresa = criarRotulo(pagSeguranca, "lblEmpresa");
    lblInfo = criarRotulo(pagSeguranca, "lblInfo");
    lblEstado = criarRotulo(pagSeguranca, "lblEstado");
    txtPath_Files = criarControlo<QLineEdit>(pagSeguranca, "txtPath_Files");
    cmdPasta = criarBotaoSemEnter(pagSeguranca, "cmdPasta", QStringLiteral("..."));
    cmdSeguranca = criarBotaoSemEnter(pagSeguranca, "cmdSeguranca", QStringLiteral("&Efectuar Segurança"));
    lvwHistorico = criarControlo<QTreeWidget>(pagSeguranca, "lvwHistorico");
    lvwHistorico->setRootIsDecorated(false);
    aplicarLayout(lvwHistorico, Segurancas::Layout);
    auto* g = new QGridLayout(pagSeguranca);
    g->addWidget(lblEmpresa, 0, 0, 1, 3);
    g->addWidget(lblInfo, 1, 0, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Localização dos ficheiros"), pagSeguranca), 2, 0);
    g->addWidget(txtPath_Files, 2, 1);
    g->addWidget(cmdPasta, 2, 2);
    g->addWidget(cmdSeguranca, 3, 0);
    g->addWidget(lblEstado, 3, 1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Histórico"), pagSeguranca), 4, 0);
    g->addWidget(lvwHistorico, 5, 0, 1, 3);
    tabPaginas->addTab(pagSeguranca, QStringLiteral("Segurança"));

    pagRepor = criarControlo<QWidget>(tabPaginas, "pagRepor");
    txtFicheiroRepor = criarControlo<QLineEdit>(pagRepor, "txtFicheiroRepor");
    txtFicheiroRepor->setReadOnly(true);
    cmdFicheiroRepor = criarBotaoSemEnter(pagRepor, "cmdFicheiroRepor", QStringLiteral("..."));
    lblInfoCopia = criarRotulo(pagRepor, "lblInfoCopia");
    txtNovoCodigo = criarControlo<QLineEdit>(pagRepor, "txtNovoCodigo");
    txtNovoCodigo->setMaxLength(4);
    cmdRepor = criarBotaoSemEnter(pagRepor, "cmdRepor", QStringLiteral("&Repor"));
    auto* r = new QGridLayout(pagRepor);
    r->addWidget(new QLabel(QStringLiteral("Ficheiro de Segurança"), pagRepor), 0, 0);
    r->addWidget(txtFicheiroRepor, 0, 1);
    r->addWidget(cmdFicheiroRepor, 0, 2);
    r->addWidget(lblInfoCopia, 1, 0, 1, 3);
    r->addWidget(new QLabel(QStringLiteral("Código da nova empresa"), pagRepor), 2, 0);
    r->addWidget(txtNovoCodigo, 2, 1);
    r->addWidget(cmdRepor, 3, 0);
    r->setRowStretch(4, 1);
    tabPaginas->addTab(pagRepor, QStringLiteral("Reposição"));

    cmdFechar = criarBotaoSemEnter(this, "cmdFechar", QStringLiteral("&Fechar"));
    auto* principal = new QVBoxLayout(this);
    principal->addWidget(tabPaginas);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(cmdFechar);
    principal->addLayout(botoes);
    resize(760, 480);

    connect(txtPath_Files, &QLineEdit::editingFinished, this,
            [this] { m_logica.txtPath_Files = txtPath_Files->text(); });
    connect(cmdPasta, &QPushButton::clicked, this, [this] {
        m_logica.cmdPasta_Click();
        daLogica();
    });
    connect(cmdSeguranca, &QPushButton::clicked, this, [this] {
        m_logica.txtPath_Files = txtPath_Files->text();
        cmdSeguranca->setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_logica.cmdSeguranca_Click();
        QApplication::restoreOverrideCursor();
        cmdSeguranca->setEnabled(true);
        daLogica();
        if (m_logica.fechar())
            close();
    });
    connect(cmdFicheiroRepor, &QPushButton::clicked, this, [this] {
        m_logica.cmdFicheiroRepor_Click();
        daLogica();
    });
    connect(cmdRepor, &QPushButton::clicked, this, [this] {
        m_logica.txtNovoCodigo = txtNovoCodigo->text();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_logica.cmdRepor_Click();
        QApplication::restoreOverrideCursor();
        daLogica();
    });
    connect(cmdFechar, &QPushButton::clicked, this, &QWidget::close);
}

bool FrmSegurancas::Abrir(const QString& accao, const QString& modo, const QDateTime& quando) {
    if (!m_logica.Abrir(accao, modo, quando))
        return false;
    const bool automatico = m_logica.automatico();
    // Automatic: only the backup, as the schedule asked.
    tabPaginas->setTabVisible(tabPaginas->indexOf(pagRepor), !automatico);
    tabPaginas->setCurrentWidget(pagSeguranca);
    daLogica();
    return true;
}

void FrmSegurancas::daLogica() {
    lblEmpresa->setText(m_logica.lblEmpresa);
    lblInfo->setText(m_logica.lblInfo);
    lblEstado->setText(m_logica.lblEstado);
    txtPath_Files->setText(m_logica.txtPath_Files);
    txtFicheiroRepor->setText(m_logica.txtFicheiroRepor);
    lblInfoCopia->setText(m_logica.lblInfoCopia);
    lvwHistorico->clear();
    for (const LinhaHistoricoSeguranca& l : m_logica.lvwHistorico) {
        auto* item = new QTreeWidgetItem(lvwHistorico, QStringList{l.accao, l.data, l.hora, l.utilizador,
                                                                   l.utilizadorLogin, l.posto, l.ficheiro});
        item->setTextAlignment(1, Qt::AlignCenter);
        item->setTextAlignment(2, Qt::AlignCenter);
    }
}

void FrmSegurancas::closeEvent(QCloseEvent* e) {
    m_logica.txtPath_Files = txtPath_Files->text();
    m_logica.Fechar();
    QDialog::closeEvent(e);
}

// Esc and the dialog's own endings close it too: the refusal is recorded the same way.
void FrmSegurancas::done(int r) {
    m_logica.txtPath_Files = txtPath_Files->text();
    m_logica.Fechar();
    QDialog::done(r);
}

bool SegurancaAutomatica(GlobalContext& ctx, UserInteraction& ui, const QString& accao, QWidget* pai) {
    FrmSegurancas janela(ctx, ui, pai);
    if (!janela.Abrir(accao, QStringLiteral("AUTO")))
        return false;
    janela.exec();
    return true;
}

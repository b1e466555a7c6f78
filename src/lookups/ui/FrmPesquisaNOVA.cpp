#include "lookups/ui/FrmPesquisaNOVA.h"

#include "lookups/ListaDados.h"
#include "lookups/PesquisaNOVA.h"
#include "lookups/ui/ListaVista.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

FrmPesquisaNOVA::FrmPesquisaNOVA(PesquisaNOVA& pesquisa, QWidget* pai) : QDialog(pai), m_logica(pesquisa) {
    setObjectName(QStringLiteral("PesquisaNOVA"));
    const QString titulo = pesquisa.definicao().titulo;
    setWindowTitle(titulo.isEmpty() ? PesquisaNOVA::Caption() : titulo);
    setModal(true);

    fraPesquisa = new QFrame(this);
    fraPesquisa->setObjectName(QStringLiteral("fraPesquisa"));
    auto* grelha = new QGridLayout(fraPesquisa);
    cmbCampos = new QComboBox(fraPesquisa);
    cmbCampos->setObjectName(QStringLiteral("cmbCampos"));
    cmbCampos->addItems(pesquisa.camposCombo());
    cmbCampos->setCurrentIndex(pesquisa.campoEscolhido());
    txtChave = new QLineEdit(pesquisa.chave(), fraPesquisa);
    txtChave->setObjectName(QStringLiteral("txtChave"));
    cmdProcura = new QPushButton(QStringLiteral("&Procurar"), fraPesquisa);
    cmdProcura->setObjectName(QStringLiteral("cmdProcura"));
    cmdProcura->setToolTip(QStringLiteral("Procurar Registos com nova pesquisa"));
    cmdProcura->setAutoDefault(false);
    chkTiraAcentos = new QCheckBox(QStringLiteral("Ignorar acentos"), fraPesquisa);
    chkTiraAcentos->setObjectName(QStringLiteral("chkTiraAcentos"));
    chkTiraAcentos->setChecked(pesquisa.tiraAcentos());
    txtRegVer = new QLineEdit(pesquisa.registosVer(), fraPesquisa);
    txtRegVer->setObjectName(QStringLiteral("txtRegVer"));
    txtRegVer->setMaximumWidth(100);
    grelha->addWidget(new QLabel(QStringLiteral("Campo"), fraPesquisa), 0, 0);
    grelha->addWidget(cmbCampos, 0, 1);
    grelha->addWidget(new QLabel(QStringLiteral("Chave"), fraPesquisa), 0, 2);
    grelha->addWidget(txtChave, 0, 3);
    grelha->addWidget(cmdProcura, 0, 4);
    grelha->addWidget(chkTiraAcentos, 1, 1);
    grelha->addWidget(new QLabel(QStringLiteral("Registos a visualizar"), fraPesquisa), 1, 2);
    grelha->addWidget(txtRegVer, 1, 3);
    fraPesquisa->setVisible(pesquisa.mostraPainelPesquisa());

    lvwLista = new ListaVista(this);
    lvwLista->setObjectName(QStringLiteral("lvwLista"));
    lvwLista->setLista(&pesquisa.lista());
    if (pesquisa.definicao().tamanhoLetra > 0) {
        QFont f = lvwLista->font();
        f.setPointSize(pesquisa.definicao().tamanhoLetra);
        lvwLista->setFont(f);
    }
    if (pesquisa.definicao().multiSelecao) {
        QPalette p = lvwLista->palette();
        p.setColor(QPalette::Text, QColor(0x00, 0x00, 0x80));
        lvwLista->setPalette(p);
        lvwLista->setToolTip(QStringLiteral("Permite Multi-Seleccção"));
    }

    TotReg = new QLabel(this);
    TotReg->setObjectName(QStringLiteral("TotReg"));
    prgBarra = new QProgressBar(this);
    prgBarra->setObjectName(QStringLiteral("prgBarra"));
    prgBarra->setTextVisible(false);
    Selecionar = new QPushButton(QStringLiteral("&Selecionar"), this);
    Selecionar->setObjectName(QStringLiteral("Selecionar"));
    Selecionar->setAutoDefault(false);
    Cancelar = new QPushButton(QStringLiteral("&Fechar"), this);
    Cancelar->setObjectName(QStringLiteral("Cancelar"));
    Cancelar->setAutoDefault(false);

    auto* rodape = new QHBoxLayout;
    rodape->addWidget(TotReg);
    rodape->addWidget(prgBarra, 1);
    rodape->addWidget(Selecionar);
    rodape->addWidget(Cancelar);
    auto* principal = new QVBoxLayout(this);
    principal->addWidget(fraPesquisa);
    principal->addWidget(lvwLista, 1);
    principal->addLayout(rodape);
    resize(760, 480);

    connect(cmbCampos, &QComboBox::currentIndexChanged, this, [this](int i) { m_logica.escolherCampo(i); });
    connect(txtChave, &QLineEdit::textEdited, this, [this](const QString& t) { m_logica.definirChave(t); });
    connect(txtRegVer, &QLineEdit::editingFinished, this, [this] {
        m_logica.definirRegistosVer(txtRegVer->text());
        m_logica.txtRegVer_LostFocus();
        txtRegVer->setText(m_logica.registosVer());
    });
    connect(chkTiraAcentos, &QCheckBox::toggled, this, [this](bool v) {
        m_logica.definirTiraAcentos(v);
        txtChave->setFocus();
    });
    connect(cmdProcura, &QPushButton::clicked, this, &FrmPesquisaNOVA::cmdProcura_Click);
    connect(Selecionar, &QPushButton::clicked, this, &FrmPesquisaNOVA::Selecionar_Click);
    connect(Cancelar, &QPushButton::clicked, this, &FrmPesquisaNOVA::Cancelar_Click);
    connect(lvwLista, &ListaVista::linhaActivada, this, [this](int) { Selecionar_Click(); });

    cmbCampos->installEventFilter(this);
    txtChave->installEventFilter(this);
    txtRegVer->installEventFilter(this);
    lvwLista->installEventFilter(this);

    mostrarResultado();
    if (m_logica.lista().numLinhas() > 0)
        m_logica.lista().lvw_SelectLinha(0);
    (pesquisa.mostraPainelPesquisa() ? static_cast<QWidget*>(txtChave) : lvwLista)->setFocus();
}

void FrmPesquisaNOVA::mostrarResultado() {
    TotReg->setText(m_logica.textoTotal());
    const qint64 limite = m_logica.limiteRegistos();
    prgBarra->setRange(
        0, int(std::min<qint64>(m_logica.totalRegistos(), std::min<qint64>(limite + 1, INT_MAX))));
    prgBarra->setValue(m_logica.linhas());
    lvwLista->aplicarLarguras();
}

void FrmPesquisaNOVA::cmdProcura_Click() {
    m_logica.definirChave(txtChave->text());
    m_logica.definirRegistosVer(txtRegVer->text());
    m_logica.txtRegVer_LostFocus();
    txtRegVer->setText(m_logica.registosVer());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    prgBarra->setValue(0);
    m_logica.cmdProcura_Click();
    QApplication::restoreOverrideCursor();
    txtChave->setText(m_logica.chave());
    mostrarResultado();
    if (m_logica.lista().numLinhas() > 0)
        m_logica.lista().lvw_SelectLinha(0);
    lvwLista->setFocus();
}

void FrmPesquisaNOVA::Selecionar_Click() {
    if (m_logica.lista().numLinhas() == 0)
        return;
    if (m_logica.Selecionar())
        accept();
}

void FrmPesquisaNOVA::Cancelar_Click() {
    m_logica.Cancelar();
    reject();
}

void FrmPesquisaNOVA::done(int r) {
    if (r != QDialog::Accepted)
        m_logica.Cancelar();
    QDialog::done(r);
}

bool FrmPesquisaNOVA::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        if (enter && o == cmbCampos) {
            txtChave->setFocus();
            return true;
        }
        if (enter && o == txtChave) {
            cmdProcura_Click();
            return true;
        }
        if (enter && o == txtRegVer) {
            cmdProcura_Click();
            return true;
        }
        if (o == lvwLista && k->key() == Qt::Key_Menu && m_logica.definicao().multiSelecao) {
            m_logica.lista().lvw_LISTA_Inverte_Check();
            return true;
        }
    } else if (e->type() == QEvent::FocusIn && o == txtRegVer) {
        QMetaObject::invokeMethod(txtRegVer, &QLineEdit::selectAll, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(o, e);
}

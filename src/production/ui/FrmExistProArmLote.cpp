#include "production/ui/FrmExistProArmLote.h"

#include "production/FormatoQuantidade.h"
#include "company/GlobalContext.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

FrmExistProArmLote::FrmExistProArmLote(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QDialog(pai), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmExistProArmLote"));
    setWindowTitle(QStringLiteral("Lotes disponiveis p/ Armazém"));
    auto* l = new QVBoxLayout(this);
    lblTitulo = new QLabel(this);
    lblTitulo->setObjectName(QStringLiteral("lblTitulo"));
    l->addWidget(lblTitulo);
    auto* formulas = new QHBoxLayout;
    opt1 = new QRadioButton(QStringLiteral("&1 FIFO"), this);
    opt2 = new QRadioButton(QStringLiteral("&2 LIFO"), this);
    opt3 = new QRadioButton(QStringLiteral("&3 Livre"), this);
    for (QRadioButton* o : {opt1, opt2, opt3}) {
        o->setEnabled(false);
        formulas->addWidget(o);
    }
    lblDica = new QLabel(this);
    formulas->addWidget(lblDica, 1);
    l->addLayout(formulas);
    lvwLista = new QTreeWidget(this);
    lvwLista->setObjectName(QStringLiteral("lvwLista"));
    lvwLista->setRootIsDecorated(false);
    lvwLista->setHeaderLabels({QStringLiteral("Ctrl Int."), QStringLiteral("Lote"), QStringLiteral("Descrição"),
                               QStringLiteral("Dt Fabrico"), QStringLiteral("Dt Validade"), QStringLiteral("Existência"),
                               QStringLiteral("Localização")});
    lvwLista->hideColumn(0);
    lvwLista->hideColumn(2);
    l->addWidget(lvwLista);
    lblSomaQTY = new QLabel(this);
    l->addWidget(lblSomaQTY);
    auto* manual = new QHBoxLayout;
    txtLote = new QLineEdit(this);
    txtLote->setObjectName(QStringLiteral("txtLote"));
    txtDataFabrico = new QLineEdit(this);
    txtDataFabrico->setObjectName(QStringLiteral("txtDataFabrico"));
    txtDataValidade = new QLineEdit(this);
    txtDataValidade->setObjectName(QStringLiteral("txtDataValidade"));
    manual->addWidget(new QLabel(QStringLiteral("Lote")));
    manual->addWidget(txtLote);
    manual->addWidget(new QLabel(QStringLiteral("Dt Fabrico")));
    manual->addWidget(txtDataFabrico);
    manual->addWidget(new QLabel(QStringLiteral("Dt Validade")));
    manual->addWidget(txtDataValidade);
    l->addLayout(manual);
    auto* botoes = new QHBoxLayout;
    cmdSeleccionar = new QPushButton(QStringLiteral("&Seleccionar"), this);
    cmdSeleccionar->setObjectName(QStringLiteral("cmdSeleccionar"));
    cmdFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    cmdFechar->setObjectName(QStringLiteral("cmdFechar"));
    botoes->addStretch();
    botoes->addWidget(cmdSeleccionar);
    botoes->addWidget(cmdFechar);
    l->addLayout(botoes);

    connect(lvwLista, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* i) {
        if (!i)
            return;
        m_logica.clicarLinha(lvwLista->indexOfTopLevelItem(i));
        txtLote->setText(m_logica.txtLote);
        txtDataFabrico->setText(DataVisivel(m_logica.txtDataFabrico));
        txtDataValidade->setText(DataVisivel(m_logica.txtDataValidade));
    });
    connect(lvwLista, &QTreeWidget::itemDoubleClicked, this, [this] { seleccionar(); });
    connect(txtLote, &QLineEdit::editingFinished, this, [this] {
        if (!txtLote->isEnabled() || txtLote->text().trimmed() == m_logica.txtLote)
            return;
        m_logica.loteDigitado(txtLote->text());
        txtDataFabrico->setText(DataVisivel(m_logica.txtDataFabrico));
        txtDataValidade->setText(DataVisivel(m_logica.txtDataValidade));
    });
    connect(cmdSeleccionar, &QPushButton::clicked, this, &FrmExistProArmLote::seleccionar);
    connect(cmdFechar, &QPushButton::clicked, this, &FrmExistProArmLote::fechar);
}

void FrmExistProArmLote::mostrar() {
    lblTitulo->setText(m_logica.titulo());
    opt1->setChecked(m_logica.formula() == ExistProArmLote::Formula::FIFO);
    opt2->setChecked(m_logica.formula() == ExistProArmLote::Formula::LIFO);
    opt3->setChecked(m_logica.formula() == ExistProArmLote::Formula::Livre);
    lblDica->setText(m_logica.dica());
    lblSomaQTY->setText(QStringLiteral("Soma de Qty para este produto neste documento: ") +
                        formatarNumeroPT(m_logica.txtSomaQTY, 2));
    lvwLista->clear();
    const int colunaNegrito = m_logica.controloData() == 1 ? 3 : m_logica.controloData() == 2 ? 4 : -1;
    for (const auto& l : m_logica.linhas()) {
        auto* i = new QTreeWidgetItem(lvwLista, {l.ctrlInt, l.lote, l.descricao, DataVisivel(l.dataFabrico),
                                                 DataVisivel(l.dataValidade), formatarNumeroPT(l.existencia, 2),
                                                 l.localizacao});
        for (int c : {3, 4, 6})
            i->setTextAlignment(c, Qt::AlignCenter);
        i->setTextAlignment(5, Qt::AlignRight | Qt::AlignVCenter);
        if (colunaNegrito > 0) {
            QFont f = i->font(colunaNegrito);
            f.setBold(true);
            i->setFont(colunaNegrito, f);
        }
    }
    if (m_logica.linhaActual() >= 0)
        lvwLista->setCurrentItem(lvwLista->topLevelItem(m_logica.linhaActual()));
    for (QLineEdit* e : {txtLote, txtDataFabrico, txtDataValidade})
        e->setEnabled(m_logica.areaManual());
}

int FrmExistProArmLote::exec() {
    m_escolhido = false;
    mostrar();
    const int dado = m_logica.linhaDoLoteDado();
    if (dado >= 0) {
        lvwLista->setCurrentItem(lvwLista->topLevelItem(dado));
        QTimer::singleShot(0, this, &FrmExistProArmLote::seleccionar);
    }
    const int r = QDialog::exec();
    // Esc, Enter in the list or the window closed: no choice.
    if (!m_escolhido)
        m_logica.fechar();
    return r;
}

void FrmExistProArmLote::aplicarResultado(ExistProArmLote::Resultado r) {
    using R = ExistProArmLote::Resultado;
    switch (r) {
    case R::Escolhido:
        m_escolhido = true;
        accept();
        break;
    case R::FocoLote: txtLote->setFocus(); break;
    case R::FocoDataFabrico: txtDataFabrico->setFocus(); break;
    case R::FocoDataValidade: txtDataValidade->setFocus(); break;
    case R::FocoFechar: cmdFechar->setFocus(); break;
    case R::FocoLista:
    case R::Recusado: lvwLista->setFocus(); break;
    }
}

void FrmExistProArmLote::seleccionar() {
    if (m_logica.areaManual()) {
        m_logica.txtLote = txtLote->text().trimmed();
        m_logica.txtDataFabrico = DataParaGravar(txtDataFabrico->text());
        m_logica.txtDataValidade = DataParaGravar(txtDataValidade->text());
    }
    aplicarResultado(m_logica.seleccionar());
}

void FrmExistProArmLote::fechar() {
    m_logica.fechar();
    reject();
}

void FrmExistProArmLote::closeEvent(QCloseEvent* e) {
    if (!m_escolhido)
        m_logica.fechar();
    QDialog::closeEvent(e);
}

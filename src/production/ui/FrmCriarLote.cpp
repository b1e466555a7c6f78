#include "production/ui/FrmCriarLote.h"
#include "controls/ui/CriarControlos.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

FrmCriarLote::FrmCriarLote(GlobalContext& ctx, UserInteraction& ui, QWidget* pai) : QDialog(pai), m_logica(ctx, ui) {
    setObjectName(::CriarLote::NomeForm());
    setWindowTitle(::CriarLote::Titulo());
    auto* raiz = new QVBoxLayout(this);
    auto* f = new QFormLayout;
    auto novo = [this](const char* nome) { return criarControlo<QLineEdit>(this, nome); };
    txtProduto = novo("txtProduto");
    lblDescProduto = new QLabel(this);
    auto* p = new QHBoxLayout;
    p->addWidget(txtProduto);
    p->addWidget(lblDescProduto, 1);
    f->addRow(QStringLiteral("Produto"), p);
    txtLote = novo("txtLote");
    txtDescricao = novo("txtDescricao");
    txtDataFabrico = novo("txtDataFabrico");
    txtDataValidade = novo("txtDataValidade");
    txtSaftArcNo = novo("txtSaftArcNo");
    txtSaftArcNo->setToolTip(QStringLiteral("Código atribuido após a validação do documento administrativo electrónico e-DA"));
    f->addRow(QStringLiteral("Lote"), txtLote);
    f->addRow(QStringLiteral("Descrição"), txtDescricao);
    f->addRow(QStringLiteral("Data Fabrico"), txtDataFabrico);
    f->addRow(QStringLiteral("Data Validade"), txtDataValidade);
    f->addRow(QStringLiteral("Código e-DA"), txtSaftArcNo);
    raiz->addLayout(f);
    chkGravarUltimoLote = new QCheckBox(QStringLiteral("G&uardar o Último Lote movimentado"), this);
    chkGravarUltimoLote->setObjectName(QStringLiteral("chkGravarUltimoLote"));
    raiz->addWidget(chkGravarUltimoLote);
    fraLotesDocumento = new QGroupBox(QStringLiteral("Lotes Movimentados no Documento Actual    (L)"), this);
    fraLotesDocumento->setCheckable(true);
    auto* fl = new QVBoxLayout(fraLotesDocumento);
    lvwLotes = new QTreeWidget(fraLotesDocumento);
    lvwLotes->setRootIsDecorated(false);
    lvwLotes->setHeaderLabels({QStringLiteral("Lote"), QStringLiteral("Descrição"), QStringLiteral("Dt Fabrico"),
                               QStringLiteral("Dt Validade")});
    fl->addWidget(lvwLotes);
    raiz->addWidget(fraLotesDocumento);
    auto* b = new QHBoxLayout;
    auto* cmdGravar = new QPushButton(QStringLiteral("&Gravar"), this);
    cmdGravar->setObjectName(QStringLiteral("cmdGravar"));
    auto* cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    b->addStretch();
    b->addWidget(cmdGravar);
    b->addWidget(cmdCancelar);
    raiz->addLayout(b);

    connect(txtProduto, &QLineEdit::editingFinished, this, [this] {
        m_logica.txtProduto = txtProduto->text();
        m_logica.produtoSaiu();
        txtProduto->setText(m_logica.txtProduto);
        lblDescProduto->setText(m_logica.txtDescProduto);
    });
    for (QLineEdit* d : {txtDataFabrico, txtDataValidade})
        connect(d, &QLineEdit::editingFinished, this, [d] { d->setText(::CriarLote::formatarData(d->text())); });
    connect(txtDescricao, &QLineEdit::editingFinished, this, [this] {
        if (txtDescricao->text().trimmed().isEmpty())
            txtDescricao->setText(txtLote->text());
    });
    connect(lvwLotes, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* i) {
        ler();
        m_logica.clicarLoteDocumento(lvwLotes->indexOfTopLevelItem(i));
        mostrar();
    });
    connect(cmdGravar, &QPushButton::clicked, this, [this] {
        ler();
        if (m_logica.gravar()) {
            accept();
            return;
        }
        using C = ::CriarLote::Campo;
        switch (m_logica.campoFoco()) {
        case C::Produto: txtProduto->setFocus(); break;
        case C::Lote: txtLote->setFocus(); break;
        case C::Descricao: txtDescricao->setFocus(); break;
        case C::DataFabrico: txtDataFabrico->setFocus(); break;
        case C::DataValidade: txtDataValidade->setFocus(); break;
        case C::Nenhum: break;
        }
    });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] {
        m_logica.cancelar();
        reject();
    });
    m_logica.carregarDefinicoes();
    chkGravarUltimoLote->setChecked(m_logica.chkGravarUltimoLote);
}

void FrmCriarLote::ler() {
    m_logica.txtProduto = txtProduto->text();
    m_logica.txtLote = txtLote->text();
    m_logica.txtDescricao = txtDescricao->text();
    m_logica.txtDataFabrico = txtDataFabrico->text();
    m_logica.txtDataValidade = txtDataValidade->text();
    m_logica.txtSaftArcNo = txtSaftArcNo->text();
    m_logica.chkGravarUltimoLote = chkGravarUltimoLote->isChecked();
}

void FrmCriarLote::mostrar() {
    txtProduto->setText(m_logica.txtProduto);
    lblDescProduto->setText(m_logica.txtDescProduto);
    txtLote->setText(m_logica.txtLote);
    txtDescricao->setText(m_logica.txtDescricao);
    txtDataFabrico->setText(m_logica.txtDataFabrico);
    txtDataValidade->setText(m_logica.txtDataValidade);
    fraLotesDocumento->setVisible(m_logica.mostrarLotesDocumento());
    fraLotesDocumento->setChecked(true);
    lvwLotes->clear();
    for (const auto& l : m_logica.lotesDocumento())
        new QTreeWidgetItem(lvwLotes, {l.lote, l.descricao, l.dataFabrico, l.dataValidade});
}

void FrmCriarLote::CriarLote(QString& lote, QString& dataFabrico, QString& dataValidade, const QString& produto,
                             const QString& tipo, const QString& terceiro, QString& descricao) {
    m_logica.chkGravarUltimoLote = chkGravarUltimoLote->isChecked();
    m_logica.criar(lote, dataFabrico, dataValidade, produto, tipo, terceiro, descricao);
    mostrar();
    if (exec() != QDialog::Accepted)
        m_logica.cancelar();
    m_logica.devolver(lote, dataFabrico, dataValidade, descricao);
}

QString FrmCriarLote::criarLote(GlobalContext& ctx, UserInteraction& ui, const QString& produto, QWidget* pai) {
    FrmCriarLote f(ctx, ui, pai);
    QString lote, fabrico, validade, descricao;
    f.CriarLote(lote, fabrico, validade, produto, {}, {}, descricao);
    return f.logica().cancelado() ? QString() : lote;
}

void FrmCriarLote::done(int r) {
    m_logica.chkGravarUltimoLote = chkGravarUltimoLote->isChecked();
    m_logica.guardarDefinicoes();
    QDialog::done(r);
}

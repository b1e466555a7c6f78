#include "production/ui/FrmConfigProd.h"
#include "controls/ui/Teclado.h"
#include "controls/ui/CriarControlos.h"

#include "lookups/PesquisaTabelas.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

FrmConfigProd::FrmConfigProd(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmConfigProd"));
    setWindowTitle(ConfigProd::Titulo());
    auto* raiz = new QVBoxLayout(this);
    auto* f = new QFormLayout;
    auto novo = [this](const char* nome) { return criarControlo<QLineEdit>(this, nome); };
    txtTipoSaida = novo("txtTipoSaida");
    txtTipoent = novo("txtTipoent");
    txtTiporet = novo("txtTiporet");
    txtTipoRef = novo("txtTipoRef");
    txtProcesso_TipoSaida = novo("txtProcesso_TipoSaida");
    txtProcesso_TipoRet = novo("txtProcesso_TipoRet");
    txtFornece = novo("txtFornece");
    txtCliente = novo("txtCliente");
    txtUltLote = novo("txtUltLote");
    txtCasasDec = new QSpinBox(this);
    txtCasasDec->setObjectName(QStringLiteral("txtCasasDec"));
    txtCasasDec->setRange(0, 4);
    f->addRow(QStringLiteral("Tipo Mov. Saida Matéria Prima                            (S+)"), txtTipoSaida);
    f->addRow(QStringLiteral("Tipo Mov. Entrada Produto Acabado                  (E+)"), txtTipoent);
    f->addRow(QStringLiteral("Tipo Mov. Retorno Matéria Prima                        (S- )"), txtTiporet);
    f->addRow(QStringLiteral("Tipo Mov. Reforço Matéria prima                        (S+)"), txtTipoRef);
    f->addRow(QStringLiteral("Tipo Mov. Saida Matéria Prima   (Processos)       (S+)"), txtProcesso_TipoSaida);
    f->addRow(QStringLiteral("Tipo Mov. Retorno Matéria Prima  (Processos)    (S- )"), txtProcesso_TipoRet);
    f->addRow(QStringLiteral("Fornecedor considerado Casa (Interno)"), txtFornece);
    f->addRow(QStringLiteral("Cliente considerado Casa (Interno)"), txtCliente);
    f->addRow(QStringLiteral("Número do último Lote"), txtUltLote);
    f->addRow(QStringLiteral("Nº de Casas Decimais para Calculos da Produção"), txtCasasDec);
    raiz->addLayout(f);
    auto* precario = new QGroupBox(QStringLiteral("Custo a considerar na matéria prima:"), this);
    auto* pl = new QHBoxLayout(precario);
    optPMC = new QRadioButton(QStringLiteral("Preço Médio de Custo"), precario);
    optUPCusto = new QRadioButton(QStringLiteral("Ult. Preço de Custo"), precario);
    optUPCompra = new QRadioButton(QStringLiteral("Ult. Preço de Compra"), precario);
    for (QRadioButton* o : {optPMC, optUPCusto, optUPCompra})
        pl->addWidget(o);
    raiz->addWidget(precario);
    auto* b = new QHBoxLayout;
    auto botao = [this, b](const char* nome, const QString& texto) {
        QPushButton* p = criarBotao(this, nome, texto);
        b->addWidget(p);
        return p;
    };
    cmdAlterar = botao("cmdAlterar", QStringLiteral("A&lterar"));
    cmdGravar = botao("cmdGravar", QStringLiteral("&Gravar"));
    cmdCancelar = botao("cmdCancelar", QStringLiteral("&Cancelar"));
    cmdFechar = botao("cmdFechar", QStringLiteral("&Fechar"));
    raiz->addLayout(b);

    using C = ConfigProd::Campo;
    for (C c : {C::TipoSaida, C::Tipoent, C::Tiporet, C::TipoRef, C::Processo_TipoSaida, C::Processo_TipoRet}) {
        QLineEdit* e = campo(c);
        connect(e, &QLineEdit::editingFinished, this, [this, e, c] {
            if (e->isReadOnly() || e->text().trimmed().isEmpty())
                return;
            CampoTabela t;
            t.codigo = e->text();
            FiltroSQL filtro;
            filtro.e(QStringLiteral("modulo='ST' and Afectastk=? and afectaiva=0"), {ConfigProd::afectaStk(c)});
            PesquisaTabelas(m_ctx, m_ui).TipoMov(t, t.codigo.startsWith(u'\\') || t.codigo.startsWith(u'/'), filtro);
            e->setText(t.codigo);
        });
    }
    connect(txtFornece, &QLineEdit::editingFinished, this, [this] {
        if (txtFornece->isReadOnly() || txtFornece->text().trimmed().isEmpty())
            return;
        CampoTabela t;
        t.codigo = txtFornece->text();
        PesquisaTabelas(m_ctx, m_ui).Fornecedores(t, false);
        txtFornece->setText(t.codigo);
    });
    connect(txtCliente, &QLineEdit::editingFinished, this, [this] {
        if (txtCliente->isReadOnly() || txtCliente->text().trimmed().isEmpty())
            return;
        CampoTabela t;
        t.codigo = txtCliente->text();
        PesquisaTabelas(m_ctx, m_ui).Clientes(t, false);
        txtCliente->setText(t.codigo);
    });
    connect(txtUltLote, &QLineEdit::editingFinished, this, [this] {
        m_logica.dados.UltLote = txtUltLote->text();
        m_logica.ultLoteSaiu();
        txtUltLote->setText(m_logica.dados.UltLote);
    });
    connect(cmdAlterar, &QPushButton::clicked, this, [this] {
        m_logica.alterar();
        mostrar();
    });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] {
        ler();
        m_logica.cancelar();
        mostrar();
    });
    connect(cmdGravar, &QPushButton::clicked, this, [this] {
        ler();
        const bool ok = m_logica.gravar();
        mostrar();
        if (!ok)
            if (QLineEdit* e = campo(m_logica.campoFoco()))
                e->setFocus();
    });
    connect(cmdFechar, &QPushButton::clicked, this, &QWidget::close);
    m_logica.carregar();
    mostrar();
    PrepararTeclado(this);
}

QLineEdit* FrmConfigProd::campo(ConfigProd::Campo c) const {
    using C = ConfigProd::Campo;
    switch (c) {
    case C::TipoSaida: return txtTipoSaida;
    case C::Tipoent: return txtTipoent;
    case C::Tiporet: return txtTiporet;
    case C::TipoRef: return txtTipoRef;
    case C::Processo_TipoSaida: return txtProcesso_TipoSaida;
    case C::Processo_TipoRet: return txtProcesso_TipoRet;
    case C::Nenhum: break;
    }
    return nullptr;
}

void FrmConfigProd::ler() {
    DadosConfigProd& d = m_logica.dados;
    d.TipoSaida = txtTipoSaida->text();
    d.Tipoent = txtTipoent->text();
    d.Tiporet = txtTiporet->text();
    d.TipoRef = txtTipoRef->text();
    d.Processo_TipoSaida = txtProcesso_TipoSaida->text();
    d.Processo_TipoRet = txtProcesso_TipoRet->text();
    d.Fornece = txtFornece->text();
    d.cliente = txtCliente->text();
    d.UltLote = txtUltLote->text();
    d.CasasDec = txtCasasDec->value();
    d.Precario = optUPCusto->isChecked()    ? QStringLiteral("UltPrecoCusto")
                 : optUPCompra->isChecked() ? QStringLiteral("UltPrecoCompra")
                                            : QStringLiteral("PrecoMedioCusto");
}

void FrmConfigProd::mostrar() {
    const DadosConfigProd& d = m_logica.dados;
    txtTipoSaida->setText(d.TipoSaida);
    txtTipoent->setText(d.Tipoent);
    txtTiporet->setText(d.Tiporet);
    txtTipoRef->setText(d.TipoRef);
    txtProcesso_TipoSaida->setText(d.Processo_TipoSaida);
    txtProcesso_TipoRet->setText(d.Processo_TipoRet);
    txtFornece->setText(d.Fornece);
    txtCliente->setText(d.cliente);
    txtUltLote->setText(d.UltLote);
    txtCasasDec->setValue(d.CasasDec);
    optPMC->setChecked(d.Precario == QStringLiteral("PrecoMedioCusto"));
    optUPCusto->setChecked(d.Precario == QStringLiteral("UltPrecoCusto"));
    optUPCompra->setChecked(d.Precario == QStringLiteral("UltPrecoCompra"));
    const bool e = m_logica.emEdicao();
    for (QLineEdit* c : {txtTipoSaida, txtTipoent, txtTiporet, txtTipoRef, txtProcesso_TipoSaida, txtProcesso_TipoRet,
                         txtFornece, txtCliente, txtUltLote})
        c->setReadOnly(!e);
    txtCasasDec->setEnabled(e);
    for (QRadioButton* o : {optPMC, optUPCusto, optUPCompra})
        o->setEnabled(e);
    cmdAlterar->setEnabled(!e);
    cmdGravar->setEnabled(e);
    cmdCancelar->setEnabled(e);
    cmdFechar->setEnabled(!e);
}

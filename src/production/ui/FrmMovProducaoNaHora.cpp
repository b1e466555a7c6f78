#include "production/ui/FrmMovProducaoNaHora.h"
#include "controls/ui/Teclado.h"

#include "company/GlobalContext.h"
#include "controls/ui/CriarControlos.h"
#include "controls/ui/Valor.h"
#include "lookups/ui/ListaVista.h"
#include "production/NomenclaturaDados.h"
#include "production/ReceitaInstantanea.h"
#include "production/ui/FrmCriarLote.h"
#include "production/ui/FrmExistProArmLote.h"
#include "lookups/ui/FrmTabelaComum.h"
#include "lookups/ui/FrmImagens.h"
#include "lookups/ImagensJanela.h"
#include "production/ImpressaoInstantanea.h"
#include "printing/ProducaoInstantaneaImpressao.h"
#include "printing/cPrinter.h"
#include "printing/ui/Apresentacao.h"
#include "common/UserInteraction.h"
#include "company/GlobalContext.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QSettings>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QHBoxLayout* botoesGravarCancelar(QDialog* d, QPushButton*& gravar, QPushButton*& cancelar) {
    auto* b = new QHBoxLayout;
    gravar = criarBotaoSemEnter(d, "cmdGravar", QStringLiteral("&Gravar"));
    cancelar = criarBotaoSemEnter(d, "cmdCancelar", QStringLiteral("&Cancelar"));
    b->addStretch();
    b->addWidget(gravar);
    b->addWidget(cancelar);
    QObject::connect(cancelar, &QPushButton::clicked, d, &QDialog::reject);
    return b;
}

} // namespace

// ---------------------------------------------------------------- raw-material editor

FrmMovProducaoNaHoraINS::FrmMovProducaoNaHoraINS(MovProducaoNaHoraINS& logica, GlobalContext& ctx,
                                                 UserInteraction& ui, QWidget* pai)
    : QDialog(pai), m_logica(logica), m_ctx(ctx), m_ui(ui) {
    setObjectName(QStringLiteral("frmMovProducaoNaHoraINS"));
    setWindowTitle(QStringLiteral("Matéria Prima"));
    auto* raiz = new QVBoxLayout(this);
    auto* f = new QFormLayout;
    txtProduto = criarControlo<QLineEdit>(this, "txtProduto");
    txtDescricao = criarControlo<QLineEdit>(this, "txtDescricao");
    txtDescricao->setReadOnly(true);
    auto* produto = new QHBoxLayout;
    produto->addWidget(txtProduto);
    produto->addWidget(txtDescricao, 1);
    f->addRow(QStringLiteral("Produto"), produto);
    txtArmazem = criarControlo<QLineEdit>(this, "txtArmazem");
    f->addRow(QStringLiteral("Armazém"), txtArmazem);
    txtQuantidade = criarControlo<Valor>(this, "txtQuantidade");
    f->addRow(QStringLiteral("Quantidade"), txtQuantidade);
    cboPrecario = criarControlo<QComboBox>(this, "cboPrecario");
    for (const auto& [regra, titulo] :
         {std::pair{PrecarioPMC, "P. M. Custo"}, {PrecarioUPCusto, "Últ. P. Custo"}, {PrecarioUPCompra, "Últ. P. Compra"},
          {PrecarioDigitado, "Digitado"}})
        cboPrecario->addItem(QString::fromUtf8(titulo), regra);
    f->addRow(QStringLiteral("Preço"), cboPrecario);
    txtPreco = criarControlo<Valor>(this, "txtPreco");
    txtPreco->setDecimais(4);
    f->addRow(QString(), txtPreco);
    txtLote = criarControlo<QLineEdit>(this, "txtLote");
    cmdLote = criarBotaoSemEnter(this, "cmdLote", QStringLiteral("..."));
    cmdLote->setToolTip(QStringLiteral("Lotes disponíveis no armazém"));
    cmdLote->setMaximumWidth(32);
    auto* lote = new QHBoxLayout;
    lote->addWidget(txtLote, 1);
    lote->addWidget(cmdLote);
    f->addRow(QStringLiteral("Lote"), lote);
    txtLocalizacao = criarControlo<QLineEdit>(this, "txtLocalizacao");
    f->addRow(QStringLiteral("Localização"), txtLocalizacao);
    txtObserva = criarControlo<QLineEdit>(this, "txtObserva");
    f->addRow(QStringLiteral("Observações"), txtObserva);
    raiz->addLayout(f);
    raiz->addLayout(botoesGravarCancelar(this, cmdGravar, cmdCancelar));
    connect(cmdLote, &QPushButton::clicked, this, [this] { escolherLote(); });

    connect(txtProduto, &QLineEdit::editingFinished, this, [this] {
        if (m_aMostrar || txtProduto->text() == m_logica.txtProduto.codigo)
            return;
        lerCampos();
        m_logica.produtoSaiu();
        mostrar();
    });
    connect(cboPrecario, &QComboBox::activated, this, [this] {
        lerCampos();
        m_logica.escolherPrecario(cboPrecario->currentData().toString());
        mostrar();
    });
    connect(cmdGravar, &QPushButton::clicked, this, [this] {
        lerCampos();
        if (m_logica.gravar())
            accept();
        else {
            mostrar();
            (m_logica.txtProduto.codigo.trimmed().isEmpty() ? txtProduto : txtLote)->setFocus();
        }
    });
    mostrar();
    PrepararTeclado(this);
}

void FrmMovProducaoNaHoraINS::escolherLote() {
    lerCampos();
    FrmExistProArmLote janela(m_ctx, m_ui, this);
    if (!m_logica.prepararEscolhaLote(janela.logica()))
        return;
    janela.exec();
    m_logica.aplicarEscolhaLote(janela.logica());
    mostrar();
}

void FrmMovProducaoNaHoraINS::lerCampos() {
    m_logica.txtProduto.codigo = txtProduto->text();
    m_logica.txtArmazem.codigo = txtArmazem->text();
    m_logica.txtLote.codigo = txtLote->text();
    m_logica.txtLocalizacao = txtLocalizacao->text();
    m_logica.txtObserva = txtObserva->text();
    m_logica.txtQuantidade = txtQuantidade->valor();
    m_logica.txtPreco = txtPreco->valor();
}

void FrmMovProducaoNaHoraINS::mostrar() {
    m_aMostrar = true;
    txtProduto->setText(m_logica.txtProduto.codigo);
    txtDescricao->setText(m_logica.txtDescricao);
    txtArmazem->setText(m_logica.txtArmazem.codigo);
    txtLote->setText(m_logica.txtLote.codigo);
    txtLocalizacao->setText(m_logica.txtLocalizacao);
    txtObserva->setText(m_logica.txtObserva);
    txtQuantidade->setValor(m_logica.txtQuantidade);
    txtPreco->setValor(m_logica.txtPreco);
    txtPreco->setEnabled(m_logica.precoEditavel());
    cboPrecario->setCurrentIndex(cboPrecario->findData(m_logica.precario));
    txtLote->setEnabled(m_logica.loteActivo());
    cmdLote->setEnabled(m_logica.loteActivo());
    m_aMostrar = false;
}

// ---------------------------------------------------------------- finished-product editor

FrmMovProducaoNaHoraProdAcabINS::FrmMovProducaoNaHoraProdAcabINS(MovProducaoNaHoraProdAcabINS& logica,
                                                                 GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QDialog(pai), m_logica(logica), m_ctx(ctx), m_ui(ui) {
    setObjectName(QStringLiteral("frmMovProducaoNaHoraProdAcabINS"));
    setWindowTitle(QStringLiteral("Produto Acabado"));
    auto* raiz = new QVBoxLayout(this);
    auto* f = new QFormLayout;
    txtProduto = criarControlo<QLineEdit>(this, "txtProduto");
    txtDescricao = criarControlo<QLineEdit>(this, "txtDescricao");
    txtDescricao->setReadOnly(true);
    auto* produto = new QHBoxLayout;
    produto->addWidget(txtProduto);
    produto->addWidget(txtDescricao, 1);
    f->addRow(QStringLiteral("Produto"), produto);
    txtArmazem = criarControlo<QLineEdit>(this, "txtArmazem");
    f->addRow(QStringLiteral("Armazém"), txtArmazem);
    txtQuantidade = criarControlo<Valor>(this, "txtQuantidade");
    f->addRow(QStringLiteral("Quantidade"), txtQuantidade);
    txtPercCusto = criarControlo<Valor>(this, "txtPercCusto");
    f->addRow(QStringLiteral("% Custo"), txtPercCusto);
    txtPrecoCusto = criarControlo<Valor>(this, "txtPrecoCusto");
    txtPrecoCusto->setDecimais(4);
    f->addRow(QStringLiteral("Preço Custo"), txtPrecoCusto);
    txtLocalizacao = criarControlo<QLineEdit>(this, "txtLocalizacao");
    f->addRow(QStringLiteral("Localização"), txtLocalizacao);
    txtLote = criarControlo<QLineEdit>(this, "txtLote");
    cmdPesquisarLote = criarBotaoSemEnter(this, "cmdPesquisarLote", QStringLiteral("..."));
    cmdCriarLote = criarBotaoSemEnter(this, "cmdCriarLote", QStringLiteral("Criar Lote"));
    cmdImagens = criarBotaoSemEnter(this, "cmdImagens", QStringLiteral("Imagens"));
    cmdPesquisarLote->setMaximumWidth(32);
    auto* lote = new QHBoxLayout;
    lote->addWidget(txtLote, 1);
    lote->addWidget(cmdPesquisarLote);
    lote->addWidget(cmdCriarLote);
    lote->addWidget(cmdImagens);
    f->addRow(QStringLiteral("Lote"), lote);
    txtObserva = criarControlo<QLineEdit>(this, "txtObserva");
    f->addRow(QStringLiteral("Observações"), txtObserva);
    auto* refs = new QGroupBox(QStringLiteral("Referências"), this);
    auto* fr = new QFormLayout(refs);
    const char* nomes[] = {"txtEstacao", "txtSexo", "txtRef", "txtModelo", "txtCor", "txtTam", "txtComp"};
    for (size_t i = 0; i < txtReferencias.size(); ++i) {
        txtReferencias[i] = criarControlo<QLineEdit>(refs, nomes[i]);
        const QByteArray base = QByteArray(nomes[i]).mid(3);
        cmdPesquisarReferencia[i] = criarBotaoSemEnter(refs, ("cmdPesquisar" + base).constData(), QStringLiteral("..."));
        cmdCriarReferencia[i] = criarBotaoSemEnter(refs, ("cmdCriar" + base).constData(), QStringLiteral("+"));
        for (QPushButton* b : {cmdPesquisarReferencia[i], cmdCriarReferencia[i]})
            b->setMaximumWidth(32);
        cmdCriarReferencia[i]->setToolTip(QStringLiteral("Criar em ") + MovProducaoNaHoraProdAcabINS::tituloTabelaReferencia(int(i)));
        auto* linha = new QHBoxLayout;
        linha->addWidget(txtReferencias[i], 1);
        linha->addWidget(cmdPesquisarReferencia[i]);
        linha->addWidget(cmdCriarReferencia[i]);
        const QString nome = ctx.NomesDimensoes[i + 1];
        fr->addRow(nome.isEmpty() ? QStringLiteral("Ref. %1").arg(i + 1) : nome, linha);
        connect(cmdPesquisarReferencia[i], &QPushButton::clicked, this, [this, i] {
            lerCampos();
            m_logica.pesquisarReferencia(int(i));
            mostrar();
        });
        connect(cmdCriarReferencia[i], &QPushButton::clicked, this, [this, i] { criarTabela(int(i)); });
    }
    raiz->addLayout(f);
    raiz->addWidget(refs);
    raiz->addLayout(botoesGravarCancelar(this, cmdGravar, cmdCancelar));
    connect(cmdPesquisarLote, &QPushButton::clicked, this, [this] {
        lerCampos();
        m_logica.pesquisarLote();
        mostrar();
    });
    connect(cmdImagens, &QPushButton::clicked, this, [this] {
        lerCampos();
        if (!m_logica.podeAbrirImagens())
            return;
        // Filed under the product with the lot as key; confirmed when the run posts.
        ImagensRegisto imagens(m_ctx, m_ui, QStringLiteral("Produtos"), m_logica.txtProduto.codigo.trimmed(),
                               m_logica.txtLote.codigo.trimmed());
        FrmImagens janela(imagens, this);
        janela.exec();
    });
    connect(cmdCriarLote, &QPushButton::clicked, this, [this] {
        lerCampos();
        m_logica.loteCriado(FrmCriarLote::criarLote(m_ctx, m_ui, m_logica.txtProduto.codigo.trimmed(), this));
        mostrar();
    });

    connect(txtProduto, &QLineEdit::editingFinished, this, [this] {
        if (m_aMostrar || txtProduto->text() == m_logica.txtProduto.codigo)
            return;
        lerCampos();
        m_logica.produtoSaiu();
        mostrar();
    });
    connect(cmdGravar, &QPushButton::clicked, this, [this] {
        lerCampos();
        if (m_logica.gravar())
            accept();
        else
            mostrar();
    });
    mostrar();
}

void FrmMovProducaoNaHoraProdAcabINS::criarTabela(int dimensao) {
    // The common table editor, modal over the line: the new code is then typed or searched.
    auto* janela = new FrmTabelaComum(m_ctx, m_ui, MovProducaoNaHoraProdAcabINS::tabelaReferencia(dimensao),
                                      MovProducaoNaHoraProdAcabINS::tituloTabelaReferencia(dimensao), this);
    janela->setWindowFlag(Qt::Window);
    janela->setWindowModality(Qt::WindowModal);
    janela->setAttribute(Qt::WA_DeleteOnClose);
    janela->show();
}

void FrmMovProducaoNaHoraProdAcabINS::lerCampos() {
    m_logica.txtProduto.codigo = txtProduto->text();
    m_logica.txtArmazem.codigo = txtArmazem->text();
    m_logica.txtLote.codigo = txtLote->text();
    m_logica.txtLocalizacao = txtLocalizacao->text();
    m_logica.txtObserva = txtObserva->text();
    m_logica.txtQuantidade = txtQuantidade->valor();
    m_logica.txtPercCusto = txtPercCusto->valor();
    m_logica.txtPrecoCusto = txtPrecoCusto->valor();
    for (size_t i = 0; i < txtReferencias.size(); ++i)
        m_logica.referencias[i] = txtReferencias[i]->text();
}

void FrmMovProducaoNaHoraProdAcabINS::mostrar() {
    m_aMostrar = true;
    txtProduto->setText(m_logica.txtProduto.codigo);
    txtDescricao->setText(m_logica.txtDescricao);
    txtArmazem->setText(m_logica.txtArmazem.codigo);
    txtLote->setText(m_logica.txtLote.codigo);
    txtLote->setEnabled(m_logica.loteActivo());
    for (QPushButton* b : {cmdPesquisarLote, cmdCriarLote})
        b->setEnabled(m_logica.loteActivo());
    txtLocalizacao->setText(m_logica.txtLocalizacao);
    txtObserva->setText(m_logica.txtObserva);
    txtQuantidade->setValor(m_logica.txtQuantidade);
    txtPercCusto->setValor(m_logica.txtPercCusto);
    txtPrecoCusto->setValor(m_logica.txtPrecoCusto);
    for (size_t i = 0; i < txtReferencias.size(); ++i) {
        txtReferencias[i]->setText(m_logica.referencias[i]);
        txtReferencias[i]->setEnabled(m_logica.referenciasActivas());
        cmdPesquisarReferencia[i]->setEnabled(m_logica.referenciasActivas());
        cmdCriarReferencia[i]->setEnabled(m_logica.referenciasActivas());
    }
    m_aMostrar = false;
}

// ---------------------------------------------------------------- window

FrmMovProducaoNaHora::FrmMovProducaoNaHora(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_logica(ctx, ui), m_ui(ui) {
    setObjectName(QStringLiteral("frmMovProducaoNaHora"));
    setWindowTitle(MovProducaoNaHora::Titulo());
    auto* raiz = new QVBoxLayout(this);
    auto* cabecalho = new QHBoxLayout;
    lblProcesso = criarRotulo(this, "lblProcesso");
    lblEquipamento = criarRotulo(this, "lblEquipamento");
    chkAdicionarDoc = criarControlo<QCheckBox>(this, "chkAdicionarDoc");
    chkAdicionarDoc->setText(QStringLiteral("Anexar documentos Digitalizado"));
    cabecalho->addWidget(lblProcesso);
    cabecalho->addWidget(lblEquipamento);
    cabecalho->addStretch();
    cabecalho->addWidget(chkAdicionarDoc);
    raiz->addLayout(cabecalho);
    auto lista = [this, raiz](const char* titulo, const char* nome, ListaDados& dados, QPushButton*& adicionar,
                              const char* nomeAdicionar, const char* textoAdicionar, QPushButton*& alterar,
                              const char* nomeAlterar, const char* textoAlterar, QPushButton*& remover,
                              const char* nomeRemover, const char* textoRemover) {
        auto* grupo = new QGroupBox(QString::fromUtf8(titulo), this);
        auto* l = new QVBoxLayout(grupo);
        auto* v = criarControlo<ListaVista>(grupo, nome);
        v->setLista(&dados);
        l->addWidget(v);
        auto* b = new QHBoxLayout;
        adicionar = criarBotao(grupo, nomeAdicionar, QString::fromUtf8(textoAdicionar));
        alterar = criarBotao(grupo, nomeAlterar, QString::fromUtf8(textoAlterar));
        remover = criarBotao(grupo, nomeRemover, QString::fromUtf8(textoRemover));
        for (QPushButton* x : {adicionar, alterar, remover})
            b->addWidget(x);
        b->addStretch();
        l->addLayout(b);
        raiz->addWidget(grupo, 1);
        return v;
    };
    lvwMateriaPrima = lista("Produtos considerados Matéria Prima", "lvwMateriaPrima", m_logica.lvwMateriaPrima,
                            cmdAdicionarMP, "cmdAdicionarMP", "A&dicionar Produto", cmdAlterarMP, "cmdAlterarMP",
                            "Alterar Pr&oduto", cmdRemoverMP, "cmdRemoverMP", "Re&mover Produto");
    lvwProdutoAcabdo = lista("Produtos Acabados", "lvwProdutoAcabdo", m_logica.lvwProdutoAcabdo, cmdAdicionarPA,
                             "cmdAdicionarPA", "&Adicionar Produto", cmdAlterarPA, "cmdAlterarPA", "A&lterar Produto",
                             cmdRemoverPA, "cmdRemoverPA", "&Remover Produto");
    auto* b = new QHBoxLayout;
    cmdIntegrarNomenclatura = criarBotao(this, "cmdIntegrarNomenclatura", QStringLiteral("Integrar &Nomenclatura"));
    cmdIntegrarProcesso = criarBotao(this, "cmdIntegrarProcesso", QStringLiteral("&Integrar Processo"));
    cmdIntegrarEquipamento = criarBotao(this, "cmdIntegrarEquipamento", QStringLiteral("&Integrar Equipamento"));
    cmdProcessar = criarBotao(this, "cmdProcessar", QStringLiteral("&Processar"));
    cmdFechar = criarBotao(this, "cmdFechar", QStringLiteral("&Fechar"));
    b->addWidget(cmdIntegrarNomenclatura);
    b->addWidget(cmdIntegrarProcesso);
    b->addWidget(cmdIntegrarEquipamento);
    b->addStretch();
    b->addWidget(cmdProcessar);
    b->addWidget(cmdFechar);
    raiz->addLayout(b);

    connect(cmdAdicionarMP, &QPushButton::clicked, this, [this] { editarMateria(u'N'); });
    connect(cmdAlterarMP, &QPushButton::clicked, this, [this] { editarMateria(u'A'); });
    connect(lvwMateriaPrima, &ListaVista::linhaActivada, this, [this](int) {
        if (!m_logica.processoIntegrado())
            editarMateria(u'A');
    });
    connect(cmdRemoverMP, &QPushButton::clicked, this, [this] { m_logica.removerMateria(); });
    connect(cmdAdicionarPA, &QPushButton::clicked, this, [this] { editarAcabado(u'N'); });
    connect(cmdAlterarPA, &QPushButton::clicked, this, [this] { editarAcabado(u'A'); });
    connect(lvwProdutoAcabdo, &ListaVista::linhaActivada, this, [this](int) { editarAcabado(u'A'); });
    connect(cmdRemoverPA, &QPushButton::clicked, this, [this] { m_logica.removerAcabado(); });
    connect(cmdIntegrarNomenclatura, &QPushButton::clicked, this, [this] { m_logica.integrarNomenclatura(); });
    connect(cmdIntegrarProcesso, &QPushButton::clicked, this, [this] {
        m_logica.integrarProcesso();
        mostrarIntegracao();
    });
    connect(cmdIntegrarEquipamento, &QPushButton::clicked, this, [this] {
        m_logica.integrarEquipamento();
        mostrarIntegracao();
    });
    connect(cmdProcessar, &QPushButton::clicked, this, [this] {
        if (m_logica.processar() && chkAdicionarDoc->isChecked())
            m_ui.mensagem(QStringLiteral("O histórico de documentos ainda não está disponível nesta versão."),
                          UserInteraction::Icone::Informacao);
        mostrarIntegracao();
    });
    connect(cmdFechar, &QPushButton::clicked, this, &QWidget::close);
    m_logica.imprimirRelatorio = [this](const ResultadoInstantanea& r) { imprimir(r); };
    chkAdicionarDoc->setChecked(
        QSettings().value(QStringLiteral("frmMovProducaoNaHora/chkAdicionarDoc_") + m_ctx.CodigoUtilizador, false).toBool());
    mostrarIntegracao();
    resize(1000, 600);
    PrepararTeclado(this);
}

void FrmMovProducaoNaHora::closeEvent(QCloseEvent* e) {
    // Kept per user, as the box was left.
    QSettings().setValue(QStringLiteral("frmMovProducaoNaHora/chkAdicionarDoc_") + m_ctx.CodigoUtilizador,
                         chkAdicionarDoc->isChecked());
    QWidget::closeEvent(e);
}

void FrmMovProducaoNaHora::mostrarIntegracao() {
    const bool processo = m_logica.processoIntegrado();
    lblProcesso->setVisible(processo);
    lblProcesso->setText(QStringLiteral("PROCESSO A INTEGRAR: Nº Processo %1").arg(m_logica.processo()));
    lblEquipamento->setVisible(!m_logica.equipamento().isEmpty());
    lblEquipamento->setText(QStringLiteral("Equipamento integrado: ") + m_logica.equipamento());
    for (QPushButton* b : {cmdAdicionarMP, cmdAlterarMP, cmdRemoverMP, cmdIntegrarEquipamento})
        b->setVisible(!processo);
}

void FrmMovProducaoNaHora::imprimir(const ResultadoInstantanea& r) {
    const auto dados = LerImpressaoInstantanea(m_ctx, r.entrada, r.saida);
    if (!dados) {
        m_ui.mensagem(dados.mensagem(), UserInteraction::Icone::Exclamacao);
        return;
    }
    cPrinter p;
    if (ImprimirProducaoInstantanea(p, *dados, QStringLiteral("S")))
        ApresentarDocumento(p, m_ctx, m_ui, this);
}

void FrmMovProducaoNaHora::editarMateria(QChar modo) {
    if (!m_logica.abrirMateria(modo))
        return;
    FrmMovProducaoNaHoraINS editor(m_logica.editorMateria(), m_ctx, m_ui, this);
    if (editor.exec() == QDialog::Accepted)
        m_logica.CalculaCustos();
}

void FrmMovProducaoNaHora::editarAcabado(QChar modo) {
    if (!m_logica.abrirAcabado(modo))
        return;
    FrmMovProducaoNaHoraProdAcabINS editor(m_logica.editorAcabado(), m_ctx, m_ui, this);
    if (editor.exec() == QDialog::Accepted)
        m_logica.CalculaCustos();
}

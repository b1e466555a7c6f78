#include "printing/ui/FrmEtiquetas.h"
#include "controls/ui/Teclado.h"

#include "company/GlobalContext.h"
#include "controls/ui/CriarControlos.h"
#include "lookups/ui/ListaVista.h"
#include "printing/CodigosBarras.h"
#include "printing/DocumentoImpresso.h"
#include "printing/cPrinter.h"
#include "printing/ui/VistaPagina.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {

struct Numero {
    int DefinicaoEtiqueta::*membro;
    const char* nome;
    const char* rotulo;
    int minimo, maximo;
};

// Every whole-number column, in the order the record shows them (mm unless said).
const Numero Numeros[] = {
    {&DefinicaoEtiqueta::numEtiqHoriz, "NumEtiqHoriz", "Etiquetas na Horizontal", 0, 99},
    {&DefinicaoEtiqueta::numEtiqVert, "NumEtiqVert", "Etiquetas na Vertical", 0, 99},
    {&DefinicaoEtiqueta::larguraEtiq, "LarguraEtiq", "Largura da Etiqueta", 0, 2000},
    {&DefinicaoEtiqueta::alturaEtiq, "AlturaEtiq", "Altura da Etiqueta", 0, 2000},
    {&DefinicaoEtiqueta::distEntreEtiqHoriz, "DistEntreEtiqHoriz", "Distância entre Etiquetas (Horiz.)", 0, 500},
    {&DefinicaoEtiqueta::distEntreEtiqVert, "DistentreEtiqvert", "Distância entre Etiquetas (Vert.)", 0, 500},
    {&DefinicaoEtiqueta::margemX, "MargemX", "Margem Esquerda", 0, 500},
    {&DefinicaoEtiqueta::margemY, "MargemY", "Margem Superior", 0, 500},
    {&DefinicaoEtiqueta::margemXI, "MargemXI", "Margem Interior (Esq.)", 0, 500},
    {&DefinicaoEtiqueta::margemYI, "MargemYI", "Margem Interior (Sup.)", 0, 500},
    {&DefinicaoEtiqueta::salto, "Salto", "Salto entre Campos", 0, 500},
    {&DefinicaoEtiqueta::compCodBar, "CompCodBar", "Comprimento do Código de Barras", 0, 2000},
    {&DefinicaoEtiqueta::altCodBar, "AltCodBar", "Altura do Código de Barras", 0, 2000},
    {&DefinicaoEtiqueta::larguraPapel, "LarguraPapel", "Largura do Papel", 0, 5000},
    {&DefinicaoEtiqueta::alturaPapel, "AlturaPapel", "Altura do Papel", 0, 5000},
    {&DefinicaoEtiqueta::arredondaPreco, "ArredondaPreco", "Casas Decimais do Preço", 0, 4},
};

struct Logico {
    bool DefinicaoEtiqueta::*membro;
    const char* nome;
    const char* rotulo;
};

const Logico Logicos[] = {
    {&DefinicaoEtiqueta::arredondaPrecoCorta, "chkArredondaPrecoCorta", "Cortar o preço (sem arredondar)"},
    {&DefinicaoEtiqueta::precosComIvaInc, "chkPrecosComIvaInc", "Preços com IVA Incluído"},
    {&DefinicaoEtiqueta::etiquetaComXY, "chkEtiquetaComXY", "Posição X/Y de cada campo"},
    {&DefinicaoEtiqueta::imprimeCaixaContorno, "chkImprimeCaixaContorno", "Imprimir Caixa de Contorno"},
};

// The sample page fits this box on screen.
constexpr double LarguraAmostra = 360, AlturaAmostra = 520;

int chaveSimbologia(int layout, int tipo) { return layout * 100 + tipo; }

} // namespace

FrmEtiquetas::FrmEtiquetas(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmEtiquetas"));
    setWindowTitle(DefinicaoEtiquetas::Titulo());
    auto* raiz = new QVBoxLayout(this);
    auto* corpo = new QHBoxLayout;
    raiz->addLayout(corpo, 1);

    // The definitions.
    auto* esquerda = new QVBoxLayout;
    lvwLista = criarControlo<ListaVista>(this, "lvwLista");
    lvwLista->setLista(&m_logica.lvwLista);
    lvwLista->setMinimumWidth(240);
    esquerda->addWidget(lvwLista, 1);
    btnNovo = criarBotaoSemEnter(this, "btnNovo", QStringLiteral("&Nova Etiqueta"));
    esquerda->addWidget(btnNovo);
    corpo->addLayout(esquerda);

    // The record.
    auto* registo = criarControlo<QGroupBox>(this, "fraRegisto");
    registo->setTitle(QStringLiteral("Etiqueta"));
    auto* g = new QGridLayout(registo);
    int linha = 0;
    txtCodigo = criarControlo<QLineEdit>(registo, "txtCodigo");
    txtCodigo->setMaxLength(10);
    txtDescricao = criarControlo<QLineEdit>(registo, "txtDescricao");
    txtDescricao->setMaxLength(50);
    g->addWidget(new QLabel(QStringLiteral("Código"), registo), linha, 0);
    g->addWidget(txtCodigo, linha, 1);
    lblFicheiroBase = criarRotulo(registo, "lblFicheiroBase");
    g->addWidget(new QLabel(QStringLiteral("Ficheiro Base"), registo), linha, 2);
    g->addWidget(lblFicheiroBase, linha++, 3);
    g->addWidget(new QLabel(QStringLiteral("Descrição"), registo), linha, 0);
    g->addWidget(txtDescricao, linha++, 1, 1, 3);
    int i = 0;
    for (const Numero& n : Numeros) {
        auto* s = criarControlo<QSpinBox>(registo, n.nome);
        s->setRange(n.minimo, n.maximo);
        m_numeros.emplace_back(n.membro, s);
        const int coluna = (i % 2) * 2;
        g->addWidget(new QLabel(QString::fromUtf8(n.rotulo), registo), linha, coluna);
        g->addWidget(s, linha, coluna + 1);
        if (i++ % 2 == 1)
            ++linha;
    }
    if (i % 2 == 1)
        ++linha;
    cboPapel = criarControlo<QComboBox>(registo, "cboTipoPapel");
    for (const auto& [codigo, nome] : DefinicaoEtiquetas::Papeis())
        cboPapel->addItem(nome, codigo);
    g->addWidget(new QLabel(QStringLiteral("Papel"), registo), linha, 0);
    g->addWidget(cboPapel, linha, 1);
    cboSimbologia = criarControlo<QComboBox>(registo, "cboSimbologia");
    for (const auto& [layout, tipo] : SimbologiasConhecidas())
        cboSimbologia->addItem(NomeSimbologia(layout, tipo), chaveSimbologia(layout, tipo));
    g->addWidget(new QLabel(QStringLiteral("Código de Barras"), registo), linha, 2);
    g->addWidget(cboSimbologia, linha++, 3);
    i = 0;
    for (const Logico& l : Logicos) {
        auto* c = criarControlo<QCheckBox>(registo, l.nome, QString::fromUtf8(l.rotulo));
        m_logicos.emplace_back(l.membro, c);
        g->addWidget(c, linha, (i % 2) * 2, 1, 2);
        if (i++ % 2 == 1)
            ++linha;
    }
    txtCampos = criarControlo<QPlainTextEdit>(registo, "txtCampos");
    txtCampos->setTabChangesFocus(true); // the fields are typed with "/" and ";", never a tab
    txtCampos->setToolTip(QStringLiteral("Um campo por entrada, separadas por \"/\"; posições separadas por \";\": "
                                         "ordem;letra;tamanho;negrito;itálico;;texto com [Campo];;X;Y"));
    g->addWidget(new QLabel(QStringLiteral("Campos"), registo), linha++, 0, 1, 4);
    g->addWidget(txtCampos, linha++, 0, 1, 4);
    g->setRowStretch(linha - 1, 1);
    corpo->addWidget(registo, 2);

    // One sheet of sample labels.
    auto* amostra = criarControlo<QGroupBox>(this, "fraAmostra");
    amostra->setTitle(QStringLiteral("Amostra"));
    auto* a = new QVBoxLayout(amostra);
    scrAmostra = criarControlo<QScrollArea>(amostra, "scrAmostra");
    scrAmostra->setMinimumSize(int(LarguraAmostra) + 24, int(AlturaAmostra) + 24);
    scrAmostra->setAlignment(Qt::AlignCenter);
    a->addWidget(scrAmostra, 1);
    lblAmostra = criarRotulo(amostra, "lblAmostra");
    lblAmostra->setWordWrap(true);
    a->addWidget(lblAmostra);
    corpo->addWidget(amostra, 1);

    auto* botoes = new QHBoxLayout;
    cmdGravar = criarBotaoSemEnter(this, "cmdGravar", QStringLiteral("&Gravar"));
    cmdEliminar = criarBotaoSemEnter(this, "cmdEliminar", QStringLiteral("&Eliminar"));
    cmdSair = criarBotaoSemEnter(this, "cmdSair", QStringLiteral("&Sair"));
    botoes->addStretch();
    botoes->addWidget(cmdGravar);
    botoes->addWidget(cmdEliminar);
    botoes->addWidget(cmdSair);
    raiz->addLayout(botoes);

    tmrAmostra = new QTimer(this);
    tmrAmostra->setSingleShot(true);
    tmrAmostra->setInterval(250);
    connect(tmrAmostra, &QTimer::timeout, this, &FrmEtiquetas::actualizarAmostra);

    for (QLineEdit* e : {txtCodigo, txtDescricao})
        connect(e, &QLineEdit::textEdited, this, &FrmEtiquetas::alterado);
    for (auto& [membro, s] : m_numeros)
        connect(s, &QSpinBox::valueChanged, this, &FrmEtiquetas::alterado);
    for (auto& [membro, c] : m_logicos)
        connect(c, &QCheckBox::toggled, this, &FrmEtiquetas::alterado);
    connect(cboPapel, &QComboBox::currentIndexChanged, this, &FrmEtiquetas::alterado);
    connect(cboSimbologia, &QComboBox::currentIndexChanged, this, &FrmEtiquetas::alterado);
    connect(txtCampos, &QPlainTextEdit::textChanged, this, &FrmEtiquetas::alterado);
    connect(lvwLista, &ListaVista::linhaActual, this, &FrmEtiquetas::abrirSeleccionado);
    connect(btnNovo, &QPushButton::clicked, this, [this] {
        m_logica.novo();
        mostrar();
        txtCodigo->setFocus();
    });
    connect(cmdGravar, &QPushButton::clicked, this, [this] {
        lerCampos();
        m_aMostrar = true; // the list reloads: its selection must not reopen the record
        const bool ok = m_logica.gravar();
        m_aMostrar = false;
        mostrar();
        if (!ok)
            focar();
    });
    connect(cmdEliminar, &QPushButton::clicked, this, [this] {
        m_aMostrar = true;
        m_logica.eliminar();
        m_aMostrar = false;
        mostrar();
    });
    connect(cmdSair, &QPushButton::clicked, this, &QWidget::close);

    m_aMostrar = true;
    m_logica.Carregar();
    m_aMostrar = false;
    mostrar();
    resize(1180, 640);
    PrepararTeclado(this);
}

FrmEtiquetas::~FrmEtiquetas() {
    // The page view reads the document: it goes first.
    delete scrAmostra->takeWidget();
    m_vista = nullptr;
}

void FrmEtiquetas::abrirSeleccionado(int linha) {
    if (m_aMostrar || linha < 0)
        return;
    const QString codigo = m_logica.lvwLista.tag(linha).toString();
    if (codigo.isEmpty() || (m_logica.modo() == u'A' && codigo == m_logica.registo.codigo))
        return;
    if (m_logica.abrir(codigo))
        mostrar();
}

void FrmEtiquetas::alterado() {
    if (m_aMostrar)
        return;
    lerCampos();
    tmrAmostra->start();
}

void FrmEtiquetas::lerCampos() {
    DefinicaoEtiqueta& d = m_logica.registo;
    if (m_logica.codigoEditavel())
        d.codigo = txtCodigo->text();
    d.descricao = txtDescricao->text();
    for (auto& [membro, s] : m_numeros)
        d.*membro = s->value();
    for (auto& [membro, c] : m_logicos)
        d.*membro = c->isChecked();
    if (cboPapel->currentIndex() >= 0)
        d.tipoPapel = cboPapel->currentData().toInt();
    if (cboSimbologia->currentIndex() >= 0) {
        const int s = cboSimbologia->currentData().toInt();
        d.layoutCodigoBarras = s / 100;
        d.tipoCodigoBarras = s % 100;
    }
    d.campos = txtCampos->toPlainText();
}

void FrmEtiquetas::mostrar() {
    m_aMostrar = true;
    const DefinicaoEtiqueta& d = m_logica.registo;
    txtCodigo->setText(d.codigo);
    txtCodigo->setReadOnly(!m_logica.codigoEditavel());
    txtDescricao->setText(d.descricao);
    lblFicheiroBase->setText(d.ficheiroBase + QStringLiteral(" - Produtos"));
    for (auto& [membro, s] : m_numeros)
        s->setValue(d.*membro);
    for (auto& [membro, c] : m_logicos)
        c->setChecked(d.*membro);
    int papel = cboPapel->findData(d.tipoPapel);
    if (papel < 0) {
        cboPapel->addItem(QStringLiteral("Código %1").arg(d.tipoPapel), d.tipoPapel);
        papel = cboPapel->count() - 1;
    }
    cboPapel->setCurrentIndex(papel);
    // A pair the generator does not know is kept (and shown) as it was saved.
    const int chave = chaveSimbologia(d.layoutCodigoBarras, d.tipoCodigoBarras);
    int simbologia = cboSimbologia->findData(chave);
    if (simbologia < 0) {
        cboSimbologia->addItem(
            QStringLiteral("Desconhecido (%1, %2)").arg(d.layoutCodigoBarras).arg(d.tipoCodigoBarras), chave);
        simbologia = cboSimbologia->count() - 1;
    }
    cboSimbologia->setCurrentIndex(simbologia);
    if (txtCampos->toPlainText() != d.campos)
        txtCampos->setPlainText(d.campos);
    cmdEliminar->setEnabled(m_logica.modo() == u'A');
    m_aMostrar = false;
    actualizarAmostra();
}

void FrmEtiquetas::focar() {
    using F = DefinicaoEtiquetas::Foco;
    QWidget* w = nullptr;
    switch (m_logica.focoPedido()) {
    case F::Codigo:
        w = txtCodigo;
        break;
    case F::Descricao:
        w = txtDescricao;
        break;
    case F::Grelha:
        w = m_numeros.front().second;
        break;
    case F::Campos:
        w = txtCampos;
        break;
    case F::ArredondaPreco:
        w = m_numeros.back().second;
        break;
    case F::Nenhum:
        break;
    }
    if (w && w->isEnabled())
        w->setFocus();
}

void FrmEtiquetas::actualizarAmostra() {
    tmrAmostra->stop();
    cPrinter p;
    const Resultado<ResultadoEtiquetas> r = m_logica.desenharAmostra(p);
    // The old view reads the old document: it goes before the document does.
    delete scrAmostra->takeWidget();
    m_vista = nullptr;
    m_documento.reset();
    if (!r || !p.documento() || p.documento()->numeroPaginas() < 1) {
        lblAmostra->setText(r ? QStringLiteral("Sem amostra.") : r.mensagem());
        return;
    }
    m_documento = p.documento();
    m_vista = new VistaPagina(*m_documento);
    const double escala =
        std::min(LarguraAmostra / m_documento->larguraTw, AlturaAmostra / m_documento->alturaTw);
    m_vista->definir(1, escala);
    scrAmostra->setWidget(m_vista);
    QString texto = QStringLiteral("%1 etiquetas por folha.").arg(r->etiquetas);
    if (!r->avisos.empty())
        texto += QStringLiteral(" Códigos por fazer: %1 (%2).").arg(r->avisos.size()).arg(r->avisos.front().erro);
    lblAmostra->setText(texto);
}

QString FrmEtiquetas::textoAmostra() const { return lblAmostra->text(); }

#include "production/ui/FrmRastreabilidade.h"

#include "company/GlobalContext.h"
#include "controls/FormatoNumero.h"
#include "controls/ui/Teclado.h"
#include "lookups/ui/CampoCodigo.h"
#include "printing/RastreabilidadeImpressao.h"
#include "printing/Visualizacao.h"
#include "printing/cPrinter.h"
#include "printing/ui/Apresentacao.h"
#include "printing/ui/FormularioRelatorio.h"
#include "printing/ui/WVSExportPDF_New.h"

#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace {

enum Coluna { CNo, CDetalhe, CData, CQuantidade };

QTreeWidgetItem* item(const NoRastreio& n, int casas, bool raiz) {
    auto* it = new QTreeWidgetItem;
    it->setText(CNo, TextoNoRastreio(n));
    it->setText(CDetalhe, DetalheNoRastreio(n));
    if (n.tipo == NoRastreio::Tipo::Producao) {
        const QDate d = QDate::fromString(n.data, Qt::ISODate);
        it->setText(CData, d.isValid() ? d.toString(QStringLiteral("dd-MM-yyyy")) : n.data);
    } else {
        QFont f = it->font(CNo);
        f.setBold(true);
        it->setFont(CNo, f);
    }
    if (!raiz)
        it->setText(CQuantidade, formatarNumeroPT(n.quantidade, casas));
    it->setTextAlignment(CQuantidade, Qt::AlignRight | Qt::AlignVCenter);
    if (n.repetido)
        it->setToolTip(CNo, AvisoNoRastreio(n));
    for (const NoRastreio& f : n.filhos)
        it->addChild(item(f, casas, false));
    return it;
}

} // namespace

FrmRastreabilidade::FrmRastreabilidade(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmRastreabilidade"));
    setWindowTitle(FormRastreabilidade::Titulo());
    auto* l = new QVBoxLayout(this);
    auto* f = new QFormLayout;
    txtProduto = new CampoCodigo(this, QStringLiteral("Produto"));
    txtProduto->ligar(&m_logica.txtProduto, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtProduto_Pesquisar() : m_logica.txtProduto_Saiu();
    });
    f->addRow(QStringLiteral("Produto"), txtProduto);
    txtLote = new CampoCodigo(this, QStringLiteral("Lote"));
    txtLote->ligar(&m_logica.txtLote, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtLote_Pesquisar() : m_logica.txtLote_Saiu();
    });
    f->addRow(QStringLiteral("Lote"), txtLote);
    optJusante = new QRadioButton(NomeSentidoRastreio(SentidoRastreio::Jusante), this);
    optJusante->setObjectName(QStringLiteral("optJusante"));
    optMontante = new QRadioButton(NomeSentidoRastreio(SentidoRastreio::Montante), this);
    optMontante->setObjectName(QStringLiteral("optMontante"));
    optJusante->setChecked(true);
    auto* sentidos = new QHBoxLayout;
    sentidos->addWidget(optJusante);
    sentidos->addWidget(optMontante);
    sentidos->addStretch();
    f->addRow(QStringLiteral("Sentido"), sentidos);
    cmdPesquisar = new QPushButton(QStringLiteral("&Pesquisar"), this);
    cmdPesquisar->setObjectName(QStringLiteral("cmdPesquisar"));
    f->addRow(QString(), cmdPesquisar);
    l->addLayout(f);

    trvRastreio = new QTreeWidget(this);
    trvRastreio->setObjectName(QStringLiteral("trvRastreio"));
    trvRastreio->setHeaderLabels({QStringLiteral("Lote / Produção"), QStringLiteral("Lote / Documentos"),
                                  QStringLiteral("Data"), QStringLiteral("Quantidade")});
    trvRastreio->header()->setSectionResizeMode(CNo, QHeaderView::Stretch);
    trvRastreio->setColumnWidth(CDetalhe, 220);
    l->addWidget(trvRastreio, 1);

    auto* procura = new QHBoxLayout;
    txtProcurar = new QLineEdit(this);
    txtProcurar->setObjectName(QStringLiteral("txtProcurar"));
    txtProcurar->setPlaceholderText(QStringLiteral("Procurar produto, lote ou documento"));
    cmdProcurar = new QPushButton(QStringLiteral("P&rocurar"), this);
    cmdProcurar->setObjectName(QStringLiteral("cmdProcurar"));
    procura->addWidget(txtProcurar, 1);
    procura->addWidget(cmdProcurar);
    l->addLayout(procura);

    auto* botoes = BotoesRelatorio(this, cmdImprimir, cmdFechar);
    cmdExportarPdf = new QPushButton(QStringLiteral("Exportar P&DF"), this);
    cmdExportarPdf->setObjectName(QStringLiteral("cmdExportarPdf"));
    cmdExportarFolha = new QPushButton(QStringLiteral("Exportar Folha de &Cálculo"), this);
    cmdExportarFolha->setObjectName(QStringLiteral("cmdExportarFolha"));
    botoes->insertWidget(botoes->indexOf(cmdImprimir), cmdExportarFolha);
    botoes->insertWidget(botoes->indexOf(cmdExportarFolha), cmdExportarPdf);
    l->addLayout(botoes);

    m_logica.imprimir = [this](const NoRastreio& raiz, SentidoRastreio sentido, const QString& destino) {
        return imprimir(raiz, sentido, destino);
    };
    connect(cmdPesquisar, &QPushButton::clicked, this, [this] {
        lerCampos();
        if (m_logica.cmdPesquisar_Click())
            mostrarArvore();
    });
    connect(txtProcurar, &QLineEdit::returnPressed, this, &FrmRastreabilidade::procurarSeguinte);
    connect(cmdProcurar, &QPushButton::clicked, this, &FrmRastreabilidade::procurarSeguinte);
    connect(cmdImprimir, &QPushButton::clicked, this, [this] {
        lerCampos();
        m_logica.cmdImprimir_Click();
        mostrarArvore();
    });
    connect(cmdExportarPdf, &QPushButton::clicked, this, [this] {
        const auto doc = documento();
        if (!doc)
            return;
        WVSExportPDF_New janela(*doc, m_ctx, m_ui, this);
        janela.exec();
    });
    connect(cmdExportarFolha, &QPushButton::clicked, this, [this] {
        const auto doc = documento();
        if (!doc)
            return;
        Visualizacao v(doc, m_ui);
        v.exportarFolhaComDialogo();
    });
    txtProduto->actualizar();
    txtLote->actualizar();
    trvRastreio->setAccessibleName(FormRastreabilidade::Titulo());
    txtProcurar->setAccessibleName(QStringLiteral("Procurar"));
    PrepararTeclado(this);
}

void FrmRastreabilidade::lerCampos() {
    m_logica.txtProduto.codigo = txtProduto->codigo();
    m_logica.txtLote.codigo = txtLote->codigo();
    m_logica.sentido = optMontante->isChecked() ? SentidoRastreio::Montante : SentidoRastreio::Jusante;
}

void FrmRastreabilidade::mostrarArvore() {
    trvRastreio->clear();
    const auto& a = m_logica.arvore();
    if (!a)
        return;
    QTreeWidgetItem* raiz = item(*a, qBound(0, m_ctx.casadecquant, 4), true);
    trvRastreio->addTopLevelItem(raiz);
    raiz->setExpanded(true);
    for (int i = 0; i < raiz->childCount(); ++i)
        raiz->child(i)->setExpanded(true);
    trvRastreio->setCurrentItem(raiz);
}

bool FrmRastreabilidade::procurarSeguinte() {
    const QString texto = txtProcurar->text().trimmed();
    if (texto.isEmpty() || trvRastreio->topLevelItemCount() == 0)
        return false;
    // Every node in display order, then the first match after the selected one.
    std::vector<QTreeWidgetItem*> todos;
    std::function<void(QTreeWidgetItem*)> juntar = [&](QTreeWidgetItem* it) {
        todos.push_back(it);
        for (int i = 0; i < it->childCount(); ++i)
            juntar(it->child(i));
    };
    for (int i = 0; i < trvRastreio->topLevelItemCount(); ++i)
        juntar(trvRastreio->topLevelItem(i));
    const auto actual = std::find(todos.begin(), todos.end(), trvRastreio->currentItem());
    const size_t inicio = actual == todos.end() ? 0 : size_t(actual - todos.begin()) + 1;
    for (size_t k = 0; k < todos.size(); ++k) {
        QTreeWidgetItem* it = todos[(inicio + k) % todos.size()];
        bool encontrado = false;
        for (int c = CNo; c <= CDetalhe && !encontrado; ++c)
            encontrado = it->text(c).contains(texto, Qt::CaseInsensitive);
        if (!encontrado)
            continue;
        for (QTreeWidgetItem* p = it->parent(); p; p = p->parent())
            p->setExpanded(true);
        trvRastreio->setCurrentItem(it);
        trvRastreio->scrollToItem(it);
        return true;
    }
    m_ui.mensagem(QStringLiteral("Não foi encontrado \"%1\".").arg(texto), UserInteraction::Icone::Informacao,
                  FormRastreabilidade::Titulo());
    return false;
}

std::shared_ptr<DocumentoImpresso> FrmRastreabilidade::documento() {
    lerCampos();
    const NoRastreio* a = m_logica.arvoreActual();
    mostrarArvore();
    if (!a)
        return nullptr;
    cPrinter p;
    p.GravarExportacao(true);
    if (!ImprimirRastreabilidade(p, *a, m_logica.sentidoLido(), qBound(0, m_ctx.casadecquant, 4),
                                 NomeEmpresaImpressao(m_ctx)) ||
        !p.documento())
        return nullptr;
    m_documento = p.documento();
    return m_documento;
}

bool FrmRastreabilidade::imprimir(const NoRastreio& raiz, SentidoRastreio sentido, const QString& destino) {
    cPrinter p;
    p.GravarExportacao(true);
    if (!ImprimirRastreabilidade(p, raiz, sentido, qBound(0, m_ctx.casadecquant, 4),
                                 NomeEmpresaImpressao(m_ctx), destino) ||
        !p.documento())
        return false;
    m_visualizacao = ApresentarDocumento(p, m_ctx, m_ui, this);
    return true;
}

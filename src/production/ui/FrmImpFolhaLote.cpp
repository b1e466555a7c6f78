#include "production/ui/FrmImpFolhaLote.h"
#include "controls/ui/Teclado.h"
#include "controls/ui/CriarControlos.h"

#include "lookups/PesquisaTabelas.h"
#include "lookups/ui/CampoCodigo.h"
#include "printing/FolhaLoteImpressao.h"
#include "printing/cPrinter.h"
#include "printing/ui/Apresentacao.h"
#include "production/FormatoQuantidade.h"
#include "company/GlobalContext.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FrmImpFolhaLote::FrmImpFolhaLote(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmImpFolhaLote"));
    setWindowTitle(ImpFolhaLote::Titulo());
    auto* f = new QFormLayout(this);
    txtLote = new CampoCodigo(this, QStringLiteral("Lote"));
    txtLote->ligar(&m_logica.txtLote, [this](CampoTabela& c, bool abrir) {
        FiltroSQL filtro;
        filtro.e(ImpFolhaLote::FiltroLotes());
        const bool ok = PesquisaTabelas(m_ctx, m_ui).Lotes_Producao(c, abrir, filtro);
        // The lookup knows the lot; the sheet also needs it closed and without measurements.
        return ok && m_logica.txtLote_LostFocus();
    });
    f->addRow(QStringLiteral("Lote"), txtLote);
    auto rotulo = [this](const char* nome) { return criarRotulo(this, nome); };
    lblProduto = rotulo("lblProduto");
    lblQuantidade = rotulo("lblQuantidade");
    lblSaida = rotulo("lblSaida");
    lblReforco = rotulo("lblReforco");
    lblRetorno = rotulo("lblRetorno");
    lblEntrada = rotulo("lblEntrada");
    f->addRow(QStringLiteral("Produto"), lblProduto);
    f->addRow(QStringLiteral("Quantidade"), lblQuantidade);
    f->addRow(QStringLiteral("Tipo Mov. Saida"), lblSaida);
    f->addRow(QStringLiteral("Tipo Mov. Reforço"), lblReforco);
    f->addRow(QStringLiteral("Tipo Mov. Retorno"), lblRetorno);
    f->addRow(QStringLiteral("Tipo Mov. Entrada"), lblEntrada);
    auto* b = new QHBoxLayout;
    cmdImprimir = new QPushButton(QStringLiteral("Imprimir"), this);
    cmdImprimir->setObjectName(QStringLiteral("cmdImprimir"));
    cmdFechar = new QPushButton(QStringLiteral("Fechar"), this);
    cmdFechar->setObjectName(QStringLiteral("cmdFechar"));
    b->addStretch();
    b->addWidget(cmdImprimir);
    b->addWidget(cmdFechar);
    f->addRow(b);

    m_logica.imprimir = [this](const FolhaLote& folha, const QString& destino) {
        return imprimir(folha, destino);
    };
    connect(txtLote, &CampoCodigo::validado, this, [this](bool) { mostrar(); });
    connect(cmdImprimir, &QPushButton::clicked, this, [this] {
        m_logica.txtLote.codigo = txtLote->codigo();
        if (!m_logica.folha() || m_logica.folha()->lote != ZerarLote(txtLote->codigo().trimmed()))
            m_logica.txtLote_LostFocus();
        mostrar();
        if (m_logica.folha())
            m_logica.cmdImprimir_Click();
    });
    connect(cmdFechar, &QPushButton::clicked, this, &QWidget::close);
    mostrar();
    PrepararTeclado(this);
}

void FrmImpFolhaLote::mostrar() {
    txtLote->actualizar();
    const auto& f = m_logica.folha();
    lblProduto->setText(f ? f->produto + QStringLiteral(" - ") + f->descricaoProduto : QString());
    lblQuantidade->setText(f ? formatarNumeroPT(f->quantidade, qBound(0, m_ctx.casadecquant, 4))
                             : QString());
    lblSaida->setText(f ? ImpFolhaLote::textoDocumento(f->saida) : QString());
    lblReforco->setText(f ? ImpFolhaLote::textoDocumento(f->ref) : QString());
    lblRetorno->setText(f ? ImpFolhaLote::textoDocumento(f->ret) : QString());
    lblEntrada->setText(f ? ImpFolhaLote::textoDocumento(f->ent) : QString());
    cmdImprimir->setEnabled(f.has_value() || !txtLote->codigo().trimmed().isEmpty());
}

bool FrmImpFolhaLote::imprimir(const FolhaLote& f, const QString& destino) {
    cPrinter p;
    if (!ImprimirFolhaLote(p, f, destino) || !p.documento())
        return false;
    m_visualizacao = ApresentarDocumento(p, m_ctx, m_ui, this);
    return true;
}

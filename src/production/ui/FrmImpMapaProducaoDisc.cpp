#include "production/ui/FrmImpMapaProducaoDisc.h"
#include "controls/ui/Teclado.h"

#include "company/GlobalContext.h"
#include "controls/ui/EDatas.h"
#include "lookups/ui/CampoCodigo.h"
#include "printing/MapaProducaoImpressao.h"
#include "printing/cPrinter.h"
#include "printing/ui/Apresentacao.h"
#include "printing/ui/FormularioRelatorio.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>

FrmImpMapaProducaoDisc::FrmImpMapaProducaoDisc(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmImpMapaProducaoDisc"));
    setWindowTitle(ImpMapaProducaoDisc::Titulo());
    auto* f = new QFormLayout(this);
    txtProduto = new CampoCodigo(this, QStringLiteral("Produto"));
    txtProduto->ligar(&m_logica.txtProduto, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtProduto_Pesquisar() : m_logica.txtProduto_Saiu();
    });
    f->addRow(QStringLiteral("Produto"), txtProduto);
    txtDataInicial = CampoDataRelatorio(this, "txtDataInicial", m_ui, m_logica.txtDataInicial);
    txtDataFinal = CampoDataRelatorio(this, "txtDataFinal", m_ui, m_logica.txtDataFinal);
    f->addRow(QStringLiteral("Data Inicial"), txtDataInicial);
    f->addRow(QStringLiteral("Data Final"), txtDataFinal);
    f->addRow(BotoesRelatorio(this, cmdImprimir, cmdFechar));

    m_logica.imprimir = [this](const MapaDiscriminado& m, const FiltroMapaProducao& fl, const QString& descricao,
                               const QString& destino) { return imprimir(m, fl, descricao, destino); };
    connect(cmdImprimir, &QPushButton::clicked, this, [this] {
        m_logica.txtProduto.codigo = txtProduto->codigo();
        if (!m_logica.txtProduto_Saiu())
            return;
        txtProduto->actualizar();
        m_logica.txtDataInicial = txtDataInicial->DataSys();
        m_logica.txtDataFinal = txtDataFinal->DataSys();
        m_logica.cmdImprimir_Click();
    });
    txtProduto->actualizar();
    PrepararTeclado(this);
}

bool FrmImpMapaProducaoDisc::imprimir(const MapaDiscriminado& m, const FiltroMapaProducao& f,
                                      const QString& descricao, const QString& destino) {
    cPrinter p;
    if (!ImprimirMapaDiscriminado(p, m, f, descricao, qBound(0, m_ctx.casadecquant, 4), qBound(0, m_ctx.casadec, 4),
                                  NomeEmpresaImpressao(m_ctx), destino) ||
        !p.documento())
        return false;
    m_visualizacao = ApresentarDocumento(p, m_ctx, m_ui, this);
    return true;
}

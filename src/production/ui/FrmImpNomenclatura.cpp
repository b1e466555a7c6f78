#include "production/ui/FrmImpNomenclatura.h"
#include "controls/ui/Teclado.h"

#include "company/GlobalContext.h"
#include "lookups/ui/CampoCodigo.h"
#include "printing/NomenclaturaImpressao.h"
#include "printing/cPrinter.h"
#include "printing/ui/Apresentacao.h"
#include "printing/ui/FormularioRelatorio.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>

FrmImpNomenclatura::FrmImpNomenclatura(GlobalContext& ctx, UserInteraction& ui, bool medicoes, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui, medicoes) {
    setObjectName(m_logica.form());
    setWindowTitle(m_logica.titulo());
    auto* f = new QFormLayout(this);
    txtProduto = new CampoCodigo(this, QStringLiteral("Produto"));
    txtProduto->ligar(&m_logica.txtProduto, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtProduto_Pesquisar() : m_logica.txtProduto_Saiu();
    });
    f->addRow(QStringLiteral("Produto"), txtProduto);
    chkDiscrimina = new QCheckBox(QStringLiteral("Discrimina Nomenclatura"), this);
    chkDiscrimina->setObjectName(QStringLiteral("chkDiscrimina"));
    chkDiscrimina->setChecked(m_logica.chkDiscrimina);
    f->addRow(chkDiscrimina);
    f->addRow(BotoesRelatorio(this, cmdImprimir, cmdFechar));

    m_logica.imprimir = [this](const std::vector<LinhaListagemNomenclatura>& linhas, bool discrimina,
                               const QString& destino) { return imprimir(linhas, discrimina, destino); };
    connect(cmdImprimir, &QPushButton::clicked, this, [this] {
        m_logica.txtProduto.codigo = txtProduto->codigo();
        if (!m_logica.txtProduto_Saiu())
            return;
        txtProduto->actualizar();
        m_logica.chkDiscrimina = chkDiscrimina->isChecked();
        m_logica.cmdImprimir_Click();
    });
    txtProduto->actualizar();
    PrepararTeclado(this);
}

bool FrmImpNomenclatura::imprimir(const std::vector<LinhaListagemNomenclatura>& linhas, bool discrimina,
                                  const QString& destino) {
    cPrinter p;
    if (!ImprimirListagemNomenclatura(p, linhas, m_logica.medicoes(), discrimina, qBound(0, m_ctx.casadecquant, 4),
                                      NomeEmpresaImpressao(m_ctx), destino) ||
        !p.documento())
        return false;
    m_visualizacao = ApresentarDocumento(p, m_ctx, m_ui, this);
    return true;
}

#include "production/ui/FrmVerCapacidade.h"
#include "controls/ui/Teclado.h"

#include "company/GlobalContext.h"
#include "lookups/ui/CampoCodigo.h"
#include "printing/CapacidadeImpressao.h"
#include "printing/cPrinter.h"
#include "printing/ui/Apresentacao.h"
#include "printing/ui/FormularioRelatorio.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

FrmVerCapacidade::FrmVerCapacidade(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmVerCapacidade"));
    setWindowTitle(VerCapacidade::Titulo());
    auto* f = new QFormLayout(this);
    auto* explicacao = new QLabel(QStringLiteral("Diz-nos a quantidade possível de produzir de acordo com a "
                                                 "nomenclatura dos respectivos produtos, verificando a existência "
                                                 "dos seus componentes."),
                                  this);
    explicacao->setWordWrap(true);
    f->addRow(explicacao);
    txtProduto = new CampoCodigo(this, QStringLiteral("Produto"));
    txtProduto->ligar(&m_logica.txtProduto, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtProduto_Pesquisar() : m_logica.txtProduto_Saiu();
    });
    f->addRow(QStringLiteral("Produto"), txtProduto);
    chkDiscrimina = new QCheckBox(QStringLiteral("Discrimina Nomenclatura"), this);
    chkDiscrimina->setObjectName(QStringLiteral("chkDiscrimina"));
    f->addRow(chkDiscrimina);
    f->addRow(BotoesRelatorio(this, cmdImprimir, cmdFechar));

    m_logica.imprimir = [this](const std::vector<CapacidadeProduto>& lista, bool discrimina, const QString& destino) {
        return imprimir(lista, discrimina, destino);
    };
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

bool FrmVerCapacidade::imprimir(const std::vector<CapacidadeProduto>& lista, bool discrimina, const QString& destino) {
    cPrinter p;
    if (!ImprimirCapacidade(p, lista, discrimina, qBound(0, m_ctx.casadecquant, 4), NomeEmpresaImpressao(m_ctx),
                            destino) ||
        !p.documento())
        return false;
    m_visualizacao = ApresentarDocumento(p, m_ctx, m_ui, this);
    return true;
}

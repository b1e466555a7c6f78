#include "production/ui/FrmImpDiarioProdNaHora.h"
#include "controls/ui/Teclado.h"

#include "company/GlobalContext.h"
#include "controls/ui/EDatas.h"
#include "controls/ui/SelOpta.h"
#include "lookups/ui/CampoCodigo.h"
#include "printing/DiarioInstantaneaImpressao.h"
#include "printing/cPrinter.h"
#include "printing/ui/Apresentacao.h"
#include "printing/ui/FormularioRelatorio.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FrmImpDiarioProdNaHora::FrmImpDiarioProdNaHora(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmImpDiarioProdNaHora"));
    setWindowTitle(ImpDiarioProdNaHora::Titulo());
    auto* f = new QFormLayout(this);
    txtNomenclatura = new CampoCodigo(this, QStringLiteral("Nomenclatura"));
    txtNomenclatura->ligar(&m_logica.txtNomenclatura, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtNomenclatura_Pesquisar() : m_logica.txtNomenclatura_Saiu();
    });
    f->addRow(QStringLiteral("Nomenclatura"), txtNomenclatura);
    cboFluxo = new SelOpta(this);
    cboFluxo->setObjectName(QStringLiteral("cboFluxo"));
    cboFluxo->setLista(ImpDiarioProdNaHora::OpcoesFluxo());
    cboFluxo->setChave(m_logica.fluxo);
    f->addRow(QStringLiteral("Fluxo"), cboFluxo);
    txtDataInicial = CampoDataRelatorio(this, "txtDataInicial", m_ui, m_logica.txtDataInicial);
    txtDataFinal = CampoDataRelatorio(this, "txtDataFinal", m_ui, m_logica.txtDataFinal);
    f->addRow(QStringLiteral("Dt Inicial"), txtDataInicial);
    f->addRow(QStringLiteral("Dt Final"), txtDataFinal);

    auto* modos = new QGroupBox(this);
    auto* vm = new QVBoxLayout(modos);
    auto* grupo = new QButtonGroup(this);
    auto modo = [&](const char* nome, ModoDiarioInstantanea m) {
        auto* o = new QRadioButton(NomeModoDiarioInstantanea(m), modos);
        o->setObjectName(QLatin1String(nome));
        grupo->addButton(o);
        vm->addWidget(o);
        return o;
    };
    optDiario = modo("optDiario", ModoDiarioInstantanea::DiarioCorrido);
    optNomenclatura = modo("optNomenclatura", ModoDiarioInstantanea::PorNomenclatura);
    optFluxo = modo("optFluxo", ModoDiarioInstantanea::PorFluxo);
    optDiario->setChecked(true);
    f->addRow(modos);

    f->addRow(BotoesRelatorio(this, cmdImprimir, cmdFechar));

    m_logica.imprimir = [this](const DiarioInstantanea& d, const FiltroDiarioInstantanea& fl, const QString& descricao,
                               const QString& destino) { return imprimir(d, fl, descricao, destino); };
    connect(cmdImprimir, &QPushButton::clicked, this, [this] {
        m_logica.txtNomenclatura.codigo = txtNomenclatura->codigo();
        const bool valida = m_logica.txtNomenclatura_Saiu();
        txtNomenclatura->actualizar();
        if (!valida)
            return;
        m_logica.fluxo = cboFluxo->Chave();
        m_logica.txtDataInicial = txtDataInicial->DataSys();
        m_logica.txtDataFinal = txtDataFinal->DataSys();
        m_logica.modo = optNomenclatura->isChecked() ? ModoDiarioInstantanea::PorNomenclatura
                        : optFluxo->isChecked()      ? ModoDiarioInstantanea::PorFluxo
                                                     : ModoDiarioInstantanea::DiarioCorrido;
        m_logica.cmdImprimir_Click();
    });
    txtNomenclatura->actualizar();
    PrepararTeclado(this);
}

FrmImpDiarioProdNaHora::~FrmImpDiarioProdNaHora() {
    // The logic goes before the child widgets: the focus leaving the code box while they close
    // must not look up into it.
    txtNomenclatura->ligar(nullptr, {});
}

bool FrmImpDiarioProdNaHora::imprimir(const DiarioInstantanea& d, const FiltroDiarioInstantanea& f,
                                      const QString& descricao, const QString& destino) {
    cPrinter p;
    if (!ImprimirDiarioInstantanea(p, d, f, descricao, qBound(0, m_ctx.casadecquant, 4), qBound(0, m_ctx.casadec, 4),
                                   NomeEmpresaImpressao(m_ctx), destino) ||
        !p.documento())
        return false;
    m_visualizacao = ApresentarDocumento(p, m_ctx, m_ui, this);
    return true;
}

#include "production/ui/FrmImpDiarioStk.h"
#include "controls/ui/Teclado.h"

#include "company/GlobalContext.h"
#include "controls/ui/EDatas.h"
#include "controls/ui/Valor.h"
#include "lookups/ui/CampoCodigo.h"
#include "printing/AnaliseGruposImpressao.h"
#include "printing/cPrinter.h"
#include "printing/ui/Apresentacao.h"
#include "printing/ui/FormularioRelatorio.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

FrmImpDiarioStk::FrmImpDiarioStk(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmImpDiarioStk"));
    setWindowTitle(ImpDiarioStk::Titulo());
    auto* f = new QFormLayout(this);
    using C = ImpDiarioStk::Campo;
    auto codigo = [&](C c, const QString& nome, const QString& rotulo) {
        auto* cp = new CampoCodigo(this, nome);
        cp->ligar(&m_logica.campo(c), [this, c](CampoTabela&, bool abrir) { return m_logica.pesquisar(c, abrir); });
        m_campos[c] = cp;
        f->addRow(rotulo, cp);
        return cp;
    };
    codigo(C::Tipo, QStringLiteral("Tipo"), QStringLiteral("Tipo de Movimento"));
    txtNumero = new QLineEdit(this);
    txtNumero->setObjectName(QStringLiteral("txtNumero"));
    txtNumero->setMaxLength(10);
    f->addRow(QStringLiteral("Nº Documento (Equivalente ao nº do Lote)"), txtNumero);
    codigo(C::Produto, QStringLiteral("Produto"), QStringLiteral("Produto"));
    codigo(C::Situacao, QStringLiteral("Situacao"), QStringLiteral("Situação"));
    codigo(C::Vendedor, QStringLiteral("Vendedor"), QStringLiteral("Vendedor"));
    codigo(C::Grupo, QStringLiteral("Grupo"), QStringLiteral("Grupo"));
    codigo(C::Familia, QStringLiteral("Familia"), QStringLiteral("Família"));
    codigo(C::Subfamilia, QStringLiteral("Subfamilia"), QStringLiteral("Subfamília"));
    CampoCodigo* armazem = codigo(C::Armazem, QStringLiteral("Armazem"), QStringLiteral("Armazém"));
    armazem->txtCodigo->setToolTip(QStringLiteral("Duplo clique para escolher vários armazéns"));
    m_armazem = armazem;
    armazem->txtCodigo->installEventFilter(this);
    CampoCodigo* cambio = codigo(C::Cambio, QStringLiteral("Cambio"), QStringLiteral("Câmbio"));
    txtValorCambio = new Valor(this);
    txtValorCambio->setObjectName(QStringLiteral("txtValorCambio"));
    txtValorCambio->setUserInteraction(&m_ui);
    txtValorCambio->setDecimais(4);
    f->addRow(QStringLiteral("Valor do Câmbio"), txtValorCambio);
    connect(cambio, &CampoCodigo::validado, this, [this] { txtValorCambio->setValor(m_logica.txtValorCambio); });
    connect(txtValorCambio, &Valor::alterado, this, [this] { m_logica.txtValorCambio = txtValorCambio->valor(); });

    txtDataInicial = new EDatas(this);
    txtDataInicial->setObjectName(QStringLiteral("txtDataInicial"));
    txtDataInicial->setUserInteraction(&m_ui);
    txtDataFinal = new EDatas(this);
    txtDataFinal->setObjectName(QStringLiteral("txtDataFinal"));
    txtDataFinal->setUserInteraction(&m_ui);
    auto* datas = new QHBoxLayout;
    datas->addWidget(txtDataInicial);
    datas->addWidget(txtDataFinal);
    datas->addStretch();
    f->addRow(QStringLiteral("Dt Inicial/Final"), datas);
    chkResumo = new QCheckBox(QStringLiteral("Imprimir &Resumo"), this);
    chkResumo->setObjectName(QStringLiteral("chkResumo"));
    f->addRow(chkResumo);

    f->addRow(BotoesRelatorio(this, cmdImprimir, cmdFechar));

    m_logica.imprimir = [this](const AnaliseGrupos& a, const FiltroAnaliseGrupos& fl, const DescricoesAnaliseGrupos& d,
                               const QString& destino) { return imprimir(a, fl, d, destino); };
    connect(cmdImprimir, &QPushButton::clicked, this, [this] {
        // What is typed counts even when the field was not left.
        for (auto& [c, cp] : m_campos)
            m_logica.campo(c).codigo = cp->codigo();
        m_logica.txtNumero = txtNumero->text();
        m_logica.txtValorCambio = txtValorCambio->valor();
        m_logica.txtDataInicial = txtDataInicial->DataSys();
        m_logica.txtDataFinal = txtDataFinal->DataSys();
        m_logica.chkResumo = chkResumo->isChecked();
        m_logica.cmdImprimir_Click();
        mostrar();
        for (auto& [c, cp] : m_campos)
            if (m_logica.campo(c).focar) {
                m_logica.campo(c).focar = false;
                cp->setFocus();
            }
    });
    mostrar();
    PrepararTeclado(this);
}

FrmImpDiarioStk::~FrmImpDiarioStk() {
    // Closing moves the focus out of the fields after the logic is gone: nothing may reach it then.
    for (auto& [c, cp] : m_campos)
        cp->ligar(nullptr, {});
    txtValorCambio->disconnect(this);
    m_armazem = nullptr;
}

void FrmImpDiarioStk::mostrar() {
    for (auto& [c, cp] : m_campos)
        cp->actualizar();
    txtValorCambio->setValor(m_logica.txtValorCambio);
    txtNumero->setText(m_logica.txtNumero);
    txtDataInicial->setDataSys(m_logica.txtDataInicial);
    txtDataFinal->setDataSys(m_logica.txtDataFinal);
    chkResumo->setChecked(m_logica.chkResumo);
}

bool FrmImpDiarioStk::eventFilter(QObject* o, QEvent* e) {
    if (m_armazem && o == m_armazem->txtCodigo && e->type() == QEvent::MouseButtonDblClick) {
        m_logica.txtArmazem_DuploClique();
        m_armazem->actualizar();
        return true;
    }
    return QWidget::eventFilter(o, e);
}

bool FrmImpDiarioStk::imprimir(const AnaliseGrupos& a, const FiltroAnaliseGrupos& f, const DescricoesAnaliseGrupos& d,
                               const QString& destino) {
    cPrinter p;
    if (!ImprimirAnaliseGrupos(p, a, f, d, qBound(0, m_ctx.casadecquant, 4), qBound(0, m_ctx.casadec, 4),
                               NomeEmpresaImpressao(m_ctx), destino) ||
        !p.documento())
        return false;
    m_visualizacao = ApresentarDocumento(p, m_ctx, m_ui, this);
    return true;
}

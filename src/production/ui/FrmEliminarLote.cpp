#include "production/ui/FrmEliminarLote.h"
#include "controls/ui/Teclado.h"
#include "controls/ui/CriarControlos.h"

#include "lookups/PesquisaTabelas.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FrmEliminarLote::FrmEliminarLote(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmEliminarLote"));
    setWindowTitle(EliminarLote::Titulo());
    auto* f = new QFormLayout(this);
    auto* lote = new QHBoxLayout;
    txtLote = new QLineEdit(this);
    txtLote->setObjectName(QStringLiteral("txtLote"));
    cmdPesqLote = new QPushButton(QStringLiteral("..."), this);
    lote->addWidget(txtLote);
    lote->addWidget(cmdPesqLote);
    f->addRow(QStringLiteral("Lote a Eliminar"), lote);
    auto rotulo = [this](const char* nome) { return criarRotulo(this, nome); };
    lblProduto = rotulo("lblProduto");
    lblQuantidade = rotulo("lblQuantidade");
    lblEntrada = rotulo("lblEntrada");
    lblRetorno = rotulo("lblRetorno");
    lblReforco = rotulo("lblReforco");
    lblSaida = rotulo("lblSaida");
    f->addRow(QStringLiteral("Produto"), lblProduto);
    f->addRow(QStringLiteral("Quantidade"), lblQuantidade);
    f->addRow(QStringLiteral("Tipo Mov. Entrada"), lblEntrada);
    f->addRow(QStringLiteral("Tipo Mov. Retorno"), lblRetorno);
    f->addRow(QStringLiteral("Tipo Mov. Reforço"), lblReforco);
    f->addRow(QStringLiteral("Tipo Mov. Saida"), lblSaida);
    auto* b = new QHBoxLayout;
    cmdEliminar = new QPushButton(QStringLiteral("&Eliminar"), this);
    cmdEliminar->setObjectName(QStringLiteral("cmdEliminar"));
    cmdFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    cmdFechar->setObjectName(QStringLiteral("cmdFechar"));
    b->addWidget(cmdEliminar);
    b->addWidget(cmdFechar);
    f->addRow(b);

    connect(txtLote, &QLineEdit::editingFinished, this, [this] {
        if (txtLote->text().trimmed() == m_logica.txtLote)
            return;
        m_logica.loteSaiu(txtLote->text());
        mostrar();
    });
    connect(cmdPesqLote, &QPushButton::clicked, this, [this] {
        CampoTabela c;
        FiltroSQL filtro;
        filtro.e(QStringLiteral("Fechado=1"));
        if (PesquisaTabelas(m_ctx, m_ui).Lotes_Producao(c, true, filtro))
            m_logica.loteSaiu(c.codigo);
        mostrar();
    });
    connect(cmdEliminar, &QPushButton::clicked, this, [this] {
        m_logica.eliminar();
        mostrar();
        txtLote->setFocus();
    });
    connect(cmdFechar, &QPushButton::clicked, this, &QWidget::close);
    PrepararTeclado(this);
}

void FrmEliminarLote::mostrar() {
    txtLote->setText(m_logica.txtLote);
    lblProduto->setText(m_logica.txtProduto.isEmpty() ? QString() : m_logica.txtProduto + QStringLiteral(" - ") + m_logica.txtDescProduto);
    lblQuantidade->setText(m_logica.txtQuantidade);
    auto doc = [](const EliminarLote::Documento& d) {
        return d.tipo.isEmpty() ? QString() : QStringLiteral("%1  %2  %3").arg(d.tipo, d.numero, d.data);
    };
    lblEntrada->setText(doc(m_logica.entrada));
    lblRetorno->setText(doc(m_logica.retorno));
    lblReforco->setText(doc(m_logica.reforco));
    lblSaida->setText(doc(m_logica.saida));
}

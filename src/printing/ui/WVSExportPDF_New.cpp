#include "printing/ui/WVSExportPDF_New.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

WVSExportPDF_New::WVSExportPDF_New(const DocumentoImpresso& doc, GlobalContext& ctx, UserInteraction& ui,
                                   QWidget* pai)
    : QDialog(pai), m_exp(doc, ctx, ui) {
    setObjectName(QStringLiteral("WVSExportPDF_New"));
    setWindowTitle(QStringLiteral("Exportar para PDF"));
    optDisco = new QRadioButton(QStringLiteral("&Disco"), this);
    optDisco->setObjectName(QStringLiteral("optDisco"));
    optDisco->setChecked(true);
    optMail = new QRadioButton(QStringLiteral("&E-mail"), this);
    optMail->setObjectName(QStringLiteral("optMail"));
    txtFicheiro = new QLineEdit(this);
    txtFicheiro->setObjectName(QStringLiteral("txtFicheiro"));
    cmdFicheiro = new QPushButton(QStringLiteral("..."), this);
    cmdFicheiro->setObjectName(QStringLiteral("cmdFicheiro"));
    txtMail = new QLineEdit(m_exp.destinatario, this);
    txtMail->setObjectName(QStringLiteral("txtMail"));
    cmdExportar = new QPushButton(QStringLiteral("&Exportar"), this);
    cmdExportar->setObjectName(QStringLiteral("cmdExportar"));
    cmdExportar->setDefault(true);
    cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));

    auto* g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral("Selecione o Destino :"), this), 0, 0, 1, 3);
    g->addWidget(optDisco, 1, 0);
    g->addWidget(txtFicheiro, 1, 1);
    g->addWidget(cmdFicheiro, 1, 2);
    g->addWidget(optMail, 2, 0);
    g->addWidget(txtMail, 2, 1, 1, 2);
    auto* b = new QHBoxLayout;
    b->addStretch();
    b->addWidget(cmdExportar);
    b->addWidget(cmdCancelar);
    auto* l = new QVBoxLayout(this);
    l->addLayout(g);
    l->addLayout(b);
    setMinimumWidth(460);

    connect(optDisco, &QRadioButton::toggled, this, &WVSExportPDF_New::actualizar);
    connect(cmdFicheiro, &QPushButton::clicked, this, [this] {
        if (m_exp.escolherFicheiro())
            txtFicheiro->setText(m_exp.ficheiro);
    });
    connect(cmdExportar, &QPushButton::clicked, this, &WVSExportPDF_New::cmdExportar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
    actualizar();
}

void WVSExportPDF_New::actualizar() {
    txtFicheiro->setEnabled(optDisco->isChecked());
    cmdFicheiro->setEnabled(optDisco->isChecked());
    txtMail->setEnabled(optMail->isChecked());
}

void WVSExportPDF_New::cmdExportar_Click() {
    m_exp.destino = optMail->isChecked() ? ExportacaoPdf::Destino::Mail : ExportacaoPdf::Destino::Disco;
    m_exp.ficheiro = txtFicheiro->text().trimmed();
    if (m_exp.destino == ExportacaoPdf::Destino::Disco && !m_exp.ficheiro.isEmpty() &&
        !m_exp.ficheiro.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        m_exp.ficheiro += QStringLiteral(".pdf");
    m_exp.destinatario = txtMail->text();
    if (m_exp.exportar())
        accept();
}

#include "printing/ui/WVSExportPDF_New.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

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
    optArquivar = new QRadioButton(QStringLiteral("&Arquivar"), this);
    optArquivar->setObjectName(QStringLiteral("optArquivar"));
    cboModulo = new QComboBox(this);
    cboModulo->setObjectName(QStringLiteral("cboModulo"));
    cboModulo->addItem(QString());
    cboModulo->addItems(ExportacaoPdf::Modulos());
    txtAno = new QSpinBox(this);
    txtAno->setObjectName(QStringLiteral("txtAno"));
    txtAno->setRange(1900, 9999);
    txtAno->setValue(QDate::currentDate().year());
    cboMes = new QComboBox(this);
    cboMes->setObjectName(QStringLiteral("cboMes"));
    cboMes->addItems(ExportacaoPdf::Meses());
    cboMes->setCurrentIndex(QDate::currentDate().month() - 1);
    txtNomeFicheiro = new QLineEdit(NomeFicheiroSeguro(doc.titulo), this);
    txtNomeFicheiro->setObjectName(QStringLiteral("txtNomeFicheiro"));
    txtAssunto = new QLineEdit(doc.titulo.left(70), this);
    txtAssunto->setObjectName(QStringLiteral("txtAssunto"));
    txtAssunto->setMaxLength(70);
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
    g->addWidget(optArquivar, 3, 0);
    auto* periodo = new QHBoxLayout;
    periodo->addWidget(cboModulo, 1);
    periodo->addWidget(txtAno);
    periodo->addWidget(cboMes, 1);
    g->addLayout(periodo, 3, 1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Nome do Ficheiro :"), this), 4, 0);
    g->addWidget(txtNomeFicheiro, 4, 1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Assunto :"), this), 5, 0);
    g->addWidget(txtAssunto, 5, 1, 1, 2);
    auto* b = new QHBoxLayout;
    b->addStretch();
    b->addWidget(cmdExportar);
    b->addWidget(cmdCancelar);
    auto* l = new QVBoxLayout(this);
    l->addLayout(g);
    l->addLayout(b);
    setMinimumWidth(460);

    connect(optDisco, &QRadioButton::toggled, this, &WVSExportPDF_New::actualizar);
    connect(optArquivar, &QRadioButton::toggled, this, &WVSExportPDF_New::actualizar);
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
    for (QWidget* w : std::initializer_list<QWidget*>{cboModulo, txtAno, cboMes, txtNomeFicheiro, txtAssunto})
        w->setEnabled(optArquivar->isChecked());
}

void WVSExportPDF_New::cmdExportar_Click() {
    m_exp.destino = optMail->isChecked()       ? ExportacaoPdf::Destino::Mail
                    : optArquivar->isChecked() ? ExportacaoPdf::Destino::Arquivo
                                               : ExportacaoPdf::Destino::Disco;
    m_exp.modulo = cboModulo->currentText().left(2);
    m_exp.ano = txtAno->value();
    m_exp.mes = cboMes->currentIndex() + 1;
    m_exp.nomeFicheiro = txtNomeFicheiro->text();
    m_exp.assunto = txtAssunto->text();
    m_exp.ficheiro = txtFicheiro->text().trimmed();
    if (m_exp.destino == ExportacaoPdf::Destino::Disco && !m_exp.ficheiro.isEmpty() &&
        !m_exp.ficheiro.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        m_exp.ficheiro += QStringLiteral(".pdf");
    m_exp.destinatario = txtMail->text();
    if (m_exp.exportar())
        accept();
}

#pragma once

#include "printing/ExportacaoPdf.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

// Export of the previewed document as PDF, to disk or by e-mail.
class WVSExportPDF_New : public QDialog {
    Q_OBJECT
public:
    WVSExportPDF_New(const DocumentoImpresso& doc, GlobalContext& ctx, UserInteraction& ui,
                     QWidget* pai = nullptr);

    ExportacaoPdf& exportacao() { return m_exp; }
    void cmdExportar_Click();

    QRadioButton* optDisco;
    QRadioButton* optMail;
    QLineEdit* txtFicheiro;
    QPushButton* cmdFicheiro;
    QLineEdit* txtMail;
    QPushButton* cmdExportar;
    QPushButton* cmdCancelar;

private:
    void actualizar();
    ExportacaoPdf m_exp;
};

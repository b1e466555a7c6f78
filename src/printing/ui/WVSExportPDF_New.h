#pragma once

#include "printing/ExportacaoPdf.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;
class QPushButton;
class QRadioButton;

// Export of the previewed document as PDF, to disk, by e-mail or into the document archive.
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
    QRadioButton* optArquivar;
    QComboBox* cboModulo;
    QSpinBox* txtAno;
    QComboBox* cboMes;
    QLineEdit* txtNomeFicheiro;
    QLineEdit* txtAssunto;
    QPushButton* cmdExportar;
    QPushButton* cmdCancelar;

private:
    void actualizar();
    ExportacaoPdf m_exp;
};

#pragma once

#include "printing/ProcuraDocumento.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// "Procurar": finds text in the previewed document within a page range.
class WVSFind : public QDialog {
    Q_OBJECT
public:
    WVSFind(const DocumentoImpresso& doc, UserInteraction& ui, int paginaActual, QWidget* pai = nullptr);

    ProcuraDocumento& procura() { return m_procura; }
    void cmdProcurar_Click();

    QLineEdit* txtTexto;
    QSpinBox* txtPaginaInicial;
    QSpinBox* txtPaginaFinal;
    QCheckBox* chkDiferenciar;
    QCheckBox* chkMarcar;
    QPushButton* cmdProcurar;
    QPushButton* cmdCancelar;

signals:
    // caixa is empty when highlighting is off.
    void encontrado(int pagina, const QRectF& caixa);

private:
    ProcuraDocumento m_procura;
};

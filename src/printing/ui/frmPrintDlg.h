#pragma once

#include <QDialog>

class QCheckBox;
class QListWidget;
class QPushButton;

// "Impressoras Disponíveis": the system's printers; the chosen one is handed back by impressora().
class frmPrintDlg : public QDialog {
    Q_OBJECT
public:
    explicit frmPrintDlg(QWidget* pai = nullptr);

    QString impressora() const { return m_escolhida; }
    void carregar();

    QListWidget* lstLista;
    QCheckBox* chkAlternativo;
    QCheckBox* chkUtilizador;
    QPushButton* cmdSelecionar;
    QPushButton* cmdCancelar;

private:
    QString m_escolhida;
};

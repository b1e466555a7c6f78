#pragma once

#include "production/ExistProArmLote.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

// "Lotes disponiveis p/ Armazém": the modal lot choice over ExistProArmLote.
// Use: fill logica()'s caller fields, call logica().VerLote(...), exec(), then read logica().txtLote...
class FrmExistProArmLote : public QDialog {
    Q_OBJECT
public:
    FrmExistProArmLote(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    ExistProArmLote& logica() { return m_logica; }

    // Fills the window from the logic; when the caller's lot is listed it is chosen at once.
    int exec() override;
    void seleccionar();
    void fechar();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void mostrar();
    void aplicarResultado(ExistProArmLote::Resultado r);

    ExistProArmLote m_logica;
    QLabel *lblTitulo, *lblDica, *lblSomaQTY;
    QRadioButton *opt1, *opt2, *opt3;
    QTreeWidget* lvwLista;
    QLineEdit *txtLote, *txtDataFabrico, *txtDataValidade;
    QPushButton *cmdSeleccionar, *cmdFechar;
    bool m_escolhido = false;
};

#pragma once

#include <QDialog>

class PesquisaNOVA;
class ListaVista;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The search window "Pesquisa de Registos": binds the controls to a prepared PesquisaNOVA.
// Accepted when the user chose a row (the choice is in the search object).
class FrmPesquisaNOVA : public QDialog {
    Q_OBJECT
public:
    explicit FrmPesquisaNOVA(PesquisaNOVA& pesquisa, QWidget* pai = nullptr);

    // Controls, by their names, for the window's own wiring and for tests.
    QComboBox* cmbCampos = nullptr;
    QLineEdit* txtChave = nullptr;
    QLineEdit* txtRegVer = nullptr;
    QCheckBox* chkTiraAcentos = nullptr;
    QPushButton* cmdProcura = nullptr;
    QPushButton* Selecionar = nullptr;
    QPushButton* Cancelar = nullptr;
    ListaVista* lvwLista = nullptr;
    QLabel* TotReg = nullptr;
    QProgressBar* prgBarra = nullptr;
    QFrame* fraPesquisa = nullptr;

    void cmdProcura_Click();
    void Selecionar_Click();
    void Cancelar_Click();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void done(int r) override;

private:
    void mostrarResultado();

    PesquisaNOVA& m_logica;
};

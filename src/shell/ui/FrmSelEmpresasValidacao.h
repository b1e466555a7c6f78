#pragma once

#include "shell/SelEmpresasValidacao.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

// The server-list window, opened from the company selection.
class FrmSelEmpresasValidacao : public QDialog {
    Q_OBJECT
public:
    FrmSelEmpresasValidacao(ServidoresConhecidos& servidores, UserInteraction& ui,
                            const QString& ficheiroDefinicoes = {}, QWidget* pai = nullptr);

    SelEmpresasValidacao& logica() { return m_logica; }

public slots:
    // Esc abandons an edit first; only then does it close the window.
    void reject() override;
    void done(int resultado) override;

private:
    void construir();
    void preencherLista();
    void daLogica();
    int linhaActual() const;

    SelEmpresasValidacao m_logica;
    QString m_ficheiroDefinicoes;

    QLabel* lblPastaLocal = nullptr;
    QTreeWidget* lvwServidores = nullptr;
    QLineEdit* txtServidor = nullptr;
    QLineEdit* txtLogin = nullptr;
    QLineEdit* txtPassword = nullptr;
    QRadioButton* optAutenticaSQL = nullptr;
    QRadioButton* optAutenticaWindows = nullptr;
    QPushButton* cmdAdicionar = nullptr;
    QPushButton* cmdAlterar = nullptr;
    QPushButton* cmdGravar = nullptr;
    QPushButton* cmdEliminar = nullptr;
    QPushButton* cmdCancelar = nullptr;
    QPushButton* cmdFechar = nullptr;
};

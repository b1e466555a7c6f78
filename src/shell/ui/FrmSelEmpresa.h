#pragma once

#include "shell/SelEmpresa.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// The company-selection window, the first of the program. Use:
//   FrmSelEmpresa janela(ctx, ui);
//   if (janela.exec() == QDialog::Accepted) -> the company is open in ctx (login comes next)
//   else                                     -> the user cancelled: the program ends
class FrmSelEmpresa : public QDialog {
    Q_OBJECT
public:
    // Where settings and the cipher key live, when not the user's own (tests).
    struct Locais {
        QString ficheiroDefinicoes;
        QString ficheiroChave;
    };

    FrmSelEmpresa(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    FrmSelEmpresa(GlobalContext& ctx, UserInteraction& ui, const Locais& locais, QWidget* pai = nullptr);
    ~FrmSelEmpresa() override;

    SelEmpresa& logica() { return m_sel; }
    ServidoresConhecidos& servidores() { return m_servidores; }

    // Print support as this program uses it (PDF output); for the component check.
    static bool impressaoDisponivel();

public slots:
    void done(int resultado) override;

protected:
    bool eventFilter(QObject* objecto, QEvent* evento) override;

private:
    void construir();
    void preencherLista();
    void mostrarFiltros();
    void cmdOk_Click();
    void cmdFiltrar_Click();
    void cmdPesquisar_Click();
    void mnuConfigServer_Click();

    UserInteraction& m_ui;
    Locais m_locais;
    ServidoresConhecidos m_servidores;
    SelEmpresa m_sel;

    QLineEdit* txtAno = nullptr;
    QLineEdit* txtPescaNomeEmpresa = nullptr;
    QPushButton* cmdFiltrar = nullptr;
    QPushButton* cmdPesquisar = nullptr;
    QTreeWidget* lvwEmpresas = nullptr;
    QLabel* lblStatuss = nullptr;
    QLabel* lblVersao = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
};

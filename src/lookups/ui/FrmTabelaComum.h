#pragma once

#include "lookups/TabelaComum.h"

#include <QSet>
#include <QWidget>

struct GlobalContext;
class UserInteraction;
class ListaVista;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

// The common table editor window "frmTabelaComum": binds its controls to a TabelaComum.
class FrmTabelaComum : public QWidget {
    Q_OBJECT
public:
    FrmTabelaComum(GlobalContext& ctx, UserInteraction& ui, const QString& tabela, const QString& titulo,
                   QWidget* pai = nullptr);

    TabelaComum& logica() { return m_logica; }

    ListaVista* lvwLista = nullptr;
    QLineEdit* txtCodigo = nullptr;
    QLineEdit* txtDescricao = nullptr;
    QLabel* lblModo = nullptr;
    QPushButton *cmdAdicionar = nullptr, *cmdAlterar = nullptr, *cmdEliminar = nullptr,
                *cmdPesquisar = nullptr, *cmdRefresh = nullptr, *cmdFechar = nullptr, *cmdGravar = nullptr,
                *cmdCancelar = nullptr;
    QFrame* fraEliminar = nullptr;
    QPushButton *cmdSim = nullptr, *cmdNao = nullptr;
    QFrame* fraPesquisa = nullptr;
    QRadioButton *optCodigo = nullptr, *optDescricao = nullptr;
    QLineEdit* txtChave = nullptr;
    QPushButton* cmdProcurar = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // Mirrors the logic's state into the controls and applies its focus request.
    void mostrar();
    void recolher();
    void activar(QPushButton* b, bool sim);

    TabelaComum m_logica;
    QStackedWidget* m_separadores = nullptr;
    QSet<QPushButton*> m_negados; // buttons the user's access rights turned off
    bool m_aMostrar = false;
};

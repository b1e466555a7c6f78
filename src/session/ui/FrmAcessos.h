#pragma once

#include "session/AcessosEditor.h"

#include <QWidget>

class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// "Manutenção de Acessos por Utilizador": the users on the left, the chosen user's rights as a
// check-box tree on the right.
class FrmAcessos : public QWidget {
    Q_OBJECT
public:
    static const QString Titulo;

    FrmAcessos(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);

    AcessosEditor& editor() { return m_logica; }
    // Chooses a user as a click on the list would.
    void Utilizador(const QString& codigo);

private:
    void carregarUtilizadores();
    void carregarArvore();
    void actualizarChecks();
    void fechar();
    void procurar();
    int indiceAtual() const;

    AcessosEditor m_logica;
    UserInteraction& m_ui;
    QTreeWidget* lvwUtilizadores;
    QTreeWidget* TreeView1;
    QPushButton* cmdGravar;
    QPushButton* cmdRecarregar;
    QPushButton* cmdProcurar;
    QPushButton* cmdCancelar;
    QMenu* mnuArvore;
    std::vector<QTreeWidgetItem*> m_itens;
    QString m_ultimaProcura;
    bool m_aPreencher = false;
};

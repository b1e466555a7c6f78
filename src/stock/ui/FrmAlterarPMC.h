#pragma once

#include "stock/AlterarPMC.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class Valor;

// "Actualizar P.M.C. e U.P.C. <Produtos sem Compras>": binds the controls to AlterarPMC.
class FrmAlterarPMC : public QWidget {
    Q_OBJECT
public:
    FrmAlterarPMC(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);

private:
    void mostrar();
    void carregar(const QString& codigo);
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    AlterarPMC m_logica;
    QLineEdit* txtProduto;
    QLabel* lblDescricao;
    Valor *txtPrecoMedioCusto, *txtUltPrecoCusto;
    QPushButton *cmdPesqProduto, *cmdEquivalentes, *cmdActualizar, *cmdFechar;
};

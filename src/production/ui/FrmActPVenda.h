#pragma once

#include "production/ActPVenda.h"

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;
class Valor;

// "Act. P.Venda": the finished product's sale prices beside its new cost.
class FrmActPVenda : public QDialog {
    Q_OBJECT
public:
    FrmActPVenda(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    ActPVenda& logica() { return m_logica; }
    int exec() override;

private:
    void mostrarMargens();

    ActPVenda m_logica;
    QLabel *lblProduto, *lblCusto;
    std::array<Valor*, 4> txtPrecoVenda{};
    std::array<QLabel*, 4> lblMargem{};
    QPushButton *cmdGravar, *cmdFechar;
};

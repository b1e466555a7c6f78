#pragma once

#include "production/ConfigProd.h"

#include <QWidget>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// "Configuração de Produção": binds the controls to ConfigProd.
class FrmConfigProd : public QWidget {
    Q_OBJECT
public:
    FrmConfigProd(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);

private:
    void mostrar();
    void ler();
    QLineEdit* campo(ConfigProd::Campo c) const;

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    ConfigProd m_logica;
    QLineEdit *txtTipoSaida, *txtTipoent, *txtTiporet, *txtTipoRef, *txtProcesso_TipoSaida, *txtProcesso_TipoRet;
    QLineEdit *txtFornece, *txtCliente, *txtUltLote;
    QSpinBox* txtCasasDec;
    QRadioButton *optPMC, *optUPCusto, *optUPCompra;
    QPushButton *cmdAlterar, *cmdGravar, *cmdCancelar, *cmdFechar;
};

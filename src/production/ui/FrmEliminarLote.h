#pragma once

#include "production/EliminarLote.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// "Eliminação de Lotes (com reposição)": binds the controls to EliminarLote.
class FrmEliminarLote : public QWidget {
    Q_OBJECT
public:
    FrmEliminarLote(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);

private:
    void mostrar();
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    EliminarLote m_logica;
    QLineEdit* txtLote;
    QPushButton *cmdPesqLote, *cmdEliminar, *cmdFechar;
    QLabel *lblProduto, *lblQuantidade, *lblEntrada, *lblRetorno, *lblReforco, *lblSaida;
};

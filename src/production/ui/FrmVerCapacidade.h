#pragma once

#include "production/VerCapacidade.h"

#include <QWidget>

class QCheckBox;
class QPushButton;
class CampoCodigo;

// "Previsão da Capacidade de Produção": the product filter, "Discrimina Nomenclatura", "&Imprimir"
// and "&Fechar".
class FrmVerCapacidade : public QWidget {
    Q_OBJECT
public:
    FrmVerCapacidade(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    VerCapacidade& logica() { return m_logica; }
    // The preview opened by the last "Para o Ecran" (null when none).
    QWidget* visualizacao() const { return m_visualizacao; }

private:
    bool imprimir(const std::vector<CapacidadeProduto>& lista, bool discrimina, const QString& destino);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    VerCapacidade m_logica;
    CampoCodigo* txtProduto;
    QCheckBox* chkDiscrimina;
    QPushButton *cmdImprimir, *cmdFechar;
    QWidget* m_visualizacao = nullptr;
};

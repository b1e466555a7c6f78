#pragma once

#include "production/ImpMapaProducao.h"

#include <QWidget>

class QCheckBox;
class QPushButton;
class CampoCodigo;
class EDatas;

// "Mapa de Produção": product, "Data Inicial", "Data Final", "Discriminar componentes (movimentos e
// nomenclatura)", "Imprimir" and "Fechar".
class FrmImpMapaProducao : public QWidget {
    Q_OBJECT
public:
    FrmImpMapaProducao(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    ImpMapaProducao& logica() { return m_logica; }
    QWidget* visualizacao() const { return m_visualizacao; }

private:
    bool imprimir(const MapaProducao& m, const FiltroMapaProducao& f, const QString& descricao, const QString& destino);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    ImpMapaProducao m_logica;
    CampoCodigo* txtProduto;
    EDatas *txtDataInicial, *txtDataFinal;
    QCheckBox* chkDiscriminar;
    QPushButton *cmdImprimir, *cmdFechar;
    QWidget* m_visualizacao = nullptr;
};

#pragma once

#include "production/ImpMapaProducao.h"

#include <QWidget>

class QPushButton;
class CampoCodigo;
class EDatas;

// "Mapa de Produção <Discriminado - Lotes>": product, "Data Inicial", "Data Final", "Imprimir" and
// "Fechar".
class FrmImpMapaProducaoDisc : public QWidget {
    Q_OBJECT
public:
    FrmImpMapaProducaoDisc(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    ImpMapaProducaoDisc& logica() { return m_logica; }
    QWidget* visualizacao() const { return m_visualizacao; }

private:
    bool imprimir(const MapaDiscriminado& m, const FiltroMapaProducao& f, const QString& descricao,
                  const QString& destino);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    ImpMapaProducaoDisc m_logica;
    CampoCodigo* txtProduto;
    EDatas *txtDataInicial, *txtDataFinal;
    QPushButton *cmdImprimir, *cmdFechar;
    QWidget* m_visualizacao = nullptr;
};

#pragma once

#include "production/GraficoEstatProdJanela.h"

#include <QWidget>
#include <vector>

class CampoCodigo;
class EDatas;
class QChart;
class QChartView;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTabWidget;

// "Gráfico Estatístico de Produção": lot, run, finished product, period and measure; "Calcula"
// fills the chart (first tab) and the table (second tab); the chart buttons switch between bars
// and pie; pointing at a material shows its figure and share.
class FrmGraficoEstatProd : public QWidget {
    Q_OBJECT
public:
    FrmGraficoEstatProd(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    GraficoEstatProd& logica() { return m_logica; }
    QChart* grafico() const { return m_grafico; }
    QWidget* visualizacao() const { return m_visualizacao; }
    // Shows a material's figure in the status label, as pointing at it does.
    void apontar(int indice);

private:
    void lerCampos();
    void desenhar();
    void preencherTabela();
    bool imprimir(const GraficoProducao& g, const FiltroGrafico& f, const QString& descricao, TipoGrafico tipo,
                  const QString& destino);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    GraficoEstatProd m_logica;
    CampoCodigo *txtLote, *txtProduto;
    QLineEdit* txtNumProcesso;
    EDatas *txtDataInicial, *txtDataFinal;
    QRadioButton *optQuantidade, *optValor;
    QPushButton *cmdCalcula, *cmdGraficoBarras, *cmdGraficoCircular, *cmdImprimir, *cmdFechar;
    QTabWidget* tabGrafico;
    QChart* m_grafico;
    QChartView* chtGrafico;
    QTableWidget* lvwLista;
    QLabel *lblPonto, *lblValorTotal;
    std::vector<int> m_fatias; // the material of each pie slice (materials at or below zero have none)
    QWidget* m_visualizacao = nullptr;
};

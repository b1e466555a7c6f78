#pragma once

#include "production/ProcessosProducao.h"

#include <QDialog>
#include <QWidget>
#include <array>

class QChart;
class QChartView;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class CampoCodigo;
class EDatas;
class ListaVista;
class SelOpta;
class Valor;

// "Manutenção do Processo para Produção": bound to MovProducao_Processo_INS.
class FrmMovProducao_Processo_INS : public QDialog {
    Q_OBJECT
public:
    FrmMovProducao_Processo_INS(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    MovProducao_Processo_INS& logica() { return m_logica; }
    // modo 'N' a new process, 'A' the one of that NumRegisto; false when it cannot be read.
    bool abrir(QChar modo, qint64 numRegisto = 0);

private:
    void mostrar();
    void lerCampos();
    void focar();

    MovProducao_Processo_INS m_logica;
    QLineEdit *txtProcesso, *txtDescricao;
    QPlainTextEdit* txtDescricaoExtensa;
    EDatas *txtDataInicio, *txtDataPrevista;
    QLabel* lblEncerramento;
    QPushButton *cmdProximo, *cmdReabrir, *cmdGravar, *cmdCancelar;
};

// "Movimentos no Processo para Produção": bound to MovProducao_Processo_MOV; lot products go
// through the lot window.
class FrmMovProducao_Processo_MOV : public QDialog {
    Q_OBJECT
public:
    FrmMovProducao_Processo_MOV(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    MovProducao_Processo_MOV& logica() { return m_logica; }
    bool abrir(const QString& processo);

private:
    void mostrar();
    void lerCampos();
    void focar();

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    MovProducao_Processo_MOV m_logica;
    QLabel *lblProcesso, *lblEstado, *lblUnidade;
    ListaVista* lvwLista;
    QGroupBox* fraLancamento;
    EDatas* txtData;
    CampoCodigo *cpProduto, *cpArmazem;
    QLineEdit *txtDescricao, *txtLote, *txtLocalizacao, *txtObserva, *txtFornece;
    std::array<QLineEdit*, 7> txtReferencias{};
    Valor *txtQuantidade, *txtPreco;
    QPushButton *cmdLancar, *cmdAlterar, *cmdEliminar, *cmdFechar;
    bool m_aMostrar = false;
};

// "Análise do Processo": the consumption chart over MovProducao_Processo_ANAL.
class FrmMovProducao_Processo_ANAL : public QDialog {
    Q_OBJECT
public:
    FrmMovProducao_Processo_ANAL(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    MovProducao_Processo_ANAL& logica() { return m_logica; }
    bool abrir(const QString& processo);
    // As a click on the point's slice.
    void seleccionarPonto(int i);

private:
    void desenhar();
    void mostrarSeleccao();

    MovProducao_Processo_ANAL m_logica;
    QLabel *lblTitulo, *lblTotal, *lblSeleccionado;
    QChartView* chtGrafico;
    QChart* m_grafico;
    QRadioButton *optQuantidade, *optValor;
    QPushButton* cmdFechar;
};

// "Processos para Produção": the filter and list, bound to MovProducao_Processo.
class FrmMovProducao_Processo : public QWidget {
    Q_OBJECT
public:
    FrmMovProducao_Processo(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    MovProducao_Processo& logica() { return m_logica; }

private:
    void mostrar();
    void lerFiltro();
    void pesquisar();
    void editar(QChar modo);
    void movimentos();
    void analise();

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    MovProducao_Processo m_logica;
    EDatas *txtDataInicial, *txtDataFinal;
    CampoCodigo* cpProcesso;
    QLineEdit* txtDescricao;
    SelOpta* optEstado;
    ListaVista* lvwLista;
    QPushButton *cmdPesquisar, *cmdAdicionar, *cmdAlterar, *cmdEliminar, *cmdMovimentos, *cmdAnalise, *cmdFechar;
    bool m_aMostrar = false;
};

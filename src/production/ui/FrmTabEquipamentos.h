#pragma once

#include "production/EquipamentosJanelas.h"

#include <QDialog>
#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTimer;
class CampoCodigo;
class EDatas;
class ListaVista;
class SelOpta;
class Valor;

// "Equipamento": the record of one equipment, bound to TabEquipamentosINS. It stays open after
// saving, to show the due dates the save computed.
class FrmTabEquipamentosINS : public QDialog {
    Q_OBJECT
public:
    FrmTabEquipamentosINS(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    TabEquipamentosINS& logica() { return m_logica; }
    // modo 'N' a new equipment, 'A' the one of that NumRegisto; false when it cannot be read.
    bool abrir(QChar modo, qint64 numRegisto = 0);
    // Whether a save happened while it was open (the caller's list then reloads).
    bool gravado() const { return m_gravado; }

private:
    void mostrar();
    void lerCampos();
    void focar();
    void imagens();

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    TabEquipamentosINS m_logica;
    QLineEdit *txtCodigo, *txtDescricao;
    EDatas *txtDataAquisicao, *txtDataAbate, *txtDataDespoluimento, *txtDataDesmantelamento, *txtDataCertDest;
    Valor *txtValorAquisicao, *txtValorDesmantelamento;
    std::array<QSpinBox*, 3> txtAvisoDias{};
    std::array<CampoCodigo*, 3> cpAvisoUtilizador{};
    std::array<QLabel*, 3> lblAviso{};
    QPlainTextEdit* txtObservacao;
    ListaVista* lvwUtilizadores;
    QPushButton *cmdInverter, *cmdImagens, *cmdGravar, *cmdFechar;
    bool m_gravado = false;
};

// "Produtos resultantes do desmantelamento": the finished products of an equipment, with the
// pictures of the selected product's lot.
class FrmTabEquipamentosProdutosAcabados : public QDialog {
    Q_OBJECT
public:
    FrmTabEquipamentosProdutosAcabados(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    TabEquipamentosProdutosAcabados& logica() { return m_logica; }
    bool abrir(const QString& codigo, const QString& descricao = {});

private:
    void imagens();

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    TabEquipamentosProdutosAcabados m_logica;
    QLabel* lblEquipamento;
    ListaVista* lvwLista;
    QPushButton *cmdImagens, *cmdFechar;
};

// "Avisos para equipamentos": the steps due for the user, refreshed every few seconds, at the
// place the user last left it.
class FrmTabEquipamentosAvisos : public QWidget {
    Q_OBJECT
public:
    FrmTabEquipamentosAvisos(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    TabEquipamentosAvisos& logica() { return m_logica; }

    static constexpr int IntervaloActualizacao = 5'000;
    static inline const QString ChaveTopo = QStringLiteral("frmTabEquipamentosAvisos/Me_Top");
    static inline const QString ChaveEsquerda = QStringLiteral("frmTabEquipamentosAvisos/Me_Left");

    // The timer's work, callable directly.
    void actualizar();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void alterar();
    // The frame that moves: the sub-window inside the menu, else the window itself.
    QWidget* moldura();

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    TabEquipamentosAvisos m_logica;
    ListaVista* lvwLista;
    QPushButton *cmdAlterar, *cmdFechar;
    QTimer* tmrActualizar;
    bool m_posicaoReposta = false;
};

// "Desmantelamento de Equipamentos": the filter and list, bound to TabEquipamentos.
class FrmTabEquipamentos : public QWidget {
    Q_OBJECT
public:
    FrmTabEquipamentos(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    TabEquipamentos& logica() { return m_logica; }

    // The equipment report of the selected code; "&Imprimir" stays off while it is unset.
    std::function<void(const QString& codigo)> imprimirRelatorio;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void mostrar();
    void lerFiltro();
    void pesquisar();
    void editar(QChar modo);
    void produtos();
    void imprimir();

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    TabEquipamentos m_logica;
    QLineEdit *txtCodigo, *txtDescricao;
    SelOpta* optEstado;
    ListaVista* lvwLista;
    QPushButton *cmdPesquisar, *cmdAdicionar, *cmdAlterar, *cmdEliminar, *cmdProdutos, *cmdImprimir, *cmdFechar;
    bool m_aMostrar = false;
};

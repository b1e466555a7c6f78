#pragma once

#include "production/MovProducao.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class CampoCodigo;
class EDatas;
class ListaVista;
class Valor;

// "Movimentos de Produção": binds the controls to MovProducao.
class FrmMovProducao : public QWidget {
    Q_OBJECT
public:
    FrmMovProducao(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    MovProducao& logica() { return m_logica; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void mostrar();      // logic -> controls
    void lerCabecalho(); // controls -> logic
    void focar();
    void editar(MovProducao::Edicao e);
    void escolherLote();
    void imprimirFolha(const QString& lote);
    void actualizarPrecos(const QString& produto, const Currency& custo);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    MovProducao m_logica;

    QGroupBox* fraCabecalho;
    QLineEdit* txtLote;
    QLabel *lblSituacao, *lblFixa;
    CampoCodigo *txtProdutoAcabado, *txtArmazem;
    Valor* txtQuantidade;
    EDatas* txtData;
    QCheckBox* chkNaoMultiplica;
    QRadioButton *optControlaQuantidade, *optIgnoraQuantidade;
    QPushButton *cmdCarregar, *cmdFechar;

    QGroupBox* fraLinhas;
    ListaVista* lvwListaNomec;
    QPushButton *cmdAltQtyNmc, *cmdAltQtyProd, *cmdAcertos, *cmdLoteProduto, *cmdExecutarLote, *cmdImpConfer,
        *cmdCancelar;

    QGroupBox* fraEdicao;
    QLabel* lblEdicao;
    Valor* txtEdicao;
    QPushButton *cmdActualiza, *cmdCancelaEdicao;

    QGroupBox* fraExecucao;
    QLabel *lblCapacidade, *lblCustoUnitario, *lblDatasLotePA;
    QCheckBox* chkApenasControlo;
    ListaVista* lvwInsuficientes;
    QGroupBox* fraLotePA;
    CampoCodigo *txtLocalizacaoPA, *txtLotePA;
    QPushButton *cmdCriarLote, *cmdProcessar, *cmdCancelarExecucao;
    bool m_aMostrar = false;
    bool m_acessosLidos = false;
    QList<QPushButton*> m_negados; // buttons the user's access rights turned off
};

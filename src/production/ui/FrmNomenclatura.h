#pragma once

#include "production/Nomenclatura.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class ListaVista;
class Valor;

// "Nomenclatura de Produtos": binds the controls to Nomenclatura.
class FrmNomenclatura : public QWidget {
    Q_OBJECT
public:
    FrmNomenclatura(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    Nomenclatura& logica() { return m_logica; }

private:
    void mostrar();      // logic -> controls
    void lerCampos();    // controls -> logic
    void focar();
    void painelParaLogica();

    Nomenclatura m_logica;
    QTabWidget* tabPaginas;
    QLineEdit *txtPesqCodigo, *txtPesqDescricao;
    QPushButton *cmdAdicionar, *cmdAlterar, *cmdEliminar, *cmdRefresh, *cmdFechar, *cmdFixa;
    ListaVista* lvwLista;
    QLineEdit *txtProdutoAcabado, *txtDescProdutoAcabado;
    QPushButton* cmdPesqProdutoAcabado;
    Valor* txtPrecoProdutoAcabado;
    QCheckBox *chkFixa, *chkCtrlQuantidades;
    ListaVista* lvwListaNomec;
    QPushButton *cmdAdicProd, *cmdAlterarProd, *cmdElimProd, *cmdPrecoPA, *cmdImportar, *cmdFimNomenclatura;
    QGroupBox* fraLinha;
    QLineEdit *txtProdutoPrima, *txtDescProdutoPrima, *txtArmazem, *txtObserva;
    QPushButton *cmdPesqProdutoPrima, *cmdEquivalentes, *cmdPesqArmazem, *cmdGravar, *cmdFimLancamento;
    Valor *txtQuantidade, *txtPreco, *txtFactor;
    QRadioButton *optPMC, *optUPCusto, *optUPCompra, *optFormulaA, *optFormulaB;
    QLabel* lblCubicagem;
    bool m_aMostrar = false;
};

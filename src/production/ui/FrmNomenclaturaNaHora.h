#pragma once

#include "production/NomenclaturaNaHora.h"

#include <QDialog>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class ListaVista;
class Valor;

// "Manutenção do Registo": one line of an instant recipe, bound to NomenclaturaNaHoraINS.
class FrmNomenclaturaNaHoraINS : public QDialog {
    Q_OBJECT
public:
    FrmNomenclaturaNaHoraINS(NomenclaturaNaHoraINS& logica, GlobalContext& ctx, QWidget* pai = nullptr);

private:
    void mostrar();
    void lerCampos();
    void focar();

    NomenclaturaNaHoraINS& m_logica;
    QLineEdit *txtProduto, *txtDescricao, *txtArmazem, *txtObserva;
    QPushButton *cmdPesqProduto, *cmdPesqArmazem, *cmdGravar, *cmdCancelar;
    Valor *txtQuantidade, *txtValor;
    QComboBox* cboPrecario;
    QLabel* lblValor;
    bool m_aMostrar = false;
};

// "Nomenclatura de Produtos (Produção Instantânea)": binds the controls to NomenclaturaNaHora.
class FrmNomenclaturaNaHora : public QWidget {
    Q_OBJECT
public:
    FrmNomenclaturaNaHora(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    NomenclaturaNaHora& logica() { return m_logica; }

private:
    void mostrar();
    void lerCampos();
    void editarLinha(QChar modo, TipoLinhaReceita tipo);

    GlobalContext& m_ctx;
    NomenclaturaNaHora m_logica;
    QStackedWidget* paginas;
    ListaVista* lvwLista;
    QPushButton *cmdRefresh, *cmdAdicionar, *cmdAlterar, *cmdEliminar, *cmdFechar;
    QLineEdit *txtCodigo, *txtDescricao;
    QComboBox* cboFluxo;
    QTabWidget* tabLinhas;
    ListaVista *lvwMateriasPrimas, *lvwProdutosAcabados;
    QPushButton *cmdAdicMP, *cmdRemoverMP, *cmdAlterarMP, *cmdAdicPA, *cmdRemoverPA, *cmdAlterarPA;
    QPushButton *cmdGravar, *cmdCancelar;
    bool m_aMostrar = false;
};

#pragma once

#include "printing/ImpCodBar.h"

#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <map>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class CampoCodigo;
class ListaVista;
class Valor;

// "Produto a Etiquetar": one row of the label list, bound to ImpCodBarIns. Accepted only when the
// logic confirms the row.
class FrmImpCodBarIns : public QDialog {
    Q_OBJECT
public:
    FrmImpCodBarIns(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    ImpCodBarIns& logica() { return m_logica; }
    CampoCodigo* campo(ImpCodBarIns::Campo c) const { return m_campos.at(c); }

private:
    void lerCampos();
    void mostrar();
    void focar();
    void confirmar();

    ImpCodBarIns m_logica;
    std::map<ImpCodBarIns::Campo, CampoCodigo*> m_campos;
    Valor *txtQuantidade, *txtPrecoLote;
    QLineEdit* txtCodigoDinamico;
    QPushButton *cmdOK, *cmdCancelar;
};

// "Impressão de Etiquetas": the label definition and options, the ticked product list and the
// print, bound to ImpCodBar.
class FrmImpCodBar : public QWidget {
    Q_OBJECT
public:
    FrmImpCodBar(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    ImpCodBar& logica() { return m_logica; }
    // The preview opened by the last "Para o Ecran" (null when none).
    QWidget* visualizacao() const { return m_visualizacao; }
    // The row window, then its row added; false when it was cancelled.
    bool adicionar();

private:
    void mostrar();
    void focar();
    Resultado<ResultadoEtiquetas> imprimir(const DefinicaoEtiqueta& d, const std::vector<LinhaEtiqueta>& linhas,
                                           const OpcoesEtiquetas& o, const QString& destino);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    ImpCodBar m_logica;
    CampoCodigo *txtEtiqueta, *txtCambio;
    QCheckBox *chkIva, *chkCaixa;
    QSpinBox *eint1H, *eint1V;
    ListaVista* lvwLista;
    QPushButton *btnAdicionar, *btnRemover, *cmdAlterar, *cmdImprimir, *cmdFechar;
    QPointer<QWidget> m_visualizacao;
};

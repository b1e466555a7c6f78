#pragma once

#include "production/MedicoesJanelas.h"

#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <array>
#include <optional>

class QLabel;
class QPushButton;
class QRadioButton;
class CampoCodigo;
class ListaVista;
class Valor;

// "Manutenção de Matérias Primas": one raw-material line of a template, bound to
// MedicoesTemplateInsProdutos. Accepted only when the logic confirms the line.
class FrmMedicoesTemplateInsProdutos : public QDialog {
    Q_OBJECT
public:
    FrmMedicoesTemplateInsProdutos(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    MedicoesTemplateInsProdutos& logica() { return m_logica; }
    // The line to change, or none for a new one.
    void carregar(const std::optional<LinhaMedicao>& linha);

private:
    void mostrar();
    void lerCampos();
    void focar();
    void confirmar();

    MedicoesTemplateInsProdutos m_logica;
    CampoCodigo *txtProduto, *txtArmazem;
    Valor *txtQuantidade, *txtMedida;
    // "A" Altura, "L" Largura, "F" Unidade Fixa.
    std::array<QRadioButton*, 3> optMedicoes{};
    QPushButton *cmdOK, *cmdCancelar;
};

// "Manutenção de Registos": a template's heading and raw-material lines, bound to MedicoesTemplateIns.
class FrmMedicoesTemplateIns : public QDialog {
    Q_OBJECT
public:
    FrmMedicoesTemplateIns(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    MedicoesTemplateIns& logica() { return m_logica; }
    // modo 'N' a new template, 'A' the product's; false when it cannot be read.
    bool abrir(QChar modo, const QString& produto = {});
    // Whether a save happened while it was open.
    bool gravado() const { return m_gravado; }

private:
    void mostrar();
    void lerCampos();
    void focar();
    void adicionarLinha();
    void alterarLinha();

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    MedicoesTemplateIns m_logica;
    CampoCodigo *txtProduto, *txtArmazem;
    Valor *txtAltura, *txtLargura;
    ListaVista* lvwLista;
    QPushButton *cmdAdicionar, *cmdAlterar, *cmdEliminar, *cmdGravar, *cmdSair;
    bool m_gravado = false;
};

// "Nomenclatura Base para Produtos Acabados": the templates by product, bound to MedicoesTemplate.
class FrmMedicoesTemplate : public QWidget {
    Q_OBJECT
public:
    FrmMedicoesTemplate(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    MedicoesTemplate& logica() { return m_logica; }

private:
    void editar(QChar modo);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    MedicoesTemplate m_logica;
    CampoCodigo* txtProduto;
    ListaVista* lvwLista;
    QPushButton *cmdAdicionar, *cmdAlterar, *cmdEliminar, *cmdSair;
};

// "Cálculos para Produção (Medições)": the quantity and sale-value prints of a calculation.
class FrmMedicoesCalculosMedidasIMP : public QDialog {
    Q_OBJECT
public:
    FrmMedicoesCalculosMedidasIMP(GlobalContext& ctx, UserInteraction& ui, const CalculoMedicoes& calculo,
                                  QWidget* pai = nullptr);
    MedicoesCalculosMedidasIMP& logica() { return m_logica; }
    // The preview opened by the last "Para o Ecran" (null when none).
    QWidget* visualizacao() const { return m_visualizacao; }

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    MedicoesCalculosMedidasIMP m_logica;
    QLabel *lblProduto, *lblAltura, *lblLargura, *lblQuantidade;
    QPushButton *cmdImprimir, *cmdImprimirValores, *cmdSair;
    QPointer<QWidget> m_visualizacao;
};

// "Cálculos para Produção do Produto Acabado": a template scaled to new measures and posted as a
// closed lot, bound to MedicoesCalculosMedidas. Its buttons follow the rights of
// "Cálculos para Produtos Acabados", the menu entry it is reached from.
class FrmMedicoesCalculosMedidas : public QDialog {
    Q_OBJECT
public:
    FrmMedicoesCalculosMedidas(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    MedicoesCalculosMedidas& logica() { return m_logica; }
    // The product's template; false (told) when it has none.
    bool abrir(const QString& produto);
    // The lot sheet preview opened after the posting (null when none).
    QWidget* visualizacao() const { return m_visualizacao; }

private:
    void mostrar();
    void lerCampos();
    void focar();
    void aplicarAcessos();
    void escolherLote(ExistProArmLote& pedido);
    void imprimirFolha(const QString& lote);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    MedicoesCalculosMedidas m_logica;
    QLabel *lblProduto, *lblDescricao;
    Valor *txtAlturaBase, *txtLarguraBase, *txtAltura, *txtLargura, *txtQuantidade;
    CampoCodigo* txtArmazem;
    ListaVista* lvwLista;
    QPushButton *cmdCalcular, *cmdImprimir, *cmdIntegrar, *cmdSair;
    QPointer<QWidget> m_visualizacao;
};

// "Cálculos para Produtos Acabados": the templates to calculate from, bound to MedicoesTemplate.
class FrmMedicoesCalculos : public QWidget {
    Q_OBJECT
public:
    FrmMedicoesCalculos(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    MedicoesTemplate& logica() { return m_logica; }
    // The calculation window of the selected product, left open beside the list; null when none.
    FrmMedicoesCalculosMedidas* seleccionar();

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    MedicoesTemplate m_logica;
    CampoCodigo* txtProduto;
    ListaVista* lvwLista;
    QPushButton *cmdSeleccionar, *cmdSair;
};

// "Folha de Produção de Lote (Medições)": a closed measurements lot and its sheet, bound to
// ImpFolhaLoteMedicoes.
class FrmImpFolhaLoteMedicoes : public QWidget {
    Q_OBJECT
public:
    FrmImpFolhaLoteMedicoes(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    ImpFolhaLoteMedicoes& logica() { return m_logica; }
    // The preview opened by the last "Para o Ecran" (null when none).
    QWidget* visualizacao() const { return m_visualizacao; }

private:
    void mostrar();
    bool imprimir(const FolhaLoteMedicoes& f, const QString& destino);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    ImpFolhaLoteMedicoes m_logica;
    CampoCodigo* txtLote;
    QLabel *lblProduto, *lblQuantidade, *lblAltura, *lblLargura, *lblSaida, *lblEntrada;
    QPushButton *cmdImprimir, *cmdSair;
    QPointer<QWidget> m_visualizacao;
};

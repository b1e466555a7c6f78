#pragma once

#include "production/MovProducaoNaHora.h"

#include <QDialog>
#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;
class QCheckBox;
class QLabel;
class ListaVista;
class Valor;

// The raw-material line editor of an instant run, bound to MovProducaoNaHoraINS.
class FrmMovProducaoNaHoraINS : public QDialog {
    Q_OBJECT
public:
    FrmMovProducaoNaHoraINS(MovProducaoNaHoraINS& logica, GlobalContext& ctx, UserInteraction& ui,
                            QWidget* pai = nullptr);

private:
    void mostrar();
    void lerCampos();
    void escolherLote();

    MovProducaoNaHoraINS& m_logica;
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QLineEdit *txtProduto, *txtDescricao, *txtArmazem, *txtLote, *txtLocalizacao, *txtObserva;
    Valor *txtQuantidade, *txtPreco;
    QComboBox* cboPrecario;
    QPushButton *cmdLote, *cmdGravar, *cmdCancelar;
    bool m_aMostrar = false;
};

// "Produto Acabado": the finished-product line editor, bound to MovProducaoNaHoraProdAcabINS.
class FrmMovProducaoNaHoraProdAcabINS : public QDialog {
    Q_OBJECT
public:
    FrmMovProducaoNaHoraProdAcabINS(MovProducaoNaHoraProdAcabINS& logica, GlobalContext& ctx, UserInteraction& ui,
                                    QWidget* pai = nullptr);

private:
    void mostrar();
    void lerCampos();
    void criarTabela(int dimensao);

    MovProducaoNaHoraProdAcabINS& m_logica;
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QLineEdit *txtProduto, *txtDescricao, *txtArmazem, *txtLote, *txtLocalizacao, *txtObserva;
    std::array<QLineEdit*, 7> txtReferencias{};
    std::array<QPushButton*, 7> cmdPesquisarReferencia{}, cmdCriarReferencia{};
    Valor *txtQuantidade, *txtPercCusto, *txtPrecoCusto;
    QPushButton *cmdPesquisarLote, *cmdCriarLote, *cmdImagens, *cmdGravar, *cmdCancelar;
    bool m_aMostrar = false;
};

// "Produção Instantânea": binds the controls to MovProducaoNaHora.
class FrmMovProducaoNaHora : public QWidget {
    Q_OBJECT
public:
    FrmMovProducaoNaHora(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    MovProducaoNaHora& logica() { return m_logica; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void editarMateria(QChar modo);
    void editarAcabado(QChar modo);
    void mostrarIntegracao();
    void imprimir(const ResultadoInstantanea& r);

    GlobalContext& m_ctx;
    MovProducaoNaHora m_logica;
    ListaVista *lvwMateriaPrima, *lvwProdutoAcabdo;
    QPushButton *cmdAdicionarMP, *cmdAlterarMP, *cmdRemoverMP, *cmdAdicionarPA, *cmdAlterarPA, *cmdRemoverPA;
    QPushButton *cmdIntegrarNomenclatura, *cmdIntegrarProcesso, *cmdIntegrarEquipamento, *cmdProcessar, *cmdFechar;
    QLabel *lblProcesso, *lblEquipamento;
    QCheckBox* chkAdicionarDoc;
    UserInteraction& m_ui;
};

#pragma once

#include "printing/DefinicaoEtiquetas.h"

#include <QWidget>
#include <memory>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTimer;
class ListaVista;
class VistaPagina;
struct DocumentoImpresso;

// "Definição de Etiquetas": the product label definitions, the record of one with every column,
// and beside it one sheet of sample labels drawn from the record as it is typed. Bound to
// DefinicaoEtiquetas.
class FrmEtiquetas : public QWidget {
    Q_OBJECT
public:
    FrmEtiquetas(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    ~FrmEtiquetas() override;
    DefinicaoEtiquetas& logica() { return m_logica; }

    // Draws the sample again now (a change does it after a short pause).
    void actualizarAmostra();
    // The sample's page on screen (null when the record cannot be drawn) and what it drew.
    VistaPagina* vistaAmostra() const { return m_vista; }
    const DocumentoImpresso* documentoAmostra() const { return m_documento.get(); }
    QString textoAmostra() const;

private:
    void mostrar();
    void lerCampos();
    void focar();
    void abrirSeleccionado(int linha);
    void alterado();

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    DefinicaoEtiquetas m_logica;
    ListaVista* lvwLista;
    QLineEdit *txtCodigo, *txtDescricao;
    std::vector<std::pair<int DefinicaoEtiqueta::*, QSpinBox*>> m_numeros;
    std::vector<std::pair<bool DefinicaoEtiqueta::*, QCheckBox*>> m_logicos;
    QComboBox *cboSimbologia, *cboPapel;
    QLabel* lblFicheiroBase;
    QPlainTextEdit* txtCampos;
    QScrollArea* scrAmostra;
    QLabel* lblAmostra;
    QPushButton *btnNovo, *cmdGravar, *cmdEliminar, *cmdSair;
    QTimer* tmrAmostra;
    std::shared_ptr<DocumentoImpresso> m_documento;
    VistaPagina* m_vista = nullptr;
    bool m_aMostrar = false;
};

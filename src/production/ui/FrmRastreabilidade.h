#pragma once

#include "production/Rastreabilidade.h"

#include <QWidget>
#include <memory>

class CampoCodigo;
struct DocumentoImpresso;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

// "Rastreabilidade de Lotes": product and lot, "Jusante" or "Montante", "&Pesquisar" fills the tree
// (lots and the productions between them, expandable), a find box that walks the matches, and the
// print, PDF and spreadsheet of the same tree through the preview's machinery.
class FrmRastreabilidade : public QWidget {
    Q_OBJECT
public:
    FrmRastreabilidade(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    FormRastreabilidade& logica() { return m_logica; }

    // Selects the next node (after the selected one, wrapping) whose texts contain the find box's
    // text, expanding its parents; false when none does.
    bool procurarSeguinte();

    // The preview opened by the last "Para o Ecran" (null when none).
    QWidget* visualizacao() const { return m_visualizacao; }

    CampoCodigo *txtProduto, *txtLote;
    QRadioButton *optJusante, *optMontante;
    QPushButton *cmdPesquisar, *cmdProcurar, *cmdImprimir, *cmdExportarPdf, *cmdExportarFolha, *cmdFechar;
    QLineEdit* txtProcurar;
    QTreeWidget* trvRastreio;

private:
    void lerCampos();
    void mostrarArvore();
    // The print of the tree of the fields as they are, with the export's recording; null when refused.
    std::shared_ptr<DocumentoImpresso> documento();
    bool imprimir(const NoRastreio& raiz, SentidoRastreio sentido, const QString& destino);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    FormRastreabilidade m_logica;
    std::shared_ptr<DocumentoImpresso> m_documento; // kept while an export window uses it
    QWidget* m_visualizacao = nullptr;
};

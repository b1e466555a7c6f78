#pragma once

#include "printing/Visualizacao.h"

#include <QDialog>

struct GlobalContext;
class QAction;
class QComboBox;
class QGroupBox;
class QPushButton;
class QScrollArea;
class QToolBar;
class VistaPagina;

// The preview of a finished document: paging, zoom, print, find, PDF and spreadsheet export.
class WVSPrint : public QDialog {
    Q_OBJECT
public:
    WVSPrint(std::shared_ptr<const DocumentoImpresso> doc, GlobalContext& ctx, UserInteraction& ui,
             QWidget* pai = nullptr);
    ~WVSPrint() override;

    Visualizacao& visualizacao() { return m_vis; }
    // The find window, created on first use.
    class WVSFind* procurar();
    void imprimir(bool comDialogo);
    void exportarPdf();
    void mostrarPagina();

    QToolBar* tbrFerramentas;
    QAction* tbrFechar;
    QAction* tbrImprimir;
    QAction* tbrImprimirDirecto;
    QAction* tbrProcurar;
    QAction* tbrExportarPDF;
    QAction* tbrExcel;
    QAction* tbrExcelFicheiro;
    QPushButton* cmdFirst;
    QPushButton* cmdPrev;
    QPushButton* cmdNext;
    QPushButton* cmdLast;
    QGroupBox* fraPagina;
    QComboBox* cmbZoom;
    QScrollArea* scrPagina;
    VistaPagina* vwPagina;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void aplicarZoom();

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    Visualizacao m_vis;
    class WVSFind* m_find = nullptr;
};

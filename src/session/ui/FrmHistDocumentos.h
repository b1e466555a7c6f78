#pragma once

#include "company/HistoricoDocumentos.h"

#include <QWidget>

class QPushButton;
class QTreeWidget;

// "Histórico de Documentos": the documents filed under a key with their files; add, open with the
// desktop's program, save as, remove.
class FrmHistDocumentos : public QWidget {
    Q_OBJECT
public:
    FrmHistDocumentos(GlobalContext& ctx, UserInteraction& ui, const QString& tipo, const QString& numero,
                      const QString& subtitulo, QWidget* pai = nullptr);

    HistoricoDocumentos& logica() { return m_logica; }
    // NumRegisto of the selected file (0 when a document or nothing is selected).
    qint64 ficheiroSeleccionado() const;
    // NumeroMov of the selected document or of the selected file's document.
    qint64 documentoSeleccionado() const;
    void mostrar();

    QTreeWidget* lvwDocumentos;
    QPushButton *cmdAdicionar, *cmdAbrir, *cmdGravarComo, *cmdRemover, *cmdFechar;

private:
    HistoricoDocumentos m_logica;
};

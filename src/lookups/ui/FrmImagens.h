#pragma once

#include "lookups/ImagensJanela.h"

#include <QDialog>
#include <QPixmap>

class ListaVista;
class QLabel;
class QPushButton;

// "Imagens": the pictures of a record, bound to ImagensRegisto; the list on the left, the selected
// picture on the right, shrunk to fit.
class FrmImagens : public QDialog {
    Q_OBJECT
public:
    FrmImagens(ImagensRegisto& logica, QWidget* pai = nullptr);

    ImagensRegisto& logica() { return m_logica; }

    ListaVista* lvwImagens = nullptr;
    QLabel* lblImagem = nullptr;
    QPushButton *cmdAdicionar = nullptr, *cmdRemover = nullptr, *cmdFechar = nullptr;

    void done(int resultado) override;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void mostrar();
    void mostrarImagem();
    void ajustarImagem();

    ImagensRegisto& m_logica;
    QPixmap m_original; // the selected picture at its own size
    bool m_aMostrar = false;
};

#pragma once

#include "printing/cPrinter.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QPushButton;

// "Imprimindo...": shown while a report is produced; "&Cancelar" stops the report at its next Wait.
class WVSProcessando : public QDialog, public IndicadorProgresso {
    Q_OBJECT
public:
    explicit WVSProcessando(QWidget* pai = nullptr);

    void mostrar(const QString& titulo, const QString& informacao) override;
    bool pedidoParar() override;
    void fechar() override;

    QLabel* lblTitulo;
    QLabel* lblInformacao;
    QPushButton* cmdCancelar;

private:
    bool m_parar = false;
    QElapsedTimer m_desdeEventos;
};

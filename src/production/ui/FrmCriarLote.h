#pragma once

#include "production/CriarLote.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTreeWidget;

// "Criação de Lotes": the modal window over CriarLote.
class FrmCriarLote : public QDialog {
    Q_OBJECT
public:
    FrmCriarLote(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    ::CriarLote& logica() { return m_logica; }

    // Fills the window, shows it modally and writes the values back unless cancelled.
    void CriarLote(QString& lote, QString& dataFabrico, QString& dataValidade, const QString& produto,
                   const QString& tipo, const QString& terceiro, QString& descricao);
    // Opens the window for a product; the new lot code, "" when cancelled.
    static QString criarLote(GlobalContext& ctx, UserInteraction& ui, const QString& produto, QWidget* pai = nullptr);

protected:
    // Every way out (save, cancel, closing) keeps the check box for the next time.
    void done(int r) override;

private:
    void mostrar();
    void ler();
    ::CriarLote m_logica; // qualified: the window's own CriarLote hides the class name
    QLineEdit *txtProduto, *txtLote, *txtDescricao, *txtDataFabrico, *txtDataValidade, *txtSaftArcNo;
    QLabel* lblDescProduto;
    QCheckBox* chkGravarUltimoLote;
    QGroupBox* fraLotesDocumento;
    QTreeWidget* lvwLotes;
};

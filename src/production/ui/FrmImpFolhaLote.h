#pragma once

#include "production/ImpFolhaLote.h"

#include <QWidget>

class QLabel;
class QPushButton;
class CampoCodigo;

// "Folha de Produção de Lote": the lot filter, what the lot holds, "Imprimir" and "Fechar".
class FrmImpFolhaLote : public QWidget {
    Q_OBJECT
public:
    FrmImpFolhaLote(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    ImpFolhaLote& logica() { return m_logica; }
    // The preview opened by the last "Para o Ecran" (null when none).
    QWidget* visualizacao() const { return m_visualizacao; }

private:
    void mostrar();
    bool imprimir(const FolhaLote& f, const QString& destino);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    ImpFolhaLote m_logica;
    CampoCodigo* txtLote;
    QLabel *lblProduto, *lblQuantidade, *lblSaida, *lblReforco, *lblRetorno, *lblEntrada;
    QPushButton *cmdImprimir, *cmdFechar;
    QWidget* m_visualizacao = nullptr;
};

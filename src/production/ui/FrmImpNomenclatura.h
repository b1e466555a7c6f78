#pragma once

#include "production/ImpNomenclatura.h"

#include <QWidget>

class QCheckBox;
class QPushButton;
class CampoCodigo;

// The bill-of-materials listings, ordinary or with measurements: the product filter, "Discrimina
// Nomenclatura", "&Imprimir" and "&Fechar".
class FrmImpNomenclatura : public QWidget {
    Q_OBJECT
public:
    FrmImpNomenclatura(GlobalContext& ctx, UserInteraction& ui, bool medicoes, QWidget* pai = nullptr);
    ImpNomenclatura& logica() { return m_logica; }
    // The preview opened by the last "Para o Ecran" (null when none).
    QWidget* visualizacao() const { return m_visualizacao; }

private:
    bool imprimir(const std::vector<LinhaListagemNomenclatura>& linhas, bool discrimina, const QString& destino);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    ImpNomenclatura m_logica;
    CampoCodigo* txtProduto;
    QCheckBox* chkDiscrimina;
    QPushButton *cmdImprimir, *cmdFechar;
    QWidget* m_visualizacao = nullptr;
};

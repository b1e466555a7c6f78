#pragma once

#include "production/ImpDiarioProdNaHora.h"

#include <QWidget>

class QPushButton;
class QRadioButton;
class CampoCodigo;
class EDatas;
class SelOpta;

// "Diário de Produção Instantânea": bill of materials, flow, "Dt Inicial", "Dt Final", the three
// modes, "Imprimir" and "Fechar".
class FrmImpDiarioProdNaHora : public QWidget {
    Q_OBJECT
public:
    FrmImpDiarioProdNaHora(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    ~FrmImpDiarioProdNaHora() override;
    ImpDiarioProdNaHora& logica() { return m_logica; }
    QWidget* visualizacao() const { return m_visualizacao; }

private:
    bool imprimir(const DiarioInstantanea& d, const FiltroDiarioInstantanea& f, const QString& descricao,
                  const QString& destino);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    ImpDiarioProdNaHora m_logica;
    CampoCodigo* txtNomenclatura;
    SelOpta* cboFluxo;
    EDatas *txtDataInicial, *txtDataFinal;
    QRadioButton *optDiario, *optNomenclatura, *optFluxo;
    QPushButton *cmdImprimir, *cmdFechar;
    QWidget* m_visualizacao = nullptr;
};

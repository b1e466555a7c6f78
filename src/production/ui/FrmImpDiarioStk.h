#pragma once

#include "production/ImpDiarioStk.h"

#include <QWidget>
#include <map>

class QCheckBox;
class QLineEdit;
class QPushButton;
class CampoCodigo;
class EDatas;
class Valor;

// "Análise de Produtos por Grupos/Familias/Subfamilias": movement type, number (the lot's),
// product, situation, seller, group, family, subfamily, warehouse (double click for several),
// exchange and its value, "Dt Inicial", "Dt Final", "Imprimir Resumo", "Imprimir" and "Fechar".
class FrmImpDiarioStk : public QWidget {
    Q_OBJECT
public:
    FrmImpDiarioStk(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    ~FrmImpDiarioStk() override;
    ImpDiarioStk& logica() { return m_logica; }
    QWidget* visualizacao() const { return m_visualizacao; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    bool imprimir(const AnaliseGrupos& a, const FiltroAnaliseGrupos& f, const DescricoesAnaliseGrupos& d,
                  const QString& destino);
    // The logic's fields shown again after it changed them.
    void mostrar();

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    ImpDiarioStk m_logica;
    std::map<ImpDiarioStk::Campo, CampoCodigo*> m_campos;
    CampoCodigo* m_armazem = nullptr; // double click chooses several
    QLineEdit* txtNumero;
    Valor* txtValorCambio;
    EDatas *txtDataInicial, *txtDataFinal;
    QCheckBox* chkResumo;
    QPushButton *cmdImprimir, *cmdFechar;
    QWidget* m_visualizacao = nullptr;
};

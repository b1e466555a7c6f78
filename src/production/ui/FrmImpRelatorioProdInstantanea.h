#pragma once

#include "production/ImpRelatorioProdInstantanea.h"

#include <QPointer>
#include <QWidget>

class QPushButton;
class CampoCodigo;
class EDatas;
class ListaVista;
class FrmImpCodBar;

// "Relatório de Produção Instantânea": "Data Inicial / Final", "Equipamento", "&Pesquisar", the
// list, and "&Imprimir", "&Eliminar Processo", "&Hist. Doc.", "Imp. Etiquetas", "&Fechar".
class FrmImpRelatorioProdInstantanea : public QWidget {
    Q_OBJECT
public:
    FrmImpRelatorioProdInstantanea(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
    ImpRelatorioProdInstantanea& logica() { return m_logica; }
    // The preview opened by the last "Para o Ecran" (null when none).
    QWidget* visualizacao() const { return m_visualizacao; }
    // The label window opened by "Imp. Etiquetas" (null once closed).
    FrmImpCodBar* etiquetas() const { return m_etiquetas; }

private:
    void lerFiltro();
    bool imprimir(const std::vector<LinhaRelatorioInstantanea>& linhas, const FiltroRelatorioInstantanea& f,
                  const QString& descricaoEquipamento, const QString& destino);
    void abrirEtiquetas(const EtiquetasInstantanea& e);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    ImpRelatorioProdInstantanea m_logica;
    EDatas *txtDataInicial, *txtDataFinal;
    CampoCodigo* txtEquipamento;
    ListaVista* lvwLista;
    QPushButton *cmdPesquisar, *cmdImprimir, *cmdEliminarProcesso, *cmdHistDoc, *cmdImpEtiquetas, *cmdFechar;
    QPointer<QWidget> m_visualizacao;
    QPointer<FrmImpCodBar> m_etiquetas;
};

#pragma once

#include "common/Currency.h"
#include "common/UserInteraction.h"
#include "lookups/CampoTabela.h"
#include "lookups/ListaDados.h"
#include "production/Medicoes.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

struct GlobalContext;
class ExistProArmLote;

// Logic of the template list "Nomenclatura Base para Produtos Acabados" (frmMedicoesTemplate) and,
// without deletion, of the calculation list "Cálculos para Produtos Acabados" (frmMedicoesCalculos).
class MedicoesTemplate {
public:
    MedicoesTemplate(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo();         // "Nomenclatura Base para Produtos Acabados"
    static QString TituloCalculos(); // "Cálculos para Produtos Acabados"
    static const QString LayoutLista;

    // The product filter; blank shows "Todos".
    CampoTabela txtProduto;
    bool txtProduto_Saiu();
    bool txtProduto_Pesquisar();

    ListaDados lvwLista{QStringLiteral("lvwLista")};
    // The list with the current filter; false when the read failed (told to the user).
    bool Carregar();
    void ordenar(int coluna) { lvwLista.OrdenaLista(coluna); }
    // The finished product of the selected line, "" when none.
    QString seleccionado() const;

    // "&Eliminar": "Confirma a Eliminação?", then every row of the template; the list reloaded.
    bool eliminar();

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    std::vector<ResumoTemplateMedicoes> m_lista;
};

// Logic of the raw-material line "Manutenção de Matérias Primas" (frmMedicoesTemplateIns_Produtos).
class MedicoesTemplateInsProdutos {
public:
    MedicoesTemplateInsProdutos(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Manutenção de Matérias Primas"

    // Carregar_Dados: a line to change; without one the window starts blank with type "A".
    void Carregar_Dados(const std::optional<LinhaMedicao>& linha);

    CampoTabela txtProduto, txtArmazem;
    Currency txtQuantidade, txtMedida;
    QString optMedicoes = QStringLiteral("A"); // "A" Altura, "L" Largura, "F" Unidade Fixa

    bool txtProduto_Saiu();
    bool txtProduto_Pesquisar();
    bool txtArmazem_Saiu();
    bool txtArmazem_Pesquisar();

    enum class Foco { Nenhum, Produto, Quantidade, Medida, Armazem };
    // "&OK": the line checked ("Não definiu o Produto!", quantity and measure above 0); false when
    // refused with the focus in focoPedido().
    bool confirmar();
    Foco focoPedido() const { return m_foco; }
    const LinhaMedicao& linha() const { return m_linha; }

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    LinhaMedicao m_linha;
    Foco m_foco = Foco::Nenhum;
};

// Logic of the template "Manutenção de Registos" (frmMedicoesTemplateIns).
class MedicoesTemplateIns {
public:
    MedicoesTemplateIns(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Manutenção de Registos"
    static const QString LayoutLista;

    // modo 'N' a new template, 'A' the product's; false when it cannot be read.
    bool Abrir(QChar modo, const QString& produto = {});
    QChar modo() const { return m_modo; }
    // A change keeps its product: saving deletes the rows by product.
    bool produtoEditavel() const { return m_modo == u'N'; }

    CampoTabela txtProduto, txtArmazem;
    Currency txtAltura, txtLargura;
    bool txtProduto_Saiu();
    bool txtProduto_Pesquisar();
    bool txtArmazem_Saiu();
    bool txtArmazem_Pesquisar();

    // The raw-material lines, shown in lvwLista.
    ListaDados lvwLista{QStringLiteral("lvwLista")};
    const std::vector<LinhaMedicao>& linhas() const { return m_linhas; }
    // The line window's result added, or put in place of line `indice`.
    void adicionarLinha(const LinhaMedicao& l);
    bool alterarLinha(int indice, const LinhaMedicao& l);
    // "Confirma a Eliminação?" and the selected line removed.
    bool eliminarLinha();
    int linhaSeleccionada() const { return lvwLista.linhaSeleccionada(); }

    enum class Foco { Nenhum, Produto, Altura, Largura, Armazem, Lista };
    // "&Gravar": false when refused (message shown, focus in focoPedido()); saved, the window
    // turns into a change of the product.
    bool gravar();
    Foco focoPedido() const { return m_foco; }

private:
    void mostrarLinhas();

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QChar m_modo = u'N';
    QString m_produtoOriginal;
    std::vector<LinhaMedicao> m_linhas;
    Foco m_foco = Foco::Nenhum;
};

// Logic of "Cálculos para Produção do Produto Acabado" (frmMedicoesCalculosMedidas): the scaling of
// a template and its posting as a closed lot.
class MedicoesCalculosMedidas {
public:
    MedicoesCalculosMedidas(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Cálculos para Produção do Produto Acabado"
    static const QString LayoutLista;

    // The product's template; false (told) when it has none.
    bool Carregar_Registo(const QString& produto);
    const TemplateMedicoes& modelo() const { return m_template; }

    // Typed: "Nova Altura", "Nova Largura", "Quantidade de Produto Acabado", "Arm.de Entrada".
    Currency txtAltura, txtLargura, txtQuantidade;
    CampoTabela txtArmazem;
    bool txtArmazem_Saiu();
    bool txtArmazem_Pesquisar();

    enum class Foco { Nenhum, Altura, Largura, Quantidade, Armazem, Lista };
    Foco focoPedido() const { return m_foco; }

    ListaDados lvwLista{QStringLiteral("lvwLista")};
    // "&Calcular": the lines for the typed values; false (told) when a value is not above 0 or the
    // template has no base.
    bool cmdCalcular_Click();
    const std::optional<CalculoMedicoes>& calculo() const { return m_calculo; }

    // "&Imprimir": recalculates and hands the result to the printing window.
    bool cmdImprimir_Click();
    std::function<void(const CalculoMedicoes&)> abrirImpressao;

    // "Inte&grar Lote nos Stocks": recalculated from the typed values, checked, confirmed, lots
    // chosen for lot-kept raw materials, posted in one transaction; then the result told, the sale
    // prices offered when the product asks for it and the lot sheet offered.
    bool cmdIntegrar_Click();
    const std::optional<ResultadoProducao>& resultado() const { return m_resultado; }

    // Installed by the window: the lot window for a raw material (the caller fills product,
    // warehouse, quantity); a blank txtLote afterwards cancels the posting.
    std::function<void(ExistProArmLote&)> escolherLote;
    std::function<void(const QString& produto, const Currency& custo)> actualizarPrecosVenda;
    std::function<void(const QString& lote)> imprimirFolha;

private:
    bool escolherLotes(CalculoMedicoes& c);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    TemplateMedicoes m_template;
    std::optional<CalculoMedicoes> m_calculo;
    std::optional<ResultadoProducao> m_resultado;
    Foco m_foco = Foco::Nenhum;
};

// Logic of "Cálculos para Produção (Medições)" (frmMedicoesCalculosMedidasIMP): the quantity print
// and the sale-value print of a calculation.
class MedicoesCalculosMedidasIMP {
public:
    MedicoesCalculosMedidasIMP(GlobalContext& ctx, UserInteraction& ui, CalculoMedicoes calculo);

    static QString Titulo(); // "Cálculos para Produção (Medições)"

    const CalculoMedicoes& calculo() const { return m_calculo; }

    // "&Imprimir" (quantities) and "Imprimir Valores (Prç. Venda)": "Tipo de Listagem?", then the
    // print; false when nothing was printed ("Não existem registos para esta Tabela!" when empty).
    bool cmdImprimir_Click();
    bool cmdImprimirValores_Click();

    // Installed by the window: draw and present ("S" screen, "P" printer).
    std::function<bool(const CalculoMedicoes&, const QString& destino)> imprimirQuantidades;
    std::function<bool(const CalculoMedicoes&, const ValoresMedicoes&, const QString& destino)> imprimirValores;

private:
    std::optional<QString> destino();

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    CalculoMedicoes m_calculo;
};

// Logic of "Folha de Produção de Lote (Medições)" (frmImpFolhaLoteMedicoes).
class ImpFolhaLoteMedicoes {
public:
    ImpFolhaLoteMedicoes(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Folha de Produção de Lote (Medições)"
    // The lookup offers closed lots with measurements only.
    static QString FiltroLotes();

    CampoTabela txtLote;
    bool txtLote_Pesquisar();
    // Leaving the lot field: reads the sheet; "Lote Inexistente!" otherwise.
    bool txtLote_LostFocus();
    const std::optional<FolhaLoteMedicoes>& folha() const { return m_folha; }

    // "Imprimir": "Tipo de Listagem?" and the sheet; false when nothing printed.
    bool cmdImprimir_Click();
    std::function<bool(const FolhaLoteMedicoes&, const QString& destino)> imprimir;

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    std::optional<FolhaLoteMedicoes> m_folha;
};

#pragma once

#include "common/Currency.h"
#include "lookups/CampoTabela.h"
#include "lookups/FiltroSQL.h"
#include "lookups/ListaDados.h"
#include "production/NomenclaturaDados.h"
#include "production/ReceitaInstantanea.h"

#include <QString>

struct GlobalContext;
class Database;
class UserInteraction;

// The products a recipe or run line may take: no size references for raw materials, no
// measurement templates for either (a blank flag is no flag).
FiltroSQL filtroProdutosLinha(TipoLinhaReceita tipo);

// Logic of the line editor of an instant recipe (frmNomenclaturaNaHoraINS, "Manutenção do
// Registo"): one raw material or finished product written back into the list it edits.
class NomenclaturaNaHoraINS {
public:
    NomenclaturaNaHoraINS(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Manutenção do Registo"

    // Opens the editor: modo 'N' a new line, 'A' the line at `linha` of the list; the preselected
    // rule is the production parameters' (a miscellaneous raw material gets the typed price).
    void Abrir(QChar modo, TipoLinhaReceita tipo, std::vector<LinhaReceita>* lista, int linha = -1,
               const QString& precarioPadrao = PrecarioPMC);
    QChar modo() const { return m_modo; }
    TipoLinhaReceita tipo() const { return m_tipo; }

    CampoTabela txtProduto;
    CampoTabela txtArmazem;
    Currency txtQuantidade;
    QString precario;
    Currency txtValor;
    QString txtObserva;

    // The rules offered now, as "key:caption;" pairs.
    QString opcoesPrecario() const { return m_opcoes; }
    bool valorVisivel() const { return precarioComValor(precario); }
    bool produtoActivo() const { return m_modo == u'N'; }

    // Leaving the product field, or its search button: the product lookup restricted to products
    // without size references or measurements (finished products: without measurements).
    bool produtoSaiu();
    bool pesquisarProduto();
    bool armazemSaiu();
    bool pesquisarArmazem();
    void escolherPrecario(const QString& chave);
    // Whether the rule is one the line may take now (miscellaneous raw materials only "Digitado").
    bool precarioPermitido(const QString& chave) const { return precarioValido(m_tipo, m_diverso, chave); }

    enum class Foco { Nenhum, Produto, Armazem, Quantidade, Precario, Valor };
    // "&Gravar": the checks in order; the line goes into the list. False when refused.
    bool gravar();
    Foco focoPedido() const { return m_foco; }

private:
    bool validarProduto(bool abrirPesquisa);
    bool recusar(const QString& texto, Foco foco);
    Database& bd() const;

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QChar m_modo = u'N';
    TipoLinhaReceita m_tipo = TipoLinhaReceita::Materia;
    std::vector<LinhaReceita>* m_lista = nullptr;
    int m_linha = -1;
    QString m_opcoes;
    QString m_precarioPadrao = PrecarioPMC;
    bool m_diverso = false;
    QString m_produtoValidado;
    Foco m_foco = Foco::Nenhum;
};

// Logic of the window "Nomenclatura de Produtos (Produção Instantânea)" (frmNomenclaturaNaHora):
// the list of recipes, and the edit mode with the raw-material and finished-product lists.
class NomenclaturaNaHora {
public:
    NomenclaturaNaHora(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo();
    static const QString LayoutLista;
    static const QString LayoutLinhas;
    static const QString OpcoesFluxo; // "A:A;B:B;C:C;D:D;E:E;"

    // Opening: the production parameters' price rule, then the list.
    void abrir();
    QString precarioPadrao() const { return m_precarioPadrao; }

    // ---------------- list mode
    ListaDados lvwLista{QStringLiteral("lvwLista")};
    void Refresh();
    bool modoEdicao() const { return m_edicao; }
    // "&Adicionar": edit mode with empty lists.
    void adicionar();
    // "A&lterar" (or double click): the selected recipe; false when none is selected.
    bool alterar();
    // "&Eliminar": confirmation, refused when an instant production used the recipe.
    bool eliminar();

    // ---------------- edit mode
    QString txtCodigo, txtDescricao;
    QString fluxo = QStringLiteral("A");
    bool codigoActivo() const { return m_edicao && m_novo; }
    // Leaving the code field: normalised; a new code that exists is refused and cleared.
    bool codigoSaiu();
    ListaDados lvwMateriasPrimas{QStringLiteral("lvwMateriasPrimas")};
    ListaDados lvwProdutosAcabados{QStringLiteral("lvwProdutosAcabados")};
    ListaDados& lista(TipoLinhaReceita t) { return t == TipoLinhaReceita::Materia ? lvwMateriasPrimas : lvwProdutosAcabados; }
    const Receita& receita() const { return m_receita; }

    // The line editor the window shows; abrirLinha prepares it ('A' needs a selected line).
    NomenclaturaNaHoraINS& editor() { return m_editor; }
    bool abrirLinha(QChar modo, TipoLinhaReceita tipo);
    // After the editor wrote its line: the list shows it.
    void mostrarLinhas();
    // "Re&mover Prod." / "&Remover Prod.": the selected line, after the question.
    bool removerLinha(TipoLinhaReceita tipo);
    // Every line of a list at once, without the question (a whole recipe given again).
    void limparLinhas(TipoLinhaReceita tipo);

    enum class Foco { Nenhum, Codigo, Descricao, Materias, Acabados };
    // "&Gravar": the whole recipe in one step; back to the list mode.
    bool gravar();
    Foco focoPedido() const { return m_foco; }
    // "&Cancelar": back to the list mode, nothing written.
    void cancelar();

private:
    void preencherLinhas(TipoLinhaReceita tipo);
    Database& bd() const;

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    NomenclaturaNaHoraINS m_editor;
    QString m_precarioPadrao = PrecarioPMC;
    bool m_edicao = false;
    bool m_novo = false;
    Receita m_receita;
    Foco m_foco = Foco::Nenhum;
};

#pragma once

#include "common/Currency.h"
#include "lookups/CampoTabela.h"
#include "lookups/ListaDados.h"

#include <QString>

struct GlobalContext;
class Database;
class UserInteraction;

// Logic of the window "Nomenclatura de Produtos" (frmNomenclatura): page 1 lists the bills of
// materials, page 2 edits one bill (header and lines, with the line entry panel).
class Nomenclatura {
public:
    Nomenclatura(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Nomenclatura de Produtos"
    static const QString LayoutLista;
    static const QString LayoutLinhas;

    // Opening: reads the production parameters (a missing row is told, the window opens anyway)
    // and fills the list of bills.
    void abrir();
    QString precarioPadrao() const { return m_precarioPadrao; }

    // ---------------- page 1
    QString txtPesqCodigo, txtPesqDescricao;
    ListaDados lvwLista{QStringLiteral("lvwLista")};
    void Carregar(const QString& produtoAcabado = {});
    // The toggle button's caption: "Fixa" or "Não Fixa" (the opposite of the selected bill's type).
    QString captionFixa() const { return m_captionFixa; }
    void clicarLista(int linha);
    // The toggle: the selected bill becomes fixed (caption "Fixa") or not fixed.
    bool alternarFixa();
    // "&Eliminar": confirmation, refused when the product is used in works.
    bool eliminar();

    int pagina() const { return m_pagina; } // 1 or 2

    // ---------------- page 2: header
    CampoTabela txtProdutoAcabado; // code and description
    Currency txtPrecoProdutoAcabado;
    bool chkFixa = false;
    bool chkCtrlQuantidades = false;
    bool cabecalhoActivo() const { return m_cabecalhoActivo; }
    // "&Adicionar": a new bill.
    void adicionar();
    // "A&lterar" (or double click): the selected bill. False when none is selected.
    bool alterar();
    // Leaving the finished product field of a new bill: refused when it already has a bill.
    bool produtoAcabadoSaiu();
    // The check boxes write at once to every row of the bill.
    void definirFixa(bool fixa);
    void definirCtrlQuantidades(bool controlo);
    ListaDados lvwListaNomec{QStringLiteral("lvwListaNomec")};
    void CarregarListaNomenc(const QString& produtoAcabado);
    // "&Preço Produto Acabado": asks the price and writes it to every row.
    bool precoProdutoAcabado();
    // "Importar Nomenclatura": copies another bill's lines into this one (only when it has none).
    // Without an origin the bill lookup's search window picks it.
    bool importar(const QString& origem = {});
    // "&Elim. Prod.": the selected line, after confirmation.
    bool eliminarProduto();
    // "&Fim Nomenclatura": back to page 1, list reloaded.
    void fimNomenclatura();

    // ---------------- page 2: line panel
    bool painelAberto() const { return m_painelAberto; }
    QChar modo() const { return m_modo; } // 'N' new, 'A' alter
    CampoTabela txtProdutoPrima;
    QString txtDescProdutoPrima;
    CampoTabela txtArmazem;
    Currency txtQuantidade, txtPreco, txtFactor;
    QString precario;                    // selected price basis
    QString formula = QStringLiteral("A"); // "A" or "B"
    QString txtObserva;
    Currency cubicagem;
    bool descricaoBloqueada() const { return m_descricaoBloqueada; }
    bool precoActivo() const { return m_precoActivo; }
    bool opcoesPrecoActivas() const { return m_opcoesPreco; }
    bool produtoPrimaActivo() const { return m_modo == u'N'; }

    // "&Adic. Prod." and "A&lterar Prod." (or double click on a line).
    bool adicionarProduto();
    bool alterarProduto();
    // Leaving the raw material field, the warehouse field; choosing a price basis.
    bool produtoPrimaSaiu();
    void armazemSaiu();
    void escolherPrecario(const QString& precario);
    // "Pesquisa de Produtos Equivalentes": a chosen equivalent takes the raw material field.
    bool pesquisarEquivalente();

    enum class Foco { Nenhum, ProdutoAcabado, ProdutoPrima, Armazem, Quantidade };
    // "&Gravar" of the panel: false when refused (focoPedido() says where to go).
    bool gravarLinha();
    Foco focoPedido() const { return m_foco; }
    // "&Fim Lançam.": closes the panel.
    void fimLancamento() { m_painelAberto = false; }

private:
    void limparPainel();
    void lerPrecosProduto();
    bool exigirProdutoAcabado();
    bool confirmarEliminacao();
    Database& bd() const;

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QString m_precarioPadrao = QStringLiteral("PrecoMedioCusto");
    QString m_captionFixa = QStringLiteral("Fixa");
    int m_pagina = 1;
    bool m_cabecalhoActivo = false;
    bool m_novaNomenclatura = false;
    bool m_painelAberto = false;
    QChar m_modo = u'N';
    qint64 m_linhaEditada = 0;
    bool m_descricaoBloqueada = false;
    bool m_precoActivo = false;
    bool m_opcoesPreco = true;
    Currency m_pmc, m_upCusto, m_upCompra;
    Foco m_foco = Foco::Nenhum;
};

#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"
#include "common/UserInteraction.h"
#include "lookups/CampoTabela.h"
#include "lookups/FiltroSQL.h"
#include "lookups/ListaDados.h"
#include "printing/Etiquetas.h"

#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <vector>

struct GlobalContext;

// Labels of one row: a whole number, at most this many (a run of more is a typing slip).
inline constexpr int MaxQuantidadeEtiquetas = 10000;
// The count typed as text ("12"); nullopt when it is not a whole number from 1 to the maximum.
std::optional<int> LerQuantidadeEtiquetas(const QString& texto);
// The same from an amount (a Valor field, a JSON number).
std::optional<int> QuantidadeEtiquetasDe(const Currency& valor);
// "A quantidade tem de ser um número inteiro de 1 a 10000."
QString MensagemQuantidadeEtiquetas();

// The label lookup offers product labels only (FicheiroBase 'P').
FiltroSQL FiltroEtiquetasProdutos();

// Logic of "Produto a Etiquetar" (frmImpCodBarIns): one row of the label list, the product with
// its reference codes, supplier, lot, the lot's price and the dynamic bar code.
class ImpCodBarIns {
public:
    ImpCodBarIns(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Produto a Etiquetar"

    enum class Campo { Produto, Estacao, Sexo, Referencia, Modelo, Cor, Tamanho, Comprimento, Fornecedor, Lote };
    CampoTabela txtProduto, txtEstacao, txtSexo, txtReferencia, txtModelo, txtCor, txtTamanho, txtComprimento,
        txtFornecedor, txtLote;
    CampoTabela& campo(Campo c);

    Currency txtQuantidade = Currency(1);
    Currency txtPrecoLote;
    QString txtCodigoDinamico;

    // Leaving a code field: blank clears it, otherwise its lookup validates it. The lot is free text
    // (production lots are not in the lot table): leaving never refuses it.
    bool campoSaiu(Campo c);
    // The field's search window; the lot's offers the product's lots.
    bool pesquisar(Campo c);

    enum class Foco { Nenhum, Produto, Quantidade, Estacao, Sexo, Referencia, Modelo, Cor, Tamanho, Comprimento,
                      Fornecedor, Lote, PrecoLote, CodigoDinamico };
    // "&OK": every field checked; false when refused (message shown, focus in focoPedido()).
    bool confirmar();
    Foco focoPedido() const { return m_foco; }
    const LinhaEtiqueta& linha() const { return m_linha; }

private:
    bool validar(Campo c);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    LinhaEtiqueta m_linha;
    Foco m_foco = Foco::Nenhum;
};

// Logic of "Impressão de Etiquetas" (frmImpCodBar): the label definition, the exchange, VAT and box
// options, the first place on the sheet and the ticked list of products to label.
class ImpCodBar {
public:
    ImpCodBar(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Impressão de Etiquetas"
    static const QString LayoutLista;
    // Column positions of LayoutLista (its columns have no keys).
    enum Coluna { ColProduto, ColDescricao, ColQuantidade, ColEstacao, ColSexo, ColReferencia, ColModelo, ColCor,
                  ColTamanho, ColComprimento, ColFornecedor, ColCodigoDinamico, ColLote, ColPrecoLote };

    CampoTabela txtEtiqueta, txtCambio;
    bool chkIva = false;
    bool chkCaixa = false;
    int eint1H = 1, eint1V = 1; // first column and row on the first sheet

    // Leaving the label field: the code validated and its definition read; the box option follows
    // the definition's ImprimeCaixaContorno.
    bool txtEtiqueta_Saiu();
    bool txtEtiqueta_Pesquisar();
    const std::optional<DefinicaoEtiqueta>& definicao() const { return m_definicao; }
    // Leaving the exchange field: the code validated and its value read (blank: no exchange).
    bool txtCambio_Saiu();
    bool txtCambio_Pesquisar();
    const Currency& valorCambio() const { return m_cambio; }

    // The products to label; a row prints only while ticked.
    ListaDados lvwLista{QStringLiteral("lvwLista")};
    // The row window's result appended, ticked and selected.
    void adicionarLinha(const LinhaEtiqueta& l);
    // The selected rows removed; false when none is selected.
    bool removerLinha();
    // "Alterar Conteúdo": "Quantidade a Alterar" for the selected rows, a whole number of 1 or more.
    bool cmdAlterar_Click();
    // Every row in the list's order, its tick in marcada.
    std::vector<LinhaEtiqueta> linhas() const;

    enum class Foco { Nenhum, Etiqueta, Cambio, Coluna, Linha, Lista };
    Foco focoPedido() const { return m_foco; }

    // "Imprimir": the definition read (a missing one puts the focus back in the label field), the
    // options checked, "Tipo de Listagem?", then the ticked rows handed to imprimir; the codes that
    // could not be made are told after the preview. False when nothing was printed.
    bool cmdImprimir_Click();
    using Impressao = std::function<Resultado<ResultadoEtiquetas>(
        const DefinicaoEtiqueta&, const std::vector<LinhaEtiqueta>&, const OpcoesEtiquetas&, const QString& destino)>;
    Impressao imprimir;
    const std::optional<ResultadoEtiquetas>& resultado() const { return m_resultado; }

    // The options as the print takes them (exchange value already read).
    OpcoesEtiquetas opcoes() const;
    // The text that lists the codes a run could not make.
    static QString TextoAvisos(const std::vector<AvisoEtiqueta>& avisos);

private:
    bool lerDefinicao(bool avisar);
    bool lerCambio();
    void mostrarQuantidade(int linha, int quantidade);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    // The rows' data by the id each list row carries (sorting moves rows, not ids).
    std::map<qint64, LinhaEtiqueta> m_dados;
    qint64 m_proximoId = 1;
    std::optional<DefinicaoEtiqueta> m_definicao;
    Currency m_cambio;
    std::optional<ResultadoEtiquetas> m_resultado;
    Foco m_foco = Foco::Nenhum;
};

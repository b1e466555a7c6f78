#pragma once

#include "lookups/CampoTabela.h"
#include "lookups/FiltroSQL.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

struct GlobalContext;
class Database;
class UserInteraction;
struct DefinicaoLookup;

// The table lookups behind every code field: one member per table. Each serves both gestures:
//  - the search button: abrirPesquisa true opens the search window and the chosen row's code and
//    description land in the field;
//  - leaving the field: abrirPesquisa false validates the typed code (normalised, looked up, and
//    completed or refused with the table's message).
// Typed text beginning with "\" (search by description) or "/" (by code) opens the search with the
// rest as key; in product fields "|" opens the equivalents chooser.
// Members return true when the field ends holding a known code (or several, in multi-selection).
//
//     CampoTabela produto;            // in the window's logic
//     pesquisa.Produtos(produto, false);                              // txtProduto_LostFocus
//     pesquisa.Produtos(produto, true);                               // cmdProduto_Click
//     pesquisa.Armazens(armazem, false, {}, QStringLiteral("Todos")); // report filter
class PesquisaTabelas {
public:
    PesquisaTabelas(GlobalContext& ctx, UserInteraction& ui);
    ~PesquisaTabelas();

    // Last choice of the search window: elements 1..10 = columns of the chosen row.
    std::array<QString, 11> LinhaEscolhida{};

    // --- products ---
    bool Produtos(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                  const QString& textoVazio = {}, int tamanhoLetra = 0, bool avisarEquivalentes = false,
                  const QString& fornecedor = {}, bool usarReferencia = false);
    // Supplier reference, code conversion, then a bar code becomes its base product.
    QString Resolve_Codigo_Produto_str(const QString& codigo, const QString& fornecedor = {},
                                       bool usarReferencia = false);
    // After a product search: when the product has equivalents, offers them; a chosen one replaces
    // the field's code and description.
    void Produtos_Equivalentes(CampoTabela& campo);
    // The equivalents chooser: the products equivalent to the given one (either direction), shown
    // in the search window; the chosen code, or nothing when there are none or the user closed it.
    std::optional<QString> escolherEquivalente(const QString& produto);

    // --- warehouses, locations, lots ---
    bool Armazens(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                  const QString& textoVazio = {}, int tamanhoLetra = 0, bool multiSelecao = false);
    bool Localizacoes(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                      const QString& textoVazio = {}, int tamanhoLetra = 0);
    // Lots of a product (all lots when produto is empty).
    bool LotesTabela(CampoTabela& campo, bool abrirPesquisa, const QString& produto,
                     const FiltroSQL& filtro = {}, const QString& textoVazio = {}, int tamanhoLetra = 0);
    // Production lots: the field gets the lot, the label the finished product's code.
    bool Lotes_Producao(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                        const QString& textoVazio = {}, int tamanhoLetra = 0);

    // --- production ---
    bool Nomenclatura_Prod(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                           const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool NomenclaturaInstantanea_Prod(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                                      const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool Prod_Processos(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                        const QString& textoVazio = {}, int tamanhoLetra = 0);
    // Only equipment open to the current user (an empty user list opens it to everybody).
    bool Prod_Equipamentos(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                           const QString& textoVazio = {}, int tamanhoLetra = 0);

    // --- general tables ---
    bool Utilizadores(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                      const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool TipoMov(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                 const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool Cambios(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                 const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool Situacoes(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                   const QString& textoVazio = {}, int tamanhoLetra = 0, bool multiSelecao = false);
    bool Vendedores(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                    const QString& textoVazio = {}, int tamanhoLetra = 0, bool multiSelecao = false);
    bool GrupoProdutos(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                       const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool FamiliaProdutos(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                         const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool SubFamiliaProdutos(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                            const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool GrupoClientes(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                       const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool FamiliaClientes(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                         const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool SubFamiliaClientes(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                            const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool GrupoFornecedores(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                           const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool FamiliaFornecedores(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                             const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool SubFamiliaFornecedores(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                                const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool Etiquetas(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                   const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool Clientes(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                  const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool Fornecedores(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                      const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool Estacao_Referencias(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                             const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool Sexo_Referencias(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                          const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool Referencia_Referencias(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                                const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool Modelo_Referencias(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                            const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool Cor_Referencias(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                         const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool Tamanho_Referencias(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                             const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool Comprimento_Referencias(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                                 const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool Documentos(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                    const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool OutUnidades(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                     const QString& textoVazio = {}, int tamanhoLetra = 0);
    bool Caixas(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro = {},
                const QString& textoVazio = {}, int tamanhoLetra = 0);

    // The situations the current user may see in searches, as " and (T.Situacao=? or ...)";
    // empty when none are configured. An empty table name leaves the column unprefixed.
    FiltroSQL SQL_SituacoesPesquisa(const QString& tabela);

private:
    bool executar(const DefinicaoLookup& def, CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro,
                  const QString& textoVazio, int tamanhoLetra, bool multiSelecao = false);
    bool validar(const DefinicaoLookup& def, CampoTabela& campo, const FiltroSQL& filtro);
    // The typed code trimmed and filled as the table asks.
    QString normalizar(const DefinicaoLookup& def, const QString& codigo) const;
    // Code and description of the row with that code, or nothing.
    std::optional<QStringList> procurarCodigo(const DefinicaoLookup& def, const QString& codigo,
                                              const FiltroSQL& filtro);
    // The base product of a bar code ("" when none).
    QString produtoDoCodigoBarras(const QString& codigo);
    bool pesquisar(const DefinicaoLookup& def, CampoTabela& campo, const FiltroSQL& filtro,
                   const QString& ordem, const QString& chave, int tamanhoLetra, bool multiSelecao);
    void recusar(const DefinicaoLookup& def, CampoTabela& campo);
    Database& bd() const;

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    bool m_equivalentesAberto = false;
};

// The process-wide instance, created on first use beside the other shared objects of the context.
PesquisaTabelas& pesquisaTabelas(GlobalContext& ctx, UserInteraction& ui);

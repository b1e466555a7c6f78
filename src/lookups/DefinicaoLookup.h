#pragma once

#include "lookups/PesquisaNOVA.h"

#include <QString>
#include <QStringList>

// How a typed code is filled before it is looked up.
enum class PreenchimentoCodigo { Nenhum, Produto, Cliente, Fornecedor, Largura };

// Everything one table lookup needs; one constant per member of PesquisaTabelas.
// All SQL pieces are fixed here: nothing comes from input.
struct DefinicaoLookup {
    QString tabela;          // main table
    QString colunaCodigo;    // compared with the typed code, e.g. "Produtos.Codigo"
    QString colunaDescricao; // shown in the label after validation
    QStringList colunas;     // search list columns, in layout order
    QList<CampoPesquisa> campos;
    QString layout;
    QString titulo;         // search window title
    QString mensagem;       // not-found message
    QString ordemDescricao; // order field for "\" (empty: no "\" rule)
    PreenchimentoCodigo preenchimento = PreenchimentoCodigo::Nenhum;
    int largura = 0;        // width for PreenchimentoCodigo::Largura
    bool situacoes = false; // the user's situations filter applies to the search
    bool distinto = false;
    QString juncao; // fixed join after the main table
    QString chaveRegisto = QStringLiteral("NumRegisto");
    QString textoVarios;       // label for several codes ("Vários armazéns"); empty: no multi-selection
    int elementoCodigo = 1;    // LinhaEscolhida element that goes into the field
    int elementoDescricao = 2; // and into the label
};

namespace definicoes {
const DefinicaoLookup& produtos();
const DefinicaoLookup& armazens();
const DefinicaoLookup& localizacoes();
DefinicaoLookup lotesTabela(bool comProduto);
const DefinicaoLookup& lotesProducao();
const DefinicaoLookup& nomenclatura();
const DefinicaoLookup& nomenclaturaInstantanea();
const DefinicaoLookup& processos();
const DefinicaoLookup& equipamentos();
const DefinicaoLookup& utilizadores();
const DefinicaoLookup& tipoMov();
const DefinicaoLookup& cambios();
const DefinicaoLookup& situacoes();
const DefinicaoLookup& vendedores();
const DefinicaoLookup& etiquetas();
const DefinicaoLookup& clientes();
const DefinicaoLookup& fornecedores();
const DefinicaoLookup& documentos();
// Simple code/description tables: the table, the not-found message and the search title.
DefinicaoLookup simples(const QString& tabela, const QString& mensagem, const QString& titulo,
                        const QString& layout = QStringLiteral("Código,1200/Descrição,7000/"));
} // namespace definicoes

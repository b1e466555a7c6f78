#include "lookups/DefinicaoLookup.h"
#include "lookups/PesquisaTabelas.h"
#include "db/Database.h"
#include "company/GlobalContext.h"

using namespace definicoes;

namespace {
QString S(const char* t) {
    return QString::fromUtf8(t);
}
} // namespace

bool PesquisaTabelas::Armazens(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro,
                               const QString& textoVazio, int tamanhoLetra, bool multiSelecao) {
    return executar(armazens(), campo, abrirPesquisa, filtro, textoVazio, tamanhoLetra, multiSelecao);
}

bool PesquisaTabelas::Localizacoes(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro,
                                   const QString& textoVazio, int tamanhoLetra) {
    return executar(localizacoes(), campo, abrirPesquisa, filtro, textoVazio, tamanhoLetra);
}

bool PesquisaTabelas::LotesTabela(CampoTabela& campo, bool abrirPesquisa, const QString& produto,
                                  const FiltroSQL& filtro, const QString& textoVazio, int tamanhoLetra) {
    const bool comProduto = !produto.trimmed().isEmpty();
    FiltroSQL f = filtro;
    if (comProduto)
        f.e(QStringLiteral("TabLotes.Produto=?"), {produto.trimmed()});
    return executar(lotesTabela(comProduto), campo, abrirPesquisa, f, textoVazio, tamanhoLetra);
}

bool PesquisaTabelas::Lotes_Producao(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro,
                                     const QString& textoVazio, int tamanhoLetra) {
    return executar(lotesProducao(), campo, abrirPesquisa, filtro, textoVazio, tamanhoLetra);
}

bool PesquisaTabelas::Nomenclatura_Prod(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro,
                                        const QString& textoVazio, int tamanhoLetra) {
    return executar(nomenclatura(), campo, abrirPesquisa, filtro, textoVazio, tamanhoLetra);
}

bool PesquisaTabelas::NomenclaturaInstantanea_Prod(CampoTabela& campo, bool abrirPesquisa,
                                                   const FiltroSQL& filtro, const QString& textoVazio,
                                                   int tamanhoLetra) {
    return executar(nomenclaturaInstantanea(), campo, abrirPesquisa, filtro, textoVazio, tamanhoLetra);
}

bool PesquisaTabelas::Prod_Processos(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro,
                                     const QString& textoVazio, int tamanhoLetra) {
    return executar(processos(), campo, abrirPesquisa, filtro, textoVazio, tamanhoLetra);
}

bool PesquisaTabelas::Prod_Equipamentos(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro,
                                        const QString& textoVazio, int tamanhoLetra) {
    // Utilizadores lists the logins allowed, each followed by ";"; an empty list allows everybody.
    FiltroSQL f = filtro;
    f.e(QStringLiteral("COALESCE(Prod_Equipamentos.Utilizadores,'')='' OR ") +
            bd().dialect().like(QStringLiteral("Prod_Equipamentos.Utilizadores")),
        {QStringLiteral("%") + m_ctx.CodigoUtilizador + QStringLiteral(";%")});
    return executar(equipamentos(), campo, abrirPesquisa, f, textoVazio, tamanhoLetra);
}

bool PesquisaTabelas::Utilizadores(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro,
                                   const QString& textoVazio, int tamanhoLetra) {
    return executar(utilizadores(), campo, abrirPesquisa, filtro, textoVazio, tamanhoLetra);
}

bool PesquisaTabelas::TipoMov(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro,
                              const QString& textoVazio, int tamanhoLetra) {
    return executar(tipoMov(), campo, abrirPesquisa, filtro, textoVazio, tamanhoLetra);
}

bool PesquisaTabelas::Cambios(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro,
                              const QString& textoVazio, int tamanhoLetra) {
    return executar(cambios(), campo, abrirPesquisa, filtro, textoVazio, tamanhoLetra);
}

bool PesquisaTabelas::Situacoes(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro,
                                const QString& textoVazio, int tamanhoLetra, bool multiSelecao) {
    return executar(situacoes(), campo, abrirPesquisa, filtro, textoVazio, tamanhoLetra, multiSelecao);
}

bool PesquisaTabelas::Vendedores(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro,
                                 const QString& textoVazio, int tamanhoLetra, bool multiSelecao) {
    return executar(vendedores(), campo, abrirPesquisa, filtro, textoVazio, tamanhoLetra, multiSelecao);
}

bool PesquisaTabelas::Etiquetas(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro,
                                const QString& textoVazio, int tamanhoLetra) {
    return executar(etiquetas(), campo, abrirPesquisa, filtro, textoVazio, tamanhoLetra);
}

bool PesquisaTabelas::Clientes(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro,
                               const QString& textoVazio, int tamanhoLetra) {
    return executar(clientes(), campo, abrirPesquisa, filtro, textoVazio, tamanhoLetra);
}

bool PesquisaTabelas::Fornecedores(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro,
                                   const QString& textoVazio, int tamanhoLetra) {
    return executar(fornecedores(), campo, abrirPesquisa, filtro, textoVazio, tamanhoLetra);
}

bool PesquisaTabelas::Documentos(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro,
                                 const QString& textoVazio, int tamanhoLetra) {
    return executar(documentos(), campo, abrirPesquisa, filtro, textoVazio, tamanhoLetra);
}

// Simple code/description tables.
#define LUMO_LOOKUP_SIMPLES(Membro, tabela, mensagem, titulo, layout)                                        \
    bool PesquisaTabelas::Membro(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro,            \
                                 const QString& textoVazio, int tamanhoLetra) {                              \
        static const DefinicaoLookup d = simples(QStringLiteral(tabela), S(mensagem), S(titulo), S(layout)); \
        return executar(d, campo, abrirPesquisa, filtro, textoVazio, tamanhoLetra);                          \
    }

#define LAYOUT_SIMPLES "Código,1200/Descrição,7000/"
LUMO_LOOKUP_SIMPLES(GrupoProdutos, "TabGrupoPro", "Grupo de Produtos Inexistente", "Grupos de Produtos",
                    LAYOUT_SIMPLES)
LUMO_LOOKUP_SIMPLES(FamiliaProdutos, "TabFamPro", "Família de Produtos Inexistente", "Famílias de Produtos",
                    LAYOUT_SIMPLES)
LUMO_LOOKUP_SIMPLES(SubFamiliaProdutos, "TabSubFamPro", "Subfamília de Produtos Inexistente",
                    "Subfamílias de Produtos", LAYOUT_SIMPLES)
LUMO_LOOKUP_SIMPLES(GrupoClientes, "tabGrupocli", "Grupo de Clientes Inexistente", "Grupos de Clientes",
                    LAYOUT_SIMPLES)
LUMO_LOOKUP_SIMPLES(FamiliaClientes, "tabFamcli", "Família de Clientes Inexistente", "Famílias de Clientes",
                    LAYOUT_SIMPLES)
LUMO_LOOKUP_SIMPLES(SubFamiliaClientes, "tabsubFamcli", "Subfamília de Clientes Inexistente",
                    "Subfamílias de Clientes", LAYOUT_SIMPLES)
LUMO_LOOKUP_SIMPLES(GrupoFornecedores, "tabGrupofor", "Grupo de Fornecedores Inexistente",
                    "Grupos de Fornecedores", LAYOUT_SIMPLES)
LUMO_LOOKUP_SIMPLES(FamiliaFornecedores, "tabFamfor", "Família de Fornecedores Inexistente",
                    "Famílias de Fornecedores", LAYOUT_SIMPLES)
LUMO_LOOKUP_SIMPLES(SubFamiliaFornecedores, "tabsubFamfor", "Subfamília de Fornecedores Inexistente",
                    "Subfamílias de Fornecedores", LAYOUT_SIMPLES)
LUMO_LOOKUP_SIMPLES(Estacao_Referencias, "TabEstacao", "Estação Inexistente", "Estações", LAYOUT_SIMPLES)
LUMO_LOOKUP_SIMPLES(Sexo_Referencias, "TabSexo", "Sexo Inexistente", "Sexos", LAYOUT_SIMPLES)
LUMO_LOOKUP_SIMPLES(Referencia_Referencias, "Referencias", "Referência Inexistente", "Referências",
                    "Código,2000/Descrição,6200/")
LUMO_LOOKUP_SIMPLES(Modelo_Referencias, "Modelos", "Modelo Inexistente", "Modelos", LAYOUT_SIMPLES)
LUMO_LOOKUP_SIMPLES(Cor_Referencias, "Cores", "Cor Inexistente", "Cores", LAYOUT_SIMPLES)
LUMO_LOOKUP_SIMPLES(Tamanho_Referencias, "Tamanhos", "Tamanho Inexistente", "Tamanhos", LAYOUT_SIMPLES)
LUMO_LOOKUP_SIMPLES(Comprimento_Referencias, "Comprimentos", "Comprimento Inexistente", "Comprimentos",
                    LAYOUT_SIMPLES)
LUMO_LOOKUP_SIMPLES(OutUnidades, "OutUnidades", "Outra Unidade Inexistente", "Outras Unidades",
                    LAYOUT_SIMPLES)
LUMO_LOOKUP_SIMPLES(Caixas, "Caixas", "Caixa Inexistente", "Caixas", LAYOUT_SIMPLES)

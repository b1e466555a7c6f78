#include "common/UserInteraction.h"
#include "lookups/DefinicaoLookup.h"
#include "lookups/PesquisaTabelas.h"
#include "lookups/PesquisaNOVA.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "company/Mavo.h"

// What the company's code conversion does to a typed product code: codes are kept as typed
// (trimmed); the hook stays so that every product field goes through one place.
static QString ConverteCodigoProduto(const QString& codigo) {
    return codigo.trimmed();
}

QString PesquisaTabelas::produtoDoCodigoBarras(const QString& codigo) {
    if (codigo.trimmed().isEmpty())
        return {};
    return bd()
        .scalar(
            QStringLiteral(
                "SELECT ProdutoBase FROM ProdutosCodigosBarras WHERE CodigoBarras=? ORDER BY NumRegisto") +
                bd().dialect().limite(1),
            {codigo.trimmed()})
        .toString();
}

QString PesquisaTabelas::Resolve_Codigo_Produto_str(const QString& codigo, const QString& fornecedor,
                                                    bool usarReferencia) {
    QString r = codigo;
    if (usarReferencia && !fornecedor.trimmed().isEmpty()) {
        const QVariant p =
            bd().scalar(QStringLiteral("SELECT Produto FROM ProdutosOutrosDados WHERE Fornecedor=? AND "
                                       "RefProduto=? ORDER BY NumRegisto") +
                            bd().dialect().limite(1),
                        {fornecedor, codigo});
        if (p.isValid() && !p.toString().isEmpty())
            r = p.toString();
    } else {
        r = ConverteCodigoProduto(r);
    }
    const auto existe =
        bd().primeiraLinha(QStringLiteral("SELECT Codigo FROM Produtos WHERE Codigo=?") + bd().dialect().limite(1), {r});
    if (!existe) {
        const QString base = produtoDoCodigoBarras(r);
        if (!base.isEmpty())
            r = base;
    }
    return r;
}

bool PesquisaTabelas::Produtos(CampoTabela& campo, bool abrirPesquisa, const FiltroSQL& filtro,
                               const QString& textoVazio, int tamanhoLetra, bool avisarEquivalentes,
                               const QString& fornecedor, bool usarReferencia) {
    const DefinicaoLookup& def = definicoes::produtos();
    campo.focar = false;
    campo.selecionarTudo = false;

    // "|" + product: its equivalents are offered and the chosen one takes the field.
    if (campo.codigo.startsWith(QLatin1Char('|'))) {
        const QString produto =
            Resolve_Codigo_Produto_str(normalizar(def, campo.codigo.mid(1)), fornecedor, usarReferencia);
        const auto escolhido = escolherEquivalente(produto);
        campo.codigo = escolhido.value_or(produto);
        campo.focar = true;
        return escolhido.has_value();
    }

    const bool prefixo =
        campo.codigo.startsWith(QLatin1Char('\\')) || campo.codigo.startsWith(QLatin1Char('/'));
    if (abrirPesquisa || prefixo || campo.codigo.trimmed().isEmpty()) {
        const bool ok = executar(def, campo, abrirPesquisa, filtro, textoVazio, tamanhoLetra);
        if ((abrirPesquisa || prefixo) && !campo.codigo.trimmed().isEmpty()) {
            Produtos_Equivalentes(campo);
            campo.selecionarTudo = true;
        }
        return ok;
    }

    // Validation: trim, fill, resolve (supplier reference, conversion, bar code), look up.
    const QString lido = campo.codigo.trimmed();
    campo.codigo = normalizar(def, lido);
    QString codigo = Resolve_Codigo_Produto_str(campo.codigo, fornecedor, usarReferencia);
    // A scanned bar code must not be lost to the zero-fill of product codes.
    if (codigo == campo.codigo && codigo != lido && !procurarCodigo(def, codigo, {})) {
        const QString base = produtoDoCodigoBarras(lido);
        if (!base.isEmpty())
            codigo = base;
    }
    campo.codigo = codigo;
    const auto r = procurarCodigo(def, codigo, filtro);
    if (!r) {
        recusar(def, campo);
        campo.descricao = textoVazio;
        return false;
    }
    campo.codigo = r->at(0);
    campo.descricao = r->at(1);

    if (campo.activo && avisarEquivalentes) {
        const QVariant inter = bd().scalar(
            QStringLiteral("SELECT Interactividade FROM ProdutosEquivalentes WHERE ProdutoBase=? OR "
                           "ProdutoEquivalente=? ORDER BY NumRegisto") +
                bd().dialect().limite(1),
            {campo.codigo, campo.codigo});
        if (inter.isValid() && inter.toInt() == 1) {
            m_ui.mensagem(QStringLiteral("Produto com Produtos Equivalentes."),
                          UserInteraction::Icone::Informacao, TituloInformacao);
            campo.focar = true;
        }
    }
    return true;
}

void PesquisaTabelas::Produtos_Equivalentes(CampoTabela& campo) {
    if (m_equivalentesAberto || campo.codigo.trimmed().isEmpty())
        return;
    const QVariant tem =
        bd().scalar(QStringLiteral("SELECT ProdutoBase FROM ProdutosEquivalentes WHERE ProdutoBase=? "
                                   "OR ProdutoEquivalente=?") +
                        bd().dialect().limite(1),
                    {campo.codigo, campo.codigo});
    if (!tem.isValid())
        return;
    const auto escolhido = escolherEquivalente(campo.codigo);
    if (!escolhido)
        return;
    campo.codigo = *escolhido;
    // The label follows the code that now sits in the field.
    if (const auto r = procurarCodigo(definicoes::produtos(), campo.codigo, {}))
        campo.descricao = r->at(1);
    campo.focar = true;
}

std::optional<QString> PesquisaTabelas::escolherEquivalente(const QString& produto) {
    if (m_equivalentesAberto || produto.trimmed().isEmpty())
        return std::nullopt;
    DefinicaoPesquisa p;
    p.titulo = QStringLiteral("Produtos Equivalentes");
    p.campos = {{QStringLiteral("Produtos.Codigo"), QStringLiteral("Código")},
                {QStringLiteral("Produtos.Descricao"), QStringLiteral("Descrição")}};
    p.layout = QStringLiteral("Código,1800/Descrição,5000/");
    p.tabela = QStringLiteral("Produtos");
    p.colunas = {QStringLiteral("Produtos.Codigo"), QStringLiteral("Produtos.Descricao")};
    p.ordem = QStringLiteral("Produtos.Codigo");
    p.filtro.e(
        QStringLiteral("Produtos.Codigo IN (SELECT ProdutoEquivalente FROM ProdutosEquivalentes WHERE "
                       "ProdutoBase=?) OR Produtos.Codigo IN (SELECT ProdutoBase FROM ProdutosEquivalentes "
                       "WHERE ProdutoEquivalente=?)"),
        {produto, produto});
    p.filtro.e(QStringLiteral("Produtos.Codigo<>?"), {produto});

    m_equivalentesAberto = true;
    PesquisaNOVA janela(m_ctx, bd(), std::move(p), &m_ui);
    janela.Abrir();
    std::optional<QString> r;
    if (janela.totalRegistos() > 0 && m_ui.pesquisarRegistos(janela) && janela.escolhido() &&
        !janela.LinhaEscolhida()[1].isEmpty())
        r = janela.LinhaEscolhida()[1];
    janela.Fechar();
    m_equivalentesAberto = false;
    return r;
}

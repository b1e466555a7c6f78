#include "lookups/DefinicaoLookup.h"

namespace definicoes {

namespace {
QString S(const char* t) {
    return QString::fromUtf8(t);
}

QList<CampoPesquisa> codigoDescricao(const QString& tabela) {
    return {{tabela + QStringLiteral(".Codigo"), S("Código")},
            {tabela + QStringLiteral(".Descricao"), S("Descrição")}};
}
} // namespace

DefinicaoLookup simples(const QString& tabela, const QString& mensagem, const QString& titulo,
                        const QString& layout) {
    DefinicaoLookup d;
    d.tabela = tabela;
    d.colunaCodigo = tabela + QStringLiteral(".Codigo");
    d.colunaDescricao = tabela + QStringLiteral(".Descricao");
    d.colunas = {d.colunaCodigo, d.colunaDescricao};
    d.campos = codigoDescricao(tabela);
    d.layout = layout;
    d.titulo = titulo;
    d.mensagem = mensagem;
    d.ordemDescricao = d.colunaDescricao;
    return d;
}

const DefinicaoLookup& produtos() {
    static const DefinicaoLookup d = [] {
        DefinicaoLookup d = simples(
            QStringLiteral("Produtos"), S("Produto Inexistente ou não pode ser movimentado nesta Opção"),
            S("Fichas de Produtos"), S("Código,1800/Descrição,3600/Sit.,800,C/Descrição Extra,2000/"));
        d.colunas = {QStringLiteral("Produtos.Codigo"), QStringLiteral("Produtos.Descricao"),
                     QStringLiteral("Produtos.Situacao"), QStringLiteral("Produtos.DescricaoAgeMar")};
        d.campos << CampoPesquisa{QStringLiteral("Produtos.Situacao"), S("Situação")}
                 << CampoPesquisa{QStringLiteral("Produtos.DescricaoAgeMar"), S("Descrição Extra (A.M.)")};
        d.preenchimento = PreenchimentoCodigo::Produto;
        d.situacoes = true;
        return d;
    }();
    return d;
}

const DefinicaoLookup& armazens() {
    static const DefinicaoLookup d = [] {
        DefinicaoLookup d = simples(QStringLiteral("Armazens"), S("Armazém Inexistente"), S("Armazéns"));
        d.preenchimento = PreenchimentoCodigo::Largura;
        d.largura = 3;
        d.textoVarios = S("Vários armazéns");
        return d;
    }();
    return d;
}

const DefinicaoLookup& localizacoes() {
    static const DefinicaoLookup d =
        simples(QStringLiteral("Localizacao"), S("Localização Inexistente"), S("Localizações"));
    return d;
}

DefinicaoLookup lotesTabela(bool comProduto) {
    DefinicaoLookup d =
        simples(QStringLiteral("TabLotes"), S("Lote Inexistente para este Produto"), S("Lotes"),
                comProduto ? S("Produto,0/Código,2000/Descrição,4300/Dt Fabrico,1000,,Data/"
                               "Dt Validade,1000,,Data/")
                           : S("Produto,1650/Código,2000/Descrição,2650/Dt Fabrico,1000,,Data/"
                               "Dt Validade,1000,,Data/"));
    d.colunas = {QStringLiteral("TabLotes.Produto"), QStringLiteral("TabLotes.Codigo"),
                 QStringLiteral("TabLotes.Descricao"), QStringLiteral("TabLotes.DataFabrico"),
                 QStringLiteral("TabLotes.DataValidade")};
    d.elementoCodigo = 2;
    d.elementoDescricao = 3;
    return d;
}

const DefinicaoLookup& lotesProducao() {
    static const DefinicaoLookup d = [] {
        DefinicaoLookup d;
        d.tabela = QStringLiteral("Lotes");
        d.colunaCodigo = QStringLiteral("Lotes.Lote");
        d.colunaDescricao = QStringLiteral("Lotes.Produto");
        d.juncao = QStringLiteral(" INNER JOIN Produtos ON Produtos.Codigo=Lotes.Produto");
        d.colunas = {QStringLiteral("Lotes.Lote"), QStringLiteral("Lotes.Produto"),
                     QStringLiteral("Produtos.Descricao")};
        d.campos = {{QStringLiteral("Lotes.Lote"), S("Lote")},
                    {QStringLiteral("Lotes.Produto"), S("Produto Acabado")},
                    {QStringLiteral("Produtos.Descricao"), S("Descrição do Produto Acabado")}};
        d.layout = S("Lote,1200/Produto Acabado,2000/Descrição do Produto Acabado,5000/");
        d.titulo = S("Lotes de Produção");
        d.mensagem = S("Lote Inexistente (Produção)");
        d.ordemDescricao = QStringLiteral("Produtos.Descricao");
        d.preenchimento = PreenchimentoCodigo::Largura;
        d.largura = 10;
        return d;
    }();
    return d;
}

const DefinicaoLookup& nomenclatura() {
    static const DefinicaoLookup d = [] {
        DefinicaoLookup d;
        d.tabela = QStringLiteral("Nomenclatura");
        d.colunaCodigo = QStringLiteral("Nomenclatura.ProdutoAcabado");
        d.colunaDescricao = QStringLiteral("Nomenclatura.DescProdutoAcabado");
        d.colunas = {d.colunaCodigo, d.colunaDescricao};
        d.campos = {{d.colunaCodigo, S("Produto")}, {d.colunaDescricao, S("Descrição")}};
        d.layout = S("Produto,1700/Descrição,6500/");
        d.titulo = S("Nomenclaturas");
        d.mensagem = S("Produto Inexistente - Nomenclatura");
        d.ordemDescricao = d.colunaDescricao;
        d.preenchimento = PreenchimentoCodigo::Produto;
        d.distinto = true;
        return d;
    }();
    return d;
}

const DefinicaoLookup& nomenclaturaInstantanea() {
    static const DefinicaoLookup d = [] {
        DefinicaoLookup d = simples(QStringLiteral("NomenclaturaInstantanea"), S("Nomenclatura Inexistente"),
                                    S("Nomenclaturas Instantâneas"));
        d.distinto = true;
        return d;
    }();
    return d;
}

const DefinicaoLookup& processos() {
    static const DefinicaoLookup d = [] {
        DefinicaoLookup d;
        d.tabela = QStringLiteral("Prod_Processos");
        d.colunaCodigo = QStringLiteral("Prod_Processos.Processo");
        d.colunaDescricao = QStringLiteral("Prod_Processos.Descricao");
        d.colunas = {d.colunaCodigo, d.colunaDescricao, QStringLiteral("Prod_Processos.DataInicio"),
                     QStringLiteral("Prod_Processos.DataPrevista")};
        d.campos = {{d.colunaCodigo, S("Nº Processo")}, {d.colunaDescricao, S("Descrição")}};
        d.layout = S("Nº Processo,1400/Descrição,4850/Dt Início,1000,C,DATA/Dt Prevista,1000,C,DATA/");
        d.titulo = S("Processos de Produção");
        d.mensagem = S("Processo Inexistente ou não pode ser aplicado nesta situação");
        d.ordemDescricao = d.colunaDescricao;
        return d;
    }();
    return d;
}

const DefinicaoLookup& equipamentos() {
    static const DefinicaoLookup d =
        simples(QStringLiteral("Prod_Equipamentos"),
                S("Equipamento inexistente ou não pode ser aplicado nesta situação"), S("Equipamentos"),
                S("Código,1400/Descrição,6850/"));
    return d;
}

const DefinicaoLookup& utilizadores() {
    static const DefinicaoLookup d = [] {
        DefinicaoLookup d;
        d.tabela = QStringLiteral("Utilizador");
        d.colunaCodigo = QStringLiteral("Utilizador.Codigo");
        d.colunaDescricao = QStringLiteral("Utilizador.Login");
        d.colunas = {d.colunaCodigo, d.colunaDescricao};
        d.campos = {{d.colunaCodigo, S("Código")}, {d.colunaDescricao, S("Login")}};
        d.layout = S("Código,1200/Login,7000/");
        d.titulo = S("Utilizadores");
        d.mensagem = S("Utilizador Inexistente");
        d.ordemDescricao = d.colunaDescricao;
        return d;
    }();
    return d;
}

const DefinicaoLookup& tipoMov() {
    static const DefinicaoLookup d = [] {
        DefinicaoLookup d = simples(
            QStringLiteral("TabTipoMov"),
            S("Tipo de Movimento Inexistente ou não pertence a estas condições"), S("Tipos de Movimento"),
            S("Código,700/Descrição,2900/Últ.Número,0,C/Observação,2000/Módulo,600,C/"
              "Af.Clientes,700,C/Af.Fornecedores,700,C/Af.Stocks,700,C/Af.Caixa,700,C/"
              "Af.Bancos,700,C/Af.IVA,700,C/Saf-T,700,C/"));
        d.colunas = {QStringLiteral("TabTipoMov.Codigo"),
                     QStringLiteral("TabTipoMov.Descricao"),
                     QStringLiteral("TabTipoMov.UltNumero"),
                     QStringLiteral("TabTipoMov.Observa"),
                     QStringLiteral("TabTipoMov.Modulo"),
                     QStringLiteral("TabTipoMov.AfectaCli"),
                     QStringLiteral("TabTipoMov.AfectaFor"),
                     QStringLiteral("TabTipoMov.AfectaStk"),
                     QStringLiteral("TabTipoMov.AfectaCaixa"),
                     QStringLiteral("TabTipoMov.AfectaBan"),
                     QStringLiteral("TabTipoMov.AfectaIVA"),
                     QStringLiteral("CASE WHEN TabTipoMov.TipoMovClassifica='@@@' THEN '' "
                                    "ELSE TabTipoMov.TipoMovClassifica END")};
        d.situacoes = true;
        return d;
    }();
    return d;
}

const DefinicaoLookup& cambios() {
    static const DefinicaoLookup d = [] {
        DefinicaoLookup d = simples(QStringLiteral("Cambios"), S("Câmbio Inexistente"), S("Câmbios"),
                                    S("Código,1200/Abreviatura,5500/Val. Câmbio,1500,D,Valor/"));
        d.colunaDescricao = QStringLiteral("Cambios.Abreviatura");
        d.colunas = {QStringLiteral("Cambios.Codigo"), QStringLiteral("Cambios.Abreviatura"),
                     QStringLiteral("Cambios.Valor")};
        d.campos = {{QStringLiteral("Cambios.Codigo"), S("Código")},
                    {QStringLiteral("Cambios.Abreviatura"), S("Abreviatura")}};
        d.ordemDescricao = d.colunaDescricao;
        return d;
    }();
    return d;
}

const DefinicaoLookup& situacoes() {
    static const DefinicaoLookup d = [] {
        DefinicaoLookup d = simples(QStringLiteral("TabSituacao"), S("Situação Inexistente"), S("Situações"),
                                    S("Código,1200/Descrição,6000/Movimenta,1000,C/"));
        d.colunas << S("CASE WHEN TabSituacao.Movimenta=1 THEN 'Sim' ELSE 'Não' END");
        d.textoVarios = S("Várias situações");
        return d;
    }();
    return d;
}

const DefinicaoLookup& vendedores() {
    static const DefinicaoLookup d = [] {
        DefinicaoLookup d =
            simples(QStringLiteral("TabVendedor"), S("Vendedor Inexistente"), S("Vendedores"));
        d.textoVarios = S("Vários vendedores");
        return d;
    }();
    return d;
}

const DefinicaoLookup& etiquetas() {
    static const DefinicaoLookup d =
        simples(QStringLiteral("Etiquetas"), S("Etiqueta Inexistente"), S("Etiquetas"));
    return d;
}

const DefinicaoLookup& clientes() {
    static const DefinicaoLookup d = [] {
        DefinicaoLookup d =
            simples(QStringLiteral("Clientes"), S("Cliente Inexistente ou não pode Movimentar nesta Opção!"),
                    S("Fichas de Clientes"),
                    S("Código,1200/Descrição,3000/Contribuinte,1100/Morada,1000/Localidade,1000/"
                      "Outra Descrição,2000/Telefone,1500/Telemóvel,1500/"));
        d.colunas = {QStringLiteral("Clientes.Codigo"),       QStringLiteral("Clientes.Descricao"),
                     QStringLiteral("Clientes.Contribuinte"), QStringLiteral("Clientes.Morada"),
                     QStringLiteral("Clientes.Local"),        QStringLiteral("Clientes.DescricaoOutra"),
                     QStringLiteral("Clientes.Telefone"),     QStringLiteral("Clientes.Telemovel")};
        d.campos << CampoPesquisa{QStringLiteral("Clientes.Contribuinte"), S("Contribuinte")}
                 << CampoPesquisa{QStringLiteral("Clientes.Local"), S("Localidade")};
        d.preenchimento = PreenchimentoCodigo::Cliente;
        d.situacoes = true;
        return d;
    }();
    return d;
}

const DefinicaoLookup& fornecedores() {
    static const DefinicaoLookup d = [] {
        DefinicaoLookup d = simples(
            QStringLiteral("Fornece"), S("Fornecedor Inexistente ou não pode Movimentar nestas Condições!"),
            S("Fichas de Fornecedores"),
            S("Código,1200/Descrição,3000/Contribuinte,1100/Morada,1000/Localidade,1000/"
              "Outra Descrição,2000/"));
        d.colunas = {QStringLiteral("Fornece.Codigo"),       QStringLiteral("Fornece.Descricao"),
                     QStringLiteral("Fornece.Contribuinte"), QStringLiteral("Fornece.Morada"),
                     QStringLiteral("Fornece.Local"),        QStringLiteral("Fornece.DescricaoOutra")};
        d.campos << CampoPesquisa{QStringLiteral("Fornece.Contribuinte"), S("Contribuinte")}
                 << CampoPesquisa{QStringLiteral("Fornece.Local"), S("Localidade")};
        d.preenchimento = PreenchimentoCodigo::Fornecedor;
        d.situacoes = true;
        return d;
    }();
    return d;
}

const DefinicaoLookup& documentos() {
    static const DefinicaoLookup d = [] {
        DefinicaoLookup d;
        d.tabela = QStringLiteral("PDocumentos");
        d.colunaCodigo = QStringLiteral("PDocumentos.Codigo");
        d.colunaDescricao = QStringLiteral("PDocumentos.Nome");
        d.colunas = {d.colunaCodigo, d.colunaDescricao, QStringLiteral("PDocumentos.MainTable")};
        d.campos = {{d.colunaCodigo, S("Código")}, {d.colunaDescricao, S("Descrição")}};
        d.layout = S("Código,1200/Descrição,5400/Tab. Principal,1650/");
        d.titulo = S("Documentos de Impressão");
        d.mensagem = S("Documento de impressão inexistente ou não se aplica a esta situação");
        d.ordemDescricao = d.colunaDescricao;
        d.chaveRegisto = QStringLiteral("Record");
        return d;
    }();
    return d;
}

} // namespace definicoes

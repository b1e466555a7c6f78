#include "lookups/PesquisaTabelas.h"

#include "company/EDiv.h"
#include "common/UserInteraction.h"
#include "lookups/DefinicaoLookup.h"
#include "lookups/PesquisaNOVA.h"
#include "session/Acessos.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "company/Mavo.h"

#include <QRegularExpression>
#include <QSqlQuery>

using namespace definicoes;

PesquisaTabelas::PesquisaTabelas(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}

PesquisaTabelas::~PesquisaTabelas() = default;

PesquisaTabelas& pesquisaTabelas(GlobalContext& ctx, UserInteraction& ui) {
    if (!ctx.Pesquisa)
        ctx.Pesquisa = std::make_shared<PesquisaTabelas>(ctx, ui);
    return *ctx.Pesquisa;
}

Database& PesquisaTabelas::bd() const {
    return m_ctx.bd();
}

// ------------------------------------------------------------------ the common protocol

bool PesquisaTabelas::executar(const DefinicaoLookup& def, CampoTabela& campo, bool abrirPesquisa,
                               const FiltroSQL& filtro, const QString& textoVazio, int tamanhoLetra,
                               bool multiSelecao) {
    campo.focar = false;
    campo.selecionarTudo = false;
    const QString texto = campo.codigo;
    QString ordem = def.colunaCodigo;
    QString chave;

    // Several codes chosen in a multi-selection are kept as they are.
    if (!abrirPesquisa && !def.textoVarios.isEmpty() && texto.contains(QLatin1Char(';'))) {
        campo.descricao = def.textoVarios;
        return true;
    }
    if (texto.startsWith(QLatin1Char('\\')) && !def.ordemDescricao.isEmpty()) {
        abrirPesquisa = true;
        ordem = def.ordemDescricao;
        chave = texto.mid(1);
    } else if (texto.startsWith(QLatin1Char('/')) || texto.startsWith(QLatin1Char('\\'))) {
        abrirPesquisa = true;
        chave = texto.mid(1);
    }

    bool ok = false;
    if (abrirPesquisa) {
        ok = pesquisar(def, campo, filtro, ordem, chave, tamanhoLetra,
                       multiSelecao && !def.textoVarios.isEmpty());
    } else if (!texto.trimmed().isEmpty()) {
        ok = validar(def, campo, filtro);
    } else {
        // An emptied field must not keep the description of the code it held.
        campo.codigo.clear();
        campo.descricao.clear();
    }
    if (campo.codigo.trimmed().isEmpty() && campo.descricao.trimmed().isEmpty())
        campo.descricao = textoVazio;
    return ok;
}

QString PesquisaTabelas::normalizar(const DefinicaoLookup& def, const QString& codigo) const {
    Mavo mavo(m_ctx);
    const QString t = codigo.trimmed();
    switch (def.preenchimento) {
    case PreenchimentoCodigo::Produto:
        return mavo.Zerar_Produto_str(t);
    case PreenchimentoCodigo::Cliente:
        return mavo.Zerar_Cliente_str(t);
    case PreenchimentoCodigo::Fornecedor:
        return mavo.Zerar_Fornece_str(t);
    case PreenchimentoCodigo::Largura: {
        int largura = def.largura;
        return EDiv::Zerar(t, largura, QStringLiteral("0"), true);
    }
    case PreenchimentoCodigo::Nenhum:
        break;
    }
    return t;
}

std::optional<QStringList> PesquisaTabelas::procurarCodigo(const DefinicaoLookup& def, const QString& codigo,
                                                           const FiltroSQL& filtro) {
    QVariantList valores = filtro.valores;
    valores << codigo;
    const QString sql = QStringLiteral("SELECT %1,%2 FROM %3%4%5 WHERE %3.%6>0%7 AND %1=?")
                            .arg(def.colunaCodigo, def.colunaDescricao, def.tabela, def.juncao, filtro.juncao,
                                 def.chaveRegisto, filtro.condicoes) +
                        bd().dialect().limite(1);
    // A failed query counts as a code not found.
    const auto linha = bd().primeiraLinha(sql, valores);
    if (!linha || linha->size() < 2)
        return std::nullopt;
    return QStringList{linha->at(0).toString(), linha->at(1).toString()};
}

bool PesquisaTabelas::validar(const DefinicaoLookup& def, CampoTabela& campo, const FiltroSQL& filtro) {
    campo.codigo = normalizar(def, campo.codigo);
    const auto r = procurarCodigo(def, campo.codigo, filtro);
    if (!r) {
        recusar(def, campo);
        return false;
    }
    campo.codigo = r->at(0);
    campo.descricao = r->at(1);
    return true;
}

void PesquisaTabelas::recusar(const DefinicaoLookup& def, CampoTabela& campo) {
    m_ui.mensagem(def.mensagem, UserInteraction::Icone::Critico, NomePrograma);
    campo.codigo.clear();
    campo.descricao.clear();
    campo.focar = true;
}

bool PesquisaTabelas::pesquisar(const DefinicaoLookup& def, CampoTabela& campo, const FiltroSQL& filtro,
                                const QString& ordem, const QString& chave, int tamanhoLetra,
                                bool multiSelecao) {
    DefinicaoPesquisa p;
    p.titulo = def.titulo;
    p.campos = def.campos;
    p.layout = def.layout;
    p.tabela = def.tabela;
    p.colunas = def.colunas;
    p.distinto = def.distinto;
    p.filtro.juncao = def.juncao;
    p.filtro.juntar(filtro);
    if (def.situacoes)
        p.filtro.juntar(SQL_SituacoesPesquisa(def.tabela));
    p.ordem = ordem;
    p.multiSelecao = multiSelecao;
    p.tamanhoLetra = tamanhoLetra;
    p.chaveInicial = chave;
    p.chaveRegisto = def.chaveRegisto;

    PesquisaNOVA janela(m_ctx, bd(), std::move(p), &m_ui);
    janela.Abrir();
    const bool escolheu = m_ui.pesquisarRegistos(janela) && janela.escolhido();
    janela.Fechar();
    campo.focar = true;
    if (!escolheu)
        return false;
    LinhaEscolhida = janela.LinhaEscolhida();
    campo.codigo = LinhaEscolhida[size_t(def.elementoCodigo)];
    campo.descricao = multiSelecao && campo.codigo.contains(QLatin1Char(';'))
                          ? def.textoVarios
                          : LinhaEscolhida[size_t(def.elementoDescricao)];
    return !campo.codigo.trimmed().isEmpty();
}

// ------------------------------------------------------------------ situations

FiltroSQL PesquisaTabelas::SQL_SituacoesPesquisa(const QString& tabela) {
    FiltroSQL f;
    // The table name is spliced into SQL: only a plain identifier is accepted.
    static const QRegularExpression identificador(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!tabela.isEmpty() && !identificador.match(tabela).hasMatch())
        return f;
    const QString coluna =
        tabela.isEmpty() ? QStringLiteral("Situacao") : tabela + QStringLiteral(".Situacao");
    QStringList termos;
    QVariantList valores;
    bd().percorrer(QStringLiteral("SELECT Chave FROM UtilConfig_Div WHERE Utilizador=? AND NomeForm=? "
                                  "ORDER BY NumRegisto"),
                   {m_ctx.CodigoUtilizador, QStringLiteral("SituacoesPesquisa")}, [&](const QSqlQuery& q) {
                       const QString s = q.value(0).toString();
                       if (s.trimmed().isEmpty())
                           return;
                       termos << coluna + QStringLiteral("=?");
                       valores << s;
                   });
    if (!termos.isEmpty())
        f.e(termos.join(QStringLiteral(" or ")), valores);
    return f;
}

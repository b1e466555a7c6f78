#include "production/ImpDiarioStk.h"

#include "company/GlobalContext.h"
#include "db/Database.h"
#include "lookups/PesquisaTabelas.h"
#include "production/ConfigProd.h"

namespace {

// The label of an empty field.
QString textoVazio(ImpDiarioStk::Campo c) {
    using C = ImpDiarioStk::Campo;
    switch (c) {
    case C::Produto:
        return QStringLiteral("Todos os Produtos");
    case C::Situacao:
        return QStringLiteral("Todas as Situações");
    case C::Vendedor:
        return QStringLiteral("Todos os Vendedores");
    case C::Grupo:
        return QStringLiteral("Todos os Grupos");
    case C::Familia:
        return QStringLiteral("Todas as Famílias");
    case C::Subfamilia:
        return QStringLiteral("Todas as Subfamílias");
    case C::Armazem:
        return QStringLiteral("Todos os Armazéns");
    case C::Tipo:
    case C::Cambio:
        break;
    }
    return {};
}

// Only stock and purchase/sale documents move stock.
FiltroSQL filtroTipos() {
    FiltroSQL f;
    f.e(QStringLiteral("TabTipoMov.Modulo=? or TabTipoMov.Modulo=? or TabTipoMov.Modulo=?"),
        {QStringLiteral("ST"), QStringLiteral("FC"), QStringLiteral("FF")});
    return f;
}

} // namespace

ImpDiarioStk::ImpDiarioStk(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    for (Campo c : {Campo::Produto, Campo::Situacao, Campo::Vendedor, Campo::Grupo, Campo::Familia, Campo::Subfamilia,
                    Campo::Armazem})
        campo(c).descricao = textoVazio(c);
    const QDate hoje = QDate::currentDate();
    txtDataInicial = QDate(hoje.year(), hoje.month(), 1);
    txtDataFinal = hoje;
    // The production output type, as the analysis is mostly asked for consumption.
    const auto config = LerConfigProd(m_ctx.bd()).valorOu(std::nullopt);
    if (config && !config->TipoSaida.trimmed().isEmpty()) {
        txtTipo.codigo = config->TipoSaida.trimmed();
        txtTipo.descricao = m_ctx.bd()
                                .scalar(QStringLiteral("SELECT Descricao FROM TabTipoMov WHERE Codigo=?"), {txtTipo.codigo})
                                .toString()
                                .trimmed();
    }
}

QString ImpDiarioStk::Titulo() { return QStringLiteral("Análise de Produtos por Grupos/Familias/Subfamilias"); }

CampoTabela& ImpDiarioStk::campo(Campo c) {
    switch (c) {
    case Campo::Tipo:
        return txtTipo;
    case Campo::Produto:
        return txtProduto;
    case Campo::Situacao:
        return txtSituacao;
    case Campo::Vendedor:
        return txtVendedor;
    case Campo::Grupo:
        return txtGrupo;
    case Campo::Familia:
        return txtFamilia;
    case Campo::Subfamilia:
        return txtSubfamilia;
    case Campo::Armazem:
        return txtArmazem;
    case Campo::Cambio:
        break;
    }
    return txtCambio;
}

bool ImpDiarioStk::pesquisar(Campo c, bool abrirPesquisa) {
    CampoTabela& cp = campo(c);
    if (!abrirPesquisa && cp.codigo.trimmed().isEmpty()) {
        cp.codigo.clear();
        cp.descricao = textoVazio(c);
        if (c == Campo::Cambio)
            lerValorCambio();
        return c != Campo::Tipo;
    }
    if (c == Campo::Armazem && !abrirPesquisa)
        return validarArmazens();
    PesquisaTabelas& p = pesquisaTabelas(m_ctx, m_ui);
    const QString vazio = textoVazio(c);
    switch (c) {
    case Campo::Tipo:
        return p.TipoMov(cp, abrirPesquisa, filtroTipos());
    case Campo::Produto:
        return p.Produtos(cp, abrirPesquisa, {}, vazio);
    case Campo::Situacao:
        return p.Situacoes(cp, abrirPesquisa, {}, vazio);
    case Campo::Vendedor:
        return p.Vendedores(cp, abrirPesquisa, {}, vazio);
    case Campo::Grupo:
        return p.GrupoProdutos(cp, abrirPesquisa, {}, vazio);
    case Campo::Familia:
        return p.FamiliaProdutos(cp, abrirPesquisa, {}, vazio);
    case Campo::Subfamilia:
        return p.SubFamiliaProdutos(cp, abrirPesquisa, {}, vazio);
    case Campo::Armazem:
        return p.Armazens(cp, true, {}, vazio);
    case Campo::Cambio: {
        const bool ok = p.Cambios(cp, abrirPesquisa);
        // A value corrected by hand stays while the exchange stays the same.
        if (cp.codigo.trimmed() != m_cambioDoValor)
            lerValorCambio();
        return ok;
    }
    }
    return false;
}

bool ImpDiarioStk::txtArmazem_DuploClique() {
    return pesquisaTabelas(m_ctx, m_ui).Armazens(txtArmazem, true, {}, textoVazio(Campo::Armazem), 0, true);
}

QStringList ImpDiarioStk::armazens() const {
    QStringList r;
    for (const QString& a : txtArmazem.codigo.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!a.trimmed().isEmpty())
            r << a.trimmed();
    return r;
}

// Each warehouse of the list is checked (and filled) as if typed alone.
bool ImpDiarioStk::validarArmazens() {
    PesquisaTabelas& p = pesquisaTabelas(m_ctx, m_ui);
    QStringList codigos;
    QString descricao;
    for (const QString& a : armazens()) {
        CampoTabela um;
        um.codigo = a;
        if (!p.Armazens(um, false)) {
            txtArmazem.codigo.clear();
            txtArmazem.descricao = textoVazio(Campo::Armazem);
            txtArmazem.focar = true;
            return false;
        }
        if (!codigos.contains(um.codigo))
            codigos << um.codigo;
        descricao = um.descricao;
    }
    txtArmazem.codigo = codigos.join(QLatin1Char(';'));
    txtArmazem.descricao = codigos.isEmpty()      ? textoVazio(Campo::Armazem)
                           : codigos.size() == 1 ? descricao
                                                 : QStringLiteral("Vários armazéns");
    return true;
}

void ImpDiarioStk::lerValorCambio() {
    const QString codigo = txtCambio.codigo.trimmed();
    m_cambioDoValor = codigo;
    txtValorCambio = codigo.isEmpty()
                         ? Currency()
                         : Currency::fromVariant(m_ctx.bd().scalar(
                               QStringLiteral("SELECT Valor FROM Cambios WHERE Codigo=?"), {codigo}));
}

FiltroAnaliseGrupos ImpDiarioStk::filtro() const {
    FiltroAnaliseGrupos f;
    f.tipo = txtTipo.codigo.trimmed();
    f.lote = txtNumero.trimmed();
    f.produto = txtProduto.codigo.trimmed();
    f.situacao = txtSituacao.codigo.trimmed();
    f.vendedor = txtVendedor.codigo.trimmed();
    f.grupo = txtGrupo.codigo.trimmed();
    f.familia = txtFamilia.codigo.trimmed();
    f.subfamilia = txtSubfamilia.codigo.trimmed();
    f.armazens = armazens();
    f.cambio = txtCambio.codigo.trimmed();
    f.valorCambio = txtValorCambio;
    f.de = txtDataInicial.isValid() ? txtDataInicial.toString(Qt::ISODate) : QString();
    f.ate = txtDataFinal.isValid() ? txtDataFinal.toString(Qt::ISODate) : QString();
    f.resumo = chkResumo;
    return f;
}

DescricoesAnaliseGrupos ImpDiarioStk::descricoes() const {
    // The header names only chosen codes: the "Todos …" labels stay out.
    auto d = [](const CampoTabela& c) { return c.codigo.trimmed().isEmpty() ? QString() : c.descricao; };
    DescricoesAnaliseGrupos r;
    r.tipo = d(txtTipo);
    r.produto = d(txtProduto);
    r.situacao = d(txtSituacao);
    r.vendedor = d(txtVendedor);
    r.grupo = d(txtGrupo);
    r.familia = d(txtFamilia);
    r.subfamilia = d(txtSubfamilia);
    r.cambio = d(txtCambio);
    return r;
}

bool ImpDiarioStk::cmdImprimir_Click() {
    if (txtTipo.codigo.trimmed().isEmpty()) {
        m_ui.mensagem(QStringLiteral("Tem que preencher o tipo de Movimento"), UserInteraction::Icone::Exclamacao,
                      Titulo());
        txtTipo.focar = true;
        return false;
    }
    // What was typed is checked again, as a field left without leaving it was never looked up.
    for (Campo c : {Campo::Tipo, Campo::Produto, Campo::Situacao, Campo::Vendedor, Campo::Grupo, Campo::Familia,
                    Campo::Subfamilia, Campo::Armazem, Campo::Cambio}) {
        if (campo(c).codigo.trimmed().isEmpty())
            continue;
        if (!pesquisar(c, false))
            return false;
    }
    if (txtDataInicial.isValid() && txtDataFinal.isValid() && txtDataInicial > txtDataFinal) {
        m_ui.mensagem(QStringLiteral("A Data Inicial é posterior à Data Final!"), UserInteraction::Icone::Exclamacao,
                      Titulo());
        return false;
    }
    const FiltroAnaliseGrupos f = filtro();
    const auto analise = LerAnaliseGrupos(m_ctx.bd(), f);
    if (!analise) {
        m_ui.mensagem(analise.mensagem(), UserInteraction::Icone::Critico, Titulo());
        return false;
    }
    if (analise->vazia()) {
        m_ui.mensagem(QStringLiteral("Não existem Produtos nestas condições!"), UserInteraction::Icone::Exclamacao,
                      Titulo());
        return false;
    }
    const auto destino = PerguntaTipoListagem(m_ui);
    if (!destino)
        return false;
    return imprimir && imprimir(*analise, f, descricoes(), *destino);
}

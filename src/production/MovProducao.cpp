#include "stock/VerificacoesStock.h"
#include "production/MovProducao.h"

#include "production/ExistProArmLote.h"
#include "production/FolhaLote.h"
#include "production/FormatoQuantidade.h"
#include "lookups/PesquisaTabelas.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "company/PeriodoAberto.h"

#include <QDate>
#include <algorithm>

namespace {

enum Col {
    cReg,
    cProduto,
    cDescricao,
    cUnid,
    cNomenc,
    cOrdem,
    cAcertos,
    cArm,
    cLocal,
    cLote,
    cFabrico,
    cValidade,
    cObs,
    cFactor,
    cFormula
};

bool produtoComLote(GlobalContext& ctx, const QString& produto) {
    return ctx.Lotes &&
           ctx.bd().scalar(QStringLiteral("SELECT Lote FROM Produtos WHERE Codigo=?"), {produto}).toInt() ==
               1;
}

} // namespace

MovProducao::MovProducao(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    lvwListaNomec.setUserInteraction(&ui);
    lvwListaNomec.Cria_lvwLISTA(LayoutListaNomec);
    lvwInsuficientes.setUserInteraction(&ui);
    lvwInsuficientes.Cria_lvwLISTA(QStringLiteral("Código,1650,,,Codigo/Descrição,2000,,,Descricao/"));
}

QString MovProducao::lblFixa() const {
    if (doc.linhas.empty())
        return {};
    return doc.Fixa ? QStringLiteral("Nomenclatura Fixa") : QStringLiteral("Nomenclatura Não Fixa");
}

void MovProducao::Form_Load() {
    limparProducao();
    ProximoLote();
}

void MovProducao::ProximoLote() {
    doc.Lote = ::ProximoLote(m_ctx.bd());
}

void MovProducao::Mensagem(Campo campo) {
    m_foco = campo;
    m_ui.mensagem(QStringLiteral("Preenchimento Incompleto!"), UserInteraction::Icone::Critico);
}

void MovProducao::recusar(const QString& texto, Campo campo, UserInteraction::Icone icone,
                          const QString& titulo) {
    m_foco = campo;
    m_ui.mensagem(texto, icone, titulo);
}

void MovProducao::limparProducao() {
    doc = ProductionDocument{};
    doc.Data = QDate::currentDate().toString(Qt::ISODate);
    doc.Armazem = m_ctx.armazem;
    txtProdutoAcabado.limpar();
    txtArmazem.limpar();
    txtArmazem.codigo = m_ctx.armazem;
    lvwListaNomec.limparLinhas();
    lvwInsuficientes.limparLinhas();
    m_edicao = Edicao::Nenhuma;
    m_paComLote = false;
    m_estado = Estado::Cabecalho;
    m_foco = Campo::Lote;
}

void MovProducao::txtLote_LostFocus() {
    if (doc.Lote.trimmed().isEmpty())
        return;
    // Only the lot is kept: what was typed for another lot must not leak into this one.
    const QString lote = ZerarLote(doc.Lote.trimmed());
    const bool eraLido = !doc.Nova;
    if (eraLido) {
        limparProducao();
    }
    doc.Lote = lote;
    if (!LerLoteProducao(m_ctx, doc))
        return;
    txtProdutoAcabado.codigo = doc.ProdutoAcabado;
    txtProdutoAcabado.descricao = doc.DescProdutoAcabado;
    txtArmazem.codigo = doc.Armazem;
    if (CarregarListaNomenc() > 0)
        m_estado = Estado::Linhas;
    // Adjustments post on the production date: said now, before the user types them.
    if (doc.pendente())
        ValidaPeriodoAberto(m_ctx, m_ui, doc.Data, m_ctx.armazem, true);
}

void MovProducao::produtoEscolhido() {
    doc.ProdutoAcabado = txtProdutoAcabado.codigo.trimmed();
    doc.DescProdutoAcabado = txtProdutoAcabado.descricao;
}

bool MovProducao::cmdCarregar_Click() {
    doc.Lote = ZerarLote(doc.Lote.trimmed());
    produtoEscolhido();
    doc.Armazem = txtArmazem.codigo.trimmed();
    if (doc.Lote.trimmed().isEmpty() || doc.Lote == ZerarLote(QStringLiteral("0")))
        return Mensagem(Campo::Lote), false;
    if (doc.ProdutoAcabado.isEmpty())
        return Mensagem(Campo::Produto), false;
    if (!QDate::fromString(doc.Data, Qt::ISODate).isValid())
        return Mensagem(Campo::Data), false;
    // A negative quantity would turn consumption into entries: refused like an empty one.
    if (doc.Quantidade <= Currency())
        return Mensagem(Campo::Quantidade), false;
    if (doc.Armazem.isEmpty())
        return Mensagem(Campo::Armazem), false;
    // The code fields as their lookups check them when left: whatever filled them, a product
    // without a bill or a warehouse that does not exist goes no further.
    PesquisaTabelas pesquisa(m_ctx, m_ui);
    if (!pesquisa.Nomenclatura_Prod(txtProdutoAcabado, false))
        return m_foco = Campo::Produto, false;
    produtoEscolhido();
    if (!pesquisa.Armazens(txtArmazem, false))
        return m_foco = Campo::Armazem, false;
    doc.Armazem = txtArmazem.codigo.trimmed();
    VerificacoesStock verif(m_ctx);
    if (!verif.UtilizadorControloArmazens(doc.Armazem, true, false, &m_ui))
        return m_foco = Campo::Armazem, false;
    if (!ValidaPeriodoAberto(m_ctx, m_ui, doc.Data, m_ctx.armazem, true))
        return m_foco = Campo::Data, false;
    QString unidade, direccao;
    if (!verif.ControlaUnidades(m_ctx.bd(), unidade, doc.Quantidade, doc.ProdutoAcabado, direccao,
                               QStringLiteral("E+"), true, &m_ui))
        return m_foco = Campo::Quantidade, false;
    if (doc.Nova) {
        // The lot may have been posted meanwhile (another workstation, the lot field never left).
        ProductionDocument lido;
        lido.Lote = doc.Lote;
        if (LerLoteProducao(m_ctx, lido))
            return recusar(QStringLiteral("Já existe o lote %1!").arg(doc.Lote), Campo::Lote,
                           UserInteraction::Icone::Exclamacao),
                   false;
    }
    if (CarregarListaNomenc() == 0) {
        recusar(QStringLiteral("Não tem nomenclatura definida para este produto!"), Campo::Produto);
        return false;
    }
    m_estado = Estado::Linhas;
    m_foco = Campo::Lista;
    return true;
}

int MovProducao::CarregarListaNomenc() {
    const int n = ::CarregarListaNomenc(m_ctx, doc);
    m_paComLote = produtoComLote(m_ctx, doc.ProdutoAcabado);
    mostrarLinhas();
    if (n > 0)
        lvwListaNomec.lvw_SelectLinha(0);
    return n;
}

void MovProducao::mostrarLinhas() {
    lvwListaNomec.limparLinhas();
    for (int i = 0; i < int(doc.linhas.size()); ++i) {
        const int r = lvwListaNomec.lvw_AddLinha();
        lvwListaNomec.setTag(r, i);
        mostrarLinha(i);
    }
}

void MovProducao::mostrarLinha(int i) {
    const int r = lvwListaNomec.linhaComTag(i);
    if (r < 0)
        return;
    const LinhaProducao& l = doc.linhas[size_t(i)];
    const int casasProd = qBound(0, m_ctx.casasdecProducao, 4);
    const int casasQ = qBound(0, m_ctx.casadecquant, 4);
    lvwListaNomec.setId(r, l.numRegisto);
    const QStringList textos = {QString::number(l.numRegisto),
                                l.produto,
                                l.descricao,
                                l.unidade,
                                formatarNumeroPT(l.nomenclatura, casasProd),
                                formatarNumeroPT(l.ordemProducao, casasQ),
                                formatarNumeroPT(l.acertos, casasQ),
                                l.armazem,
                                l.localizacao,
                                l.lote,
                                DataVisivel(l.dataFabrico),
                                DataVisivel(l.dataValidade),
                                l.observacoes,
                                l.factor.isZero() ? QString() : formatarNumeroPT(l.factor, casasProd),
                                l.formula};
    for (int c = 0; c < textos.size(); ++c)
        lvwListaNomec.setTexto(r, c, textos.at(c));
}

void MovProducao::ActualizaNomenclatura(qint64 numRegisto) {
    const auto q = m_ctx.bd().scalar(QStringLiteral("SELECT quantidade FROM Nomenclatura WHERE NumRegisto=?"),
                                     {numRegisto});
    if (!q.isValid())
        return;
    const Currency quant = Currency::fromVariant(q);
    for (int i = 0; i < int(doc.linhas.size()); ++i) {
        LinhaProducao& l = doc.linhas[size_t(i)];
        if (l.numRegisto != numRegisto)
            continue;
        l.nomenclatura = quant.rounded(qBound(0, m_ctx.casasdecProducao, 4), Currency::Arredondamento::MetadeAfastaDeZero);
        l.ordemProducao = QuantidadeOrdem(m_ctx, l.produto, quant, doc.Quantidade, doc.NaoMultiplica);
        mostrarLinha(i);
    }
}

Currency MovProducao::quantidadeDaFase(const LinhaProducao& l) const {
    return doc.Nova ? l.ordemProducao : l.acertos;
}

bool MovProducao::iniciarEdicao(Edicao e) {
    const int r = linhaActual();
    if (r < 0 || m_estado != Estado::Linhas || doc.Situacao == SituacaoEncerrada)
        return false;
    const LinhaProducao& l = doc.linhas[size_t(lvwListaNomec.tag(r).toInt())];
    Currency q;
    switch (e) {
    case Edicao::QtyNomenclatura:
        if (doc.Fixa || !doc.Nova)
            return false;
        m_lblEdicao = QStringLiteral("Alteração da Quantidade na Nomenclatura ------>");
        q = l.nomenclatura;
        break;
    case Edicao::QtyProducao:
        if (!doc.Nova)
            return false;
        m_lblEdicao = QStringLiteral("Alteração da Quantidade nesta Produção -------->");
        q = l.ordemProducao;
        break;
    case Edicao::Acertos:
        if (!doc.pendente())
            return false;
        m_lblEdicao = QStringLiteral("Acerto da Quantidade Final ---------------------------->");
        q = l.acertos;
        break;
    case Edicao::Nenhuma:
        return false;
    }
    m_edicao = e;
    m_fraEdicao.clear();
    m_valorEdicao = q;
    if (!l.factor.isZero()) {
        m_fraEdicao = QStringLiteral("Registo com Factor de Conversão  [ %1 ]").arg(l.factor.toShortString());
        m_valorEdicao = CalculaQuantidadeFactor(q, l.factor, l.formula, true, m_ctx.casasdecProducao);
    }
    m_estado = Estado::Edicao;
    return true;
}

bool MovProducao::cmdActualiza_Click(const Currency& digitado) {
    const int r = linhaActual();
    if (m_estado != Estado::Edicao || r < 0)
        return false;
    const LinhaProducao& l = doc.linhas[size_t(lvwListaNomec.tag(r).toInt())];
    if (l.factor.isZero())
        return actualizarQuantidade(digitado);
    return actualizarQuantidade(CalculaQuantidadeFactor(digitado, l.factor, l.formula, false, m_ctx.casasdecProducao));
}

bool MovProducao::actualizarQuantidade(const Currency& valor) {
    const int r = linhaActual();
    if (m_estado != Estado::Edicao || r < 0)
        return false;
    const int i = lvwListaNomec.tag(r).toInt();
    LinhaProducao& l = doc.linhas[size_t(i)];
    if (m_edicao != Edicao::Acertos && valor < Currency()) {
        m_ui.mensagem(QStringLiteral("A quantidade não pode ser negativa."), UserInteraction::Icone::Critico);
        return false;
    }
    QString unidade, direccao;
    const Currency absoluto = valor < Currency() ? -valor : valor;
    if (!VerificacoesStock(m_ctx).ControlaUnidades(m_ctx.bd(), unidade, absoluto, l.produto, direccao,
                                      QStringLiteral("S+"), true, &m_ui))
        return false;
    switch (m_edicao) {
    case Edicao::QtyNomenclatura:
        // The bill itself changes at once, for this and every later production.
        if (!m_ctx.bd().update(QStringLiteral("Nomenclatura"), {QStringLiteral("quantidade")},
                               {valor.toVariant()}, QStringLiteral("WHERE NumRegisto=?"), {l.numRegisto})) {
            m_ui.mensagem(m_ctx.bd().lastError(), UserInteraction::Icone::Critico);
            return false;
        }
        ActualizaNomenclatura(l.numRegisto);
        break;
    case Edicao::QtyProducao:
        l.ordemProducao = valor;
        break;
    case Edicao::Acertos:
        // More cannot come back than this line took.
        if (valor < Currency() && absoluto > l.ordemProducao) {
            m_ui.mensagem(QStringLiteral("O retorno não pode exceder a quantidade consumida (%1).")
                              .arg(formatarNumeroPT(l.ordemProducao, qBound(0, m_ctx.casadecquant, 4))),
                          UserInteraction::Icone::Critico);
            return false;
        }
        l.acertos = valor;
        break;
    case Edicao::Nenhuma:
        break;
    }
    mostrarLinha(i);
    cmdCancelaEdicao_Click();
    return true;
}

void MovProducao::cmdCancelaEdicao_Click() {
    m_edicao = Edicao::Nenhuma;
    m_lblEdicao.clear();
    m_fraEdicao.clear();
    if (m_estado == Estado::Edicao)
        m_estado = Estado::Linhas;
}

bool MovProducao::prepararEscolhaLote(ExistProArmLote& escolha) {
    const int r = linhaActual();
    if (r < 0 || m_estado != Estado::Linhas || doc.Situacao == SituacaoEncerrada)
        return false;
    const LinhaProducao& l = doc.linhas[size_t(lvwListaNomec.tag(r).toInt())];
    if (!produtoComLote(m_ctx, l.produto)) {
        m_ui.mensagem(QStringLiteral("O produto %1 não tem controlo de lotes.").arg(l.produto),
                      UserInteraction::Icone::Informacao);
        return false;
    }
    escolha.txtCodigo = l.produto;
    escolha.txtArmazem = l.armazem;
    escolha.txtAfectaSTK = QStringLiteral("S+");
    // The production order shows the lots in FIFO/LIFO order but leaves the choice to the user:
    // an expired lot still in stock must not block a fresh one.
    escolha.txtIgnoraControlos = QStringLiteral("S");
    escolha.txtSomaQTY = quantidadeDaFase(l);
    escolha.VerLote(l.lote, l.dataFabrico, l.dataValidade);
    return true;
}

void MovProducao::aplicarEscolhaLote(const ExistProArmLote& escolha) {
    if (escolha.txtLote.trimmed().isEmpty())
        return;
    definirLote(escolha.txtLote.trimmed(), escolha.txtLocalizacao.trimmed(), escolha.txtDataFabrico,
                escolha.txtDataValidade, escolha.txtExiste);
}

void MovProducao::definirLote(const QString& lote, const QString& localizacao, const QString& dataFabrico,
                              const QString& dataValidade, const Currency& existencia) {
    const int r = linhaActual();
    if (r < 0)
        return;
    const int i = lvwListaNomec.tag(r).toInt();
    LinhaProducao& l = doc.linhas[size_t(i)];
    l.lote = lote;
    if (!localizacao.isEmpty())
        l.localizacao = localizacao;
    l.dataFabrico = dataFabrico;
    l.dataValidade = dataValidade;
    const Currency q = quantidadeDaFase(l);
    // What other lines of this production already take from the same lot and location is not
    // available here.
    Currency disponivel = existencia;
    for (int k = 0; k < int(doc.linhas.size()); ++k) {
        const LinhaProducao& o = doc.linhas[size_t(k)];
        if (k != i && o.mesmaOrigem(l) && quantidadeDaFase(o) > Currency())
            disponivel -= quantidadeDaFase(o);
    }
    if (disponivel > Currency() && q > Currency() && disponivel < q) {
        LinhaProducao resto = l;
        resto.lote.clear();
        resto.dataFabrico.clear();
        resto.dataValidade.clear();
        if (doc.Nova) {
            l.ordemProducao = disponivel;
            resto.ordemProducao = q - disponivel;
        } else {
            // A pending lot's copy carries only the rest of the reinforcement, nothing already consumed.
            l.acertos = disponivel;
            resto.acertos = q - disponivel;
            resto.ordemProducao = {};
        }
        doc.linhas.insert(doc.linhas.begin() + i + 1, resto);
    }
    mostrarLinhas();
    if (const int r = lvwListaNomec.linhaComTag(i); r >= 0)
        lvwListaNomec.lvw_SelectLinha(r);
}

bool MovProducao::loteProdutoAcabadoEscolhido(const QString& lote) {
    doc.LoteProdutoAcabado = lote.trimmed();
    doc.DataFabricoProdutoAcabado.clear();
    doc.DataValidadeProdutoAcabado.clear();
    if (doc.LoteProdutoAcabado.isEmpty())
        return true;
    const auto r = m_ctx.bd().primeiraLinha(
        QStringLiteral("SELECT DataFabrico, DataValidade FROM TabLotes WHERE Produto=? AND Codigo=?"),
        {doc.ProdutoAcabado, doc.LoteProdutoAcabado});
    if (!r) {
        doc.LoteProdutoAcabado.clear();
        recusar(QStringLiteral("Lote Inexistente para este Produto"), Campo::LotePA);
        return false;
    }
    doc.DataFabricoProdutoAcabado = r->at(0).toString();
    doc.DataValidadeProdutoAcabado = r->at(1).toString();
    return true;
}

bool MovProducao::localizacaoProdutoAcabadoEscolhida(const QString& localizacao) {
    CampoTabela campo;
    campo.codigo = localizacao.trimmed();
    doc.LocalizacaoProdutoAcabado.clear();
    if (campo.codigo.isEmpty())
        return true;
    if (!PesquisaTabelas(m_ctx, m_ui).Localizacoes(campo, false))
        return m_foco = Campo::LocalizacaoPA, false;
    doc.LocalizacaoProdutoAcabado = campo.codigo.trimmed();
    return true;
}

bool MovProducao::cmdExecutarLote_Click() {
    if (m_estado != Estado::Linhas || doc.linhas.empty())
        return false;
    if (doc.Situacao == SituacaoEncerrada) {
        recusar(QStringLiteral("O lote %1 já está encerrado.").arg(doc.Lote), Campo::Lote,
                UserInteraction::Icone::Exclamacao);
        return false;
    }
    // A new lot's date was checked when its lines were loaded, and cannot change since; a lot read
    // back was never checked.
    if (!doc.Nova && !ValidaPeriodoAberto(m_ctx, m_ui, doc.Data, m_ctx.armazem, true))
        return m_foco = Campo::Lote, false;
    const VerificacaoLote v = VerificaExecutarLote(m_ctx, doc);
    if (!v.ok) {
        if (const int r = v.linha >= 0 ? lvwListaNomec.linhaComTag(v.linha) : -1; r >= 0)
            lvwListaNomec.lvw_SelectLinha(r);
        recusar(v.mensagem, Campo::Lista, v.icone, v.titulo);
        return false;
    }
    m_estado = Estado::Execucao;
    m_foco = Campo::Nenhum;
    Analise();
    return true;
}

QString MovProducao::fraExecucaoCaption() const {
    return QStringLiteral("Execução do Lote para o produto %1").arg(doc.ProdutoAcabado);
}

void MovProducao::Analise() {
    const AnaliseProducao a = AnalisaProducao(m_ctx, doc, chkApenasControlo);
    doc.Capacidade = a.capacidade;
    doc.CustoUnitario = a.custoUnitario;
    lvwInsuficientes.limparLinhas();
    for (const auto& [codigo, descricao] : a.insuficientes) {
        const int r = lvwInsuficientes.lvw_AddLinha();
        lvwInsuficientes.lvw_PutValue(r, QStringLiteral("Codigo"), codigo);
        lvwInsuficientes.lvw_PutValue(r, QStringLiteral("Descricao"), descricao);
    }
    if (doc.ControlaQuantidade && !a.insuficientes.isEmpty())
        m_ui.mensagem(QStringLiteral("Não tem stock suficiente para gerar as quantidades pretendidas."),
                      UserInteraction::Icone::Critico, TituloAtencao);
}

void MovProducao::cmdImpConfer_Click() {
    if (!m_ui.pergunta(QStringLiteral("Confirma a Impressão de Doc. Conferência")))
        return;
    if (const auto folha = LerFolhaLote(m_ctx, doc.Lote); !folha) {
        m_ui.mensagem(folha.mensagem().isEmpty() ? MensagemLoteEmAberto : folha.mensagem(),
                      UserInteraction::Icone::Exclamacao);
        return;
    }
    if (imprimirFolha)
        imprimirFolha(doc.Lote);
}

bool MovProducao::cmdProcessar_Click() {
    if (m_aLancar || m_estado != Estado::Execucao)
        return false;
    if (m_paComLote && doc.Nova) {
        if (doc.LocalizacaoProdutoAcabado.trimmed().isEmpty())
            return m_foco = Campo::LocalizacaoPA, false;
        if (doc.LoteProdutoAcabado.trimmed().isEmpty())
            return m_foco = Campo::LotePA, false;
    }
    if (doc.Nova && !pedirUnidadeAlternativa())
        return false;
    const auto fase = EscolheFaseProducao(m_ctx, m_ui, doc);
    if (!fase)
        return false;
    m_aLancar = true;
    m_resultado = {};
    // A split rest brought down to 0 has no batch and would be refused by the stock posting; the
    // raw material keeps its other line, so nothing is lost by leaving it out.
    const std::vector<LinhaProducao> guardadas = doc.linhas;
    if (doc.Nova)
        std::erase_if(doc.linhas, [&](const LinhaProducao& l) {
            if (!l.ordemProducao.isZero() || !l.lote.trimmed().isEmpty())
                return false;
            return std::count_if(guardadas.begin(), guardadas.end(),
                                 [&](const LinhaProducao& o) { return o.produto == l.produto; }) > 1;
        });
    const auto lancado = LancaProducao(m_ctx, doc, *fase);
    m_aLancar = false;
    if (!lancado) {
        doc.linhas = guardadas;
        m_ui.mensagem(lancado.mensagem(), UserInteraction::Icone::Exclamacao);
        return false;
    }
    m_resultado = *lancado;
    if (m_resultado.actualizaPreco &&
        m_ui.pergunta(QStringLiteral("Actualiza Preços de Venda do produto Acabado?")) &&
        actualizarPrecosVenda)
        actualizarPrecosVenda(doc.ProdutoAcabado, m_resultado.precario);
    if (m_ui.pergunta(QStringLiteral("Confirma a Impressão de Doc. Conferência"))) {
        // The sheet exists for closed lots only; a lot waiting for its adjustments has none yet.
        if (!m_resultado.fechado)
            m_ui.mensagem(MensagemLoteEmAberto, UserInteraction::Icone::Exclamacao);
        else if (imprimirFolha)
            imprimirFolha(m_resultado.lote);
    }
    limparProducao();
    ProximoLote();
    return true;
}

bool MovProducao::pedirUnidadeAlternativa() {
    Database& db = m_ctx.bd();
    doc.OutUniCod.clear();
    doc.OutUniQuant = {};
    if (db.scalar(QStringLiteral("SELECT OutUnidades FROM Produtos WHERE Codigo=?"), {doc.ProdutoAcabado})
            .toInt() != 1)
        return true;
    const QString titulo = QStringLiteral("Outras Unidades");
    const auto unidade =
        m_ui.pedirTexto(QStringLiteral("Unidade alternativa da entrada do produto %1 no armazém %2")
                            .arg(doc.ProdutoAcabado, doc.Armazem),
                        titulo);
    if (!unidade || unidade->trimmed().isEmpty())
        return false;
    const QString codigo = unidade->trimmed().toUpper();
    if (!db.primeiraLinha(QStringLiteral("SELECT Codigo FROM OutUnidades WHERE Codigo=?"), {codigo})) {
        m_ui.mensagem(QStringLiteral("Outra Unidade Inexistente"), UserInteraction::Icone::Exclamacao);
        return false;
    }
    const auto quant = m_ui.pedirTexto(QStringLiteral("Quantidade em %1").arg(codigo), titulo);
    if (!quant || quant->trimmed().isEmpty())
        return false;
    const Currency q = lerNumeroPT(quant->trimmed()).value_or(Currency());
    if (q <= Currency()) {
        m_ui.mensagem(QStringLiteral("Quantidade inválida: %1").arg(quant->trimmed()),
                      UserInteraction::Icone::Exclamacao);
        return false;
    }
    doc.OutUniCod = codigo;
    doc.OutUniQuant = q.rounded(qBound(0, m_ctx.casadecquantOutUni, 4), Currency::Arredondamento::MetadeAfastaDeZero);
    return true;
}

void MovProducao::cmdCancelarExecucao_Click() {
    if (m_estado == Estado::Execucao)
        m_estado = Estado::Linhas;
    lvwInsuficientes.limparLinhas();
}

void MovProducao::cmdCancelar_Click() {
    limparProducao();
    ProximoLote();
}

#include "production/ProcessosProducao.h"

#include "company/GlobalContext.h"
#include "company/PeriodoAberto.h"
#include "controls/FormatoNumero.h"
#include "db/Database.h"
#include "lookups/PesquisaTabelas.h"
#include "production/ExistProArmLote.h"
#include "production/FormatoQuantidade.h"
#include "production/Lotes.h"
#include "production/NomenclaturaDados.h"

using Icone = UserInteraction::Icone;

namespace {

// The row of the list's selected line, found by the record number the line carries.
template <class Elemento>
std::optional<Elemento> registoSeleccionado(const ListaDados& lista, const std::vector<Elemento>& registos) {
    const int l = lista.linhaSeleccionada();
    if (l < 0)
        return std::nullopt;
    const qint64 id = lista.id(l);
    for (const Elemento& r : registos)
        if (r.numRegisto == id)
            return r;
    return std::nullopt;
}

const QStringList BotoesNaoSim{QStringLiteral("&Não"), QStringLiteral("&Sim")};
constexpr auto Metade = Currency::Arredondamento::MetadeAfastaDeZero;

QString dataIso(const QDate& d) { return d.isValid() ? d.toString(Qt::ISODate) : QString(); }
QDate dataDeIso(const QString& t) { return QDate::fromString(t.trimmed(), Qt::ISODate); }

// The server's day: every workstation then dates alike.
QDate hojeServidor(Database& db) {
    const QDate d = db.agoraServidor().date();
    return d.isValid() ? d : QDate::currentDate();
}

// A caption may not carry the layout's separators.
QString tituloDimensao(const GlobalContext& ctx, int i) {
    QString nome = ctx.NomesDimensoes[size_t(i)];
    nome.remove(u',').remove(u'/');
    return nome.trimmed().isEmpty() ? QStringLiteral("Ref. %1").arg(i) : nome;
}

// Products a process may take: no measurement templates (a blank flag is no flag).
FiltroSQL filtroProdutosProcesso() {
    FiltroSQL f;
    f.e(QStringLiteral("COALESCE(Medic,'')<>?"), {QStringLiteral("1")});
    return f;
}

// The balance as the user reads it: as many decimals as it has.
QString quantidadeVisivel(const Currency& q) { return formatarNumeroPT(q, q.casasDecimais()); }

} // namespace

// ---------------------------------------------------------------- list

const QString MovProducao_Processo::LayoutLista = QStringLiteral(
    "Nº Registo,0,,,NumRegisto/Nº Processo,1400,,,Processo/Descrição,5600,,,Descricao/"
    "Dt Início,1100,C,DATA,DataInicio/Dt Prevista,1100,C,DATA,DataPrevista/"
    "Dt Encerramento,1100,C,DATA,DataEncerramento/");

const QString MovProducao_Processo::OpcoesEstado = QStringLiteral(
    "C:Ver apenas processos em curso;E:Ver apenas processos encerrados;:Ver todos os processos;");

MovProducao_Processo::MovProducao_Processo(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    lvwLista.Cria_lvwLISTA(LayoutLista);
}

QString MovProducao_Processo::Titulo() { return QStringLiteral("Processos para Produção"); }

Database& MovProducao_Processo::bd() const { return m_ctx.bd(); }

void MovProducao_Processo::Abrir() {
    const QDate hoje = hojeServidor(bd());
    txtDataInicial = QDate(hoje.year(), hoje.month(), 1);
    Carregar();
}

bool MovProducao_Processo::Carregar() {
    FiltroProcessos f;
    f.estado = optEstado.trimmed().toUpper();
    f.codigo = txtProcesso.codigo.trimmed();
    f.descricao = txtDescricao.trimmed();
    f.de = dataIso(txtDataInicial);
    f.ate = dataIso(txtDataFinal);
    const auto lidos = ListarProcessos(bd(), f);
    if (!lidos) {
        m_ui.mensagem(lidos.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    const auto antes = seleccionado();
    m_processos = *lidos;
    lvwLista.limparLinhas();
    for (const ProcessoProducao& p : m_processos) {
        const int l = lvwLista.lvw_AddLinha();
        lvwLista.setId(l, p.numRegisto);
        lvwLista.lvw_PutValue(l, QStringLiteral("NumRegisto"), QString::number(p.numRegisto));
        lvwLista.lvw_PutValue(l, QStringLiteral("Processo"), p.processo);
        lvwLista.lvw_PutValue(l, QStringLiteral("Descricao"), p.descricao);
        lvwLista.lvw_PutValue(l, QStringLiteral("DATA_DataInicio"), dataDeIso(p.dataInicio));
        lvwLista.lvw_PutValue(l, QStringLiteral("DATA_DataPrevista"), dataDeIso(p.dataPrevista));
        lvwLista.lvw_PutValue(l, QStringLiteral("DATA_DataEncerramento"), dataDeIso(p.dataEncerramento));
    }
    // A reload keeps the user's order and row.
    if (lvwLista.colunaOrdenada() >= 0)
        lvwLista.ordenar(lvwLista.colunaOrdenada(), lvwLista.ordemDescendente());
    if (antes)
        lvwLista.lvw_SelectLinha(lvwLista.linhaDoId(antes->numRegisto));
    return true;
}

bool MovProducao_Processo::processoSaiu() {
    if (txtProcesso.codigo.trimmed().isEmpty()) {
        txtProcesso.limpar();
        return true;
    }
    return pesquisaTabelas(m_ctx, m_ui).Prod_Processos(txtProcesso, false);
}

bool MovProducao_Processo::pesquisarProcesso() { return pesquisaTabelas(m_ctx, m_ui).Prod_Processos(txtProcesso, true); }

std::optional<ProcessoProducao> MovProducao_Processo::seleccionado() const {
    return registoSeleccionado(lvwLista, m_processos);
}

bool MovProducao_Processo::eliminar() {
    const auto p = seleccionado();
    if (!p)
        return false;
    const bool comStock =
        m_ui.caixaBotoes(QStringLiteral("Eliminar os movimentos gerados em stock?") + QStringLiteral("\r\n\r\n") +
                             QStringLiteral("(matérias primas e produtos acabados)"),
                         Titulo(), BotoesNaoSim, Icone::Pergunta) == 1;
    if (m_ui.caixaBotoes(QStringLiteral("Confirma a eliminação do Processo?"), Titulo(), BotoesNaoSim, Icone::Pergunta) != 1)
        return false;
    if (const auto r = EliminarProcesso(m_ctx, p->processo, comStock); !r) {
        m_ui.mensagem(r.mensagem(), Icone::Critico, Titulo());
        Carregar();
        return false;
    }
    Carregar();
    return true;
}

bool MovProducao_Processo::podeAbrirMovimentos() {
    if (!seleccionado())
        return false;
    if (const auto r = VerificaConfigProcessos(bd()); !r) {
        m_ui.mensagem(r.mensagem(), Icone::Exclamacao, Titulo());
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- header

MovProducao_Processo_INS::MovProducao_Processo_INS(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}

QString MovProducao_Processo_INS::Titulo() { return QStringLiteral("Manutenção do Processo para Produção"); }

bool MovProducao_Processo_INS::Abrir(QChar modo, qint64 numRegisto) {
    m_modo = modo == u'A' ? u'A' : u'N';
    m_foco = Foco::Nenhum;
    m_processo = ProcessoProducao();
    if (m_modo == u'N') {
        mostrarProcesso();
        txtDataInicio = hojeServidor(m_ctx.bd());
        return true;
    }
    const auto lido = LerProcessoPorRegisto(m_ctx.bd(), numRegisto);
    if (!lido || !*lido) {
        m_ui.mensagem(lido ? QStringLiteral("Processo inexistente.") : lido.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    m_processo = **lido;
    mostrarProcesso();
    return true;
}

void MovProducao_Processo_INS::mostrarProcesso() {
    txtProcesso = m_processo.processo;
    txtDescricao = m_processo.descricao;
    txtDescricaoExtensa = m_processo.descricaoExtensa;
    txtDataInicio = dataDeIso(m_processo.dataInicio);
    txtDataPrevista = dataDeIso(m_processo.dataPrevista);
}

void MovProducao_Processo_INS::proximoProcesso() {
    if (processoEditavel())
        txtProcesso = ProximoProcesso(m_ctx);
}

bool MovProducao_Processo_INS::gravar() {
    m_foco = Foco::Nenhum;
    const bool novo = m_modo == u'N';
    ProcessoProducao p = m_processo;
    // A change keeps its code whatever the field holds.
    p.processo = novo ? txtProcesso.trimmed() : m_processo.processo;
    p.descricao = txtDescricao.trimmed();
    p.descricaoExtensa = txtDescricaoExtensa;
    p.dataInicio = dataIso(txtDataInicio);
    p.dataPrevista = dataIso(txtDataPrevista);
    const auto r = GravarProcesso(m_ctx, p, novo);
    if (!r) {
        const QString& c = r.campo();
        m_foco = c == QStringLiteral("txtProcesso")           ? Foco::Processo
                 : c == QStringLiteral("txtDescricao")        ? Foco::Descricao
                 : c == QStringLiteral("txtDescricaoExtensa") ? Foco::DescricaoExtensa
                 : c == QStringLiteral("txtDataInicio")       ? Foco::DataInicio
                 : c == QStringLiteral("txtDataPrevista")     ? Foco::DataPrevista
                                                              : Foco::Nenhum;
        m_ui.mensagem(r.mensagem(), m_foco == Foco::Nenhum ? Icone::Critico : Icone::Exclamacao, Titulo());
        return false;
    }
    m_processo = *r;
    m_modo = u'A'; // saved once, the next save is a change
    mostrarProcesso();
    return true;
}

QString MovProducao_Processo_INS::textoEncerramento() const {
    if (!m_processo.encerrado())
        return {};
    return QStringLiteral("Encerrado em %1 (%2 %3)")
        .arg(DataVisivel(m_processo.dataEncerramento), m_processo.tipoEncerramento, m_processo.numeroEncerramento);
}

QString MovProducao_Processo_INS::textoDocumentos(const std::vector<DocumentoProducao>& docs) {
    QStringList linhas{QStringLiteral("Documentos que vão ser eliminados:")};
    for (const DocumentoProducao& d : docs)
        linhas << QStringLiteral("%1 %2   %3").arg(d.tipo, d.numero, DataVisivel(d.data));
    return linhas.join(QStringLiteral("\r\n"));
}

bool MovProducao_Processo_INS::reabrir() {
    if (!reabrirVisivel())
        return false;
    m_ui.mensagem(QStringLiteral("Os Movimentos gerados no Histórico de Produtos (produtos acabados), irão ser eliminados."),
                  Icone::Informacao, QStringLiteral("ATENÇÃO"));
    const auto docs = DocumentosEncerramento(m_ctx.bd(), m_processo.processo);
    if (!docs) {
        m_ui.mensagem(docs.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    if (!docs->empty()) {
        if (mostrarDocumentos)
            mostrarDocumentos(*docs);
        else
            m_ui.mensagem(textoDocumentos(*docs), Icone::Informacao, QStringLiteral("Documentos a eliminar"));
    }
    if (m_ui.caixaBotoes(QStringLiteral("Confirma a Abertura do Processo?"), Titulo(), BotoesNaoSim, Icone::Pergunta) != 1)
        return false;
    const auto r = ReabrirProcesso(m_ctx, m_processo.processo);
    if (!r) {
        m_ui.mensagem(r.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    if (const auto lido = LerProcessoPorRegisto(m_ctx.bd(), m_processo.numRegisto); lido && *lido)
        m_processo = **lido;
    else
        m_processo.dataEncerramento.clear();
    mostrarProcesso();
    m_ui.mensagem(QStringLiteral("Processo foi Aberto com sucesso."), Icone::Informacao, Titulo());
    return true;
}

// ---------------------------------------------------------------- movements

MovProducao_Processo_MOV::MovProducao_Processo_MOV(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    lvwLista.Cria_lvwLISTA(layoutLista());
    lvwLista.setCasasDecimais(TipoDadoColuna::ValorQ, qBound(0, m_ctx.casasdecProducao, 4));
    lvwLista.setCasasDecimais(TipoDadoColuna::ValorP, 4);
}

QString MovProducao_Processo_MOV::Titulo() { return QStringLiteral("Movimentos no Processo para Produção"); }

Database& MovProducao_Processo_MOV::bd() const { return m_ctx.bd(); }

QString MovProducao_Processo_MOV::layoutLista() const {
    QString l = QStringLiteral(
        "Nº Registo,0,,,NumRegisto/Data,1000,C,DATA,Data/Produto,1650,,,Produto/Descrição,2600,,,Descricao/"
        "Quantidade,1000,D,VALOR_Q,Quantidade/Unidade,700,C,,Unidade/Preço,1000,D,VALOR_P,Preco/"
        "Armazém,700,C,,Armazem/Localização,700,C,,Localizacao/Lote,800,C,,Lote/");
    for (int i = 1; i <= 7; ++i)
        l += tituloDimensao(m_ctx, i) + QStringLiteral(",800,,,Ref%1/").arg(i);
    return l + QStringLiteral("Fornecedor,1100,,,Fornece/");
}

bool MovProducao_Processo_MOV::Abrir(const QString& processo) {
    m_inexistente = false;
    m_foco = Foco::Nenhum;
    const auto lido = LerProcesso(bd(), processo);
    if (!lido || !*lido) {
        m_ui.mensagem(lido ? QStringLiteral("Processo inexistente.") : lido.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    m_processo = **lido;
    txtData = hojeServidor(bd());
    txtArmazem.limpar();
    txtArmazem.codigo = m_ctx.armazem;
    LimpaCampos();
    return CarregarProdutos();
}

bool MovProducao_Processo_MOV::CarregarProdutos() {
    const auto lidos = MovimentosProcesso(bd(), m_processo.processo);
    if (!lidos) {
        m_ui.mensagem(lidos.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    m_movimentos = *lidos;
    lvwLista.limparLinhas();
    for (const MovimentoProcesso& m : m_movimentos) {
        const int l = lvwLista.lvw_AddLinha();
        lvwLista.setId(l, m.numRegisto);
        lvwLista.lvw_PutValue(l, QStringLiteral("NumRegisto"), QString::number(m.numRegisto));
        lvwLista.lvw_PutValue(l, QStringLiteral("DATA_Data"), dataDeIso(m.data));
        lvwLista.lvw_PutValue(l, QStringLiteral("Produto"), m.produto);
        lvwLista.lvw_PutValue(l, QStringLiteral("Descricao"), m.descricao);
        lvwLista.lvw_PutValue(l, QStringLiteral("VALORQQuantidade"), m.quantidade);
        lvwLista.lvw_PutValue(l, QStringLiteral("Unidade"), m.unidade);
        lvwLista.lvw_PutValue(l, QStringLiteral("VALORPPreco"), m.preco);
        lvwLista.lvw_PutValue(l, QStringLiteral("Armazem"), m.armazem);
        lvwLista.lvw_PutValue(l, QStringLiteral("Localizacao"), m.localizacao);
        lvwLista.lvw_PutValue(l, QStringLiteral("Lote"), m.lote);
        for (int i = 0; i < 7; ++i)
            lvwLista.lvw_PutValue(l, QStringLiteral("Ref%1").arg(i + 1), m.referencias[size_t(i)]);
        lvwLista.lvw_PutValue(l, QStringLiteral("Fornece"), m.fornece);
    }
    return true;
}

void MovProducao_Processo_MOV::LimpaCampos() {
    txtProduto.limpar();
    txtLote.limpar();
    txtDescricao.clear();
    txtLocalizacao.clear();
    txtObserva.clear();
    txtFornece.clear();
    txtReferencias = {};
    txtQuantidade = txtPreco = Currency();
    m_produtoValidado.clear();
    m_unidade.clear();
    m_diverso = m_comLote = false;
}

void MovProducao_Processo_MOV::lerProduto() {
    const QString produto = txtProduto.codigo.trimmed();
    const auto p = bd().primeiraLinha(
        QStringLiteral("SELECT Descricao, Lote, UnidadeVenda, Referencia, OutUnidades FROM Produtos WHERE Codigo=?"),
        {produto});
    m_produtoValidado = produto;
    m_diverso = ProdutoDiverso(m_ctx, produto);
    m_comLote = p && p->at(1).toInt() == 1;
    m_comReferencia = p && p->at(3).toString().trimmed() == QStringLiteral("1");
    m_comOutUnidades = p && p->at(4).toInt() == 1;
    m_unidade = p ? p->at(2).toString().trimmed() : QString();
    if (p && (!m_diverso || txtDescricao.trimmed().isEmpty()))
        txtDescricao = p->at(0).toString();
}

bool MovProducao_Processo_MOV::produtoSaiu() {
    if (txtProduto.codigo.trimmed().isEmpty()) {
        // Only what belonged to the product goes: quantity and the rest stay as typed.
        txtProduto.limpar();
        txtLote.limpar();
        txtDescricao.clear();
        m_produtoValidado.clear();
        m_unidade.clear();
        m_diverso = m_comLote = m_comReferencia = m_comOutUnidades = false;
        return false;
    }
    const QString antes = m_produtoValidado;
    if (!pesquisaTabelas(m_ctx, m_ui).Produtos(txtProduto, false, filtroProdutosProcesso())) {
        m_produtoValidado.clear();
        m_foco = Foco::Produto;
        return false;
    }
    if (txtProduto.codigo.trimmed() != antes) {
        // Another product: the description and price are its own.
        txtDescricao.clear();
        txtLote.limpar();
        lerProduto();
        txtPreco = PrecoMovimentoProcesso(m_ctx, m_produtoValidado).valorOu(Currency());
    }
    if (txtArmazem.codigo.trimmed().isEmpty())
        txtArmazem.codigo = m_ctx.armazem;
    return true;
}

bool MovProducao_Processo_MOV::pesquisarProduto() {
    if (!pesquisaTabelas(m_ctx, m_ui).Produtos(txtProduto, true, filtroProdutosProcesso()))
        return false;
    return produtoSaiu();
}

bool MovProducao_Processo_MOV::armazemSaiu() {
    if (txtArmazem.codigo.trimmed().isEmpty())
        return false;
    return pesquisaTabelas(m_ctx, m_ui).Armazens(txtArmazem, false);
}

bool MovProducao_Processo_MOV::pesquisarArmazem() { return pesquisaTabelas(m_ctx, m_ui).Armazens(txtArmazem, true); }

bool MovProducao_Processo_MOV::recusar(const QString& texto, Foco foco) {
    m_foco = foco;
    m_ui.mensagem(texto, Icone::Exclamacao, Titulo());
    return false;
}

void MovProducao_Processo_MOV::mostrarFalha(const Falha& f, Icone icone) {
    const QString& c = f.campo;
    m_foco = c == QStringLiteral("txtData")          ? Foco::Data
             : c == QStringLiteral("txtProduto")     ? Foco::Produto
             : c == QStringLiteral("txtArmazem")     ? Foco::Armazem
             : c == QStringLiteral("txtQuantidade")  ? Foco::Quantidade
             : c == QStringLiteral("txtPreco")       ? Foco::Preco
             : c == QStringLiteral("txtLote")        ? Foco::Lote
             : c == QStringLiteral("txtLocalizacao") ? Foco::Localizacao
             : c.startsWith(QStringLiteral("txtReferencia")) ? Foco::Referencias
                                                             : Foco::Nenhum;
    m_ui.mensagem(f.mensagem, icone, Titulo());
    if (f.mensagem == MensagemProcessoEncerrado)
        processoMudou();
}

void MovProducao_Processo_MOV::processoMudou() {
    const auto lido = LerProcesso(bd(), m_processo.processo);
    if (lido && *lido)
        m_processo = **lido;
    else if (lido)
        m_inexistente = true;
    CarregarProdutos();
}

bool MovProducao_Processo_MOV::escolhaDoLote(const QString& afecta) {
    const QString produto = txtProduto.codigo.trimmed();
    ExistProArmLote e(m_ctx, m_ui);
    e.txtCodigo = produto;
    e.txtArmazem = txtArmazem.codigo.trimmed();
    e.txtAfectaSTK = afecta;
    e.txtSomaQTY = Currency();
    e.txtLote = txtLote.codigo.trimmed();
    if (!e.txtLote.isEmpty())
        if (const auto lote = LerLoteProduto(bd(), produto, e.txtLote).valorOu(std::nullopt)) {
            e.txtDataFabrico = lote->dataFabrico;
            e.txtDataValidade = lote->dataValidade;
        }
    if (escolherLote) {
        escolherLote(e);
    } else {
        const QString lote = e.txtLote, fabrico = e.txtDataFabrico, validade = e.txtDataValidade;
        e.VerLote(lote, fabrico, validade);
        if (!e.seleccionarInicial())
            e.fechar();
    }
    if (e.txtLote.trimmed().isEmpty())
        return recusar(QStringLiteral("Não definiu o Lote."), Foco::Lote);
    txtLote.codigo = e.txtLote.trimmed();
    if (!e.txtLocalizacao.trimmed().isEmpty())
        txtLocalizacao = e.txtLocalizacao.trimmed();
    if (afecta == QStringLiteral("S+") && txtQuantidade > e.txtExiste &&
        m_ui.caixaBotoes(QStringLiteral("Atenção que existe(m) apenas ") + quantidadeVisivel(e.txtExiste) +
                             QStringLiteral(" unidade(s).") + QStringLiteral("\r\n") + QStringLiteral("Pretende continuar?"),
                         Titulo(), BotoesNaoSim, Icone::Pergunta) != 1) {
        m_foco = Foco::Quantidade;
        return false;
    }
    return true;
}

bool MovProducao_Processo_MOV::lancar() {
    m_foco = Foco::Nenhum;
    if (encerrado())
        return false;
    if (!txtData.isValid())
        return recusar(QStringLiteral("Não definiu a Data!"), Foco::Data);
    if (txtProduto.codigo.trimmed().isEmpty())
        return recusar(QStringLiteral("Não definiu o Produto!"), Foco::Produto);
    if (txtArmazem.codigo.trimmed().isEmpty())
        return recusar(QStringLiteral("Não definiu o Armazém!"), Foco::Armazem);
    if (txtQuantidade.isZero())
        return recusar(QStringLiteral("Não definiu a quantidade!"), Foco::Quantidade);
    if (txtPreco.isNegative())
        return recusar(QStringLiteral("preço Inválido!"), Foco::Preco);
    // Codes typed without leaving the field are checked as leaving it would.
    if (txtProduto.codigo.trimmed() != m_produtoValidado && !produtoSaiu()) {
        m_foco = Foco::Produto;
        return false;
    }
    if (!armazemSaiu()) {
        m_foco = Foco::Armazem;
        return false;
    }

    const QString afecta = txtQuantidade.isNegative() ? QStringLiteral("S-") : QStringLiteral("S+");
    if (m_ctx.Lotes != 0 && m_comLote) {
        if (!escolhaDoLote(afecta))
            return false;
    } else {
        txtLote.limpar();
    }

    if (m_comReferencia && !escolhaDaReferencia())
        return false;
    if (!outraUnidade())
        return false;

    MovimentoProcesso m;
    m.processo = m_processo.processo;
    m.outUnidade = m_outUnidade;
    m.outQuantidade = m_outQuantidade;
    m.data = dataIso(txtData);
    m.produto = txtProduto.codigo.trimmed();
    m.descricao = txtDescricao.trimmed();
    m.armazem = txtArmazem.codigo.trimmed();
    m.localizacao = txtLocalizacao.trimmed();
    m.lote = txtLote.codigo.trimmed();
    m.referencias = txtReferencias;
    m.fornece = txtFornece.trimmed();
    m.quantidade = txtQuantidade;
    m.preco = txtPreco;
    m.unidade = m_unidade;
    m.observa = txtObserva;
    if (const auto r = VerificaMovimentoProcesso(m_ctx, m); !r) {
        // The stock shortage is the one refusal told as critical.
        mostrarFalha(r.falha(), r.mensagem().startsWith(QStringLiteral("A T E N Ç Ã O")) ? Icone::Critico
                                                                                       : Icone::Exclamacao);
        return false;
    }
    txtLocalizacao = m.localizacao;
    m_unidade = m.unidade;

    const auto r = LancaMovimentoProcesso(m_ctx, m);
    if (!r) {
        Falha f = r.falha();
        if (f.mensagem.trimmed().isEmpty())
            f.mensagem = QStringLiteral("Não foi possível efectuar o lançamento.");
        mostrarFalha(f, Icone::Informacao);
        return false;
    }
    m_ultimo = *r;
    CarregarProdutos();
    lvwLista.lvw_SelectLinha(lvwLista.linhaDoId(m_ultimo.numRegisto));
    LimpaCampos();
    return true;
}

std::optional<MovimentoProcesso> MovProducao_Processo_MOV::movimentoSeleccionado() const {
    return registoSeleccionado(lvwLista, m_movimentos);
}

bool MovProducao_Processo_MOV::escolhaDaReferencia() {
    if (std::any_of(txtReferencias.begin(), txtReferencias.end(), [](const QString& r) { return !r.trimmed().isEmpty(); }) ||
        !escolherReferencia)
        return true; // typed references are checked by the posting
    const auto lista = SaldosPorReferencia(bd(), txtProduto.codigo.trimmed(), txtArmazem.codigo.trimmed());
    if (!lista) {
        mostrarFalha(lista.falha(), Icone::Critico);
        return false;
    }
    const auto escolhida = escolherReferencia(*lista);
    if (!escolhida)
        return recusar(QStringLiteral("Não definiu qualquer referência."), Foco::Referencias);
    txtReferencias = escolhida->referencias;
    if (txtFornece.trimmed().isEmpty())
        txtFornece = escolhida->fornece;
    return true;
}

bool MovProducao_Processo_MOV::outraUnidade() {
    m_outUnidade.clear();
    m_outQuantidade = Currency();
    if (!m_comOutUnidades)
        return true;
    const QString titulo = QStringLiteral("Outras Unidades");
    const auto unidade = m_ui.pedirTexto(QStringLiteral("Outra unidade do produto %1").arg(txtProduto.codigo.trimmed()),
                                         titulo, {});
    if (!unidade || unidade->trimmed().isEmpty())
        return recusar(QStringLiteral("Não definiu a Outra Unidade!"), Foco::Quantidade);
    m_outUnidade = unidade->trimmed().toUpper();
    const auto quant = m_ui.pedirTexto(QStringLiteral("Quantidade em %1").arg(m_outUnidade), titulo,
                                       txtQuantidade.abs().toShortString().replace(u'.', u','));
    if (!quant)
        return recusar(QStringLiteral("Não definiu a Outra Unidade!"), Foco::Quantidade);
    const auto q = lerNumeroPT(quant->trimmed());
    if (!q || *q <= Currency())
        return recusar(QStringLiteral("Quantidade inválida: %1").arg(quant->trimmed()), Foco::Quantidade);
    m_outQuantidade = *q;
    return true;
}

bool MovProducao_Processo_MOV::alterar() {
    m_foco = Foco::Nenhum;
    if (encerrado())
        return false;
    const auto mov = movimentoSeleccionado();
    if (!mov)
        return false;
    if (m_ui.caixaBotoes(QStringLiteral("Note que o registo alterado vai ser eliminado.") + QStringLiteral("\r\n") +
                             QStringLiteral("Confirma a alteração?"),
                         Titulo(), BotoesNaoSim, Icone::Pergunta) != 1)
        return false;
    const auto r = EliminarMovimentoProcesso(m_ctx, mov->numRegisto);
    if (!r) {
        mostrarFalha(r.falha(), Icone::Exclamacao);
        return false;
    }
    // What was removed comes back into the entry, to be posted again as changed.
    const MovimentoProcesso& m = *r;
    LimpaCampos();
    txtData = dataDeIso(m.data);
    txtProduto.codigo = m.produto;
    txtProduto.descricao = m.descricao;
    txtDescricao = m.descricao;
    lerProduto();
    txtArmazem.codigo = m.armazem;
    txtLote.codigo = m.lote;
    txtLocalizacao = m.localizacao;
    txtObserva = m.observa;
    txtFornece = m.fornece;
    txtReferencias = m.referencias;
    txtQuantidade = m.quantidade;
    txtPreco = m.preco;
    if (!m.unidade.isEmpty())
        m_unidade = m.unidade;
    m_foco = Foco::Quantidade;
    CarregarProdutos();
    return true;
}

bool MovProducao_Processo_MOV::eliminar() {
    m_foco = Foco::Nenhum;
    if (encerrado())
        return false;
    const auto mov = movimentoSeleccionado();
    if (!mov)
        return false;
    if (!ValidaPeriodoAberto(m_ctx, m_ui, mov->data, mov->armazem, true))
        return false;
    if (m_ui.caixaBotoes(QStringLiteral("Confirma a Eliminação?"), Titulo(), BotoesNaoSim, Icone::Pergunta) != 1)
        return false;
    if (const auto r = EliminarMovimentoProcesso(m_ctx, mov->numRegisto); !r) {
        mostrarFalha(r.falha(), Icone::Exclamacao);
        return false;
    }
    CarregarProdutos();
    return true;
}

// ---------------------------------------------------------------- analysis

MovProducao_Processo_ANAL::MovProducao_Processo_ANAL(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}

QString MovProducao_Processo_ANAL::Titulo() { return QStringLiteral("Análise do Processo"); }

QString MovProducao_Processo_ANAL::textoModo(Modo m) {
    return m == Modo::Valor ? QStringLiteral("Por Valor") : QStringLiteral("Por Quantidade");
}

int MovProducao_Processo_ANAL::casasQuantidade() const { return qBound(0, m_ctx.casasdecProducao, 4); }

bool MovProducao_Processo_ANAL::Abrir(const QString& processo) {
    Database& db = m_ctx.bd();
    const auto lido = LerProcesso(db, processo);
    if (!lido || !*lido) {
        m_ui.mensagem(lido ? QStringLiteral("Processo inexistente.") : lido.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    m_processo = **lido;
    m_simbolo = db.scalar(QStringLiteral("SELECT Simbolo FROM Cambios WHERE Codigo=?"), {m_ctx.cambiodef}).toString().trimmed();
    return CarregarProdutos();
}

bool MovProducao_Processo_ANAL::CarregarProdutos() {
    m_seleccionado = -1;
    const auto lidos = AnaliseProcesso(m_ctx.bd(), m_processo.processo);
    if (!lidos) {
        m_pontos.clear();
        m_ui.mensagem(lidos.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    m_pontos = *lidos;
    return true;
}

QString MovProducao_Processo_ANAL::titulo() const {
    QString t = QStringLiteral("Processo: %1 - %2").arg(m_processo.processo, m_processo.descricao);
    if (!m_simbolo.isEmpty())
        t += QStringLiteral("   (Valores em %1)").arg(m_simbolo);
    return t;
}

Currency MovProducao_Processo_ANAL::valorPonto(int i) const {
    if (i < 0 || i >= int(m_pontos.size()))
        return {};
    const ConsumoProcesso& p = m_pontos[size_t(i)];
    return m_modo == Modo::Valor ? p.valor : p.quantidade;
}

QString MovProducao_Processo_ANAL::rotuloPonto(int i) const {
    if (i < 0 || i >= int(m_pontos.size()))
        return {};
    const ConsumoProcesso& p = m_pontos[size_t(i)];
    return p.descricao.trimmed().isEmpty() ? p.produto : p.descricao.trimmed();
}

Currency MovProducao_Processo_ANAL::total() const {
    Currency t;
    for (int i = 0; i < int(m_pontos.size()); ++i)
        t += valorPonto(i);
    return t;
}

QString MovProducao_Processo_ANAL::lblTotal() const {
    const Currency t = total();
    if (m_modo == Modo::Valor)
        return QStringLiteral("Total: ") + formatarNumeroPT(t, qBound(0, m_ctx.casadec, 4)) +
               (m_simbolo.isEmpty() ? QString() : QStringLiteral(" ") + m_simbolo);
    return QStringLiteral("Total: ") + formatarNumeroPT(t, casasQuantidade());
}

Currency MovProducao_Processo_ANAL::peso(int i) const {
    const Currency t = total();
    if (t.isZero() || i < 0 || i >= int(m_pontos.size()))
        return {};
    // Hundredths of a percent straight from the exact amounts: one rounding only.
    const int64_t centesimas = lumoDividirArredondando(__int128(valorPonto(i).raw()) * 10000, t.raw(), Metade);
    return Currency::fromRaw(centesimas * 100);
}

void MovProducao_Processo_ANAL::seleccionarPonto(int i) {
    m_seleccionado = i >= 0 && i < int(m_pontos.size()) ? i : -1;
}

QString MovProducao_Processo_ANAL::lblSeleccionado() const {
    if (m_seleccionado < 0)
        return {};
    const ConsumoProcesso& p = m_pontos[size_t(m_seleccionado)];
    return QStringLiteral("Produto seleccionado: ") + p.produto + QStringLiteral("   Quantidade: ") +
           formatarNumeroPT(p.quantidade, casasQuantidade()) + QStringLiteral("   Peso: ") +
           formatarNumeroPT(peso(m_seleccionado), 2) + QStringLiteral(" %") + QStringLiteral("   Valor: ") +
           formatarNumeroPT(p.valor, qBound(0, m_ctx.casadec, 4));
}

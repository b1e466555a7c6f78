#include "production/EquipamentosJanelas.h"

#include "company/GlobalContext.h"
#include "db/Database.h"
#include "lookups/Imagens.h"
#include "lookups/PesquisaTabelas.h"

#include <QSqlQuery>

using Icone = UserInteraction::Icone;

namespace {

const QStringList BotoesNaoSim{QStringLiteral("&Não"), QStringLiteral("&Sim")};

QString dataIso(const QDate& d) { return d.isValid() ? d.toString(Qt::ISODate) : QString(); }
QDate dataDeIso(const QString& t) { return QDate::fromString(t.trimmed(), Qt::ISODate); }

bool passoValido(int passo) { return passo >= 0 && passo < 3; }

} // namespace

// ---------------------------------------------------------------- list

const QString TabEquipamentos::LayoutLista = QStringLiteral(
    "Nº Registo,0,,,NumRegisto/Código,1200,C,,Codigo/Descrição,3100,,,Descricao/"
    "Dt aquisição,1200,C,DATA,DataAquisicao/Dt abate-registo,1200,C,DATA,DataAbate/"
    "Dt despoluimento,1200,C,DATA,DataDespoluimento/Dt desmantelamento,1200,C,DATA,DataDesmantelamento/"
    "Dt cert. destruição,1200,C,DATA,DataCertDest/");

const QString TabEquipamentos::OpcoesEstado = QStringLiteral(
    "T:Ver Todos os equipamentos;SDAR:Apenas equipamentos sem data de abate/registo;"
    "SDDP:Apenas equipamentos sem data de despoluimento;SDDM:Apenas equipamentos sem data de desmantelamento;"
    "SDCD:Apenas equipamentos sem data de certificado de destruição;");

TabEquipamentos::TabEquipamentos(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    lvwLista.Cria_lvwLISTA(LayoutLista);
}

QString TabEquipamentos::Titulo() { return QStringLiteral("Desmantelamento de Equipamentos"); }

Database& TabEquipamentos::bd() const { return m_ctx.bd(); }

bool TabEquipamentos::Carregar() {
    FiltroEquipamentos f;
    f.codigo = txtCodigo.trimmed();
    f.descricao = txtDescricao.trimmed();
    f.estado = optEstado.trimmed().toUpper();
    const auto lidos = ListarEquipamentos(bd(), f, m_ctx.CodigoUtilizador);
    if (!lidos) {
        m_ui.mensagem(lidos.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    const auto antes = seleccionado();
    m_equipamentos = *lidos;
    lvwLista.limparLinhas();
    for (const Equipamento& e : m_equipamentos) {
        const int l = lvwLista.lvw_AddLinha();
        lvwLista.setId(l, e.numRegisto);
        lvwLista.lvw_PutValue(l, QStringLiteral("NumRegisto"), QString::number(e.numRegisto));
        lvwLista.lvw_PutValue(l, QStringLiteral("Codigo"), e.codigo);
        lvwLista.lvw_PutValue(l, QStringLiteral("Descricao"), e.descricao);
        lvwLista.lvw_PutValue(l, QStringLiteral("DATA_DataAquisicao"), dataDeIso(e.dataAquisicao));
        lvwLista.lvw_PutValue(l, QStringLiteral("DATA_DataAbate"), dataDeIso(e.dataAbate));
        lvwLista.lvw_PutValue(l, QStringLiteral("DATA_DataDespoluimento"), dataDeIso(e.dataDespoluimento));
        lvwLista.lvw_PutValue(l, QStringLiteral("DATA_DataDesmantelamento"), dataDeIso(e.dataDesmantelamento));
        lvwLista.lvw_PutValue(l, QStringLiteral("DATA_DataCertDest"), dataDeIso(e.dataCertDest));
    }
    // A reload keeps the user's order and row.
    if (lvwLista.colunaOrdenada() >= 0)
        lvwLista.ordenar(lvwLista.colunaOrdenada(), lvwLista.ordemDescendente());
    if (antes)
        lvwLista.lvw_SelectLinha(lvwLista.linhaDoId(antes->numRegisto));
    return true;
}

std::optional<Equipamento> TabEquipamentos::seleccionado() const {
    const int l = lvwLista.linhaSeleccionada();
    if (l < 0)
        return std::nullopt;
    const qint64 id = lvwLista.id(l);
    for (const Equipamento& e : m_equipamentos)
        if (e.numRegisto == id)
            return e;
    return std::nullopt;
}

bool TabEquipamentos::eliminar() {
    const auto e = seleccionado();
    if (!e)
        return false;
    const auto comProducoes = EquipamentoComProducoes(bd(), e->codigo);
    if (!comProducoes) {
        m_ui.mensagem(comProducoes.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    if (*comProducoes)
        m_ui.mensagem(QStringLiteral("Atenção que este equipamento tem processos de produção."), Icone::Informacao,
                      Titulo());
    if (m_ui.caixaBotoes(QStringLiteral("Confirma a eliminação do equipamento?"), Titulo(), BotoesNaoSim,
                         Icone::Pergunta) != 1)
        return false;
    if (const auto r = EliminarEquipamento(m_ctx, e->codigo); !r) {
        m_ui.mensagem(r.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    Carregar();
    return true;
}

// ---------------------------------------------------------------- record

const QString TabEquipamentosINS::LayoutUtilizadores = QStringLiteral(" ,300/Código,0,,,Codigo/Nome,2200,,,Nome/");

TabEquipamentosINS::TabEquipamentosINS(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    lvwUtilizadores.Cria_lvwLISTA(LayoutUtilizadores);
    lvwUtilizadores.setComVistos(true);
}

QString TabEquipamentosINS::Titulo() { return QStringLiteral("Equipamento"); }

bool TabEquipamentosINS::lerUtilizadores() {
    lvwUtilizadores.limparLinhas();
    const bool ok = m_ctx.bd().percorrer(
        QStringLiteral("SELECT NumRegisto, Codigo, Login FROM Utilizador ORDER BY Login"), {},
        [this](const QSqlQuery& q) {
            const int l = lvwUtilizadores.lvw_AddLinha();
            lvwUtilizadores.setId(l, q.value(0).toLongLong());
            lvwUtilizadores.lvw_PutValue(l, QStringLiteral("Codigo"), q.value(1).toString().trimmed());
            lvwUtilizadores.lvw_PutValue(l, QStringLiteral("Nome"), q.value(2).toString().trimmed());
        });
    if (!ok)
        m_ui.mensagem(m_ctx.bd().lastError(), Icone::Critico, Titulo());
    return ok;
}

QString TabEquipamentosINS::loginDe(const QString& codigo) const {
    const QString c = codigo.trimmed();
    if (c.isEmpty())
        return {};
    for (int l = 0; l < lvwUtilizadores.numLinhas(); ++l)
        if (lvwUtilizadores.lvw_GetValue(l, QStringLiteral("Codigo")) == c)
            return lvwUtilizadores.lvw_GetValue(l, QStringLiteral("Nome"));
    return {};
}

void TabEquipamentosINS::marcarUtilizadores(const QStringList& codigos) {
    for (int l = 0; l < lvwUtilizadores.numLinhas(); ++l)
        lvwUtilizadores.setMarcada(l, codigos.contains(lvwUtilizadores.lvw_GetValue(l, QStringLiteral("Codigo"))));
}

QStringList TabEquipamentosINS::utilizadoresMarcados() const {
    QStringList r;
    for (int l : lvwUtilizadores.linhasMarcadas())
        r << lvwUtilizadores.lvw_GetValue(l, QStringLiteral("Codigo"));
    return r;
}

bool TabEquipamentosINS::Abrir(QChar modo, qint64 numRegisto) {
    m_modo = modo == u'A' ? u'A' : u'N';
    m_foco = Foco::Nenhum;
    m_passoFoco = -1;
    m_equipamento = Equipamento();
    if (!lerUtilizadores())
        return false;
    if (m_modo == u'N') {
        const auto novo = NovoEquipamento(m_ctx.bd(), m_ctx.CodigoUtilizador);
        if (!novo) {
            m_ui.mensagem(novo.mensagem(), Icone::Critico, Titulo());
            return false;
        }
        m_equipamento = *novo;
        mostrarEquipamento();
        return true;
    }
    const auto lido = LerEquipamentoPorRegisto(m_ctx.bd(), numRegisto);
    if (!lido || !*lido) {
        m_ui.mensagem(lido ? QStringLiteral("Equipamento inexistente.") : lido.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    m_equipamento = **lido;
    mostrarEquipamento();
    return true;
}

void TabEquipamentosINS::mostrarEquipamento() {
    const Equipamento& e = m_equipamento;
    txtCodigo = e.codigo;
    txtDescricao = e.descricao;
    txtObservacao = e.observacao;
    txtDataAquisicao = dataDeIso(e.dataAquisicao);
    txtDataAbate = dataDeIso(e.dataAbate);
    txtDataDespoluimento = dataDeIso(e.dataDespoluimento);
    txtDataDesmantelamento = dataDeIso(e.dataDesmantelamento);
    txtDataCertDest = dataDeIso(e.dataCertDest);
    txtValorAquisicao = e.valorAquisicao;
    txtValorDesmantelamento = e.valorDesmantelamento;
    for (size_t i = 0; i < 3; ++i) {
        txtAvisoDias[i] = e.avisoDias[i];
        txtAvisoUtilizador[i].codigo = e.avisoUtilizador[i].trimmed();
        txtAvisoUtilizador[i].descricao = loginDe(e.avisoUtilizador[i]);
    }
    marcarUtilizadores(e.utilizadores);
}

bool TabEquipamentosINS::avisoUtilizadorSaiu(int passo) {
    if (!passoValido(passo))
        return false;
    CampoTabela& c = txtAvisoUtilizador[size_t(passo)];
    if (c.codigo.trimmed().isEmpty()) {
        c.limpar();
        return true;
    }
    return pesquisaTabelas(m_ctx, m_ui).Utilizadores(c, false);
}

bool TabEquipamentosINS::pesquisarAvisoUtilizador(int passo) {
    if (!passoValido(passo))
        return false;
    return pesquisaTabelas(m_ctx, m_ui).Utilizadores(txtAvisoUtilizador[size_t(passo)], true);
}

QString TabEquipamentosINS::lblAviso(int passo) const {
    if (!passoValido(passo))
        return {};
    const QDate d = dataDeIso(m_equipamento.aviso[size_t(passo)]);
    return d.isValid() ? d.toString(QStringLiteral("dd-MM-yyyy")) : QString();
}

bool TabEquipamentosINS::gravar() {
    m_foco = Foco::Nenhum;
    m_passoFoco = -1;
    const bool novo = m_modo == u'N';
    // A user code typed without leaving its field is checked as leaving it would.
    for (int i = 0; i < 3; ++i)
        if (!avisoUtilizadorSaiu(i)) {
            m_foco = Foco::AvisoUtilizador;
            m_passoFoco = i;
            return false;
        }
    Equipamento e = m_equipamento;
    // A change keeps its code whatever the field holds.
    e.codigo = novo ? txtCodigo.trimmed() : m_equipamento.codigo;
    e.descricao = txtDescricao.trimmed();
    e.observacao = txtObservacao;
    e.dataAquisicao = dataIso(txtDataAquisicao);
    e.dataAbate = dataIso(txtDataAbate);
    e.dataDespoluimento = dataIso(txtDataDespoluimento);
    e.dataDesmantelamento = dataIso(txtDataDesmantelamento);
    e.dataCertDest = dataIso(txtDataCertDest);
    e.valorAquisicao = txtValorAquisicao;
    e.valorDesmantelamento = txtValorDesmantelamento;
    for (size_t i = 0; i < 3; ++i) {
        e.avisoDias[i] = qMax(0, txtAvisoDias[i]);
        e.avisoUtilizador[i] = txtAvisoUtilizador[i].codigo.trimmed();
    }
    e.utilizadores = utilizadoresMarcados();
    const auto r = GravarEquipamento(m_ctx, e, novo);
    if (!r) {
        QString c = r.campo();
        if (c.startsWith(QStringLiteral("txt"), Qt::CaseInsensitive))
            c = c.mid(3);
        c = c.toLower();
        m_foco = c == QStringLiteral("codigo")                ? Foco::Codigo
                 : c == QStringLiteral("descricao")           ? Foco::Descricao
                 : c == QStringLiteral("dataaquisicao")       ? Foco::DataAquisicao
                 : c == QStringLiteral("dataabate")           ? Foco::DataAbate
                 : c == QStringLiteral("datadespoluimento")   ? Foco::DataDespoluimento
                 : c == QStringLiteral("datadesmantelamento") ? Foco::DataDesmantelamento
                 : c == QStringLiteral("datacertdest")        ? Foco::DataCertDest
                                                              : Foco::Nenhum;
        m_ui.mensagem(r.mensagem(), m_foco == Foco::Nenhum ? Icone::Critico : Icone::Exclamacao, Titulo());
        return false;
    }
    m_equipamento = *r;
    m_modo = u'A'; // saved once, the next save is a change
    // Pictures added while editing would otherwise go at the next start-up's clean-up.
    if (const auto c = ConfirmaImagens(m_ctx.bd(), QString::fromLatin1(TabelaImagens), m_equipamento.codigo, QString(),
                                       m_ctx.CodigoUtilizador);
        !c)
        m_ui.mensagem(c.mensagem(), Icone::Critico, Titulo());
    mostrarEquipamento();
    return true;
}

bool TabEquipamentosINS::podeAbrirImagens() {
    m_foco = Foco::Nenhum;
    if (codigoImagens().isEmpty()) {
        m_foco = Foco::Codigo;
        m_ui.mensagem(QStringLiteral("Não definiu o Código!"), Icone::Exclamacao, Titulo());
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- warnings

const QString TabEquipamentosAvisos::LayoutLista = QStringLiteral(
    "Nº Registo,0,,,NumRegisto/Código,1500,C,,Codigo/Descrição,3500,,,Descricao/"
    "Dt controlo,1000,C,DATA,DataControlo/Aviso,3000,,,Aviso/");

TabEquipamentosAvisos::TabEquipamentosAvisos(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    lvwLista.Cria_lvwLISTA(LayoutLista);
}

QString TabEquipamentosAvisos::Titulo() { return QStringLiteral("Avisos para equipamentos"); }

bool TabEquipamentosAvisos::Carregar(const QDate& dia) { return ler(dia, true); }

bool TabEquipamentosAvisos::actualizar() {
    if (!m_ctx.LigacaoEmpresa || !m_ctx.LigacaoEmpresa->isOpen() || m_ctx.bd().emTransaccao())
        return false;
    return ler(QDate::currentDate(), false);
}

bool TabEquipamentosAvisos::ler(const QDate& dia, bool avisar) {
    const auto lidos = AvisosEquipamentos(m_ctx.bd(), m_ctx.CodigoUtilizador, dia);
    if (!lidos) {
        if (avisar)
            m_ui.mensagem(lidos.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    // The same line stays selected across refreshes, so the user's choice survives the timer.
    const int antes = lvwLista.linhaSeleccionada();
    const QString chaveAntes = antes >= 0 ? lvwLista.lvw_GetValue(antes, QStringLiteral("Codigo")) +
                                                lvwLista.lvw_GetValue(antes, QStringLiteral("Aviso"))
                                          : QString();
    m_avisos = *lidos;
    lvwLista.limparLinhas();
    int seleccionar = -1;
    for (const AvisoEquipamento& a : m_avisos) {
        const int l = lvwLista.lvw_AddLinha();
        lvwLista.setId(l, a.numRegisto);
        lvwLista.lvw_PutValue(l, QStringLiteral("NumRegisto"), QString::number(a.numRegisto));
        lvwLista.lvw_PutValue(l, QStringLiteral("Codigo"), a.codigo);
        lvwLista.lvw_PutValue(l, QStringLiteral("Descricao"), a.descricao);
        lvwLista.lvw_PutValue(l, QStringLiteral("DATA_DataControlo"), dataDeIso(a.dataControlo));
        lvwLista.lvw_PutValue(l, QStringLiteral("Aviso"), a.aviso);
        if (!chaveAntes.isEmpty() && a.codigo + a.aviso == chaveAntes)
            seleccionar = l;
    }
    if (lvwLista.colunaOrdenada() >= 0) {
        lvwLista.ordenar(lvwLista.colunaOrdenada(), lvwLista.ordemDescendente());
        seleccionar = -1;
        for (int l = 0; l < lvwLista.numLinhas() && !chaveAntes.isEmpty(); ++l)
            if (lvwLista.lvw_GetValue(l, QStringLiteral("Codigo")) + lvwLista.lvw_GetValue(l, QStringLiteral("Aviso")) ==
                chaveAntes)
                seleccionar = l;
    }
    if (seleccionar >= 0)
        lvwLista.lvw_SelectLinha(seleccionar);
    return true;
}

qint64 TabEquipamentosAvisos::registoSeleccionado() const {
    const int l = lvwLista.linhaSeleccionada();
    return l < 0 ? 0 : lvwLista.id(l);
}

// ---------------------------------------------------------------- products obtained

const QString TabEquipamentosProdutosAcabados::LayoutLista = QStringLiteral(
    "Data,1000,C,DATA,Data/Produto,1700,,,Produto/Descrição do produto,4800,,,Descricao/Lote,1200,,,Lote/");

TabEquipamentosProdutosAcabados::TabEquipamentosProdutosAcabados(GlobalContext& ctx, UserInteraction& ui)
    : m_ctx(ctx), m_ui(ui) {
    lvwLista.Cria_lvwLISTA(LayoutLista);
}

QString TabEquipamentosProdutosAcabados::Titulo() { return QStringLiteral("Produtos resultantes do desmantelamento"); }

bool TabEquipamentosProdutosAcabados::Abrir(const QString& codigo) {
    m_codigo = codigo.trimmed();
    m_produtos.clear();
    lvwLista.limparLinhas();
    const auto lidos = ProdutosDesmantelamento(m_ctx.bd(), m_codigo);
    if (!lidos) {
        m_ui.mensagem(lidos.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    m_produtos = *lidos;
    for (size_t i = 0; i < m_produtos.size(); ++i) {
        const ProdutoDesmantelamento& p = m_produtos[i];
        const int l = lvwLista.lvw_AddLinha();
        // The row's position in the read list: sorting moves rows, the id follows them.
        lvwLista.setId(l, qint64(i));
        lvwLista.lvw_PutValue(l, QStringLiteral("DATA_Data"), dataDeIso(p.data));
        lvwLista.lvw_PutValue(l, QStringLiteral("Produto"), p.produto);
        lvwLista.lvw_PutValue(l, QStringLiteral("Descricao"), p.descricao);
        lvwLista.lvw_PutValue(l, QStringLiteral("Lote"), p.lote);
    }
    return true;
}

std::optional<ProdutoDesmantelamento> TabEquipamentosProdutosAcabados::seleccionado() const {
    const int l = lvwLista.linhaSeleccionada();
    if (l < 0)
        return std::nullopt;
    const qint64 i = lvwLista.id(l);
    if (i < 0 || i >= qint64(m_produtos.size()))
        return std::nullopt;
    return m_produtos[size_t(i)];
}

bool TabEquipamentosProdutosAcabados::podeAbrirImagens() {
    const auto p = seleccionado();
    if (!p)
        return false;
    if (p->lote.trimmed().isEmpty()) {
        m_ui.mensagem(QStringLiteral("Movimento sem lote."), Icone::Exclamacao, Titulo());
        return false;
    }
    return true;
}

#include "production/CriarLote.h"

#include "common/UserInteraction.h"
#include "lookups/PesquisaTabelas.h"
#include "lookups/UtilConfigDiv.h"
#include "production/FormatoQuantidade.h"
#include "production/Lotes.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "session/LogGeral.h"

#include <QSqlQuery>

namespace {
const QString ChaveGravar = QStringLiteral("GravarUltimoLote");
const QString ChaveLote = QStringLiteral("UltimoLote");
const QString ChaveDescricao = QStringLiteral("UltimoLote_Descricao");
const QString ChaveFabrico = QStringLiteral("UltimoLote_GDataFabrico");
const QString ChaveValidade = QStringLiteral("UltimoLote_GDataValidade");
} // namespace

CriarLote::CriarLote(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}

QString CriarLote::Titulo() { return QStringLiteral("Criação de Lotes"); }

void CriarLote::carregarDefinicoes() {
    const QVariant v = UtilConfig_Div_Retorna_var(m_ctx.bd(), m_ctx.CodigoUtilizador, NomeForm(), ChaveGravar);
    chkGravarUltimoLote = v.isValid() && v.toString().trimmed() != QStringLiteral("0") &&
                          v.toString().compare(QStringLiteral("false"), Qt::CaseInsensitive) != 0 &&
                          !v.toString().trimmed().isEmpty();
}

void CriarLote::guardarDefinicoes() {
    UtilConfig_Div_Guarda_bln(m_ctx.bd(), m_ctx.CodigoUtilizador, NomeForm(), ChaveGravar,
                              chkGravarUltimoLote ? 1 : 0);
}

void CriarLote::criar(const QString& lote, const QString& dataFabrico, const QString& dataValidade,
                            const QString& produto, const QString& tipo, const QString& terceiro,
                            const QString& descricao) {
    m_cancelado = false;
    m_foco = Campo::Nenhum;
    txtLote = lote;
    txtDataFabrico = formatarData(dataFabrico);
    txtDataValidade = formatarData(dataValidade);
    txtProduto = produto;
    txtDescricao = descricao;
    txtSaftArcNo.clear();
    produtoSaiu();
    Database& db = m_ctx.bd();
    const QString& u = m_ctx.CodigoUtilizador;
    if (chkGravarUltimoLote) {
        const QString ultimo = UtilConfig_Div_Retorna_var(db, u, NomeForm(), ChaveLote).toString();
        if (!ultimo.trimmed().isEmpty()) {
            txtLote = ultimo;
            txtDescricao = UtilConfig_Div_Retorna_var(db, u, NomeForm(), ChaveDescricao).toString();
            txtDataFabrico = formatarData(UtilConfig_Div_Retorna_var(db, u, NomeForm(), ChaveFabrico).toString());
            txtDataValidade = formatarData(UtilConfig_Div_Retorna_var(db, u, NomeForm(), ChaveValidade).toString());
        }
    }
    m_lotesDocumento.clear();
    m_mostrarLotesDocumento = !(tipo + terceiro).trimmed().isEmpty();
    if (!m_mostrarLotesDocumento)
        return;
    std::vector<LoteDocumento> lidos;
    db.percorrer(QStringLiteral("SELECT DISTINCT Lote, DataFabrico, DataValidade FROM MovProduto WHERE Tipo=? AND "
                                "Terceiro=? AND CliFor='F' AND Fechado<>'S' ORDER BY Lote, DataFabrico, DataValidade"),
                 {tipo, terceiro}, [&](const QSqlQuery& q) {
                     lidos.push_back({q.value(0).toString(), {}, q.value(1).toString(), q.value(2).toString()});
                 });
    for (LoteDocumento& l : lidos) {
        l.descricao = db.scalar(QStringLiteral("SELECT Descricao FROM TabLotes WHERE Codigo=? ORDER BY NumRegisto"),
                                {l.lote})
                          .toString();
        l.dataFabrico = DataVisivel(l.dataFabrico);
        l.dataValidade = DataVisivel(l.dataValidade);
    }
    m_lotesDocumento = std::move(lidos);
}

void CriarLote::devolver(QString& lote, QString& dataFabrico, QString& dataValidade, QString& descricao) const {
    if (m_cancelado)
        return;
    lote = txtLote;
    descricao = txtDescricao;
    dataFabrico = txtDataFabrico;
    dataValidade = txtDataValidade;
}

QString CriarLote::produtoSaiu() {
    txtDescProduto.clear();
    if (txtProduto.trimmed().isEmpty())
        return {};
    CampoTabela campo;
    campo.codigo = txtProduto;
    PesquisaTabelas pesquisa(m_ctx, m_ui);
    if (pesquisa.Produtos(campo, false)) {
        txtProduto = campo.codigo;
        txtDescProduto = campo.descricao;
    }
    return txtDescProduto;
}

QString CriarLote::formatarData(const QString& texto) {
    const QString iso = DataParaGravar(texto);
    return iso.isEmpty() ? QString() : DataVisivel(iso);
}

void CriarLote::descricaoSaiu() {
    if (txtDescricao.trimmed().isEmpty())
        txtDescricao = txtLote;
}

void CriarLote::clicarLoteDocumento(int linha) {
    if (linha < 0 || linha >= int(m_lotesDocumento.size()))
        return;
    const LoteDocumento& l = m_lotesDocumento[size_t(linha)];
    txtLote = l.lote;
    txtDescricao = l.descricao;
    txtDataFabrico = l.dataFabrico;
    txtDataValidade = l.dataValidade;
}

bool CriarLote::gravar() {
    m_foco = Campo::Nenhum;
    descricaoSaiu();
    const std::pair<Campo, const QString*> obrigatorios[] = {{Campo::Produto, &txtProduto},
                                                              {Campo::Lote, &txtLote},
                                                              {Campo::Descricao, &txtDescricao},
                                                              {Campo::DataFabrico, &txtDataFabrico},
                                                              {Campo::DataValidade, &txtDataValidade}};
    for (const auto& [campo, texto] : obrigatorios)
        if (texto->trimmed().isEmpty()) {
            m_foco = campo;
            return false;
        }
    // A lot must name a real product and real dates, or it could never be chosen again.
    if (produtoSaiu().isEmpty() &&
        !m_ctx.bd().primeiraLinha(QStringLiteral("SELECT Codigo FROM Produtos WHERE Codigo=?"), {txtProduto.trimmed()})) {
        m_ui.mensagem(QStringLiteral("Produto inexistente!"), UserInteraction::Icone::Exclamacao);
        m_foco = Campo::Produto;
        return false;
    }
    const QString fabrico = DataParaGravar(txtDataFabrico);
    const QString validade = DataParaGravar(txtDataValidade);
    if (fabrico.isEmpty() || validade.isEmpty()) {
        m_ui.mensagem(QStringLiteral("Data inválida!"), UserInteraction::Icone::Exclamacao);
        m_foco = fabrico.isEmpty() ? Campo::DataFabrico : Campo::DataValidade;
        return false;
    }
    Database& db = m_ctx.bd();
    const QString produto = txtProduto.trimmed();
    const QString lote = txtLote.trimmed();
    const auto existente = LerLoteProduto(db, produto, lote);
    if (!existente || *existente) {
        m_ui.mensagem(existente ? QStringLiteral("Lote já existente para este Produto!") : existente.mensagem(),
                      existente ? UserInteraction::Icone::Exclamacao : UserInteraction::Icone::Critico);
        m_foco = Campo::Lote;
        return false;
    }
    // The lot must agree with the dates its code already has in the ledger.
    const auto datas = VerificaDatasLote(db, produto, lote, fabrico, validade);
    if (!datas || !*datas) {
        m_ui.mensagem(datas ? MensagemDatasLote(lote) : datas.mensagem(), UserInteraction::Icone::Exclamacao);
        m_foco = Campo::Lote;
        return false;
    }
    Transaction t(db);
    LoteProduto novo;
    novo.produto = produto;
    novo.codigo = lote;
    novo.descricao = txtDescricao.trimmed();
    novo.dataFabrico = fabrico;
    novo.dataValidade = validade;
    novo.saftArcNo = txtSaftArcNo.trimmed();
    QString erro;
    bool gravado = t.ok();
    if (gravado) {
        const auto inserido = InserirLoteProduto(m_ctx, novo);
        gravado = inserido.ok();
        if (!gravado)
            erro = inserido.mensagem();
    }
    if (gravado) {
        EntradaLog e;
        e.modulo = QStringLiteral("TB");
        e.accao = QStringLiteral("N");
        e.produto = produto;
        e.descricao = QStringLiteral("Produto/lote: %1/%2").arg(produto, lote);
        gravado = LogGeral(m_ctx, e) && t.commit();
    }
    if (!gravado) {
        m_ui.mensagem(erro.isEmpty() ? db.lastError() : erro, UserInteraction::Icone::Critico);
        return false;
    }
    if (chkGravarUltimoLote) {
        const QString& u = m_ctx.CodigoUtilizador;
        UtilConfig_Div_Guarda_bln(db, u, NomeForm(), ChaveLote, lote);
        UtilConfig_Div_Guarda_bln(db, u, NomeForm(), ChaveDescricao, txtDescricao.trimmed());
        UtilConfig_Div_Guarda_bln(db, u, NomeForm(), ChaveFabrico, txtDataFabrico);
        UtilConfig_Div_Guarda_bln(db, u, NomeForm(), ChaveValidade, txtDataValidade);
    }
    txtLote = lote;
    return true;
}

void CriarLote::cancelar() {
    txtLote.clear();
    txtDescricao.clear();
    txtDataFabrico.clear();
    txtDataValidade.clear();
    m_cancelado = true;
}

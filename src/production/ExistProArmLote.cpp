#include "production/ExistProArmLote.h"

#include <QHash>

#include "common/UserInteraction.h"
#include "production/Lotes.h"
#include "stock/MovimentosStock.h"
#include "db/Database.h"
#include "company/GlobalContext.h"

#include <QSqlQuery>

ExistProArmLote::ExistProArmLote(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}

void ExistProArmLote::VerLote(const QString& lote, const QString& dataFabrico, const QString& dataValidade) {
    m_linhas.clear();
    m_actual = -1;
    m_formula = Formula::Nenhuma;
    m_controloData = 0;
    m_areaManual = false;
    m_dica.clear();
    m_titulo.clear();
    m_loteDado = lote.trimmed();
    m_fabricoDado = dataFabrico.trimmed();
    m_validadeDado = dataValidade.trimmed();
    txtLote.clear();
    txtLocalizacao.clear();
    txtDataFabrico.clear();
    txtDataValidade.clear();
    txtExiste = Currency();

    const QString produto = txtCodigo.trimmed();
    const QString armazem = txtArmazem.trimmed();
    if (produto.isEmpty() || armazem.isEmpty())
        return;
    Database& db = m_ctx.bd();
    auto p = db.primeiraLinha(QStringLiteral("SELECT Lote, FormulaLote, ControlaDataValidade_Fabrico, Descricao "
                                             "FROM Produtos WHERE Codigo=? ORDER BY NumRegisto"),
                              {produto});
    if (!p || p->at(0).toInt() == 0)
        return;
    m_descricaoProduto = p->at(3).toString();
    m_controloData = p->at(2).toInt();
    if (m_controloData != 1 && m_controloData != 2) {
        m_controloData = 0;
        return;
    }
    m_titulo = QStringLiteral("LOTES DISPONÍVEIS   Armazém: %1   Produto: %2 - %3").arg(armazem, produto, m_descricaoProduto);

    const QString colunaData =
        m_controloData == 1 ? QStringLiteral("MovProduto.DataFabrico") : QStringLiteral("MovProduto.DataValidade");
    QString ordem;
    switch (p->at(1).toInt()) {
    case 1:
        m_formula = Formula::FIFO;
        ordem = QStringLiteral(" ORDER BY %1, MovProduto.Lote").arg(colunaData);
        m_dica = QStringLiteral("Ordenado por Data do Lote (Ascendente)");
        break;
    case 2:
        m_formula = Formula::LIFO;
        ordem = QStringLiteral(" ORDER BY %1 DESC, MovProduto.Lote ASC").arg(colunaData);
        m_dica = QStringLiteral("Ordenado por Data do Lote (Descendente)");
        break;
    default:
        m_formula = Formula::Livre;
        ordem = QStringLiteral(" ORDER BY MovProduto.Lote");
        m_dica = QStringLiteral("Ordenado por Código do Lote");
        break;
    }

    const QString codigo = txtAfectaSTK.trimmed().toUpper();
    const bool mostraSemSaldo = codigo == QStringLiteral("E-") || codigo == QStringLiteral("S-");
    const QString sql =
        QStringLiteral("SELECT DISTINCT MovProduto.Armazem, MovProduto.Lote, MovProduto.DataValidade, "
                       "MovProduto.DataFabrico, MovProduto.Localizacao, TabLotes.Descricao FROM MovProduto "
                       "INNER JOIN TabLotes ON (TabLotes.Produto=MovProduto.Codigo AND TabLotes.Codigo=MovProduto.Lote "
                       "AND COALESCE(TabLotes.Bloqueado,0)=0) "
                       "WHERE MovProduto.Codigo=? AND MovProduto.Armazem=? "
                       "AND (MovProduto.AfectaStk='E+' OR MovProduto.AfectaStk='S-')") +
        ordem;
    std::vector<Linha> candidatos;
    db.percorrer(sql, {produto, armazem}, [&](const QSqlQuery& q) {
        Linha l;
        l.armazem = q.value(0).toString();
        l.lote = q.value(1).toString();
        l.dataValidade = q.value(2).toString();
        l.dataFabrico = q.value(3).toString();
        l.localizacao = q.value(4).toString();
        l.descricao = q.value(5).toString();
        l.ctrlInt = m_controloData == 1 ? l.dataFabrico : l.dataValidade;
        candidatos.push_back(l);
    });
    // All balances in one read rather than one per lot; codes compare as the database does, ignoring case.
    auto chave = [](const QString& loc, const QString& lote, const QString& fab, const QString& val) {
        return QStringList{loc, lote, fab, val}.join(QChar(0x1F)).toUpper();
    };
    QHash<QString, Currency> saldos;
    for (const SaldoLoteLocalizacao& s : SaldosPorLoteLocalizacao(db, produto, armazem).valorOu({}))
        saldos[chave(s.localizacao, s.lote, s.dataFabrico, s.dataValidade)] += s.saldo;
    for (Linha& l : candidatos) {
        l.existencia = saldos.value(chave(l.localizacao, l.lote, l.dataFabrico, l.dataValidade));
        if (mostraSemSaldo || l.existencia > Currency())
            m_linhas.push_back(l);
    }
    if (!m_linhas.empty())
        clicarLinha(0);
    // A return may bring back a lot that is not in stock yet.
    m_areaManual = codigo == QStringLiteral("S-");
}

int ExistProArmLote::linhaDoLoteDado() const {
    if (m_loteDado.isEmpty())
        return -1;
    for (size_t i = 0; i < m_linhas.size(); ++i) {
        const Linha& l = m_linhas[i];
        if (l.lote == m_loteDado && l.dataFabrico == m_fabricoDado && l.dataValidade == m_validadeDado)
            return int(i);
    }
    return -1;
}

bool ExistProArmLote::seleccionarInicial() {
    const int i = linhaDoLoteDado();
    if (i < 0)
        return false;
    clicarLinha(i);
    return seleccionar() == Resultado::Escolhido;
}

void ExistProArmLote::clicarLinha(int linha) {
    if (linha < 0 || linha >= int(m_linhas.size()))
        return;
    m_actual = linha;
    const Linha& l = m_linhas[size_t(linha)];
    txtLote = l.lote;
    txtLocalizacao = l.localizacao;
    txtDataFabrico = l.dataFabrico;
    txtDataValidade = l.dataValidade;
    txtExiste = l.existencia;
}

bool ExistProArmLote::loteDigitado(const QString& lote) {
    txtLote = lote.trimmed();
    if (txtLote.isEmpty())
        return false;
    const auto l = LerLoteProduto(m_ctx.bd(), txtCodigo.trimmed(), txtLote).valorOu(std::nullopt);
    if (!l) {
        txtDataFabrico.clear();
        txtDataValidade.clear();
        return false;
    }
    txtLote = l->codigo;
    txtDataFabrico = l->dataFabrico;
    txtDataValidade = l->dataValidade;
    return true;
}

ExistProArmLote::Resultado ExistProArmLote::seleccionar() {
    if (txtLote.trimmed().isEmpty())
        return m_areaManual ? Resultado::FocoLote : Resultado::FocoLista;
    if (txtDataFabrico.trimmed().isEmpty())
        return m_areaManual ? Resultado::FocoDataFabrico : Resultado::FocoLista;
    if (txtDataValidade.trimmed().isEmpty())
        return m_areaManual ? Resultado::FocoDataValidade : Resultado::FocoLista;
    Database& db = m_ctx.bd();
    const QString produto = txtCodigo.trimmed();
    const QString lote = txtLote.trimmed();
    const auto datas = VerificaDatasLote(db, produto, lote, txtDataFabrico.trimmed(), txtDataValidade.trimmed());
    if (!datas || !*datas) {
        m_ui.mensagem(datas ? MensagemDatasLote(lote) : datas.mensagem(),
                      datas ? UserInteraction::Icone::Exclamacao : UserInteraction::Icone::Critico);
        return Resultado::Recusado;
    }
    const QString codigo = txtAfectaSTK.trimmed().toUpper();
    if (codigo == QStringLiteral("S+")) {
        if (m_linhas.empty())
            return Resultado::FocoFechar;
        const bool controla = txtIgnoraControlos.trimmed().compare(QStringLiteral("S"), Qt::CaseInsensitive) != 0 &&
                              (m_formula == Formula::FIFO || m_formula == Formula::LIFO);
        // Every row of the first lot (one per location) is as good as the first row.
        if (controla && m_actual > 0 && m_linhas[size_t(m_actual)].lote != m_linhas.front().lote) {
            const bool fifo = m_formula == Formula::FIFO;
            m_ui.mensagem(QStringLiteral("A T E N Ç Ã O !\rEste produto está com o controlo de %1\r"
                                         "Tem que seleccionar o Lote com data mais %2")
                              .arg(fifo ? QStringLiteral("FIFO") : QStringLiteral("LIFO"),
                                   fifo ? QStringLiteral("Antiga") : QStringLiteral("Recente")),
                          UserInteraction::Icone::Exclamacao);
            return Resultado::FocoLista;
        }
    } else if (codigo == QStringLiteral("S-")) {
        const auto existente = LerLoteProduto(db, produto, lote);
        if (!existente) {
            m_ui.mensagem(existente.mensagem(), UserInteraction::Icone::Critico);
            return Resultado::Recusado;
        }
        if (!*existente) {
            LoteProduto novo;
            novo.produto = produto;
            novo.codigo = lote;
            novo.descricao = lote;
            novo.dataFabrico = txtDataFabrico.trimmed();
            novo.dataValidade = txtDataValidade.trimmed();
            novo.observa = ObservaLoteAutomatico;
            if (const auto inserido = InserirLoteProduto(m_ctx, novo); !inserido) {
                m_ui.mensagem(inserido.mensagem(), UserInteraction::Icone::Critico);
                return Resultado::Recusado;
            }
        }
    }
    return Resultado::Escolhido;
}

void ExistProArmLote::fechar() {
    txtLote.clear();
    txtDataFabrico.clear();
    txtDataValidade.clear();
}

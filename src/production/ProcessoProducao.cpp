#include "production/ProcessoProducao.h"

#include "company/ArquivoDocumentos.h"
#include "common/Arredondamento.h"
#include "company/GlobalContext.h"
#include "company/Mavo.h"
#include "company/PeriodoAberto.h"
#include "db/Database.h"
#include "production/NomenclaturaDados.h"
#include "production/NumeracaoDocumentos.h"
#include "production/ReceitaInstantanea.h"
#include "session/LogGeral.h"
#include "stock/CustoMedio.h"
#include "stock/LancaMovProduto.h"
#include "stock/MovimentosStock.h"
#include "stock/VerificacoesStock.h"

#include <QDate>
#include <QSqlQuery>
#include <QUuid>

#include <algorithm>

namespace {

namespace Col = ColMovProduto;
constexpr auto Metade = Currency::Arredondamento::MetadeAfastaDeZero;

const QString ColunasProcesso = QStringLiteral(
    "NumRegisto, Processo, Descricao, DescricaoExtensa, DataInicio, DataPrevista, COALESCE(DataEncerramento,''), "
    "COALESCE(TipoEncerramento,''), COALESCE(NumeroEncerramento,'')");

ProcessoProducao processoDe(const QSqlQuery& q) {
    ProcessoProducao p;
    p.numRegisto = q.value(0).toLongLong();
    p.processo = q.value(1).toString().trimmed();
    p.descricao = q.value(2).toString();
    p.descricaoExtensa = q.value(3).toString();
    p.dataInicio = q.value(4).toString().trimmed();
    p.dataPrevista = q.value(5).toString().trimmed();
    p.dataEncerramento = q.value(6).toString().trimmed();
    p.tipoEncerramento = q.value(7).toString().trimmed();
    p.numeroEncerramento = q.value(8).toString().trimmed();
    return p;
}

Resultado<std::optional<ProcessoProducao>> lerUmProcesso(Database& db, const QString& condicao, const QVariant& valor) {
    std::optional<ProcessoProducao> p;
    if (!db.percorrer(QStringLiteral("SELECT %1 FROM Prod_Processos WHERE %2=?").arg(ColunasProcesso, condicao), {valor},
                      [&](const QSqlQuery& q) {
                          if (!p)
                              p = processoDe(q);
                      }))
        return Falha(db.lastError());
    return p;
}

const QString ColunasMovimento = QStringLiteral(
    "NumRegisto, Processo, IdentificaMovPro, Data, Produto, ProdutoDescricao, Armazem, Localizacao, Lote, Estacao, "
    "Sexo, Referencia, Modelo, Cor, Tamanho, Comprimento, Fornece, Quantidade, Preco, ValorIliq, Unidade, Observa");

MovimentoProcesso movimentoDe(const QSqlQuery& q) {
    MovimentoProcesso m;
    m.numRegisto = q.value(0).toLongLong();
    m.processo = q.value(1).toString().trimmed();
    m.identifica = q.value(2).toString().trimmed();
    m.data = q.value(3).toString().trimmed();
    m.produto = q.value(4).toString().trimmed();
    m.descricao = q.value(5).toString();
    m.armazem = q.value(6).toString().trimmed();
    m.localizacao = q.value(7).toString().trimmed();
    m.lote = q.value(8).toString().trimmed();
    for (int i = 0; i < 7; ++i)
        m.referencias[size_t(i)] = q.value(9 + i).toString().trimmed();
    m.fornece = q.value(16).toString().trimmed();
    m.quantidade = Currency::fromVariant(q.value(17));
    m.preco = Currency::fromVariant(q.value(18));
    // A return's value counts against the process whatever sign it was stored with.
    const Currency valor = Currency::fromVariant(q.value(19)).abs();
    m.valorIliq = m.quantidade.isNegative() ? -valor : valor;
    m.unidade = q.value(20).toString().trimmed();
    m.observa = q.value(21).toString();
    return m;
}

EntradaLog entradaLog(const QString& accao, const QString& descricao) {
    EntradaLog e;
    e.modulo = QStringLiteral("TB");
    e.accao = accao;
    e.descricao = descricao;
    return e;
}

bool dataValida(const QString& data) { return QDate::fromString(data.trimmed(), Qt::ISODate).isValid(); }

Resultado<> periodoAberto(GlobalContext& ctx, const QString& data, const QString& armazem) {
    if (auto r = PeriodoEmAberto(ctx, data, armazem); !r)
        return Falha(r.mensagem().isEmpty() ? QStringLiteral("Data inválida: %1").arg(data) : r.mensagem());
    return {};
}

Resultado<ProcessoProducao> processoExistente(Database& db, const QString& processo) {
    const auto p = LerProcesso(db, processo);
    if (!p)
        return p.falha();
    if (!*p)
        return Falha(QStringLiteral("Processo inexistente: %1").arg(processo.trimmed()), QStringLiteral("txtProcesso"));
    return **p;
}

// Under the posting lock: the process must still exist and be open.
Resultado<ProcessoProducao> processoAberto(Database& db, const QString& processo) {
    const auto p = LerProcesso(db, processo);
    if (!p)
        return p.falha();
    if (!*p || (*p)->encerrado())
        return Falha(MensagemProcessoEncerrado);
    return **p;
}

// The stock rows a process wrote: its movements' and, once closed, its finished products'.
Resultado<std::vector<std::pair<QString, QString>>> linhasStock(Database& db, const QString& tabela,
                                                                const QString& processo) {
    std::vector<std::pair<QString, QString>> linhas;
    if (!db.percorrer(QStringLiteral("SELECT Produto, IdentificaMovPro FROM %1 WHERE Processo=? ORDER BY NumRegisto")
                          .arg(tabela),
                      {processo}, [&](const QSqlQuery& q) {
                          linhas.emplace_back(q.value(0).toString().trimmed(), q.value(1).toString().trimmed());
                      }))
        return Falha(db.lastError());
    return linhas;
}

// Removes stock rows by product and identifier; the products are gathered for their average cost.
bool eliminarLinhasStock(Database& db, const std::vector<std::pair<QString, QString>>& linhas, QStringList& produtos) {
    for (const auto& [produto, identifica] : linhas) {
        if (identifica.isEmpty())
            continue; // a blank identifier would match rows of other documents
        if (!db.exec(QStringLiteral("DELETE FROM MovProduto WHERE Codigo=? AND Identifica=?"), {produto, identifica}))
            return false;
        if (!produtos.contains(produto))
            produtos << produto;
    }
    return true;
}

// The run that closed the process: its LoteInstantaneo rows would otherwise list a run whose
// finished-product document is gone.
bool eliminarRunEncerramento(Database& db, const ProcessoProducao& p) {
    if (!p.encerrado())
        return true;
    QStringList runs;
    if (!db.percorrer(QStringLiteral("SELECT DISTINCT NumProcesso FROM LoteInstantaneo WHERE TipoProduto='PA' AND "
                                     "Tipo=? AND Numero=? AND Data=?"),
                      {p.tipoEncerramento, p.numeroEncerramento, p.dataEncerramento},
                      [&](const QSqlQuery& q) { runs << q.value(0).toString(); }))
        return false;
    for (const QString& run : runs)
        if (!db.exec(QStringLiteral("DELETE FROM LoteInstantaneo WHERE NumProcesso=?"), {run}))
            return false;
    return true;
}

bool recalcularCustos(Database& db, const QStringList& produtos) {
    return std::all_of(produtos.begin(), produtos.end(),
                       [&](const QString& p) { return RecalculaCustoMedioAposEliminacao(db, p); });
}

QString falhaOu(Database& db, const QString& mensagem) {
    return db.lastError().isEmpty() ? mensagem : db.lastError();
}

} // namespace

Resultado<std::vector<ProcessoProducao>> ListarProcessos(Database& db, const FiltroProcessos& f) {
    QString sql = QStringLiteral("SELECT %1 FROM Prod_Processos WHERE NumRegisto>0").arg(ColunasProcesso);
    QVariantList valores;
    if (!f.codigo.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND Processo=?");
        valores << f.codigo.trimmed();
    }
    if (!f.descricao.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND ") + db.dialect().like(QStringLiteral("Descricao"));
        valores << QStringLiteral("%%1%").arg(f.descricao.trimmed());
    }
    if (!f.de.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND DataInicio>=?");
        valores << f.de.trimmed();
    }
    if (!f.ate.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND DataInicio<=?");
        valores << f.ate.trimmed();
    }
    if (f.estado == QStringLiteral("C"))
        sql += QStringLiteral(" AND COALESCE(DataEncerramento,'')=''");
    else if (f.estado == QStringLiteral("E"))
        sql += QStringLiteral(" AND COALESCE(DataEncerramento,'')<>''");
    sql += QStringLiteral(" ORDER BY Processo");
    std::vector<ProcessoProducao> lista;
    if (!db.percorrer(sql, valores, [&](const QSqlQuery& q) { lista.push_back(processoDe(q)); }))
        return Falha(db.lastError());
    return lista;
}

Resultado<std::optional<ProcessoProducao>> LerProcesso(Database& db, const QString& processo) {
    return lerUmProcesso(db, QStringLiteral("Processo"), processo.trimmed());
}

Resultado<std::optional<ProcessoProducao>> LerProcessoPorRegisto(Database& db, qint64 numRegisto) {
    return lerUmProcesso(db, QStringLiteral("NumRegisto"), numRegisto);
}

QString ProximoProcesso(GlobalContext& ctx) {
    return Mavo(ctx).GetProximoCodigo(ctx.bd(), QStringLiteral("Prod_Processos"), QStringLiteral("Processo")).trimmed();
}

Resultado<ProcessoProducao> GravarProcesso(GlobalContext& ctx, ProcessoProducao p, bool novo) {
    Database& db = ctx.bd();
    p.processo = p.processo.trimmed();
    if (p.processo.isEmpty())
        return Falha(QStringLiteral("Não definiu o Nº do Processo!"), QStringLiteral("txtProcesso"));
    if (p.processo.size() > 10)
        return Falha(QStringLiteral("O Nº do Processo tem no máximo 10 caracteres."), QStringLiteral("txtProcesso"));
    if (p.descricao.size() > 50)
        return Falha(QStringLiteral("A descrição tem no máximo 50 caracteres."), QStringLiteral("txtDescricao"));
    for (auto [data, campo] : {std::pair{&p.dataInicio, "txtDataInicio"}, std::pair{&p.dataPrevista, "txtDataPrevista"}}) {
        *data = data->trimmed();
        if (!data->isEmpty() && !dataValida(*data))
            return Falha(QStringLiteral("Data inválida: %1").arg(*data), QString::fromLatin1(campo));
    }

    Transaction t(db);
    if (!t.ok())
        return Falha(db.lastError());
    const auto existente = LerProcesso(db, p.processo);
    if (!existente)
        return existente.falha();
    if (novo) {
        if (*existente)
            return Falha(QStringLiteral("Processo já existente!"), QStringLiteral("txtProcesso"));
        p.dataEncerramento.clear();
        p.tipoEncerramento.clear();
        p.numeroEncerramento.clear();
        p.numRegisto = db.insert(QStringLiteral("Prod_Processos"),
                                 Registo()("Processo", p.processo)("Descricao", p.descricao)(
                                     "DescricaoExtensa", p.descricaoExtensa)("DataInicio", p.dataInicio)(
                                     "DataPrevista", p.dataPrevista)("DataEncerramento", "")("TipoEncerramento", "")(
                                     "NumeroEncerramento", ""));
        if (p.numRegisto <= 0) {
            // Another workstation may have saved the same code a moment ago.
            if (const auto outro = LerProcesso(db, p.processo); outro && *outro)
                return Falha(QStringLiteral("Processo já existente!"), QStringLiteral("txtProcesso"));
            return Falha(falhaOu(db, QStringLiteral("Não foi possível gravar o processo.")));
        }
    } else {
        // The code is the key other rows use: a change keeps it and the closing columns.
        if (!*existente || (p.numRegisto > 0 && (*existente)->numRegisto != p.numRegisto))
            return Falha(QStringLiteral("Processo inexistente: %1").arg(p.processo), QStringLiteral("txtProcesso"));
        const ProcessoProducao& antes = **existente;
        if (!db.exec(QStringLiteral("UPDATE Prod_Processos SET Descricao=?, DescricaoExtensa=?, DataInicio=?, "
                                    "DataPrevista=? WHERE NumRegisto=?"),
                     {p.descricao, p.descricaoExtensa, p.dataInicio, p.dataPrevista, antes.numRegisto}))
            return Falha(db.lastError());
        p.numRegisto = antes.numRegisto;
        p.dataEncerramento = antes.dataEncerramento;
        p.tipoEncerramento = antes.tipoEncerramento;
        p.numeroEncerramento = antes.numeroEncerramento;
    }
    if (!LogGeral(ctx, entradaLog(novo ? QStringLiteral("N") : QStringLiteral("A"),
                                  QStringLiteral("Processo de Produção: %1").arg(p.processo))) ||
        !t.commit())
        return Falha(falhaOu(db, QStringLiteral("Não foi possível gravar o processo.")));
    return p;
}

Resultado<> VerificaConfigProcessos(Database& db) {
    const auto r = db.lerPrimeiraLinha(
        QStringLiteral("SELECT cliente, Processo_TipoSaida, Processo_TipoRet FROM configProd ORDER BY NumRegisto") +
        db.dialect().limite(1));
    if (!r)
        return r.falha();
    auto vazio = [&](int i) { return !*r || (**r).at(i).toString().trimmed().isEmpty(); };
    if (vazio(0))
        return Falha(QStringLiteral("Não definiu o cliente nas configurações da produção!\r\n(para apoio aos arredondamentos)"));
    if (vazio(1))
        return Falha(QStringLiteral("Não definiu o Tipo de Movimento para saídas de processos nas configurações da produção!"));
    if (vazio(2))
        return Falha(QStringLiteral("Não definiu o Tipo de Movimento para devoluções de processos nas configurações da produção!"));
    return {};
}

Resultado<std::vector<MovimentoProcesso>> MovimentosProcesso(Database& db, const QString& processo) {
    std::vector<MovimentoProcesso> lista;
    if (!db.percorrer(QStringLiteral("SELECT %1 FROM Prod_ProcessosMov WHERE Processo=? ORDER BY Data, NumRegisto")
                          .arg(ColunasMovimento),
                      {processo.trimmed()}, [&](const QSqlQuery& q) { lista.push_back(movimentoDe(q)); }))
        return Falha(db.lastError());
    return lista;
}

Resultado<std::optional<MovimentoProcesso>> LerMovimentoProcesso(Database& db, qint64 numRegisto) {
    std::optional<MovimentoProcesso> m;
    if (!db.percorrer(QStringLiteral("SELECT %1 FROM Prod_ProcessosMov WHERE NumRegisto=?").arg(ColunasMovimento),
                      {numRegisto}, [&](const QSqlQuery& q) { m = movimentoDe(q); }))
        return Falha(db.lastError());
    return m;
}

Resultado<Currency> SaldoProLanc(Database& db, const QString& processo, const QString& produto,
                                 const std::optional<QString>& lote) {
    QString sql = QStringLiteral("SELECT COALESCE(SUM(Quantidade),0) FROM Prod_ProcessosMov WHERE Processo=? AND Produto=?");
    QVariantList valores{processo.trimmed(), produto.trimmed()};
    if (lote) {
        sql += QStringLiteral(" AND COALESCE(Lote,'')=?");
        valores << lote->trimmed();
    }
    const auto v = db.lerValor(sql, valores);
    if (!v)
        return v.falha();
    return Currency::fromVariant(*v);
}

Resultado<Currency> PrecoMovimentoProcesso(GlobalContext& ctx, const QString& produto) {
    Database& db = ctx.bd();
    QString regra = precarioNormalizado(LerConfigProducao(db).precario);
    if (regra != PrecarioUPCusto && regra != PrecarioUPCompra)
        regra = PrecarioPMC;
    return PrecoProdutoPorRegra(db, produto, regra);
}

Resultado<> VerificaMovimentoProcesso(GlobalContext& ctx, MovimentoProcesso& m) {
    Database& db = ctx.bd();
    m.data = m.data.trimmed();
    m.produto = m.produto.trimmed();
    m.armazem = m.armazem.trimmed();
    m.lote = m.lote.trimmed();
    m.localizacao = m.localizacao.trimmed();
    if (m.data.isEmpty())
        return Falha(QStringLiteral("Não definiu a Data!"), QStringLiteral("txtData"));
    if (!dataValida(m.data))
        return Falha(QStringLiteral("Data inválida: %1").arg(m.data), QStringLiteral("txtData"));
    if (m.produto.isEmpty())
        return Falha(QStringLiteral("Não definiu o Produto!"), QStringLiteral("txtProduto"));
    const auto ficha = db.lerPrimeiraLinha(
        QStringLiteral("SELECT Descricao, Lote, Referencia, UnidadeVenda, OutUnidades FROM Produtos WHERE Codigo=? AND "
                       "COALESCE(Medic,'')<>'1'"),
        {m.produto});
    if (!ficha)
        return ficha.falha();
    if (!*ficha)
        return Falha(QStringLiteral("Produto inexistente ou não pode ser aplicado nesta situação: %1").arg(m.produto),
                     QStringLiteral("txtProduto"));
    const QVariantList& f = **ficha;
    const bool diverso = m.produto == ctx.proddiversos || m.produto == ctx.proddiversos2;
    if (!diverso || m.descricao.trimmed().isEmpty())
        m.descricao = f.at(0).toString();
    if (m.armazem.isEmpty())
        return Falha(QStringLiteral("Não definiu o Armazém!"), QStringLiteral("txtArmazem"));
    const auto armazem = db.lerValor(QStringLiteral("SELECT COUNT(*) FROM Armazens WHERE Codigo=?"), {m.armazem});
    if (!armazem)
        return armazem.falha();
    if (armazem->toInt() == 0)
        return Falha(QStringLiteral("Armazém inexistente: %1").arg(m.armazem), QStringLiteral("txtArmazem"));
    if (m.quantidade.isZero())
        return Falha(QStringLiteral("Não definiu a quantidade!"), QStringLiteral("txtQuantidade"));
    if (m.preco.isNegative())
        return Falha(QStringLiteral("preço Inválido!"), QStringLiteral("txtPreco"));

    const bool saida = !m.quantidade.isNegative();
    const QString afecta = saida ? QStringLiteral("S+") : QStringLiteral("S-");
    const bool comLote = ctx.Lotes != 0 && f.at(1).toInt() == 1;
    if (!comLote)
        m.lote.clear();
    if (comLote) {
        if (m.lote.isEmpty())
            return Falha(QStringLiteral("Não definiu o Lote."), QStringLiteral("txtLote"));
        const auto lote = db.lerValor(QStringLiteral("SELECT COUNT(*) FROM TabLotes WHERE Produto=? AND Codigo=?"),
                                      {m.produto, m.lote});
        if (!lote)
            return lote.falha();
        if (lote->toInt() == 0)
            return Falha(QStringLiteral("Lote inexistente: %1").arg(m.lote), QStringLiteral("txtLote"));
    }
    if (!saida) {
        // A return cannot give back more of a lot than the process took of it.
        const auto noProcesso = SaldoProLanc(db, m.processo, m.produto, m.lote);
        if (!noProcesso)
            return noProcesso.falha();
        if (m.quantidade.abs() > *noProcesso)
            return Falha(QStringLiteral("Não pode devolver mais do que o lançado neste processo!"),
                         QStringLiteral("txtQuantidade"));
    }
    const bool comReferencia = f.at(2).toString().trimmed() == QStringLiteral("1");
    if (!comReferencia) {
        m.referencias.fill(QString());
    } else {
        for (QString& r : m.referencias)
            r = r.trimmed();
        if (std::all_of(m.referencias.begin(), m.referencias.end(), [](const QString& r) { return r.isEmpty(); }))
            return Falha(QStringLiteral("Não definiu qualquer referência."), QStringLiteral("txtReferencia"));
        if (saida) {
            FiltroSaldo filtro;
            filtro.produto = m.produto;
            filtro.armazem = m.armazem;
            std::optional<QString>* dims[] = {&filtro.estacao, &filtro.sexo, &filtro.referencia, &filtro.modelo,
                                              &filtro.cor,     &filtro.tamanho, &filtro.comprimento};
            for (size_t i = 0; i < 7; ++i)
                *dims[i] = m.referencias[i];
            const auto saldo = SaldoProdutoArmazem(db, filtro);
            if (!saldo)
                return saldo.falha();
            if (*saldo <= Currency())
                return Falha(QStringLiteral("Referência sem existência."), QStringLiteral("txtReferencia"));
        }
    }
    m.outUnidade = m.outUnidade.trimmed().toUpper();
    if (f.at(4).toInt() != 1) {
        m.outUnidade.clear();
        m.outQuantidade = Currency();
    } else {
        if (m.outUnidade.isEmpty())
            return Falha(QStringLiteral("Não definiu a Outra Unidade!"), QStringLiteral("txtOutUnidade"));
        const auto unidade = db.lerValor(QStringLiteral("SELECT COUNT(*) FROM OutUnidades WHERE Codigo=?"), {m.outUnidade});
        if (!unidade)
            return unidade.falha();
        if (unidade->toInt() == 0)
            return Falha(QStringLiteral("Outra Unidade Inexistente"), QStringLiteral("txtOutUnidade"));
        if (m.outQuantidade.isNegative())
            return Falha(QStringLiteral("Quantidade inválida: %1").arg(m.outQuantidade.toShortString()),
                         QStringLiteral("txtOutUnidade"));
        if (m.outQuantidade.isZero())
            m.outQuantidade = m.quantidade.abs();
    }
    VerificacoesStock verif(ctx);
    m.unidade = f.at(3).toString().trimmed();
    QString direccao = QStringLiteral("V");
    if (!verif.ControlaUnidades(db, m.unidade, m.quantidade.abs(), m.produto, direccao, afecta, false))
        return Falha(QStringLiteral("Esta Unidade apenas permite a movimentação de quantidades unitárias."),
                     QStringLiteral("txtQuantidade"));
    if (m.localizacao.isEmpty())
        m.localizacao = verif.VerLocalizacao(db, m.produto, m.armazem, afecta, saida, m.lote, m.quantidade.abs()).trimmed();
    if (m.localizacao.isEmpty())
        return Falha(QStringLiteral("Localização não definida!"), QStringLiteral("txtLocalizacao"));
    if (saida && verif.CtrlExistenciaProduto(db, m.produto, m.armazem)) {
        FiltroSaldo filtro;
        filtro.produto = m.produto;
        filtro.armazem = m.armazem;
        const auto saldo = SaldoProdutoArmazem(db, filtro);
        if (!saldo)
            return saldo.falha();
        if (*saldo < m.quantidade)
            return Falha(QStringLiteral("A T E N Ç Ã O ! Produto sem existência para este armazém."),
                         QStringLiteral("txtQuantidade"));
    }
    return periodoAberto(ctx, m.data, m.armazem);
}

Resultado<ResultadoMovimentoProcesso> LancaMovimentoProcesso(GlobalContext& ctx, MovimentoProcesso m) {
    Database& db = ctx.bd();
    if (auto r = VerificaConfigProcessos(db); !r)
        return r.falha();
    m.processo = m.processo.trimmed();
    {
        const auto p = processoExistente(db, m.processo);
        if (!p)
            return p.falha();
        if (p->encerrado())
            return Falha(MensagemProcessoEncerrado);
    }
    if (auto r = VerificaMovimentoProcesso(ctx, m); !r)
        return r.falha();
    const bool saida = !m.quantidade.isNegative();
    const auto cfg = db.primeiraLinha(
        QStringLiteral("SELECT cliente, Processo_TipoSaida, Processo_TipoRet FROM configProd ORDER BY NumRegisto") +
        db.dialect().limite(1));
    if (!cfg)
        return Falha(falhaOu(db, QStringLiteral("Não foi possível ler as configurações da produção.")));
    const QString cliente = cfg->at(0).toString().trimmed();
    const QString tipo = cfg->at(saida ? 1 : 2).toString().trimmed();

    try {
        // Every other production posting waits here until this one ends.
        TransaccaoProducao t(db);
        if (!t.ok())
            return Falha(db.lastError());
        // Read again under the lock: another workstation may have closed the process or taken back
        // what this return counts on.
        if (auto p = processoAberto(db, m.processo); !p)
            return p.falha();
        if (!saida) {
            const auto noProcesso = SaldoProLanc(db, m.processo, m.produto, m.lote);
            if (!noProcesso)
                return noProcesso.falha();
            if (m.quantidade.abs() > *noProcesso)
                return Falha(QStringLiteral("Não pode devolver mais do que o lançado neste processo!"),
                             QStringLiteral("txtQuantidade"));
        }
        QString afecta = db.scalar(QStringLiteral("SELECT AfectaStk FROM TabTipoMov WHERE Codigo=?"), {tipo}).toString().trimmed();
        if (afecta.isEmpty())
            afecta = saida ? QStringLiteral("S+") : QStringLiteral("S-");
        const auto numero = ProximoNumTabTipoMov(db, tipo, m.data);
        if (!numero)
            return Falha(numero.mensagem() + QStringLiteral("\nCorrija a configuração de Produção."));

        ResultadoMovimentoProcesso r;
        r.documento = {tipo, *numero, m.data};
        r.identifica = QUuid::createUuid().toString().toUpper();
        const Currency quantidade = m.quantidade.abs();
        r.valor = ArredondaValor(quantidade.multiply(m.preco, Metade), ctx.clidecvalor, ctx.cliarrevalor);

        LinhaMovProduto l = LinhaDocumentoProducao(r.documento, m.data, m.produto, afecta, quantidade, m.preco,
                                                   QStringLiteral("Ref. Processo de Produção nº %1").arg(m.processo));
        l.definir(Col::CliFor, "C");
        l.definir(Col::Terceiro, cliente);
        l.definir(Col::Descricao, m.descricao.left(50));
        l.definir(Col::Armazem, m.armazem);
        l.definir(Col::Localizacao, m.localizacao);
        l.definir(Col::Lote, m.lote);
        if (!m.lote.isEmpty())
            if (const auto lote = db.primeiraLinha(
                    QStringLiteral("SELECT DataFabrico, DataValidade FROM TabLotes WHERE Produto=? AND Codigo=?"),
                    {m.produto, m.lote})) {
                l.definir(Col::DataFabrico, lote->at(0));
                l.definir(Col::DataValidade, lote->at(1));
            }
        const ColunaMovProduto referencias[] = {Col::Estacao, Col::Sexo,    Col::Referencia, Col::Modelo,
                                                Col::Cor,     Col::Tamanho, Col::Comprimento};
        for (size_t i = 0; i < m.referencias.size(); ++i)
            l.definir(referencias[i], m.referencias[i]);
        l.definir(Col::Chave, m.referencias[0] + m.referencias[1] + m.referencias[2] + m.referencias[3] +
                                  m.referencias[4] + m.referencias[5] + m.referencias[6]);
        l.definir(Col::Fornece, m.fornece);
        l.definir(Col::Unidade, m.unidade);
        if (!m.outUnidade.isEmpty()) {
            l.definir(Col::OutUniCod, m.outUnidade);
            l.definir(Col::OutUniQuant, m.outQuantidade);
        }
        l.definir(Col::ValorIliq, r.valor);
        l.definir(Col::observa, m.observa);
        l.definir(Col::Identifica, r.identifica);
        if (const auto lancado = LancaMovProduto(ctx, l); !lancado)
            return Falha(lancado.mensagem().isEmpty() ? QStringLiteral("Não foi possível efectuar o lançamento.")
                                                      : lancado.mensagem(),
                         lancado.campo());
        r.numRegisto = db.insert(
            QStringLiteral("Prod_ProcessosMov"),
            Registo()("Processo", m.processo)("IdentificaMovPro", r.identifica)("Data", m.data)("Produto", m.produto)(
                "ProdutoDescricao", m.descricao.left(50))("Armazem", m.armazem)("Localizacao", m.localizacao)(
                "Lote", m.lote)("Estacao", m.referencias[0])("Sexo", m.referencias[1])("Referencia", m.referencias[2])(
                "Modelo", m.referencias[3])("Cor", m.referencias[4])("Tamanho", m.referencias[5])(
                "Comprimento", m.referencias[6])("Fornece", m.fornece)(
                "ValorIliq", (saida ? r.valor : -r.valor).toVariant())("Quantidade", m.quantidade.toVariant())(
                "Preco", m.preco.toVariant())("Unidade", m.unidade)("Observa", m.observa));
        if (r.numRegisto <= 0 || !ActualizaUltNumero(db, tipo, *numero) || !t.commit())
            return Falha(falhaOu(db, QStringLiteral("Não foi possível efectuar o lançamento.")));
        return r;
    } catch (const EstouroMontante&) {
        return Falha(MensagemLimiteValor(m.produto, m.descricao));
    }
}

Resultado<MovimentoProcesso> EliminarMovimentoProcesso(GlobalContext& ctx, qint64 numRegisto) {
    Database& db = ctx.bd();
    const auto lido = LerMovimentoProcesso(db, numRegisto);
    if (!lido)
        return lido.falha();
    if (!*lido)
        return Falha(QStringLiteral("Movimento inexistente."));
    const MovimentoProcesso m = **lido;
    if (auto r = periodoAberto(ctx, m.data, m.armazem); !r)
        return r.falha();

    // Every other production posting waits here until this one ends.
    TransaccaoProducao t(db);
    if (!t.ok())
        return Falha(db.lastError());
    if (auto p = processoAberto(db, m.processo); !p)
        return p.falha();
    // Removing an issue must not leave the process holding a negative quantity of that lot.
    const auto noProcesso = SaldoProLanc(db, m.processo, m.produto, m.lote);
    if (!noProcesso)
        return noProcesso.falha();
    if (*noProcesso - m.quantidade < Currency())
        return Falha(QStringLiteral("Não pode eliminar este movimento: o processo ficaria com quantidade negativa "
                                    "do produto %1.")
                         .arg(m.produto));
    const auto stock = db.lerPrimeiraLinha(
        QStringLiteral("SELECT Tipo, Numero, Ano, Terceiro, Codigo, Descricao, Preco FROM MovProduto WHERE Codigo=? AND "
                       "Identifica=?"),
        {m.produto, m.identifica});
    if (!stock)
        return stock.falha();
    if (*stock) {
        const QVariantList& s = **stock;
        EntradaLog e = entradaLog(QStringLiteral("E"), s.at(5).toString());
        e.tipo = s.at(0).toString();
        e.numero = s.at(1).toString();
        e.ano = s.at(2).toString();
        e.terceiro = s.at(3).toString();
        e.produto = s.at(4).toString();
        e.valor = Currency::fromVariant(s.at(6));
        if (!LogGeral(ctx, e))
            return Falha(db.lastError());
    }
    QStringList produtos;
    if (!db.exec(QStringLiteral("DELETE FROM Prod_ProcessosMov WHERE NumRegisto=?"), {m.numRegisto}) ||
        !eliminarLinhasStock(db, {{m.produto, m.identifica}}, produtos) || !recalcularCustos(db, produtos) ||
        !t.commit())
        return Falha(falhaOu(db, QStringLiteral("Não foi possível eliminar o movimento.")));
    return m;
}

Resultado<std::vector<DocumentoProducao>> DocumentosEncerramento(Database& db, const QString& processo) {
    // One read for all the finished products' rows, each document once, in the order they were posted.
    std::vector<DocumentoProducao> docs;
    if (!db.percorrer(QStringLiteral("SELECT m.Tipo, m.Numero, m.Data FROM Prod_ProcessosProc p INNER JOIN MovProduto m "
                                     "ON m.Codigo=p.Produto AND m.Identifica=p.IdentificaMovPro WHERE p.Processo=? "
                                     "AND COALESCE(p.IdentificaMovPro,'')<>'' GROUP BY m.Tipo, m.Numero, m.Data "
                                     "ORDER BY MIN(p.NumRegisto)"),
                      {processo.trimmed()}, [&](const QSqlQuery& q) {
                          docs.push_back({q.value(0).toString().trimmed(), q.value(1).toString().trimmed(),
                                          q.value(2).toString().trimmed()});
                      }))
        return Falha(db.lastError());
    return docs;
}

Resultado<std::vector<DocumentoProducao>> ReabrirProcesso(GlobalContext& ctx, const QString& processo) {
    Database& db = ctx.bd();
    const auto lido = processoExistente(db, processo);
    if (!lido)
        return lido.falha();
    if (!lido->encerrado())
        return Falha(QStringLiteral("O processo %1 não está encerrado.").arg(lido->processo));
    if (auto r = periodoAberto(ctx, lido->dataEncerramento, ctx.armazem); !r)
        return r.falha();

    // Every other production posting waits here until this one ends.
    TransaccaoProducao t(db);
    if (!t.ok())
        return Falha(db.lastError());
    const auto again = LerProcesso(db, processo);
    if (!again)
        return again.falha();
    if (!*again || !(*again)->encerrado())
        return Falha(QStringLiteral("O processo %1 já não está encerrado.").arg(processo.trimmed()));
    const ProcessoProducao p = **again;
    const auto docs = DocumentosEncerramento(db, p.processo);
    if (!docs)
        return docs.falha();
    const auto linhas = linhasStock(db, QStringLiteral("Prod_ProcessosProc"), p.processo);
    if (!linhas)
        return linhas.falha();
    QStringList produtos;
    if (!db.exec(QStringLiteral("UPDATE Prod_Processos SET DataEncerramento='', TipoEncerramento='', "
                                "NumeroEncerramento='' WHERE Processo=?"),
                 {p.processo}) ||
        !eliminarLinhasStock(db, *linhas, produtos) || !eliminarRunEncerramento(db, p) ||
        !db.exec(QStringLiteral("DELETE FROM Prod_ProcessosProc WHERE Processo=?"), {p.processo}) ||
        !LogGeral(ctx, entradaLog(QStringLiteral("A"), QStringLiteral("Abertura do Processo de Produção: %1").arg(p.processo))) ||
        !recalcularCustos(db, produtos) || !t.commit())
        return Falha(falhaOu(db, QStringLiteral("Não foi possível abrir o processo.")));
    // The closing's filed documents go with it; the archive is another database, so this comes
    // after the commit and a company without an archive has nothing to remove.
    (void)RemoverDocumentosArquivados(ctx, QStringLiteral("PP") + p.processo.trimmed());
    return *docs;
}

Resultado<> EliminarProcesso(GlobalContext& ctx, const QString& processo, bool comStock) {
    Database& db = ctx.bd();
    const auto lido = processoExistente(db, processo);
    if (!lido)
        return lido.falha();
    const QString codigo = lido->processo;
    if (comStock) {
        // Stock rows may only go from open periods.
        const auto movimentos = MovimentosProcesso(db, codigo);
        if (!movimentos)
            return movimentos.falha();
        for (const MovimentoProcesso& m : *movimentos)
            if (auto r = periodoAberto(ctx, m.data, m.armazem); !r)
                return r.falha();
        if (lido->encerrado())
            if (auto r = periodoAberto(ctx, lido->dataEncerramento, ctx.armazem); !r)
                return r.falha();
    }

    // Every other production posting waits here until this one ends.
    TransaccaoProducao t(db);
    if (!t.ok())
        return Falha(db.lastError());
    const auto again = processoExistente(db, codigo);
    if (!again)
        return again.falha();
    QStringList produtos;
    if (comStock) {
        for (const QString& tabela : {QStringLiteral("Prod_ProcessosProc"), QStringLiteral("Prod_ProcessosMov")}) {
            const auto linhas = linhasStock(db, tabela, codigo);
            if (!linhas)
                return linhas.falha();
            if (!eliminarLinhasStock(db, *linhas, produtos))
                return Falha(db.lastError());
        }
        if (!eliminarRunEncerramento(db, *again))
            return Falha(db.lastError());
    }
    for (const QString& tabela :
         {QStringLiteral("Prod_Processos"), QStringLiteral("Prod_ProcessosProc"), QStringLiteral("Prod_ProcessosMov")})
        if (!db.exec(QStringLiteral("DELETE FROM %1 WHERE Processo=?").arg(tabela), {codigo}))
            return Falha(db.lastError());
    if (!LogGeral(ctx, entradaLog(QStringLiteral("E"), QStringLiteral("Processo de Produção: %1").arg(codigo))) ||
        !recalcularCustos(db, produtos) || !t.commit())
        return Falha(falhaOu(db, QStringLiteral("Não foi possível eliminar o processo.")));
    (void)RemoverDocumentosArquivados(ctx, QStringLiteral("PP") + codigo.trimmed());
    return {};
}

Resultado<std::vector<ConsumoProcesso>> AnaliseProcesso(Database& db, const QString& processo) {
    std::vector<ConsumoProcesso> lista;
    if (!db.percorrer(
            QStringLiteral("SELECT m.Produto, p.Descricao, m.Unidade, COALESCE(SUM(m.Quantidade),0), "
                           "COALESCE(SUM(CASE WHEN m.Quantidade<0 THEN -ABS(m.ValorIliq) ELSE ABS(m.ValorIliq) END),0) "
                           "FROM Prod_ProcessosMov m INNER JOIN Produtos p ON p.Codigo=m.Produto WHERE m.Processo=? "
                           "GROUP BY m.Produto, p.Descricao, m.Unidade ORDER BY m.Produto"),
            {processo.trimmed()}, [&](const QSqlQuery& q) {
                lista.push_back({q.value(0).toString().trimmed(), q.value(1).toString(), q.value(2).toString().trimmed(),
                                 Currency::fromVariant(q.value(3)), Currency::fromVariant(q.value(4))});
            }))
        return Falha(db.lastError());
    return lista;
}

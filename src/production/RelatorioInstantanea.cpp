#include "production/RelatorioInstantanea.h"

#include "company/GlobalContext.h"
#include "company/PeriodoAberto.h"
#include "db/Database.h"
#include "production/NumeracaoDocumentos.h"
#include "session/LogGeral.h"
#include "stock/CustoMedio.h"

#include <QSet>
#include <QSqlQuery>

namespace {

QString texto(const QSqlQuery& q, int i) { return q.value(i).toString().trimmed(); }

// Utilizadores lists user codes each followed by ";"; an empty list opens the equipment to all.
bool equipamentoDoUtilizador(const QString& utilizadores, const QString& utilizador) {
    if (utilizadores.trimmed().isEmpty())
        return true;
    const QStringList codigos = utilizadores.split(u';');
    for (const QString& c : codigos)
        if (!c.trimmed().isEmpty() && c.trimmed() == utilizador.trimmed())
            return true;
    return false;
}

} // namespace

Resultado<std::vector<LinhaRelatorioInstantanea>> LerRelatorioInstantanea(Database& db,
                                                                          const FiltroRelatorioInstantanea& f) {
    const QString de = f.de.trimmed(), ate = f.ate.trimmed(), equipamento = f.equipamento.trimmed();
    QVariantList valores;
    // The runs' dates bound the raw-material lines too: a run's documents share its date.
    QString periodoMaterias;
    if (!de.isEmpty()) {
        periodoMaterias += QStringLiteral(" AND Data>=?");
        valores << de;
    }
    if (!ate.isEmpty()) {
        periodoMaterias += QStringLiteral(" AND Data<=?");
        valores << ate;
    }
    QString onde = QStringLiteral(" WHERE l.NumRegisto>0 AND l.TipoProduto='PA'");
    if (!de.isEmpty()) {
        onde += QStringLiteral(" AND l.Data>=?");
        valores << de;
    }
    if (!ate.isEmpty()) {
        onde += QStringLiteral(" AND l.Data<=?");
        valores << ate;
    }
    if (!equipamento.isEmpty()) {
        onde += QStringLiteral(" AND l.Equipamento=?");
        valores << equipamento;
    }
    // The leading ";" makes "01;" match a whole code, never the end of "101;".
    onde += QStringLiteral(" AND (COALESCE(e.Utilizadores,'')='' OR ") +
            db.dialect().like(QStringLiteral("';' || COALESCE(e.Utilizadores,'')")) + QStringLiteral(")");
    valores << QStringLiteral("%;") + f.utilizador.trimmed() + QStringLiteral(";%");

    std::vector<LinhaRelatorioInstantanea> linhas;
    bool ok = db.percorrer(
        QStringLiteral(
            "SELECT l.NumRegisto, l.NumProcesso, l.Tipo, l.Numero, l.Data, l.Produto, p.Descricao, l.Quantidade, "
            "l.Equipamento, l.Codigo, n.Descricao, s.Tipo, s.Numero, s.Data, pp.Processo "
            "FROM LoteInstantaneo l "
            "LEFT JOIN Prod_Equipamentos e ON e.Codigo=l.Equipamento "
            "LEFT JOIN Produtos p ON p.Codigo=l.Produto "
            "LEFT JOIN (SELECT NumProcesso, MIN(NumRegisto) AS Primeira FROM LoteInstantaneo "
            "WHERE TipoProduto='MP'") +
            periodoMaterias +
            QStringLiteral(
                " GROUP BY NumProcesso) pm ON pm.NumProcesso=l.NumProcesso "
                "LEFT JOIN LoteInstantaneo s ON s.NumRegisto=pm.Primeira "
                "LEFT JOIN (SELECT Codigo, MIN(Descricao) AS Descricao FROM NomenclaturaInstantanea GROUP BY Codigo) n "
                "ON n.Codigo=l.Codigo "
                "LEFT JOIN (SELECT TipoEncerramento, NumeroEncerramento, DataEncerramento, MIN(Processo) AS Processo "
                "FROM Prod_Processos WHERE COALESCE(DataEncerramento,'')<>'' "
                "GROUP BY TipoEncerramento, NumeroEncerramento, DataEncerramento) pp "
                "ON pp.TipoEncerramento=l.Tipo AND pp.NumeroEncerramento=l.Numero AND pp.DataEncerramento=l.Data") +
            onde + QStringLiteral(" ORDER BY LENGTH(l.NumProcesso), l.NumProcesso, l.NumRegisto"),
        valores, [&](const QSqlQuery& q) {
            LinhaRelatorioInstantanea r;
            r.numRegisto = q.value(0).toLongLong();
            r.numProcesso = texto(q, 1);
            r.tipoEntrada = texto(q, 2);
            r.numeroEntrada = texto(q, 3);
            r.dataEntrada = texto(q, 4).left(10);
            r.produto = texto(q, 5);
            r.descricao = q.value(6).toString().trimmed();
            r.quantidade = Currency::fromVariant(q.value(7));
            r.equipamento = texto(q, 8);
            const QString receita = texto(q, 9);
            r.nomenclatura = receita.isEmpty() ? QString()
                                               : receita + QStringLiteral(" - ") + q.value(10).toString().trimmed();
            r.tipoSaida = texto(q, 11);
            r.numeroSaida = texto(q, 12);
            r.dataSaida = texto(q, 13).left(10);
            r.processo = texto(q, 14);
            r.tipoProcesso = r.processo.isEmpty() ? TipoProcessoInstantaneo : TipoProcessoProcessos;
            r.observacoes = r.descricao.isEmpty() ? r.produto : r.produto + QStringLiteral(" - ") + r.descricao;
            linhas.push_back(r);
        });
    if (!ok)
        return Falha(db.lastError());

    // Processes carry no equipment: a filter by equipment leaves their closings out.
    if (equipamento.isEmpty()) {
        QVariantList v;
        QString sql = QStringLiteral("SELECT NumRegisto, Processo, TipoEncerramento, NumeroEncerramento, DataEncerramento "
                                     "FROM Prod_Processos WHERE COALESCE(DataEncerramento,'')<>''");
        if (!de.isEmpty()) {
            sql += QStringLiteral(" AND DataEncerramento>=?");
            v << de;
        }
        if (!ate.isEmpty()) {
            sql += QStringLiteral(" AND DataEncerramento<=?");
            v << ate;
        }
        ok = db.percorrer(sql + QStringLiteral(" ORDER BY DataEncerramento, NumRegisto"), v, [&](const QSqlQuery& q) {
            LinhaRelatorioInstantanea r;
            r.numRegisto = q.value(0).toLongLong();
            r.processo = texto(q, 1);
            r.tipoEntrada = texto(q, 2);
            r.numeroEntrada = texto(q, 3);
            r.dataEntrada = texto(q, 4).left(10);
            r.tipoProcesso = TipoProcessoProcessos;
            r.observacoes = QStringLiteral("Ref. a ") + r.processo;
            linhas.push_back(r);
        });
        if (!ok)
            return Falha(db.lastError());
    }
    for (size_t i = 0; i < linhas.size(); ++i)
        linhas[i].ordem = int(i) + 1;
    return linhas;
}

Resultado<std::vector<DocumentoProducao>> DocumentosProcessoInstantaneo(Database& db, const QString& numProcesso) {
    std::vector<DocumentoProducao> docs;
    if (!db.percorrer(QStringLiteral("SELECT Tipo, Numero, Data, MIN(NumRegisto) FROM LoteInstantaneo WHERE NumProcesso=? "
                                     "GROUP BY Tipo, Numero, Data ORDER BY MIN(NumRegisto)"),
                      {numProcesso.trimmed()}, [&](const QSqlQuery& q) {
                          docs.push_back({texto(q, 0), texto(q, 1), texto(q, 2).left(10)});
                      }))
        return Falha(db.lastError());
    return docs;
}

Resultado<> VerificaEliminacaoInstantanea(GlobalContext& ctx, const QString& numProcesso) {
    const QString num = numProcesso.trimmed();
    if (num.isEmpty())
        return Falha(MensagemSemNumeroProcesso);
    Database& db = ctx.bd();
    struct Data {
        QString data, armazem;
    };
    std::vector<Data> datas;
    QSet<QString> vistas;
    bool existe = false, doProcesso = false, vedado = false;
    // Each line with the warehouse of its ledger row, whether it closed a process, and the users
    // of its equipment.
    const bool ok = db.percorrer(
        QStringLiteral("SELECT l.Data, COALESCE(m.Armazem,''), COALESCE(e.Utilizadores,''), "
                       "(SELECT COUNT(*) FROM Prod_Processos pp WHERE l.TipoProduto='PA' AND "
                       "pp.TipoEncerramento=l.Tipo AND pp.NumeroEncerramento=l.Numero AND pp.DataEncerramento=l.Data) "
                       "FROM LoteInstantaneo l "
                       "LEFT JOIN Prod_Equipamentos e ON e.Codigo=l.Equipamento "
                       "LEFT JOIN MovProduto m ON m.Tipo=l.Tipo AND m.Numero=l.Numero AND m.Ano=SUBSTR(l.Data,1,4) "
                       "AND m.Codigo=l.Produto "
                       "WHERE l.NumProcesso=?"),
        {num}, [&](const QSqlQuery& q) {
            existe = true;
            const Data d{texto(q, 0).left(10), texto(q, 1)};
            if (!vistas.contains(d.data + u'|' + d.armazem)) {
                vistas.insert(d.data + u'|' + d.armazem);
                datas.push_back(d);
            }
            if (!equipamentoDoUtilizador(q.value(2).toString(), ctx.CodigoUtilizador))
                vedado = true;
            if (q.value(3).toInt() > 0)
                doProcesso = true;
        });
    if (!ok)
        return Falha(db.lastError());
    if (!existe)
        return Falha(QStringLiteral("Processo inexistente: %1").arg(num));
    if (vedado)
        return Falha(QStringLiteral("O equipamento deste processo não está disponível para este utilizador."));
    if (doProcesso)
        return Falha(MensagemProcessoDeProcessos);
    for (const Data& d : datas)
        if (!PeriodoEmAberto(ctx, d.data, d.armazem.isEmpty() ? ctx.armazem : d.armazem))
            return Falha(MensagemControloDatasProcesso);
    return {};
}

Resultado<> EliminarProcessoInstantaneo(GlobalContext& ctx, const QString& numProcesso,
                                        const std::function<bool()>& aposDocumentos) {
    const QString num = numProcesso.trimmed();
    if (auto r = VerificaEliminacaoInstantanea(ctx, num); !r)
        return r;
    Database& db = ctx.bd();
    auto falha = [&]() {
        return Falha(db.lastError().isEmpty() ? QStringLiteral("Não foi possível eliminar o processo %1.").arg(num)
                                              : db.lastError());
    };
    // Every other production posting waits here until this one ends.
    TransaccaoProducao t(db);
    if (!t.ok())
        return falha();
    // Read again under the lock: another workstation may have changed it meanwhile.
    if (auto r = VerificaEliminacaoInstantanea(ctx, num); !r)
        return r;
    const auto docs = DocumentosProcessoInstantaneo(db, num);
    if (!docs)
        return docs.falha();
    QStringList produtos;
    if (!db.percorrer(QStringLiteral("SELECT DISTINCT Produto FROM LoteInstantaneo WHERE NumProcesso=?"), {num},
                      [&](const QSqlQuery& q) { produtos << texto(q, 0); }))
        return falha();
    // Only the run's own rows: its documents' type, number and year, and its products; the same
    // number of another year, or another product in the document, stays.
    if (!db.exec(QStringLiteral("DELETE FROM MovProduto WHERE EXISTS (SELECT 1 FROM LoteInstantaneo l WHERE "
                                "l.NumProcesso=? AND l.Tipo=MovProduto.Tipo AND l.Numero=MovProduto.Numero AND "
                                "SUBSTR(l.Data,1,4)=MovProduto.Ano AND l.Produto=MovProduto.Codigo)"),
                 {num}))
        return falha();
    if (aposDocumentos && !aposDocumentos())
        return falha();
    if (!db.exec(QStringLiteral("DELETE FROM LoteInstantaneo WHERE NumProcesso=?"), {num}))
        return falha();
    EntradaLog e;
    e.modulo = QStringLiteral("ST");
    e.accao = QStringLiteral("E");
    if (!docs->empty()) {
        // The entry document names the run: it is the one every run has.
        const DocumentoProducao& entrada = docs->back();
        e.tipo = entrada.tipo;
        e.numero = entrada.numero;
        e.ano = entrada.data.left(4);
    }
    e.descricao = QStringLiteral("Processo de Produção Instantânea nº %1").arg(num);
    if (!LogGeral(ctx, e))
        return falha();
    for (const QString& p : produtos)
        if (!RecalculaCustoMedioAposEliminacao(db, p))
            return falha();
    if (!t.commit())
        return falha();
    return {};
}

Currency QuantidadeEtiquetasInstantanea(const Currency& quantidade, const Currency& factor) {
    // Any fraction of a label is one more label.
    const Currency q = factor > Currency() ? quantidade.multiply(factor, Currency::Arredondamento::AfastaDeZero)
                                           : quantidade;
    return q.rounded(0, Currency::Arredondamento::AfastaDeZero);
}

Resultado<EtiquetasInstantanea> LerEtiquetasInstantanea(Database& db, const LinhaRelatorioInstantanea& l) {
    if (l.numProcesso.isEmpty() || l.produto.isEmpty())
        return Falha(QStringLiteral("Este registo não tem produto acabado."));
    EtiquetasInstantanea r;
    r.produto = l.produto;
    r.descricao = l.descricao;
    r.quantidade = l.quantidade;
    const auto p = db.primeiraLinha(
        QStringLiteral("SELECT Descricao, COALESCE(QtyConverteEtiquetas,0) FROM Produtos WHERE Codigo=?"), {l.produto});
    if (!p)
        return Falha(db.lastError().isEmpty() ? QStringLiteral("Produto inexistente: %1").arg(l.produto)
                                              : db.lastError());
    r.descricao = p->at(0).toString().trimmed();
    r.factor = Currency::fromVariant(p->at(1));
    // The run's stock line of this product: the same product twice in a run pairs its rows in order.
    int posicao = 0;
    bool achada = false;
    if (!db.percorrer(QStringLiteral("SELECT NumRegisto FROM LoteInstantaneo WHERE NumProcesso=? AND TipoProduto='PA' "
                                     "AND Produto=? ORDER BY NumRegisto"),
                      {l.numProcesso, l.produto}, [&](const QSqlQuery& q) {
                          if (achada)
                              return;
                          if (q.value(0).toLongLong() == l.numRegisto)
                              achada = true;
                          else
                              ++posicao;
                      }))
        return Falha(db.lastError());
    int i = 0;
    if (!db.percorrer(QStringLiteral("SELECT QuantNormal, COALESCE(Lote,'') FROM MovProduto WHERE Tipo=? AND Numero=? "
                                     "AND Ano=? AND Codigo=? AND AfectaStk='E+' ORDER BY NumRegisto"),
                      {l.tipoEntrada, l.numeroEntrada, l.dataEntrada.left(4), l.produto}, [&](const QSqlQuery& q) {
                          if (achada && i++ == posicao) {
                              r.quantidade = Currency::fromVariant(q.value(0));
                              r.lote = texto(q, 1);
                          }
                      }))
        return Falha(db.lastError());
    r.etiquetas = QuantidadeEtiquetasInstantanea(r.quantidade, r.factor);
    return r;
}

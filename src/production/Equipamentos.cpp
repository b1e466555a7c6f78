#include "production/Equipamentos.h"

#include "company/GlobalContext.h"
#include "db/Database.h"
#include "session/LogGeral.h"

#include <QSqlQuery>

#include <algorithm>

namespace {

constexpr auto Exacto = Currency::Arredondamento::MetadeAfastaDeZero;

const QString Colunas = QStringLiteral(
    "NumRegisto, Codigo, Descricao, DataAquisicao, DataAbate, DataDespoluimento, DataDesmantelamento, DataCertDest, "
    "ValorAquisicao, ValorDesmantelamento, Observacao, AvisoDiasAbate, AvisoDiasDespoluimento, "
    "AvisoDiasDesmantelamento, AvisoUtilizadorAbate, AvisoUtilizadorDespoluimento, AvisoUtilizadorDesmantelamento, "
    "AvisoAbate, AvisoDespoluimento, AvisoDesmantelamento, Utilizadores, Utilizador, DataSys");

QString texto(const QSqlQuery& q, int i) { return q.value(i).toString().trimmed(); }

Equipamento equipamentoDe(const QSqlQuery& q) {
    Equipamento e;
    e.numRegisto = q.value(0).toLongLong();
    e.codigo = texto(q, 1);
    e.descricao = q.value(2).toString();
    e.dataAquisicao = texto(q, 3);
    e.dataAbate = texto(q, 4);
    e.dataDespoluimento = texto(q, 5);
    e.dataDesmantelamento = texto(q, 6);
    e.dataCertDest = texto(q, 7);
    e.valorAquisicao = Currency::fromVariant(q.value(8));
    e.valorDesmantelamento = Currency::fromVariant(q.value(9));
    e.observacao = q.value(10).toString();
    for (int i = 0; i < 3; ++i) {
        e.avisoDias[size_t(i)] = q.value(11 + i).toInt();
        e.avisoUtilizador[size_t(i)] = texto(q, 14 + i);
        e.aviso[size_t(i)] = texto(q, 17 + i);
    }
    // "01;02;": each user followed by ";".
    for (const QString& u : q.value(20).toString().split(u';', Qt::SkipEmptyParts))
        if (!u.trimmed().isEmpty())
            e.utilizadores << u.trimmed();
    e.utilizador = texto(q, 21);
    e.dataSys = q.value(22).toDateTime().isValid() ? q.value(22).toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                                   : texto(q, 22);
    return e;
}

Resultado<std::vector<Equipamento>> ler(Database& db, const QString& condicao, const QVariantList& valores) {
    std::vector<Equipamento> r;
    if (!db.percorrer(QStringLiteral("SELECT %1 FROM Prod_Equipamentos WHERE NumRegisto>0%2").arg(Colunas, condicao),
                      valores, [&](const QSqlQuery& q) { r.push_back(equipamentoDe(q)); }))
        return Falha(db.lastError());
    return r;
}

Resultado<std::optional<Equipamento>> lerUm(Database& db, const QString& condicao, const QVariant& valor) {
    const auto r = ler(db, condicao, {valor});
    if (!r)
        return r.falha();
    if (r->empty())
        return std::optional<Equipamento>();
    return std::optional<Equipamento>(r->front());
}

bool dataValida(const QString& d) { return QDate::fromString(d, Qt::ISODate).isValid(); }

// Each step's date and the date of the step before it.
std::array<std::pair<const QString*, const QString*>, 3> passos(const Equipamento& e) {
    return {{{&e.dataAbate, &e.dataAquisicao}, {&e.dataDespoluimento, &e.dataAbate},
             {&e.dataDesmantelamento, &e.dataDespoluimento}}};
}

// The pending-warning condition for a user on a day, with its bound values.
QString condicaoAvisos(QVariantList& valores, const QString& utilizador, const QString& dia) {
    QStringList termos;
    for (const char* passo : {"Abate", "Despoluimento", "Desmantelamento"}) {
        termos << QStringLiteral("(COALESCE(Aviso%1,'')<>'' AND Aviso%1<=? AND AvisoUtilizador%1=?)").arg(QLatin1String(passo));
        valores << dia << utilizador;
    }
    return QStringLiteral(" AND (") + termos.join(QStringLiteral(" OR ")) + QStringLiteral(")");
}

} // namespace

void CalculaAvisosEquipamento(Equipamento& e) {
    const auto p = passos(e);
    for (size_t i = 0; i < 3; ++i) {
        const QString& proprio = *p[i].first;
        const QDate anterior = QDate::fromString(p[i].second->trimmed(), Qt::ISODate);
        e.aviso[i] = proprio.trimmed().isEmpty() && anterior.isValid() && e.avisoDias[i] > 0
                         ? anterior.addDays(e.avisoDias[i]).toString(Qt::ISODate)
                         : QString();
    }
}

Resultado<std::vector<Equipamento>> ListarEquipamentos(Database& db, const FiltroEquipamentos& f,
                                                       const QString& utilizador) {
    QString condicao;
    QVariantList valores;
    if (!f.codigo.trimmed().isEmpty()) {
        condicao += QStringLiteral(" AND ") + db.dialect().like(QStringLiteral("Codigo"));
        valores << f.codigo.trimmed() + QStringLiteral("%");
    }
    if (!f.descricao.trimmed().isEmpty()) {
        condicao += QStringLiteral(" AND ") + db.dialect().like(QStringLiteral("Descricao"));
        valores << f.descricao.trimmed() + QStringLiteral("%");
    }
    static const QHash<QString, QString> estados{{QStringLiteral("SDAR"), QStringLiteral("DataAbate")},
                                                 {QStringLiteral("SDDP"), QStringLiteral("DataDespoluimento")},
                                                 {QStringLiteral("SDDM"), QStringLiteral("DataDesmantelamento")},
                                                 {QStringLiteral("SDCD"), QStringLiteral("DataCertDest")}};
    if (const auto coluna = estados.find(f.estado); coluna != estados.end())
        condicao += QStringLiteral(" AND COALESCE(%1,'')=''").arg(*coluna);
    // An empty list of allowed users lets everybody see it.
    condicao += QStringLiteral(" AND (COALESCE(Utilizadores,'')='' OR ") + db.dialect().like(QStringLiteral("Utilizadores")) +
                QStringLiteral(")");
    valores << QStringLiteral("%") + utilizador + QStringLiteral(";%");
    return ler(db, condicao + QStringLiteral(" ORDER BY Codigo"), valores);
}

Resultado<std::optional<Equipamento>> LerEquipamento(Database& db, const QString& codigo) {
    return lerUm(db, QStringLiteral(" AND Codigo=?"), codigo.trimmed());
}

Resultado<std::optional<Equipamento>> LerEquipamentoPorRegisto(Database& db, qint64 numRegisto) {
    return lerUm(db, QStringLiteral(" AND NumRegisto=?"), numRegisto);
}

Resultado<Equipamento> NovoEquipamento(Database& db, const QString& utilizador) {
    const auto r = ler(db, QStringLiteral(" AND Utilizador=? ORDER BY NumRegisto DESC"), {utilizador});
    if (!r)
        return r.falha();
    Equipamento novo;
    if (!r->empty()) {
        const Equipamento& ultimo = r->front();
        novo.avisoDias = ultimo.avisoDias;
        novo.avisoUtilizador = ultimo.avisoUtilizador;
        novo.utilizadores = ultimo.utilizadores;
    }
    return novo;
}

Resultado<bool> EquipamentoComProducoes(Database& db, const QString& codigo) {
    const auto n = db.lerValor(QStringLiteral("SELECT COUNT(*) FROM LoteInstantaneo WHERE Equipamento=?"), {codigo.trimmed()});
    if (!n)
        return n.falha();
    return n->toInt() > 0;
}

Resultado<Equipamento> GravarEquipamento(GlobalContext& ctx, Equipamento e, bool novo) {
    Database& db = ctx.bd();
    e.codigo = e.codigo.trimmed();
    if (e.codigo.isEmpty())
        return Falha(QStringLiteral("Não definiu o Código!"), QStringLiteral("txtCodigo"));
    if (e.descricao.trimmed().isEmpty())
        return Falha(QStringLiteral("Não definiu a descrição!"), QStringLiteral("txtDescricao"));
    if (e.codigo.size() > 20)
        return Falha(QStringLiteral("O código tem no máximo 20 caracteres."), QStringLiteral("txtCodigo"));
    if (e.descricao.size() > 100)
        return Falha(QStringLiteral("A descrição tem no máximo 100 caracteres."), QStringLiteral("txtDescricao"));
    for (QString* d : {&e.dataAquisicao, &e.dataAbate, &e.dataDespoluimento, &e.dataDesmantelamento, &e.dataCertDest}) {
        *d = d->trimmed();
        if (!d->isEmpty() && !dataValida(*d))
            return Falha(QStringLiteral("Data inválida: %1").arg(*d));
    }
    for (int dias : e.avisoDias)
        if (dias < 0)
            return Falha(QStringLiteral("Os dias de aviso não podem ser negativos."));
    if (e.valorAquisicao.isNegative() || e.valorDesmantelamento.isNegative())
        return Falha(QStringLiteral("Os valores não podem ser negativos."));
    CalculaAvisosEquipamento(e);

    Transaction t(db);
    if (!t.ok())
        return Falha(db.lastError());
    const auto existente = LerEquipamento(db, e.codigo);
    if (!existente)
        return existente.falha();
    if (novo) {
        // A code still named by instant runs would inherit them.
        const auto producoes = EquipamentoComProducoes(db, e.codigo);
        if (!producoes)
            return producoes.falha();
        if (*existente || *producoes)
            return Falha(QStringLiteral("Código já existente!"), QStringLiteral("txtCodigo"));
    } else if (!*existente) {
        return Falha(QStringLiteral("Equipamento inexistente: %1").arg(e.codigo), QStringLiteral("txtCodigo"));
    }
    QStringList utilizadores;
    for (const QString& u : e.utilizadores)
        if (!u.trimmed().isEmpty() && !utilizadores.contains(u.trimmed()))
            utilizadores << u.trimmed();
    e.utilizadores = utilizadores;
    e.utilizador = ctx.CodigoUtilizador;
    e.dataSys = db.agoraServidor().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    Registo r;
    r("Codigo", e.codigo)("Descricao", e.descricao)("DataAquisicao", e.dataAquisicao)("DataAbate", e.dataAbate)(
        "DataDespoluimento", e.dataDespoluimento)("DataDesmantelamento", e.dataDesmantelamento)(
        "DataCertDest", e.dataCertDest)("ValorAquisicao", e.valorAquisicao.toVariant())(
        "ValorDesmantelamento", e.valorDesmantelamento.toVariant())("Observacao", e.observacao)(
        "AvisoDiasAbate", e.avisoDias[0])("AvisoDiasDespoluimento", e.avisoDias[1])(
        "AvisoDiasDesmantelamento", e.avisoDias[2])("AvisoUtilizadorAbate", e.avisoUtilizador[0])(
        "AvisoUtilizadorDespoluimento", e.avisoUtilizador[1])("AvisoUtilizadorDesmantelamento", e.avisoUtilizador[2])(
        "AvisoAbate", e.aviso[0])("AvisoDespoluimento", e.aviso[1])("AvisoDesmantelamento", e.aviso[2])(
        "Utilizadores", utilizadores.isEmpty() ? QString() : utilizadores.join(u';') + u';')(
        "Utilizador", e.utilizador)("DataSys", e.dataSys);
    if (novo) {
        e.numRegisto = db.insert(QStringLiteral("Prod_Equipamentos"), r);
        if (e.numRegisto <= 0)
            return Falha(db.lastError());
    } else {
        e.numRegisto = (*existente)->numRegisto;
        if (!db.update(QStringLiteral("Prod_Equipamentos"), r.colunas, r.valores, QStringLiteral("WHERE NumRegisto=?"),
                       {e.numRegisto}))
            return Falha(db.lastError());
    }
    EntradaLog log;
    log.modulo = QStringLiteral("TB");
    log.accao = novo ? QStringLiteral("N") : QStringLiteral("A");
    log.descricao = e.codigo + QStringLiteral(" - ") + e.descricao;
    if (!LogGeral(ctx, log) || !t.commit())
        return Falha(db.lastError().isEmpty() ? QStringLiteral("Não foi possível gravar o equipamento.") : db.lastError());
    return e;
}

Resultado<> EliminarEquipamento(GlobalContext& ctx, const QString& codigo) {
    Database& db = ctx.bd();
    const auto e = LerEquipamento(db, codigo);
    if (!e)
        return e.falha();
    if (!*e)
        return Falha(QStringLiteral("Equipamento inexistente: %1").arg(codigo.trimmed()));
    Transaction t(db);
    if (!t.ok())
        return Falha(db.lastError());
    EntradaLog log;
    log.modulo = QStringLiteral("TB");
    log.accao = QStringLiteral("E");
    log.descricao = (*e)->codigo + QStringLiteral(" - ") + (*e)->descricao;
    if (!db.exec(QStringLiteral("DELETE FROM Prod_Equipamentos WHERE Codigo=?"), {(*e)->codigo}) || !LogGeral(ctx, log) ||
        !t.commit())
        return Falha(db.lastError().isEmpty() ? QStringLiteral("Não foi possível eliminar o equipamento.") : db.lastError());
    return {};
}

Resultado<std::vector<AvisoEquipamento>> AvisosEquipamentos(Database& db, const QString& utilizador, const QDate& dia) {
    const QString d = dia.toString(Qt::ISODate);
    QVariantList valores;
    const QString condicao = condicaoAvisos(valores, utilizador, d);
    const auto lidos = ler(db, condicao + QStringLiteral(" ORDER BY DataAquisicao, NumRegisto"), valores);
    if (!lidos)
        return lidos.falha();
    std::vector<AvisoEquipamento> avisos;
    for (const Equipamento& e : *lidos) {
        const auto p = passos(e);
        for (size_t i = 0; i < 3; ++i)
            if (p[i].first->isEmpty() && !e.aviso[i].isEmpty() && e.aviso[i] <= d && e.avisoUtilizador[i] == utilizador)
                avisos.push_back({e.numRegisto, e.codigo, e.descricao, e.aviso[i],
                                  QStringLiteral("Sem registo de ") + PassosEquipamento[i]});
    }
    return avisos;
}

Resultado<int> ContaAvisosEquipamentos(Database& db, const QString& utilizador, const QDate& dia) {
    QVariantList valores;
    const QString condicao = condicaoAvisos(valores, utilizador, dia.toString(Qt::ISODate));
    const auto n = db.lerValor(QStringLiteral("SELECT COUNT(*) FROM Prod_Equipamentos WHERE NumRegisto>0") + condicao, valores);
    if (!n)
        return n.falha();
    return n->toInt();
}

Resultado<std::vector<ProdutoDesmantelamento>> ProdutosDesmantelamento(Database& db, const QString& codigo) {
    std::vector<ProdutoDesmantelamento> r;
    if (!db.percorrer(QStringLiteral("SELECT DISTINCT m.Data, m.Codigo, m.Descricao, COALESCE(m.Lote,'') FROM LoteInstantaneo l "
                                     "INNER JOIN MovProduto m ON (m.Tipo=l.Tipo AND m.Numero=l.Numero AND m.Data=l.Data) "
                                     "WHERE l.TipoProduto='PA' AND l.Equipamento=? "
                                     "ORDER BY m.Data, m.Codigo, m.Descricao, COALESCE(m.Lote,'')"),
                      {codigo.trimmed()}, [&](const QSqlQuery& q) {
                          r.push_back({texto(q, 0), texto(q, 1), q.value(2).toString(), texto(q, 3)});
                      }))
        return Falha(db.lastError());
    return r;
}

Resultado<RelatorioEquipamento> LerRelatorioEquipamento(Database& db, const QString& codigo) {
    const auto e = LerEquipamento(db, codigo);
    if (!e)
        return e.falha();
    if (!*e)
        return Falha(QStringLiteral("Equipamento inexistente: %1").arg(codigo.trimmed()));
    RelatorioEquipamento r;
    r.equipamento = **e;
    r.custos.push_back({r.equipamento.dataAquisicao, {}, {}, {}, QStringLiteral("Aquisição do equipamento"), Currency(1),
                        r.equipamento.valorAquisicao, r.equipamento.valorAquisicao});
    // Dated when the dismantling was recorded; undated while it is not.
    r.proveitos.push_back({r.equipamento.dataDesmantelamento, {}, {}, {}, QStringLiteral("Desmantelamento do equipamento"),
                           Currency(1), r.equipamento.valorDesmantelamento, r.equipamento.valorDesmantelamento});
    if (!db.percorrer(QStringLiteral("SELECT l.TipoProduto, l.Data, l.Tipo, l.Numero, l.Produto, p.Descricao, l.Quantidade, "
                                     "l.Preco FROM LoteInstantaneo l INNER JOIN Produtos p ON p.Codigo=l.Produto "
                                     "WHERE l.Equipamento=? ORDER BY l.TipoProduto, l.Data, l.NumRegisto"),
                      {r.equipamento.codigo}, [&](const QSqlQuery& q) {
                          LinhaRelatorioEquipamento l{texto(q, 1), texto(q, 2), texto(q, 3), texto(q, 4),
                                                      q.value(5).toString(), Currency::fromVariant(q.value(6)),
                                                      Currency::fromVariant(q.value(7)), {}};
                          l.valor = l.quantidade.multiply(l.preco, Exacto);
                          (texto(q, 0) == QStringLiteral("MP") ? r.custos : r.proveitos).push_back(l);
                      }))
        return Falha(db.lastError());
    for (const auto& l : r.custos)
        r.totalCustos += l.valor;
    for (const auto& l : r.proveitos)
        r.totalProveitos += l.valor;
    return r;
}

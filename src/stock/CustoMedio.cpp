#include "stock/CustoMedio.h"

#include "company/ParametrosEmpresa.h"
#include "db/Database.h"
#include "stock/MovimentosStock.h"

#include <QSqlQuery>

#include <limits>
#include <optional>
#include <vector>

namespace {

constexpr qint64 SemLimite = std::numeric_limits<qint64>::max();
// Rows read past a checkpoint before it is moved.
constexpr int LinhasEntrePontos = 32;

// A position in ledger order.
struct Posicao {
    QString data;
    qint64 num = 0;
    bool antesOuIgual(const Posicao& o) const { return data < o.data || (data == o.data && num <= o.num); }
};

// Running state of the average.
struct Estado {
    Currency stock, stockReal, media; // rules 2 and 3
    Currency quant, valor;            // rule 1: entries (minus reversals) since the start point
};

struct LinhaLedger {
    QString afecta;
    Currency quant, valor;
    bool alteracaoManual = false;
};

Currency valorLinha(const Currency& q, const Currency& p, const Currency& desconto, const Currency& despesa,
                    const Currency& descontoFactura) {
    return q.multiply(p, Currency::Arredondamento::MetadeAfastaDeZero) - desconto + despesa - descontoFactura;
}

void aplicar(int regra, Estado& e, const LinhaLedger& l) {
    if (regra == 1) {
        if (l.afecta == QStringLiteral("E+")) {
            e.quant += l.quant;
            e.valor += l.valor;
        } else if (l.afecta == QStringLiteral("E-")) {
            e.quant -= l.quant;
            e.valor -= l.valor;
        } else {
            return;
        }
        // Entries that cancel out leave no quantity to divide by: the average they had before holds.
        if (!e.quant.isZero())
            e.media = e.valor.divide(e.quant, Currency::Arredondamento::MetadeAfastaDeZero);
        return;
    }
    const bool regra3 = regra == 3;
    if (l.afecta == QStringLiteral("S+")) {
        e.stock -= l.quant;
        e.stockReal -= l.quant;
        // Rule 3 restarts the average once the stock has run out.
        if (regra3 && (e.stock.isNegative() || e.stockReal <= Currency()))
            e.stock = Currency();
    } else if (l.afecta == QStringLiteral("S-")) {
        e.stock += l.quant;
        e.stockReal += l.quant;
    } else if (l.afecta == QStringLiteral("E+")) {
        e.stockReal += l.quant;
        if (l.alteracaoManual) {
            // A manual change forgets the history before it.
            e.stock = l.quant;
            e.media = l.quant.isZero()
                          ? Currency()
                          : l.valor.divide(l.quant, Currency::Arredondamento::MetadeAfastaDeZero);
        } else {
            const Currency total =
                e.stock.multiply(e.media, Currency::Arredondamento::MetadeAfastaDeZero) + l.valor;
            e.stock += l.quant;
            e.media = e.stock > Currency()
                          ? total.divide(e.stock, Currency::Arredondamento::MetadeAfastaDeZero)
                          : Currency();
        }
    } else if (l.afecta == QStringLiteral("E-")) {
        const Currency total =
            e.stock.multiply(e.media, Currency::Arredondamento::MetadeAfastaDeZero) - l.valor;
        e.stock -= l.quant;
        e.stockReal -= l.quant;
        e.media = e.stock > Currency() ? total.divide(e.stock, Currency::Arredondamento::MetadeAfastaDeZero)
                                       : Currency();
    }
}

Currency resultado(int, const Estado& e) {
    return e.media;
}

class Calculo {
public:
    Calculo(Database& db, const QString& produto, const CorteCustoMedio& corte)
        : m_db(db), m_produto(produto), m_corte(corte),
          m_regra(corte.regra >= 1 && corte.regra <= 3 ? corte.regra : regraCustoMedio(db)) {
        if (m_corte.armazem.isNull())
            m_corte.armazem = QStringLiteral("");
    }

    Resultado<Currency> executar(const LinhaEmCurso& linha, bool usarPonto) {
        m_ok = true;
        if (!definirFim()) {
            usarPonto = false;
            m_guardarPonto = false;
        }
        // The checkpoint and, for rule 1, the last manual change come in one read; with a checkpoint
        // wanted, the rows after it come in that read too.
        std::vector<QVariantList> depoisDoPonto;
        const std::optional<QVariantList> pontoEInicio = usarPonto ? lerPontoELinhas(depoisDoPonto) : lerPontoEInicio();
        if (!m_ok)
            return terminar(linha);
        if (m_regra == 1 && !definirInicioRegra1(*pontoEInicio))
            return terminar(linha); // a manual change whose row is gone: nothing counts

        Estado e;
        Posicao depois{QString(), -1};
        if (usarPonto)
            lerPonto(*pontoEInicio, e, depois);
        Posicao ultima = depois;
        if (depois.num >= 0) {
            for (const QVariantList& r : depoisDoPonto)
                aplicarLinha(e, r, 0, ultima);
        } else {
            lerLinhas(e, depois, ultima);
        }
        // The checkpoint follows the last row read, so that the next read starts right after it. Moving
        // it for a few rows would cost a write on every posting; those rows are read again instead.
        const bool mesmoPonto = ultima.data == depois.data && ultima.num == depois.num;
        const bool vale = depois.num < 0 || m_lidas >= LinhasEntrePontos;
        if (m_ok && m_guardarPonto && ultima.num >= 0 && !mesmoPonto && vale)
            guardarPonto(e, ultima);
        m_estado = e;
        return terminar(linha);
    }

private:
    Resultado<Currency> terminar(const LinhaEmCurso& linha) {
        if (!m_ok)
            return Falha(m_db.lastError());
        if (!linha.afectaStk.isEmpty())
            aplicar(m_regra, m_estado,
                    {linha.afectaStk.toUpper(), linha.quantidade,
                     linha.quantidade.multiply(linha.preco, Currency::Arredondamento::MetadeAfastaDeZero),
                     false});
        return resultado(m_regra, m_estado);
    }

    // The last position rows may have. False when the cut-off is not a prefix of the ledger order
    // (rows up to a date and up to a row number, with later-numbered rows dated inside it).
    bool definirFim() {
        m_fim = {m_corte.data.isEmpty() ? QStringLiteral("9999-12-31") : m_corte.data, SemLimite};
        if (m_corte.numRegisto <= 0)
            return true;
        if (m_corte.porDataERegisto) {
            m_fim.num = m_corte.numRegisto;
            return true;
        }
        QString sql =
            QStringLiteral("SELECT COUNT(*) FROM MovProduto WHERE Codigo=? AND Data<=? AND NumRegisto>?");
        QVariantList v{m_produto, m_fim.data, m_corte.numRegisto};
        filtroArmazem(sql, v);
        if (m_db.scalar(sql, v).toLongLong() == 0)
            return true;
        m_filtroNumero = true;
        return false;
    }

    // Columns 0-7: the checkpoint (null when there is none); 8-10: rule 1's last manual change.
    std::optional<QVariantList> lerPontoEInicio() {
        QString sql = QStringLiteral(
            "SELECT e.UltData, e.UltNumRegisto, e.AlteracaoNum, e.Stock, e.StockReal, e.Media, "
            "e.Quant, e.Valor");
        QVariantList v;
        sql += m_regra == 1 ? QStringLiteral(", a.NumRegisto, a.Data, a.IdentificaMP")
                            : QStringLiteral(", NULL, NULL, NULL");
        sql += QStringLiteral(
            " FROM (SELECT 1 AS um) u LEFT JOIN MovProdutoPMCEstado e ON e.Produto=? AND e.Armazem=? "
            "AND e.Regra=?");
        v << m_produto << m_corte.armazem << m_regra;
        if (m_regra == 1) {
            sql +=
                QStringLiteral(" LEFT JOIN (SELECT NumRegisto, Data, IdentificaMP FROM MovProdutoAlteraPMC "
                               "WHERE Produto=? AND Data<=? ORDER BY Data DESC, NumRegisto DESC%1) a ON 1=1")
                    .arg(m_db.dialect().limite(1));
            v << m_produto << m_fim.data;
        }
        auto r = m_db.lerPrimeiraLinha(sql, v);
        if (!r || !*r) {
            m_ok = false;
            return std::nullopt;
        }
        return *r;
    }

    // lerPontoEInicio's columns, each followed by one ledger row after the checkpoint (columns 11-19,
    // null when there is none), as sqlLinhas reads them. The rows are read whatever the checkpoint
    // holds and used only when lerPonto accepts it; a checkpoint lies after rule 1's start, so the
    // start needs no condition here.
    std::optional<QVariantList> lerPontoELinhas(std::vector<QVariantList>& linhas) {
        const bool regra1 = m_regra == 1;
        QString cabeca = QStringLiteral(
            "SELECT e.UltData, e.UltNumRegisto, e.AlteracaoNum, e.Stock, e.StockReal, e.Media, e.Quant, e.Valor");
        cabeca += regra1 ? QStringLiteral(", a.NumRegisto, a.Data, a.IdentificaMP") : QStringLiteral(", NULL, NULL, NULL");
        cabeca += QStringLiteral(", m.AfectaStk, m.QuantNormal, m.Preco, m.TotalDesconto, m.ValDespesa, "
                                 "m.CalculoFacturaDesconto, m.Data, m.NumRegisto, ");
        cabeca += regra1 ? QStringLiteral("0")
                         : QStringLiteral("CASE WHEN EXISTS (SELECT 1 FROM MovProdutoAlteraPMC x WHERE x.Produto=m.Codigo "
                                          "AND x.Data=m.Data AND x.IdentificaMP=m.Identifica) THEN 1 ELSE 0 END");
        QString juntaA;
        QVariantList vA;
        if (regra1) {
            // The last change by its key, found once: a LIMIT subquery joined would be copied into a
            // temporary table on every execution.
            juntaA = QStringLiteral(" LEFT JOIN MovProdutoAlteraPMC a ON a.NumRegisto=(SELECT x.NumRegisto FROM "
                                    "MovProdutoAlteraPMC x WHERE x.Produto=? AND x.Data<=? ORDER BY x.Data DESC, "
                                    "x.NumRegisto DESC%1)")
                         .arg(m_db.dialect().limite(1));
            vA << m_produto << m_fim.data;
        }
        QString cauda = regra1 ? QString() : QStringLiteral(" AND m.AfectaStk<>'NA' AND m.Estado<>'A'");
        QVariantList vCauda;
        cauda += QStringLiteral(" AND m.Data<=?");
        vCauda << m_fim.data;
        if (m_fim.num != SemLimite) {
            cauda += QStringLiteral(" AND (m.Data, m.NumRegisto) <= (?, ?)");
            vCauda << m_fim.data << m_fim.num;
        }
        if (!m_corte.armazem.isEmpty()) {
            cauda += QStringLiteral(" AND m.Armazem=?");
            vCauda << m_corte.armazem;
        }
        const QVariantList vPonto{m_produto, m_corte.armazem, m_regra};
        // The rest of the checkpoint's day, then the later days: two plain index seeks.
        const QString sql =
            cabeca +
            QStringLiteral(" FROM (SELECT 1 AS um) u LEFT JOIN MovProdutoPMCEstado e ON e.Produto=? AND e.Armazem=? "
                           "AND e.Regra=?") +
            juntaA +
            QStringLiteral(" LEFT JOIN MovProduto m ON m.Codigo=? AND m.Data=e.UltData AND "
                           "m.NumRegisto>CAST(e.UltNumRegisto AS BIGINT)") +
            cauda + QStringLiteral(" UNION ALL ") + cabeca + QStringLiteral(" FROM MovProdutoPMCEstado e") + juntaA +
            QStringLiteral(" JOIN MovProduto m ON m.Codigo=? AND m.Data>e.UltData") + cauda +
            QStringLiteral(" WHERE e.Produto=? AND e.Armazem=? AND e.Regra=? ORDER BY 18, 19");
        QVariantList v = vPonto + vA;
        v << m_produto;
        v += vCauda;
        v += vA;
        v << m_produto;
        v += vCauda;
        v += vPonto;
        std::optional<QVariantList> ponto;
        m_ok = m_db.percorrer(sql, v, [&](const QSqlQuery& q) {
            if (!ponto) {
                ponto.emplace();
                for (int i = 0; i < 11; ++i)
                    ponto->append(q.value(i));
            }
            if (q.value(18).isNull())
                return;
            QVariantList r;
            for (int i = 11; i < 20; ++i)
                r << q.value(i);
            linhas.push_back(std::move(r));
        });
        if (m_ok && !ponto)
            m_ok = false;
        return ponto;
    }

    // Rule 1 counts entries from the last manual change up to the cut-off.
    bool definirInicioRegra1(const QVariantList& r) {
        if (r.value(8).isNull())
            return true;
        m_alteracaoNum = r.value(8).toLongLong();
        m_inicioData = r.value(9).toString();
        const QVariant n = m_db.scalar(
            QStringLiteral("SELECT MIN(NumRegisto) FROM MovProduto WHERE Codigo=? AND Identifica=?"),
            {m_produto, r.value(10).toString()});
        if (n.isNull() || !n.isValid())
            return false;
        m_inicioNum = n.toLongLong();
        return true;
    }

    void filtroArmazem(QString& sql, QVariantList& v) const {
        if (m_corte.armazem.isEmpty())
            return;
        sql += QStringLiteral(" AND Armazem=?");
        v << m_corte.armazem;
    }

    void lerPonto(const QVariantList& r, Estado& e, Posicao& depois) {
        if (r.value(1).isNull())
            return;
        const Posicao p{r.value(0).toString(), r.value(1).toLongLong()};
        // Usable only when it lies within the cut-off and, for rule 1, counts from the same start.
        if (!p.antesOuIgual(m_fim) || r.value(2).toLongLong() != m_alteracaoNum)
            return;
        depois = p;
        e.stock = Currency::fromVariant(r.value(3));
        e.stockReal = Currency::fromVariant(r.value(4));
        e.media = Currency::fromVariant(r.value(5));
        e.quant = Currency::fromVariant(r.value(6));
        e.valor = Currency::fromVariant(r.value(7));
        if (m_regra == 1 && !e.quant.isZero())
            e.media = e.valor.divide(e.quant, Currency::Arredondamento::MetadeAfastaDeZero);
    }

    // The rows that count, after a position in ledger order.
    QString sqlLinhas(const Posicao& depois, QVariantList& v) const {
        QString cabeca;
        QVariantList vCabeca{m_produto};
        if (m_regra == 1) {
            // Entries are picked out while reading, so that the scan follows the (Codigo, Data, NumRegisto)
            // index.
            cabeca =
                QStringLiteral("SELECT AfectaStk, QuantNormal, Preco, TotalDesconto, ValDespesa, "
                               "CalculoFacturaDesconto, Data, NumRegisto, 0 FROM MovProduto WHERE Codigo=?");
            if (m_alteracaoNum > 0) {
                // From the changed row on in ledger order (date, then row number): a row dated after
                // it counts even when it was recorded before it.
                cabeca += QStringLiteral(" AND (Data, NumRegisto) >= (?, ?)");
                vCabeca << m_inicioData << m_inicioNum;
            }
        } else {
            cabeca =
                QStringLiteral("SELECT m.AfectaStk, m.QuantNormal, m.Preco, m.TotalDesconto, m.ValDespesa, "
                               "m.CalculoFacturaDesconto, "
                               "m.Data, m.NumRegisto, CASE WHEN EXISTS (SELECT 1 FROM MovProdutoAlteraPMC a "
                               "WHERE a.Produto=m.Codigo "
                               "AND a.Data=m.Data AND a.IdentificaMP=m.Identifica) THEN 1 ELSE 0 END "
                               "FROM MovProduto m WHERE m.Codigo=? AND m.AfectaStk<>'NA' AND m.Estado<>'A'");
        }
        QString cauda;
        QVariantList vCauda;
        if (m_fim.num == SemLimite) {
            cauda += QStringLiteral(" AND Data<=?");
            vCauda << m_fim.data;
        } else {
            cauda += QStringLiteral(" AND (Data, NumRegisto) <= (?, ?)");
            vCauda << m_fim.data << m_fim.num;
        }
        if (m_filtroNumero) {
            cauda += QStringLiteral(" AND NumRegisto<=?");
            vCauda << m_corte.numRegisto;
        }
        filtroArmazem(cauda, vCauda);
        if (depois.num < 0) {
            v = vCabeca + vCauda;
            return cabeca + cauda;
        }
        // After the checkpoint: the rest of its day, then the later days. Two plain index seeks;
        // a row-value bound makes SQLite scan the whole day, which may be the whole history.
        v = vCabeca;
        v << depois.data << depois.num << vCauda << vCabeca << depois.data << vCauda;
        return cabeca + QStringLiteral(" AND Data=? AND NumRegisto>?") + cauda +
               QStringLiteral(" UNION ALL ") + cabeca + QStringLiteral(" AND Data>?") + cauda;
    }

    // One row of the ledger query, from its 9 columns starting at `base`.
    void aplicarLinha(Estado& e, const QVariantList& r, int base, Posicao& ultima) {
        const Currency quant = Currency::fromVariant(r.value(base + 1));
        aplicar(
            m_regra, e,
            {r.value(base).toString().toUpper(), quant,
             valorLinha(quant, Currency::fromVariant(r.value(base + 2)),
                        Currency::fromVariant(r.value(base + 3)), Currency::fromVariant(r.value(base + 4)),
                        Currency::fromVariant(r.value(base + 5))),
             r.value(base + 8).toInt() != 0});
        ultima = {r.value(base + 6).toString(), r.value(base + 7).toLongLong()};
        ++m_lidas;
    }

    void lerLinhas(Estado& e, const Posicao& depois, Posicao& ultima) {
        QVariantList v;
        const QString sql = sqlLinhas(depois, v) + QStringLiteral(" ORDER BY Data, NumRegisto");
        m_ok = m_db.percorrer(sql, v, [&](const QSqlQuery& q) {
            QVariantList r;
            for (int i = 0; i < 9; ++i)
                r << q.value(i);
            aplicarLinha(e, r, 0, ultima);
        });
    }

    void guardarPonto(const Estado& e, const Posicao& p) {
        // A failed write would leave a PostgreSQL transaction unusable: the posting must know.
        m_ok = m_db.exec(
            QStringLiteral(
                "INSERT INTO MovProdutoPMCEstado (Produto, Armazem, Regra, UltData, UltNumRegisto, "
                "AlteracaoNum, Stock, StockReal, Media, Quant, Valor) VALUES (?,?,?,?,?,?,?,?,?,?,?) "
                "ON CONFLICT (Produto, Armazem, Regra) DO UPDATE SET UltData=excluded.UltData, "
                "UltNumRegisto=excluded.UltNumRegisto, AlteracaoNum=excluded.AlteracaoNum, "
                "Stock=excluded.Stock, StockReal=excluded.StockReal, Media=excluded.Media, "
                "Quant=excluded.Quant, Valor=excluded.Valor"),
            {m_produto, m_corte.armazem, m_regra, p.data, p.num, m_alteracaoNum, e.stock.toVariant(),
             e.stockReal.toVariant(), e.media.toVariant(), e.quant.toVariant(), e.valor.toVariant()});
    }

    Database& m_db;
    QString m_produto;
    CorteCustoMedio m_corte;
    int m_regra;
    Posicao m_fim;
    bool m_filtroNumero = false;
    bool m_guardarPonto = true;
    bool m_ok = true;
    int m_lidas = 0;
    qint64 m_alteracaoNum = 0;
    QString m_inicioData;
    qint64 m_inicioNum = 0;
    Estado m_estado;
};

} // namespace

int regraCustoMedio(Database& db) {
    return ParametrosEmpresa::ler(db).valorOu({}).regraCustoMedio();
}

bool GravaCustoMedioFicha(Database& db, const QString& produto, const Currency& pmc) {
    return db.exec(QStringLiteral("UPDATE Produtos SET PrecoMedioCusto=? WHERE Codigo=?"),
                   {pmc.toVariant(), produto});
}

int GravaCustoMedioFichaSeUltimaData(Database& db, const QString& produto, const Currency& pmc,
                                     const QString& data) {
    return db.executarContando(
        // MAX rather than NOT EXISTS: PostgreSQL's generic plan turns NOT EXISTS into an anti-join over
        // the whole ledger, while MAX stays one backward index step.
        QStringLiteral("UPDATE Produtos SET PrecoMedioCusto=? WHERE Codigo=? AND "
                       "(SELECT MAX(Data) FROM MovProduto WHERE Codigo=?) <= ?"),
        {pmc.toVariant(), produto, produto, data});
}

int GravaCustoMedioFichaSeUltimaLinha(Database& db, const QString& produto, const Currency& pmc,
                                      qint64 numRegisto, const QString& data) {
    return db.executarContando(
        QStringLiteral("UPDATE Produtos SET PrecoMedioCusto=? WHERE Codigo=? AND (SELECT NumRegisto FROM MovProduto "
                       "WHERE Codigo=? ORDER BY Data DESC, NumRegisto DESC%1)=? AND NOT EXISTS (SELECT 1 FROM "
                       "MovProdutoAlteraPMC WHERE Produto=? AND Data>?)")
            .arg(db.dialect().limite(1)),
        {pmc.toVariant(), produto, produto, numRegisto, produto, data});
}

bool GravaUltimosPrecosEntrada(Database& db, const QString& produto, const Currency& preco, qint64 numRegisto,
                               const QString& data) {
    const QVariant p = preco.toVariant();
    return db.executarContando(
               QStringLiteral("UPDATE Produtos SET UltPrecoCompra=?, UltPrecoCusto=? WHERE Codigo=? AND "
                              "NOT EXISTS (SELECT 1 FROM MovProduto WHERE Codigo=? AND NumRegisto<>? AND "
                              "(Data>? OR (Data=? AND NumRegisto>?)) AND (AfectaStk='E+' OR AfectaStk='E-'))"),
               {p, p, produto, produto, numRegisto, data, data, numRegisto}) >= 0;
}

Resultado<Currency> CalculaPrecoMedioCusto(Database& db, const QString& produto, const LinhaEmCurso& linha,
                                           const CorteCustoMedio& corte) {
    return Calculo(db, produto, corte).executar(linha, true);
}

Resultado<Currency> CalculaPrecoMedioCustoCompleto(Database& db, const QString& produto,
                                                   const LinhaEmCurso& linha, const CorteCustoMedio& corte) {
    return Calculo(db, produto, corte).executar(linha, false);
}

PrecosArmazem PrecosArmazemUltimaEntrada(Database& db, const QString& produto, const QString& armazem,
                                         const QString& data) {
    PrecosArmazem r;
    auto q = db.query(
        QStringLiteral("SELECT Preco, Armazem_UPCompra, Armazem_UPCusto, Armazem_PMCusto FROM MovProduto "
                       "WHERE Armazem=? AND Codigo=? AND Data<=? AND AfectaStk='E+' "
                       "ORDER BY Data DESC, NumRegisto DESC") +
            db.dialect().limite(1),
        {armazem, produto, data});
    if (q && q->next()) {
        r.encontrado = true;
        r.preco = Currency::fromVariant(q->value(0));
        r.upCompra = Currency::fromVariant(q->value(1));
        r.upCusto = Currency::fromVariant(q->value(2));
        r.pmCusto = Currency::fromVariant(q->value(3));
    }
    return r;
}

Currency PrecoPorTipo(Database& db, const QString& tipo, const QString& fonte, const QString& produto,
                      const QString& data) {
    const QString t = tipo.toUpper();
    const bool ficha = fonte.toUpper() == QStringLiteral("PRODUTOS");
    QString coluna;
    if (t == QStringLiteral("UPCOMPRA"))
        coluna = ficha ? QStringLiteral("UltPrecoCompra") : QStringLiteral("UPCompra");
    else if (t == QStringLiteral("UPCUSTO"))
        coluna = ficha ? QStringLiteral("UltPrecoCusto") : QStringLiteral("UPCusto");
    else if (t == QStringLiteral("PMCUSTO"))
        coluna = ficha ? QStringLiteral("PrecoMedioCusto") : QStringLiteral("PMCusto");
    else if (t == QStringLiteral("PRECOVENDA"))
        coluna = ficha ? QStringLiteral("PrecoVenda1") : QStringLiteral("Preco");
    else
        return {};
    if (ficha)
        return Currency::fromVariant(
            db.scalar(QStringLiteral("SELECT %1 FROM Produtos WHERE Codigo=?").arg(coluna), {produto}));
    return Currency::fromVariant(
        db.scalar(QStringLiteral("SELECT %1 FROM MovProduto WHERE Codigo=? AND Data<=? AND "
                                 "%1>0 ORDER BY Data DESC, NumRegisto DESC")
                          .arg(coluna) +
                      db.dialect().limite(1),
                  {produto, data.isEmpty() ? QStringLiteral("9999-12-31") : data}));
}

std::optional<Currency> CustoDevolucaoStockVazio(Database& db, const QString& produto,
                                                 const Currency& quantidade, bool actualizarFicha) {
    if (regraCustoMedio(db) == 1)
        return std::nullopt;
    FiltroSaldo f;
    f.produto = produto;
    if (SaldoProdutoArmazem(db, f).valorOu(Currency()) - quantidade > Currency())
        return std::nullopt;
    const Currency pmc = Currency::fromVariant(db.scalar(
        QStringLiteral("SELECT PMCusto FROM MovProduto WHERE Codigo=? AND AfectaStk='E+' AND PMCusto>0 "
                       "ORDER BY Data DESC, NumRegisto DESC") +
            db.dialect().limite(1),
        {produto}));
    // The row takes this cost even when the product file could not.
    if (actualizarFicha)
        static_cast<void>(GravaCustoMedioFicha(db, produto, pmc));
    return pmc;
}

bool RecalculaCustoMedioAposEliminacao(Database& db, const QString& produto) {
    if (regraCustoMedio(db) != 2)
        return true;
    const auto pmc = CalculaPrecoMedioCusto(db, produto, {}, {});
    return pmc && GravaCustoMedioFicha(db, produto, *pmc);
}

#include "stock/MovimentosStock.h"

#include <QSqlQuery>

#include "company/GlobalContext.h"
#include "db/Database.h"
#include "db/esquema/Esquema.h"

#include <QDateTime>

#include <algorithm>
#include <optional>

#include <QHash>

namespace {

QVariant valorInsercao(const ColunaDef& c, bool dado, const QVariant& v, const QString& agora) {
    switch (c.tipo) {
    case TipoColuna::Texto:
    case TipoColuna::Memo: {
        // A null QString would be bound as NULL; the ledger keeps "" for texts not given.
        const QString t = dado ? v.toString() : QString();
        return t.isNull() ? QStringLiteral("") : t;
    }
    case TipoColuna::Money:
    case TipoColuna::Numerico: {
        // Most amount columns of a production row are zero; a plain 0 spares the text conversion.
        if (!dado)
            return 0;
        const Currency m = Currency::fromVariant(v);
        return m.isZero() ? QVariant(0) : m.toVariant();
    }
    case TipoColuna::SmallInt:
    case TipoColuna::Inteiro:
        return dado ? v.toInt() : 0;
    case TipoColuna::DataHora:
        if (dado && v.typeId() == QMetaType::QDateTime)
            return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        return dado && !v.toString().isEmpty() ? v.toString() : agora;
    case TipoColuna::Binario:
        return v; // the ledger has no binary column; bytes would pass as given
    }
    return v;
}

// INSERT INTO MovProduto with every insert column, built once.
const QString& sqlInsercao() {
    static const QString sql = [] {
        QStringList colunas, marcas;
        for (const ColunaDef& c : LinhaMovProduto::colunasInsercao()) {
            colunas << c.nome;
            marcas << QStringLiteral("?");
        }
        return QStringLiteral("INSERT INTO MovProduto (%1) VALUES (%2) RETURNING NumRegisto")
            .arg(colunas.join(u','), marcas.join(u','));
    }();
    return sql;
}

// A column that was not given and whose value does not depend on the row: written into the
// statement as its literal rather than bound.
std::optional<QString> literalNaoDado(const ColunaDef& c) {
    switch (c.tipo) {
    case TipoColuna::Texto:
    case TipoColuna::Memo:
        return QStringLiteral("''");
    case TipoColuna::Money:
    case TipoColuna::Numerico:
    case TipoColuna::SmallInt:
    case TipoColuna::Inteiro:
        return QStringLiteral("0");
    case TipoColuna::Binario:
        return QStringLiteral("NULL");
    case TipoColuna::DataHora:
        return std::nullopt; // the server's time
    }
    return std::nullopt;
}

const std::vector<ColunaDef>& colunasMovProduto() {
    static const std::vector<ColunaDef>& c = tabelaEmpresa(QStringLiteral("MovProduto"))->colunas;
    return c;
}

// The set of columns a row gives (or that take the server's time), one bit per column of the table.
QByteArray formaLinha(const LinhaMovProduto& linha) {
    const std::vector<ColunaDef>& cs = colunasMovProduto();
    QByteArray forma(qsizetype((cs.size() + 7) / 8), '\0');
    for (size_t i = 0; i < cs.size(); ++i)
        if (linha.tem(i) || !literalNaoDado(cs[i]))
            forma[qsizetype(i / 8)] = char(forma[qsizetype(i / 8)] | (1 << (i % 8)));
    return forma;
}

bool ligada(const QByteArray& forma, size_t i) { return forma[qsizetype(i / 8)] & (1 << (i % 8)); }

// A row's VALUES tuple: NumRegisto, then every column of the table, the columns the row leaves out
// written as literals. A posting gives some forty of the ledger's columns, and binding the other
// hundred cost more than the engine's write. Built once per set of given columns.
const QString& tuploInsercao(const QByteArray& forma) {
    thread_local QHash<QByteArray, QString> feitos;
    if (const auto it = feitos.constFind(forma); it != feitos.constEnd())
        return *it;
    const std::vector<ColunaDef>& cs = colunasMovProduto();
    QStringList marcas{QStringLiteral("?")};
    for (size_t i = 0; i < cs.size(); ++i)
        marcas << (ligada(forma, i) ? QStringLiteral("?") : *literalNaoDado(cs[i]));
    return *feitos.insert(forma, u'(' + marcas.join(u',') + u')');
}

const QString& cabecaInsercaoCompleta() {
    static const QString sql = [] {
        QStringList colunas{QStringLiteral("NumRegisto")};
        for (const ColunaDef& c : colunasMovProduto())
            colunas << c.nome;
        return QStringLiteral("INSERT INTO MovProduto (%1) VALUES ").arg(colunas.join(u','));
    }();
    return sql;
}

Resultado<> valorLinha(const ColunaDef& c, const LinhaMovProduto& linha, size_t i, const QString& agora,
                       QVariantList& valores) {
    QVariant v = valorInsercao(c, linha.tem(i), linha.valor(i), agora);
    if (c.tipo == TipoColuna::Texto && c.tamanho > 0 && linha.tem(i) && v.toString().size() > c.tamanho)
        return Falha(QStringLiteral("O valor de %1 excede %2 caracteres: %3").arg(c.nome).arg(c.tamanho).arg(v.toString()),
                     c.nome);
    valores << std::move(v);
    return {};
}

Resultado<> valoresLinha(const std::vector<ColunaDef>& colunas, const LinhaMovProduto& linha,
                         const QString& agora, QVariantList& valores) {
    for (size_t i = 0; i < colunas.size(); ++i)
        if (auto r = valorLinha(colunas[i], linha, i, agora, valores); !r)
            return r;
    return {};
}

} // namespace

namespace {
// The signed sum and the rows it counts, shared by every balance read. Built once per engine.
struct PartesSaldo {
    QString soma, linhas;
};
const PartesSaldo& partesSaldo(const Dialect& d) {
    static const auto fazer = [](const Dialect& d) {
        const QString afecta = d.emMaiusculas(QStringLiteral("AfectaStk"));
        return PartesSaldo{QStringLiteral("SUM(CASE WHEN %1 IN ('E+','S-') THEN QuantNormal ELSE -QuantNormal END)").arg(afecta),
                           QStringLiteral(" FROM MovProduto WHERE Codigo=? AND %1 IN ('E+','S-','S+','E-')").arg(afecta)};
    };
    if (d.isSQLite()) {
        static const PartesSaldo sqlite = fazer(d);
        return sqlite;
    }
    static const PartesSaldo postgres = fazer(d);
    return postgres;
}
} // namespace

QString sqlSaldoProduto(const Dialect& d) {
    const PartesSaldo& p = partesSaldo(d);
    return QStringLiteral("SELECT ") + p.soma + p.linhas;
}

QString SqlSaldosPorArmazem(const Dialect& d, const QString& codigos) {
    const PartesSaldo& p = partesSaldo(d);
    const QString afecta = d.emMaiusculas(QStringLiteral("AfectaStk"));
    return QStringLiteral("(SELECT Codigo, Armazem, %1 AS Saldo FROM MovProduto WHERE %2 IN ('E+','S-','S+','E-') AND "
                          "Codigo IN (%3) GROUP BY Codigo, Armazem)")
        .arg(p.soma, afecta, codigos);
}

Resultado<std::vector<SaldoLoteLocalizacao>> SaldosPorLoteLocalizacao(Database& db, const QString& produto,
                                                                      const QString& armazem) {
    const PartesSaldo& p = partesSaldo(db.dialect());
    const QString sql = QStringLiteral("SELECT Localizacao, Lote, DataFabrico, DataValidade, ") + p.soma + p.linhas +
                        QStringLiteral(" AND Armazem=? GROUP BY Localizacao, Lote, DataFabrico, DataValidade");
    std::vector<SaldoLoteLocalizacao> r;
    const bool lido = db.percorrer(sql, {produto, armazem}, [&](const QSqlQuery& q) {
        r.push_back({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                     q.value(3).toString(), Currency::fromVariant(q.value(4))});
    });
    if (!lido)
        return Falha(db.lastError());
    return r;
}

Resultado<std::vector<SaldoReferencia>> SaldosPorReferencia(Database& db, const QString& produto,
                                                           const QString& armazem) {
    static const QString dimensoes =
        QStringLiteral("COALESCE(Estacao,''), COALESCE(Sexo,''), COALESCE(Referencia,''), COALESCE(Modelo,''), "
                       "COALESCE(Cor,''), COALESCE(Tamanho,''), COALESCE(Comprimento,''), COALESCE(Fornece,'')");
    const PartesSaldo& p = partesSaldo(db.dialect());
    const QString sql = QStringLiteral("SELECT ") + dimensoes + QStringLiteral(", ") + p.soma + p.linhas +
                        QStringLiteral(" AND Armazem=? GROUP BY ") + dimensoes + QStringLiteral(" ORDER BY ") + dimensoes;
    std::vector<SaldoReferencia> r;
    const bool lido = db.percorrer(sql, {produto, armazem}, [&](const QSqlQuery& q) {
        SaldoReferencia s;
        for (int i = 0; i < 7; ++i)
            s.referencias[size_t(i)] = q.value(i).toString().trimmed();
        s.fornece = q.value(7).toString().trimmed();
        s.saldo = Currency::fromVariant(q.value(8));
        // Rows without any dimension are not a reference.
        if (std::any_of(s.referencias.begin(), s.referencias.end(), [](const QString& x) { return !x.isEmpty(); }))
            r.push_back(s);
    });
    if (!lido)
        return Falha(db.lastError());
    return r;
}

Resultado<> InsercaoMovProduto::juntar(Database& db, const LinhaMovProduto& linha, qint64 numRegisto) {
    const QString dado = linha.texto(ColMovProduto::DataSys);
    const QString agora =
        dado.isEmpty() ? db.agoraServidor().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : dado;
    const std::vector<ColunaDef>& cs = colunasMovProduto();
    const QByteArray forma = formaLinha(linha);
    m_valores.reserve(m_valores.size() + 48);
    m_valores << numRegisto;
    for (size_t i = 0; i < cs.size(); ++i) {
        if (ligada(forma, i)) {
            if (auto r = valorLinha(cs[i], linha, i, agora, m_valores); !r)
                return r;
        }
    }
    m_tuplos << tuploInsercao(forma);
    return {};
}

bool InsercaoMovProduto::gravar(Database& db) {
    if (m_tuplos.isEmpty())
        return true;
    const QString sql = cabecaInsercaoCompleta() + m_tuplos.join(u',');
    const bool ok = db.exec(sql, m_valores);
    m_tuplos.clear();
    m_valores.clear();
    return ok;
}

Resultado<qint64> MeteNoMovProCompleto(Database& db, const LinhaMovProduto& linha, qint64 numRegisto) {
    InsercaoMovProduto ins;
    if (auto r = ins.juntar(db, linha, numRegisto); !r)
        return r.falha();
    if (!ins.gravar(db))
        return Falha(db.lastError());
    return numRegisto;
}

Resultado<qint64> MeteNoMovPro(Database& db, const LinhaMovProduto& linha) {
    // DataSys not given takes the server's time.
    const QString dado = linha.texto(ColMovProduto::DataSys);
    const QString agora =
        dado.isEmpty() ? db.agoraServidor().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : dado;
    QVariantList valores;
    if (auto r = valoresLinha(LinhaMovProduto::colunasInsercao(), linha, agora, valores); !r)
        return r.falha();
    const auto r = db.primeiraLinha(sqlInsercao(), valores);
    const qint64 n = r ? r->value(0).toLongLong() : 0;
    if (n <= 0)
        return Falha(db.lastError());
    return n;
}

FuncaoSaldo escolherFuncaoSaldo(const FiltroSaldo& f) {
    if (f.estacao || f.sexo || f.referencia || f.modelo || f.cor || f.tamanho || f.comprimento || f.fornece)
        return FuncaoSaldo::Generica;
    if (!f.armazem)
        return f.lote ? FuncaoSaldo::ProLote : FuncaoSaldo::Pro;
    if (f.lote) {
        if (!f.localizacao)
            return FuncaoSaldo::ProArmLote;
        return (f.dataFabrico || f.dataValidade) ? FuncaoSaldo::ProArmLocLoteDatas
                                                 : FuncaoSaldo::ProArmLocLote;
    }
    return f.localizacao ? FuncaoSaldo::ProArmLoc : FuncaoSaldo::ProArm;
}

Resultado<Currency> SaldoProduto(Database& db, FuncaoSaldo funcao, const FiltroSaldo& f) {
    QString sql = sqlSaldoProduto(db.dialect());
    QVariantList v{f.produto};
    auto filtro = [&](const char* coluna, const std::optional<QString>& valor) {
        if (!valor)
            return;
        sql += QStringLiteral(" AND %1=?").arg(QLatin1String(coluna));
        v << *valor;
    };
    switch (funcao) {
    case FuncaoSaldo::Pro:
        break;
    case FuncaoSaldo::ProArm:
        filtro("Armazem", f.armazem.value_or(QString()));
        break;
    case FuncaoSaldo::ProArmLoc:
        filtro("Armazem", f.armazem.value_or(QString()));
        filtro("Localizacao", f.localizacao.value_or(QString()));
        break;
    case FuncaoSaldo::ProArmLote:
        filtro("Armazem", f.armazem.value_or(QString()));
        filtro("Lote", f.lote.value_or(QString()));
        break;
    case FuncaoSaldo::ProArmLocLoteDatas:
        filtro("DataFabrico", f.dataFabrico.value_or(QString()));
        filtro("DataValidade", f.dataValidade.value_or(QString()));
        [[fallthrough]];
    case FuncaoSaldo::ProArmLocLote:
        filtro("Armazem", f.armazem.value_or(QString()));
        filtro("Localizacao", f.localizacao.value_or(QString()));
        filtro("Lote", f.lote.value_or(QString()));
        break;
    case FuncaoSaldo::ProLote:
        filtro("Lote", f.lote.value_or(QString()));
        break;
    case FuncaoSaldo::Generica:
        filtro("Armazem", f.armazem);
        filtro("Localizacao", f.localizacao);
        filtro("Lote", f.lote);
        filtro("Estacao", f.estacao);
        filtro("Sexo", f.sexo);
        filtro("Referencia", f.referencia);
        filtro("Modelo", f.modelo);
        filtro("Cor", f.cor);
        filtro("Tamanho", f.tamanho);
        filtro("Comprimento", f.comprimento);
        filtro("Fornece", f.fornece);
        break;
    }
    const auto saldo = db.lerValor(sql, v);
    if (!saldo)
        return saldo.falha();
    return Currency::fromVariant(*saldo);
}

Resultado<Currency> SaldoProdutoArmazem(Database& db, const FiltroSaldo& f) {
    return SaldoProduto(db, escolherFuncaoSaldo(f), f);
}

Currency ExistenciaProduto(const GlobalContext& ctx, const FiltroExistencia& f) {
    Database& db = ctx.bd();
    QString sql = sqlSaldoProduto(db.dialect());
    QVariantList v{f.produto};
    auto filtro = [&](const QString& condicao, const QString& valor) {
        if (valor.isEmpty())
            return;
        sql += condicao;
        v << valor;
    };
    filtro(QStringLiteral(" AND Armazem=?"), f.armazem);
    if (!f.data.isEmpty()) {
        if (f.hora.isEmpty())
            filtro(QStringLiteral(" AND Data<=?"), f.data);
        else
            filtro(QStringLiteral(" AND Data || ' ' || Hora<=?"), f.data + u' ' + f.hora);
    }
    filtro(QStringLiteral(" AND Lote=?"), f.lote);
    filtro(QStringLiteral(" AND Localizacao=?"), f.localizacao);
    if (ctx.prontovestir != 0 &&
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM Produtos WHERE Codigo=? AND Referencia='1'"),
                  {f.produto})
                .toInt() > 0) {
        filtro(QStringLiteral(" AND Estacao=?"), f.estacao);
        filtro(QStringLiteral(" AND Sexo=?"), f.sexo);
        filtro(QStringLiteral(" AND Referencia=?"), f.referencia);
        filtro(QStringLiteral(" AND Modelo=?"), f.modelo);
        filtro(QStringLiteral(" AND Cor=?"), f.cor);
        filtro(QStringLiteral(" AND Tamanho=?"), f.tamanho);
        filtro(QStringLiteral(" AND Comprimento=?"), f.comprimento);
        filtro(QStringLiteral(" AND Fornece=?"), f.fornece);
    }
    return Currency::fromVariant(db.scalar(sql, v));
}

QString RetornaCampoTabela(Database& db, const QString& tabela, const QString& coluna, const QString& chave,
                           const QVariant& valor) {
    const TabelaDef* t = tabelaEmpresa(tabela);
    if (!t || (!t->coluna(coluna) && coluna.compare(QStringLiteral("NumRegisto"), Qt::CaseInsensitive) != 0))
        return {};
    if (chave.isEmpty())
        return db
            .scalar(QStringLiteral("SELECT %1 FROM %2 ORDER BY NumRegisto").arg(coluna, t->nome) +
                    db.dialect().limite(1))
            .toString();
    if (!t->coluna(chave) && chave.compare(QStringLiteral("NumRegisto"), Qt::CaseInsensitive) != 0)
        return {};
    return db
        .scalar(
            QStringLiteral("SELECT %1 FROM %2 WHERE %3=? ORDER BY NumRegisto").arg(coluna, t->nome, chave) +
                db.dialect().limite(1),
            {valor})
        .toString();
}

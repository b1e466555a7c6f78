#include "production/NumeracaoDocumentos.h"

#include "db/Database.h"

#include <QSqlQuery>
#include <algorithm>

namespace {

// Ledger searched for numbers already taken, by the type's module. Names from this list only.
QString tabelaDoModulo(const QString& modulo) {
    const QString m = modulo.trimmed().toUpper();
    if (m == QStringLiteral("FC") || m == QStringLiteral("CL"))
        return QStringLiteral("MovCliente");
    if (m == QStringLiteral("FF") || m == QStringLiteral("FO"))
        return QStringLiteral("MovFornece");
    if (m == QStringLiteral("BA"))
        return QStringLiteral("MovBanco");
    if (m == QStringLiteral("CA"))
        return QStringLiteral("MovCaixa");
    return QStringLiteral("MovProduto");
}

QString oitoDigitos(qint64 n) { return QString::number(n).right(8).rightJustified(8, u'0'); }

} // namespace

namespace {

// Is this number of the type taken in the year: in the module's ledger or, for stock documents,
// kept by a production lot for a document with no rows yet (its return and reinforcement), which
// the ledger does not show. Binds `valoresNumeroUsado`.
QString sqlNumeroUsado(const QString& tabela) {
    QString sql = QStringLiteral("SELECT 1 FROM %1 WHERE Tipo=? AND Ano=? AND Numero=?").arg(tabela);
    if (tabela == QLatin1String("MovProduto"))
        sql += QStringLiteral(" UNION ALL SELECT 1 FROM Lotes WHERE (tipoSaida=? AND NumeroSaida=? AND "
                              "substr(DataSaida,1,4)=?) OR (tipoent=? AND Numeroent=? AND substr(Dataent,1,4)=?) "
                              "OR (tipoRet=? AND Numeroret=? AND substr(Dataret,1,4)=?) OR (tiporef=? AND "
                              "Numeroref=? AND substr(Dataref,1,4)=?)");
    return sql;
}

void valoresNumeroUsado(QVariantList& v, const QString& tabela, const QString& tipo, const QString& ano,
                        const QString& numero) {
    v << tipo << ano << numero;
    if (tabela == QLatin1String("MovProduto"))
        for (int i = 0; i < 4; ++i)
            v << tipo << numero << ano;
}

QString chaveTipo(const QString& tipo) { return tipo.trimmed().toUpper(); }

// The counter's text as the number it holds; 0 for blanks or anything but digits.
QString numeroDoContador(const Dialect& d, const QString& coluna) {
    const QString limpo = QStringLiteral("trim(COALESCE(%1,''))").arg(coluna);
    return QStringLiteral("CASE WHEN %1 THEN %2 ELSE 0 END").arg(d.soDigitos(limpo), d.paraNumero(limpo));
}

} // namespace

Resultado<QString> ProximoNumTabTipoMov(Database& db, const QString& tipo, const QString& data,
                                        const QStringList& reservados) {
    const auto lida = db.lerPrimeiraLinha(
        QStringLiteral("SELECT UltNumero, IncrementaMes, ControloHash, Modulo FROM TabTipoMov WHERE Codigo=? "
                       "ORDER BY NumRegisto") +
            db.dialect().limite(1),
        {tipo});
    if (!lida)
        return lida.falha();
    const std::optional<QVariantList>& r = *lida;
    // Numbering a type nobody defined would hand "00000001" to every document of it.
    if (!r)
        return Falha(QStringLiteral("O tipo de movimento %1 não existe na tabela de tipos de movimento.").arg(tipo));
    qint64 proximo = r->at(0).toString().trimmed().right(8).toLongLong() + 1;
    const bool mensal = r->at(1).toInt() != 0;
    const bool hash = r->at(2).toInt() != 0;
    const QString tabela = tabelaDoModulo(r->at(3).toString());
    const QString ano = data.left(4);
    const Dialect& d = db.dialect();
    if (mensal) {
        const auto n = db.lerValor(QStringLiteral("SELECT Numero FROM %1 WHERE Tipo=? AND substr(Data,1,7)=? "
                                                  "ORDER BY Numero DESC")
                                           .arg(tabela) +
                                       d.limite(1),
                                   {tipo, data.left(7)});
        if (!n)
            return n.falha();
        proximo = n->toString().trimmed().toLongLong() + 1;
    }
    if (hash) {
        const auto n = db.lerValor(QStringLiteral("SELECT MAX(%1) FROM %2 WHERE Tipo=? AND Ano=? AND %3")
                                       .arg(d.paraNumero(QStringLiteral("Numero")), tabela,
                                            d.soDigitos(QStringLiteral("Numero"))),
                                   {tipo, ano});
        if (!n)
            return n.falha();
        proximo = qMax(proximo, qint64(n->toDouble()) + 1);
    }
    // A counter behind the ledger (another program, a restored copy) must not give a number twice.
    const QString sqlUsado = QStringLiteral("SELECT 1 FROM (") + sqlNumeroUsado(tabela) + QStringLiteral(") x") +
                             d.limite(1);
    for (;; ++proximo) {
        const QString numero = oitoDigitos(proximo);
        if (reservados.contains(numero))
            continue;
        QVariantList v;
        valoresNumeroUsado(v, tabela, tipo, ano, numero);
        const auto usado = db.lerValor(sqlUsado, v);
        if (!usado)
            return usado.falha();
        if (!usado->isValid())
            return numero;
    }
}

Resultado<QStringList> ProximosNumTabTipoMov(Database& db, const QStringList& tipos, const QString& data,
                                             const QHash<QString, QStringList>& reservados) {
    auto umAUm = [&]() -> Resultado<QStringList> {
        QHash<QString, QStringList> tomados = reservados;
        QStringList r;
        for (const QString& tipo : tipos) {
            QStringList& doTipo = tomados[chaveTipo(tipo)];
            const auto n = ProximoNumTabTipoMov(db, tipo, data, doTipo);
            if (!n)
                return n.falha();
            r << *n;
            doTipo << *n;
        }
        return r;
    };
    if (tipos.size() < 2)
        return umAUm();

    // The counters of all the types in one read; the first row of each code, as one by one.
    QStringList distintos;
    for (const QString& t : tipos)
        if (!distintos.contains(t))
            distintos << t;
    QString marcas = QStringLiteral("?");
    for (qsizetype i = 1; i < distintos.size(); ++i)
        marcas += QStringLiteral(",?");
    QVariantList v;
    for (const QString& t : distintos)
        v << t;
    QHash<QString, qint64> proximo;
    bool simples = true;
    const bool lido = db.percorrer(
        QStringLiteral("SELECT Codigo, UltNumero, IncrementaMes, ControloHash, Modulo FROM TabTipoMov WHERE Codigo "
                       "IN (%1) ORDER BY NumRegisto")
            .arg(marcas),
        v, [&](const QSqlQuery& q) {
            const QString codigo = q.value(0).toString();
            if (!distintos.contains(codigo) || proximo.contains(codigo))
                return;
            proximo.insert(codigo, q.value(1).toString().trimmed().right(8).toLongLong() + 1);
            if (q.value(2).toInt() != 0 || q.value(3).toInt() != 0 ||
                tabelaDoModulo(q.value(4).toString()) != QLatin1String("MovProduto"))
                simples = false;
        });
    if (!lido)
        return Falha(db.lastError());
    // Monthly or hash numbering, another module's ledger, a code the engine matched otherwise or
    // a missing type (whose refusal the single reading gives) go one by one.
    if (!simples || proximo.size() != distintos.size())
        return umAUm();

    // Each its counter's next number past the reserved ones, then all asked about in one read.
    QHash<QString, QStringList> tomados = reservados;
    QStringList numeros;
    QString sqlUsados;
    QVariantList valores;
    const QString ano = data.left(4);
    for (const QString& tipo : tipos) {
        QStringList& doTipo = tomados[chaveTipo(tipo)];
        qint64& n = proximo[tipo];
        while (doTipo.contains(oitoDigitos(n)))
            ++n;
        const QString numero = oitoDigitos(n++);
        doTipo << numero;
        numeros << numero;
        if (!sqlUsados.isEmpty())
            sqlUsados += QStringLiteral(" UNION ALL ");
        sqlUsados += QStringLiteral("SELECT 1 WHERE EXISTS (") + sqlNumeroUsado(QStringLiteral("MovProduto")) + u')';
        valoresNumeroUsado(valores, QStringLiteral("MovProduto"), tipo, ano, numero);
    }
    const auto usado = db.lerValor(sqlUsados, valores);
    if (!usado)
        return usado.falha();
    // A counter behind the ledger: the reading one by one walks past the numbers taken.
    if (usado->isValid())
        return umAUm();
    return numeros;
}

bool ActualizaUltNumero(Database& db, const QString& tipo, const QString& numero) {
    return ActualizaUltNumeros(db, {{tipo, numero}});
}

bool ActualizaUltNumeros(Database& db, const QList<QPair<QString, QString>>& numeros) {
    // The highest number of each type; the counter is raised only where it is behind it, in one
    // statement that reads the counter where it writes it.
    QList<QPair<QString, qint64>> maiores;
    QHash<QString, QString> texto;
    for (const auto& [tipo, numero] : numeros) {
        const qint64 n = numero.toLongLong();
        auto it = std::find_if(maiores.begin(), maiores.end(), [&](const auto& m) { return m.first == tipo; });
        if (it == maiores.end())
            maiores.append({tipo, n});
        else if (n <= it->second)
            continue;
        else
            it->second = n;
        texto[tipo] = numero;
    }
    if (maiores.isEmpty())
        return true;
    QString novo = QStringLiteral("CASE Codigo"), limite = QStringLiteral("CASE Codigo"), marcas;
    QVariantList vNovo, vLimite, vCodigos;
    for (const auto& [tipo, n] : maiores) {
        novo += QStringLiteral(" WHEN ? THEN ?");
        limite += QStringLiteral(" WHEN ? THEN ?");
        marcas += marcas.isEmpty() ? QStringLiteral("?") : QStringLiteral(",?");
        vNovo << tipo << texto.value(tipo);
        vLimite << tipo << n;
        vCodigos << tipo;
    }
    novo += QStringLiteral(" END");
    limite += QStringLiteral(" END");
    const Dialect& d = db.dialect();
    return db.exec(QStringLiteral("UPDATE TabTipoMov SET UltNumero=%1 WHERE Codigo IN (%2) AND %3 < %4")
                       .arg(novo, marcas, numeroDoContador(d, QStringLiteral("UltNumero")), d.paraNumero(limite)),
                   vNovo + vCodigos + vLimite);
}

bool ActualizaUltLote(Database& db, const QString& lote) {
    const Dialect& d = db.dialect();
    return db.exec(QStringLiteral("UPDATE configProd SET UltLote=? WHERE %1 < %2")
                       .arg(numeroDoContador(d, QStringLiteral("UltLote")), d.paraNumero(QStringLiteral("?"))),
                   {lote, lote.toLongLong()});
}

bool BloqueiaProducao(Database& db) {
    const int bloqueadas = db.executarContando(QStringLiteral("UPDATE LockPro SET Tmp=1"));
    return bloqueadas > 0 || (bloqueadas == 0 && db.insert(QStringLiteral("LockPro"), Registo()("Tmp", 1)) > 0);
}

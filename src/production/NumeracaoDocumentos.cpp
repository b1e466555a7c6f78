#include "production/NumeracaoDocumentos.h"

#include "db/Database.h"

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
    // A counter behind the ledger (another program, a restored copy) must not give a number twice;
    // nor may a number a production lot keeps for a document with no rows yet (its return and
    // reinforcement), which the ledger does not show. One read per candidate asks both.
    const bool stock = tabela == QStringLiteral("MovProduto");
    QString sqlUsado = QStringLiteral("SELECT 1 FROM %1 WHERE Tipo=? AND Ano=? AND Numero=?").arg(tabela);
    if (stock)
        sqlUsado = QStringLiteral("SELECT 1 FROM (") + sqlUsado +
                   QStringLiteral(" UNION ALL SELECT 1 FROM Lotes WHERE (tipoSaida=? AND NumeroSaida=? AND "
                                  "substr(DataSaida,1,4)=?) OR (tipoent=? AND Numeroent=? AND substr(Dataent,1,4)=?) "
                                  "OR (tipoRet=? AND Numeroret=? AND substr(Dataret,1,4)=?) OR (tiporef=? AND "
                                  "Numeroref=? AND substr(Dataref,1,4)=?)) x");
    sqlUsado += d.limite(1);
    for (;; ++proximo) {
        const QString numero = oitoDigitos(proximo);
        if (reservados.contains(numero))
            continue;
        QVariantList v{tipo, ano, numero};
        if (stock)
            for (int i = 0; i < 4; ++i)
                v << tipo << numero << ano;
        const auto usado = db.lerValor(sqlUsado, v);
        if (!usado)
            return usado.falha();
        if (!usado->isValid())
            return numero;
    }
}

bool ActualizaUltNumero(Database& db, const QString& tipo, const QString& numero) {
    const auto lido =
        db.lerValor(QStringLiteral("SELECT UltNumero FROM TabTipoMov WHERE Codigo=? ORDER BY NumRegisto") +
                        db.dialect().limite(1),
                    {tipo});
    if (!lido)
        return false;
    const QVariant& actual = *lido;
    if (actual.isValid() && actual.toString().trimmed().toLongLong() >= numero.toLongLong())
        return true;
    return db.exec(QStringLiteral("UPDATE TabTipoMov SET UltNumero=? WHERE Codigo=?"), {numero, tipo});
}

bool BloqueiaProducao(Database& db) {
    const int bloqueadas = db.executarContando(QStringLiteral("UPDATE LockPro SET Tmp=1"));
    return bloqueadas > 0 || (bloqueadas == 0 && db.insert(QStringLiteral("LockPro"), Registo()("Tmp", 1)) > 0);
}

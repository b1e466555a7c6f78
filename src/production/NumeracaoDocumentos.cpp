#include "production/NumeracaoDocumentos.h"

#include "shell/Database.h"

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

QString ProximoNumTabTipoMov(Database& db, const QString& tipo, const QString& data, QString* erro) {
    auto falha = [&] {
        if (erro)
            *erro = db.lastError();
        return QString();
    };
    bool ok = false;
    const auto r = db.primeiraLinha(
        QStringLiteral("SELECT UltNumero, IncrementaMes, ControloHash, Modulo FROM TabTipoMov WHERE Codigo=? "
                       "ORDER BY NumRegisto") +
            db.dialect().limite(1),
        {tipo}, &ok);
    if (!ok)
        return falha();
    if (!r)
        return QStringLiteral("00000001");
    qint64 proximo = r->at(0).toString().trimmed().right(8).toLongLong() + 1;
    const bool mensal = r->at(1).toInt() != 0;
    const bool hash = r->at(2).toInt() != 0;
    const QString tabela = tabelaDoModulo(r->at(3).toString());
    const QString ano = data.left(4);
    const Dialect& d = db.dialect();
    if (mensal) {
        const QVariant n = db.scalar(QStringLiteral("SELECT Numero FROM %1 WHERE Tipo=? AND substr(Data,1,7)=? "
                                                    "ORDER BY Numero DESC")
                                             .arg(tabela) +
                                         d.limite(1),
                                     {tipo, data.left(7)}, &ok);
        if (!ok)
            return falha();
        proximo = n.toString().trimmed().toLongLong() + 1;
    }
    if (hash) {
        const QVariant n = db.scalar(QStringLiteral("SELECT MAX(%1) FROM %2 WHERE Tipo=? AND Ano=? AND %3")
                                         .arg(d.paraNumero(QStringLiteral("Numero")), tabela,
                                              d.soDigitos(QStringLiteral("Numero"))),
                                     {tipo, ano}, &ok);
        if (!ok)
            return falha();
        proximo = qMax(proximo, qint64(n.toDouble()) + 1);
    }
    // A counter behind the ledger (another program, a restored copy) must not give a number twice.
    for (;;) {
        const QString numero = oitoDigitos(proximo);
        const QVariant usado = db.scalar(
            QStringLiteral("SELECT 1 FROM %1 WHERE Tipo=? AND Ano=? AND Numero=?").arg(tabela) + d.limite(1),
            {tipo, ano, numero}, &ok);
        if (!ok)
            return falha();
        if (!usado.isValid())
            return numero;
        ++proximo;
    }
}

bool ActualizaUltNumero(Database& db, const QString& tipo, const QString& numero) {
    bool ok = false;
    const QVariant actual =
        db.scalar(QStringLiteral("SELECT UltNumero FROM TabTipoMov WHERE Codigo=? ORDER BY NumRegisto") +
                      db.dialect().limite(1),
                  {tipo}, &ok);
    if (!ok)
        return false;
    if (actual.isValid() && actual.toString().trimmed().toLongLong() >= numero.toLongLong())
        return true;
    return db.exec(QStringLiteral("UPDATE TabTipoMov SET UltNumero=? WHERE Codigo=?"), {numero, tipo});
}

#include "db/Database.h"
#include "company/GlobalContext.h"
#include "db/Identificador.h"
#include "company/Mavo.h"

#include <QSqlQuery>
#include <QSqlRecord>

Database& Mavo::bd(Database* ligacao) const { return ligacao ? *ligacao : m_ctx.bd(); }

QVariant Mavo::Select_Retorna_Campo_var(const QString& sql, const QVariantList& valores, const QString& coluna,
                                        bool numerico, Database* ligacao) {
    const QVariant vazio = numerico ? QVariant(0) : QVariant(QString());
    auto q = bd(ligacao).query(sql, valores);
    if (!q || !q->next())
        return vazio;
    const int i = q->record().indexOf(coluna);
    if (i < 0)
        return vazio;
    const QVariant v = q->value(i);
    return v.isNull() ? vazio : v;
}

QString Mavo::GetProximoCodigo(Database& ligacao, const QString& tabela, const QString& coluna,
                               const QString& condicaoExtra, const QVariantList& valoresExtra) {
    if (!identificadorValido(tabela) || !identificadorValido(coluna))
        return QStringLiteral("1");
    const Dialect& d = ligacao.dialect();
    // Only codes made of digits count: "A1" or "12\3" are never taken as numbers.
    const QString sql = QStringLiteral("SELECT MAX(%1) FROM %2 WHERE %3 %4")
                            .arg(d.paraNumero(coluna), tabela, d.soDigitos(coluna), condicaoExtra);
    const Currency maximo = Currency::fromVariant(ligacao.lerValor(sql, valoresExtra).valorOu(QVariant()));
    return (maximo.rounded(0, Currency::Arredondamento::Trunca) + Currency(1)).toShortString();
}

qint64 Mavo::ContaRegistos_lng(const QString& tabela, const QString& chave, const QString& condicao,
                               const QVariantList& valores, bool distinto, Database* ligacao) {
    if (!identificadorValido(tabela))
        return 0;
    QString k = chave.trimmed();
    if (k.isEmpty()) {
        const QString t = tabela.toUpper();
        k = t == QStringLiteral("PCAMPOS")       ? QStringLiteral("ID")
            : t == QStringLiteral("PDOCUMENTOS") ? QStringLiteral("Record")
            : t == QStringLiteral("LINREC")      ? QStringLiteral("NumRegsito")
                                                 : QStringLiteral("NumRegisto");
    }
    QString expr;
    if (k == QStringLiteral("*"))
        expr = QStringLiteral("COUNT(*)");
    else if (identificadorValido(k))
        expr = distinto ? QStringLiteral("COUNT(DISTINCT %1.%2)").arg(tabela, k)
                        : QStringLiteral("COUNT(%1.%2)").arg(tabela, k);
    else
        return 0;
    return bd(ligacao).scalar(QStringLiteral("SELECT %1 FROM %2 %3").arg(expr, tabela, condicao), valores).toLongLong();
}

QDateTime Mavo::Get_DataSysServer() { return bd(nullptr).agoraServidor(); }

QString Mavo::Get_DataServer() { return Get_DataSysServer().toString(QStringLiteral("dd-MM-yyyy")); }

QString Mavo::Get_DataServerStr() { return Get_DataSysServer().toString(QStringLiteral("yyyy-MM-dd")); }

bool Mavo::Cria_Tabela_Temporaria(Database& ligacao, const QString& nome) {
    if (!identificadorValido(nome))
        return false;
    return ligacao.exec(ligacao.dialect().criarTabelaTemporaria(nome));
}

bool Mavo::Elimina_Tabela_Temporaria(Database& ligacao, const QString& nome) {
    if (!identificadorValido(nome))
        return false;
    return ligacao.exec(QStringLiteral("DROP TABLE %1").arg(nome));
}

bool Mavo::Ver_Se_Existe_Tabela_bln(const QString& tabela, Database* ligacao) {
    Database& d = bd(ligacao);
    return identificadorValido(tabela) && d.dialect().existeTabela(d, tabela);
}

void Mavo::Fecha_Conneccao(Database* ligacao) {
    if (ligacao && ligacao->isOpen())
        ligacao->close();
}

bool Mavo::Testa_Connection(Database* ligacao) {
    if (!ligacao || !ligacao->isOpen())
        return false;
    return ligacao->lerValor(QStringLiteral("SELECT %1").arg(ligacao->dialect().agora())).ok();
}

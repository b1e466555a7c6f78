#include "db/esquema/EsquemaRotinas.h"

#include "db/Database.h"
#include "db/Identificador.h"

bool ExisteTabela(Database& db, const QString& tabela) {
    return identificadorValido(tabela) && db.dialect().existeTabela(db, tabela);
}

bool ExisteCampo(Database& db, const QString& tabela, const QString& coluna) {
    return identificadorValido(tabela) && identificadorValido(coluna) && db.dialect().existeCampo(db, tabela, coluna);
}

bool CriaTabela(Database& db, const QString& tabela) {
    if (!identificadorValido(tabela))
        return false;
    return db.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(tabela, db.dialect().colunaIdentidade()));
}

bool AdicionaCampo(Database& db, const QString& tabela, const ColunaDef& coluna) {
    if (!identificadorValido(tabela) || !identificadorValido(coluna.nome))
        return false;
    // Checking first keeps a PostgreSQL transaction usable: a failed ALTER would abort it.
    if (db.dialect().existeCampo(db, tabela, coluna.nome))
        return true;
    return db.exec(
        QStringLiteral("ALTER TABLE %1 ADD %2 %3").arg(tabela, coluna.nome, db.dialect().tipoColuna(coluna)));
}

bool CriaIndice(Database& db, const QString& tabela, const QString& nome, const QStringList& colunas, bool unico) {
    if (!identificadorValido(tabela) || !identificadorValido(nome) || colunas.isEmpty())
        return false;
    for (const QString& c : colunas)
        if (!identificadorValido(c))
            return false;
    return db.exec(QStringLiteral("CREATE %1INDEX IF NOT EXISTS %2 ON %3 (%4)")
                       .arg(unico ? QStringLiteral("UNIQUE ") : QString(), nome, tabela, colunas.join(u',')));
}

#pragma once

#include "common/Resultado.h"
#include "db/Database.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class Database;

// The next document number of a movement type for a document dated `data` ("yyyy-mm-dd"):
// TabTipoMov.UltNumero + 1, or, with monthly numbering, the month's highest number + 1, or, with
// hash control, the year's highest number + 1; never a number already used by that type in that
// year in the module's ledger, reserved by a production lot record, or listed in `reservados`
// (numbers this posting already took). 8 characters left-filled with "0"; refused when the type
// does not exist or a read fails. Run inside the posting transaction, after the posting lock.
Resultado<QString> ProximoNumTabTipoMov(Database& db, const QString& tipo, const QString& data,
                                        const QStringList& reservados = {});

// The next numbers of several documents at once, in order (documents of one type get distinct
// numbers); `reservados` by type, upper case, as above. Two reads when the types number plainly
// from their counters; otherwise one by one.
Resultado<QStringList> ProximosNumTabTipoMov(Database& db, const QStringList& tipos, const QString& data,
                                             const QHash<QString, QStringList>& reservados = {});

// Raises TabTipoMov.UltNumero of the type to the number when the number is greater.
bool ActualizaUltNumero(Database& db, const QString& tipo, const QString& numero);
// The same for several (type, number) pairs, in one statement.
bool ActualizaUltNumeros(Database& db, const QList<QPair<QString, QString>>& numeros);
// Raises configProd.UltLote to the lot when the lot is greater.
bool ActualizaUltLote(Database& db, const QString& lote);

// Takes the posting lock (the single LockPro row, created when missing) inside the caller's
// transaction: every other production posting waits here until this transaction ends.
[[nodiscard]] bool BloqueiaProducao(Database& db);

// A transaction that holds the posting lock from its start; rolled back unless committed.
class TransaccaoProducao {
public:
    explicit TransaccaoProducao(Database& db) : m_t(db), m_ok(m_t.ok() && BloqueiaProducao(db)) {}
    bool ok() const { return m_ok; }
    [[nodiscard]] bool commit() { return m_t.commit(); }

private:
    Transaction m_t;
    bool m_ok;
};

// Times the operations that matter to users on a synthetic company, each beside its floor:
// the same rows written or read by the plainest SQL the engine allows, in the same run.
//
//   lumo_bench [--motor sqlite|postgres] [--caso lancamento|saldo-lote|entrada|todos] [--max N]
// PostgreSQL is reached through LUMO_PG_HOST, LUMO_PG_PORT, LUMO_PG_USER, LUMO_PG_PASSWORD.
// --max caps the largest ledger (default 1000000) for quick runs.

#include "bench/Bancada.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString motor = QStringLiteral("sqlite");
    QString caso = QStringLiteral("todos");
    qint64 maximo = 1000000;
    const QStringList a = app.arguments();
    for (int i = 1; i + 1 < a.size(); ++i) {
        if (a[i] == QStringLiteral("--motor"))
            motor = a[i + 1];
        else if (a[i] == QStringLiteral("--caso"))
            caso = a[i + 1];
        else if (a[i] == QStringLiteral("--max"))
            maximo = a[i + 1].toLongLong();
    }
    Bancada b(motor == QStringLiteral("postgres") ? Dialect::Motor::PostgreSQL : Dialect::Motor::SQLite, maximo);
    if (!b.preparada()) {
        QTextStream(stderr) << b.erro() << "\n";
        return 1;
    }
    if (caso == QStringLiteral("todos") || caso == QStringLiteral("lancamento"))
        b.lancamentoContraInsercao();
    if (caso == QStringLiteral("todos") || caso == QStringLiteral("saldo-lote"))
        b.saldoDeLote();
    if (caso == QStringLiteral("todos") || caso == QStringLiteral("entrada"))
        b.entradaNoFimDoHistorico();
    return 0;
}

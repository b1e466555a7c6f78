// Times the operations that matter to users on a synthetic company, each beside its floor:
// the same rows written or read by the plainest SQL the engine allows, in the same run.
//
//   lumo_bench [--motor sqlite|postgres] [--caso NOME|todos] [--max N]
// PostgreSQL is reached through LUMO_PG_HOST, LUMO_PG_PORT, LUMO_PG_USER, LUMO_PG_PASSWORD.
// --max caps the largest generated table (default 1000000) for quick runs.

#include "bench/CasosBancada.h"

#include <QApplication>
#include <QTextStream>

std::vector<CasoBancada>& casosBancada() {
    static std::vector<CasoBancada> casos;
    return casos;
}

int main(int argc, char** argv) {
    // Print cases need fonts and paint devices; offscreen works on a machine with no display.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    OpcoesBancada op;
    QString caso = QStringLiteral("todos");
    const QStringList a = app.arguments();
    for (int i = 1; i + 1 < a.size(); ++i) {
        if (a[i] == QStringLiteral("--motor"))
            op.motor = a[i + 1] == QStringLiteral("postgres") ? Dialect::Motor::PostgreSQL : Dialect::Motor::SQLite;
        else if (a[i] == QStringLiteral("--caso"))
            caso = a[i + 1];
        else if (a[i] == QStringLiteral("--max"))
            op.maximo = a[i + 1].toLongLong();
    }
    int rc = 0;
    bool algum = false;
    for (const CasoBancada& c : casosBancada()) {
        if (caso != QStringLiteral("todos") && caso != c.nome)
            continue;
        algum = true;
        if (c.correr(op) != 0)
            rc = 1;
    }
    if (!algum) {
        QStringList nomes;
        for (const CasoBancada& c : casosBancada())
            nomes << c.nome;
        QTextStream(stderr) << "Caso desconhecido: " << caso << " (casos: " << nomes.join(u", ") << ")\n";
        return 2;
    }
    return rc;
}

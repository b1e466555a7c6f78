// Times the operations that matter to users on a synthetic company, each beside its floor:
// the same rows written or read by the plainest SQL the engine allows, in the same run.
//
//   lumo_bench [--motor sqlite|postgres] [--linhas N]
// PostgreSQL is reached through LUMO_PG_HOST, LUMO_PG_PORT, LUMO_PG_USER, LUMO_PG_PASSWORD.

#include "common/Currency.h"
#include "shell/AdminServidor.h"
#include "shell/Database.h"
#include "shell/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTextStream>
#include <QUuid>
#include <functional>

namespace {
QTextStream saida(stdout);

double medir(const std::function<void()>& f) {
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

void linha(const QString& nome, double ms, double chao) {
    saida << QStringLiteral("%1  %2 ms  (chão %3 ms, razão %4)\n")
                 .arg(nome, -40)
                 .arg(ms, 10, 'f', 1)
                 .arg(chao, 10, 'f', 1)
                 .arg(chao > 0 ? ms / chao : 0.0, 6, 'f', 2);
    saida.flush();
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString motor = QStringLiteral("sqlite");
    int linhas = 20000;
    const QStringList a = app.arguments();
    for (int i = 1; i + 1 < a.size(); ++i) {
        if (a[i] == QStringLiteral("--motor"))
            motor = a[i + 1];
        else if (a[i] == QStringLiteral("--linhas"))
            linhas = a[i + 1].toInt();
    }

    ConnectionParams p;
    QString pastaTemp;
    if (motor == QStringLiteral("postgres")) {
        p.motor = Dialect::Motor::PostgreSQL;
        p.host = qEnvironmentVariable("LUMO_PG_HOST", QStringLiteral("127.0.0.1"));
        p.porta = qEnvironmentVariableIntValue("LUMO_PG_PORT") > 0 ? qEnvironmentVariableIntValue("LUMO_PG_PORT") : 5432;
        p.login = qEnvironmentVariable("LUMO_PG_USER", QStringLiteral("lumo"));
        p.password = qEnvironmentVariable("LUMO_PG_PASSWORD");
    } else {
        pastaTemp = QDir::tempPath() + QStringLiteral("/lumo_bench");
        QDir().mkpath(pastaTemp);
        p.pasta = pastaTemp;
    }
    const QString nome = QStringLiteral("lumo_bench_%1").arg(QUuid::createUuid().toString(QUuid::Id128).left(12));
    QString erro;
    if (!AdminServidor::criarBaseDados(p, nome, &erro)) {
        QTextStream(stderr) << erro << "\n";
        return 1;
    }
    p.baseDados = nome;
    auto db = Database::open(p, &erro);
    if (!db || !aplicarEsquemaEmpresa(*db, &erro)) {
        QTextStream(stderr) << erro << "\n";
        return 1;
    }
    saida << "Motor: " << motor << ", linhas: " << linhas << "\n";

    const QStringList colunas{"Codigo", "Tipo", "Numero", "Ano", "Data", "Armazem", "AfectaStk", "QuantNormal", "Preco"};
    auto valores = [](int i) {
        return QVariantList{QStringLiteral("P%1").arg(i % 200, 5, 10, QChar(u'0')), "SI", QString::number(i / 10), "2026",
                            "2026-01-15", "001", (i % 3 == 0) ? "S+" : "E+",
                            Currency::fromRaw(10000 + i % 7777).toVariant(), Currency::fromRaw(123456).toVariant()};
    };

    // Writing ledger rows through the data layer (bound values, new NumRegisto returned) ...
    const double escrita = medir([&] {
        Transaction tr(*db);
        for (int i = 0; i < linhas; ++i)
            db->insert("MovProduto", colunas, valores(i));
        tr.commit();
    });
    // ... beside one statement prepared once and executed for every row.
    const double escritaChao = medir([&] {
        Transaction tr(*db);
        QSqlQuery q(db->qdb());
        q.prepare("INSERT INTO MovProduto (Codigo,Tipo,Numero,Ano,Data,Armazem,AfectaStk,QuantNormal,Preco) "
                  "VALUES (?,?,?,?,?,?,?,?,?)");
        for (int i = 0; i < linhas; ++i) {
            const QVariantList v = valores(i);
            for (int k = 0; k < v.size(); ++k)
                q.bindValue(k, v[k]);
            q.exec();
        }
        tr.commit();
    });
    linha(QStringLiteral("Gravar movimentos (por linha)"), escrita, escritaChao);

    // Stock of every product: signed sum by effect, beside a plain sum of the same rows.
    Currency total;
    const double saldo = medir([&] {
        auto q = db->query("SELECT Codigo, SUM(CASE WHEN AfectaStk IN ('E+','S-') THEN QuantNormal "
                           "ELSE -QuantNormal END) FROM MovProduto GROUP BY Codigo");
        while (q && q->next())
            total += Currency::fromVariant(q->value(1));
    });
    const double saldoChao = medir([&] {
        QSqlQuery q(db->qdb());
        q.exec("SELECT Codigo, SUM(QuantNormal) FROM MovProduto GROUP BY Codigo");
        while (q.next()) {
        }
    });
    linha(QStringLiteral("Saldo de todos os produtos"), saldo, saldoChao);

    db->close();
    db.reset();
    AdminServidor::apagarBaseDados(p, nome);
    if (!pastaTemp.isEmpty())
        QDir(pastaTemp).removeRecursively();
    return 0;
}

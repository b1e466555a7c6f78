// Company backup and restore on a ledger of 10^6 rows, beside the engine's own dump piped into a new
// database (sqlite3 .dump | sqlite3, pg_dump | psql -f -) of the same company. --max N for fewer rows.
#include "bench/BaseTemporaria.h"
#include "bench/CasosBancada.h"
#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "db/AdminServidor.h"
#include "session/CopiaSeguranca.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

QString codigoNovo() {
    static const QString letras = QStringLiteral("ABCDEFGHJKLMNPQRSTUVWXYZ");
    QString c = QStringLiteral("B");
    for (int i = 0; i < 3; ++i)
        c += letras[QRandomGenerator::global()->bounded(int(letras.size()))];
    return c;
}

// The plain dump of one database piped into another, made empty beforehand.
void despejo(const ConnectionParams& srv, const QString& origem, const QString& destino) {
    QProcess dump, carga;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (srv.motor == Dialect::Motor::PostgreSQL) {
        env.insert(QStringLiteral("PGPASSWORD"), srv.password);
        exigir(AdminServidor::criarBaseDados(srv, destino), "base de dados do despejo");
        const QStringList ligacao{QStringLiteral("-h"), srv.host, QStringLiteral("-p"), QString::number(srv.porta),
                                  QStringLiteral("-U"), srv.login};
        dump.setProcessEnvironment(env);
        carga.setProcessEnvironment(env);
        dump.setStandardOutputProcess(&carga);
        dump.start(QStringLiteral("pg_dump"), ligacao + QStringList{QStringLiteral("-d"), origem});
        carga.start(QStringLiteral("psql"), ligacao + QStringList{QStringLiteral("-q"), QStringLiteral("-d"), destino,
                                                                  QStringLiteral("-f"), QStringLiteral("-")});
    } else {
        dump.setStandardOutputProcess(&carga);
        dump.start(QStringLiteral("sqlite3"), {QDir(srv.pasta).filePath(origem + QStringLiteral(".db")), QStringLiteral(".dump")});
        carga.start(QStringLiteral("sqlite3"), {QDir(srv.pasta).filePath(destino + QStringLiteral(".db"))});
    }
    exigir(dump.waitForFinished(-1) && dump.exitCode() == 0, "despejo");
    exigir(carga.waitForFinished(-1) && carga.exitCode() == 0, "carga do despejo");
}

int correr(const OpcoesBancada& op) {
    const qint64 n = std::min<qint64>(1000000, op.maximo);
    QTemporaryDir pasta;
    ConnectionParams srv;
    if (op.motor == Dialect::Motor::PostgreSQL) {
        srv = ConnectionParams::postgres(qEnvironmentVariable("LUMO_PG_HOST", QStringLiteral("127.0.0.1")),
                                         qEnvironmentVariableIntValue("LUMO_PG_PORT") > 0
                                             ? qEnvironmentVariableIntValue("LUMO_PG_PORT")
                                             : 5432);
        srv.login = qEnvironmentVariable("LUMO_PG_USER", QStringLiteral("lumo"));
        srv.password = qEnvironmentVariable("LUMO_PG_PASSWORD");
        srv.autenticacao = QStringLiteral("SQL");
    } else {
        srv = ConnectionParams::sqlite(pasta.path());
    }
    srv.tempoComando = 0;
    const QString origem = codigoNovo(), reposta = codigoNovo();
    const QString despejado = QStringLiteral("lumo_bench_despejo_%1").arg(reposta.toLower());
    if (auto r = criarEmpresa(srv, origem, QStringLiteral("Bancada de cópias"), 2026); !r) {
        saidaBancada() << "segurancas: " << r.mensagem() << "\n";
        return 1;
    }
    GlobalContext ctx;
    exigir(abrirEmpresa(ctx, srv, origem), "abrir a empresa");
    ctx.CodigoUtilizador = QStringLiteral("01");
    {
        Database& db = ctx.bd();
        const Dialect& d = db.dialect();
        Transaction t(db);
        // The company's connection has a command time-out; generating 10^6 rows may outlast it.
        if (!d.isSQLite())
            exigir(db.exec(QStringLiteral("SET LOCAL statement_timeout = 0")), "tempo dos comandos");
        exigir(db.exec(QStringLiteral("INSERT INTO MovProduto (Codigo, Tipo, Numero, Ano, Data, QuantNormal, Preco, "
                                      "PMCusto, Armazem) SELECT 'P' || %1, 'ENT', %2, '2026', '2026-01-01', 1.5, "
                                      "2.2500, 2.2500, '001' FROM %3")
                           .arg(d.paraTexto(QStringLiteral("(i % 1000)")), d.paraTexto(QStringLiteral("i")), d.serie(n))),
               "movimentos");
        exigir(t.commit(), "movimentos");
    }
    // The floor first: each figure is printed as soon as it is measured, so a long run that is cut
    // short still tells what it got to.
    const double chao = medirUmaVez([&] { despejo(srv, nomeBaseDadosEmpresa(origem), despejado); });
    linhaBancada(QStringLiteral("segurancas: despejo da base de %1 movimentos").arg(n), chao, chao);
    QTemporaryDir destino;
    QString ficheiro;
    const double copia = medirUmaVez([&] {
        const auto r = CopiarEmpresa(ctx, destino.path());
        exigir(r, "cópia");
        ficheiro = r->ficheiro;
    });
    linhaBancada(QStringLiteral("segurancas: só a cópia (%1 KiB)").arg(QFileInfo(ficheiro).size() >> 10), copia, chao);
    ctx.bd().close();
    ctx.LigacaoEmpresa.reset();
    const double repor = medirUmaVez([&] { exigir(ReporEmpresa(srv, ficheiro, reposta), "reposição"); });
    linhaBancada(QStringLiteral("segurancas: só a reposição"), repor, chao);
    {   // a fast load that lost rows would be no figure at all
        const auto db = Database::open(ligacaoEmpresa(srv, reposta));
        exigir(db && (*db)->scalar(QStringLiteral("SELECT COUNT(*) FROM MovProduto")).toLongLong() == n,
               "movimentos repostos");
        (*db)->close();
    }
    linhaBancada(QStringLiteral("segurancas: cópia e reposição de %1 movimentos").arg(n), copia + repor, chao);
    for (const QString& b : {nomeBaseDadosEmpresa(origem), nomeBaseDadosEmpresa(reposta), despejado})
        (void)AdminServidor::apagarBaseDados(srv, b);
    return 0;
}

const RegistoCasoBancada registo(QStringLiteral("segurancas"), correr);
} // namespace

#include "bench/BaseTemporaria.h"

#include <unistd.h>

#include <QSqlError>

#include "db/AdminServidor.h"
#include "db/esquema/Esquema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>
#include <QUuid>

BaseTemporaria::BaseTemporaria(Dialect::Motor motor) {
    const QString nome = QStringLiteral("lumo_bench_%1").arg(QUuid::createUuid().toString(QUuid::Id128).left(12));
    if (motor == Dialect::Motor::PostgreSQL) {
        m_params.motor = motor;
        m_params.host = qEnvironmentVariable("LUMO_PG_HOST", QStringLiteral("127.0.0.1"));
        const int porta = qEnvironmentVariableIntValue("LUMO_PG_PORT");
        m_params.porta = porta > 0 ? porta : 5432;
        m_params.login = qEnvironmentVariable("LUMO_PG_USER", QStringLiteral("lumo"));
        m_params.password = qEnvironmentVariable("LUMO_PG_PASSWORD");
    } else {
        m_pasta = QDir::tempPath() + u'/' + nome;
        QDir().mkpath(m_pasta);
        m_params.pasta = m_pasta;
    }
    // Generating large tables takes longer than an interactive statement may.
    m_params.tempoComando = 0;
    if (auto r = AdminServidor::criarBaseDados(m_params, nome); !r) {
        erro = r.mensagem();
        return;
    }
    m_params.baseDados = nome;
    const auto aberta = Database::open(m_params);
    if (!aberta) {
        erro = aberta.mensagem();
        return;
    }
    if (auto r = aplicarEsquemaEmpresa(**aberta); !r) {
        erro = r.mensagem();
        return;
    }
    db = *aberta;
}

BaseTemporaria::~BaseTemporaria() {
    if (db) {
        db->close();
        db.reset();
    }
    if (!m_params.baseDados.isEmpty())
        (void)AdminServidor::apagarBaseDados(m_params,
                                             m_params.baseDados); // nothing to do about a leftover here
    if (!m_pasta.isEmpty())
        QDir(m_pasta).removeRecursively();
}

QTextStream& saidaBancada() {
    static QTextStream saida(stdout);
    return saida;
}

void linhaBancada(const QString& nome, double ms, double chao) {
    QTextStream& saida = saidaBancada();
    saida << QStringLiteral("%1 %2 ms   chão %3 ms   razão %4\n")
                 .arg(nome, -52)
                 .arg(ms, 10, 'f', 3)
                 .arg(chao, 10, 'f', 3)
                 .arg(chao > 0 ? ms / chao : 0.0, 6, 'f', 2);
    saida.flush();
}

double medirUmaVez(const std::function<void()>& f) {
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

BlocosComCopiaDoRegisto::BlocosComCopiaDoRegisto(Database& db) : m_db(db), m_sqlite(db.dialect().isSQLite()) {
    if (!m_sqlite)
        return;
    exigir(m_db.exec(QStringLiteral("PRAGMA wal_autocheckpoint=0")), "wal_autocheckpoint");
    // The first block starts from an empty log, as every later one does.
    copiar();
}

BlocosComCopiaDoRegisto::~BlocosComCopiaDoRegisto() {
    if (m_sqlite)
        (void)m_db.exec(QStringLiteral("PRAGMA wal_autocheckpoint=1000")); // the default again
}

void BlocosComCopiaDoRegisto::copiar() {
    // PASSIVE is what the automatic copy does.
    if (m_sqlite)
        exigir(m_db.exec(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)")), "wal_checkpoint");
}

double BlocosComCopiaDoRegisto::medir(const std::function<void()>& f) {
    return medirUmaVez([&] {
        f();
        copiar();
    });
}

void exigir(bool feito, const char* passo) {
    if (!feito)
        qFatal("%s: falhou.", passo);
}

InsercaoSimples::InsercaoSimples(Database& db) : m_q(db.qdb()) {
    QStringList colunas, marcas;
    for (const ColunaDef& c : LinhaMovProduto::colunasInsercao()) {
        colunas << c.nome;
        marcas << QStringLiteral("?");
    }
    m_q.prepare(QStringLiteral("INSERT INTO MovProduto (%1) VALUES (%2)").arg(colunas.join(u','), marcas.join(u',')));
}

void InsercaoSimples::inserir(const LinhaMovProduto& l) {
    const auto& cs = LinhaMovProduto::colunasInsercao();
    for (size_t i = 0; i < cs.size(); ++i) {
        QVariant v;
        if (l.tem(i))
            v = l.valor(i);
        else if (cs[i].tipo == TipoColuna::Texto || cs[i].tipo == TipoColuna::Memo)
            v = QStringLiteral("");
        else if (cs[i].tipo == TipoColuna::DataHora)
            v = QStringLiteral("2026-06-01 10:00:00");
        else
            v = 0;
        m_q.bindValue(int(i), v);
    }
    // A floor that fails is no floor: a refused insert costs less than a written one.
    if (!m_q.exec())
        qFatal("Inserção simples recusada: %s", qPrintable(m_q.lastError().text()));
}

void encherLedger(Database& db, qint64 linhas, const std::function<bool()>& inserir) {
    Transaction tr(db);
    std::optional<SemIndices> sem;
    if (linhas >= 100000) {
        sem.emplace(SemIndices{db, tabelaEmpresa(QStringLiteral("MovProduto")), {}});
        exigir(sem->retirar(), "retirar os índices");
    }
    exigir(inserir(), "encher o ledger");
    if (sem)
        exigir(sem->repor(), "repor os índices");
    exigir(tr.commit(), "commit");
    // A real ledger this long was vacuumed, analysed and checkpointed long ago: measured straight
    // after the load, the figures would be those of the engine's background work on it (the
    // vacuum an insert count starts, the flush of gigabytes of log), not of the posting.
    if (db.dialect().isSQLite()) {
        exigir(db.exec(QStringLiteral("ANALYZE")), "ANALYZE");
        exigir(db.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")), "wal_checkpoint");
    } else {
        exigir(db.exec(QStringLiteral("VACUUM (ANALYZE) MovProduto")), "VACUUM");
        // Needs pg_checkpoint; a login without it leaves the checkpoint to the server's own timer.
        (void)db.exec(QStringLiteral("CHECKPOINT"));
    }
    // Nor is the system still writing the load's gigabytes to disk.
    ::sync();
}

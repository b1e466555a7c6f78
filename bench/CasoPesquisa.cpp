// The search window over a large products table: its first rows and count against the plainest
// queries that return the same rows and count.
#include "bench/BaseTemporaria.h"
#include "bench/CasosBancada.h"
#include "lookups/DefinicaoLookup.h"
#include "lookups/ListaDados.h"
#include "lookups/PesquisaNOVA.h"
#include "db/AdminServidor.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "db/esquema/Esquema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTextStream>
#include <QUuid>

#include <algorithm>
#include <functional>

namespace {

QTextStream& saida = saidaBancada();

// Best of a few runs: the first pays for cold caches on both sides alike.
double medir(const std::function<void()>& f, int vezes = 5) {
    double melhor = 1e300;
    for (int i = 0; i < vezes; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        melhor = std::min(melhor, double(t.nsecsElapsed()) / 1e6);
    }
    return melhor;
}

// n products "P1000001".., descriptions "Artigo <k>" in an order unrelated to the codes.
bool gerarProdutos(Database& db, qint64 n) {
    const Dialect& d = db.dialect();
    Transaction t(db);
    const QString sql =
        QStringLiteral("INSERT INTO Produtos (Codigo,Descricao,Situacao,DescricaoAgeMar) SELECT 'P' || %1, "
                       "'Artigo ' || %2, '', '' FROM %3")
            .arg(d.paraTexto(QStringLiteral("(i+1000000)")), d.paraTexto(QStringLiteral("((i*397)%1000003)")),
                 d.serie(n));
    return db.exec(sql) && t.commit() &&
           db.exec(d.isSQLite() ? QStringLiteral("ANALYZE") : QStringLiteral("ANALYZE Produtos"));
}

// The window's search on its own, as a product field opens it.
struct Resultado {
    qint64 total = 0;
    int linhas = 0;
    QString ultimo;
};

Resultado janela(GlobalContext& ctx, Database& db, const QString& ordem, const QString& chave) {
    const DefinicaoLookup& p = definicoes::produtos();
    DefinicaoPesquisa d;
    d.titulo = p.titulo;
    d.campos = p.campos;
    d.layout = p.layout;
    d.tabela = p.tabela;
    d.colunas = p.colunas;
    d.ordem = ordem;
    d.chaveInicial = chave;
    PesquisaNOVA w(ctx, db, d);
    w.Abrir();
    return {w.totalRegistos(), w.linhas(), w.linhas() ? w.lista().texto(w.linhas() - 1, 0) : QString()};
}

Resultado chao(Database& db, const QString& ordem, const QString& chave) {
    Resultado r;
    QString onde;
    QVariantList valores;
    if (!chave.isEmpty()) {
        onde = QStringLiteral(" WHERE ") + db.dialect().like(ordem);
        valores << chave + QStringLiteral("%");
    }
    r.total = db.scalar(QStringLiteral("SELECT COUNT(*) FROM Produtos") + onde, valores).toLongLong();
    db.percorrer(QStringLiteral("SELECT Codigo,Descricao,Situacao,DescricaoAgeMar FROM Produtos") + onde +
                     QStringLiteral(" ORDER BY ") + ordem + db.dialect().limite(500),
                 valores, [&](const QSqlQuery& q) {
                     // Every column read as text, as the list shows them.
                     QString c;
                     for (int i = 3; i >= 0; --i)
                         c = q.value(i).toString();
                     r.ultimo = c;
                     ++r.linhas;
                 });
    return r;
}

int correr(const OpcoesBancada& op) {
    BaseTemporaria base(op.motor);
    if (!base.db) {
        QTextStream(stderr) << base.erro << "\n";
        return 1;
    }
    Database& db = *base.db;
    saida << "Motor: " << db.dialect().nome() << "\n";
    const qint64 n = std::min<qint64>(1000000, op.maximo);
    QElapsedTimer g;
    g.start();
    if (!gerarProdutos(db, n)) {
        QTextStream(stderr) << db.lastError() << "\n";
        return 1;
    }
    saida << QStringLiteral("%1 produtos gerados em %2 s\n")
                 .arg(n)
                 .arg(double(g.elapsed()) / 1000.0, 0, 'f', 1);

    GlobalContext ctx;
    ctx.LigacaoEmpresa = base.db;
    ctx.CodigoUtilizador = QStringLiteral("01");

    struct Caso {
        const char* nome;
        QString ordem, chave;
    } casos[] = {{"pesquisa: abrir por código, sem chave", QStringLiteral("Produtos.Codigo"), QString()},
                 {"pesquisa: por descrição, chave \"Artigo 12\"", QStringLiteral("Produtos.Descricao"),
                  QStringLiteral("Artigo 12")}};
    int falhas = 0;
    for (const Caso& c : casos) {
        Resultado rj, rc;
        const double ms = medir([&] { rj = janela(ctx, db, c.ordem, c.chave); });
        const double mc = medir([&] { rc = chao(db, c.ordem, c.chave); });
        if (rj.total != rc.total || rj.linhas != rc.linhas || rj.ultimo != rc.ultimo) {
            saida << "  resultados diferentes: janela " << rj.total << "/" << rj.linhas << "/" << rj.ultimo
                  << ", chão " << rc.total << "/" << rc.linhas << "/" << rc.ultimo << "\n";
            ++falhas;
        }
        linhaBancada(QStringLiteral("%1 (%2 de %3)").arg(QString::fromUtf8(c.nome)).arg(rj.linhas).arg(rj.total), ms,
              mc);
    }
    return falhas ? 1 : 0;
}

const RegistoCasoBancada registo(QStringLiteral("pesquisa"), correr);

} // namespace

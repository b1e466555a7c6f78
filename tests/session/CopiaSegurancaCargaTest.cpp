#include "session/CopiaSeguranca.h"

#include "cli/LinhaComandosCli.h"
#include "company/ArquivoDocumentos.h"
#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "db/AdminServidor.h"
#include "support/EmpresaDemoTest.h"
#include "support/Saldos.h"
#include "support/SemFalha.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QThread>

#include <map>
#include <memory>

// A backup taken while four command-line processes post production orders into the company must
// restore to a company that is whole: each lot with its three ledger rows, no ledger row without
// its lot, the balances those documents add up to, and counters that let the next order through.
class CopiaSegurancaCargaTest : public EmpresaDemoTest {
protected:
    void TearDown() override {
        if (!reposta.isEmpty()) {
            (void)AdminServidor::apagarBaseDados(servidor, nomeArquivoDocumentos(reposta));
            (void)AdminServidor::apagarBaseDados(servidor, nomeBaseDadosEmpresa(reposta));
        }
        EmpresaDemoTest::TearDown();
    }

    QProcess* filho(const QString& json) {
        auto* p = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (isSQLite())
            env.insert(QStringLiteral("LUMO_DADOS"), servidor.pasta);
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(LUMO_CLI_PATH), argumentosCli({"producao", "lancar", json}));
        return p;
    }
    QString ordens(int n) {
        QJsonArray a;
        for (int i = 0; i < n; ++i)
            a.append(QJsonObject{{"produto", "PA900"}, {"quantidade", 1}, {"data", ano + "-03-02"}, {"armazem", "002"}});
        return ficheiro(QJsonDocument(a).toJson());
    }
    static qint64 contar(Database& db, const QString& sql) { return db.scalar(sql).toLongLong(); }

    // Every product and warehouse the ledger names, with its balance.
    static std::map<QString, Currency> saldos(Database& db) {
        std::map<QString, Currency> r;
        QStringList pares;
        (void)db.percorrer(QStringLiteral("SELECT DISTINCT Codigo, Armazem FROM MovProduto"), {},
                           [&](const QSqlQuery& q) { pares << q.value(0).toString() + u'|' + q.value(1).toString(); });
        for (const QString& par : pares)
            r[par] = saldoArmazem(db, par.section(u'|', 0, 0).toUtf8().constData(),
                                  par.section(u'|', 1, 1).toUtf8().constData());
        return r;
    }
    // The production ledger rows of the given documents ("Tipo|Numero|Ano"), with their figures.
    static QStringList linhasProducao(Database& db, const QSet<QString>& documentos) {
        QStringList r;
        (void)db.percorrer(QStringLiteral("SELECT Tipo, Numero, Ano, Codigo, Armazem, AfectaStk, QuantNormal, Lote "
                                          "FROM MovProduto WHERE Tipo IN ('SPR','EPR') ORDER BY Tipo, Numero, Codigo"),
                           {}, [&](const QSqlQuery& q) {
                               const QString doc = QStringList{q.value(0).toString(), q.value(1).toString(),
                                                               q.value(2).toString()}
                                                       .join(u'|');
                               if (documentos.contains(doc))
                                   r << doc + u'|' +
                                            QStringList{q.value(3).toString(), q.value(4).toString(),
                                                        q.value(5).toString(),
                                                        Currency::fromVariant(q.value(6)).toString(),
                                                        q.value(7).toString()}
                                                .join(u'|');
                           });
        return r;
    }
    // The lots' documents, as their ledger rows name them.
    static QSet<QString> documentosDosLotes(Database& db) {
        QSet<QString> r;
        (void)db.percorrer(QStringLiteral("SELECT tipoent, Numeroent, Dataent, tipoSaida, NumeroSaida, DataSaida FROM Lotes"),
                           {}, [&](const QSqlQuery& q) {
                               r << QStringList{q.value(0).toString(), q.value(1).toString(),
                                                q.value(2).toString().left(4)}
                                        .join(u'|');
                               r << QStringList{q.value(3).toString(), q.value(4).toString(),
                                                q.value(5).toString().left(4)}
                                        .join(u'|');
                           });
        return r;
    }

    QString reposta;
};

TEST_P(CopiaSegurancaCargaTest, CopiaDuranteQuatroProcessosRepoeEmpresaInteira) {
    constexpr int PorProcesso = 30;
    produtoSimples();
    const auto antes = saldos(*empresaDb);
    const qint64 lotesAntes = contar(*empresaDb, QStringLiteral("SELECT COUNT(*) FROM Lotes"));
    const QString json = ordens(PorProcesso);
    std::vector<std::unique_ptr<QProcess>> filhos;
    for (int i = 0; i < 4; ++i)
        filhos.emplace_back(filho(json));

    // The backup starts once a quarter of the orders are in, with the rest still coming: it waits on
    // the lots, not on a clock.
    const auto aCorrer = [&] {
        for (const auto& p : filhos)
            if (p->state() != QProcess::NotRunning)
                return true;
        return false;
    };
    QDeadlineTimer limite(60000);
    while (contar(*empresaDb, QStringLiteral("SELECT COUNT(*) FROM Lotes")) < lotesAntes + PorProcesso && aCorrer() &&
           !limite.hasExpired()) {
        for (const auto& p : filhos)
            p->waitForFinished(10);
    }
    const qint64 lotesAoComecar = contar(*empresaDb, QStringLiteral("SELECT COUNT(*) FROM Lotes"));
    QString copia;
    {
        GlobalContext c;
        ASSERT_TRUE(semFalha(abrirEmpresa(c, servidor, empresa)));
        c.CodigoUtilizador = QStringLiteral("01");
        const auto r = CopiarEmpresa(c, pasta.path());
        c.LigacaoEmpresa->close();
        ASSERT_TRUE(semFalha(r));
        copia = r->ficheiro;
    }
    const qint64 lotesAoAcabar = contar(*empresaDb, QStringLiteral("SELECT COUNT(*) FROM Lotes"));
    for (auto& p : filhos) {
        ASSERT_TRUE(p->waitForFinished(240000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardOutput().left(300).toStdString();
    }
    ASSERT_EQ(contar(*empresaDb, QStringLiteral("SELECT COUNT(*) FROM Lotes")), lotesAntes + 4 * PorProcesso);

    do
        reposta = codigoEmpresaAleatorio();
    while (reposta == empresa);
    ASSERT_TRUE(semFalha(ReporEmpresa(servidor, copia, reposta)));
    const auto aberta = Database::open(ligacaoEmpresa(servidor, reposta));
    ASSERT_TRUE(semFalha(aberta));
    Database& rep = **aberta;

    // The backup holds what was committed somewhere between its start and its end.
    const qint64 lotes = contar(rep, QStringLiteral("SELECT COUNT(*) FROM Lotes")) - lotesAntes;
    EXPECT_GE(lotes + lotesAntes, lotesAoComecar);
    EXPECT_LE(lotes + lotesAntes, lotesAoAcabar);
    std::cout << "[          ] lotes na cópia: " << lotes << " de " << 4 * PorProcesso << " (" << lotesAoComecar - lotesAntes
              << " ao começar, " << lotesAoAcabar - lotesAntes << " ao acabar)\n";

    // Each lot with its entry and its two consumptions; no production row without its lot; no
    // document number twice; the lots numbered without a gap, as they were committed.
    EXPECT_EQ(contar(rep, QStringLiteral(
                              "SELECT COUNT(*) FROM Lotes l WHERE (SELECT COUNT(*) FROM MovProduto m WHERE m.Tipo=l.tipoent "
                              "AND m.Numero=l.Numeroent AND m.Ano=substr(l.Dataent,1,4))<>1 OR (SELECT COUNT(*) FROM "
                              "MovProduto m WHERE m.Tipo=l.tipoSaida AND m.Numero=l.NumeroSaida AND "
                              "m.Ano=substr(l.DataSaida,1,4))<>2")),
              0);
    EXPECT_EQ(contar(rep, QStringLiteral(
                              "SELECT COUNT(*) FROM MovProduto m WHERE m.Tipo IN ('SPR','EPR') AND NOT EXISTS (SELECT 1 "
                              "FROM Lotes l WHERE (m.Tipo=l.tipoSaida AND m.Numero=l.NumeroSaida) OR (m.Tipo=l.tipoent "
                              "AND m.Numero=l.Numeroent))")),
              0);
    EXPECT_EQ(contar(rep, QStringLiteral("SELECT COUNT(*) FROM (SELECT Tipo, Numero, Ano, Codigo FROM MovProduto WHERE "
                                         "Tipo IN ('SPR','EPR') GROUP BY Tipo, Numero, Ano, Codigo HAVING COUNT(*)>1) x")),
              0);
    if (lotes > 0) {
        const qint64 menor = contar(rep, QStringLiteral("SELECT MIN(CAST(lote AS INTEGER)) FROM Lotes"));
        const qint64 maior = contar(rep, QStringLiteral("SELECT MAX(CAST(lote AS INTEGER)) FROM Lotes"));
        EXPECT_EQ(maior - menor + 1, lotes + lotesAntes);
    }
    EXPECT_EQ(contar(rep, QStringLiteral("SELECT UltLote FROM configProd")),
              contar(rep, QStringLiteral("SELECT MAX(lote) FROM Lotes")));

    // The restored documents are the company's own, row for row.
    const QSet<QString> documentos = documentosDosLotes(rep);
    EXPECT_EQ(documentos.size(), 2 * (lotes + lotesAntes));
    EXPECT_EQ(linhasProducao(rep, documentos), linhasProducao(*empresaDb, documentos));

    // The balances are the demo's moved by that many lots, each taking one MP008 and one MP009.
    auto esperado = antes;
    esperado["MP008|001"] = esperado["MP008|001"] - Currency::fromInt64(lotes);
    esperado["MP009|001"] = esperado["MP009|001"] - Currency::fromInt64(lotes);
    if (lotes > 0)
        esperado["PA900|002"] = esperado["PA900|002"] + Currency::fromInt64(lotes);
    EXPECT_EQ(saldos(rep), esperado);

    // The restored counters take the next order: its lot follows the last one restored.
    const qint64 ultimo = contar(rep, QStringLiteral("SELECT MAX(lote) FROM Lotes"));
    rep.close();
    QByteArray saida;
    const QStringList args = QStringList{"producao", "lancar", ordens(1), "--empresa", reposta} + opcoesServidor;
    ASSERT_EQ(executarLinhaComandos(args, &saida), 0) << saida.toStdString();
    const QJsonArray r = QJsonDocument::fromJson(saida).array();
    ASSERT_EQ(r.size(), 1) << saida.toStdString();
    EXPECT_EQ(r.at(0).toObject().value("lote").toString().toLongLong(), ultimo + 1) << saida.toStdString();
}

LUMO_INSTANCIAR_MOTORES(CopiaSegurancaCargaTest);

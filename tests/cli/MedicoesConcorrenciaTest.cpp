#include "support/EmpresaDemoTest.h"
#include "support/Saldos.h"

#include <QProcess>
#include <memory>
#include <vector>

// Made-to-measure lots posted by several workstations at once, on the demo company's wardrobe.
class MedicoesConcorrenciaTest : public EmpresaDemoTest {
protected:
    qint64 contar(const QString& sql) { return empresaDb->scalar(sql).toLongLong(); }
    QProcess* filho() {
        auto* p = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (isSQLite())
            env.insert("LUMO_DADOS", servidor.pasta);
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(LUMO_CLI_PATH),
                 argumentosCli({"medicoes", "lancar", "--produto", "PA005", "--altura", "1000", "--largura", "1000",
                                "--quantidade", "1"}));
        return p;
    }
};

// Six lots at once: no lot number and no document number given twice, and the stock is what the
// documents say (each lot: 2 panels x 0.5, 4 boards x 1).
TEST_P(MedicoesConcorrenciaTest, SeisLotesEmSimultaneoNuncaPartilhamNumeros) {
    const qint64 lotesAntes = contar("SELECT COUNT(*) FROM Lotes");
    const Currency paineis = saldoArmazem(*empresaDb, "MP003", "001");
    const Currency tabuas = saldoArmazem(*empresaDb, "MP001", "001");
    std::vector<std::unique_ptr<QProcess>> filhos;
    for (int i = 0; i < 6; ++i)
        filhos.emplace_back(filho());
    for (auto& p : filhos) {
        ASSERT_TRUE(p->waitForFinished(240000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardOutput().left(300).toStdString()
                                    << p->readAllStandardError().left(300).toStdString();
    }
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Lotes") - lotesAntes, 6);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM (SELECT lote FROM Lotes GROUP BY lote HAVING COUNT(*)>1) x"), 0);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Lotes WHERE MedicoesAltura=1000 AND MedicoesLargura=1000 AND Fechado=1"), 6);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM (SELECT Tipo, Numero, Ano FROM MovProduto m WHERE EXISTS (SELECT 1 FROM "
                     "Lotes l WHERE l.MedicoesAltura=1000 AND ((m.Tipo=l.tipoSaida AND m.Numero=l.NumeroSaida) OR "
                     "(m.Tipo=l.tipoent AND m.Numero=l.Numeroent))) AND m.Codigo='PA005' GROUP BY Tipo, Numero, Ano "
                     "HAVING COUNT(*)>1) x"),
              0)
        << "an entry document given twice";
    EXPECT_EQ(saldoArmazem(*empresaDb, "PA005", "002"), Currency::fromInt64(6));
    EXPECT_EQ(saldoArmazem(*empresaDb, "MP003", "001"), paineis - Currency::fromInt64(6));
    EXPECT_EQ(saldoArmazem(*empresaDb, "MP001", "001"), tabuas - Currency::fromInt64(24));
}

LUMO_INSTANCIAR_MOTORES(MedicoesConcorrenciaTest);

// Posting a production order of 10 raw materials against the plainest transaction that writes the
// same rows and updates the same counters.
#include "bench/BaseTemporaria.h"
#include "bench/CasosBancada.h"
#include "stock/LancaMovProduto.h"
#include "production/LancamentoProducao.h"
#include "production/LinhasProducao.h"
#include "db/AdminServidor.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "db/esquema/Esquema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <QUuid>

namespace {

QTextStream& saida = saidaBancada();
const int Materias = 10;
const int Ordens = 60;

Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }


class CasoProducao {
public:
    explicit CasoProducao(Dialect::Motor motor) : m_base(motor), m_db(m_base.db), m_erro(m_base.erro) {
        if (!m_db)
            return;
        m_ctx.LigacaoEmpresa = m_db;
        m_ctx.CodigoUtilizador = QStringLiteral("01");
        saida << "Motor: " << m_db->dialect().nome() << "\n";
    }
    ~CasoProducao() { m_ctx.LigacaoEmpresa.reset(); }
    bool preparada() const { return m_db != nullptr; }
    QString erro() const { return m_erro; }

    bool preparar() {
        Database& db = *m_db;
        Transaction t(db);
        bool ok = db.insert("ParamGeral", Registo()("NomeEmpresa", "Bancada")("FormulaPrecoMedioCusto", 1)) > 0 &&
                  db.insert("LockPro", Registo()("Tmp", 0)) > 0 && db.insert("Armazens", Registo()("Codigo", "001")) > 0 &&
                  db.insert("configProd", Registo()("TipoSaida", "SPR")("Tipoent", "EPR")("Tiporet", "DPR")(
                                              "TipoRef", "RPR")("UltLote", "0")("Precario", "PrecoMedioCusto")) > 0;
        for (const char* t2 : {"SI", "SPR", "EPR", "DPR", "RPR", "FLO"})
            ok = ok && db.insert("TabTipoMov", Registo()("Codigo", t2)("UltNumero", "0")("Modulo", "ST")) > 0;
        ok = ok && db.insert("Produtos", Registo()("Codigo", "PA")("Descricao", "Acabado")("ctrlexistencia", "1")) > 0;
        for (int i = 0; i < Materias && ok; ++i) {
            const QString mp = QStringLiteral("MP%1").arg(i);
            ok = db.insert("Produtos", Registo()("Codigo", mp)("Descricao", mp)("ctrlexistencia", "1")("Lote", 0)) > 0 &&
                 db.insert("Nomenclatura", Registo()("ProdutoAcabado", "PA")("ProdutoPrima", mp)("quantidade", "1.5")(
                                               "Armazem", "001")("precario", "PrecoMedioCusto")("Factor", "0")) > 0;
            LinhaMovProduto l;
            namespace Col = ColMovProduto;
            for (auto [c, v] : {std::pair{Col::Tipo, "SI"}, {Col::Numero, "00000001"}, {Col::Ano, "2026"},
                                {Col::Data, "2026-01-02"}, {Col::Armazem, "001"}, {Col::AfectaStk, "E+"}})
                l.definir(c, v);
            l.definir(Col::Codigo, mp);
            l.definir(Col::QuantNormal, C("100000"));
            l.definir(Col::Preco, C("2.5"));
            ok = ok && LancaMovProduto(m_ctx, l).ok();
        }
        return ok && t.commit();
    }

    // The production orders through the real posting. The documents are made first (lot, bill and
    // its lines, as the window has them before the user posts); `carga` gets the time that took.
    double producao(double* carga = nullptr) {
        std::vector<ProductionDocument> docs(Ordens);
        const double c = medirUmaVez([&] {
            // The floor leaves a lot counter that is no number: lots go on from the last one posted here.
            if (m_lote == 0)
                m_lote = ProximoLote(*m_db).toLongLong();
            for (int i = 0; i < Ordens; ++i) {
                ProductionDocument& d = docs[size_t(i)];
                d.Lote = QString::number(m_lote++);
                d.ProdutoAcabado = QStringLiteral("PA");
                d.Quantidade = C("2");
                d.Data = QStringLiteral("2026-06-01");
                d.Armazem = QStringLiteral("001");
                CarregarListaNomenc(m_ctx, d);
            }
        });
        if (carga)
            *carga = c;
        BlocosComCopiaDoRegisto blocos(*m_db);
        return blocos.medir([&] {
            for (ProductionDocument& d : docs)
                if (const auto r = LancaProducao(m_ctx, d, FaseProducao::Encerra); !r)
                    qFatal("Produção recusada: %s", qPrintable(r.mensagem()));
        });
    }

    // Rows of 1000 other products until the ledger holds `total` rows.
    void encher(qint64 total) {
        Database& db = *m_db;
        const qint64 ha = db.scalar(QStringLiteral("SELECT COUNT(*) FROM MovProduto")).toLongLong();
        if (total <= ha)
            return;
        encherLedger(db, total - ha, [&] {
            return db.exec(QStringLiteral("INSERT INTO MovProduto (Codigo, Tipo, Numero, Ano, Data, Armazem, Localizacao, "
                                          "Lote, AfectaStk, QuantNormal, Preco, Estado) "
                                          "SELECT 'G' || (i % 1000), 'GER', '00000001', '2026', '2026-01-15', '001', '', "
                                          "'L' || (i % 10), CASE WHEN i % 3 = 0 THEN 'S+' ELSE 'E+' END, 1, 1, 'N' FROM ") +
                           db.dialect().serie(total - ha));
        });
    }

    // The floor: lock, 11 plain ledger rows, the lot record, the product's costs and the counters.
    double chao() {
        Database& db = *m_db;
        InsercaoSimples ins(db);
        BlocosComCopiaDoRegisto blocos(db);
        return blocos.medir([&] {
            for (int i = 0; i < Ordens; ++i) {
                Transaction t(db);
                exigir(db.exec(QStringLiteral("UPDATE LockPro SET Tmp=1")), "exec");
                const QString numero = QString::number(i + 1).rightJustified(8, u'0');
                for (int r = 0; r <= Materias; ++r) {
                    LinhaMovProduto l;
                    l.definir(ColMovProduto::Codigo, r == 0 ? QStringLiteral("PA") : QStringLiteral("MP%1").arg(r - 1));
                    l.definir(ColMovProduto::Tipo, "FLO");
                    l.definir(ColMovProduto::Numero, numero);
                    ins.inserir(l);
                }
                db.insert(QStringLiteral("Lotes"), Registo()("lote", QStringLiteral("F%1").arg(i))("Produto", "PA")(
                                                       "custoTotal", "7.5")("Fechado", 1));
                exigir(db.exec(QStringLiteral("UPDATE Produtos SET PrecoMedioCusto=?, UltPrecoCompra=?, UltPrecoCusto=? WHERE Codigo=?"),
                        {"3.75", "3.75", "3.75", "PA"}), "exec");
                exigir(db.exec(QStringLiteral("UPDATE configProd SET UltLote=?"), {QStringLiteral("F%1").arg(i)}), "exec");
                for (const char* t2 : {"SPR", "EPR", "DPR", "RPR"})
                    exigir(db.exec(QStringLiteral("UPDATE TabTipoMov SET UltNumero=? WHERE Codigo=?"), {numero, t2}), "exec");
                exigir(t.commit(), "commit");
            }
        });
    }

private:
    BaseTemporaria m_base;
    std::shared_ptr<Database>& m_db;
    QString& m_erro;
    GlobalContext m_ctx;
    qint64 m_lote = 0;
};

const RegistoCasoBancada registo(QStringLiteral("producao"), [](const OpcoesBancada& op) {
    CasoProducao c(op.motor);
    if (!c.preparada() || !c.preparar()) {
        QTextStream(stderr) << c.erro() << "\n";
        return 1;
    }
    // Best of three rounds for both, so a busy machine moves neither figure alone.
    double p = 0, f = 0, carga = 0;
    for (int r = 0; r < 3; ++r) {
        double cr = 0;
        const double pr = c.producao(&cr), fr = c.chao();
        p = r == 0 ? pr : std::min(p, pr);
        carga = r == 0 ? cr : std::min(carga, cr);
        f = r == 0 ? fr : std::min(f, fr);
    }
    linhaBancada(QStringLiteral("ordem de produção, %1 matérias-primas (%2 ordens)").arg(Materias).arg(Ordens), p, f);
    linhaBancada(QStringLiteral("  com a carga da nomenclatura antes"), p + carga, f);
    // The same posting on a long ledger, against its cost at 10^5 rows.
    double aCem = 0;
    for (qint64 total : {100000LL, 1000000LL, 10000000LL}) {
        if (total > op.maximo)
            break;
        c.encher(total);
        double pt = 0;
        for (int r = 0; r < 2; ++r)
            pt = r == 0 ? c.producao() : std::min(pt, c.producao());
        if (total == 100000LL)
            aCem = pt;
        saidaBancada() << QStringLiteral("ordem de produção, ledger de %1 linhas: %2 ms (%3× o custo a 10^5)\n")
                              .arg(total)
                              .arg(pt, 0, 'f', 1)
                              .arg(aCem > 0 ? pt / aCem : 0.0, 0, 'f', 2);
        saidaBancada().flush();
    }
    return 0;
});

} // namespace

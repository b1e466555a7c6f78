// An instant production run of 10 raw materials and 3 finished products against the plainest
// transaction that writes the same rows and updates the same counters.
#include "bench/BaseTemporaria.h"
#include "bench/CasosBancada.h"
#include "company/GlobalContext.h"
#include "db/Database.h"
#include "production/ProducaoInstantanea.h"
#include "stock/LancaMovProduto.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

namespace {

QTextStream& saida = saidaBancada();
const int Materias = 10;
const int Acabados = 3;
const int Corridas = 60;

Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }

class CasoInstantanea {
public:
    explicit CasoInstantanea(Dialect::Motor motor) : m_base(motor), m_db(m_base.db), m_erro(m_base.erro) {
        if (!m_db)
            return;
        m_ctx.LigacaoEmpresa = m_db;
        m_ctx.CodigoUtilizador = QStringLiteral("01");
        m_ctx.armazem = QStringLiteral("001");
        saida << "Motor: " << m_db->dialect().nome() << "\n";
    }
    ~CasoInstantanea() { m_ctx.LigacaoEmpresa.reset(); }
    bool preparada() const { return m_db != nullptr; }
    QString erro() const { return m_erro; }

    bool preparar() {
        Database& db = *m_db;
        Transaction t(db);
        bool ok = db.insert("ParamGeral", Registo()("NomeEmpresa", "Bancada")("FormulaPrecoMedioCusto", 1)) > 0 &&
                  db.insert("LockPro", Registo()("Tmp", 0)) > 0 && db.insert("Armazens", Registo()("Codigo", "001")) > 0 &&
                  db.insert("configProd", Registo()("TipoSaida", "SPI")("Tipoent", "EPI")("Precario", "PrecoMedioCusto")) > 0;
        for (const char* t2 : {"SI", "SPI", "EPI", "FLO"})
            ok = ok && db.insert("TabTipoMov", Registo()("Codigo", t2)("UltNumero", "0")("Modulo", "ST")) > 0;
        for (int i = 0; i < Acabados && ok; ++i)
            ok = db.insert("Produtos", Registo()("Codigo", QStringLiteral("PA%1").arg(i))("Descricao", "Acabado")(
                                           "ctrlexistencia", "1")("Lote", 0)) > 0;
        namespace Col = ColMovProduto;
        for (int i = 0; i < Materias && ok; ++i) {
            const QString mp = QStringLiteral("MP%1").arg(i);
            ok = db.insert("Produtos", Registo()("Codigo", mp)("Descricao", mp)("ctrlexistencia", "1")("Lote", 0)) > 0;
            LinhaMovProduto l;
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

    // The run through the real posting.
    double instantanea() {
        return medirUmaVez([&] {
            for (int i = 0; i < Corridas; ++i) {
                DocumentoInstantaneo d;
                for (int m = 0; m < Materias; ++m)
                    d.materias.push_back({QStringLiteral("MP%1").arg(m), {}, QStringLiteral("001"), C("1.5"), {}, C("2.5"),
                                          {}, {}, QStringLiteral("0")});
                for (int a = 0; a < Acabados; ++a) {
                    AcabadoInstantaneo p;
                    p.produto = QStringLiteral("PA%1").arg(a);
                    p.armazem = QStringLiteral("001");
                    p.quantidade = C("2");
                    p.percCusto = Currency(a + 1);
                    d.acabados.push_back(p);
                }
                if (const auto r = LancaProducaoInstantanea(m_ctx, d); !r)
                    qFatal("Produção recusada: %s", qPrintable(r.mensagem()));
            }
        });
    }

    // The floor: lock, 13 plain ledger rows and 13 run rows, the products' costs and two counters.
    double chao() {
        Database& db = *m_db;
        namespace Col = ColMovProduto;
        InsercaoSimples ins(db);
        return medirUmaVez([&] {
            for (int i = 0; i < Corridas; ++i) {
                Transaction t(db);
                exigir(db.exec(QStringLiteral("UPDATE LockPro SET Tmp=1")), "lock");
                const QString numero = QString::number(i + 1).rightJustified(8, u'0');
                for (int r = 0; r < Materias + Acabados; ++r) {
                    const QString produto = r < Materias ? QStringLiteral("MP%1").arg(r) : QStringLiteral("PA%1").arg(r - Materias);
                    LinhaMovProduto l;
                    l.definir(Col::Codigo, produto);
                    l.definir(Col::Tipo, "FLO");
                    l.definir(Col::Numero, numero);
                    ins.inserir(l);
                    exigir(db.insert(QStringLiteral("LoteInstantaneo"),
                                     Registo()("NumProcesso", QStringLiteral("F%1").arg(i))("Tipo", "FLO")("Numero", numero)(
                                         "TipoProduto", r < Materias ? "MP" : "PA")("Produto", produto)("Quantidade", "1.5")(
                                         "Preco", "2.5")) > 0,
                           "LoteInstantaneo");
                    if (r >= Materias)
                        exigir(db.exec(QStringLiteral("UPDATE Produtos SET PrecoMedioCusto=?, UltPrecoCompra=?, "
                                                      "UltPrecoCusto=? WHERE Codigo=?"),
                                       {"3.75", "3.75", "3.75", produto}),
                               "custos");
                }
                for (const char* t2 : {"SPI", "EPI"})
                    exigir(db.exec(QStringLiteral("UPDATE TabTipoMov SET UltNumero=? WHERE Codigo=?"), {numero, t2}), "contador");
                exigir(t.commit(), "commit");
            }
        });
    }

private:
    BaseTemporaria m_base;
    std::shared_ptr<Database>& m_db;
    QString& m_erro;
    GlobalContext m_ctx;
};

const RegistoCasoBancada registo(QStringLiteral("instantanea"), [](const OpcoesBancada& op) {
    CasoInstantanea c(op.motor);
    if (!c.preparada() || !c.preparar()) {
        QTextStream(stderr) << c.erro() << "\n";
        return 1;
    }
    // Best of three rounds for both, so a busy machine moves neither figure alone.
    double p = 0, f = 0;
    for (int r = 0; r < 3; ++r) {
        const double pr = c.instantanea(), fr = c.chao();
        p = r == 0 ? pr : std::min(p, pr);
        f = r == 0 ? fr : std::min(f, fr);
    }
    linhaBancada(QStringLiteral("produção instantânea, %1 matérias-primas e %2 acabados (%3 corridas)")
                     .arg(Materias)
                     .arg(Acabados)
                     .arg(Corridas),
                 p, f);
    return 0;
});

} // namespace

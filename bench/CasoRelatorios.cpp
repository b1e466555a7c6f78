// Reports: the capacity forecast of 1,000 bills of 5 components beside one grouped balance query
// giving the same balances, and the itemised production map of 10,000 lots to PDF beside the
// plainest reading of the same rows drawn straight with QPdfWriter.
#include "bench/BaseTemporaria.h"
#include "bench/CasosBancada.h"
#include "printing/ExportadorPdf.h"
#include "printing/MapaProducaoImpressao.h"
#include "printing/cPrinter.h"
#include "production/CapacidadeProducao.h"
#include "production/MapasProducao.h"

#include <QFile>
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

namespace {

constexpr int Acabados = 1000, Componentes = 5, Primas = 500, Lotes = 10000, PrimasPorLote = 3;
// A year of a small factory's ledger: 100 entries and issues per raw material, 50,000 rows.
constexpr int MovimentosPorPrima = 100;

QString prima(int n) { return QStringLiteral("MP%1").arg(n, 5, 10, QChar(u'0')); }
QString acabado(int n) { return QStringLiteral("PA%1").arg(n, 5, 10, QChar(u'0')); }
QString numeroLote(int n) { return QStringLiteral("%1").arg(n + 1, 10, 10, QChar(u'0')); }
QString dataDoLote(int n) { return QStringLiteral("2026-%1-%2").arg(1 + n % 12, 2, 10, QChar(u'0')).arg(1 + n % 28, 2, 10, QChar(u'0')); }

void movimento(Database& db, const QString& tipo, const QString& numero, const QString& data, const QString& codigo,
               const QString& afecta, const QString& quant, const QString& valor) {
    exigir(db.insert(QStringLiteral("MovProduto"),
                     Registo()("Tipo", tipo)("Numero", numero)("Ano", data.left(4))("Data", data)("Codigo", codigo)(
                         "Armazem", "001")("AfectaStk", afecta)("QuantNormal", quant)("Preco", "2")(
                         "ValorIliq", valor)("Fechado", "S")("Aplic", "ST")) > 0,
           "movimento");
}

// Raw materials with their entries and issues; finished products with 5-line bills.
void prepararCapacidade(Database& db) {
    Transaction t(db);
    exigir(db.insert(QStringLiteral("ParamGeral"), Registo()("NomeEmpresa", "Bancada")("PMCArmazem", 0)) > 0,
           "parâmetros");
    for (int n = 0; n < Primas; ++n) {
        exigir(db.insert(QStringLiteral("Produtos"), Registo()("Codigo", prima(n))("Descricao", "Matéria-prima")(
                                                         "PrecoMedioCusto", "2")) > 0,
               "matéria-prima");
        for (int k = 0; k < MovimentosPorPrima; ++k)
            movimento(db, QStringLiteral("SI"), QStringLiteral("%1").arg(n * MovimentosPorPrima + k, 8, 10, QChar(u'0')),
                      QStringLiteral("2026-01-02"), prima(n), k % 4 == 3 ? QStringLiteral("S+") : QStringLiteral("E+"),
                      QStringLiteral("%1").arg(10 + k), QStringLiteral("20"));
    }
    for (int a = 0; a < Acabados; ++a) {
        exigir(db.insert(QStringLiteral("Produtos"), Registo()("Codigo", acabado(a))("Descricao", "Acabado")) > 0,
               "acabado");
        for (int c = 0; c < Componentes; ++c)
            exigir(db.insert(QStringLiteral("Nomenclatura"),
                             Registo()("ProdutoAcabado", acabado(a))("DescProdutoAcabado", "Acabado")(
                                 "ProdutoPrima", prima((a * 7 + c * 13) % Primas))("DescProdutoPrima", "Matéria-prima")(
                                 "Armazem", "001")("Quantidade", QStringLiteral("%1").arg(1 + c))(
                                 "Precario", "PrecoMedioCusto")) > 0,
                   "nomenclatura");
    }
    exigir(t.commit(), "capacidade");
}

// The floor: every balance the forecast needs, in one grouped statement.
QHash<QString, Currency> saldosAgrupados(Database& db) {
    QHash<QString, Currency> r;
    exigir(db.percorrer(QStringLiteral("SELECT Codigo, Armazem, SUM(CASE WHEN AfectaStk IN ('E+','S-') THEN QuantNormal "
                                       "ELSE -QuantNormal END) FROM MovProduto WHERE AfectaStk IN ('E+','S-','S+','E-') "
                                       "GROUP BY Codigo, Armazem"),
                        {},
                        [&](const QSqlQuery& q) {
                            r.insert(q.value(0).toString().trimmed() + u'|' + q.value(1).toString().trimmed(),
                                     Currency::fromVariant(q.value(2)));
                        }),
           "saldos agrupados");
    return r;
}

void capacidade(Database& db) {
    prepararCapacidade(db);
    exigir(PrevisaoCapacidade(db, {}), "PrevisaoCapacidade"); // warms the statement cache for both
    saldosAgrupados(db);
    QHash<QString, Currency> saldos;
    const double chao = medirUmaVez([&] { saldos = saldosAgrupados(db); });
    std::vector<CapacidadeProduto> lista;
    const double ms = medirUmaVez([&] {
        auto r = PrevisaoCapacidade(db, {});
        exigir(r, "previsão");
        lista = std::move(*r);
    });
    exigir(lista.size() == size_t(Acabados), "uma previsão por produto");
    // The forecast must have read the same balances the floor did.
    for (const CapacidadeProduto& c : lista)
        for (const auto& k : c.componentes)
            exigir(saldos.value(k.produto + u'|' + k.armazem) == k.saldo, "saldos iguais");
    linhaBancada(QStringLiteral("relatorios: capacidade de 1000 nomenclaturas de 5 componentes (50000 linhas)"), ms,
                 chao);
}

// 10,000 closed lots, each issuing three raw materials in its own output document.
void prepararMapa(Database& db) {
    Transaction t(db);
    for (int n = 0; n < Lotes; ++n) {
        const QString data = dataDoLote(n), numero = QStringLiteral("%1").arg(n + 1, 8, 10, QChar(u'0'));
        exigir(db.insert(QStringLiteral("Lotes"),
                         Registo()("Lote", numeroLote(n))("Produto", acabado(n % Acabados))("Armazem", "002")(
                             "Quantidade", "2")("Precario", "11")("CustoTotal", "22")("DataSaida", data)(
                             "TipoSaida", "SPR")("NumeroSaida", numero)("Fechado", 1)) > 0,
               "lote");
        for (int k = 0; k < PrimasPorLote; ++k)
            movimento(db, QStringLiteral("SPR"), numero, data, prima((n + k * 31) % Primas), QStringLiteral("S+"),
                      QStringLiteral("%1").arg(1 + k), QStringLiteral("%1").arg(2 * (1 + k)));
    }
    exigir(t.commit(), "lotes");
}

double mapa(Database& db, const QString& ficheiro) {
    return medirUmaVez([&] {
        const auto m = LerMapaDiscriminado(db, {});
        exigir(m, "mapa");
        exigir(m->blocos.size() == size_t(Lotes), "um bloco por lote");
        cPrinter p;
        p.GravarExportacao(false);
        exigir(ImprimirMapaDiscriminado(p, *m, {}, {}, 2, 2, QStringLiteral("Bancada"), QStringLiteral("S"),
                                        QDate(2026, 3, 6)) &&
                   p.documento(),
               "desenho do mapa");
        exigir(EscreverPdf(*p.documento(), ficheiro), "PDF do mapa");
    });
}

// The floor: one reading of the same lots and rows, each written as a line of text.
double chaoMapa(Database& db, const QString& ficheiro) {
    return medirUmaVez([&] {
        QPdfWriter w(ficheiro);
        w.setResolution(1200);
        w.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter p(&w);
        const double mm = 1200 / 25.4;
        QFont f(QStringLiteral("Arial Narrow"));
        f.setPointSizeF(8);
        p.setFont(f);
        double y = 30;
        QString loteActual;
        auto escrever = [&](double x, const QString& t) {
            p.drawText(QPointF(x * mm, y * mm), t);
        };
        // The same cells the map prints: a lot's heading and product row, each component's row
        // and the lot's sum.
        Currency soma;
        auto fecharLote = [&] {
            if (loteActual.isEmpty())
                return;
            escrever(120, QStringLiteral("Soma do custo dos varios Componentes"));
            escrever(185, soma.toString());
            y += 6.5;
            soma = Currency();
        };
        exigir(db.percorrer(QStringLiteral("SELECT l.Lote, l.DataSaida, l.Produto, pa.Descricao, l.Armazem, l.Quantidade, "
                                           "l.Precario, l.CustoTotal, m.Codigo, pm.Descricao, m.Armazem, m.Lote, "
                                           "m.QuantNormal, m.ValorIliq FROM Lotes l JOIN MovProduto m ON m.Tipo=l.TipoSaida "
                                           "AND m.Numero=l.NumeroSaida AND m.Ano=SUBSTR(l.DataSaida,1,4) "
                                           "LEFT JOIN Produtos pa ON pa.Codigo=l.Produto "
                                           "LEFT JOIN Produtos pm ON pm.Codigo=m.Codigo ORDER BY l.Lote, m.NumRegisto"),
                            {},
                            [&](const QSqlQuery& q) {
                                if (y > 260) {
                                    w.newPage();
                                    y = 30;
                                }
                                const QString lote = q.value(0).toString();
                                if (lote != loteActual) {
                                    fecharLote();
                                    loteActual = lote;
                                    escrever(10, QStringLiteral("Lote : ") + lote + QStringLiteral("   Data : ") +
                                                     q.value(1).toString());
                                    y += 4.5;
                                    escrever(10, q.value(2).toString());
                                    escrever(34, q.value(3).toString());
                                    escrever(114, q.value(4).toString());
                                    escrever(150, q.value(5).toString());
                                    escrever(170, q.value(6).toString());
                                    escrever(190, q.value(7).toString());
                                    y += 4.5;
                                }
                                escrever(34, q.value(8).toString());
                                escrever(54, q.value(9).toString());
                                escrever(114, q.value(10).toString());
                                escrever(124, q.value(11).toString());
                                escrever(150, q.value(12).toString());
                                const Currency valor = Currency::fromVariant(q.value(13));
                                escrever(170, valor.divide(Currency::fromVariant(q.value(12)),
                                                           Currency::Arredondamento::MetadeAfastaDeZero)
                                                  .toString());
                                escrever(190, valor.toString());
                                soma += valor;
                                y += 4.5;
                            }),
               "leitura simples");
        fecharLote();
        p.end();
    });
}

int correr(const OpcoesBancada& op) {
    BaseTemporaria base(op.motor);
    if (!base.db) {
        saidaBancada() << "relatorios: " << base.erro << "\n";
        return 1;
    }
    capacidade(*base.db);
    prepararMapa(*base.db);
    QTemporaryDir pasta;
    if (!pasta.isValid())
        return 1;
    const QString a = pasta.filePath(QStringLiteral("mapa.pdf")), b = pasta.filePath(QStringLiteral("chao.pdf"));
    chaoMapa(*base.db, b); // warms the font caches for both
    const double c = chaoMapa(*base.db, b);
    const double m = mapa(*base.db, a);
    linhaBancada(QStringLiteral("relatorios: mapa discriminado de 10000 lotes para PDF (%1 / %2 KiB)")
                     .arg(QFile(a).size() / 1024)
                     .arg(QFile(b).size() / 1024),
                 m, c);
    return 0;
}

const RegistoCasoBancada registo(QStringLiteral("relatorios"), correr);
} // namespace

// Label sheets: 1,000 labels, each with its description, its price, an EAN-13 and a QR code, to PDF
// through ImprimirEtiquetas, beside the floor of QPdfWriter drawing the same zint symbols and texts
// at the same places directly.
#include "bench/BaseTemporaria.h"
#include "bench/CasosBancada.h"
#include "printing/CodigosBarras.h"
#include "printing/EtiquetasImpressao.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

namespace {

constexpr int Etiquetas = 1000;
constexpr double Largura1D = 36, AlturaCodigo = 14;

QString produto(int n) {
    return QStringLiteral("P%1").arg(n, 5, 10, QChar(u'0'));
}
QString descricao(int n) {
    return QStringLiteral("Produto de teste número %1").arg(n);
}
QString preco(int n) {
    return QStringLiteral("%1.99").arg(1 + n % 50);
}
QString dinamico(int n) {
    return produto(n) + QStringLiteral("|L2026-%1|2026-03-06").arg(n % 97, 3, 10, QChar(u'0'));
}
// 560 + nine digits + the check digit.
QString ean13(int n) {
    const QString base = QStringLiteral("560%1").arg(n, 9, 10, QChar(u'0'));
    int soma = 0;
    for (int i = 0; i < 12; ++i)
        soma += base[i].digitValue() * (i % 2 ? 3 : 1);
    return base + QString::number((10 - soma % 10) % 10);
}

// The usual A4 sheet of 3 × 8; codes placed by X/Y under the two text lines.
DefinicaoEtiqueta definicao() {
    DefinicaoEtiqueta d;
    d.codigo = QStringLiteral("BANCADA");
    d.descricao = QStringLiteral("Bancada");
    d.numEtiqHoriz = 3;
    d.numEtiqVert = 8;
    d.larguraEtiq = 64;
    d.alturaEtiq = 34;
    d.distEntreEtiqHoriz = 2;
    d.margemX = 7;
    d.margemY = 13;
    d.etiquetaComXY = true;
    d.layoutCodigoBarras = LayoutCodigo1D;
    d.tipoCodigoBarras = 1; // EAN-13; the row's code goes as a QR code
    d.compCodBar = int(Largura1D);
    d.altCodBar = int(AlturaCodigo);
    d.campos = QStringLiteral(";Arial;8;1;0;;[Descricao];;2;2/;Arial;8;0;0;;Preço: [PrecoVenda1] €;;2;6/"
                              ";;;;;;[Código de Barras];;2;12/;;;;;;[Código de Barras - Dinâmico];;44;12");
    return d;
}

void preparar(Database& db) {
    Transaction t(db);
    exigir(db.insert(QStringLiteral("tabiva"), Registo()("codigo", "1")("Descricao", "Taxa Normal")("Taxa", "23")) > 0,
           "taxa de IVA");
    for (int n = 0; n < Etiquetas; ++n) {
        exigir(db.insert(QStringLiteral("Produtos"), Registo()("Codigo", produto(n))("Descricao", descricao(n))(
                                                         "PrecoVenda1", preco(n))("ivatabvenda", "1")) > 0,
               "produto");
        exigir(db.insert(QStringLiteral("ProdutosCodigosBarras"),
                         Registo()("CodigoBarras", ean13(n))("ProdutoBase", produto(n))) > 0,
               "código de barras");
    }
    exigir(t.commit(), "produtos");
}

double etiquetas(Database& db, const QString& ficheiro) {
    std::vector<LinhaEtiqueta> linhas;
    for (int n = 0; n < Etiquetas; ++n) {
        LinhaEtiqueta l;
        l.produto = produto(n);
        l.codigoDinamico = dinamico(n);
        linhas.push_back(l);
    }
    OpcoesEtiquetas o;
    o.iva = true;
    const DefinicaoEtiqueta d = definicao();
    return medirUmaVez([&] {
        const auto r = EtiquetasParaPdf(db, d, linhas, o, ficheiro);
        exigir(r, "etiquetas");
        // A label whose codes were not drawn would time less than the floor does.
        exigir(r->etiquetas == Etiquetas && r->avisos.empty(), "etiquetas sem avisos");
    });
}

// The floor: the same texts, the same symbols made by the generator, their bars filled directly.
double chao(const QString& ficheiro) {
    const DefinicaoEtiqueta d = definicao();
    return medirUmaVez([&] {
        QPdfWriter w(ficheiro);
        w.setResolution(1200);
        w.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter p(&w);
        const double mm = 1200 / 25.4;
        QFont normal(QStringLiteral("Arial")), negrito(QStringLiteral("Arial"));
        normal.setPointSizeF(8);
        negrito.setPointSizeF(8);
        negrito.setBold(true);
        const double altura = QFontMetricsF(normal, &w).height();
        auto texto = [&](const QFont& f, double x, double y, const QString& t) {
            p.setFont(f);
            p.drawText(QRectF(x * mm, y * mm, 62 * mm, altura), Qt::AlignLeft | Qt::AlignTop, t);
        };
        auto barras = [&](const SimboloCodigo& s, double x, double y, double sx, double sy) {
            for (const QRectF& b : s.barras)
                p.fillRect(QRectF((x + b.left() * sx) * mm, (y + b.top() * sy) * mm, b.width() * sx * mm,
                                  b.height() * sy * mm),
                           Qt::black);
        };
        for (int n = 0; n < Etiquetas; ++n) {
            const PosicaoEtiqueta pos = PosicaoDaEtiqueta(d, 1, 1, n);
            if (n > 0 && pos.coluna == 1 && pos.linha == 1)
                w.newPage();
            const double x = pos.canto.x(), y = pos.canto.y();
            texto(negrito, x + 2, y + 2, descricao(n));
            texto(normal, x + 2, y + 6, QStringLiteral("Preço: %1 €").arg(preco(n)));
            const auto ean = GeraCodigoBarras(LayoutCodigo1D, 1, ean13(n));
            const auto qr = GeraCodigoBarras(LayoutCodigo2D, 9, dinamico(n));
            exigir(ean, "EAN-13");
            exigir(qr, "QR Code");
            const double alturaBarras = AlturaCodigo - 3; // the digits take the rest
            barras(*ean, x + 2, y + 12, Largura1D / ean->largura, alturaBarras / ean->altura);
            texto(normal, x + 2 + Largura1D / 2 - 10, y + 12 + alturaBarras, ean->textoLegivel);
            const double escala = AlturaCodigo / qr->altura;
            barras(*qr, x + 44, y + 12, escala, escala);
        }
        p.end();
    });
}

int correr(const OpcoesBancada& op) {
    BaseTemporaria base(op.motor);
    if (!base.db) {
        saidaBancada() << "etiquetas: " << base.erro << "\n";
        return 1;
    }
    preparar(*base.db);
    QTemporaryDir pasta;
    if (!pasta.isValid())
        return 1;
    const QString a = pasta.filePath(QStringLiteral("etiquetas.pdf")), b = pasta.filePath(QStringLiteral("chao.pdf"));
    chao(b); // warms the font caches and the generator for both
    const double c = chao(b);
    const double e = etiquetas(*base.db, a);
    linhaBancada(QStringLiteral("etiquetas: 1000 com EAN-13 e QR Code para PDF (%1 / %2 KiB)")
                     .arg(QFile(a).size() / 1024)
                     .arg(QFile(b).size() / 1024),
                 e, c);
    return 0;
}

const RegistoCasoBancada registo(QStringLiteral("etiquetas"), correr);
} // namespace

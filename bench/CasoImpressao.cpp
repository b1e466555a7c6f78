// The print engine: a 1,000-page report of 60 lines a page to PDF through cPrinter, beside the floor
// of QPdfWriter drawing the same texts at the same places directly.
#include "bench/BaseTemporaria.h"
#include "bench/CasosBancada.h"
#include "printing/ExportadorPdf.h"
#include "printing/cPrinter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextStream>

namespace {
constexpr int Paginas = 1000;
constexpr int Linhas = 60;

QString codigo(int n) {
    return QStringLiteral("%1").arg(n, 15, 10, QChar(u'0'));
}
QString descricao(int n) {
    return QStringLiteral("Matéria-prima de teste número %1").arg(n);
}
QString quantidade(int n) {
    return QStringLiteral("%1,%2").arg(n % 9973).arg(n % 100, 2, 10, QChar(u'0'));
}

double relatorio(const QString& ficheiro) {
    QElapsedTimer t;
    t.start();
    cPrinter p;
    p.SetMargens(10, 10, 10, 10);
    p.init(QStringLiteral("Bancada"));
    p.PFont(QStringLiteral("Arial"), 8);
    for (int pag = 0; pag < Paginas; ++pag) {
        if (pag > 0)
            p.PNP();
        for (int l = 0; l < Linhas; ++l) {
            const int n = pag * Linhas + l;
            const double y = 10 + l * 4.3;
            p.L(codigo(n), y, 0);
            p.L(descricao(n), y, 35);
            p.r(quantidade(n), y, 185);
        }
    }
    p.Show();
    // A PDF not written would time nothing.
    if (auto r = EscreverPdf(*p.documento(), ficheiro); !r)
        qFatal("PDF recusado: %s", qPrintable(r.mensagem()));
    return double(t.nsecsElapsed()) / 1e6;
}

double chao(const QString& ficheiro) {
    QElapsedTimer t;
    t.start();
    QPdfWriter w(ficheiro);
    w.setResolution(1200);
    w.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter p(&w);
    const double mm = 1200 / 25.4;
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(8);
    p.setFont(f);
    const double altura = QFontMetricsF(f, &w).height();
    for (int pag = 0; pag < Paginas; ++pag) {
        if (pag > 0)
            w.newPage();
        for (int l = 0; l < Linhas; ++l) {
            const int n = pag * Linhas + l;
            const double y = (20 + l * 4.3) * mm;
            p.drawText(QRectF(10 * mm, y, 150 * mm, altura), Qt::AlignLeft | Qt::AlignTop, codigo(n));
            p.drawText(QRectF(45 * mm, y, 150 * mm, altura), Qt::AlignLeft | Qt::AlignTop, descricao(n));
            p.drawText(QRectF(45 * mm, y, 150 * mm, altura), Qt::AlignRight | Qt::AlignTop, quantidade(n));
        }
    }
    p.end();
    return double(t.nsecsElapsed()) / 1e6;
}

int correr(const OpcoesBancada&) {
    QTemporaryDir pasta;
    if (!pasta.isValid())
        return 1;
    const QString a = pasta.filePath(QStringLiteral("cprinter.pdf")),
                  b = pasta.filePath(QStringLiteral("chao.pdf"));
    chao(b); // warms the font caches for both
    const double c = chao(b);
    const double r = relatorio(a);
    linhaBancada(QStringLiteral("impressão: 1000 páginas x 60 linhas para PDF (%1 / %2 KiB)")
                     .arg(QFile(a).size() / 1024)
                     .arg(QFile(b).size() / 1024),
                 r, c);
    return 0;
}

const RegistoCasoBancada registo(QStringLiteral("impressao"), correr);
} // namespace

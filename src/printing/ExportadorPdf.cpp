#include "printing/ExportadorPdf.h"

#include "printing/DesenhoPagina.h"

#include "common/FicheiroSaida.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

QPageSize TamanhoPagina(const DocumentoImpresso& doc) {
    // Portrait dimensions; landscape is set through the layout's orientation.
    double w = ConvertTWmm(doc.larguraTw), h = ConvertTWmm(doc.alturaTw);
    if (w > h)
        std::swap(w, h);
    return QPageSize(QSizeF(w, h), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
}

bool DesenharEmDispositivo(const DocumentoImpresso& doc, QPagedPaintDevice& dispositivo, int de, int ate) {
    const int n = doc.numeroPaginas();
    if (ate <= 0 || ate > n)
        ate = n;
    de = std::max(1, de);
    QPainter p;
    if (!p.begin(&dispositivo))
        return false;
    DesenhoPagina desenho(doc);
    const double escala = DesenhoPagina::escalaPara(dispositivo.logicalDpiX());
    for (int i = de; i <= ate; ++i) {
        if (i > de)
            dispositivo.newPage();
        desenho.desenhar(p, i - 1, escala);
    }
    return p.end();
}

Resultado<> EscreverPdf(const DocumentoImpresso& doc, const QString& ficheiro) {
    if (auto r = DestinoDeFicheiroValido(ficheiro); !r)
        return r;
    // Written whole or not at all: a full disk leaves the previous file (or none), never half a PDF.
    QSaveFile f(ficheiro);
    bool ok = f.open(QIODevice::WriteOnly);
    if (ok) {
        QPdfWriter w(&f);
        w.setTitle(doc.titulo);
        w.setCreator(QStringLiteral("WLumoProd"));
        w.setResolution(1200);
        const bool paisagem = doc.larguraTw > doc.alturaTw;
        w.setPageLayout(QPageLayout(TamanhoPagina(doc), paisagem ? QPageLayout::Landscape : QPageLayout::Portrait,
                                    QMarginsF(0, 0, 0, 0)));
        ok = DesenharEmDispositivo(doc, w);
    }
    if (!ok || !f.commit())
        return Falha(QStringLiteral("Não foi possível escrever o ficheiro %1.").arg(ficheiro));
    return {};
}

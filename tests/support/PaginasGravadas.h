#pragma once

#include "printing/DocumentoImpresso.h"
#include "printing/cPrinter.h"
#include "support/Golden.h"

#include <QString>
#include <QPolygonF>
#include <QTextStream>
#include <gtest/gtest.h>

// A recorded report as text, one element per line: "T page x y font size bold text" for each
// text the export recorded (GravarExportacao(true)), then "L"/"B" with the page and the ends of
// each line and box, in millimetres with two decimals. What a golden file of a report holds.
inline QString paginasGravadas(const DocumentoImpresso& d) {
    QString obtido;
    QTextStream s(&obtido);
    s.setRealNumberNotation(QTextStream::FixedNotation);
    s.setRealNumberPrecision(2);
    for (const ElementoExportado& e : d.exportados)
        s << "T " << e.pagina << ' ' << e.x << ' ' << e.y << ' ' << e.fonte.nome << ' ' << e.fonte.tamanho << ' '
          << (e.fonte.negrito ? "N" : "-") << ' ' << e.texto << '\n';
    for (int pag = 1; pag <= d.numeroPaginas(); ++pag)
        for (const OpDesenho& op : d.paginas[size_t(pag - 1)].ops) {
            if (const auto* l = std::get_if<OpLinha>(&op))
                s << "L " << pag << ' ' << ConvertTWmm(l->de.x()) << ' ' << ConvertTWmm(l->de.y()) << ' '
                  << ConvertTWmm(l->ate.x()) << ' ' << ConvertTWmm(l->ate.y()) << '\n';
            else if (const auto* b = std::get_if<OpRectangulo>(&op))
                s << "B " << pag << ' ' << ConvertTWmm(b->caixa.left()) << ' ' << ConvertTWmm(b->caixa.top()) << ' '
                  << ConvertTWmm(b->caixa.right()) << ' ' << ConvertTWmm(b->caixa.bottom()) << '\n';
            else if (const auto* g = std::get_if<OpPoligono>(&op)) {
                // A filled shape (a code's modules): how many outlines, and the box they fill.
                QRectF caixa;
                for (const auto& c : g->contornos)
                    caixa |= QPolygonF(QList<QPointF>(c.begin(), c.end())).boundingRect();
                s << "P " << pag << ' ' << g->contornos.size() << ' ' << ConvertTWmm(caixa.left()) << ' '
                  << ConvertTWmm(caixa.top()) << ' ' << ConvertTWmm(caixa.right()) << ' '
                  << ConvertTWmm(caixa.bottom()) << '\n';
            }
        }
    s.flush();
    return obtido;
}

// Compares the report with its golden file under tests/printing/golden (rewritten instead with
// LUMO_ACTUALIZAR_GOLDEN=1).
inline void confereComGolden(const DocumentoImpresso& d, const char* nome) {
    const QString obtido = paginasGravadas(d);
    const QString ficheiro = QStringLiteral(LUMO_TESTS_DIR "/printing/golden/") + QLatin1String(nome);
    if (actualizarGolden()) {
        ASSERT_TRUE(escreverGolden(ficheiro, obtido.toUtf8())) << ficheiro.toStdString();
    }
    const auto guardado = lerGolden(ficheiro);
    ASSERT_TRUE(guardado) << ficheiro.toStdString();
    EXPECT_EQ(QString::fromUtf8(*guardado).toStdString(), obtido.toStdString());
}

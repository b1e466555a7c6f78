// Rich text for cPrinter: memos kept as RTF by the suite's other programs, or HTML.
#include "printing/cPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace {
// The text of an RTF memo: paragraphs, tabs and accented characters survive; formatting does not.
QString textoDeRtf(const QString& rtf) {
    QString out;
    int profundidade = 0;
    int ignorarAte = -1; // group depth whose content is skipped (font tables, pictures...)
    int saltar = 0;      // characters to skip after \uN
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const QChar ch = rtf[i];
        if (ch == u'{') {
            ++profundidade;
            continue;
        }
        if (ch == u'}') {
            if (profundidade == ignorarAte)
                ignorarAte = -1;
            --profundidade;
            continue;
        }
        if (ch == u'\r' || ch == u'\n')
            continue;
        const bool ignorar = ignorarAte >= 0 && profundidade >= ignorarAte;
        if (ch != u'\\') {
            if (saltar > 0)
                --saltar;
            else if (!ignorar)
                out += ch;
            continue;
        }
        if (i + 1 >= rtf.size())
            break;
        const QChar seg = rtf[i + 1];
        if (seg == u'\\' || seg == u'{' || seg == u'}') {
            if (!ignorar)
                out += seg;
            ++i;
            continue;
        }
        if (seg == u'\'') {
            const int codigo = rtf.mid(i + 2, 2).toInt(nullptr, 16);
            if (!ignorar && saltar == 0)
                out += QChar(codigo); // the suite writes RTF in the Western code page
            if (saltar > 0)
                --saltar;
            i += 3;
            continue;
        }
        if (seg == u'*') { // destination the reader does not know
            ignorarAte = ignorarAte >= 0 ? ignorarAte : profundidade;
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        while (j < rtf.size() && rtf[j].isLetter())
            ++j;
        const QString palavra = rtf.mid(i + 1, j - i - 1);
        qsizetype k = j;
        if (k < rtf.size() && (rtf[k] == u'-' || rtf[k].isDigit()))
            ++k;
        while (k < rtf.size() && rtf[k].isDigit())
            ++k;
        const QString parametro = rtf.mid(j, k - j);
        if (k < rtf.size() && rtf[k] == u' ')
            ++k;
        i = k - 1;
        if (palavra == QStringLiteral("fonttbl") || palavra == QStringLiteral("colortbl") ||
            palavra == QStringLiteral("stylesheet") || palavra == QStringLiteral("info") ||
            palavra == QStringLiteral("pict")) {
            ignorarAte = ignorarAte >= 0 ? ignorarAte : profundidade;
        } else if (ignorar) {
            continue;
        } else if (palavra == QStringLiteral("par") || palavra == QStringLiteral("line")) {
            out += u'\n';
        } else if (palavra == QStringLiteral("tab")) {
            out += u'\t';
        } else if (palavra == QStringLiteral("u")) {
            int v = parametro.toInt();
            if (v < 0)
                v += 65536;
            out += QChar(v);
            saltar = 1;
        }
    }
    while (out.endsWith(u'\n'))
        out.chop(1);
    return out;
}
} // namespace

double cPrinter::PrintMemoRTF(const QString& texto, double y, double x, double largura) {
    if (!m_iniciado || texto.isEmpty() || largura <= 0)
        return y;
    QTextDocument doc;
    doc.setDocumentMargin(0);
    EstiloFonte base = m_fonte;
    base.nome = QStringLiteral("Times New Roman");
    doc.setDefaultFont(fonteEmTwips(base));
    if (texto.trimmed().startsWith(QStringLiteral("{\\rtf")))
        doc.setPlainText(textoDeRtf(texto));
    else if (Qt::mightBeRichText(texto))
        doc.setHtml(texto);
    else
        doc.setPlainText(texto);

    // Sizes in points from HTML must become twips, as every font of the document is measured in twips.
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            QFont fonte = f.charFormat().font();
            if (fonte.pointSizeF() > 0) {
                fonte.setPixelSize(int(std::lround(fonte.pointSizeF() * 20)));
                QTextCharFormat fmt;
                fmt.setFont(fonte, QTextCharFormat::FontPropertiesAll);
                QTextCursor cur(&doc);
                cur.setPosition(f.position());
                cur.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
                cur.mergeCharFormat(fmt);
            }
        }
    doc.setTextWidth(ConvertmmTW(largura));

    const double x0 = xTw(x), y0 = yTw(y);
    const EstiloFonte guardada = m_fonte;
    const int indiceGuardado = m_indiceFonte;
    const QColor corGuardada = m_cor;
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QRectF caixaBloco = layout->blockBoundingRect(b);
        QTextLayout* tl = b.layout();
        for (int l = 0; l < tl->lineCount(); ++l) {
            const QTextLine linha = tl->lineAt(l);
            const double baseY = y0 + caixaBloco.top() + linha.y() + linha.ascent();
            const int ini = linha.textStart(), fim = linha.textStart() + linha.textLength();
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                const int fi = std::max(ini, f.position() - b.position());
                const int ff = std::min(fim, f.position() - b.position() + f.length());
                if (fi >= ff)
                    continue;
                QString pedaco = b.text().mid(fi, ff - fi);
                while (!pedaco.isEmpty() && pedaco.back().isSpace() && ff == fim)
                    pedaco.chop(1);
                if (pedaco.trimmed().isEmpty())
                    continue;
                const QFont fq = f.charFormat().font();
                EstiloFonte e;
                e.nome = fq.family();
                e.tamanho = fq.pixelSize() > 0 ? fq.pixelSize() / 20.0 : base.tamanho;
                e.negrito = fq.bold();
                e.italico = fq.italic();
                e.sublinhado = fq.underline();
                e.riscado = fq.strikeOut();
                const QColor cor = f.charFormat().foreground().style() != Qt::NoBrush
                                       ? f.charFormat().foreground().color()
                                       : corGuardada;
                const double px = x0 + caixaBloco.left() + linha.cursorToX(fi);
                const QFontMetricsF& fm = metricas(e);
                ops().push_back(
                    OpTexto{QPointF(px, baseY),
                            QRectF(px, baseY - fm.ascent(), fm.horizontalAdvance(pedaco), fm.height()),
                            pedaco, m_doc->indiceFonte(e), cor});
            }
        }
    }
    m_fonte = guardada;
    m_indiceFonte = indiceGuardado;
    m_cor = corGuardada;
    if (m_gravar)
        m_doc->exportados.push_back({PaginaActual(), x, y, doc.toPlainText(), m_fonte, TipoDado::Texto});
    const double altura = doc.size().height();
    m_curX = x0 + ConvertmmTW(largura);
    m_curY = y0 + altura;
    return y + ConvertTWmm(altura);
}

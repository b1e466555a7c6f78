#include "printing/ExportadorXlsx.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <xlsxwriter.h>

std::optional<double> NumeroExportavel(const QString& texto, TipoDado tipo) {
    if (tipo == TipoDado::Texto)
        return std::nullopt;
    static const QRegularExpression pt(QStringLiteral(R"(^-?(\d{1,3}(\.\d{3})+|\d+)(,\d+)?$)"));
    QString t = texto.trimmed();
    if (t.endsWith(QStringLiteral("€")))
        t = t.chopped(1).trimmed();
    if (t.isEmpty())
        return std::nullopt;
    const QString digitos = t.startsWith(u'-') ? t.mid(1) : t;
    const bool zeroAEsquerda = digitos.size() > 1 && digitos[0] == u'0' && digitos[1].isDigit();
    if (pt.match(t).hasMatch() && (!zeroAEsquerda || tipo == TipoDado::Numero)) {
        QString c = t;
        c.remove(u'.').replace(u',', u'.');
        bool ok = false;
        const double v = c.toDouble(&ok);
        if (ok)
            return v;
    }
    if (tipo == TipoDado::Numero) {
        bool ok = false;
        const double v = t.toDouble(&ok);
        if (ok)
            return v;
    }
    return std::nullopt;
}

Resultado<> EscreverXlsx(const DocumentoImpresso& doc, const QString& ficheiro) {
    // A report that did not turn the recorder on still exports what it printed, placed by its boxes.
    std::vector<ElementoExportado> impressos;
    if (doc.exportados.empty())
        for (int pag = 0; pag < doc.numeroPaginas(); ++pag)
            for (const OpDesenho& op : doc.paginas[size_t(pag)].ops)
                if (const auto* t = std::get_if<OpTexto>(&op))
                    impressos.push_back({pag + 1, ConvertTWmm(t->caixa.left()), ConvertTWmm(t->caixa.top()),
                                         t->texto, doc.fontes[size_t(t->fonte)], TipoDado::Automatico});
    const std::vector<ElementoExportado>& fonte = doc.exportados.empty() ? impressos : doc.exportados;
    std::vector<const ElementoExportado*> els;
    els.reserve(fonte.size());
    for (const ElementoExportado& e : fonte)
        els.push_back(&e);
    std::stable_sort(els.begin(), els.end(), [](const ElementoExportado* a, const ElementoExportado* b) {
        if (a->pagina != b->pagina)
            return a->pagina < b->pagina;
        if (std::abs(a->y - b->y) >= 0.5)
            return a->y < b->y;
        return a->x < b->x;
    });
    // A column per distinct x (to half a millimetre) across the document.
    std::set<long> xs;
    for (const ElementoExportado* e : els)
        xs.insert(std::lround(e->x * 2));
    std::map<long, int> coluna;
    for (long x : xs)
        coluna.emplace(x, int(coluna.size()));
    const bool porColunas = coluna.size() <= 16384;

    lxw_workbook* wb = workbook_new(QFile::encodeName(ficheiro).constData());
    if (!wb)
        return Falha(QStringLiteral("Não foi possível criar o ficheiro %1.").arg(ficheiro));
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    lxw_format* negrito = workbook_add_format(wb);
    format_set_bold(negrito);

    int linha = -1;
    int paginaLinha = -1;
    double yLinha = 0;
    int ultimaColuna = -1;
    lxw_error r = LXW_NO_ERROR;
    for (const ElementoExportado* e : els) {
        if (linha < 0 || e->pagina != paginaLinha || std::abs(e->y - yLinha) >= 0.5) {
            ++linha;
            paginaLinha = e->pagina;
            yLinha = e->y;
            ultimaColuna = -1;
        }
        if (linha >= 1048576)
            break;
        int col = porColunas ? coluna[std::lround(e->x * 2)] : ultimaColuna + 1;
        // Two texts at the same x on one line must not overwrite each other.
        col = std::max(col, ultimaColuna + 1);
        if (col > 16383)
            continue;
        ultimaColuna = col;
        lxw_format* fmt = e->fonte.negrito ? negrito : nullptr;
        if (const auto n = NumeroExportavel(e->texto, e->tipo))
            r = worksheet_write_number(ws, lxw_row_t(linha), lxw_col_t(col), *n, fmt);
        else
            r = worksheet_write_string(ws, lxw_row_t(linha), lxw_col_t(col), e->texto.toUtf8().constData(),
                                       fmt);
        if (r != LXW_NO_ERROR)
            break;
    }
    const lxw_error fecho = workbook_close(wb);
    if (r != LXW_NO_ERROR)
        return Falha(QString::fromUtf8(lxw_strerror(r)));
    if (fecho != LXW_NO_ERROR)
        return Falha(QString::fromUtf8(lxw_strerror(fecho)));
    return {};
}

#include "printing/ProcuraDocumento.h"

#include "common/UserInteraction.h"

#include <QFontMetricsF>

void ProcuraDocumento::definir(const QString& texto, int paginaInicial, int paginaFinal, bool diferenciar) {
    const int n = std::max(1, m_doc.numeroPaginas());
    paginaInicial = std::clamp(paginaInicial, 1, n);
    paginaFinal = std::clamp(paginaFinal <= 0 ? n : paginaFinal, 1, n);
    if (paginaFinal < paginaInicial)
        std::swap(paginaInicial, paginaFinal);
    if (texto != m_texto || paginaInicial != m_de || paginaFinal != m_ate || diferenciar != m_diferenciar) {
        m_texto = texto;
        m_de = paginaInicial;
        m_ate = paginaFinal;
        m_diferenciar = diferenciar;
        recomecar();
    }
}

void ProcuraDocumento::recomecar() {
    m_pag = m_de - 1;
    m_op = 0;
    m_pos = 0;
}

std::optional<ProcuraDocumento::Ocorrencia> ProcuraDocumento::procurar() {
    if (m_texto.isEmpty() || m_doc.numeroPaginas() == 0)
        return std::nullopt;
    const Qt::CaseSensitivity cs = m_diferenciar ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (; m_pag <= m_ate - 1 && m_pag < m_doc.numeroPaginas(); ++m_pag, m_op = 0, m_pos = 0) {
        const auto& ops = m_doc.paginas[size_t(m_pag)].ops;
        for (; m_op < ops.size(); ++m_op, m_pos = 0) {
            const auto* t = std::get_if<OpTexto>(&ops[m_op]);
            if (!t)
                continue;
            const qsizetype i = t->texto.indexOf(m_texto, m_pos, cs);
            if (i < 0)
                continue;
            m_pos = i + m_texto.size();
            const QFontMetricsF fm(fonteEmTwips(m_doc.fontes[size_t(t->fonte)]));
            const double x0 = t->caixa.left() + fm.horizontalAdvance(t->texto.left(i));
            const double w = fm.horizontalAdvance(t->texto.mid(i, m_texto.size()));
            return Ocorrencia{m_pag + 1, QRectF(x0, t->caixa.top(), w, t->caixa.height())};
        }
    }
    m_ui.mensagem(QStringLiteral("Fim de Pesquisa!"), UserInteraction::Icone::Informacao,
                  QStringLiteral("Procurar"));
    recomecar();
    return std::nullopt;
}

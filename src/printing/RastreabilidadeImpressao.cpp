#include "printing/RastreabilidadeImpressao.h"

#include "controls/FormatoNumero.h"
#include "printing/cPrinter.h"

#include <algorithm>

namespace {

constexpr double Passo = 4.5;
constexpr double Recuo = 4;        // per level of the tree
constexpr double RecuoMaximo = 40; // deep trees stop moving right
// Left edges (and right edge of the quantity), mm from the frame's left edge.
constexpr double XNo = 0, XDetalhe = 104, XData = 150, RQuantidade = 190;

QString dataPT(const QString& iso) {
    const QDate d = QDate::fromString(iso, Qt::ISODate);
    return d.isValid() ? d.toString(QStringLiteral("dd-MM-yyyy")) : iso;
}

} // namespace

QString NomeSentidoRastreio(SentidoRastreio s) {
    return s == SentidoRastreio::Jusante ? QStringLiteral("Jusante (o que se fez com o lote)")
                                         : QStringLiteral("Montante (o que entrou no lote)");
}

QString TextoNoRastreio(const NoRastreio& n) {
    if (n.tipo == NoRastreio::Tipo::Producao)
        return NomeOrigemRastreio(n.origem) + QLatin1Char(' ') + n.codigo +
               (n.aberto ? QStringLiteral(" (em aberto)") : QString());
    return n.descricao.isEmpty() ? n.produto : n.produto + QStringLiteral(" - ") + n.descricao;
}

QString DetalheNoRastreio(const NoRastreio& n) {
    if (n.tipo == NoRastreio::Tipo::Producao)
        return n.documentos.join(QStringLiteral(", "));
    return n.semLote() ? QStringLiteral("(sem lote)") : n.lote;
}

QString AvisoNoRastreio(const NoRastreio& n) {
    return n.repetido ? QStringLiteral("O produto repete-se: o percurso pára aqui.") : QString();
}

namespace {

QJsonObject jsonNo(const NoRastreio& n, bool raiz) {
    QJsonObject o;
    if (n.tipo == NoRastreio::Tipo::Producao) {
        o.insert(QStringLiteral("tipo"), QStringLiteral("producao"));
        o.insert(QStringLiteral("origem"), NomeOrigemRastreio(n.origem));
        o.insert(QStringLiteral("codigo"), n.codigo);
        o.insert(QStringLiteral("data"), n.data);
        o.insert(QStringLiteral("documentos"), QJsonArray::fromStringList(n.documentos));
        if (n.aberto)
            o.insert(QStringLiteral("emAberto"), true);
    } else {
        o.insert(QStringLiteral("tipo"), QStringLiteral("lote"));
        o.insert(QStringLiteral("produto"), n.produto);
        o.insert(QStringLiteral("descricao"), n.descricao);
        o.insert(QStringLiteral("lote"), n.lote);
        if (n.repetido)
            o.insert(QStringLiteral("repetido"), true);
    }
    if (!raiz)
        o.insert(QStringLiteral("quantidade"), MontanteJson(n.quantidade));
    QJsonArray filhos;
    for (const NoRastreio& f : n.filhos)
        filhos.append(jsonNo(f, false));
    o.insert(QStringLiteral("filhos"), filhos);
    return o;
}

} // namespace

QJsonObject JsonRastreio(const NoRastreio& n) {
    return jsonNo(n, true);
}

bool ImprimirRastreabilidade(cPrinter& p, const NoRastreio& raiz, SentidoRastreio sentido, int casasQ,
                             const QString& empresa, const QString& destino, const QDate& emissao) {
    MolduraRelatorio m(p, empresa, TituloRastreabilidade, emissao);
    m.subtitulos = {QStringLiteral("Produto : %1").arg(TextoNoRastreio(raiz)),
                    QStringLiteral("Lote : %1").arg(raiz.lote),
                    QStringLiteral("Sentido : %1").arg(NomeSentidoRastreio(sentido))};
    const double x0 = m.x0;
    m.colunas = [&](double& y) {
        p.PFont(m.fonte, 8, true);
        p.L(QStringLiteral("Lote / Produção"), y, x0 + XNo);
        p.L(QStringLiteral("Lote / Documentos"), y, x0 + XDetalhe);
        p.L(QStringLiteral("Data"), y, x0 + XData);
        p.r(QStringLiteral("Quantidade"), y, x0 + RQuantidade);
        y += Passo;
        p.pLine(x0, y, x0 + m.largura, y);
        y += 1.5;
    };
    if (!m.iniciar(destino))
        return false;
    const std::vector<LinhaRastreio> linhas = LinhasRastreio(raiz);
    for (const LinhaRastreio& l : linhas) {
        const NoRastreio& n = *l.no;
        const QString aviso = AvisoNoRastreio(n);
        if (!m.linha(aviso.isEmpty() ? Passo : 2 * Passo))
            return false;
        const double x = x0 + XNo + std::min(RecuoMaximo, Recuo * l.nivel);
        const bool lote = n.tipo == NoRastreio::Tipo::Lote;
        p.PFont(m.fonte, 8, lote);
        p.L(TextoNoRastreio(n), m.y, x, x0 + XDetalhe - x - 2);
        p.L(DetalheNoRastreio(n), m.y, x0 + XDetalhe, XData - XDetalhe - 2, 0, TipoDado::Texto);
        if (!lote)
            p.L(dataPT(n.data), m.y, x0 + XData, 0, 0, TipoDado::Texto);
        if (l.nivel > 0)
            p.r(formatarNumeroPT(n.quantidade, casasQ), m.y, x0 + RQuantidade);
        m.y += Passo;
        if (!aviso.isEmpty()) {
            p.PFont(m.fonte, 8, false);
            p.L(aviso, m.y, x + Recuo);
            m.y += Passo;
        }
    }
    if (raiz.filhos.empty()) {
        if (!m.linha(Passo))
            return false;
        p.PFont(m.fonte, 8, false);
        p.L(sentido == SentidoRastreio::Jusante ? QStringLiteral("Nenhuma produção consumiu este lote.")
                                                : QStringLiteral("Nenhuma produção deu origem a este lote."),
            m.y, x0 + XNo + Recuo);
        m.y += Passo;
    }
    return m.mostrar();
}

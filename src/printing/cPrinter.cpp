#include "printing/cPrinter.h"

#include "common/UserInteraction.h"
#include "printing/ExportadorXlsx.h"

#include <QPageSize>
#include <QRegularExpression>
#include <cmath>

cPrinter::cPrinter() : m_doc(std::make_shared<DocumentoImpresso>()) {}
cPrinter::~cPrinter() = default;

namespace {
QSizeF tamanhoPapelMm(int codigo) {
    switch (codigo) {
    case cPrinter::PapelA3:
        return {297, 420};
    case cPrinter::PapelA5:
        return {148, 210};
    case cPrinter::PapelCarta:
        return {215.9, 279.4};
    default:
        return {210, 297};
    }
}
} // namespace

bool cPrinter::init(const QString& titulo, const QString& destino, int tamanhoPapel, Orientacao orientacao,
                    double altura, double largura) {
    m_doc = std::make_shared<DocumentoImpresso>();
    m_doc->titulo = titulo;
    if (!m_data.isValid() || m_data == QDate(1900, 1, 1))
        m_data = QDate::currentDate();
    m_destino =
        destino.trimmed().toUpper() == QStringLiteral("P") ? QStringLiteral("P") : QStringLiteral("S");

    QSizeF papel = tamanhoPapelMm(tamanhoPapel);
    m_doc->paisagem = orientacao == Orientacao::Paisagem;
    if (m_doc->paisagem)
        papel.transpose();
    if (altura > 0 || largura > 0) {
        if (altura > 0)
            papel.setHeight(altura);
        if (largura > 0)
            papel.setWidth(largura);
    }
    m_doc->larguraTw = ConvertmmTW(papel.width());
    m_doc->alturaTw = ConvertmmTW(papel.height());

    m_fonte = EstiloFonte();
    m_indiceFonte = m_doc->indiceFonte(m_fonte);
    m_metricasActuais = nullptr;
    m_doc->paginas.emplace_back();
    m_pagina = 0;
    m_curX = ConvertmmTW(m_margens.esquerda);
    m_curY = ConvertmmTW(m_margens.topo);
    m_iniciado = true;
    m_terminado = false;
    m_parar = false;
    m_abortado = false;
    novaPaginaEvento();
    return true;
}

void cPrinter::novaPaginaEvento() {
    if (!aoNovaPagina)
        return;
    const EstiloFonte guardada = m_fonte;
    aoNovaPagina(PaginaActual());
    PFont(guardada.nome, guardada.tamanho, guardada.negrito, guardada.italico, guardada.sublinhado);
}

void cPrinter::PNP() {
    if (!m_iniciado)
        return;
    if (aposPagina)
        aposPagina(PaginaActual());
    m_doc->paginas.emplace_back();
    m_pagina = m_doc->numeroPaginas() - 1;
    m_curX = ConvertmmTW(m_margens.esquerda);
    m_curY = ConvertmmTW(m_margens.topo);
    novaPaginaEvento();
}

void cPrinter::EditarPagina(int pagina) {
    if (pagina >= 1 && pagina <= m_doc->numeroPaginas())
        m_pagina = pagina - 1;
}

bool cPrinter::Wait(int pagina) {
    if (m_indicador) {
        m_indicador->mostrar(m_doc->titulo, QStringLiteral("Imprimindo Página ") + QString::number(pagina));
        if (m_indicador->pedidoParar())
            m_parar = true;
    }
    return !m_parar;
}

void cPrinter::Abort() {
    m_abortado = true;
    if (m_indicador)
        m_indicador->fechar();
}

bool cPrinter::Show(const QStringList& layoutNumeros) {
    if (!m_iniciado || m_abortado)
        return false;
    if (!m_terminado && aposPagina)
        aposPagina(PaginaActual());
    carimbarNumeros(layoutNumeros);
    m_terminado = true;
    if (m_indicador)
        m_indicador->fechar();
    return true;
}

void cPrinter::carimbarNumeros(const QStringList& layout) {
    // The page count is known only now, so numbers are stamped in a second pass; they are not
    // report data and stay out of the spreadsheet.
    const bool gravar = m_gravar;
    m_gravar = false;
    const EstiloFonte guardada = m_fonte;
    const QColor corGuardada = m_cor;
    const int total = m_doc->numeroPaginas();

    auto coluna = [&](int i) {
        return i < layout.size() ? layout[i].split(QStringLiteral("<@>")) : QStringList();
    };
    auto valor = [](const QStringList& l, int k) { return k < l.size() ? l[k].trimmed() : QString(); };
    auto verdade = [](const QString& s) {
        return s == QStringLiteral("1") || s.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0 ||
               s == QStringLiteral("-1");
    };
    const QStringList xs = coluna(0), ys = coluna(1), nomes = coluna(2), tamanhos = coluna(3),
                      negritos = coluna(4), italicos = coluna(5), alinhamentos = coluna(6),
                      sublinhados = coluna(7), legendas = coluna(8), cores = coluna(9);
    const int itens = layout.isEmpty() ? 0 : int(xs.size());

    for (int p = 1; p <= total; ++p) {
        m_pagina = p - 1;
        const QString numero = QString::number(p) + QStringLiteral(" / ") + QString::number(total);
        for (int k = 0; k < itens; ++k) {
            if (valor(xs, k).isEmpty())
                continue;
            const QString nome = valor(nomes, k);
            const double tam = valor(tamanhos, k).replace(u',', u'.').toDouble();
            PFont(nome.isEmpty() ? guardada.nome : nome, tam > 0 ? tam : guardada.tamanho,
                  verdade(valor(negritos, k)), verdade(valor(italicos, k)), verdade(valor(sublinhados, k)));
            const QColor cor(valor(cores, k));
            m_cor = cor.isValid() ? cor : corGuardada;
            const double x = valor(xs, k).replace(u',', u'.').toDouble();
            const double y = valor(ys, k).replace(u',', u'.').toDouble();
            const QString t = (k < legendas.size() ? legendas[k] : QString()) + numero;
            const QString a = valor(alinhamentos, k).toUpper();
            if (a.startsWith(u'R'))
                r(t, y, x);
            else if (a.startsWith(u'C'))
                c(t, y, x);
            else
                L(t, y, x);
        }
        if (m_numerar) {
            PFont(guardada.nome, guardada.tamanho, guardada.negrito, guardada.italico, guardada.sublinhado);
            m_cor = corGuardada;
            L(m_numerarTexto + numero, m_numerarY, m_numerarX);
        }
    }
    PFont(guardada.nome, guardada.tamanho, guardada.negrito, guardada.italico, guardada.sublinhado);
    m_cor = corGuardada;
    m_pagina = total - 1;
    m_gravar = gravar;
}

// ---------------------------------------------------------------- fonts and measures

void cPrinter::PFont(std::optional<QString> nome, std::optional<double> tamanho, std::optional<bool> negrito,
                     std::optional<bool> italico, std::optional<bool> sublinhado) {
    if (nome && !nome->trimmed().isEmpty())
        m_fonte.nome = nome->trimmed();
    if (tamanho)
        m_fonte.tamanho = *tamanho <= 0 ? 8 : *tamanho;
    if (negrito)
        m_fonte.negrito = *negrito;
    if (italico)
        m_fonte.italico = *italico;
    if (sublinhado)
        m_fonte.sublinhado = *sublinhado;
    m_indiceFonte = m_doc->indiceFonte(m_fonte);
    m_metricasActuais = nullptr;
}

const QFontMetricsF& cPrinter::metricas(const EstiloFonte& f) const {
    const QString chave = f.nome + u'|' + QString::number(f.tamanho) + u'|' + QChar(u'0' + f.negrito) +
                          QChar(u'0' + f.italico) + QChar(u'0' + f.sublinhado) + QChar(u'0' + f.riscado);
    auto it = m_metricas.find(chave);
    if (it == m_metricas.end())
        it = m_metricas.insert(chave, std::make_shared<QFontMetricsF>(fonteEmTwips(f)));
    return *it.value();
}

const QFontMetricsF& cPrinter::metricas() const {
    if (!m_metricasActuais)
        m_metricasActuais = &metricas(m_fonte);
    return *m_metricasActuais;
}

double cPrinter::WidthOfString(const QString& texto) const {
    return ConvertTWmm(metricas().horizontalAdvance(texto));
}

double cPrinter::HeightOfString(const QString& texto) const {
    const int linhas = int(texto.count(u'\n')) + 1;
    const QFontMetricsF& fm = metricas();
    return ConvertTWmm(fm.height() + (linhas - 1) * fm.lineSpacing());
}

QString cPrinter::FitStringToComp(const QString& texto, double largura, QString* resto,
                                  bool porPalavras) const {
    const QFontMetricsF& fm = metricas();
    const double w = ConvertmmTW(largura);
    if (fm.horizontalAdvance(texto) <= w) {
        if (resto)
            resto->clear();
        return texto;
    }
    auto cabe = [&](qsizetype n) { return fm.horizontalAdvance(texto.left(n).trimmed()) <= w; };
    qsizetype corte = 0;
    if (porPalavras) {
        std::vector<qsizetype> brancos;
        for (qsizetype i = 1; i < texto.size(); ++i)
            if (texto[i].isSpace() && !texto[i - 1].isSpace())
                brancos.push_back(i);
        // Widths grow with the prefix, so the last fitting blank is found by bisection.
        size_t lo = 0, hi = brancos.size();
        while (lo < hi) {
            const size_t meio = (lo + hi) / 2;
            if (cabe(brancos[meio]))
                lo = meio + 1;
            else
                hi = meio;
        }
        if (lo > 0)
            corte = brancos[lo - 1];
    }
    if (corte == 0) {
        qsizetype lo = 0, hi = texto.size();
        while (lo < hi) {
            const qsizetype meio = (lo + hi + 1) / 2;
            if (cabe(meio))
                lo = meio;
            else
                hi = meio - 1;
        }
        corte = lo;
    }
    QString cabeca = texto.left(corte);
    while (!cabeca.isEmpty() && cabeca.back().isSpace())
        cabeca.chop(1);
    if (resto) {
        QString r = texto.mid(corte);
        qsizetype i = 0;
        while (i < r.size() && r[i].isSpace())
            ++i;
        *resto = r.mid(i);
    }
    return cabeca;
}

QStringList cPrinter::quebrarPalavras(const QString& texto, double larguraTw) const {
    static const QRegularExpression quebra(QStringLiteral("\r\n|\n|\r"));
    QStringList linhas;
    const double largura = ConvertTWmm(larguraTw);
    for (const QString& paragrafo : texto.split(quebra)) {
        QString resto = paragrafo;
        if (resto.trimmed().isEmpty()) {
            linhas << QString();
            continue;
        }
        while (!resto.isEmpty()) {
            QString r;
            QString cabeca = FitStringToComp(resto, largura, &r, true);
            if (cabeca.isEmpty()) { // not even one character fits: print it anyway, never loop
                cabeca = resto.left(1);
                r = resto.mid(1).trimmed();
            }
            linhas << cabeca;
            resto = r;
        }
    }
    return linhas;
}

QString cPrinter::FitMemoToHole(const QString& texto, double largura, double altura) const {
    const QFontMetricsF& fm = metricas();
    const double w = ConvertmmTW(largura);
    QStringList linhas = quebrarPalavras(texto, w);
    // A hole of one text height still takes one line, even if the leading would not fit.
    const int cabem =
        std::max(1, int(std::floor((ConvertmmTW(altura) - fm.height()) / fm.lineSpacing() + 1e-6)) + 1);
    if (linhas.size() <= cabem)
        return linhas.join(u'\n');
    linhas = linhas.mid(0, cabem);
    const QString reticencias = QStringLiteral("...");
    QString ultima = linhas.back();
    while (!ultima.isEmpty() && fm.horizontalAdvance(ultima + reticencias) > w) {
        const qsizetype branco = ultima.lastIndexOf(u' ');
        ultima = branco > 0 ? ultima.left(branco).trimmed() : ultima.left(ultima.size() - 1);
    }
    linhas.back() = ultima + reticencias;
    return linhas.join(u'\n');
}

// ---------------------------------------------------------------- text

std::vector<OpDesenho>& cPrinter::ops() {
    if (m_doc->paginas.empty())
        m_doc->paginas.emplace_back();
    return m_doc->paginas[size_t(m_pagina)].ops;
}

void cPrinter::escreverLinha(const QString& t, double ancoraTw, double topoTw, Alinhar a, double) {
    const QFontMetricsF& fm = metricas();
    const double largura = fm.horizontalAdvance(t);
    const double esquerda = a == Alinhar::Esquerda  ? ancoraTw
                            : a == Alinhar::Direita ? ancoraTw - largura
                                                    : ancoraTw - largura / 2;
    if (!t.isEmpty())
        ops().push_back(OpTexto{QPointF(esquerda, topoTw + fm.ascent()),
                                QRectF(esquerda, topoTw, largura, fm.height()), t, m_indiceFonte, m_cor});
    m_curX = esquerda + largura;
    m_curY = topoTw + fm.height();
}

void cPrinter::texto(const QString& t, double y, double x, double largura, double altura, Alinhar a,
                     TipoDado tipo) {
    if (!m_iniciado || t.isEmpty())
        return;
    static const QRegularExpression quebra(QStringLiteral("\r\n|\n|\r"));
    const QFontMetricsF& fm = metricas();
    // Most report texts are one line that fits: they skip the line breaking, which a long report
    // would otherwise pay for on every cell.
    const bool umaLinha = !t.contains(u'\n') && !t.contains(u'\r');
    const QStringList linhas =
        umaLinha && (largura <= 0 || fm.horizontalAdvance(t) <= ConvertmmTW(largura)) ? QStringList{t}
        : largura > 0 ? FitMemoToHole(t, largura, altura > 0 ? altura : ConvertTWmm(fm.height())).split(u'\n')
                      : t.split(quebra);
    double topo = yTw(y);
    for (const QString& linha : linhas) {
        escreverLinha(linha, xTw(x), topo, a, ConvertmmTW(largura));
        topo += fm.lineSpacing();
    }
    if (m_gravar)
        m_doc->exportados.push_back({PaginaActual(), x, y, t, m_fonte, tipo});
}

void cPrinter::L(const QString& t, double y, double x, double largura, double altura, TipoDado tipo) {
    texto(t, y, x, largura, altura, Alinhar::Esquerda, tipo);
}
void cPrinter::r(const QString& t, double y, double x, double largura, double altura, TipoDado tipo) {
    texto(t, y, x, largura, altura, Alinhar::Direita, tipo);
}
void cPrinter::c(const QString& t, double y, double x, double largura, double altura, TipoDado tipo) {
    texto(t, y, x, largura, altura, Alinhar::Centro, tipo);
}

double cPrinter::m(const QString& t, double y, double x, double largura, double passo) {
    const double salto = passo > 0 ? passo : ConvertTWmm(metricas().lineSpacing());
    for (const QString& linha : quebrarPalavras(t, ConvertmmTW(largura))) {
        L(linha, y, x);
        y += salto;
    }
    return y;
}

bool cPrinter::PrintUmaLinhaMemo(QString& memo, double y, double x, double largura) {
    if (memo.isEmpty())
        return false;
    static const QRegularExpression quebra(QStringLiteral("\r\n|\n|\r"));
    const QRegularExpressionMatch fim = quebra.match(memo);
    const QString paragrafo = fim.hasMatch() ? memo.left(fim.capturedStart()) : memo;
    const QString depois = fim.hasMatch() ? memo.mid(fim.capturedEnd()) : QString();
    QString resto;
    QString linha = FitStringToComp(paragrafo, largura, &resto, true);
    if (linha.isEmpty() && !paragrafo.trimmed().isEmpty()) {
        linha = paragrafo.left(1);
        resto = paragrafo.mid(1);
    }
    L(linha, y, x);
    memo = resto.isEmpty() ? depois : resto + (fim.hasMatch() ? fim.captured() + depois : QString());
    return true;
}

void cPrinter::PrintStringNosBuracos(const QString& texto, double y, double x, double larguraBuraco,
                                     int buracos, const QString& alinhamento, bool semSeparadores) {
    QString t = texto.trimmed().toUpper();
    if (t.isEmpty() || buracos <= 0)
        return;
    if (semSeparadores)
        t.remove(u'.').remove(u',');
    const bool daDireita = !alinhamento.trimmed().toUpper().startsWith(u'L');
    for (qsizetype k = 0; k < t.size() && k < buracos; ++k) {
        const qsizetype i = daDireita ? t.size() - 1 - k : k;
        const int buraco = daDireita ? buracos - 1 - int(k) : int(k);
        escreverLinha(QString(t[i]), xTw(x + (buraco + 0.5) * larguraBuraco), yTw(y), Alinhar::Centro, 0);
    }
    if (m_gravar)
        m_doc->exportados.push_back({PaginaActual(), x, y, t, m_fonte, TipoDado::Automatico});
}

void cPrinter::PrintGruposNosBuracos(const QString& numero, double y,
                                     const std::vector<GrupoBuracos>& grupos) {
    QString t = numero.trimmed();
    if (t.isEmpty() || grupos.empty())
        return;
    const bool negativo = t.contains(u'-') || (t.startsWith(u'(') && t.endsWith(u')'));
    t.remove(u'-').remove(u'(').remove(u')');
    QStringList partes = t.split(QRegularExpression(QStringLiteral("[.,]")));
    // More groups of digits than groups of boxes: the leading ones share the first box group.
    while (partes.size() > qsizetype(grupos.size())) {
        partes[1] = partes[0] + partes[1];
        partes.removeFirst();
    }
    const int primeiroGrupo = int(grupos.size()) - int(partes.size());
    int grupoSinal = -1, buracoSinal = -1;
    for (int g = 0; g < int(partes.size()); ++g) {
        const GrupoBuracos& gb = grupos[size_t(primeiroGrupo + g)];
        const QString& digitos = partes[g];
        for (qsizetype k = 0; k < digitos.size() && k < gb.quantidade; ++k) {
            const int buraco = gb.quantidade - 1 - int(k);
            escreverLinha(QString(digitos[digitos.size() - 1 - k]), xTw(gb.x + (buraco + 0.5) * gb.largura),
                          yTw(y), Alinhar::Centro, 0);
        }
        if (g == 0) {
            const int livre = gb.quantidade - 1 - int(digitos.size());
            if (livre >= 0) {
                grupoSinal = primeiroGrupo;
                buracoSinal = livre;
            } else if (primeiroGrupo > 0) {
                grupoSinal = primeiroGrupo - 1;
                buracoSinal = grupos[size_t(grupoSinal)].quantidade - 1;
            }
        }
    }
    if (negativo && grupoSinal >= 0 && buracoSinal >= 0) {
        const GrupoBuracos& gb = grupos[size_t(grupoSinal)];
        escreverLinha(QStringLiteral("-"), xTw(gb.x + (buracoSinal + 0.5) * gb.largura), yTw(y),
                      Alinhar::Centro, 0);
    }
    if (m_gravar)
        m_doc->exportados.push_back(
            {PaginaActual(), grupos.front().x, y, numero.trimmed(), m_fonte, TipoDado::Numero});
}

// ---------------------------------------------------------------- layout

void cPrinter::SetMargens(std::optional<double> topo, std::optional<double> esquerda,
                          std::optional<double> fundo, std::optional<double> direita,
                          std::optional<double> cabecalho, std::optional<double> rodape) {
    if (topo)
        m_margens.topo = *topo;
    if (esquerda)
        m_margens.esquerda = *esquerda;
    if (fundo)
        m_margens.fundo = *fundo;
    if (direita)
        m_margens.direita = *direita;
    if (cabecalho)
        m_margens.cabecalho = *cabecalho;
    if (rodape)
        m_margens.rodape = *rodape;
}

void cPrinter::SetPageSize(std::optional<double> altura, std::optional<double> largura) {
    if (altura && *altura > 0)
        m_doc->alturaTw = ConvertmmTW(*altura);
    if (largura && *largura > 0)
        m_doc->larguraTw = ConvertmmTW(*largura);
}

QSizeF cPrinter::GetPageSize() const {
    return {ConvertTWmm(m_doc->larguraTw), ConvertTWmm(m_doc->alturaTw)};
}

double cPrinter::mX() const {
    return ConvertTWmm(m_doc->larguraTw) - (m_margens.esquerda + m_margens.direita);
}

double cPrinter::mY() const {
    return ConvertTWmm(m_doc->alturaTw) -
           (m_margens.topo + m_margens.fundo + m_margens.cabecalho + m_margens.rodape);
}

// ---------------------------------------------------------------- export and housekeeping

Resultado<> cPrinter::ListagemToECN(const QString& ficheiro) const {
    return EscreverXlsx(*m_doc, ficheiro);
}

QString cPrinter::GetFilenameExportExcel(UserInteraction& ui) const {
    QString f = ui.escolherFicheiroGravar(QStringLiteral("Indique a Localização do Ficheiro a Exportar:"),
                                          QStringLiteral("Ficheiros Excel (*.xlsx)"),
                                          NomeFicheiroSeguro(m_doc->titulo) + QStringLiteral(".xlsx"));
    if (!f.isEmpty() && !f.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive))
        f += QStringLiteral(".xlsx");
    return f;
}

void cPrinter::LimpaTudo() {
    m_doc->limpar();
    m_imagens.clear();
    m_indiceFonte = m_doc->indiceFonte(m_fonte);
    if (m_iniciado)
        m_doc->paginas.emplace_back();
    m_pagina = 0;
}

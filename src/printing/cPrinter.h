#pragma once

#include "common/Resultado.h"
#include "printing/DocumentoImpresso.h"

#include <QDate>
#include <QFontMetricsF>
#include <QHash>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class UserInteraction;

// What a long report shows while it runs ("Imprimindo Página n") and where its stop comes from.
// The window WVSProcessando implements it; without one, Wait only honours Parar().
class IndicadorProgresso {
public:
    virtual ~IndicadorProgresso() = default;
    virtual void mostrar(const QString& titulo, const QString& informacao) = 0;
    virtual bool pedidoParar() = 0;
    virtual void fechar() = 0;
};

struct Margens {
    double topo = 0, esquerda = 0, fundo = 0, direita = 0, cabecalho = 0, rodape = 0; // mm
};

// A run of boxes of a pre-printed form: the left edge of the first box, each box's width, how many.
struct GrupoBuracos {
    double x = 0;
    double largura = 0;
    int quantidade = 0;
};

// The drawing layer every report, list and label prints through. Positions and sizes are
// millimetres from the top and left margins (the engine adds the margins); the result is a
// recorded document that the preview shows, the printer prints and the exporters write.
//
// A report is a function that draws into a cPrinter; the caller then presents the document:
//
//   bool MapaProducao(cPrinter& p, const QList<Linha>& linhas) {
//       // set before init: init raises it for page 1
//       p.aoNovaPagina = [&](int) { p.PFont({}, 12, true); p.c(QStringLiteral("Mapa de Produção"), 10, p.mX()
//       / 2); }; if (!p.init(QStringLiteral("Mapa de Produção"), QStringLiteral("S")))
//           return false;
//       double y = 30;
//       for (const Linha& l : linhas) {
//           if (!p.Wait(p.PaginaActual())) { p.Abort(); return false; }
//           if (y > p.mY() - 30) { p.PNP(); y = 30; }
//           p.L(l.produto, y, 10);
//           p.r(l.quantidade, y, 190, 0, 0, TipoDado::Numero);
//           y += 5;
//       }
//       p.PrintPageNumbers(true);
//       return p.Show();
//   }
//   ...
//   cPrinter p;
//   if (MapaProducao(p, linhas))
//       MostrarDocumento(p.documento(), ctx, ui);      // preview (printing/ui/Apresentacao.h)
//       // or EscreverPdf(*p.documento(), ficheiro)    // (printing/ExportadorPdf.h)
class cPrinter {
public:
    enum class Orientacao { Retrato = 0, Paisagem = 1 };
    // Paper size codes the reports pass; 256 = user-defined height and width.
    static constexpr int PapelA4 = 9, PapelA3 = 8, PapelA5 = 11, PapelCarta = 1, PapelDefinido = 256;

    cPrinter();
    ~cPrinter();
    cPrinter(const cPrinter&) = delete;
    cPrinter& operator=(const cPrinter&) = delete;

    // Starts a new document with one empty page. destino "S" = screen preview, "P" = printer (a
    // machine without a default printer gets "S"). tamanhoPapel 0 keeps A4; a height or width > 0
    // makes the paper user-defined. The font is reset to Times New Roman, plain.
    bool init(const QString& titulo, const QString& destino = QStringLiteral("S"), int tamanhoPapel = 0,
              Orientacao orientacao = Orientacao::Retrato, double altura = 0, double largura = 0);

    // Ends the document: the after-page event of the last page, then the page-number pass
    // (PrintPageNumbers and/or the ten-text layout). False when there is no document or it was aborted.
    //
    // Layout: ten texts, each a "<@>"-separated list with one value per item, in this order:
    // X, Y (mm), font name, size, bold, italic ("1"/"True"), alignment ("L", "R", "C"),
    // underline, a caption printed before the number, colour (#rrggbb). Each item prints
    // caption + page + " / " + page count.
    bool Show(const QStringList& layoutNumeros = {});

    std::shared_ptr<DocumentoImpresso> documento() const { return m_doc; }
    QString Destino() const { return m_destino; }
    QString Titulo() const { return m_doc->titulo; }
    QDate DataRelatorio() const { return m_data; }
    void DataRelatorio(const QDate& d) { m_data = d; }

    // --- pages and progress ---
    void PNP();
    int PaginaActual() const { return m_pagina + 1; }
    int NumeroPaginas() const { return m_doc->numeroPaginas(); }
    // Makes an existing page current again (1-based), for stamping after the fact.
    void EditarPagina(int pagina);
    // Shows "Imprimindo Página n"; false when the user asked to stop.
    bool Wait(int pagina);
    void Abort();
    void Parar() { m_parar = true; }
    bool Abortado() const { return m_abortado; }
    void definirIndicador(IndicadorProgresso* i) { m_indicador = i; }

    // Raised when a page starts (page number) and after a page is complete. The font in use before
    // the event is restored after it, so a header routine may change fonts freely.
    std::function<void(int)> aoNovaPagina;
    std::function<void(int)> aposPagina;

    // --- text; y first, then x, in mm from the margins ---
    // Left-aligned at x; a width > 0 fits the text into it (and the height, one line when 0).
    void L(const QString& texto, double y, double x, double largura = 0, double altura = 0,
           TipoDado tipo = TipoDado::Automatico);
    // Right-aligned: x is the right edge.
    void r(const QString& texto, double y, double x, double largura = 0, double altura = 0,
           TipoDado tipo = TipoDado::Automatico);
    // Centred on x.
    void c(const QString& texto, double y, double x, double largura = 0, double altura = 0,
           TipoDado tipo = TipoDado::Automatico);
    // Word-wrapped within the width, line by line; passo 0 = the font's line height.
    // Returns the y below the last line.
    double m(const QString& texto, double y, double x, double largura, double passo = 0);
    // Prints the first line of a memo (up to CR/LF, or what fits the width) and removes it from memo.
    // False when memo was empty. Lets a report break pages inside a long memo.
    bool PrintUmaLinhaMemo(QString& memo, double y, double x, double largura);
    // Rich text (HTML or RTF; plain text too) laid out within the width. Returns the y below it.
    double PrintMemoRTF(const QString& texto, double y, double x, double largura);
    // One character per box, centred; "R" fills from the last box leftwards, "L" from the first.
    void PrintStringNosBuracos(const QString& texto, double y, double x, double larguraBuraco, int buracos,
                               const QString& alinhamento = QStringLiteral("R"), bool semSeparadores = false);
    // A number split into groups of boxes (thousands, decimals): each digit group goes right-aligned
    // into its box group, from the last one backwards; a negative sign ("-" or parentheses) goes in
    // the box before the first digit.
    void PrintGruposNosBuracos(const QString& numero, double y, const std::vector<GrupoBuracos>& grupos);

    // --- fonts, colours, shapes ---
    void PFont(std::optional<QString> nome = {}, std::optional<double> tamanho = {},
               std::optional<bool> negrito = {}, std::optional<bool> italico = {},
               std::optional<bool> sublinhado = {});
    EstiloFonte Fonte() const { return m_fonte; }
    void PColor(const QColor& cor) { m_cor = cor; }
    void PFill(const QColor& cor) { m_preenchimento = cor; } // invalid QColor = hollow
    void PLargura(double mm) { m_espessura = mm; }           // pen width of later shapes
    QColor Cor() const { return m_cor; }
    QColor Preenchimento() const { return m_preenchimento; }
    double Largura() const { return m_espessura; }
    // Coordinates in mm from the margins; espessura < 0 keeps the current pen width.
    void pLine(double x1, double y1, double x2, double y2, double espessura = -1);
    void pBox(double x1, double y1, double x2, double y2, double espessura = -1, double raio = 0);
    void pCircle(double xc, double yc, double raio, double espessura = -1);
    // A closed polygon through the points (mm from the margins).
    void pPolygon(const std::vector<QPointF>& pontos, double espessura = -1);
    // Several closed outlines filled as one shape (their union), with or without their outlines.
    void pPolygons(const std::vector<std::vector<QPointF>>& contornos, bool contorno, double espessura = -1);
    int PNewImg(const QString& ficheiro);
    int PNewImg(const QImage& imagem);
    void PDrawImg(int indice, double x, double y, double largura, double altura);
    void clearPics() { m_imagens.clear(); }

    // --- layout ---
    void SetMargens(std::optional<double> topo = {}, std::optional<double> esquerda = {},
                    std::optional<double> fundo = {}, std::optional<double> direita = {},
                    std::optional<double> cabecalho = {}, std::optional<double> rodape = {});
    Margens GetMargens() const { return m_margens; }
    void SetPageSize(std::optional<double> altura = {}, std::optional<double> largura = {});
    QSizeF GetPageSize() const; // width, height in mm
    double mX() const;          // usable width
    double mY() const;          // usable height
    // The last text's end (x) and the line below it (y), in mm from the page edge.
    double CurX() const { return ConvertTWmm(m_curX); }
    double CurY() const { return ConvertTWmm(m_curY); }

    double WidthOfString(const QString& texto) const;
    double HeightOfString(const QString& texto = QStringLiteral("Xg")) const;
    // The longest beginning that fits the width; the rest (left-trimmed) goes to *resto. By words a
    // cut falls on a blank; a first word wider than the width is cut by characters.
    QString FitStringToComp(const QString& texto, double largura, QString* resto = nullptr,
                            bool porPalavras = true) const;
    // Word-wrapped lines that fit the rectangle, joined by "\n"; a cut text ends in "...".
    QString FitMemoToHole(const QString& texto, double largura, double altura) const;

    // --- properties the reports keep here ---
    bool InibeDash() const { return m_inibeDash; }
    void InibeDash(bool v) { m_inibeDash = v; }
    double InicioDash() const { return m_inicioDash; }
    void InicioDash(double mm) { m_inicioDash = mm; }
    double JumpLine() const { return ConvertTWmm(m_jumpLine); }
    void JumpLine(double mm) { m_jumpLine = ConvertmmTW(mm); }
    double InicialLine() const { return ConvertTWmm(m_inicialLine); }
    void InicialLine(double mm) { m_inicialLine = ConvertmmTW(mm); }
    bool PrintPageNumbers() const { return m_numerar; }
    void PrintPageNumbers(bool v) { m_numerar = v; }
    QString PrintPageNumbers_Caption() const { return m_numerarTexto; }
    void PrintPageNumbers_Caption(const QString& s) { m_numerarTexto = s; }
    double PrintPageNumbers_PosX() const { return m_numerarX; }
    void PrintPageNumbers_PosX(double mm) { m_numerarX = mm; }
    double PrintPageNumbers_PosY() const { return m_numerarY; }
    void PrintPageNumbers_PosY(double mm) { m_numerarY = mm; }
    QString DeviceName() const { return m_impressora; }
    void DeviceName(const QString& s) { m_impressora = s; }

    // --- spreadsheet export ---
    void GravarExportacao(bool v) { m_gravar = v; }
    bool GravarExportacao() const { return m_gravar; }
    // Writes the recorded texts as .xlsx.
    Resultado<> ListagemToECN(const QString& ficheiro) const;
    // Asks where to write the spreadsheet; empty when cancelled.
    QString GetFilenameExportExcel(UserInteraction& ui) const;

    // Empties the document (pages, recorded texts, pictures).
    void LimpaTudo();

private:
    enum class Alinhar { Esquerda, Direita, Centro };
    void texto(const QString& t, double y, double x, double largura, double altura, Alinhar a, TipoDado tipo);
    void escreverLinha(const QString& t, double xTw, double topoTw, Alinhar a, double larguraCaixaTw);
    QStringList quebrarPalavras(const QString& texto, double larguraTw) const;
    const QFontMetricsF& metricas() const;
    const QFontMetricsF& metricas(const EstiloFonte& f) const;
    std::vector<OpDesenho>& ops();
    double xTw(double mm) const { return ConvertmmTW(m_margens.esquerda + mm); }
    double yTw(double mm) const { return ConvertmmTW(m_margens.topo + mm); }
    double espessuraTw(double mm) const { return ConvertmmTW(mm < 0 ? m_espessura : mm); }
    void novaPaginaEvento();
    void carimbarNumeros(const QStringList& layout);

    std::shared_ptr<DocumentoImpresso> m_doc;
    QString m_destino = QStringLiteral("S");
    QDate m_data;
    int m_pagina = 0;
    bool m_iniciado = false;
    bool m_terminado = false;
    bool m_parar = false;
    bool m_abortado = false;
    IndicadorProgresso* m_indicador = nullptr;

    EstiloFonte m_fonte;
    int m_indiceFonte = 0;
    QColor m_cor = Qt::black;
    QColor m_preenchimento;
    double m_espessura = 0.2; // mm
    Margens m_margens;
    double m_curX = 0, m_curY = 0;
    std::vector<std::shared_ptr<const QImage>> m_imagens;

    bool m_inibeDash = false;
    double m_inicioDash = 0;
    double m_jumpLine = 0, m_inicialLine = 0;
    bool m_numerar = false;
    QString m_numerarTexto = QStringLiteral("Página: ");
    double m_numerarX = 180, m_numerarY = 285;
    QString m_impressora;
    bool m_gravar = false;

    mutable QHash<QString, std::shared_ptr<QFontMetricsF>> m_metricas;
    mutable const QFontMetricsF* m_metricasActuais = nullptr;
};

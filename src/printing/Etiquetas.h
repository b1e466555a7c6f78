#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"

#include <QJsonObject>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <vector>

class Database;

// A label definition: one row of `etiquetas`. Lengths in whole millimetres.
struct DefinicaoEtiqueta {
    QString codigo, descricao;
    int numEtiqHoriz = 0, numEtiqVert = 0;
    int distEntreEtiqHoriz = 0, distEntreEtiqVert = 0;
    int alturaEtiq = 0, larguraEtiq = 0;
    int margemX = 0, margemY = 0, margemXI = 0, margemYI = 0;
    int salto = 0;
    QString campos;
    int arredondaPreco = 2;
    bool arredondaPrecoCorta = false;
    bool etiquetaComXY = false;
    int tipoCodigoBarras = 1, layoutCodigoBarras = 0;
    int altCodBar = 0, compCodBar = 0;
    int tipoPapel = 0, alturaPapel = 297, larguraPapel = 210; // tipoPapel 0: the size given here
    QString ficheiroBase = QStringLiteral("P");
    bool precosComIvaInc = false;
    bool imprimeCaixaContorno = false;
};

// Reads a product label (FicheiroBase "P"); nullopt when there is none of that code.
Resultado<std::optional<DefinicaoEtiqueta>> LerDefinicaoEtiqueta(Database& db, const QString& codigo);
// Saves (inserts, or with substituir replaces) a definition; refused with a clear message on a
// blank code or description, or a grid that does not fit the paper.
Resultado<> GravarDefinicaoEtiqueta(Database& db, const DefinicaoEtiqueta& d, bool substituir);
// One JSON object whose keys are the declared `etiquetas` column names, and back (unknown keys and
// wrong types refused by name).
QJsonObject DefinicaoEtiquetaParaJson(const DefinicaoEtiqueta& d);
Resultado<DefinicaoEtiqueta> DefinicaoEtiquetaDeJson(const QJsonObject& o);

// The paper in mm (width, height): tipoPapel 1, 8, 9, 11 are Letter, A3, A4, A5 (the printer's
// codes); any other value takes LarguraPapel × AlturaPapel.
QSizeF TamanhoPapelEtiqueta(const DefinicaoEtiqueta& d);

// Refused with "A definição da etiqueta não cabe no papel!" when the grid is empty or the labels
// do not fit the paper.
Resultado<> ValidaGrelhaEtiqueta(const DefinicaoEtiqueta& d);

// One entry of `campos`: font, size, bold, italic, the text split around its one "[field]", and
// the X/Y of positions 8 and 9 (mm from the label's corner, used with EtiquetaComXY).
struct CampoEtiqueta {
    QString fonte = QStringLiteral("Arial");
    double tamanho = 8;
    bool negrito = false, italico = false;
    QString prefixo, campo, sufixo; // campo "" = the text printed as it is (in prefixo)
    QString texto;                  // the text as written, printed when the field is not known
    bool temCampo = false;
    double x = 0, y = 0;
};
// Splits `campos` ("/" between entries, ";" between positions 0-9); "Não definiu campos para
// imprimir!" when there is none.
Resultado<std::vector<CampoEtiqueta>> LerCamposEtiqueta(const QString& campos);

// Where label n (0-based, counting from the first position given) of a run falls: its page
// (0-based) and the top-left corner of the label in mm from the paper's corner. Columns and rows
// below 1 count as 1.
struct PosicaoEtiqueta {
    int pagina = 0, coluna = 1, linha = 1;
    QPointF canto;
};
PosicaoEtiqueta PosicaoDaEtiqueta(const DefinicaoEtiqueta& d, int colunaInicial, int linhaInicial, int n);

// A price as the label prints it: VAT added when asked and the definition's prices do not include
// it (comIvaSempre: always, for PrecoLoteComIva), divided by the exchange value (0 or 1: none),
// rounded to ArredondaPreco decimals (0-4, halves away from zero) or cut with ArredondaPrecoCorta,
// in the Portuguese form with that many decimals.
QString PrecoEtiqueta(const DefinicaoEtiqueta& d, const Currency& preco, const Currency& taxaIva, bool comIva,
                      bool comIvaSempre, const Currency& cambio);

// One row of the list to label.
struct LinhaEtiqueta {
    QString produto, descricao;
    int quantidade = 1;
    QString estacao, sexo, referencia, modelo, cor, tamanho, comprimento, fornecedor;
    QString codigoDinamico, lote;
    Currency precoLote;
    bool marcada = true;
};

struct OpcoesEtiquetas {
    int coluna = 1, linha = 1; // the first label's place on the first sheet
    bool iva = false;
    bool caixa = false; // the label's outline (a window starts it from ImprimeCaixaContorno)
    Currency cambio; // 0: none
};

// What a run printed, and the codes that could not be made (their places left empty).
struct AvisoEtiqueta {
    QString produto, campo, erro;
};
struct ResultadoEtiquetas {
    int paginas = 0, etiquetas = 0;
    std::vector<AvisoEtiqueta> avisos;
};

#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class cPrinter;

// What a report printed, as data: for the command line's --json and for tests that check figures
// without reading pages. Each row has a kind ("produto", "componente", "lote", "soma", "total", …)
// and its named values; amounts as strings with four decimals.
struct DadosRelatorio {
    QString relatorio, titulo;
    QJsonObject filtros;
    QJsonArray linhas;
    QJsonObject totais;

    void linha(const QString& tipo, QJsonObject valores) {
        valores.insert(QStringLiteral("tipo"), tipo);
        linhas.append(valores);
    }
    QJsonObject json() const;
};
// An amount as the JSON of a report gives it.
inline QString MontanteJson(const Currency& v) { return v.toString(); }

// The page frame reports share: the company's name and the title at the top, filter lines under
// it, the report's column captions (drawn by `colunas` on every page), the footer "Data Emissão :
// <date>  -  Processado por Computador" and page numbers. Body rows go through `linha`, which
// breaks the page when the next row would pass the usable height less 30 mm.
class MolduraRelatorio {
public:
    MolduraRelatorio(cPrinter& p, QString empresa, QString titulo, QDate emissao = QDate::currentDate());
    ~MolduraRelatorio();
    MolduraRelatorio(const MolduraRelatorio&) = delete;
    MolduraRelatorio& operator=(const MolduraRelatorio&) = delete;

    QStringList subtitulos;                 // filter summary, one line each under the title
    QString fonte = QStringLiteral("Arial Narrow");
    double x0 = 10, largura = 190;          // left edge and width of the body
    std::function<void(double& y)> colunas; // captions at y; advances y past its rule

    // Starts the document ("S" screen, "P" printer); false when the printer refused.
    bool iniciar(const QString& destino, int tamanhoPapel = 0);
    // The body's cursor.
    double y = 0;
    // Room for `altura` mm more on this page, or a new page (header and captions again). False
    // once the user stopped the print in the progress window: the caller ends its loop and returns
    // false, and nothing is shown.
    bool linha(double altura);
    void novaPagina();
    // Ends the document: page numbers, then the preview or the printer; false after a stop.
    bool mostrar();
    bool parado() const { return m_parado; }

private:
    cPrinter& m_p;
    QString m_empresa, m_titulo;
    QDate m_emissao;
    bool m_parado = false;
};

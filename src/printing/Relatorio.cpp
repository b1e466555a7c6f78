#include "printing/Relatorio.h"

#include "printing/cPrinter.h"

QJsonObject DadosRelatorio::json() const {
    return QJsonObject{{QStringLiteral("relatorio"), relatorio},
                       {QStringLiteral("titulo"), titulo},
                       {QStringLiteral("filtros"), filtros},
                       {QStringLiteral("linhas"), linhas},
                       {QStringLiteral("totais"), totais}};
}

namespace {
constexpr double TopoCorpo = 25;  // where the title block ends and the captions start
constexpr double Rodape = 8;      // the footer's distance from the usable bottom
constexpr double Reserva = 30;    // a row starting beyond usable height − this goes to a new page
} // namespace

MolduraRelatorio::MolduraRelatorio(cPrinter& p, QString empresa, QString titulo, QDate emissao)
    : m_p(p), m_empresa(std::move(empresa)), m_titulo(std::move(titulo)), m_emissao(emissao) {}

MolduraRelatorio::~MolduraRelatorio() {
    // The page handler refers to this frame.
    m_p.aoNovaPagina = nullptr;
}

bool MolduraRelatorio::iniciar(const QString& destino, int tamanhoPapel) {
    m_p.aoNovaPagina = [this](int) {
        m_p.PFont(fonte, 9, true);
        m_p.L(m_empresa, 8, x0, largura * 0.6);
        m_p.PFont(QStringLiteral("Times New Roman"), 12, true);
        m_p.c(m_titulo, 13, m_p.mX() / 2);
        double topo = TopoCorpo;
        if (!subtitulos.isEmpty()) {
            m_p.PFont(fonte, 9, false);
            double ys = 19;
            for (const QString& s : subtitulos) {
                m_p.L(s, ys, x0, largura);
                ys += 4.5;
            }
            topo = ys + 2;
        }
        m_p.pLine(x0, topo - 1.5, x0 + largura, topo - 1.5);
        m_p.PFont(fonte, 9, false);
        m_p.L(QStringLiteral("Data Emissão : ") + m_emissao.toString(QStringLiteral("dd-MM-yyyy")) +
                  QStringLiteral("  -  ") + QStringLiteral("Processado por Computador"),
              m_p.mY() - Rodape, x0);
        y = topo + 1;
        if (colunas)
            colunas(y);
        m_p.PFont(fonte, 8, false);
    };
    m_p.PrintPageNumbers(true);
    m_p.PrintPageNumbers_PosX(x0 + largura - 20);
    if (!m_p.init(m_titulo, destino, tamanhoPapel)) {
        m_p.aoNovaPagina = nullptr;
        return false;
    }
    m_p.PrintPageNumbers_PosY(m_p.mY() - Rodape);
    return true;
}

bool MolduraRelatorio::linha(double altura) {
    if (m_parado)
        return false;
    if (y + altura > m_p.mY() - Reserva)
        novaPagina();
    if (!m_p.Wait(m_p.PaginaActual())) {
        m_p.Abort();
        m_parado = true;
        return false;
    }
    return true;
}

void MolduraRelatorio::novaPagina() { m_p.PNP(); }

bool MolduraRelatorio::mostrar() {
    if (m_parado || m_p.Abortado()) {
        m_p.aoNovaPagina = nullptr;
        return false;
    }
    const bool r = m_p.Show();
    m_p.aoNovaPagina = nullptr;
    return r;
}

#pragma once

#include <QString>
#include <QStringList>

// The option alert: a question as the window's title and its answers as a list.
// Callers put the safe (negative) answer first, so the preselected row is the harmless one.
class AlertaOpcoes {
public:
    AlertaOpcoes(const QString& questao, const QStringList& respostas) : m_questao(questao), m_respostas(respostas) {}

    const QString& titulo() const { return m_questao; }
    const QStringList& respostas() const { return m_respostas; }

    // Layout in twips: each answer takes 300; the buttons sit 100 below the list and the
    // window ends 700 below it.
    static constexpr int TwipsPorResposta = 300;
    int alturaLista() const { return int(m_respostas.size()) * TwipsPorResposta; }
    int topoBotoes(int topoLista) const { return topoLista + alturaLista() + 100; }
    int alturaJanela(int topoLista) const { return topoLista + alturaLista() + 700; }
    static int twipsParaPixeis(int twips, double dpi) { return int(twips * dpi / 1440.0 + 0.5); }

    // The row selected when the window opens.
    int linhaInicial() const { return m_respostas.isEmpty() ? -1 : 0; }
    // "&Selecionar", a double click or Enter on a row: 1-based position of the row.
    void seleccionar(int linha) { m_resultado = (linha >= 0 && linha < m_respostas.size()) ? linha + 1 : 0; }
    // "&Cancelar", or the window closed by the system: 0.
    void cancelar() { m_resultado = 0; }
    int resultado() const { return m_resultado; }

private:
    QString m_questao;
    QStringList m_respostas;
    int m_resultado = 0;
};

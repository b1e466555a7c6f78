#pragma once

#include "common/UserInteraction.h"

#include <QVariant>
#include <deque>
#include <optional>
#include <vector>

// Answers the program's questions from a script and records every message shown.
// A question with no scripted answer fails the test.
class ScriptedInteraction : public UserInteraction {
public:
    struct Mostrada {
        QString texto;
        Icone icone;
        QString titulo;
    };

    // Queue an answer: bool for pergunta, int for alerta/caixaBotoes, QString for texts and files,
    // an invalid QVariant for "cancelled".
    void responder(const QVariant& resposta) { m_respostas.push_back(resposta); }

    std::vector<Mostrada> mensagens;
    std::vector<QString> perguntas; // every question asked, in order

    QString ultimaMensagem() const { return mensagens.empty() ? QString() : mensagens.back().texto; }
    bool respostasEsgotadas() const { return m_respostas.empty(); }

    void mensagem(const QString& texto, Icone icone, const QString& titulo) override;
    bool pergunta(const QString& texto, const QString& titulo) override;
    int alerta(const QString& questao, const QStringList& respostas) override;
    int caixaBotoes(const QString& texto, const QString& titulo, const QStringList& botoes, Icone icone) override;
    std::optional<QString> pedirTexto(const QString& texto, const QString& titulo, const QString& inicial) override;
    QString escolherFicheiroAbrir(const QString& titulo, const QString& filtro, const QString& pasta) override;
    QString escolherFicheiroGravar(const QString& titulo, const QString& filtro, const QString& sugestao) override;
    QString escolherPasta(const QString& titulo, const QString& pasta) override;
    void progressoInicio(const QString&, int) override {}
    bool progresso(int, const QString&) override { return true; }
    void progressoFim() override {}

    // A scripted search window: optionally pick a field (by caption) and a key and search again,
    // then choose the given rows (0-based; the ticks in multi-selection). No rows = closed without
    // choosing. A search with no scripted answer fails the test.
    struct RespostaPesquisa {
        std::optional<QString> campo;
        std::optional<QString> chave;
        std::vector<int> linhas;
    };
    // What the search window showed when it opened.
    struct PesquisaVista {
        QString titulo;
        QString campo; // caption of the chosen field
        QString chave;
        qint64 total = 0;
        int linhas = 0;
    };
    void responderPesquisa(const RespostaPesquisa& r) { m_pesquisas.push_back(r); }
    std::vector<PesquisaVista> pesquisas;
    bool pesquisarRegistos(PesquisaNOVA& pesquisa) override;

private:
    QVariant proxima(const QString& pergunta);
    std::deque<QVariant> m_respostas;
    std::deque<RespostaPesquisa> m_pesquisas;
};

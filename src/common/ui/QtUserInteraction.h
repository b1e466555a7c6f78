#pragma once

#include "common/UserInteraction.h"

class QWidget;

// Real dialogs for the window program.
class QtUserInteraction : public UserInteraction {
public:
    explicit QtUserInteraction(QWidget* pai = nullptr) : m_pai(pai) {}
    void definirPai(QWidget* pai) { m_pai = pai; }

    void mensagem(const QString& texto, Icone icone, const QString& titulo) override;
    bool pergunta(const QString& texto, const QString& titulo) override;
    int alerta(const QString& questao, const QStringList& respostas) override;
    int caixaBotoes(const QString& texto, const QString& titulo, const QStringList& botoes, Icone icone) override;
    std::optional<QString> pedirTexto(const QString& texto, const QString& titulo, const QString& inicial) override;
    QString escolherFicheiroAbrir(const QString& titulo, const QString& filtro, const QString& pasta) override;
    QString escolherFicheiroGravar(const QString& titulo, const QString& filtro, const QString& sugestao) override;
    QString escolherPasta(const QString& titulo, const QString& pasta) override;
    void progressoInicio(const QString& texto, int total) override;
    bool progresso(int valor, const QString& texto) override;
    void progressoFim() override;
    bool pesquisarRegistos(PesquisaNOVA& pesquisa) override;

private:
    QWidget* m_pai;
    class QProgressDialog* m_progresso = nullptr;
};

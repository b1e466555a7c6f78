#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class PesquisaNOVA;

// Everything the program asks or tells the user goes through this interface,
// so that window logic can be driven by tests with scripted answers.
class UserInteraction;

// "Tipo de Listagem?" with "Para o Ecran" and "Para a Impressora": "S" or "P", nullopt when
// cancelled.
std::optional<QString> PerguntaTipoListagem(UserInteraction& ui);

class UserInteraction {
public:
    enum class Icone { Nenhum, Informacao, Exclamacao, Critico, Pergunta };

    virtual ~UserInteraction() = default;

    // A message box with one OK button.
    virtual void mensagem(const QString& texto, Icone icone = Icone::Informacao, const QString& titulo = {}) = 0;

    // Yes/No question; true for "Sim".
    virtual bool pergunta(const QString& texto, const QString& titulo = {}) = 0;

    // The option alert: the question as title, the answers as a list.
    // Returns the 1-based position of the chosen answer, 0 when cancelled.
    virtual int alerta(const QString& questao, const QStringList& respostas) = 0;

    // The button message window: returns the 0-based position of the button pressed.
    virtual int caixaBotoes(const QString& texto, const QString& titulo, const QStringList& botoes,
                            Icone icone = Icone::Pergunta) = 0;

    // Free text input; nullopt when cancelled.
    virtual std::optional<QString> pedirTexto(const QString& texto, const QString& titulo,
                                              const QString& valorInicial = {}) = 0;

    // File and folder choice; empty when cancelled.
    virtual QString escolherFicheiroAbrir(const QString& titulo, const QString& filtro, const QString& pasta = {}) = 0;
    virtual QString escolherFicheiroGravar(const QString& titulo, const QString& filtro,
                                           const QString& sugestao = {}) = 0;
    virtual QString escolherPasta(const QString& titulo, const QString& pasta = {}) = 0;

    // Progress of a long operation: begin with the total, advance, end.
    // progresso returns false when the user asked to stop.
    virtual void progressoInicio(const QString& texto, int total) = 0;
    virtual bool progresso(int valor, const QString& texto = {}) = 0;
    virtual void progressoFim() = 0;

    // Shows the search window over a prepared search, modally; true when the user chose
    // (the choice is then in the search object).
    virtual bool pesquisarRegistos(PesquisaNOVA& pesquisa) = 0;
};

// Title spelled with a blank between letters, as emphatic titles are shown.
QString tituloEspacado(const QString& titulo);
inline const QString TituloAtencao = QStringLiteral("A T E N Ç Ã O !");
inline const QString TituloInformacao = QStringLiteral("I N F O R M A Ç Ã O");

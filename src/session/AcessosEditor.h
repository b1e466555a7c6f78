#pragma once

#include <QString>
#include <vector>

struct GlobalContext;
class UserInteraction;

// The access maintenance window's state: the users, and the chosen user's rights of this program
// as a tree (windows under the program, buttons under their window) with one check per row.
class AcessosEditor {
public:
    struct UtilizadorLinha {
        QString codigo;
        QString login;
    };
    struct No {
        QString chave;
        QString chave1; // parent key
        QString texto;  // window caption, or the button's caption
        QString form;
        QString ctrl;
        bool ligado = false;
    };

    AcessosEditor(GlobalContext& ctx, UserInteraction& ui);

    // Users whose rights can be set ("01" and "00" pass every check and have none).
    std::vector<UtilizadorLinha> utilizadores() const;

    // Chooses the user and loads his rows. When he has none, offers to create them.
    // False when the rows could not be read.
    bool Utilizador(const QString& codigo);
    const QString& utilizador() const { return m_utilizador; }

    const std::vector<No>& nos() const { return m_nos; }
    // Index of the parent node; -1 for a top node.
    int pai(int indice) const;
    bool alterado() const { return m_alterado; }

    // Check-box of one node.
    void ligar(int indice, bool ligado);
    // The node toggled, and all below it set the same.
    void alternarRamo(int indice);
    // Every node checked, or unchecked when all already were.
    void alternarTodos();

    // Writes every node's check as its row's value; the service user's rows are never written.
    bool gravar();
    // Rows the program gained since the user's were made are added (allowed), then reloaded.
    bool recarregar();
    // The next node after "depois" whose text contains the given text (ignoring case); -1 when none.
    int procurar(const QString& texto, int depois = -1) const;

private:
    bool ler();
    void definirRamo(int indice, bool ligado);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QString m_utilizador;
    std::vector<No> m_nos;
    bool m_alterado = false;
};

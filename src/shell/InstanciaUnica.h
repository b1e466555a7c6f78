#pragma once

#include <QString>
#include <memory>

class QLockFile;
class UserInteraction;

// One running copy of the program per operating-system user. The mark is a lock file in the
// user's runtime folder; the operating system's process table tells a live holder from the
// leftover of a process that died, so a crash never blocks the next start.
class InstanciaUnica {
public:
    // pasta: where the lock file lives; empty means the user's runtime folder (the temporary
    // folder when there is none).
    explicit InstanciaUnica(const QString& nomePrograma, const QString& pasta = {});
    ~InstanciaUnica();
    InstanciaUnica(const InstanciaUnica&) = delete;
    InstanciaUnica& operator=(const InstanciaUnica&) = delete;

    // True when this process now holds the mark (or already held it); false while another
    // live process of the same user holds it.
    bool adquirir();
    void libertar();
    bool adquirida() const { return m_adquirida; }

    QString ficheiro() const { return m_ficheiro; }

    // Name of the operating-system user, reduced to characters safe in a file name.
    static QString utilizadorSistema();

private:
    QString m_ficheiro;
    std::unique_ptr<QLockFile> m_lock;
    bool m_adquirida = false;
};

// Start-up check: when another instance runs, tells the user and returns false (the caller ends).
bool verificarInstanciaUnica(InstanciaUnica& instancia, UserInteraction& ui);

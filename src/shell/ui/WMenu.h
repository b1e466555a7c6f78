#pragma once

#include "shell/Menu.h"

#include <QMainWindow>
#include <functional>

class QLabel;
class QMdiArea;
class QMenu;
class QTimer;

// The main window "Menu Principal - Produção". Every working window opens inside it after the
// user's access check.
//
// Use: construct it, give it the presence removal with definirSaidaUtilizador(), then abrir().
// abrir() false means the program must end (the user was told why; the connections are closed).
// Log Off, "Sair" or closing the window run the close sequence and then emit sessaoTerminada();
// "Sair" also emits programaTerminado() right after, for the caller to end the program.
class WMenu : public QMainWindow {
    Q_OBJECT
public:
    WMenu(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);

    void definirSaidaUtilizador(std::function<void(GlobalContext&)> saida);
    bool abrir();

    Menu& menu() { return m_menu; }
    QMdiArea* area() const { return m_area; }
    bool sairDoPrograma() const { return m_sair; }

    // Menu entries.
    void abrirAcessos();
    void mostrarInformacao();
    void logOff();
    void sair();
    // The timer's check: opens "Avisos para equipamentos" when the user has a step due today,
    // unless a transaction or a modal window is under way or the warnings are already open.
    void verificarAvisosEquipamentos();
    // The open warnings window, or null.
    QWidget* janelaAvisosEquipamentos() const;

    // Intervals of the timers, in milliseconds.
    static constexpr int IntervaloVersao = 60'000;
    static constexpr int IntervaloPaineis = 5'000;
    static constexpr int IntervaloAvisosEquipamentos = 60'000;

signals:
    void sessaoTerminada();
    void programaTerminado();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void construirMenus();
    void actualizarPaineis();
    void vigiarVersao();
    // Shows a window inside the menu after the user's check; a refused window is destroyed.
    bool abrirJanela(QWidget* janela, const QString& form, const QString& caption);
    // Size and place of a window as this user left it, never beyond the area; kept when it closes.
    void colocarJanela(class QMdiSubWindow* sub, const QString& form);
    void guardarJanela(const class QMdiSubWindow* sub) const;
    QString chaveJanela(const QString& form) const;

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    Menu m_menu;
    QMdiArea* m_area;
    QLabel* m_paineis[4];
    // Menu bar groups in their order; each window's entry is added to its group in construirMenus.
    QMenu* mnuMovimentos = nullptr;
    QMenu* mnuListagens = nullptr;
    QMenu* mnuMovimentosMedicoes = nullptr;
    QMenu* mnuListagensMedicoes = nullptr;
    QMenu* mnuTabelas = nullptr;
    QMenu* mnuUtilitarios = nullptr;
    QAction* mnuAcessos = nullptr;
    QTimer* tmrVersao;
    QTimer* tmrPaineis;
    QTimer* tmrEquipamentos;
    bool m_sair = false;
};

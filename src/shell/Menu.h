#pragma once

#include "session/Acessos.h"

#include <QString>
#include <functional>
#include <utility>
#include <vector>

struct GlobalContext;
class UserInteraction;

// The main menu's behaviour: its load and close sequences, the database-version watch, the
// checks of its entries and what the information window shows. The window only binds to it.
class Menu {
public:
    Menu(GlobalContext& ctx, UserInteraction& ui);

    static QString TituloBase(); // "Menu Principal - Produção"
    // "major.minor.revision" of the running program.
    static QString Versao();
    // The caption with the program's version appended.
    QString titulo() const;
    // Status-bar panels: company, user, default warehouse and cash desk.
    QString painelEmpresa() const;
    QString painelUtilizador() const;
    QString painelArmazem() const;
    QString painelCaixa() const;

    // Folder of the program as the entry and exit log lines name it (the running executable's
    // folder unless set).
    void definirPastaPrograma(const QString& pasta) { m_pastaPrograma = pasta; }

    // Called first by the close sequence to remove the user's presence mark, which the login owns.
    void definirSaidaUtilizador(std::function<void(GlobalContext&)> saida) {
        m_saidaUtilizador = std::move(saida);
    }

    // The load sequence. False when the program must end: the user was told why and the
    // connections are closed.
    bool carregar();
    bool carregado() const { return m_carregado; }

    // The close sequence: presence removed, exit logged, the four connections closed. Runs once
    // per successful load; later calls do nothing.
    void fechar();

    // The access editor is the supervisor's.
    bool mostraAcessos() const;

    // A menu entry's check before its window is shown; a refusal is told to the user.
    ResultadoFormAcessos entrada(const JanelaProtegida& janela);

    // Database-version watch: true when the database was updated by a newer version of the
    // program. Silent; the window tells the user with avisarVersaoSuperior().
    bool baseDadosMaisRecente() const;
    void avisarVersaoSuperior();

    // Upgrade steps of the production tables the user may run from the menu's background.
    bool actualizacoesProducao();

    // Lines of the information window, as caption and value.
    std::vector<std::pair<QString, QString>> informacao() const;

    // Texts of the log lines at entry and exit (the description; the observation is shared).
    QString descricaoEntrada() const;
    QString descricaoSaida() const;
    QString observacaoLog() const;

private:
    bool escreverLog(const QString& descricao);
    QString ficheiroPrograma() const;

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QString m_pastaPrograma;
    std::function<void(GlobalContext&)> m_saidaUtilizador;
    bool m_carregado = false;
};

#pragma once

#include "shell/ServidoresConhecidos.h"
#include "shell/VerificaComponentes.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

class QSettings;
struct GlobalContext;
class UserInteraction;

// One row of the company list: one company and year on one server.
struct LinhaEmpresa {
    QString codigo;
    QString nome; // as shown: with " - (Só Leitura)", "Desligada" or the placeholder
    QString ano;
    ServidorConhecido servidor; // where it came from, with its credentials (password enciphered)
    QString versao;             // Actualiza.versao as kept ("000100000000"), or "===="
    QString tamanho;
    qint64 bytes = -1;
    bool soLeitura = false;
    bool desligada = false;
    bool acessivel = false;

    // Read-only and offline databases show the year in red and the name in blue.
    bool destacada() const { return soLeitura || desligada; }
    QString texto(int coluna) const;
};

// A server whose companies could not be listed.
struct FalhaServidor {
    QString servidor;
    QString motivo;
};

// The company-selection window: lists the companies of every known server, filters, sorts,
// and opens the chosen one into the context.
class SelEmpresa {
public:
    enum Coluna {
        ColCodigo,
        ColNome,
        ColAno,
        ColServidor,
        ColLogin,
        ColPassword,
        ColAutenticacao,
        ColVersao,
        ColTamanho,
        NumColunas
    };
    static const QString DescricaoColunas;

    // Empty settings path: the application's settings.
    SelEmpresa(GlobalContext& ctx, UserInteraction& ui, ServidoresConhecidos& servidores,
               const QString& ficheiroDefinicoes = {});
    ~SelEmpresa();

    // The window layer says whether printing works; lumo_core cannot look.
    void definirVerificacaoImpressao(std::function<bool()> f) { m_impressaoDisponivel = std::move(f); }
    // The key file of the stored-password cipher, when not the user's (tests).
    void definirFicheiroChave(const QString& f) { m_ficheiroChave = f; }

    // No company is open while the window is: closes what the context still holds, restores the
    // filters and sort order, and fills the list.
    void Form_Load();
    // Saves the sort order and the filters.
    void Form_Unload();

    // Reads every known server again; one that cannot be reached lists nothing and is told in estado().
    void cmdFiltrar();
    // Filters the rows already read: year numerically, name containing the text (case and accents ignored).
    void definirFiltros(const QString& ano, const QString& nome);
    QString filtroAno() const { return m_filtroAno; }
    QString filtroNome() const { return m_filtroNome; }
    // A click on a column header: that column ascending, or the other way when it already is.
    void ordenarPor(int coluna);
    int colunaOrdem() const { return m_colunaOrdem; }
    bool ordemDescendente() const { return m_descendente; }

    const QList<LinhaEmpresa>& linhas() const { return m_linhas; } // filtered and sorted
    const QList<LinhaEmpresa>& todas() const { return m_todas; }   // everything read
    const QList<FalhaServidor>& falhas() const { return m_falhas; }
    // Position of a company in linhas(); the filters are cleared when they hide it. -1 if unknown.
    int mostrar(const LinhaEmpresa& e);

    QString lblVersao() const;
    QString estado() const;

    // Opens the company of the row into the context: version check, conversion check, the connection,
    // the component check. false (after telling the user) leaves the context as it was.
    bool cmdOk(int linha);

    // Compares the program's version with the database's; tells the user when they differ.
    bool VerificaVersaoBD(const QString& versaoBD);
    bool VerificaComponentes(bool mensagemSucesso);

    // "000100020003" as "1.2.3"; anything else unchanged.
    static QString versaoLegivel(const QString& versao);

private:
    void aplicarFiltros();
    bool passaFiltros(const LinhaEmpresa& e) const;

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    ServidoresConhecidos& m_servidores;
    std::unique_ptr<QSettings> m_definicoes;
    std::function<bool()> m_impressaoDisponivel;
    QString m_ficheiroChave;
    QList<LinhaEmpresa> m_todas;
    QList<LinhaEmpresa> m_linhas;
    QList<FalhaServidor> m_falhas;
    QString m_filtroAno, m_filtroNome;
    int m_colunaOrdem = ColCodigo;
    bool m_descendente = false;
};

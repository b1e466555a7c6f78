#pragma once

#include "company/TabelasComuns.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <utility>

struct GlobalContext;
class ListaDados;
class UserInteraction;

// The editor of the simple code tables (code, description, who saved and when): product,
// customer and supplier groups, families and subfamilies and their kin. Widget-free; the window
// lookups/ui/FrmTabelaComum binds its controls to it.
class TabelaComum {
public:
    enum class Modo { Consulta, Novo, Alterar, Eliminar }; // hidden mode label: "", "N", "A", "E"
    enum class Foco { Nenhum, Codigo, Descricao, Lista };

    // The tables this editor may open (names are spliced into SQL, so only these are accepted).
    static QStringList tabelasPermitidas();
    // The tables offered on the menu, with the window title of each.
    using EntradaMenu = EntradaTabelaComum;
    static QList<EntradaMenu> entradasMenu();
    static bool tabelaPermitida(const QString& tabela);

    // tabela must be one of tabelasPermitidas(); otherwise the editor stays empty and refuses
    // every change.
    TabelaComum(GlobalContext& ctx, UserInteraction& ui, const QString& tabela, const QString& titulo);
    ~TabelaComum();

    static QString Layout() { return QStringLiteral("Núm.Reg.,0/Código,1500/Descrição,5200/"); }

    QString tabela() const { return m_tabela; }
    QString titulo() const { return m_titulo; }
    bool valida() const { return m_valida; }
    ListaDados& lvwLista() { return *m_lista; }

    // --- state shown by the window ---
    Modo modo() const { return m_modo; }
    QString lblModo() const; // "N", "A", "E" or ""
    bool emEdicao() const { return m_modo == Modo::Novo || m_modo == Modo::Alterar; }
    bool codigoEditavel() const { return m_modo == Modo::Novo; }
    bool painelEliminar() const { return m_modo == Modo::Eliminar; }
    // Where the focus goes after the last operation (read once by the window).
    Foco focoPedido() { return std::exchange(m_foco, Foco::Nenhum); }

    QString txtCodigo;
    QString txtDescricao;

    // --- operations ---
    void Form_Load();
    // Re-reads the rows; with a search key only the matching ones (campo 1 = code, 2 = description).
    bool Refrescar();
    void cmdAdicionar_Click();
    // Leaving the code field while adding: fills it and refuses a code already used.
    bool txtCodigo_LostFocus();
    // Changes the selected row (a double click on a row does the same).
    bool cmdAlterar_Click();
    // Saves the edit; true when written.
    bool cmdGravar_Click();
    void cmdCancelar_Click();
    // Asks for deletion of the selected row; cmdSim / cmdNao answer the confirmation.
    bool cmdEliminar_Click();
    bool cmdSim_Click();
    void cmdNao_Click();
    // Search panel: "&1 Código" (1) or "&2 Descrição" (2) with the typed key.
    bool cmdProcurar_Click(int campo, const QString& chave);
    void cmdRefresh_Click();

    // Masters that still use a code of this table ("" when it may be deleted), e.g. "produtos".
    QString usadoEm(const QString& codigo);

private:
    QString proximoCodigo();
    QString preencher(const QString& codigo);
    bool existeCodigo(const QString& codigo);
    QString colunaTexto() const;

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QString m_tabela, m_titulo;
    bool m_valida = false;
    std::unique_ptr<ListaDados> m_lista;
    Modo m_modo = Modo::Consulta;
    Foco m_foco = Foco::Nenhum;
    int m_campoProcura = 0;
    QString m_chaveProcura;
};

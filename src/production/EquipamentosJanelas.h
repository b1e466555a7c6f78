#pragma once

#include "common/Currency.h"
#include "common/UserInteraction.h"
#include "lookups/CampoTabela.h"
#include "lookups/ListaDados.h"
#include "production/Equipamentos.h"

#include <QDate>
#include <QString>
#include <array>
#include <optional>
#include <vector>

struct GlobalContext;
class Database;

// Logic of the list "Desmantelamento de Equipamentos" (frmTabEquipamentos): the filter, the list
// and the deletion of the selected equipment.
class TabEquipamentos {
public:
    TabEquipamentos(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Desmantelamento de Equipamentos"
    static const QString LayoutLista;
    static const QString OpcoesEstado; // "T:Ver Todos os equipamentos;SDAR:...;"

    // Filter: code and description as they begin, and the state (default without dismantling date).
    QString txtCodigo, txtDescricao;
    QString optEstado = QStringLiteral("SDDM");

    ListaDados lvwLista{QStringLiteral("lvwLista")};

    // The list with the current filter; false when the read failed (told to the user).
    bool Carregar();
    // A click on a column header: sorted by it, a further click reverses.
    void ordenar(int coluna) { lvwLista.OrdenaLista(coluna); }

    const std::vector<Equipamento>& equipamentos() const { return m_equipamentos; }
    std::optional<Equipamento> seleccionado() const;

    // "&Eliminar": the runs that name it told first, then the confirmation; the list reloaded.
    bool eliminar();

private:
    Database& bd() const;

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    std::vector<Equipamento> m_equipamentos;
};

// Logic of the record "Equipamento" (frmTabEquipamentosINS): a new equipment prefilled from the
// user's last one, or the change of an existing one; the due dates shown after each save.
class TabEquipamentosINS {
public:
    TabEquipamentosINS(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Equipamento"
    static const QString LayoutUtilizadores;
    static constexpr const char* TabelaImagens = "Prod_Equipamentos";

    // modo 'N' a new equipment, 'A' the one of that NumRegisto; false when it cannot be read.
    bool Abrir(QChar modo, qint64 numRegisto = 0);
    QChar modo() const { return m_modo; }
    // The code keys its pictures and the runs that name it: only a new equipment takes one.
    bool codigoEditavel() const { return m_modo == u'N'; }

    QString txtCodigo, txtDescricao, txtObservacao;
    // Blank (invalid) while the step is not done.
    QDate txtDataAquisicao, txtDataAbate, txtDataDespoluimento, txtDataDesmantelamento, txtDataCertDest;
    Currency txtValorAquisicao, txtValorDesmantelamento;
    // Per step (0 abate, 1 despoluimento, 2 desmantelamento): days, and the user to warn with his
    // login as description.
    std::array<int, 3> txtAvisoDias{};
    std::array<CampoTabela, 3> txtAvisoUtilizador;

    bool avisoUtilizadorSaiu(int passo);
    bool pesquisarAvisoUtilizador(int passo);

    // The due date of a step as last saved, "dd-mm-yyyy" or "" without a warning.
    QString lblAviso(int passo) const;

    // The users allowed to see it: all users, the ticked ones allowed (none ticked: everybody).
    ListaDados lvwUtilizadores{QStringLiteral("lvwUtilizadores")};
    void inverter() { lvwUtilizadores.lvw_LISTA_Inverte_Check(); }
    QStringList utilizadoresMarcados() const;

    enum class Foco { Nenhum, Codigo, Descricao, DataAquisicao, DataAbate, DataDespoluimento, DataDesmantelamento,
                      DataCertDest, AvisoUtilizador };
    // "&Gravar": false when refused (the message shown, focoPedido() says where). Saved, the record
    // turns into a change and its pictures are confirmed.
    bool gravar();
    Foco focoPedido() const { return m_foco; }
    int passoPedido() const { return m_passoFoco; }
    const Equipamento& equipamento() const { return m_equipamento; }

    // "&Imagens": the pictures belong to the code, so one must be typed first.
    bool podeAbrirImagens();
    QString codigoImagens() const { return codigoEditavel() ? txtCodigo.trimmed() : m_equipamento.codigo; }

private:
    bool lerUtilizadores();
    void mostrarEquipamento();
    void marcarUtilizadores(const QStringList& codigos);
    QString loginDe(const QString& codigo) const;

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QChar m_modo = u'N';
    Equipamento m_equipamento;
    Foco m_foco = Foco::Nenhum;
    int m_passoFoco = -1;
};

// Logic of "Avisos para equipamentos" (frmTabEquipamentosAvisos): the steps due for the current
// user, refreshed on a timer.
class TabEquipamentosAvisos {
public:
    TabEquipamentosAvisos(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Avisos para equipamentos"
    static const QString LayoutLista;

    ListaDados lvwLista{QStringLiteral("lvwLista")};

    // The warnings due on that day; false when the read failed (told to the user).
    bool Carregar(const QDate& dia);
    // The timer's refresh for today: skipped while a transaction is open or without a connection,
    // and silent on failure (it would repeat every few seconds). True when the list was read.
    bool actualizar();

    const std::vector<AvisoEquipamento>& avisos() const { return m_avisos; }
    // "A&lterar": the NumRegisto of the selected line's equipment, 0 when none.
    qint64 registoSeleccionado() const;

private:
    bool ler(const QDate& dia, bool avisar);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    std::vector<AvisoEquipamento> m_avisos;
};

// Logic of "Produtos resultantes do desmantelamento" (frmTabEquipamentosProdutosAcabados): the
// finished products the instant runs obtained from an equipment.
class TabEquipamentosProdutosAcabados {
public:
    TabEquipamentosProdutosAcabados(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Produtos resultantes do desmantelamento"
    static const QString LayoutLista;
    static constexpr const char* TabelaImagens = "Produtos";

    bool Abrir(const QString& codigo);
    const QString& codigo() const { return m_codigo; }

    ListaDados lvwLista{QStringLiteral("lvwLista")};
    const std::vector<ProdutoDesmantelamento>& produtos() const { return m_produtos; }
    std::optional<ProdutoDesmantelamento> seleccionado() const;

    // "&Imagens": the pictures are the product's lot's, so the line needs one.
    bool podeAbrirImagens();

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QString m_codigo;
    std::vector<ProdutoDesmantelamento> m_produtos;
};

#pragma once

#include "common/Currency.h"
#include "common/UserInteraction.h"
#include "lookups/CampoTabela.h"
#include "lookups/ListaDados.h"
#include "production/ProcessoProducao.h"
#include "stock/MovimentosStock.h"

#include <QDate>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

struct GlobalContext;
class Database;
class ExistProArmLote;

// Logic of the list "Processos para Produção" (frmMovProducao_Processo): the filter, the list and
// the commands that act on the selected process.
class MovProducao_Processo {
public:
    MovProducao_Processo(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Processos para Produção"
    static const QString LayoutLista;
    static const QString OpcoesEstado; // "C:Ver apenas processos em curso;E:...;:Ver todos os processos;"

    // Filter: start dates (an invalid date is no limit), code, a piece of the description, state.
    QDate txtDataInicial, txtDataFinal;
    CampoTabela txtProcesso;
    QString txtDescricao;
    QString optEstado = QStringLiteral("C");

    ListaDados lvwLista{QStringLiteral("lvwLista")};

    // Opening: the from-date on the first day of the server's month, then the list.
    void Abrir();
    // The list with the current filter; false when the read failed (told to the user).
    bool Carregar();
    // A click on a column header: sorted by it, a further click reverses.
    void ordenar(int coluna) { lvwLista.OrdenaLista(coluna); }
    bool processoSaiu();
    bool pesquisarProcesso();

    const std::vector<ProcessoProducao>& processos() const { return m_processos; }
    // The process of the selected row.
    std::optional<ProcessoProducao> seleccionado() const;

    // "&Eliminar": whether to delete the stock rows too, then the confirmation.
    bool eliminar();
    // "&Movimentos": a selected process and the production parameters the movements need.
    bool podeAbrirMovimentos();
    // "A&nálise": a selected process.
    bool podeAbrirAnalise() const { return seleccionado().has_value(); }

private:
    Database& bd() const;

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    std::vector<ProcessoProducao> m_processos;
};

// Logic of "Manutenção do Processo para Produção" (frmMovProducao_Processo_INS): a new process
// or the header of an existing one, and the reopening of a closed one.
class MovProducao_Processo_INS {
public:
    MovProducao_Processo_INS(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Manutenção do Processo para Produção"

    // modo 'N' a new process (start date today), 'A' the process of that NumRegisto.
    bool Abrir(QChar modo, qint64 numRegisto = 0);
    QChar modo() const { return m_modo; }

    QString txtProcesso, txtDescricao, txtDescricaoExtensa;
    QDate txtDataInicio, txtDataPrevista;

    // The code is the key of the movements: only a new process takes one.
    bool processoEditavel() const { return m_modo == u'N'; }
    // The next free code into the field (new processes only).
    void proximoProcesso();

    enum class Foco { Nenhum, Processo, Descricao, DescricaoExtensa, DataInicio, DataPrevista };
    // "&Gravar": false when refused (the message shown, focoPedido() says where).
    bool gravar();
    Foco focoPedido() const { return m_foco; }
    const ProcessoProducao& processo() const { return m_processo; }

    bool reabrirVisivel() const { return m_modo == u'A' && m_processo.encerrado(); }
    // How the process was closed, for the window ("" while open).
    QString textoEncerramento() const;
    // "Reabrir": warning, the documents that go, confirmation, reopening.
    bool reabrir();
    // Shows the documents a reopening removes as a read-only list; without it they go in a message.
    std::function<void(const std::vector<DocumentoProducao>&)> mostrarDocumentos;
    static QString textoDocumentos(const std::vector<DocumentoProducao>& docs);

private:
    void mostrarProcesso();

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QChar m_modo = u'N';
    ProcessoProducao m_processo;
    Foco m_foco = Foco::Nenhum;
};

// Logic of "Movimentos no Processo para Produção" (frmMovProducao_Processo_MOV): the materials
// taken from stock into a process or returned from it, each posted at once.
class MovProducao_Processo_MOV {
public:
    MovProducao_Processo_MOV(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Movimentos no Processo para Produção"
    // The reference columns take the company's dimension names.
    QString layoutLista() const;

    bool Abrir(const QString& processo);
    bool CarregarProdutos();
    // Clears the entry for the next line; date and warehouse stay.
    void LimpaCampos();

    const ProcessoProducao& processo() const { return m_processo; }
    // Closed here or, as found while posting, by another workstation (or deleted).
    bool encerrado() const { return m_processo.encerrado() || m_inexistente; }
    QString lblEstado() const { return encerrado() ? MensagemProcessoEncerrado : QString(); }
    bool entradaVisivel() const { return !encerrado(); }
    bool lancarActivo() const { return !encerrado(); }
    bool eliminarActivo() const { return !encerrado(); }

    ListaDados lvwLista{QStringLiteral("lvwLista")};
    const std::vector<MovimentoProcesso>& movimentos() const { return m_movimentos; }

    // ---------------- entry
    QDate txtData;
    CampoTabela txtProduto, txtArmazem, txtLote;
    QString txtDescricao, txtLocalizacao, txtObserva, txtFornece;
    std::array<QString, 7> txtReferencias; // Estacao, Sexo, Referencia, Modelo, Cor, Tamanho, Comprimento
    Currency txtQuantidade, txtPreco;
    QString unidade() const { return m_unidade; }
    bool descricaoEditavel() const { return m_diverso; }
    bool loteActivo() const { return m_comLote; }

    // Leaving the product (or its search): products without measurements, price by the rule.
    bool produtoSaiu();
    bool pesquisarProduto();
    bool armazemSaiu();
    bool pesquisarArmazem();

    // The lot window, given the lot request (product, warehouse, "S+"/"S-", the typed lot and its
    // dates in txtLote, txtDataFabrico, txtDataValidade): it calls VerLote with them, lets the user
    // choose, and leaves the choice in the same object (blank txtLote = none). Without it the typed
    // lot is taken when it is listed.
    std::function<void(ExistProArmLote&)> escolherLote;
    // The reference window: the product's combinations in the warehouse with their balance; the
    // chosen one, or nothing. Asked when the product is sold by reference and none was typed.
    std::function<std::optional<SaldoReferencia>(const std::vector<SaldoReferencia>&)> escolherReferencia;
    bool referenciasActivas() const { return m_comReferencia; }
    // Kept in other units too: the unit and quantity asked at posting time.
    QString outUnidade() const { return m_outUnidade; }

    enum class Foco { Nenhum, Data, Produto, Armazem, Quantidade, Preco, Lote, Localizacao, Referencias, Lista };
    // "&Lançar": the checks in order, the lot, the posting; the list reloaded and the entry cleared.
    bool lancar();
    // "A&lterar": the selected movement removed and its values back in the entry.
    bool alterar();
    // "&Eliminar": the selected movement removed.
    bool eliminar();
    Foco focoPedido() const { return m_foco; }
    const ResultadoMovimentoProcesso& ultimoLancamento() const { return m_ultimo; }

private:
    bool recusar(const QString& texto, Foco foco);
    void mostrarFalha(const Falha& f, UserInteraction::Icone icone);
    void lerProduto();
    bool escolhaDoLote(const QString& afecta);
    bool escolhaDaReferencia();
    bool outraUnidade();
    // The process read again after another workstation closed or deleted it.
    void processoMudou();
    std::optional<MovimentoProcesso> movimentoSeleccionado() const;
    Database& bd() const;

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    ProcessoProducao m_processo;
    bool m_inexistente = false;
    std::vector<MovimentoProcesso> m_movimentos;
    QString m_produtoValidado;
    QString m_unidade;
    bool m_diverso = false;
    bool m_comLote = false;
    bool m_comReferencia = false;
    bool m_comOutUnidades = false;
    QString m_outUnidade;
    Currency m_outQuantidade;
    Foco m_foco = Foco::Nenhum;
    ResultadoMovimentoProcesso m_ultimo;
};

// Logic of "Análise do Processo" (frmMovProducao_Processo_ANAL): consumption per product, by
// quantity or by value, with the share of the selected product.
class MovProducao_Processo_ANAL {
public:
    MovProducao_Processo_ANAL(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Análise do Processo"

    bool Abrir(const QString& processo);
    bool CarregarProdutos();

    enum class Modo { Quantidade, Valor };
    static QString textoModo(Modo m); // "Por Quantidade" / "Por Valor"
    Modo modo() const { return m_modo; }
    void setModo(Modo m) { m_modo = m; }

    // Code, description and the company currency's symbol.
    QString titulo() const;
    QString simbolo() const { return m_simbolo; }
    const std::vector<ConsumoProcesso>& pontos() const { return m_pontos; }
    // The point's amount by the current mode.
    Currency valorPonto(int i) const;
    QString rotuloPonto(int i) const;
    Currency total() const;
    QString lblTotal() const;
    // Share of the total by the current mode, at two decimals; 0 with a zero total.
    Currency peso(int i) const;

    void seleccionarPonto(int i);
    int pontoSeleccionado() const { return m_seleccionado; }
    QString lblSeleccionado() const;

private:
    int casasQuantidade() const;

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    ProcessoProducao m_processo;
    QString m_simbolo;
    std::vector<ConsumoProcesso> m_pontos;
    Modo m_modo = Modo::Quantidade;
    int m_seleccionado = -1;
};

#pragma once

#include "lookups/CampoTabela.h"
#include "lookups/ListaDados.h"
#include "production/LancamentoProducao.h"
#include "production/LinhasProducao.h"
#include "production/ProductionDocument.h"

#include <functional>

class ExistProArmLote;

// "Movimentos de Produção": a production order by lot, from the header to its posting.
// The window binds the controls; everything the user can do goes through here.
class MovProducao {
public:
    MovProducao(GlobalContext& ctx, UserInteraction& ui);

    // Which field a refusal hands the focus to.
    enum class Campo { Nenhum, Lote, Produto, Quantidade, Data, Armazem, Lista, LocalizacaoPA, LotePA };
    // Which part of the window is open.
    enum class Estado { Cabecalho, Linhas, Edicao, Execucao };
    // The line editing buttons.
    enum class Edicao { Nenhuma, QtyNomenclatura, QtyProducao, Acertos };

    ProductionDocument doc;
    CampoTabela txtProdutoAcabado, txtArmazem;
    ListaDados lvwListaNomec{QStringLiteral("lvwListaNomec")};
    ListaDados lvwInsuficientes{QStringLiteral("lvwInsuficientes")};
    bool chkApenasControlo = false; // "Visualizar apenas produtos com controlo de existência"

    Estado estado() const { return m_estado; }
    Campo foco() const { return m_foco; }
    QString lblFixa() const;
    bool altQtyNmcActivo() const { return !doc.Fixa; }
    // The finished product takes a batch: its location and batch are asked before processing.
    bool produtoAcabadoComLote() const { return m_paComLote; }

    // The window's opening state: today, the next lot, the user's warehouse, no lines.
    void Form_Load();
    void ProximoLote();
    void Mensagem(Campo campo);

    // Leaving the lot field: a known lot is read back with its lines.
    void txtLote_LostFocus();
    // Leaving the finished-product field: its description (the lookup checks it has a bill).
    void produtoEscolhido();
    // "Carregar &Nomenclatura"; true when lines were generated.
    bool cmdCarregar_Click();
    int CarregarListaNomenc();
    void ActualizaNomenclatura(qint64 numRegisto);

    // --- line editing ---
    int linhaActual() const { return lvwListaNomec.linhaSeleccionada(); }
    void seleccionarLinha(int linha) { lvwListaNomec.lvw_SelectLinha(linha); }
    // Opens the panel for the selected line; false when the button does not apply.
    bool iniciarEdicao(Edicao e);
    Edicao edicao() const { return m_edicao; }
    QString lblEdicao() const { return m_lblEdicao; }
    QString fraEdicaoCaption() const { return m_fraEdicao; }
    Currency valorEdicao() const { return m_valorEdicao; } // as shown (through the factor)
    // "Actuali&za" with the typed value (the quantity collected on a line with a conversion factor);
    // false leaves the panel open.
    bool cmdActualiza_Click(const Currency& digitado);
    // The same with the value already in the line's own unit (what the factor turns the typed
    // value into); every check of the panel applies.
    bool actualizarQuantidade(const Currency& valor);
    void cmdCancelaEdicao_Click();

    // "&Lote / Produto": prepares the lot choice of the selected line (false when the line's
    // product takes no batch), then applies what was chosen.
    bool prepararEscolhaLote(ExistProArmLote& escolha);
    void aplicarEscolhaLote(const ExistProArmLote& escolha);
    // The chosen batch goes on the selected line; when its balance covers less than the line, the
    // rest goes to a copy of the line without a batch.
    void definirLote(const QString& lote, const QString& localizacao, const QString& dataFabrico,
                     const QString& dataValidade, const Currency& existencia);

    // The finished product's batch typed or chosen: its dates come from the batch table. A batch
    // the table does not know for the product is refused (and cleared).
    bool loteProdutoAcabadoEscolhido(const QString& lote);
    // The finished product's location typed: refused (and cleared) when there is no such location.
    bool localizacaoProdutoAcabadoEscolhida(const QString& localizacao);

    // "&Executar Lote": the checks, then the processing panel with the analysis.
    bool cmdExecutarLote_Click();
    QString fraExecucaoCaption() const;
    void Analise();
    // "&Imp. Confer."
    void cmdImpConfer_Click();
    // "&Processar"; true when the production was posted.
    bool cmdProcessar_Click();
    // "&Cancelar" of the processing panel: back to the lines.
    void cmdCancelarExecucao_Click();
    // "&Cancelar" of the lines: the production is dropped and the next lot proposed.
    void cmdCancelar_Click();

    const ResultadoProducao& ultimoResultado() const { return m_resultado; }

    // Installed by the window: print the sheet of a lot, review the finished product's sale prices.
    std::function<void(const QString& lote)> imprimirFolha;
    std::function<void(const QString& produto, const Currency& custo)> actualizarPrecosVenda;

private:
    void limparProducao();
    // A finished product with alternative units asks the entry's unit and quantity; false stops posting.
    bool pedirUnidadeAlternativa();
    void mostrarLinhas();
    void mostrarLinha(int i);
    Currency quantidadeDaFase(const LinhaProducao& l) const;
    void recusar(const QString& texto, Campo campo,
                 UserInteraction::Icone icone = UserInteraction::Icone::Critico, const QString& titulo = {});

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    Estado m_estado = Estado::Cabecalho;
    Campo m_foco = Campo::Nenhum;
    Edicao m_edicao = Edicao::Nenhuma;
    QString m_lblEdicao, m_fraEdicao;
    Currency m_valorEdicao;
    bool m_paComLote = false;
    bool m_aLancar = false;
    ResultadoProducao m_resultado;
};

// The list layout of the lines.
inline const QString LayoutListaNomec =
    QStringLiteral("  NºReg., 0/Produto, 1600/Descrição, 2500/Unid., 500/Nomenclatura, 1400,D/Ordem de "
                   "Prod., 1400,D/Acertos, "
                   "1400,D/Arm., 800,C/Localização,1000/Lote,1000/Dt Fabrico,1000/Dt "
                   "Validade,1000/Observações, 5000/Factor,1500,D/"
                   "Fórmula,1000,C/");

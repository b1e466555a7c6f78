#pragma once

#include "lookups/CampoTabela.h"
#include "lookups/ListaDados.h"
#include "production/ProducaoInstantanea.h"

#include <QString>
#include <functional>

struct GlobalContext;
class Database;
class UserInteraction;
class ExistProArmLote;

// Logic of the raw-material line editor of an instant run (frmMovProducaoNaHoraINS).
class MovProducaoNaHoraINS {
public:
    MovProducaoNaHoraINS(GlobalContext& ctx, UserInteraction& ui);
    // modo 'N' a new line appended to the list, 'A' the line at `linha`.
    void Abrir(QChar modo, std::vector<MateriaInstantanea>* lista, int linha = -1);

    CampoTabela txtProduto, txtArmazem, txtLote;
    QString txtDescricao, txtLocalizacao, txtObserva;
    Currency txtQuantidade, txtPreco;
    QString precario; // "PrecoMedioCusto", "UltPrecoCusto", "UltPrecoCompra" or "Digitado"
    bool precoEditavel() const { return precario == QStringLiteral("Digitado"); }

    // Leaving the product: the lookup without references or measurements, its price by the rule.
    bool produtoSaiu();
    void escolherPrecario(const QString& regra);
    // The lot button: the lots of the product in the warehouse with a positive balance, no
    // FIFO/LIFO rule. False (after saying why) when there is no product yet.
    bool prepararEscolhaLote(ExistProArmLote& e);
    void aplicarEscolhaLote(const ExistProArmLote& e);
    bool loteActivo() const;
    // "&Gravar": product and quantity, the lot when lots are in use, whole units where the unit
    // asks for them, a positive balance ("Produto sem existência (Lotes)"). False when refused.
    bool gravar();

private:
    void lerPreco();
    Database& bd() const;

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QChar m_modo = u'N';
    std::vector<MateriaInstantanea>* m_lista = nullptr;
    int m_linha = -1;
    bool m_diverso = false;
    bool m_comLote = false;
};

// Logic of the finished-product line editor of an instant run (frmMovProducaoNaHoraProdAcabINS,
// "Produto Acabado").
class MovProducaoNaHoraProdAcabINS {
public:
    MovProducaoNaHoraProdAcabINS(GlobalContext& ctx, UserInteraction& ui);
    void Abrir(QChar modo, std::vector<AcabadoInstantaneo>* lista, int linha = -1);

    CampoTabela txtProduto, txtArmazem, txtLote;
    QString txtDescricao, txtLocalizacao, txtObserva;
    Currency txtQuantidade, txtPercCusto, txtPrecoCusto;
    std::array<QString, 7> referencias;
    bool loteActivo() const { return m_comLote; }
    bool referenciasActivas() const { return m_comReferencia; }

    bool produtoSaiu();
    // The lot's search, limited to the product's lots; a lot just made by the lot window.
    bool pesquisarLote();
    void loteCriado(const QString& lote);
    // A reference dimension's search (0..6: Estacao .. Comprimento) and the table its "create"
    // button edits, with that window's title.
    bool pesquisarReferencia(int dimensao);
    static QString tabelaReferencia(int dimensao);
    static QString tituloTabelaReferencia(int dimensao);
    // The pictures button: a product, and its lot for a lot product. Pictures are filed under the
    // product's code with the lot as key.
    bool podeAbrirImagens();
    // "&Gravar": product, warehouse and quantity; the lot and a reference where the product asks
    // for them; not both costs; neither asks whether to go on. False when refused.
    bool gravar();

private:
    Database& bd() const;

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QChar m_modo = u'N';
    std::vector<AcabadoInstantaneo>* m_lista = nullptr;
    int m_linha = -1;
    bool m_comLote = false;
    bool m_comReferencia = false;
};

// Logic of the window "Produção Instantânea" (frmMovProducaoNaHora): the raw materials consumed
// and the finished products obtained, their cost shared after every change, "&Processar".
class MovProducaoNaHora {
public:
    MovProducaoNaHora(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Produção Instantânea"
    static const QString LayoutMaterias;
    QString layoutAcabados() const; // the reference columns take the company's dimension names

    ListaDados lvwMateriaPrima{QStringLiteral("lvwMateriaPrima")};
    ListaDados lvwProdutoAcabdo{QStringLiteral("lvwProdutoAcabdo")};
    const DocumentoInstantaneo& documento() const { return m_doc; }

    // Every change of a list goes through here: costs shared again, lists shown.
    void CalculaCustos();

    MovProducaoNaHoraINS& editorMateria() { return m_editorMateria; }
    MovProducaoNaHoraProdAcabINS& editorAcabado() { return m_editorAcabado; }
    // Prepares an editor; 'A' needs a selected line.
    bool abrirMateria(QChar modo);
    bool abrirAcabado(QChar modo);
    // "Re&mover Produto" / "&Remover Produto": the selected line after "Confirma Eliminação?".
    bool removerMateria();
    bool removerAcabado();

    // "Integrar &Nomenclatura": with lines already listed asks to go on; the recipe (the lookup's
    // search when none is given) and the factor asked ("1" by default, "," or ".").
    bool integrarNomenclatura(const QString& codigo = {});

    // "&Integrar Processo": an open process chosen (the lookup's search when none is given) replaces
    // the raw materials by its movements; leaving the choice empty undoes it, after "Confirma o
    // cancelamento desta Produção?" when finished products are listed.
    bool integrarProcesso(const QString& codigo = {}, bool abrirPesquisa = true);
    // "&Integrar Equipamento": an equipment without dismantling date names the run.
    bool integrarEquipamento(const QString& codigo = {}, bool abrirPesquisa = true);
    // While a process is integrated the raw materials are its movements: no editing, no equipment.
    bool processoIntegrado() const { return !m_doc.processo.isEmpty(); }
    QString processo() const { return m_doc.processo; }
    QString equipamento() const { return m_doc.equipamento; }

    // "&Processar": checks, "Confirma o Processamento?", the run posted, both lists cleared; then
    // "Imprimir Relatório?" when a print is installed.
    bool processar();
    const ResultadoInstantanea& ultimoResultado() const { return m_resultado; }
    std::function<void(const ResultadoInstantanea&)> imprimirRelatorio;

private:
    void mostrarListas();
    bool confirmar(const QString& texto);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    MovProducaoNaHoraINS m_editorMateria;
    MovProducaoNaHoraProdAcabINS m_editorAcabado;
    DocumentoInstantaneo m_doc;
    ResultadoInstantanea m_resultado;
};

#include "production/MovProducaoNaHora.h"

#include "common/UserInteraction.h"
#include "company/GlobalContext.h"
#include "controls/FormatoNumero.h"
#include "db/Database.h"
#include "lookups/PesquisaTabelas.h"
#include "production/ConfigProd.h"
#include "production/ExistProArmLote.h"
#include "production/NomenclaturaDados.h"
#include "production/NomenclaturaNaHora.h"
#include "production/ReceitaInstantanea.h"
#include "stock/MovimentosStock.h"
#include "stock/VerificacoesStock.h"

using Icone = UserInteraction::Icone;

namespace {

const QStringList BotoesNaoSim{QStringLiteral("&Não"), QStringLiteral("&Sim")};

QString regraPadrao(Database& db) {
    const auto config = LerConfigProd(db).valorOu(std::nullopt);
    return precarioInicial(config ? config->Precario : QString());
}

} // namespace

// ---------------------------------------------------------------- raw-material editor

MovProducaoNaHoraINS::MovProducaoNaHoraINS(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}

Database& MovProducaoNaHoraINS::bd() const { return m_ctx.bd(); }

void MovProducaoNaHoraINS::Abrir(QChar modo, std::vector<MateriaInstantanea>* lista, int linha) {
    m_modo = modo == u'A' ? u'A' : u'N';
    m_lista = lista;
    m_linha = m_modo == u'A' ? linha : -1;
    txtProduto.limpar();
    txtArmazem.limpar();
    txtLote.limpar();
    txtDescricao.clear();
    txtLocalizacao.clear();
    txtObserva.clear();
    txtQuantidade = txtPreco = Currency();
    m_diverso = m_comLote = false;
    precario = regraPadrao(bd());
    if (m_modo == u'A' && m_lista && m_linha >= 0 && m_linha < int(m_lista->size())) {
        const MateriaInstantanea& m = (*m_lista)[size_t(m_linha)];
        txtProduto.codigo = m.produto;
        txtArmazem.codigo = m.armazem;
        txtLote.codigo = m.lote;
        txtDescricao = m.descricao;
        txtLocalizacao = m.localizacao;
        txtObserva = m.observa;
        txtQuantidade = m.quantidade;
        txtPreco = m.preco;
        if (!m.precario.isEmpty())
            precario = m.precario;
        m_diverso = ProdutoDiverso(m_ctx, m.produto);
        m_comLote = bd().scalar(QStringLiteral("SELECT Lote FROM Produtos WHERE Codigo=?"), {m.produto}).toInt() == 1;
    }
}

bool MovProducaoNaHoraINS::produtoSaiu() {
    if (txtProduto.codigo.trimmed().isEmpty())
        return false;
    PesquisaTabelas pesquisa(m_ctx, m_ui);
    if (!pesquisa.Produtos(txtProduto, false, filtroProdutosLinha(TipoLinhaReceita::Materia)))
        return false;
    const auto p = bd().primeiraLinha(QStringLiteral("SELECT Descricao, Lote FROM Produtos WHERE Codigo=?"),
                                      {txtProduto.codigo.trimmed()});
    if (!p)
        return false;
    txtDescricao = p->at(0).toString();
    m_comLote = p->at(1).toInt() == 1;
    m_diverso = ProdutoDiverso(m_ctx, txtProduto.codigo.trimmed());
    precario = m_diverso ? PrecarioDigitado : regraPadrao(bd());
    if (txtArmazem.codigo.trimmed().isEmpty())
        txtArmazem.codigo = m_ctx.armazem;
    lerPreco();
    return true;
}

void MovProducaoNaHoraINS::escolherPrecario(const QString& regra) {
    const QString r = precarioNormalizado(regra);
    if (r.isEmpty() || r == PrecarioPercCusto || (m_diverso && r != PrecarioDigitado))
        return;
    precario = r;
    lerPreco();
}

void MovProducaoNaHoraINS::lerPreco() {
    if (precario == PrecarioDigitado)
        return; // a typed price stays as typed
    txtPreco = PrecoProdutoPorRegra(bd(), txtProduto.codigo.trimmed(), precario).valorOu(Currency());
}

bool MovProducaoNaHoraINS::loteActivo() const { return m_comLote && m_ctx.Lotes != 0; }

bool MovProducaoNaHoraINS::prepararEscolhaLote(ExistProArmLote& e) {
    const QString produto = txtProduto.codigo.trimmed();
    if (produto.isEmpty()) {
        m_ui.mensagem(QStringLiteral("Não definiu o produto!"), Icone::Exclamacao);
        return false;
    }
    e.txtCodigo = produto;
    e.txtArmazem = txtArmazem.codigo.trimmed().isEmpty() ? m_ctx.armazem : txtArmazem.codigo.trimmed();
    // "NA": what is offered is every lot with stock; the run records consumption already made.
    e.txtAfectaSTK = QStringLiteral("NA");
    e.txtIgnoraControlos = QStringLiteral("S");
    e.txtSomaQTY = Currency();
    e.VerLote(txtLote.codigo.trimmed(), {}, {});
    return true;
}

void MovProducaoNaHoraINS::aplicarEscolhaLote(const ExistProArmLote& e) {
    if (e.txtLote.trimmed().isEmpty())
        return;
    txtLote.codigo = e.txtLote.trimmed();
    txtLote.descricao.clear();
    if (!e.txtLocalizacao.trimmed().isEmpty())
        txtLocalizacao = e.txtLocalizacao.trimmed();
}

bool MovProducaoNaHoraINS::gravar() {
    const QString produto = txtProduto.codigo.trimmed();
    if (produto.isEmpty()) {
        m_ui.mensagem(QStringLiteral("Não definiu o Produto!"), Icone::Exclamacao);
        return false;
    }
    if (txtQuantidade <= Currency()) {
        m_ui.mensagem(QStringLiteral("Não definiu a Quantidade!"), Icone::Exclamacao);
        return false;
    }
    if (txtPreco.isNegative()) {
        m_ui.mensagem(QStringLiteral("O preço não pode ser negativo."), Icone::Exclamacao);
        return false;
    }
    Database& db = bd();
    if (txtArmazem.codigo.trimmed().isEmpty())
        txtArmazem.codigo = m_ctx.armazem;
    PesquisaTabelas pesquisa(m_ctx, m_ui);
    if (!pesquisa.Armazens(txtArmazem, false))
        return false;
    const QString armazem = txtArmazem.codigo.trimmed();
    if (m_ctx.Lotes != 0 && m_comLote) {
        if (txtLote.codigo.trimmed().isEmpty())
            return false; // the window puts the focus on the lot
        if (!pesquisa.LotesTabela(txtLote, false, produto))
            return false;
    } else {
        txtLote.limpar();
    }
    VerificacoesStock verif(m_ctx);
    QString unidade, direccao;
    if (!verif.ControlaUnidades(db, unidade, txtQuantidade, produto, direccao, QStringLiteral("S+"), true, &m_ui))
        return false;
    const QString lote = txtLote.codigo.trimmed();
    if (txtLocalizacao.trimmed().isEmpty())
        txtLocalizacao = verif.VerLocalizacao(db, produto, armazem, QStringLiteral("S+"), false, lote);
    // What counts is a positive balance, not the quantity asked.
    FiltroSaldo f;
    f.produto = produto;
    f.armazem = armazem;
    if (!lote.isEmpty()) {
        f.localizacao = txtLocalizacao.trimmed();
        f.lote = lote;
    }
    const auto saldo = SaldoProdutoArmazem(db, f);
    if (!saldo) {
        m_ui.mensagem(saldo.mensagem(), Icone::Critico);
        return false;
    }
    const bool comExistencia =
        *saldo > Currency() || (lote.isEmpty() && !verif.CtrlExistenciaProduto(db, produto, armazem));
    if (!comExistencia) {
        m_ui.mensagem(QStringLiteral("Produto sem existência (Lotes)"), Icone::Exclamacao);
        return false;
    }
    MateriaInstantanea m{produto,       txtDescricao, armazem,    txtQuantidade, precario,
                         txtPreco,      txtObserva,   lote,       txtLocalizacao.trimmed()};
    if (!m_lista)
        return false;
    if (m_modo == u'A' && m_linha >= 0 && m_linha < int(m_lista->size()))
        (*m_lista)[size_t(m_linha)] = m;
    else
        m_lista->push_back(m);
    return true;
}

// ---------------------------------------------------------------- finished-product editor

MovProducaoNaHoraProdAcabINS::MovProducaoNaHoraProdAcabINS(GlobalContext& ctx, UserInteraction& ui)
    : m_ctx(ctx), m_ui(ui) {}

Database& MovProducaoNaHoraProdAcabINS::bd() const { return m_ctx.bd(); }

void MovProducaoNaHoraProdAcabINS::Abrir(QChar modo, std::vector<AcabadoInstantaneo>* lista, int linha) {
    m_modo = modo == u'A' ? u'A' : u'N';
    m_lista = lista;
    m_linha = m_modo == u'A' ? linha : -1;
    txtProduto.limpar();
    txtArmazem.limpar();
    txtLote.limpar();
    txtDescricao.clear();
    txtLocalizacao.clear();
    txtObserva.clear();
    txtQuantidade = txtPercCusto = txtPrecoCusto = Currency();
    referencias = {};
    m_comLote = m_comReferencia = false;
    if (m_modo == u'A' && m_lista && m_linha >= 0 && m_linha < int(m_lista->size())) {
        const AcabadoInstantaneo& a = (*m_lista)[size_t(m_linha)];
        txtProduto.codigo = a.produto;
        txtArmazem.codigo = a.armazem;
        txtLote.codigo = a.lote;
        txtDescricao = a.descricao;
        txtLocalizacao = a.localizacao;
        txtObserva = a.observa;
        txtQuantidade = a.quantidade;
        txtPercCusto = a.percCusto;
        txtPrecoCusto = a.precoCusto;
        referencias = a.referencias;
        const auto p = bd().primeiraLinha(QStringLiteral("SELECT Lote, Referencia FROM Produtos WHERE Codigo=?"), {a.produto});
        m_comLote = p && p->at(0).toInt() != 0;
        m_comReferencia = p && p->at(1).toString().trimmed() != QStringLiteral("0") && !p->at(1).toString().trimmed().isEmpty();
    }
}

bool MovProducaoNaHoraProdAcabINS::produtoSaiu() {
    if (txtProduto.codigo.trimmed().isEmpty())
        return false;
    PesquisaTabelas pesquisa(m_ctx, m_ui);
    if (!pesquisa.Produtos(txtProduto, false, filtroProdutosLinha(TipoLinhaReceita::Acabado)))
        return false;
    const QString produto = txtProduto.codigo.trimmed();
    const auto p = bd().primeiraLinha(QStringLiteral("SELECT Descricao, Lote, Referencia FROM Produtos WHERE Codigo=?"),
                                      {produto});
    if (!p)
        return false;
    txtDescricao = p->at(0).toString();
    m_comLote = p->at(1).toInt() != 0;
    const QString ref = p->at(2).toString().trimmed();
    m_comReferencia = !ref.isEmpty() && ref != QStringLiteral("0");
    if (!m_comLote)
        txtLote.limpar();
    if (!m_comReferencia)
        referencias = {};
    if (txtArmazem.codigo.trimmed().isEmpty())
        txtArmazem.codigo = m_ctx.armazem;
    if (txtLocalizacao.trimmed().isEmpty())
        txtLocalizacao =
            VerificacoesStock(m_ctx).VerLocalizacao(bd(), produto, txtArmazem.codigo.trimmed(), QStringLiteral("E+"), false);
    return true;
}

bool MovProducaoNaHoraProdAcabINS::pesquisarLote() {
    const QString produto = txtProduto.codigo.trimmed();
    if (produto.isEmpty() || !m_comLote)
        return false;
    PesquisaTabelas pesquisa(m_ctx, m_ui);
    return pesquisa.LotesTabela(txtLote, true, produto);
}

void MovProducaoNaHoraProdAcabINS::loteCriado(const QString& lote) {
    if (!lote.trimmed().isEmpty())
        txtLote.codigo = lote.trimmed();
}

namespace {

struct DimensaoReferencia {
    const char* tabela;
    const char* titulo;
    bool (PesquisaTabelas::*pesquisa)(CampoTabela&, bool, const FiltroSQL&, const QString&, int);
};

const DimensaoReferencia Dimensoes[] = {
    {"TabEstacao", "Estações", &PesquisaTabelas::Estacao_Referencias},
    {"TabSexo", "Sexos", &PesquisaTabelas::Sexo_Referencias},
    {"Referencias", "Referências", &PesquisaTabelas::Referencia_Referencias},
    {"Modelos", "Modelos", &PesquisaTabelas::Modelo_Referencias},
    {"Cores", "Cores", &PesquisaTabelas::Cor_Referencias},
    {"Tamanhos", "Tamanhos", &PesquisaTabelas::Tamanho_Referencias},
    {"Comprimentos", "Comprimentos", &PesquisaTabelas::Comprimento_Referencias},
};

} // namespace

bool MovProducaoNaHoraProdAcabINS::pesquisarReferencia(int dimensao) {
    if (dimensao < 0 || dimensao >= 7 || !m_comReferencia)
        return false;
    CampoTabela campo;
    campo.codigo = referencias[size_t(dimensao)];
    PesquisaTabelas pesquisa(m_ctx, m_ui);
    if (!(pesquisa.*Dimensoes[dimensao].pesquisa)(campo, true, {}, {}, 0))
        return false;
    referencias[size_t(dimensao)] = campo.codigo.trimmed();
    return true;
}

QString MovProducaoNaHoraProdAcabINS::tabelaReferencia(int dimensao) {
    return dimensao >= 0 && dimensao < 7 ? QLatin1String(Dimensoes[dimensao].tabela) : QString();
}

QString MovProducaoNaHoraProdAcabINS::tituloTabelaReferencia(int dimensao) {
    return dimensao >= 0 && dimensao < 7 ? QString::fromUtf8(Dimensoes[dimensao].titulo) : QString();
}

bool MovProducaoNaHoraProdAcabINS::podeAbrirImagens() {
    if (txtProduto.codigo.trimmed().isEmpty()) {
        m_ui.mensagem(QStringLiteral("Não definiu o produto!"), Icone::Exclamacao);
        return false;
    }
    if (m_comLote && txtLote.codigo.trimmed().isEmpty()) {
        m_ui.mensagem(QStringLiteral("Não definiu o lote!"), Icone::Exclamacao);
        return false;
    }
    return true;
}

bool MovProducaoNaHoraProdAcabINS::gravar() {
    const QString produto = txtProduto.codigo.trimmed();
    auto recusa = [this](const QString& texto, Icone icone = Icone::Exclamacao) {
        m_ui.mensagem(texto, icone);
        return false;
    };
    if (produto.isEmpty())
        return recusa(QStringLiteral("Não definiu o Produto!"));
    if (txtArmazem.codigo.trimmed().isEmpty())
        return recusa(QStringLiteral("Não definiu o Armazém!"));
    if (txtQuantidade <= Currency())
        return recusa(QStringLiteral("Não definiu a Quantidade!"));
    PesquisaTabelas pesquisa(m_ctx, m_ui);
    if (!pesquisa.Armazens(txtArmazem, false))
        return false;
    if (m_comLote && txtLote.codigo.trimmed().isEmpty())
        return recusa(QStringLiteral("Não definiu o lote!"));
    if (m_comReferencia &&
        std::all_of(referencias.begin(), referencias.end(), [](const QString& r) { return r.trimmed().isEmpty(); }))
        return recusa(QStringLiteral("Não definiu as referências no produto \r\n%1 - %2").arg(produto, txtDescricao));
    if (txtPercCusto.isNegative() || txtPrecoCusto.isNegative())
        return recusa(QStringLiteral("O custo não pode ser negativo."));
    if (txtPercCusto > Currency() && txtPrecoCusto > Currency())
        return recusa(QStringLiteral("Não pode definir a Percentagem de Custo e o Preço de Custo em simultâneo.\r\n"
                                     "Favor de definir apenas um dos valores."),
                      Icone::Informacao);
    if (txtPercCusto.isZero() && txtPrecoCusto.isZero() &&
        m_ui.caixaBotoes(QStringLiteral("Não definiu qualquer Custo a aplicar!\r\nContinuar ?"), QStringLiteral("Produto Acabado"),
                         BotoesNaoSim, Icone::Pergunta) != 1)
        return false;
    QString unidade, direccao;
    if (!VerificacoesStock(m_ctx).ControlaUnidades(bd(), unidade, txtQuantidade, produto, direccao, QStringLiteral("E+"),
                                                   true, &m_ui))
        return false;
    AcabadoInstantaneo a;
    a.produto = produto;
    a.descricao = txtDescricao;
    a.armazem = txtArmazem.codigo.trimmed();
    a.quantidade = txtQuantidade;
    a.percCusto = txtPercCusto;
    a.precoCusto = txtPrecoCusto;
    a.localizacao = txtLocalizacao.trimmed();
    a.observa = txtObserva;
    a.lote = m_comLote ? txtLote.codigo.trimmed() : QString();
    a.referencias = referencias;
    if (!m_lista)
        return false;
    if (m_modo == u'A' && m_linha >= 0 && m_linha < int(m_lista->size()))
        (*m_lista)[size_t(m_linha)] = a;
    else
        m_lista->push_back(a);
    return true;
}

// ---------------------------------------------------------------- window

const QString MovProducaoNaHora::LayoutMaterias = QStringLiteral(
    "Produto,1700/Descrição,4100/Armazém,1000,C/Quantidade,1200,D/Preçário,0/Preço,1200,D/Observações,3000/Lote,1000/"
    "Localização,1000/");

MovProducaoNaHora::MovProducaoNaHora(GlobalContext& ctx, UserInteraction& ui)
    : m_ctx(ctx), m_ui(ui), m_editorMateria(ctx, ui), m_editorAcabado(ctx, ui) {
    lvwMateriaPrima.Cria_lvwLISTA(LayoutMaterias);
    lvwProdutoAcabdo.Cria_lvwLISTA(layoutAcabados());
}

QString MovProducaoNaHora::Titulo() { return QStringLiteral("Produção Instantânea"); }

QString MovProducaoNaHora::layoutAcabados() const {
    QString l = QStringLiteral("Produto,1700/Descrição,3000/Armazém,1000,C/Quantidade,1200,D/% Custo,1200,D/"
                               "Valor Custo,1200,D/Preço Custo,1100,D/Localização,1000/Observações,3000/Lote,1000/");
    for (int i = 1; i <= 7; ++i) {
        // A caption may not carry the layout's separators.
        QString nome = m_ctx.NomesDimensoes[size_t(i)];
        nome.remove(u',').remove(u'/');
        l += (nome.isEmpty() ? QStringLiteral("Ref. %1").arg(i) : nome) + QStringLiteral(",1000/");
    }
    return l;
}

void MovProducaoNaHora::mostrarListas() {
    const int casas = qBound(0, m_ctx.casasdecProducao, 4);
    lvwMateriaPrima.limparLinhas();
    for (const MateriaInstantanea& m : m_doc.materias) {
        const int l = lvwMateriaPrima.lvw_AddLinha();
        const QStringList t{m.produto,  m.descricao, m.armazem, formatarNumeroPT(m.quantidade, casas), m.precario,
                            formatarNumeroPT(m.preco, 4), m.observa, m.lote, m.localizacao};
        for (int c = 0; c < t.size(); ++c)
            lvwMateriaPrima.setTexto(l, c, t[c]);
    }
    lvwProdutoAcabdo.limparLinhas();
    for (const AcabadoInstantaneo& a : m_doc.acabados) {
        const int l = lvwProdutoAcabdo.lvw_AddLinha();
        QStringList t{a.produto,
                      a.descricao,
                      a.armazem,
                      formatarNumeroPT(a.quantidade, casas),
                      formatarNumeroPT(a.percCusto, 2),
                      formatarNumeroPT(a.valCusto, 4),
                      a.precoCusto.isZero() ? QString() : formatarNumeroPT(a.precoCusto, 4),
                      a.localizacao,
                      a.observa,
                      a.lote};
        for (const QString& r : a.referencias)
            t << r;
        for (int c = 0; c < t.size(); ++c)
            lvwProdutoAcabdo.setTexto(l, c, t[c]);
    }
}

void MovProducaoNaHora::CalculaCustos() {
    ::CalculaCustos(m_doc);
    mostrarListas();
}

bool MovProducaoNaHora::abrirMateria(QChar modo) {
    const int l = lvwMateriaPrima.linhaSeleccionada();
    if (modo == u'A' && l < 0)
        return false;
    m_editorMateria.Abrir(modo, &m_doc.materias, l);
    return true;
}

bool MovProducaoNaHora::abrirAcabado(QChar modo) {
    const int l = lvwProdutoAcabdo.linhaSeleccionada();
    if (modo == u'A' && l < 0)
        return false;
    m_editorAcabado.Abrir(modo, &m_doc.acabados, l);
    return true;
}

bool MovProducaoNaHora::confirmar(const QString& texto) {
    return m_ui.caixaBotoes(texto, Titulo(), BotoesNaoSim, Icone::Pergunta) == 1;
}

bool MovProducaoNaHora::removerMateria() {
    const int l = lvwMateriaPrima.linhaSeleccionada();
    if (l < 0 || l >= int(m_doc.materias.size()) || !confirmar(QStringLiteral("Confirma Eliminação?")))
        return false;
    m_doc.materias.erase(m_doc.materias.begin() + l);
    CalculaCustos();
    return true;
}

bool MovProducaoNaHora::removerAcabado() {
    const int l = lvwProdutoAcabdo.linhaSeleccionada();
    if (l < 0 || l >= int(m_doc.acabados.size()) || !confirmar(QStringLiteral("Confirma Eliminação?")))
        return false;
    m_doc.acabados.erase(m_doc.acabados.begin() + l);
    CalculaCustos();
    return true;
}

bool MovProducaoNaHora::integrarNomenclatura(const QString& codigo) {
    if ((!m_doc.materias.empty() || !m_doc.acabados.empty()) &&
        m_ui.caixaBotoes(QStringLiteral("Note que os registos já adicionados vão ser removidos."), Titulo(),
                         {QStringLiteral("C&ontinuar"), QStringLiteral("&Cancelar")}, Icone::Pergunta) != 0)
        return false;
    CampoTabela receita;
    receita.codigo = codigo;
    PesquisaTabelas pesquisa(m_ctx, m_ui);
    if (!pesquisa.NomenclaturaInstantanea_Prod(receita, codigo.trimmed().isEmpty()) || receita.codigo.trimmed().isEmpty())
        return false;
    const auto texto = m_ui.pedirTexto(QStringLiteral("Factor para Multiplicação de Quantidades"), QStringLiteral("Factor"),
                                       QStringLiteral("1"));
    if (!texto)
        return false;
    const auto factor = LerFactorReceita(*texto);
    if (!factor)
        return false;
    if (const auto r = IntegraReceita(m_ctx, m_doc, receita.codigo.trimmed(), *factor); !r) {
        m_ui.mensagem(r.mensagem(), Icone::Critico);
        return false;
    }
    mostrarListas();
    return true;
}

bool MovProducaoNaHora::integrarProcesso(const QString& codigo, bool abrirPesquisa) {
    CampoTabela campo;
    campo.codigo = codigo;
    PesquisaTabelas pesquisa(m_ctx, m_ui);
    FiltroSQL soAbertos;
    soAbertos.e(QStringLiteral("COALESCE(Prod_Processos.DataEncerramento,'')=''"));
    const bool escolhido = (codigo.trimmed().isEmpty() && !abrirPesquisa) ? false
                                                                          : pesquisa.Prod_Processos(campo, codigo.trimmed().isEmpty(), soAbertos);
    if (!escolhido || campo.codigo.trimmed().isEmpty()) {
        // Nothing chosen: back to a free run.
        if (!m_doc.processo.isEmpty()) {
            if (!m_doc.acabados.empty() && !confirmar(QStringLiteral("Confirma o cancelamento desta Produção?")))
                return false;
            (void)IntegraProcesso(m_ctx, m_doc, {});
            mostrarListas();
        }
        return false;
    }
    if (const auto r = IntegraProcesso(m_ctx, m_doc, campo.codigo.trimmed()); !r) {
        m_ui.mensagem(r.mensagem(), Icone::Exclamacao);
        return false;
    }
    mostrarListas();
    return true;
}

bool MovProducaoNaHora::integrarEquipamento(const QString& codigo, bool abrirPesquisa) {
    if (processoIntegrado())
        return false;
    CampoTabela campo;
    campo.codigo = codigo;
    PesquisaTabelas pesquisa(m_ctx, m_ui);
    FiltroSQL semDesmantelamento;
    semDesmantelamento.e(QStringLiteral("COALESCE(Prod_Equipamentos.DataDesmantelamento,'')=''"));
    if ((codigo.trimmed().isEmpty() && !abrirPesquisa) ||
        !pesquisa.Prod_Equipamentos(campo, codigo.trimmed().isEmpty(), semDesmantelamento,
                                    QStringLiteral("Apenas equipamentos sem data de desmantelamento")) ||
        campo.codigo.trimmed().isEmpty())
        return false;
    if (const auto r = IntegraEquipamento(m_ctx, m_doc, campo.codigo.trimmed()); !r) {
        m_ui.mensagem(r.mensagem(), Icone::Exclamacao);
        return false;
    }
    return true;
}

bool MovProducaoNaHora::processar() {
    ::CalculaCustos(m_doc);
    if (const auto r = VerificaProducaoInstantanea(m_ctx, m_doc); !r) {
        m_ui.mensagem(r.mensagem(), Icone::Exclamacao);
        return false;
    }
    if (!confirmar(QStringLiteral("Confirma o Processamento?")))
        return false;
    const auto r = LancaProducaoInstantanea(m_ctx, m_doc);
    if (!r) {
        m_ui.mensagem(r.mensagem(), Icone::Critico);
        return false;
    }
    m_resultado = *r;
    m_doc = DocumentoInstantaneo();
    mostrarListas();
    if (imprimirRelatorio && confirmar(QStringLiteral("Imprimir Relatório?")))
        imprimirRelatorio(m_resultado);
    return true;
}

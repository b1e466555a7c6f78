#include "production/NomenclaturaNaHora.h"

#include "common/UserInteraction.h"
#include "company/GlobalContext.h"
#include "controls/FormatoNumero.h"
#include "db/Database.h"
#include "lookups/PesquisaTabelas.h"
#include "production/ConfigProd.h"
#include "production/NomenclaturaDados.h"

using Icone = UserInteraction::Icone;

FiltroSQL filtroProdutosLinha(TipoLinhaReceita tipo) {
    FiltroSQL f;
    if (tipo == TipoLinhaReceita::Materia)
        f.e(QStringLiteral("COALESCE(Referencia,'')<>'1'"));
    f.e(QStringLiteral("COALESCE(Medic,'')<>'1'"));
    return f;
}

// ---------------------------------------------------------------- line editor

NomenclaturaNaHoraINS::NomenclaturaNaHoraINS(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}

QString NomenclaturaNaHoraINS::Titulo() { return QStringLiteral("Manutenção do Registo"); }

Database& NomenclaturaNaHoraINS::bd() const { return m_ctx.bd(); }

void NomenclaturaNaHoraINS::Abrir(QChar modo, TipoLinhaReceita tipo, std::vector<LinhaReceita>* lista, int linha,
                                  const QString& precarioPadrao) {
    m_modo = modo == u'A' ? u'A' : u'N';
    m_tipo = tipo;
    m_lista = lista;
    m_linha = m_modo == u'A' ? linha : -1;
    m_precarioPadrao = precarioPadrao;
    m_foco = Foco::Nenhum;
    m_produtoValidado.clear();
    txtProduto.limpar();
    txtArmazem.limpar();
    txtQuantidade = Currency();
    txtValor = Currency();
    txtObserva.clear();
    m_diverso = false;
    m_opcoes = ::opcoesPrecario(m_tipo, false);
    precario = precarioInicial(m_precarioPadrao);
    if (m_modo == u'A' && m_lista && m_linha >= 0 && m_linha < int(m_lista->size())) {
        const LinhaReceita& l = (*m_lista)[size_t(m_linha)];
        txtProduto.codigo = l.produto;
        txtProduto.descricao = l.descricao;
        txtArmazem.codigo = l.armazem;
        txtQuantidade = l.quantidade;
        txtObserva = l.observa;
        m_produtoValidado = l.produto;
        m_diverso = ProdutoDiverso(m_ctx, l.produto);
        m_opcoes = ::opcoesPrecario(m_tipo, m_diverso);
        precario = precarioNormalizado(l.precario).isEmpty() ? precario : precarioNormalizado(l.precario);
        txtValor = l.valor;
    }
}

bool NomenclaturaNaHoraINS::recusar(const QString& texto, Foco foco) {
    m_ui.mensagem(texto, Icone::Exclamacao);
    m_foco = foco;
    return false;
}

bool NomenclaturaNaHoraINS::validarProduto(bool abrirPesquisa) {
    PesquisaTabelas pesquisa(m_ctx, m_ui);
    if (!pesquisa.Produtos(txtProduto, abrirPesquisa, filtroProdutosLinha(m_tipo))) {
        m_produtoValidado.clear();
        return false;
    }
    const QString codigo = txtProduto.codigo.trimmed();
    const bool diverso = ProdutoDiverso(m_ctx, codigo);
    if (m_tipo == TipoLinhaReceita::Acabado && diverso) {
        txtProduto.limpar();
        m_produtoValidado.clear();
        return recusar(QStringLiteral("Não pode definir um produto diversos como produto acabado!"), Foco::Produto);
    }
    const auto p = bd().primeiraLinha(QStringLiteral("SELECT Descricao FROM Produtos WHERE Codigo=?"), {codigo});
    txtProduto.descricao = p ? p->at(0).toString() : QString();
    if (codigo != m_produtoValidado || diverso != m_diverso) {
        m_diverso = diverso;
        m_opcoes = ::opcoesPrecario(m_tipo, m_diverso);
        if (m_diverso)
            precario = PrecarioDigitado;
        else if (!precarioValido(m_tipo, false, precario))
            precario = PrecarioPMC;
    }
    m_produtoValidado = codigo;
    if (txtArmazem.codigo.trimmed().isEmpty())
        txtArmazem.codigo = m_ctx.armazem;
    return true;
}

bool NomenclaturaNaHoraINS::produtoSaiu() {
    if (txtProduto.codigo.trimmed().isEmpty())
        return false;
    return validarProduto(false);
}

bool NomenclaturaNaHoraINS::pesquisarProduto() { return validarProduto(true); }

bool NomenclaturaNaHoraINS::armazemSaiu() {
    if (txtArmazem.codigo.trimmed().isEmpty())
        txtArmazem.codigo = m_ctx.armazem;
    PesquisaTabelas pesquisa(m_ctx, m_ui);
    return pesquisa.Armazens(txtArmazem, false);
}

bool NomenclaturaNaHoraINS::pesquisarArmazem() {
    PesquisaTabelas pesquisa(m_ctx, m_ui);
    return pesquisa.Armazens(txtArmazem, true);
}

void NomenclaturaNaHoraINS::escolherPrecario(const QString& chave) {
    if (precarioValido(m_tipo, m_diverso, chave))
        precario = precarioNormalizado(chave);
    if (!valorVisivel())
        txtValor = Currency();
}

bool NomenclaturaNaHoraINS::gravar() {
    m_foco = Foco::Nenhum;
    if (txtProduto.codigo.trimmed().isEmpty())
        return recusar(QStringLiteral("Não definiu o Produto!"), Foco::Produto);
    if (txtArmazem.codigo.trimmed().isEmpty())
        return recusar(QStringLiteral("Não definiu o Armazém!"), Foco::Armazem);
    if (txtQuantidade.isZero())
        return recusar(QStringLiteral("Não definiu a Quantidade!"), Foco::Quantidade);
    // A typed product is checked as leaving the field would, so no unknown code reaches the recipe.
    if (txtProduto.codigo.trimmed() != m_produtoValidado && !validarProduto(false))
        return m_foco = Foco::Produto, false;
    if (!armazemSaiu())
        return m_foco = Foco::Armazem, false;
    if (txtQuantidade.isNegative())
        return recusar(QStringLiteral("A quantidade deve ser maior que 0."), Foco::Quantidade);
    if (!precarioValido(m_tipo, m_diverso, precario))
        return recusar(QStringLiteral("Preçário inválido: %1").arg(precario), Foco::Precario);
    if (!valorVisivel())
        txtValor = Currency();
    if (txtValor.isNegative())
        return recusar(QStringLiteral("O valor não pode ser negativo."), Foco::Valor);
    const QString codigo = txtProduto.codigo.trimmed();
    for (int i = 0; m_lista && i < int(m_lista->size()); ++i)
        if (i != m_linha && (*m_lista)[size_t(i)].produto.compare(codigo, Qt::CaseInsensitive) == 0)
            return recusar(QStringLiteral("Este produto já existe nesta nomenclatura!\r\nNão pode repetir."),
                           Foco::Produto);
    LinhaReceita l;
    l.produto = codigo;
    l.descricao = txtProduto.descricao;
    l.armazem = txtArmazem.codigo.trimmed();
    l.quantidade = txtQuantidade;
    l.precario = precarioNormalizado(precario);
    l.valor = txtValor;
    l.observa = txtObserva;
    if (!m_lista)
        return false;
    if (m_modo == u'A' && m_linha >= 0 && m_linha < int(m_lista->size()))
        (*m_lista)[size_t(m_linha)] = l;
    else
        m_lista->push_back(l);
    return true;
}

// ---------------------------------------------------------------- window

const QString NomenclaturaNaHora::LayoutLista = QStringLiteral("Código,1500/Descrição,7850/Fluxo,1000,C/");
const QString NomenclaturaNaHora::LayoutLinhas = QStringLiteral(
    "Produto,1650/Descrição,4600/Armazém,1000,C/Quant.,1500,D/Preçário,2000,C/Valor,1000,D/Observação,3000/");
const QString NomenclaturaNaHora::OpcoesFluxo = QStringLiteral("A:A;B:B;C:C;D:D;E:E;");

NomenclaturaNaHora::NomenclaturaNaHora(GlobalContext& ctx, UserInteraction& ui)
    : m_ctx(ctx), m_ui(ui), m_editor(ctx, ui) {
    lvwLista.Cria_lvwLISTA(LayoutLista);
    lvwMateriasPrimas.Cria_lvwLISTA(LayoutLinhas);
    lvwProdutosAcabados.Cria_lvwLISTA(LayoutLinhas);
}

QString NomenclaturaNaHora::Titulo() { return QStringLiteral("Nomenclatura de Produtos (Produção Instantânea)"); }

Database& NomenclaturaNaHora::bd() const { return m_ctx.bd(); }

void NomenclaturaNaHora::abrir() {
    if (const auto config = LerConfigProd(bd()).valorOu(std::nullopt))
        m_precarioPadrao = config->Precario;
    Refresh();
}

void NomenclaturaNaHora::Refresh() {
    lvwLista.limparLinhas();
    const auto receitas = ListarReceitas(bd());
    if (!receitas) {
        m_ui.mensagem(receitas.mensagem(), Icone::Critico);
        return;
    }
    for (const ResumoReceita& r : *receitas) {
        const int l = lvwLista.lvw_AddLinha();
        lvwLista.setTexto(l, 0, r.codigo);
        lvwLista.setTexto(l, 1, r.descricao);
        lvwLista.setTexto(l, 2, r.fluxo);
    }
    if (lvwLista.numLinhas() > 0)
        lvwLista.lvw_SelectLinha(0);
}

void NomenclaturaNaHora::adicionar() {
    m_receita = Receita();
    txtCodigo.clear();
    txtDescricao.clear();
    fluxo = QStringLiteral("A");
    m_edicao = true;
    m_novo = true;
    m_foco = Foco::Codigo;
    mostrarLinhas();
}

bool NomenclaturaNaHora::alterar() {
    const int l = lvwLista.linhaSeleccionada();
    if (l < 0)
        return false;
    const auto lida = LerReceita(bd(), lvwLista.texto(l, 0));
    if (!lida) {
        m_ui.mensagem(lida.mensagem(), Icone::Critico);
        return false;
    }
    if (!*lida)
        return false;
    m_receita = **lida;
    txtCodigo = m_receita.codigo;
    txtDescricao = m_receita.descricao;
    fluxo = m_receita.fluxo.isEmpty() ? QStringLiteral("A") : m_receita.fluxo;
    m_edicao = true;
    m_novo = false;
    m_foco = Foco::Descricao;
    mostrarLinhas();
    return true;
}

bool NomenclaturaNaHora::eliminar() {
    const int l = lvwLista.linhaSeleccionada();
    if (l < 0)
        return false;
    if (!m_ui.pergunta(QStringLiteral("Tem a certeza que quer eliminar ?")))
        return false;
    if (const auto r = EliminarReceita(m_ctx, lvwLista.texto(l, 0), lvwLista.texto(l, 1)); !r) {
        m_ui.mensagem(r.mensagem(), Icone::Critico);
        return false;
    }
    Refresh();
    return true;
}

bool NomenclaturaNaHora::codigoSaiu() {
    txtCodigo = txtCodigo.trimmed().toUpper();
    if (!m_novo || txtCodigo.isEmpty())
        return true;
    const auto existe = ExisteReceita(bd(), txtCodigo);
    if (!existe || *existe) {
        m_ui.mensagem(existe ? QStringLiteral(" A T E N Ç Ã O !    Registo já existente.") : existe.mensagem(),
                      Icone::Critico);
        txtCodigo.clear();
        m_foco = Foco::Codigo;
        return false;
    }
    return true;
}

void NomenclaturaNaHora::preencherLinhas(TipoLinhaReceita tipo) {
    ListaDados& lista = this->lista(tipo);
    const int seleccionada = lista.linhaSeleccionada();
    lista.limparLinhas();
    for (const LinhaReceita& r : m_receita.linhas(tipo)) {
        const int l = lista.lvw_AddLinha();
        lista.setTexto(l, 0, r.produto);
        lista.setTexto(l, 1, r.descricao);
        lista.setTexto(l, 2, r.armazem);
        lista.setTexto(l, 3, formatarNumeroPT(r.quantidade, qBound(0, m_ctx.casasdecProducao, 4)));
        lista.setTexto(l, 4, r.precario);
        lista.setTexto(l, 5, precarioComValor(r.precario) ? formatarNumeroPT(r.valor, 4) : QString());
        lista.setTexto(l, 6, r.observa);
    }
    if (lista.numLinhas() > 0)
        lista.lvw_SelectLinha(qBound(0, seleccionada, lista.numLinhas() - 1));
}

void NomenclaturaNaHora::mostrarLinhas() {
    preencherLinhas(TipoLinhaReceita::Materia);
    preencherLinhas(TipoLinhaReceita::Acabado);
}

bool NomenclaturaNaHora::abrirLinha(QChar modo, TipoLinhaReceita tipo) {
    if (!m_edicao)
        return false;
    const int l = lista(tipo).linhaSeleccionada();
    if (modo == u'A' && l < 0)
        return false;
    m_editor.Abrir(modo, tipo, &m_receita.linhas(tipo), l, m_precarioPadrao);
    return true;
}

bool NomenclaturaNaHora::removerLinha(TipoLinhaReceita tipo) {
    const int l = lista(tipo).linhaSeleccionada();
    if (l < 0)
        return false;
    if (m_ui.caixaBotoes(QStringLiteral("Eliminar o registo seleccionado?"), Titulo(),
                         {QStringLiteral("&Não"), QStringLiteral("&Sim")}, Icone::Pergunta) != 1)
        return false;
    std::vector<LinhaReceita>& linhas = m_receita.linhas(tipo);
    linhas.erase(linhas.begin() + l);
    mostrarLinhas();
    return true;
}

void NomenclaturaNaHora::limparLinhas(TipoLinhaReceita tipo) {
    m_receita.linhas(tipo).clear();
    mostrarLinhas();
}

bool NomenclaturaNaHora::gravar() {
    if (!m_edicao)
        return false;
    if (!codigoSaiu())
        return false;
    // In change mode the code is the recipe's own: another code would rewrite another recipe and
    // leave this one's rows behind.
    if (m_novo)
        m_receita.codigo = txtCodigo;
    else
        txtCodigo = m_receita.codigo;
    m_receita.descricao = txtDescricao.trimmed();
    m_receita.fluxo = QStringLiteral("ABCDE").contains(fluxo.trimmed().toUpper()) && fluxo.trimmed().size() == 1
                          ? fluxo.trimmed().toUpper()
                          : QStringLiteral("A");
    if (const auto r = GravarReceita(m_ctx, m_receita); !r) {
        const QString& campo = r.campo();
        m_foco = campo == QStringLiteral("txtCodigo")      ? Foco::Codigo
                 : campo == QStringLiteral("txtDescricao") ? Foco::Descricao
                 : campo == QStringLiteral("lvwMateriasPrimas") ? Foco::Materias
                 : campo == QStringLiteral("lvwProdutosAcabados") ? Foco::Acabados
                                                                  : Foco::Nenhum;
        m_ui.mensagem(r.mensagem(), m_foco == Foco::Nenhum ? Icone::Critico : Icone::Exclamacao);
        return false;
    }
    m_edicao = false;
    m_novo = false;
    Refresh();
    return true;
}

void NomenclaturaNaHora::cancelar() {
    m_edicao = false;
    m_novo = false;
    m_receita = Receita();
    txtCodigo.clear();
    txtDescricao.clear();
    mostrarLinhas();
}

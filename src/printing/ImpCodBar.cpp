#include "printing/ImpCodBar.h"

#include "company/GlobalContext.h"
#include "controls/FormatoNumero.h"
#include "db/Database.h"
#include "lookups/PesquisaTabelas.h"

#include <QRegularExpression>
#include <algorithm>

using Icone = UserInteraction::Icone;

namespace {

// How many codes the message after a run names before it only counts the rest.
constexpr int AvisosMostrados = 15;

bool campoVazio(CampoTabela& c) {
    if (!c.codigo.trimmed().isEmpty())
        return false;
    c.limpar();
    return true;
}

} // namespace

std::optional<int> LerQuantidadeEtiquetas(const QString& texto) {
    static const QRegularExpression algarismos(QStringLiteral("^[0-9]{1,9}$"));
    const QString t = texto.trimmed();
    if (!algarismos.match(t).hasMatch())
        return std::nullopt;
    const int n = t.toInt();
    if (n < 1 || n > MaxQuantidadeEtiquetas)
        return std::nullopt;
    return n;
}

std::optional<int> QuantidadeEtiquetasDe(const Currency& valor) {
    if (valor.casasDecimais() > 0 || valor < Currency(1) || valor > Currency(MaxQuantidadeEtiquetas))
        return std::nullopt;
    return int(valor.raw() / Currency::Escala);
}

QString MensagemQuantidadeEtiquetas() {
    return QStringLiteral("A quantidade tem de ser um número inteiro de 1 a %1.").arg(MaxQuantidadeEtiquetas);
}

FiltroSQL FiltroEtiquetasProdutos() {
    FiltroSQL f;
    f.e(QStringLiteral("Etiquetas.FicheiroBase=?"), {QStringLiteral("P")});
    return f;
}

// ---------------------------------------------------------------- one row

ImpCodBarIns::ImpCodBarIns(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}

QString ImpCodBarIns::Titulo() { return QStringLiteral("Produto a Etiquetar"); }

CampoTabela& ImpCodBarIns::campo(Campo c) {
    switch (c) {
    case Campo::Produto:
        return txtProduto;
    case Campo::Estacao:
        return txtEstacao;
    case Campo::Sexo:
        return txtSexo;
    case Campo::Referencia:
        return txtReferencia;
    case Campo::Modelo:
        return txtModelo;
    case Campo::Cor:
        return txtCor;
    case Campo::Tamanho:
        return txtTamanho;
    case Campo::Comprimento:
        return txtComprimento;
    case Campo::Fornecedor:
        return txtFornecedor;
    case Campo::Lote:
        break;
    }
    return txtLote;
}

namespace {

bool consultar(PesquisaTabelas& p, ImpCodBarIns::Campo c, CampoTabela& campo, bool abrir, const QString& produto) {
    using C = ImpCodBarIns::Campo;
    switch (c) {
    case C::Produto:
        return p.Produtos(campo, abrir);
    case C::Estacao:
        return p.Estacao_Referencias(campo, abrir);
    case C::Sexo:
        return p.Sexo_Referencias(campo, abrir);
    case C::Referencia:
        return p.Referencia_Referencias(campo, abrir);
    case C::Modelo:
        return p.Modelo_Referencias(campo, abrir);
    case C::Cor:
        return p.Cor_Referencias(campo, abrir);
    case C::Tamanho:
        return p.Tamanho_Referencias(campo, abrir);
    case C::Comprimento:
        return p.Comprimento_Referencias(campo, abrir);
    case C::Fornecedor:
        return p.Fornecedores(campo, abrir);
    case C::Lote:
        break;
    }
    return p.LotesTabela(campo, abrir, produto);
}

} // namespace

bool ImpCodBarIns::validar(Campo c) {
    if (c == Campo::Lote) {
        txtLote.codigo = txtLote.codigo.trimmed();
        return true;
    }
    return consultar(pesquisaTabelas(m_ctx, m_ui), c, campo(c), false, txtProduto.codigo.trimmed());
}

bool ImpCodBarIns::campoSaiu(Campo c) {
    if (campoVazio(campo(c)))
        return true;
    return validar(c);
}

bool ImpCodBarIns::pesquisar(Campo c) {
    return consultar(pesquisaTabelas(m_ctx, m_ui), c, campo(c), true, txtProduto.codigo.trimmed());
}

bool ImpCodBarIns::confirmar() {
    m_foco = Foco::Nenhum;
    if (txtProduto.codigo.trimmed().isEmpty()) {
        m_foco = Foco::Produto;
        m_ui.mensagem(QStringLiteral("Não definiu o Produto!"), Icone::Exclamacao, Titulo());
        return false;
    }
    if (!validar(Campo::Produto)) {
        m_foco = Foco::Produto;
        return false;
    }
    const std::optional<int> quantidade = QuantidadeEtiquetasDe(txtQuantidade);
    if (!quantidade) {
        m_foco = Foco::Quantidade;
        m_ui.mensagem(MensagemQuantidadeEtiquetas(), Icone::Exclamacao, Titulo());
        return false;
    }
    const std::pair<Campo, Foco> codigos[] = {
        {Campo::Estacao, Foco::Estacao},         {Campo::Sexo, Foco::Sexo},       {Campo::Referencia, Foco::Referencia},
        {Campo::Modelo, Foco::Modelo},           {Campo::Cor, Foco::Cor},         {Campo::Tamanho, Foco::Tamanho},
        {Campo::Comprimento, Foco::Comprimento}, {Campo::Fornecedor, Foco::Fornecedor}};
    for (const auto& [c, foco] : codigos)
        if (!campoSaiu(c)) {
            m_foco = foco;
            return false;
        }
    if (txtPrecoLote.isNegative()) {
        m_foco = Foco::PrecoLote;
        m_ui.mensagem(QStringLiteral("O Preço do Lote não pode ser negativo!"), Icone::Exclamacao, Titulo());
        return false;
    }
    LinhaEtiqueta l;
    l.produto = txtProduto.codigo;
    l.descricao = txtProduto.descricao;
    l.quantidade = *quantidade;
    l.estacao = txtEstacao.codigo;
    l.sexo = txtSexo.codigo;
    l.referencia = txtReferencia.codigo;
    l.modelo = txtModelo.codigo;
    l.cor = txtCor.codigo;
    l.tamanho = txtTamanho.codigo;
    l.comprimento = txtComprimento.codigo;
    l.fornecedor = txtFornecedor.codigo;
    l.lote = txtLote.codigo.trimmed();
    l.precoLote = txtPrecoLote;
    l.codigoDinamico = txtCodigoDinamico.trimmed();
    m_linha = l;
    return true;
}

// ---------------------------------------------------------------- the label form

const QString ImpCodBar::LayoutLista = QStringLiteral(
    "Produto,1900/Descrição,3000/Quantidade,1200,D,Valor/Estação,1000/Sexo,1000/Referência,1000/Modelo,1000/"
    "Cor,1000/Tamanho,1000/Comprimento,1000/Fornecedor,1000/C. Barras - Dinâmico,2000/Lote,2000/"
    "Preço do Lote,2000,D/");

ImpCodBar::ImpCodBar(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    lvwLista.setUserInteraction(&ui);
    lvwLista.Cria_lvwLISTA(LayoutLista);
    lvwLista.setCasasDecimais(TipoDadoColuna::Valor, 0);
    lvwLista.setComVistos(true);
}

QString ImpCodBar::Titulo() { return QStringLiteral("Impressão de Etiquetas"); }

bool ImpCodBar::lerDefinicao(bool avisar) {
    m_definicao.reset();
    const QString codigo = txtEtiqueta.codigo.trimmed();
    const auto lida = LerDefinicaoEtiqueta(m_ctx.bd(), codigo);
    if (!lida) {
        m_ui.mensagem(lida.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    if (!*lida) {
        if (avisar)
            m_ui.mensagem(QStringLiteral("Etiqueta Inexistente"), Icone::Exclamacao, Titulo());
        return false;
    }
    m_definicao = **lida;
    return true;
}

bool ImpCodBar::txtEtiqueta_Saiu() {
    if (campoVazio(txtEtiqueta)) {
        m_definicao.reset();
        return true;
    }
    if (!pesquisaTabelas(m_ctx, m_ui).Etiquetas(txtEtiqueta, false, FiltroEtiquetasProdutos())) {
        m_definicao.reset();
        return false;
    }
    if (!lerDefinicao(true)) {
        txtEtiqueta.focar = true;
        return false;
    }
    chkCaixa = m_definicao->imprimeCaixaContorno;
    return true;
}

bool ImpCodBar::txtEtiqueta_Pesquisar() {
    if (!pesquisaTabelas(m_ctx, m_ui).Etiquetas(txtEtiqueta, true, FiltroEtiquetasProdutos()))
        return false;
    return txtEtiqueta_Saiu();
}

bool ImpCodBar::lerCambio() {
    m_cambio = Currency();
    if (!pesquisaTabelas(m_ctx, m_ui).Cambios(txtCambio, false))
        return false;
    m_cambio = Currency::fromVariant(
        m_ctx.bd().scalar(QStringLiteral("SELECT Valor FROM Cambios WHERE Codigo=?"), {txtCambio.codigo}));
    return true;
}

bool ImpCodBar::txtCambio_Saiu() {
    if (campoVazio(txtCambio)) {
        m_cambio = Currency();
        return true;
    }
    return lerCambio();
}

bool ImpCodBar::txtCambio_Pesquisar() {
    if (!pesquisaTabelas(m_ctx, m_ui).Cambios(txtCambio, true))
        return false;
    return lerCambio();
}

void ImpCodBar::mostrarQuantidade(int linha, int quantidade) {
    lvwLista.lvw_PutValue(linha, QStringLiteral("VALOR_"), Currency(quantidade));
}

void ImpCodBar::adicionarLinha(const LinhaEtiqueta& l) {
    const qint64 id = m_proximoId++;
    m_dados[id] = l;
    const int n = lvwLista.lvw_AddLinha();
    lvwLista.setId(n, id);
    lvwLista.setTexto(n, ColProduto, l.produto);
    lvwLista.setTexto(n, ColDescricao, l.descricao);
    mostrarQuantidade(n, l.quantidade);
    lvwLista.setTexto(n, ColEstacao, l.estacao);
    lvwLista.setTexto(n, ColSexo, l.sexo);
    lvwLista.setTexto(n, ColReferencia, l.referencia);
    lvwLista.setTexto(n, ColModelo, l.modelo);
    lvwLista.setTexto(n, ColCor, l.cor);
    lvwLista.setTexto(n, ColTamanho, l.tamanho);
    lvwLista.setTexto(n, ColComprimento, l.comprimento);
    lvwLista.setTexto(n, ColFornecedor, l.fornecedor);
    lvwLista.setTexto(n, ColCodigoDinamico, l.codigoDinamico);
    lvwLista.setTexto(n, ColLote, l.lote);
    lvwLista.setTexto(n, ColPrecoLote, l.lote.isEmpty() && l.precoLote.isZero() ? QString()
                                                                                  : formatarNumeroPT(l.precoLote, 2));
    lvwLista.setMarcada(n, l.marcada);
    lvwLista.lvw_SelectLinha(n);
}

bool ImpCodBar::removerLinha() {
    std::vector<int> seleccionadas = lvwLista.linhasSeleccionadas();
    if (seleccionadas.empty())
        return false;
    // From the bottom, so the positions still to remove do not move.
    std::sort(seleccionadas.rbegin(), seleccionadas.rend());
    for (int l : seleccionadas) {
        m_dados.erase(lvwLista.id(l));
        lvwLista.lvw_DeleteLinha(l);
    }
    if (lvwLista.numLinhas() > 0)
        lvwLista.lvw_SelectLinha(std::min(seleccionadas.back(), lvwLista.numLinhas() - 1));
    return true;
}

bool ImpCodBar::cmdAlterar_Click() {
    const std::vector<int> seleccionadas = lvwLista.linhasSeleccionadas();
    if (seleccionadas.empty()) {
        m_ui.mensagem(QStringLiteral("Seleccione na lista o produto a alterar!"), Icone::Exclamacao, Titulo());
        return false;
    }
    const auto actual = m_dados.find(lvwLista.id(seleccionadas.front()));
    const QString inicial = actual == m_dados.end() ? QString() : QString::number(actual->second.quantidade);
    const std::optional<QString> texto = m_ui.pedirTexto(QStringLiteral("Quantidade a Alterar"), Titulo(), inicial);
    if (!texto)
        return false;
    const std::optional<int> quantidade = LerQuantidadeEtiquetas(*texto);
    if (!quantidade) {
        m_ui.mensagem(MensagemQuantidadeEtiquetas(), Icone::Exclamacao, Titulo());
        return false;
    }
    for (int l : seleccionadas) {
        const auto d = m_dados.find(lvwLista.id(l));
        if (d == m_dados.end())
            continue;
        d->second.quantidade = *quantidade;
        mostrarQuantidade(l, *quantidade);
    }
    return true;
}

std::vector<LinhaEtiqueta> ImpCodBar::linhas() const {
    std::vector<LinhaEtiqueta> r;
    for (int l = 0; l < lvwLista.numLinhas(); ++l) {
        const auto d = m_dados.find(lvwLista.id(l));
        if (d == m_dados.end())
            continue;
        LinhaEtiqueta e = d->second;
        e.marcada = lvwLista.marcada(l);
        r.push_back(e);
    }
    return r;
}

OpcoesEtiquetas ImpCodBar::opcoes() const {
    OpcoesEtiquetas o;
    o.coluna = eint1H;
    o.linha = eint1V;
    o.iva = chkIva;
    o.caixa = chkCaixa;
    o.cambio = txtCambio.codigo.trimmed().isEmpty() ? Currency() : m_cambio;
    return o;
}

QString ImpCodBar::TextoAvisos(const std::vector<AvisoEtiqueta>& avisos) {
    QStringList t{QStringLiteral("Não foi possível imprimir os seguintes códigos (as etiquetas ficaram sem eles):")};
    for (size_t i = 0; i < avisos.size() && i < size_t(AvisosMostrados); ++i) {
        const AvisoEtiqueta& a = avisos[i];
        t << QStringLiteral("%1 - %2: %3").arg(a.produto.trimmed(), a.campo, a.erro);
    }
    if (avisos.size() > size_t(AvisosMostrados))
        t << QStringLiteral("... e mais %1.").arg(avisos.size() - size_t(AvisosMostrados));
    return t.join(u'\n');
}

bool ImpCodBar::cmdImprimir_Click() {
    m_foco = Foco::Nenhum;
    m_resultado.reset();
    if (txtEtiqueta.codigo.trimmed().isEmpty()) {
        m_foco = Foco::Etiqueta;
        m_ui.mensagem(QStringLiteral("Não definiu a Etiqueta!"), Icone::Exclamacao, Titulo());
        return false;
    }
    if (!lerDefinicao(true)) {
        m_foco = Foco::Etiqueta;
        txtEtiqueta.focar = true;
        return false;
    }
    const DefinicaoEtiqueta& d = *m_definicao;
    if (eint1H < 1 || eint1H > d.numEtiqHoriz) {
        m_foco = Foco::Coluna;
        m_ui.mensagem(QStringLiteral("A coluna inicial tem de estar entre 1 e %1!").arg(d.numEtiqHoriz),
                      Icone::Exclamacao, Titulo());
        return false;
    }
    if (eint1V < 1 || eint1V > d.numEtiqVert) {
        m_foco = Foco::Linha;
        m_ui.mensagem(QStringLiteral("A linha inicial tem de estar entre 1 e %1!").arg(d.numEtiqVert),
                      Icone::Exclamacao, Titulo());
        return false;
    }
    if (!txtCambio_Saiu()) {
        m_foco = Foco::Cambio;
        return false;
    }
    std::vector<LinhaEtiqueta> marcadas;
    for (const LinhaEtiqueta& l : linhas())
        if (l.marcada)
            marcadas.push_back(l);
    if (marcadas.empty()) {
        m_foco = Foco::Lista;
        m_ui.mensagem(QStringLiteral("Não seleccionou nenhum produto para imprimir!"), Icone::Exclamacao, Titulo());
        return false;
    }
    const auto destino = PerguntaTipoListagem(m_ui);
    if (!destino || !imprimir)
        return false;
    const Resultado<ResultadoEtiquetas> r = imprimir(d, marcadas, opcoes(), *destino);
    if (!r) {
        m_ui.mensagem(r.mensagem(), Icone::Exclamacao, Titulo());
        return false;
    }
    m_resultado = *r;
    if (!r->avisos.empty())
        m_ui.mensagem(TextoAvisos(r->avisos), Icone::Exclamacao, Titulo());
    return true;
}

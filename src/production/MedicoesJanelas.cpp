#include "production/MedicoesJanelas.h"

#include "company/GlobalContext.h"
#include "db/Database.h"
#include "lookups/PesquisaTabelas.h"
#include "production/ExistProArmLote.h"

using Icone = UserInteraction::Icone;

namespace {

const QStringList BotoesNaoSim{QStringLiteral("&Não"), QStringLiteral("&Sim")};

bool confirma(UserInteraction& ui, const QString& texto, const QString& titulo) {
    return ui.caixaBotoes(texto, titulo, BotoesNaoSim, Icone::Pergunta) == 1;
}

// A code field left blank is cleared; otherwise the lookup validates it and fills its label.
bool campoSaiu(CampoTabela& c, const std::function<bool()>& validar) {
    if (c.codigo.trimmed().isEmpty()) {
        c.limpar();
        return true;
    }
    return validar();
}

// The template list's product filter: products that have a template.
FiltroSQL produtosComModelo() {
    FiltroSQL f;
    f.e(QStringLiteral("Codigo IN (SELECT ProdutoAcabado FROM NomenclaturaMedicoes)"));
    return f;
}

} // namespace

// ---------------------------------------------------------------- template list

const QString MedicoesTemplate::LayoutLista = QStringLiteral(
    "Produto,1550,,,Produto/Descrição,3900,,,Descricao/Altura,1000,D,VALOR_Q,Altura/Largura,1000,D,VALOR_Q,Largura/");

MedicoesTemplate::MedicoesTemplate(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    lvwLista.Cria_lvwLISTA(LayoutLista);
    lvwLista.setCasasDecimais(TipoDadoColuna::ValorQ, 4);
    txtProduto.descricao = QStringLiteral("Todos");
}

QString MedicoesTemplate::Titulo() { return QStringLiteral("Nomenclatura Base para Produtos Acabados"); }
QString MedicoesTemplate::TituloCalculos() { return QStringLiteral("Cálculos para Produtos Acabados"); }

bool MedicoesTemplate::txtProduto_Saiu() {
    if (txtProduto.codigo.trimmed().isEmpty()) {
        txtProduto.codigo.clear();
        txtProduto.descricao = QStringLiteral("Todos");
        return true;
    }
    return pesquisaTabelas(m_ctx, m_ui).Produtos(txtProduto, false, produtosComModelo(), QStringLiteral("Todos"));
}

bool MedicoesTemplate::txtProduto_Pesquisar() {
    return pesquisaTabelas(m_ctx, m_ui).Produtos(txtProduto, true, produtosComModelo(), QStringLiteral("Todos"));
}

bool MedicoesTemplate::Carregar() {
    const auto lidos = ListarTemplatesMedicoes(m_ctx.bd(), txtProduto.codigo.trimmed());
    if (!lidos) {
        m_ui.mensagem(lidos.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    const QString antes = seleccionado();
    m_lista = *lidos;
    lvwLista.limparLinhas();
    int escolhida = -1;
    for (const ResumoTemplateMedicoes& r : m_lista) {
        const int l = lvwLista.lvw_AddLinha();
        lvwLista.setTag(l, r.produto);
        lvwLista.lvw_PutValue(l, QStringLiteral("Produto"), r.produto);
        lvwLista.lvw_PutValue(l, QStringLiteral("Descricao"), r.descricao);
        lvwLista.lvw_PutValue(l, QStringLiteral("VALORQAltura"), r.altura);
        lvwLista.lvw_PutValue(l, QStringLiteral("VALORQLargura"), r.largura);
        if (r.produto == antes)
            escolhida = l;
    }
    if (lvwLista.colunaOrdenada() >= 0)
        lvwLista.ordenar(lvwLista.colunaOrdenada(), lvwLista.ordemDescendente());
    if (escolhida >= 0)
        lvwLista.lvw_SelectLinha(lvwLista.linhaComTag(antes));
    return true;
}

QString MedicoesTemplate::seleccionado() const {
    const int l = lvwLista.linhaSeleccionada();
    return l < 0 ? QString() : lvwLista.tag(l).toString();
}

bool MedicoesTemplate::eliminar() {
    const QString produto = seleccionado();
    if (produto.isEmpty())
        return false;
    if (!confirma(m_ui, QStringLiteral("Confirma a Eliminação?"), Titulo()))
        return false;
    if (const auto r = EliminarTemplateMedicoes(m_ctx, produto); !r) {
        m_ui.mensagem(r.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    Carregar();
    return true;
}

// ---------------------------------------------------------------- raw-material line

MedicoesTemplateInsProdutos::MedicoesTemplateInsProdutos(GlobalContext& ctx, UserInteraction& ui)
    : m_ctx(ctx), m_ui(ui) {}

QString MedicoesTemplateInsProdutos::Titulo() { return QStringLiteral("Manutenção de Matérias Primas"); }

void MedicoesTemplateInsProdutos::Carregar_Dados(const std::optional<LinhaMedicao>& linha) {
    m_linha = linha.value_or(LinhaMedicao{});
    txtProduto.codigo = m_linha.produto;
    txtProduto.descricao = m_linha.descricao;
    txtQuantidade = m_linha.quantidade;
    optMedicoes = m_linha.tipoMedida.isEmpty() ? QStringLiteral("A") : m_linha.tipoMedida;
    txtMedida = m_linha.medida;
    txtArmazem.codigo = m_linha.armazemSaida;
    txtArmazem.descricao.clear();
    if (!txtArmazem.codigo.isEmpty())
        pesquisaTabelas(m_ctx, m_ui).Armazens(txtArmazem, false);
}

bool MedicoesTemplateInsProdutos::txtProduto_Saiu() {
    return campoSaiu(txtProduto, [&] { return pesquisaTabelas(m_ctx, m_ui).Produtos(txtProduto, false); });
}
bool MedicoesTemplateInsProdutos::txtProduto_Pesquisar() {
    return pesquisaTabelas(m_ctx, m_ui).Produtos(txtProduto, true);
}
bool MedicoesTemplateInsProdutos::txtArmazem_Saiu() {
    return campoSaiu(txtArmazem, [&] { return pesquisaTabelas(m_ctx, m_ui).Armazens(txtArmazem, false); });
}
bool MedicoesTemplateInsProdutos::txtArmazem_Pesquisar() {
    return pesquisaTabelas(m_ctx, m_ui).Armazens(txtArmazem, true);
}

bool MedicoesTemplateInsProdutos::confirmar() {
    m_foco = Foco::Nenhum;
    LinhaMedicao l;
    l.produto = txtProduto.codigo.trimmed();
    l.descricao = txtProduto.descricao;
    l.quantidade = txtQuantidade;
    l.tipoMedida = optMedicoes.trimmed().toUpper();
    l.medida = txtMedida;
    l.armazemSaida = txtArmazem.codigo.trimmed();
    if (const auto r = ValidaLinhaMedicao(m_ctx.bd(), l); !r) {
        const QString campo = r.campo();
        m_foco = campo == QStringLiteral("txtQuantidade") ? Foco::Quantidade
                 : campo == QStringLiteral("txtMedida")   ? Foco::Medida
                 : campo == QStringLiteral("txtArmazem")  ? Foco::Armazem
                                                          : Foco::Produto;
        m_ui.mensagem(r.mensagem(), Icone::Exclamacao, Titulo());
        return false;
    }
    if (l.descricao.isEmpty())
        l.descricao = m_ctx.bd().scalar(QStringLiteral("SELECT Descricao FROM Produtos WHERE Codigo=?"), {l.produto}).toString();
    m_linha = l;
    return true;
}

// ---------------------------------------------------------------- template

const QString MedicoesTemplateIns::LayoutLista = QStringLiteral(
    "Produto,1550,,,Produto/Descrição,3500,,,Descricao/Quantidade,1000,D,VALOR_Q,Quantidade/"
    "Tp Medida,1000,C,,TipoMedida/Medida,1000,D,VALOR_Q,Medida/Armazém,800,,,Armazem/");

MedicoesTemplateIns::MedicoesTemplateIns(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    lvwLista.Cria_lvwLISTA(LayoutLista);
    lvwLista.setCasasDecimais(TipoDadoColuna::ValorQ, 4);
}

QString MedicoesTemplateIns::Titulo() { return QStringLiteral("Manutenção de Registos"); }

bool MedicoesTemplateIns::Abrir(QChar modo, const QString& produto) {
    m_modo = modo == u'A' ? u'A' : u'N';
    m_foco = Foco::Nenhum;
    m_linhas.clear();
    txtProduto.limpar();
    txtArmazem.limpar();
    txtAltura = txtLargura = Currency();
    m_produtoOriginal.clear();
    if (m_modo == u'A') {
        const auto lido = LerTemplateMedicoes(m_ctx.bd(), produto);
        if (!lido || !*lido) {
            m_ui.mensagem(!lido ? lido.mensagem() : QStringLiteral("Nomenclatura Inexistente: %1").arg(produto),
                          Icone::Exclamacao, Titulo());
            return false;
        }
        const TemplateMedicoes& t = **lido;
        m_produtoOriginal = t.produtoAcabado;
        txtProduto.codigo = t.produtoAcabado;
        txtProduto.descricao = t.descricao;
        txtAltura = t.altura;
        txtLargura = t.largura;
        txtArmazem.codigo = t.armazemEntrada;
        if (!txtArmazem.codigo.isEmpty())
            pesquisaTabelas(m_ctx, m_ui).Armazens(txtArmazem, false);
        m_linhas = t.linhas;
    }
    txtProduto.activo = produtoEditavel();
    mostrarLinhas();
    return true;
}

bool MedicoesTemplateIns::txtProduto_Saiu() {
    return campoSaiu(txtProduto, [&] { return pesquisaTabelas(m_ctx, m_ui).Produtos(txtProduto, false); });
}
bool MedicoesTemplateIns::txtProduto_Pesquisar() { return pesquisaTabelas(m_ctx, m_ui).Produtos(txtProduto, true); }
bool MedicoesTemplateIns::txtArmazem_Saiu() {
    return campoSaiu(txtArmazem, [&] { return pesquisaTabelas(m_ctx, m_ui).Armazens(txtArmazem, false); });
}
bool MedicoesTemplateIns::txtArmazem_Pesquisar() { return pesquisaTabelas(m_ctx, m_ui).Armazens(txtArmazem, true); }

void MedicoesTemplateIns::mostrarLinhas() {
    const int antes = lvwLista.linhaSeleccionada();
    lvwLista.limparLinhas();
    for (size_t i = 0; i < m_linhas.size(); ++i) {
        const LinhaMedicao& m = m_linhas[i];
        const int l = lvwLista.lvw_AddLinha();
        lvwLista.setTag(l, qlonglong(i));
        lvwLista.lvw_PutValue(l, QStringLiteral("Produto"), m.produto);
        lvwLista.lvw_PutValue(l, QStringLiteral("Descricao"), m.descricao);
        lvwLista.lvw_PutValue(l, QStringLiteral("VALORQQuantidade"), m.quantidade);
        lvwLista.lvw_PutValue(l, QStringLiteral("TipoMedida"), DescricaoTipoMedida(m.tipoMedida));
        lvwLista.lvw_PutValue(l, QStringLiteral("VALORQMedida"), m.medida);
        lvwLista.lvw_PutValue(l, QStringLiteral("Armazem"), m.armazemSaida);
    }
    if (antes >= 0 && antes < lvwLista.numLinhas())
        lvwLista.lvw_SelectLinha(antes);
}

void MedicoesTemplateIns::adicionarLinha(const LinhaMedicao& l) {
    m_linhas.push_back(l);
    mostrarLinhas();
    lvwLista.lvw_SelectLinha(lvwLista.numLinhas() - 1);
}

bool MedicoesTemplateIns::alterarLinha(int indice, const LinhaMedicao& l) {
    if (indice < 0 || indice >= int(m_linhas.size()))
        return false;
    m_linhas[size_t(indice)] = l;
    mostrarLinhas();
    return true;
}

bool MedicoesTemplateIns::eliminarLinha() {
    const int l = lvwLista.linhaSeleccionada();
    if (l < 0)
        return false;
    const int indice = int(lvwLista.tag(l).toLongLong());
    if (indice < 0 || indice >= int(m_linhas.size()))
        return false;
    if (!confirma(m_ui, QStringLiteral("Confirma a Eliminação?"), Titulo()))
        return false;
    m_linhas.erase(m_linhas.begin() + indice);
    mostrarLinhas();
    return true;
}

bool MedicoesTemplateIns::gravar() {
    m_foco = Foco::Nenhum;
    TemplateMedicoes t;
    t.produtoAcabado = produtoEditavel() ? txtProduto.codigo.trimmed() : m_produtoOriginal;
    t.altura = txtAltura;
    t.largura = txtLargura;
    t.armazemEntrada = txtArmazem.codigo.trimmed();
    t.linhas = m_linhas;
    const bool novo = m_modo == u'N';
    if (const auto r = GravarTemplateMedicoes(m_ctx, t, novo); !r) {
        const QString campo = r.campo();
        m_foco = campo == QStringLiteral("txtAltura")    ? Foco::Altura
                 : campo == QStringLiteral("txtLargura") ? Foco::Largura
                 : campo == QStringLiteral("txtArmazem") ? Foco::Armazem
                 : campo == QStringLiteral("lvwLista")   ? Foco::Lista
                                                         : Foco::Produto;
        const bool critico = r.mensagem() == QStringLiteral("Produto já foi Configurado!");
        m_ui.mensagem(r.mensagem(), critico ? Icone::Critico : Icone::Exclamacao, Titulo());
        return false;
    }
    m_modo = u'A';
    m_produtoOriginal = t.produtoAcabado;
    txtProduto.activo = false;
    return true;
}

// ---------------------------------------------------------------- calculation and posting

const QString MedicoesCalculosMedidas::LayoutLista = QStringLiteral(
    "Produto,1550,,,Produto/Descrição,2250,,,Descricao/Quantidade,1000,D,VALOR_Q,Quantidade/"
    "Tp Medida,950,C,,TipoMedida/Med.Base,1200,D,VALOR_Q,MedidaBase/Nova Medida,1200,D,VALOR_Q,NovaMedida/"
    "Controlo,0,,,Controlo/Armazém,600,,,Armazem/");

MedicoesCalculosMedidas::MedicoesCalculosMedidas(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    lvwLista.Cria_lvwLISTA(LayoutLista);
    lvwLista.setCasasDecimais(TipoDadoColuna::ValorQ, 4);
}

QString MedicoesCalculosMedidas::Titulo() { return QStringLiteral("Cálculos para Produção do Produto Acabado"); }

bool MedicoesCalculosMedidas::Carregar_Registo(const QString& produto) {
    const auto lido = LerTemplateMedicoes(m_ctx.bd(), produto);
    if (!lido || !*lido) {
        m_ui.mensagem(!lido ? lido.mensagem() : QStringLiteral("Nomenclatura Inexistente: %1").arg(produto),
                      Icone::Exclamacao, Titulo());
        return false;
    }
    m_template = **lido;
    m_calculo.reset();
    m_resultado.reset();
    lvwLista.limparLinhas();
    txtAltura = m_template.altura;
    txtLargura = m_template.largura;
    txtQuantidade = Currency(1);
    txtArmazem.codigo = m_template.armazemEntrada;
    txtArmazem.descricao.clear();
    if (!txtArmazem.codigo.isEmpty())
        pesquisaTabelas(m_ctx, m_ui).Armazens(txtArmazem, false);
    return true;
}

bool MedicoesCalculosMedidas::txtArmazem_Saiu() {
    return campoSaiu(txtArmazem, [&] { return pesquisaTabelas(m_ctx, m_ui).Armazens(txtArmazem, false); });
}
bool MedicoesCalculosMedidas::txtArmazem_Pesquisar() {
    return pesquisaTabelas(m_ctx, m_ui).Armazens(txtArmazem, true);
}

bool MedicoesCalculosMedidas::cmdCalcular_Click() {
    m_foco = Foco::Nenhum;
    m_calculo.reset();
    lvwLista.limparLinhas();
    auto c = CalculaMedicoes(m_template, txtAltura, txtLargura, txtQuantidade);
    if (!c) {
        const QString campo = c.campo();
        m_foco = campo == QStringLiteral("txtAltura")      ? Foco::Altura
                 : campo == QStringLiteral("txtLargura")   ? Foco::Largura
                 : campo == QStringLiteral("txtQuantidade") ? Foco::Quantidade
                                                           : Foco::Nenhum;
        m_ui.mensagem(c.mensagem(), Icone::Exclamacao, Titulo());
        return false;
    }
    c->armazemEntrada = txtArmazem.codigo.trimmed();
    m_calculo = *c;
    for (const LinhaCalculoMedicoes& x : m_calculo->linhas) {
        const int l = lvwLista.lvw_AddLinha();
        lvwLista.lvw_PutValue(l, QStringLiteral("Produto"), x.produto);
        lvwLista.lvw_PutValue(l, QStringLiteral("Descricao"), x.descricao);
        lvwLista.lvw_PutValue(l, QStringLiteral("VALORQQuantidade"), x.quantidade);
        lvwLista.lvw_PutValue(l, QStringLiteral("TipoMedida"), DescricaoTipoMedida(x.tipoMedida));
        lvwLista.lvw_PutValue(l, QStringLiteral("VALORQMedidaBase"), x.medidaBase);
        lvwLista.lvw_PutValue(l, QStringLiteral("VALORQNovaMedida"), x.novaMedida);
        lvwLista.lvw_PutValue(l, QStringLiteral("Controlo"), x.controlo());
        lvwLista.lvw_PutValue(l, QStringLiteral("Armazem"), x.armazem);
    }
    return true;
}

bool MedicoesCalculosMedidas::cmdImprimir_Click() {
    if (!cmdCalcular_Click())
        return false;
    if (m_calculo->linhas.empty()) {
        m_ui.mensagem(QStringLiteral("Não existem registos para esta Tabela!"), Icone::Exclamacao, Titulo());
        return false;
    }
    if (abrirImpressao)
        abrirImpressao(*m_calculo);
    return true;
}

bool MedicoesCalculosMedidas::escolherLotes(CalculoMedicoes& c) {
    if (!m_ctx.Lotes)
        return true;
    Database& db = m_ctx.bd();
    for (LinhaCalculoMedicoes& l : c.linhas) {
        if (db.scalar(QStringLiteral("SELECT Lote FROM Produtos WHERE Codigo=?"), {l.produto}).toInt() != 1)
            continue;
        ExistProArmLote e(m_ctx, m_ui);
        e.txtCodigo = l.produto;
        e.txtArmazem = l.armazem;
        e.txtAfectaSTK = QStringLiteral("S+");
        e.txtSomaQTY = l.quantidadeSaida;
        e.VerLote(l.lote, l.dataFabrico, l.dataValidade);
        if (escolherLote)
            escolherLote(e);
        if (e.txtLote.trimmed().isEmpty())
            return false;
        l.lote = e.txtLote.trimmed();
        l.localizacao = e.txtLocalizacao.trimmed();
        l.dataFabrico = e.txtDataFabrico;
        l.dataValidade = e.txtDataValidade;
    }
    return true;
}

bool MedicoesCalculosMedidas::cmdIntegrar_Click() {
    // Posted figures always follow the values on screen.
    if (!cmdCalcular_Click())
        return false;
    CalculoMedicoes c = *m_calculo;
    for (const LinhaCalculoMedicoes& l : c.linhas)
        if (l.armazem.trimmed().isEmpty()) {
            m_foco = Foco::Lista;
            m_ui.mensagem(QStringLiteral("Não definiu o Armazém de Saida de M. Prima"), Icone::Exclamacao, Titulo());
            return false;
        }
    if (c.armazemEntrada.isEmpty()) {
        m_foco = Foco::Armazem;
        m_ui.mensagem(QStringLiteral("Não definiu o Armazém para entrada do Produto Acabado!"), Icone::Exclamacao,
                      Titulo());
        return false;
    }
    if (!confirma(m_ui, QStringLiteral("Confirma a Integração nos Stocks?"), Titulo()))
        return false;
    if (!escolherLotes(c))
        return false;
    const auto r = LancaMedicoes(m_ctx, c);
    if (!r) {
        m_ui.mensagem(r.mensagem(), Icone::Exclamacao, Titulo());
        return false;
    }
    m_resultado = *r;
    m_ui.mensagem(QStringLiteral("Processamento Efectuado\nFoi Gerado o Lote Número -> ") + r->lote, Icone::Informacao,
                  Titulo());
    if (r->actualizaPreco && actualizarPrecosVenda)
        actualizarPrecosVenda(c.produto, r->precario);
    if (confirma(m_ui, QStringLiteral("Deseja Imprimir a Folha de Produção?"), Titulo()) && imprimirFolha)
        imprimirFolha(r->lote);
    return true;
}

// ---------------------------------------------------------------- calculation prints

MedicoesCalculosMedidasIMP::MedicoesCalculosMedidasIMP(GlobalContext& ctx, UserInteraction& ui, CalculoMedicoes calculo)
    : m_ctx(ctx), m_ui(ui), m_calculo(std::move(calculo)) {}

QString MedicoesCalculosMedidasIMP::Titulo() { return QStringLiteral("Cálculos para Produção (Medições)"); }

std::optional<QString> MedicoesCalculosMedidasIMP::destino() {
    if (m_calculo.linhas.empty()) {
        m_ui.mensagem(QStringLiteral("Não existem registos para esta Tabela!"), Icone::Exclamacao, Titulo());
        return std::nullopt;
    }
    return PerguntaTipoListagem(m_ui);
}

bool MedicoesCalculosMedidasIMP::cmdImprimir_Click() {
    const auto d = destino();
    return d && imprimirQuantidades && imprimirQuantidades(m_calculo, *d);
}

bool MedicoesCalculosMedidasIMP::cmdImprimirValores_Click() {
    const auto d = destino();
    if (!d)
        return false;
    const auto v = ValoresVendaMedicoes(m_ctx.bd(), m_calculo);
    if (!v) {
        m_ui.mensagem(v.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    return imprimirValores && imprimirValores(m_calculo, *v, *d);
}

// ---------------------------------------------------------------- lot sheet

ImpFolhaLoteMedicoes::ImpFolhaLoteMedicoes(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}

QString ImpFolhaLoteMedicoes::Titulo() { return QStringLiteral("Folha de Produção de Lote (Medições)"); }

QString ImpFolhaLoteMedicoes::FiltroLotes() {
    return QStringLiteral("Lotes.Fechado=1 AND (Lotes.MedicoesAltura<>0 OR Lotes.MedicoesLargura<>0)");
}

bool ImpFolhaLoteMedicoes::txtLote_Pesquisar() {
    FiltroSQL f;
    f.e(FiltroLotes());
    if (!pesquisaTabelas(m_ctx, m_ui).Lotes_Producao(txtLote, true, f))
        return false;
    return txtLote_LostFocus();
}

bool ImpFolhaLoteMedicoes::txtLote_LostFocus() {
    m_folha.reset();
    const QString lote = txtLote.codigo.trimmed();
    if (lote.isEmpty()) {
        txtLote.descricao.clear();
        return false;
    }
    auto lida = LerFolhaLoteMedicoes(m_ctx.bd(), lote);
    if (!lida) {
        txtLote.descricao.clear();
        txtLote.focar = true;
        m_ui.mensagem(lida.mensagem(), Icone::Exclamacao, Titulo());
        return false;
    }
    m_folha = std::move(lida).valor();
    txtLote.codigo = m_folha->lote;
    txtLote.descricao = m_folha->produto;
    return true;
}

bool ImpFolhaLoteMedicoes::cmdImprimir_Click() {
    if (!m_folha && !txtLote_LostFocus())
        return false;
    if (m_folha->linhas.empty()) {
        m_ui.mensagem(QStringLiteral("Não existem registos para esta Tabela!"), Icone::Exclamacao, Titulo());
        return false;
    }
    const auto destino = PerguntaTipoListagem(m_ui);
    if (!destino)
        return false;
    return imprimir && imprimir(*m_folha, *destino);
}

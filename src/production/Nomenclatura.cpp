#include "stock/VerificacoesStock.h"
#include "production/Nomenclatura.h"

#include "common/AlertaOpcoes.h"
#include "common/UserInteraction.h"
#include "lookups/PesquisaTabelas.h"
#include "production/ConfigProd.h"
#include "stock/CustoMedio.h"
#include "production/FormatoQuantidade.h"
#include "production/NomenclaturaDados.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "company/ParametrosEmpresa.h"

#include <QSqlQuery>

using Icone = UserInteraction::Icone;

const QString Nomenclatura::LayoutLista =
    QStringLiteral("NºReg.,0/Produto,1800/Descrição,7000/Tipo Nomec.,1200,C/");
const QString Nomenclatura::LayoutLinhas =
    QStringLiteral("  NºReg.,0/Produto,1600/Descrição,3000/Quantidade,1200,D/Preço,1200,D/Arm.,800,C/"
                   "Observações,5000/Factor,1500,D/Fórmula,1000,C/");

Nomenclatura::Nomenclatura(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    lvwLista.setUserInteraction(&ui);
    lvwListaNomec.setUserInteraction(&ui);
    lvwLista.Cria_lvwLISTA(LayoutLista);
    lvwListaNomec.Cria_lvwLISTA(LayoutLinhas);
}

QString Nomenclatura::Titulo() { return QStringLiteral("Nomenclatura de Produtos"); }

Database& Nomenclatura::bd() const { return m_ctx.bd(); }

void Nomenclatura::abrir() {
    const auto config = LerConfigProd(bd()).valorOu(std::nullopt);
    if (!config)
        m_ui.mensagem(QStringLiteral("Não tem as configurações da produção bem definidas!"), Icone::Critico);
    else {
        m_precarioPadrao = config->Precario;
        m_ctx.casasdecProducao = config->CasasDec;
    }
    m_pagina = 1;
    Carregar();
}

// ---------------------------------------------------------------- page 1

void Nomenclatura::Carregar(const QString& produtoAcabado) {
    lvwLista.limparLinhas();
    QStringList condicoes;
    QVariantList valores;
    if (!produtoAcabado.trimmed().isEmpty()) {
        condicoes << QStringLiteral("ProdutoAcabado=?");
        valores << produtoAcabado.trimmed();
    }
    if (!txtPesqCodigo.trimmed().isEmpty()) {
        condicoes << QStringLiteral("ProdutoAcabado=?");
        valores << txtPesqCodigo.trimmed();
    }
    if (!txtPesqDescricao.trimmed().isEmpty()) {
        condicoes << bd().dialect().like(QStringLiteral("DescProdutoAcabado"));
        valores << QStringLiteral("%") + txtPesqDescricao.trimmed() + QStringLiteral("%");
    }
    const QString onde = condicoes.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condicoes.join(QStringLiteral(" AND "));
    QString anterior;
    bool primeira = true;
    bd().percorrer(QStringLiteral("SELECT NumRegisto, ProdutoAcabado, DescProdutoAcabado, Fixa FROM Nomenclatura") + onde +
                       QStringLiteral(" ORDER BY ProdutoAcabado, NumRegisto"),
                   valores, [&](const QSqlQuery& q) {
                       const QString pa = q.value(1).toString();
                       if (!primeira && pa == anterior)
                           return;
                       primeira = false;
                       anterior = pa;
                       const int l = lvwLista.lvw_AddLinha();
                       lvwLista.setId(l, q.value(0).toLongLong());
                       lvwLista.setTexto(l, 0, q.value(0).toString());
                       lvwLista.setTexto(l, 1, pa);
                       lvwLista.setTexto(l, 2, q.value(2).toString());
                       lvwLista.setTexto(l, 3, q.value(3).toInt() == 1 ? QStringLiteral("Fixa") : QStringLiteral("Não Fixa"));
                   });
    if (lvwLista.numLinhas() > 0)
        clicarLista(0);
}

void Nomenclatura::clicarLista(int linha) {
    if (linha < 0 || linha >= lvwLista.numLinhas())
        return;
    lvwLista.lvw_SelectLinha(linha);
    m_captionFixa = lvwLista.texto(linha, 3) == QStringLiteral("Fixa") ? QStringLiteral("Não Fixa") : QStringLiteral("Fixa");
}

bool Nomenclatura::alternarFixa() {
    const int l = lvwLista.linhaSeleccionada();
    if (l < 0)
        return false;
    const bool fixa = m_captionFixa == QStringLiteral("Fixa");
    if (!DefinirFixa(bd(), lvwLista.texto(l, 1), fixa)) {
        m_ui.mensagem(bd().lastError(), Icone::Critico);
        return false;
    }
    lvwLista.setTexto(l, 3, fixa ? QStringLiteral("Fixa") : QStringLiteral("Não Fixa"));
    m_captionFixa = fixa ? QStringLiteral("Não Fixa") : QStringLiteral("Fixa");
    return true;
}

bool Nomenclatura::confirmarEliminacao() {
    AlertaOpcoes alerta(QStringLiteral("Confirma a Eliminação ?"), {QStringLiteral("Não"), QStringLiteral("Sim")});
    return m_ui.alerta(alerta.titulo(), alerta.respostas()) == 2;
}

bool Nomenclatura::eliminar() {
    const int l = lvwLista.linhaSeleccionada();
    if (l < 0)
        return false;
    if (!confirmarEliminacao())
        return false;
    const QString pa = lvwLista.texto(l, 1);
    if (NomenclaturaEmObras(bd(), pa)) {
        m_ui.mensagem(QStringLiteral("Este produto está inserido em obras!"), Icone::Exclamacao);
        return false;
    }
    if (!EliminarNomenclatura(m_ctx, pa, lvwLista.texto(l, 2))) {
        m_ui.mensagem(bd().lastError(), Icone::Critico);
        return false;
    }
    Carregar();
    return true;
}

// ---------------------------------------------------------------- page 2: header

void Nomenclatura::adicionar() {
    m_pagina = 2;
    m_novaNomenclatura = true;
    m_cabecalhoActivo = true;
    txtProdutoAcabado.limpar();
    txtPrecoProdutoAcabado = Currency();
    chkFixa = chkCtrlQuantidades = false;
    m_painelAberto = false;
    lvwListaNomec.limparLinhas();
}

bool Nomenclatura::alterar() {
    const int l = lvwLista.linhaSeleccionada();
    if (l < 0)
        return false;
    m_pagina = 2;
    m_novaNomenclatura = false;
    m_cabecalhoActivo = false;
    m_painelAberto = false;
    txtProdutoAcabado.codigo = lvwLista.texto(l, 1);
    const QVariant d = bd().scalar(QStringLiteral("SELECT Descricao FROM Produtos WHERE Codigo=? ORDER BY NumRegisto"),
                                   {txtProdutoAcabado.codigo});
    // A product removed from the file keeps the description its bill was saved with.
    txtProdutoAcabado.descricao = d.isValid() ? d.toString() : lvwLista.texto(l, 2);
    CarregarListaNomenc(txtProdutoAcabado.codigo);
    return true;
}

bool Nomenclatura::produtoAcabadoSaiu() {
    if (txtProdutoAcabado.codigo.trimmed().isEmpty())
        return false;
    PesquisaTabelas pesquisa(m_ctx, m_ui);
    if (!pesquisa.Produtos(txtProdutoAcabado, false))
        return false;
    if (m_novaNomenclatura && ExisteNomenclatura(bd(), txtProdutoAcabado.codigo)) {
        m_ui.mensagem(QStringLiteral("Produto Acabado já Existente!"), Icone::Critico);
        txtProdutoAcabado.limpar();
        txtProdutoAcabado.focar = true;
        return false;
    }
    return true;
}

void Nomenclatura::definirFixa(bool fixa) {
    chkFixa = fixa;
    if (!txtProdutoAcabado.codigo.trimmed().isEmpty())
        DefinirFixa(bd(), txtProdutoAcabado.codigo, fixa);
}

void Nomenclatura::definirCtrlQuantidades(bool controlo) {
    chkCtrlQuantidades = controlo;
    if (!txtProdutoAcabado.codigo.trimmed().isEmpty())
        DefinirCtrlQuantidades(bd(), txtProdutoAcabado.codigo, controlo);
}

void Nomenclatura::CarregarListaNomenc(const QString& produtoAcabado) {
    lvwListaNomec.limparLinhas();
    const std::vector<LinhaNomenclatura> linhas = LerNomenclatura(bd(), produtoAcabado).valorOu({});
    const int casas = m_ctx.casasdecProducao;
    for (const LinhaNomenclatura& n : linhas) {
        const int l = lvwListaNomec.lvw_AddLinha();
        lvwListaNomec.setId(l, n.numRegisto);
        lvwListaNomec.setTexto(l, 0, QString::number(n.numRegisto));
        lvwListaNomec.setTexto(l, 1, n.produtoPrima);
        lvwListaNomec.setTexto(l, 2, n.descProdutoPrima);
        lvwListaNomec.setTexto(l, 3, formatarNumeroPT(n.quantidade, casas));
        lvwListaNomec.setTexto(l, 4, formatarNumeroPT(n.preco, m_ctx.casadecpreco));
        lvwListaNomec.setTexto(l, 5, n.armazem);
        lvwListaNomec.setTexto(l, 6, n.observa);
        lvwListaNomec.setTexto(l, 7, formatarNumeroPT(n.factor, casas));
        lvwListaNomec.setTexto(l, 8, n.factorFormula);
    }
    if (!linhas.empty()) {
        chkFixa = linhas.front().fixa;
        chkCtrlQuantidades = linhas.front().ctrlQuantidades;
        txtPrecoProdutoAcabado = linhas.front().produtoAcabadoPreco;
        lvwListaNomec.lvw_SelectLinha(0);
    } else {
        txtPrecoProdutoAcabado = Currency();
    }
}

bool Nomenclatura::precoProdutoAcabado() {
    if (!exigirProdutoAcabado())
        return false;
    const auto resposta = m_ui.pedirTexto(QStringLiteral("Preço:"), QStringLiteral("Definição do Preço do Produto Acabado"),
                                          formatarNumeroPT(txtPrecoProdutoAcabado, 4));
    if (!resposta || *resposta == QStringLiteral("*VAZIO*"))
        return false;
    const auto preco = Currency::parse(QString(*resposta).remove(u'.').trimmed());
    if (!preco || preco->isNegative()) {
        m_ui.mensagem(QStringLiteral("Preço inválido!"), Icone::Exclamacao);
        return false;
    }
    if (!DefinirPrecoProdutoAcabado(bd(), txtProdutoAcabado.codigo, *preco)) {
        m_ui.mensagem(bd().lastError(), Icone::Critico);
        return false;
    }
    txtPrecoProdutoAcabado = *preco;
    return true;
}

bool Nomenclatura::importar(const QString& origem) {
    if (!exigirProdutoAcabado())
        return false;
    if (ExisteNomenclatura(bd(), txtProdutoAcabado.codigo)) {
        m_ui.mensagem(QStringLiteral("Não pode importar produtos de outras nomenclaturas porque já existem registos para "
                                     "este Produto Acabado."),
                      Icone::Informacao);
        return false;
    }
    QString fonte = origem.trimmed();
    if (fonte.isEmpty()) {
        CampoTabela campo;
        PesquisaTabelas pesquisa(m_ctx, m_ui);
        if (!pesquisa.Nomenclatura_Prod(campo, true))
            return false;
        fonte = campo.codigo.trimmed();
    }
    if (fonte.isEmpty())
        return false;
    const int n = ImportarNomenclatura(m_ctx, txtProdutoAcabado.codigo, txtProdutoAcabado.descricao, fonte);
    if (n < 0) {
        m_ui.mensagem(bd().lastError(), Icone::Critico);
        return false;
    }
    CarregarListaNomenc(txtProdutoAcabado.codigo);
    return n > 0;
}

bool Nomenclatura::eliminarProduto() {
    if (lvwListaNomec.numLinhas() == 0) {
        adicionarProduto();
        return false;
    }
    const int l = lvwListaNomec.linhaSeleccionada();
    if (l < 0 || !confirmarEliminacao())
        return false;
    if (!EliminarLinhaNomenclatura(m_ctx, lvwListaNomec.id(l))) {
        m_ui.mensagem(bd().lastError(), Icone::Critico);
        return false;
    }
    CarregarListaNomenc(txtProdutoAcabado.codigo);
    return true;
}

void Nomenclatura::fimNomenclatura() {
    m_pagina = 1;
    m_painelAberto = false;
    m_cabecalhoActivo = false;
    Carregar();
}

// ---------------------------------------------------------------- page 2: line panel

bool Nomenclatura::exigirProdutoAcabado() {
    if (!txtProdutoAcabado.codigo.trimmed().isEmpty())
        return true;
    m_ui.mensagem(QStringLiteral("Não tem Produto Acabado Definido!"), Icone::Critico);
    m_foco = Foco::ProdutoAcabado;
    return false;
}

void Nomenclatura::limparPainel() {
    txtQuantidade = txtPreco = txtFactor = Currency();
    txtObserva.clear();
    formula = QStringLiteral("A");
}

bool Nomenclatura::adicionarProduto() {
    if (!exigirProdutoAcabado())
        return false;
    m_painelAberto = true;
    m_modo = u'N';
    m_linhaEditada = 0;
    txtProdutoPrima.limpar();
    txtDescProdutoPrima.clear();
    txtArmazem.limpar();
    txtArmazem.codigo = m_ctx.armazem;
    limparPainel();
    cubicagem = Currency();
    precario = m_precarioPadrao;
    m_descricaoBloqueada = false;
    m_precoActivo = false;
    m_opcoesPreco = true;
    m_foco = Foco::ProdutoPrima;
    return true;
}

bool Nomenclatura::alterarProduto() {
    if (!exigirProdutoAcabado())
        return false;
    const int l = lvwListaNomec.linhaSeleccionada();
    if (l < 0)
        return false;
    const LinhaNomenclatura n = LerLinhaNomenclatura(bd(), lvwListaNomec.id(l)).valorOu({});
    if (n.numRegisto == 0)
        return false;
    m_painelAberto = true;
    m_modo = u'A';
    m_linhaEditada = n.numRegisto;
    txtProdutoPrima.codigo = n.produtoPrima;
    txtDescProdutoPrima = n.descProdutoPrima;
    txtArmazem.limpar();
    txtArmazem.codigo = n.armazem;
    txtQuantidade = n.quantidade;
    txtPreco = n.preco;
    txtObserva = n.observa;
    txtFactor = n.factor;
    formula = n.factorFormula;
    precario = n.precario.isEmpty() ? m_precarioPadrao : n.precario;
    produtoPrimaSaiu();
    // A miscellaneous line shows the price it was saved with.
    if (ProdutoDiverso(m_ctx, n.produtoPrima))
        txtPreco = n.preco;
    m_foco = Foco::Quantidade;
    return true;
}

bool Nomenclatura::produtoPrimaSaiu() {
    if (txtProdutoPrima.codigo.trimmed().isEmpty())
        return false;
    PesquisaTabelas pesquisa(m_ctx, m_ui);
    if (!pesquisa.Produtos(txtProdutoPrima, false))
        return false;
    auto p = bd().primeiraLinha(QStringLiteral("SELECT Codigo, Descricao, cubicagem FROM Produtos WHERE Codigo=? "
                                               "ORDER BY NumRegisto"),
                                {txtProdutoPrima.codigo.trimmed()});
    if (!p)
        return false;
    txtProdutoPrima.codigo = p->at(0).toString();
    cubicagem = Currency::fromVariant(p->at(2));
    if (m_modo != u'A')
        txtDescProdutoPrima = p->at(1).toString();
    auto outros = bd().primeiraLinha(QStringLiteral("SELECT OC50001_NaoAltDescricaoProduto, "
                                                    "OC50001_NaoAltDescricaoProdutoDIV FROM paramgeral_OutrosDados "
                                                    "ORDER BY NumRegisto"));
    if (ProdutoDiverso(m_ctx, txtProdutoPrima.codigo)) {
        m_descricaoBloqueada = outros && outros->at(1).toInt() == 1;
        if (m_modo == u'N') {
            m_precoActivo = true;
            m_opcoesPreco = false;
        }
    } else {
        m_descricaoBloqueada = outros && outros->at(0).toInt() == 1;
        m_precoActivo = false;
        m_opcoesPreco = true;
        lerPrecosProduto();
    }
    return true;
}

void Nomenclatura::lerPrecosProduto() {
    const QString produto = txtProdutoPrima.codigo.trimmed();
    auto p = bd().primeiraLinha(QStringLiteral("SELECT UltPrecoCusto, UltPrecoCompra, PrecoMedioCusto FROM Produtos "
                                               "WHERE Codigo=? ORDER BY NumRegisto"),
                                {produto});
    m_upCusto = p ? Currency::fromVariant(p->at(0)) : Currency();
    m_upCompra = p ? Currency::fromVariant(p->at(1)) : Currency();
    m_pmc = p ? Currency::fromVariant(p->at(2)) : Currency();
    if (ParametrosEmpresa::ler(bd()).valorOu({}).pmcPorArmazem) {
        const PrecosArmazem a = PrecosArmazemUltimaEntrada(bd(), produto, txtArmazem.codigo.trimmed(),
                                                           QStringLiteral("9999-12-31"));
        m_upCusto = a.upCusto;
        m_upCompra = a.upCompra;
        m_pmc = a.pmCusto;
    }
    escolherPrecario(precario);
}

void Nomenclatura::armazemSaiu() {
    if (!txtArmazem.codigo.trimmed().isEmpty()) {
        PesquisaTabelas pesquisa(m_ctx, m_ui);
        pesquisa.Armazens(txtArmazem, false);
    }
    if (!txtProdutoPrima.codigo.trimmed().isEmpty() && !ProdutoDiverso(m_ctx, txtProdutoPrima.codigo))
        lerPrecosProduto();
}

void Nomenclatura::escolherPrecario(const QString& p) {
    precario = p;
    if (m_precoActivo)
        return;
    if (p == PrecarioUPCusto)
        txtPreco = m_upCusto;
    else if (p == PrecarioUPCompra)
        txtPreco = m_upCompra;
    else
        txtPreco = m_pmc;
}

bool Nomenclatura::pesquisarEquivalente() {
    if (txtProdutoPrima.codigo.trimmed().isEmpty())
        return false;
    PesquisaTabelas pesquisa(m_ctx, m_ui);
    const auto escolhido = pesquisa.escolherEquivalente(txtProdutoPrima.codigo.trimmed());
    if (!escolhido)
        return false;
    txtProdutoPrima.codigo = *escolhido;
    return produtoPrimaSaiu();
}

bool Nomenclatura::gravarLinha() {
    m_foco = Foco::Nenhum;
    if (!exigirProdutoAcabado())
        return false;
    if (txtProdutoPrima.codigo.trimmed().isEmpty()) {
        m_ui.mensagem(QStringLiteral("Não definiu o produto!"), Icone::Exclamacao);
        m_foco = Foco::ProdutoPrima;
        return false;
    }
    if (txtArmazem.codigo.trimmed().isEmpty()) {
        m_ui.mensagem(QStringLiteral("Não definiu o armazém!"), Icone::Exclamacao);
        m_foco = Foco::Armazem;
        return false;
    }
    // A code that is not in the product file would make a bill no order can post.
    if (!bd().primeiraLinha(QStringLiteral("SELECT Codigo FROM Produtos WHERE Codigo=?"), {txtProdutoPrima.codigo.trimmed()})) {
        m_ui.mensagem(QStringLiteral("Produto inexistente!"), Icone::Exclamacao);
        m_foco = Foco::ProdutoPrima;
        return false;
    }
    if (!bd().primeiraLinha(QStringLiteral("SELECT Codigo FROM Armazens WHERE Codigo=?"), {txtArmazem.codigo.trimmed()})) {
        m_ui.mensagem(QStringLiteral("Armazém inexistente!"), Icone::Exclamacao);
        m_foco = Foco::Armazem;
        return false;
    }
    if (txtQuantidade.isNegative()) {
        m_ui.mensagem(QStringLiteral("A quantidade não pode ser negativa!"), Icone::Exclamacao);
        m_foco = Foco::Quantidade;
        return false;
    }
    QString unidade, direccao = QStringLiteral("C");
    if (!VerificacoesStock(m_ctx).ControlaUnidades(bd(), unidade, txtQuantidade, txtProdutoPrima.codigo.trimmed(), direccao, {}, true,
                                      &m_ui)) {
        m_foco = Foco::Quantidade;
        return false;
    }
    if (m_modo == u'N' && ProdutoDiverso(m_ctx, txtProdutoPrima.codigo))
        m_precoActivo = true;
    LinhaNomenclatura n;
    n.produtoAcabado = txtProdutoAcabado.codigo.trimmed();
    n.descProdutoAcabado = txtProdutoAcabado.descricao;
    n.produtoPrima = txtProdutoPrima.codigo.trimmed();
    n.descProdutoPrima = txtDescProdutoPrima;
    n.quantidade = txtQuantidade;
    n.produtoAcabadoPreco = txtPrecoProdutoAcabado;
    n.preco = txtPreco;
    n.armazem = txtArmazem.codigo.trimmed();
    n.observa = txtObserva;
    n.fixa = chkFixa;
    n.ctrlQuantidades = chkCtrlQuantidades;
    n.precario = precario.isEmpty() ? m_precarioPadrao : precario;
    n.factor = txtFactor;
    n.factorFormula = formula == QStringLiteral("B") ? formula : QStringLiteral("A");
    // In mode alter the line keeps its raw material; a changed code would leave the old row behind.
    if (m_modo == u'A' && m_linhaEditada) {
        const LinhaNomenclatura antiga = LerLinhaNomenclatura(bd(), m_linhaEditada).valorOu({});
        if (antiga.numRegisto && antiga.produtoPrima != n.produtoPrima) {
            Transaction t(bd());
            if (!t.ok() || !bd().exec(QStringLiteral("DELETE FROM Nomenclatura WHERE NumRegisto=?"), {m_linhaEditada}) ||
                GravarLinhaNomenclatura(m_ctx, n) <= 0 || !t.commit()) {
                m_ui.mensagem(bd().lastError(), Icone::Critico);
                return false;
            }
            m_linhaEditada = 0;
            CarregarListaNomenc(n.produtoAcabado);
            m_painelAberto = false;
            return true;
        }
    }
    if (GravarLinhaNomenclatura(m_ctx, n) <= 0) {
        m_ui.mensagem(bd().lastError().isEmpty() ? QStringLiteral("Não foi possível gravar a linha.") : bd().lastError(),
                      Icone::Critico);
        return false;
    }
    m_novaNomenclatura = false;
    m_cabecalhoActivo = false;
    CarregarListaNomenc(n.produtoAcabado);
    if (m_modo == u'A') {
        m_painelAberto = false;
        return true;
    }
    limparPainel();
    txtPreco = Currency();
    m_foco = Foco::ProdutoPrima;
    return true;
}

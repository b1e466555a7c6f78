#include "printing/DefinicaoEtiquetas.h"

#include "company/GlobalContext.h"
#include "db/Database.h"
#include "printing/EtiquetasImpressao.h"
#include "printing/cPrinter.h"

#include <QDate>
#include <QSqlQuery>
#include <algorithm>

using Icone = UserInteraction::Icone;

namespace {

const QString Produtos = QStringLiteral("P");
// A sample never needs more than a sheet, and a mistyped grid must not draw thousands of labels.
constexpr int MaxAmostra = 200;
constexpr int ProdutosAmostra = 3;

const QStringList BotoesNaoSim{QStringLiteral("&Não"), QStringLiteral("&Sim")};

} // namespace

const QString DefinicaoEtiquetas::LayoutLista = QStringLiteral("Código,1500,,,Codigo/Descrição,4200,,,Descricao/");

DefinicaoEtiquetas::DefinicaoEtiquetas(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    lvwLista.setUserInteraction(&ui);
    lvwLista.Cria_lvwLISTA(LayoutLista);
    novo();
}

QString DefinicaoEtiquetas::Titulo() { return QStringLiteral("Definição de Etiquetas"); }

const std::vector<std::pair<int, QString>>& DefinicaoEtiquetas::Papeis() {
    static const std::vector<std::pair<int, QString>> p{{0, QStringLiteral("Definido (Largura × Altura)")},
                                                        {9, QStringLiteral("A4")},
                                                        {8, QStringLiteral("A3")},
                                                        {11, QStringLiteral("A5")},
                                                        {1, QStringLiteral("Carta")}};
    return p;
}

bool DefinicaoEtiquetas::Carregar() {
    struct Linha {
        QString codigo, descricao;
    };
    std::vector<Linha> lidas;
    const bool ok = m_ctx.bd().percorrer(
        QStringLiteral("SELECT Codigo, Descricao FROM etiquetas WHERE FicheiroBase=? ORDER BY Codigo"), {Produtos},
        [&](const QSqlQuery& q) { lidas.push_back({q.value(0).toString().trimmed(), q.value(1).toString().trimmed()}); });
    if (!ok) {
        m_ui.mensagem(m_ctx.bd().lastError(), Icone::Critico, Titulo());
        return false;
    }
    const QString antes = m_modo == u'A' ? registo.codigo : seleccionado();
    lvwLista.limparLinhas();
    for (const Linha& l : lidas) {
        const int n = lvwLista.lvw_AddLinha();
        lvwLista.setTag(n, l.codigo);
        lvwLista.lvw_PutValue(n, QStringLiteral("Codigo"), l.codigo);
        lvwLista.lvw_PutValue(n, QStringLiteral("Descricao"), l.descricao);
    }
    if (lvwLista.colunaOrdenada() >= 0)
        lvwLista.ordenar(lvwLista.colunaOrdenada(), lvwLista.ordemDescendente());
    if (!antes.isEmpty())
        lvwLista.lvw_SelectLinha(lvwLista.linhaComTag(antes));
    return true;
}

QString DefinicaoEtiquetas::seleccionado() const {
    const int l = lvwLista.linhaSeleccionada();
    return l < 0 ? QString() : lvwLista.tag(l).toString();
}

void DefinicaoEtiquetas::novo() {
    m_modo = u'N';
    m_foco = Foco::Nenhum;
    DefinicaoEtiqueta d;
    // An A4 sheet of 3 x 8 price labels: a start that already prints.
    d.numEtiqHoriz = 3;
    d.numEtiqVert = 8;
    d.larguraEtiq = 64;
    d.alturaEtiq = 34;
    d.distEntreEtiqHoriz = 2;
    d.margemX = 7;
    d.margemY = 13;
    d.margemXI = d.margemYI = 2;
    d.salto = 5;
    d.compCodBar = 40;
    d.altCodBar = 12;
    d.campos = QStringLiteral("1;Arial;9;0;0;;[Descricao];;0;0/\n2;Arial;10;1;0;;Preço: [PrecoVenda1] €;;0;0/\n"
                              "3;Arial;8;0;0;;[Código de Barras];;0;0/");
    registo = d;
}

bool DefinicaoEtiquetas::abrir(const QString& codigo) {
    const auto lida = LerDefinicaoEtiqueta(m_ctx.bd(), codigo);
    if (!lida) {
        m_ui.mensagem(lida.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    if (!*lida) {
        m_ui.mensagem(QStringLiteral("Etiqueta Inexistente"), Icone::Exclamacao, Titulo());
        return false;
    }
    registo = **lida;
    m_modo = u'A';
    m_foco = Foco::Nenhum;
    return true;
}

bool DefinicaoEtiquetas::gravar() {
    m_foco = Foco::Nenhum;
    registo.codigo = registo.codigo.trimmed();
    registo.descricao = registo.descricao.trimmed();
    registo.ficheiroBase = Produtos;
    // Saved without fields it could print nothing.
    if (!registo.codigo.isEmpty() && !registo.descricao.isEmpty()) {
        if (auto c = LerCamposEtiqueta(registo.campos); !c) {
            m_foco = Foco::Campos;
            m_ui.mensagem(c.mensagem(), Icone::Exclamacao, Titulo());
            return false;
        }
    }
    if (auto r = GravarDefinicaoEtiqueta(m_ctx.bd(), registo, m_modo == u'A'); !r) {
        const QString campo = r.campo();
        if (campo == QStringLiteral("Codigo"))
            m_foco = Foco::Codigo;
        else if (campo == QStringLiteral("Descricao"))
            m_foco = Foco::Descricao;
        else if (campo == QStringLiteral("ArredondaPreco"))
            m_foco = Foco::ArredondaPreco;
        else if (!ValidaGrelhaEtiqueta(registo))
            m_foco = Foco::Grelha;
        m_ui.mensagem(r.mensagem(), Icone::Exclamacao, Titulo());
        return false;
    }
    m_modo = u'A';
    Carregar();
    return true;
}

bool DefinicaoEtiquetas::eliminar() {
    if (m_modo != u'A')
        return false;
    if (m_ui.caixaBotoes(QStringLiteral("Confirma a Eliminação?"), Titulo(), BotoesNaoSim, Icone::Pergunta) != 1)
        return false;
    const int n = m_ctx.bd().executarContando(QStringLiteral("DELETE FROM etiquetas WHERE Codigo=? AND FicheiroBase=?"),
                                              {registo.codigo, Produtos});
    if (n < 0) {
        m_ui.mensagem(m_ctx.bd().lastError(), Icone::Critico, Titulo());
        return false;
    }
    novo();
    Carregar();
    return true;
}

std::vector<LinhaEtiqueta> DefinicaoEtiquetas::amostra() const {
    const qint64 folha = qint64(std::max(1, registo.numEtiqHoriz)) * std::max(1, registo.numEtiqVert);
    const int total = int(std::min<qint64>(folha, MaxAmostra));
    std::vector<LinhaEtiqueta> linhas;
    Database& db = m_ctx.bd();
    const bool ok = db.percorrer(QStringLiteral("SELECT Codigo, Descricao FROM Produtos ORDER BY Codigo") +
                                     db.dialect().limite(ProdutosAmostra),
                                 {}, [&](const QSqlQuery& q) {
                                     LinhaEtiqueta l;
                                     l.produto = q.value(0).toString();
                                     l.descricao = q.value(1).toString();
                                     linhas.push_back(l);
                                 });
    if (!ok || linhas.empty()) {
        LinhaEtiqueta l;
        l.produto = QStringLiteral("AMOSTRA");
        l.descricao = QStringLiteral("Produto de amostra");
        linhas = {l};
    }
    // The sheet shared out in turn, each row with a lot of its own.
    const int n = int(linhas.size());
    for (int i = 0; i < n; ++i) {
        LinhaEtiqueta& l = linhas[size_t(i)];
        l.quantidade = total / n + (i < total % n ? 1 : 0);
        l.lote = QStringLiteral("L%1-%2").arg(QDate::currentDate().year()).arg(i + 1, 3, 10, QChar(u'0'));
        l.codigoDinamico = l.produto.trimmed() + u'|' + l.lote;
        l.precoLote = Currency(10 * (i + 1));
    }
    linhas.erase(std::remove_if(linhas.begin(), linhas.end(), [](const LinhaEtiqueta& l) { return l.quantidade < 1; }),
                 linhas.end());
    return linhas;
}

Resultado<ResultadoEtiquetas> DefinicaoEtiquetas::desenharAmostra(cPrinter& p) const {
    OpcoesEtiquetas o;
    o.caixa = true; // the preview shows where each label ends
    return ImprimirEtiquetas(p, m_ctx.bd(), registo, amostra(), o, QStringLiteral("S"));
}

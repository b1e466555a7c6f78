#include "production/Rastreabilidade.h"

#include "company/GlobalContext.h"
#include "db/Database.h"
#include "lookups/PesquisaTabelas.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>

#include <algorithm>

namespace {

// Pairs per statement: far below either engine's limit on bound values.
constexpr int ParesPorLeitura = 200;

QString chave(const QString& produto, const QString& lote) {
    return produto + QChar(0x1f) + lote;
}

QString texto(const QSqlQuery& q, int i) {
    return q.value(i).toString().trimmed();
}

// "(p=? AND l=?) OR …" for `n` pairs.
QString condicaoPares(const QString& colProduto, const QString& colLote, qsizetype n) {
    QStringList c;
    c.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        c << QStringLiteral("(%1=? AND %2=?)").arg(colProduto, colLote);
    return QLatin1Char('(') + c.join(QStringLiteral(" OR ")) + QLatin1Char(')');
}

// What one read found for one lot: the productions, each with what it consumed or made of that lot
// and the lots on its other side, every ledger row counted once however many joins repeat it.
struct Agregado {
    NoRastreio producao;
    QSet<qint64> linhasPai, linhasFilhos;
    QStringList consumos, entradas; // documents with rows, issues and returns before entries
};
using Achados = QHash<QString, std::vector<Agregado>>;

struct Producao {
    OrigemRastreio origem;
    QString codigo, data;
    bool aberto = false;
};

void documento(QStringList& docs, const QString& tipo, const QString& numero) {
    if (tipo.isEmpty() || numero.isEmpty())
        return;
    const QString d = tipo + QLatin1Char(' ') + numero;
    if (!docs.contains(d))
        docs << d;
}

Agregado& agregado(Achados& a, const QString& chavePai, const Producao& p) {
    std::vector<Agregado>& v = a[chavePai];
    for (Agregado& x : v)
        if (x.producao.origem == p.origem && x.producao.codigo == p.codigo)
            return x;
    Agregado x;
    x.producao.tipo = NoRastreio::Tipo::Producao;
    x.producao.origem = p.origem;
    x.producao.codigo = p.codigo;
    x.producao.data = p.data;
    x.producao.aberto = p.aberto;
    v.push_back(std::move(x));
    return v.back();
}

void somaPai(Agregado& a, qint64 linha, const Currency& q) {
    if (linha > 0 && !a.linhasPai.contains(linha)) {
        a.linhasPai.insert(linha);
        a.producao.quantidade += q;
    }
}

void somaFilho(Agregado& a, qint64 linha, const QString& produto, const QString& lote, const Currency& q) {
    if (linha <= 0 || produto.isEmpty() || a.linhasFilhos.contains(linha))
        return;
    a.linhasFilhos.insert(linha);
    for (NoRastreio& f : a.producao.filhos)
        if (f.produto == produto && f.lote == lote) {
            f.quantidade += q;
            return;
        }
    NoRastreio f;
    f.produto = produto;
    f.lote = lote;
    f.quantidade = q;
    a.producao.filhos.push_back(std::move(f));
}

// A consumption row counts up, a return down.
Currency comSinal(const QString& afecta, const QVariant& q) {
    const Currency c = Currency::fromVariant(q);
    return afecta == QStringLiteral("S-") ? -c : c;
}

// A production order's lot: its number, whether it was made to measure, its date.
Producao producaoLote(const QSqlQuery& q, int i) {
    Producao p;
    p.codigo = texto(q, i);
    p.origem = Currency::fromVariant(q.value(i + 1)) > Currency() ? OrigemRastreio::LoteMedicoes
                                                                  : OrigemRastreio::LoteProducao;
    p.data = texto(q, i + 2);
    return p;
}

// Lotes columns read by producaoLote, from `l`.
const QString ColunasLote = QStringLiteral("l.lote, l.MedicoesAltura, l.DataSaida");
// The issue, reinforcement and return documents of a lot `l` holding the ledger row `m`.
const QString DocumentosConsumoLote =
    QStringLiteral("((l.tipoSaida=m.Tipo AND l.NumeroSaida=m.Numero AND l.DataSaida=m.Data) OR "
                   "(l.tiporef=m.Tipo AND l.Numeroref=m.Numero AND l.Dataref=m.Data) OR "
                   "(l.tipoRet=m.Tipo AND l.Numeroret=m.Numero AND l.Dataret=m.Data))");
const QString ColunasProcesso = QStringLiteral("p.Processo, p.DataInicio, p.DataEncerramento");

Producao producaoInstantanea(const QSqlQuery& q, int i) {
    Producao p;
    p.origem = OrigemRastreio::Instantanea;
    p.codigo = texto(q, i);
    p.data = texto(q, i + 1);
    return p;
}

Producao producaoProcesso(const QSqlQuery& q, int i) {
    Producao p;
    p.origem = OrigemRastreio::Processo;
    p.codigo = texto(q, i);
    p.data = texto(q, i + 1);
    p.aberto = texto(q, i + 2).isEmpty();
    return p;
}

class Leitor {
public:
    Leitor(Database& db, SentidoRastreio s) : m_db(db), m_sentido(s) {}

    // Reads every production linked to the pairs not read yet, into the cache.
    bool ler(const std::vector<std::pair<QString, QString>>& pares) {
        std::vector<std::pair<QString, QString>> novos;
        for (const auto& p : pares)
            if (!m_cache.contains(chave(p.first, p.second))) {
                m_cache.insert(chave(p.first, p.second), {});
                novos.push_back(p);
            }
        for (size_t i = 0; i < novos.size(); i += ParesPorLeitura) {
            const size_t n = std::min<size_t>(ParesPorLeitura, novos.size() - i);
            QVariantList valores;
            for (size_t k = i; k < i + n; ++k)
                valores << novos[k].first << novos[k].second;
            Achados a;
            const bool ok = m_sentido == SentidoRastreio::Jusante ? jusante(a, valores, qsizetype(n))
                                                                  : montante(a, valores, qsizetype(n));
            if (!ok)
                return false;
            for (auto it = a.begin(); it != a.end(); ++it) {
                std::vector<NoRastreio>& destino = m_cache[it.key()];
                for (Agregado& x : it.value()) {
                    x.producao.documentos = x.consumos + x.entradas;
                    destino.push_back(std::move(x.producao));
                }
                ordenar(destino);
            }
        }
        return true;
    }

    const std::vector<NoRastreio>& producoes(const QString& produto, const QString& lote) const {
        static const std::vector<NoRastreio> nenhuma;
        const auto it = m_cache.constFind(chave(produto, lote));
        return it == m_cache.cend() ? nenhuma : *it;
    }

private:
    static void ordenar(std::vector<NoRastreio>& v) {
        std::sort(v.begin(), v.end(), [](const NoRastreio& a, const NoRastreio& b) {
            if (a.data != b.data)
                return a.data < b.data;
            if (a.origem != b.origem)
                return a.origem < b.origem;
            return a.codigo < b.codigo;
        });
        for (NoRastreio& p : v)
            std::sort(p.filhos.begin(), p.filhos.end(), [](const NoRastreio& a, const NoRastreio& b) {
                return a.produto != b.produto ? a.produto < b.produto : a.lote < b.lote;
            });
    }

    // One row: the lot followed (its ledger or process row, signed quantity and document) and one lot
    // on the production's other side. Downstream the followed row is a consumption, upstream an entry.
    struct Colunas {
        int produto, lote, linha, quantidade, afecta, tipo, numero;
    };
    void registar(Achados& a, const QSqlQuery& q, const Producao& p, const Colunas& pai,
                  const Colunas& filho) {
        Agregado& x = agregado(a, chave(texto(q, pai.produto), texto(q, pai.lote)), p);
        const bool jusante = m_sentido == SentidoRastreio::Jusante;
        auto quantidade = [&](const Colunas& c) {
            return c.afecta >= 0 ? comSinal(texto(q, c.afecta), q.value(c.quantidade))
                                 : Currency::fromVariant(q.value(c.quantidade));
        };
        somaPai(x, q.value(pai.linha).toLongLong(), quantidade(pai));
        documento(jusante ? x.consumos : x.entradas, texto(q, pai.tipo), texto(q, pai.numero));
        if (q.value(filho.linha).toLongLong() <= 0)
            return;
        somaFilho(x, q.value(filho.linha).toLongLong(), texto(q, filho.produto), texto(q, filho.lote),
                  quantidade(filho));
        documento(jusante ? x.entradas : x.consumos, texto(q, filho.tipo), texto(q, filho.numero));
    }

    // Downstream: the rows that consumed the lots, the production each belongs to and its entry rows.
    bool jusante(Achados& a, const QVariantList& valores, qsizetype n) {
        const QString pares = condicaoPares(QStringLiteral("m.Codigo"), QStringLiteral("m.Lote"), n);
        const Colunas consumo{0, 1, 2, 4, 3, 5, 6};
        // Orders and made-to-measure lots.
        if (!m_db.percorrer(
                QStringLiteral(
                    "SELECT m.Codigo, m.Lote, m.NumRegisto, m.AfectaStk, m.QuantNormal, m.Tipo, m.Numero, "
                    "%1, e.NumRegisto, e.Codigo, e.Lote, e.QuantNormal, e.Tipo, e.Numero FROM MovProduto m "
                    "INNER JOIN Lotes l ON %2 LEFT JOIN MovProduto e ON e.Tipo=l.tipoent AND "
                    "e.Numero=l.Numeroent AND e.Data=l.Dataent AND e.Codigo=l.Produto AND e.AfectaStk='E+' "
                    "WHERE m.AfectaStk IN ('S+','S-') AND %3 ORDER BY m.NumRegisto")
                    .arg(ColunasLote, DocumentosConsumoLote, pares),
                valores, [&](const QSqlQuery& q) {
                    registar(a, q, producaoLote(q, 7), consumo, {11, 12, 10, 13, -1, 14, 15});
                }))
            return false;
        // Instant runs without a process: their issue rows, then the entry rows of the same run.
        if (!m_db.percorrer(
                QStringLiteral(
                    "SELECT m.Codigo, m.Lote, m.NumRegisto, m.AfectaStk, m.QuantNormal, m.Tipo, m.Numero, "
                    "i.NumProcesso, i.Data, e.NumRegisto, e.Codigo, e.Lote, e.QuantNormal, e.Tipo, e.Numero "
                    "FROM MovProduto m INNER JOIN LoteInstantaneo i ON i.Tipo=m.Tipo AND i.Numero=m.Numero "
                    "AND i.Data=m.Data AND i.Produto=m.Codigo AND i.TipoProduto='MP' LEFT JOIN "
                    "LoteInstantaneo ip ON ip.NumProcesso=i.NumProcesso AND ip.TipoProduto='PA' LEFT JOIN "
                    "MovProduto e ON e.Tipo=ip.Tipo AND e.Numero=ip.Numero AND e.Data=ip.Data AND "
                    "e.Codigo=ip.Produto AND e.AfectaStk='E+' WHERE m.AfectaStk IN ('S+','S-') AND %1 "
                    "ORDER BY m.NumRegisto, e.NumRegisto")
                    .arg(pares),
                valores, [&](const QSqlQuery& q) {
                    registar(a, q, producaoInstantanea(q, 7), consumo, {10, 11, 9, 12, -1, 13, 14});
                }))
            return false;
        // Processes: what was issued to them (less returns) and the entry rows that closed them.
        return m_db.percorrer(
            QStringLiteral(
                "SELECT pm.Produto, pm.Lote, pm.NumRegisto, pm.Quantidade, mm.Tipo, mm.Numero, %1, "
                "e.NumRegisto, e.Codigo, e.Lote, e.QuantNormal, e.Tipo, e.Numero FROM Prod_ProcessosMov pm "
                "INNER JOIN Prod_Processos p ON p.Processo=pm.Processo LEFT JOIN MovProduto mm ON "
                "mm.Codigo=pm.Produto AND mm.Identifica=pm.IdentificaMovPro LEFT JOIN Prod_ProcessosProc pp "
                "ON pp.Processo=p.Processo LEFT JOIN MovProduto e ON e.Codigo=pp.Produto AND "
                "e.Identifica=pp.IdentificaMovPro WHERE %2 ORDER BY pm.NumRegisto, e.NumRegisto")
                .arg(ColunasProcesso,
                     condicaoPares(QStringLiteral("pm.Produto"), QStringLiteral("pm.Lote"), n)),
            valores, [&](const QSqlQuery& q) {
                registar(a, q, producaoProcesso(q, 6), {0, 1, 2, 3, -1, 4, 5}, {10, 11, 9, 12, -1, 13, 14});
            });
    }

    // Upstream: the entry rows that made the lots, the production each closed and what it consumed.
    bool montante(Achados& a, const QVariantList& valores, qsizetype n) {
        const QString pares = condicaoPares(QStringLiteral("e.Codigo"), QStringLiteral("e.Lote"), n);
        const Colunas entrada{0, 1, 2, 3, -1, 4, 5};
        if (!m_db.percorrer(
                QStringLiteral(
                    "SELECT e.Codigo, e.Lote, e.NumRegisto, e.QuantNormal, e.Tipo, e.Numero, %1, "
                    "m.NumRegisto, m.Codigo, m.Lote, m.QuantNormal, m.AfectaStk, m.Tipo, m.Numero FROM "
                    "MovProduto e INNER JOIN Lotes l ON l.tipoent=e.Tipo AND l.Numeroent=e.Numero AND "
                    "l.Dataent=e.Data AND l.Produto=e.Codigo LEFT JOIN MovProduto m ON m.AfectaStk IN "
                    "('S+','S-') AND %2 WHERE e.AfectaStk='E+' AND %3 ORDER BY e.NumRegisto, m.NumRegisto")
                    .arg(ColunasLote, DocumentosConsumoLote, pares),
                valores, [&](const QSqlQuery& q) {
                    registar(a, q, producaoLote(q, 6), entrada, {10, 11, 9, 12, 13, 14, 15});
                }))
            return false;
        // A run that closed a process took its materials from the process: read below as the process.
        if (!m_db.percorrer(
                QStringLiteral(
                    "SELECT e.Codigo, e.Lote, e.NumRegisto, e.QuantNormal, e.Tipo, e.Numero, i.NumProcesso, "
                    "i.Data, m.NumRegisto, m.Codigo, m.Lote, m.QuantNormal, m.AfectaStk, m.Tipo, m.Numero "
                    "FROM MovProduto e INNER JOIN LoteInstantaneo i ON i.Tipo=e.Tipo AND i.Numero=e.Numero "
                    "AND i.Data=e.Data AND i.Produto=e.Codigo AND i.TipoProduto='PA' LEFT JOIN "
                    "LoteInstantaneo im ON im.NumProcesso=i.NumProcesso AND im.TipoProduto='MP' LEFT JOIN "
                    "MovProduto m ON m.Tipo=im.Tipo AND m.Numero=im.Numero AND m.Data=im.Data AND "
                    "m.Codigo=im.Produto AND m.AfectaStk IN ('S+','S-') WHERE e.AfectaStk='E+' AND NOT "
                    "EXISTS (SELECT 1 FROM Prod_ProcessosProc pp WHERE pp.Produto=e.Codigo AND "
                    "pp.IdentificaMovPro=e.Identifica) AND %1 ORDER BY e.NumRegisto, m.NumRegisto")
                    .arg(pares),
                valores, [&](const QSqlQuery& q) {
                    registar(a, q, producaoInstantanea(q, 6), entrada, {9, 10, 8, 11, 12, 13, 14});
                }))
            return false;
        return m_db.percorrer(
            QStringLiteral(
                "SELECT e.Codigo, e.Lote, e.NumRegisto, e.QuantNormal, e.Tipo, e.Numero, %1, pm.NumRegisto, "
                "pm.Produto, pm.Lote, pm.Quantidade, mm.Tipo, mm.Numero FROM MovProduto e INNER JOIN "
                "Prod_ProcessosProc pp ON pp.Produto=e.Codigo AND pp.IdentificaMovPro=e.Identifica INNER "
                "JOIN Prod_Processos p ON p.Processo=pp.Processo LEFT JOIN Prod_ProcessosMov pm ON "
                "pm.Processo=p.Processo LEFT JOIN MovProduto mm ON mm.Codigo=pm.Produto AND "
                "mm.Identifica=pm.IdentificaMovPro WHERE e.AfectaStk='E+' AND %2 ORDER BY e.NumRegisto, "
                "pm.NumRegisto")
                .arg(ColunasProcesso, pares),
            valores, [&](const QSqlQuery& q) {
                registar(a, q, producaoProcesso(q, 6), entrada, {10, 11, 9, 12, -1, 13, 14});
            });
    }

    Database& m_db;
    SentidoRastreio m_sentido;
    QHash<QString, std::vector<NoRastreio>> m_cache;
};

void recolherProdutos(const NoRastreio& n, QSet<QString>& p) {
    if (n.tipo == NoRastreio::Tipo::Lote)
        p.insert(n.produto);
    for (const NoRastreio& f : n.filhos)
        recolherProdutos(f, p);
}

void porDescricoes(NoRastreio& n, const QHash<QString, QString>& d) {
    if (n.tipo == NoRastreio::Tipo::Lote)
        n.descricao = d.value(n.produto);
    for (NoRastreio& f : n.filhos)
        porDescricoes(f, d);
}

void linhas(const NoRastreio& n, int nivel, std::vector<LinhaRastreio>& r) {
    r.push_back({nivel, &n});
    for (const NoRastreio& f : n.filhos)
        linhas(f, nivel + 1, r);
}

} // namespace

QString NomeOrigemRastreio(OrigemRastreio o) {
    switch (o) {
    case OrigemRastreio::LoteProducao:
        return QStringLiteral("Lote de produção");
    case OrigemRastreio::LoteMedicoes:
        return QStringLiteral("Lote de medições");
    case OrigemRastreio::Instantanea:
        return QStringLiteral("Produção instantânea");
    case OrigemRastreio::Processo:
        return QStringLiteral("Processo de produção");
    }
    return {};
}

Resultado<NoRastreio> LerRastreabilidade(Database& db, const PedidoRastreio& pedido) {
    NoRastreio raiz;
    raiz.produto = pedido.produto.trimmed();
    raiz.lote = pedido.lote.trimmed();
    if (raiz.produto.isEmpty())
        return Falha(QStringLiteral("Indique o produto."), QStringLiteral("txtProduto"));
    if (raiz.lote.isEmpty())
        return Falha(QStringLiteral("Indique o lote."), QStringLiteral("txtLote"));
    const auto existe =
        db.lerValor(QStringLiteral("SELECT Codigo FROM Produtos WHERE Codigo=?"), {raiz.produto});
    if (!existe)
        return existe.falha();
    if (!existe->isValid())
        return Falha(QStringLiteral("Produto Inexistente: %1").arg(raiz.produto),
                     QStringLiteral("txtProduto"));

    // Level by level: the lots still to follow, each with the products on its way from the root.
    Leitor leitor(db, pedido.sentido);
    std::vector<std::pair<NoRastreio*, QSet<QString>>> pendentes{{&raiz, {raiz.produto}}};
    while (!pendentes.empty()) {
        std::vector<std::pair<QString, QString>> pares;
        for (const auto& [no, caminho] : pendentes)
            pares.emplace_back(no->produto, no->lote);
        if (!leitor.ler(pares))
            return Falha(db.lastError());
        std::vector<std::pair<NoRastreio*, QSet<QString>>> seguintes;
        for (auto& [no, caminho] : pendentes) {
            no->filhos = leitor.producoes(no->produto, no->lote);
            for (NoRastreio& p : no->filhos)
                for (NoRastreio& l : p.filhos) {
                    if (caminho.contains(l.produto)) {
                        l.repetido = true;
                        continue;
                    }
                    if (l.semLote())
                        continue;
                    QSet<QString> c = caminho;
                    c.insert(l.produto);
                    seguintes.emplace_back(&l, std::move(c));
                }
        }
        pendentes = std::move(seguintes);
    }

    QSet<QString> produtos;
    recolherProdutos(raiz, produtos);
    const QStringList lista(produtos.begin(), produtos.end());
    QHash<QString, QString> descricoes;
    for (qsizetype i = 0; i < lista.size(); i += ParesPorLeitura) {
        const QStringList parte = lista.mid(i, ParesPorLeitura);
        QStringList marcas;
        QVariantList valores;
        for (const QString& p : parte) {
            marcas << QStringLiteral("?");
            valores << p;
        }
        if (!db.percorrer(QStringLiteral("SELECT Codigo, Descricao FROM Produtos WHERE Codigo IN (%1)")
                              .arg(marcas.join(QLatin1Char(','))),
                          valores, [&](const QSqlQuery& q) { descricoes.insert(texto(q, 0), texto(q, 1)); }))
            return Falha(db.lastError());
    }
    porDescricoes(raiz, descricoes);
    return raiz;
}

std::vector<LinhaRastreio> LinhasRastreio(const NoRastreio& raiz) {
    std::vector<LinhaRastreio> r;
    linhas(raiz, 0, r);
    return r;
}

// ---------------------------------------------------------------------------------------------

FormRastreabilidade::FormRastreabilidade(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}

QString FormRastreabilidade::Titulo() {
    return QStringLiteral("Rastreabilidade de Lotes");
}

bool FormRastreabilidade::txtProduto_Saiu() {
    if (txtProduto.codigo.trimmed().isEmpty()) {
        txtProduto.limpar();
        return true;
    }
    return pesquisaTabelas(m_ctx, m_ui).Produtos(txtProduto, false);
}

bool FormRastreabilidade::txtProduto_Pesquisar() {
    return pesquisaTabelas(m_ctx, m_ui).Produtos(txtProduto, true);
}

bool FormRastreabilidade::txtLote_Saiu() {
    txtLote.codigo = txtLote.codigo.trimmed();
    txtLote.descricao.clear();
    return true;
}

bool FormRastreabilidade::txtLote_Pesquisar() {
    return pesquisaTabelas(m_ctx, m_ui).LotesTabela(txtLote, true, txtProduto.codigo.trimmed());
}

bool FormRastreabilidade::cmdPesquisar_Click() {
    m_arvore.reset();
    const auto r = LerRastreabilidade(m_ctx.bd(), {txtProduto.codigo, txtLote.codigo, sentido});
    if (!r) {
        m_ui.mensagem(r.mensagem(), UserInteraction::Icone::Exclamacao, Titulo());
        return false;
    }
    m_arvore = *r;
    m_sentidoLido = sentido;
    m_produtoLido = txtProduto.codigo.trimmed();
    m_loteLido = txtLote.codigo.trimmed();
    return true;
}

const NoRastreio* FormRastreabilidade::arvoreActual() {
    const bool igual = m_arvore && m_sentidoLido == sentido && m_produtoLido == txtProduto.codigo.trimmed() &&
                       m_loteLido == txtLote.codigo.trimmed();
    if (!igual && !cmdPesquisar_Click())
        return nullptr;
    return &*m_arvore;
}

bool FormRastreabilidade::cmdImprimir_Click() {
    const NoRastreio* a = arvoreActual();
    if (!a)
        return false;
    const auto destino = PerguntaTipoListagem(m_ui);
    if (!destino)
        return false;
    return imprimir && imprimir(*a, m_sentidoLido, *destino);
}

#include "production/LancamentoProducao.h"

#include "common/Arredondamento.h"
#include "common/UserInteraction.h"
#include "stock/CustoMedio.h"
#include "stock/LancaMovProduto.h"
#include "production/Lotes.h"
#include "production/NumeracaoDocumentos.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "company/ParametrosEmpresa.h"
#include "company/PeriodoAberto.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <optional>

#include <QDate>

namespace {

namespace Col = ColMovProduto;

// What the raw-material price is read from.
struct PrecoMateria {
    Currency preco;
    bool ok = false;
};

class Lancamento {
public:
    Lancamento(GlobalContext& ctx, ProductionDocument& d) : m_ctx(ctx), m_db(ctx.bd()), m_d(d) {}

    // The price columns of every raw material of the posting and the bill's fixed price, read at once.
    void lerPrecos(const std::vector<LinhaProducao>& linhas) {
        QStringList codigos;
        QVariantList v{m_d.Medicoes ? QString() : m_d.ProdutoAcabado, m_d.ProdutoAcabado};
        for (const LinhaProducao& l : linhas)
            if (!codigos.contains(l.produto.toLower())) {
                codigos << l.produto.toLower();
                v << l.produto;
            }
        if (codigos.isEmpty())
            return;
        QStringList marcas(codigos.size(), QStringLiteral("?"));
        // Same order as the single read, so each product keeps the bill row it would have taken.
        const bool lido = m_db.percorrer(
            QStringLiteral("SELECT n.preco, n.precario, p.UltPrecoCompra, p.UltPrecoCusto, p.PrecoMedioCusto, p.Codigo, "
                           "(SELECT ProdutoAcabadoPreco FROM Nomenclatura WHERE ProdutoAcabado=? ORDER BY NumRegisto%1), "
                           "(SELECT actualizapreco FROM Produtos WHERE Codigo=? ORDER BY NumRegisto%1) "
                           "FROM Produtos p LEFT JOIN Nomenclatura n ON n.ProdutoPrima=p.Codigo AND n.ProdutoAcabado=? "
                           "WHERE p.Codigo IN (%2) ORDER BY n.NumRegisto")
                .arg(m_db.dialect().limite(1), marcas.join(u',')),
            QVariantList{v[1], v[1], v[0]} + v.mid(2), [&](const QSqlQuery& q) {
                QVariantList r;
                for (int i = 0; i < 7; ++i)
                    r << q.value(i);
                m_precoFixo = r[6];
                m_actualizaPreco = q.value(7).toString().trimmed() == QStringLiteral("1");
                const QString chave = r[5].toString().toLower();
                if (!m_precos.contains(chave))
                    m_precos.insert(chave, r);
            });
        if (!lido)
            return m_precos.clear();
        m_precosLidos = codigos;
    }

    // Does the finished product take the production's cost as its sale price basis ("1")?
    bool actualizaPreco() {
        if (!m_actualizaPreco)
            m_actualizaPreco = m_db.scalar(QStringLiteral("SELECT actualizapreco FROM Produtos WHERE Codigo=?"),
                                           {m_d.ProdutoAcabado})
                                   .toString()
                                   .trimmed() == QStringLiteral("1");
        return *m_actualizaPreco;
    }

    // The fixed price of the finished product on its bill, 0 when none.
    Currency precoFixo() {
        if (!m_precoFixo.isValid())
            m_precoFixo = m_db.scalar(QStringLiteral("SELECT ProdutoAcabadoPreco FROM Nomenclatura WHERE "
                                                     "ProdutoAcabado=? ORDER BY NumRegisto") +
                                          m_db.dialect().limite(1),
                                      {m_d.ProdutoAcabado});
        return Currency::fromVariant(m_precoFixo);
    }

    // The price of a raw material as the bill row says, at the production date.
    PrecoMateria precoMateria(const LinhaProducao& l) {
        PrecoMateria p;
        const QString chave = l.produto.toLower();
        // A product already posted here (or the finished product) may have had its prices changed since the read.
        const bool lidoAntes = m_precosLidos.contains(chave) && !m_lancados.contains(chave) &&
                               chave != m_d.ProdutoAcabado.toLower();
        std::optional<QVariantList> lidaAntes;
        if (lidoAntes && m_precos.contains(chave))
            lidaAntes = m_precos.value(chave);
        const auto lida = lidoAntes ? Resultado<std::optional<QVariantList>>(lidaAntes) : m_db.lerPrimeiraLinha(
            QStringLiteral("SELECT n.preco, n.precario, p.UltPrecoCompra, p.UltPrecoCusto, p.PrecoMedioCusto "
                           "FROM Produtos p LEFT JOIN Nomenclatura n ON n.ProdutoPrima=p.Codigo AND "
                           "n.ProdutoAcabado=? WHERE p.Codigo=? ORDER BY n.NumRegisto") +
                m_db.dialect().limite(1),
            // A made-to-measure lot has no ordinary bill: a blank finished product joins no bill row.
            {m_d.Medicoes ? QString() : m_d.ProdutoAcabado, l.produto});
        if (!lida || !*lida)
            return p;
        const std::optional<QVariantList>& b = *lida;
        p.ok = true;
        if (m_parametros.produtoDiverso(l.produto)) {
            p.preco = Currency::fromVariant(b->at(0));
            return p;
        }
        QString precario = b->at(1).toString().trimmed().toUpper();
        if (precario.isEmpty())
            precario = m_d.Precario.trimmed().toUpper();
        int coluna = 4; // average cost unless the bill says otherwise
        if (precario == QStringLiteral("ULTPRECOCOMPRA"))
            coluna = 2;
        else if (precario == QStringLiteral("ULTPRECOCUSTO"))
            coluna = 3;
        p.preco = Currency::fromVariant(b->at(coluna));
        if (m_parametros.pmcPorArmazem) {
            const PrecosArmazem pa = PrecosArmazemUltimaEntrada(m_db, l.produto, l.armazem, m_d.Data);
            p.preco = coluna == 2 ? pa.upCompra : coluna == 3 ? pa.upCusto : pa.pmCusto;
        }
        return p;
    }

    LinhaMovProduto linhaBase(const DocumentoProducao& doc, const QString& produto, const QString& afecta,
                              const Currency& quant, const Currency& preco, bool segundaFase) const {
        QString obs = m_d.Medicoes ? QStringLiteral("Produção (Medições)")
                                   : QStringLiteral("Ref. lote de produção: %1").arg(m_d.Lote);
        if (segundaFase)
            obs += QStringLiteral(" (2ª fase)");
        return LinhaDocumentoProducao(doc, m_d.Data, produto, afecta, quant, preco, obs);
    }

    Resultado<> lancar(const LinhaMovProduto& l, const QString& produto) {
        m_lancados.insert(produto.toLower());
        if (const auto r = LancaMovProduto(m_ctx, l); !r)
            return recusado(produto, r.mensagem());
        return {};
    }

    static Falha recusado(const QString& produto, const QString& motivo = {}) {
        return Falha(QStringLiteral("Não foi possível lançar o produto %1!\nFavor de verificar a existência.").arg(produto) +
                     (motivo.isEmpty() ? QString() : QStringLiteral("\n(%1)").arg(motivo)));
    }

    // One consumption, reinforcement or return row and its value, not yet posted.
    Resultado<std::pair<LinhaMovProduto, Currency>> linhaDeMateria(const LinhaProducao& l, const DocumentoProducao& doc,
                                                                   const QString& afecta, const Currency& quant,
                                                                   bool segundaFase) {
        const PrecoMateria p = precoMateria(l);
        if (!p.ok)
            return recusado(l.produto);
        const Currency valor = ArredondaValor(quant.multiply(p.preco, Currency::Arredondamento::MetadeAfastaDeZero), m_ctx.casadec, 1);
        LinhaMovProduto m = linhaBase(doc, l.produto, afecta, quant, p.preco, segundaFase);
        m.definir(Col::CliFor, "C");
        m.definir(Col::Terceiro, m_d.Cliente);
        m.definir(Col::Armazem, l.armazem);
        m.definir(Col::Localizacao, l.localizacao);
        m.definir(Col::Lote, l.lote);
        m.definir(Col::DataFabrico, l.dataFabrico);
        m.definir(Col::DataValidade, l.dataValidade);
        m.definir(Col::ValorIliq, valor);
        if (!l.descricao.isEmpty())
            m.definir(Col::Descricao, l.descricao.left(50));
        m.definir(Col::observa, l.observacoes);
        return std::pair{m, valor};
    }

    // The same row posted; returns its value.
    Resultado<Currency> linhaMateria(const LinhaProducao& l, const DocumentoProducao& doc, const QString& afecta,
                                     const Currency& quant, bool segundaFase) {
        const auto m = linhaDeMateria(l, doc, afecta, quant, segundaFase);
        if (!m)
            return m.falha();
        if (auto r = lancar(m->first, l.produto); !r)
            return r.falha();
        return m->second;
    }

    // The first phase's consumption; its cost. Rows of different products, none the finished one,
    // take their reads in one statement before they are posted; otherwise (or when a row cannot
    // be made) each is made and posted in turn, as the refusals then say.
    Resultado<Currency> consumos(const DocumentoProducao& doc) {
        QSet<QString> codigos{m_d.ProdutoAcabado.trimmed().toLower()};
        bool juntas = true;
        for (const LinhaProducao& l : m_d.linhas) {
            const QString chave = l.produto.trimmed().toLower();
            juntas = juntas && !codigos.contains(chave);
            codigos.insert(chave);
        }
        std::vector<LinhaMovProduto> linhas;
        Currency custo;
        for (const LinhaProducao& l : m_d.linhas) {
            if (!juntas)
                break;
            const auto m = linhaDeMateria(l, doc, QStringLiteral("S+"), l.ordemProducao, false);
            juntas = m.ok();
            if (m) {
                linhas.push_back(m->first);
                custo += m->second;
            }
        }
        if (juntas) {
            const auto lidos = LerContextosLancamento(m_db, linhas);
            if (!lidos)
                return lidos.falha();
            for (const LinhaProducao& l : m_d.linhas)
                m_lancados.insert(l.produto.toLower());
            size_t recusada = 0;
            if (const auto r = LancaMovProdutos(m_ctx, std::move(linhas), *lidos, {}, &recusada); !r)
                return recusado(m_d.linhas[recusada].produto, r.mensagem());
            return custo;
        }
        custo = {};
        for (const LinhaProducao& l : m_d.linhas) {
            const auto valor = linhaMateria(l, doc, QStringLiteral("S+"), l.ordemProducao, false);
            if (!valor)
                return valor.falha();
            custo += *valor;
        }
        return custo;
    }

    GlobalContext& m_ctx;
    Database& m_db;
    ProductionDocument& m_d;
    ParametrosEmpresa m_parametros;
    QHash<QString, QVariantList> m_precos; // by lower-case code
    QStringList m_precosLidos;
    QSet<QString> m_lancados;
    QVariant m_precoFixo;
    std::optional<bool> m_actualizaPreco;
};

// Numbers the documents without one; two documents of one type (a configuration that uses one type
// twice) get two numbers.
Resultado<> numerar(Database& db, ProductionDocument& d) {
    QHash<QString, QStringList> dados;
    for (const DocumentoProducao* x : {&d.Saida, &d.Ent, &d.Ret, &d.Ref})
        if (x->numerado())
            dados[x->tipo.trimmed().toUpper()] << x->numero;
    QList<DocumentoProducao*> porNumerar;
    QStringList tipos;
    for (DocumentoProducao* x : {&d.Saida, &d.Ent, &d.Ret, &d.Ref})
        if (!x->tipo.trimmed().isEmpty() && !x->numerado()) {
            porNumerar << x;
            tipos << x->tipo;
        }
    if (porNumerar.isEmpty())
        return {};
    const auto numeros = ProximosNumTabTipoMov(db, tipos, d.Data, dados);
    if (!numeros)
        return Falha(numeros.mensagem().isEmpty()
                         ? QStringLiteral("Não foi possível numerar o documento %1.").arg(tipos.first())
                         : numeros.mensagem() + QStringLiteral("\nCorrija a configuração de Produção."));
    for (qsizetype i = 0; i < porNumerar.size(); ++i) {
        if (numeros->at(i).isEmpty())
            return Falha(QStringLiteral("Não foi possível numerar o documento %1.").arg(tipos.at(i)));
        porNumerar[i]->data = d.Data;
        porNumerar[i]->numero = numeros->at(i);
    }
    return {};
}

Resultado<ResultadoProducao> lancarProducao(GlobalContext& ctx, ProductionDocument& doc, FaseProducao fase);

} // namespace

std::optional<FaseProducao> EscolheFaseProducao(GlobalContext& ctx, UserInteraction& ui, const ProductionDocument& doc) {
    if (!doc.Nova)
        return FaseProducao::Encerra;
    const ConfigProducao c = LerConfigProducao(ctx.bd());
    if (c.tipoRef.isEmpty() || c.tipoRet.isEmpty())
        return FaseProducao::Encerra;
    const int r = ui.alerta(QStringLiteral("Processo do Lote %1").arg(doc.Lote),
                            {QStringLiteral("Aguarda 2ª Fase (Acertos)"), QStringLiteral("Encerra definitivamente")});
    if (r == 1)
        return FaseProducao::Aguarda;
    if (r == 2)
        return FaseProducao::Encerra;
    return std::nullopt;
}

Resultado<ResultadoProducao> LancaProducao(GlobalContext& ctx, ProductionDocument& doc, FaseProducao fase) {
    try {
        return lancarProducao(ctx, doc, fase);
    } catch (const EstouroMontante&) {
        // The transaction's guard rolled everything back on the way out.
        return Falha(MensagemLimiteValor(doc.ProdutoAcabado, doc.DescProdutoAcabado));
    }
}

namespace {

Resultado<ResultadoProducao> lancarProducao(GlobalContext& ctx, ProductionDocument& doc, FaseProducao fase) {
    Database& db = ctx.bd();
    const ConfigProducao cfg = LerConfigProducao(db);
    if (!cfg.existe)
        return Falha(QStringLiteral("A T E N Ç Ã O ! Não tem a configuração de Produção definida."));
    ProductionDocument d = doc; // the caller's document changes only when the posting is committed
    d.Lote = ZerarLote(d.Lote);
    if (d.Lote.trimmed().isEmpty() || !d.Lote.trimmed().toLongLong())
        return Falha(QStringLiteral("Lote de produção inválido: %1").arg(doc.Lote));
    if (d.ProdutoAcabado.trimmed().isEmpty() || d.Armazem.trimmed().isEmpty() || d.Quantidade <= Currency())
        return Falha(QStringLiteral("Preenchimento Incompleto!"));
    if (!QDate::fromString(d.Data, QStringLiteral("yyyy-MM-dd")).isValid())
        return Falha(QStringLiteral("Data inválida: %1").arg(d.Data));
    const bool segundaFase = !d.Nova;
    for (auto [doc2, tipo] : {std::pair{&d.Saida, cfg.tipoSaida}, std::pair{&d.Ent, cfg.tipoEnt},
                              std::pair{&d.Ret, cfg.tipoRet}, std::pair{&d.Ref, cfg.tipoRef}})
        if (doc2->tipo.trimmed().isEmpty() && !(d.Medicoes && (doc2 == &d.Ret || doc2 == &d.Ref)))
            doc2->tipo = tipo;
    if (d.Saida.tipo.isEmpty() || d.Ent.tipo.isEmpty())
        return Falha(QStringLiteral("A T E N Ç Ã O ! Não tem a configuração de Produção definida."));
    if (d.Cliente.isEmpty())
        d.Cliente = cfg.cliente;
    if (d.Fornece.isEmpty())
        d.Fornece = cfg.fornece;
    if (d.Precario.isEmpty())
        d.Precario = cfg.precario;
    const bool fecha = segundaFase || fase == FaseProducao::Encerra || d.Ret.tipo.isEmpty() || d.Ref.tipo.isEmpty();

    // Every other production posting waits here until this one ends.
    TransaccaoProducao t(db);
    if (!t.ok())
        return Falha(db.lastError());

    Lancamento lanc(ctx, d);
    // The company's parameters read once under the lock, for the period and the costs. Both phases
    // post on the production date: a lot still pending when its period was closed cannot take its
    // adjustments there.
    const auto parametros = ParametrosEmpresa::ler(db);
    if (!parametros)
        return parametros.falha();
    lanc.m_parametros = *parametros;
    if (const auto periodo = PeriodoEmAberto(ctx, d.Data, ctx.armazem, *parametros); !periodo)
        return Falha(periodo.mensagem().isEmpty() ? QStringLiteral("Data inválida: %1").arg(d.Data) : periodo.mensagem(),
                     QStringLiteral("Data"));
    Currency custoAnterior;
    qint64 linhaEntrada = 0;
    if (segundaFase) {
        // Read again under the lock: another workstation may have closed the lot meanwhile.
        const auto r = db.primeiraLinha(QStringLiteral("SELECT Fechado, custoTotal, tipoSaida, NumeroSaida, DataSaida, "
                                                       "tipoent, Numeroent, Dataent, tipoRet, Numeroret, Dataret, "
                                                       "tiporef, Numeroref, Dataref, quantidade FROM Lotes WHERE "
                                                       "lote=? ORDER BY NumRegisto") +
                                        db.dialect().limite(1),
                                        {d.Lote});
        if (!r)
            return Falha(QStringLiteral("Lote inexistente: %1").arg(d.Lote));
        if (r->at(0).toInt() == 1)
            return Falha(QStringLiteral("O lote %1 já está encerrado.").arg(d.Lote));
        custoAnterior = Currency::fromVariant(r->at(1));
        d.Saida = {r->at(2).toString(), r->at(3).toString(), r->at(4).toString()};
        d.Ent = {r->at(5).toString(), r->at(6).toString(), r->at(7).toString()};
        d.Ret = {r->at(8).toString(), r->at(9).toString(), r->at(10).toString()};
        d.Ref = {r->at(11).toString(), r->at(12).toString(), r->at(13).toString()};
        d.Quantidade = Currency::fromVariant(r->at(14));
        for (DocumentoProducao* x : {&d.Ret, &d.Ref})
            if (x->tipo.trimmed().isEmpty())
                x->tipo = x == &d.Ret ? cfg.tipoRet : cfg.tipoRef;
    }

    if (auto r = numerar(db, d); !r)
        return r.falha();

    // Lot number: past every lot taken meanwhile by another workstation.
    if (d.Nova) {
        for (;;) {
            const auto existe = db.lerValor(QStringLiteral("SELECT 1 FROM Lotes WHERE lote=?") + db.dialect().limite(1),
                                            {d.Lote});
            if (!existe)
                return existe.falha();
            if (!existe->isValid())
                break;
            d.Lote = ZerarLote(QString::number(d.Lote.toLongLong() + 1));
        }
        // A made-to-measure piece of a lot-kept product comes out under its production lot's number,
        // so that it can be traced and issued later like any other lot.
        if (d.Medicoes && d.LoteProdutoAcabado.trimmed().isEmpty() && ctx.Lotes &&
            db.scalar(QStringLiteral("SELECT Lote FROM Produtos WHERE Codigo=?"), {d.ProdutoAcabado}).toInt() == 1) {
            d.LoteProdutoAcabado = d.Lote;
            d.DataFabricoProdutoAcabado = d.Data;
            const auto existente = LerLoteProduto(db, d.ProdutoAcabado, d.Lote);
            if (!existente)
                return existente.falha();
            if (*existente) {
                d.DataFabricoProdutoAcabado = (*existente)->dataFabrico;
                d.DataValidadeProdutoAcabado = (*existente)->dataValidade;
            } else {
                LoteProduto novo;
                novo.produto = d.ProdutoAcabado;
                novo.codigo = d.Lote;
                novo.dataFabrico = d.Data;
                novo.observa = ObservaLoteAutomatico;
                if (auto r = InserirLoteProduto(ctx, novo); !r)
                    return r.falha();
            }
        }
    }

    Currency custo;
    if (!segundaFase) {
        // Entry at price 0; its cost is known only after the consumption.
        LinhaMovProduto e = lanc.linhaBase(d.Ent, d.ProdutoAcabado, QStringLiteral("E+"), d.Quantidade, {}, false);
        e.definir(Col::CliFor, "F");
        e.definir(Col::Terceiro, d.Fornece);
        e.definir(Col::Armazem, d.Armazem);
        e.definir(Col::Localizacao, d.LocalizacaoProdutoAcabado);
        e.definir(Col::Lote, d.LoteProdutoAcabado);
        e.definir(Col::DataFabrico, d.DataFabricoProdutoAcabado);
        e.definir(Col::DataValidade, d.DataValidadeProdutoAcabado);
        if (!d.ForneceExterno.trimmed().isEmpty())
            e.definir(Col::Fornece, d.ForneceExterno.trimmed());
        if (!d.OutUniCod.isEmpty()) {
            e.definir(Col::OutUniCod, d.OutUniCod);
            e.definir(Col::OutUniQuant, d.OutUniQuant);
        }
        OpcoesLancamento op;
        op.actualizarCustoMedioFicha = false; // set below from the real cost
        op.calcularCustoMedio = false;
        const auto entrada = LancaMovProduto(ctx, e, op);
        if (!entrada)
            return Lancamento::recusado(d.ProdutoAcabado, entrada.mensagem());
        linhaEntrada = *entrada;

        if (!d.Saida.numerado() && !d.Ent.numerado())
            return Falha(QStringLiteral("O registo na tabela de lotes está sem referência aos documento "
                                               "gerados!\nFavor de tentar novamente."));
        Registo lote;
        lote("lote", d.Lote)("Produto", d.ProdutoAcabado)("precario", "0")("custoTotal", "0")("armazem", d.Armazem)(
            "quantidade", d.Quantidade.toVariant())("tipoSaida", d.Saida.tipo)("tipoRet", d.Ret.tipo)(
            "tiporef", d.Ref.tipo)("tipoent", d.Ent.tipo)("Fechado", fecha ? 1 : 0);
        if (d.Medicoes)
            lote("MedicoesAltura", d.MedicoesAltura.toVariant())("MedicoesLargura", d.MedicoesLargura.toVariant());
        if (db.insert(QStringLiteral("Lotes"), lote) <= 0)
            return Falha(QStringLiteral("Já existe o lote %1!\nFavor de tentar novamente.").arg(d.Lote));

        lanc.lerPrecos(d.linhas);
        const auto consumo = lanc.consumos(d.Saida);
        if (!consumo)
            return consumo.falha();
        custo = *consumo;
    } else {
        for (const LinhaProducao& l : d.linhas) {
            if (l.acertos.isZero())
                continue;
            const bool reforco = l.acertos > Currency();
            const auto valor = lanc.linhaMateria(l, reforco ? d.Ref : d.Ret,
                                                 reforco ? QStringLiteral("S+") : QStringLiteral("S-"), l.acertos.abs(), true);
            if (!valor)
                return valor.falha();
            custo += reforco ? *valor : -*valor;
        }
    }

    // A fixed price on the bill replaces what was consumed.
    Currency custoTotal = custoAnterior + custo;
    const Currency precoFixo = lanc.precoFixo();
    if (precoFixo > Currency() && !d.Medicoes)
        custoTotal = precoFixo.multiply(d.Quantidade, Currency::Arredondamento::MetadeAfastaDeZero);
    const Currency precario = d.Quantidade.isZero() ? Currency() : custoTotal.divide(d.Quantidade, Currency::Arredondamento::MetadeAfastaDeZero);

    Registo upd;
    upd("custoTotal", custoTotal.toVariant())("precario", precario.toVariant())("Fechado", fecha ? 1 : 0);
    auto docCols = [&](const DocumentoProducao& x, const char* num, const char* data) {
        if (x.numerado())
            upd(QLatin1String(num), x.numero)(QLatin1String(data), x.data);
    };
    docCols(d.Saida, "NumeroSaida", "DataSaida");
    docCols(d.Ret, "Numeroret", "Dataret");
    docCols(d.Ref, "Numeroref", "Dataref");
    docCols(d.Ent, "Numeroent", "Dataent");
    if (!db.update(QStringLiteral("Lotes"), upd.colunas, upd.valores, QStringLiteral("WHERE lote=?"), {d.Lote}))
        return Falha(db.lastError());

    // The entry row takes the production's unit cost.
    if (linhaEntrada <= 0) {
        linhaEntrada = db.scalar(QStringLiteral("SELECT NumRegisto FROM MovProduto WHERE Tipo=? AND Numero=? AND "
                                                "Data=? AND Codigo=? ORDER BY NumRegisto") +
                                     db.dialect().limite(1),
                                 {d.Ent.tipo, d.Ent.numero, d.Ent.data, d.ProdutoAcabado})
                           .toLongLong();
        if (linhaEntrada <= 0)
            return Falha(QStringLiteral("Não foi encontrada a entrada do lote %1.").arg(d.Lote));
    }
    const QVariant p = precario.toVariant();
    if (!db.update(QStringLiteral("MovProduto"),
                   {Col::Preco, Col::PrecoAplicado, Col::UPCompra, Col::UPCusto, Col::Armazem_UPCompra,
                    Col::Armazem_UPCusto, Col::ValorIliq},
                   {p, p, p, p, p, p, custoTotal.toVariant()}, QStringLiteral("WHERE NumRegisto=?"), {linhaEntrada}))
        return Falha(db.lastError());

    // Average cost of the entry as of its place in the ledger, and of the product file over all of it.
    const QString dataEnt = d.Ent.data.isEmpty() ? d.Data : d.Ent.data;
    // The company's rule as read under this transaction, instead of reading it again for each average.
    CorteCustoMedio tudo;
    tudo.regra = lanc.m_parametros.regraCustoMedio();
    CorteCustoMedio corte = tudo;
    corte.data = dataEnt;
    corte.numRegisto = linhaEntrada;
    corte.porDataERegisto = true;
    const auto pmc = CalculaPrecoMedioCusto(db, d.ProdutoAcabado, {}, corte);
    corte.armazem = d.Armazem;
    const auto pmcArmazem = CalculaPrecoMedioCusto(db, d.ProdutoAcabado, {}, corte);
    if (!pmc || !pmcArmazem ||
        !db.update(QStringLiteral("MovProduto"), {Col::PMCusto, Col::Armazem_PMCusto},
                   {pmc->toVariant(), pmcArmazem->toVariant()}, QStringLiteral("WHERE NumRegisto=?"), {linhaEntrada}))
        return Falha(db.lastError());
    // An entry that ends the product's history gives the file its own average; otherwise the whole
    // history is read.
    const int ficha = GravaCustoMedioFichaSeUltimaLinha(db, d.ProdutoAcabado, *pmc, linhaEntrada, dataEnt);
    if (ficha < 0)
        return Falha(db.lastError());
    if (ficha == 0) {
        const auto pmcFicha = CalculaPrecoMedioCusto(db, d.ProdutoAcabado, {}, tudo);
        if (!pmcFicha || !GravaCustoMedioFicha(db, d.ProdutoAcabado, *pmcFicha))
            return Falha(db.lastError());
    }
    if (!GravaUltimosPrecosEntrada(db, d.ProdutoAcabado, precario, linhaEntrada, dataEnt))
        return Falha(db.lastError());

    // Counters, after all rows.
    QList<QPair<QString, QString>> numeros;
    for (const DocumentoProducao* x : {&d.Saida, &d.Ent, &d.Ret, &d.Ref})
        if (x->numerado())
            numeros.append({x->tipo, x->numero});
    if (!ActualizaUltLote(db, d.Lote) || !ActualizaUltNumeros(db, numeros))
        return Falha(db.lastError());

    const bool actualizaPreco = lanc.actualizaPreco();
    if (!t.commit())
        return Falha(db.lastError().isEmpty() ? QStringLiteral("Não foi possível gravar a produção.") : db.lastError());

    d.Situacao = fecha ? SituacaoEncerrada : SituacaoPendente;
    d.Nova = false;
    doc = d;
    ResultadoProducao resultado;
    resultado.lote = d.Lote;
    resultado.saida = d.Saida;
    resultado.ent = d.Ent;
    resultado.ret = d.Ret;
    resultado.ref = d.Ref;
    resultado.custoTotal = custoTotal;
    resultado.precario = precario;
    resultado.fechado = fecha;
    resultado.actualizaPreco = actualizaPreco;
    return resultado;
}

} // namespace

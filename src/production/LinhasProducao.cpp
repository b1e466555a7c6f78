#include "stock/VerificacoesStock.h"
#include "production/LinhasProducao.h"

#include "common/Arredondamento.h"
#include "stock/MovimentosStock.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "company/ParametrosEmpresa.h"

#include <QHash>
#include <QSqlQuery>

namespace {

bool controlaLote(GlobalContext& ctx, const QString& produto) {
    if (!ctx.Lotes)
        return false;
    return ctx.bd().scalar(QStringLiteral("SELECT Lote FROM Produtos WHERE Codigo=?"), {produto}).toInt() == 1;
}

Currency somaDocumento(Database& db, const DocumentoProducao& doc, const QString& produto, const QString& lote) {
    if (!doc.numerado())
        return {};
    return Currency::fromVariant(db.scalar(QStringLiteral("SELECT SUM(QuantNormal) FROM MovProduto WHERE Codigo=? AND "
                                                          "Tipo=? AND Numero=? AND Ano=? AND Lote=?"),
                                           {produto, doc.tipo, doc.numero, doc.data.left(4), lote}));
}

} // namespace

bool LerLoteProducao(GlobalContext& ctx, ProductionDocument& doc) {
    Database& db = ctx.bd();
    doc.Lote = ZerarLote(doc.Lote);
    doc.Saida = doc.Ent = doc.Ret = doc.Ref = {};
    doc.Nova = true;
    doc.Situacao = SituacaoInicio;
    const auto r = db.primeiraLinha(QStringLiteral("SELECT Fechado, Produto, DataSaida, armazem, quantidade, tipoSaida, "
                                                   "NumeroSaida, DataSaida, tipoent, Numeroent, Dataent, tipoRet, "
                                                   "Numeroret, Dataret, tiporef, Numeroref, Dataref FROM Lotes WHERE "
                                                   "lote=? ORDER BY NumRegisto") +
                                        db.dialect().limite(1),
                                    {doc.Lote});
    if (!r)
        return false;
    doc.Nova = false;
    doc.Situacao = r->at(0).toInt() == 1 ? SituacaoEncerrada : SituacaoPendente;
    doc.ProdutoAcabado = r->at(1).toString();
    doc.Data = r->at(2).toString();
    doc.Armazem = r->at(3).toString();
    doc.Quantidade = Currency::fromVariant(r->at(4));
    doc.Saida = {r->at(5).toString(), r->at(6).toString(), r->at(7).toString()};
    doc.Ent = {r->at(8).toString(), r->at(9).toString(), r->at(10).toString()};
    doc.Ret = {r->at(11).toString(), r->at(12).toString(), r->at(13).toString()};
    doc.Ref = {r->at(14).toString(), r->at(15).toString(), r->at(16).toString()};
    doc.DescProdutoAcabado = db.scalar(QStringLiteral("SELECT Descricao FROM Produtos WHERE Codigo=?"),
                                       {doc.ProdutoAcabado})
                                 .toString();
    return true;
}

Currency QuantidadeOrdem(GlobalContext& ctx, const QString& produto, const Currency& quantNomenclatura,
                         const Currency& quantProduzir, bool naoMultiplica) {
    Currency q = naoMultiplica ? quantNomenclatura : quantNomenclatura.multiply(quantProduzir, Currency::Arredondamento::MetadeAfastaDeZero);
    QString unidade, direccao;
    if (!VerificacoesStock(ctx).ControlaUnidades(ctx.bd(), unidade, q, produto, direccao, QStringLiteral("S+"), false))
        q = ArredondaValor(q, 0, 3);
    return q;
}

int CarregarListaNomenc(GlobalContext& ctx, ProductionDocument& doc) {
    Database& db = ctx.bd();
    doc.linhas.clear();
    struct Bom {
        qint64 numRegisto;
        QString prima, descricao, armazem, observa, formula;
        Currency quantidade, factor;
        QString unidade;
    };
    std::vector<Bom> bom;
    // The raw material's unit comes with its line: one read for the whole bill.
    db.percorrer(QStringLiteral("SELECT n.NumRegisto, n.ProdutoPrima, n.descprodutoprima, n.Armazem, n.observa, "
                                "n.FactorFormula, n.quantidade, n.Factor, n.Fixa, n.CtrlQuantidades, "
                                "(SELECT p.UnidadeVenda FROM Produtos p WHERE p.Codigo=n.ProdutoPrima ORDER BY "
                                "p.NumRegisto%1) FROM Nomenclatura n WHERE n.ProdutoAcabado=? "
                                "ORDER BY n.ProdutoPrima, n.NumRegisto").arg(db.dialect().limite(1)),
                 {doc.ProdutoAcabado}, [&](const QSqlQuery& q) {
                     if (bom.empty()) {
                         doc.Fixa = q.value(8).toInt() == 1;
                         doc.CtrlQuantidades = q.value(9).toInt() == 1;
                     }
                     bom.push_back({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(),
                                    q.value(3).toString(), q.value(4).toString(), q.value(5).toString(),
                                    Currency::fromVariant(q.value(6)), Currency::fromVariant(q.value(7)),
                                    q.value(10).toString()});
                 });
    VerificacoesStock verif(ctx);
    if (doc.Nova) {
        for (const Bom& b : bom) {
            LinhaProducao l;
            l.numRegisto = b.numRegisto;
            l.produto = b.prima;
            l.descricao = b.descricao;
            l.unidade = b.unidade;
            l.nomenclatura = b.quantidade.rounded(qBound(0, ctx.casasdecProducao, 4), Currency::Arredondamento::MetadeAfastaDeZero);
            l.ordemProducao = QuantidadeOrdem(ctx, b.prima, b.quantidade, doc.Quantidade, doc.NaoMultiplica);
            l.armazem = b.armazem;
            l.localizacao = verif.VerLocalizacao(db, b.prima, b.armazem, QStringLiteral("S+"), false);
            l.observacoes = b.observa;
            l.factor = b.factor;
            l.formula = b.formula;
            doc.linhas.push_back(l);
        }
        return int(doc.linhas.size());
    }
    // A lot read back: the finished product's location and batch, then its consumption rows.
    const QString ano = doc.Saida.data.left(4);
    if (const auto e = db.primeiraLinha(QStringLiteral("SELECT Localizacao, Lote, DataFabrico, DataValidade FROM MovProduto "
                                                       "WHERE Codigo=? AND Tipo=? AND Numero=? AND Ano=? ORDER BY NumRegisto") +
                                            db.dialect().limite(1),
                                        {doc.ProdutoAcabado, doc.Ent.tipo, doc.Ent.numero, doc.Ent.data.left(4)})) {
        doc.LocalizacaoProdutoAcabado = e->at(0).toString();
        doc.LoteProdutoAcabado = e->at(1).toString();
        doc.DataFabricoProdutoAcabado = e->at(2).toString();
        doc.DataValidadeProdutoAcabado = e->at(3).toString();
    }
    for (const Bom& b : bom) {
        db.percorrer(QStringLiteral("SELECT NumRegisto, Codigo, Descricao, Unidade, quantidade, QuantNormal, Armazem, "
                                    "Localizacao, Lote, DataFabrico, DataValidade, observa FROM MovProduto WHERE "
                                    "Codigo=? AND Tipo=? AND Numero=? AND Ano=? ORDER BY NumRegisto"),
                     {b.prima, doc.Saida.tipo, doc.Saida.numero, ano}, [&](const QSqlQuery& q) {
                         LinhaProducao l;
                         l.numRegisto = q.value(0).toLongLong();
                         l.produto = q.value(1).toString();
                         l.descricao = q.value(2).toString();
                         l.unidade = q.value(3).toString();
                         l.nomenclatura = b.quantidade.rounded(qBound(0, ctx.casasdecProducao, 4), Currency::Arredondamento::MetadeAfastaDeZero);
                         l.ordemProducao = Currency::fromVariant(q.value(5));
                         l.armazem = q.value(6).toString();
                         l.localizacao = q.value(7).toString();
                         l.lote = q.value(8).toString();
                         l.dataFabrico = q.value(9).toString();
                         l.dataValidade = q.value(10).toString();
                         l.observacoes = q.value(11).toString();
                         l.factor = b.factor;
                         l.formula = b.formula;
                         doc.linhas.push_back(l);
                     });
    }
    for (LinhaProducao& l : doc.linhas) {
        const Currency reforco = somaDocumento(db, doc.Ref, l.produto, l.lote);
        const Currency retorno = somaDocumento(db, doc.Ret, l.produto, l.lote);
        l.acertos = !retorno.isZero() ? -retorno : reforco;
    }
    return int(doc.linhas.size());
}

VerificacaoLote VerificaExecutarLote(GlobalContext& ctx, const ProductionDocument& doc) {
    VerificacaoLote v;
    Database& db = ctx.bd();
    VerificacoesStock verif(ctx);
    const bool pendente = !doc.Nova;
    auto quantidade = [&](const LinhaProducao& l) { return pendente ? l.acertos : l.ordemProducao; };
    for (int i = 0; i < int(doc.linhas.size()); ++i) {
        const LinhaProducao& l = doc.linhas[size_t(i)];
        if (quantidade(l).isZero() || !controlaLote(ctx, l.produto))
            continue;
        if (l.lote.trimmed().isEmpty()) {
            v.ok = false;
            v.linha = i;
            v.mensagem = QStringLiteral("Não definiu o LOTE no produto %1\n(%2)").arg(l.produto, l.descricao);
            return v;
        }
        // A return brings stock back: only what leaves needs covering.
        if (!verif.CtrlExistenciaProduto(db, l.produto, l.armazem) || quantidade(l) < Currency())
            continue;
        // Each location of the lot covers only the lines taken from it.
        Currency preciso;
        for (const LinhaProducao& o : doc.linhas)
            if (o.mesmaOrigem(l) && quantidade(o) > Currency())
                preciso += quantidade(o);
        FiltroExistencia f;
        f.produto = l.produto;
        f.armazem = l.armazem;
        f.localizacao = l.localizacao;
        f.lote = l.lote.trimmed();
        f.data = doc.Data;
        if (ExistenciaProduto(ctx, f) < preciso) {
            v.ok = false;
            v.linha = i;
            v.mensagem = QStringLiteral("O produto %1  %2 não tem existência!\r[Produto com Controlo de Extstência]")
                             .arg(l.produto, l.descricao);
            return v;
        }
    }
    if (doc.CtrlQuantidades) {
        Currency soma;
        for (const LinhaProducao& l : doc.linhas)
            soma += l.ordemProducao + l.acertos;
        if (soma != doc.Quantidade) {
            v.ok = false;
            v.mensagem = QStringLiteral("A quantidade do produto acabado é diferente do somatório das quantidades das "
                                        "matérias primas!\nNão pode continuar.");
            v.titulo = QStringLiteral("Controlo de Quantidades (def. na nomenclatura)");
            v.icone = UserInteraction::Icone::Exclamacao;
        }
    }
    return v;
}

AnaliseProducao AnalisaProducao(GlobalContext& ctx, const ProductionDocument& doc, bool apenasComControlo) {
    AnaliseProducao a;
    Database& db = ctx.bd();
    bool primeira = true, semStock = false;
    Currency custo;
    const ParametrosEmpresa parametros = ParametrosEmpresa::ler(db).valorOu({});
    struct Bom {
        QString prima, armazem, precario;
        Currency quant, preco, pmc, upCompra, upCusto;
    };
    std::vector<Bom> bom; // read whole first: the balances below need the connection
    db.percorrer(QStringLiteral("SELECT n.ProdutoPrima, n.Armazem, n.quantidade, n.preco, n.precario, p.PrecoMedioCusto, "
                                "p.UltPrecoCompra, p.UltPrecoCusto FROM Nomenclatura n LEFT JOIN Produtos p ON "
                                "p.Codigo=n.ProdutoPrima WHERE n.ProdutoAcabado=? ORDER BY n.ProdutoPrima, n.NumRegisto"),
                 {doc.ProdutoAcabado}, [&](const QSqlQuery& q) {
                     bom.push_back({q.value(0).toString(), q.value(1).toString(),
                                    q.value(4).toString().trimmed().toUpper(), Currency::fromVariant(q.value(2)),
                                    Currency::fromVariant(q.value(3)), Currency::fromVariant(q.value(5)),
                                    Currency::fromVariant(q.value(6)), Currency::fromVariant(q.value(7))});
                 });
    for (const Bom& b : bom) {
        FiltroSaldo f;
        f.produto = b.prima;
        f.armazem = b.armazem;
        const Currency stock = SaldoProdutoArmazem(db, f).valorOu(Currency());
        if (stock <= Currency() || b.quant <= Currency()) {
            semStock = semStock || stock <= Currency();
        } else {
            const Currency c = stock.divide(b.quant, Currency::Arredondamento::MetadeAfastaDeZero);
            if (primeira || c < a.capacidade)
                a.capacidade = c;
            primeira = false;
        }
        Currency preco = b.pmc;
        if (parametros.existe &&
            (b.prima == parametros.prodDiversos.trimmed() || b.prima == parametros.prodDiversos2.trimmed()))
            preco = b.preco;
        else if (b.precario == QStringLiteral("ULTPRECOCOMPRA"))
            preco = b.upCompra;
        else if (b.precario == QStringLiteral("ULTPRECOCUSTO"))
            preco = b.upCusto;
        custo += b.quant.multiply(preco, Currency::Arredondamento::MetadeAfastaDeZero);
    }
    if (semStock)
        a.capacidade = Currency();
    a.custoUnitario = custo;
    const Currency fixo = Currency::fromVariant(db.scalar(
        QStringLiteral("SELECT ProdutoAcabadoPreco FROM Nomenclatura WHERE ProdutoAcabado=? ORDER BY NumRegisto") +
            db.dialect().limite(1),
        {doc.ProdutoAcabado}));
    if (fixo > Currency())
        a.custoUnitario = fixo;

    VerificacoesStock verif(ctx);
    QHash<QString, bool> visto;
    for (const LinhaProducao& l : doc.linhas) {
        if (apenasComControlo && !verif.CtrlExistenciaProduto(db, l.produto, l.armazem))
            continue;
        FiltroSaldo f;
        f.produto = l.produto;
        f.armazem = l.armazem;
        f.localizacao = l.localizacao;
        if (!l.lote.trimmed().isEmpty())
            f.lote = l.lote.trimmed();
        const Currency quant = doc.Nova ? l.ordemProducao : l.acertos;
        if (SaldoProdutoArmazem(db, f).valorOu(Currency()) < quant && !visto.contains(l.produto)) {
            visto.insert(l.produto, true);
            a.insuficientes.append({l.produto, l.descricao});
        }
    }
    return a;
}

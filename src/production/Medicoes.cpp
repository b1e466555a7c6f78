#include "production/Medicoes.h"

#include "company/GlobalContext.h"
#include "db/Database.h"
#include "session/LogGeral.h"
#include "stock/VerificacoesStock.h"

#include <QDate>
#include <QSqlQuery>

namespace {

constexpr auto Metade = Currency::Arredondamento::MetadeAfastaDeZero;

bool tipoValido(const QString& t) {
    return t == QStringLiteral("A") || t == QStringLiteral("L") || t == QStringLiteral("F");
}

Resultado<QString> descricaoProduto(Database& db, const QString& produto) {
    const auto r = db.lerPrimeiraLinha(QStringLiteral("SELECT Descricao FROM Produtos WHERE Codigo=?"), {produto});
    if (!r)
        return r.falha();
    if (!*r)
        return Falha(QStringLiteral("Produto Inexistente: %1").arg(produto), QStringLiteral("txtProduto"));
    return (*r)->at(0).toString();
}

Resultado<bool> armazemExiste(Database& db, const QString& armazem) {
    const auto r = db.lerValor(QStringLiteral("SELECT 1 FROM Armazens WHERE Codigo=?"), {armazem});
    if (!r)
        return r.falha();
    return r->isValid();
}

} // namespace

QString DescricaoTipoMedida(const QString& tipo) {
    const QString t = tipo.trimmed().toUpper();
    if (t == QStringLiteral("A"))
        return QStringLiteral("Altura");
    if (t == QStringLiteral("L"))
        return QStringLiteral("Largura");
    if (t == QStringLiteral("F"))
        return QStringLiteral("Fixo");
    return t;
}

QString OpcaoTipoMedida(const QString& tipo) {
    return tipo.trimmed().toUpper() == QStringLiteral("F") ? QStringLiteral("Unidade Fixa") : DescricaoTipoMedida(tipo);
}

QString LinhaCalculoMedicoes::controlo() const {
    return (tipoMedida == QStringLiteral("F") ? QStringLiteral("1*") : QStringLiteral("0*")) + produto.toUpper();
}

Resultado<std::vector<ResumoTemplateMedicoes>> ListarTemplatesMedicoes(Database& db, const QString& produto) {
    QString sql = QStringLiteral("SELECT m.ProdutoAcabado, MAX(p.Descricao), MAX(m.Altura), MAX(m.Largura) "
                                 "FROM NomenclaturaMedicoes m LEFT JOIN Produtos p ON p.Codigo=m.ProdutoAcabado "
                                 "WHERE m.NumRegisto>0");
    QVariantList valores;
    const QString filtro = produto.trimmed();
    if (!filtro.isEmpty() && filtro != QStringLiteral("Todos")) {
        sql += QStringLiteral(" AND m.ProdutoAcabado=?");
        valores << filtro;
    }
    sql += QStringLiteral(" GROUP BY m.ProdutoAcabado ORDER BY m.ProdutoAcabado");
    std::vector<ResumoTemplateMedicoes> lista;
    if (!db.percorrer(sql, valores, [&](const QSqlQuery& q) {
            lista.push_back({q.value(0).toString().trimmed(), q.value(1).toString(), Currency::fromVariant(q.value(2)),
                             Currency::fromVariant(q.value(3))});
        }))
        return Falha(db.lastError());
    return lista;
}

Resultado<std::optional<TemplateMedicoes>> LerTemplateMedicoes(Database& db, const QString& produto) {
    std::optional<TemplateMedicoes> t;
    const bool ok = db.percorrer(
        QStringLiteral("SELECT m.ProdutoAcabado, pa.Descricao, m.Altura, m.Largura, m.ArmazemEntrada, m.ProdutoMPrima, "
                       "pm.Descricao, m.Quantidade, m.TipoMedida, m.Medida, m.ArmazemSaida, m.Utilizador, m.DataSys "
                       "FROM NomenclaturaMedicoes m LEFT JOIN Produtos pa ON pa.Codigo=m.ProdutoAcabado "
                       "LEFT JOIN Produtos pm ON pm.Codigo=m.ProdutoMPrima WHERE m.ProdutoAcabado=? "
                       "ORDER BY m.NumRegisto"),
        {produto.trimmed()}, [&](const QSqlQuery& q) {
            if (!t) {
                t.emplace();
                t->produtoAcabado = q.value(0).toString().trimmed();
                t->descricao = q.value(1).toString();
                t->altura = Currency::fromVariant(q.value(2));
                t->largura = Currency::fromVariant(q.value(3));
                t->armazemEntrada = q.value(4).toString().trimmed();
                t->utilizador = q.value(11).toString().trimmed();
                t->dataSys = q.value(12).toString();
            }
            LinhaMedicao l;
            l.produto = q.value(5).toString().trimmed();
            l.descricao = q.value(6).toString();
            l.quantidade = Currency::fromVariant(q.value(7));
            l.tipoMedida = q.value(8).toString().trimmed().toUpper();
            l.medida = Currency::fromVariant(q.value(9));
            l.armazemSaida = q.value(10).toString().trimmed();
            t->linhas.push_back(l);
        });
    if (!ok)
        return Falha(db.lastError());
    return t;
}

Resultado<> ValidaLinhaMedicao(Database& db, const LinhaMedicao& l) {
    const QString produto = l.produto.trimmed();
    if (produto.isEmpty())
        return Falha(QStringLiteral("Não definiu o Produto!"), QStringLiteral("txtProduto"));
    if (auto d = descricaoProduto(db, produto); !d)
        return d.falha();
    if (l.quantidade <= Currency())
        return Falha(QStringLiteral("A quantidade tem de ser maior que zero!"), QStringLiteral("txtQuantidade"));
    if (!tipoValido(l.tipoMedida.trimmed().toUpper()))
        return Falha(QStringLiteral("Tipo de medida inválido: %1 (Altura, Largura ou Unidade Fixa).").arg(l.tipoMedida),
                     QStringLiteral("optMedicoes"));
    if (l.medida <= Currency())
        return Falha(QStringLiteral("A medida tem de ser maior que zero!"), QStringLiteral("txtMedida"));
    const QString armazem = l.armazemSaida.trimmed();
    if (!armazem.isEmpty()) {
        const auto existe = armazemExiste(db, armazem);
        if (!existe)
            return existe.falha();
        if (!*existe)
            return Falha(QStringLiteral("Armazém Inexistente: %1").arg(armazem), QStringLiteral("txtArmazem"));
    }
    return {};
}

Resultado<> GravarTemplateMedicoes(GlobalContext& ctx, TemplateMedicoes t, bool novo) {
    Database& db = ctx.bd();
    t.produtoAcabado = t.produtoAcabado.trimmed();
    t.armazemEntrada = t.armazemEntrada.trimmed();
    if (t.produtoAcabado.isEmpty())
        return Falha(QStringLiteral("Não definiu o Produto!"), QStringLiteral("txtProduto"));
    const auto descricao = descricaoProduto(db, t.produtoAcabado);
    if (!descricao)
        return descricao.falha();
    t.descricao = *descricao;
    // Every calculation divides by these two.
    if (t.altura <= Currency())
        return Falha(QStringLiteral("Não definiu a Altura!"), QStringLiteral("txtAltura"));
    if (t.largura <= Currency())
        return Falha(QStringLiteral("Não definiu a Largura!"), QStringLiteral("txtLargura"));
    if (!t.armazemEntrada.isEmpty()) {
        const auto existe = armazemExiste(db, t.armazemEntrada);
        if (!existe)
            return existe.falha();
        if (!*existe)
            return Falha(QStringLiteral("Armazém Inexistente: %1").arg(t.armazemEntrada), QStringLiteral("txtArmazem"));
    }
    if (t.linhas.empty())
        return Falha(QStringLiteral("Não definiu as Matérias Primas!"), QStringLiteral("lvwLista"));
    for (LinhaMedicao& l : t.linhas) {
        l.produto = l.produto.trimmed();
        l.tipoMedida = l.tipoMedida.trimmed().toUpper();
        l.armazemSaida = l.armazemSaida.trimmed();
        if (auto r = ValidaLinhaMedicao(db, l); !r)
            return Falha(QStringLiteral("Matéria prima %1: %2").arg(l.produto, r.mensagem()), QStringLiteral("lvwLista"));
        // Its own raw material would consume what it makes.
        if (l.produto == t.produtoAcabado)
            return Falha(QStringLiteral("O produto acabado não pode ser matéria prima de si próprio!"),
                         QStringLiteral("lvwLista"));
    }

    Transaction tr(db);
    if (!tr.ok())
        return Falha(db.lastError());
    if (novo) {
        const auto existe = db.lerValor(QStringLiteral("SELECT 1 FROM NomenclaturaMedicoes WHERE ProdutoAcabado=?") +
                                            db.dialect().limite(1),
                                        {t.produtoAcabado});
        if (!existe)
            return existe.falha();
        if (existe->isValid())
            return Falha(QStringLiteral("Produto já foi Configurado!"), QStringLiteral("txtProduto"));
    }
    if (!db.exec(QStringLiteral("DELETE FROM NomenclaturaMedicoes WHERE ProdutoAcabado=?"), {t.produtoAcabado}))
        return Falha(db.lastError());
    const QString agora = db.agoraServidor().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    for (const LinhaMedicao& l : t.linhas) {
        Registo r;
        r("ProdutoAcabado", t.produtoAcabado)("Altura", t.altura.toVariant())("Largura", t.largura.toVariant())(
            "ArmazemEntrada", t.armazemEntrada)("ProdutoMPrima", l.produto)("Quantidade", l.quantidade.toVariant())(
            "TipoMedida", l.tipoMedida)("Medida", l.medida.toVariant())("ArmazemSaida", l.armazemSaida)(
            "Utilizador", ctx.CodigoUtilizador)("DataSys", agora);
        if (db.insert(QStringLiteral("NomenclaturaMedicoes"), r) <= 0)
            return Falha(db.lastError());
    }
    EntradaLog log;
    log.modulo = QStringLiteral("TB");
    log.accao = novo ? QStringLiteral("N") : QStringLiteral("A");
    log.descricao = t.produtoAcabado + QStringLiteral(" - ") + t.descricao;
    if (!LogGeral(ctx, log) || !tr.commit())
        return Falha(db.lastError().isEmpty() ? QStringLiteral("Não foi possível gravar a nomenclatura.") : db.lastError());
    return {};
}

Resultado<> EliminarTemplateMedicoes(GlobalContext& ctx, const QString& produto) {
    Database& db = ctx.bd();
    const QString codigo = produto.trimmed();
    const QString descricao = descricaoProduto(db, codigo).valorOu({});
    Transaction tr(db);
    if (!tr.ok())
        return Falha(db.lastError());
    const int apagadas =
        db.executarContando(QStringLiteral("DELETE FROM NomenclaturaMedicoes WHERE ProdutoAcabado=?"), {codigo});
    if (apagadas < 0)
        return Falha(db.lastError());
    if (apagadas == 0)
        return Falha(QStringLiteral("Nomenclatura Inexistente: %1").arg(codigo));
    EntradaLog log;
    log.modulo = QStringLiteral("TB");
    log.accao = QStringLiteral("E");
    log.descricao = codigo + QStringLiteral(" - ") + descricao;
    if (!LogGeral(ctx, log) || !tr.commit())
        return Falha(db.lastError().isEmpty() ? QStringLiteral("Não foi possível eliminar a nomenclatura.") : db.lastError());
    return {};
}

Currency RazaoMedicao(const Currency& novo, const Currency& base) {
    if (base.isZero())
        return {};
    // Percent first, then back to a ratio: each step kept to four decimals.
    const Currency percentagem = novo.multiply(Currency(100), Metade).divide(base, Metade);
    return percentagem.divide(Currency(100), Metade).rounded(4, Metade);
}

Resultado<CalculoMedicoes> CalculaMedicoes(const TemplateMedicoes& t, const Currency& altura, const Currency& largura,
                                          const Currency& quantidade) {
    if (altura <= Currency())
        return Falha(QStringLiteral("A Nova Altura tem de ser maior que zero!"), QStringLiteral("txtAltura"));
    if (largura <= Currency())
        return Falha(QStringLiteral("A Nova Largura tem de ser maior que zero!"), QStringLiteral("txtLargura"));
    if (quantidade <= Currency())
        return Falha(QStringLiteral("A Quantidade de Produto Acabado tem de ser maior que zero!"),
                     QStringLiteral("txtQuantidade"));
    // Only templates written by other means have a base of 0; scaling by it has no meaning.
    if (t.altura <= Currency() || t.largura <= Currency())
        return Falha(QStringLiteral("A nomenclatura do produto %1 não tem Altura e Largura base definidas!\n"
                                    "Corrija a nomenclatura antes de calcular.")
                         .arg(t.produtoAcabado));
    CalculoMedicoes c;
    c.produto = t.produtoAcabado;
    c.descricao = t.descricao;
    c.alturaBase = t.altura;
    c.larguraBase = t.largura;
    c.altura = altura;
    c.largura = largura;
    c.quantidade = quantidade;
    c.armazemEntrada = t.armazemEntrada;
    c.razaoAltura = RazaoMedicao(altura, t.altura);
    c.razaoLargura = RazaoMedicao(largura, t.largura);
    for (const LinhaMedicao& m : t.linhas) {
        LinhaCalculoMedicoes l;
        l.produto = m.produto;
        l.descricao = m.descricao;
        l.quantidade = m.quantidade.multiply(quantidade, Metade);
        l.tipoMedida = m.tipoMedida;
        l.medidaBase = m.medida;
        if (m.tipoMedida == QStringLiteral("A"))
            l.novaMedida = m.medida.multiply(c.razaoAltura, Metade);
        else if (m.tipoMedida == QStringLiteral("L"))
            l.novaMedida = m.medida.multiply(c.razaoLargura, Metade);
        else
            l.novaMedida = m.medida;
        l.quantidadeSaida = l.quantidade.multiply(l.novaMedida, Metade);
        l.armazem = m.armazemSaida;
        c.linhas.push_back(l);
    }
    return c;
}

Resultado<ValoresMedicoes> ValoresVendaMedicoes(Database& db, const CalculoMedicoes& c) {
    ValoresMedicoes v;
    for (const LinhaCalculoMedicoes& l : c.linhas) {
        const auto r = db.lerPrimeiraLinha(
            QStringLiteral("SELECT PrecoVenda1, PrecoVenda2, PrecoVenda3, PrecoVenda4 FROM Produtos WHERE Codigo=?"),
            {l.produto});
        if (!r)
            return r.falha();
        LinhaValoresMedicoes lv;
        lv.produto = l.produto;
        lv.descricao = l.descricao;
        lv.quantidade = l.quantidade;
        for (int i = 0; i < 4; ++i) {
            const Currency preco = *r ? Currency::fromVariant((*r)->at(i)) : Currency();
            lv.valores[size_t(i)] = l.quantidade.multiply(preco, Metade);
            v.totais[size_t(i)] += lv.valores[size_t(i)];
        }
        v.linhas.push_back(lv);
    }
    return v;
}

Resultado<ResultadoProducao> LancaMedicoes(GlobalContext& ctx, const CalculoMedicoes& pedido) {
    Database& db = ctx.bd();
    if (pedido.armazemEntrada.trimmed().isEmpty())
        return Falha(QStringLiteral("Não definiu o Armazém para entrada do Produto Acabado!"), QStringLiteral("txtArmazem"));
    for (const LinhaCalculoMedicoes& l : pedido.linhas)
        if (l.armazem.trimmed().isEmpty())
            return Falha(QStringLiteral("Não definiu o Armazém de Saida de M. Prima"), QStringLiteral("lvwLista"));

    // The figures posted are those of the template and the values asked, calculated here: a
    // calculation made for other values, or before the template changed, never reaches the stock.
    const auto modelo = LerTemplateMedicoes(db, pedido.produto);
    if (!modelo)
        return modelo.falha();
    if (!*modelo)
        return Falha(QStringLiteral("O produto %1 não tem nomenclatura de medições.").arg(pedido.produto));
    auto calculado = CalculaMedicoes(**modelo, pedido.altura, pedido.largura, pedido.quantidade);
    if (!calculado)
        return calculado.falha();
    CalculoMedicoes c = *calculado;
    if (c.linhas.size() != pedido.linhas.size())
        return Falha(QStringLiteral("A nomenclatura do produto %1 foi alterada entretanto.\nCalcule de novo.")
                         .arg(pedido.produto));
    c.armazemEntrada = pedido.armazemEntrada.trimmed();
    for (size_t i = 0; i < c.linhas.size(); ++i) {
        const LinhaCalculoMedicoes& p = pedido.linhas[i];
        LinhaCalculoMedicoes& l = c.linhas[i];
        if (p.produto != l.produto)
            return Falha(QStringLiteral("A nomenclatura do produto %1 foi alterada entretanto.\nCalcule de novo.")
                             .arg(pedido.produto));
        l.armazem = p.armazem.trimmed();
        l.lote = p.lote.trimmed();
        l.localizacao = p.localizacao.trimmed();
        l.dataFabrico = p.dataFabrico;
        l.dataValidade = p.dataValidade;
        if (l.quantidadeSaida <= Currency())
            return Falha(QStringLiteral("A quantidade a consumir de %1 é nula.").arg(l.produto));
    }

    const ConfigProducao cfg = LerConfigProducao(db);
    if (!cfg.existe)
        return Falha(QStringLiteral("A T E N Ç Ã O ! Não tem a configuração de Produção definida."));
    if (cfg.tipoSaida.trimmed().isEmpty())
        return Falha(QStringLiteral("Não definiu as configurações (Tipo de Movimento para Saídas)!"));
    if (cfg.tipoEnt.trimmed().isEmpty())
        return Falha(QStringLiteral("Não definiu as configurações (Tipo de Movimento para Entradas)!"));

    const auto produto = db.lerPrimeiraLinha(QStringLiteral("SELECT Descricao, ForneceExterno FROM Produtos WHERE Codigo=?"),
                                             {c.produto});
    if (!produto)
        return produto.falha();
    if (!*produto)
        return Falha(QStringLiteral("Produto Inexistente: %1").arg(c.produto));

    VerificacoesStock verif(ctx);
    ProductionDocument d;
    d.Lote = ProximoLote(db); // moved past lots taken meanwhile, under the posting lock
    d.ProdutoAcabado = c.produto;
    d.DescProdutoAcabado = (*produto)->at(0).toString();
    d.ForneceExterno = (*produto)->at(1).toString().trimmed();
    d.Quantidade = c.quantidade;
    d.Data = db.agoraServidor().date().toString(QStringLiteral("yyyy-MM-dd"));
    d.Armazem = c.armazemEntrada;
    d.LocalizacaoProdutoAcabado = verif.VerLocalizacao(db, c.produto, d.Armazem, QStringLiteral("E+"), false);
    d.Medicoes = true;
    d.MedicoesAltura = c.altura;
    d.MedicoesLargura = c.largura;
    d.Saida.tipo = cfg.tipoSaida;
    d.Ent.tipo = cfg.tipoEnt;
    for (const LinhaCalculoMedicoes& l : c.linhas) {
        LinhaProducao lp;
        lp.produto = l.produto;
        lp.descricao = l.descricao;
        lp.ordemProducao = l.quantidadeSaida;
        lp.armazem = l.armazem;
        lp.lote = l.lote;
        lp.dataFabrico = l.dataFabrico;
        lp.dataValidade = l.dataValidade;
        lp.localizacao = l.localizacao.isEmpty()
                             ? verif.VerLocalizacao(db, l.produto, l.armazem, QStringLiteral("S+"), true, l.lote,
                                                    l.quantidadeSaida)
                             : l.localizacao;
        d.linhas.push_back(lp);
    }
    return LancaProducao(ctx, d, FaseProducao::Encerra);
}

Resultado<FolhaLoteMedicoes> LerFolhaLoteMedicoes(Database& db, const QString& lote) {
    FolhaLoteMedicoes f;
    f.lote = ZerarLote(lote);
    const auto r = db.lerPrimeiraLinha(
        QStringLiteral("SELECT l.Produto, l.quantidade, l.precario, l.custoTotal, l.MedicoesAltura, l.MedicoesLargura, "
                       "l.tipoSaida, l.NumeroSaida, l.DataSaida, l.tipoent, l.Numeroent, l.Dataent, p.Descricao "
                       "FROM Lotes l LEFT JOIN Produtos p ON p.Codigo=l.Produto WHERE l.lote=? AND l.Fechado=1 "
                       "AND (l.MedicoesAltura<>0 OR l.MedicoesLargura<>0) ORDER BY l.NumRegisto") +
            db.dialect().limite(1),
        {f.lote});
    if (!r)
        return r.falha();
    if (!*r)
        return Falha(MensagemLoteMedicoesInexistente, QStringLiteral("txtLote"));
    const QVariantList& v = **r;
    f.produto = v.at(0).toString().trimmed();
    f.quantidade = Currency::fromVariant(v.at(1));
    f.custoUnitario = Currency::fromVariant(v.at(2));
    f.custoTotal = Currency::fromVariant(v.at(3));
    f.altura = Currency::fromVariant(v.at(4));
    f.largura = Currency::fromVariant(v.at(5));
    f.tipoSaida = v.at(6).toString().trimmed();
    f.numeroSaida = v.at(7).toString().trimmed();
    f.dataSaida = v.at(8).toString().left(10);
    f.tipoEnt = v.at(9).toString().trimmed();
    f.numeroEnt = v.at(10).toString().trimmed();
    f.dataEnt = v.at(11).toString().left(10);
    f.descricaoProduto = v.at(12).toString();
    f.dataEmissao = QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy"));
    if (f.tipoSaida.isEmpty() || f.numeroSaida.isEmpty())
        return f;
    const bool ok = db.percorrer(
        QStringLiteral("SELECT Codigo, Descricao, Armazem, QuantNormal, Preco, ValorIliq FROM MovProduto "
                       "WHERE Tipo=? AND Numero=? AND Data=? ORDER BY NumRegisto"),
        {f.tipoSaida, f.numeroSaida, f.dataSaida}, [&](const QSqlQuery& q) {
            FolhaLoteMedicoes::Linha l;
            l.produto = q.value(0).toString().trimmed();
            l.descricao = q.value(1).toString();
            l.armazem = q.value(2).toString().trimmed();
            l.quantidade = Currency::fromVariant(q.value(3));
            l.custoUnitario = Currency::fromVariant(q.value(4));
            l.custoTotal = Currency::fromVariant(q.value(5));
            f.linhas.push_back(l);
        });
    if (!ok)
        return Falha(db.lastError());
    return f;
}

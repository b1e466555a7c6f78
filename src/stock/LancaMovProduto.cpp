#include "stock/LancaMovProduto.h"
#include "stock/VerificacoesStock.h"

#include "common/Arredondamento.h"
#include "company/GlobalContext.h"
#include "company/Mavo.h"
#include "company/ParametrosEmpresa.h"
#include "db/Database.h"
#include "stock/CustoMedio.h"
#include "stock/MovimentosStock.h"

#include <QDate>
#include <QDateTime>
#include <QSqlRecord>
#include <QSqlQuery>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <functional>
#include <optional>

// Everything the posting needs to know before it writes, read in one statement: the product,
// the company's switches, the server's time, the new row's number, the stock-control facts,
// the movement type's description and, for exits, the balances that decide.
struct ContextoLancamento {
    QString vendedor, unidade, descricao;
    int diasDevolucao = 0;
    bool lote = false;
    Currency pmc, upCompra, upCusto;
    QDateTime agora;
    qint64 numRegisto = 0;
    VerificacoesStock::DadosCtrlExistencia ctrl; // with the company's parameters
    QString descricaoTipo;
    Currency saldoArmazem, saldoLote;
    // Exits: the product's last ledger date before the row goes in (nullopt when not read).
    std::optional<QString> ultimaData;

    const ParametrosEmpresa& parametros() const { return ctrl.parametros; }
    bool porArmazem() const { return ctrl.parametros.pmcPorArmazem; }
    int regra() const { return ctrl.parametros.regraCustoMedio(); }
};

namespace {

namespace Col = ColMovProduto;

const Currency LimiteValor = Currency::fromRaw(9999999999900LL); // 999,999,999.99

// EAN-13 for internal use (prefix 2) built from the row number, with its check digit.
QString codigoBarrasLinha(qint64 numRegisto) {
    const QString base =
        QStringLiteral("2") + QString::number(numRegisto % 100000000000LL).rightJustified(11, u'0');
    int soma = 0;
    for (int i = 0; i < 12; ++i)
        soma += (base[i].unicode() - '0') * ((i % 2) ? 3 : 1);
    return base + QString::number((10 - soma % 10) % 10);
}

QString somaSaldo(const Dialect& d, const QString& filtros) {
    return u'(' + sqlSaldoProduto(d) + QStringLiteral(" AND Armazem=?") + filtros + u')';
}

bool ehSaida(const LinhaMovProduto& l) {
    const QString afecta = l.texto(Col::AfectaStk).trimmed().toUpper();
    return afecta == QStringLiteral("S+") || afecta == QStringLiteral("E-");
}

// The statement that reads a row's context, and its values. With `saldosSempre` a row that is no
// exit reads its three balance columns as NULL, so that the rows of a batch share one shape.
QString sqlContexto(const Dialect& d, bool saida, bool saldosSempre) {
    // Made once per engine and shape: the posting runs it for every row.
    thread_local QHash<QString, QString> feitos;
    const QString chave = d.nome() + (saida ? u'S' : saldosSempre ? u'N' : u'-');
    if (const auto it = feitos.constFind(chave); it != feitos.constEnd())
        return *it;
    static const QString parametros = ParametrosEmpresa::colunas(QStringLiteral("g"));
    QString sql =
        QStringLiteral("SELECT p.vendedorhabitual, p.precomediocusto, p.ultprecocompra, p.ultprecocusto, "
                       "p.DiasDevolucao, "
                       "p.UnidadeVenda, p.Lote, p.Descricao, %1, %2, "
                       "p.codigo, p.ctrlexistencia, p.servico, p.portes, "
                       "(SELECT IgnoraCtrlExistencia FROM Armazens WHERE codigo=? ORDER BY NumRegisto%3), "
                       "(SELECT Descricao FROM TabTipoMov WHERE Codigo=? ORDER BY NumRegisto%3), %4")
            .arg(d.agora(), d.proximoNumRegisto(QStringLiteral("MovProduto")), d.limite(1), parametros);
    if (saida) {
        // Only the balance that decides is summed: the lot's for a product kept by lot, else the
        // warehouse's. The last column tells which one the statement took.
        // Then, under the running rules, the last date, which tells after the insert whether the exit is
        // dated inside the history.
        sql += QStringLiteral(", CASE WHEN p.Lote='1' THEN NULL ELSE %1 END, CASE WHEN p.Lote='1' THEN %2 END, "
                              "CASE WHEN p.Lote='1' THEN 1 ELSE 0 END, CASE WHEN g.FormulaPrecoMedioCusto IN (2, 3) "
                              "THEN (SELECT MAX(Data) FROM MovProduto WHERE Codigo=?) END")
                   .arg(somaSaldo(d, QString()), somaSaldo(d, QStringLiteral(" AND Localizacao=? AND Lote=?")));
    } else if (saldosSempre) {
        sql += QStringLiteral(", NULL, NULL, NULL, NULL");
    }
    // The parameters' row by its key: a LIMIT subquery joined would be copied into a temporary
    // table on every execution.
    sql += QStringLiteral(" FROM Produtos p LEFT JOIN ParamGeral g ON g.NumRegisto=(SELECT MIN(NumRegisto) FROM "
                          "ParamGeral) WHERE p.Codigo=?");
    feitos.insert(chave, sql);
    return sql;
}

void valoresContexto(QVariantList& v, const LinhaMovProduto& l, bool saida) {
    const QString codigo = l.texto(Col::Codigo).trimmed();
    const QString armazem = l.texto(Col::Armazem).left(3);
    v << armazem << l.texto(Col::Tipo);
    if (saida)
        v << codigo << armazem << codigo << armazem << l.texto(Col::Localizacao) << l.texto(Col::Lote).trimmed()
          << codigo;
    v << codigo;
}

constexpr int ColunasParametros = 16;
constexpr int ColunasSaldos = ColunasParametros + ParametrosEmpresa::NumeroColunas;

// The context from a row of the statement above, its columns from `inicio`; nullopt when the
// balances read do not fit the product's lot flag (blanks around it), which then reads them apart.
std::optional<ContextoLancamento> contextoDe(const QVariantList& linha, int inicio, bool saida) {
    auto r = [&](int i) { return linha.at(inicio + i); };
    ContextoLancamento c;
    c.vendedor = r(0).toString();
    c.pmc = Currency::fromVariant(r(1));
    c.upCompra = Currency::fromVariant(r(2));
    c.upCusto = Currency::fromVariant(r(3));
    c.diasDevolucao = r(4).toInt();
    c.unidade = r(5).toString();
    c.lote = r(6).toString().trimmed() == QStringLiteral("1");
    c.descricao = r(7).toString();
    const QVariant agora = r(8);
    if (agora.typeId() == QMetaType::QDateTime) {
        c.agora = agora.toDateTime();
    } else {
        // The server's clock as it wrote it, read without the local time zone: parsing it as local
        // time read the zone file on every row.
        const QString s = agora.toString();
        c.agora = QDateTime(QDate(s.left(4).toInt(), s.mid(5, 2).toInt(), s.mid(8, 2).toInt()),
                            QTime(s.mid(11, 2).toInt(), s.mid(14, 2).toInt(), s.mid(17, 2).toInt()), Qt::UTC);
    }
    c.numRegisto = r(9).toLongLong();
    c.ctrl.produtoExiste = true;
    c.ctrl.codigo = r(10).toString();
    c.ctrl.ctrlexistencia = r(11);
    c.ctrl.servico = r(12);
    c.ctrl.portes = r(13);
    c.ctrl.lote = r(6);
    c.ctrl.ignoraArmazem = r(14);
    c.descricaoTipo = r(15).toString();
    c.ctrl.parametros = ParametrosEmpresa::deValores(linha, inicio + ColunasParametros);
    if (saida) {
        if ((r(ColunasSaldos + 2).toInt() == 1) != c.lote)
            return std::nullopt;
        c.saldoArmazem = Currency::fromVariant(r(ColunasSaldos));
        c.saldoLote = Currency::fromVariant(r(ColunasSaldos + 1));
        c.ultimaData = r(ColunasSaldos + 3).toString();
    }
    return c;
}

// nullopt when the product does not exist.
Resultado<std::optional<ContextoLancamento>> lerContexto(Database& db, const LinhaMovProduto& l, bool saida) {
    QVariantList v;
    valoresContexto(v, l, saida);
    const auto lida = db.lerPrimeiraLinha(sqlContexto(db.dialect(), saida, false), v);
    if (!lida)
        return lida.falha();
    const std::optional<QVariantList>& r = *lida;
    if (!r)
        return std::optional<ContextoLancamento>();
    if (auto c = contextoDe(*r, 0, saida))
        return c;
    // A lot flag that the statement read otherwise (blanks around it): both sums, read apart.
    auto c = contextoDe(*r, 0, false);
    const QString codigo = l.texto(Col::Codigo).trimmed();
    const QString armazem = l.texto(Col::Armazem).left(3);
    const auto saldos = db.lerPrimeiraLinha(
        QStringLiteral("SELECT ") + somaSaldo(db.dialect(), QString()) + u',' +
            somaSaldo(db.dialect(), QStringLiteral(" AND Localizacao=? AND Lote=?")),
        {codigo, armazem, codigo, armazem, l.texto(Col::Localizacao), l.texto(Col::Lote).trimmed()});
    if (!saldos)
        return saldos.falha();
    if (*saldos) {
        c->saldoArmazem = Currency::fromVariant((*saldos)->at(0));
        c->saldoLote = Currency::fromVariant((*saldos)->at(1));
    }
    return c;
}

bool ehSaldosIniciais(const QString& descricaoTipo) {
    const QString d = descricaoTipo.trimmed().toUpper();
    return d == QStringLiteral("SALDOS INICIAIS(FECHO ANO)") ||
           d == QStringLiteral("ENTRADA DE SALDOS INICIAIS");
}

Resultado<> verificarSaida(const LinhaMovProduto& l, const ContextoLancamento& c) {
    if (!VerificacoesStock::decideCtrlExistencia(c.ctrl))
        return {};
    const QString codigo = l.texto(Col::Codigo);
    const Currency quant = l.montante(Col::QuantNormal);
    const bool saldosIniciais = ehSaldosIniciais(c.descricaoTipo);
    const QString semLote = QStringLiteral("Sem lote definido para o produto %1!").arg(codigo);
    if (c.lote) {
        if (l.texto(Col::Lote).trimmed().isEmpty() || (!saldosIniciais && quant > c.saldoLote))
            return Falha(semLote, QStringLiteral("Lote"));
        return {};
    }
    if (!saldosIniciais && quant > c.saldoArmazem)
        return Falha(QStringLiteral("Stock insuficiente do produto %1 no armazém %2 (existência: %3).")
                         .arg(codigo, l.texto(Col::Armazem).left(3), c.saldoArmazem.toString()),
                     QStringLiteral("QuantNormal"));
    return {};
}

bool acimaDoLimite(const LinhaMovProduto& l) {
    // The row's own value and quantity × price both count: a small ValorIliq must not hide a
    // quantity whose value the ledger's sums and averages could not hold.
    const Currency bruto =
        l.montante(Col::QuantNormal)
            .multiply(l.montante(Col::Preco), Currency::Arredondamento::MetadeAfastaDeZero);
    return l.montante(Col::ValorIliq).abs() > LimiteValor || bruto.abs() > LimiteValor;
}

// Transfers ("TRA") and stock adjustments ("AC+"/"AC-") are valued by ParamGeral.PrecoTranfAcertos:
// 0 the row's own price, 1 the average cost (the warehouse's when costs are kept per warehouse),
// 2 the last purchase price, 3 the last cost price. Nothing when the rule leaves the row's price.
std::optional<Currency> precoTransferenciaAcerto(const LinhaMovProduto& l, const ContextoLancamento& c,
                                                 const PrecosArmazem& doArmazem) {
    const QString tipo = l.texto(Col::Tipo).trimmed().toUpper();
    const QString afecta = l.texto(Col::AfectaStk).trimmed().toUpper();
    if (tipo != QStringLiteral("TRA") && afecta != QStringLiteral("AC+") && afecta != QStringLiteral("AC-"))
        return std::nullopt;
    switch (c.parametros().precoTranfAcertos) {
    case 1:
        return c.porArmazem() ? doArmazem.pmCusto : c.pmc;
    case 2:
        return c.upCompra;
    case 3:
        return c.upCusto;
    default:
        return std::nullopt;
    }
}

// The product file's average cost recomputed over the whole ledger.
bool fichaPeloLedger(Database& db, const QString& codigo, int regra) {
    CorteCustoMedio tudo;
    tudo.regra = regra;
    const auto pmc = CalculaPrecoMedioCusto(db, codigo, {}, tudo);
    return pmc && GravaCustoMedioFicha(db, codigo, *pmc);
}

void preencherSeVazio(LinhaMovProduto& l, ColunaMovProduto coluna, const QString& valor) {
    if (l.texto(coluna).isEmpty())
        l.definir(coluna, valor);
}

// A failure after something was written: inside the caller's transaction, that transaction can
// then only be rolled back.
using FalhaEscrita = std::function<Falha(const QString&)>;

// The movement kind written as the ledger keeps it, then the checks that need nothing read: the
// date and the value limit.
Resultado<> verificarSemLeituras(LinhaMovProduto& l) {
    const QString codigo = l.texto(Col::Codigo).trimmed();
    const QString afecta = l.texto(Col::AfectaStk).trimmed().toUpper();
    l.definir(Col::AfectaStk, afecta);
    const QString data = l.texto(Col::Data).trimmed();
    if (!QDate::fromString(data, QStringLiteral("yyyy-MM-dd")).isValid())
        return Falha(QStringLiteral("Data inválida no movimento do produto %1: %2").arg(codigo, data),
                     QStringLiteral("Data"));
    const bool ajuste = afecta == QStringLiteral("AC+") || afecta == QStringLiteral("AC-");
    // Adjustments are exempt from the limit, not from the money type: the value is computed for
    // every row, and one that does not fit throws.
    const bool foraDoLimite = acimaDoLimite(l);
    if (!ajuste && foraDoLimite)
        return Falha(MensagemLimiteValor(codigo, l.texto(Col::Descricao)), QStringLiteral("QuantNormal"));
    return {};
}

// What the posting does after the row's insert.
struct LinhaPronta {
    qint64 numRegisto = 0;
    bool entrada = false;
    Currency pmcLinha;
};

// Steps 2 to 6 up to the insert, with the row's reads: the row completed and ready to be written.
Resultado<LinhaPronta> completar(GlobalContext& ctx, LinhaMovProduto& l, const OpcoesLancamento& opcoes,
                                 const ContextoLancamento& c, const FalhaEscrita& falhaEscrita) {
    Database& db = ctx.bd();
    const QString codigo = l.texto(Col::Codigo).trimmed();
    const QString afecta = l.texto(Col::AfectaStk);
    const QString data = l.texto(Col::Data).trimmed();
    const Currency quant = l.montante(Col::QuantNormal);
    const bool ajuste = afecta == QStringLiteral("AC+") || afecta == QStringLiteral("AC-");
    preencherSeVazio(l, Col::Descricao, c.descricao);
    preencherSeVazio(l, Col::Vendedor, c.vendedor);
    preencherSeVazio(l, Col::Unidade, c.unidade);
    if (ehSaida(l)) {
        if (auto r = verificarSaida(l, c); !r)
            return r.falha();
    }
    // The warehouse's prices of its last entry, read once for the valuation and the costs below.
    const QString armazem = l.texto(Col::Armazem);
    const PrecosArmazem doArmazem =
        c.porArmazem() ? PrecosArmazemUltimaEntrada(db, codigo, armazem, data) : PrecosArmazem{};
    Currency preco = l.montante(Col::Preco);
    if (const auto p = precoTransferenciaAcerto(l, c, doArmazem)) {
        preco = *p;
        l.definir(Col::Preco, preco);
        l.definir(Col::PrecoAplicado, preco);
        l.definir(Col::ValorIliq,
                  ArredondaValor(quant.multiply(preco, Currency::Arredondamento::MetadeAfastaDeZero),
                                 ctx.casadec, 1));
        if (!ajuste && acimaDoLimite(l))
            return Falha(MensagemLimiteValor(codigo, l.texto(Col::Descricao)), QStringLiteral("QuantNormal"));
    }

    // 4. costs
    l.definir(Col::PMCusto, c.pmc);
    l.definir(Col::UPCompra, c.upCompra);
    l.definir(Col::UPCusto, c.upCusto);
    if (c.porArmazem()) {
        l.definir(Col::Armazem_UPCompra, doArmazem.upCompra);
        l.definir(Col::Armazem_UPCusto, doArmazem.upCusto);
        l.definir(Col::Armazem_PMCusto, doArmazem.pmCusto);
    }
    LinhaPronta pronta;
    pronta.numRegisto = c.numRegisto;
    pronta.entrada = afecta == QStringLiteral("E+") || afecta == QStringLiteral("E-");
    if (pronta.entrada && opcoes.calcularCustoMedio) {
        const LinhaEmCurso emCurso{afecta, preco, quant, 0};
        CorteCustoMedio corte;
        corte.data = data;
        corte.regra = c.regra();
        const auto pmc = CalculaPrecoMedioCusto(db, codigo, emCurso, corte);
        if (!pmc)
            return falhaEscrita(pmc.mensagem());
        pronta.pmcLinha = *pmc;
        l.definir(Col::PMCusto, pronta.pmcLinha);
        if (c.porArmazem()) {
            corte.armazem = armazem;
            const auto doArmazemEmCurso = CalculaPrecoMedioCusto(db, codigo, emCurso, corte);
            if (!doArmazemEmCurso)
                return falhaEscrita(doArmazemEmCurso.mensagem());
            l.definir(Col::Armazem_PMCusto, *doArmazemEmCurso);
        }
    } else if (afecta == QStringLiteral("S-")) {
        if (auto pmc = CustoDevolucaoStockVazio(db, codigo, quant, opcoes.actualizarCustoMedioFicha))
            l.definir(Col::PMCusto, *pmc);
    }

    // 5. return date and server time
    const QDateTime agora = c.agora.isValid() ? c.agora : db.agoraServidor();
    l.definir(Col::DataDevolucao, QDate::fromString(data, QStringLiteral("yyyy-MM-dd"))
                                      .addDays(c.diasDevolucao)
                                      .toString(QStringLiteral("yyyy-MM-dd")));
    const QString dataSys = agora.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    l.definir(Col::DataSys, dataSys);
    preencherSeVazio(l, Col::Utilizador, ctx.CodigoUtilizador);

    // 6. the row goes in already completed: its number was taken with the reads above, so bar code,
    // time, cost of the product file, state and loaded code are written with it.
    l.definir(Col::CodigoBarras, codigoBarrasLinha(c.numRegisto));
    l.definir(Col::Hora, agora.toString(QStringLiteral("HH:mm:ss")));
    l.definir(Col::UPCustoFicha, c.upCusto);
    l.definir(Col::Estado, QStringLiteral("N"));
    l.definir(Col::Estado_DataSys, dataSys);
    l.definir(Col::Estado_Motivo, QStringLiteral(""));
    l.definir(Col::Estado_Utilizador, l.texto(Col::Utilizador));
    l.definir(Col::ProdutoCarregado, opcoes.produtoCarregado.isEmpty() ? codigo : opcoes.produtoCarregado);
    return pronta;
}

// After the insert: the product file's average cost.
Resultado<> concluir(Database& db, const LinhaMovProduto& l, const LinhaPronta& pronta,
                     const OpcoesLancamento& opcoes, const ContextoLancamento& c, const FalhaEscrita& falhaEscrita) {
    const QString codigo = l.texto(Col::Codigo).trimmed();
    const QString afecta = l.texto(Col::AfectaStk);
    const QString data = l.texto(Col::Data).trimmed();
    if (!pronta.entrada && opcoes.actualizarCustoMedioFicha && c.regra() != 1 &&
        (afecta == QStringLiteral("S+") || afecta == QStringLiteral("S-"))) {
        // Under the running rules an exit or a return changes the weight of every later entry:
        // dated before the end of the history, it changes the product's average too. The last date
        // read before the insert answers as well as one read after it.
        QString ultima;
        if (c.ultimaData) {
            ultima = *c.ultimaData;
        } else {
            const auto lida =
                db.lerValor(QStringLiteral("SELECT MAX(Data) FROM MovProduto WHERE Codigo=?"), {codigo});
            if (!lida)
                return falhaEscrita(lida.mensagem());
            ultima = lida->toString();
        }
        if (ultima > data && !fichaPeloLedger(db, codigo, c.regra()))
            return falhaEscrita(db.lastError());
    }
    if (pronta.entrada && opcoes.actualizarCustoMedioFicha) {
        // The product file keeps the average over its whole history. When nothing is dated after the
        // new row, that history ends with it and the row's own average is the answer.
        const int mudadas = GravaCustoMedioFichaSeUltimaData(db, codigo, pronta.pmcLinha, data);
        if (mudadas < 0)
            return falhaEscrita(db.lastError());
        if (mudadas == 0 && !fichaPeloLedger(db, codigo, c.regra()))
            return falhaEscrita(db.lastError());
    }
    return {};
}

QString mensagemEscrita(const QString& codigo, const QString& erro) {
    return erro.isEmpty() ? QStringLiteral("Não foi possível gravar o movimento do produto %1.").arg(codigo) : erro;
}

Resultado<qint64> lancar(GlobalContext& ctx, LinhaMovProduto& l, const OpcoesLancamento& opcoes,
                         const ContextoLancamento* lido) {
    Database& db = ctx.bd();
    const QString codigo = l.texto(Col::Codigo).trimmed();
    // 1. date and value limit
    if (auto r = verificarSemLeituras(l); !r)
        return r.falha();

    // Inside the caller's transaction no savepoint is needed: a failure after the first write
    // marks that transaction so that it can only be rolled back.
    std::optional<Transaction> propria;
    if (!db.emTransaccao()) {
        propria.emplace(db);
        if (!propria->ok())
            return Falha(db.lastError());
    }
    const FalhaEscrita falhaEscrita = [&](const QString& motivo) {
        if (!propria)
            db.marcarFalhaTransaccao();
        return Falha(motivo);
    };

    // 2. the product; 3. stock control and lots on exits
    std::optional<ContextoLancamento> proprio;
    const ContextoLancamento* c = lido;
    if (!c) {
        const auto r = lerContexto(db, l, ehSaida(l));
        if (!r)
            return r.falha();
        proprio = *r;
        if (!proprio)
            return Falha(QStringLiteral("Produto inexistente: %1").arg(codigo), QStringLiteral("Codigo"));
        c = &*proprio;
    }
    const auto pronta = completar(ctx, l, opcoes, *c, falhaEscrita);
    if (!pronta)
        return pronta.falha();
    const auto escrita = MeteNoMovProCompleto(db, l, c->numRegisto);
    if (!escrita)
        return falhaEscrita(mensagemEscrita(codigo, escrita.mensagem()));
    if (auto r = concluir(db, l, *pronta, opcoes, *c, falhaEscrita); !r)
        return r.falha();
    if (propria && !propria->commit())
        return Falha(db.lastError());
    return *escrita;
}

} // namespace

Resultado<qint64> LancaMovProduto(GlobalContext& ctx, LinhaMovProduto l, const OpcoesLancamento& opcoes,
                                  const ContextoLancamento* lido) {
    const bool jaEmTransaccao = ctx.bd().emTransaccao();
    try {
        return lancar(ctx, l, opcoes, lido);
    } catch (const EstouroMontante&) {
        // An amount beyond the money type: refused as beyond the value limit. Our own transaction was
        // rolled back by its guard; a caller's can only be rolled back now.
        if (jaEmTransaccao)
            ctx.bd().marcarFalhaTransaccao();
        return Falha(
            MensagemLimiteValor(l.texto(ColMovProduto::Codigo).trimmed(), l.texto(ColMovProduto::Descricao)),
            QStringLiteral("QuantNormal"));
    }
}

Resultado<std::vector<qint64>> LancaMovProdutos(GlobalContext& ctx, std::vector<LinhaMovProduto> linhas,
                                                const std::vector<std::shared_ptr<const ContextoLancamento>>& lidos,
                                                const OpcoesLancamento& opcoes, size_t* recusada) {
    Database& db = ctx.bd();
    std::vector<qint64> numeros;
    const bool todosLidos = lidos.size() == linhas.size() &&
                            std::all_of(lidos.begin(), lidos.end(), [](const auto& c) { return bool(c); });
    if (!db.emTransaccao() || !todosLidos) {
        // Without the reads made together, or outside a transaction, each row is posted in turn.
        for (size_t i = 0; i < linhas.size(); ++i) {
            if (recusada)
                *recusada = i;
            const auto r = LancaMovProduto(ctx, linhas[i], opcoes, i < lidos.size() ? lidos[i].get() : nullptr);
            if (!r)
                return r.falha();
            numeros.push_back(*r);
        }
        return numeros;
    }
    const FalhaEscrita falhaEscrita = [&](const QString& motivo) {
        db.marcarFalhaTransaccao();
        return Falha(motivo);
    };
    // Each row is checked and completed in order, as its own posting would; then all go in with one
    // statement, and each finishes what its posting does after the insert. The rows are of different
    // products, so none of them reads what another writes.
    InsercaoMovProduto insercao;
    std::vector<LinhaPronta> prontas;
    for (size_t i = 0; i < linhas.size(); ++i) {
        if (recusada)
            *recusada = i;
        LinhaMovProduto& l = linhas[i];
        const QString codigo = l.texto(Col::Codigo).trimmed();
        try {
            if (auto r = verificarSemLeituras(l); !r)
                return r.falha();
            const auto pronta = completar(ctx, l, opcoes, *lidos[i], falhaEscrita);
            if (!pronta)
                return pronta.falha();
            if (auto r = insercao.juntar(db, l, pronta->numRegisto); !r)
                return falhaEscrita(mensagemEscrita(codigo, r.mensagem()));
            prontas.push_back(*pronta);
        } catch (const EstouroMontante&) {
            db.marcarFalhaTransaccao();
            return Falha(MensagemLimiteValor(codigo, l.texto(Col::Descricao)), QStringLiteral("QuantNormal"));
        }
    }
    if (recusada)
        *recusada = 0;
    if (!insercao.gravar(db))
        return falhaEscrita(mensagemEscrita(linhas.empty() ? QString() : linhas[0].texto(Col::Codigo).trimmed(),
                                            db.lastError()));
    for (size_t i = 0; i < linhas.size(); ++i) {
        if (recusada)
            *recusada = i;
        if (auto r = concluir(db, linhas[i], prontas[i], opcoes, *lidos[i], falhaEscrita); !r)
            return r.falha();
        numeros.push_back(prontas[i].numRegisto);
    }
    return numeros;
}

QString MensagemLimiteValor(const QString& codigo, const QString& descricao) {
    return QStringLiteral("Ultrapassou o valor limite por produto: 999,999,999.99\nProduto: [%1 - %2]")
        .arg(codigo, descricao);
}

Resultado<std::vector<std::shared_ptr<const ContextoLancamento>>>
LerContextosLancamento(Database& db, const std::vector<LinhaMovProduto>& linhas) {
    std::vector<std::shared_ptr<const ContextoLancamento>> lidos(linhas.size());
    if (linhas.empty())
        return lidos;
    QString sql;
    QVariantList v;
    for (size_t i = 0; i < linhas.size(); ++i) {
        const bool saida = ehSaida(linhas[i]);
        if (i > 0)
            sql += QStringLiteral(" UNION ALL ");
        // Each row's own statement, told apart by its position (a number of ours, not a value).
        sql += QStringLiteral("SELECT %1 AS k, ").arg(i) + sqlContexto(db.dialect(), saida, true).mid(7);
        valoresContexto(v, linhas[i], saida);
    }
    bool completos = true;
    const bool lido = db.percorrer(sql, v, [&](const QSqlQuery& q) {
        const size_t i = size_t(q.value(0).toLongLong());
        QVariantList r;
        const int n = q.record().count();
        r.reserve(n);
        for (int c = 0; c < n; ++c)
            r << q.value(c);
        if (i >= lidos.size())
            return;
        if (auto c = contextoDe(r, 1, ehSaida(linhas[i])))
            lidos[i] = std::make_shared<const ContextoLancamento>(std::move(*c));
        else
            completos = false;
    });
    if (!lido)
        return Falha(db.lastError());
    // A row without its reads (a product that does not exist, a lot flag read otherwise) reads its
    // own, and so do all the others, so that the rows' numbers stay in posting order.
    for (const auto& c : lidos)
        completos = completos && c;
    if (!completos)
        return std::vector<std::shared_ptr<const ContextoLancamento>>(linhas.size());
    // SQLite answers the same next number to every row of one statement: each row after the first
    // takes the one after the previous. PostgreSQL's sequence already gave each its own.
    QSet<qint64> usados;
    qint64 maior = 0;
    for (auto& c : lidos) {
        if (usados.contains(c->numRegisto)) {
            auto outro = std::make_shared<ContextoLancamento>(*c);
            outro->numRegisto = maior + 1;
            c = outro;
        }
        usados.insert(c->numRegisto);
        maior = qMax(maior, c->numRegisto);
    }
    return lidos;
}

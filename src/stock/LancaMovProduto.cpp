#include "stock/VerificacoesStock.h"
#include "stock/LancaMovProduto.h"

#include "common/Arredondamento.h"
#include "stock/CustoMedio.h"
#include "stock/MovimentosStock.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "company/Mavo.h"

#include <QDate>
#include <QDateTime>
#include <optional>

namespace {

const Currency LimiteValor = Currency::fromRaw(9999999999900LL); // 999,999,999.99

bool recusar(GlobalContext& ctx, const QString& motivo) {
    ctx.UltimoErro = motivo;
    return false;
}

// EAN-13 for internal use (prefix 2) built from the row number, with its check digit.
QString codigoBarrasLinha(qint64 numRegisto) {
    const QString base = QStringLiteral("2") + QString::number(numRegisto % 100000000000LL).rightJustified(11, u'0');
    int soma = 0;
    for (int i = 0; i < 12; ++i)
        soma += (base[i].unicode() - '0') * ((i % 2) ? 3 : 1);
    return base + QString::number((10 - soma % 10) % 10);
}

// Everything the posting needs to know before it writes, read in one statement: the product,
// the company's switches, the server's time, the new row's number, the stock-control facts,
// the movement type's description and, for exits, the balances that decide.
struct Contexto {
    QString vendedor, unidade, descricao;
    int diasDevolucao = 0;
    bool lote = false;
    Currency pmc, upCompra, upCusto;
    bool porArmazem = false;
    int regra = 1;
    QDateTime agora;
    qint64 numRegisto = 0;
    VerificacoesStock::DadosCtrlExistencia ctrl;
    QString descricaoTipo;
    int precoTranfAcertos = 0;
    Currency saldoArmazem, saldoLote;
};

QString somaSaldo(const QString& filtros) { return u'(' + sqlSaldoProduto() + QStringLiteral(" AND Armazem=?") + filtros + u')'; }

std::optional<Contexto> lerContexto(Database& db, const LinhaMovProduto& l, bool saida, QString* erro) {
    const QString codigo = l.texto(QStringLiteral("Codigo")).trimmed();
    const QString armazem = l.texto(QStringLiteral("Armazem")).left(3);
    const Dialect& d = db.dialect();
    QString sql = QStringLiteral(
                      "SELECT p.vendedorhabitual, p.precomediocusto, p.ultprecocompra, p.ultprecocusto, p.DiasDevolucao, "
                      "p.UnidadeVenda, p.Lote, p.Descricao, g.PMCArmazem, g.FormulaPrecoMedioCusto, %1, %2, "
                      "p.codigo, p.ctrlexistencia, p.servico, p.portes, "
                      "(SELECT IgnoraCtrlExistencia FROM Armazens WHERE codigo=? ORDER BY NumRegisto%3), "
                      "g.proddiversos, g.proddiversos2, g.ControlaQuant, g.controlaQuant_Diversos, "
                      "g.controlaQuant_Servicos, g.controlaQuant_Portes, g.NumRegisto, "
                      "(SELECT Descricao FROM TabTipoMov WHERE Codigo=? ORDER BY NumRegisto%3), "
                      "g.PrecoTranfAcertos")
                      .arg(d.agora(), d.proximoNumRegisto(QStringLiteral("MovProduto")), d.limite(1));
    QVariantList v{armazem, l.texto(QStringLiteral("Tipo"))};
    if (saida) {
        sql += u',' + somaSaldo(QString()) + u',' + somaSaldo(QStringLiteral(" AND Localizacao=? AND Lote=?"));
        v << codigo << armazem << codigo << armazem << l.texto(QStringLiteral("Localizacao"))
          << l.texto(QStringLiteral("Lote")).trimmed();
    }
    sql += QStringLiteral(" FROM Produtos p LEFT JOIN (SELECT * FROM ParamGeral ORDER BY NumRegisto%1) g ON 1=1 "
                          "WHERE p.Codigo=?")
               .arg(d.limite(1));
    v << codigo;
    bool ok = false;
    const auto r = db.primeiraLinha(sql, v, &ok);
    if (!ok && erro)
        *erro = db.lastError();
    if (!r)
        return std::nullopt;
    Contexto c;
    c.vendedor = r->at(0).toString();
    c.pmc = Currency::fromVariant(r->at(1));
    c.upCompra = Currency::fromVariant(r->at(2));
    c.upCusto = Currency::fromVariant(r->at(3));
    c.diasDevolucao = r->at(4).toInt();
    c.unidade = r->at(5).toString();
    c.lote = r->at(6).toString().trimmed() == QStringLiteral("1");
    c.descricao = r->at(7).toString();
    c.porArmazem = r->at(8).toInt() != 0;
    const int regra = r->at(9).toInt();
    c.regra = (regra == 2 || regra == 3) ? regra : 1;
    const QVariant agora = r->at(10);
    c.agora = agora.typeId() == QMetaType::QDateTime
                  ? agora.toDateTime()
                  : QDateTime::fromString(agora.toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    c.numRegisto = r->at(11).toLongLong();
    c.ctrl.produtoExiste = true;
    c.ctrl.codigo = r->at(12).toString();
    c.ctrl.ctrlexistencia = r->at(13);
    c.ctrl.servico = r->at(14);
    c.ctrl.portes = r->at(15);
    c.ctrl.lote = r->at(6);
    c.ctrl.ignoraArmazem = r->at(16);
    c.ctrl.proddiversos = r->at(17);
    c.ctrl.proddiversos2 = r->at(18);
    c.ctrl.controlaQuant = r->at(19);
    c.ctrl.controlaQuantDiversos = r->at(20);
    c.ctrl.controlaQuantServicos = r->at(21);
    c.ctrl.controlaQuantPortes = r->at(22);
    c.ctrl.temParametros = !r->at(23).isNull();
    c.descricaoTipo = r->at(24).toString();
    c.precoTranfAcertos = r->at(25).toInt();
    if (saida) {
        c.saldoArmazem = Currency::fromVariant(r->at(26));
        c.saldoLote = Currency::fromVariant(r->at(27));
    }
    return c;
}

bool ehSaldosIniciais(const QString& descricaoTipo) {
    const QString d = descricaoTipo.trimmed().toUpper();
    return d == QStringLiteral("SALDOS INICIAIS(FECHO ANO)") || d == QStringLiteral("ENTRADA DE SALDOS INICIAIS");
}

bool verificarSaida(GlobalContext& ctx, const LinhaMovProduto& l, const Contexto& c) {
    if (!VerificacoesStock::decideCtrlExistencia(c.ctrl))
        return true;
    const QString codigo = l.texto(QStringLiteral("Codigo"));
    const Currency quant = l.montante(QStringLiteral("QuantNormal"));
    const bool saldosIniciais = ehSaldosIniciais(c.descricaoTipo);
    const QString semLote = QStringLiteral("Sem lote definido para o produto %1!").arg(codigo);
    if (c.lote) {
        if (l.texto(QStringLiteral("Lote")).trimmed().isEmpty())
            return recusar(ctx, semLote);
        if (!saldosIniciais && quant > c.saldoLote)
            return recusar(ctx, semLote);
        return true;
    }
    if (!saldosIniciais && quant > c.saldoArmazem)
        return recusar(ctx, QStringLiteral("Stock insuficiente do produto %1 no armazém %2 (existência: %3).")
                                .arg(codigo, l.texto(QStringLiteral("Armazem")).left(3), c.saldoArmazem.toString()));
    return true;
}

bool acimaDoLimite(const LinhaMovProduto& l) {
    // The row's own value and quantity × price both count: a small ValorIliq must not hide a
    // quantity whose value the ledger's sums and averages could not hold.
    const Currency bruto = l.montante(QStringLiteral("QuantNormal")).multiply(l.montante(QStringLiteral("Preco")));
    return l.montante(QStringLiteral("ValorIliq")).abs() > LimiteValor || bruto.abs() > LimiteValor;
}

// Transfers ("TRA") and stock adjustments ("AC+"/"AC-") are valued by ParamGeral.PrecoTranfAcertos:
// 0 the row's own price, 1 the average cost (the warehouse's when costs are kept per warehouse),
// 2 the last purchase price, 3 the last cost price. Nothing when the rule leaves the row's price.
std::optional<Currency> precoTransferenciaAcerto(const LinhaMovProduto& l, const Contexto& c,
                                                 const PrecosArmazem& doArmazem) {
    const QString tipo = l.texto(QStringLiteral("Tipo")).trimmed().toUpper();
    const QString afecta = l.texto(QStringLiteral("AfectaStk")).trimmed().toUpper();
    if (tipo != QStringLiteral("TRA") && afecta != QStringLiteral("AC+") && afecta != QStringLiteral("AC-"))
        return std::nullopt;
    switch (c.precoTranfAcertos) {
    case 1:
        return c.porArmazem ? doArmazem.pmCusto : c.pmc;
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
    bool ok = false;
    CorteCustoMedio tudo;
    tudo.regra = regra;
    const Currency pmc = CalculaPrecoMedioCusto(db, codigo, {}, tudo, &ok);
    return ok && db.exec(QStringLiteral("UPDATE Produtos SET PrecoMedioCusto=? WHERE Codigo=?"), {pmc.toVariant(), codigo});
}

void preencherSeVazio(LinhaMovProduto& l, const QString& coluna, const QString& valor) {
    if (l.texto(coluna).isEmpty())
        l.definir(coluna, valor);
}

qint64 lancar(GlobalContext& ctx, LinhaMovProduto& l, const OpcoesLancamento& opcoes) {
    Database& db = ctx.bd();
    const QString codigo = l.texto(QStringLiteral("Codigo")).trimmed();
    const QString afecta = l.texto(QStringLiteral("AfectaStk")).trimmed().toUpper();
    const QString data = l.texto(QStringLiteral("Data")).trimmed();
    const Currency quant = l.montante(QStringLiteral("QuantNormal"));
    const Currency precoDado = l.montante(QStringLiteral("Preco"));
    l.definir(QStringLiteral("AfectaStk"), afecta);
    if (!QDate::fromString(data, QStringLiteral("yyyy-MM-dd")).isValid()) {
        recusar(ctx, QStringLiteral("Data inválida no movimento do produto %1: %2").arg(codigo, data));
        return 0;
    }

    // 1. value limit
    const bool ajuste = afecta == QStringLiteral("AC+") || afecta == QStringLiteral("AC-");
    // Adjustments are exempt from the limit, not from the money type: the value is computed for
    // every row, and one that does not fit throws.
    const bool foraDoLimite = acimaDoLimite(l);
    if (!ajuste && foraDoLimite) {
        recusar(ctx, MensagemLimiteValor(codigo, l.texto(QStringLiteral("Descricao"))));
        return 0;
    }

    // Inside the caller's transaction no savepoint is needed: a failure after the first write
    // marks that transaction so that it can only be rolled back.
    std::optional<Transaction> propria;
    if (!db.emTransaccao()) {
        propria.emplace(db);
        if (!propria->ok()) {
            recusar(ctx, db.lastError());
            return 0;
        }
    }
    auto falhaEscrita = [&](const QString& motivo) {
        recusar(ctx, motivo);
        if (!propria)
            db.marcarFalhaTransaccao();
        return qint64(0);
    };

    // 2. the product; 3. stock control and lots on exits
    const bool saida = afecta == QStringLiteral("S+") || afecta == QStringLiteral("E-");
    QString erro;
    const std::optional<Contexto> c = lerContexto(db, l, saida, &erro);
    if (!c) {
        recusar(ctx, erro.isEmpty() ? QStringLiteral("Produto inexistente: %1").arg(codigo) : erro);
        return 0;
    }
    preencherSeVazio(l, QStringLiteral("Descricao"), c->descricao);
    preencherSeVazio(l, QStringLiteral("Vendedor"), c->vendedor);
    preencherSeVazio(l, QStringLiteral("Unidade"), c->unidade);
    if (saida && !verificarSaida(ctx, l, *c))
        return 0;
    // The warehouse's prices of its last entry, read once for the valuation and the costs below.
    const QString armazem = l.texto(QStringLiteral("Armazem"));
    const PrecosArmazem doArmazem =
        c->porArmazem ? PrecosArmazemUltimaEntrada(db, codigo, armazem, data) : PrecosArmazem{};
    Currency preco = precoDado;
    if (const auto p = precoTransferenciaAcerto(l, *c, doArmazem)) {
        preco = *p;
        l.definir(QStringLiteral("Preco"), preco);
        l.definir(QStringLiteral("PrecoAplicado"), preco);
        l.definir(QStringLiteral("ValorIliq"), ArredondaValor(quant.multiply(preco), ctx.casadec, 1));
        if (!ajuste && acimaDoLimite(l)) {
            recusar(ctx, MensagemLimiteValor(codigo, l.texto(QStringLiteral("Descricao"))));
            return 0;
        }
    }

    // 4. costs
    l.definir(QStringLiteral("PMCusto"), c->pmc);
    l.definir(QStringLiteral("UPCompra"), c->upCompra);
    l.definir(QStringLiteral("UPCusto"), c->upCusto);
    if (c->porArmazem) {
        l.definir(QStringLiteral("Armazem_UPCompra"), doArmazem.upCompra);
        l.definir(QStringLiteral("Armazem_UPCusto"), doArmazem.upCusto);
        l.definir(QStringLiteral("Armazem_PMCusto"), doArmazem.pmCusto);
    }
    const bool entrada = afecta == QStringLiteral("E+") || afecta == QStringLiteral("E-");
    Currency pmcLinha;
    if (entrada) {
        bool ok = false;
        const LinhaEmCurso emCurso{afecta, preco, quant, 0};
        CorteCustoMedio corte;
        corte.data = data;
        corte.regra = c->regra;
        pmcLinha = CalculaPrecoMedioCusto(db, codigo, emCurso, corte, &ok);
        l.definir(QStringLiteral("PMCusto"), pmcLinha);
        if (ok && c->porArmazem) {
            corte.armazem = armazem;
            l.definir(QStringLiteral("Armazem_PMCusto"), CalculaPrecoMedioCusto(db, codigo, emCurso, corte, &ok));
        }
        if (!ok)
            return falhaEscrita(db.lastError());
    } else if (afecta == QStringLiteral("S-")) {
        if (auto pmc = CustoDevolucaoStockVazio(db, codigo, quant, opcoes.actualizarCustoMedioFicha))
            l.definir(QStringLiteral("PMCusto"), *pmc);
    }

    // 5. return date and server time
    const QDateTime agora = c->agora.isValid() ? c->agora : db.agoraServidor();
    l.definir(QStringLiteral("DataDevolucao"), QDate::fromString(data, QStringLiteral("yyyy-MM-dd"))
                                                    .addDays(c->diasDevolucao)
                                                    .toString(QStringLiteral("yyyy-MM-dd")));
    const QString dataSys = agora.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    l.definir(QStringLiteral("DataSys"), dataSys);
    preencherSeVazio(l, QStringLiteral("Utilizador"), ctx.CodigoUtilizador);

    // 6. the row goes in already completed: its number was taken with the reads above, so bar code,
    // time, cost of the product file, state and loaded code are written with it.
    l.definir(QStringLiteral("CodigoBarras"), codigoBarrasLinha(c->numRegisto));
    l.definir(QStringLiteral("Hora"), agora.toString(QStringLiteral("HH:mm:ss")));
    l.definir(QStringLiteral("UPCustoFicha"), c->upCusto);
    l.definir(QStringLiteral("Estado"), QStringLiteral("N"));
    l.definir(QStringLiteral("Estado_DataSys"), dataSys);
    l.definir(QStringLiteral("Estado_Motivo"), QStringLiteral(""));
    l.definir(QStringLiteral("Estado_Utilizador"), l.texto(QStringLiteral("Utilizador")));
    l.definir(QStringLiteral("ProdutoCarregado"), opcoes.produtoCarregado.isEmpty() ? codigo : opcoes.produtoCarregado);
    const qint64 n = MeteNoMovProCompleto(db, l, c->numRegisto, &erro);
    if (n <= 0)
        return falhaEscrita(erro.isEmpty() ? QStringLiteral("Não foi possível gravar o movimento do produto %1.").arg(codigo)
                                           : erro);

    if (!entrada && opcoes.actualizarCustoMedioFicha && c->regra != 1 &&
        (afecta == QStringLiteral("S+") || afecta == QStringLiteral("S-"))) {
        // Under the running rules an exit or a return changes the weight of every later entry:
        // dated before the end of the history, it changes the product's average too.
        bool ok = false;
        const QVariant ultima = db.scalar(QStringLiteral("SELECT MAX(Data) FROM MovProduto WHERE Codigo=?"), {codigo}, &ok);
        if (!ok)
            return falhaEscrita(db.lastError());
        if (ultima.toString() > data && !fichaPeloLedger(db, codigo, c->regra))
            return falhaEscrita(db.lastError());
    }
    if (entrada && opcoes.actualizarCustoMedioFicha) {
        // The product file keeps the average over its whole history. When nothing is dated after the
        // new row, that history ends with it and the row's own average is the answer.
        const int mudadas = db.executarContando(
            // MAX rather than NOT EXISTS: PostgreSQL's generic plan turns NOT EXISTS into an anti-join over
            // the whole ledger, while MAX stays one backward index step.
            QStringLiteral("UPDATE Produtos SET PrecoMedioCusto=? WHERE Codigo=? AND "
                           "(SELECT MAX(Data) FROM MovProduto WHERE Codigo=?) <= ?"),
            {pmcLinha.toVariant(), codigo, codigo, data});
        if (mudadas < 0)
            return falhaEscrita(db.lastError());
        if (mudadas == 0 && !fichaPeloLedger(db, codigo, c->regra))
            return falhaEscrita(db.lastError());
    }
    if (propria && !propria->commit()) {
        recusar(ctx, db.lastError());
        return 0;
    }
    return n;
}

} // namespace

qint64 LancaMovProduto(GlobalContext& ctx, LinhaMovProduto l, const OpcoesLancamento& opcoes) {
    ctx.UltimoErro.clear();
    const bool jaEmTransaccao = ctx.bd().emTransaccao();
    try {
        return lancar(ctx, l, opcoes);
    } catch (const EstouroMontante&) {
        // An amount beyond the money type: refused as beyond the value limit. Our own transaction was
        // rolled back by its guard; a caller's can only be rolled back now.
        if (jaEmTransaccao)
            ctx.bd().marcarFalhaTransaccao();
        ctx.UltimoErro = MensagemLimiteValor(l.texto(QStringLiteral("Codigo")).trimmed(), l.texto(QStringLiteral("Descricao")));
        return 0;
    }
}

QString MensagemLimiteValor(const QString& codigo, const QString& descricao) {
    return QStringLiteral("Ultrapassou o valor limite por produto: 999,999,999.99\nProduto: [%1 - %2]")
        .arg(codigo, descricao);
}

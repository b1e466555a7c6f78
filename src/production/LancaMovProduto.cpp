#include "production/LancaMovProduto.h"

#include "production/CustoMedio.h"
#include "production/MovimentosStock.h"
#include "shell/Database.h"
#include "shell/GlobalContext.h"
#include "shell/Mavo.h"

#include <QDate>
#include <QDateTime>

namespace {

const Currency LimiteValor = Currency::fromRaw(9999999999900LL); // 999,999,999.99

bool recusar(GlobalContext& ctx, const QString& motivo) {
    ctx.UltimoErro = motivo;
    return false;
}

bool ehSaldosIniciais(Database& db, const QString& tipo) {
    const QString d = db.scalar(QStringLiteral("SELECT Descricao FROM TabTipoMov WHERE Codigo=?"), {tipo})
                          .toString()
                          .trimmed()
                          .toUpper();
    return d == QStringLiteral("SALDOS INICIAIS(FECHO ANO)") || d == QStringLiteral("ENTRADA DE SALDOS INICIAIS");
}

// EAN-13 for internal use (prefix 2) built from the row number, with its check digit.
QString codigoBarrasLinha(qint64 numRegisto) {
    const QString base = QStringLiteral("2") + QString::number(numRegisto % 100000000000LL).rightJustified(11, u'0');
    int soma = 0;
    for (int i = 0; i < 12; ++i)
        soma += (base[i].unicode() - '0') * ((i % 2) ? 3 : 1);
    return base + QString::number((10 - soma % 10) % 10);
}

struct FichaProduto {
    QString vendedor, unidade, descricao;
    int diasDevolucao = 0;
    bool lote = false;
    Currency pmc, upCompra, upCusto;
    bool porArmazem = false; // ParamGeral.PMCArmazem
    int regra = 1;           // ParamGeral.FormulaPrecoMedioCusto
    QDateTime agora;         // the server's time
};

std::optional<FichaProduto> lerFicha(Database& db, const QString& codigo) {
    // The company's switches and the server's time come along with the product, in one read.
    const auto r = db.primeiraLinha(
        QStringLiteral("SELECT vendedorhabitual, precomediocusto, ultprecocompra, ultprecocusto, DiasDevolucao, "
                       "UnidadeVenda, Lote, Descricao, "
                       "(SELECT PMCArmazem FROM ParamGeral ORDER BY NumRegisto LIMIT 1), "
                       "(SELECT FormulaPrecoMedioCusto FROM ParamGeral ORDER BY NumRegisto LIMIT 1), %1 "
                       "FROM Produtos WHERE Codigo=?")
            .arg(db.dialect().agora()),
        {codigo});
    if (!r)
        return std::nullopt;
    FichaProduto f;
    f.vendedor = r->at(0).toString();
    f.pmc = Currency::fromVariant(r->at(1));
    f.upCompra = Currency::fromVariant(r->at(2));
    f.upCusto = Currency::fromVariant(r->at(3));
    f.diasDevolucao = r->at(4).toInt();
    f.unidade = r->at(5).toString();
    f.lote = r->at(6).toString().trimmed() == QStringLiteral("1");
    f.descricao = r->at(7).toString();
    f.porArmazem = r->at(8).toInt() != 0;
    const int regra = r->at(9).toInt();
    f.regra = (regra == 2 || regra == 3) ? regra : 1;
    const QVariant agora = r->at(10);
    f.agora = agora.typeId() == QMetaType::QDateTime
                  ? agora.toDateTime()
                  : QDateTime::fromString(agora.toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return f;
}

bool verificarSaida(GlobalContext& ctx, const LinhaMovProduto& l, const FichaProduto& ficha) {
    Database& db = ctx.bd();
    const QString codigo = l.texto(QStringLiteral("Codigo"));
    const QString armazem = l.texto(QStringLiteral("Armazem")).left(3);
    const Currency quant = l.montante(QStringLiteral("QuantNormal"));
    Mavo mavo(ctx);
    if (!mavo.CtrlExistenciaProduto(db, codigo, armazem))
        return true;
    const bool saldosIniciais = ehSaldosIniciais(db, l.texto(QStringLiteral("Tipo")));
    const QString semLote = QStringLiteral("Sem lote definido para o produto %1!").arg(codigo);
    if (ficha.lote) {
        const QString lote = l.texto(QStringLiteral("Lote")).trimmed();
        if (lote.isEmpty())
            return recusar(ctx, semLote);
        if (saldosIniciais)
            return true;
        FiltroSaldo f;
        f.produto = codigo;
        f.armazem = armazem;
        f.localizacao = l.texto(QStringLiteral("Localizacao"));
        f.lote = lote;
        if (quant > SaldoProdutoArmazem(db, f))
            return recusar(ctx, semLote);
        return true;
    }
    if (saldosIniciais)
        return true;
    FiltroSaldo f;
    f.produto = codigo;
    f.armazem = armazem;
    const Currency saldo = SaldoProdutoArmazem(db, f);
    if (quant > saldo)
        return recusar(ctx, QStringLiteral("Stock insuficiente do produto %1 no armazém %2 (existência: %3).")
                                .arg(codigo, armazem, saldo.toString()));
    return true;
}

} // namespace

qint64 LancaMovProduto(GlobalContext& ctx, LinhaMovProduto l, const OpcoesLancamento& opcoes) {
    ctx.UltimoErro.clear();
    Database& db = ctx.bd();
    const QString codigo = l.texto(QStringLiteral("Codigo")).trimmed();
    const QString afecta = l.texto(QStringLiteral("AfectaStk")).trimmed().toUpper();
    const QString data = l.texto(QStringLiteral("Data")).trimmed();
    const Currency quant = l.montante(QStringLiteral("QuantNormal"));
    const Currency preco = l.montante(QStringLiteral("Preco"));
    l.definir(QStringLiteral("AfectaStk"), afecta);
    if (!QDate::fromString(data, QStringLiteral("yyyy-MM-dd")).isValid()) {
        recusar(ctx, QStringLiteral("Data inválida no movimento do produto %1: %2").arg(codigo, data));
        return 0;
    }

    // 1. value limit
    const bool ajuste = afecta == QStringLiteral("AC+") || afecta == QStringLiteral("AC-");
    Currency valorLinha = l.montante(QStringLiteral("ValorIliq"));
    if (valorLinha.isZero())
        valorLinha = quant.multiply(preco);
    if (!ajuste && valorLinha.abs() > LimiteValor) {
        recusar(ctx, QStringLiteral("Ultrapassou o valor limite por produto: 999,999,999.99\nProduto: [%1 - %2]")
                         .arg(codigo, l.texto(QStringLiteral("Descricao"))));
        return 0;
    }

    // 2. the product
    const std::optional<FichaProduto> ficha = lerFicha(db, codigo);
    if (!ficha) {
        recusar(ctx, QStringLiteral("Produto inexistente: %1").arg(codigo));
        return 0;
    }
    if (!l.tem(QStringLiteral("Descricao")) || l.texto(QStringLiteral("Descricao")).isEmpty())
        l.definir(QStringLiteral("Descricao"), ficha->descricao);
    if (!l.tem(QStringLiteral("Vendedor")) || l.texto(QStringLiteral("Vendedor")).isEmpty())
        l.definir(QStringLiteral("Vendedor"), ficha->vendedor);
    if (!l.tem(QStringLiteral("Unidade")) || l.texto(QStringLiteral("Unidade")).isEmpty())
        l.definir(QStringLiteral("Unidade"), ficha->unidade);

    // 3. stock control and lots on exits
    const bool saida = afecta == QStringLiteral("S+") || afecta == QStringLiteral("E-");
    if (saida && !verificarSaida(ctx, l, *ficha))
        return 0;

    // 4. costs
    Transaction tr(db);
    if (!tr.ok()) {
        recusar(ctx, db.lastError());
        return 0;
    }
    l.definir(QStringLiteral("PMCusto"), ficha->pmc);
    l.definir(QStringLiteral("UPCompra"), ficha->upCompra);
    l.definir(QStringLiteral("UPCusto"), ficha->upCusto);
    const bool porArmazem = ficha->porArmazem;
    const QString armazem = l.texto(QStringLiteral("Armazem"));
    if (porArmazem) {
        const PrecosArmazem pa = PrecosArmazemUltimaEntrada(db, codigo, armazem, data);
        l.definir(QStringLiteral("Armazem_UPCompra"), pa.upCompra);
        l.definir(QStringLiteral("Armazem_UPCusto"), pa.upCusto);
        l.definir(QStringLiteral("Armazem_PMCusto"), pa.pmCusto);
    }
    const bool entrada = afecta == QStringLiteral("E+") || afecta == QStringLiteral("E-");
    Currency pmcLinha;
    if (entrada) {
        bool ok = false;
        const LinhaEmCurso emCurso{afecta, preco, quant, 0};
        CorteCustoMedio corte;
        corte.data = data;
        corte.regra = ficha->regra;
        pmcLinha = CalculaPrecoMedioCusto(db, codigo, emCurso, corte, &ok);
        l.definir(QStringLiteral("PMCusto"), pmcLinha);
        if (ok && porArmazem) {
            corte.armazem = armazem;
            l.definir(QStringLiteral("Armazem_PMCusto"), CalculaPrecoMedioCusto(db, codigo, emCurso, corte, &ok));
        }
        if (!ok) {
            recusar(ctx, db.lastError());
            return 0;
        }
    } else if (afecta == QStringLiteral("S-")) {
        if (auto pmc = CustoDevolucaoStockVazio(db, codigo, quant, opcoes.actualizarCustoMedioFicha))
            l.definir(QStringLiteral("PMCusto"), *pmc);
    }

    // 5. return date and server time
    const QDateTime agora = ficha->agora.isValid() ? ficha->agora : db.agoraServidor();
    l.definir(QStringLiteral("DataDevolucao"),
              QDate::fromString(data, QStringLiteral("yyyy-MM-dd")).addDays(ficha->diasDevolucao).toString(QStringLiteral("yyyy-MM-dd")));
    l.definir(QStringLiteral("DataSys"), agora.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    if (!l.tem(QStringLiteral("Utilizador")) || l.texto(QStringLiteral("Utilizador")).isEmpty())
        l.definir(QStringLiteral("Utilizador"), ctx.CodigoUtilizador);

    // 6. insert and complete the row
    QString erro;
    const qint64 n = MeteNoMovPro(db, l, &erro);
    if (n <= 0) {
        recusar(ctx, erro.isEmpty() ? QStringLiteral("Não foi possível gravar o movimento do produto %1.").arg(codigo)
                                    : erro);
        return 0;
    }
    const QString carregado = opcoes.produtoCarregado.isEmpty() ? codigo : opcoes.produtoCarregado;
    if (!db.exec(QStringLiteral("UPDATE MovProduto SET CodigoBarras=?, Hora=?, UPCustoFicha=?, Estado='N', "
                                "Estado_DataSys=DataSys, Estado_Motivo='', Estado_Utilizador=Utilizador, "
                                "ProdutoCarregado=? WHERE NumRegisto=?"),
                 {codigoBarrasLinha(n), agora.toString(QStringLiteral("HH:mm:ss")), ficha->upCusto.toVariant(),
                  carregado, n})) {
        recusar(ctx, db.lastError());
        return 0;
    }
    if (entrada && opcoes.actualizarCustoMedioFicha) {
        // The product file keeps the average over its whole history. When nothing is dated after the
        // new row, that history ends with it and its own average is the answer.
        bool ok = true;
        Currency pmc = pmcLinha;
        const bool posteriores =
            db.primeiraLinha(QStringLiteral("SELECT NumRegisto FROM MovProduto WHERE Codigo=? AND Data>?") +
                                 db.dialect().limite(1),
                             {codigo, data}, &ok)
                .has_value();
        if (ok && posteriores) {
            CorteCustoMedio tudo;
            tudo.regra = ficha->regra;
            pmc = CalculaPrecoMedioCusto(db, codigo, {}, tudo, &ok);
        }
        if (!ok || !db.exec(QStringLiteral("UPDATE Produtos SET PrecoMedioCusto=? WHERE Codigo=?"),
                            {pmc.toVariant(), codigo})) {
            recusar(ctx, db.lastError());
            return 0;
        }
    }
    if (!tr.commit()) {
        recusar(ctx, db.lastError());
        return 0;
    }
    return n;
}

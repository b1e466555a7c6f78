#include "common/UserInteraction.h"
#include "stock/MovimentosStock.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "stock/VerificacoesStock.h"

#include <QSqlQuery>

namespace {

// Codes compare as the database compares them: without regard to case or surrounding blanks.
bool mesmoCodigo(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

bool eUm(const QVariant& v) {
    return v.toString().trimmed() == QStringLiteral("1");
}

// A warehouse list is "001;003;": the warehouse must equal one of its non-blank entries.
bool constaDaLista(const QString& lista, const QString& armazem) {
    const QStringList entradas = lista.split(u';');
    for (const QString& e : entradas)
        if (!e.trimmed().isEmpty() && mesmoCodigo(e, armazem))
            return true;
    return false;
}

} // namespace

bool VerificacoesStock::CtrlExistenciaProduto(Database& ligacao, const QString& produto, const QString& armazem) {
    const QString um = ligacao.dialect().limite(1);
    DadosCtrlExistencia d;
    const auto p = ligacao.primeiraLinha(
        QStringLiteral("SELECT codigo, ctrlexistencia, servico, portes, Lote, "
                       "(SELECT IgnoraCtrlExistencia FROM Armazens WHERE codigo=? ORDER BY NumRegisto%1) "
                       "FROM Produtos WHERE codigo=? ORDER BY NumRegisto%1")
            .arg(um),
        {armazem, produto});
    if (!p)
        return false;
    d.produtoExiste = true;
    d.codigo = p->at(0).toString();
    d.ctrlexistencia = p->at(1);
    d.servico = p->at(2);
    d.portes = p->at(3);
    d.lote = p->at(4);
    d.ignoraArmazem = p->at(5);
    d.parametros = ParametrosEmpresa::ler(ligacao).valorOu({});
    return decideCtrlExistencia(d);
}

bool VerificacoesStock::decideCtrlExistencia(const DadosCtrlExistencia& d) {
    if (!d.produtoExiste)
        return false;
    // A lot-managed product is watched everywhere: its lot balances must never go negative.
    if (d.lote.toInt() == 1)
        return true;
    if (d.ignoraArmazem.toInt() == 1)
        return false;
    const ParametrosEmpresa& g = d.parametros;
    if (!g.existe)
        return false;
    if (eUm(d.ctrlexistencia))
        return true;
    if (!g.controlaQuant)
        return false;

    // The general control covers sundry products, services and carriage only when the company says so.
    bool resultado = true;
    if (g.produtoDiverso(d.codigo)) {
        if (g.controlaQuantDiversos)
            return true;
        resultado = false;
    }
    if (eUm(d.servico)) {
        if (g.controlaQuantServicos)
            return true;
        resultado = false;
    }
    if (eUm(d.portes)) {
        if (g.controlaQuantPortes)
            return true;
        resultado = false;
    }
    return resultado;
}

bool VerificacoesStock::ControlaUnidades(Database& ligacao, QString& unidade, const Currency& quantidade,
                            const QString& produto, QString& direccao, const QString& tipoMovimento,
                            bool mostrarMensagem, UserInteraction* ui) {
    const QString um = ligacao.dialect().limite(1);
    if (unidade.trimmed().isEmpty() && !produto.trimmed().isEmpty()) {
        if (direccao.trimmed().isEmpty()) {
            const QString tipo = tipoMovimento.trimmed().toUpper();
            if (tipo.startsWith(u'E'))
                direccao = QStringLiteral("C");
            else if (tipo.startsWith(u'S'))
                direccao = QStringLiteral("V");
        }
        if (direccao.trimmed().isEmpty())
            direccao = QStringLiteral("V");
        direccao = direccao.trimmed().toUpper();
        const QString coluna = direccao == QStringLiteral("C")   ? QStringLiteral("UnidadeCompra")
                               : direccao == QStringLiteral("V") ? QStringLiteral("UnidadeVenda")
                                                                 : QString();
        if (!coluna.isEmpty())
            unidade = ligacao
                          .scalar(QStringLiteral("SELECT %1 FROM Produtos WHERE codigo=? ORDER BY NumRegisto")
                                          .arg(coluna) +
                                      um,
                                  {produto})
                          .toString();
    }

    const QVariant apenasUnidade = ligacao.scalar(
        QStringLiteral("SELECT ApenasUnidade FROM TabUnidades WHERE Codigo=? ORDER BY NumRegisto") + um,
        {unidade});
    const bool temDecimais = quantidade.raw() % Currency::Escala != 0;
    if (apenasUnidade.toInt() != 1 || !temDecimais)
        return true;
    if (mostrarMensagem && ui)
        ui->mensagem(
            TituloAtencao + QStringLiteral("\r") +
                QStringLiteral("Esta Unidade apenas permite a movimentação de quantidades unitárias."),
            UserInteraction::Icone::Critico);
    return false;
}

QString VerificacoesStock::VerLocalizacao(Database& ligacao, const QString& produto, const QString& armazem,
                             const QString& tipoMovimento, bool porStock, const QString& lote,
                             const Currency& quantidade) {
    const QString um = ligacao.dialect().limite(1);
    const bool comLote = !lote.trimmed().isEmpty();

    // The product's fixed location wins for entries and transfers into the warehouse.
    if (!tipoMovimento.trimmed().isEmpty()) {
        QString sql =
            QStringLiteral("SELECT Localizacao FROM ProdutosLocalizacoes WHERE Produto=? AND Armazem=?");
        QVariantList v{produto, armazem};
        if (comLote) {
            sql += QStringLiteral(" AND Lote=?");
            v << lote;
        }
        auto q = ligacao.query(sql + QStringLiteral(" ORDER BY NumRegisto") + um, v);
        if (q && q->next()) {
            const QString fixa = q->value(0).toString();
            const QString efeito =
                RetornaCampoTabela(ligacao, QStringLiteral("TabTipoMov"), QStringLiteral("AfectaStk"),
                                   QStringLiteral("Codigo"), tipoMovimento)
                    .trimmed()
                    .toUpper();
            if (efeito == QStringLiteral("E+") || efeito == QStringLiteral("TR"))
                return fixa.trimmed().isEmpty() ? QStringLiteral("0") : fixa;
        }
    }

    auto ultimaUsada = [&] {
        return ligacao
            .scalar(QStringLiteral("SELECT Localizacao FROM MovProduto WHERE Codigo=? AND Armazem=? "
                                   "ORDER BY Data DESC, NumRegisto DESC") +
                        um,
                    {produto, armazem})
            .toString();
    };

    QString resultado;
    if (!porStock) {
        resultado = ultimaUsada();
    } else {
        // Exits take the first location, from the highest code down, that holds enough for the whole
        // line; a line that no single location covers goes where the product was last moved.
        const Currency precisa = quantidade.abs();
        auto q =
            ligacao.query(QStringLiteral("SELECT DISTINCT Localizacao FROM MovProduto WHERE Codigo=? AND "
                                         "Armazem=? ORDER BY Localizacao DESC"),
                          {produto, armazem});
        QStringList localizacoes;
        while (q && q->next())
            localizacoes << q->value(0).toString();
        bool escolhida = false;
        for (const QString& l : localizacoes) {
            FiltroSaldo f;
            f.produto = produto;
            f.armazem = armazem;
            f.localizacao = l;
            if (comLote)
                f.lote = lote;
            const Currency saldo = SaldoProdutoArmazem(ligacao, f).valorOu(Currency());
            if (saldo > Currency() && saldo >= precisa) {
                resultado = l;
                escolhida = true;
                break;
            }
        }
        if (!escolhida)
            resultado = ultimaUsada();
    }
    return resultado.trimmed().isEmpty() ? QStringLiteral("0") : resultado;
}

bool VerificacoesStock::UtilizadorControloArmazens(const QString& armazem, bool mostrarMensagem, bool transferencia,
                                      UserInteraction* ui) {
    Database& db = m_ctx.bd();
    auto q =
        db.query(QStringLiteral("SELECT AltArmazem, ArmazensAcessos, ArmazensAcessosTRA FROM UtilConfGeral "
                                "WHERE Utilizador=? ORDER BY NumRegisto") +
                     db.dialect().limite(1),
                 {m_ctx.CodigoUtilizador});
    // A user without defaults has no warehouse restriction.
    if (!q || !q->next())
        return true;
    const int altArmazem = q->value(0).toInt();
    const QString acessos = q->value(1).toString();
    const QString acessosTransferencia = q->value(2).toString();
    const bool semArmazem = armazem.trimmed().isEmpty();

    auto recusar = [&] {
        if (mostrarMensagem && ui)
            ui->mensagem(QStringLiteral("Não pode utilizar o Armazém ") + armazem + QStringLiteral("."),
                         UserInteraction::Icone::Informacao);
        return false;
    };

    if (transferencia && !acessosTransferencia.trimmed().isEmpty()) {
        if (semArmazem)
            return false;
        return constaDaLista(acessosTransferencia, armazem) || recusar();
    }
    if (altArmazem == 0 && !semArmazem && acessos.trimmed().isEmpty())
        return mesmoCodigo(armazem, m_ctx.armazem) || recusar();
    if (!acessos.trimmed().isEmpty()) {
        if (semArmazem)
            return false;
        return constaDaLista(acessos, armazem) || recusar();
    }
    return true;
}

#include "stock/AlterarPMC.h"

#include "common/UserInteraction.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "session/LogGeral.h"

AlterarPMC::AlterarPMC(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}

QString AlterarPMC::Titulo() { return QStringLiteral("Actualizar P.M.C. e U.P.C. <Produtos sem Compras>"); }

QString AlterarPMC::Nota() {
    return QStringLiteral("Esta rotina serve para actualizar o Preço Médio de Custo e o Último Preço de Custo dos "
                          "produtos que não sejam movimentados por compras tais como Mão de Obra, Electricidade, "
                          "Água e outros...");
}

void AlterarPMC::limpar() {
    txtProduto.clear();
    txtDescricao.clear();
    txtPrecoMedioCusto = txtUltPrecoCusto = Currency();
    m_numRegisto = 0;
    m_carregado = false;
}

bool AlterarPMC::produtoSaiu(const QString& codigo) {
    const QString c = codigo.trimmed();
    limpar();
    if (c.isEmpty())
        return false;
    Database& db = m_ctx.bd();
    auto p = db.primeiraLinha(QStringLiteral("SELECT NumRegisto, Codigo, Descricao, PrecoMedioCusto, UltPrecoCusto, "
                                             "Servico, Portes FROM Produtos WHERE Codigo=? ORDER BY NumRegisto"),
                              {c});
    if (!p) {
        m_ui.mensagem(QStringLiteral(" A T E N Ç Ã O !    Produto Inexistente."), UserInteraction::Icone::Exclamacao);
        return false;
    }
    const bool temEntradas =
        db.primeiraLinha(QStringLiteral("SELECT Data FROM MovProduto WHERE Codigo=? AND AfectaStk='E+' "
                                        "ORDER BY Data DESC") + db.dialect().limite(1),
                         {p->at(1)})
            .has_value();
    if (temEntradas) {
        const bool semStock = p->at(5).toString().trimmed() == QStringLiteral("1") ||
                              p->at(6).toString().trimmed() == QStringLiteral("1");
        if (!semStock) {
            m_ui.mensagem(QStringLiteral("Existem movimentos de Entradas em Stock para este Produto.\r\n"
                                         "Não pode Alterar Preços."),
                          UserInteraction::Icone::Critico, TituloAtencao);
            return false;
        }
        m_ui.mensagem(QStringLiteral("Existem movimentos de Entradas em Stock para este Produto"),
                      UserInteraction::Icone::Informacao);
    }
    m_numRegisto = p->at(0).toLongLong();
    txtProduto = p->at(1).toString();
    txtDescricao = p->at(2).toString();
    txtPrecoMedioCusto = Currency::fromVariant(p->at(3));
    txtUltPrecoCusto = Currency::fromVariant(p->at(4));
    m_carregado = true;
    return true;
}

bool AlterarPMC::actualizar() {
    if (!m_carregado)
        return false;
    if (!m_ui.pergunta(QStringLiteral("Confirma a Actualização ?"), Titulo()))
        return false;
    Database& db = m_ctx.bd();
    Transaction t(db);
    const QSqlRecord antes = lerRegisto(db, QStringLiteral("Produtos"), m_numRegisto);
    bool ok = t.ok() && !antes.isEmpty() &&
              db.update(QStringLiteral("Produtos"), {QStringLiteral("PrecoMedioCusto"), QStringLiteral("UltPrecoCusto")},
                        {txtPrecoMedioCusto.toVariant(), txtUltPrecoCusto.toVariant()},
                        QStringLiteral("WHERE NumRegisto=?"), {m_numRegisto});
    if (ok) {
        const QSqlRecord depois = lerRegisto(db, QStringLiteral("Produtos"), m_numRegisto);
        EntradaLog e;
        e.modulo = QStringLiteral("TB");
        e.accao = QStringLiteral("A");
        e.produto = txtProduto;
        e.descricao = QStringLiteral("P.M.C./U.P.C.: %1 - %2").arg(txtProduto, txtDescricao);
        ok = LogGeral(m_ctx, e, &antes, &depois) && t.commit();
    }
    if (!ok) {
        m_ui.mensagem(db.lastError(), UserInteraction::Icone::Critico);
        return false;
    }
    return true;
}

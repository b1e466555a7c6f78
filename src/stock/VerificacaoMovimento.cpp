#include "stock/VerificacaoMovimento.h"

#include "company/EDiv.h"
#include "company/GlobalContext.h"
#include "db/Database.h"
#include "stock/LinhaMovProduto.h"

namespace {

namespace Col = ColMovProduto;

const QStringList EfeitosDeStock{QStringLiteral("E+"),  QStringLiteral("E-"),  QStringLiteral("S+"),
                                 QStringLiteral("S-"),  QStringLiteral("TL+"), QStringLiteral("TL-"),
                                 QStringLiteral("AC+"), QStringLiteral("AC-"), QStringLiteral("NA")};

} // namespace

const QStringList& ColunasPreenchidasPeloPrograma() {
    static const QStringList c{QStringLiteral("NumRegisto"),
                               Col::DataSys,
                               Col::Hora,
                               Col::Estado,
                               Col::Estado_DataSys,
                               Col::Estado_Motivo,
                               Col::Estado_Utilizador,
                               Col::CodigoBarras,
                               Col::UPCustoFicha,
                               Col::ProdutoCarregado,
                               Col::DataDevolucao,
                               Col::PMCusto,
                               Col::UPCompra,
                               Col::UPCusto,
                               Col::Armazem_PMCusto,
                               Col::Armazem_UPCompra,
                               Col::Armazem_UPCusto};
    return c;
}

Resultado<> VerificaMovimentoExterno(GlobalContext& ctx, const LinhaMovProduto& l) {
    Database& db = ctx.bd();
    const QString codigo = l.texto(Col::Codigo).trimmed();
    const QString tipo = l.texto(Col::Tipo).trimmed();
    const QString afecta = l.texto(Col::AfectaStk).trimmed().toUpper();
    const QString data = l.texto(Col::Data).trimmed();

    if (!EfeitosDeStock.contains(afecta))
        return Falha(
            QStringLiteral("Efeito no stock inválido: %1 (E+, E-, S+, S-, TL+, TL-, AC+, AC- ou NA).")
                .arg(afecta.left(10)));
    const auto t =
        db.primeiraLinha(QStringLiteral("SELECT AfectaStk FROM TabTipoMov WHERE Codigo=?"), {tipo});
    if (!t)
        return Falha(QStringLiteral("Tipo de Movimento Inexistente: %1").arg(tipo.left(10)));
    const QString afectaTipo = t->at(0).toString().trimmed().toUpper();
    if (!afectaTipo.isEmpty() && afectaTipo != afecta)
        return Falha(QStringLiteral("O tipo de movimento %1 afecta o stock com %2, não com %3.")
                         .arg(tipo, afectaTipo, afecta));

    if (!EDiv::DataIsoValida(data))
        return Falha(QStringLiteral("Data inválida: %1 (use aaaa-mm-dd).").arg(data.left(20)));
    const QString ano = l.texto(Col::Ano).trimmed();
    if (ano != data.left(4))
        return Falha(QStringLiteral("O ano %1 não é o da data %2.").arg(ano.left(10), data));
    for (const ColunaMovProduto coluna :
         {Col::DataFabrico, Col::DataValidade, Col::DataGuia, Col::DataDisposicao}) {
        const QString d = l.texto(coluna).trimmed();
        if (!d.isEmpty() && !EDiv::DataIsoValida(d))
            return Falha(QStringLiteral("Data inválida na coluna %1: %2 (use aaaa-mm-dd).")
                             .arg(coluna.texto(), d.left(20)));
    }

    const Currency quant = l.montante(Col::QuantNormal);
    const bool correccaoDeValor = afecta == QStringLiteral("AC+") || afecta == QStringLiteral("AC-");
    if (quant.isNegative() || (quant.isZero() && !correccaoDeValor))
        return Falha(QStringLiteral("A quantidade deve ser maior que 0: o sentido do movimento é dado por "
                                    "AfectaStk."));
    if (l.montante(Col::Preco).isNegative())
        return Falha(QStringLiteral("O preço não pode ser negativo."));

    for (const ColunaMovProduto coluna : {Col::Armazem, Col::ArmazemDest}) {
        const QString a = l.texto(coluna).trimmed();
        if ((!a.isEmpty() || coluna.posicao == Col::Armazem.posicao) &&
            !db.primeiraLinha(QStringLiteral("SELECT Codigo FROM Armazens WHERE Codigo=?"), {a}))
            return Falha(QStringLiteral("Armazém Inexistente: %1").arg(a.left(10)));
    }
    const QString localizacao = l.texto(Col::Localizacao).trimmed();
    if (!localizacao.isEmpty() &&
        !db.primeiraLinha(QStringLiteral("SELECT Codigo FROM Localizacao WHERE Codigo=?"), {localizacao}))
        return Falha(QStringLiteral("Localização Inexistente: %1").arg(localizacao.left(10)));

    const QString lote = l.texto(Col::Lote).trimmed();
    const bool comLotes = db.scalar(QStringLiteral("SELECT Lote FROM Produtos WHERE Codigo=?"), {codigo})
                              .toString()
                              .trimmed() == QStringLiteral("1");
    if (!comLotes && !lote.isEmpty())
        return Falha(QStringLiteral("O produto %1 não tem controlo de lotes.").arg(codigo));
    if (comLotes && ctx.Lotes && lote.isEmpty())
        return Falha(QStringLiteral("Sem lote definido para o produto %1!").arg(codigo));
    return {};
}

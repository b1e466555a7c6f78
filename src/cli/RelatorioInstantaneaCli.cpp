// "relatorio-instantanea": the instant-production report list on the command line, read and drawn
// by the same code as its window, for the user of the session.

#include "cli/RelatorioCli.h"
#include "company/GlobalContext.h"
#include "printing/RelatorioInstantaneaImpressao.h"
#include "printing/cPrinter.h"
#include "production/RelatorioInstantanea.h"

namespace {

Resultado<RelatorioPronto> relatorioInstantanea(SessaoCli& s, const PedidoCli& p) {
    FiltroRelatorioInstantanea f;
    if (auto r = OpcaoPeriodo(p, f.de, f.ate); !r)
        return r.falha();
    const auto equipamento = OpcaoCodigo(p, QStringLiteral("equipamento"), 20);
    if (!equipamento)
        return equipamento.falha();
    f.equipamento = *equipamento;
    f.utilizador = s.ctx.CodigoUtilizador;

    QString descricao;
    if (!f.equipamento.isEmpty()) {
        const auto linha = s.ctx.bd().lerPrimeiraLinha(
            QStringLiteral("SELECT Descricao FROM Prod_Equipamentos WHERE Codigo=?"), {f.equipamento});
        if (!linha)
            return linha.falha();
        if (!*linha)
            return Falha(QStringLiteral("Equipamento inexistente: %1").arg(f.equipamento));
        descricao = (**linha).value(0).toString().trimmed();
    }

    auto linhas = LerRelatorioInstantanea(s.ctx.bd(), f);
    if (!linhas)
        return linhas.falha();
    if (linhas->empty())
        return Falha(QStringLiteral("Não existem registos para esta Condição!"));
    RelatorioPronto r;
    r.dados = DadosRelatorioInstantanea(*linhas, f);
    const QString empresa = NomeEmpresaImpressao(s.ctx);
    r.desenhar = [l = *linhas, f, descricao, empresa](cPrinter& pr, const QDate& emissao) {
        return ImprimirRelatorioInstantanea(pr, l, f, descricao, empresa, QStringLiteral("S"), emissao);
    };
    return r;
}

} // namespace

RelatorioCli RelatorioInstantaneaCli() {
    return {QStringLiteral("relatorio-instantanea"),
            QStringLiteral("frmImpRelatorioProdInstantanea"),
            {QStringLiteral("cmdImprimir")},
            {QStringLiteral("de"), QStringLiteral("ate"), QStringLiteral("equipamento")},
            QStringLiteral("[--de AAAA-MM-DD] [--ate AAAA-MM-DD] [--equipamento E]"),
            relatorioInstantanea};
}

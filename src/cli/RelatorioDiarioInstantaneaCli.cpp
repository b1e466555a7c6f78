// "diario-instantanea": the instant-production journal on the command line, read and drawn by the
// same code as its window.

#include "cli/RelatorioCli.h"
#include "company/GlobalContext.h"
#include "printing/DiarioInstantaneaImpressao.h"
#include "printing/cPrinter.h"
#include "production/DiarioInstantanea.h"

namespace {

Resultado<RelatorioPronto> diarioInstantanea(SessaoCli& s, const PedidoCli& p) {
    FiltroDiarioInstantanea f;
    const auto nomenclatura = OpcaoCodigo(p, QStringLiteral("nomenclatura"), 15);
    if (!nomenclatura)
        return nomenclatura.falha();
    f.nomenclatura = *nomenclatura;

    const QString fluxo = p.opcao(QStringLiteral("fluxo")).trimmed();
    if (fluxo.isEmpty() || fluxo.compare(TodosFluxos, Qt::CaseInsensitive) == 0)
        f.fluxo = TodosFluxos;
    else if (FluxosDiarioInstantanea.contains(fluxo.toUpper()))
        f.fluxo = fluxo.toUpper();
    else
        return Falha(QStringLiteral("--fluxo só aceita A, B, C, D, E ou Todos."));

    const QString modo = p.opcao(QStringLiteral("modo")).trimmed().toLower();
    bool modoValido = false;
    for (const auto m : {ModoDiarioInstantanea::DiarioCorrido, ModoDiarioInstantanea::PorNomenclatura,
                         ModoDiarioInstantanea::PorFluxo})
        if (modo.isEmpty() ? m == ModoDiarioInstantanea::DiarioCorrido : modo == ChaveModoDiarioInstantanea(m)) {
            f.modo = m;
            modoValido = true;
        }
    if (!modoValido)
        return Falha(QStringLiteral("--modo só aceita diario, nomenclatura ou fluxo."));

    if (auto r = OpcaoPeriodo(p, f.de, f.ate); !r)
        return r.falha();

    QString descricao;
    if (!f.nomenclatura.isEmpty()) {
        const auto linha = s.ctx.bd().lerPrimeiraLinha(
            QStringLiteral("SELECT Descricao FROM NomenclaturaInstantanea WHERE Codigo=?"), {f.nomenclatura});
        if (!linha)
            return linha.falha();
        if (!*linha)
            return Falha(QStringLiteral("Nomenclatura Inexistente"));
        descricao = (**linha).value(0).toString().trimmed();
    }

    auto diario = LerDiarioInstantanea(s.ctx.bd(), f);
    if (!diario)
        return diario.falha();
    if (diario->grupos.empty())
        return Falha(QStringLiteral("Não existem movimentos para estas condições!"));
    RelatorioPronto r;
    r.dados = DadosDiarioInstantanea(*diario, f);
    const int casasQ = qBound(0, s.ctx.casadecquant, 4), casasV = qBound(0, s.ctx.casadec, 4);
    const QString empresa = NomeEmpresaImpressao(s.ctx);
    r.desenhar = [d = *diario, f, descricao, casasQ, casasV, empresa](cPrinter& pr, const QDate& emissao) {
        return ImprimirDiarioInstantanea(pr, d, f, descricao, casasQ, casasV, empresa, QStringLiteral("S"), emissao);
    };
    return r;
}

} // namespace

RelatorioCli RelatorioDiarioInstantaneaCli() {
    return {QStringLiteral("diario-instantanea"),
            QStringLiteral("frmImpDiarioProdNaHora"),
            {QStringLiteral("cmdImprimir")},
            {QStringLiteral("nomenclatura"), QStringLiteral("fluxo"), QStringLiteral("de"), QStringLiteral("ate"),
             QStringLiteral("modo")},
            QStringLiteral("[--nomenclatura N] [--fluxo A|B|C|D|E|Todos] [--de AAAA-MM-DD] [--ate AAAA-MM-DD] "
                           "[--modo diario|nomenclatura|fluxo]"),
            diarioInstantanea};
}

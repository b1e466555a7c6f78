// "analise-grupos" on the command line: the analysis of products by group, family and subfamily,
// read and drawn by the same code as its window.

#include "cli/LeitorJsonCli.h"
#include "cli/RelatorioCli.h"
#include "company/GlobalContext.h"
#include "printing/AnaliseGruposImpressao.h"
#include "production/AnaliseGrupos.h"

#include <QRegularExpression>

namespace {

Resultado<RelatorioPronto> analiseGrupos(SessaoCli& s, const PedidoCli& p) {
    Database& db = s.ctx.bd();
    FiltroAnaliseGrupos f;
    struct Codigo {
        const char* opcao;
        int maximo;
        QString* destino;
    };
    for (const Codigo& c : {Codigo{"tipo", 3, &f.tipo}, Codigo{"numero", 10, &f.lote}, Codigo{"produto", 15, &f.produto},
                            Codigo{"situacao", 10, &f.situacao}, Codigo{"vendedor", 2, &f.vendedor},
                            Codigo{"grupo", 10, &f.grupo}, Codigo{"familia", 10, &f.familia},
                            Codigo{"subfamilia", 10, &f.subfamilia}, Codigo{"cambio", 10, &f.cambio}}) {
        const auto v = OpcaoCodigo(p, QLatin1String(c.opcao), c.maximo);
        if (!v)
            return v.falha();
        *c.destino = *v;
    }
    if (f.tipo.isEmpty())
        return Falha(QStringLiteral("Tem que preencher o tipo de Movimento"));
    if (auto r = OpcaoPeriodo(p, f.de, f.ate); !r)
        return r.falha();
    const auto resumo = OpcaoSimNao(p, QStringLiteral("resumo"));
    if (!resumo)
        return resumo.falha();
    f.resumo = *resumo;

    // Only stock and purchase/sale documents, as the window offers.
    if (!db.primeiraLinha(QStringLiteral("SELECT Codigo FROM TabTipoMov WHERE Codigo=? AND "
                                         "(Modulo=? OR Modulo=? OR Modulo=?)"),
                          {f.tipo, QStringLiteral("ST"), QStringLiteral("FC"), QStringLiteral("FF")}))
        return Falha(QStringLiteral("Tipo de Movimento Inexistente ou não pertence a estas condições: %1")
                         .arg(citacao(f.tipo)));
    if (!f.produto.isEmpty()) {
        const auto produto = s.produto(f.produto);
        if (!produto)
            return produto.falha();
        f.produto = *produto;
    }
    if (!f.cambio.isEmpty()) {
        const auto valor = db.primeiraLinha(QStringLiteral("SELECT Valor FROM Cambios WHERE Codigo=?"), {f.cambio});
        if (!valor || valor->isEmpty())
            return Falha(QStringLiteral("Câmbio inexistente: %1").arg(citacao(f.cambio)));
        f.valorCambio = Currency::fromVariant(valor->first());
    }
    // "--armazem 001 --armazem 002", or the list in one value ("001;002").
    static const QRegularExpression separador(QStringLiteral("[;,]"));
    for (const QString& valor : p.valores(QStringLiteral("armazem")))
        for (QString a : valor.split(separador, Qt::SkipEmptyParts)) {
            a = a.trimmed();
            if (a.isEmpty())
                continue;
            static const QRegularExpression digitos(QStringLiteral("^[0-9]{1,2}$"));
            if (digitos.match(a).hasMatch())
                a = a.rightJustified(3, u'0');
            if (a.size() > 3 || !s.existe(QStringLiteral("Armazens"), a))
                return Falha(QStringLiteral("Armazém inexistente: %1").arg(citacao(a)));
            if (!f.armazens.contains(a))
                f.armazens << a;
        }

    auto analise = LerAnaliseGrupos(db, f);
    if (!analise)
        return analise.falha();
    if (analise->vazia())
        return Falha(QStringLiteral("Não existem Produtos nestas condições!"));
    const DescricoesAnaliseGrupos descricoes = LerDescricoesAnaliseGrupos(db, f);
    RelatorioPronto r;
    r.dados = DadosAnaliseGrupos(*analise, f);
    const int casasQ = qBound(0, s.ctx.casadecquant, 4), casasV = qBound(0, s.ctx.casadec, 4);
    const QString empresa = NomeEmpresaImpressao(s.ctx);
    r.desenhar = [a = *analise, f, descricoes, casasQ, casasV, empresa](cPrinter& pr, const QDate& emissao) {
        return ImprimirAnaliseGrupos(pr, a, f, descricoes, casasQ, casasV, empresa, QStringLiteral("S"), emissao);
    };
    return r;
}

} // namespace

RelatorioCli RelatorioAnaliseGruposCli() {
    return {QStringLiteral("analise-grupos"),
            QStringLiteral("frmImpDiarioStk"),
            {QStringLiteral("cmdImprimir")},
            {QStringLiteral("tipo"), QStringLiteral("numero"), QStringLiteral("produto"), QStringLiteral("situacao"),
             QStringLiteral("vendedor"), QStringLiteral("grupo"), QStringLiteral("familia"),
             QStringLiteral("subfamilia"), QStringLiteral("armazem"), QStringLiteral("cambio"), QStringLiteral("de"),
             QStringLiteral("ate"), QStringLiteral("resumo")},
            QStringLiteral("--tipo T [--numero LOTE] [--produto P] [--situacao S] [--vendedor V] [--grupo G] "
                           "[--familia F] [--subfamilia S] [--armazem A ...] [--cambio C] [--de AAAA-MM-DD] "
                           "[--ate AAAA-MM-DD] [--resumo sim]"),
            analiseGrupos,
            {QStringLiteral("armazem")}};
}

#include "production/ProducaoInstantanea.h"

#include "company/GlobalContext.h"
#include "db/Database.h"
#include "production/NomenclaturaDados.h"
#include "production/ReceitaInstantanea.h"
#include "stock/VerificacoesStock.h"

namespace {

constexpr auto Metade = Currency::Arredondamento::MetadeAfastaDeZero;

// The product's price for a rule; the column comes from this fixed list, never from stored text.
Resultado<Currency> precoPorRegra(Database& db, const QString& produto, const QString& precario) {
    const QString regra = precarioNormalizado(precario);
    QString coluna;
    if (regra == PrecarioUPCompra)
        coluna = QStringLiteral("UltPrecoCompra");
    else if (regra == PrecarioUPCusto)
        coluna = QStringLiteral("UltPrecoCusto");
    else if (regra == PrecarioPMC)
        coluna = QStringLiteral("PrecoMedioCusto");
    else
        return Currency();
    const auto v = db.lerValor(QStringLiteral("SELECT %1 FROM Produtos WHERE Codigo=?").arg(coluna), {produto});
    if (!v)
        return v.falha();
    return Currency::fromVariant(*v);
}

} // namespace

Currency CustoMaterias(const DocumentoInstantaneo& d) {
    Currency c;
    for (const MateriaInstantanea& m : d.materias)
        c += m.quantidade.multiply(m.preco, Metade);
    return c;
}

void CalculaCustos(DocumentoInstantaneo& d) {
    const Currency custo = CustoMaterias(d);
    Currency pesos;
    for (const AcabadoInstantaneo& a : d.acabados)
        pesos += a.percCusto;
    if (pesos.isZero()) {
        for (AcabadoInstantaneo& a : d.acabados)
            a.valCusto = Currency();
        return;
    }
    const Currency cem = Currency(100);
    Currency repartido;
    int maior = -1;
    Currency maiorQuota;
    for (size_t i = 0; i < d.acabados.size(); ++i) {
        AcabadoInstantaneo& a = d.acabados[i];
        const Currency quota = a.percCusto.multiply(cem, Metade).divide(pesos, Metade);
        // quota / 100 × cost rounded once, on the exact product.
        a.valCusto = Currency::fromRaw(
            lumoDividirArredondando(__int128(quota.raw()) * custo.raw(), __int128(100) * Currency::Escala, Metade));
        repartido += a.valCusto;
        if (maior < 0 || quota > maiorQuota) {
            maior = int(i);
            maiorQuota = quota;
        }
    }
    d.acabados[size_t(maior)].valCusto += custo - repartido;
}

Currency PrecoUnitarioAcabado(const AcabadoInstantaneo& a) {
    if (a.precoCusto > Currency())
        return a.precoCusto;
    return a.quantidade.isZero() ? Currency() : a.valCusto.divide(a.quantidade, Metade);
}

std::optional<Currency> LerFactorReceita(const QString& texto) {
    const auto v = Currency::parse(texto.trimmed());
    if (!v || *v <= Currency())
        return std::nullopt;
    return v;
}

Resultado<> IntegraReceita(GlobalContext& ctx, DocumentoInstantaneo& d, const QString& codigo, const Currency& factor) {
    if (factor <= Currency())
        return Falha(QStringLiteral("O factor deve ser maior que 0."));
    Database& db = ctx.bd();
    const auto lida = LerReceita(db, codigo);
    if (!lida)
        return lida.falha();
    if (!*lida)
        return Falha(QStringLiteral("Receita inexistente: %1").arg(codigo));
    const Receita& r = **lida;
    DocumentoInstantaneo novo;
    novo.receita = r.codigo;
    VerificacoesStock verif(ctx);
    for (const LinhaReceita& l : r.materias) {
        MateriaInstantanea m;
        m.produto = l.produto;
        m.descricao = l.descricao;
        m.armazem = l.armazem;
        m.quantidade = l.quantidade.multiply(factor, Metade);
        m.precario = l.precario;
        if (precarioNormalizado(l.precario) == PrecarioDigitado) {
            m.preco = l.valor;
        } else {
            const auto p = precoPorRegra(db, l.produto, l.precario);
            if (!p)
                return p.falha();
            m.preco = *p;
        }
        m.observa = l.observa;
        m.localizacao = verif.VerLocalizacao(db, m.produto, m.armazem, QStringLiteral("S+"), false);
        novo.materias.push_back(m);
    }
    for (const LinhaReceita& l : r.acabados) {
        AcabadoInstantaneo a;
        a.produto = l.produto;
        a.descricao = l.descricao;
        a.armazem = l.armazem;
        a.quantidade = l.quantidade.multiply(factor, Metade);
        const QString regra = precarioNormalizado(l.precario);
        if (regra == PrecarioPercCusto) {
            a.percCusto = l.valor;
        } else if (regra == PrecarioDigitado) {
            a.precoCusto = l.valor;
        } else {
            const auto p = precoPorRegra(db, l.produto, l.precario);
            if (!p)
                return p.falha();
            a.precoCusto = *p;
        }
        a.observa = l.observa;
        novo.acabados.push_back(a);
    }
    CalculaCustos(novo);
    d = std::move(novo);
    return {};
}

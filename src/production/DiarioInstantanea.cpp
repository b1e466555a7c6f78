#include "production/DiarioInstantanea.h"

#include "db/Database.h"

#include <QHash>
#include <QSqlQuery>
#include <algorithm>

namespace {

constexpr auto Metade = Currency::Arredondamento::MetadeAfastaDeZero;

// One LoteInstantaneo row as read.
struct LinhaLida {
    QString processo, data, nomenclatura, descricaoNomenclatura, fluxo;
    bool materia = false;
    LadoDiarioInstantanea lado;
};

// Run numbers are numeric text: "10" comes after "9".
bool processoAntes(const QString& a, const QString& b) {
    bool okA = false, okB = false;
    const qlonglong na = a.toLongLong(&okA), nb = b.toLongLong(&okB);
    if (okA && okB && na != nb)
        return na < nb;
    if (okA != okB)
        return okA; // numbers before anything else
    return a < b;
}

// Blank keys (runs without a bill) go last.
bool chaveAntes(const QString& a, const QString& b) {
    if (a.isEmpty() != b.isEmpty())
        return b.isEmpty();
    return a < b;
}

// What a group gathers before its lines are paired.
struct Acumulado {
    GrupoDiarioInstantanea grupo;
    std::vector<LadoDiarioInstantanea> mps, pas;
    QHash<QString, size_t> indiceMP, indicePA; // accumulated modes: a product's place in its list
};

void juntar(std::vector<LadoDiarioInstantanea>& lista, QHash<QString, size_t>& indice, const LadoDiarioInstantanea& l) {
    const auto it = indice.constFind(l.produto);
    if (it == indice.constEnd()) {
        indice.insert(l.produto, lista.size());
        lista.push_back(l);
        return;
    }
    LadoDiarioInstantanea& t = lista[it.value()];
    t.quantidade += l.quantidade;
    t.valor += l.valor;
}

// The n-th raw material beside the n-th finished product; the group's totals.
void emparelhar(Acumulado& a) {
    const size_t n = std::max(a.mps.size(), a.pas.size());
    a.grupo.linhas.resize(n);
    for (size_t i = 0; i < a.mps.size(); ++i) {
        a.grupo.linhas[i].mp = a.mps[i];
        a.grupo.totalMP += a.mps[i].valor;
    }
    for (size_t i = 0; i < a.pas.size(); ++i) {
        a.grupo.linhas[i].pa = a.pas[i];
        a.grupo.totalPA += a.pas[i].valor;
    }
}

// A summed product's price: value over quantity (nothing when the quantities cancel out).
void precoMedio(std::vector<LadoDiarioInstantanea>& lista) {
    for (LadoDiarioInstantanea& l : lista)
        l.preco = l.quantidade.isZero() ? Currency() : l.valor.divide(l.quantidade, Metade);
}

} // namespace

QString NomeModoDiarioInstantanea(ModoDiarioInstantanea m) {
    switch (m) {
    case ModoDiarioInstantanea::PorNomenclatura:
        return QStringLiteral("Acumulados por Nomenclatura");
    case ModoDiarioInstantanea::PorFluxo:
        return QStringLiteral("Acumulados por Fluxo");
    case ModoDiarioInstantanea::DiarioCorrido:
        break;
    }
    return QStringLiteral("Diário Corrido");
}

QString ChaveModoDiarioInstantanea(ModoDiarioInstantanea m) {
    switch (m) {
    case ModoDiarioInstantanea::PorNomenclatura:
        return QStringLiteral("nomenclatura");
    case ModoDiarioInstantanea::PorFluxo:
        return QStringLiteral("fluxo");
    case ModoDiarioInstantanea::DiarioCorrido:
        break;
    }
    return QStringLiteral("diario");
}

Resultado<DiarioInstantanea> LerDiarioInstantanea(Database& db, const FiltroDiarioInstantanea& f) {
    const QString fluxo = f.fluxo.trimmed();
    const bool todosFluxos = fluxo.isEmpty() || fluxo.compare(TodosFluxos, Qt::CaseInsensitive) == 0;
    if (!todosFluxos && !FluxosDiarioInstantanea.contains(fluxo))
        return Falha(QStringLiteral("Fluxo inválido: %1 (A, B, C, D, E ou Todos).").arg(fluxo));

    // The bill is joined by its code alone, for its flow and description: runs without a bill and
    // lines whose product has since left the bill are kept.
    QString sql = QStringLiteral(
        "SELECT li.NumProcesso, li.Data, COALESCE(li.Codigo,''), COALESCE(n.Descricao,''), COALESCE(n.Fluxo,''), "
        "li.TipoProduto, li.Produto, COALESCE(p.Descricao,''), li.Quantidade, li.Preco "
        "FROM LoteInstantaneo li "
        "LEFT JOIN (SELECT Codigo, MAX(Descricao) AS Descricao, MAX(Fluxo) AS Fluxo FROM NomenclaturaInstantanea "
        "GROUP BY Codigo) n ON n.Codigo=li.Codigo "
        "LEFT JOIN Produtos p ON p.Codigo=li.Produto "
        "WHERE li.NumRegisto>0");
    QVariantList valores;
    if (!f.nomenclatura.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND li.Codigo=?");
        valores << f.nomenclatura.trimmed();
    }
    if (!f.de.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND li.Data>=?");
        valores << f.de.trimmed();
    }
    if (!f.ate.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND li.Data<=?");
        valores << f.ate.trimmed();
    }
    if (!todosFluxos) {
        sql += QStringLiteral(" AND n.Fluxo=?");
        valores << fluxo;
    }
    sql += QStringLiteral(" ORDER BY li.Data, li.NumProcesso, li.NumRegisto");

    std::vector<LinhaLida> lidas;
    const bool ok = db.percorrer(sql, valores, [&](const QSqlQuery& q) {
        const QString tipo = q.value(5).toString().trimmed().toUpper();
        if (tipo != QStringLiteral("MP") && tipo != QStringLiteral("PA"))
            return;
        LinhaLida l;
        l.processo = q.value(0).toString().trimmed();
        l.data = q.value(1).toString().left(10);
        l.nomenclatura = q.value(2).toString().trimmed();
        l.descricaoNomenclatura = q.value(3).toString().trimmed();
        l.fluxo = q.value(4).toString().trimmed();
        l.materia = tipo == QStringLiteral("MP");
        l.lado.produto = q.value(6).toString().trimmed();
        l.lado.descricao = q.value(7).toString().trimmed();
        l.lado.quantidade = Currency::fromVariant(q.value(8));
        l.lado.preco = Currency::fromVariant(q.value(9));
        l.lado.valor = l.lado.quantidade.multiply(l.lado.preco, Metade);
        lidas.push_back(l);
    });
    if (!ok)
        return Falha(db.lastError());

    DiarioInstantanea d;
    d.modo = f.modo;
    const bool acumula = f.modo != ModoDiarioInstantanea::DiarioCorrido;
    std::vector<Acumulado> grupos;
    QHash<QString, size_t> indice;
    for (const LinhaLida& l : lidas) {
        const QString chave = f.modo == ModoDiarioInstantanea::DiarioCorrido ? l.processo
                              : f.modo == ModoDiarioInstantanea::PorNomenclatura ? l.nomenclatura
                                                                                  : l.fluxo;
        auto it = indice.constFind(chave);
        if (it == indice.constEnd()) {
            Acumulado a;
            switch (f.modo) {
            case ModoDiarioInstantanea::DiarioCorrido:
                a.grupo.data = l.data;
                a.grupo.processo = l.processo;
                [[fallthrough]];
            case ModoDiarioInstantanea::PorNomenclatura:
                a.grupo.nomenclatura = l.nomenclatura;
                a.grupo.descricaoNomenclatura = l.descricaoNomenclatura;
                [[fallthrough]];
            case ModoDiarioInstantanea::PorFluxo:
                a.grupo.fluxo = l.fluxo;
            }
            it = indice.insert(chave, grupos.size());
            grupos.push_back(std::move(a));
        }
        Acumulado& a = grupos[it.value()];
        if (!acumula)
            (l.materia ? a.mps : a.pas).push_back(l.lado);
        else if (l.materia)
            juntar(a.mps, a.indiceMP, l.lado);
        else
            juntar(a.pas, a.indicePA, l.lado);
    }

    if (acumula)
        std::stable_sort(grupos.begin(), grupos.end(), [&](const Acumulado& a, const Acumulado& b) {
            return f.modo == ModoDiarioInstantanea::PorFluxo ? chaveAntes(a.grupo.fluxo, b.grupo.fluxo)
                                                              : chaveAntes(a.grupo.nomenclatura, b.grupo.nomenclatura);
        });
    else
        std::stable_sort(grupos.begin(), grupos.end(), [](const Acumulado& a, const Acumulado& b) {
            if (a.grupo.data != b.grupo.data)
                return a.grupo.data < b.grupo.data;
            return processoAntes(a.grupo.processo, b.grupo.processo);
        });

    for (Acumulado& a : grupos) {
        if (acumula) {
            precoMedio(a.mps);
            precoMedio(a.pas);
        }
        emparelhar(a);
        d.totalMP += a.grupo.totalMP;
        d.totalPA += a.grupo.totalPA;
        d.grupos.push_back(std::move(a.grupo));
    }
    return d;
}

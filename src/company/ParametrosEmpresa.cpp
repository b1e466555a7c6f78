#include "company/ParametrosEmpresa.h"

#include "db/Database.h"

#include <QSqlQuery>
#include <QStringList>

namespace {

// In the order deValores reads them.
const char* const Colunas[ParametrosEmpresa::NumeroColunas] = {"NumRegisto",
                                                               "PMCArmazem",
                                                               "FormulaPrecoMedioCusto",
                                                               "PrecoTranfAcertos",
                                                               "proddiversos",
                                                               "proddiversos2",
                                                               "ControlaQuant",
                                                               "controlaQuant_Diversos",
                                                               "controlaQuant_Servicos",
                                                               "controlaQuant_Portes",
                                                               "DataEmAberto",
                                                               "LancaMesSeguinte"};

// Switches kept as text: on only when "1", blanks aside.
bool textoUm(const QVariant& v) {
    return v.toString().trimmed() == QStringLiteral("1");
}

} // namespace

bool ParametrosEmpresa::produtoDiverso(const QString& codigo) const {
    const QString c = codigo.trimmed();
    if (c.isEmpty())
        return false;
    for (const QString* d : {&prodDiversos, &prodDiversos2})
        if (!d->trimmed().isEmpty() && c.compare(d->trimmed(), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString ParametrosEmpresa::colunas(const QString& tabela) {
    QStringList l;
    for (const char* c : Colunas)
        l << (tabela.isEmpty() ? QString::fromLatin1(c) : tabela + u'.' + QLatin1String(c));
    return l.join(QStringLiteral(", "));
}

ParametrosEmpresa ParametrosEmpresa::deValores(const QVariantList& linha, int inicio) {
    ParametrosEmpresa p;
    if (linha.size() < inicio + NumeroColunas || linha.at(inicio).isNull())
        return p;
    auto v = [&](int i) { return linha.at(inicio + i); };
    p.existe = true;
    p.pmcPorArmazem = v(1).toInt() != 0;
    p.formulaPrecoMedioCusto = v(2).toInt();
    p.precoTranfAcertos = v(3).toInt();
    p.prodDiversos = v(4).toString();
    p.prodDiversos2 = v(5).toString();
    p.controlaQuant = textoUm(v(6));
    p.controlaQuantDiversos = v(7).toInt() == 1;
    p.controlaQuantServicos = v(8).toInt() == 1;
    p.controlaQuantPortes = v(9).toInt() == 1;
    p.dataEmAberto = v(10).toString().trimmed();
    p.lancaMesSeguinte = textoUm(v(11));
    return p;
}

Resultado<ParametrosEmpresa> ParametrosEmpresa::ler(Database& db) {
    static const QString sql = QStringLiteral("SELECT %1 FROM ParamGeral ORDER BY NumRegisto").arg(colunas());
    const auto r = db.lerPrimeiraLinha(sql + db.dialect().limite(1));
    if (!r)
        return r.falha();
    return *r ? deValores(**r, 0) : ParametrosEmpresa{};
}

std::optional<QSqlRecord> LerRegistoParamGeral(Database& db) {
    auto q =
        db.query(QStringLiteral("SELECT * FROM ParamGeral ORDER BY NumRegisto") + db.dialect().limite(1));
    if (!q || !q->next())
        return std::nullopt;
    return q->record();
}

#include "company/PeriodoAberto.h"

#include "common/UserInteraction.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "company/ParametrosEmpresa.h"

#include <QDate>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

QDate lerData(const QString& texto) {
    const QString t = texto.trimmed();
    for (const char* formato : {"yyyy-MM-dd", "dd-MM-yyyy", "yyyy/MM/dd", "dd/MM/yyyy"}) {
        const QDate d = QDate::fromString(t, QLatin1String(formato));
        if (d.isValid())
            return d;
    }
    return {};
}

// Years and months are kept as text; a blank or unreadable one counts as 0.
int numero(const QString& texto) {
    return texto.trimmed().toInt();
}

bool ligado(const QVariant& v) {
    return v.toString().trimmed() == QStringLiteral("1");
}

QString nomeMes(const GlobalContext& ctx, const QString& mes) {
    const int m = numero(mes);
    return m >= 1 && m <= 12 ? ctx.NomesMeses[m] : mes;
}

struct ControloArmazem {
    bool controlaAno = false;
    QString ano;
    bool controlaMes = false;
    QString mes;
};

} // namespace

Resultado<> PeriodoEmAberto(GlobalContext& ctx, const QString& data, const QString& armazem) {
    if (!ctx.LigacaoEmpresa)
        return PeriodoEmAberto(ctx, data, armazem, ParametrosEmpresa{});
    // A period that cannot be read is never taken as open.
    const auto lidos = ParametrosEmpresa::ler(ctx.bd());
    if (!lidos)
        return lidos.falha();
    return PeriodoEmAberto(ctx, data, armazem, *lidos);
}

Resultado<> PeriodoEmAberto(GlobalContext& ctx, const QString& data, const QString& armazem,
                            const ParametrosEmpresa& parametros) {
    auto recusa = [](const QString& texto) { return Falha(texto, QStringLiteral("Data")); };
    const QDate d = lerData(data);
    if (!d.isValid())
        return recusa(QString());
    if (d.year() < numero(ctx.AnoCalculo))
        return recusa(QStringLiteral("Ano diferente do Ano da Criação da Empresa\rAno de Abertura = ") +
                      ctx.AnoCalculo);
    if (!ctx.LigacaoEmpresa)
        return Falha(QString());
    Database& bd = ctx.bd();
    const QString& dataEmAberto = parametros.dataEmAberto;
    if (!dataEmAberto.isEmpty()) {
        const QDate inicio = lerData(dataEmAberto);
        const bool antes =
            inicio.isValid() ? d < inicio : d.toString(QStringLiteral("yyyy-MM-dd")) < dataEmAberto;
        if (antes)
            return recusa(QStringLiteral("Apenas pode efectuar operações a partir de ") +
                          (inicio.isValid() ? inicio.toString(QStringLiteral("dd-MM-yyyy")) : dataEmAberto));
    }

    ControloArmazem arm;
    if (!armazem.trimmed().isEmpty()) {
        auto q = bd.query(
            QStringLiteral("SELECT ControlaAno, Ano, ControlaMes, Mes FROM Armazens WHERE Codigo = ? "
                           "ORDER BY NumRegisto") +
                bd.dialect().limite(1),
            {armazem});
        if (!q)
            return Falha(bd.lastError());
        if (q->next()) {
            arm.controlaAno = ligado(q->value(0));
            arm.ano = q->value(1).toString();
            arm.controlaMes = ligado(q->value(2));
            arm.mes = q->value(3).toString();
        }
    }

    if (arm.controlaAno) {
        if (d.year() != numero(arm.ano))
            return recusa(
                QStringLiteral("Ano diferente do Ano em Aberto   [Controlo por Armazém]\rAno em Aberto = ") +
                arm.ano);
    } else if (ligado(ctx.controlaano)) {
        if (d.year() != numero(ctx.ano))
            return recusa(
                QStringLiteral("Ano diferente do Ano em Aberto (Controlo Geral)\rAno em Aberto = ") +
                ctx.ano);
    }

    if (arm.controlaMes) {
        if (d.month() != numero(arm.mes))
            return recusa(
                QStringLiteral("Mês diferente do Mês em Aberto   [Controlo por Armazém]\rMês em Aberto = ") +
                nomeMes(ctx, arm.mes));
    } else if (ligado(ctx.controlames)) {
        const int mes = numero(ctx.mes);
        const bool aceite = parametros.lancaMesSeguinte ? d.month() >= mes : d.month() == mes;
        if (!aceite)
            return recusa(
                QStringLiteral("Mês diferente do Mês em Aberto (Controlo Geral)\rMês em Aberto = ") +
                nomeMes(ctx, ctx.mes));
    }
    return {};
}

bool ValidaPeriodoAberto(GlobalContext& ctx, UserInteraction& ui, const QString& data, const QString& armazem,
                         bool mostrarMensagens) {
    const auto r = PeriodoEmAberto(ctx, data, armazem);
    if (!r && mostrarMensagens && !r.mensagem().isEmpty())
        ui.mensagem(r.mensagem(), UserInteraction::Icone::Critico);
    return r.ok();
}

#include "company/GlobalContext.h"

#include "db/Database.h"

#include <QtGlobal>

GlobalContext::GlobalContext() {
    const char* meses[] = {"Janeiro", "Fevereiro", "Março",    "Abril",   "Maio",     "Junho",
                           "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};
    for (int i = 0; i < 12; ++i)
        NomesMeses[i + 1] = QString::fromUtf8(meses[i]);
}

Database& GlobalContext::bd() const {
    Q_ASSERT(LigacaoEmpresa);
    return *LigacaoEmpresa;
}

QString NomeEmpresaImpressao(GlobalContext& ctx) {
    if (!ctx.NomeEmpresa.trimmed().isEmpty())
        return ctx.NomeEmpresa;
    return ctx.bd().scalar(QStringLiteral("SELECT NomeEmpresa FROM ParamGeral ORDER BY NumRegisto")).toString();
}

#include "company/TabelasComuns.h"

QList<EntradaTabelaComum> TabelasComunsMenu() {
    auto e = [](const char* t, const char* titulo) {
        return EntradaTabelaComum{QLatin1String(t), QString::fromUtf8(titulo)};
    };
    return {e("TabGrupoPro", "Grupos de Produtos"),          e("TabFamPro", "Famílias de Produtos"),
            e("TabSubFamPro", "Subfamílias de Produtos"),    e("tabGrupocli", "Grupos de Clientes"),
            e("tabFamcli", "Famílias de Clientes"),          e("tabsubFamcli", "Subfamílias de Clientes"),
            e("tabGrupofor", "Grupos de Fornecedores"),      e("tabFamfor", "Famílias de Fornecedores"),
            e("tabsubFamfor", "Subfamílias de Fornecedores")};
}

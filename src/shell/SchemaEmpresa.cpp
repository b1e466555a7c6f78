#include "shell/Schema.h"

// The company schema, table by table.
const std::vector<TabelaDef>& tabelasEmpresa() {
    static const std::vector<TabelaDef> tabelas = {
        {"EsquemaVersao", {inteiro("Versao")}, {}},
    };
    return tabelas;
}

#pragma once

#include "db/esquema/EsquemaDef.h"

#include <vector>

// Pieces of the company schema shared by the files that declare it.
namespace esquema {

using Colunas = std::vector<ColunaDef>;

// Indexes named IX_<Tabela>_<n>, numbered in declaration order (unique ones first).
std::vector<IndiceDef> indices(const QString& tabela, const std::vector<QStringList>& normais,
                               const std::vector<QStringList>& unicos = {});

// Stock ledger, production, logs and print definitions.
TabelaDef movProduto();
TabelaDef movProdutoAlteraPMC();
TabelaDef movProdutoPMCEstado();
std::vector<GatilhoDef> gatilhosCustoMedio();
TabelaDef movProdutoOutrosDados();
TabelaDef tabTipoMov();
TabelaDef lockPro();
TabelaDef livroNumeracao(const QString& nome);
TabelaDef nomenclatura();
TabelaDef lotes();
TabelaDef tabLotes();
TabelaDef obrasProdutosAcabados();
TabelaDef loteInstantaneo();
TabelaDef nomenclaturaInstantanea();
TabelaDef prodProcessos();
TabelaDef prodProcessosMov();
TabelaDef prodProcessosProc();
TabelaDef prodEquipamentos();
TabelaDef nomenclaturaMedicoes();
TabelaDef logDB();
TabelaDef logDBAgenda();
TabelaDef logGeral();
TabelaDef etiquetas();
TabelaDef pDocumentos();
TabelaDef pCampos();
TabelaDef linRec();

} // namespace esquema

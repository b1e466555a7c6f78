#include "db/esquema/EsquemaEmpresaTabelas.h"

// Tables of the stock ledger, production, logs and print definitions.

namespace esquema {

// ---------------------------------------------------------------- stock ledger

namespace {
// A change to a ledger row at or before a checkpoint's position makes that checkpoint useless.
QString antesDoPonto(const QString& linha) {
    return QStringLiteral("(Produto = %1.Codigo AND (%1.Data < UltData OR (%1.Data = UltData AND "
                          "%1.NumRegisto <= UltNumRegisto)))")
        .arg(linha);
}
const QString ApagaPontos = QStringLiteral("DELETE FROM MovProdutoPMCEstado WHERE ");
} // namespace

std::vector<GatilhoDef> gatilhosCustoMedio() {
    return {
        {"TR_MovProduto_PMC_I", "MovProduto", "INSERT", ApagaPontos + antesDoPonto("NEW")},
        {"TR_MovProduto_PMC_U", "MovProduto", "UPDATE",
         ApagaPontos + antesDoPonto("OLD") + " OR " + antesDoPonto("NEW")},
        {"TR_MovProduto_PMC_D", "MovProduto", "DELETE", ApagaPontos + antesDoPonto("OLD")},
        {"TR_MovProdutoAlteraPMC_I", "MovProdutoAlteraPMC", "INSERT", ApagaPontos + "Produto = NEW.Produto"},
        {"TR_MovProdutoAlteraPMC_U", "MovProdutoAlteraPMC", "UPDATE",
         ApagaPontos + "Produto = OLD.Produto OR Produto = NEW.Produto"},
        {"TR_MovProdutoAlteraPMC_D", "MovProdutoAlteraPMC", "DELETE", ApagaPontos + "Produto = OLD.Produto"},
    };
}


TabelaDef movProduto() {
    // Columns 1 to 127 in the order the posting routine binds them; the rest are completed after the insert.
    Colunas c{
        txt("Codigo", 15), txt("Descricao", 50), txt("Tipo", 3), txt("Numero", 8), txt("Ano", 4),
        txt("Data", 10), money("Preco"), money("QuantNormal"), num("QuantConvert", 19, 10),
        money("Cubicagem1"), money("Cubicagem2"), money("Cubicagem3"), money("QuantCubicagem"),
        txt("IvaTabela", 2), money("IvaTaxa"), money("ValorIva"), money("DescontoPer1"),
        money("DescontoPer2"), money("DescontoPer3"), money("DescontoPerGeral"), money("ValDescontoGeral"),
        money("ValDesconto1"), money("ValDesconto2"), money("ValDesconto3"), money("TotalDesconto"),
        money("ValDespesa"), money("DespesaPer"), money("ValorIliq"), txt("PVPAplicado", 1),
        money("PrecoAplicado"), money("PMCusto"), money("UPCompra"), money("UPCusto"), money("Portes"),
        txt("Terceiro", 10), txt("CliFor", 1), txt("Unidade", 3), txt("Vendedor", 2), money("ComissaoPer"),
        txt("Armazem", 3), txt("ArmazemDest", 3), txt("AfectaCli", 2), txt("AfectaFor", 2),
        txt("AfectaStk", 3), txt("Caixa", 2), txt("Aplic", 2), txt("TipoEncomenda", 3),
        txt("NumEncomenda", 10), num("RegiEncomenda", 18, 0), txt("TipoGuia", 3), txt("NumGuia", 8),
        txt("DataGuia", 10), txt("Estacao", 1), txt("Sexo", 1), txt("Referencia", 20), txt("Modelo", 10),
        txt("Cor", 10), txt("Tamanho", 5), txt("Comprimento", 5), txt("Fornece", 10), memo("ObsLinha"),
        txt("Chave", 62), txt("ContaContab", 20), txt("Fechado", 1), txt("ProdDiversos", 1),
        txt("Localizacao", 5), txt("OutUniCod", 3), money("OutUniQuant"), txt("ImpTrans", 1),
        txt("Cambio", 1), money("ValCambio"), smallint("Sinal"), txt("VendedorFixo", 2), txt("Utilizador", 2),
        datahora("DataSys"), txt("Lote", 20), txt("DataValidade", 10), txt("DataFabrico", 10),
        txt("Integrou", 1), money("TaxaIRS"), money("IncidIRS"), money("ValorIRS"), txt("NumControlo", 8),
        txt("Rotura", 4), smallint("SelecFecha"), smallint("Ordem_EDI"), txt("DataDevolucao", 10),
        txt("Identifica", 50), money("Paletes"), money("Pecas"), smallint("Bonus"), txt("DocPublicidade", 10),
        txt("DocAssinatura", 10), txt("NumOrdemBrenu", 5), txt("WVelmor", 1),
        smallint("CalculoFacturaDesconto"), txt("Promocao", 2), txt("ArmazemTemporario", 3),
        money("ArmazemTemporario_QtyChecked"), txt("Referencia_Troca", 20), money("Armazem_PMCusto"),
        money("Armazem_UPCompra"), money("Armazem_UPCusto"), money("IvaCustos_Taxa"),
        money("IvaCustos_Valor"), money("MC_Arm_Perc"), money("MC_Arm_Valor"), money("MC_Farm_Perc"),
        money("MC_Farm_Valor"), money("MC_Farm_Fee"), money("MC_Farm_INF"), money("MC_Port1041"),
        money("MC_PrecoBase"), money("MC_ValorMargem"), txt("MC_Escalao", 2), money("MC_PVP"),
        money("MC_PVPMax"), money("MC_PVA"), money("MC_IvaTaxaCompra"), txt("DataDisposicao", 10),
        txt("ChaveDevolucao", 15), money("MargemPerc"), money("MargemVal"), txt("NumeroGuiaInt", 10),
        txt("ProdutoCarregado", 15), txt("IdentificaRelacionado", 50), memo("FitoFarmaceutico_Aplicador"),
        // completed after the insert
        txt("Hora", 8), txt("CodigoBarras", 50), money("UPCustoFicha"), txt("Estado", 1),
        datahora("Estado_DataSys"), txt("Estado_Motivo", 255), txt("Estado_Utilizador", 2),
        // read by production on consumption rows
        money("quantidade"), memo("observa")};
    return {
        "MovProduto", c,
        indices("MovProduto", {
                                  // balances and lot choice
                                  {"Codigo", "Armazem", "Localizacao", "Lote", "DataFabrico", "DataValidade"},
                                  // average cost, last entry, last price by date
                                  {"Codigo", "AfectaStk", "Data", "NumRegisto"},
                                  // per-warehouse prices and last location
                                  {"Codigo", "Armazem", "AfectaStk", "Data", "NumRegisto"},
                                  {"Codigo", "Armazem", "Data", "NumRegisto"},
                                  // document rows and numbering
                                  {"Tipo", "Ano", "Numero"},
                                  {"Tipo", "Numero", "Data", "NumRegisto"},
                                  {"Tipo", "Data"},
                                  {"Codigo", "Tipo", "Numero", "Ano", "Lote"},
                                  // identity of business rows
                                  {"Codigo", "Identifica"},
                                  {"Codigo", "Lote", "DataFabrico", "DataValidade"},
                                  {"Tipo", "Terceiro", "CliFor", "Fechado"},
                                  {"Codigo", "Estado"},
                                  // running average in ledger order
                                  {"Codigo", "Data", "NumRegisto"},
                              })};
}

TabelaDef movProdutoPMCEstado() {
    // Checkpoint of the running average of a product (per warehouse, or '' for all) under one rule:
    // the state after every counted row up to (UltData, UltNumRegisto) in ledger order.
    return {"MovProdutoPMCEstado",
            {txt("Produto", 15), txt("Armazem", 3), smallint("Regra"), txt("UltData", 10),
             num("UltNumRegisto", 18, 0), num("AlteracaoNum", 18, 0), money("Stock"), money("StockReal"),
             money("Media"), money("Quant"), money("Valor")},
            indices("MovProdutoPMCEstado", {}, {{"Produto", "Armazem", "Regra"}})};
}

TabelaDef movProdutoAlteraPMC() {
    return {"MovProdutoAlteraPMC",
            {txt("Produto", 15), txt("Data", 10), txt("IdentificaMP", 50), money("PMCusto"),
             txt("Utilizador", 2), datahora("DataSys")},
            indices("MovProdutoAlteraPMC", {{"Produto", "Data", "IdentificaMP"}})};
}

TabelaDef movProdutoOutrosDados() {
    return {"MovProdutoOutrosDados",
            {txt("Identifica", 50), txt("Departamento", 50), txt("Programa", 50), txt("Meios", 50)},
            indices("MovProdutoOutrosDados", {{"Identifica"}})};
}

TabelaDef tabTipoMov() {
    return {"TabTipoMov",
            {txt("Codigo", 3), txt("Descricao", 50), txt("UltNumero", 8), smallint("IncrementaMes"),
             smallint("ControloHash"), txt("Modulo", 2), smallint("CopiaDocumentoOriginal"),
             smallint("CopiaDocumentoOriginal_Manual"), smallint("CopiaDocumentoOriginal_Integrado"),
             memo("Observa"), txt("AfectaCli", 2), txt("AfectaFor", 2), txt("AfectaStk", 3),
             txt("AfectaCaixa", 2), txt("AfectaBan", 2), smallint("AfectaIVA"), txt("TipoMovClassifica", 3),
             txt("Situacao", 10)},
            indices("TabTipoMov", {{"Modulo", "AfectaStk", "AfectaIVA"}}, {{"Codigo"}})};
}

TabelaDef lockPro() {
    return {"LockPro", {inteiro("Tmp")}, {}};
}

// Ledgers of other modules, read here only for document numbering.
TabelaDef livroNumeracao(const QString& nome) {
    return {nome,
            {txt("Tipo", 3), txt("Numero", 8), txt("Data", 10), txt("Ano", 4)},
            indices(nome, {{"Tipo", "Data", "Numero"}, {"Tipo", "Ano", "Numero"}})};
}

// ---------------------------------------------------------------- production

TabelaDef nomenclatura() {
    return {"Nomenclatura",
            {txt("ProdutoAcabado", 15), txt("DescProdutoAcabado", 50), txt("ProdutoPrima", 15),
             txt("descprodutoprima", 50), money("quantidade"), money("preco"), txt("Armazem", 3),
             memo("observa"), smallint("Fixa"), smallint("CtrlQuantidades"), txt("precario", 15),
             num("Factor", 18, 6), txt("FactorFormula", 1), money("ProdutoAcabadoPreco")},
            indices("Nomenclatura",
                    {{"ProdutoAcabado", "ProdutoPrima"}, {"ProdutoPrima"}, {"DescProdutoAcabado"}})};
}

TabelaDef lotes() {
    return {"Lotes",
            {txt("lote", 10),         txt("Produto", 15),  money("precario"),   money("custoTotal"),
             txt("armazem", 3),       money("quantidade"), txt("tipoSaida", 3), txt("NumeroSaida", 8),
             txt("DataSaida", 10),    txt("tipoRet", 3),   txt("Numeroret", 8), txt("Dataret", 10),
             txt("tiporef", 3),       txt("Numeroref", 8), txt("Dataref", 10),  txt("tipoent", 3),
             txt("Numeroent", 8),     txt("Dataent", 10),  smallint("Fechado"), money("MedicoesAltura"),
             money("MedicoesLargura")},
            indices("Lotes", {{"lote", "Fechado"},
                              {"Produto", "DataSaida", "lote"},
                              {"tipoSaida", "NumeroSaida", "DataSaida"},
                              {"tiporef", "Numeroref", "Dataref"},
                              {"tipoRet", "Numeroret", "Dataret"},
                              {"tipoent", "Numeroent", "Dataent"}})};
}

TabelaDef tabLotes() {
    return {"TabLotes",
            {txt("Produto", 15), txt("Codigo", 20), txt("Descricao", 50), txt("DataFabrico", 10),
             txt("DataValidade", 10), memo("Observa"), inteiro("Bloqueado"), txt("Saft_ArcNo", 50),
             txt("Utilizador", 2), datahora("DataSys")},
            indices("TabLotes", {{"Codigo"}}, {{"Produto", "Codigo"}})};
}

TabelaDef obrasProdutosAcabados() {
    return {"ObrasProdutosAcabados",
            {txt("ProdutoAcabado", 15)},
            indices("ObrasProdutosAcabados", {{"ProdutoAcabado"}})};
}

// ---------------------------------------------------------------- instant production and processes

TabelaDef loteInstantaneo() {
    return {"LoteInstantaneo",
            {txt("NumProcesso", 10), txt("Codigo", 15), txt("Tipo", 3), txt("Numero", 8), txt("Data", 10),
             txt("TipoProduto", 2), txt("Produto", 15), money("Quantidade"), money("Preco"),
             txt("Equipamento", 20)},
            indices("LoteInstantaneo", {{"NumProcesso", "TipoProduto"},
                                        {"Codigo", "Produto", "TipoProduto"},
                                        {"Equipamento", "TipoProduto", "Data", "NumRegisto"},
                                        {"TipoProduto", "Data"},
                                        {"Tipo", "Numero", "Data"}})};
}

TabelaDef nomenclaturaInstantanea() {
    return {"NomenclaturaInstantanea",
            {txt("Codigo", 15), txt("Descricao", 50), txt("Fluxo", 1), txt("TipoProduto", 2),
             txt("Armazem", 3), txt("Produto", 15), money("Quantidade"), txt("Precario", 15), money("Valor"),
             memo("Observa")},
            indices("NomenclaturaInstantanea",
                    {{"Codigo", "TipoProduto", "NumRegisto"}, {"Codigo", "Produto", "TipoProduto"}})};
}

TabelaDef prodProcessos() {
    return {"Prod_Processos",
            {txt("Processo", 10), txt("Descricao", 50), memo("DescricaoExtensa"), txt("DataInicio", 10),
             txt("DataPrevista", 10), txt("DataEncerramento", 10), txt("TipoEncerramento", 3),
             txt("NumeroEncerramento", 8)},
            indices("Prod_Processos",
                    {{"DataEncerramento", "NumRegisto"},
                     {"DataInicio"},
                     {"Descricao"},
                     {"TipoEncerramento", "NumeroEncerramento", "DataEncerramento"}},
                    {{"Processo"}})};
}

TabelaDef prodProcessosMov() {
    return {"Prod_ProcessosMov",
            {txt("Processo", 10),
             txt("IdentificaMovPro", 50),
             txt("Data", 10),
             txt("Produto", 15),
             txt("ProdutoDescricao", 50),
             txt("Armazem", 3),
             txt("Localizacao", 5),
             txt("Lote", 20),
             txt("Estacao", 1),
             txt("Sexo", 1),
             txt("Referencia", 20),
             txt("Modelo", 10),
             txt("Cor", 10),
             txt("Tamanho", 5),
             txt("Comprimento", 5),
             txt("Fornece", 10),
             money("ValorIliq"),
             money("Quantidade"),
             money("Preco"),
             txt("Unidade", 3),
             memo("Observa")},
            indices("Prod_ProcessosMov", {{"Processo", "Data", "NumRegisto"}, {"Processo", "Produto"}})};
}

TabelaDef prodProcessosProc() {
    return {"Prod_ProcessosProc",
            {txt("Processo", 10), txt("IdentificaMovPro", 50), txt("Produto", 15), txt("Descricao", 50),
             money("Quantidade"), money("Preco"), money("ValorIliq")},
            indices("Prod_ProcessosProc", {{"Processo"}})};
}

// ---------------------------------------------------------------- equipment and measurements

TabelaDef prodEquipamentos() {
    return {"Prod_Equipamentos",
            {txt("Codigo", 20),
             txt("Descricao", 100),
             txt("DataAquisicao", 10),
             txt("DataAbate", 10),
             txt("DataDespoluimento", 10),
             txt("DataDesmantelamento", 10),
             txt("DataCertDest", 10),
             money("ValorAquisicao"),
             money("ValorDesmantelamento"),
             memo("Observacao"),
             inteiro("AvisoDiasAbate"),
             inteiro("AvisoDiasDespoluimento"),
             inteiro("AvisoDiasDesmantelamento"),
             txt("AvisoUtilizadorAbate", 2),
             txt("AvisoUtilizadorDespoluimento", 2),
             txt("AvisoUtilizadorDesmantelamento", 2),
             txt("AvisoAbate", 10),
             txt("AvisoDespoluimento", 10),
             txt("AvisoDesmantelamento", 10),
             memo("Utilizadores"),
             txt("Utilizador", 2),
             datahora("DataSys")},
            indices("Prod_Equipamentos",
                    {{"AvisoUtilizadorAbate", "AvisoAbate"},
                     {"AvisoUtilizadorDespoluimento", "AvisoDespoluimento"},
                     {"AvisoUtilizadorDesmantelamento", "AvisoDesmantelamento"},
                     {"Utilizador", "NumRegisto"},
                     {"DataDesmantelamento"},
                     {"DataAquisicao"}},
                    {{"Codigo"}})};
}

TabelaDef nomenclaturaMedicoes() {
    return {"NomenclaturaMedicoes",
            {txt("ProdutoAcabado", 15), money("Altura"), money("Largura"), txt("ArmazemEntrada", 3),
             txt("ProdutoMPrima", 15), money("Quantidade"), txt("TipoMedida", 1), money("Medida"),
             txt("ArmazemSaida", 3), txt("Utilizador", 2), datahora("DataSys")},
            indices("NomenclaturaMedicoes", {{"ProdutoAcabado", "ProdutoMPrima", "TipoMedida"}})};
}

// ---------------------------------------------------------------- logs and backups

TabelaDef logDB() {
    return {"Log_DB",
            {txt("Accao", 50), txt("Data", 10), txt("Hora", 5), txt("Ficheiro", 255), txt("Utilizador", 2),
             txt("Posto", 100)},
            indices("Log_DB", {{"Data", "Hora"}})};
}

TabelaDef logDBAgenda() {
    return {"Log_DB_Agenda",
            {txt("Codigo", 10), txt("Utilizador", 2), txt("Opcao", 7), txt("Hora", 5), txt("Dias", 28)},
            indices("Log_DB_Agenda", {{"Utilizador", "Opcao", "Hora"}})};
}

TabelaDef logGeral() {
    return {"LogGeral",
            {txt("Utilizador", 2), txt("Modulo", 2), txt("Accao", 1), memo("Observa"), txt("Descricao", 100),
             money("Valor"), txt("Tipo", 3), txt("Numero", 8), txt("Ano", 4), txt("Produto", 15),
             txt("Terceiro", 10), txt("DataSys", 50)},
            indices("LogGeral", {{"DataSys"}})};
}

// ---------------------------------------------------------------- labels and print definitions

TabelaDef etiquetas() {
    return {"etiquetas",
            {txt("Codigo", 10),
             txt("Descricao", 50),
             inteiro("NumEtiqHoriz"),
             inteiro("NumEtiqVert"),
             inteiro("DistEntreEtiqHoriz"),
             inteiro("DistentreEtiqvert"),
             inteiro("AlturaEtiq"),
             inteiro("LarguraEtiq"),
             inteiro("MargemX"),
             inteiro("MargemY"),
             inteiro("MargemXI"),
             inteiro("MargemYI"),
             inteiro("Salto"),
             memo("campos"),
             inteiro("ArredondaPreco"),
             smallint("arredondaprecoCorta"),
             smallint("EtiquetaComXY"),
             inteiro("TipoCodigoBarras"),
             inteiro("LayoutCodigoBarras"),
             inteiro("AltCodBar"),
             inteiro("CompCodBar"),
             inteiro("TipoPapel"),
             inteiro("AlturaPapel"),
             inteiro("LarguraPapel"),
             txt("FicheiroBase", 1),
             smallint("PrecosComIvaInc"),
             smallint("ImprimeCaixaContorno")},
            indices("etiquetas", {{"Codigo"}, {"FicheiroBase"}})};
}

TabelaDef pDocumentos() {
    return {"PDOCUMENTOS",
            {inteiro("Record"), txt("Codigo", 20), txt("Nome", 100), txt("MainTable", 100)},
            indices("PDOCUMENTOS", {{"Codigo"}})};
}

TabelaDef pCampos() {
    return {"PCAMPOS", {inteiro("ID")}, {}};
}
TabelaDef linRec() {
    return {"LINREC", {inteiro("NumRegsito")}, {}};
}

} // namespace esquema

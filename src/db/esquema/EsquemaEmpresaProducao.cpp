#include "db/esquema/EsquemaEmpresaTabelas.h"

#include "db/esquema/ColunasMovProduto.h"

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
        // Only a change of what the average reads or where the row lies: the costs written back to a
        // posted row leave the checkpoints standing.
        {"TR_MovProduto_PMC_U", "MovProduto",
         "UPDATE OF Codigo, Data, NumRegisto, Armazem, AfectaStk, QuantNormal, Preco, TotalDesconto, ValDespesa, "
         "CalculoFacturaDesconto, Identifica, Estado",
         ApagaPontos + antesDoPonto("OLD") + " OR " + antesDoPonto("NEW")},
        {"TR_MovProduto_PMC_D", "MovProduto", "DELETE", ApagaPontos + antesDoPonto("OLD")},
        {"TR_MovProdutoAlteraPMC_I", "MovProdutoAlteraPMC", "INSERT", ApagaPontos + "Produto = NEW.Produto"},
        {"TR_MovProdutoAlteraPMC_U", "MovProdutoAlteraPMC", "UPDATE",
         ApagaPontos + "Produto = OLD.Produto OR Produto = NEW.Produto"},
        {"TR_MovProdutoAlteraPMC_D", "MovProdutoAlteraPMC", "DELETE", ApagaPontos + "Produto = OLD.Produto"},
    };
}


TabelaDef movProduto() {
    namespace C = ColMovProduto;
    // Columns 1 to 127 in the order the posting routine binds them; the rest are completed after the insert.
    Colunas c{
        txt(C::Codigo, 15), txt(C::Descricao, 50), txt(C::Tipo, 3), txt(C::Numero, 8), txt(C::Ano, 4),
        txt(C::Data, 10), money(C::Preco), money(C::QuantNormal), num(C::QuantConvert, 19, 10),
        money(C::Cubicagem1), money(C::Cubicagem2), money(C::Cubicagem3), money(C::QuantCubicagem),
        txt(C::IvaTabela, 2), money(C::IvaTaxa), money(C::ValorIva), money(C::DescontoPer1),
        money(C::DescontoPer2), money(C::DescontoPer3), money(C::DescontoPerGeral), money(C::ValDescontoGeral),
        money(C::ValDesconto1), money(C::ValDesconto2), money(C::ValDesconto3), money(C::TotalDesconto),
        money(C::ValDespesa), money(C::DespesaPer), money(C::ValorIliq), txt(C::PVPAplicado, 1),
        money(C::PrecoAplicado), money(C::PMCusto), money(C::UPCompra), money(C::UPCusto), money(C::Portes),
        txt(C::Terceiro, 10), txt(C::CliFor, 1), txt(C::Unidade, 3), txt(C::Vendedor, 2), money(C::ComissaoPer),
        txt(C::Armazem, 3), txt(C::ArmazemDest, 3), txt(C::AfectaCli, 2), txt(C::AfectaFor, 2),
        txt(C::AfectaStk, 3), txt(C::Caixa, 2), txt(C::Aplic, 2), txt(C::TipoEncomenda, 3),
        txt(C::NumEncomenda, 10), num(C::RegiEncomenda, 18, 0), txt(C::TipoGuia, 3), txt(C::NumGuia, 8),
        txt(C::DataGuia, 10), txt(C::Estacao, 1), txt(C::Sexo, 1), txt(C::Referencia, 20), txt(C::Modelo, 10),
        txt(C::Cor, 10), txt(C::Tamanho, 5), txt(C::Comprimento, 5), txt(C::Fornece, 10), memo(C::ObsLinha),
        txt(C::Chave, 62), txt(C::ContaContab, 20), txt(C::Fechado, 1), txt(C::ProdDiversos, 1),
        txt(C::Localizacao, 5), txt(C::OutUniCod, 3), money(C::OutUniQuant), txt(C::ImpTrans, 1),
        txt(C::Cambio, 1), money(C::ValCambio), smallint(C::Sinal), txt(C::VendedorFixo, 2), txt(C::Utilizador, 2),
        datahora(C::DataSys), txt(C::Lote, 20), txt(C::DataValidade, 10), txt(C::DataFabrico, 10),
        txt(C::Integrou, 1), money(C::TaxaIRS), money(C::IncidIRS), money(C::ValorIRS), txt(C::NumControlo, 8),
        txt(C::Rotura, 4), smallint(C::SelecFecha), smallint(C::Ordem_EDI), txt(C::DataDevolucao, 10),
        txt(C::Identifica, 50), money(C::Paletes), money(C::Pecas), smallint(C::Bonus), txt(C::DocPublicidade, 10),
        txt(C::DocAssinatura, 10), txt(C::NumOrdemBrenu, 5), txt(C::WVelmor, 1),
        smallint(C::CalculoFacturaDesconto), txt(C::Promocao, 2), txt(C::ArmazemTemporario, 3),
        money(C::ArmazemTemporario_QtyChecked), txt(C::Referencia_Troca, 20), money(C::Armazem_PMCusto),
        money(C::Armazem_UPCompra), money(C::Armazem_UPCusto), money(C::IvaCustos_Taxa),
        money(C::IvaCustos_Valor), money(C::MC_Arm_Perc), money(C::MC_Arm_Valor), money(C::MC_Farm_Perc),
        money(C::MC_Farm_Valor), money(C::MC_Farm_Fee), money(C::MC_Farm_INF), money(C::MC_Port1041),
        money(C::MC_PrecoBase), money(C::MC_ValorMargem), txt(C::MC_Escalao, 2), money(C::MC_PVP),
        money(C::MC_PVPMax), money(C::MC_PVA), money(C::MC_IvaTaxaCompra), txt(C::DataDisposicao, 10),
        txt(C::ChaveDevolucao, 15), money(C::MargemPerc), money(C::MargemVal), txt(C::NumeroGuiaInt, 10),
        txt(C::ProdutoCarregado, 15), txt(C::IdentificaRelacionado, 50), memo(C::FitoFarmaceutico_Aplicador),
        // completed after the insert
        txt(C::Hora, 8), txt(C::CodigoBarras, 50), money(C::UPCustoFicha), txt(C::Estado, 1),
        datahora(C::Estado_DataSys), txt(C::Estado_Motivo, 255), txt(C::Estado_Utilizador, 2),
        // read by production on consumption rows
        money(C::quantidade), memo(C::observa)};
    return {
        "MovProduto", c,
        indices("MovProduto", {
                                  // balances and lot choice
                                  {C::Codigo, C::Armazem, C::Localizacao, C::Lote, C::DataFabrico, C::DataValidade},
                                  // average cost, last entry, last price by date
                                  {C::Codigo, C::AfectaStk, C::Data, "NumRegisto"},
                                  // per-warehouse prices and last location
                                  {C::Codigo, C::Armazem, C::AfectaStk, C::Data, "NumRegisto"},
                                  {C::Codigo, C::Armazem, C::Data, "NumRegisto"},
                                  // document rows and numbering
                                  {C::Tipo, C::Ano, C::Numero},
                                  {C::Tipo, C::Numero, C::Data, "NumRegisto"},
                                  {C::Tipo, C::Data},
                                  {C::Codigo, C::Tipo, C::Numero, C::Ano, C::Lote},
                                  // identity of business rows
                                  {C::Codigo, C::Identifica},
                                  {C::Codigo, C::Lote, C::DataFabrico, C::DataValidade},
                                  {C::Tipo, C::Terceiro, C::CliFor, C::Fechado},
                                  {C::Codigo, C::Estado},
                                  // running average in ledger order
                                  {C::Codigo, C::Data, "NumRegisto"},
                                  // balance sums of the stock checks, answered from the index alone
                                  {C::Codigo, C::Armazem, C::Lote, C::Localizacao, C::AfectaStk, C::QuantNormal},
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

#pragma once

#include <QString>

#include <iterator>

// A column of the stock ledger MovProduto: its name as declared and its place in the table.
// The schema and the ledger row name the columns through these, so a misspelt one does not compile.
struct ColunaMovProduto {
    const char* nome;
    int posicao;

    QString texto() const { return QString::fromLatin1(nome); }
    operator QString() const { return texto(); }
};

namespace ColMovProduto {
// Bound by the posting insert, in this order.
inline constexpr ColunaMovProduto Codigo{"Codigo", 0};
inline constexpr ColunaMovProduto Descricao{"Descricao", 1};
inline constexpr ColunaMovProduto Tipo{"Tipo", 2};
inline constexpr ColunaMovProduto Numero{"Numero", 3};
inline constexpr ColunaMovProduto Ano{"Ano", 4};
inline constexpr ColunaMovProduto Data{"Data", 5};
inline constexpr ColunaMovProduto Preco{"Preco", 6};
inline constexpr ColunaMovProduto QuantNormal{"QuantNormal", 7};
inline constexpr ColunaMovProduto QuantConvert{"QuantConvert", 8};
inline constexpr ColunaMovProduto Cubicagem1{"Cubicagem1", 9};
inline constexpr ColunaMovProduto Cubicagem2{"Cubicagem2", 10};
inline constexpr ColunaMovProduto Cubicagem3{"Cubicagem3", 11};
inline constexpr ColunaMovProduto QuantCubicagem{"QuantCubicagem", 12};
inline constexpr ColunaMovProduto IvaTabela{"IvaTabela", 13};
inline constexpr ColunaMovProduto IvaTaxa{"IvaTaxa", 14};
inline constexpr ColunaMovProduto ValorIva{"ValorIva", 15};
inline constexpr ColunaMovProduto DescontoPer1{"DescontoPer1", 16};
inline constexpr ColunaMovProduto DescontoPer2{"DescontoPer2", 17};
inline constexpr ColunaMovProduto DescontoPer3{"DescontoPer3", 18};
inline constexpr ColunaMovProduto DescontoPerGeral{"DescontoPerGeral", 19};
inline constexpr ColunaMovProduto ValDescontoGeral{"ValDescontoGeral", 20};
inline constexpr ColunaMovProduto ValDesconto1{"ValDesconto1", 21};
inline constexpr ColunaMovProduto ValDesconto2{"ValDesconto2", 22};
inline constexpr ColunaMovProduto ValDesconto3{"ValDesconto3", 23};
inline constexpr ColunaMovProduto TotalDesconto{"TotalDesconto", 24};
inline constexpr ColunaMovProduto ValDespesa{"ValDespesa", 25};
inline constexpr ColunaMovProduto DespesaPer{"DespesaPer", 26};
inline constexpr ColunaMovProduto ValorIliq{"ValorIliq", 27};
inline constexpr ColunaMovProduto PVPAplicado{"PVPAplicado", 28};
inline constexpr ColunaMovProduto PrecoAplicado{"PrecoAplicado", 29};
inline constexpr ColunaMovProduto PMCusto{"PMCusto", 30};
inline constexpr ColunaMovProduto UPCompra{"UPCompra", 31};
inline constexpr ColunaMovProduto UPCusto{"UPCusto", 32};
inline constexpr ColunaMovProduto Portes{"Portes", 33};
inline constexpr ColunaMovProduto Terceiro{"Terceiro", 34};
inline constexpr ColunaMovProduto CliFor{"CliFor", 35};
inline constexpr ColunaMovProduto Unidade{"Unidade", 36};
inline constexpr ColunaMovProduto Vendedor{"Vendedor", 37};
inline constexpr ColunaMovProduto ComissaoPer{"ComissaoPer", 38};
inline constexpr ColunaMovProduto Armazem{"Armazem", 39};
inline constexpr ColunaMovProduto ArmazemDest{"ArmazemDest", 40};
inline constexpr ColunaMovProduto AfectaCli{"AfectaCli", 41};
inline constexpr ColunaMovProduto AfectaFor{"AfectaFor", 42};
inline constexpr ColunaMovProduto AfectaStk{"AfectaStk", 43};
inline constexpr ColunaMovProduto Caixa{"Caixa", 44};
inline constexpr ColunaMovProduto Aplic{"Aplic", 45};
inline constexpr ColunaMovProduto TipoEncomenda{"TipoEncomenda", 46};
inline constexpr ColunaMovProduto NumEncomenda{"NumEncomenda", 47};
inline constexpr ColunaMovProduto RegiEncomenda{"RegiEncomenda", 48};
inline constexpr ColunaMovProduto TipoGuia{"TipoGuia", 49};
inline constexpr ColunaMovProduto NumGuia{"NumGuia", 50};
inline constexpr ColunaMovProduto DataGuia{"DataGuia", 51};
inline constexpr ColunaMovProduto Estacao{"Estacao", 52};
inline constexpr ColunaMovProduto Sexo{"Sexo", 53};
inline constexpr ColunaMovProduto Referencia{"Referencia", 54};
inline constexpr ColunaMovProduto Modelo{"Modelo", 55};
inline constexpr ColunaMovProduto Cor{"Cor", 56};
inline constexpr ColunaMovProduto Tamanho{"Tamanho", 57};
inline constexpr ColunaMovProduto Comprimento{"Comprimento", 58};
inline constexpr ColunaMovProduto Fornece{"Fornece", 59};
inline constexpr ColunaMovProduto ObsLinha{"ObsLinha", 60};
inline constexpr ColunaMovProduto Chave{"Chave", 61};
inline constexpr ColunaMovProduto ContaContab{"ContaContab", 62};
inline constexpr ColunaMovProduto Fechado{"Fechado", 63};
inline constexpr ColunaMovProduto ProdDiversos{"ProdDiversos", 64};
inline constexpr ColunaMovProduto Localizacao{"Localizacao", 65};
inline constexpr ColunaMovProduto OutUniCod{"OutUniCod", 66};
inline constexpr ColunaMovProduto OutUniQuant{"OutUniQuant", 67};
inline constexpr ColunaMovProduto ImpTrans{"ImpTrans", 68};
inline constexpr ColunaMovProduto Cambio{"Cambio", 69};
inline constexpr ColunaMovProduto ValCambio{"ValCambio", 70};
inline constexpr ColunaMovProduto Sinal{"Sinal", 71};
inline constexpr ColunaMovProduto VendedorFixo{"VendedorFixo", 72};
inline constexpr ColunaMovProduto Utilizador{"Utilizador", 73};
inline constexpr ColunaMovProduto DataSys{"DataSys", 74};
inline constexpr ColunaMovProduto Lote{"Lote", 75};
inline constexpr ColunaMovProduto DataValidade{"DataValidade", 76};
inline constexpr ColunaMovProduto DataFabrico{"DataFabrico", 77};
inline constexpr ColunaMovProduto Integrou{"Integrou", 78};
inline constexpr ColunaMovProduto TaxaIRS{"TaxaIRS", 79};
inline constexpr ColunaMovProduto IncidIRS{"IncidIRS", 80};
inline constexpr ColunaMovProduto ValorIRS{"ValorIRS", 81};
inline constexpr ColunaMovProduto NumControlo{"NumControlo", 82};
inline constexpr ColunaMovProduto Rotura{"Rotura", 83};
inline constexpr ColunaMovProduto SelecFecha{"SelecFecha", 84};
inline constexpr ColunaMovProduto Ordem_EDI{"Ordem_EDI", 85};
inline constexpr ColunaMovProduto DataDevolucao{"DataDevolucao", 86};
inline constexpr ColunaMovProduto Identifica{"Identifica", 87};
inline constexpr ColunaMovProduto Paletes{"Paletes", 88};
inline constexpr ColunaMovProduto Pecas{"Pecas", 89};
inline constexpr ColunaMovProduto Bonus{"Bonus", 90};
inline constexpr ColunaMovProduto DocPublicidade{"DocPublicidade", 91};
inline constexpr ColunaMovProduto DocAssinatura{"DocAssinatura", 92};
inline constexpr ColunaMovProduto NumOrdemBrenu{"NumOrdemBrenu", 93};
inline constexpr ColunaMovProduto WVelmor{"WVelmor", 94};
inline constexpr ColunaMovProduto CalculoFacturaDesconto{"CalculoFacturaDesconto", 95};
inline constexpr ColunaMovProduto Promocao{"Promocao", 96};
inline constexpr ColunaMovProduto ArmazemTemporario{"ArmazemTemporario", 97};
inline constexpr ColunaMovProduto ArmazemTemporario_QtyChecked{"ArmazemTemporario_QtyChecked", 98};
inline constexpr ColunaMovProduto Referencia_Troca{"Referencia_Troca", 99};
inline constexpr ColunaMovProduto Armazem_PMCusto{"Armazem_PMCusto", 100};
inline constexpr ColunaMovProduto Armazem_UPCompra{"Armazem_UPCompra", 101};
inline constexpr ColunaMovProduto Armazem_UPCusto{"Armazem_UPCusto", 102};
inline constexpr ColunaMovProduto IvaCustos_Taxa{"IvaCustos_Taxa", 103};
inline constexpr ColunaMovProduto IvaCustos_Valor{"IvaCustos_Valor", 104};
inline constexpr ColunaMovProduto MC_Arm_Perc{"MC_Arm_Perc", 105};
inline constexpr ColunaMovProduto MC_Arm_Valor{"MC_Arm_Valor", 106};
inline constexpr ColunaMovProduto MC_Farm_Perc{"MC_Farm_Perc", 107};
inline constexpr ColunaMovProduto MC_Farm_Valor{"MC_Farm_Valor", 108};
inline constexpr ColunaMovProduto MC_Farm_Fee{"MC_Farm_Fee", 109};
inline constexpr ColunaMovProduto MC_Farm_INF{"MC_Farm_INF", 110};
inline constexpr ColunaMovProduto MC_Port1041{"MC_Port1041", 111};
inline constexpr ColunaMovProduto MC_PrecoBase{"MC_PrecoBase", 112};
inline constexpr ColunaMovProduto MC_ValorMargem{"MC_ValorMargem", 113};
inline constexpr ColunaMovProduto MC_Escalao{"MC_Escalao", 114};
inline constexpr ColunaMovProduto MC_PVP{"MC_PVP", 115};
inline constexpr ColunaMovProduto MC_PVPMax{"MC_PVPMax", 116};
inline constexpr ColunaMovProduto MC_PVA{"MC_PVA", 117};
inline constexpr ColunaMovProduto MC_IvaTaxaCompra{"MC_IvaTaxaCompra", 118};
inline constexpr ColunaMovProduto DataDisposicao{"DataDisposicao", 119};
inline constexpr ColunaMovProduto ChaveDevolucao{"ChaveDevolucao", 120};
inline constexpr ColunaMovProduto MargemPerc{"MargemPerc", 121};
inline constexpr ColunaMovProduto MargemVal{"MargemVal", 122};
inline constexpr ColunaMovProduto NumeroGuiaInt{"NumeroGuiaInt", 123};
inline constexpr ColunaMovProduto ProdutoCarregado{"ProdutoCarregado", 124};
inline constexpr ColunaMovProduto IdentificaRelacionado{"IdentificaRelacionado", 125};
inline constexpr ColunaMovProduto FitoFarmaceutico_Aplicador{"FitoFarmaceutico_Aplicador", 126};
// Completed after the insert.
inline constexpr ColunaMovProduto Hora{"Hora", 127};
inline constexpr ColunaMovProduto CodigoBarras{"CodigoBarras", 128};
inline constexpr ColunaMovProduto UPCustoFicha{"UPCustoFicha", 129};
inline constexpr ColunaMovProduto Estado{"Estado", 130};
inline constexpr ColunaMovProduto Estado_DataSys{"Estado_DataSys", 131};
inline constexpr ColunaMovProduto Estado_Motivo{"Estado_Motivo", 132};
inline constexpr ColunaMovProduto Estado_Utilizador{"Estado_Utilizador", 133};
// Read by production on consumption rows.
inline constexpr ColunaMovProduto quantidade{"quantidade", 134};
inline constexpr ColunaMovProduto observa{"observa", 135};

// The insert binds the first Inseridas columns.
inline constexpr int Inseridas = 127;

inline constexpr ColunaMovProduto Todas[] = {
    Codigo, Descricao, Tipo, Numero, Ano, Data, Preco, QuantNormal, QuantConvert, Cubicagem1, Cubicagem2,
    Cubicagem3, QuantCubicagem, IvaTabela, IvaTaxa, ValorIva, DescontoPer1, DescontoPer2, DescontoPer3,
    DescontoPerGeral, ValDescontoGeral, ValDesconto1, ValDesconto2, ValDesconto3, TotalDesconto, ValDespesa,
    DespesaPer, ValorIliq, PVPAplicado, PrecoAplicado, PMCusto, UPCompra, UPCusto, Portes, Terceiro, CliFor,
    Unidade, Vendedor, ComissaoPer, Armazem, ArmazemDest, AfectaCli, AfectaFor, AfectaStk, Caixa, Aplic,
    TipoEncomenda, NumEncomenda, RegiEncomenda, TipoGuia, NumGuia, DataGuia, Estacao, Sexo, Referencia, Modelo,
    Cor, Tamanho, Comprimento, Fornece, ObsLinha, Chave, ContaContab, Fechado, ProdDiversos, Localizacao,
    OutUniCod, OutUniQuant, ImpTrans, Cambio, ValCambio, Sinal, VendedorFixo, Utilizador, DataSys, Lote,
    DataValidade, DataFabrico, Integrou, TaxaIRS, IncidIRS, ValorIRS, NumControlo, Rotura, SelecFecha,
    Ordem_EDI, DataDevolucao, Identifica, Paletes, Pecas, Bonus, DocPublicidade, DocAssinatura, NumOrdemBrenu,
    WVelmor, CalculoFacturaDesconto, Promocao, ArmazemTemporario, ArmazemTemporario_QtyChecked,
    Referencia_Troca, Armazem_PMCusto, Armazem_UPCompra, Armazem_UPCusto, IvaCustos_Taxa, IvaCustos_Valor,
    MC_Arm_Perc, MC_Arm_Valor, MC_Farm_Perc, MC_Farm_Valor, MC_Farm_Fee, MC_Farm_INF, MC_Port1041,
    MC_PrecoBase, MC_ValorMargem, MC_Escalao, MC_PVP, MC_PVPMax, MC_PVA, MC_IvaTaxaCompra, DataDisposicao,
    ChaveDevolucao, MargemPerc, MargemVal, NumeroGuiaInt, ProdutoCarregado, IdentificaRelacionado,
    FitoFarmaceutico_Aplicador, Hora, CodigoBarras, UPCustoFicha, Estado, Estado_DataSys, Estado_Motivo,
    Estado_Utilizador, quantidade, observa};
inline constexpr int Total = int(std::size(Todas));

constexpr bool emOrdem() {
    for (int i = 0; i < Total; ++i)
        if (Todas[i].posicao != i)
            return false;
    return true;
}
static_assert(emOrdem(), "MovProduto columns out of order");
static_assert(Inseridas <= Total);

} // namespace ColMovProduto

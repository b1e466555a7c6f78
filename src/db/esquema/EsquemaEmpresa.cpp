#include "db/esquema/Esquema.h"
#include "db/esquema/EsquemaEmpresaTabelas.h"

// The company schema, table by table. Column names keep the spelling the suite's
// databases use; both engines compare unquoted identifiers without regard to case.

std::vector<IndiceDef> esquema::indices(const QString& tabela, const std::vector<QStringList>& normais,
                                        const std::vector<QStringList>& unicos) {
    std::vector<IndiceDef> r;
    int n = 0;
    for (const QStringList& c : unicos)
        r.push_back({QStringLiteral("IX_%1_%2").arg(tabela).arg(++n), c, true});
    for (const QStringList& c : normais)
        r.push_back({QStringLiteral("IX_%1_%2").arg(tabela).arg(++n), c, false});
    return r;
}

namespace {

using namespace esquema;

void juntar(Colunas& destino, const Colunas& origem) {
    destino.insert(destino.end(), origem.begin(), origem.end());
}

// ---------------------------------------------------------------- company and users

TabelaDef utilizador() {
    return {"Utilizador",
            {txt("Codigo", 2), txt("Login", 50), txt("Password", 255), smallint("ValidaInterno"),
             smallint("AlteraPassword"), datahora("LastDtAlteraPass"), datahora("DataSys"),
             datahora("PrimActUtil"), txt("Contactos", 255), smallint("ExcluiPesq")},
            indices("Utilizador", {{"Login"}}, {{"Codigo"}})};
}

TabelaDef acessos() {
    return {"Acessos",
            {txt("utilizador", 2), txt("chave", 255), smallint("value"), txt("chave1", 255), txt("form", 100),
             txt("ctrl", 100), txt("caption", 255), txt("ctrlcap", 255)},
            indices("Acessos", {{"utilizador", "chave"}, {"chave", "utilizador"}})};
}

TabelaDef utilizadorProduto() {
    return {"UtilizadorProduto",
            {txt("Utilizador", 2), txt("Produto", 15), smallint("Consulta"), smallint("Movimenta"),
             smallint("VerCustos"), smallint("Altera")},
            indices("UtilizadorProduto", {{"Utilizador", "Produto"}})};
}

// Tables of the suite that only hold stored passwords this program may have to encipher.
TabelaDef tabelaComPasswords(const QString& nome) {
    return {
        nome, {txt("Codigo", 10), txt("Descricao", 100), txt("Password", 255), txt("PasswordRP", 255)}, {}};
}

// ---------------------------------------------------------------- parameters

Colunas arredondamentos(const QString& prefixo, const QStringList& sufixos) {
    Colunas r;
    for (const QString& s : sufixos)
        r.push_back(inteiro(prefixo + s));
    return r;
}

TabelaDef paramGeral() {
    const QStringList dez{"valor",  "iva",      "desc",      "merlin",   "desclin",
                          "ivalin", "mergeral", "descgeral", "ivageral", "totalgeral"};
    const QStringList quatro{"mergeral", "descgeral", "ivageral", "totalgeral"};
    Colunas c{money("taxajuromora"),          money("impostoselo"),
              money("LimiteRecapitulativos"), txt("tipojuromora", 10),
              txt("tipoavencas", 10),         txt("txivaavencas", 10),
              inteiro("registosVisualizar"),  inteiro("casadec"),
              inteiro("casadecpreco"),        inteiro("casadecquant"),
              inteiro("casadecquantOutUni"),  smallint("ActualizaUPC"),
              txt("cambiodef", 20),           txt("cambioeuro", 20),
              smallint("zerarclientes"),      smallint("zerarfornece"),
              smallint("zerarproduto"),       smallint("ControlaProdutoFornecedor")};
    juntar(c, arredondamentos("cliarre", dez));
    juntar(c, arredondamentos("clidec", dez));
    juntar(c, arredondamentos("forarre", dez));
    juntar(c, arredondamentos("fordec", dez));
    juntar(c, arredondamentos("caiarre", quatro));
    juntar(c, arredondamentos("caidec", quatro));
    juntar(c, {inteiro("banarre"),
               inteiro("bandec"),
               txt("MensagCli", 1),
               txt("Mensagfor", 1),
               txt("Mensagpro", 1),
               txt("MensagproPMC", 1),
               txt("controlaquant", 1),
               smallint("controlaQuant_Diversos"),
               smallint("controlaQuant_Servicos"),
               smallint("controlaQuant_Portes"),
               txt("docaberto", 1),
               txt("clidiversos", 10),
               txt("forndiversos", 10),
               txt("proddiversos", 15),
               txt("proddiversos2", 15),
               txt("AnoCalculo", 4),
               txt("ano", 4),
               txt("mes", 2),
               txt("controlaano", 1),
               txt("controlames", 1),
               txt("DataEmAberto", 10),
               txt("LancaMesSeguinte", 1),
               smallint("GridLine"),
               smallint("ContinuaAdicionar"),
               txt("AfectaDep", 10),
               txt("AfectaLev", 10),
               smallint("prontovestir"),
               smallint("Lotes"),
               txt("NomeEstacao", 50),
               txt("NomeSexo", 50),
               txt("NomeReferencia", 50),
               txt("NomeModelo", 50),
               txt("NomeCor", 50),
               txt("NomeTamanho", 50),
               txt("NomeComprimento", 50),
               txt("ImpCabecalhos", 1),
               txt("NomeEmpresa", 100),
               smallint("ConverteuNVARCHAR"),
               txt("Server", 100),
               txt("empresa", 100),
               txt("Login", 100),
               txt("Password", 255),
               smallint("ContabAutenticaSQL"),
               txt("ServerSNC", 100),
               txt("empresaSNC", 100),
               txt("LoginSNC", 100),
               txt("PasswordSNC", 255),
               smallint("ContabAutenticaSQLSNC"),
               txt("AnoAntServer", 100),
               txt("AnoAntEmpresa", 100),
               txt("AnoAntUID", 100),
               txt("AnoAntPass", 255),
               txt("PasswordSede", 255),
               txt("CriaFichasPass", 255),
               txt("EMail_CertificadoPassword", 255),
               txt("EMail_SMTPServer", 100),
               txt("EMail_SMTPLogin", 100),
               txt("EMail_SMTPPassword", 255),
               txt("EMail_SMTPFrom", 255),
               txt("EMail_SMTPCc", 255),
               smallint("EMail_RecebeRecibo"),
               txt("EMail_Recibo", 255),
               txt("EMail_Assunto", 255),
               memo("EMail_CorpoMensagem"),
               smallint("PMCArmazem"),
               smallint("FormulaPrecoMedioCusto"),
               smallint("PrecoTranfAcertos")});
    return {"ParamGeral", c, {}};
}

TabelaDef paramGeralOutrosDados() {
    return {"paramgeral_OutrosDados",
            {inteiro("Pwd_Expira"), smallint("Pwd_ExpiraObriga"), inteiro("Pwd_CompMin"),
             inteiro("Pwd_NumMai"), inteiro("Pwd_NumMin"), inteiro("Pwd_NumNum"), inteiro("Pwd_NumEsp"),
             smallint("OC50001_NaoAltDescricaoProduto"), smallint("OC50001_NaoAltDescricaoProdutoDIV")},
            {}};
}

TabelaDef configProd() {
    return {"configProd",
            {txt("TipoSaida", 3), txt("Tipoent", 3), txt("Tiporet", 3), txt("TipoRef", 3),
             txt("Processo_TipoSaida", 3), txt("Processo_TipoRet", 3), txt("Fornece", 10), txt("cliente", 10),
             txt("UltLote", 10), inteiro("CasasDec"), txt("Precario", 15)},
            {}};
}

TabelaDef utilConfGeral() {
    return {"UtilConfGeral",
            {txt("utilizador", 2), txt("armazem", 3), txt("caixa", 2), txt("tipofac", 3),
             smallint("ActivaLogGeral"), inteiro("AltArmazem"), txt("ArmazensAcessos", 255),
             txt("ArmazensAcessosTRA", 255)},
            indices("UtilConfGeral", {{"utilizador"}})};
}

TabelaDef utilConfigDiv() {
    return {"UtilConfig_Div",
            {txt("Utilizador", 2), txt("NomeForm", 100), txt("Chave", 100), memo("Conteudo"),
             txt("TipoConteudo", 20), datahora("DataSys")},
            indices("UtilConfig_Div", {{"Utilizador", "NomeForm", "Chave"}})};
}

TabelaDef actualiza() {
    return {"Actualiza", {txt("versao", 12), smallint("ConvPwd")}, {}};
}

TabelaDef tarvoComNetConfig() {
    return {"TarvoComNet_Config",
            {txt("Servidor", 100), txt("Login", 100), txt("Password", 255), txt("PasswordRP", 255)},
            {}};
}

TabelaDef facturacaoEntreEmpresasConfig() {
    return {"FacturacaoEntreEmpresas_Config", {txt("Password", 255), txt("PasswordRP", 255)}, {}};
}

TabelaDef configVend() {
    return {"ConfigVend", {txt("FTPPWD", 255)}, {}};
}

// ---------------------------------------------------------------- products and code tables

TabelaDef produtos() {
    return {"Produtos",
            {txt("Codigo", 15),
             txt("Descricao", 50),
             txt("Situacao", 10),
             txt("DescricaoAgeMar", 255),
             money("cubicagem"),
             money("PrecoMedioCusto"),
             money("UltPrecoCompra"),
             money("UltPrecoCusto"),
             money("ultprecocompraCIva"),
             txt("DataUltCompra", 10),
             money("PrecoVenda1"),
             money("PrecoVenda2"),
             money("PrecoVenda3"),
             money("PrecoVenda4"),
             money("PrecoVendaArm"),
             money("PrecoVendaArmPVPMax"),
             money("IvaTaxaCompra"),
             txt("ivatabvenda", 2),
             txt("UnidadeVenda", 3),
             txt("UnidadeCompra", 3),
             smallint("OutUnidades"),
             txt("vendedorhabitual", 2),
             txt("vendedor", 2),
             txt("grupo", 10),
             txt("familia", 10),
             txt("subfamilia", 10),
             txt("ctrlexistencia", 1),
             txt("servico", 1),
             txt("portes", 1),
             smallint("Lote"),
             smallint("FormulaLote"),
             smallint("ControlaDataValidade_Fabrico"),
             txt("Referencia", 1),
             txt("Medic", 1),
             txt("actualizapreco", 1),
             inteiro("DiasDevolucao"),
             txt("ForneceExterno", 10),
             txt("Saft_SerialNumber", 50),
             txt("Saft_SerialNumberT", 50),
             txt("OrderEtiquetas", 50),
             money("QtyConverteEtiquetas"),
             // Kept by the suite's product file; the labels print them (prices 5-7, prices per kilo).
             money("PrecoVenda5"),
             money("PrecoVenda6"),
             money("PrecoVenda7"),
             money("Peso")},
            indices("Produtos",
                    {{"Descricao"},
                     {"Situacao"},
                     {"grupo", "familia", "subfamilia", "Codigo"},
                     {"familia"},
                     {"subfamilia"},
                     {"OrderEtiquetas"}},
                    {{"Codigo"}})};
}

TabelaDef armazens() {
    return {"Armazens",
            {txt("codigo", 3), txt("Descricao", 50), txt("linha1", 100), txt("linha2", 100),
             txt("linha3", 100), txt("linha4", 100), txt("linha5", 100), txt("linha6", 100),
             txt("linha7", 100), txt("ControlaAno", 1), txt("Ano", 4), txt("ControlaMes", 1), txt("Mes", 2),
             smallint("IgnoraCtrlExistencia")},
            indices("Armazens", {{"codigo"}, {"linha1", "codigo"}})};
}

TabelaDef localizacao() {
    return {"Localizacao", {txt("Codigo", 5), txt("Descricao", 50)}, indices("Localizacao", {{"Codigo"}})};
}

TabelaDef produtosLocalizacoes() {
    return {"ProdutosLocalizacoes",
            {txt("Produto", 15), txt("Armazem", 3), txt("Lote", 20), txt("Localizacao", 5)},
            indices("ProdutosLocalizacoes", {{"Produto", "Armazem", "Lote"}})};
}

TabelaDef tabUnidades() {
    return {"TabUnidades",
            {txt("Codigo", 3), txt("Descricao", 50), smallint("ApenasUnidade")},
            indices("TabUnidades", {{"Codigo"}})};
}

TabelaDef produtosOutrosDados() {
    return {"ProdutosOutrosDados",
            {txt("Produto", 15), txt("Fornecedor", 10), txt("RefProduto", 50)},
            indices("ProdutosOutrosDados", {{"Fornecedor", "RefProduto"}, {"Produto"}})};
}

TabelaDef produtosCodigosBarras() {
    return {"ProdutosCodigosBarras",
            {txt("CodigoBarras", 50), txt("ProdutoBase", 15)},
            // The labels read a product's first code by ProdutoBase.
            indices("ProdutosCodigosBarras", {{"CodigoBarras"}, {"ProdutoBase", "NumRegisto"}})};
}

TabelaDef produtosEquivalentes() {
    return {"ProdutosEquivalentes",
            {txt("ProdutoBase", 15), txt("ProdutoEquivalente", 15), smallint("Interactividade")},
            indices("ProdutosEquivalentes", {{"ProdutoBase"}, {"ProdutoEquivalente"}})};
}

// Customers and suppliers share one shape.
TabelaDef terceiros(const QString& nome) {
    return {nome,
            {txt("Codigo", 10), txt("Descricao", 100), txt("Contribuinte", 20), txt("Morada", 100),
             txt("Local", 50), txt("DescricaoOutra", 100), txt("Telefone", 20), txt("Telemovel", 20),
             txt("Situacao", 10), txt("grupo", 10), txt("familia", 10), txt("subfamilia", 10),
             txt("Password", 255), txt("PasswordRP", 255)},
            indices(nome, {{"Codigo"}, {"grupo"}, {"familia"}, {"subfamilia"}})};
}

TabelaDef cambios() {
    return {"Cambios", {txt("Codigo", 10), txt("Abreviatura", 10), money("Valor"), txt("Simbolo", 5)}, {}};
}

TabelaDef tabSituacao() {
    return {"TabSituacao",
            {txt("Codigo", 10), txt("Descricao", 50), smallint("Movimenta")},
            indices("TabSituacao", {{"Codigo"}})};
}

TabelaDef tabVendedor() {
    return {"TabVendedor", {txt("Codigo", 2), txt("Descricao", 100)}, indices("TabVendedor", {{"Codigo"}})};
}

// Tables kept by the common table editor: code, description, who and when.
TabelaDef tabelaComum(const QString& nome, int tamanhoCodigo = 10,
                      const QString& texto = QStringLiteral("descricao")) {
    return {nome,
            {txt("codigo", tamanhoCodigo), texto == QStringLiteral("observa") ? memo(texto) : txt(texto, 50),
             txt("utilizador", 2), datahora("datasys")},
            indices(nome, {{"codigo"}})};
}

TabelaDef codigoDescricao(const QString& nome, int tamanhoCodigo) {
    return {nome, {txt("Codigo", tamanhoCodigo), txt("Descricao", 50)}, indices(nome, {{"Codigo"}})};
}

TabelaDef tabIva() {
    return {
        "tabiva", {txt("codigo", 2), txt("Descricao", 50), money("Taxa")}, indices("tabiva", {{"codigo"}})};
}

TabelaDef imagens() {
    return {"Imagens",
            {txt("Tabela", 50), txt("Codigo", 50), memo("Chave"), txt("Utilizador", 2), txt("Fechado", 1),
             binario("Imagem"), txt("Nome", 255), datahora("DataSys")},
            indices("Imagens", {{"Utilizador", "Fechado"}, {"Tabela", "Codigo", "Utilizador", "Fechado"}})};
}

std::vector<TabelaDef> declarar() {
    return {
        // company and users
        utilizador(),
        acessos(),
        utilizadorProduto(),
        tabelaComPasswords("Delegados"),
        tabelaComPasswords("Empregados"),
        tabelaComPasswords("Obras"),
        // parameters
        paramGeral(),
        paramGeralOutrosDados(),
        configProd(),
        utilConfGeral(),
        utilConfigDiv(),
        actualiza(),
        tarvoComNetConfig(),
        facturacaoEntreEmpresasConfig(),
        configVend(),
        // products and code tables
        produtos(),
        armazens(),
        localizacao(),
        produtosLocalizacoes(),
        tabUnidades(),
        produtosOutrosDados(),
        produtosCodigosBarras(),
        produtosEquivalentes(),
        terceiros("Clientes"),
        terceiros("Fornece"),
        cambios(),
        tabSituacao(),
        tabVendedor(),
        tabelaComum("TabGrupoPro"),
        tabelaComum("TabFamPro"),
        tabelaComum("TabSubFamPro"),
        tabelaComum("tabGrupocli"),
        tabelaComum("tabFamcli"),
        tabelaComum("tabsubFamcli"),
        tabelaComum("tabGrupofor"),
        tabelaComum("tabFamfor"),
        tabelaComum("tabsubFamfor"),
        tabelaComum("HistoricoObs", 10, QStringLiteral("observa")),
        tabelaComum("TabEstacao", 1, QStringLiteral("Descricao")),
        tabelaComum("TabSexo", 1, QStringLiteral("Descricao")),
        tabelaComum("Referencias", 20, QStringLiteral("Descricao")),
        tabelaComum("Modelos", 10, QStringLiteral("Descricao")),
        tabelaComum("Cores", 10, QStringLiteral("Descricao")),
        tabelaComum("Tamanhos", 5, QStringLiteral("Descricao")),
        tabelaComum("Comprimentos", 5, QStringLiteral("Descricao")),
        codigoDescricao("OutUnidades", 3),
        codigoDescricao("Caixas", 2),
        tabIva(),
        imagens(),
        // stock ledger
        movProduto(),
        movProdutoAlteraPMC(),
        movProdutoPMCEstado(),
        movProdutoOutrosDados(),
        tabTipoMov(),
        lockPro(),
        livroNumeracao("MovCliente"),
        livroNumeracao("MovFornece"),
        livroNumeracao("MovBanco"),
        livroNumeracao("MovCaixa"),
        // production
        nomenclatura(),
        lotes(),
        tabLotes(),
        obrasProdutosAcabados(),
        loteInstantaneo(),
        nomenclaturaInstantanea(),
        prodProcessos(),
        prodProcessosMov(),
        prodProcessosProc(),
        prodEquipamentos(),
        nomenclaturaMedicoes(),
        // logs and print definitions
        logDB(),
        logDBAgenda(),
        logGeral(),
        etiquetas(),
        pDocumentos(),
        pCampos(),
        linRec(),
        // the schema's own version
        {"EsquemaVersao", {inteiro("Versao"), txt("Assinatura", 64)}, {}},
    };
}

} // namespace

const std::vector<TabelaDef>& tabelasEmpresa() {
    static const std::vector<TabelaDef> tabelas = declarar();
    return tabelas;
}

const std::vector<GatilhoDef>& gatilhosEmpresa() {
    static const std::vector<GatilhoDef> gatilhos = esquema::gatilhosCustoMedio();
    return gatilhos;
}

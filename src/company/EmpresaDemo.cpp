#include "company/EmpresaDemo.h"

#include "db/AdminServidor.h"
#include "company/Empresas.h"

#include <QDate>
#include <QHash>
#include <QSqlQuery>
#include <QUuid>
#include <QtEndian>

namespace {

const char* const NomeDemo = "Carpintaria Vale do Sousa, Lda.";

struct ProdutoDemo {
    const char* codigo;
    const char* descricao;
    const char* unidade;
    const char* grupo;
    const char* familia;
    const char* preco; // purchase price of raw materials; sale price of finished products
    int lote;          // 1 = lot-managed
    int formulaLote;   // 1 FIFO, 2 LIFO
    int controlaDatas; // 1 by manufacture date, 2 by expiry date
};

const ProdutoDemo MateriasPrimas[] = {
    {"MP001", "Tábua de pinho 20 mm", "MT", "01", "01", "4.8500", 0, 0, 0},
    {"MP002", "Tábua de carvalho 25 mm", "MT", "01", "01", "18.4000", 0, 0, 0},
    {"MP003", "Painel MDF 19 mm 2440x1220", "UN", "01", "02", "32.5000", 0, 0, 0},
    {"MP004", "Contraplacado de bétula 12 mm", "UN", "01", "02", "41.2000", 0, 0, 0},
    {"MP005", "Cola vinílica para madeira", "KG", "01", "04", "6.9000", 1, 1, 2},
    {"MP006", "Verniz aquoso mate", "LT", "01", "04", "14.7500", 1, 1, 2},
    {"MP007", "Óleo de linhaça", "LT", "01", "04", "9.3000", 1, 2, 1},
    {"MP008", "Parafuso para madeira 4x40", "UN", "01", "03", "0.0450", 0, 0, 0},
    {"MP009", "Cavilha de faia 8x40", "UN", "01", "03", "0.0300", 0, 0, 0},
    {"MP010", "Dobradiça de copo 35 mm", "UN", "01", "03", "1.2500", 0, 0, 0},
    {"MP011", "Puxador em latão envelhecido", "UN", "01", "03", "3.8000", 0, 0, 0},
    {"MP012", "Lixa em rolo grão 120", "MT", "01", "04", "2.1000", 0, 0, 0},
    {"MP013", "Corrediça telescópica 450 mm", "UN", "01", "03", "7.9000", 0, 0, 0},
};

const ProdutoDemo ProdutosAcabados[] = {
    {"PA001", "Mesa de jantar em carvalho", "UN", "02", "05", "650.0000", 0, 0, 0},
    {"PA002", "Cadeira em carvalho", "UN", "02", "05", "145.0000", 0, 0, 0},
    {"PA003", "Estante em pinho 5 prateleiras", "UN", "02", "05", "289.0000", 0, 0, 0},
    {"PA004", "Cómoda de 3 gavetas lacada", "UN", "02", "05", "420.0000", 0, 0, 0},
};

struct LinhaNomenclatura {
    const char* acabado;
    const char* prima;
    const char* quantidade;
};

const LinhaNomenclatura Nomenclaturas[] = {
    {"PA001", "MP002", "6.50"}, {"PA001", "MP005", "0.40"}, {"PA001", "MP006", "0.80"},
    {"PA001", "MP008", "24"},   {"PA001", "MP009", "16"},   {"PA001", "MP012", "1.50"},
    {"PA002", "MP002", "2.20"}, {"PA002", "MP005", "0.15"}, {"PA002", "MP006", "0.25"},
    {"PA002", "MP009", "12"},   {"PA002", "MP012", "0.50"}, {"PA003", "MP001", "9"},
    {"PA003", "MP007", "0.50"}, {"PA003", "MP008", "40"},   {"PA003", "MP012", "1"},
    {"PA004", "MP003", "1"},    {"PA004", "MP004", "0.50"}, {"PA004", "MP006", "0.60"},
    {"PA004", "MP008", "36"},   {"PA004", "MP011", "3"},    {"PA004", "MP013", "3"},
};

// Instant recipes: a dining set whose oak cost is shared by weight between the table and the chairs,
// and a bookcase that takes all of its materials' cost.
struct LinhaReceitaDemo {
    const char* codigo;
    const char* descricao;
    const char* fluxo;
    const char* tipo; // "MP" or "PA"
    const char* produto;
    const char* quantidade;
    const char* precario;
    const char* valor;
};

const LinhaReceitaDemo Receitas[] = {
    {"CONJ-MESA", "Mesa de jantar com 4 cadeiras", "A", "MP", "MP002", "15.30", "PrecoMedioCusto", "0"},
    {"CONJ-MESA", "Mesa de jantar com 4 cadeiras", "A", "MP", "MP009", "64", "PrecoMedioCusto", "0"},
    {"CONJ-MESA", "Mesa de jantar com 4 cadeiras", "A", "MP", "MP012", "3.50", "UltPrecoCompra", "0"},
    {"CONJ-MESA", "Mesa de jantar com 4 cadeiras", "A", "PA", "PA001", "1", "PercCusto", "60"},
    {"CONJ-MESA", "Mesa de jantar com 4 cadeiras", "A", "PA", "PA002", "4", "PercCusto", "40"},
    {"ESTANTE", "Estante em pinho", "B", "MP", "MP001", "9", "PrecoMedioCusto", "0"},
    {"ESTANTE", "Estante em pinho", "B", "MP", "MP008", "40", "PrecoMedioCusto", "0"},
    {"ESTANTE", "Estante em pinho", "B", "MP", "MP012", "1", "PrecoMedioCusto", "0"},
    {"ESTANTE", "Estante em pinho", "B", "PA", "PA003", "1", "PercCusto", "100"},
};

// Lot dates are relative to the company's year, so the demo stays believable whenever it is made.
struct LoteDemo {
    const char* produto;
    const char* codigo;
    int anoFabrico; // relative to the company's year
    const char* diaFabrico;
    int anoValidade;
    const char* diaValidade;
};

const LoteDemo Lotes[] = {
    {"MP005", "CV-0118", -1, "11-03", 1, "11-03"}, {"MP005", "CV-0207", -1, "12-12", 1, "12-12"},
    {"MP006", "VA-0931", -1, "09-15", 1, "09-15"}, {"MP006", "VA-1102", -1, "11-02", 2, "02-02"},
    {"MP007", "OL-2511", -1, "11-20", 1, "11-20"}, {"MP007", "OL-2512", -1, "12-18", 1, "12-18"},
};

struct CodigoDemo {
    const char* codigo;
    const char* descricao;
};

const CodigoDemo Armazens[] = {
    {"001", "Armazém de Matérias-Primas"}, {"002", "Armazém de Produto Acabado"}, {"003", "Oficina"}};
const CodigoDemo Localizacoes[] = {{"00002", "Estante A - Madeiras"},
                                   {"00003", "Estante B - Painéis e Colas"},
                                   {"00004", "Zona de Secagem"},
                                   {"00005", "Cais de Expedição"},
                                   {"00006", "Bancada de Montagem"}};
const CodigoDemo Grupos[] = {{"01", "Matérias-Primas"}, {"02", "Produto Acabado"}};
const CodigoDemo Familias[] = {{"01", "Madeira Maciça"},
                               {"02", "Painéis e Derivados"},
                               {"03", "Ferragens"},
                               {"04", "Colas, Vernizes e Abrasivos"},
                               {"05", "Mobiliário"}};
const CodigoDemo Unidades[] = {{"UN", "Unidade"}, {"KG", "Quilograma"}, {"MT", "Metro"}, {"LT", "Litro"}};

struct TipoMovDemo {
    const char* codigo;
    const char* descricao;
    const char* afectaStk;
};

const TipoMovDemo TiposMov[] = {
    {"SI", "Saldo Inicial", "E+"},
    {"SPR", "Saída para Produção", "S+"},
    {"EPR", "Entrada de Produção", "E+"},
    {"DPR", "Devolução de Produção", "S-"},
    {"RPR", "Reforço de Produção", "S+"},
    {"SPP", "Saída para Processo de Produção", "S+"},
    {"DPP", "Devolução de Processo de Produção", "S-"},
};

const char* const TipoSaldoInicial = "SI";

class PreenchimentoDemo {
public:
    PreenchimentoDemo(Database& db, int ano) : m_db(db), m_ano(ano) {}

    Resultado<> executar() {
        m_agora = m_db.scalar(QStringLiteral("SELECT ") + m_db.dialect().agora());
        const QVariant hora =
            m_db.scalar(QStringLiteral("SELECT ") + m_db.dialect().paraTexto(m_db.dialect().agora()));
        m_hora = hora.toString().mid(11, 8);
        for (auto passo : {&PreenchimentoDemo::parametros, &PreenchimentoDemo::armazensELocalizacoes,
                           &PreenchimentoDemo::tabelasDeCodigos, &PreenchimentoDemo::terceiros,
                           &PreenchimentoDemo::tiposMovimento, &PreenchimentoDemo::produtos,
                           &PreenchimentoDemo::nomenclaturas, &PreenchimentoDemo::receitas, &PreenchimentoDemo::lotes,
                           &PreenchimentoDemo::utilizadores, &PreenchimentoDemo::stockInicial,
                           &PreenchimentoDemo::processoEmCurso, &PreenchimentoDemo::equipamento,
                           &PreenchimentoDemo::medicoes, &PreenchimentoDemo::etiquetas})
            if (auto r = (this->*passo)(); !r)
                return r;
        return {};
    }

private:
    Resultado<> inserir(const QString& tabela, const Registo& r) {
        if (m_db.insert(tabela, r.colunas, r.valores) > 0)
            return {};
        return Falha(QStringLiteral("Erro ao gravar em %1: %2").arg(tabela, m_db.lastError()));
    }
    Resultado<> actualizar(const QString& tabela, const Registo& r) {
        if (m_db.update(tabela, r.colunas, r.valores))
            return {};
        return Falha(QStringLiteral("Erro ao gravar em %1: %2").arg(tabela, m_db.lastError()));
    }
    QString data(int anoRelativo, const char* diaMes) const {
        return QStringLiteral("%1-%2").arg(m_ano + anoRelativo).arg(QLatin1String(diaMes));
    }

    Resultado<> parametros() {
        // Lots and stock control on, so the demo shows the whole production path.
        if (auto r = actualizar(QStringLiteral("ParamGeral"), Registo()("Lotes", 1)("controlaquant", "1"));
            !r)
            return r;
        return actualizar(QStringLiteral("configProd"),
                          Registo()("TipoSaida", "SPR")("Tipoent", "EPR")("Tiporet", "DPR")("TipoRef", "RPR")(
                              "Processo_TipoSaida",
                              "SPP")("Processo_TipoRet", "DPP")("Fornece", "PRODINT")("cliente", "PRODINT"));
    }

    Resultado<> armazensELocalizacoes() {
        if (!m_db.update(QStringLiteral("Armazens"), {"Descricao", "linha2", "linha3", "linha4", "linha5"},
                         {QString::fromUtf8(Armazens[0].descricao), "Rua da Serração, 45", "4580-211 Paredes",
                          "Contribuinte N.º 514782935", "Tel. 255 781 234 - geral@valedosousa.pt"},
                         QStringLiteral("WHERE codigo=?"), {"001"}))
            return Falha(m_db.lastError());
        for (const CodigoDemo& a : Armazens) {
            if (QLatin1String(a.codigo) == QLatin1String("001"))
                continue;
            if (auto r = inserir(
                    QStringLiteral("Armazens"),
                    Registo()("codigo", a.codigo)("Descricao", QString::fromUtf8(a.descricao))(
                        "linha1", QString::fromUtf8(NomeDemo))("linha2", "Rua da Serração, 45")(
                        "linha3", "4580-211 Paredes")("linha4", "Contribuinte N.º 514782935")("linha5", "")(
                        "linha6", "")("linha7", "")("ControlaAno", "0")("Ano", QString::number(m_ano))(
                        "ControlaMes", "0")("Mes", "")("IgnoraCtrlExistencia", 0));
                !r)
                return r;
        }
        for (const CodigoDemo& l : Localizacoes)
            if (auto r = inserir(QStringLiteral("Localizacao"),
                                 Registo()("Codigo", l.codigo)("Descricao", QString::fromUtf8(l.descricao)));
                !r)
                return r;
        return {};
    }

    Resultado<> tabelasDeCodigos() {
        auto comum = [&](const QString& tabela, const CodigoDemo& c) {
            return inserir(tabela, Registo()("codigo", c.codigo)("descricao", QString::fromUtf8(c.descricao))(
                                       "utilizador", "01")("datasys", m_agora));
        };
        for (const CodigoDemo& g : Grupos)
            if (auto r = comum(QStringLiteral("TabGrupoPro"), g); !r)
                return r;
        for (const CodigoDemo& f : Familias)
            if (auto r = comum(QStringLiteral("TabFamPro"), f); !r)
                return r;
        for (const CodigoDemo& u : Unidades)
            if (auto r =
                    inserir(QStringLiteral("TabUnidades"),
                            Registo()("Codigo", u.codigo)("Descricao", QString::fromUtf8(u.descricao))(
                                "ApenasUnidade", QLatin1String(u.codigo) == QLatin1String("UN") ? 1 : 0));
                !r)
                return r;
        struct Iva {
            const char* codigo;
            const char* descricao;
            const char* taxa;
        };
        const Iva ivas[] = {
            {"1", "Taxa Normal", "23"}, {"2", "Taxa Intermédia", "13"}, {"3", "Taxa Reduzida", "6"}};
        for (const Iva& iva : ivas)
            if (auto r = inserir(QStringLiteral("tabiva"),
                                 Registo()("codigo", iva.codigo)(
                                     "Descricao", QString::fromUtf8(iva.descricao))("Taxa", iva.taxa));
                !r)
                return r;
        return inserir(QStringLiteral("TabSituacao"),
                       Registo()("Codigo", "A")("Descricao", "Activo")("Movimenta", 1));
    }

    Resultado<> terceiros() {
        struct T {
            const char* tabela;
            const char* codigo;
            const char* nome;
            const char* nif;
            const char* local;
        };
        const T lista[] = {
            {"Fornece", "PRODINT", "Produção Interna", "514782935", "Paredes"},
            {"Fornece", "F0001", "Madeiras do Tâmega, Lda.", "508112437", "Amarante"},
            {"Fornece", "F0002", "Ferragens Ribeiro & Filhos, S.A.", "503998210", "Porto"},
            {"Fornece", "F0003", "Tintas e Vernizes do Norte, Lda.", "509347762", "Guimarães"},
            {"Clientes", "PRODINT", "Consumo Interno da Produção", "514782935", "Paredes"},
            {"Clientes", "C0001", "Móveis Estrela, Lda.", "510233546", "Paços de Ferreira"},
        };
        for (const T& t : lista)
            if (auto r = inserir(QString::fromLatin1(t.tabela),
                                 Registo()("Codigo", t.codigo)("Descricao", QString::fromUtf8(t.nome))(
                                     "Contribuinte", t.nif)("Morada", "")(
                                     "Local", QString::fromUtf8(t.local))("Situacao", "A"));
                !r)
                return r;
        return {};
    }

    Resultado<> tiposMovimento() {
        for (const TipoMovDemo& t : TiposMov) {
            // The opening stock below is document 1 of its type.
            const bool saldo = QLatin1String(t.codigo) == QLatin1String(TipoSaldoInicial);
            if (auto r = inserir(
                    QStringLiteral("TabTipoMov"),
                    Registo()("Codigo", t.codigo)("Descricao", QString::fromUtf8(t.descricao))(
                        "UltNumero", saldo ? "00000001" : "00000000")("IncrementaMes", 0)("ControloHash", 0)(
                        "Modulo", "ST")("CopiaDocumentoOriginal", 0)("CopiaDocumentoOriginal_Manual", 0)(
                        "CopiaDocumentoOriginal_Integrado", 0)("Observa", "")("AfectaCli", "NA")(
                        "AfectaFor", "NA")("AfectaStk", t.afectaStk)("AfectaCaixa", "NA")("AfectaBan", "NA")(
                        "AfectaIVA", 0)("TipoMovClassifica", "@@@")("Situacao", ""));
                !r)
                return r;
        }
        return {};
    }

    // Cost of one finished unit from its bill and the raw materials' prices.
    Currency custoAcabado(const QString& acabado) const {
        Currency custo;
        for (const LinhaNomenclatura& l : Nomenclaturas)
            if (QLatin1String(l.acabado) == acabado)
                custo += Currency::fromString(QLatin1String(l.quantidade))
                             .multiply(m_custos.value(QLatin1String(l.prima)),
                                       Currency::Arredondamento::MetadeAfastaDeZero);
        return custo;
    }

    Resultado<> inserirProduto(const ProdutoDemo& p, const Currency& custo, const Currency& precoVenda) {
        const Currency comIva = custo.multiply(Currency::fromString(QStringLiteral("1.23")),
                                               Currency::Arredondamento::MetadeAfastaDeZero);
        return inserir(
            QStringLiteral("Produtos"),
            Registo()("Codigo", p.codigo)("Descricao", QString::fromUtf8(p.descricao))("Situacao", "A")(
                "PrecoMedioCusto", custo.toVariant())("UltPrecoCusto", custo.toVariant())(
                "UltPrecoCompra", custo.toVariant())("ultprecocompraCIva", comIva.toVariant())(
                "PrecoVenda1", precoVenda.toVariant())("IvaTaxaCompra", "23")("ivatabvenda", "1")(
                "UnidadeVenda", p.unidade)("UnidadeCompra", p.unidade)("OutUnidades", 0)("grupo", p.grupo)(
                "familia", p.familia)("subfamilia", "")("ctrlexistencia", "1")("servico", "0")("portes", "0")(
                "Lote", p.lote)("FormulaLote", p.formulaLote)("ControlaDataValidade_Fabrico",
                                                              p.controlaDatas)("Referencia", "0")(
                "Medic", "0")("actualizapreco", "0")("DiasDevolucao", 0)("ForneceExterno", ""));
    }

    Resultado<> produtos() {
        for (const ProdutoDemo& p : MateriasPrimas) {
            const Currency custo = Currency::fromString(QLatin1String(p.preco));
            m_custos.insert(QLatin1String(p.codigo), custo);
            m_descricoes.insert(QLatin1String(p.codigo), QString::fromUtf8(p.descricao));
            m_unidades.insert(QLatin1String(p.codigo), QLatin1String(p.unidade));
            if (auto r = inserirProduto(p, custo,
                                        custo
                                            .multiply(Currency::fromString(QStringLiteral("1.35")),
                                                      Currency::Arredondamento::MetadeAfastaDeZero)
                                            .rounded(2, Currency::Arredondamento::MetadeAfastaDeZero));
                !r)
                return r;
        }
        for (const ProdutoDemo& p : ProdutosAcabados) {
            const Currency custo = custoAcabado(QLatin1String(p.codigo));
            m_custos.insert(QLatin1String(p.codigo), custo);
            m_descricoes.insert(QLatin1String(p.codigo), QString::fromUtf8(p.descricao));
            m_unidades.insert(QLatin1String(p.codigo), QLatin1String(p.unidade));
            if (auto r = inserirProduto(p, custo, Currency::fromString(QLatin1String(p.preco))); !r)
                return r;
        }
        return {};
    }

    Resultado<> nomenclaturas() {
        // Each raw material is consumed from the warehouse that holds its stock.
        QHash<QString, QString> armazemDaPrima;
        for (const StockInicialDemo& s : stockInicialDemo())
            armazemDaPrima.insert(s.produto, s.armazem);
        for (const LinhaNomenclatura& l : Nomenclaturas) {
            const QString acabado = QLatin1String(l.acabado);
            const QString prima = QLatin1String(l.prima);
            if (auto r = inserir(
                    QStringLiteral("Nomenclatura"),
                    Registo()("ProdutoAcabado", acabado)("DescProdutoAcabado", m_descricoes.value(acabado))(
                        "ProdutoPrima", prima)("descprodutoprima", m_descricoes.value(prima))(
                        "quantidade", Currency::fromString(QLatin1String(l.quantidade)).toVariant())(
                        "preco", "0")("Armazem", armazemDaPrima.value(prima, QStringLiteral("001")))(
                        "observa", "")("Fixa", 0)("CtrlQuantidades", 0)("precario", "PrecoMedioCusto")(
                        "Factor", "0")("FactorFormula", "A")("ProdutoAcabadoPreco", "0"));
                !r)
                return r;
        }
        return {};
    }

    Resultado<> receitas() {
        // Raw materials come from the warehouse holding them; finished products go to the shop's.
        QHash<QString, QString> armazemDaPrima;
        for (const StockInicialDemo& s : stockInicialDemo())
            armazemDaPrima.insert(s.produto, s.armazem);
        for (const LinhaReceitaDemo& l : Receitas) {
            const bool materia = qstrcmp(l.tipo, "MP") == 0;
            const QString armazem =
                materia ? armazemDaPrima.value(QLatin1String(l.produto), QStringLiteral("001")) : QStringLiteral("002");
            if (auto r = inserir(QStringLiteral("NomenclaturaInstantanea"),
                                 Registo()("Codigo", l.codigo)("Descricao", QString::fromUtf8(l.descricao))(
                                     "Fluxo", l.fluxo)("TipoProduto", l.tipo)("Armazem", armazem)("Produto", l.produto)(
                                     "Quantidade", Currency::fromString(QLatin1String(l.quantidade)).toVariant())(
                                     "Precario", l.precario)(
                                     "Valor", Currency::fromString(QLatin1String(l.valor)).toVariant())("Observa", ""));
                !r)
                return r;
        }
        return {};
    }

    Resultado<> lotes() {
        for (const LoteDemo& l : Lotes)
            if (auto r =
                    inserir(QStringLiteral("TabLotes"),
                            Registo()("Produto", l.produto)("Codigo", l.codigo)("Descricao", l.codigo)(
                                "DataFabrico", data(l.anoFabrico, l.diaFabrico))(
                                "DataValidade", data(l.anoValidade, l.diaValidade))("Observa", "")(
                                "Bloqueado", 0)("Saft_ArcNo", "")("Utilizador", "01")("DataSys", m_agora));
                !r)
                return r;
        return {};
    }

    Resultado<> utilizadores() {
        // The supervisor was made with the company; the operator may enter this program.
        if (auto r = inserirUtilizador(m_db, QStringLiteral("02"), QStringLiteral("Operador"),
                                       QStringLiteral("operador2026"), QStringLiteral("001"));
            !r)
            return r;
        return inserir(QStringLiteral("Acessos"),
                       Registo()("utilizador", "02")("chave", "WLumoProd")("value", 1)("chave1", "")(
                           "form", "")("ctrl", "")("caption", "")("ctrlcap", ""));
    }

    const LoteDemo* lote(const QString& codigo) const {
        for (const LoteDemo& l : Lotes)
            if (QLatin1String(l.codigo) == codigo)
                return &l;
        return nullptr;
    }

    // One ledger row of the demo, with the columns a posting would complete.
    Registo linhaStock(const QString& produto, const QString& tipo, const QString& numero, const QString& dataDoc,
                       const Currency& quantidade, const QString& armazem, const QString& localizacao,
                       const QString& codigoLote, const QString& afecta, const QString& obs, const QString& identifica) {
        const Currency preco = m_custos.value(produto);
        const Currency valor = quantidade.multiply(preco, Currency::Arredondamento::MetadeAfastaDeZero)
                                   .rounded(2, Currency::Arredondamento::MetadeAfastaDeZero);
        const LoteDemo* l = codigoLote.isEmpty() ? nullptr : lote(codigoLote);
        const QString fabrico = l ? data(l->anoFabrico, l->diaFabrico) : QString();
        const QString validade = l ? data(l->anoValidade, l->diaValidade) : QString();
        const QVariant p = preco.toVariant();
        Registo r;
        r("Codigo", produto)("Descricao", m_descricoes.value(produto))("Tipo", tipo)("Numero", numero)(
            "Ano", dataDoc.left(4))("Data", dataDoc)("Preco", p)("QuantNormal", quantidade.toVariant())(
            "QuantConvert", quantidade.toVariant());
        for (const char* zero :
             {"ValorIva", "IvaTaxa", "DescontoPer1", "DescontoPer2", "DescontoPer3", "DescontoPerGeral",
              "ValDescontoGeral", "ValDesconto1", "ValDesconto2", "ValDesconto3", "TotalDesconto", "ValDespesa",
              "DespesaPer", "Portes", "ComissaoPer", "OutUniQuant"})
            r(QLatin1String(zero), "0");
        r("ValorIliq", valor.toVariant())("PrecoAplicado", p)("PMCusto", p)("UPCompra", p)("UPCusto", p)(
            "Armazem_PMCusto", p)("Armazem_UPCompra", p)("Armazem_UPCusto", p)("UPCustoFicha", p);
        r("Terceiro", "")("CliFor", "")("Unidade", m_unidades.value(produto))("Armazem", armazem)("ArmazemDest", "")(
            "AfectaCli", "NA")("AfectaFor", "NA")("AfectaStk", afecta)("Caixa", "NA")("Aplic", "ST")(
            "Localizacao", localizacao)("Lote", codigoLote)("DataFabrico", fabrico)("DataValidade", validade)(
            "Fechado", "")("ProdDiversos", "0")("ValCambio", "1")("Sinal", 1)("CalculoFacturaDesconto", 0)(
            "ObsLinha", obs)("Utilizador", "01")("DataSys", m_agora)("Hora", m_hora)("Identifica", identifica)(
            "ProdutoCarregado", produto)("Estado", "N")("Estado_DataSys", m_agora)("Estado_Motivo", "")(
            "Estado_Utilizador", "01");
        return r;
    }

    Resultado<> stockInicial() {
        const QString numero = QStringLiteral("00000001");
        const QString dataDoc = data(0, "01-01");
        for (const StockInicialDemo& s : stockInicialDemo())
            if (auto gravado = inserir(QStringLiteral("MovProduto"),
                                       linhaStock(s.produto, QLatin1String(TipoSaldoInicial), numero, dataDoc,
                                                  s.quantidade, s.armazem, s.localizacao, s.lote, QStringLiteral("E+"),
                                                  QStringLiteral("Saldo inicial"), QUuid::createUuid().toString()));
                !gravado)
                return gravado;
        return {};
    }

    // An open production process that has collected material over two days (one return), so the
    // process windows and a closing run have something to show.
    Resultado<> processoEmCurso() {
        const QString processo = QStringLiteral("1");
        if (auto r = inserir(QStringLiteral("Prod_Processos"),
                             Registo()("Processo", processo)("Descricao", "Roupeiro por medida - Cliente Silva")(
                                 "DescricaoExtensa", "Roupeiro de duas portas em pinho, feito por medida.")(
                                 "DataInicio", data(0, "01-02"))("DataPrevista", data(0, "01-20"))(
                                 "DataEncerramento", "")("TipoEncerramento", "")("NumeroEncerramento", ""));
            !r)
            return r;
        QHash<QString, StockInicialDemo> origem;
        for (const StockInicialDemo& s : stockInicialDemo())
            origem.insert(s.produto, s);
        struct Mov {
            const char *produto, *dia, *quantidade;
        };
        const Mov movimentos[] = {{"MP004", "01-05", "3"}, {"MP013", "01-05", "4"}, {"MP010", "01-06", "4"},
                                  {"MP010", "01-07", "-1"}};
        int saidas = 0, devolucoes = 0;
        for (const Mov& m : movimentos) {
            const QString produto = QLatin1String(m.produto);
            const StockInicialDemo& s = origem[produto];
            const Currency q = Currency::fromString(QLatin1String(m.quantidade));
            const bool saida = !q.isNegative();
            const QString tipo = saida ? QStringLiteral("SPP") : QStringLiteral("DPP");
            const QString numero = QStringLiteral("%1").arg(saida ? ++saidas : ++devolucoes, 8, 10, QChar(u'0'));
            const QString dia = data(0, m.dia);
            const QString identifica = QUuid::createUuid().toString().toUpper();
            const Currency preco = m_custos.value(produto);
            const Currency valor = q.abs().multiply(preco, Currency::Arredondamento::MetadeAfastaDeZero)
                                       .rounded(2, Currency::Arredondamento::MetadeAfastaDeZero);
            if (auto r = inserir(QStringLiteral("MovProduto"),
                                 linhaStock(produto, tipo, numero, dia, q.abs(), s.armazem, s.localizacao, s.lote,
                                            saida ? QStringLiteral("S+") : QStringLiteral("S-"),
                                            QStringLiteral("Ref. Processo de Produção nº %1").arg(processo), identifica));
                !r)
                return r;
            if (auto r = inserir(QStringLiteral("Prod_ProcessosMov"),
                                 Registo()("Processo", processo)("IdentificaMovPro", identifica)("Data", dia)(
                                     "Produto", produto)("ProdutoDescricao", m_descricoes.value(produto))(
                                     "Armazem", s.armazem)("Localizacao", s.localizacao)("Lote", s.lote)("Estacao", "")(
                                     "Sexo", "")("Referencia", "")("Modelo", "")("Cor", "")("Tamanho", "")(
                                     "Comprimento", "")("Fornece", "")(
                                     "ValorIliq", (saida ? valor : -valor).toVariant())("Quantidade", q.toVariant())(
                                     "Preco", preco.toVariant())("Unidade", m_unidades.value(produto))("Observa", ""));
                !r)
                return r;
        }
        for (auto [tipo, n] : {std::pair{"SPP", saidas}, {"DPP", devolucoes}})
            if (!m_db.exec(QStringLiteral("UPDATE TabTipoMov SET UltNumero=? WHERE Codigo=?"),
                           {QStringLiteral("%1").arg(n, 8, 10, QChar(u'0')), QLatin1String(tipo)}))
                return Falha(m_db.lastError());
        return {};
    }

    // A machine taken in to be dismantled: deregistration due 30 days after its acquisition, the
    // supervisor warned; its parts come out of instant runs that name it.
    Resultado<> equipamento() {
        const QString aquisicao = data(0, "01-03");
        const QString aviso = QDate::fromString(aquisicao, Qt::ISODate).addDays(30).toString(Qt::ISODate);
        return inserir(QStringLiteral("Prod_Equipamentos"),
                       Registo()("Codigo", "SERRA-01")("Descricao", "Serra de fita industrial (para desmantelar)")(
                           "DataAquisicao", aquisicao)("DataAbate", "")("DataDespoluimento", "")(
                           "DataDesmantelamento", "")("DataCertDest", "")(
                           "ValorAquisicao", Currency(350).toVariant())("ValorDesmantelamento", Currency(120).toVariant())(
                           "Observacao", "")("AvisoDiasAbate", 30)("AvisoDiasDespoluimento", 15)(
                           "AvisoDiasDesmantelamento", 15)("AvisoUtilizadorAbate", "01")(
                           "AvisoUtilizadorDespoluimento", "01")("AvisoUtilizadorDesmantelamento", "01")(
                           "AvisoAbate", aviso)("AvisoDespoluimento", "")("AvisoDesmantelamento", "")(
                           "Utilizadores", "")("Utilizador", "01")("DataSys", m_agora));
    }

    // A wardrobe made to measure: its base is 2000 x 1000 mm; the side panels follow the height, the
    // shelves the width, hinges and handles are fixed.
    Resultado<> medicoes() {
        const ProdutoDemo roupeiro{"PA005", "Roupeiro por medida", "UN", "02", "05", "520.0000", 0, 0, 0};
        const Currency custo = Currency::fromString(QStringLiteral("95"));
        if (auto r = inserirProduto(roupeiro, custo, Currency::fromString(QLatin1String(roupeiro.preco))); !r)
            return r;
        if (!m_db.exec(QStringLiteral("UPDATE Produtos SET Medic='1' WHERE Codigo='PA005'")))
            return Falha(m_db.lastError());
        struct Linha {
            const char *prima, *quantidade, *tipo, *medida;
        };
        for (const Linha& l : {Linha{"MP003", "2", "A", "1"}, Linha{"MP001", "4", "L", "1"}, Linha{"MP010", "4", "F", "1"},
                               Linha{"MP011", "2", "F", "1"}})
            if (auto r = inserir(QStringLiteral("NomenclaturaMedicoes"),
                                 Registo()("ProdutoAcabado", "PA005")("Altura", Currency(2000).toVariant())(
                                     "Largura", Currency(1000).toVariant())("ArmazemEntrada", "002")(
                                     "ProdutoMPrima", l.prima)("Quantidade", Currency::fromString(QLatin1String(l.quantidade)).toVariant())(
                                     "TipoMedida", l.tipo)("Medida", Currency::fromString(QLatin1String(l.medida)).toVariant())(
                                     "ArmazemSaida", "001")("Utilizador", "01")("DataSys", m_agora));
                !r)
                return r;
        return {};
    }

    // Two label sheets: an A4 of 24 price labels with the product's EAN-13, and lot labels with a
    // QR code; every product gets an EAN-13 of its own and the dining table a picture.
    Resultado<> etiquetas() {
        const QString precos = QStringLiteral("1;Arial;9;0;0;;[Descricao];;0;0/"
                                              "2;Arial;10;1;0;;Preço: [PrecoVenda1] €;;0;0/"
                                              "3;Arial;8;0;0;;[Código de Barras];;0;0/");
        const QString lotes = QStringLiteral("1;Arial;10;1;0;;[Descricao];;0;0/"
                                             "2;Arial;9;0;0;;Lote: [Lote];;0;0/"
                                             "3;Arial;8;0;0;;[Código de Barras - Dinâmico];;0;0/");
        struct Folha {
            const char *codigo, *descricao;
            int colunas, linhas, largura, altura, distH, distV, margemX, margemY, interior, salto, layout, tipo,
                compCodBar, altCodBar;
            QString campos;
        };
        const Folha folhas[] = {
            {"A4-3X8", "A4 - 3 x 8 etiquetas de preço (EAN-13)", 3, 8, 64, 34, 2, 0, 7, 13, 2, 5, 0, 1, 40, 12, precos},
            {"QR-LOTE", "A4 - 2 x 5 etiquetas de lote (QR Code)", 2, 5, 96, 55, 2, 2, 8, 10, 3, 5, 1, 9, 30, 30, lotes},
        };
        for (const Folha& f : folhas)
            if (auto r = inserir(
                    QStringLiteral("etiquetas"),
                    Registo()("Codigo", f.codigo)("Descricao", QString::fromUtf8(f.descricao))("NumEtiqHoriz", f.colunas)(
                        "NumEtiqVert", f.linhas)("DistEntreEtiqHoriz", f.distH)("DistentreEtiqvert", f.distV)(
                        "AlturaEtiq", f.altura)("LarguraEtiq", f.largura)("MargemX", f.margemX)("MargemY", f.margemY)(
                        "MargemXI", f.interior)("MargemYI", f.interior)("Salto", f.salto)("campos", f.campos)(
                        "ArredondaPreco", 2)("arredondaprecoCorta", 0)("EtiquetaComXY", 0)("TipoCodigoBarras", f.tipo)(
                        "LayoutCodigoBarras", f.layout)("AltCodBar", f.altCodBar)("CompCodBar", f.compCodBar)(
                        "TipoPapel", 0)("AlturaPapel", 297)("LarguraPapel", 210)("FicheiroBase", "P")(
                        "PrecosComIvaInc", 0)("ImprimeCaixaContorno", 0));
                !r)
                return r;

        QStringList produtos;
        if (!m_db.percorrer(QStringLiteral("SELECT Codigo FROM Produtos ORDER BY Codigo"), {},
                            [&](const QSqlQuery& q) { produtos << q.value(0).toString(); }))
            return Falha(m_db.lastError());
        int n = 0;
        for (const QString& produto : produtos) {
            ++n;
            if (m_db.primeiraLinha(QStringLiteral("SELECT CodigoBarras FROM ProdutosCodigosBarras WHERE ProdutoBase=?"),
                                   {produto}))
                continue;
            // Portuguese prefix 560, the maker's number, the product's place.
            if (auto r = inserir(QStringLiteral("ProdutosCodigosBarras"),
                                 Registo()("CodigoBarras", ean13(QStringLiteral("56078412") +
                                                                 QString::number(n).rightJustified(4, u'0')))(
                                     "ProdutoBase", produto));
                !r)
                return r;
        }
        return inserir(QStringLiteral("Imagens"),
                       Registo()("Tabela", "Produtos")("Codigo", "PA001")("Chave", "")("Utilizador", "01")(
                           "Fechado", "S")("Imagem", imagemMesa())("Nome", "PA001.png")("DataSys", m_agora));
    }

    // The twelve digits with their EAN-13 check digit.
    static QString ean13(const QString& doze) {
        int soma = 0;
        for (int i = 0; i < 12; ++i)
            soma += (doze[i].unicode() - '0') * ((i % 2) ? 3 : 1);
        return doze + QString::number((10 - soma % 10) % 10);
    }

    // A small picture of the dining table, made here as a PNG (the company layer has no painter).
    static QByteArray imagemMesa() {
        constexpr int lado = 48;
        QByteArray pixeis;
        for (int y = 0; y < lado; ++y) {
            pixeis.append(char(0)); // no filter
            for (int x = 0; x < lado; ++x) {
                const bool tampo = y >= 14 && y < 20 && x >= 4 && x < 44;
                const bool perna = y >= 20 && y < 42 && ((x >= 7 && x < 11) || (x >= 37 && x < 41));
                const bool veio = tampo && (x + y * 3) % 9 == 0;
                const int r = veio ? 0x6b : tampo || perna ? 0x8b : 0xf4;
                const int g = veio ? 0x3f : tampo || perna ? 0x5a : 0xee;
                const int b = veio ? 0x1d : tampo || perna ? 0x2b : 0xe0;
                pixeis.append(char(r)).append(char(g)).append(char(b));
            }
        }
        auto bloco = [](const char* tipo, const QByteArray& dados) {
            QByteArray b(4, '\0');
            qToBigEndian<quint32>(quint32(dados.size()), b.data());
            const QByteArray corpo = QByteArray(tipo, 4) + dados;
            QByteArray crc(4, '\0');
            qToBigEndian<quint32>(crc32(corpo), crc.data());
            return b + corpo + crc;
        };
        QByteArray cabecalho(13, '\0');
        qToBigEndian<quint32>(lado, cabecalho.data());
        qToBigEndian<quint32>(lado, cabecalho.data() + 4);
        cabecalho[8] = 8;  // bits per channel
        cabecalho[9] = 2;  // RGB
        // qCompress gives a zlib stream after its own 4-byte length.
        return QByteArray("\x89PNG\r\n\x1a\n", 8) + bloco("IHDR", cabecalho) + bloco("IDAT", qCompress(pixeis).mid(4)) +
               bloco("IEND", {});
    }

    static quint32 crc32(const QByteArray& dados) {
        quint32 c = 0xffffffffu;
        for (const char ch : dados) {
            c ^= quint8(ch);
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
        }
        return c ^ 0xffffffffu;
    }

    Database& m_db;
    int m_ano;
    QVariant m_agora;
    QString m_hora;
    QHash<QString, Currency> m_custos;
    QHash<QString, QString> m_descricoes;
    QHash<QString, QString> m_unidades;
};

} // namespace

QList<StockInicialDemo> stockInicialDemo() {
    auto q = [](const char* t) { return Currency::fromString(QLatin1String(t)); };
    return {
        {"MP001", "001", "00002", "", q("180")},
        {"MP002", "001", "00002", "", q("95.50")},
        {"MP003", "001", "00003", "", q("24")},
        {"MP004", "001", "00003", "", q("12")},
        {"MP005", "001", "00003", "CV-0118", q("12.50")},
        {"MP005", "001", "00003", "CV-0207", q("20")},
        {"MP006", "001", "00003", "VA-0931", q("8")},
        {"MP006", "001", "00003", "VA-1102", q("15")},
        {"MP007", "003", "00004", "OL-2511", q("6")},
        {"MP007", "003", "00004", "OL-2512", q("4.50")},
        {"MP008", "001", "00002", "", q("2500")},
        {"MP009", "001", "00002", "", q("1800")},
        {"MP010", "001", "00002", "", q("120")},
        {"MP011", "001", "00002", "", q("60")},
        {"MP012", "003", "00006", "", q("75")},
        {"MP013", "001", "00002", "", q("40")},
        {"PA002", "002", "00005", "", q("8")},
        {"PA004", "002", "00005", "", q("2")},
    };
}

Resultado<bool> criarEmpresaDemo(const ConnectionParams& servidor, const QString& codigo) {
    if (AdminServidor::existeBaseDados(servidor, nomeBaseDadosEmpresa(codigo)))
        return false;
    NovaEmpresa nova;
    nova.codigo = codigo;
    nova.nome = QString::fromUtf8(NomeDemo);
    nova.ano = QDate::currentDate().year();
    nova.passwordSupervisor = QStringLiteral("lumo2026");
    if (auto r = criarEmpresa(servidor, nova,
                              [&nova](Database& db) { return PreenchimentoDemo(db, nova.ano).executar(); });
        !r)
        return r.falha();
    return true;
}

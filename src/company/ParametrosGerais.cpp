#include "company/ParametrosGerais.h"

#include "common/Currency.h"
#include "common/UserInteraction.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "company/ParametrosEmpresa.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

using Texto = QString GlobalContext::*;
using Inteiro = int GlobalContext::*;
using Valor = Currency GlobalContext::*;

struct CampoTexto {
    const char* coluna;
    Texto campo;
};
struct CampoInteiro {
    const char* coluna;
    Inteiro campo;
};
struct CampoValor {
    const char* coluna;
    Valor campo;
};

using G = GlobalContext;

const CampoValor ValoresParamGeral[] = {{"taxajuromora", &G::taxajuromora},
                                        {"impostoselo", &G::impostoselo},
                                        {"LimiteRecapitulativos", &G::LimiteRecapitulativos}};

const CampoTexto TextosParamGeral[] = {{"tipojuromora", &G::tipojuromora},
                                       {"tipoavencas", &G::tipoavencas},
                                       {"txivaavencas", &G::txivaavencas},
                                       {"cambiodef", &G::cambiodef},
                                       {"cambioeuro", &G::cambioeuro},
                                       {"MensagCli", &G::MensagCli},
                                       {"Mensagfor", &G::Mensagfor},
                                       {"Mensagpro", &G::Mensagpro},
                                       {"MensagproPMC", &G::MensagproPMC},
                                       {"controlaquant", &G::controlaquant},
                                       {"docaberto", &G::docaberto},
                                       {"clidiversos", &G::clidiversos},
                                       {"forndiversos", &G::forndiversos},
                                       {"proddiversos", &G::proddiversos},
                                       {"proddiversos2", &G::proddiversos2},
                                       {"AnoCalculo", &G::AnoCalculo},
                                       {"ano", &G::ano},
                                       {"mes", &G::mes},
                                       {"controlaano", &G::controlaano},
                                       {"controlames", &G::controlames},
                                       {"AfectaDep", &G::AfectaDep},
                                       {"AfectaLev", &G::AfectaLev}};

const CampoInteiro InteirosParamGeral[] = {{"registosVisualizar", &G::registosVisualizar},
                                           {"casadec", &G::casadec},
                                           {"casadecpreco", &G::casadecpreco},
                                           {"casadecquant", &G::casadecquant},
                                           {"casadecquantOutUni", &G::casadecquantOutUni},
                                           {"ActualizaUPC", &G::ActualizaUPC},
                                           {"zerarclientes", &G::zerarclientes},
                                           {"zerarfornece", &G::zerarfornece},
                                           {"zerarproduto", &G::zerarproduto},
                                           {"ControlaProdutoFornecedor", &G::ControlaProdutoFornecedor},
                                           {"cliarrevalor", &G::cliarrevalor},
                                           {"cliarreiva", &G::cliarreiva},
                                           {"cliarredesc", &G::cliarredesc},
                                           {"cliarremerlin", &G::cliarremerlin},
                                           {"cliarredesclin", &G::cliarredesclin},
                                           {"cliarreivalin", &G::cliarreivalin},
                                           {"cliarremergeral", &G::cliarremergeral},
                                           {"cliarredescgeral", &G::cliarredescgeral},
                                           {"cliarreivageral", &G::cliarreivageral},
                                           {"cliarretotalgeral", &G::cliarretotalgeral},
                                           {"clidecvalor", &G::clidecvalor},
                                           {"clideciva", &G::clideciva},
                                           {"clidecdesc", &G::clidecdesc},
                                           {"clidecmerlin", &G::clidecmerlin},
                                           {"clidecdesclin", &G::clidecdesclin},
                                           {"clidecivalin", &G::clidecivalin},
                                           {"clidecmergeral", &G::clidecmergeral},
                                           {"clidecdescgeral", &G::clidecdescgeral},
                                           {"clidecivageral", &G::clidecivageral},
                                           {"clidectotalgeral", &G::clidectotalgeral},
                                           {"forarrevalor", &G::forarrevalor},
                                           {"forarreiva", &G::forarreiva},
                                           {"forarredesc", &G::forarredesc},
                                           {"forarremerlin", &G::forarremerlin},
                                           {"forarredesclin", &G::forarredesclin},
                                           {"forarreivalin", &G::forarreivalin},
                                           {"forarremergeral", &G::forarremergeral},
                                           {"forarredescgeral", &G::forarredescgeral},
                                           {"forarreivageral", &G::forarreivageral},
                                           {"forarretotalgeral", &G::forarretotalgeral},
                                           {"fordecvalor", &G::fordecvalor},
                                           {"fordeciva", &G::fordeciva},
                                           {"fordecdesc", &G::fordecdesc},
                                           {"fordecmerlin", &G::fordecmerlin},
                                           {"fordecdesclin", &G::fordecdesclin},
                                           {"fordecivalin", &G::fordecivalin},
                                           {"fordecmergeral", &G::fordecmergeral},
                                           {"fordecdescgeral", &G::fordecdescgeral},
                                           {"fordecivageral", &G::fordecivageral},
                                           {"fordectotalgeral", &G::fordectotalgeral},
                                           {"caidecmergeral", &G::caidecmergeral},
                                           {"caidecdescgeral", &G::caidecdescgeral},
                                           {"caidecivageral", &G::caidecivageral},
                                           {"caidectotalgeral", &G::caidectotalgeral},
                                           {"caiarremergeral", &G::caiarremergeral},
                                           {"caiarredescgeral", &G::caiarredescgeral},
                                           {"caiarreivageral", &G::caiarreivageral},
                                           {"caiarretotalgeral", &G::caiarretotalgeral},
                                           {"banarre", &G::banarre},
                                           {"bandec", &G::bandec},
                                           {"prontovestir", &G::prontovestir},
                                           {"Lotes", &G::Lotes}};

const char* const ColunasDimensoes[] = {"NomeEstacao", "NomeSexo",    "NomeReferencia", "NomeModelo",
                                        "NomeCor",     "NomeTamanho", "NomeComprimento"};

const CampoTexto TextosUtilConfGeral[] = {
    {"armazem", &G::armazem}, {"caixa", &G::caixa}, {"tipofac", &G::tipofac}};

const CampoTexto LinhasArmazem[] = {{"linha2", &G::linha2}, {"linha3", &G::linha3}, {"linha4", &G::linha4},
                                    {"linha5", &G::linha5}, {"linha6", &G::linha6}, {"linha7", &G::linha7}};

// One row of the record, read by column name whatever the case the engine reports it in.
// A column the table does not have leaves the field untouched; a null becomes "" or 0.
class Linha {
public:
    explicit Linha(const QSqlQuery& q) : m_registo(q.record()) {}
    explicit Linha(const QSqlRecord& r) : m_registo(r) {}

    bool tem(const char* coluna) const { return m_registo.indexOf(QLatin1String(coluna)) >= 0; }
    QVariant valor(const char* coluna) const { return m_registo.value(QLatin1String(coluna)); }

    void ler(const char* coluna, QString& destino) const {
        if (tem(coluna))
            destino = valor(coluna).isNull() ? QString() : valor(coluna).toString();
    }
    void ler(const char* coluna, int& destino) const {
        if (tem(coluna))
            destino = inteiro(valor(coluna));
    }
    void ler(const char* coluna, Currency& destino) const {
        if (tem(coluna))
            destino = valor(coluna).isNull() ? Currency() : Currency::fromVariant(valor(coluna));
    }
    // 0 / -1 columns: anything but zero is true.
    void lerBooleano(const char* coluna, bool& destino) const {
        if (tem(coluna))
            destino = inteiro(valor(coluna)) != 0;
    }

    static int inteiro(const QVariant& v) {
        if (v.isNull())
            return 0;
        bool ok = false;
        const int i = v.toInt(&ok);
        if (ok)
            return i;
        // Numeric columns may come back as decimal text ("2.0000").
        return int(Currency::fromVariant(v).rounded(0, Currency::Arredondamento::Trunca).raw() /
                   Currency::Escala);
    }

private:
    QSqlRecord m_registo;
};

// First row of a query, or nullopt when there is none (or the query failed).
std::optional<QSqlQuery> primeiraLinha(Database& bd, const QString& sql, const QVariantList& valores = {}) {
    auto q = bd.query(sql + bd.dialect().limite(1), valores);
    if (!q || !q->next())
        return std::nullopt;
    return q;
}

bool tabelaVazia(Database& bd, const QString& tabela) {
    return !primeiraLinha(bd, QStringLiteral("SELECT 1 FROM ") + tabela);
}

bool temConfiguracao(Database& bd, const QString& utilizador) {
    return primeiraLinha(bd, QStringLiteral("SELECT 1 FROM UtilConfGeral WHERE utilizador = ?"), {utilizador})
        .has_value();
}

} // namespace

void CarregaParametrosGerais(GlobalContext& ctx) {
    if (!ctx.LigacaoEmpresa)
        return;
    Database& bd = ctx.bd();

    if (const auto r = LerRegistoParamGeral(bd)) {
        const Linha l(*r);
        for (const auto& c : ValoresParamGeral)
            l.ler(c.coluna, ctx.*c.campo);
        for (const auto& c : TextosParamGeral)
            l.ler(c.coluna, ctx.*c.campo);
        for (const auto& c : InteirosParamGeral)
            l.ler(c.coluna, ctx.*c.campo);
        l.lerBooleano("GridLine", ctx.GridLine);
        l.lerBooleano("ContinuaAdicionar", ctx.ContinuaAdicionar);
        for (int i = 0; i < 7; ++i)
            l.ler(ColunasDimensoes[i], ctx.NomesDimensoes[i + 1]);
        if (l.tem("ImpCabecalhos"))
            ctx.ImpCabecalhos = l.valor("ImpCabecalhos").toString() == QStringLiteral("1");
    }

    if (auto q = primeiraLinha(
            bd, QStringLiteral("SELECT * FROM UtilConfGeral WHERE utilizador = ? ORDER BY NumRegisto"),
            {ctx.CodigoUtilizador})) {
        const Linha l(*q);
        for (const auto& c : TextosUtilConfGeral)
            l.ler(c.coluna, ctx.*c.campo);
    }

    if (auto q =
            primeiraLinha(bd, QStringLiteral("SELECT * FROM Armazens WHERE codigo = ? ORDER BY NumRegisto"),
                          {ctx.armazem})) {
        const Linha l(*q);
        for (const auto& c : LinhasArmazem)
            l.ler(c.coluna, ctx.*c.campo);
    }
}

void CarregaCasasDecProducao(GlobalContext& ctx) {
    if (!ctx.LigacaoEmpresa)
        return;
    if (auto q =
            primeiraLinha(ctx.bd(), QStringLiteral("SELECT CasasDec FROM configProd ORDER BY NumRegisto")))
        ctx.casasdecProducao = Linha::inteiro(q->value(0));
}

bool VerificaConfiguracao(GlobalContext& ctx, UserInteraction& ui) {
    using Icone = UserInteraction::Icone;
    auto aviso = [&ui](const QString& texto, Icone icone = Icone::Informacao) {
        ui.mensagem(texto, icone);
        return false;
    };
    if (!ctx.LigacaoEmpresa)
        return false;
    Database& bd = ctx.bd();

    if (tabelaVazia(bd, QStringLiteral("Localizacao")))
        return aviso(QStringLiteral("Não tem Localizações definidas!"), Icone::Critico);

    const struct {
        const QString& valor;
        const char* texto;
    } obrigatorios[] = {{ctx.cambiodef, "Não tem Câmbio de Moeda Nacional Definido!"},
                        {ctx.cambioeuro, "Não tem Câmbio de Moeda Europeia Definido!"},
                        {ctx.ano, "Não tem o Ano Definido!"},
                        {ctx.mes, "Não tem o Mês Definido!"},
                        {ctx.SimboloPesquisa, "Não tem o Simbolo Definido!"},
                        {ctx.armazem, "Não tem o Armazém Definido!"},
                        {ctx.caixa, "Não tem o Caixa Definido!"}};
    for (const auto& o : obrigatorios) {
        if (o.valor.trimmed().isEmpty())
            return aviso(QString::fromUtf8(o.texto));
    }

    if (tabelaVazia(bd, QStringLiteral("Armazens")))
        return aviso(QStringLiteral("Tem que definir os Armazens!"));
    if (tabelaVazia(bd, QStringLiteral("UtilConfGeral")))
        return aviso(QStringLiteral("Tem que Configurar os Utilizadores!"));

    auto semConfiguracao = [&](const QString& codigo) {
        return aviso(QStringLiteral("Tem que Configurar o Utilizador -> ") + codigo + QStringLiteral(" !"));
    };
    if (ctx.CodigoUtilizador == QStringLiteral("01")) {
        // The supervisor answers for everybody: the first user (by code) without a row is named.
        // The codes are read to the end first: on PostgreSQL a second query on the same connection
        // would cut short the rows still to come.
        QStringList codigos;
        if (auto q =
                bd.query(QStringLiteral("SELECT Codigo FROM Utilizador WHERE Codigo <> ? ORDER BY Codigo"),
                         {QStringLiteral("00")})) {
            while (q->next())
                codigos << q->value(0).toString();
        }
        for (const QString& codigo : codigos) {
            if (!temConfiguracao(bd, codigo))
                return semConfiguracao(codigo);
        }
    } else if (!temConfiguracao(bd, ctx.CodigoUtilizador)) {
        return semConfiguracao(ctx.CodigoUtilizador);
    }
    return true;
}

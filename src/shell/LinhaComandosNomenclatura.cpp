// Bills of materials on the command line: one bill exported to a JSON file and imported into
// the same or another company, so that bills can be kept in version control.

#include "production/Nomenclatura.h"
#include "shell/Empresas.h"
#include "shell/GlobalContext.h"
#include "shell/LinhaComandosCli.h"
#include "shell/SessaoCli.h"
#include "shell/LogGeral.h"
#include "shell/Mavo.h"
#include "shell/ParametrosGerais.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>
#include <QSqlQuery>
#include <QSysInfo>

namespace {

bool falhar(QString& erro, const QString& texto) {
    erro = texto;
    return false;
}

// The session and a check of a code in one of two fixed tables.
struct Sessao : SessaoCli {
    bool existe(const QString& tabela, const QString& codigo) {
        // Table names come from the two fixed callers below.
        return ctx.bd().primeiraLinha(QStringLiteral("SELECT Codigo FROM %1 WHERE Codigo=?").arg(tabela), {codigo}).has_value();
    }
};

QJsonObject paraJson(const std::vector<LinhaNomenclatura>& linhas) {
    const LinhaNomenclatura& c = linhas.front();
    QJsonArray l;
    for (const LinhaNomenclatura& n : linhas)
        l.append(QJsonObject{{"produto", n.produtoPrima},
                             {"descricao", n.descProdutoPrima},
                             {"quantidade", n.quantidade.toString()},
                             {"preco", n.preco.toString()},
                             {"armazem", n.armazem},
                             {"observa", n.observa},
                             {"precario", n.precario},
                             {"factor", n.factor.toString()},
                             {"formula", n.factorFormula}});
    return QJsonObject{{"produtoAcabado", c.produtoAcabado},
                       {"descricao", c.descProdutoAcabado},
                       {"fixa", c.fixa},
                       {"ctrlQuantidades", c.ctrlQuantidades},
                       {"precoProdutoAcabado", c.produtoAcabadoPreco.toString()},
                       {"linhas", l}};
}

// Amounts travel as text so that they are read exactly; plain JSON numbers are accepted too.
bool montante(const QJsonObject& o, const char* chave, Currency& valor, QString& erro, const QString& onde) {
    const QJsonValue v = o.value(QLatin1String(chave));
    if (v.isUndefined() || v.isNull()) {
        valor = Currency();
        return true;
    }
    const std::optional<Currency> c = v.isString() ? Currency::parse(v.toString())
                                      : v.isDouble() ? Currency::parse(QString::number(v.toDouble(), 'f', 6))
                                                     : std::nullopt;
    if (!c)
        return falhar(erro, QStringLiteral("Valor inválido em \"%1\" (%2).").arg(QLatin1String(chave), onde));
    valor = *c;
    return true;
}

bool exportar(Sessao& s, const PedidoCli& p, const QString& ficheiro, QJsonValue& resultado, QString& erro) {
    const QString produto = Mavo(s.ctx).Zerar_Produto_str(p.opcao(QStringLiteral("produto")).trimmed());
    if (produto.isEmpty())
        return falhar(erro, QStringLiteral("Falta o produto acabado (--produto CODIGO)."));
    bool ok = false;
    const auto linhas = LerNomenclatura(s.ctx.bd(), produto, &ok);
    if (!ok)
        return falhar(erro, s.ctx.bd().lastError());
    if (linhas.empty())
        return falhar(erro, QStringLiteral("O produto %1 não tem nomenclatura.").arg(produto));
    QSaveFile f(ficheiro);
    if (!f.open(QIODevice::WriteOnly))
        return falhar(erro, QStringLiteral("Não foi possível escrever o ficheiro %1.").arg(ficheiro));
    f.write(QJsonDocument(paraJson(linhas)).toJson(QJsonDocument::Indented));
    if (!f.commit())
        return falhar(erro, QStringLiteral("Não foi possível escrever o ficheiro %1.").arg(ficheiro));
    resultado = QJsonObject{{"produtoAcabado", produto}, {"linhas", int(linhas.size())}, {"ficheiro", ficheiro}};
    return true;
}

bool importar(Sessao& s, const PedidoCli& p, const QString& ficheiro, QJsonValue& resultado, QString& erro) {
    QFile f(ficheiro);
    if (!f.open(QIODevice::ReadOnly))
        return falhar(erro, QStringLiteral("Não foi possível ler o ficheiro %1.").arg(ficheiro));
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &pe);
    if (!doc.isObject())
        return falhar(erro, QStringLiteral("O ficheiro não contém uma nomenclatura em JSON: %1").arg(pe.errorString()));
    const QJsonObject o = doc.object();
    const QString substituir = p.opcao(QStringLiteral("substituir")).trimmed().toLower();
    if (!substituir.isEmpty() && substituir != QStringLiteral("sim") && substituir != QStringLiteral("nao") &&
        substituir != QStringLiteral("não"))
        return falhar(erro, QStringLiteral("--substituir aceita \"sim\" ou \"não\"."));
    Database& db = s.ctx.bd();
    Mavo mavo(s.ctx);
    const QString pa = mavo.Zerar_Produto_str(o.value("produtoAcabado").toString().trimmed());
    if (pa.isEmpty() || !s.existe(QStringLiteral("Produtos"), pa))
        return falhar(erro, QStringLiteral("Produto acabado inexistente: %1").arg(pa));
    const QJsonArray arr = o.value("linhas").toArray();
    if (arr.isEmpty())
        return falhar(erro, QStringLiteral("A nomenclatura não tem linhas."));
    LinhaNomenclatura cab;
    cab.produtoAcabado = pa;
    cab.descProdutoAcabado = o.value("descricao").toString();
    if (cab.descProdutoAcabado.trimmed().isEmpty())
        cab.descProdutoAcabado = db.scalar(QStringLiteral("SELECT Descricao FROM Produtos WHERE Codigo=?"), {pa}).toString();
    cab.fixa = o.value("fixa").toBool();
    cab.ctrlQuantidades = o.value("ctrlQuantidades").toBool();
    if (!montante(o, "precoProdutoAcabado", cab.produtoAcabadoPreco, erro, QStringLiteral("cabeçalho")))
        return false;
    // Every line is checked before anything is written.
    std::vector<LinhaNomenclatura> linhas;
    QSet<QString> vistos;
    for (qsizetype i = 0; i < arr.size(); ++i) {
        const QJsonObject l = arr[i].toObject();
        const QString onde = QStringLiteral("linha %1").arg(i + 1);
        LinhaNomenclatura n = cab;
        n.produtoPrima = mavo.Zerar_Produto_str(l.value("produto").toString().trimmed());
        if (n.produtoPrima.isEmpty() || !s.existe(QStringLiteral("Produtos"), n.produtoPrima))
            return falhar(erro, QStringLiteral("Produto inexistente na %1: %2").arg(onde, n.produtoPrima));
        if (vistos.contains(n.produtoPrima.toLower()))
            return falhar(erro, QStringLiteral("Produto repetido na %1: %2").arg(onde, n.produtoPrima));
        vistos.insert(n.produtoPrima.toLower());
        n.armazem = l.value("armazem").toString().trimmed();
        if (n.armazem.isEmpty() || !s.existe(QStringLiteral("Armazens"), n.armazem))
            return falhar(erro, QStringLiteral("Armazém inexistente na %1: %2").arg(onde, n.armazem));
        n.descProdutoPrima = l.value("descricao").toString();
        if (n.descProdutoPrima.trimmed().isEmpty())
            n.descProdutoPrima =
                db.scalar(QStringLiteral("SELECT Descricao FROM Produtos WHERE Codigo=?"), {n.produtoPrima}).toString();
        if (!montante(l, "quantidade", n.quantidade, erro, onde) || !montante(l, "preco", n.preco, erro, onde) ||
            !montante(l, "factor", n.factor, erro, onde))
            return false;
        if (n.quantidade.isNegative() || n.preco.isNegative() || n.factor.isNegative())
            return falhar(erro, QStringLiteral("Valor negativo na %1.").arg(onde));
        n.observa = l.value("observa").toString();
        n.precario = l.value("precario").toString(PrecarioPMC);
        if (n.precario != PrecarioPMC && n.precario != PrecarioUPCusto && n.precario != PrecarioUPCompra)
            return falhar(erro, QStringLiteral("Base de preço inválida na %1: %2").arg(onde, n.precario));
        n.factorFormula = l.value("formula").toString(QStringLiteral("A")).trimmed().toUpper();
        if (n.factorFormula != QStringLiteral("A") && n.factorFormula != QStringLiteral("B"))
            return falhar(erro, QStringLiteral("Fórmula inválida na %1: %2").arg(onde, n.factorFormula));
        linhas.push_back(n);
    }
    Transaction t(db);
    if (!t.ok())
        return falhar(erro, db.lastError());
    const bool existe = ExisteNomenclatura(db, pa);
    if (existe && substituir != QStringLiteral("sim"))
        return falhar(erro, QStringLiteral("O produto %1 já tem nomenclatura (use --substituir sim).").arg(pa));
    if (existe && !db.exec(QStringLiteral("DELETE FROM Nomenclatura WHERE ProdutoAcabado=?"), {pa}))
        return falhar(erro, db.lastError());
    for (const LinhaNomenclatura& n : linhas)
        if (GravarLinhaNomenclatura(s.ctx, n) <= 0)
            return falhar(erro, db.lastError().isEmpty() ? QStringLiteral("Não foi possível gravar a nomenclatura.")
                                                         : db.lastError());
    if (!t.commit())
        return falhar(erro, db.lastError());
    resultado = QJsonObject{{"produtoAcabado", pa}, {"linhas", int(linhas.size())}, {"substituida", existe}};
    return true;
}

bool cmdNomenclatura(const PedidoCli& p, QJsonValue& resultado, QString& erro) {
    if (p.argumentos.size() != 2)
        return falhar(erro, QStringLiteral("Uso: nomenclatura exportar|importar FICHEIRO"));
    const QString accao = p.argumentos[0].toLower();
    if (accao != QStringLiteral("exportar") && accao != QStringLiteral("importar"))
        return falhar(erro, QStringLiteral("Acção desconhecida: %1 (exportar ou importar)").arg(p.argumentos[0]));
    Sessao s;
    if (!s.abrir(p, erro))
        return false;
    return accao == QStringLiteral("exportar") ? exportar(s, p, p.argumentos[1], resultado, erro)
                                               : importar(s, p, p.argumentos[1], resultado, erro);
}

} // namespace

std::vector<ComandoCli> comandosNomenclaturaCli() {
    return {{QStringLiteral("nomenclatura"),
             QStringLiteral("nomenclatura exportar|importar FICHEIRO --empresa CODIGO [--produto CODIGO] "
                            "[--substituir sim] [--utilizador CODIGO]"),
             QStringLiteral("Exporta a nomenclatura de um produto acabado para JSON, ou importa-a de um ficheiro."),
             {QStringLiteral("empresa"), QStringLiteral("utilizador"), QStringLiteral("produto"), QStringLiteral("substituir")},
             cmdNomenclatura}};
}

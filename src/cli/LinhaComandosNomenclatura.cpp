// Bills of materials on the command line: one bill exported to a JSON file and imported into
// the same or another company, so that bills can be kept in version control.

#include "common/FicheiroSaida.h"
#include "production/NomenclaturaDados.h"
#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "cli/LeitorJsonCli.h"
#include "cli/LinhaComandosCli.h"
#include "cli/SessaoCli.h"
#include "session/LogGeral.h"
#include "company/Mavo.h"
#include "company/ParametrosGerais.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>
#include <QSqlQuery>
#include <QSysInfo>

namespace {

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

Resultado<QJsonValue> exportar(SessaoCli& s, const PedidoCli& p, const QString& ficheiro) {
    const QString produto = Mavo(s.ctx).Zerar_Produto_str(p.opcao(QStringLiteral("produto")).trimmed());
    if (produto.isEmpty())
        return Falha(QStringLiteral("Falta o produto acabado (--produto CODIGO)."));
    const auto linhas = LerNomenclatura(s.ctx.bd(), produto);
    if (!linhas)
        return linhas.falha();
    if (linhas->empty())
        return Falha(QStringLiteral("O produto %1 não tem nomenclatura.").arg(produto));
    if (auto r = DestinoDeFicheiroValido(ficheiro); !r)
        return r.falha();
    QSaveFile f(ficheiro);
    const QByteArray texto = QJsonDocument(paraJson(*linhas)).toJson(QJsonDocument::Indented);
    if (!f.open(QIODevice::WriteOnly) || f.write(texto) != texto.size() || !f.commit())
        return Falha(QStringLiteral("Não foi possível escrever o ficheiro %1.").arg(ficheiro));
    return QJsonValue(
        QJsonObject{{"produtoAcabado", produto}, {"linhas", int(linhas->size())}, {"ficheiro", ficheiro}});
}

Resultado<QJsonValue> importar(SessaoCli& s, const PedidoCli& p, const QString& ficheiro) {
    const Resultado<ValorJson> doc = lerFicheiroJsonCli(ficheiro);
    if (!doc)
        return doc.falha();
    if (!doc->isObject())
        return Falha(QStringLiteral("O ficheiro deve conter uma nomenclatura (um objecto JSON)."));
    const QString substituir = p.opcao(QStringLiteral("substituir")).trimmed().toLower();
    if (!substituir.isEmpty() && substituir != QStringLiteral("sim") && substituir != QStringLiteral("nao") &&
        substituir != QStringLiteral("não"))
        return Falha(QStringLiteral("--substituir aceita \"sim\" ou \"não\"."));
    Database& db = s.ctx.bd();
    Mavo mavo(s.ctx);
    const ObjectoJsonCli o(*doc, QStringLiteral("cabeçalho"));
    LinhaNomenclatura cab;
    QString pa;
    QList<ValorJson> arr;
    if (auto r = primeiraFalha({o.soChaves({"produtoAcabado", "descricao", "fixa", "ctrlQuantidades",
                                            "precoProdutoAcabado", "linhas"}),
                                o.texto("produtoAcabado", pa, true, 15),
                                o.texto("descricao", cab.descProdutoAcabado, false, 50),
                                o.logico("fixa", cab.fixa), o.logico("ctrlQuantidades", cab.ctrlQuantidades),
                                o.montante("precoProdutoAcabado", cab.produtoAcabadoPreco),
                                o.listaObjectos("linhas", arr, true)});
        !r)
        return r.falha();
    pa = mavo.Zerar_Produto_str(pa);
    if (!s.existe(QStringLiteral("Produtos"), pa))
        return Falha(QStringLiteral("Produto acabado inexistente: %1").arg(citacao(pa)));
    if (arr.isEmpty())
        return Falha(QStringLiteral("A nomenclatura não tem linhas."));
    if (cab.produtoAcabadoPreco.isNegative())
        return Falha(QStringLiteral("O preço do produto acabado não pode ser negativo."));
    cab.produtoAcabado = pa;
    if (cab.descProdutoAcabado.isEmpty())
        cab.descProdutoAcabado = db.scalar(QStringLiteral("SELECT Descricao FROM Produtos WHERE Codigo=?"), {pa}).toString();
    // Every line is checked before anything is written.
    std::vector<LinhaNomenclatura> linhas;
    QSet<QString> vistos;
    for (qsizetype i = 0; i < arr.size(); ++i) {
        const QString onde = QStringLiteral("linha %1").arg(i + 1);
        const ObjectoJsonCli l(arr[i], onde);
        LinhaNomenclatura n = cab;
        n.precario = PrecarioPMC;
        n.factorFormula = QStringLiteral("A");
        if (auto r =
                primeiraFalha({l.soChaves({"produto", "descricao", "quantidade", "preco", "armazem",
                                           "observa", "precario", "factor", "formula"}),
                               l.texto("produto", n.produtoPrima, true, 15),
                               l.texto("descricao", n.descProdutoPrima, false, 50),
                               l.montante("quantidade", n.quantidade, true), l.montante("preco", n.preco),
                               l.montante("factor", n.factor), l.texto("armazem", n.armazem, true, 3),
                               l.texto("observa", n.observa), l.texto("precario", n.precario, false, 15),
                               l.texto("formula", n.factorFormula, false, 1)});
            !r)
            return r.falha();
        n.produtoPrima = mavo.Zerar_Produto_str(n.produtoPrima);
        if (!s.existe(QStringLiteral("Produtos"), n.produtoPrima))
            return Falha(QStringLiteral("Produto inexistente na %1: %2").arg(onde, citacao(n.produtoPrima)));
        if (n.produtoPrima.compare(pa, Qt::CaseInsensitive) == 0)
            return Falha(QStringLiteral("O produto acabado %1 não pode ser matéria-prima de si próprio (%2).")
                             .arg(pa, onde));
        if (vistos.contains(n.produtoPrima.toLower()))
            return Falha(QStringLiteral("Produto repetido na %1: %2").arg(onde, n.produtoPrima));
        vistos.insert(n.produtoPrima.toLower());
        if (!s.existe(QStringLiteral("Armazens"), n.armazem))
            return Falha(QStringLiteral("Armazém inexistente na %1: %2").arg(onde, citacao(n.armazem)));
        if (n.descProdutoPrima.isEmpty())
            n.descProdutoPrima =
                db.scalar(QStringLiteral("SELECT Descricao FROM Produtos WHERE Codigo=?"), {n.produtoPrima}).toString();
        if (n.quantidade <= Currency())
            return Falha(QStringLiteral("A quantidade da %1 deve ser maior que 0.").arg(onde));
        if (n.preco.isNegative() || n.factor.isNegative())
            return Falha(QStringLiteral("Valor negativo na %1.").arg(onde));
        if (n.precario.isEmpty())
            n.precario = PrecarioPMC;
        if (n.precario != PrecarioPMC && n.precario != PrecarioUPCusto && n.precario != PrecarioUPCompra)
            return Falha(QStringLiteral("Base de preço inválida na %1: %2").arg(onde, citacao(n.precario)));
        n.factorFormula = n.factorFormula.isEmpty() ? QStringLiteral("A") : n.factorFormula.toUpper();
        if (n.factorFormula != QStringLiteral("A") && n.factorFormula != QStringLiteral("B"))
            return Falha(QStringLiteral("Fórmula inválida na %1: %2").arg(onde, n.factorFormula));
        linhas.push_back(n);
    }
    Transaction t(db);
    if (!t.ok())
        return Falha(db.lastError());
    const bool existe = ExisteNomenclatura(db, pa);
    if (existe && substituir != QStringLiteral("sim"))
        return Falha(QStringLiteral("O produto %1 já tem nomenclatura (use --substituir sim).").arg(pa));
    if (existe && !db.exec(QStringLiteral("DELETE FROM Nomenclatura WHERE ProdutoAcabado=?"), {pa}))
        return Falha(db.lastError());
    for (const LinhaNomenclatura& n : linhas)
        if (GravarLinhaNomenclatura(s.ctx, n) <= 0)
            return Falha(db.lastError().isEmpty() ? QStringLiteral("Não foi possível gravar a nomenclatura.")
                                                  : db.lastError());
    if (!t.commit())
        return Falha(db.lastError());
    return QJsonValue(
        QJsonObject{{"produtoAcabado", pa}, {"linhas", int(linhas.size())}, {"substituida", existe}});
}

Resultado<QJsonValue> cmdNomenclatura(const PedidoCli& p) {
    if (p.argumentos.size() != 2)
        return Falha(QStringLiteral("Uso: nomenclatura exportar|importar FICHEIRO"));
    const QString accao = p.argumentos[0].toLower();
    if (accao != QStringLiteral("exportar") && accao != QStringLiteral("importar"))
        return Falha(QStringLiteral("Acção desconhecida: %1 (exportar ou importar)").arg(p.argumentos[0]));
    SessaoCli s;
    const bool importa = accao == QStringLiteral("importar");
    if (auto r = s.abrir(p); !r)
        return r.falha();
    if (auto r = s.permitido(QStringLiteral("frmNomenclatura"),
                             importa ? QStringList{QStringLiteral("cmdImportar")} : QStringList{});
        !r)
        return r.falha();
    return accao == QStringLiteral("exportar") ? exportar(s, p, p.argumentos[1])
                                               : importar(s, p, p.argumentos[1]);
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

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

bool falhar(QString& erro, const QString& texto) {
    erro = texto;
    return false;
}

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

bool exportar(SessaoCli& s, const PedidoCli& p, const QString& ficheiro, QJsonValue& resultado, QString& erro) {
    const QString produto = Mavo(s.ctx).Zerar_Produto_str(p.opcao(QStringLiteral("produto")).trimmed());
    if (produto.isEmpty())
        return falhar(erro, QStringLiteral("Falta o produto acabado (--produto CODIGO)."));
    bool ok = false;
    const auto linhas = LerNomenclatura(s.ctx.bd(), produto, &ok);
    if (!ok)
        return falhar(erro, s.ctx.bd().lastError());
    if (linhas.empty())
        return falhar(erro, QStringLiteral("O produto %1 não tem nomenclatura.").arg(produto));
    if (!DestinoDeFicheiroValido(ficheiro, &erro))
        return false;
    QSaveFile f(ficheiro);
    const QByteArray texto = QJsonDocument(paraJson(linhas)).toJson(QJsonDocument::Indented);
    if (!f.open(QIODevice::WriteOnly) || f.write(texto) != texto.size() || !f.commit())
        return falhar(erro, QStringLiteral("Não foi possível escrever o ficheiro %1.").arg(ficheiro));
    resultado = QJsonObject{{"produtoAcabado", produto}, {"linhas", int(linhas.size())}, {"ficheiro", ficheiro}};
    return true;
}

bool importar(SessaoCli& s, const PedidoCli& p, const QString& ficheiro, QJsonValue& resultado, QString& erro) {
    ValorJson doc;
    if (!lerFicheiroJsonCli(ficheiro, doc, erro))
        return false;
    if (!doc.isObject())
        return falhar(erro, QStringLiteral("O ficheiro deve conter uma nomenclatura (um objecto JSON)."));
    const QString substituir = p.opcao(QStringLiteral("substituir")).trimmed().toLower();
    if (!substituir.isEmpty() && substituir != QStringLiteral("sim") && substituir != QStringLiteral("nao") &&
        substituir != QStringLiteral("não"))
        return falhar(erro, QStringLiteral("--substituir aceita \"sim\" ou \"não\"."));
    Database& db = s.ctx.bd();
    Mavo mavo(s.ctx);
    const ObjectoJsonCli o(doc, QStringLiteral("cabeçalho"));
    LinhaNomenclatura cab;
    QString pa;
    QList<ValorJson> arr;
    if (!o.soChaves({"produtoAcabado", "descricao", "fixa", "ctrlQuantidades", "precoProdutoAcabado", "linhas"}, erro) ||
        !o.texto("produtoAcabado", pa, erro, true, 15) || !o.texto("descricao", cab.descProdutoAcabado, erro, false, 50) ||
        !o.logico("fixa", cab.fixa, erro) || !o.logico("ctrlQuantidades", cab.ctrlQuantidades, erro) ||
        !o.montante("precoProdutoAcabado", cab.produtoAcabadoPreco, erro) ||
        !o.listaObjectos("linhas", arr, erro, true))
        return false;
    pa = mavo.Zerar_Produto_str(pa);
    if (!s.existe(QStringLiteral("Produtos"), pa))
        return falhar(erro, QStringLiteral("Produto acabado inexistente: %1").arg(citacao(pa)));
    if (arr.isEmpty())
        return falhar(erro, QStringLiteral("A nomenclatura não tem linhas."));
    if (cab.produtoAcabadoPreco.isNegative())
        return falhar(erro, QStringLiteral("O preço do produto acabado não pode ser negativo."));
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
        if (!l.soChaves({"produto", "descricao", "quantidade", "preco", "armazem", "observa", "precario", "factor",
                         "formula"},
                        erro) ||
            !l.texto("produto", n.produtoPrima, erro, true, 15) ||
            !l.texto("descricao", n.descProdutoPrima, erro, false, 50) ||
            !l.montante("quantidade", n.quantidade, erro, true) || !l.montante("preco", n.preco, erro) ||
            !l.montante("factor", n.factor, erro) || !l.texto("armazem", n.armazem, erro, true, 3) ||
            !l.texto("observa", n.observa, erro) || !l.texto("precario", n.precario, erro, false, 15) ||
            !l.texto("formula", n.factorFormula, erro, false, 1))
            return false;
        n.produtoPrima = mavo.Zerar_Produto_str(n.produtoPrima);
        if (!s.existe(QStringLiteral("Produtos"), n.produtoPrima))
            return falhar(erro, QStringLiteral("Produto inexistente na %1: %2").arg(onde, citacao(n.produtoPrima)));
        if (n.produtoPrima.compare(pa, Qt::CaseInsensitive) == 0)
            return falhar(erro, QStringLiteral("O produto acabado %1 não pode ser matéria-prima de si próprio (%2).")
                                    .arg(pa, onde));
        if (vistos.contains(n.produtoPrima.toLower()))
            return falhar(erro, QStringLiteral("Produto repetido na %1: %2").arg(onde, n.produtoPrima));
        vistos.insert(n.produtoPrima.toLower());
        if (!s.existe(QStringLiteral("Armazens"), n.armazem))
            return falhar(erro, QStringLiteral("Armazém inexistente na %1: %2").arg(onde, citacao(n.armazem)));
        if (n.descProdutoPrima.isEmpty())
            n.descProdutoPrima =
                db.scalar(QStringLiteral("SELECT Descricao FROM Produtos WHERE Codigo=?"), {n.produtoPrima}).toString();
        if (n.quantidade <= Currency())
            return falhar(erro, QStringLiteral("A quantidade da %1 deve ser maior que 0.").arg(onde));
        if (n.preco.isNegative() || n.factor.isNegative())
            return falhar(erro, QStringLiteral("Valor negativo na %1.").arg(onde));
        if (n.precario.isEmpty())
            n.precario = PrecarioPMC;
        if (n.precario != PrecarioPMC && n.precario != PrecarioUPCusto && n.precario != PrecarioUPCompra)
            return falhar(erro, QStringLiteral("Base de preço inválida na %1: %2").arg(onde, citacao(n.precario)));
        n.factorFormula = n.factorFormula.isEmpty() ? QStringLiteral("A") : n.factorFormula.toUpper();
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
    SessaoCli s;
    const bool importa = accao == QStringLiteral("importar");
    if (!s.abrir(p, erro) ||
        !s.permitido(QStringLiteral("frmNomenclatura"), importa ? QStringList{QStringLiteral("cmdImportar")} : QStringList{},
                     erro))
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

#include "production/ReceitaInstantanea.h"

#include "company/GlobalContext.h"
#include "db/Database.h"
#include "production/NomenclaturaDados.h"
#include "session/LogGeral.h"

#include <QSqlQuery>

namespace {

struct OpcaoPrecario {
    const QString& chave;
    const char* titulo;
};

const std::vector<OpcaoPrecario>& todasOpcoes() {
    static const std::vector<OpcaoPrecario> o{{PrecarioUPCompra, "Último Preço de Compra"},
                                              {PrecarioUPCusto, "Último Preço de Custo"},
                                              {PrecarioPMC, "Preço Médio de Custo"},
                                              {PrecarioDigitado, "Preço Digitado"},
                                              {PrecarioPercCusto, "Percentagem de Custo"}};
    return o;
}

QStringList chavesPermitidas(TipoLinhaReceita tipo, bool produtoDiverso) {
    if (tipo == TipoLinhaReceita::Materia)
        return produtoDiverso ? QStringList{PrecarioDigitado} : QStringList{PrecarioUPCompra, PrecarioUPCusto, PrecarioPMC};
    return {PrecarioUPCompra, PrecarioUPCusto, PrecarioPMC, PrecarioDigitado, PrecarioPercCusto};
}

EntradaLog entradaLog(const QString& accao, const QString& codigo, const QString& descricao) {
    EntradaLog e;
    e.modulo = QStringLiteral("TB");
    e.accao = accao;
    e.descricao = codigo + QStringLiteral(" - ") + descricao;
    return e;
}

} // namespace

QString textoTipoLinha(TipoLinhaReceita tipo) {
    return tipo == TipoLinhaReceita::Materia ? QStringLiteral("MP") : QStringLiteral("PA");
}

QString opcoesPrecario(TipoLinhaReceita tipo, bool produtoDiverso) {
    const QStringList chaves = chavesPermitidas(tipo, produtoDiverso);
    QString r;
    for (const OpcaoPrecario& o : todasOpcoes())
        if (chaves.contains(o.chave))
            r += o.chave + u':' + QString::fromUtf8(o.titulo) + u';';
    return r;
}

QString precarioNormalizado(const QString& precario) {
    for (const OpcaoPrecario& o : todasOpcoes())
        if (o.chave.compare(precario.trimmed(), Qt::CaseInsensitive) == 0)
            return o.chave;
    return {};
}

bool precarioValido(TipoLinhaReceita tipo, bool produtoDiverso, const QString& precario) {
    const QString chave = precarioNormalizado(precario);
    return !chave.isEmpty() && chavesPermitidas(tipo, produtoDiverso).contains(chave);
}

QString precarioInicial(const QString& configurado) {
    for (const QString& r : {PrecarioUPCusto, PrecarioUPCompra, PrecarioPMC})
        if (r.compare(configurado.trimmed(), Qt::CaseInsensitive) == 0)
            return r;
    return PrecarioPMC;
}

Resultado<Currency> PrecoProdutoPorRegra(Database& db, const QString& produto, const QString& precario) {
    const QString regra = precarioNormalizado(precario);
    QString coluna;
    if (regra == PrecarioUPCompra)
        coluna = QStringLiteral("UltPrecoCompra");
    else if (regra == PrecarioUPCusto)
        coluna = QStringLiteral("UltPrecoCusto");
    else if (regra == PrecarioPMC)
        coluna = QStringLiteral("PrecoMedioCusto");
    else
        return Currency();
    const auto v = db.lerValor(QStringLiteral("SELECT %1 FROM Produtos WHERE Codigo=?").arg(coluna), {produto});
    if (!v)
        return v.falha();
    return Currency::fromVariant(*v);
}

Resultado<std::vector<ResumoReceita>> ListarReceitas(Database& db) {
    std::vector<ResumoReceita> r;
    if (!db.percorrer(QStringLiteral("SELECT DISTINCT Codigo, Descricao, Fluxo FROM NomenclaturaInstantanea "
                                     "ORDER BY Codigo"),
                      {}, [&](const QSqlQuery& q) {
                          r.push_back({q.value(0).toString(), q.value(1).toString(), q.value(2).toString()});
                      }))
        return Falha(db.lastError());
    return r;
}

Resultado<std::optional<Receita>> LerReceita(Database& db, const QString& codigo) {
    Receita r;
    bool alguma = false;
    // Lines whose product no longer exists still belong to the recipe: they show without a
    // description rather than vanish on the next save.
    const bool lido = db.percorrer(
        QStringLiteral("SELECT n.Codigo, n.Descricao, n.Fluxo, n.TipoProduto, n.Armazem, n.Produto, n.Quantidade, "
                       "n.Precario, n.Valor, n.Observa, p.Descricao FROM NomenclaturaInstantanea n LEFT JOIN Produtos p "
                       "ON p.Codigo=n.Produto WHERE n.Codigo=? ORDER BY n.TipoProduto, n.NumRegisto"),
        {codigo}, [&](const QSqlQuery& q) {
            if (!alguma) {
                r.codigo = q.value(0).toString();
                r.descricao = q.value(1).toString();
                r.fluxo = q.value(2).toString();
                alguma = true;
            }
            LinhaReceita l;
            l.armazem = q.value(4).toString();
            l.produto = q.value(5).toString();
            l.quantidade = Currency::fromVariant(q.value(6));
            l.precario = q.value(7).toString();
            l.valor = Currency::fromVariant(q.value(8));
            l.observa = q.value(9).toString();
            l.descricao = q.value(10).toString();
            (q.value(3).toString().trimmed().toUpper() == QStringLiteral("PA") ? r.acabados : r.materias).push_back(l);
        });
    if (!lido)
        return Falha(db.lastError());
    if (!alguma)
        return std::optional<Receita>();
    return std::optional<Receita>(std::move(r));
}

Resultado<bool> ExisteReceita(Database& db, const QString& codigo) {
    const auto r = db.lerValor(
        QStringLiteral("SELECT 1 FROM NomenclaturaInstantanea WHERE Codigo=?") + db.dialect().limite(1), {codigo});
    if (!r)
        return r.falha();
    return r->isValid();
}

Resultado<bool> ReceitaUsada(Database& db, const QString& codigo) {
    const auto r =
        db.lerValor(QStringLiteral("SELECT 1 FROM LoteInstantaneo WHERE Codigo=?") + db.dialect().limite(1), {codigo});
    if (!r)
        return r.falha();
    return r->isValid();
}

Resultado<> GravarReceita(GlobalContext& ctx, const Receita& r) {
    if (r.codigo.trimmed().isEmpty())
        return Falha(QStringLiteral("Não definiu o Código!"), QStringLiteral("txtCodigo"));
    if (r.descricao.trimmed().isEmpty())
        return Falha(QStringLiteral("Não definiu a descrição!"), QStringLiteral("txtDescricao"));
    if (r.materias.empty())
        return Falha(QStringLiteral("Não definiu as matérias primas!"), QStringLiteral("lvwMateriasPrimas"));
    if (r.acabados.empty())
        return Falha(QStringLiteral("Não definiu o(s) produto(s) acabado(s)!"), QStringLiteral("lvwProdutosAcabados"));
    Database& db = ctx.bd();
    // Replaced as a whole and at once: a failure leaves the old recipe as it was.
    Transaction t(db);
    if (!t.ok())
        return Falha(db.lastError());
    if (!db.exec(QStringLiteral("DELETE FROM NomenclaturaInstantanea WHERE Codigo=?"), {r.codigo}))
        return Falha(db.lastError());
    const QStringList colunas{QStringLiteral("Codigo"),     QStringLiteral("Descricao"), QStringLiteral("Fluxo"),
                              QStringLiteral("TipoProduto"), QStringLiteral("Armazem"),   QStringLiteral("Produto"),
                              QStringLiteral("Quantidade"),  QStringLiteral("Precario"),  QStringLiteral("Valor"),
                              QStringLiteral("Observa")};
    for (TipoLinhaReceita tipo : {TipoLinhaReceita::Materia, TipoLinhaReceita::Acabado})
        for (const LinhaReceita& l : r.linhas(tipo))
            if (db.insert(QStringLiteral("NomenclaturaInstantanea"), colunas,
                          {r.codigo, r.descricao, r.fluxo, textoTipoLinha(tipo), l.armazem, l.produto,
                           l.quantidade.toVariant(), l.precario, l.valor.toVariant(), l.observa}) <= 0)
                return Falha(db.lastError());
    if (!LogGeral(ctx, entradaLog(QStringLiteral("N"), r.codigo, r.descricao)) || !t.commit())
        return Falha(db.lastError());
    return {};
}

Resultado<> EliminarReceita(GlobalContext& ctx, const QString& codigo, const QString& descricao) {
    Database& db = ctx.bd();
    Transaction t(db);
    if (!t.ok())
        return Falha(db.lastError());
    const auto usada = ReceitaUsada(db, codigo);
    if (!usada)
        return usada.falha();
    if (*usada)
        return Falha(QStringLiteral("Registo já inserido em processos de produção"));
    if (!db.exec(QStringLiteral("DELETE FROM NomenclaturaInstantanea WHERE Codigo=?"), {codigo}) ||
        !LogGeral(ctx, entradaLog(QStringLiteral("E"), codigo, descricao)) || !t.commit())
        return Falha(db.lastError());
    return {};
}

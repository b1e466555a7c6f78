// Production commands of the headless program: post a production order or the adjustments of a
// pending lot from a JSON file, and write a lot's production sheet as PDF.

#include "common/UserInteraction.h"
#include "production/FolhaLote.h"
#include "production/LancamentoProducao.h"
#include "production/LinhasProducao.h"
#include "shell/Database.h"
#include "shell/Empresas.h"
#include "shell/GlobalContext.h"
#include "shell/LinhaComandosCli.h"
#include "shell/SessaoCli.h"
#include "shell/Mavo.h"
#include "shell/ParametrosGerais.h"
#include "shell/PeriodoAberto.h"

#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QSysInfo>

namespace {

bool falhar(QString& erro, const QString& texto) {
    erro = texto;
    return false;
}



bool lerFicheiro(const PedidoCli& p, const QString& uso, QJsonObject& o, QString& erro) {
    if (p.argumentos.size() != 2)
        return falhar(erro, QStringLiteral("Uso: %1").arg(uso));
    QFile f(p.argumentos.at(1));
    if (!f.open(QIODevice::ReadOnly))
        return falhar(erro, QStringLiteral("Não foi possível abrir o ficheiro %1.").arg(p.argumentos.at(1)));
    QJsonParseError pe;
    const QJsonDocument d = QJsonDocument::fromJson(f.readAll(), &pe);
    if (pe.error != QJsonParseError::NoError || !d.isObject())
        return falhar(erro, QStringLiteral("O ficheiro deve conter um objecto JSON."));
    o = d.object();
    return true;
}

bool montante(const QJsonObject& o, const QString& chave, Currency& valor, QString& erro) {
    const QJsonValue v = o.value(chave);
    if (v.isDouble()) {
        valor = Currency::fromDouble(v.toDouble());
        return true;
    }
    if (v.isString()) {
        if (const auto c = Currency::parse(v.toString().trimmed())) {
            valor = *c;
            return true;
        }
    }
    return falhar(erro, QStringLiteral("Valor inválido em %1.").arg(chave));
}

QString texto(const QJsonObject& o, const char* chave) { return o.value(QLatin1String(chave)).toString().trimmed(); }

QString q4(const Currency& c) { return c.toString(); }

QJsonObject documento(Database& db, const DocumentoProducao& d) {
    QJsonArray linhas;
    if (d.numerado())
        db.percorrer(QStringLiteral("SELECT Codigo, AfectaStk, Armazem, Localizacao, Lote, QuantNormal, Preco, ValorIliq "
                                    "FROM MovProduto WHERE Tipo=? AND Numero=? AND Ano=? ORDER BY NumRegisto"),
                     {d.tipo, d.numero, d.data.left(4)}, [&](const QSqlQuery& q) {
                         linhas.append(QJsonObject{{"codigo", q.value(0).toString()},
                                                   {"afectaStk", q.value(1).toString()},
                                                   {"armazem", q.value(2).toString()},
                                                   {"localizacao", q.value(3).toString()},
                                                   {"lote", q.value(4).toString()},
                                                   {"quantidade", q4(Currency::fromVariant(q.value(5)))},
                                                   {"preco", q4(Currency::fromVariant(q.value(6)))},
                                                   {"valor", q4(Currency::fromVariant(q.value(7)))}});
                     });
    return QJsonObject{{"tipo", d.tipo}, {"numero", d.numero}, {"data", d.data}, {"linhas", linhas}};
}

QJsonObject resposta(Database& db, const ResultadoProducao& r, const ProductionDocument& d) {
    return QJsonObject{{"lote", r.lote},
                       {"produto", d.ProdutoAcabado},
                       {"quantidade", q4(d.Quantidade)},
                       {"custoTotal", q4(r.custoTotal)},
                       {"precario", q4(r.precario)},
                       {"fechado", r.fechado},
                       {"situacao", d.Situacao},
                       {"saida", documento(db, r.saida)},
                       {"entrada", documento(db, r.ent)},
                       {"retorno", documento(db, r.ret)},
                       {"reforco", documento(db, r.ref)}};
}

bool verificar(GlobalContext& ctx, const ProductionDocument& d, QString& erro) {
    const VerificacaoLote v = VerificaExecutarLote(ctx, d);
    return v.ok || falhar(erro, v.mensagem);
}

// One order of the file; the session is shared by every order of it.
bool lancarUma(GlobalContext& ctx, const QJsonObject& o, QJsonValue& resultado, QString& erro);

bool lancar(const PedidoCli& p, QJsonValue& resultado, QString& erro) {
    if (p.argumentos.size() != 2)
        return falhar(erro, QStringLiteral("Uso: producao lancar FICHEIRO"));
    QFile f(p.argumentos.at(1));
    if (!f.open(QIODevice::ReadOnly))
        return falhar(erro, QStringLiteral("Não foi possível abrir o ficheiro %1.").arg(p.argumentos.at(1)));
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &pe);
    if (pe.error != QJsonParseError::NoError || (!doc.isObject() && !doc.isArray()))
        return falhar(erro, QStringLiteral("O ficheiro deve conter um objecto JSON (ou uma lista de objectos)."));
    SessaoCli s;
    if (!s.abrir(p, erro))
        return false;
    if (doc.isObject())
        return lancarUma(s.ctx, doc.object(), resultado, erro);
    // A list posts each order in its own transaction, in order, and stops at the first refusal.
    QJsonArray lista;
    for (const QJsonValue& v : doc.array()) {
        QJsonValue r;
        if (!lancarUma(s.ctx, v.toObject(), r, erro)) {
            erro = QStringLiteral("Ordem %1: %2").arg(lista.size() + 1).arg(erro);
            return false;
        }
        lista.append(r);
    }
    resultado = lista;
    return true;
}

bool lancarUma(GlobalContext& ctx, const QJsonObject& o, QJsonValue& resultado, QString& erro) {
    ProductionDocument d;
    d.Lote = texto(o, "lote");
    // Without a lot the next one is proposed; if another workstation takes it first, posting moves on.
    const bool loteProposto = d.Lote.isEmpty();
    if (loteProposto)
        d.Lote = ProximoLote(ctx.bd());
    if (d.Lote.isEmpty())
        return falhar(erro, QStringLiteral("A T E N Ç Ã O ! Não tem a configuração de Produção definida."));
    if (!loteProposto && LerLoteProducao(ctx, d))
        return falhar(erro, QStringLiteral("Já existe o lote %1!").arg(d.Lote));
    d.Nova = true;
    d.ProdutoAcabado = Mavo(ctx).Zerar_Produto_str(texto(o, "produto"));
    d.Data = texto(o, "data");
    if (d.Data.isEmpty())
        d.Data = QDate::currentDate().toString(Qt::ISODate);
    d.Armazem = texto(o, "armazem");
    if (d.Armazem.isEmpty())
        d.Armazem = ctx.armazem;
    d.NaoMultiplica = o.value(QStringLiteral("NaoMultiplica")).toBool();
    d.LocalizacaoProdutoAcabado = texto(o, "localizacao");
    d.LoteProdutoAcabado = texto(o, "loteProduto");
    if (d.ProdutoAcabado.isEmpty() || d.Armazem.isEmpty() || !montante(o, QStringLiteral("quantidade"), d.Quantidade, erro) ||
        d.Quantidade <= Currency())
        return falhar(erro, QStringLiteral("Preenchimento Incompleto!"));
    const QString fase = texto(o, "fase").toLower();
    if (!fase.isEmpty() && fase != QStringLiteral("encerra") && fase != QStringLiteral("aguarda"))
        return falhar(erro, QStringLiteral("Fase inválida: %1 (encerra ou aguarda).").arg(fase));
    InteraccaoCli ui;
    if (!ValidaPeriodoAberto(ctx, ui, d.Data, d.Armazem, true))
        return falhar(erro, ui.ultima.isEmpty() ? QStringLiteral("Data inválida: %1").arg(d.Data) : ui.ultima);
    if (CarregarListaNomenc(ctx, d) == 0)
        return falhar(erro, QStringLiteral("Não tem nomenclatura definida para este produto!"));

    // Per-line changes: the first entry of a raw material changes its line, further ones split it.
    std::vector<LinhaProducao> linhas;
    QHash<QString, int> usadas;
    const QJsonArray alteracoes = o.value(QStringLiteral("linhas")).toArray();
    for (const QJsonValue& v : alteracoes) {
        const QJsonObject a = v.toObject();
        const QString produto = Mavo(ctx).Zerar_Produto_str(texto(a, "produto"));
        const auto it = std::find_if(d.linhas.begin(), d.linhas.end(),
                                     [&](const LinhaProducao& l) { return l.produto.compare(produto, Qt::CaseInsensitive) == 0; });
        if (it == d.linhas.end())
            return falhar(erro, QStringLiteral("O produto %1 não faz parte da nomenclatura.").arg(produto));
        LinhaProducao l = *it;
        if (a.contains(QStringLiteral("quantidade")) && !montante(a, QStringLiteral("quantidade"), l.ordemProducao, erro))
            return false;
        if (l.ordemProducao < Currency())
            return falhar(erro, QStringLiteral("Quantidade negativa no produto %1.").arg(produto));
        if (a.contains(QStringLiteral("armazem")))
            l.armazem = texto(a, "armazem");
        if (a.contains(QStringLiteral("localizacao")))
            l.localizacao = texto(a, "localizacao");
        if (a.contains(QStringLiteral("lote"))) {
            l.lote = texto(a, "lote");
            const auto datas = ctx.bd().primeiraLinha(
                QStringLiteral("SELECT DataFabrico, DataValidade FROM TabLotes WHERE Produto=? AND Codigo=?"), {l.produto, l.lote});
            if (datas) {
                l.dataFabrico = datas->at(0).toString();
                l.dataValidade = datas->at(1).toString();
            }
        }
        if (usadas[l.produto]++ == 0)
            *it = l;
        else
            linhas.push_back(l);
    }
    for (const LinhaProducao& l : linhas)
        d.linhas.push_back(l);
    if (!verificar(ctx, d, erro))
        return false;
    ResultadoProducao r;
    if (!LancaProducao(ctx, d, fase == QStringLiteral("aguarda") ? FaseProducao::Aguarda : FaseProducao::Encerra, &r))
        return falhar(erro, ctx.UltimoErro);
    resultado = resposta(ctx.bd(), r, d);
    return true;
}

bool acertos(const PedidoCli& p, QJsonValue& resultado, QString& erro) {
    QJsonObject o;
    if (!lerFicheiro(p, QStringLiteral("producao acertos FICHEIRO"), o, erro))
        return false;
    SessaoCli s;
    if (!s.abrir(p, erro))
        return false;
    GlobalContext& ctx = s.ctx;
    ProductionDocument d;
    d.Lote = texto(o, "lote");
    if (d.Lote.isEmpty() || !LerLoteProducao(ctx, d))
        return falhar(erro, QStringLiteral("Lote inexistente: %1").arg(d.Lote));
    if (d.Situacao != SituacaoPendente)
        return falhar(erro, QStringLiteral("O lote %1 já está encerrado.").arg(d.Lote));
    CarregarListaNomenc(ctx, d);
    for (LinhaProducao& l : d.linhas)
        l.acertos = {};
    for (const QJsonValue& v : o.value(QStringLiteral("acertos")).toArray()) {
        const QJsonObject a = v.toObject();
        const QString produto = Mavo(ctx).Zerar_Produto_str(texto(a, "produto"));
        const QString lote = texto(a, "lote");
        const auto it = std::find_if(d.linhas.begin(), d.linhas.end(), [&](const LinhaProducao& l) {
            return l.produto.compare(produto, Qt::CaseInsensitive) == 0 && l.lote.trimmed() == lote;
        });
        if (it == d.linhas.end())
            return falhar(erro, QStringLiteral("O produto %1 (lote \"%2\") não foi consumido neste lote.").arg(produto, lote));
        if (!montante(a, QStringLiteral("quantidade"), it->acertos, erro))
            return false;
    }
    if (!verificar(ctx, d, erro))
        return false;
    ResultadoProducao r;
    if (!LancaProducao(ctx, d, FaseProducao::Encerra, &r))
        return falhar(erro, ctx.UltimoErro);
    resultado = resposta(ctx.bd(), r, d);
    return true;
}

bool folha(const PedidoCli& p, QJsonValue& resultado, QString& erro) {
    const QString lote = p.opcao(QStringLiteral("lote")).trimmed();
    const QString pdf = p.opcao(QStringLiteral("pdf")).trimmed();
    if (lote.isEmpty() || pdf.isEmpty())
        return falhar(erro, QStringLiteral("Uso: producao folha --lote LOTE --pdf FICHEIRO"));
    const ImpressaoFolhaLotePdf& imprimir = ImpressaoFolhaLotePdfInstalada();
    if (!imprimir)
        return falhar(erro, QStringLiteral("Este programa não tem impressão."));
    SessaoCli s;
    if (!s.abrir(p, erro))
        return false;
    const std::optional<FolhaLote> f = LerFolhaLote(s.ctx, lote, &erro);
    if (!f)
        return false;
    if (!imprimir(*f, pdf, &erro))
        return false;
    resultado = QJsonObject{{"lote", f->lote}, {"pdf", pdf}, {"linhas", int(f->linhas.size())}};
    return true;
}

bool producao(const PedidoCli& p, QJsonValue& resultado, QString& erro) {
    const QString sub = p.argumentos.value(0);
    if (sub == QStringLiteral("lancar"))
        return lancar(p, resultado, erro);
    if (sub == QStringLiteral("acertos"))
        return acertos(p, resultado, erro);
    if (sub == QStringLiteral("folha"))
        return folha(p, resultado, erro);
    return falhar(erro, QStringLiteral("Uso: producao lancar FICHEIRO | producao acertos FICHEIRO | producao folha --lote "
                                       "LOTE --pdf FICHEIRO"));
}

} // namespace

std::vector<ComandoCli> comandosProducaoCli() {
    return {{QStringLiteral("producao"),
             QStringLiteral("producao lancar FICHEIRO | acertos FICHEIRO | folha --lote LOTE --pdf FICHEIRO"),
             QStringLiteral("Lança uma ordem de produção ou os acertos de um lote pendente (JSON), ou grava a folha "
                            "de produção de um lote em PDF."),
             {QStringLiteral("empresa"), QStringLiteral("utilizador"), QStringLiteral("lote"), QStringLiteral("pdf")},
             producao}};
}

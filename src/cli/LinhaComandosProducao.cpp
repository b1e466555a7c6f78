// Production commands of the headless program: post a production order or the adjustments of a
// pending lot from a JSON file, write a lot's production sheet as PDF, delete a closed lot. Each
// drives the logic of its window, answering the window's questions from the file, so that every
// check of the window applies here too.

#include "company/EDiv.h"
#include "production/EliminarLote.h"
#include "production/ExistProArmLote.h"
#include "production/FolhaLote.h"
#include "printing/FolhaLoteImpressao.h"
#include "production/MovProducao.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "cli/LeitorJsonCli.h"
#include "cli/LinhaComandosCli.h"
#include "company/Mavo.h"
#include "cli/SessaoCli.h"

#include <QDate>
#include <QRegularExpression>
#include <QJsonArray>
#include <QJsonObject>
#include <QSqlQuery>

namespace {

// The questions of the production order, answered from the order file.
class InteraccaoProducaoCli : public InteraccaoCli {
public:
    int fase = 2;        // "Processo do Lote": 1 waits for the adjustments, 2 closes the lot
    QStringList textos;  // the alternative unit of the entry and its quantity, when the file gives them
    bool semResposta = false; // a text was asked that the file does not give

    int alerta(const QString& questao, const QStringList&) override {
        return questao.startsWith(QStringLiteral("Processo do Lote")) ? fase : 0;
    }
    std::optional<QString> pedirTexto(const QString&, const QString&, const QString&) override {
        if (textos.isEmpty()) {
            semResposta = true;
            return std::nullopt;
        }
        return textos.takeFirst();
    }
};

// The reason the window gave, or the given one when it only moved the focus.
QString motivo(const InteraccaoCli& ui, const QString& semMensagem) {
    return ui.ultima.isEmpty() ? semMensagem : ui.ultima;
}

QString q4(const Currency& c) { return c.toString(); }

QJsonObject documento(Database& db, const DocumentoProducao& d) {
    QJsonArray linhas;
    if (d.numerado())
        db.percorrer(QStringLiteral("SELECT Codigo, AfectaStk, Armazem, Localizacao, Lote, QuantNormal, Preco, ValorIliq, "
                                    "DataFabrico, DataValidade FROM MovProduto WHERE Tipo=? AND Numero=? AND Ano=? "
                                    "ORDER BY NumRegisto"),
                     {d.tipo, d.numero, d.data.left(4)}, [&](const QSqlQuery& q) {
                         linhas.append(QJsonObject{{"codigo", q.value(0).toString()},
                                                   {"afectaStk", q.value(1).toString()},
                                                   {"armazem", q.value(2).toString()},
                                                   {"localizacao", q.value(3).toString()},
                                                   {"lote", q.value(4).toString()},
                                                   {"quantidade", q4(Currency::fromVariant(q.value(5)))},
                                                   {"preco", q4(Currency::fromVariant(q.value(6)))},
                                                   {"valor", q4(Currency::fromVariant(q.value(7)))},
                                                   {"dataFabrico", q.value(8).toString()},
                                                   {"dataValidade", q.value(9).toString()}});
                     });
    return QJsonObject{{"tipo", d.tipo}, {"numero", d.numero}, {"data", d.data}, {"linhas", linhas}};
}

QJsonObject resposta(Database& db, const ResultadoProducao& r, const QString& produto, const Currency& quantidade) {
    return QJsonObject{{"lote", r.lote},
                       {"produto", produto},
                       {"quantidade", q4(quantidade)},
                       {"custoTotal", q4(r.custoTotal)},
                       {"precario", q4(r.precario)},
                       {"fechado", r.fechado},
                       {"situacao", r.fechado ? SituacaoEncerrada : SituacaoPendente},
                       {"saida", documento(db, r.saida)},
                       {"entrada", documento(db, r.ent)},
                       {"retorno", documento(db, r.ret)},
                       {"reforco", documento(db, r.ref)}};
}

// The list row of the n-th line (0-based) of a raw material; -1 when it has fewer lines.
int linhaDoProduto(const MovProducao& m, const QString& produto, int n) {
    for (int r = 0; r < m.lvwListaNomec.numLinhas(); ++r)
        if (m.lvwListaNomec.texto(r, 1).compare(produto, Qt::CaseInsensitive) == 0 && n-- == 0)
            return r;
    return -1;
}

// "&Lote / Produto" on the selected line, the lot window answered with the given lot (and
// location, when the lot lies in several).
Resultado<> escolherLote(GlobalContext& ctx, MovProducao& m, InteraccaoCli& ui, const QString& produto,
                         const QString& lote, const QString& localizacao) {
    ExistProArmLote escolha(ctx, ui);
    if (!m.prepararEscolhaLote(escolha))
        return Falha(
            motivo(ui, QStringLiteral("Não é possível escolher o lote do produto %1.").arg(produto)));
    const auto& linhas = escolha.linhas();
    int escolhida = -1;
    for (int i = 0; i < int(linhas.size()) && escolhida < 0; ++i)
        if (linhas[size_t(i)].lote == lote && (localizacao.isEmpty() || linhas[size_t(i)].localizacao == localizacao))
            escolhida = i;
    if (escolhida < 0)
        return Falha(QStringLiteral("O lote %1 do produto %2 não tem existência no armazém %3%4.")
                         .arg(lote, produto, escolha.txtArmazem,
                              localizacao.isEmpty() ? QString()
                                                    : QStringLiteral(" (localização %1)").arg(localizacao)));
    escolha.clicarLinha(escolhida);
    if (escolha.seleccionar() != ExistProArmLote::Resultado::Escolhido)
        return Falha(
            motivo(ui, QStringLiteral("O lote %1 do produto %2 não pode ser escolhido.").arg(lote, produto)));
    m.aplicarEscolhaLote(escolha);
    return {};
}

// One line of an order file, as read.
struct LinhaCli {
    QString produto, lote, localizacao;
    std::optional<Currency> quantidade;
};

Resultado<LinhaCli> lerLinha(const ValorJson& o, int numero) {
    const ObjectoJsonCli j(o, QStringLiteral("linha %1").arg(numero));
    LinhaCli l;
    Currency q;
    if (auto r =
            primeiraFalha({j.soChaves({"produto", "quantidade", "lote", "localizacao"}),
                           j.texto("produto", l.produto, true, 15), j.texto("lote", l.lote, false, 20),
                           j.texto("localizacao", l.localizacao, false, 5), j.montante("quantidade", q)});
        !r)
        return r.falha();
    if (j.tem("quantidade"))
        l.quantidade = q;
    if (!l.localizacao.isEmpty() && l.lote.isEmpty())
        return Falha(
            QStringLiteral("A localização do produto %1 vem com o lote escolhido: indique também \"lote\".")
                .arg(l.produto));
    return l;
}

// The n-th entry of a raw material acts on its n-th line, as the user would: its quantity through
// "Alt.Qty Prod.", its lot through "&Lote / Produto". A lot whose balance covers less than the line
// splits it, and the rest is the raw material's next line.
Resultado<> aplicarLinha(GlobalContext& ctx, MovProducao& m, InteraccaoCli& ui, const LinhaCli& linha,
                         QHash<QString, int>& usadas) {
    const QString produto = Mavo(ctx).Zerar_Produto_str(linha.produto);
    const int n = usadas[produto.toUpper()]++;
    const int r = linhaDoProduto(m, produto, n);
    if (r < 0)
        return Falha(n == 0 ? QStringLiteral("O produto %1 não faz parte da nomenclatura.").arg(produto)
                            : QStringLiteral("O produto %1 tem só %2 linha(s) nesta ordem: uma linha só se "
                                             "divide pelo lote escolhido.")
                                  .arg(produto)
                                  .arg(n));
    m.seleccionarLinha(r);
    if (linha.quantidade) {
        ui.limpar();
        if (!m.iniciarEdicao(MovProducao::Edicao::QtyProducao) || !m.actualizarQuantidade(*linha.quantidade)) {
            m.cmdCancelaEdicao_Click();
            return Falha(motivo(ui, QStringLiteral("Quantidade inválida no produto %1.").arg(produto)));
        }
    }
    if (!linha.lote.isEmpty()) {
        ui.limpar();
        return escolherLote(ctx, m, ui, produto, linha.lote, linha.localizacao);
    }
    return {};
}

// The one file a command reads, named by its second argument.
Resultado<ValorJson> lerFicheiroDoComando(const PedidoCli& p, const QString& uso) {
    if (p.argumentos.size() != 2)
        return Falha(QStringLiteral("Uso: %1").arg(uso));
    return lerFicheiroJsonCli(p.argumentos.at(1));
}

// Production lots are numbers of up to 10 digits (empty: the next one is proposed).
bool loteValido(const QString& lote) {
    static const QRegularExpression digitos(QStringLiteral("^[0-9]{0,10}$"));
    return digitos.match(lote).hasMatch();
}

// One order of the file, as read: everything is checked for shape before anything is posted.
struct OrdemCli {
    QString lote, produto, data, armazem, localizacao, lotePA, fase, outraUnidade;
    Currency quantidade, outraQuantidade;
    bool naoMultiplica = false, controlaQuantidade = true, comOutraUnidade = false;
    std::vector<LinhaCli> linhas;
};

Resultado<OrdemCli> lerOrdem(const ValorJson& o, const QString& onde) {
    const ObjectoJsonCli j(o, onde);
    OrdemCli d;
    QList<ValorJson> linhas;
    if (auto r = primeiraFalha(
            {j.soChaves({"lote", "produto", "quantidade", "data", "armazem", "NaoMultiplica",
                         "ControlaQuantidade", "localizacao", "loteProduto", "fase", "linhas", "outraUnidade",
                         "outraQuantidade"}),
             j.texto("lote", d.lote, false, 10), j.texto("produto", d.produto, true, 15),
             j.montante("quantidade", d.quantidade, true), j.texto("data", d.data, false, 10),
             j.texto("armazem", d.armazem, false, 3), j.logico("NaoMultiplica", d.naoMultiplica),
             j.logico("ControlaQuantidade", d.controlaQuantidade),
             j.texto("localizacao", d.localizacao, false, 5), j.texto("loteProduto", d.lotePA, false, 20),
             j.texto("fase", d.fase, false, 10), j.listaObjectos("linhas", linhas),
             j.texto("outraUnidade", d.outraUnidade, false, 3),
             j.montante("outraQuantidade", d.outraQuantidade)});
        !r)
        return r.falha();
    if (!loteValido(d.lote))
        return Falha(QStringLiteral("Lote de produção inválido em %1: %2 (até 10 algarismos).")
                         .arg(onde, citacao(d.lote)));
    d.fase = d.fase.toLower();
    if (!d.fase.isEmpty() && d.fase != QStringLiteral("encerra") && d.fase != QStringLiteral("aguarda"))
        return Falha(QStringLiteral("Fase inválida: %1 (encerra ou aguarda).").arg(d.fase));
    if (!d.data.isEmpty() && !EDiv::DataIsoValida(d.data))
        return Falha(QStringLiteral("Data inválida: %1 (use aaaa-mm-dd).").arg(d.data));
    if (j.tem("outraQuantidade") != j.tem("outraUnidade"))
        return Falha(QStringLiteral("Indique \"outraUnidade\" e \"outraQuantidade\" juntas."));
    d.comOutraUnidade = j.tem("outraUnidade");
    for (int i = 0; i < linhas.size(); ++i) {
        const Resultado<LinhaCli> l = lerLinha(linhas.at(i), i + 1);
        if (!l)
            return l.falha();
        d.linhas.push_back(*l);
    }
    return d;
}

// One order; the session is shared by every order of the file.
Resultado<QJsonValue> lancarUma(GlobalContext& ctx, const OrdemCli& o) {
    InteraccaoProducaoCli ui;
    ui.fase = o.fase == QStringLiteral("aguarda") ? 1 : 2;
    MovProducao m(ctx, ui);
    m.Form_Load();
    if (!o.lote.isEmpty()) {
        m.doc.Lote = o.lote;
        m.txtLote_LostFocus();
        if (!m.doc.Nova)
            return Falha(QStringLiteral("Já existe o lote %1!").arg(m.doc.Lote));
    }
    if (m.doc.Lote.trimmed().isEmpty())
        return Falha(QStringLiteral("A T E N Ç Ã O ! Não tem a configuração de Produção definida."));
    m.txtProdutoAcabado.codigo = o.produto;
    m.doc.Quantidade = o.quantidade;
    if (!o.data.isEmpty())
        m.doc.Data = o.data;
    if (!o.armazem.isEmpty())
        m.txtArmazem.codigo = o.armazem;
    m.doc.NaoMultiplica = o.naoMultiplica;
    m.doc.ControlaQuantidade = o.controlaQuantidade;
    for (int tentativa = 1;; ++tentativa) {
        ui.limpar();
        if (m.cmdCarregar_Click())
            break;
        // A proposed lot that another workstation posted meanwhile: the next one is proposed, as
        // the window does after each posting.
        const bool tomado = o.lote.isEmpty() && m.foco() == MovProducao::Campo::Lote && tentativa < 100;
        if (!tomado)
            return Falha(motivo(ui, QStringLiteral("Preenchimento Incompleto!")));
        m.ProximoLote();
    }

    QHash<QString, int> usadas;
    for (const LinhaCli& l : o.linhas)
        if (auto r = aplicarLinha(ctx, m, ui, l, usadas); !r)
            return r.falha();

    ui.limpar();
    if (!m.cmdExecutarLote_Click())
        return Falha(motivo(ui, QStringLiteral("A ordem de produção não pode ser executada.")));
    if (m.produtoAcabadoComLote()) {
        ui.limpar();
        if (!m.localizacaoProdutoAcabadoEscolhida(o.localizacao) || !m.loteProdutoAcabadoEscolhido(o.lotePA))
            return Falha(motivo(ui, QStringLiteral("Lote ou localização inválidos no produto acabado.")));
    } else if (!o.localizacao.isEmpty() || !o.lotePA.isEmpty()) {
        return Falha(
            QStringLiteral("O produto %1 não tem controlo de lotes: a entrada não leva lote nem localização.")
                .arg(m.doc.ProdutoAcabado));
    }
    if (o.comOutraUnidade)
        ui.textos = {o.outraUnidade, o.outraQuantidade.toString()};
    const QString produtoAcabado = m.doc.ProdutoAcabado;
    const Currency quantidadeProduzida = m.doc.Quantidade;
    ui.limpar();
    if (!m.cmdProcessar_Click()) {
        if (!ui.ultima.isEmpty())
            return Falha(ui.ultima);
        if (ui.semResposta)
            return Falha(QStringLiteral("O produto %1 tem outras unidades: indique \"outraUnidade\" e "
                                        "\"outraQuantidade\" da entrada.")
                             .arg(produtoAcabado));
        if (m.foco() == MovProducao::Campo::LocalizacaoPA)
            return Falha(QStringLiteral("Falta a localização do produto acabado %1 (\"localizacao\").")
                             .arg(produtoAcabado));
        if (m.foco() == MovProducao::Campo::LotePA)
            return Falha(
                QStringLiteral("Falta o lote do produto acabado %1 (\"loteProduto\").").arg(produtoAcabado));
        return Falha(QStringLiteral("A ordem de produção não foi lançada."));
    }
    return QJsonValue(resposta(ctx.bd(), m.ultimoResultado(), produtoAcabado, quantidadeProduzida));
}

Resultado<QJsonValue> lancar(const PedidoCli& p) {
    const Resultado<ValorJson> lido = lerFicheiroDoComando(p, QStringLiteral("producao lancar FICHEIRO"));
    if (!lido)
        return lido.falha();
    const ValorJson& doc = *lido;
    if (!doc.isObject() && !doc.isArray())
        return Falha(QStringLiteral("O ficheiro deve conter um objecto JSON (ou uma lista de objectos)."));
    std::vector<OrdemCli> ordens;
    if (doc.isObject()) {
        const Resultado<OrdemCli> o = lerOrdem(doc, QStringLiteral("ordem"));
        if (!o)
            return o.falha();
        ordens.push_back(*o);
    } else {
        const QList<ValorJson>& lista = doc.lista;
        for (int i = 0; i < lista.size(); ++i) {
            if (!lista.at(i).isObject())
                return Falha(QStringLiteral("Ordem %1: deve ser um objecto JSON.").arg(i + 1));
            const Resultado<OrdemCli> o = lerOrdem(lista.at(i), QStringLiteral("ordem %1").arg(i + 1));
            if (!o)
                return o.falha();
            ordens.push_back(*o);
        }
    }
    // The buttons the orders press, as a user of the window would.
    QStringList botoes{QStringLiteral("cmdCarregar"), QStringLiteral("cmdExecutarLote"), QStringLiteral("cmdProcessar")};
    for (const OrdemCli& o : ordens)
        for (const LinhaCli& l : o.linhas) {
            if (l.quantidade && !botoes.contains(QStringLiteral("cmdAltQtyProd")))
                botoes << QStringLiteral("cmdAltQtyProd");
            if (!l.lote.isEmpty() && !botoes.contains(QStringLiteral("cmdLoteProduto")))
                botoes << QStringLiteral("cmdLoteProduto");
        }
    SessaoCli s;
    if (auto r = s.abrir(p); !r)
        return r.falha();
    if (auto r = s.permitido(QStringLiteral("frmMovProducao"), botoes); !r)
        return r.falha();
    if (doc.isObject())
        return lancarUma(s.ctx, ordens[0]);
    // A list posts each order in its own transaction, in order, and stops at the first refusal; the
    // refusal then names the lots already posted.
    QJsonArray lista, lotes;
    for (size_t i = 0; i < ordens.size(); ++i) {
        const Resultado<QJsonValue> r = lancarUma(s.ctx, ordens[i]);
        if (!r) {
            p.parcial = QJsonObject{{"lotes", lotes}};
            return Falha(QStringLiteral("Ordem %1: %2").arg(i + 1).arg(r.mensagem()));
        }
        lista.append(*r);
        lotes.append(r->toObject().value(QStringLiteral("lote")));
    }
    return QJsonValue(lista);
}

// The second phase of a pending lot: each adjustment goes on the line consumed with its raw
// material and lot through "Acerto&s"; several for one line add up.
Resultado<QJsonValue> acertos(const PedidoCli& p) {
    const Resultado<ValorJson> lido = lerFicheiroDoComando(p, QStringLiteral("producao acertos FICHEIRO"));
    if (!lido)
        return lido.falha();
    const ValorJson& doc = *lido;
    if (!doc.isObject())
        return Falha(QStringLiteral("O ficheiro deve conter um objecto JSON."));
    const ObjectoJsonCli j(doc, QStringLiteral("acertos"));
    QString lote;
    QList<ValorJson> lista;
    if (auto r = primeiraFalha({j.soChaves({"lote", "acertos"}), j.texto("lote", lote, true, 10),
                                j.listaObjectos("acertos", lista, true)});
        !r)
        return r.falha();
    if (!loteValido(lote))
        return Falha(QStringLiteral("Lote de produção inválido: %1 (até 10 algarismos).").arg(citacao(lote)));
    struct Acerto {
        QString produto, lote;
        Currency quantidade;
    };
    std::vector<Acerto> pedidos;
    for (int i = 0; i < lista.size(); ++i) {
        const ObjectoJsonCli a(lista.at(i), QStringLiteral("acerto %1").arg(i + 1));
        Acerto x;
        if (auto r = primeiraFalha(
                {a.soChaves({"produto", "lote", "quantidade"}), a.texto("produto", x.produto, true, 15),
                 a.texto("lote", x.lote, false, 20), a.montante("quantidade", x.quantidade, true)});
            !r)
            return r.falha();
        pedidos.push_back(x);
    }

    SessaoCli s;
    if (auto r = s.abrir(p); !r)
        return r.falha();
    if (auto r = s.permitido(QStringLiteral("frmMovProducao"),
                             {QStringLiteral("cmdAcertos"), QStringLiteral("cmdExecutarLote"),
                              QStringLiteral("cmdProcessar")});
        !r)
        return r.falha();
    GlobalContext& ctx = s.ctx;
    InteraccaoProducaoCli ui;
    MovProducao m(ctx, ui);
    m.Form_Load();
    m.doc.Lote = lote;
    ui.limpar();
    m.txtLote_LostFocus();
    if (m.doc.Nova)
        return Falha(QStringLiteral("Lote inexistente: %1").arg(m.doc.Lote));
    if (!m.doc.pendente())
        return Falha(QStringLiteral("O lote %1 já está encerrado.").arg(m.doc.Lote));
    if (!ui.ultima.isEmpty()) // the period message of a lot that can no longer take adjustments
        return Falha(ui.ultima);

    // The adjustments of each line, added up.
    QHash<int, Currency> porLinha;
    QList<int> ordem;
    for (Acerto& a : pedidos) {
        a.produto = Mavo(ctx).Zerar_Produto_str(a.produto);
        int linha = -1;
        for (int r = 0; r < m.lvwListaNomec.numLinhas() && linha < 0; ++r) {
            const LinhaProducao& l = m.doc.linhas[size_t(m.lvwListaNomec.tag(r).toInt())];
            if (l.produto.compare(a.produto, Qt::CaseInsensitive) == 0 && l.lote.trimmed() == a.lote)
                linha = r;
        }
        if (linha < 0)
            return Falha(QStringLiteral("O produto %1 (lote \"%2\") não foi consumido neste lote.")
                             .arg(a.produto, a.lote));
        if (!porLinha.contains(linha))
            ordem << linha;
        porLinha[linha] += a.quantidade;
    }
    for (int linha : ordem) {
        m.seleccionarLinha(linha);
        ui.limpar();
        if (!m.iniciarEdicao(MovProducao::Edicao::Acertos) || !m.actualizarQuantidade(porLinha.value(linha))) {
            m.cmdCancelaEdicao_Click();
            return Falha(motivo(
                ui, QStringLiteral("Acerto inválido no produto %1.").arg(m.lvwListaNomec.texto(linha, 1))));
        }
    }
    ui.limpar();
    if (!m.cmdExecutarLote_Click())
        return Falha(
            motivo(ui, QStringLiteral("Os acertos do lote %1 não podem ser executados.").arg(m.doc.Lote)));
    const QString produtoAcabado = m.doc.ProdutoAcabado;
    const Currency quantidade = m.doc.Quantidade;
    ui.limpar();
    if (!m.cmdProcessar_Click())
        return Falha(motivo(ui, QStringLiteral("Os acertos do lote %1 não foram lançados.").arg(lote)));
    return QJsonValue(resposta(ctx.bd(), m.ultimoResultado(), produtoAcabado, quantidade));
}

Resultado<QJsonValue> folha(const PedidoCli& p) {
    const QString lote = p.opcao(QStringLiteral("lote")).trimmed();
    const QString pdf = p.opcao(QStringLiteral("pdf")).trimmed();
    if (lote.isEmpty() || pdf.isEmpty())
        return Falha(QStringLiteral("Uso: producao folha --lote LOTE --pdf FICHEIRO"));
    SessaoCli s;
    if (auto r = s.abrir(p); !r)
        return r.falha();
    if (auto r = s.permitido(QStringLiteral("frmImpFolhaLote"), {QStringLiteral("cmdImprimir")}); !r)
        return r.falha();
    const Resultado<FolhaLote> f = LerFolhaLote(s.ctx, lote);
    if (!f)
        return f.falha();
    if (auto r = FolhaLoteParaPdf(*f, pdf); !r)
        return r.falha();
    return QJsonValue(QJsonObject{{"lote", f->lote}, {"pdf", pdf}, {"linhas", int(f->linhas.size())}});
}

Resultado<QJsonValue> producao(const PedidoCli& p) {
    const QString sub = p.argumentos.value(0);
    if (sub == QStringLiteral("lancar"))
        return lancar(p);
    if (sub == QStringLiteral("acertos"))
        return acertos(p);
    if (sub == QStringLiteral("folha"))
        return folha(p);
    return Falha(
        QStringLiteral("Uso: producao lancar FICHEIRO | producao acertos FICHEIRO | producao folha --lote "
                       "LOTE --pdf FICHEIRO"));
}

// "Eliminação de Lotes (com reposição)": a closed lot and its documents go; asking for it on the
// command line is the confirmation.
Resultado<QJsonValue> cmdLote(const PedidoCli& p) {
    const QString lote = p.opcao(QStringLiteral("lote")).trimmed();
    if (p.argumentos != QStringList{QStringLiteral("eliminar")} || lote.isEmpty())
        return Falha(QStringLiteral("Uso: lote eliminar --lote LOTE"));
    SessaoCli s;
    if (auto r = s.abrir(p); !r)
        return r.falha();
    if (auto r = s.permitido(QStringLiteral("frmEliminarLote"), {QStringLiteral("cmdEliminar")}); !r)
        return r.falha();

    class Confirma : public InteraccaoCli {
    public:
        int alerta(const QString& questao, const QStringList&) override {
            return questao == QStringLiteral("Confirma a Eliminação ?") ? 2 : 0;
        }
    } ui;
    EliminarLote e(s.ctx, ui);
    if (!e.loteSaiu(lote))
        return Falha(motivo(ui, QStringLiteral("Lote Inexistente ou em Aberto!")));
    const LoteProducao apagado = *e.lote();
    ui.limpar();
    switch (e.eliminar()) {
    case EliminarLote::Resultado::Eliminado:
        break;
    default:
        return Falha(motivo(ui, QStringLiteral("O lote %1 não foi eliminado.").arg(apagado.lote)));
    }
    QJsonArray documentos;
    for (const DocumentoLote* d : {&apagado.saida, &apagado.retorno, &apagado.reforco, &apagado.entrada})
        if (d->gerado())
            documentos.append(QJsonObject{{"tipo", d->tipo.trimmed()}, {"numero", d->numero}, {"data", d->data}});
    return QJsonValue(
        QJsonObject{{"lote", apagado.lote}, {"produto", apagado.produto}, {"documentos", documentos}});
}

} // namespace

std::vector<ComandoCli> comandosProducaoCli() {
    return {{QStringLiteral("producao"),
             QStringLiteral("producao lancar FICHEIRO | acertos FICHEIRO | folha --lote LOTE --pdf FICHEIRO"),
             QStringLiteral("Lança uma ordem de produção ou os acertos de um lote pendente (JSON), ou grava a folha "
                            "de produção de um lote em PDF."),
             {QStringLiteral("empresa"), QStringLiteral("utilizador"), QStringLiteral("lote"), QStringLiteral("pdf")},
             producao},
            {QStringLiteral("lote"), QStringLiteral("lote eliminar --lote LOTE"),
             QStringLiteral("Elimina um lote de produção encerrado com os documentos que gerou (repõe o stock)."),
             {QStringLiteral("empresa"), QStringLiteral("utilizador"), QStringLiteral("lote")},
             cmdLote}};
}

// Instant production runs on the command line: the run window's logic driven headless, every
// confirmation answered yes, so a file meets every check the window makes.

#include "cli/LeitorJsonCli.h"
#include "cli/LinhaComandosCli.h"
#include "cli/SessaoCli.h"
#include "production/ImpRelatorioProdInstantanea.h"
#include "production/ImpressaoInstantanea.h"
#include "production/MovProducaoNaHora.h"
#include "printing/ProducaoInstantaneaImpressao.h"

#include <QFileInfo>

#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <QSqlQuery>

namespace {

// The user who says yes to every question of the run, and types the recipe's factor.
class InteraccaoConfirma : public InteraccaoCli {
public:
    QString factor = QStringLiteral("1");

    bool pergunta(const QString&, const QString&) override { return true; }
    int caixaBotoes(const QString&, const QString&, const QStringList& botoes, Icone) override {
        for (int i = 0; i < botoes.size(); ++i)
            if (botoes[i] == QStringLiteral("&Sim") || botoes[i] == QStringLiteral("C&ontinuar"))
                return i;
        return 0;
    }
    std::optional<QString> pedirTexto(const QString&, const QString&, const QString&) override { return factor; }
};

const char* const ChavesReferencias[] = {"estacao", "sexo", "referencia", "modelo", "cor", "tamanho", "comprimento"};

QJsonObject documento(const DocumentoProducao& d) {
    return QJsonObject{{"tipo", d.tipo}, {"numero", d.numero}, {"data", d.data}};
}

struct Falhou {
    InteraccaoConfirma& ui;
    QString onde;
    Falha operator()(const QString& alternativa) const {
        return Falha(QStringLiteral("%1: %2").arg(onde, ui.ultima.isEmpty() ? alternativa : ui.ultima));
    }
};

// One line of the file as read, before the window sees it; `dados` says which keys were given.
struct LinhaFicheiro {
    QString onde;
    QString produto, armazem, precario, lote, localizacao, observa, descricao;
    Currency quantidade, preco, percCusto, precoCusto;
    std::array<QString, 7> referencias;
    QSet<QString> dados;
};

struct ProducaoFicheiro {
    QString receita, factor = QStringLiteral("1");
    QString processo, equipamento;
    std::vector<LinhaFicheiro> materias, acabados;
};

Resultado<LinhaFicheiro> lerLinha(const ValorJson& v, const QString& onde, bool acabado, bool daReceita) {
    const ObjectoJsonCli o(v, onde);
    LinhaFicheiro l;
    l.onde = onde;
    QStringList chaves{"produto", "armazem", "quantidade", "lote", "localizacao", "observa"};
    if (acabado)
        chaves << "percCusto" << "precoCusto" << "estacao" << "sexo" << "referencia" << "modelo" << "cor" << "tamanho"
               << "comprimento";
    else
        chaves << "preco" << "precario" << "descricao";
    if (auto r = primeiraFalha({o.soChaves(chaves), o.texto("produto", l.produto, true, 15),
                                o.texto("armazem", l.armazem, false, 3),
                                o.montante("quantidade", l.quantidade, !daReceita), o.texto("lote", l.lote, false, 30),
                                o.texto("localizacao", l.localizacao, false, 10), o.texto("observa", l.observa)});
        !r)
        return r.falha();
    if (acabado) {
        if (auto r = primeiraFalha({o.montante("percCusto", l.percCusto), o.montante("precoCusto", l.precoCusto)}); !r)
            return r.falha();
        for (size_t i = 0; i < l.referencias.size(); ++i)
            if (auto r = o.texto(ChavesReferencias[i], l.referencias[i], false, 20); !r)
                return r.falha();
    } else if (auto r = primeiraFalha({o.montante("preco", l.preco), o.texto("precario", l.precario, false, 15),
                                       o.texto("descricao", l.descricao, false, 50)});
               !r) {
        return r.falha();
    }
    for (const QString& c : chaves)
        if (o.tem(c.toLatin1().constData()))
            l.dados.insert(c);
    return l;
}

Resultado<ProducaoFicheiro> lerProducao(const ValorJson& v, const QString& onde) {
    if (!v.isObject())
        return Falha(QStringLiteral("%1: deve ser um objecto JSON.").arg(onde));
    const ObjectoJsonCli o(v, onde);
    ProducaoFicheiro p;
    QList<ValorJson> materias, acabados;
    if (auto r = primeiraFalha({o.soChaves({"receita", "factor", "materias", "acabados", "processo", "equipamento"}),
                                o.texto("receita", p.receita, false, 15), o.listaObjectos("materias", materias),
                                o.listaObjectos("acabados", acabados), o.texto("processo", p.processo, false, 10),
                                o.texto("equipamento", p.equipamento, false, 20)});
        !r)
        return r.falha();
    if (!p.processo.isEmpty() && !p.equipamento.isEmpty())
        return Falha(QStringLiteral("%1: indique \"processo\" ou \"equipamento\", não os dois.").arg(onde));
    // A process's raw materials are its movements, already issued.
    if (!p.processo.isEmpty() && !materias.isEmpty())
        return Falha(QStringLiteral("%1: com \"processo\" as matérias-primas são os movimentos do processo; retire "
                                    "\"materias\".")
                         .arg(onde));
    // The factor as a number, or as the user would type it ("2,5").
    if (o.tem("factor")) {
        Currency numero;
        if (!o.texto("factor", p.factor, false, 20)) {
            if (auto r = o.montante("factor", numero); !r)
                return r.falha();
            p.factor = numero.toShortString();
        }
        if (p.receita.isEmpty())
            return Falha(QStringLiteral("O factor só serve com uma receita (\"receita\")."));
        if (!LerFactorReceita(p.factor))
            return Falha(QStringLiteral("Factor inválido: %1 (um número maior que 0).").arg(citacao(p.factor)));
    }
    const bool daReceita = !p.receita.isEmpty();
    for (qsizetype i = 0; i < materias.size(); ++i) {
        auto l = lerLinha(materias[i], QStringLiteral("matéria-prima %1").arg(i + 1), false, daReceita);
        if (!l)
            return l.falha();
        p.materias.push_back(*l);
    }
    for (qsizetype i = 0; i < acabados.size(); ++i) {
        auto l = lerLinha(acabados[i], QStringLiteral("produto acabado %1").arg(i + 1), true, daReceita);
        if (!l)
            return l.falha();
        p.acabados.push_back(*l);
    }
    return p;
}

// Selects the line of the product in a list taken from the recipe; -1 when it is not there.
template <class Linha>
int linhaDaReceita(const std::vector<Linha>& linhas, const QString& produto) {
    for (size_t i = 0; i < linhas.size(); ++i)
        if (linhas[i].produto.compare(produto.trimmed(), Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

Resultado<> materia(MovProducaoNaHora& janela, InteraccaoConfirma& ui, const LinhaFicheiro& f, bool daReceita) {
    const Falhou falhou{ui, f.onde};
    ui.limpar();
    if (daReceita) {
        const int i = linhaDaReceita(janela.documento().materias, f.produto);
        if (i < 0)
            return Falha(QStringLiteral("%1: o produto %2 não faz parte da receita.").arg(f.onde, citacao(f.produto)));
        janela.lvwMateriaPrima.lvw_SelectLinha(i);
        janela.abrirMateria(u'A');
    } else {
        janela.abrirMateria(u'N');
    }
    MovProducaoNaHoraINS& e = janela.editorMateria();
    if (!daReceita) {
        e.txtProduto.codigo = f.produto;
        if (!e.produtoSaiu())
            return falhou(QStringLiteral("Produto inexistente: %1").arg(citacao(f.produto)));
    }
    if (!f.armazem.isEmpty())
        e.txtArmazem.codigo = f.armazem;
    if (f.dados.contains(QStringLiteral("quantidade")))
        e.txtQuantidade = f.quantidade;
    if (!f.precario.isEmpty())
        e.escolherPrecario(f.precario);
    if (f.dados.contains(QStringLiteral("preco"))) {
        e.escolherPrecario(QStringLiteral("Digitado"));
        e.txtPreco = f.preco;
    }
    if (!f.descricao.isEmpty())
        e.txtDescricao = f.descricao;
    if (!f.lote.isEmpty())
        e.txtLote.codigo = f.lote;
    if (!f.localizacao.isEmpty())
        e.txtLocalizacao = f.localizacao;
    if (!f.observa.isEmpty())
        e.txtObserva = f.observa;
    if (!e.gravar())
        return falhou(QStringLiteral("Linha recusada (lote em falta ou inexistente)."));
    janela.CalculaCustos();
    return {};
}

Resultado<> acabado(MovProducaoNaHora& janela, InteraccaoConfirma& ui, const LinhaFicheiro& f, bool daReceita) {
    const Falhou falhou{ui, f.onde};
    ui.limpar();
    if (daReceita) {
        const int i = linhaDaReceita(janela.documento().acabados, f.produto);
        if (i < 0)
            return Falha(QStringLiteral("%1: o produto %2 não faz parte da receita.").arg(f.onde, citacao(f.produto)));
        janela.lvwProdutoAcabdo.lvw_SelectLinha(i);
        janela.abrirAcabado(u'A');
    } else {
        janela.abrirAcabado(u'N');
    }
    MovProducaoNaHoraProdAcabINS& e = janela.editorAcabado();
    if (!daReceita) {
        e.txtProduto.codigo = f.produto;
        if (!e.produtoSaiu())
            return falhou(QStringLiteral("Produto inexistente: %1").arg(citacao(f.produto)));
    }
    if (!f.armazem.isEmpty())
        e.txtArmazem.codigo = f.armazem;
    if (f.dados.contains(QStringLiteral("quantidade")))
        e.txtQuantidade = f.quantidade;
    // One cost replaces the other, as clearing a field and typing the other would.
    if (f.dados.contains(QStringLiteral("percCusto"))) {
        e.txtPercCusto = f.percCusto;
        e.txtPrecoCusto = f.dados.contains(QStringLiteral("precoCusto")) ? f.precoCusto : Currency();
    } else if (f.dados.contains(QStringLiteral("precoCusto"))) {
        e.txtPrecoCusto = f.precoCusto;
        e.txtPercCusto = Currency();
    }
    if (!f.lote.isEmpty())
        e.txtLote.codigo = f.lote;
    if (!f.localizacao.isEmpty())
        e.txtLocalizacao = f.localizacao;
    if (!f.observa.isEmpty())
        e.txtObserva = f.observa;
    for (size_t i = 0; i < f.referencias.size(); ++i)
        if (!f.referencias[i].isEmpty())
            e.referencias[i] = f.referencias[i];
    if (!e.gravar())
        return falhou(QStringLiteral("Linha recusada."));
    janela.CalculaCustos();
    return {};
}

Resultado<QJsonValue> lancarUma(SessaoCli& s, const ProducaoFicheiro& p, const QString& pdf = {}) {
    InteraccaoConfirma ui;
    ui.factor = p.factor;
    MovProducaoNaHora janela(s.ctx, ui);
    const bool daReceita = !p.receita.isEmpty();
    if (!p.processo.isEmpty() && !janela.integrarProcesso(p.processo, false))
        return Falha(ui.ultima.isEmpty() ? QStringLiteral("Processo inexistente: %1").arg(citacao(p.processo)) : ui.ultima);
    if (!p.equipamento.isEmpty() && !janela.integrarEquipamento(p.equipamento, false))
        return Falha(ui.ultima.isEmpty() ? QStringLiteral("Equipamento inexistente: %1").arg(citacao(p.equipamento))
                                         : ui.ultima);
    if (daReceita && !janela.integrarNomenclatura(p.receita))
        return Falha(ui.ultima.isEmpty() ? QStringLiteral("Receita inexistente: %1").arg(citacao(p.receita)) : ui.ultima);
    for (const LinhaFicheiro& l : p.materias)
        if (auto r = materia(janela, ui, l, daReceita); !r)
            return r.falha();
    for (const LinhaFicheiro& l : p.acabados)
        if (auto r = acabado(janela, ui, l, daReceita); !r)
            return r.falha();
    ui.limpar();
    if (!janela.processar())
        return Falha(ui.ultima.isEmpty() ? QStringLiteral("A produção não foi lançada.") : ui.ultima);
    const ResultadoInstantanea& r = janela.ultimoResultado();
    QJsonArray produtos;
    // The run's finished products as the entry document holds them.
    const bool lido = s.ctx.bd().percorrer(
        QStringLiteral("SELECT Produto, Quantidade, Preco FROM LoteInstantaneo WHERE NumProcesso=? AND TipoProduto='PA' "
                       "ORDER BY NumRegisto"),
        {r.numProcesso}, [&](const QSqlQuery& q) {
            const Currency quant = Currency::fromVariant(q.value(1));
            const Currency preco = Currency::fromVariant(q.value(2));
            produtos.append(
                QJsonObject{{"produto", q.value(0).toString()},
                            {"quantidade", quant.toString()},
                            {"valCusto", quant.multiply(preco, Currency::Arredondamento::MetadeAfastaDeZero).toString()},
                            {"preco", preco.toString()}});
        });
    if (!lido)
        return Falha(s.ctx.bd().lastError());
    QJsonObject resposta{{"numProcesso", r.numProcesso},
                         {"saida", r.saida.tipo.isEmpty() ? QJsonValue() : QJsonValue(documento(r.saida))},
                         {"entrada", documento(r.entrada)},
                         {"processo", r.processo.isEmpty() ? QJsonValue() : QJsonValue(r.processo)},
                         {"acabados", produtos}};
    if (!pdf.isEmpty()) {
        // The run is posted: a print that cannot be written is told with the run it belongs to.
        const auto dados = LerImpressaoInstantanea(s.ctx, r.entrada, r.saida);
        Resultado<> escrito = dados ? ProducaoInstantaneaParaPdf(*dados, pdf) : Resultado<>(dados.falha());
        if (!escrito)
            return Falha(QStringLiteral("A produção %1 foi lançada, mas o PDF não foi gravado: %2")
                             .arg(r.numProcesso, escrito.mensagem()));
        resposta.insert(QStringLiteral("pdf"), pdf);
    }
    return QJsonValue(resposta);
}

Resultado<QJsonValue> lancar(const PedidoCli& pedido, SessaoCli& s, const QString& ficheiro) {
    const Resultado<ValorJson> doc = lerFicheiroJsonCli(ficheiro);
    if (!doc)
        return doc.falha();
    if (!doc->isObject() && !doc->isArray())
        return Falha(QStringLiteral("O ficheiro deve conter uma produção (um objecto JSON) ou uma lista delas."));
    // Every run of the file is read before any is posted.
    std::vector<ProducaoFicheiro> producoes;
    if (doc->isObject()) {
        auto p = lerProducao(*doc, QStringLiteral("produção"));
        if (!p)
            return p.falha();
        producoes.push_back(*p);
    } else {
        for (qsizetype i = 0; i < doc->lista.size(); ++i) {
            auto p = lerProducao(doc->lista[i], QStringLiteral("produção %1").arg(i + 1));
            if (!p)
                return p.falha();
            producoes.push_back(*p);
        }
    }
    const QString pdf = pedido.opcao(QStringLiteral("pdf")).trimmed();
    if (!pdf.isEmpty()) {
        if (!doc->isObject())
            return Falha(QStringLiteral("--pdf só serve com uma produção, não com uma lista."));
        // Checked before posting, so a run is not left without the print asked for.
        const QFileInfo pasta(QFileInfo(pdf).absolutePath());
        if (!pasta.isDir() || !pasta.isWritable())
            return Falha(QStringLiteral("Não é possível gravar o PDF na pasta %1.").arg(QFileInfo(pdf).absolutePath()));
    }
    QStringList botoes{QStringLiteral("cmdProcessar")};
    auto pedirBotao = [&](const QString& b) {
        if (!botoes.contains(b))
            botoes << b;
    };
    for (const ProducaoFicheiro& p : producoes) {
        if (!p.receita.isEmpty())
            pedirBotao(QStringLiteral("cmdIntegrarNomenclatura"));
        if (!p.processo.isEmpty())
            pedirBotao(QStringLiteral("cmdIntegrarProcesso"));
        if (!p.equipamento.isEmpty())
            pedirBotao(QStringLiteral("cmdIntegrarEquipamento"));
    }
    if (auto r = s.permitido(QStringLiteral("frmMovProducaoNaHora"), botoes); !r)
        return r.falha();
    if (doc->isObject())
        return lancarUma(s, producoes.front(), pdf);
    // Each run in its own transaction, in order, stopping at the first refusal, which then names
    // the runs already posted.
    QJsonArray lista, processos;
    for (size_t i = 0; i < producoes.size(); ++i) {
        const Resultado<QJsonValue> r = lancarUma(s, producoes[i]);
        if (!r) {
            pedido.parcial = QJsonObject{{"processos", processos}};
            return Falha(QStringLiteral("Produção %1: %2").arg(i + 1).arg(r.mensagem()));
        }
        lista.append(*r);
        processos.append(r->toObject().value(QStringLiteral("numProcesso")));
    }
    return QJsonValue(lista);
}

const QString UsoInstantanea =
    QStringLiteral("Uso: instantanea lancar FICHEIRO [--pdf FICHEIRO] | instantanea eliminar --processo N");

// "&Eliminar Processo" of "Relatório de Produção Instantânea": the same refusals and deletion as the
// window; asking for it on the command line is the confirmation.
Resultado<QJsonValue> eliminar(const PedidoCli& p) {
    const QString numero = p.opcao(QStringLiteral("processo")).trimmed();
    if (numero.isEmpty() || p.opcoes.contains(QStringLiteral("pdf")))
        return Falha(UsoInstantanea);
    SessaoCli s;
    if (auto r = s.abrir(p); !r)
        return r.falha();
    if (auto r = s.permitido(QStringLiteral("frmImpRelatorioProdInstantanea"), {QStringLiteral("cmdEliminarProcesso")});
        !r)
        return r.falha();
    const auto documentos = DocumentosProcessoInstantaneo(s.ctx.bd(), numero);
    if (!documentos)
        return documentos.falha();
    InteraccaoConfirma ui;
    ImpRelatorioProdInstantanea janela(s.ctx, ui);
    if (!janela.eliminarProcesso(numero))
        return Falha(ui.ultima.isEmpty() ? QStringLiteral("O processo %1 não foi eliminado.").arg(numero) : ui.ultima);
    QJsonArray lista;
    for (const DocumentoProducao& d : *documentos)
        lista.append(documento(d));
    return QJsonValue(QJsonObject{{"numProcesso", numero}, {"documentos", lista}});
}

Resultado<QJsonValue> cmdInstantanea(const PedidoCli& p) {
    const QString sub = p.argumentos.isEmpty() ? QString() : p.argumentos[0].toLower();
    if (sub == QStringLiteral("eliminar") && p.argumentos.size() == 1)
        return eliminar(p);
    if (sub != QStringLiteral("lancar") || p.argumentos.size() != 2 || p.opcoes.contains(QStringLiteral("processo")))
        return Falha(UsoInstantanea);
    SessaoCli s;
    if (auto r = s.abrir(p); !r)
        return r.falha();
    return lancar(p, s, p.argumentos[1]);
}

} // namespace

std::vector<ComandoCli> comandosInstantaneaCli() {
    return {{QStringLiteral("instantanea"),
             QStringLiteral("instantanea lancar FICHEIRO [--pdf FICHEIRO] | instantanea eliminar --processo N "
                            "--empresa CODIGO [--utilizador CODIGO]"),
             QStringLiteral("Lança uma produção instantânea: matérias-primas consumidas e produtos acabados obtidos, "
                            "uma receita multiplicada por um factor, ou o fecho de um processo de produção; --pdf "
                            "grava o relatório \"Produção Instantânea\". \"eliminar\" apaga uma produção com os "
                            "seus movimentos de stock (repõe o stock e o custo médio)."),
             {QStringLiteral("empresa"), QStringLiteral("utilizador"), QStringLiteral("pdf"), QStringLiteral("processo")},
             cmdInstantanea}};
}

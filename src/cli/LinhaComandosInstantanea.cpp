// Instant production runs on the command line: the run window's logic driven headless, every
// confirmation answered yes, so a file meets every check the window makes.

#include "cli/LeitorJsonCli.h"
#include "cli/LinhaComandosCli.h"
#include "cli/SessaoCli.h"
#include "production/MovProducaoNaHora.h"

#include <QJsonArray>
#include <QJsonObject>
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

Resultado<> materia(MovProducaoNaHora& janela, InteraccaoConfirma& ui, const ValorJson& v, const QString& onde,
                    bool daReceita) {
    const ObjectoJsonCli o(v, onde);
    QString produto, armazem, precario, lote, localizacao, observa, descricao;
    Currency quantidade, preco;
    if (auto r = primeiraFalha({o.soChaves({"produto", "armazem", "quantidade", "preco", "precario", "lote",
                                            "localizacao", "observa", "descricao"}),
                                o.texto("produto", produto, true, 15), o.texto("armazem", armazem, false, 3),
                                o.montante("quantidade", quantidade, !daReceita), o.montante("preco", preco),
                                o.texto("precario", precario, false, 15), o.texto("lote", lote, false, 30),
                                o.texto("localizacao", localizacao, false, 10), o.texto("observa", observa),
                                o.texto("descricao", descricao, false, 50)});
        !r)
        return r.falha();
    const Falhou falhou{ui, onde};
    ui.limpar();
    if (daReceita) {
        const auto& linhas = janela.documento().materias;
        const auto i = std::find_if(linhas.begin(), linhas.end(), [&](const MateriaInstantanea& m) {
            return m.produto.compare(produto.trimmed(), Qt::CaseInsensitive) == 0;
        });
        if (i == linhas.end())
            return Falha(QStringLiteral("%1: o produto %2 não faz parte da receita.").arg(onde, citacao(produto)));
        janela.lvwMateriaPrima.lvw_SelectLinha(int(i - linhas.begin()));
        janela.abrirMateria(u'A');
    } else {
        janela.abrirMateria(u'N');
    }
    MovProducaoNaHoraINS& e = janela.editorMateria();
    if (!daReceita) {
        e.txtProduto.codigo = produto;
        if (!e.produtoSaiu())
            return falhou(QStringLiteral("Produto inexistente: %1").arg(citacao(produto)));
    }
    if (!armazem.isEmpty())
        e.txtArmazem.codigo = armazem;
    if (o.tem("quantidade"))
        e.txtQuantidade = quantidade;
    if (!precario.isEmpty())
        e.escolherPrecario(precario);
    if (o.tem("preco")) {
        e.escolherPrecario(QStringLiteral("Digitado"));
        e.txtPreco = preco;
    }
    if (!descricao.isEmpty())
        e.txtDescricao = descricao;
    e.txtLote.codigo = lote.isEmpty() ? e.txtLote.codigo : lote;
    e.txtLocalizacao = localizacao.isEmpty() ? e.txtLocalizacao : localizacao;
    if (!observa.isEmpty())
        e.txtObserva = observa;
    if (!e.gravar())
        return falhou(QStringLiteral("Linha recusada (lote em falta ou inexistente)."));
    janela.CalculaCustos();
    return {};
}

Resultado<> acabado(MovProducaoNaHora& janela, InteraccaoConfirma& ui, const ValorJson& v, const QString& onde,
                    bool daReceita) {
    const ObjectoJsonCli o(v, onde);
    QString produto, armazem, lote, localizacao, observa;
    Currency quantidade, percCusto, precoCusto;
    std::array<QString, 7> refs;
    if (auto r = primeiraFalha({o.soChaves({"produto", "armazem", "quantidade", "percCusto", "precoCusto", "lote",
                                            "localizacao", "observa", "estacao", "sexo", "referencia", "modelo", "cor",
                                            "tamanho", "comprimento"}),
                                o.texto("produto", produto, true, 15), o.texto("armazem", armazem, false, 3),
                                o.montante("quantidade", quantidade, !daReceita), o.montante("percCusto", percCusto),
                                o.montante("precoCusto", precoCusto), o.texto("lote", lote, false, 30),
                                o.texto("localizacao", localizacao, false, 10), o.texto("observa", observa)});
        !r)
        return r.falha();
    for (size_t i = 0; i < refs.size(); ++i)
        if (auto r = o.texto(ChavesReferencias[i], refs[i], false, 20); !r)
            return r.falha();
    const Falhou falhou{ui, onde};
    ui.limpar();
    if (daReceita) {
        const auto& linhas = janela.documento().acabados;
        const auto i = std::find_if(linhas.begin(), linhas.end(), [&](const AcabadoInstantaneo& a) {
            return a.produto.compare(produto.trimmed(), Qt::CaseInsensitive) == 0;
        });
        if (i == linhas.end())
            return Falha(QStringLiteral("%1: o produto %2 não faz parte da receita.").arg(onde, citacao(produto)));
        janela.lvwProdutoAcabdo.lvw_SelectLinha(int(i - linhas.begin()));
        janela.abrirAcabado(u'A');
    } else {
        janela.abrirAcabado(u'N');
    }
    MovProducaoNaHoraProdAcabINS& e = janela.editorAcabado();
    if (!daReceita) {
        e.txtProduto.codigo = produto;
        if (!e.produtoSaiu())
            return falhou(QStringLiteral("Produto inexistente: %1").arg(citacao(produto)));
    }
    if (!armazem.isEmpty())
        e.txtArmazem.codigo = armazem;
    if (o.tem("quantidade"))
        e.txtQuantidade = quantidade;
    // One cost replaces the other, as clearing a field and typing the other would.
    if (o.tem("percCusto")) {
        e.txtPercCusto = percCusto;
        e.txtPrecoCusto = o.tem("precoCusto") ? precoCusto : Currency();
    } else if (o.tem("precoCusto")) {
        e.txtPrecoCusto = precoCusto;
        e.txtPercCusto = Currency();
    }
    if (!lote.isEmpty())
        e.txtLote.codigo = lote;
    if (!localizacao.isEmpty())
        e.txtLocalizacao = localizacao;
    if (!observa.isEmpty())
        e.txtObserva = observa;
    for (size_t i = 0; i < refs.size(); ++i)
        if (!refs[i].isEmpty())
            e.referencias[i] = refs[i];
    if (!e.gravar())
        return falhou(QStringLiteral("Linha recusada."));
    janela.CalculaCustos();
    return {};
}

Resultado<QJsonValue> lancar(SessaoCli& s, const QString& ficheiro) {
    const Resultado<ValorJson> doc = lerFicheiroJsonCli(ficheiro);
    if (!doc)
        return doc.falha();
    if (!doc->isObject())
        return Falha(QStringLiteral("O ficheiro deve conter uma produção (um objecto JSON)."));
    const ObjectoJsonCli o(*doc, QStringLiteral("produção"));
    QString receita, factor = QStringLiteral("1");
    Currency factorNumero;
    QList<ValorJson> materias, acabados;
    if (auto r = primeiraFalha({o.soChaves({"receita", "factor", "materias", "acabados"}),
                                o.texto("receita", receita, false, 15), o.listaObjectos("materias", materias),
                                o.listaObjectos("acabados", acabados)});
        !r)
        return r.falha();
    // The factor as a number, or as the user would type it ("2,5").
    if (o.tem("factor")) {
        if (o.texto("factor", factor, false, 20).ok()) {
        } else if (auto r = o.montante("factor", factorNumero); r) {
            factor = factorNumero.toShortString();
        } else {
            return r.falha();
        }
        if (receita.isEmpty())
            return Falha(QStringLiteral("O factor só serve com uma receita (\"receita\")."));
        if (!LerFactorReceita(factor))
            return Falha(QStringLiteral("Factor inválido: %1 (um número maior que 0).").arg(citacao(factor)));
    }

    QStringList botoes{QStringLiteral("cmdProcessar")};
    if (!receita.isEmpty())
        botoes << QStringLiteral("cmdIntegrarNomenclatura");
    if (auto r = s.permitido(QStringLiteral("frmMovProducaoNaHora"), botoes); !r)
        return r.falha();

    InteraccaoConfirma ui;
    ui.factor = factor;
    MovProducaoNaHora janela(s.ctx, ui);
    const bool daReceita = !receita.isEmpty();
    if (daReceita && !janela.integrarNomenclatura(receita))
        return Falha(ui.ultima.isEmpty() ? QStringLiteral("Receita inexistente: %1").arg(citacao(receita)) : ui.ultima);
    for (qsizetype i = 0; i < materias.size(); ++i)
        if (auto r = materia(janela, ui, materias[i], QStringLiteral("matéria-prima %1").arg(i + 1), daReceita); !r)
            return r.falha();
    for (qsizetype i = 0; i < acabados.size(); ++i)
        if (auto r = acabado(janela, ui, acabados[i], QStringLiteral("produto acabado %1").arg(i + 1), daReceita); !r)
            return r.falha();
    ui.limpar();
    if (!janela.processar())
        return Falha(ui.ultima.isEmpty() ? QStringLiteral("A produção não foi lançada.") : ui.ultima);
    const ResultadoInstantanea& r = janela.ultimoResultado();
    QJsonArray produtos;
    // The run's finished products as the entry document holds them.
    s.ctx.bd().percorrer(QStringLiteral("SELECT Produto, Quantidade, Preco FROM LoteInstantaneo WHERE NumProcesso=? "
                                        "AND TipoProduto='PA' ORDER BY NumRegisto"),
                         {r.numProcesso}, [&](const QSqlQuery& q) {
                             const Currency quant = Currency::fromVariant(q.value(1));
                             const Currency preco = Currency::fromVariant(q.value(2));
                             produtos.append(QJsonObject{
                                 {"produto", q.value(0).toString()},
                                 {"quantidade", quant.toString()},
                                 {"valCusto", quant.multiply(preco, Currency::Arredondamento::MetadeAfastaDeZero).toString()},
                                 {"preco", preco.toString()}});
                         });
    return QJsonValue(QJsonObject{{"numProcesso", r.numProcesso},
                                  {"saida", r.saida.tipo.isEmpty() ? QJsonValue() : QJsonValue(documento(r.saida))},
                                  {"entrada", documento(r.entrada)},
                                  {"acabados", produtos}});
}

Resultado<QJsonValue> cmdInstantanea(const PedidoCli& p) {
    if (p.argumentos.size() != 2 || p.argumentos[0].toLower() != QStringLiteral("lancar"))
        return Falha(QStringLiteral("Uso: instantanea lancar FICHEIRO"));
    SessaoCli s;
    if (auto r = s.abrir(p); !r)
        return r.falha();
    return lancar(s, p.argumentos[1]);
}

} // namespace

std::vector<ComandoCli> comandosInstantaneaCli() {
    return {{QStringLiteral("instantanea"),
             QStringLiteral("instantanea lancar FICHEIRO --empresa CODIGO [--utilizador CODIGO]"),
             QStringLiteral("Lança uma produção instantânea: matérias-primas consumidas e produtos acabados obtidos, "
                            "ou uma receita multiplicada por um factor."),
             {QStringLiteral("empresa"), QStringLiteral("utilizador")},
             cmdInstantanea}};
}

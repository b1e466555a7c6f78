// Instant recipes on the command line: one recipe exported to JSON and imported through the
// recipe window's own logic, so a file passes every check the window makes.

#include "cli/LeitorJsonCli.h"
#include "cli/LinhaComandosCli.h"
#include "cli/SessaoCli.h"
#include "common/FicheiroSaida.h"
#include "company/GlobalContext.h"
#include "production/NomenclaturaNaHora.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

const char* chaveLista(TipoLinhaReceita t) { return t == TipoLinhaReceita::Materia ? "materias" : "acabados"; }

QJsonObject paraJson(const Receita& r) {
    QJsonObject o{{"codigo", r.codigo}, {"descricao", r.descricao}, {"fluxo", r.fluxo}};
    for (TipoLinhaReceita t : {TipoLinhaReceita::Materia, TipoLinhaReceita::Acabado}) {
        QJsonArray a;
        for (const LinhaReceita& l : r.linhas(t))
            a.append(QJsonObject{{"produto", l.produto},
                                 {"armazem", l.armazem},
                                 {"quantidade", l.quantidade.toString()},
                                 {"precario", l.precario},
                                 {"valor", l.valor.toString()},
                                 {"observa", l.observa}});
        o.insert(QLatin1String(chaveLista(t)), a);
    }
    return o;
}

Resultado<QJsonValue> exportar(SessaoCli& s, const PedidoCli& p, const QString& ficheiro) {
    const QString codigo = p.opcao(QStringLiteral("codigo")).trimmed().toUpper();
    if (codigo.isEmpty())
        return Falha(QStringLiteral("Falta o código da receita (--codigo CODIGO)."));
    const auto lida = LerReceita(s.ctx.bd(), codigo);
    if (!lida)
        return lida.falha();
    if (!*lida)
        return Falha(QStringLiteral("Receita inexistente: %1").arg(citacao(codigo)));
    if (auto r = DestinoDeFicheiroValido(ficheiro); !r)
        return r.falha();
    QSaveFile f(ficheiro);
    const QByteArray texto = QJsonDocument(paraJson(**lida)).toJson(QJsonDocument::Indented);
    if (!f.open(QIODevice::WriteOnly) || f.write(texto) != texto.size() || !f.commit())
        return Falha(QStringLiteral("Não foi possível escrever o ficheiro %1.").arg(ficheiro));
    return QJsonValue(QJsonObject{{"codigo", codigo},
                                  {"materias", int((*lida)->materias.size())},
                                  {"acabados", int((*lida)->acabados.size())},
                                  {"ficheiro", ficheiro}});
}

// One line of the file through the line editor, as the user would type it.
Resultado<> importarLinha(NomenclaturaNaHora& janela, InteraccaoCli& ui, TipoLinhaReceita tipo, const ValorJson& v,
                          const QString& onde) {
    const ObjectoJsonCli o(v, onde);
    QString produto, armazem, precario, observa;
    Currency quantidade, valor;
    if (auto r = primeiraFalha({o.soChaves({"produto", "armazem", "quantidade", "precario", "valor", "observa"}),
                                o.texto("produto", produto, true, 15), o.texto("armazem", armazem, false, 3),
                                o.montante("quantidade", quantidade, true), o.texto("precario", precario, false, 15),
                                o.montante("valor", valor), o.texto("observa", observa)});
        !r)
        return r.falha();
    if (!janela.abrirLinha(u'N', tipo))
        return Falha(QStringLiteral("Não foi possível acrescentar a %1.").arg(onde));
    NomenclaturaNaHoraINS& e = janela.editor();
    auto recusa = [&](const QString& alternativa) {
        return Falha(QStringLiteral("%1: %2").arg(onde, ui.ultima.isEmpty() ? alternativa : ui.ultima));
    };
    ui.limpar();
    e.txtProduto.codigo = produto;
    if (!e.produtoSaiu())
        return recusa(QStringLiteral("Produto inexistente: %1").arg(citacao(produto)));
    e.txtArmazem.codigo = armazem;
    if (!e.armazemSaiu())
        return recusa(QStringLiteral("Armazém inexistente: %1").arg(citacao(armazem)));
    if (!precario.isEmpty()) {
        if (!e.precarioPermitido(precario)) {
            QStringList aceites;
            for (const QString& opcao : e.opcoesPrecario().split(u';', Qt::SkipEmptyParts))
                aceites << opcao.section(u':', 0, 0);
            return Falha(QStringLiteral("%1: preçário inválido %2 (aceites: %3).")
                             .arg(onde, citacao(precario), aceites.join(QStringLiteral(", "))));
        }
        e.escolherPrecario(precario);
    }
    e.txtQuantidade = quantidade;
    e.txtValor = valor;
    e.txtObserva = observa;
    if (!e.gravar())
        return recusa(QStringLiteral("Linha recusada."));
    return {};
}

Resultado<QJsonValue> importar(SessaoCli& s, const PedidoCli& p, const QString& ficheiro) {
    const QString substituir = p.opcao(QStringLiteral("substituir")).trimmed().toLower();
    if (!substituir.isEmpty() && substituir != QStringLiteral("sim") && substituir != QStringLiteral("nao") &&
        substituir != QStringLiteral("não"))
        return Falha(QStringLiteral("--substituir aceita \"sim\" ou \"não\"."));
    const Resultado<ValorJson> doc = lerFicheiroJsonCli(ficheiro);
    if (!doc)
        return doc.falha();
    if (!doc->isObject())
        return Falha(QStringLiteral("O ficheiro deve conter uma receita (um objecto JSON)."));
    const ObjectoJsonCli o(*doc, QStringLiteral("receita"));
    QString codigo, descricao, fluxo = QStringLiteral("A");
    QList<ValorJson> materias, acabados;
    if (auto r = primeiraFalha({o.soChaves({"codigo", "descricao", "fluxo", "materias", "acabados"}),
                                o.texto("codigo", codigo, true, 15), o.texto("descricao", descricao, true, 50),
                                o.texto("fluxo", fluxo, false, 1), o.listaObjectos("materias", materias, true),
                                o.listaObjectos("acabados", acabados, true)});
        !r)
        return r.falha();
    fluxo = fluxo.isEmpty() ? QStringLiteral("A") : fluxo.toUpper();
    if (!QStringLiteral("ABCDE").contains(fluxo))
        return Falha(QStringLiteral("Fluxo inválido: %1 (A, B, C, D ou E).").arg(citacao(fluxo)));

    InteraccaoCli ui;
    NomenclaturaNaHora janela(s.ctx, ui);
    janela.abrir();
    const auto existe = ExisteReceita(s.ctx.bd(), codigo.trimmed().toUpper());
    if (!existe)
        return existe.falha();
    const bool substitui = *existe && substituir == QStringLiteral("sim");
    if (substitui) {
        const int linha = [&] {
            for (int i = 0; i < janela.lvwLista.numLinhas(); ++i)
                if (janela.lvwLista.texto(i, 0).compare(codigo.trimmed(), Qt::CaseInsensitive) == 0)
                    return i;
            return -1;
        }();
        janela.lvwLista.lvw_SelectLinha(linha);
        if (linha < 0 || !janela.alterar())
            return Falha(ui.ultima.isEmpty() ? QStringLiteral("Não foi possível abrir a receita.") : ui.ultima);
        // The file gives the whole recipe: its old lines go.
        janela.limparLinhas(TipoLinhaReceita::Materia);
        janela.limparLinhas(TipoLinhaReceita::Acabado);
    } else {
        janela.adicionar();
        janela.txtCodigo = codigo;
        if (!janela.codigoSaiu())
            return Falha(ui.ultima);
    }
    janela.txtDescricao = descricao;
    janela.fluxo = fluxo;
    for (TipoLinhaReceita t : {TipoLinhaReceita::Materia, TipoLinhaReceita::Acabado}) {
        const QList<ValorJson>& lista = t == TipoLinhaReceita::Materia ? materias : acabados;
        for (qsizetype i = 0; i < lista.size(); ++i) {
            const QString onde = (t == TipoLinhaReceita::Materia ? QStringLiteral("matéria-prima %1")
                                                                  : QStringLiteral("produto acabado %1"))
                                     .arg(i + 1);
            if (auto r = importarLinha(janela, ui, t, lista[i], onde); !r)
                return r.falha();
        }
    }
    ui.limpar();
    if (!janela.gravar())
        return Falha(ui.ultima.isEmpty() ? QStringLiteral("A receita não foi gravada.") : ui.ultima);
    return QJsonValue(QJsonObject{{"codigo", janela.receita().codigo},
                                  {"materias", int(janela.receita().materias.size())},
                                  {"acabados", int(janela.receita().acabados.size())},
                                  {"substituida", substitui}});
}

Resultado<QJsonValue> cmdReceita(const PedidoCli& p) {
    if (p.argumentos.size() != 2)
        return Falha(QStringLiteral("Uso: receita exportar|importar FICHEIRO"));
    const QString accao = p.argumentos[0].toLower();
    if (accao != QStringLiteral("exportar") && accao != QStringLiteral("importar"))
        return Falha(QStringLiteral("Acção desconhecida: %1 (exportar ou importar)").arg(citacao(p.argumentos[0])));
    SessaoCli s;
    if (auto r = s.abrir(p); !r)
        return r.falha();
    const bool importa = accao == QStringLiteral("importar");
    if (auto r = s.permitido(QStringLiteral("frmNomenclaturaNaHora"),
                             importa ? QStringList{QStringLiteral("cmdAdicionar"), QStringLiteral("cmdAlterar")}
                                     : QStringList{});
        !r)
        return r.falha();
    return importa ? importar(s, p, p.argumentos[1]) : exportar(s, p, p.argumentos[1]);
}

} // namespace

std::vector<ComandoCli> comandosReceitaCli() {
    return {{QStringLiteral("receita"),
             QStringLiteral("receita exportar|importar FICHEIRO --empresa CODIGO [--codigo CODIGO] [--substituir sim] "
                            "[--utilizador CODIGO]"),
             QStringLiteral("Exporta uma receita de produção instantânea para JSON, ou importa-a de um ficheiro."),
             {QStringLiteral("empresa"), QStringLiteral("utilizador"), QStringLiteral("codigo"),
              QStringLiteral("substituir")},
             cmdReceita}};
}

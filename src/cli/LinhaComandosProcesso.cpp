// Production processes on the command line: the same operations the process windows call, with
// their checks, every question answered yes.

#include "cli/LeitorJsonCli.h"
#include "cli/LinhaComandosCli.h"
#include "cli/SessaoCli.h"
#include "company/GlobalContext.h"
#include "company/Mavo.h"
#include "production/ProcessoProducao.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonObject>

namespace {

const QString Janela = QStringLiteral("frmMovProducao_Processo");
const char* const ChavesReferencias[] = {"estacao", "sexo", "referencia", "modelo", "cor", "tamanho", "comprimento"};

QJsonObject processoJson(const ProcessoProducao& p) {
    return QJsonObject{{"processo", p.processo},
                       {"descricao", p.descricao},
                       {"descricaoExtensa", p.descricaoExtensa},
                       {"dataInicio", p.dataInicio},
                       {"dataPrevista", p.dataPrevista},
                       {"dataEncerramento", p.dataEncerramento},
                       {"tipoEncerramento", p.tipoEncerramento},
                       {"numeroEncerramento", p.numeroEncerramento}};
}

QJsonObject documentoJson(const DocumentoProducao& d) {
    return QJsonObject{{"tipo", d.tipo}, {"numero", d.numero}, {"data", d.data}};
}

Resultado<> dataCli(const QString& data, const char* chave) {
    if (!data.isEmpty() && !QDate::fromString(data, Qt::ISODate).isValid())
        return Falha(QStringLiteral("\"%1\": data inválida %2 (aaaa-mm-dd).").arg(QLatin1String(chave), citacao(data)));
    return {};
}

Resultado<QJsonValue> criar(SessaoCli& s, const QString& ficheiro) {
    if (auto r = s.permitido(Janela, {QStringLiteral("cmdAdicionar")}); !r)
        return r.falha();
    const Resultado<ValorJson> doc = lerFicheiroJsonCli(ficheiro);
    if (!doc)
        return doc.falha();
    if (!doc->isObject())
        return Falha(QStringLiteral("O ficheiro deve conter um processo (um objecto JSON)."));
    const ObjectoJsonCli o(*doc, QStringLiteral("processo"));
    ProcessoProducao p;
    if (auto r = primeiraFalha({o.soChaves({"processo", "descricao", "descricaoExtensa", "dataInicio", "dataPrevista"}),
                                o.texto("processo", p.processo, false, 10), o.texto("descricao", p.descricao, false, 50),
                                o.texto("descricaoExtensa", p.descricaoExtensa),
                                o.texto("dataInicio", p.dataInicio, false, 10),
                                o.texto("dataPrevista", p.dataPrevista, false, 10)});
        !r)
        return r.falha();
    if (auto r = primeiraFalha({dataCli(p.dataInicio, "dataInicio"), dataCli(p.dataPrevista, "dataPrevista")}); !r)
        return r.falha();
    // The header's next-number button.
    if (p.processo.trimmed().isEmpty())
        p.processo = ProximoProcesso(s.ctx);
    const auto gravado = GravarProcesso(s.ctx, p, true);
    if (!gravado)
        return gravado.falha();
    return QJsonValue(processoJson(*gravado));
}

Resultado<QJsonValue> movimento(SessaoCli& s, const QString& ficheiro) {
    if (auto r = s.permitido(Janela, {QStringLiteral("cmdMovimentos")}); !r)
        return r.falha();
    const Resultado<ValorJson> doc = lerFicheiroJsonCli(ficheiro);
    if (!doc)
        return doc.falha();
    if (!doc->isObject())
        return Falha(QStringLiteral("O ficheiro deve conter um movimento (um objecto JSON)."));
    const ObjectoJsonCli o(*doc, QStringLiteral("movimento"));
    MovimentoProcesso m;
    QStringList chaves{"processo", "data",  "produto",     "armazem", "quantidade", "preco",
                       "lote",     "localizacao", "observa", "descricao", "fornece", "outUnidade", "outQuantidade"};
    for (const char* c : ChavesReferencias)
        chaves << QString::fromLatin1(c);
    if (auto r = primeiraFalha({o.soChaves(chaves), o.texto("processo", m.processo, true, 10),
                                o.texto("data", m.data, false, 10), o.texto("produto", m.produto, true, 15),
                                o.texto("armazem", m.armazem, true, 3), o.montante("quantidade", m.quantidade, true),
                                o.montante("preco", m.preco), o.texto("lote", m.lote, false, 20),
                                o.texto("localizacao", m.localizacao, false, 5), o.texto("observa", m.observa),
                                o.texto("descricao", m.descricao, false, 50), o.texto("fornece", m.fornece, false, 10)});
        !r)
        return r.falha();
    if (auto r = primeiraFalha({o.texto("outUnidade", m.outUnidade, false, 3), o.montante("outQuantidade", m.outQuantidade)});
        !r)
        return r.falha();
    const int tamanhos[] = {1, 1, 20, 10, 10, 5, 5};
    for (size_t i = 0; i < m.referencias.size(); ++i)
        if (auto r = o.texto(ChavesReferencias[i], m.referencias[i], false, tamanhos[i]); !r)
            return r.falha();
    if (auto r = dataCli(m.data, "data"); !r)
        return r.falha();
    if (m.data.isEmpty())
        m.data = Mavo(s.ctx).Get_DataServerStr();
    if (auto r = VerificaConfigProcessos(s.ctx.bd()); !r)
        return r.falha();
    // The price field starts at the product's price by the production price rule.
    if (!o.tem("preco")) {
        const auto preco = PrecoMovimentoProcesso(s.ctx, m.produto.trimmed());
        if (!preco)
            return preco.falha();
        m.preco = *preco;
    }
    const auto r = LancaMovimentoProcesso(s.ctx, m);
    if (!r)
        return Falha(r.mensagem().isEmpty() ? QStringLiteral("Não foi possível efectuar o lançamento.") : r.mensagem());
    return QJsonValue(QJsonObject{{"numRegisto", r->numRegisto},
                                  {"identifica", r->identifica},
                                  {"documento", documentoJson(r->documento)},
                                  {"valor", r->valor.toString()}});
}

Resultado<QJsonValue> reabrir(SessaoCli& s, const QString& processo) {
    if (auto r = s.permitido(Janela, {QStringLiteral("cmdAlterar")}); !r)
        return r.falha();
    const auto docs = ReabrirProcesso(s.ctx, processo);
    if (!docs)
        return docs.falha();
    QJsonArray lista;
    for (const DocumentoProducao& d : *docs)
        lista.append(documentoJson(d));
    return QJsonValue(QJsonObject{{"processo", processo.trimmed()}, {"documentosEliminados", lista}});
}

Resultado<QJsonValue> eliminar(SessaoCli& s, const QString& processo, const QString& stock) {
    if (stock != QStringLiteral("sim") && stock != QStringLiteral("nao"))
        return Falha(QStringLiteral("--stock deve ser \"sim\" ou \"nao\" (eliminar ou manter os movimentos de stock)."));
    if (auto r = s.permitido(Janela, {QStringLiteral("cmdEliminar")}); !r)
        return r.falha();
    if (auto r = EliminarProcesso(s.ctx, processo, stock == QStringLiteral("sim")); !r)
        return r.falha();
    return QJsonValue(QJsonObject{{"processo", processo.trimmed()}, {"stockEliminado", stock == QStringLiteral("sim")}});
}

Resultado<QJsonValue> listar(SessaoCli& s, const PedidoCli& p) {
    if (auto r = s.permitido(Janela, {}); !r)
        return r.falha();
    FiltroProcessos f;
    if (p.opcoes.contains(QStringLiteral("estado")))
        f.estado = p.opcao(QStringLiteral("estado")).trimmed().toUpper();
    if (f.estado != QStringLiteral("C") && f.estado != QStringLiteral("E") && f.estado != QStringLiteral("T"))
        return Falha(QStringLiteral("--estado deve ser C (em curso), E (encerrados) ou T (todos)."));
    if (f.estado == QStringLiteral("T"))
        f.estado.clear();
    f.codigo = p.opcao(QStringLiteral("codigo"));
    f.descricao = p.opcao(QStringLiteral("descricao"));
    f.de = p.opcao(QStringLiteral("de")).trimmed();
    f.ate = p.opcao(QStringLiteral("ate")).trimmed();
    if (auto r = primeiraFalha({dataCli(f.de, "--de"), dataCli(f.ate, "--ate")}); !r)
        return r.falha();
    const auto lista = ListarProcessos(s.ctx.bd(), f);
    if (!lista)
        return lista.falha();
    QJsonArray a;
    for (const ProcessoProducao& x : *lista)
        a.append(processoJson(x));
    return QJsonValue(a);
}

const QString Uso = QStringLiteral(
    "Uso: processo criar FICHEIRO | movimento FICHEIRO | reabrir --processo P | eliminar --processo P --stock sim|nao "
    "| listar [--estado C|E|T] [--codigo C] [--descricao D] [--de AAAA-MM-DD] [--ate AAAA-MM-DD]");

Resultado<QJsonValue> cmdProcesso(const PedidoCli& p) {
    const QString accao = p.argumentos.value(0).toLower();
    const bool comFicheiro = accao == QStringLiteral("criar") || accao == QStringLiteral("movimento");
    const bool semFicheiro = accao == QStringLiteral("reabrir") || accao == QStringLiteral("eliminar") ||
                             accao == QStringLiteral("listar");
    if ((!comFicheiro && !semFicheiro) || p.argumentos.size() != (comFicheiro ? 2 : 1))
        return Falha(Uso);
    const QString processo = p.opcao(QStringLiteral("processo")).trimmed();
    if ((accao == QStringLiteral("reabrir") || accao == QStringLiteral("eliminar")) && processo.isEmpty())
        return Falha(Uso);
    if (accao == QStringLiteral("eliminar") && !p.opcoes.contains(QStringLiteral("stock")))
        return Falha(QStringLiteral("Indique --stock sim ou --stock nao (eliminar ou manter os movimentos de stock)."));
    SessaoCli s;
    if (auto r = s.abrir(p); !r)
        return r.falha();
    if (accao == QStringLiteral("criar"))
        return criar(s, p.argumentos[1]);
    if (accao == QStringLiteral("movimento"))
        return movimento(s, p.argumentos[1]);
    if (accao == QStringLiteral("reabrir"))
        return reabrir(s, processo);
    if (accao == QStringLiteral("eliminar"))
        return eliminar(s, processo, p.opcao(QStringLiteral("stock")).trimmed().toLower());
    return listar(s, p);
}

} // namespace

std::vector<ComandoCli> comandosProcessoCli() {
    return {{QStringLiteral("processo"),
             QStringLiteral("processo criar FICHEIRO | movimento FICHEIRO | reabrir --processo P | eliminar --processo "
                            "P --stock sim|nao | listar [--estado C|E|T] [--codigo C] [--descricao D] [--de DATA] "
                            "[--ate DATA] --empresa CODIGO [--utilizador CODIGO]"),
             QStringLiteral("Processos para produção: cria um processo, lança uma saída (quantidade positiva) ou "
                            "devolução (negativa) de material, reabre um processo encerrado, elimina um processo "
                            "com ou sem os seus movimentos de stock, lista os processos."),
             {QStringLiteral("empresa"), QStringLiteral("utilizador"), QStringLiteral("processo"), QStringLiteral("stock"),
              QStringLiteral("estado"), QStringLiteral("codigo"), QStringLiteral("descricao"), QStringLiteral("de"),
              QStringLiteral("ate")},
             cmdProcesso}};
}

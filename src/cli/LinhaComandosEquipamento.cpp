// Equipment to dismantle on the command line: the record as the equipment window saves it, the
// user's pending warnings and the equipment report.

#include "cli/LeitorJsonCli.h"
#include "cli/LinhaComandosCli.h"
#include "cli/SessaoCli.h"
#include "company/GlobalContext.h"
#include "printing/EquipamentoImpressao.h"
#include "production/Equipamentos.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace {

const QString Janela = QStringLiteral("frmTabEquipamentos");
const char* const ChavesPasso[] = {"Abate", "Despoluimento", "Desmantelamento"};

QJsonObject equipamentoJson(const Equipamento& e) {
    QJsonObject o{{"codigo", e.codigo},
                  {"descricao", e.descricao},
                  {"dataAquisicao", e.dataAquisicao},
                  {"dataAbate", e.dataAbate},
                  {"dataDespoluimento", e.dataDespoluimento},
                  {"dataDesmantelamento", e.dataDesmantelamento},
                  {"dataCertDest", e.dataCertDest},
                  {"valorAquisicao", e.valorAquisicao.toString()},
                  {"valorDesmantelamento", e.valorDesmantelamento.toString()},
                  {"observacao", e.observacao},
                  {"utilizadores", QJsonArray::fromStringList(e.utilizadores)}};
    for (size_t i = 0; i < 3; ++i) {
        const QString passo = QLatin1String(ChavesPasso[i]);
        o.insert(QStringLiteral("avisoDias") + passo, e.avisoDias[i]);
        o.insert(QStringLiteral("avisoUtilizador") + passo, e.avisoUtilizador[i]);
        o.insert(QStringLiteral("aviso") + passo, e.aviso[i]);
    }
    return o;
}

Resultado<> dataCli(const QString& data, const QString& chave) {
    if (!data.isEmpty() && !QDate::fromString(data, Qt::ISODate).isValid())
        return Falha(QStringLiteral("\"%1\": data inválida %2 (aaaa-mm-dd).").arg(chave, citacao(data)));
    return {};
}

Resultado<QJsonValue> gravar(SessaoCli& s, const QString& ficheiro, bool alterar) {
    if (auto r = s.permitido(Janela, {alterar ? QStringLiteral("cmdAlterar") : QStringLiteral("cmdAdicionar")}); !r)
        return r.falha();
    const Resultado<ValorJson> doc = lerFicheiroJsonCli(ficheiro);
    if (!doc)
        return doc.falha();
    if (!doc->isObject())
        return Falha(QStringLiteral("O ficheiro deve conter um equipamento (um objecto JSON)."));
    const ObjectoJsonCli o(*doc, QStringLiteral("equipamento"));
    QStringList chaves{"codigo",       "descricao",          "dataAquisicao",        "dataAbate",
                       "dataDespoluimento", "dataDesmantelamento", "dataCertDest", "valorAquisicao",
                       "valorDesmantelamento", "observacao", "utilizadores"};
    for (const char* p : ChavesPasso)
        chaves << QStringLiteral("avisoDias") + QLatin1String(p) << QStringLiteral("avisoUtilizador") + QLatin1String(p);
    if (auto r = o.soChaves(chaves); !r)
        return r.falha();
    QString codigo;
    if (auto r = o.texto("codigo", codigo, true, 20); !r)
        return r.falha();
    // A change starts from the record as saved; a new one from the user's last record.
    Equipamento e;
    const auto existente = LerEquipamento(s.ctx.bd(), codigo);
    if (!existente)
        return existente.falha();
    if (alterar) {
        if (!*existente)
            return Falha(QStringLiteral("Equipamento inexistente: %1").arg(citacao(codigo)));
        e = **existente;
    } else {
        const auto novo = NovoEquipamento(s.ctx.bd(), s.ctx.CodigoUtilizador);
        if (!novo)
            return novo.falha();
        e = *novo;
        e.codigo = codigo;
    }
    // Keys left out keep the record's value (the saved one, or the new record's prefill).
    auto texto = [&](const char* chave, QString& valor, int maximo) -> Resultado<> {
        return o.tem(chave) ? o.texto(chave, valor, false, maximo) : Resultado<>();
    };
    if (!alterar && !o.tem("descricao"))
        return Falha(QStringLiteral("Não definiu a descrição!"));
    if (auto r = primeiraFalha({texto("descricao", e.descricao, 100), texto("dataAquisicao", e.dataAquisicao, 10),
                                texto("dataAbate", e.dataAbate, 10), texto("dataDespoluimento", e.dataDespoluimento, 10),
                                texto("dataDesmantelamento", e.dataDesmantelamento, 10),
                                texto("dataCertDest", e.dataCertDest, 10), o.montante("valorAquisicao", e.valorAquisicao),
                                o.montante("valorDesmantelamento", e.valorDesmantelamento),
                                texto("observacao", e.observacao, 0)});
        !r)
        return r.falha();
    for (auto [chave, valor] : {std::pair{"dataAquisicao", &e.dataAquisicao}, {"dataAbate", &e.dataAbate},
                                {"dataDespoluimento", &e.dataDespoluimento},
                                {"dataDesmantelamento", &e.dataDesmantelamento}, {"dataCertDest", &e.dataCertDest}})
        if (auto r = dataCli(*valor, QLatin1String(chave)); !r)
            return r.falha();
    for (size_t i = 0; i < 3; ++i) {
        const QByteArray dias = "avisoDias" + QByteArray(ChavesPasso[i]);
        const QByteArray utilizador = "avisoUtilizador" + QByteArray(ChavesPasso[i]);
        if (o.tem(dias.constData())) {
            Currency n;
            if (auto r = o.montante(dias.constData(), n); !r)
                return r.falha();
            if (n.isNegative() || n.casasDecimais() > 0 || n > Currency(3650))
                return Falha(QStringLiteral("\"%1\": um número inteiro de dias entre 0 e 3650.").arg(QLatin1String(dias)));
            e.avisoDias[i] = int(n.raw() / Currency::Escala);
        }
        if (o.tem(utilizador.constData()))
            if (auto r = o.texto(utilizador.constData(), e.avisoUtilizador[i], false, 2); !r)
                return r.falha();
    }
    if (o.tem("utilizadores")) {
        const ValorJson* lista = doc->membro(QLatin1String("utilizadores"));
        if (!lista || !lista->isArray())
            return Falha(QStringLiteral("\"utilizadores\" deve ser uma lista de códigos de utilizador."));
        e.utilizadores.clear();
        for (const ValorJson& u : lista->lista) {
            if (u.tipo != ValorJson::Tipo::Texto || u.texto.trimmed().isEmpty() || u.texto.size() > 2)
                return Falha(QStringLiteral("\"utilizadores\" deve ser uma lista de códigos de utilizador."));
            e.utilizadores << u.texto.trimmed();
        }
    }
    const auto gravado = GravarEquipamento(s.ctx, e, !alterar);
    if (!gravado)
        return gravado.falha();
    return QJsonValue(equipamentoJson(*gravado));
}

Resultado<QJsonValue> avisos(SessaoCli& s, const QString& data) {
    if (auto r = s.permitido(Janela, {}); !r)
        return r.falha();
    const QDate dia = data.isEmpty() ? QDate::currentDate() : QDate::fromString(data, Qt::ISODate);
    if (!dia.isValid())
        return Falha(QStringLiteral("--data inválida %1 (aaaa-mm-dd).").arg(citacao(data)));
    const auto lista = AvisosEquipamentos(s.ctx.bd(), s.ctx.CodigoUtilizador, dia);
    if (!lista)
        return lista.falha();
    QJsonArray a;
    for (const AvisoEquipamento& x : *lista)
        a.append(QJsonObject{{"codigo", x.codigo}, {"descricao", x.descricao}, {"dataControlo", x.dataControlo},
                             {"aviso", x.aviso}});
    return QJsonValue(a);
}

Resultado<QJsonValue> relatorio(SessaoCli& s, const QString& codigo, const QString& pdf) {
    if (auto r = s.permitido(Janela, {QStringLiteral("cmdImprimir")}); !r)
        return r.falha();
    const auto r = LerRelatorioEquipamento(s.ctx.bd(), codigo);
    if (!r)
        return r.falha();
    if (auto escrito = RelatorioEquipamentoParaPdf(*r, NomeEmpresaImpressao(s.ctx), pdf); !escrito)
        return escrito.falha();
    return QJsonValue(QJsonObject{{"codigo", r->equipamento.codigo},
                                  {"totalCustos", r->totalCustos.toString()},
                                  {"totalProveitos", r->totalProveitos.toString()},
                                  {"saldo", r->saldo().toString()},
                                  {"pdf", pdf}});
}

const QString Uso = QStringLiteral(
    "Uso: equipamento gravar FICHEIRO [--alterar sim] | avisos [--data AAAA-MM-DD] | relatorio --codigo C --pdf FICHEIRO");

Resultado<QJsonValue> cmdEquipamento(const PedidoCli& p) {
    const QString accao = p.argumentos.value(0).toLower();
    if (accao == QStringLiteral("gravar") ? p.argumentos.size() != 2
                                          : (accao != QStringLiteral("avisos") && accao != QStringLiteral("relatorio")) ||
                                                p.argumentos.size() != 1)
        return Falha(Uso);
    const QString alterar = p.opcao(QStringLiteral("alterar")).trimmed().toLower();
    if (p.opcoes.contains(QStringLiteral("alterar")) && alterar != QStringLiteral("sim"))
        return Falha(QStringLiteral("--alterar só aceita \"sim\"."));
    if (accao == QStringLiteral("relatorio") &&
        (p.opcao(QStringLiteral("codigo")).trimmed().isEmpty() || p.opcao(QStringLiteral("pdf")).trimmed().isEmpty()))
        return Falha(Uso);
    SessaoCli s;
    if (auto r = s.abrir(p); !r)
        return r.falha();
    if (accao == QStringLiteral("gravar"))
        return gravar(s, p.argumentos[1], alterar == QStringLiteral("sim"));
    if (accao == QStringLiteral("avisos"))
        return avisos(s, p.opcao(QStringLiteral("data")).trimmed());
    return relatorio(s, p.opcao(QStringLiteral("codigo")).trimmed(), p.opcao(QStringLiteral("pdf")).trimmed());
}

} // namespace

std::vector<ComandoCli> comandosEquipamentoCli() {
    return {{QStringLiteral("equipamento"),
             QStringLiteral("equipamento gravar FICHEIRO [--alterar sim] | avisos [--data AAAA-MM-DD] | relatorio "
                            "--codigo C --pdf FICHEIRO --empresa CODIGO [--utilizador CODIGO]"),
             QStringLiteral("Equipamentos a desmantelar: grava um equipamento (as datas de aviso são calculadas), lista "
                            "os avisos do utilizador, grava o relatório de custos e proveitos de um equipamento."),
             {QStringLiteral("empresa"), QStringLiteral("utilizador"), QStringLiteral("alterar"), QStringLiteral("data"),
              QStringLiteral("codigo"), QStringLiteral("pdf")},
             cmdEquipamento}};
}

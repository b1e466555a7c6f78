#include "cli/LinhaComandosCli.h"

#include "common/Currency.h"
#include "common/FicheiroSaida.h"
#include "company/EmpresaDemo.h"
#include "cli/LeitorJsonCli.h"
#include "company/Empresas.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// The PostgreSQL login is --login: --utilizador names the program user of the company commands.
const QStringList OpcoesComuns{QStringLiteral("pg"), QStringLiteral("login")};

Resultado<QJsonValue> cmdDemo(const PedidoCli& p) {
    if (!p.argumentos.isEmpty())
        return Falha(
            QStringLiteral("Argumento inesperado: %1 (use: demo)").arg(p.argumentos.first().left(40)));
    const Resultado<bool> criada = criarEmpresaDemo(p.servidor);
    if (!criada)
        return criada.falha();
    return QJsonValue(QJsonObject{{"empresa", QString::fromLatin1(CodigoEmpresaDemo)}, {"criada", *criada}});
}

Resultado<QJsonValue> cmdCriarEmpresa(const PedidoCli& p) {
    if (p.argumentos.size() != 1)
        return Falha(
            QStringLiteral("Indique um só código de empresa: criar-empresa CODIGO --nome NOME --ano AAAA"));
    const QString codigo = p.argumentos.first();
    if (!codigoEmpresaValido(codigo))
        return Falha(QStringLiteral("Código de empresa inválido: deve ter 4 letras ou algarismos."));
    const QString nome = p.opcao(QStringLiteral("nome")).trimmed();
    if (nome.isEmpty())
        return Falha(QStringLiteral("Falta o nome da empresa (--nome)."));
    static const QRegularExpression quatroAlgarismos(QStringLiteral("^[0-9]{4}$"));
    const QString ano = p.opcao(QStringLiteral("ano"));
    if (ano.isEmpty())
        return Falha(QStringLiteral("Falta o ano da empresa (--ano)."));
    if (!quatroAlgarismos.match(ano).hasMatch() || ano.toInt() < 1000)
        return Falha(QStringLiteral("Ano inválido: deve ter 4 algarismos."));
    NovaEmpresa nova;
    nova.codigo = codigo;
    nova.nome = nome;
    nova.ano = ano.toInt();
    const QString inicial = qEnvironmentVariable("LUMO_PASSWORD_SUPERVISOR");
    if (!inicial.isEmpty())
        nova.passwordSupervisor = inicial;
    if (auto r = criarEmpresa(p.servidor, nova); !r)
        return r.falha();
    return QJsonValue(QJsonObject{{"empresa", codigo}, {"criada", true}});
}

Resultado<QJsonValue> cmdEmpresas(const PedidoCli& p) {
    const Resultado<QList<EmpresaInfo>> lista = listarEmpresas(p.servidor);
    if (!lista)
        return Falha(
            QStringLiteral("Não foi possível ler as empresas do servidor: %1").arg(lista.mensagem()));
    QJsonArray r;
    for (const EmpresaInfo& e : *lista)
        r.append(QJsonObject{{"codigo", e.codigo},
                             {"nome", e.nome},
                             {"ano", e.ano},
                             {"servidor", e.servidor},
                             {"versao", e.versao}});
    return QJsonValue(r);
}

Resultado<QJsonValue> cmdAjuda(const PedidoCli&) {
    QJsonArray r;
    for (const ComandoCli& c : comandosCli())
        r.append(QJsonObject{{"comando", c.nome}, {"uso", c.uso}, {"descricao", c.descricao}});
    return QJsonValue(
        QJsonObject{{"comandos", r},
                    {"opcoes", QStringLiteral("--pg SERVIDOR[:PORTA] --login LOGIN (password em "
                                              "LUMO_PG_PASSWORD); sem --pg, pasta LUMO_DADOS; "
                                              "--empresa CODIGO --utilizador CODIGO nos comandos "
                                              "de uma empresa")}});
}

QByteArray json(const QJsonValue& v) {
    const QJsonDocument d = v.isArray() ? QJsonDocument(v.toArray()) : QJsonDocument(v.toObject());
    return d.toJson(QJsonDocument::Compact) + '\n';
}

int respostaErro(const QString& erro, QByteArray* saida) {
    *saida = json(QJsonObject{{"erro", erro}});
    return 1;
}

} // namespace

const std::vector<ComandoCli>& comandosCli() {
    static const std::vector<ComandoCli> comandos = [] {
        std::vector<ComandoCli> c = {
            {QStringLiteral("demo"),
             QStringLiteral("demo"),
             QStringLiteral("Cria a empresa de demonstração 0001 quando ainda não existe."),
             {},
             cmdDemo},
            {QStringLiteral("criar-empresa"),
             QStringLiteral("criar-empresa CODIGO --nome NOME --ano AAAA"),
             QStringLiteral("Cria uma empresa nova com os parâmetros base."),
             {QStringLiteral("nome"), QStringLiteral("ano")},
             cmdCriarEmpresa},
            {QStringLiteral("empresas"),
             QStringLiteral("empresas"),
             QStringLiteral("Lista as empresas do servidor."),
             {},
             cmdEmpresas},
        };
        for (ComandoCli& s : comandosStockCli())
            c.push_back(std::move(s));
        for (ComandoCli& s : comandosProducaoCli())
            c.push_back(std::move(s));
        for (ComandoCli& s : comandosNomenclaturaCli())
            c.push_back(std::move(s));
        for (ComandoCli& s : comandosReceitaCli())
            c.push_back(std::move(s));
        for (ComandoCli& s : comandosInstantaneaCli())
            c.push_back(std::move(s));
        for (ComandoCli& s : comandosProcessoCli())
            c.push_back(std::move(s));
        for (ComandoCli& s : comandosEquipamentoCli())
            c.push_back(std::move(s));
        for (ComandoCli& s : comandosMedicoesCli())
            c.push_back(std::move(s));
        for (ComandoCli& s : comandosEtiquetasCli())
            c.push_back(std::move(s));
        for (ComandoCli& s : comandosRelatorioCli())
            c.push_back(std::move(s));
        for (ComandoCli& s : comandosDocumentosCli())
            c.push_back(std::move(s));
        for (ComandoCli& s : comandosSegurancasCli())
            c.push_back(std::move(s));
        { extern ComandoCli ComandoRastrearCli(); c.push_back(ComandoRastrearCli()); } // LinhaComandosRastrear.cpp
        c.push_back({QStringLiteral("ajuda"),
                     QStringLiteral("ajuda | --help | COMANDO --help"),
                     QStringLiteral("Lista os comandos."),
                     {},
                     cmdAjuda});
        return c;
    }();
    return comandos;
}

Resultado<ConnectionParams> servidorCli(const QHash<QString, QString>& opcoes) {
    const QString pg = opcoes.value(QStringLiteral("pg")).trimmed();
    if (pg.isEmpty()) {
        if (opcoes.contains(QStringLiteral("login")))
            return Falha(QStringLiteral("A opção --login só serve com --pg."));
        QString pasta = qEnvironmentVariable("LUMO_DADOS");
        if (pasta.isEmpty())
            pasta = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                    QStringLiteral("/empresas");
        if (!CriarPastaPrivada(pasta))
            return Falha(QStringLiteral("Não foi possível criar a pasta de dados %1.").arg(pasta));
        return ConnectionParams::sqlite(QDir(pasta).absolutePath());
    }
    ConnectionParams s = ConnectionParams::postgres(pg);
    const qsizetype dp = pg.lastIndexOf(u':');
    if (dp >= 0) {
        bool ok = false;
        const int porta = pg.mid(dp + 1).toInt(&ok);
        if (!ok || porta <= 0 || porta > 65535 || dp == 0)
            return Falha(
                QStringLiteral("Servidor PostgreSQL inválido: %1 (use SERVIDOR ou SERVIDOR:PORTA).").arg(pg));
        s.host = pg.left(dp);
        s.porta = porta;
    }
    const QString login = opcoes.value(QStringLiteral("login")).trimmed();
    if (login.isEmpty()) {
        // Without a login, the operating-system user (peer authentication).
        s.autenticacao = QStringLiteral("WIN");
    } else {
        s.autenticacao = QStringLiteral("SQL");
        s.login = login;
        s.password = qEnvironmentVariable("LUMO_PG_PASSWORD");
    }
    return s;
}

int executarLinhaComandos(const QStringList& argumentos, QByteArray* saida) {
    if (argumentos.isEmpty())
        return respostaErro(QStringLiteral("Falta o comando. Use \"ajuda\" para ver os comandos."), saida);
    const bool pedeAjuda = argumentos.first() == QStringLiteral("--help") || argumentos.first() == QStringLiteral("-h");
    const QString nome = pedeAjuda ? QStringLiteral("ajuda") : argumentos.first();
    const ComandoCli* comando = nullptr;
    for (const ComandoCli& c : comandosCli())
        if (c.nome == nome)
            comando = &c;
    if (!comando)
        return respostaErro(QStringLiteral("Comando desconhecido: %1").arg(citacao(nome)), saida);

    // "COMANDO --help" answers the command's own usage and runs nothing.
    if (!pedeAjuda && (argumentos.contains(QStringLiteral("--help")) || argumentos.contains(QStringLiteral("-h")))) {
        *saida = json(QJsonObject{{"comando", comando->nome}, {"uso", comando->uso}, {"descricao", comando->descricao}});
        return 0;
    }
    PedidoCli pedido;
    for (qsizetype i = 1; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        if (!a.startsWith(QStringLiteral("--"))) {
            pedido.argumentos << a;
            continue;
        }
        const QString opcao = a.mid(2);
        if (opcao.compare(QStringLiteral("password"), Qt::CaseInsensitive) == 0)
            return respostaErro(
                QStringLiteral("A password não se dá na linha de comandos: use LUMO_PG_PASSWORD."), saida);
        if (!OpcoesComuns.contains(opcao) && !comando->opcoes.contains(opcao))
            return respostaErro(QStringLiteral("Opção desconhecida: %1").arg(citacao(a)), saida);
        const bool flag = comando->semValor.contains(opcao);
        if (!flag && i + 1 >= argumentos.size())
            return respostaErro(QStringLiteral("Falta o valor da opção %1.").arg(citacao(a)), saida);
        const QString valor = flag ? QStringLiteral("sim") : argumentos[++i];
        if (pedido.opcoes.contains(opcao) && !comando->repetiveis.contains(opcao))
            return respostaErro(QStringLiteral("A opção %1 foi dada mais de uma vez.").arg(citacao(a)), saida);
        pedido.opcoes.insert(opcao, valor);
        if (comando->repetiveis.contains(opcao))
            pedido.repetidas[opcao] << valor;
    }
    const Resultado<ConnectionParams> servidor = servidorCli(pedido.opcoes);
    if (!servidor)
        return respostaErro(servidor.mensagem(), saida);
    pedido.servidor = *servidor;
    const Resultado<QJsonValue> r = [&]() -> Resultado<QJsonValue> {
        try {
            return comando->executar(pedido);
        } catch (const EstouroMontante&) {
            // Whatever was being written was rolled back by its transaction's guard on the way out.
            return Falha(QStringLiteral(
                "Ultrapassou o valor limite: um montante ou quantidade não cabe no tipo monetário."));
        }
    }();
    if (!r) {
        // A command that wrote something before its refusal says what in its partial answer.
        QJsonObject o = pedido.parcial;
        o.insert(QStringLiteral("erro"),
                 r.mensagem().isEmpty() ? QStringLiteral("Falhou o comando %1.").arg(nome) : r.mensagem());
        *saida = json(o);
        return 1;
    }
    *saida = json(*r);
    return 0;
}

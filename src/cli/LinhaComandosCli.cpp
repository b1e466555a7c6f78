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

bool cmdDemo(const PedidoCli& p, QJsonValue& resultado, QString& erro) {
    if (!p.argumentos.isEmpty()) {
        erro = QStringLiteral("Argumento inesperado: %1 (use: demo)").arg(p.argumentos.first().left(40));
        return false;
    }
    bool criada = false;
    if (!criarEmpresaDemo(p.servidor, &erro, &criada))
        return false;
    resultado = QJsonObject{{"empresa", QString::fromLatin1(CodigoEmpresaDemo)}, {"criada", criada}};
    return true;
}

bool cmdCriarEmpresa(const PedidoCli& p, QJsonValue& resultado, QString& erro) {
    if (p.argumentos.size() != 1) {
        erro = QStringLiteral("Indique um só código de empresa: criar-empresa CODIGO --nome NOME --ano AAAA");
        return false;
    }
    const QString codigo = p.argumentos.first();
    if (!codigoEmpresaValido(codigo)) {
        erro = QStringLiteral("Código de empresa inválido: deve ter 4 letras ou algarismos.");
        return false;
    }
    const QString nome = p.opcao(QStringLiteral("nome")).trimmed();
    if (nome.isEmpty()) {
        erro = QStringLiteral("Falta o nome da empresa (--nome).");
        return false;
    }
    static const QRegularExpression quatroAlgarismos(QStringLiteral("^[0-9]{4}$"));
    const QString ano = p.opcao(QStringLiteral("ano"));
    if (ano.isEmpty()) {
        erro = QStringLiteral("Falta o ano da empresa (--ano).");
        return false;
    }
    if (!quatroAlgarismos.match(ano).hasMatch() || ano.toInt() < 1000) {
        erro = QStringLiteral("Ano inválido: deve ter 4 algarismos.");
        return false;
    }
    NovaEmpresa nova;
    nova.codigo = codigo;
    nova.nome = nome;
    nova.ano = ano.toInt();
    const QString inicial = qEnvironmentVariable("LUMO_PASSWORD_SUPERVISOR");
    if (!inicial.isEmpty())
        nova.passwordSupervisor = inicial;
    if (!criarEmpresa(p.servidor, nova, &erro))
        return false;
    resultado = QJsonObject{{"empresa", codigo}, {"criada", true}};
    return true;
}

bool cmdEmpresas(const PedidoCli& p, QJsonValue& resultado, QString& erro) {
    QString motivo;
    const QList<EmpresaInfo> lista = listarEmpresas(p.servidor, &motivo);
    if (lista.isEmpty() && !motivo.isEmpty()) {
        erro = QStringLiteral("Não foi possível ler as empresas do servidor: %1").arg(motivo);
        return false;
    }
    QJsonArray r;
    for (const EmpresaInfo& e : lista)
        r.append(QJsonObject{{"codigo", e.codigo},
                             {"nome", e.nome},
                             {"ano", e.ano},
                             {"servidor", e.servidor},
                             {"versao", e.versao}});
    resultado = r;
    return true;
}

bool cmdAjuda(const PedidoCli&, QJsonValue& resultado, QString&) {
    QJsonArray r;
    for (const ComandoCli& c : comandosCli())
        r.append(QJsonObject{{"comando", c.nome}, {"uso", c.uso}, {"descricao", c.descricao}});
    resultado = QJsonObject{{"comandos", r},
                            {"opcoes", QStringLiteral("--pg SERVIDOR[:PORTA] --login LOGIN (password em "
                                                      "LUMO_PG_PASSWORD); sem --pg, pasta LUMO_DADOS; "
                                                      "--empresa CODIGO --utilizador CODIGO nos comandos "
                                                      "de uma empresa")}};
    return true;
}

QByteArray json(const QJsonValue& v) {
    const QJsonDocument d = v.isArray() ? QJsonDocument(v.toArray()) : QJsonDocument(v.toObject());
    return d.toJson(QJsonDocument::Compact) + '\n';
}

int falha(const QString& erro, QByteArray* saida) {
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
        c.push_back({QStringLiteral("ajuda"),
                     QStringLiteral("ajuda | --help | COMANDO --help"),
                     QStringLiteral("Lista os comandos."),
                     {},
                     cmdAjuda});
        return c;
    }();
    return comandos;
}

bool servidorCli(const QHash<QString, QString>& opcoes, ConnectionParams* s, QString* erro) {
    *s = ConnectionParams();
    const QString pg = opcoes.value(QStringLiteral("pg")).trimmed();
    if (pg.isEmpty()) {
        if (opcoes.contains(QStringLiteral("login"))) {
            *erro = QStringLiteral("A opção --login só serve com --pg.");
            return false;
        }
        QString pasta = qEnvironmentVariable("LUMO_DADOS");
        if (pasta.isEmpty())
            pasta = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                    QStringLiteral("/empresas");
        if (!CriarPastaPrivada(pasta)) {
            *erro = QStringLiteral("Não foi possível criar a pasta de dados %1.").arg(pasta);
            return false;
        }
        *s = ConnectionParams::sqlite(QDir(pasta).absolutePath());
        return true;
    }
    *s = ConnectionParams::postgres(pg);
    const qsizetype dp = pg.lastIndexOf(u':');
    if (dp >= 0) {
        bool ok = false;
        const int porta = pg.mid(dp + 1).toInt(&ok);
        if (!ok || porta <= 0 || porta > 65535 || dp == 0) {
            *erro =
                QStringLiteral("Servidor PostgreSQL inválido: %1 (use SERVIDOR ou SERVIDOR:PORTA).").arg(pg);
            return false;
        }
        s->host = pg.left(dp);
        s->porta = porta;
    }
    const QString login = opcoes.value(QStringLiteral("login")).trimmed();
    if (login.isEmpty()) {
        // Without a login, the operating-system user (peer authentication).
        s->autenticacao = QStringLiteral("WIN");
    } else {
        s->autenticacao = QStringLiteral("SQL");
        s->login = login;
        s->password = qEnvironmentVariable("LUMO_PG_PASSWORD");
    }
    return true;
}

int executarLinhaComandos(const QStringList& argumentos, QByteArray* saida) {
    if (argumentos.isEmpty())
        return falha(QStringLiteral("Falta o comando. Use \"ajuda\" para ver os comandos."), saida);
    const bool pedeAjuda = argumentos.first() == QStringLiteral("--help") || argumentos.first() == QStringLiteral("-h");
    const QString nome = pedeAjuda ? QStringLiteral("ajuda") : argumentos.first();
    const ComandoCli* comando = nullptr;
    for (const ComandoCli& c : comandosCli())
        if (c.nome == nome)
            comando = &c;
    if (!comando)
        return falha(QStringLiteral("Comando desconhecido: %1").arg(citacao(nome)), saida);

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
            return falha(QStringLiteral("A password não se dá na linha de comandos: use LUMO_PG_PASSWORD."),
                         saida);
        if (!OpcoesComuns.contains(opcao) && !comando->opcoes.contains(opcao))
            return falha(QStringLiteral("Opção desconhecida: %1").arg(citacao(a)), saida);
        if (i + 1 >= argumentos.size())
            return falha(QStringLiteral("Falta o valor da opção %1.").arg(citacao(a)), saida);
        pedido.opcoes.insert(opcao, argumentos[++i]);
    }
    QString erro;
    if (!servidorCli(pedido.opcoes, &pedido.servidor, &erro))
        return falha(erro, saida);
    QJsonValue resultado;
    bool ok = false;
    try {
        ok = comando->executar(pedido, resultado, erro);
    } catch (const EstouroMontante&) {
        // Whatever was being written was rolled back by its transaction's guard on the way out.
        erro = QStringLiteral("Ultrapassou o valor limite: um montante ou quantidade não cabe no tipo monetário.");
    }
    if (!ok) {
        // A command that wrote something before its refusal says what in its partial answer.
        QJsonObject r = resultado.isObject() ? resultado.toObject() : QJsonObject();
        r.insert(QStringLiteral("erro"), erro.isEmpty() ? QStringLiteral("Falhou o comando %1.").arg(nome) : erro);
        *saida = json(r);
        return 1;
    }
    *saida = json(resultado);
    return 0;
}

#include "support/EmpresaDemoTest.h"
#include "support/Golden.h"

#include "company/Empresas.h"
#include "db/AdminServidor.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <memory>

// The command line as the user sees it: every tests/cli/casos/*.caso is a transcript (commands, their
// JSON answers, their exit codes) replayed on a fresh demo company of each engine. The format is
// described in tests/cli/casos/LEIAME.md.

namespace {

const QString PastaCasos = QStringLiteral(LUMO_TESTS_DIR "/cli/casos");

// One "# titulo argumento" section and the lines under it, in file order.
struct Seccao {
    QString titulo, argumento;
    QStringList linhas;
    int linha = 0; // of the title, for messages
    QString corpo() const { return linhas.join(u'\n'); }
};

struct Passo {
    int comando = -1, saida = -1, codigo = -1; // indexes into the sections
    bool parcial = false;
    std::vector<int> ficheiros; // "# ficheiro NOME": a file the command wrote
};

struct Caso {
    std::vector<Seccao> seccoes;
    std::vector<Passo> passos;
    QString erro; // the reason the file cannot be replayed
};

const QStringList Titulos{"descricao", "motores", "sql", "entrada", "comando", "saida", "codigo", "ficheiro"};

Caso lerCaso(const QByteArray& texto) {
    Caso c;
    const QStringList linhas = QString::fromUtf8(texto).split(u'\n');
    for (int i = 0; i < linhas.size(); ++i) {
        const QString& l = linhas[i];
        if (l.startsWith(QStringLiteral("# "))) {
            Seccao s;
            s.titulo = l.mid(2).section(u' ', 0, 0);
            s.argumento = l.mid(2).section(u' ', 1).trimmed();
            s.linha = i + 1;
            if (!Titulos.contains(s.titulo)) {
                c.erro = QStringLiteral("linha %1: secção desconhecida \"%2\"").arg(i + 1).arg(s.titulo);
                return c;
            }
            c.seccoes.push_back(s);
        } else if (!c.seccoes.empty()) {
            c.seccoes.back().linhas << l;
        } else if (!l.trimmed().isEmpty()) {
            c.erro = QStringLiteral("linha %1: texto antes da primeira secção").arg(i + 1);
            return c;
        }
    }
    for (int i = 0; i < int(c.seccoes.size()); ++i) {
        Seccao& s = c.seccoes[size_t(i)];
        while (!s.linhas.isEmpty() && s.linhas.last().trimmed().isEmpty())
            s.linhas.removeLast();
        if (s.titulo == QStringLiteral("comando")) {
            c.passos.push_back({});
            c.passos.back().comando = i;
            continue;
        }
        const bool doPasso = s.titulo == QStringLiteral("saida") || s.titulo == QStringLiteral("codigo") ||
                             s.titulo == QStringLiteral("ficheiro");
        if (doPasso && c.passos.empty()) {
            c.erro = QStringLiteral("linha %1: \"# %2\" antes de um \"# comando\"").arg(s.linha).arg(s.titulo);
            return c;
        }
        if (s.titulo == QStringLiteral("saida")) {
            c.passos.back().saida = i;
            c.passos.back().parcial = s.argumento == QStringLiteral("parcial");
        } else if (s.titulo == QStringLiteral("codigo")) {
            c.passos.back().codigo = i;
        } else if (s.titulo == QStringLiteral("ficheiro")) {
            c.passos.back().ficheiros.push_back(i);
        }
    }
    if (c.seccoes.empty() || c.seccoes.front().titulo != QStringLiteral("descricao"))
        c.erro = QStringLiteral("falta \"# descricao\" no início");
    else if (c.passos.empty())
        c.erro = QStringLiteral("falta \"# comando\"");
    for (const Passo& p : c.passos)
        if (c.erro.isEmpty() && (p.saida < 0 || p.codigo < 0))
            c.erro = QStringLiteral("o comando da linha %1 precisa de \"# saida\" e \"# codigo\"")
                         .arg(c.seccoes[size_t(p.comando)].linha);
    return c;
}

QString escreverCaso(const Caso& c) {
    QString r;
    for (const Seccao& s : c.seccoes) {
        if (!r.isEmpty())
            r += u'\n';
        r += QStringLiteral("# ") + s.titulo + (s.argumento.isEmpty() ? QString() : u' ' + s.argumento) + u'\n';
        for (const QString& l : s.linhas)
            r += l + u'\n';
    }
    return r;
}

// Short answers on one line, longer ones one key a line: either way a reviewer reads them at once.
QStringList linhasJson(const QJsonValue& v) {
    const QJsonDocument d = v.isArray() ? QJsonDocument(v.toArray()) : QJsonDocument(v.toObject());
    const QByteArray compacto = d.toJson(QJsonDocument::Compact);
    const QByteArray texto = compacto.size() <= 100 ? compacto : d.toJson(QJsonDocument::Indented).trimmed();
    return QString::fromUtf8(texto).split(u'\n');
}

// The words of a command line: blanks separate them, double quotes group them, "" is an empty word.
QStringList palavras(const QString& linha) {
    QStringList r;
    QString palavra;
    bool aspas = false, ha = false;
    for (const QChar c : linha) {
        if (c == u'"') {
            aspas = !aspas;
            ha = true;
        } else if (c.isSpace() && !aspas) {
            if (ha)
                r << palavra;
            palavra.clear();
            ha = false;
        } else {
            palavra += c;
            ha = true;
        }
    }
    if (ha)
        r << palavra;
    return r;
}

std::optional<QJsonValue> json(const QByteArray& texto) {
    QJsonParseError e;
    const QJsonDocument d = QJsonDocument::fromJson(texto, &e);
    if (e.error != QJsonParseError::NoError)
        return std::nullopt;
    return d.isArray() ? QJsonValue(d.array()) : QJsonValue(d.object());
}

// Expected within obtained: every expected key with a matching value, every expected list element
// matched by an element of its own, a text ending in "…" by its start.
bool contido(const QJsonValue& esperado, const QJsonValue& obtido) {
    if (esperado.isString() && obtido.isString() && esperado.toString().endsWith(u'…'))
        return obtido.toString().startsWith(esperado.toString().chopped(1));
    if (esperado.isObject() && obtido.isObject()) {
        const QJsonObject e = esperado.toObject(), o = obtido.toObject();
        for (auto it = e.begin(); it != e.end(); ++it)
            if (!o.contains(it.key()) || !contido(it.value(), o.value(it.key())))
                return false;
        return true;
    }
    if (esperado.isArray() && obtido.isArray()) {
        QJsonArray resto = obtido.toArray();
        for (const QJsonValue& e : esperado.toArray()) {
            qsizetype i = 0;
            while (i < resto.size() && !contido(e, resto.at(i)))
                ++i;
            if (i == resto.size())
                return false;
            resto.removeAt(i);
        }
        return true;
    }
    return esperado == obtido;
}

} // namespace

class TranscricoesCliTest : public EmpresaDemoTest {
public:
    QString caminho;

protected:
    void SetUp() override {
        const auto texto = lerGolden(caminho);
        ASSERT_TRUE(texto) << caminho.toStdString();
        m_caso = lerCaso(*texto);
        ASSERT_TRUE(m_caso.erro.isEmpty()) << caminho.toStdString() << ": " << m_caso.erro.toStdString();
        for (const Seccao& s : m_caso.seccoes)
            if (s.titulo == QStringLiteral("motores") &&
                !s.corpo().split(QRegularExpression(QStringLiteral("\\s+"))).contains(isSQLite() ? "SQLite" : "PostgreSQL"))
                GTEST_SKIP() << "caso só para " << s.corpo().simplified().toStdString();
        m_preparado = true;
        EmpresaDemoTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        do {
            m_novaEmpresa = codigoEmpresaAleatorio();
        } while (m_novaEmpresa == empresa);
        const QDate hoje = QDate::currentDate();
        m_ano = hoje.year();
        // Longest first: "<ANO>" must not eat the start of "<ANO+1>".
        m_trocas = {{QStringLiteral("<PASTA>"), pasta.path()},
                    {QStringLiteral("<HOJE>"), hoje.toString(Qt::ISODate)},
                    {QStringLiteral("<ANO-1>"), QString::number(m_ano - 1)},
                    {QStringLiteral("<ANO+1>"), QString::number(m_ano + 1)},
                    {QStringLiteral("<ANO+2>"), QString::number(m_ano + 2)},
                    {QStringLiteral("<ANO>"), QString::number(m_ano)},
                    {QStringLiteral("<COD_EMPRESA>"), empresa},
                    {QStringLiteral("<NOVA_EMPRESA>"), m_novaEmpresa}};
    }

    void TearDown() override {
        if (!m_preparado)
            return;
        // A company the case created on the shared server goes with the test's own.
        if (!isSQLite() && !m_novaEmpresa.isEmpty() && !servidor.host.isEmpty())
            (void)AdminServidor::apagarBaseDados(servidor, nomeBaseDadosEmpresa(m_novaEmpresa));
        EmpresaDemoTest::TearDown();
    }

    void TestBody() override;

private:
    QString trocar(QString t) const {
        for (const auto& [de, para] : m_trocas)
            t.replace(de, para);
        return t;
    }

    // The command's words, placeholders replaced: <EMPRESA> is the server options and --empresa,
    // <SERVIDOR> the server options alone.
    QStringList argumentos(const QString& linha) const {
        QStringList r;
        for (const QString& a : palavras(linha)) {
            if (a == QStringLiteral("<EMPRESA>"))
                r << argumentosCli({});
            else if (a == QStringLiteral("<SERVIDOR>"))
                r << opcoesServidor;
            else
                r << trocar(a);
        }
        return r;
    }

    // What varies between runs and engines, put back as placeholders in every text of the answer.
    QJsonValue normalizar(const QJsonValue& v) const {
        if (v.isObject()) {
            QJsonObject o = v.toObject();
            for (auto it = o.begin(); it != o.end(); ++it)
                it.value() = normalizar(it.value());
            return o;
        }
        if (v.isArray()) {
            QJsonArray a = v.toArray();
            for (qsizetype i = 0; i < a.size(); ++i)
                a[i] = normalizar(a.at(i));
            return a;
        }
        if (!v.isString())
            return v;
        QString t = v.toString();
        t.replace(pasta.path(), QStringLiteral("<PASTA>"));
        if (!servidor.pasta.isEmpty())
            t.replace(servidor.pasta, QStringLiteral("<DADOS>"));
        t.replace(QDate::currentDate().toString(Qt::ISODate), QStringLiteral("<HOJE>"));
        for (const auto& [codigo, nome] : {std::pair{empresa, QStringLiteral("<COD_EMPRESA>")},
                                          std::pair{m_novaEmpresa, QStringLiteral("<NOVA_EMPRESA>")}})
            t.replace(QRegularExpression(QStringLiteral("\\b%1\\b").arg(codigo)), nome);
        // A year in a date or a sentence, never the digits of an amount or a code.
        for (int d : {-1, 0, 1, 2}) {
            const QString nome = d == 0 ? QStringLiteral("<ANO>") : QStringLiteral("<ANO%1%2>").arg(d < 0 ? "-" : "+").arg(qAbs(d));
            t.replace(QRegularExpression(QStringLiteral("(?<![0-9.,])%1(?![0-9]|[.,][0-9])").arg(m_ano + d)), nome);
        }
        return t;
    }

    Caso m_caso;
    bool m_preparado = false; // the demo company was asked for: there is something to drop
    QString m_novaEmpresa;
    int m_ano = 0;
    std::vector<std::pair<QString, QString>> m_trocas;
};

void TranscricoesCliTest::TestBody() {
    for (const Seccao& s : m_caso.seccoes) {
        if (s.titulo == QStringLiteral("sql"))
            for (const QString& sql : s.linhas)
                if (!sql.trimmed().isEmpty()) {
                    ASSERT_TRUE(empresaDb->exec(trocar(sql))) << sql.toStdString() << ": "
                                                              << empresaDb->lastError().toStdString();
                }
        if (s.titulo == QStringLiteral("entrada")) {
            ASSERT_FALSE(s.argumento.isEmpty()) << "linha " << s.linha << ": a entrada precisa de um nome";
            QFile f(pasta.filePath(s.argumento));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(trocar(s.corpo() + u'\n').toUtf8());
        }
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Commands run without --pg read LUMO_DADOS on either engine: never the user's own data folder.
    env.insert(QStringLiteral("LUMO_DADOS"), isSQLite() ? servidor.pasta : pasta.filePath(QStringLiteral("dados")));
    bool mudou = false;
    for (size_t n = 0; n < m_caso.passos.size(); ++n) {
        const Passo& passo = m_caso.passos[n];
        const Seccao& comando = m_caso.seccoes[size_t(passo.comando)];
        SCOPED_TRACE(QStringLiteral("%1:%2: %3").arg(caminho).arg(comando.linha).arg(comando.corpo()).toStdString());
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(LUMO_CLI_PATH), argumentos(comando.corpo()));
        ASSERT_TRUE(p.waitForFinished(120000));
        const QByteArray saida = p.readAllStandardOutput();
        const auto resposta = json(saida);
        ASSERT_TRUE(resposta) << "a resposta não é JSON: " << saida.left(500).toStdString()
                              << p.readAllStandardError().left(500).toStdString();
        const QJsonValue obtido = normalizar(*resposta);

        Seccao& codigo = m_caso.seccoes[size_t(passo.codigo)];
        Seccao& esperada = m_caso.seccoes[size_t(passo.saida)];
        const auto lida = json(esperada.corpo().toUtf8());
        const bool igual = lida && (passo.parcial ? contido(*lida, obtido) : *lida == obtido);
        const QString codigoObtido = QString::number(p.exitCode());
        if (actualizarGolden()) {
            // A partial answer names only what matters: it is kept as written.
            if (!igual && !passo.parcial) {
                esperada.linhas = linhasJson(obtido);
                mudou = true;
            }
            if (codigo.corpo().trimmed() != codigoObtido) {
                codigo.linhas = QStringList{codigoObtido};
                mudou = true;
            }
        } else {
            EXPECT_TRUE(lida) << "linha " << esperada.linha << ": \"# saida\" não é JSON";
            EXPECT_TRUE(igual) << "esperado" << (passo.parcial ? " (parcial)" : "") << ":\n"
                               << esperada.corpo().toStdString() << "\nobtido:\n"
                               << linhasJson(obtido).join(u'\n').toStdString()
                               << "\n(LUMO_ACTUALIZAR_GOLDEN=1 reescreve as saídas)";
            EXPECT_EQ(codigo.corpo().trimmed().toStdString(), codigoObtido.toStdString());
        }

        // Files the command wrote, compared as its answer is.
        for (int i : passo.ficheiros) {
            Seccao& f = m_caso.seccoes[size_t(i)];
            const auto escrito = lerGolden(pasta.filePath(f.argumento));
            ASSERT_TRUE(escrito) << "o comando não escreveu " << f.argumento.toStdString();
            const auto conteudo = json(*escrito);
            ASSERT_TRUE(conteudo) << f.argumento.toStdString() << " não é JSON";
            const QJsonValue normal = normalizar(*conteudo);
            const auto lido = json(f.corpo().toUtf8());
            if (actualizarGolden()) {
                if (!lido || *lido != normal) {
                    f.linhas = linhasJson(normal);
                    mudou = true;
                }
            } else {
                EXPECT_TRUE(lido && *lido == normal) << f.argumento.toStdString() << " esperado:\n"
                                                     << f.corpo().toStdString() << "\nobtido:\n"
                                                     << linhasJson(normal).join(u'\n').toStdString();
            }
        }
    }
    if (mudou) {
        ASSERT_TRUE(escreverGolden(caminho, escreverCaso(m_caso).toUtf8())) << caminho.toStdString();
    }
}

namespace {

// One test per transcript and engine. The engine reaches DbTest as the value of a parameterised test,
// which gtest sets only through its own factory; each test keeps its factory alive.
bool registarCasos() {
    QDir pasta(PastaCasos);
    for (const QString& nome : pasta.entryList({QStringLiteral("*.caso")}, QDir::Files, QDir::Name)) {
        QString teste = nome.chopped(5);
        teste.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]")), QStringLiteral("_"));
        for (Dialect::Motor motor : {Dialect::Motor::SQLite, Dialect::Motor::PostgreSQL}) {
            const std::string completo =
                teste.toStdString() + (motor == Dialect::Motor::SQLite ? "/SQLite" : "/PostgreSQL");
            auto fabrica = std::make_shared<::testing::internal::ParameterizedTestFactory<TranscricoesCliTest>>(motor);
            const QString caminho = pasta.filePath(nome);
            ::testing::RegisterTest("Motores/TranscricoesCliTest", completo.c_str(), nullptr, nullptr, __FILE__,
                                    __LINE__, [fabrica, caminho]() -> TranscricoesCliTest* {
                                        auto* t = static_cast<TranscricoesCliTest*>(fabrica->CreateTest());
                                        t->caminho = caminho;
                                        return t;
                                    });
        }
    }
    return true;
}

const bool Registados = registarCasos();

} // namespace

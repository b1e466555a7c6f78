#include "shell/ServidoresConhecidos.h"

#include "common/FicheiroSaida.h"

#include "common/CifraSegredos.h"
#include "db/Servidor.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString Grupo = QStringLiteral("Autenticação");

QString chave(const char* nome, int n) {
    return QLatin1String(nome) + QString::number(n);
}

QString tipoAutenticacao(const QString& texto) {
    return texto.trimmed().compare(QStringLiteral("WIN"), Qt::CaseInsensitive) == 0 ? QStringLiteral("WIN")
                                                                                    : QStringLiteral("SQL");
}

} // namespace

std::unique_ptr<QSettings> abrirDefinicoes(const QString& ficheiro) {
    if (ficheiro.isEmpty())
        return std::make_unique<QSettings>();
    return std::make_unique<QSettings>(ficheiro, QSettings::IniFormat);
}

ServidoresConhecidos::ServidoresConhecidos(const QString& ficheiroDefinicoes, const QString& ficheiroChave)
    : m_definicoes(abrirDefinicoes(ficheiroDefinicoes)), m_ficheiroChave(ficheiroChave) {
    ler();
}

ServidoresConhecidos::~ServidoresConhecidos() = default;

QString ServidoresConhecidos::pastaDadosLocal() {
    QString pasta = qEnvironmentVariable("LUMO_DADOS");
    if (pasta.isEmpty())
        pasta =
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/empresas");
    CriarPastaPrivada(pasta);
    return QDir(pasta).absolutePath();
}

ServidorConhecido ServidoresConhecidos::servidorLocal() {
    ServidorConhecido s;
    s.servidor = Servidor::para(ConnectionParams::sqlite(pastaDadosLocal()))->texto();
    s.local = true;
    return s;
}

QList<ServidorConhecido> ServidoresConhecidos::todos() const {
    QList<ServidorConhecido> r{servidorLocal()};
    r += m_registados;
    return r;
}

QString ServidoresConhecidos::normalizar(const QString& servidor) {
    return Servidor::doTexto(servidor)->textoNormalizado();
}

void ServidoresConhecidos::ler() {
    m_registados.clear();
    m_definicoes->beginGroup(Grupo);
    // Numbered from 1 without gaps; the first missing number ends the list.
    for (int n = 1;; ++n) {
        const QString servidor = m_definicoes->value(chave("Servidor", n)).toString().trimmed();
        if (servidor.isEmpty())
            break;
        ServidorConhecido s;
        s.servidor = servidor;
        s.login = m_definicoes->value(chave("Login", n)).toString();
        s.passwordCifrada = m_definicoes->value(chave("Password", n)).toString();
        s.autenticacao = tipoAutenticacao(m_definicoes->value(chave("TipoAutenticacao", n)).toString());
        m_registados << s;
    }
    m_definicoes->endGroup();
}

bool ServidoresConhecidos::gravar() {
    // Every numbered key is removed and the list written again from 1, so removals leave no gaps.
    m_definicoes->remove(Grupo);
    m_definicoes->beginGroup(Grupo);
    for (int i = 0; i < m_registados.size(); ++i) {
        const ServidorConhecido& s = m_registados.at(i);
        m_definicoes->setValue(chave("Servidor", i + 1), s.servidor);
        m_definicoes->setValue(chave("Login", i + 1), s.login);
        m_definicoes->setValue(chave("Password", i + 1), s.passwordCifrada);
        m_definicoes->setValue(chave("TipoAutenticacao", i + 1), s.autenticacao);
    }
    m_definicoes->endGroup();
    m_definicoes->sync();
    return m_definicoes->status() == QSettings::NoError;
}

std::optional<ServidoresConhecidos::Recusa>
ServidoresConhecidos::validar(const DadosServidor& d, int indiceIgnorado, QString* normalizado) const {
    static const QRegularExpression reServidor(
        QStringLiteral("^[A-Za-z0-9][A-Za-z0-9._-]{0,252}(:(?<porta>[0-9]{1,5}))?$"));
    const QString texto = d.servidor.trimmed();
    if (texto.isEmpty())
        return Recusa{QStringLiteral("Indique o Servidor!"), true};
    const auto m = reServidor.match(texto);
    const int porta = m.captured(u"porta").isEmpty() ? 5432 : m.captured(u"porta").toInt();
    if (!m.hasMatch() || porta < 1 || porta > 65535)
        return Recusa{
            QStringLiteral("Servidor inválido!\r\nIndique o nome ou endereço do servidor PostgreSQL, "
                           "seguido de \":\" e da porta quando não for a 5432 (ex.: servidor:5433).")};
    *normalizado = normalizar(texto);
    const QString local = normalizar(servidorLocal().servidor);
    for (int i = 0; i < m_registados.size(); ++i) {
        if (i != indiceIgnorado && normalizar(m_registados.at(i).servidor) == *normalizado)
            return Recusa{QStringLiteral("Servidor já Existente!")};
    }
    if (*normalizado == local)
        return Recusa{QStringLiteral("Servidor já Existente!")};
    if (d.autenticacaoSQL && d.login.trimmed().isEmpty())
        return Recusa{QStringLiteral("Indique o Login!"), true};
    return std::nullopt;
}

std::optional<ServidoresConhecidos::Recusa> ServidoresConhecidos::preencher(ServidorConhecido& s,
                                                                            const DadosServidor& d,
                                                                            const QString& normalizado,
                                                                            bool manterPassword) const {
    s.servidor = normalizado;
    s.autenticacao = d.autenticacaoSQL ? QStringLiteral("SQL") : QStringLiteral("WIN");
    if (!d.autenticacaoSQL) {
        // The operating-system user needs neither login nor password; none is kept.
        s.login.clear();
        s.passwordCifrada.clear();
        return std::nullopt;
    }
    s.login = d.login.trimmed();
    if (manterPassword && d.password.isEmpty())
        return std::nullopt;
    if (d.password.isEmpty()) {
        s.passwordCifrada.clear();
        return std::nullopt;
    }
    const CifraSegredos cifra(m_ficheiroChave);
    const QString cifrada = cifra.cifrar(d.password);
    if (!cifra.valida() || cifrada.isEmpty())
        return Recusa{
            QStringLiteral("Não foi possível cifrar a password: a chave de cifra (%1) não pode ser "
                           "lida nem criada.")
                .arg(m_ficheiroChave.isEmpty() ? CifraSegredos::ficheiroChavePorOmissao() : m_ficheiroChave)};
    s.passwordCifrada = cifrada;
    return std::nullopt;
}

std::optional<ServidoresConhecidos::Recusa> ServidoresConhecidos::adicionar(const DadosServidor& d) {
    QString normalizado;
    if (auto r = validar(d, -1, &normalizado))
        return r;
    ServidorConhecido s;
    if (auto r = preencher(s, d, normalizado, false))
        return r;
    m_registados << s;
    if (!gravar()) {
        m_registados.removeLast();
        return Recusa{QStringLiteral("Não foi possível gravar a lista de servidores nas definições.")};
    }
    return std::nullopt;
}

std::optional<ServidoresConhecidos::Recusa> ServidoresConhecidos::alterar(int indice,
                                                                          const DadosServidor& d) {
    if (indice < 0 || indice >= m_registados.size())
        return Recusa{QStringLiteral("Seleccione o servidor a alterar!"), true};
    QString normalizado;
    if (auto r = validar(d, indice, &normalizado))
        return r;
    ServidorConhecido s = m_registados.at(indice);
    // The password box starts empty on a change (the stored one is never shown); empty keeps it.
    if (auto r = preencher(s, d, normalizado, true))
        return r;
    const ServidorConhecido antes = m_registados.at(indice);
    m_registados[indice] = s;
    if (!gravar()) {
        m_registados[indice] = antes;
        return Recusa{QStringLiteral("Não foi possível gravar a lista de servidores nas definições.")};
    }
    return std::nullopt;
}

bool ServidoresConhecidos::remover(int indice) {
    if (indice < 0 || indice >= m_registados.size())
        return false;
    const ServidorConhecido antes = m_registados.takeAt(indice);
    if (gravar())
        return true;
    m_registados.insert(indice, antes);
    return false;
}

Resultado<ConnectionParams> ServidoresConhecidos::ligacao(const ServidorConhecido& s) const {
    ConnectionParams p = Servidor::lerTexto(s.servidor);
    p.autenticacao = s.autenticacao;
    p.login = s.login;
    if (!s.passwordCifrada.isEmpty()) {
        const auto claro = CifraSegredos(m_ficheiroChave).decifrar(s.passwordCifrada);
        if (!claro)
            return Falha(QStringLiteral("Não foi possível decifrar a password guardada do servidor %1; "
                                        "grave-a de novo na lista de servidores.")
                             .arg(s.servidor));
        p.password = *claro;
    }
    return p;
}

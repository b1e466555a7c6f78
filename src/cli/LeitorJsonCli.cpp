#include "cli/LeitorJsonCli.h"

#include <QFile>
#include <QRegularExpression>

#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include <vector>

namespace {

constexpr qint64 TamanhoMaximo = 8 * 1024 * 1024;

} // namespace

Falha ObjectoJsonCli::falta(const char* chave) const {
    return Falha(QStringLiteral("Falta a chave \"%1\" em %2.").arg(QLatin1String(chave), m_onde));
}

Falha ObjectoJsonCli::tipoErrado(const char* chave, const char* esperado) const {
    return Falha(QStringLiteral("Valor inválido na chave \"%1\" em %2: deve ser %3.")
                     .arg(QLatin1String(chave), m_onde, QString::fromUtf8(esperado)));
}

Resultado<> ObjectoJsonCli::soChaves(const QStringList& conhecidas) const {
    QStringList vistas;
    for (const auto& [chave, valor] : m_o.membros) {
        if (!conhecidas.contains(chave))
            return Falha(QStringLiteral("Chave desconhecida em %1: \"%2\" (aceites: %3).")
                             .arg(m_onde, citacao(chave), conhecidas.join(QStringLiteral(", "))));
        // A repeated key would leave one of its two values unread.
        if (vistas.contains(chave))
            return Falha(QStringLiteral("Chave repetida em %1: \"%2\".").arg(m_onde, chave));
        vistas << chave;
    }
    return {};
}

Resultado<> ObjectoJsonCli::texto(const char* chave, QString& valor, bool obrigatorio, int maximo) const {
    const ValorJson* v = m_o.membro(QLatin1String(chave));
    if (!v) {
        valor.clear();
        if (obrigatorio)
            return falta(chave);
        return {};
    }
    if (v->tipo != ValorJson::Tipo::Texto)
        return tipoErrado(chave, "um texto");
    valor = v->texto.trimmed();
    if (auto r =
            textoAceitavel(valor, QStringLiteral("\"%1\" em %2").arg(QLatin1String(chave), m_onde), maximo);
        !r)
        return r;
    if (obrigatorio && valor.isEmpty())
        return falta(chave);
    return {};
}

Resultado<> ObjectoJsonCli::montante(const char* chave, Currency& valor, bool obrigatorio) const {
    const ValorJson* v = m_o.membro(QLatin1String(chave));
    if (!v) {
        if (obrigatorio)
            return falta(chave);
        return {};
    }
    const bool numeroOuTexto = v->tipo == ValorJson::Tipo::Numero || v->tipo == ValorJson::Tipo::Texto;
    if (numeroOuTexto)
        if (const auto c = montanteEstrito(v->texto)) {
            valor = *c;
            return {};
        }
    return Falha(QStringLiteral("Valor inválido na chave \"%1\" em %2: deve ser um número até %3 com até 4 "
                                "casas decimais (lido: %4).")
                     .arg(QLatin1String(chave), m_onde, QStringLiteral("922337203685477"),
                          numeroOuTexto ? citacao(v->texto) : QStringLiteral("outro tipo")));
}

Resultado<> ObjectoJsonCli::logico(const char* chave, bool& valor) const {
    const ValorJson* v = m_o.membro(QLatin1String(chave));
    if (!v)
        return {};
    if (v->tipo != ValorJson::Tipo::Logico)
        return tipoErrado(chave, "true ou false");
    valor = v->logico;
    return {};
}

Resultado<> ObjectoJsonCli::listaObjectos(const char* chave, QList<ValorJson>& valor,
                                          bool obrigatoria) const {
    valor.clear();
    const ValorJson* v = m_o.membro(QLatin1String(chave));
    if (!v) {
        if (obrigatoria)
            return falta(chave);
        return {};
    }
    if (!v->isArray())
        return tipoErrado(chave, "uma lista");
    for (const ValorJson& e : v->lista) {
        if (!e.isObject())
            return tipoErrado(chave, "uma lista de objectos");
        valor << e;
    }
    return {};
}

Resultado<> primeiraFalha(std::initializer_list<Resultado<>> leituras) {
    for (const Resultado<>& r : leituras)
        if (!r)
            return r;
    return {};
}

const ValorJson* ValorJson::membro(const QString& chave) const {
    for (const auto& [k, v] : membros)
        if (k == chave)
            return &v;
    return nullptr;
}

namespace {

// Builds the tree from the parser's events without recursion, so a deep file cannot overflow the stack.
struct Construtor : rapidjson::BaseReaderHandler<rapidjson::UTF8<>, Construtor> {
    static constexpr size_t ProfundidadeMaxima = 64;

    explicit Construtor(ValorJson& r) : raiz(r) {}
    ValorJson& raiz;
    std::vector<ValorJson*> pilha;
    QString chave;
    bool fundoDemais = false;

    // The place of the next value: the root, the next element of a list or the member of the last key.
    ValorJson* proximo() {
        if (pilha.empty())
            return &raiz;
        ValorJson* topo = pilha.back();
        if (topo->isArray()) {
            topo->lista.append(ValorJson());
            return &topo->lista.last();
        }
        topo->membros.append({chave, ValorJson()});
        return &topo->membros.last().second;
    }
    bool escalar(ValorJson::Tipo tipo, QString texto = {}, bool logico = false) {
        ValorJson* v = proximo();
        v->tipo = tipo;
        v->texto = std::move(texto);
        v->logico = logico;
        return true;
    }
    bool abrir(ValorJson::Tipo tipo) {
        if (pilha.size() >= ProfundidadeMaxima) {
            fundoDemais = true;
            return false;
        }
        ValorJson* v = proximo();
        v->tipo = tipo;
        pilha.push_back(v);
        return true;
    }

    bool Null() { return escalar(ValorJson::Tipo::Nulo); }
    bool Bool(bool b) { return escalar(ValorJson::Tipo::Logico, {}, b); }
    bool RawNumber(const char* s, rapidjson::SizeType n, bool) {
        return escalar(ValorJson::Tipo::Numero, QString::fromLatin1(s, qsizetype(n)));
    }
    bool String(const char* s, rapidjson::SizeType n, bool) {
        return escalar(ValorJson::Tipo::Texto, QString::fromUtf8(s, qsizetype(n)));
    }
    bool StartObject() { return abrir(ValorJson::Tipo::Objecto); }
    bool Key(const char* s, rapidjson::SizeType n, bool) {
        chave = QString::fromUtf8(s, qsizetype(n));
        return true;
    }
    bool EndObject(rapidjson::SizeType) {
        pilha.pop_back();
        return true;
    }
    bool StartArray() { return abrir(ValorJson::Tipo::Lista); }
    bool EndArray(rapidjson::SizeType) {
        pilha.pop_back();
        return true;
    }
};

} // namespace

Resultado<ValorJson> lerJsonCli(const QByteArray& texto) {
    auto invalido = [](qsizetype posicao) {
        return Falha(QStringLiteral("O ficheiro não é um JSON válido (erro na posição %1).").arg(posicao));
    };
    // The parser takes a zero byte for the end of its input: one inside the text is an error there.
    if (const qsizetype zero = texto.indexOf('\0'); zero >= 0)
        return invalido(zero);
    ValorJson raiz;
    rapidjson::MemoryStream entrada(texto.constData(), size_t(texto.size()));
    Construtor construtor(raiz);
    rapidjson::Reader leitor;
    constexpr unsigned Opcoes =
        rapidjson::kParseNumbersAsStringsFlag | rapidjson::kParseValidateEncodingFlag | rapidjson::kParseIterativeFlag;
    if (!leitor.Parse<Opcoes>(entrada, construtor)) {
        if (construtor.fundoDemais)
            return Falha(QStringLiteral("O ficheiro tem mais de %1 níveis de listas e objectos.")
                             .arg(Construtor::ProfundidadeMaxima));
        return invalido(qsizetype(leitor.GetErrorOffset()));
    }
    return raiz;
}

Resultado<QByteArray> lerTextoFicheiroCli(const QString& caminho) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return Falha(QStringLiteral("Não foi possível ler o ficheiro %1.").arg(citacao(caminho)));
    // read() stops at the limit even on endless files (a device, a pipe).
    QByteArray texto = f.read(TamanhoMaximo + 1);
    if (texto.size() > TamanhoMaximo)
        return Falha(QStringLiteral("O ficheiro %1 é demasiado grande (máximo %2 MB).")
                         .arg(citacao(caminho))
                         .arg(TamanhoMaximo / (1024 * 1024)));
    if (texto.startsWith("\xEF\xBB\xBF")) // editors on Windows write a byte-order mark
        texto.remove(0, 3);
    return texto;
}

Resultado<ValorJson> lerFicheiroJsonCli(const QString& caminho) {
    const Resultado<QByteArray> texto = lerTextoFicheiroCli(caminho);
    if (!texto)
        return texto.falha();
    return lerJsonCli(*texto);
}

namespace {

// "1.25e2" written out as "125", "5E-3" as "0.005": the exponent moves the decimal point in the
// text, so no binary floating point is involved. nullopt when the exponent is absurdly large.
std::optional<QString> semExpoente(const QString& t, const QRegularExpressionMatch& m) {
    const QString sinal = m.captured(1);
    QString digitos = m.captured(2) + m.captured(3);
    bool ok = false;
    const int expoente = m.captured(4).isEmpty() ? 0 : m.captured(4).toInt(&ok);
    if (!m.captured(4).isEmpty() && (!ok || expoente > 1000 || expoente < -1000))
        return std::nullopt;
    int ponto = int(m.captured(2).size()) + expoente; // digits before the decimal point
    if (ponto <= 0) {
        digitos.prepend(QString(-ponto + 1, u'0'));
        ponto = 1;
    } else if (ponto > digitos.size()) {
        digitos.append(QString(ponto - digitos.size(), u'0'));
    }
    return sinal + digitos.left(ponto) + QStringLiteral(".") + digitos.mid(ponto) + QStringLiteral("0");
}

} // namespace

std::optional<Currency> montanteEstrito(const QString& textoOriginal) {
    const QString t = textoOriginal.trimmed();
    static const QRegularExpression algarismoNaoNulo(QStringLiteral("[1-9]"));
    static const QRegularExpression numeroJson(QStringLiteral("^(-?)([0-9]+)(?:\\.([0-9]+))?(?:[eE]([-+]?[0-9]+))?$"));
    const QRegularExpressionMatch m = numeroJson.match(t);
    std::optional<Currency> c;
    if (m.hasMatch() && !m.captured(4).isEmpty()) {
        const std::optional<QString> escrito = semExpoente(t, m);
        if (!escrito)
            return std::nullopt;
        c = Currency::parse(*escrito);
    } else {
        c = Currency::parse(t);
    }
    if (!c)
        return std::nullopt;
    if (c->isZero()) {
        // 0.00001 or 1e-5 are no zeros the user meant; "-0" is no amount at all.
        const QString mantissa = t.section(QRegularExpression(QStringLiteral("[eE]")), 0, 0);
        if (mantissa.contains(algarismoNaoNulo) || t.startsWith(u'-'))
            return std::nullopt;
    }
    return c;
}

Resultado<> textoAceitavel(const QString& texto, const QString& nome, int maximo) {
    for (const QChar c : texto)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Surrogate)
            return Falha(QStringLiteral("Valor inválido em %1: tem caracteres de controlo.").arg(nome));
    if (maximo > 0 && texto.size() > maximo)
        return Falha(QStringLiteral("O valor de %1 tem mais de %2 caracteres: %3")
                         .arg(nome)
                         .arg(maximo)
                         .arg(citacao(texto)));
    return {};
}

QString citacao(const QString& texto) {
    constexpr int Maximo = 40;
    return texto.size() <= Maximo ? texto : texto.left(Maximo) + QStringLiteral("…");
}

#include "cli/LeitorJsonCli.h"

#include <QFile>
#include <QRegularExpression>

namespace {

constexpr qint64 TamanhoMaximo = 8 * 1024 * 1024;

bool falhar(QString& erro, const QString& texto) {
    erro = texto;
    return false;
}

} // namespace

bool ObjectoJsonCli::falta(const char* chave, QString& erro) const {
    return falhar(erro, QStringLiteral("Falta a chave \"%1\" em %2.").arg(QLatin1String(chave), m_onde));
}

bool ObjectoJsonCli::tipoErrado(const char* chave, const char* esperado, QString& erro) const {
    return falhar(erro, QStringLiteral("Valor inválido na chave \"%1\" em %2: deve ser %3.")
                            .arg(QLatin1String(chave), m_onde, QString::fromUtf8(esperado)));
}

bool ObjectoJsonCli::soChaves(const QStringList& conhecidas, QString& erro) const {
    for (auto it = m_o.begin(); it != m_o.end(); ++it)
        if (!conhecidas.contains(it.key()))
            return falhar(erro, QStringLiteral("Chave desconhecida em %1: \"%2\" (aceites: %3).")
                                    .arg(m_onde, it.key(), conhecidas.join(QStringLiteral(", "))));
    return true;
}

bool ObjectoJsonCli::texto(const char* chave, QString& valor, QString& erro, bool obrigatorio, int maximo) const {
    const QJsonValue v = m_o.value(QLatin1String(chave));
    if (v.isUndefined()) {
        valor.clear();
        return !obrigatorio || falta(chave, erro);
    }
    if (!v.isString())
        return tipoErrado(chave, "um texto", erro);
    valor = v.toString().trimmed();
    if (!textoAceitavel(valor, QStringLiteral("\"%1\" em %2").arg(QLatin1String(chave), m_onde), maximo, erro))
        return false;
    if (obrigatorio && valor.isEmpty())
        return falta(chave, erro);
    return true;
}

bool ObjectoJsonCli::montante(const char* chave, Currency& valor, QString& erro, bool obrigatorio) const {
    const QJsonValue v = m_o.value(QLatin1String(chave));
    if (v.isUndefined())
        return !obrigatorio || falta(chave, erro);
    // A JSON number is taken by its shortest exact text, so that 0.1 is 0.1 and -0 stays "-0".
    const QString texto = v.isDouble() ? QString::number(v.toDouble(), 'g', 17) : v.isString() ? v.toString() : QString();
    if (v.isDouble() || v.isString())
        if (const auto c = montanteEstrito(texto)) {
            valor = *c;
            return true;
        }
    return falhar(erro, QStringLiteral("Valor inválido na chave \"%1\" em %2: deve ser um número até %3 com até 4 "
                                       "casas decimais (lido: %4).")
                            .arg(QLatin1String(chave), m_onde, QStringLiteral("922337203685477"),
                                 v.isDouble() || v.isString() ? citacao(texto) : QStringLiteral("outro tipo")));
}

bool ObjectoJsonCli::logico(const char* chave, bool& valor, QString& erro) const {
    const QJsonValue v = m_o.value(QLatin1String(chave));
    if (v.isUndefined())
        return true;
    if (!v.isBool())
        return tipoErrado(chave, "true ou false", erro);
    valor = v.toBool();
    return true;
}

bool ObjectoJsonCli::listaObjectos(const char* chave, QList<QJsonObject>& valor, QString& erro,
                                   bool obrigatoria) const {
    valor.clear();
    const QJsonValue v = m_o.value(QLatin1String(chave));
    if (v.isUndefined())
        return !obrigatoria || falta(chave, erro);
    if (!v.isArray())
        return tipoErrado(chave, "uma lista", erro);
    for (const QJsonValue& e : v.toArray()) {
        if (!e.isObject())
            return tipoErrado(chave, "uma lista de objectos", erro);
        valor << e.toObject();
    }
    return true;
}

bool lerTextoFicheiroCli(const QString& caminho, QByteArray& texto, QString& erro) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return falhar(erro, QStringLiteral("Não foi possível ler o ficheiro %1.").arg(citacao(caminho)));
    // read() stops at the limit even on endless files (a device, a pipe).
    texto = f.read(TamanhoMaximo + 1);
    if (texto.size() > TamanhoMaximo)
        return falhar(erro, QStringLiteral("O ficheiro %1 é demasiado grande (máximo %2 MB).")
                                .arg(citacao(caminho))
                                .arg(TamanhoMaximo / (1024 * 1024)));
    if (texto.startsWith("\xEF\xBB\xBF")) // editors on Windows write a byte-order mark
        texto.remove(0, 3);
    return true;
}

bool lerFicheiroJsonCli(const QString& caminho, QJsonDocument& doc, QString& erro) {
    QByteArray texto;
    if (!lerTextoFicheiroCli(caminho, texto, erro))
        return false;
    QJsonParseError pe;
    doc = QJsonDocument::fromJson(texto, &pe);
    if (pe.error != QJsonParseError::NoError)
        return falhar(erro, QStringLiteral("O ficheiro não é um JSON válido (erro na posição %1).").arg(pe.offset));
    return true;
}

std::optional<Currency> montanteEstrito(const QString& textoOriginal) {
    const QString t = textoOriginal.trimmed();
    static const QRegularExpression algarismoNaoNulo(QStringLiteral("[1-9]"));
    static const QRegularExpression numeroJson(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?([eE][-+]?[0-9]+)?$"));
    std::optional<Currency> c = Currency::parse(t);
    if (!c && numeroJson.match(t).hasMatch()) {
        // Only a number written with an exponent goes through binary floating point.
        const double d = t.toDouble();
        try {
            c = Currency::fromDouble(d);
        } catch (const EstouroMontante&) {
            return std::nullopt;
        }
        if (c->isZero() && d != 0.0)
            return std::nullopt;
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

bool textoAceitavel(const QString& texto, const QString& nome, int maximo, QString& erro) {
    for (const QChar c : texto)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Surrogate)
            return falhar(erro, QStringLiteral("Valor inválido em %1: tem caracteres de controlo.").arg(nome));
    if (maximo > 0 && texto.size() > maximo)
        return falhar(erro, QStringLiteral("O valor de %1 tem mais de %2 caracteres: %3").arg(nome).arg(maximo).arg(citacao(texto)));
    return true;
}

QString citacao(const QString& texto) {
    constexpr int Maximo = 40;
    return texto.size() <= Maximo ? texto : texto.left(Maximo) + QStringLiteral("…");
}

#include "shell/LeitorJsonCli.h"

#include <QFile>
#include <QRegularExpression>

#include <cmath>

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
    for (const QChar c : valor)
        if (c.category() == QChar::Other_Control)
            return tipoErrado(chave, "um texto sem caracteres de controlo", erro);
    if (maximo > 0 && valor.size() > maximo)
        return falhar(erro, QStringLiteral("O valor da chave \"%1\" em %2 tem mais de %3 caracteres.")
                                .arg(QLatin1String(chave), m_onde)
                                .arg(maximo));
    if (obrigatorio && valor.isEmpty())
        return falta(chave, erro);
    return true;
}

bool ObjectoJsonCli::montante(const char* chave, Currency& valor, QString& erro, bool obrigatorio) const {
    const QJsonValue v = m_o.value(QLatin1String(chave));
    if (v.isUndefined())
        return !obrigatorio || falta(chave, erro);
    const QString esperado = QStringLiteral("um número com até 4 casas decimais");
    if (v.isDouble()) {
        const double d = v.toDouble();
        try {
            const Currency c = Currency::fromDouble(d);
            // A number that is not 0 but rounds to it is a typing slip, not a zero.
            if (c.isZero() && d != 0.0)
                return tipoErrado(chave, esperado.toUtf8().constData(), erro);
            valor = c;
            return true;
        } catch (const EstouroMontante&) {
            return falhar(erro, QStringLiteral("Valor fora dos limites na chave \"%1\" em %2.").arg(QLatin1String(chave), m_onde));
        }
    }
    if (v.isString()) {
        const QString t = v.toString().trimmed();
        if (const auto c = Currency::parse(t)) {
            if (c->isZero() && t.contains(QRegularExpression(QStringLiteral("[1-9]"))))
                return tipoErrado(chave, esperado.toUtf8().constData(), erro);
            valor = *c;
            return true;
        }
    }
    return tipoErrado(chave, esperado.toUtf8().constData(), erro);
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

bool lerFicheiroJsonCli(const QString& caminho, QJsonDocument& doc, QString& erro) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return falhar(erro, QStringLiteral("Não foi possível abrir o ficheiro %1.").arg(caminho));
    // read() stops at the limit even on endless files (a device, a pipe).
    QByteArray texto = f.read(TamanhoMaximo + 1);
    if (texto.size() > TamanhoMaximo)
        return falhar(erro, QStringLiteral("O ficheiro %1 é demasiado grande (máximo %2 MB).")
                                .arg(caminho)
                                .arg(TamanhoMaximo / (1024 * 1024)));
    if (texto.startsWith("\xEF\xBB\xBF")) // editors on Windows write a byte-order mark
        texto.remove(0, 3);
    QJsonParseError pe;
    doc = QJsonDocument::fromJson(texto, &pe);
    if (pe.error != QJsonParseError::NoError)
        return falhar(erro, QStringLiteral("O ficheiro não é um JSON válido (erro na posição %1).").arg(pe.offset));
    return true;
}

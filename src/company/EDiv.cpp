#include "company/EDiv.h"

#include "common/UserInteraction.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "db/Identificador.h"

#include <QDateTime>
#include <QSqlRecord>
#include <algorithm>

EDiv::EDiv(UserInteraction& ui, const GlobalContext& ctx) : m_ui(ui), m_ctx(ctx) {}

QString EDiv::Zerar(const QString& texto, int& largura, const QString& preenchimento, bool esquerda) {
    const QString t = texto.trimmed();
    const QChar p = preenchimento.isEmpty() ? QChar(u'0') : preenchimento.at(0);
    if (t.size() > largura)
        largura = int(t.size());
    const QString enchimento(largura - t.size(), p);
    return esquerda ? enchimento + t : t + enchimento;
}

QString EDiv::GData(const QDate& data) { return data.toString(QStringLiteral("dd-MM-yyyy")); }

QString EDiv::PData(const QDate& data) { return data.toString(QStringLiteral("yyyy-MM-dd")); }

bool EDiv::DataIsoValida(const QString& texto) {
    return texto.size() == 10 && QDate::fromString(texto, QStringLiteral("yyyy-MM-dd")).isValid();
}

QString EDiv::PHora(const QTime& hora, bool segundos) {
    return hora.toString(segundos ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
}

int EDiv::DataToMinutes(const QTime& hora) { return hora.isValid() ? hora.hour() * 60 + hora.minute() : 0; }

QString EDiv::CurToSQL(Currency valor) {
    // The plain text already has only digits, "-" and "."; the pass keeps that true whatever
    // the text form of the amount ever becomes.
    QString t = valor.toShortString();
    for (QChar& c : t) {
        if (c != u'-' && !(c >= u'0' && c <= u'9'))
            c = u'.';
    }
    return t;
}

Currency EDiv::Arredonda(Currency valor, int casas, int& digitosInteiros) const {
    if (digitosInteiros <= 0)
        digitosInteiros = 12;
    if (casas < 0 || casas > 4) {
        m_ui.mensagem(QStringLiteral("O Número de casas Decimais tem que ser  entre (0 e 4)"),
                      UserInteraction::Icone::Exclamacao);
        return Currency();
    }
    return valor.rounded(casas, Currency::Arredondamento::MetadeAfastaDeZero);
}

QVariant EDiv::IsNulo(const QVariant& valor, const QVariant& substituto) {
    return (!valor.isValid() || valor.isNull()) ? substituto : valor;
}

int EDiv::BoolToInt(bool valor) { return valor ? 1 : 0; }

bool EDiv::IntToBool(int valor) const {
    if (valor == 0 || valor == 1)
        return valor == 1;
    m_ui.mensagem(QStringLiteral("Esta Função só deve ser utilizada com valores de 1 e 0"),
                  UserInteraction::Icone::Exclamacao);
    return false;
}

QString EDiv::FDNum(Currency valor, int& casas, int& alinhamento, int& largura, QString& milhares,
                    QString& decimal) const {
    casas = std::clamp(casas, 0, 6);
    if (alinhamento != 2)
        alinhamento = 1;
    if (largura != 1 && largura != 2)
        largura = 3;
    if (milhares.isEmpty())
        milhares = m_ctx.SeparadorMilhares;
    if (decimal.isEmpty())
        decimal = m_ctx.SeparadorDecimal;

    const Currency r = valor.rounded(std::min(casas, 4), Currency::Arredondamento::MetadeAfastaDeZero);
    const uint64_t absRaw = r.isNegative() ? 0ULL - uint64_t(r.raw()) : uint64_t(r.raw());

    const QString inteiros = QString::number(absRaw / Currency::Escala);
    QString texto;
    for (qsizetype i = 0; i < inteiros.size(); ++i) {
        if (i > 0 && (inteiros.size() - i) % 3 == 0)
            texto += milhares;
        texto += inteiros.at(i);
    }
    if (casas > 0) {
        const QString fraccao = QString::number(absRaw % Currency::Escala).rightJustified(4, u'0');
        texto += decimal + fraccao.left(casas).leftJustified(casas, u'0');
    }
    // A value that rounds to zero shows no sign.
    if (r.isNegative())
        texto.prepend(u'-');

    const int tamanho = largura == 1 ? 8 : largura == 2 ? 14 : 18;
    if (texto.size() >= tamanho)
        return texto;
    return alinhamento == 2 ? texto.rightJustified(tamanho, u' ') : texto.leftJustified(tamanho, u' ');
}

EDiv::MovimentoFoco EDiv::ControlEnter(int& tecla, const QString& activa) {
    // The apostrophe would end SQL text literals in the company's other programs; a backtick looks
    // the same on paper.
    if (tecla == 39) {
        tecla = 96;
        return MovimentoFoco::Nenhuma;
    }
    switch (tecla) {
    case 126: // ~
    case 94:  // ^
    case 96:  // `
    case 180: // ´
    case 168: // ¨
        tecla = 0;
        return MovimentoFoco::Nenhuma;
    default:
        break;
    }
    if (activa == QLatin1String("1")) {
        if (tecla == 13) {
            tecla = 0;
            return MovimentoFoco::Seguinte;
        }
        if (tecla == 27) {
            tecla = 0;
            return MovimentoFoco::Anterior;
        }
    }
    return MovimentoFoco::Nenhuma;
}

QStringList EDiv::StripString(const QString& texto, const QString& separador) {
    if (texto.isEmpty())
        return {};
    if (separador.isEmpty())
        return {texto};
    return texto.split(separador, Qt::KeepEmptyParts);
}

QVariant EDiv::ValorParaSQL(const QVariant& valor) {
    if (!valor.isValid() || valor.isNull())
        return valor;
    if (valor.metaType() == QMetaType::fromType<Currency>())
        return valor.value<Currency>().toVariant();
    switch (valor.typeId()) {
    case QMetaType::Bool:
        return valor.toBool() ? -1 : 0;
    case QMetaType::QDate:
        return valor.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime:
        return valor.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QTime:
        return valor.toTime().toString(QStringLiteral("HH:mm:ss"));
    default:
        return valor;
    }
}

namespace {

bool nomesValidos(const QString& tabela, const QStringList& campos, qsizetype numValores, QStringList* limpos) {
    if (!identificadorValido(tabela) || campos.isEmpty() || campos.size() != numValores)
        return false;
    for (const QString& c : campos) {
        const QString t = c.trimmed();
        if (!identificadorValido(t))
            return false;
        limpos->append(t);
    }
    return true;
}

} // namespace

EDiv::ComandoSQL EDiv::InsertSQL(const QString& tabela, const QStringList& campos, const QVariantList& valores) {
    ComandoSQL r;
    const QString t = tabela.trimmed();
    QStringList nomes;
    if (!nomesValidos(t, campos, valores.size(), &nomes))
        return r;
    QStringList marcas;
    for (const QVariant& v : valores) {
        marcas << QStringLiteral("?");
        r.valores << ValorParaSQL(v);
    }
    r.sql = QStringLiteral("INSERT INTO ") + t + QStringLiteral(" (") + nomes.join(u',') + QStringLiteral(") VALUES (") +
            marcas.join(u',') + u')';
    return r;
}

EDiv::ComandoSQL EDiv::UpdateSQL(const QString& tabela, const QStringList& campos, const QVariantList& valores,
                                 const QString& condicao, const QVariantList& valoresCondicao) {
    ComandoSQL r;
    const QString t = tabela.trimmed();
    QStringList nomes;
    if (!nomesValidos(t, campos, valores.size(), &nomes))
        return r;
    QStringList pares;
    for (qsizetype i = 0; i < nomes.size(); ++i) {
        pares << nomes.at(i) + QStringLiteral("=?");
        r.valores << ValorParaSQL(valores.at(i));
    }
    for (const QVariant& v : valoresCondicao)
        r.valores << ValorParaSQL(v);
    r.sql = QStringLiteral("UPDATE ") + t + QStringLiteral(" SET ") + pares.join(u',');
    if (!condicao.trimmed().isEmpty())
        r.sql += u' ' + condicao.trimmed();
    return r;
}

QVariant EDiv::GetFieldValue(Database& ligacao, const QString& sql, const QVariantList& valores,
                             const QString& campo) {
    auto q = ligacao.query(sql, valores);
    if (!q || !q->next())
        return {};
    const int i = q->record().indexOf(campo);
    return i < 0 ? QVariant() : q->value(i);
}

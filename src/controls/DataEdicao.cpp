#include "controls/DataEdicao.h"

#include <QRegularExpression>

namespace {

bool soDigitos(const QString& t) {
    if (t.isEmpty())
        return false;
    for (const QChar c : t)
        if (!(c.isDigit() && c.unicode() < 128))
            return false;
    return true;
}

int anoDeDoisDigitos(int aa) { return aa < 50 ? 2000 + aa : 1900 + aa; }

ResultadoData resultado(const QDate& d) {
    ResultadoData r;
    r.estado = d.isValid() ? ResultadoData::Estado::Valida : ResultadoData::Estado::Invalida;
    r.data = d;
    return r;
}

ResultadoData invalida() {
    ResultadoData r;
    r.estado = ResultadoData::Estado::Invalida;
    return r;
}

} // namespace

ResultadoData completarData(const QString& textoOriginal, const QDate& hoje) {
    const QString t = textoOriginal.trimmed();
    if (t.isEmpty())
        return {};

    static const QRegularExpression separadores(QStringLiteral("[-/.]"));
    if (!t.contains(separadores)) {
        if (!soDigitos(t))
            return invalida();
        switch (t.size()) {
        case 1:
        case 2:
            return resultado(QDate(hoje.year(), hoje.month(), t.toInt()));
        case 3:
        case 4:
            return resultado(QDate(hoje.year(), t.mid(2).toInt(), t.left(2).toInt()));
        case 6:
            return resultado(QDate(anoDeDoisDigitos(t.mid(4).toInt()), t.mid(2, 2).toInt(), t.left(2).toInt()));
        case 8:
            return resultado(QDate(t.mid(4).toInt(), t.mid(2, 2).toInt(), t.left(2).toInt()));
        default:
            return invalida();
        }
    }

    const QStringList partes = t.split(separadores);
    for (const auto& p : partes)
        if (!soDigitos(p) || p.size() > 4)
            return invalida();
    if (partes.size() == 2)
        return resultado(QDate(hoje.year(), partes[1].toInt(), partes[0].toInt()));
    if (partes.size() != 3)
        return invalida();
    if (partes[0].size() == 4) // yyyy-mm-dd, as dates travel in SQL
        return resultado(QDate(partes[0].toInt(), partes[1].toInt(), partes[2].toInt()));
    if (partes[0].size() > 2 || partes[1].size() > 2)
        return invalida();
    int ano = partes[2].toInt();
    if (partes[2].size() <= 2)
        ano = anoDeDoisDigitos(ano);
    else if (partes[2].size() != 4)
        return invalida();
    return resultado(QDate(ano, partes[1].toInt(), partes[0].toInt()));
}

QString mensagemDataInvalida(const QString& texto) { return QStringLiteral("Data Inválida ") + texto + QStringLiteral("!"); }

const QStringList& nomesMeses() {
    static const QStringList m{QStringLiteral("Janeiro"), QStringLiteral("Fevereiro"), QStringLiteral("Março"),
                               QStringLiteral("Abril"),   QStringLiteral("Maio"),      QStringLiteral("Junho"),
                               QStringLiteral("Julho"),   QStringLiteral("Agosto"),    QStringLiteral("Setembro"),
                               QStringLiteral("Outubro"), QStringLiteral("Novembro"),  QStringLiteral("Dezembro")};
    return m;
}

const QStringList& nomesDiasSemana() {
    static const QStringList d{QStringLiteral("Domingo"),       QStringLiteral("Segunda-feira"),
                               QStringLiteral("Terça-feira"),   QStringLiteral("Quarta-feira"),
                               QStringLiteral("Quinta-feira"),  QStringLiteral("Sexta-feira"),
                               QStringLiteral("Sábado")};
    return d;
}

QString nomeMes(int mes) { return mes >= 1 && mes <= 12 ? nomesMeses()[mes - 1] : QString(); }

QString nomeDiaSemana(int dia) { return dia >= 1 && dia <= 7 ? nomesDiasSemana()[dia - 1] : QString(); }

int diaSemana(const QDate& data) { return data.isValid() ? data.dayOfWeek() % 7 + 1 : 0; }

QString LongData(const QDate& data) {
    if (!data.isValid())
        return {};
    return QStringLiteral("%1 de %2 de %3").arg(data.day()).arg(nomeMes(data.month())).arg(data.year());
}

#include "controls/ValorEdicao.h"

#include "common/UserInteraction.h"
#include "controls/FormatoNumero.h"

#include <algorithm>

void ValorEdicao::setValor(const Currency& v) {
    if (v.abs() >= Currency::fromInt64(Maximo))
        m_valor = Currency();
    else
        m_valor = v;
}

QString ValorEdicao::textoEdicao() const { return m_valor.toShortString(); }

QString ValorEdicao::textoFormatado() const {
    return formatarNumeroPT(m_valor, decimais, sepMilhares, separador.isEmpty() ? QStringLiteral(",") : separador,
                            separador == QLatin1String(".") ? QStringLiteral(",") : QStringLiteral("."));
}

ValorEdicao::Tecla ValorEdicao::filtrarTecla(QChar c, const QString& texto, int inicioSeleccao,
                                             int tamanhoSeleccao) const {
    const ushort u = c.unicode();
    if (u == 13)
        return Tecla::Enter;
    if (u == 8)
        return Tecla::Aceite;
    if (u == '-')
        return Tecla::Aceite;
    const QChar ch = caracterInserido(c);
    if (ch == QLatin1Char('.')) {
        // A second decimal mark would make the text unreadable.
        QString resto = texto;
        resto.remove(inicioSeleccao, tamanhoSeleccao);
        return resto.contains(QLatin1Char('.')) ? Tecla::Recusada : Tecla::Aceite;
    }
    if (!c.isDigit() || u > 127)
        return Tecla::Recusada;
    // The selection is replaced by the key, so it does not count towards the length.
    QString resultante = texto;
    resultante.remove(inicioSeleccao, tamanhoSeleccao);
    if (!resultante.contains(QLatin1Char('.'))) {
        const int semSinal = int(resultante.size()) - int(resultante.count(QLatin1Char('-')));
        if (comprimento > 0 && semSinal >= comprimento)
            return Tecla::Recusada;
    }
    return Tecla::Aceite;
}

std::optional<Currency> valorInicialTexto(const QString& textoOriginal) {
    const QString t = textoOriginal.trimmed();
    int i = 0;
    QString n;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        n += t[i++];
    bool ponto = false;
    int digitosInteiros = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.isDigit() && c.unicode() < 128) {
            n += c;
            if (!ponto && !(digitosInteiros == 0 && c == QLatin1Char('0')))
                ++digitosInteiros;
        } else if (c == QLatin1Char('.') && !ponto) {
            ponto = true;
            n += c;
        } else {
            break;
        }
    }
    if (digitosInteiros > 15)
        return std::nullopt;
    if (n.isEmpty() || n == QLatin1String("-") || n == QLatin1String("+") || n == QLatin1String(".") ||
        n == QLatin1String("-.") || n == QLatin1String("+."))
        return Currency();
    if (n.endsWith(QLatin1Char('.')))
        n.chop(1);
    if (n.startsWith(QLatin1Char('.')) || n.startsWith(QLatin1String("-.")) || n.startsWith(QLatin1String("+.")))
        n.insert(n.indexOf(QLatin1Char('.')), QLatin1Char('0'));
    const auto v = Currency::parse(n);
    if (!v || v->abs() >= Currency::fromInt64(ValorEdicao::Maximo))
        return std::nullopt;
    return v;
}

bool ValorEdicao::textoAlterado(const QString& texto) {
    const auto v = valorInicialTexto(texto);
    if (!v) {
        m_valor = Currency();
        if (m_ui)
            m_ui->mensagem(mensagemExcesso(), UserInteraction::Icone::Exclamacao);
        return false;
    }
    m_valor = *v;
    return true;
}

void ValorEdicao::concluir() { m_valor = m_valor.rounded(std::clamp(decimais, 0, 4), Currency::Arredondamento::MetadeAfastaDeZero); }

QString ValorEdicao::mensagemExcesso() {
    return QStringLiteral("Número demasiado Grande !\no Máximo é 922,337,203,685,477.00");
}

#include "session/ValidaPass.h"

#include "db/Database.h"

#include <QRandomGenerator>
#include <algorithm>

namespace {

bool loginSa(const QString& login) {
    return login.trimmed().compare(QStringLiteral("sa"), Qt::CaseInsensitive) == 0;
}

RegrasPassword regrasAplicaveis(const QString& login, const RegrasPassword& regras) {
    return regras.configuradas() && !loginSa(login) ? regras : RegrasPassword::porOmissao();
}

struct Contagem {
    int mai = 0, min = 0, num = 0, esp = 0;
};

Contagem contar(const QString& p) {
    Contagem c;
    for (const QChar ch : p) {
        if (ch.isUpper())
            ++c.mai;
        else if (ch.isLower())
            ++c.min;
        else if (ch.isDigit())
            ++c.num;
        else if (!ch.isLetterOrNumber())
            ++c.esp;
    }
    return c;
}

// A random example that meets the default rules, so that users do not all copy the same one.
QString exemploForte(int tamanho) {
    static const QString grupos[] = {QStringLiteral("ABCDEFGHJKLMNPQRSTUVWXYZ"),
                                     QStringLiteral("abcdefghijkmnopqrstuvwxyz"), QStringLiteral("23456789"),
                                     QStringLiteral("#$%&*+=?@!")};
    auto* rnd = QRandomGenerator::system();
    QString r;
    for (int i = 0; i < tamanho; ++i) {
        const QString& g = grupos[i < 4 ? i : rnd->bounded(4)];
        r += g.at(rnd->bounded(int(g.size())));
    }
    std::shuffle(r.begin(), r.end(), *rnd);
    return r;
}

} // namespace

RegrasPassword LerRegrasPassword(Database& db) {
    RegrasPassword r;
    const auto l = db.primeiraLinha(QStringLiteral("SELECT Pwd_CompMin, Pwd_NumMai, Pwd_NumMin, Pwd_NumNum, "
                                                   "Pwd_NumEsp FROM paramgeral_OutrosDados"));
    if (!l)
        return r;
    r.compMin = std::max(0, l->at(0).toInt());
    r.numMai = std::max(0, l->at(1).toInt());
    r.numMin = std::max(0, l->at(2).toInt());
    r.numNum = std::max(0, l->at(3).toInt());
    r.numEsp = std::max(0, l->at(4).toInt());
    return r;
}

int ValidaPass(const QString& password, const QString& login, const RegrasPassword& regras) {
    if (password.isEmpty())
        return 0;
    const RegrasPassword r = regrasAplicaveis(login, regras);
    const Contagem c = contar(password);
    const bool comprimento = password.size() >= r.compMin;
    int pontos = int(comprimento) + int(c.mai >= r.numMai) + int(c.min >= r.numMin) + int(c.num >= r.numNum) +
                 int(c.esp >= r.numEsp);
    const bool igualAoLogin =
        !login.trimmed().isEmpty() && password.compare(login.trimmed(), Qt::CaseInsensitive) == 0;
    if (!comprimento || igualAoLogin)
        pontos = std::min(pontos, 2);
    return pontos;
}

QString TextoForcaPassword(int pontuacao) {
    if (pontuacao < 3)
        return QStringLiteral("Fraca");
    if (pontuacao < 5)
        return QStringLiteral("Média");
    return QStringLiteral("Forte");
}

QString TextoRegraPassword(const QString& password, const QString& login, const RegrasPassword& regras) {
    if (password.isEmpty())
        return QStringLiteral("Password vazia é considerada uma falha de segurança.\r"
                              "Para manter o seu sistema seguro deve indicar uma password considerada forte!");
    if (ValidaPass(password, login, regras) >= 5)
        return {};
    const bool comLogin = !login.trimmed().isEmpty();
    if (!regras.configuradas() || loginSa(login)) {
        return QStringLiteral("A password introduzida não é considerada segura. Deve ter pelo menos 9 caracteres, "
                              "1 letra maiúscula, 1 letra minúscula, 1 símbolo, 1 algarismo") +
               (comLogin ? QStringLiteral(" e ser diferente do utilizador.") : QStringLiteral(".")) +
               QStringLiteral("\rExemplos: ") + exemploForte(10) + QStringLiteral(", ") + exemploForte(9) +
               QStringLiteral(", ") + exemploForte(9) + QStringLiteral(".");
    }
    QStringList partes;
    if (regras.compMin > 0)
        partes << QStringLiteral("comprimento mínimo de %1 caracter(es)").arg(regras.compMin);
    if (regras.numMai > 0)
        partes << QStringLiteral("%1 maiúscula(s)").arg(regras.numMai);
    if (regras.numMin > 0)
        partes << QStringLiteral("%1 minúscula(s)").arg(regras.numMin);
    if (regras.numNum > 0)
        partes << QStringLiteral("%1 algarismo(s)").arg(regras.numNum);
    if (regras.numEsp > 0)
        partes << QStringLiteral("%1 símbolo(s)").arg(regras.numEsp);
    return QStringLiteral("A password introduzida não obedece aos critérios definidos nas configurações!\r") +
           (comLogin ? QStringLiteral("Introduza uma nova password diferente do nome do utilizador e com ")
                     : QStringLiteral("Introduza uma nova password com ")) +
           partes.join(QStringLiteral(", ")) + QStringLiteral(".");
}

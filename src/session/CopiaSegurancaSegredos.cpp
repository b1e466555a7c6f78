// Secrets of a restored company enciphered with another machine's key.
#include "session/CopiaSegurancaComum.h"

#include "common/CifraSegredos.h"
#include "db/Database.h"

namespace copia {
namespace {

struct SegredoGuardado {
    QString tabela, coluna;
    // The SMTP password written before enciphering is still used as it is: only an enciphered text
    // can be undecipherable there. The connection passwords are always deciphered before use.
    bool soCifrado;
    QString aviso;
};

const std::vector<SegredoGuardado>& segredos() {
    static const std::vector<SegredoGuardado> s{
        {QStringLiteral("ParamGeral"), QStringLiteral("EMail_SMTPPassword"), true,
         QStringLiteral("A password do servidor de correio (SMTP) tem de ser escrita de novo.")},
        {QStringLiteral("ParamGeral"), QStringLiteral("Password"), false,
         QStringLiteral("A password da ligação à contabilidade (POC) tem de ser escrita de novo.")},
        {QStringLiteral("ParamGeral"), QStringLiteral("PasswordSNC"), false,
         QStringLiteral("A password da ligação à contabilidade (SNC) tem de ser escrita de novo.")},
        {QStringLiteral("ParamGeral"), QStringLiteral("AnoAntPass"), false,
         QStringLiteral("A password da ligação à empresa do ano anterior tem de ser escrita de novo.")},
    };
    return s;
}

} // namespace

Resultado<> verificarSegredos(Database& db, QStringList& avisos) {
    const auto estrutura = db.dialect().estrutura(db);
    const CifraSegredos cifra;
    for (const SegredoGuardado& s : segredos()) {
        const auto t = estrutura.constFind(s.tabela.toLower());
        if (t == estrutura.cend() || !t->contains(s.coluna.toLower()))
            continue;
        // Left as it was, the text would be sent as the password itself or refuse every connection
        // without saying why; empty, the reader asks for none and the user is told to type it.
        QList<qint64> ilegiveis;
        const bool lidos = db.percorrer(
            QStringLiteral("SELECT NumRegisto, %1 FROM %2").arg(s.coluna, s.tabela), {}, [&](const QSqlQuery& q) {
                const QString v = q.value(1).toString();
                if (v.isEmpty() || (s.soCifrado && !v.startsWith(QLatin1String("v1:"))))
                    return;
                if (!cifra.decifrar(v))
                    ilegiveis << q.value(0).toLongLong();
            });
        if (!lidos)
            return Falha(QStringLiteral("%1: %2").arg(s.tabela, db.lastError()));
        for (const qint64 n : ilegiveis)
            if (!db.exec(QStringLiteral("UPDATE %1 SET %2='' WHERE NumRegisto=?").arg(s.tabela, s.coluna), {n}))
                return Falha(QStringLiteral("%1: %2").arg(s.tabela, db.lastError()));
        if (!ilegiveis.isEmpty())
            avisos << s.aviso;
    }
    return {};
}

} // namespace copia

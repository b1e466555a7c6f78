#include "lookups/UtilConfigDiv.h"

#include "db/Database.h"

QVariant UtilConfig_Div_Retorna_var(Database& db, const QString& utilizador, const QString& nomeForm,
                                    const QString& chave) {
    const auto linha =
        db.primeiraLinha(QStringLiteral("SELECT Conteudo FROM UtilConfig_Div WHERE Utilizador=? AND "
                                        "NomeForm=? AND Chave=? ORDER BY NumRegisto DESC"),
                         {utilizador, nomeForm, chave});
    if (!linha || linha->isEmpty() || linha->at(0).isNull())
        return {};
    return linha->at(0);
}

bool UtilConfig_Div_Guarda_bln(Database& db, const QString& utilizador, const QString& nomeForm,
                               const QString& chave, const QVariant& valor, const QString& tipo) {
    Transaction t(db);
    if (!t.ok())
        return false;
    // One row per key: older duplicates would shadow the new value on some reads.
    if (!db.exec(QStringLiteral("DELETE FROM UtilConfig_Div WHERE Utilizador=? AND NomeForm=? AND Chave=?"),
                 {utilizador, nomeForm, chave}))
        return false;
    const QDateTime agora = db.agoraServidor();
    if (db.insert(QStringLiteral("UtilConfig_Div"),
                  Registo()(QStringLiteral("Utilizador"), utilizador)(QStringLiteral("NomeForm"), nomeForm)(
                      QStringLiteral("Chave"), chave)(QStringLiteral("Conteudo"),
                                                      valor.toString())(QStringLiteral("TipoConteudo"), tipo)(
                      QStringLiteral("DataSys"), agora.isValid() ? QVariant(agora) : QVariant())) == 0)
        return false;
    return t.commit();
}

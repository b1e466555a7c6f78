#pragma once

#include "common/Currency.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// Reads the JSON files of the command line strictly: a key the command does not know, a value of
// the wrong JSON type or an amount out of range is refused by name, never read as a default.
class ObjectoJsonCli {
public:
    // `onde` names the object in messages ("ordem", "acerto 2").
    ObjectoJsonCli(const QJsonObject& o, const QString& onde) : m_o(o), m_onde(onde) {}

    // Every key of the object is one of `conhecidas` (exact spelling).
    bool soChaves(const QStringList& conhecidas, QString& erro) const;
    bool tem(const char* chave) const { return m_o.contains(QLatin1String(chave)); }

    // A text; absent gives "" unless obrigatorio. Longer than `maximo` characters is refused.
    bool texto(const char* chave, QString& valor, QString& erro, bool obrigatorio = false, int maximo = 0) const;
    // An amount as a JSON number or a text ("12.5"); absent keeps valor unless obrigatorio.
    bool montante(const char* chave, Currency& valor, QString& erro, bool obrigatorio = false) const;
    // true or false; absent keeps valor.
    bool logico(const char* chave, bool& valor, QString& erro) const;
    // A list of objects; absent gives an empty list unless obrigatoria.
    bool listaObjectos(const char* chave, QList<QJsonObject>& valor, QString& erro, bool obrigatoria = false) const;

private:
    bool falta(const char* chave, QString& erro) const;
    bool tipoErrado(const char* chave, const char* esperado, QString& erro) const;

    QJsonObject m_o;
    QString m_onde;
};

// Reads a JSON file of the command line (at most a few megabytes). False with the reason in erro.
bool lerFicheiroJsonCli(const QString& caminho, QJsonDocument& doc, QString& erro);

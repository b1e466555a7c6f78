#pragma once

#include "db/Database.h"

#include <QHash>
#include <QString>

// What the server says about each of its databases, besides their contents.
struct EstadoBaseDados {
    bool desligada = false; // accepts no connections
    bool soLeitura = false;
    qint64 bytes = -1; // -1 when unknown
};

// By database name; databases the server does not report are missing. Empty when the server
// cannot be reached.
QHash<QString, EstadoBaseDados> estadoBasesDados(const ConnectionParams& servidor);

// The size as shown in the company list: whole megabytes followed by " Mb"; empty when unknown.
QString VerTamanhoDB(qint64 bytes);

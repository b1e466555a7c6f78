#include "db/EstadoBaseDados.h"

#include "db/Servidor.h"

#include <cmath>

QHash<QString, EstadoBaseDados> estadoBasesDados(const ConnectionParams& servidor) {
    return Servidor::para(servidor)->estadoBasesDados();
}

QString VerTamanhoDB(qint64 bytes) {
    if (bytes < 0)
        return {};
    return QStringLiteral("%1 Mb").arg(std::llround(double(bytes) / (1024.0 * 1024.0)));
}

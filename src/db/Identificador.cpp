#include "db/Identificador.h"

#include <QRegularExpression>

bool identificadorValido(const QString& nome) {
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,62}$"));
    return re.match(nome).hasMatch();
}

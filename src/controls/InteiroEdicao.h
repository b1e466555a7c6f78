#pragma once

#include <QString>
#include <optional>

// Bounds and steps of the integer field (the Inteiro control).
struct InteiroEdicao {
    qint64 minimo = 0;
    qint64 maximo = 999999999;
    qint64 valor = 0;

    // Typed value brought inside the bounds. Returns true when the value changed.
    bool definir(qint64 v);
    // Reads the text (empty or "-" is the minimum bound or 0, whichever is inside the bounds).
    bool definirTexto(const QString& texto);
    // One step up / down, only while inside the bounds; true when the value moved.
    bool subir();
    bool descer();
    qint64 limitado(qint64 v) const;
};

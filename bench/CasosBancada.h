#pragma once

#include "db/Dialect.h"

#include <QString>
#include <functional>
#include <vector>

// Each benchmark case registers itself from its own file, so adding one never touches main.cpp.
struct OpcoesBancada {
    Dialect::Motor motor = Dialect::Motor::SQLite;
    qint64 maximo = 1000000; // caps the largest generated table for quick runs
};

struct CasoBancada {
    QString nome;
    std::function<int(const OpcoesBancada&)> correr; // returns 0 when the case ran
};

std::vector<CasoBancada>& casosBancada();

struct RegistoCasoBancada {
    RegistoCasoBancada(const QString& nome, std::function<int(const OpcoesBancada&)> f) {
        casosBancada().push_back({nome, std::move(f)});
    }
};

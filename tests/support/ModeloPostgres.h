#pragma once

#include "common/Resultado.h"
#include "db/ConnectionParams.h"

#include <QString>
#include <functional>

// Building the company schema on PostgreSQL takes about 1,5 s (one catalogue change per table);
// copying a template database takes a fraction of that. A template is built once per kind and key
// (schema fingerprint, test program, day) by whichever test process comes first, under an advisory
// lock, and every later test copies it.
//
// `construir` makes a complete database named as its argument; the template is marked as such only
// when it succeeded, so a half-built one is dropped and built again.
Resultado<> criarCopiaDeModelo(const ConnectionParams& servidor, const QString& nome, const QString& tipo,
                               const std::function<Resultado<>(const QString& modelo)>& construir);

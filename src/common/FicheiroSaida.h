#pragma once

#include "common/Resultado.h"

#include <QString>

// Output files are written whole or not at all (QSaveFile: a temporary beside the target, renamed
// over it only when every byte went out). Before that, the target must be a place where a regular
// file can stand: an existing device, folder or other special file is refused, so that writing a
// report can never replace /dev/full or similar, nor report success after writing nothing.
Resultado<> DestinoDeFicheiroValido(const QString& caminho);

// Creates a data folder (with its parents) when missing; the folder made here is its owner's
// alone (0700). An existing folder is left as it is. False when it cannot be had.
bool CriarPastaPrivada(const QString& pasta);

#pragma once

// Company backups and their restore. A backup is "ExportTARVOEX" + code + ".zip": the control file
// "TARVOEXInfo.xml" and one XML file per user table (plus the company's document archive under
// "Docs/"), read in one consistent snapshot, written to a temporary file and renamed into place
// (mode 0600). A restore makes a NEW company from such a file, on either engine.

#include "common/Resultado.h"
#include "db/ConnectionParams.h"

#include <QString>
#include <QStringList>
#include <functional>

struct GlobalContext;

struct ResumoCopia {
    QString ficheiro; // full path of the backup written
    int tabelas = 0;
    qint64 linhas = 0;
};

// Status texts for the window while the backup runs ("Inicializando...", "Exportando Informação !",
// "Copiando Ficheiro !").
using EstadoCopia = std::function<void(const QString& estado)>;

// Backs up the company open in ctx into the folder. Refusals: "Não definiu a localização dos
// ficheiros!", "Localização <pasta> inválida!", "Localização TEMP inválida!", "A Operação não chegou
// ao Fim!". Does not write Log_DB (the caller does, with the file name).
Resultado<ResumoCopia> CopiarEmpresa(GlobalContext& ctx, const QString& pasta, const EstadoCopia& estado = {});

// What a backup's control file says.
struct InfoCopia {
    QString codigo, nome;
    int ano = 0;
    int versaoEsquema = 0;
    QStringList tabelas;
};
Resultado<InfoCopia> LerInfoCopia(const QString& ficheiro);

struct ResumoReposicao {
    QString empresa, nome;
    int ano = 0;
    QStringList avisos; // e.g. secrets to be typed again
};

// Restores the backup into a new company `novoCodigo` on `servidor` (refused when the code exists,
// when the control file is missing, when a table file is missing, truncated or altered, or when the
// backup comes from a newer schema: "A cópia foi feita por uma versão mais recente do programa").
// Writes a Log_DB row "Reposição" in the new company, as `utilizador`. Nothing is left behind on a
// refusal or failure.
Resultado<ResumoReposicao> ReporEmpresa(const ConnectionParams& servidor, const QString& ficheiro,
                                        const QString& novoCodigo, const QString& utilizador = QStringLiteral("01"));

#pragma once

// What writing, checking and loading a company backup share: the names inside the zip, which
// tables go in it, the control file and the zip's members read as they are decompressed.

#include "common/Resultado.h"
#include "db/esquema/EsquemaDef.h"
#include "session/CopiaSeguranca.h"

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <sodium.h>
#include <vector>
#include <zip.h>

class Database;

namespace copia {

inline const QString FicheiroControlo = QStringLiteral("TARVOEXInfo.xml");
inline const QString PastaDocs = QStringLiteral("Docs/");
inline const QString FalhaFim = QStringLiteral("A Operação não chegou ao Fim!");

QString nomeCopia(const QString& codigo);

// Catalogue names reach SQL spliced; anything that is not a plain identifier is left out.
bool identificador(const QString& n);
bool tabelaDoSistema(const QString& minusculas);
// Tables whose rows are the target's own, written by its schema step.
bool tabelaDeVersao(const QString& minusculas);

// The schema a database is declared by: the company's or its document archive's.
struct Declaracao {
    const std::vector<TabelaDef>& tabelas;
    const TabelaDef* (*tabela)(const QString&);
    bool empresa;
};
Declaracao declaracao(bool empresa);

// The user tables of a database: the declared ones first, in their own spelling, then any other the
// database holds (a company may carry tables of the suite's other programs).
QStringList tabelasUtilizador(const QHash<QString, QSet<QString>>& estrutura, const Declaracao& decl);

// One table file as the control file lists it.
struct EntradaControlo {
    QString membro, tabela;
    qint64 linhas = 0;
    QByteArray sha256;
};

struct Controlo {
    InfoCopia info;
    std::vector<EntradaControlo> ficheiros;
};

struct ZipFechar {
    void operator()(zip_t* z) const {
        if (z)
            zip_discard(z);
    }
};
using Zip = std::unique_ptr<zip_t, ZipFechar>;
Zip abrirZip(const QString& ficheiro);

Resultado<Controlo> lerControlo(zip_t* z, const QString& ficheiro);

// SHA-256 of the table files, in hexadecimal (libsodium's is faster than Qt's on big files).
class ResumoSha256 {
public:
    ResumoSha256() {
        [[maybe_unused]] const int iniciada = sodium_init(); // once per process; later calls return at once
        crypto_hash_sha256_init(&m_estado);
    }
    void juntar(const char* dados, qint64 n) {
        crypto_hash_sha256_update(&m_estado, reinterpret_cast<const unsigned char*>(dados), quint64(n));
    }
    QByteArray hex();

private:
    crypto_hash_sha256_state m_estado;
};

// One member of the zip read as it is decompressed: a table file is never held in memory whole.
// Its SHA-256 is taken on the way.
class MembroZip final : public QIODevice {
public:
    MembroZip(zip_t* z, const QString& membro);
    ~MembroZip() override;
    bool isSequential() const override { return true; }
    bool falhou() const { return !m_f || m_falhou; }
    // Reads what is left and gives the SHA-256 of the whole member; empty when it could not be read
    // to the end.
    QByteArray resumoAteAoFim();

protected:
    qint64 readData(char* dados, qint64 max) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    zip_file_t* m_f;
    bool m_falhou = false;
    ResumoSha256 m_resumo;
};

// The member's SHA-256 in hexadecimal; empty when it cannot be read to the end.
QByteArray resumoMembro(zip_t* z, const QString& membro);

Falha alterada(const QString& tabela);

// Loads the table files of the company (docs false) or of its document archive (docs true) into
// the database, inside the caller's transaction, checking each file's SHA-256 as it is read (a
// refusal undoes the load). Tables the target lacks are told in `avisos`.
Resultado<> carregarBase(Database& db, zip_t* z, const std::vector<EntradaControlo>& todos, bool docs,
                         QStringList& avisos);

// Secrets enciphered with another machine's key, after a restore into `db`: cleared, and each
// told in `avisos` as what must be typed again.
Resultado<> verificarSegredos(Database& db, QStringList& avisos);

} // namespace copia

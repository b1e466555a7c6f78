#pragma once

#include "common/Resultado.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <vector>

class Database;

// Pictures of a record (a product lot, an equipment, a label) kept in the company table Imagens,
// filed by table, code and key. A picture added while its record is being edited stays
// unconfirmed (Fechado 'N') until the posting that saves the record confirms it; the unconfirmed
// pictures of an abandoned edit are discarded, and at the next entry into the program at the latest.

// Largest picture accepted, in bytes (10 MB).
inline constexpr qint64 TamanhoMaximoImagem = qint64(10) * 1024 * 1024;

struct ImagemRegistada {
    qint64 numRegisto = 0;
    QString nome;      // the file it came from, without folder
    QString dataSys;   // "yyyy-MM-dd HH:mm:ss"
    QString utilizador;
    bool confirmada = false;
};

// True when the bytes start as a PNG, JPEG, GIF, BMP or WEBP picture.
bool PareceImagem(const QByteArray& bytes);

// The record's confirmed pictures, whoever added them, and the user's unconfirmed ones, oldest first.
// The key is compared exactly; table and code without regard to case, as every code.
Resultado<std::vector<ImagemRegistada>> ListarImagens(Database& db, const QString& tabela, const QString& codigo,
                                                      const QString& chave, const QString& utilizador);

// Reads the file whole and files it unconfirmed; the new NumRegisto. Refuses a file that cannot be
// read, one that is empty or not a picture, and one above TamanhoMaximoImagem.
Resultado<qint64> AdicionarImagem(Database& db, const QString& tabela, const QString& codigo, const QString& chave,
                                  const QString& utilizador, const QString& ficheiro);

// The picture's bytes as they were filed.
Resultado<QByteArray> LerImagem(Database& db, qint64 numRegisto);

Resultado<> RemoverImagem(Database& db, qint64 numRegisto);

// Confirms the user's unconfirmed pictures of the record; the number confirmed. Called by a
// posting inside its transaction, which a failure here leaves only able to roll back.
Resultado<int> ConfirmaImagens(Database& db, const QString& tabela, const QString& codigo, const QString& chave,
                               const QString& utilizador);

// Deletes the user's unconfirmed pictures of the record (its edit was cancelled); the number deleted.
Resultado<int> DescartaImagens(Database& db, const QString& tabela, const QString& codigo, const QString& chave,
                               const QString& utilizador);

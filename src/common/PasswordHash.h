#pragma once

#include <QString>

// User passwords are kept only as Argon2id hashes (the "$argon2id$..." text, salt included).

// Hash of the password; empty only when hashing could not be done (out of memory).
QString hashPassword(const QString& password);
// True when the password matches a hash made by hashPassword.
bool verificarPassword(const QString& hash, const QString& password);

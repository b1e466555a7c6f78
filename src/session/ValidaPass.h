#pragma once

#include <QString>

class Database;

// Password policy of a company (ParamGeral_OutrosDados): minimum length and minimum numbers of
// capitals, small letters, digits and symbols. All zero means "not configured".
struct RegrasPassword {
    int compMin = 0;
    int numMai = 0;
    int numMin = 0;
    int numNum = 0;
    int numEsp = 0;

    bool configuradas() const { return compMin > 0 || numMai > 0 || numMin > 0 || numNum > 0 || numEsp > 0; }
    // What a strong password needs when the company configured nothing.
    static RegrasPassword porOmissao() { return {9, 1, 1, 1, 1}; }
};

// The company's rules; zeros when the table has no row.
RegrasPassword LerRegrasPassword(Database& db);

// Score 0..5: one point per criterion met (length, capitals, small letters, digits, symbols).
// A password that is too short, or equal to the login, never scores above 2; an empty one scores 0.
// Without configured rules, and always for the login "sa", the default rules apply.
int ValidaPass(const QString& password, const QString& login, const RegrasPassword& regras);

// "Fraca" below 3, "Média" for 3 and 4, "Forte" for 5.
QString TextoForcaPassword(int pontuacao);

// Explains what the password lacks (empty when it scores 5).
QString TextoRegraPassword(const QString& password, const QString& login, const RegrasPassword& regras);

inline const QString TituloControloPassword = QStringLiteral("CONTROLO DE PASSWORD");

#pragma once

struct sqlite3;

// Functions every SQLite company connection gets:
//  sum(x)              exact sum at four decimals (replaces the built-in, which adds doubles);
//  like(p, x[, e])     case-insensitive for every letter, not only ASCII;
//  lumo_sem_acentos(x) the text without accents, for accent-insensitive search.
void lumoRegistarFuncoesSQLite(sqlite3* db);

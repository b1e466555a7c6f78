#include "db/SqliteFunctions.h"

#include "common/Currency.h"
#include "db/TextoPesquisa.h"

#include <QString>
#include <cmath>
#include <limits>
#include <sqlite3.h>

namespace {

struct SomaExacta {
    __int128 total = 0; // in ten-thousandths
    bool algum = false;
    bool soInteiros = true;
    bool foraDoLimite = false;
};

void somaPasso(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto* s = static_cast<SomaExacta*>(sqlite3_aggregate_context(ctx, sizeof(SomaExacta)));
    if (!s)
        return;
    sqlite3_value* v = argv[0];
    switch (sqlite3_value_numeric_type(v)) {
    case SQLITE_NULL:
        return;
    case SQLITE_INTEGER:
        s->total += __int128(sqlite3_value_int64(v)) * Currency::Escala;
        break;
    case SQLITE_FLOAT:
    default:
        s->soInteiros = false;
        // Nothing may be thrown through SQLite's C frames: a value out of range marks the sum.
        try {
            if (sqlite3_value_numeric_type(v) == SQLITE_FLOAT)
                s->total += Currency::fromVariant(QVariant(sqlite3_value_double(v))).raw();
            else
                s->total += Currency::fromString(
                                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v))))
                                .raw();
        } catch (const EstouroMontante&) {
            s->foraDoLimite = true;
        }
        break;
    }
    s->algum = true;
}

void somaFim(sqlite3_context* ctx) {
    auto* s = static_cast<SomaExacta*>(sqlite3_aggregate_context(ctx, 0));
    if (!s || !s->algum) {
        sqlite3_result_null(ctx);
        return;
    }
    // A total that cannot be held fails the statement rather than wrap into a wrong value.
    const __int128 limite = std::numeric_limits<int64_t>::max();
    const __int128 total = s->soInteiros ? s->total / Currency::Escala : s->total;
    if (s->foraDoLimite || total > limite || total < -limite) {
        sqlite3_result_error(ctx, "Valor fora dos limites do tipo monetário", -1);
        return;
    }
    if (s->soInteiros) {
        sqlite3_result_int64(ctx, int64_t(s->total / Currency::Escala));
        return;
    }
    // The nearest double reads back (at 15 significant digits) as the exact four-decimal total.
    const int64_t raw = int64_t(s->total);
    sqlite3_result_double(ctx, double(raw) / double(Currency::Escala));
}

// LIKE with "%" and "_" over case-folded text; optional escape character.
bool corresponde(const QString& padrao, qsizetype ip, const QString& texto, qsizetype it, QChar escape) {
    while (ip < padrao.size()) {
        QChar p = padrao[ip];
        if (p == u'%' ) {
            while (ip < padrao.size() && padrao[ip] == u'%')
                ++ip;
            if (ip == padrao.size())
                return true;
            for (qsizetype k = it; k <= texto.size(); ++k)
                if (corresponde(padrao, ip, texto, k, escape))
                    return true;
            return false;
        }
        if (it >= texto.size())
            return false;
        if (p == u'_') {
            ++ip;
            ++it;
            continue;
        }
        if (!escape.isNull() && p == escape && ip + 1 < padrao.size()) {
            ++ip;
            p = padrao[ip];
        }
        if (p != texto[it])
            return false;
        ++ip;
        ++it;
    }
    return it == texto.size();
}

void funcaoLike(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString padrao =
        QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[0]))).toCaseFolded();
    const QString texto =
        QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[1]))).toCaseFolded();
    QChar escape;
    if (argc == 3 && sqlite3_value_type(argv[2]) != SQLITE_NULL) {
        const QString e = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[2])));
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = e[0].toCaseFolded();
    }
    sqlite3_result_int(ctx, corresponde(padrao, 0, texto, 0, escape) ? 1 : 0);
}

void funcaoSemAcentos(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString t = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])));
    const QByteArray r = semAcentos(t).toUtf8();
    sqlite3_result_text(ctx, r.constData(), int(r.size()), SQLITE_TRANSIENT);
}

} // namespace

void lumoRegistarFuncoesSQLite(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(db, "sum", 1, flags, nullptr, nullptr, somaPasso, somaFim, nullptr);
    sqlite3_create_function_v2(db, "like", 2, flags, nullptr, funcaoLike, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "like", 3, flags, nullptr, funcaoLike, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "lumo_sem_acentos", 1, flags, nullptr, funcaoSemAcentos, nullptr, nullptr,
                               nullptr);
}

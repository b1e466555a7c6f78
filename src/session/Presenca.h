#pragma once

#include <QString>

struct GlobalContext;

// A user working in a program of the suite on a company is marked as present, so that the same
// user cannot work twice at once in the same program. The mark is named
// "#WLUMOGEST" + company code + "_" + program name + "_" + user code and vanishes by itself when
// the program dies:
// - PostgreSQL: a session advisory lock of the company connection (LigacaoEmpresa), seen by every
//   workstation in pg_locks and released when the connection ends;
// - SQLite: an operating-system lock on a file named after the mark beside the database file,
//   released when the process ends.
class Presenca {
public:
    explicit Presenca(GlobalContext& ctx, const QString& programa = QString());

    static QString NomeMarca(const QString& empresa, const QString& programa, const QString& utilizador);

    // Checks and marks in one step: false when somebody (this process included) holds the mark
    // or it could not be made.
    bool Utilizador_Entrada(const QString& utilizador);
    // Whether the user is present in this program (also when the mark is this process's own).
    bool Utilizador_EmUso(const QString& utilizador);
    // Whether the user is present in any program of the suite on this company.
    bool Utilizador_EmUso_TodosModulos(const QString& utilizador);
    // Removes this process's mark; nothing happens when it holds none.
    void Utilizador_Saida(const QString& utilizador);

private:
    bool emSQLite() const;
    QString ficheiroMarca(const QString& programa, const QString& utilizador) const;
    GlobalContext& m_ctx;
    QString m_programa;
};

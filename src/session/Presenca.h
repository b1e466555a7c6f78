#pragma once

#include <QString>
#include <memory>

struct GlobalContext;
struct MarcaPresenca;
class Servidor;

// A user working in a program of the suite on a company is marked as present, so that the same
// user cannot work twice at once in the same program. The mark is named
// "#WLUMOGEST" + company code + "_" + program name + "_" + user code and vanishes by itself when
// the program dies. The server keeps it (Servidor::marcarPresenca): in the company connection
// (LigacaoEmpresa) or beside the company's files.
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
    std::unique_ptr<Servidor> servidor() const;
    MarcaPresenca marca(const QString& utilizador) const;
    GlobalContext& m_ctx;
    QString m_programa;
};

#pragma once

#include "db/Database.h"

#include <QList>
#include <QString>
#include <functional>

// Companies: one database per company and year, named "LumoGest" + a four-character code.

inline constexpr const char* PrefixoEmpresa = "LumoGest";
// Password the supervisor of a new company gets; it must be changed at the first entry.
inline constexpr const char* PasswordInicialSupervisor = "supervisor";

// One row of the list of companies of a server.
struct EmpresaInfo {
    QString codigo;   // the four characters after the prefix
    QString nome;     // ParamGeral.NomeEmpresa, or a placeholder when the database cannot be read
    QString ano;      // ParamGeral.ano
    QString servidor; // textoServidor() (Ligacoes.h) of the server the row came from
    QString versao;   // Actualiza.versao ("000100000000"); "====" when it cannot be read
    int converteuNVARCHAR = 1;
    bool acessivel = false; // false when the database could not be opened or read
};

// Four letters or digits.
bool codigoEmpresaValido(const QString& codigo);
QString nomeBaseDadosEmpresa(const QString& codigo);
// Program version as the databases keep it: major, minor, revision, four digits each.
QString versaoBaseDados();
// The server's parameters pointed at one company's database.
ConnectionParams ligacaoEmpresa(const ConnectionParams& servidor, const QString& codigo);

// Fills a company created by criarEmpresa further, inside its transaction; a failure undoes all.
using PreenchimentoEmpresa = std::function<Resultado<>(Database& db)>;

struct NovaEmpresa {
    QString codigo;
    QString nome;
    int ano = 0;
    QString passwordSupervisor = QString::fromLatin1(PasswordInicialSupervisor);
};

// Creates the database, its schema and the base parameters, warehouse "001", location "00001"
// and the supervisor "01". Either the whole company exists afterwards or nothing was left behind.
Resultado<> criarEmpresa(const ConnectionParams& servidor, const NovaEmpresa& nova,
                         const PreenchimentoEmpresa& extra = {});
Resultado<> criarEmpresa(const ConnectionParams& servidor, const QString& codigo, const QString& nome,
                         int ano);

// Adds a user with a hashed password that must be changed at the first entry, and his defaults
// (warehouse, cash desk "01", general log on, may change warehouse).
Resultado<> inserirUtilizador(Database& db, const QString& codigo, const QString& login,
                              const QString& password, const QString& armazem);

// Opens the company for work: LigacaoEmpresa (connection time-out 60 s, command time-out 120 s),
// the schema brought up to date (missing tables, columns and indexes added), and the company
// fields of the context (CodigoEmpresa, NomeEmpresa, Servidor, LoginSQL, PasswordSQL, TipoAutenticacao).
// On failure the context is left as it was.
Resultado<> abrirEmpresa(struct GlobalContext& ctx, const ConnectionParams& servidor, const QString& codigo);

// Companies of one server, ordered by code; databases with other names are ignored. Refused when
// the server cannot be reached.
Resultado<QList<EmpresaInfo>> listarEmpresas(const ConnectionParams& servidor);

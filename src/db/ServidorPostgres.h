#pragma once

#include "db/Servidor.h"

// A PostgreSQL server.
class ServidorPostgres final : public Servidor {
public:
    explicit ServidorPostgres(ConnectionParams p) : Servidor(std::move(p)) {}

    // "host" or "host:port".
    static ConnectionParams lerTexto(const QString& texto);

    QString texto() const override;
    QString textoNormalizado() const override;
    QString nomeMotor() const override { return QStringLiteral("PostgreSQL"); }

    Resultado<std::shared_ptr<Database>> abrir(const QString& baseDados) const override;
    bool validaLoginsNoServidor() const override { return true; }
    // The server's maintenance database "postgres", with the same credentials.
    Resultado<std::shared_ptr<Database>> ligarManutencao() const;
    // A statement on a whole database, run from the maintenance database; `sql` has %1 for the
    // database name, which is checked first.
    Resultado<> comandoDeBaseDados(const QString& nome, const QString& sql) const;

    Resultado<> criarBaseDados(const QString& nome) const override;
    bool existeBaseDados(const QString& nome) const override;
    Resultado<> apagarBaseDados(const QString& nome) const override;
    Resultado<QStringList> basesDados() const override;
    QHash<QString, EstadoBaseDados> estadoBasesDados() const override;

    bool utilizadorUnico(Database& ligacao, const QString& baseDados, bool unico) const override;
    bool emLinha(Database& ligacao, const QString& baseDados, bool emLinha) const override;

    // Marks are session advisory locks of the company connection, seen by every workstation in
    // pg_locks and released when the connection ends.
    bool marcarPresenca(Database* ligacao, const MarcaPresenca& m) const override;
    bool presente(Database* ligacao, const MarcaPresenca& m) const override;
    bool presenteEmAlgumPrograma(Database* ligacao, const MarcaPresenca& m) const override;
    void retirarPresenca(Database* ligacao, const MarcaPresenca& m) const override;

private:
    bool permitirLigacoes(const QString& baseDados, bool permitir, qint64 pidPoupado) const;
};

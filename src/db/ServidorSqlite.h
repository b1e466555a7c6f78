#pragma once

#include "db/Servidor.h"

#include <optional>

// A folder of SQLite company files, one file per database.
class ServidorSqlite final : public Servidor {
public:
    explicit ServidorSqlite(ConnectionParams p) : Servidor(std::move(p)) {}

    // "sqlite:/folder" or an absolute folder; nullopt for anything else.
    static std::optional<ConnectionParams> lerTexto(const QString& texto);
    // Opens the file, creating it when missing, with the session settings of every connection.
    static Resultado<std::shared_ptr<Database>> abrirFicheiro(const QString& ficheiro,
                                                              const ConnectionParams& p);

    QString texto() const override;
    QString textoNormalizado() const override { return texto(); }
    QString nomeMotor() const override { return QStringLiteral("SQLite"); }

    Resultado<std::shared_ptr<Database>> abrir(const QString& baseDados) const override;
    bool validaLoginsNoServidor() const override { return false; }

    Resultado<> criarBaseDados(const QString& nome) const override;
    bool existeBaseDados(const QString& nome) const override;
    Resultado<> apagarBaseDados(const QString& nome) const override;
    Resultado<QStringList> basesDados() const override;
    QHash<QString, EstadoBaseDados> estadoBasesDados() const override;

    bool utilizadorUnico(Database& ligacao, const QString& baseDados, bool unico) const override;
    bool emLinha(Database&, const QString&, bool) const override { return true; }

    // Marks are operating-system locks on files named after the mark beside the databases.
    bool marcarPresenca(Database* ligacao, const MarcaPresenca& m) const override;
    bool presente(Database* ligacao, const MarcaPresenca& m) const override;
    bool presenteEmAlgumPrograma(Database* ligacao, const MarcaPresenca& m) const override;
    void retirarPresenca(Database* ligacao, const MarcaPresenca& m) const override;

private:
    QString ficheiroMarca(const MarcaPresenca& m) const;
};

#include "db/AdminServidor.h"

#include "db/Servidor.h"

namespace AdminServidor {

bool nomeValido(const QString& nome) { return Servidor::nomeValido(nome); }

std::shared_ptr<Database> ligarManutencao(const ConnectionParams& p, QString* erro) {
    ConnectionParams m = p;
    m.baseDados = QStringLiteral("postgres");
    return Database::open(m, erro);
}

bool criarBaseDados(const ConnectionParams& servidor, const QString& nome, QString* erro) {
    return Servidor::para(servidor)->criarBaseDados(nome, erro);
}

bool existeBaseDados(const ConnectionParams& servidor, const QString& nome) {
    return Servidor::para(servidor)->existeBaseDados(nome);
}

bool apagarBaseDados(const ConnectionParams& servidor, const QString& nome, QString* erro) {
    return Servidor::para(servidor)->apagarBaseDados(nome, erro);
}

QStringList basesDados(const ConnectionParams& servidor, QString* erro) {
    return Servidor::para(servidor)->basesDados(erro);
}

} // namespace AdminServidor

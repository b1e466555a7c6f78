#include "db/AdminServidor.h"

#include "db/Servidor.h"

namespace AdminServidor {

bool nomeValido(const QString& nome) { return Servidor::nomeValido(nome); }

Resultado<std::shared_ptr<Database>> ligarManutencao(const ConnectionParams& p) {
    ConnectionParams m = p;
    m.baseDados = QStringLiteral("postgres");
    return Database::open(m);
}

Resultado<> criarBaseDados(const ConnectionParams& servidor, const QString& nome) {
    return Servidor::para(servidor)->criarBaseDados(nome);
}

bool existeBaseDados(const ConnectionParams& servidor, const QString& nome) {
    return Servidor::para(servidor)->existeBaseDados(nome);
}

Resultado<> apagarBaseDados(const ConnectionParams& servidor, const QString& nome) {
    return Servidor::para(servidor)->apagarBaseDados(nome);
}

Resultado<QStringList> basesDados(const ConnectionParams& servidor) {
    return Servidor::para(servidor)->basesDados();
}

} // namespace AdminServidor

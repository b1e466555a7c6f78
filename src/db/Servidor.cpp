#include "db/Servidor.h"

#include "db/Database.h"
#include "db/ServidorPostgres.h"
#include "db/ServidorSqlite.h"

#include <QRegularExpression>

const QString MarcaPresenca::Prefixo = QStringLiteral("#WLUMOGEST");

QString MarcaPresenca::nome() const {
    return Prefixo + empresa + QStringLiteral("_") + programa + QStringLiteral("_") + utilizador;
}

std::unique_ptr<Servidor> Servidor::para(const ConnectionParams& p) {
    if (p.motor == Dialect::Motor::PostgreSQL)
        return std::make_unique<ServidorPostgres>(p);
    return std::make_unique<ServidorSqlite>(p);
}

ConnectionParams Servidor::lerTexto(const QString& texto) {
    const QString s = texto.trimmed();
    if (auto p = ServidorSqlite::lerTexto(s))
        return *p;
    return ServidorPostgres::lerTexto(s);
}

bool Servidor::nomeValido(const QString& nome) {
    static const QRegularExpression re(QStringLiteral("^[A-Za-z0-9_]{1,63}$"));
    return re.match(nome).hasMatch();
}

ConnectionParams Servidor::paraBaseDados(const QString& baseDados) const {
    ConnectionParams p = m_params;
    p.baseDados = baseDados;
    return p;
}

Resultado<std::shared_ptr<Database>> Servidor::ligar(const ConnectionParams& p, const QString& driver,
                                                     const std::function<void(QSqlDatabase&)>& preparar) {
    return Database::ligar(p, driver, preparar);
}

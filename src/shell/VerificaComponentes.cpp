#include "shell/VerificaComponentes.h"

#include "common/UserInteraction.h"
#include "common/CifraSegredos.h"

#include <QSqlDatabase>

QList<Componente> componentesNecessarios(const std::function<bool()>& impressaoDisponivel,
                                         const QString& ficheiroChave) {
    return {
        {QStringLiteral("Controlador de bases de dados SQLite"), QStringLiteral("libqsqlite.so"),
         QStringLiteral("Qt SQL (QSQLITE)"),
         [] { return QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")); }},
        {QStringLiteral("Controlador de bases de dados PostgreSQL"), QStringLiteral("libqsqlpsql.so"),
         QStringLiteral("Qt SQL (QPSQL) e libpq"),
         [] { return QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")); }},
        {QStringLiteral("Impressão e PDF"), QStringLiteral("libQt6PrintSupport.so.6"),
         QStringLiteral("Qt PrintSupport"),
         [impressaoDisponivel] { return impressaoDisponivel && impressaoDisponivel(); }},
        {QStringLiteral("Cifra das passwords guardadas"),
         ficheiroChave.isEmpty() ? CifraSegredos::ficheiroChavePorOmissao() : ficheiroChave,
         QStringLiteral("libsodium"), [ficheiroChave] { return CifraSegredos(ficheiroChave).valida(); }},
    };
}

bool VerificaComponentes(UserInteraction& ui, const QList<Componente>& componentes, bool mensagemSucesso) {
    QString falhas;
    for (const Componente& c : componentes) {
        if (c.disponivel && c.disponivel())
            continue;
        falhas += QStringLiteral("\r\nNome do Ficheiro: ") + c.ficheiro + QStringLiteral(" - Dependência: ") +
                  c.dependencia;
    }
    if (falhas.isEmpty()) {
        if (mensagemSucesso)
            ui.mensagem(QStringLiteral("Não foram detectadas falhas!"), UserInteraction::Icone::Informacao,
                        TituloVerificacaoComponentes);
        return true;
    }
    ui.mensagem(QStringLiteral("Falha ao instanciar os seguintes objectos: ") + falhas +
                    QStringLiteral("\r\n\r\nVerifique se tem todas as componentes necessárias instaladas ou "
                                   "contacte o fornecedor da aplicação."),
                UserInteraction::Icone::Critico, TituloVerificacaoComponentes);
    return false;
}

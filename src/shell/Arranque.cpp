#include "shell/Arranque.h"

#include "common/UserInteraction.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "company/Mavo.h"

#include <QDir>
#include <QFile>

namespace {
const QString Separador = QStringLiteral("<@>");
constexpr int MaxCampos = 6;

// Splits at every separator; past the sixth field the rest stays in the last one.
QStringList camposDoServico(const QString& resto) {
    QStringList partes = resto.split(Separador);
    if (partes.size() > MaxCampos) {
        const QString ultimo = partes.mid(MaxCampos - 1).join(Separador);
        partes = partes.mid(0, MaxCampos - 1);
        partes << ultimo;
    }
    return partes;
}
} // namespace

QString LinhaComandoDosArgumentos(const QStringList& argumentos) {
    return argumentos.mid(1).join(u' ');
}

QString NomeFicheiroVersao(const QString& nomePrograma, int major, int minor, int revisao) {
    return nomePrograma + QStringLiteral("%1%2%3.txt")
                              .arg(major, 2, 10, QLatin1Char('0'))
                              .arg(minor, 2, 10, QLatin1Char('0'))
                              .arg(revisao, 3, 10, QLatin1Char('0'));
}

AccaoLinhaComando TrataLinhaComando(const QString& linha, const QString& pastaPrograma,
                                    const QString& nomePrograma, int major, int minor, int revisao) {
    const QString texto = linha.trimmed();
    if (texto.isEmpty() || !texto.startsWith(Separador))
        return AccaoLinhaComando::Continuar;

    const QStringList campos = camposDoServico(texto.mid(Separador.size()));
    const QString verbo = campos.value(0).toUpper();
    if (verbo == QStringLiteral("ACT_CHK")) {
        // The caller only looks for the file, so a failure to write it is reported by its absence.
        QFile marca(QDir(pastaPrograma).filePath(NomeFicheiroVersao(nomePrograma, major, minor, revisao)));
        if (marca.open(QIODevice::WriteOnly | QIODevice::Truncate))
            marca.close();
    }
    return AccaoLinhaComando::Terminar;
}

bool VerificaLigacao(GlobalContext& ctx, UserInteraction& ui) {
    if (Mavo::Testa_Connection(ctx.LigacaoEmpresa.get()))
        return true;
    ui.mensagem(QStringLiteral("O Aplicativo foi forçado a encerrar enquanto estava em operação.\r\n"
                               "Vai ser encerrado agora."),
                UserInteraction::Icone::Critico);
    for (std::shared_ptr<Database>* ligacao :
         {&ctx.LigacaoEmpresa, &ctx.LigacaoContabilidade, &ctx.LigacaoAuxiliar1, &ctx.LigacaoAuxiliar2}) {
        Mavo::Fecha_Conneccao(ligacao->get());
        ligacao->reset();
    }
    return false;
}

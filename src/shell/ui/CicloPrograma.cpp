#include "shell/ui/CicloPrograma.h"

#include "company/GlobalContext.h"
#include "company/Ligacoes.h"
#include "lookups/PesquisaTabelas.h"
#include "session/Presenca.h"
#include "session/ui/FrmLogin.h"
#include "shell/ui/FrmSelEmpresa.h"
#include "shell/ui/WMenu.h"

#include <QApplication>
#include <QEventLoop>

int CicloPrograma::executar() {
    // The menu closing is not the end of the program: login comes back.
    QApplication::setQuitOnLastWindowClosed(false);
    for (;;) {
        {
            FrmSelEmpresa seleccao(m_ctx, m_ui);
            if (seleccao.exec() != QDialog::Accepted) {
                FechaLigacoes(m_ctx);
                return 0;
            }
        }
        bool aposMenu = false;
        for (;;) {
            Login::Resultado resultado;
            {
                FrmLogin login(m_ctx, m_ui);
                // The login's user search is the users lookup, without users excluded from searches.
                login.logica().pesquisaUtilizadores = [this](const QString& chave,
                                                             const QString& condicao) -> std::optional<QString> {
                    CampoTabela c;
                    c.codigo = chave;
                    FiltroSQL f;
                    f.e(condicao);
                    if (!pesquisaTabelas(m_ctx, m_ui).Utilizadores(c, chave.isEmpty(), f))
                        return std::nullopt;
                    return c.codigo;
                };
                login.Abrir(aposMenu);
                login.exec();
                resultado = login.resultado();
            }
            if (resultado != Login::Resultado::Entrou)
                break; // back to company selection

            WMenu menu(m_ctx, m_ui);
            menu.definirSaidaUtilizador(
                [](GlobalContext& c) { Presenca(c).Utilizador_Saida(c.CodigoUtilizador); });
            if (!menu.abrir())
                return 1;
            QEventLoop ciclo;
            QObject::connect(&menu, &WMenu::sessaoTerminada, &ciclo, &QEventLoop::quit);
            menu.show();
            ciclo.exec();
            menu.hide();
            if (menu.sairDoPrograma())
                return 0;
            aposMenu = true;
        }
    }
}

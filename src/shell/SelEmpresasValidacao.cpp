#include "shell/SelEmpresasValidacao.h"

#include "common/UserInteraction.h"

const QString SelEmpresasValidacao::DescricaoColunas =
    QStringLiteral("Servidor,2000/Login,2900/Password,0/Autenticação,1500,C/");

SelEmpresasValidacao::SelEmpresasValidacao(ServidoresConhecidos& servidores, UserInteraction& ui)
    : m_servidores(servidores), m_ui(ui) {}

QString SelEmpresasValidacao::texto(const ServidorConhecido& s, int coluna) {
    switch (coluna) {
    case 0:
        return s.servidor;
    case 1:
        return s.login;
    case 2:
        return s.passwordCifrada;
    case 3:
        return s.autenticacao;
    default:
        return {};
    }
}

void SelEmpresasValidacao::cmdAdicionar() {
    m_modo = QStringLiteral("N");
    m_linha = -1;
    m_campos = DadosServidor();
}

bool SelEmpresasValidacao::cmdAlterar(int linha) {
    if (linha < 0 || linha >= linhas().size()) {
        m_ui.mensagem(QStringLiteral("Seleccione o servidor a alterar!"), UserInteraction::Icone::Exclamacao,
                      TituloAtencao);
        return false;
    }
    const ServidorConhecido& s = linhas().at(linha);
    m_modo = QStringLiteral("A");
    m_linha = linha;
    m_campos = DadosServidor{s.servidor, s.login, QString(), s.autenticacao != QStringLiteral("WIN")};
    return true;
}

bool SelEmpresasValidacao::cmdGravar(const DadosServidor& d) {
    if (!emEdicao())
        return false;
    const auto recusa =
        m_modo == QStringLiteral("N") ? m_servidores.adicionar(d) : m_servidores.alterar(m_linha, d);
    if (recusa) {
        m_ui.mensagem(recusa->mensagem,
                      recusa->faltaDados ? UserInteraction::Icone::Exclamacao
                                         : UserInteraction::Icone::Critico,
                      TituloAtencao);
        return false;
    }
    cmdCancelar();
    return true;
}

bool SelEmpresasValidacao::cmdEliminar(int linha) {
    if (linha < 0 || linha >= linhas().size()) {
        m_ui.mensagem(QStringLiteral("Seleccione o servidor a eliminar!"), UserInteraction::Icone::Exclamacao,
                      TituloAtencao);
        return false;
    }
    // The negative answer comes first, as in every confirmation.
    if (m_ui.caixaBotoes(QStringLiteral("Confirma a Eliminação?"), TituloAtencao,
                         {QStringLiteral("&Não"), QStringLiteral("&Sim")}) != 1)
        return false;
    if (!m_servidores.remover(linha)) {
        m_ui.mensagem(QStringLiteral("Não foi possível gravar a lista de servidores nas definições."),
                      UserInteraction::Icone::Critico, TituloAtencao);
        return false;
    }
    cmdCancelar();
    return true;
}

void SelEmpresasValidacao::cmdCancelar() {
    m_modo.clear();
    m_linha = -1;
    m_campos = DadosServidor();
}

#include "support/ScriptedInteraction.h"

#include "lookups/ListaDados.h"
#include "lookups/PesquisaNOVA.h"

#include <gtest/gtest.h>

QVariant ScriptedInteraction::proxima(const QString& p) {
    perguntas.push_back(p);
    if (m_respostas.empty()) {
        ADD_FAILURE() << "Pergunta sem resposta preparada: " << p.toStdString();
        return {};
    }
    QVariant r = m_respostas.front();
    m_respostas.pop_front();
    return r;
}

void ScriptedInteraction::mensagem(const QString& texto, Icone icone, const QString& titulo) {
    mensagens.push_back({texto, icone, titulo});
}

bool ScriptedInteraction::pergunta(const QString& texto, const QString&) { return proxima(texto).toBool(); }

int ScriptedInteraction::alerta(const QString& questao, const QStringList&) {
    const QVariant r = proxima(questao);
    return r.isValid() ? r.toInt() : 0;
}

int ScriptedInteraction::caixaBotoes(const QString& texto, const QString&, const QStringList&, Icone) {
    const QVariant r = proxima(texto);
    return r.isValid() ? r.toInt() : 0;
}

std::optional<QString> ScriptedInteraction::pedirTexto(const QString& texto, const QString&, const QString&) {
    const QVariant r = proxima(texto);
    if (!r.isValid())
        return std::nullopt;
    return r.toString();
}

QString ScriptedInteraction::escolherFicheiroAbrir(const QString& titulo, const QString&, const QString&) {
    return proxima(titulo).toString();
}

QString ScriptedInteraction::escolherFicheiroGravar(const QString& titulo, const QString&, const QString&) {
    return proxima(titulo).toString();
}

QString ScriptedInteraction::escolherPasta(const QString& titulo, const QString&) { return proxima(titulo).toString(); }

bool ScriptedInteraction::pesquisarRegistos(PesquisaNOVA& p) {
    const QStringList campos = p.camposCombo();
    pesquisas.push_back({p.definicao().titulo, p.campoEscolhido() >= 0 ? campos.value(p.campoEscolhido()) : QString(),
                         p.chave(), p.totalRegistos(), p.linhas()});
    if (m_pesquisas.empty()) {
        ADD_FAILURE() << "Pesquisa sem resposta preparada: " << p.definicao().titulo.toStdString();
        return false;
    }
    const RespostaPesquisa r = m_pesquisas.front();
    m_pesquisas.pop_front();
    if (r.campo || r.chave) {
        if (r.campo && !p.escolherCampoPorTitulo(*r.campo))
            ADD_FAILURE() << "Campo de pesquisa inexistente: " << r.campo->toStdString();
        if (r.chave)
            p.definirChave(*r.chave);
        p.cmdProcura_Click();
    }
    if (r.linhas.empty()) {
        p.Cancelar();
        return false;
    }
    if (p.definicao().multiSelecao) {
        for (int l : r.linhas)
            p.lista().setMarcada(l, true);
        return p.Selecionar();
    }
    return p.Selecionar(r.linhas.front());
}

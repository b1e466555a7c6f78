#pragma once

#include "common/UserInteraction.h"

// Where nobody can answer (the command line, a check run inside a posting): questions get "no",
// choices are cancelled, and the messages are kept so the caller can report why something was
// refused.
class InteraccaoSilenciosa : public UserInteraction {
public:
    QString ultima;       // the last message shown
    QStringList mostradas; // every message, in order

    void mensagem(const QString& texto, Icone, const QString&) override {
        ultima = texto;
        mostradas << texto;
    }
    bool pergunta(const QString&, const QString&) override { return false; }
    int alerta(const QString&, const QStringList&) override { return 0; }
    int caixaBotoes(const QString&, const QString&, const QStringList&, Icone) override { return 0; }
    std::optional<QString> pedirTexto(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString escolherFicheiroAbrir(const QString&, const QString&, const QString&) override { return {}; }
    QString escolherFicheiroGravar(const QString&, const QString&, const QString&) override { return {}; }
    QString escolherPasta(const QString&, const QString&) override { return {}; }
    void progressoInicio(const QString&, int) override {}
    bool progresso(int, const QString&) override { return true; }
    void progressoFim() override {}
    bool pesquisarRegistos(PesquisaNOVA&) override { return false; }

    void limpar() {
        ultima.clear();
        mostradas.clear();
    }
};

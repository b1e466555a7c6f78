#include "controls/OpcoesLista.h"

#include <QStringList>

std::vector<OpcaoLista> interpretarOpcoes(const QString& lista) {
    std::vector<OpcaoLista> r;
    for (const QString& parte : lista.split(QLatin1Char(';'))) {
        if (parte.trimmed().isEmpty())
            continue;
        const int p = int(parte.indexOf(QLatin1Char(':')));
        if (p < 0)
            r.push_back({parte, parte});
        else
            r.push_back({parte.left(p), parte.mid(p + 1)});
    }
    return r;
}

int posicaoDaChave(const std::vector<OpcaoLista>& opcoes, const QString& chave) {
    for (size_t i = 0; i < opcoes.size(); ++i)
        if (opcoes[i].chave == chave)
            return int(i);
    for (size_t i = 0; i < opcoes.size(); ++i)
        if (opcoes[i].chave.compare(chave, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

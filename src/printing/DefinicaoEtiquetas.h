#pragma once

#include "common/Resultado.h"
#include "common/UserInteraction.h"
#include "lookups/ListaDados.h"
#include "printing/Etiquetas.h"

#include <QString>
#include <vector>

struct GlobalContext;
class cPrinter;

// Logic of "Definição de Etiquetas" (frmEtiquetas): the product label definitions, one of them in
// the record, its save and deletion, and a sample sheet drawn from the record as it stands.
class DefinicaoEtiquetas {
public:
    DefinicaoEtiquetas(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Definição de Etiquetas"
    static const QString LayoutLista;
    // The paper sizes the record offers: TipoPapel and its name (0: the width and height given).
    static const std::vector<std::pair<int, QString>>& Papeis();

    // Codes and descriptions of the product labels (FicheiroBase 'P').
    ListaDados lvwLista{QStringLiteral("lvwLista")};
    bool Carregar();
    QString seleccionado() const;

    // The record: a new definition (modo 'N', prefilled with an A4 sheet) or the saved one of a code.
    void novo();
    bool abrir(const QString& codigo);
    QChar modo() const { return m_modo; }
    // The code keys the definition: only a new one takes it.
    bool codigoEditavel() const { return m_modo == u'N'; }
    DefinicaoEtiqueta registo;

    enum class Foco { Nenhum, Codigo, Descricao, Grelha, Campos, ArredondaPreco };
    // "&Gravar": the fields read and the grid checked, then saved (a new code refused when it exists);
    // the record turns into a change of that code. False when refused (message shown).
    bool gravar();
    Foco focoPedido() const { return m_foco; }
    // "&Eliminar": "Confirma a Eliminação?", then the saved definition deleted; the record turns new.
    bool eliminar();

    // A sheet of sample labels: the company's first products (or a made-up one) filling the grid once.
    std::vector<LinhaEtiqueta> amostra() const;
    // The sample drawn with the record as it stands, into the printer (the preview's document).
    Resultado<ResultadoEtiquetas> desenharAmostra(cPrinter& p) const;

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QChar m_modo = u'N';
    Foco m_foco = Foco::Nenhum;
};

#pragma once

#include <QString>
#include <vector>

struct GlobalContext;
class UserInteraction;

// Logic of the window "Criação de Lotes" (frmCriarLote): a new product lot with its dates.
//
// Use by a caller: CriarLote c(ctx, ui); c.criar(lote, fabrico, validade, produto, tipo,
// terceiro, descricao) fills the fields; the window (FrmCriarLote::criarLote does all of it) lets
// the user type and press "&Gravar" (gravar()) or "&Cancelar" (cancelar()); unless cancelled,
// devolver() writes lot code, description and dates back. Dates in the fields are "dd-mm-yyyy"
// as shown; the table keeps "yyyy-mm-dd".
class CriarLote {
public:
    CriarLote(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Criação de Lotes"
    static QString NomeForm() { return QStringLiteral("frmCriarLote"); }

    // The check box "G&uardar o Último Lote movimentado", kept per user.
    bool chkGravarUltimoLote = false;
    void carregarDefinicoes();
    void guardarDefinicoes();

    // Fills the fields from the arguments (and from the last lot kept, when asked to).
    void criar(const QString& lote, const QString& dataFabrico, const QString& dataValidade,
                   const QString& produto, const QString& tipo, const QString& terceiro, const QString& descricao);
    // Writes the values back unless the call was cancelled.
    void devolver(QString& lote, QString& dataFabrico, QString& dataValidade, QString& descricao) const;

    // Leaving the product field: its description, "" when there is no such product.
    QString produtoSaiu();
    // Leaving a date field: the typed date normalised to "dd-mm-yyyy" ("" when it is not a date).
    static QString formatarData(const QString& texto);
    // Leaving the description blank copies the lot code into it.
    void descricaoSaiu();

    // The frame "Lotes Movimentados no Documento Actual    (L)": shown when a document type or third
    // party was given, with the lots of that document.
    struct LoteDocumento {
        QString lote, descricao, dataFabrico, dataValidade; // dates "dd-mm-yyyy"
    };
    bool mostrarLotesDocumento() const { return m_mostrarLotesDocumento; }
    const std::vector<LoteDocumento>& lotesDocumento() const { return m_lotesDocumento; }
    void clicarLoteDocumento(int linha);

    enum class Campo { Nenhum, Produto, Lote, Descricao, DataFabrico, DataValidade };
    // "&Gravar": true when the lot was written (the window hides); else the field to focus.
    bool gravar();
    Campo campoFoco() const { return m_foco; }
    // "&Cancelar": fields cleared, call marked cancelled.
    void cancelar();
    bool cancelado() const { return m_cancelado; }

    QString txtProduto, txtDescProduto, txtLote, txtDescricao, txtDataFabrico, txtDataValidade, txtSaftArcNo;

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    bool m_cancelado = false;
    bool m_mostrarLotesDocumento = false;
    std::vector<LoteDocumento> m_lotesDocumento;
    Campo m_foco = Campo::Nenhum;
};

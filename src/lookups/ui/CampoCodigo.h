#pragma once

#include "lookups/CampoTabela.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QToolButton;

// A code field: the code box, a small search button and the description label, bound to one
// lookup of PesquisaTabelas. The button runs the lookup with the search window; leaving the box
// validates what was typed. The field's data lives in a CampoTabela (the window logic's own,
// when given, so the logic always sees what the user sees).
//
//     cpProduto = new CampoCodigo(this);
//     cpProduto->ligar(&m_logica.produto, [this](CampoTabela& c, bool abrir) {
//         return m_pesquisa.Produtos(c, abrir);
//     });
//     connect(cpProduto, &CampoCodigo::validado, this, &Janela::produtoMudou);
class CampoCodigo : public QWidget {
    Q_OBJECT
public:
    using Lookup = std::function<bool(CampoTabela& campo, bool abrirPesquisa)>;

    explicit CampoCodigo(QWidget* pai = nullptr, const QString& nome = QStringLiteral("Codigo"));

    // campo null keeps an own CampoTabela.
    void ligar(CampoTabela* campo, Lookup lookup);
    CampoTabela& campo() { return *m_campo; }
    // Shows what the CampoTabela holds (after the logic changed it).
    void actualizar();

    QString codigo() const;
    QString descricao() const;
    void setCodigo(const QString& codigo); // as if typed; validated on leaving
    void setActivo(bool sim);

    // Runs the lookup as the button does / as leaving the box does.
    bool cmdPesquisa_Click();
    bool txtCodigo_LostFocus();

    QLineEdit* txtCodigo = nullptr;
    QToolButton* cmdPesquisa = nullptr;
    QLabel* lblDescricao = nullptr;

signals:
    // After each lookup: ok when the field holds a known code.
    void validado(bool ok);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    bool correr(bool abrirPesquisa);
    bool janelaADesfazerSe() const;

    // The forms around the field when it was bound, each with its class: a form whose class
    // reads as a plain widget again is past its own destructor, and its logic is gone.
    std::vector<std::pair<QPointer<QWidget>, const QMetaObject*>> m_donos;
    CampoTabela m_proprio;
    CampoTabela* m_campo = &m_proprio;
    Lookup m_lookup;
    QString m_validado; // the text the last lookup left in the box
    bool m_emCurso = false;
};

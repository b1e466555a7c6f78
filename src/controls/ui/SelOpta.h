#pragma once

#include "controls/OpcoesLista.h"

#include <QComboBox>

// Drop-down of key:text options ("A:A;B:B;Todos:Todos;"): shows the texts, answers the key.
class SelOpta : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(QString Lista READ Lista WRITE setLista)
    Q_PROPERTY(QString Chave READ Chave WRITE setChave NOTIFY alterado)
    Q_PROPERTY(bool Found READ Found)
    Q_PROPERTY(QFont Fonte READ font WRITE setFont)
public:
    explicit SelOpta(QWidget* pai = nullptr);

    QString Lista() const { return m_lista; }
    void setLista(const QString& lista);
    QString Chave() const { return m_chave; }
    // Selects the option with that key; Found tells whether there was one.
    void setChave(const QString& chave);
    bool Found() const { return m_found; }
    void Refresh();

signals:
    void alterado();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    QString m_lista;
    QString m_chave;
    bool m_found = false;
    std::vector<OpcaoLista> m_opcoes;
};

#pragma once

#include "shell/ServidoresConhecidos.h"

#include <QString>

class UserInteraction;

// The server-list window: adds, changes and removes the servers whose companies are listed.
class SelEmpresasValidacao {
public:
    static const QString DescricaoColunas;

    SelEmpresasValidacao(ServidoresConhecidos& servidores, UserInteraction& ui);

    const QList<ServidorConhecido>& linhas() const { return m_servidores.registados(); }
    // The folder of company files every workstation knows; not part of the list.
    QString pastaLocal() const { return ServidoresConhecidos::pastaDadosLocal(); }
    // Texts of one row, by column of the description.
    static QString texto(const ServidorConhecido& s, int coluna);

    // "" browsing, "N" adding, "A" changing.
    QString modo() const { return m_modo; }
    bool emEdicao() const { return !m_modo.isEmpty(); }
    int linhaEditada() const { return m_linha; }
    // What the boxes show when an edit starts (the password box is always empty).
    const DadosServidor& campos() const { return m_campos; }

    void cmdAdicionar();
    bool cmdAlterar(int linha);
    // Validates and stores the entry being edited; false (after telling why) keeps the edit open.
    bool cmdGravar(const DadosServidor& d);
    // Asks "Confirma a Eliminação?" and removes the entry.
    bool cmdEliminar(int linha);
    void cmdCancelar();

private:
    ServidoresConhecidos& m_servidores;
    UserInteraction& m_ui;
    QString m_modo;
    int m_linha = -1;
    DadosServidor m_campos;
};

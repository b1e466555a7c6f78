#pragma once

#include "lookups/ListaDados.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

struct GlobalContext;
class UserInteraction;

// Logic of the window "Imagens" (frmImagens): the pictures of one record, listed, added from a
// file, removed, and the selected one's bytes for the preview. Pictures added here stay
// unconfirmed until the record's posting confirms them (ConfirmaImagens). Widget-free; the window
// lookups/ui/FrmImagens binds its controls to it.
class ImagensRegisto {
public:
    // The record's pictures as the user of the context sees them.
    ImagensRegisto(GlobalContext& ctx, UserInteraction& ui, const QString& tabela, const QString& codigo,
                   const QString& chave);

    static QString Layout() {
        return QStringLiteral("Nº,0/Nome,3000/Data,1700,C/Utilizador,900,C/Confirmada,1000,C/");
    }
    static QString Titulo() { return QStringLiteral("Imagens"); }
    static QString FiltroFicheiros() { return QStringLiteral("Imagens (*.png *.jpg *.jpeg *.bmp *.gif *.webp)"); }

    const QString& tabela() const { return m_tabela; }
    const QString& codigo() const { return m_codigo; }
    const QString& chave() const { return m_chave; }
    const QString& utilizador() const { return m_utilizador; }

    // One row per picture, its NumRegisto as the row's id.
    ListaDados lvwImagens{QStringLiteral("lvwImagens")};

    // (Re)reads the list, keeping the selected picture selected when it is still there (else the
    // first); false, after telling the user, when the read failed.
    bool carregar();
    // Asks for a file and files it; true when one was added (it becomes the selected row).
    bool adicionar();
    // Removes the selected picture once the user confirms; true when removed.
    bool remover();
    // Bytes of the selected picture; empty when none is selected or it could not be read.
    QByteArray imagemSeleccionada();
    qint64 numRegistoSeleccionado() const;

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QString m_tabela, m_codigo, m_chave, m_utilizador;
    QString m_pasta; // folder of the last file added, offered again
    // The last picture read: moving the selection back and forth reads it once.
    qint64 m_lida = 0;
    QByteArray m_bytesLidos;
};

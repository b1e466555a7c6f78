#pragma once

#include <QList>
#include <QString>

// The simple code tables the common table editor offers on the menu, with the window title of
// each. Kept here because the access rights list them too, below the editor's own layer.
struct EntradaTabelaComum {
    QString tabela;
    QString titulo;
};
QList<EntradaTabelaComum> TabelasComunsMenu();

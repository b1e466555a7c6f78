#pragma once

#include "shell/SelEmpresaColunas.h"

#include <QStringList>

class QTreeWidget;
class QTreeWidgetItem;

// The lists of the company-selection windows: columns from a column description, widths kept
// per user under the given key (in the settings file given, or the application's settings).
void configurarListaEmpresas(QTreeWidget* lista, const QString& descricao, const QString& chave,
                             const QString& ficheiroDefinicoes = {});
void guardarLargurasLista(const QTreeWidget* lista, const QString& chave,
                          const QString& ficheiroDefinicoes = {});
// One row with the alignment of each column.
QTreeWidgetItem* novaLinhaLista(QTreeWidget* lista, const QList<ColunaLista>& colunas,
                                const QStringList& textos);

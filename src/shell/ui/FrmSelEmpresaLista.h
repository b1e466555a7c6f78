#pragma once

#include "lookups/LayoutColunas.h"

#include <QStringList>

class QTreeWidget;
class QTreeWidgetItem;

// The lists of the company-selection windows: columns from a column layout (LayoutColunas), widths
// kept per user under the given key (in the settings file given, or the application's settings).
// They sort by the selection's own order, so they stay plain tree widgets.
void configurarListaEmpresas(QTreeWidget* lista, const QString& descricao, const QString& chave,
                             const QString& ficheiroDefinicoes = {});
void guardarLargurasLista(const QTreeWidget* lista, const QString& chave,
                          const QString& ficheiroDefinicoes = {});
// One row with the alignment of each column.
QTreeWidgetItem* novaLinhaLista(QTreeWidget* lista, const std::vector<ColunaLayout>& colunas,
                                const QStringList& textos);

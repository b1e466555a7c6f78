#include "shell/ui/FrmSelEmpresaLista.h"

#include "shell/ServidoresConhecidos.h"

#include <QHeaderView>
#include <QSettings>
#include <QTreeWidget>

namespace {
QString chaveLarguras(const QString& chave) {
    return QStringLiteral("Listas/") + chave;
}

Qt::Alignment alinhamento(QChar a) {
    if (a == u'C')
        return Qt::AlignCenter;
    if (a == u'D')
        return Qt::AlignRight | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}
} // namespace

void configurarListaEmpresas(QTreeWidget* lista, const QString& descricao, const QString& chave,
                             const QString& ficheiroDefinicoes) {
    const QList<ColunaLista> colunas = lerColunasLista(descricao);
    QStringList titulos;
    for (const ColunaLista& c : colunas)
        titulos << c.titulo;
    lista->setColumnCount(int(colunas.size()));
    lista->setHeaderLabels(titulos);
    lista->setRootIsDecorated(false);
    lista->setUniformRowHeights(true);
    lista->setAllColumnsShowFocus(true);
    lista->setSelectionMode(QAbstractItemView::SingleSelection);
    lista->header()->setStretchLastSection(false);
    lista->header()->setSectionsMovable(false);

    const QList<QVariant> guardadas =
        abrirDefinicoes(ficheiroDefinicoes)->value(chaveLarguras(chave)).toList();
    const int dpi = lista->logicalDpiX() > 0 ? lista->logicalDpiX() : 96;
    for (int i = 0; i < colunas.size(); ++i) {
        const ColunaLista& c = colunas.at(i);
        lista->headerItem()->setTextAlignment(i, alinhamento(c.alinhamento));
        if (!c.visivel()) {
            lista->setColumnHidden(i, true);
            continue;
        }
        // Twips to pixels, but never narrower than the caption.
        int largura = c.larguraTwips * dpi / 1440;
        largura = qMax(largura, lista->fontMetrics().horizontalAdvance(c.titulo) + 24);
        const int guardada = guardadas.value(i).toInt();
        lista->setColumnWidth(i, guardada > 0 ? guardada : largura);
    }
}

void guardarLargurasLista(const QTreeWidget* lista, const QString& chave, const QString& ficheiroDefinicoes) {
    QList<QVariant> larguras;
    for (int i = 0; i < lista->columnCount(); ++i)
        larguras << (lista->isColumnHidden(i) ? 0 : lista->columnWidth(i));
    abrirDefinicoes(ficheiroDefinicoes)->setValue(chaveLarguras(chave), larguras);
}

QTreeWidgetItem* novaLinhaLista(QTreeWidget* lista, const QList<ColunaLista>& colunas,
                                const QStringList& textos) {
    auto* item = new QTreeWidgetItem(lista, textos);
    for (int i = 0; i < colunas.size(); ++i)
        item->setTextAlignment(i, alinhamento(colunas.at(i).alinhamento));
    return item;
}

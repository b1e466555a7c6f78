#include "shell/ui/FrmSelEmpresaLista.h"

#include "shell/ServidoresConhecidos.h"

#include <QHeaderView>
#include <QSettings>
#include <QTreeWidget>

namespace {
QString chaveLarguras(const QString& chave) {
    return QStringLiteral("Listas/") + chave;
}

Qt::Alignment alinhamento(AlinhamentoColuna a) {
    if (a == AlinhamentoColuna::Centro)
        return Qt::AlignCenter;
    if (a == AlinhamentoColuna::Direita)
        return Qt::AlignRight | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}
} // namespace

void configurarListaEmpresas(QTreeWidget* lista, const QString& descricao, const QString& chave,
                             const QString& ficheiroDefinicoes) {
    const std::vector<ColunaLayout> colunas = interpretarLayout(descricao);
    QStringList titulos;
    for (const ColunaLayout& c : colunas)
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
    for (int i = 0; i < int(colunas.size()); ++i) {
        const ColunaLayout& c = colunas.at(size_t(i));
        lista->headerItem()->setTextAlignment(i, alinhamento(c.alinhamento));
        if (c.oculta()) {
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

QTreeWidgetItem* novaLinhaLista(QTreeWidget* lista, const std::vector<ColunaLayout>& colunas,
                                const QStringList& textos) {
    auto* item = new QTreeWidgetItem(lista, textos);
    for (size_t i = 0; i < colunas.size(); ++i)
        item->setTextAlignment(int(i), alinhamento(colunas[i].alinhamento));
    return item;
}

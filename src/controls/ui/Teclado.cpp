#include "controls/ui/Teclado.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QBoxLayout>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSet>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

#include <algorithm>

namespace {

bool membroDaCadeia(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
}

QList<QWidget*> controlosDe(QWidget* w);

// The control that takes the focus for w: its focus proxy's end, or the first control inside a
// compound field (a date with its arrows); null when there is none.
QWidget* controloDe(QWidget* w) {
    while (w && w->focusProxy())
        w = w->focusProxy();
    if (!w || (w->focusPolicy() & Qt::TabFocus))
        return w;
    if (qobject_cast<QLabel*>(w))
        return nullptr;
    const QList<QWidget*> dentro = controlosDe(w);
    return dentro.isEmpty() ? nullptr : dentro.front();
}

QString textoRotulo(const QLabel* l) {
    QString t = l->text();
    if (Qt::mightBeRichText(t))
        return QString();
    t.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    t.replace(QStringLiteral("&&"), QStringLiteral("&"));
    t = t.trimmed();
    while (t.endsWith(u':'))
        t.chop(1);
    return t.trimmed();
}

void nomear(QWidget* campo, QLabel* rotulo) {
    QWidget* alvo = controloDe(campo);
    if (!alvo || !rotulo || qobject_cast<QLabel*>(alvo))
        return;
    if (alvo != campo && !campo->isAncestorOf(alvo))
        campo = alvo; // through a proxy outside the field: the label points at the control itself
    const QString texto = textoRotulo(rotulo);
    if (texto.isEmpty())
        return;
    if (!rotulo->buddy())
        rotulo->setBuddy(campo);
    if (!alvo->accessibleName().isEmpty())
        return;
    // A button or a box with its own caption already says what it is.
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(alvo);
    if (i && !i->text(QAccessible::Name).trimmed().isEmpty())
        return;
    alvo->setAccessibleName(texto);
}

struct Posicao {
    int linha, coluna;
    QLayoutItem* item;
};

// The layout's items in reading order.
QList<Posicao> itensEmLeitura(QLayout* l) {
    QList<Posicao> itens;
    if (auto* g = qobject_cast<QGridLayout*>(l)) {
        for (int i = 0; i < g->count(); ++i) {
            int r, c, rs, cs;
            g->getItemPosition(i, &r, &c, &rs, &cs);
            itens.append({r, c, g->itemAt(i)});
        }
        std::stable_sort(itens.begin(), itens.end(), [](const Posicao& a, const Posicao& b) {
            return a.linha != b.linha ? a.linha < b.linha : a.coluna < b.coluna;
        });
        return itens;
    }
    if (auto* f = qobject_cast<QFormLayout*>(l)) {
        for (int i = 0; i < f->count(); ++i) {
            int r;
            QFormLayout::ItemRole papel;
            f->getItemPosition(i, &r, &papel);
            itens.append({r, papel == QFormLayout::LabelRole ? 0 : 1, f->itemAt(i)});
        }
        std::stable_sort(itens.begin(), itens.end(), [](const Posicao& a, const Posicao& b) {
            return a.linha != b.linha ? a.linha < b.linha : a.coluna < b.coluna;
        });
        return itens;
    }
    auto* caixa = qobject_cast<QBoxLayout*>(l);
    const bool horizontal = caixa && (caixa->direction() == QBoxLayout::LeftToRight ||
                                      caixa->direction() == QBoxLayout::RightToLeft);
    for (int i = 0; i < l->count(); ++i)
        itens.append({horizontal ? 0 : i, horizontal ? i : 0, l->itemAt(i)});
    if (caixa && (caixa->direction() == QBoxLayout::RightToLeft || caixa->direction() == QBoxLayout::BottomToTop))
        std::reverse(itens.begin(), itens.end());
    return itens;
}

class Leitura {
public:
    explicit Leitura(QWidget* janela) : m_janela(janela) {}

    void widget(QWidget* w) {
        if (m_vistos.contains(w) || (w != m_janela && w->isWindow()))
            return;
        m_vistos.insert(w);
        if (membroDaCadeia(w))
            controlos.append(w);
        // The inside of a list, a combo box or a spin box is its own business.
        if (w != m_janela && membroDaCadeia(w) && !w->layout())
            return;
        if (auto* t = qobject_cast<QTabWidget*>(w)) {
            if (auto* barra = t->findChild<QTabBar*>(QString(), Qt::FindDirectChildrenOnly))
                widget(barra);
            for (int i = 0; i < t->count(); ++i)
                widget(t->widget(i));
            return;
        }
        if (auto* s = qobject_cast<QSplitter*>(w)) {
            for (int i = 0; i < s->count(); ++i)
                widget(s->widget(i));
            return;
        }
        if (auto* p = qobject_cast<QStackedWidget*>(w)) {
            for (int i = 0; i < p->count(); ++i)
                widget(p->widget(i));
            return;
        }
        if (auto* a = qobject_cast<QScrollArea*>(w)) {
            if (a->widget())
                widget(a->widget());
            return;
        }
        if (qobject_cast<QAbstractScrollArea*>(w))
            return;
        if (w->layout())
            layout(w->layout());
        // Controls placed by hand, outside any layout, keep their creation order at the end.
        for (QObject* o : w->children())
            if (auto* filho = qobject_cast<QWidget*>(o); filho && !filho->isWindow())
                widget(filho);
    }

    QList<QWidget*> controlos;

private:
    // `herdado`: the label beside the whole of this layout in the one around it, for its first
    // control that has no label of its own.
    void layout(QLayout* l, QLabel* herdado = nullptr) {
        const QList<Posicao> itens = itensEmLeitura(l);
        auto* grelha = qobject_cast<QGridLayout*>(l);
        for (qsizetype i = 0; i < itens.size(); ++i) {
            QLayoutItem* it = itens[i].item;
            if (it->layout()) {
                layout(it->layout(), rotuloDe(itens, i, grelha));
                continue;
            }
            QWidget* w = it->widget();
            if (!w)
                continue;
            if (controloDe(w)) {
                QLabel* r = rotuloDe(itens, i, grelha);
                nomear(w, r ? r : herdado);
                herdado = nullptr;
            }
            widget(w);
        }
    }

    // The label that names the field at itens[i]: the nearest one to its left in the same row
    // with no control between, else the one just above it.
    static QLabel* rotuloDe(const QList<Posicao>& itens, qsizetype i, QGridLayout* grelha) {
        const Posicao& p = itens[i];
        for (qsizetype j = i - 1; j >= 0 && itens[j].linha == p.linha; --j) {
            QWidget* w = itens[j].item->widget();
            if (!w)
                break;
            if (auto* l = qobject_cast<QLabel*>(w))
                return textoRotulo(l).isEmpty() ? nullptr : l;
            if (controloDe(w))
                break;
        }
        if (grelha) {
            if (QLayoutItem* acima = grelha->itemAtPosition(p.linha - 1, p.coluna))
                if (auto* l = qobject_cast<QLabel*>(acima->widget()))
                    return textoRotulo(l).isEmpty() ? nullptr : l;
            return nullptr;
        }
        if (i > 0 && itens[i - 1].coluna == p.coluna)
            if (auto* l = qobject_cast<QLabel*>(itens[i - 1].item->widget()))
                return textoRotulo(l).isEmpty() ? nullptr : l;
        return nullptr;
    }

    QWidget* m_janela;
    QSet<QWidget*> m_vistos;
};

QList<QWidget*> controlosDe(QWidget* w) {
    Leitura leitura(w);
    leitura.widget(w);
    return leitura.controlos;
}

} // namespace

QList<QWidget*> ControlosEmLeitura(QWidget* janela) {
    Leitura leitura(janela);
    leitura.widget(janela);
    return leitura.controlos;
}

void PrepararTeclado(QWidget* janela) {
    const QList<QWidget*> ordem = ControlosEmLeitura(janela);
    for (qsizetype i = 1; i < ordem.size(); ++i)
        QWidget::setTabOrder(ordem[i - 1], ordem[i]);
    // A control without a label is named by its tip, else by the titled frame around it, else (the
    // window's own list, chart or notes) by the window's title.
    for (QWidget* w : ordem) {
        if (!w->accessibleName().isEmpty())
            continue;
        // A "..." button reads as three dots: it searches.
        auto* botao = qobject_cast<QAbstractButton*>(w);
        const bool pesquisa = botao && botao->text() == QLatin1String("...");
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
        if (!pesquisa && i && !i->text(QAccessible::Name).trimmed().isEmpty())
            continue;
        QString nome = w->toolTip();
        if (nome.isEmpty() && pesquisa)
            nome = QStringLiteral("Pesquisar");
        for (QWidget* p = w->parentWidget(); nome.isEmpty() && p && p != janela; p = p->parentWidget())
            if (auto* g = qobject_cast<QGroupBox*>(p))
                nome = g->title();
        if (nome.isEmpty())
            nome = janela->windowTitle();
        nome.remove(QRegularExpression(QStringLiteral("&(?!&)")));
        if (!nome.trimmed().isEmpty())
            w->setAccessibleName(nome.trimmed());
    }
}

#include "session/ui/FrmHistDocumentos.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr int PapelFicheiro = Qt::UserRole;
constexpr int PapelDocumento = Qt::UserRole + 1;
} // namespace

FrmHistDocumentos::FrmHistDocumentos(GlobalContext& ctx, UserInteraction& ui, const QString& tipo, const QString& numero,
                                     const QString& subtitulo, QWidget* pai)
    : QWidget(pai), m_logica(ctx, ui, tipo, numero, subtitulo) {
    setObjectName(QStringLiteral("frmHistDocumentos"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(m_logica.titulo());
    lvwDocumentos = new QTreeWidget(this);
    lvwDocumentos->setObjectName(QStringLiteral("lvwDocumentos"));
    lvwDocumentos->setHeaderLabels({QStringLiteral("Documento / Ficheiro"), QStringLiteral("Data"),
                                    QStringLiteral("Hora"), QStringLiteral("Entrada"), QStringLiteral("Utilizador")});
    lvwDocumentos->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    auto botao = [this](const char* nome, const QString& texto) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(QLatin1String(nome));
        return b;
    };
    cmdAdicionar = botao("cmdAdicionar", QStringLiteral("&Adicionar"));
    cmdAbrir = botao("cmdAbrir", QStringLiteral("A&brir"));
    cmdGravarComo = botao("cmdGravarComo", QStringLiteral("&Gravar Como"));
    cmdRemover = botao("cmdRemover", QStringLiteral("&Remover"));
    cmdFechar = botao("cmdFechar", QStringLiteral("&Fechar"));
    auto* b = new QHBoxLayout;
    for (QPushButton* x : {cmdAdicionar, cmdAbrir, cmdGravarComo, cmdRemover})
        b->addWidget(x);
    b->addStretch();
    b->addWidget(cmdFechar);
    auto* l = new QVBoxLayout(this);
    l->addWidget(lvwDocumentos, 1);
    l->addLayout(b);

    connect(cmdAdicionar, &QPushButton::clicked, this, [this] {
        if (m_logica.cmdAdicionar_Click(documentoSeleccionado()))
            mostrar();
    });
    connect(cmdAbrir, &QPushButton::clicked, this, [this] {
        const QString f = m_logica.extrairTemporario(ficheiroSeleccionado());
        if (!f.isEmpty())
            QDesktopServices::openUrl(QUrl::fromLocalFile(f));
    });
    connect(lvwDocumentos, &QTreeWidget::itemDoubleClicked, cmdAbrir, &QPushButton::click);
    connect(cmdGravarComo, &QPushButton::clicked, this, [this] { m_logica.cmdGravarComo_Click(ficheiroSeleccionado()); });
    connect(cmdRemover, &QPushButton::clicked, this, [this] {
        m_logica.cmdRemover_Click(ficheiroSeleccionado());
        mostrar();
    });
    connect(cmdFechar, &QPushButton::clicked, this, &QWidget::close);
    m_logica.ler();
    mostrar();
    resize(760, 420);
}

void FrmHistDocumentos::mostrar() {
    lvwDocumentos->clear();
    for (const DocumentoArquivado& d : m_logica.documentos()) {
        auto* doc = new QTreeWidgetItem(lvwDocumentos, {QStringLiteral("%1 - %2").arg(d.numeroMov).arg(d.assunto),
                                                        d.docData, QString(), d.data, d.utilizador});
        doc->setData(0, PapelDocumento, d.numeroMov);
        for (const FicheiroArquivado& f : d.ficheiros) {
            auto* it = new QTreeWidgetItem(doc, {f.filePath, f.fileDate, f.fileTime, f.dataEntrada, f.utilizador});
            it->setData(0, PapelFicheiro, f.numRegisto);
            it->setData(0, PapelDocumento, d.numeroMov);
        }
        doc->setExpanded(true);
    }
}

qint64 FrmHistDocumentos::ficheiroSeleccionado() const {
    const QTreeWidgetItem* it = lvwDocumentos->currentItem();
    if (!it)
        return 0;
    if (it->data(0, PapelFicheiro).isValid())
        return it->data(0, PapelFicheiro).toLongLong();
    // A document with a single file stands for it.
    return it->childCount() == 1 ? it->child(0)->data(0, PapelFicheiro).toLongLong() : 0;
}

qint64 FrmHistDocumentos::documentoSeleccionado() const {
    const QTreeWidgetItem* it = lvwDocumentos->currentItem();
    return it ? it->data(0, PapelDocumento).toLongLong() : 0;
}

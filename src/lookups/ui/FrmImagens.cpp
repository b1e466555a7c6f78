#include "lookups/ui/FrmImagens.h"

#include "controls/ui/CriarControlos.h"
#include "lookups/ui/ListaVista.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FrmImagens::FrmImagens(ImagensRegisto& logica, QWidget* pai) : QDialog(pai), m_logica(logica) {
    setObjectName(QStringLiteral("frmImagens"));
    setWindowTitle(ImagensRegisto::Titulo());

    lvwImagens = criarControlo<ListaVista>(this, "lvwImagens");
    lvwImagens->setLista(&m_logica.lvwImagens);

    lblImagem = criarRotulo(this, "lblImagem");
    lblImagem->setAlignment(Qt::AlignCenter);
    lblImagem->setFrameShape(QFrame::StyledPanel);
    lblImagem->setMinimumSize(320, 240);
    // Ignored: a large picture must not make the label, and so the window, grow.
    lblImagem->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    lblImagem->installEventFilter(this);

    cmdAdicionar = criarBotaoSemEnter(this, "cmdAdicionar", QStringLiteral("&Adicionar"));
    cmdRemover = criarBotaoSemEnter(this, "cmdRemover", QStringLiteral("&Remover"));
    cmdFechar = criarBotaoSemEnter(this, "cmdFechar", QStringLiteral("&Fechar"));

    auto* conteudo = new QHBoxLayout;
    conteudo->addWidget(lvwImagens, 3);
    conteudo->addWidget(lblImagem, 2);
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(cmdAdicionar);
    botoes->addWidget(cmdRemover);
    botoes->addStretch(1);
    botoes->addWidget(cmdFechar);
    auto* principal = new QVBoxLayout(this);
    principal->addLayout(conteudo, 1);
    principal->addLayout(botoes);
    resize(820, 440);

    // The list is read again by both: the view's own row changes meanwhile are not the user's.
    auto recarregando = [this](bool (ImagensRegisto::*accao)()) {
        m_aMostrar = true;
        (m_logica.*accao)();
        m_aMostrar = false;
        // A re-read list resets the view's columns, the hidden one included.
        lvwImagens->aplicarLarguras();
        mostrar();
    };
    connect(cmdAdicionar, &QPushButton::clicked, this, [recarregando] { recarregando(&ImagensRegisto::adicionar); });
    connect(cmdRemover, &QPushButton::clicked, this, [recarregando] { recarregando(&ImagensRegisto::remover); });
    connect(cmdFechar, &QPushButton::clicked, this, &QDialog::accept);
    connect(lvwImagens, &ListaVista::linhaActual, this, [this](int l) {
        if (m_aMostrar)
            return;
        m_logica.lvwImagens.lvw_SelectLinha(l);
        mostrar();
    });

    m_aMostrar = true;
    m_logica.carregar();
    m_aMostrar = false;
    lvw_Lista_GetSettings(*lvwImagens, objectName());
    mostrar();
}

void FrmImagens::done(int resultado) {
    lvw_Lista_SaveSettings(*lvwImagens, objectName());
    QDialog::done(resultado);
}

void FrmImagens::mostrar() {
    cmdRemover->setEnabled(m_logica.numRegistoSeleccionado() > 0);
    mostrarImagem();
}

void FrmImagens::mostrarImagem() {
    const QByteArray bytes = m_logica.imagemSeleccionada();
    m_original = QPixmap();
    if (!bytes.isEmpty())
        m_original.loadFromData(bytes);
    if (m_original.isNull()) {
        lblImagem->setPixmap(QPixmap());
        if (m_logica.lvwImagens.numLinhas() == 0)
            lblImagem->setText(QStringLiteral("Sem imagens."));
        else if (m_logica.numRegistoSeleccionado() > 0)
            lblImagem->setText(QStringLiteral("Pré-visualização indisponível."));
        else
            lblImagem->clear();
        return;
    }
    ajustarImagem();
}

void FrmImagens::ajustarImagem() {
    if (m_original.isNull())
        return;
    const QSize alvo = lblImagem->contentsRect().size();
    // Only shrunk: a small picture enlarged would show blurred.
    if (alvo.isEmpty() || (m_original.width() <= alvo.width() && m_original.height() <= alvo.height()))
        lblImagem->setPixmap(m_original);
    else
        lblImagem->setPixmap(m_original.scaled(alvo, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

bool FrmImagens::eventFilter(QObject* o, QEvent* e) {
    if (o == lblImagem && e->type() == QEvent::Resize)
        ajustarImagem();
    return QDialog::eventFilter(o, e);
}

#include "printing/ui/WVSProcessando.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

WVSProcessando::WVSProcessando(QWidget* pai) : QDialog(pai) {
    setObjectName(QStringLiteral("WVSProcessando"));
    setWindowTitle(QStringLiteral("Imprimindo..."));
    lblTitulo = new QLabel(this);
    lblTitulo->setObjectName(QStringLiteral("lblTitulo"));
    lblInformacao = new QLabel(this);
    lblInformacao->setObjectName(QStringLiteral("lblInformacao"));
    cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    auto* l = new QVBoxLayout(this);
    l->addWidget(lblTitulo);
    l->addWidget(lblInformacao);
    l->addWidget(cmdCancelar, 0, Qt::AlignHCenter);
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { m_parar = true; });
    setMinimumWidth(320);
}

void WVSProcessando::mostrar(const QString& titulo, const QString& informacao) {
    lblTitulo->setText(titulo);
    lblInformacao->setText(informacao);
    if (!isVisible()) {
        show();
        m_desdeEventos.start();
        QApplication::processEvents();
    }
}

bool WVSProcessando::pedidoParar() {
    // Events are served a few times a second: per record they would cost more than the report.
    if (!m_desdeEventos.isValid() || m_desdeEventos.elapsed() > 100) {
        QApplication::processEvents();
        m_desdeEventos.restart();
    }
    return m_parar;
}

void WVSProcessando::fechar() {
    hide();
}

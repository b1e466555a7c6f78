#include "common/ui/QtUserInteraction.h"

#include "common/AlertaOpcoes.h"
#include "common/ui/FrmMsgBox.h"
#include "common/ui/WAlert1.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Messages keep the line breaks of their texts ("\r" alone included), which labels do not break on.
QString textoVisivel(QString t) {
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

QMessageBox::Icon iconeQt(UserInteraction::Icone i) {
    switch (i) {
    case UserInteraction::Icone::Informacao:
        return QMessageBox::Information;
    case UserInteraction::Icone::Exclamacao:
        return QMessageBox::Warning;
    case UserInteraction::Icone::Critico:
        return QMessageBox::Critical;
    case UserInteraction::Icone::Pergunta:
        return QMessageBox::Question;
    case UserInteraction::Icone::Nenhum:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void QtUserInteraction::mensagem(const QString& texto, Icone icone, const QString& titulo) {
    QMessageBox m(iconeQt(icone), titulo.isEmpty() ? QApplication::applicationName() : titulo, textoVisivel(texto),
                  QMessageBox::Ok, m_pai);
    m.exec();
}

bool QtUserInteraction::pergunta(const QString& texto, const QString& titulo) {
    QMessageBox m(QMessageBox::Question, titulo.isEmpty() ? QApplication::applicationName() : titulo,
                  textoVisivel(texto), QMessageBox::NoButton, m_pai);
    auto* nao = m.addButton(QStringLiteral("&Não"), QMessageBox::NoRole);
    auto* sim = m.addButton(QStringLiteral("&Sim"), QMessageBox::YesRole);
    m.setDefaultButton(nao);
    m.exec();
    return m.clickedButton() == sim;
}

int QtUserInteraction::alerta(const QString& questao, const QStringList& respostas) {
    AlertaOpcoes alerta(questao, respostas);
    WAlert1 janela(alerta, m_pai);
    janela.exec();
    return alerta.resultado();
}

int QtUserInteraction::caixaBotoes(const QString& texto, const QString& titulo, const QStringList& botoes,
                                   Icone icone) {
    FrmMsgBox janela(textoVisivel(texto), titulo, botoes, icone, m_pai);
    janela.exec();
    return janela.resultado();
}

std::optional<QString> QtUserInteraction::pedirTexto(const QString& texto, const QString& titulo,
                                                     const QString& inicial) {
    bool ok = false;
    const QString r = QInputDialog::getText(m_pai, titulo, texto, QLineEdit::Normal, inicial, &ok);
    if (!ok)
        return std::nullopt;
    return r;
}

QString QtUserInteraction::escolherFicheiroAbrir(const QString& titulo, const QString& filtro, const QString& pasta) {
    return QFileDialog::getOpenFileName(m_pai, titulo, pasta, filtro);
}

QString QtUserInteraction::escolherFicheiroGravar(const QString& titulo, const QString& filtro,
                                                  const QString& sugestao) {
    return QFileDialog::getSaveFileName(m_pai, titulo, sugestao, filtro);
}

QString QtUserInteraction::escolherPasta(const QString& titulo, const QString& pasta) {
    return QFileDialog::getExistingDirectory(m_pai, titulo, pasta);
}

void QtUserInteraction::progressoInicio(const QString& texto, int total) {
    delete m_progresso;
    m_progresso = new QProgressDialog(texto, QStringLiteral("&Cancelar"), 0, total, m_pai);
    m_progresso->setWindowModality(Qt::WindowModal);
    m_progresso->setMinimumDuration(300);
}

bool QtUserInteraction::progresso(int valor, const QString& texto) {
    if (!m_progresso)
        return true;
    if (!texto.isEmpty())
        m_progresso->setLabelText(texto);
    m_progresso->setValue(valor);
    QApplication::processEvents();
    return !m_progresso->wasCanceled();
}

void QtUserInteraction::progressoFim() {
    delete m_progresso;
    m_progresso = nullptr;
}

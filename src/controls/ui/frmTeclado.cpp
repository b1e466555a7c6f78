#include "controls/ui/frmTeclado.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QChar Agudo(0x00B4);
}

QPushButton* frmTeclado::novaTecla(const QString& legenda, QWidget* pai) {
    auto* b = new QPushButton(legenda, pai);
    b->setObjectName(QStringLiteral("tecla_") + legenda);
    b->setFocusPolicy(Qt::NoFocus);
    b->setMinimumSize(44, 40);
    return b;
}

frmTeclado::frmTeclado(const QString& inicial, QWidget* pai) : QDialog(pai), m_teclado(inicial) {
    setWindowTitle(QStringLiteral("Teclado"));
    setObjectName(QStringLiteral("frmTeclado"));

    txtResultado = new QLineEdit(this);
    txtResultado->setObjectName(QStringLiteral("txtResultado"));
    txtResultado->setReadOnly(true);
    QFont f = txtResultado->font();
    f.setPointSize(f.pointSize() + 4);
    txtResultado->setFont(f);

    // Numeric pane.
    auto* numerico = new QGroupBox(this);
    auto* gn = new QGridLayout(numerico);
    const QString digitos = QStringLiteral("789456123");
    for (int i = 0; i < digitos.size(); ++i) {
        auto* b = novaTecla(QString(digitos[i]), numerico);
        gn->addWidget(b, i / 3, i % 3);
        connect(b, &QPushButton::clicked, this, [this, c = digitos[i]] {
            m_teclado.tecla(c);
            actualizar();
        });
    }
    auto* zero = novaTecla(QStringLiteral("0"), numerico);
    gn->addWidget(zero, 3, 0, 1, 2);
    connect(zero, &QPushButton::clicked, this, [this] {
        m_teclado.tecla(QLatin1Char('0'));
        actualizar();
    });
    auto* ponto = novaTecla(QStringLiteral("Ponto"), numerico);
    gn->addWidget(ponto, 3, 2);
    connect(ponto, &QPushButton::clicked, this, [this] {
        m_teclado.ponto();
        actualizar();
    });

    // Letter pane.
    auto* letras = new QGroupBox(this);
    auto* gl = new QGridLayout(letras);
    const QStringList linhas{QStringLiteral("QWERTYUIOP"), QStringLiteral("ASDFGHJKLÇ"), QStringLiteral("ZXCVBNM,-/")};
    for (int r = 0; r < linhas.size(); ++r)
        for (int c = 0; c < linhas[r].size(); ++c) {
            auto* b = novaTecla(QString(linhas[r][c]), letras);
            gl->addWidget(b, r, c);
            connect(b, &QPushButton::clicked, this, [this, ch = linhas[r][c]] {
                m_teclado.tecla(ch);
                actualizar();
            });
        }
    const QList<QChar> acentos{Agudo, QLatin1Char('`'), QLatin1Char('~'), QLatin1Char('^')};
    for (int i = 0; i < acentos.size(); ++i) {
        auto* b = novaTecla(QString(acentos[i]), letras);
        gl->addWidget(b, 3, i);
        connect(b, &QPushButton::clicked, this, [this, a = acentos[i]] {
            m_teclado.acento(a);
            actualizar();
        });
    }
    auto* espaco = novaTecla(QStringLiteral("Espaço"), letras);
    gl->addWidget(espaco, 3, 4, 1, 4);
    connect(espaco, &QPushButton::clicked, this, [this] {
        m_teclado.espaco();
        actualizar();
    });
    auto* pontoL = novaTecla(QStringLiteral("."), letras);
    gl->addWidget(pontoL, 3, 8);
    connect(pontoL, &QPushButton::clicked, this, [this] {
        m_teclado.ponto();
        actualizar();
    });

    chkShift = new QCheckBox(QStringLiteral("Shift"), this);
    chkShift->setObjectName(QStringLiteral("chkShift"));
    chkCapsLock = new QCheckBox(QStringLiteral("Caps Lock"), this);
    chkCapsLock->setObjectName(QStringLiteral("chkCapsLock"));
    chkCapsLock->setChecked(true); // codes and names are mostly written in capitals
    connect(chkShift, &QCheckBox::toggled, this, [this](bool v) { m_teclado.setShift(v); });
    connect(chkCapsLock, &QCheckBox::toggled, this, [this](bool v) { m_teclado.setCapsLock(v); });
    m_teclado.setCapsLock(true);

    cmdRetrocesso = novaTecla(QStringLiteral("←"), this);
    cmdRetrocesso->setObjectName(QStringLiteral("cmdRetrocesso"));
    cmdRetrocesso->setAutoRepeat(true); // keeps deleting while held
    connect(cmdRetrocesso, &QPushButton::clicked, this, [this] {
        m_teclado.retrocesso();
        actualizar();
    });
    cmdLimpar = novaTecla(QStringLiteral("Limpar Campo"), this);
    cmdLimpar->setObjectName(QStringLiteral("cmdLimpar"));
    connect(cmdLimpar, &QPushButton::clicked, this, [this] {
        m_teclado.limpar();
        actualizar();
    });
    cmdEnter = novaTecla(QStringLiteral("Enter"), this);
    cmdEnter->setObjectName(QStringLiteral("cmdEnter"));
    connect(cmdEnter, &QPushButton::clicked, this, &QDialog::accept);
    cmdEscape = novaTecla(QStringLiteral("Escape"), this);
    cmdEscape->setObjectName(QStringLiteral("cmdEscape"));
    connect(cmdEscape, &QPushButton::clicked, this, &QDialog::reject);
    cmdCancelar = novaTecla(QStringLiteral("Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);

    auto* paineis = new QHBoxLayout;
    paineis->addWidget(numerico);
    paineis->addWidget(letras, 1);
    auto* comandos = new QHBoxLayout;
    comandos->addWidget(chkShift);
    comandos->addWidget(chkCapsLock);
    comandos->addStretch();
    for (auto* b : {cmdRetrocesso, cmdLimpar, cmdEnter, cmdEscape, cmdCancelar})
        comandos->addWidget(b);
    auto* l = new QVBoxLayout(this);
    l->addWidget(txtResultado);
    l->addLayout(paineis);
    l->addLayout(comandos);
    actualizar();
}

QPushButton* frmTeclado::botao(const QString& legenda) const {
    return findChild<QPushButton*>(QStringLiteral("tecla_") + legenda);
}

void frmTeclado::actualizar() {
    txtResultado->setText(m_teclado.texto());
    txtResultado->setCursorPosition(m_teclado.cursor());
    // Shift lasts one letter.
    if (chkShift && chkShift->isChecked() != m_teclado.shift()) {
        const QSignalBlocker b(chkShift);
        chkShift->setChecked(m_teclado.shift());
    }
}

std::optional<QString> frmTeclado::pedir(QWidget* pai, const QString& inicial) {
    frmTeclado f(inicial, pai);
    if (f.exec() != QDialog::Accepted)
        return std::nullopt;
    return f.texto();
}

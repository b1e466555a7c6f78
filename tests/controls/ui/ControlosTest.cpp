#include "controls/ui/ComboMes.h"
#include "controls/ui/ComboSem.h"
#include "controls/ui/EDatas.h"
#include "controls/ui/Inteiro.h"
#include "controls/ui/SelOpta.h"
#include "controls/ui/Valor.h"
#include "controls/ui/frmCalendarioDATA.h"
#include "controls/ui/frmTeclado.h"

#include "support/ScriptedInteraction.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A window with the field under test between two plain fields, so that Enter and Esc can move.
struct Janela {
    QWidget w;
    QLineEdit* antes = new QLineEdit(&w);
    QLineEdit* depois = nullptr;
    explicit Janela(QWidget* campo) {
        auto* l = new QVBoxLayout(&w);
        l->addWidget(antes);
        campo->setParent(&w);
        l->addWidget(campo);
        depois = new QLineEdit(&w);
        l->addWidget(depois);
        w.show();
        QApplication::setActiveWindow(&w);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    }
};

TEST(ValorUi, TypedValueShowsPortugueseFormWhenLeftWithEnter) {
    auto* v = new Valor;
    ScriptedInteraction ui;
    v->setUserInteraction(&ui);
    v->setDecimais(2);
    Janela j(v);
    int enters = 0;
    QObject::connect(v, &Valor::enterPremido, [&] { ++enters; });
    v->setFocus();
    v->campo()->selectAll();
    QTest::keyClicks(v->campo(), QStringLiteral("12a34,5"));
    EXPECT_EQ(v->campo()->text(), QStringLiteral("1234.5")); // letter refused, keypad comma as point
    QTest::keyClick(v->campo(), Qt::Key_Return);
    EXPECT_EQ(v->campo()->text(), QStringLiteral("1.234,50"));
    EXPECT_EQ(v->valor(), Currency::fromString("1234.5"));
    EXPECT_EQ(enters, 1);
    EXPECT_TRUE(j.depois->hasFocus());
    EXPECT_TRUE(ui.mensagens.empty());

    // Back into the field: the plain form again, ready to be retyped.
    v->setFocus();
    EXPECT_EQ(v->campo()->text(), QStringLiteral("1234.5"));
    QTest::keyClick(v->campo(), Qt::Key_Escape);
    EXPECT_TRUE(j.antes->hasFocus());
}

TEST(ValorUi, TooLargeNumberResetsToZeroWithTheMessage) {
    auto* v = new Valor;
    ScriptedInteraction ui;
    v->setUserInteraction(&ui);
    Janela j(v);
    v->setFocus();
    v->campo()->selectAll();
    QTest::keyClicks(v->campo(), QStringLiteral("922337203685477"));
    ASSERT_EQ(ui.mensagens.size(), 1u);
    EXPECT_EQ(ui.mensagens[0].texto, QStringLiteral("Número demasiado Grande !\no Máximo é 922,337,203,685,477.00"));
    EXPECT_TRUE(v->valor().isZero());
    EXPECT_EQ(v->campo()->text(), QStringLiteral("0"));
}

TEST(InteiroUi, ArrowsAndTypedValuesStayInBounds) {
    auto* i = new Inteiro;
    i->setMinimo(1);
    i->setMaximo(5);
    i->setValor(5);
    Janela j(i);
    int mudancas = 0;
    QObject::connect(i, &Inteiro::alterado, [&] { ++mudancas; });
    i->botaoSobe()->click();
    EXPECT_EQ(i->valor(), 5);
    EXPECT_EQ(mudancas, 0);
    i->setFocus();
    QTest::keyClick(i->campo(), Qt::Key_Down);
    EXPECT_EQ(i->valor(), 4);
    EXPECT_EQ(i->campo()->text(), QStringLiteral("4"));
    i->campo()->selectAll();
    QTest::keyClicks(i->campo(), QStringLiteral("70"));
    QTest::keyClick(i->campo(), Qt::Key_Return);
    EXPECT_EQ(i->valor(), 5);
    EXPECT_TRUE(j.depois->hasFocus());
    EXPECT_EQ(mudancas, 2);
}

TEST(EDatasUi, CompletesTheDayAndRefusesImpossibleDates) {
    auto* d = new EDatas;
    ScriptedInteraction ui;
    d->setUserInteraction(&ui);
    d->setHoje(QDate(2003, 3, 20));
    Janela j(d);
    d->setFocus();
    QTest::keyClicks(d->campo(), QStringLiteral("7"));
    QTest::keyClick(d->campo(), Qt::Key_Return);
    EXPECT_EQ(d->DataSys(), QDate(2003, 3, 7));
    EXPECT_EQ(d->Conteudo(), QStringLiteral("07-03-2003"));
    EXPECT_EQ(d->LongData(), QStringLiteral("7 de Março de 2003"));
    EXPECT_TRUE(j.depois->hasFocus());

    d->setFocus();
    QTest::keyClick(d->campo(), Qt::Key_Up);
    EXPECT_EQ(d->DataSys(), QDate(2003, 3, 8));

    d->campo()->setText(QStringLiteral("3102"));
    QTest::keyClick(d->campo(), Qt::Key_Return);
    ASSERT_EQ(ui.mensagens.size(), 1u);
    EXPECT_EQ(ui.mensagens[0].texto, QStringLiteral("Data Inválida 3102!"));
    EXPECT_TRUE(d->campo()->hasFocus());
    EXPECT_EQ(d->DataSys(), QDate(2003, 3, 8)); // the last good date is kept
}

TEST(SelOptaUi, KeysSelectOptionsAndBack) {
    SelOpta s;
    s.setLista(QStringLiteral("A:Armazém A;B:Armazém B;Todos:Todos;"));
    EXPECT_EQ(s.count(), 3);
    s.setChave(QStringLiteral("B"));
    EXPECT_TRUE(s.Found());
    EXPECT_EQ(s.currentText(), QStringLiteral("Armazém B"));
    s.setChave(QStringLiteral("Z"));
    EXPECT_FALSE(s.Found());
    EXPECT_EQ(s.currentIndex(), -1);
    s.setCurrentIndex(2);
    emit s.activated(2);
    EXPECT_EQ(s.Chave(), QStringLiteral("Todos"));

    ComboMes m;
    m.setMes(3);
    EXPECT_EQ(m.DMes(), QStringLiteral("Março"));
    EXPECT_EQ(m.count(), 12);
    ComboSem d;
    d.setDia(7);
    EXPECT_EQ(d.dsemana(), QStringLiteral("Sábado"));
    EXPECT_EQ(d.Dia(), 7);
}

TEST(frmCalendarioDATA, SelectReturnsTheDateAndCancelNothing) {
    {
        frmCalendarioDATA f(QDate(2026, 3, 20), QStringLiteral("Entrega ao cliente"));
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Calendário"));
        EXPECT_FALSE(f.lblNotas->isHidden());
        QTimer::singleShot(0, &f, [&] {
            f.calendario->setSelectedDate(QDate(2026, 3, 25));
            f.cmdSelecionar->click();
        });
        EXPECT_EQ(f.exec(), QDialog::Accepted);
        EXPECT_EQ(f.escolhida(), QDate(2026, 3, 25));
    }
    {
        frmCalendarioDATA f(QDate(2026, 3, 20));
        EXPECT_TRUE(f.lblNotas->isHidden());
        QTimer::singleShot(0, &f, [&] { f.cmdCancelar->click(); });
        f.exec();
        EXPECT_FALSE(f.escolhida().has_value());
    }
}

TEST(frmTeclado, TypesComposedAccentsAndHandsTheTextBack) {
    frmTeclado f(QStringLiteral("AB"));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Teclado"));
    QTimer::singleShot(0, &f, [&] {
        f.cmdRetrocesso->click();
        f.botao(QStringLiteral("~"))->click();
        f.botao(QStringLiteral("A"))->click();
        f.botao(QStringLiteral("O"))->click();
        f.chkCapsLock->setChecked(false);
        f.botao(QString(QChar(0x00B4)))->click();
        f.botao(QStringLiteral("E"))->click();
        f.botao(QStringLiteral("Ponto"))->click();
        f.botao(QStringLiteral("7"))->click();
        f.cmdEnter->click();
    });
    ASSERT_EQ(f.exec(), QDialog::Accepted);
    EXPECT_EQ(f.texto(), QStringLiteral("AÃOé.7"));
    EXPECT_EQ(f.txtResultado->text(), f.texto());
}

} // namespace

#include "common/ui/FrmMsgBox.h"
#include "common/ui/WAlert1.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(WAlert1, EnterNaListaEscolheALinhaECancelarDaZero) {
    AlertaOpcoes alerta(QStringLiteral("Confirma a Eliminação ?"), {QStringLiteral("Não"), QStringLiteral("Sim")});
    {
        WAlert1 janela(alerta);
        EXPECT_EQ(janela.windowTitle(), QStringLiteral("Confirma a Eliminação ?"));
        EXPECT_EQ(janela.GravarG->text(), QStringLiteral("&Selecionar"));
        QTimer::singleShot(0, &janela, [&] { QTest::keyClick(janela.List1, Qt::Key_Return); });
        janela.exec();
    }
    EXPECT_EQ(alerta.resultado(), 1) << "Enter straight away answers the first (safe) row";
    {
        WAlert1 janela(alerta);
        QTimer::singleShot(0, &janela, [&] {
            janela.List1->setCurrentRow(1);
            janela.CancelarG->click();
        });
        janela.exec();
    }
    EXPECT_EQ(alerta.resultado(), 0);
    {
        WAlert1 janela(alerta);
        QTimer::singleShot(0, &janela, [&] {
            janela.List1->setCurrentRow(1);
            janela.GravarG->click();
        });
        janela.exec();
    }
    EXPECT_EQ(alerta.resultado(), 2);
}

TEST(FrmMsgBox, DevolveAPosicaoDoBotao) {
    FrmMsgBox caixa(QStringLiteral("Pretende imprimir?"), QStringLiteral("I M P R E S S Ã O"),
                    {QStringLiteral("&Não"), QStringLiteral("&Sim"), QStringLiteral("&Pré-visualizar")},
                    UserInteraction::Icone::Pergunta);
    QTimer::singleShot(0, &caixa, [&] { caixa.findChild<QPushButton*>(QStringLiteral("cmdBotao2"))->click(); });
    caixa.exec();
    EXPECT_EQ(caixa.resultado(), 2);
}

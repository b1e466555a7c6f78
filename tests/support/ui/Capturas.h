#pragma once

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

// The picture of a window: into the documentation's images with LUMO_CAPTURAS=1, else into a
// temporary folder, as a check that the window renders at all.
inline void capturarJanela(QWidget& janela, const QString& nome) {
    const bool documentacao = qEnvironmentVariable("LUMO_CAPTURAS") == QStringLiteral("1");
    QTemporaryDir temp;
    const QString pasta = documentacao ? QStringLiteral(LUMO_DOCS_DIR "/imagens") : temp.path();
    ASSERT_TRUE(QDir().mkpath(pasta));
    const QString ficheiro = pasta + u'/' + nome + QStringLiteral(".png");
    janela.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    ASSERT_TRUE(janela.grab().save(ficheiro)) << ficheiro.toStdString();
    const QImage lida(ficheiro);
    EXPECT_FALSE(lida.isNull());
    EXPECT_EQ(lida.size(), janela.size() * janela.devicePixelRatio());
    EXPECT_GT(QFileInfo(ficheiro).size(), 0);
}

#include <QFont>
#include <QFontInfo>
#include <gtest/gtest.h>

// Reports and labels name Windows fonts; on this system they must come out as the metric-compatible
// Liberation families, so pages and golden files are the same on every machine.
TEST(Fontes, NomesDosRelatoriosDaoAsFamiliasLiberation) {
    const std::pair<const char*, const char*> mapa[] = {{"Arial", "Liberation Sans"},
                                                        {"Arial Narrow", "Liberation Sans Narrow"},
                                                        {"Courier New", "Liberation Mono"},
                                                        {"Times New Roman", "Liberation Serif"}};
    for (const auto& [nome, familia] : mapa) {
        const QFontInfo info(QFont(QString::fromLatin1(nome), 10));
        EXPECT_EQ(info.family().toStdString(), familia) << nome;
    }
}

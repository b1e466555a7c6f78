#include "production/ui/FrmMovProducao.h"
#include "company/EmpresaDemo.h"
#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "company/Ligacoes.h"
#include "company/ParametrosGerais.h"
#include "printing/cPrinter.h"
#include "printing/ui/VistaPagina.h"
#include "printing/ui/WVSPrint.h"
#include "support/ScriptedInteraction.h"
#include "support/SemFalha.h"

#include <QComboBox>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

// Screens at twice the pixels: the window and a previewed page are drawn at full resolution,
// not stretched from a picture of half the size.

namespace {

QImage aDobrar(QWidget& w) {
    QImage img(w.size() * 2, QImage::Format_ARGB32);
    img.setDevicePixelRatio(2);
    img.fill(Qt::white);
    w.render(&img);
    return img;
}

struct Nitidez {
    int linhasComContraste = 0; // rows where a near-black pixel touches a near-white one
    int blocosComDetalhe = 0;   // 2x2 blocks that are not one colour: finer than the logical pixel
};

Nitidez medir(const QImage& origem) {
    const QImage img = origem.convertToFormat(QImage::Format_Grayscale8);
    Nitidez n;
    for (int y = 0; y < img.height(); ++y) {
        const uchar* l = img.constScanLine(y);
        for (int x = 1; x < img.width(); ++x)
            if (qMin(l[x], l[x - 1]) < 60 && qMax(l[x], l[x - 1]) > 200) {
                ++n.linhasComContraste;
                break;
            }
    }
    for (int y = 0; y + 1 < img.height(); y += 2) {
        const uchar* a = img.constScanLine(y);
        const uchar* b = img.constScanLine(y + 1);
        for (int x = 0; x + 1 < img.width(); x += 2) {
            const uchar v[4] = {a[x], a[x + 1], b[x], b[x + 1]};
            const auto [mn, mx] = std::minmax_element(v, v + 4);
            if (*mx - *mn > 100)
                ++n.blocosComDetalhe;
        }
    }
    return n;
}

void verificarNitida(QWidget& w, const char* nome) {
    const QImage img = aDobrar(w);
    EXPECT_EQ(img.size(), w.size() * 2) << nome;
    EXPECT_EQ(img.deviceIndependentSize().toSize(), w.size()) << nome;
    const Nitidez n = medir(img);
    EXPECT_GE(n.linhasComContraste, 20) << nome;
    EXPECT_GE(n.blocosComDetalhe, 200) << nome;
}

} // namespace

TEST(AltaResolucao, JanelaDeProducaoEPaginaNitidas) {
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    ConnectionParams servidor;
    servidor.motor = Dialect::Motor::SQLite;
    servidor.pasta = pasta.path();
    ASSERT_TRUE(semFalha(criarEmpresaDemo(servidor)));
    GlobalContext ctx;
    ASSERT_TRUE(semFalha(abrirEmpresa(ctx, servidor, QString::fromLatin1(CodigoEmpresaDemo))));
    ctx.CodigoUtilizador = QStringLiteral("01");
    CarregaParametrosGerais(ctx);
    ScriptedInteraction ui;
    {
        FrmMovProducao janela(ctx, ui);
        janela.resize(1024, 768);
        janela.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
        verificarNitida(janela, "frmMovProducao");
    }

    cPrinter p;
    p.init(QStringLiteral("Consumos do Lote"));
    for (int i = 0; i < 30; ++i)
        p.L(QStringLiteral("Linha de consumo %1 — pinho, cola, verniz").arg(i + 1), 10 + i * 5, 10);
    p.Show();
    WVSPrint vista(p.documento(), ctx, ui);
    vista.resize(1024, 768);
    vista.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&vista));
    vista.cmbZoom->setCurrentIndex(2); // "100 %": letters of reading size
    auto* pagina = vista.findChild<VistaPagina*>();
    ASSERT_TRUE(pagina);
    verificarNitida(*pagina, "vwPagina");
    verificarNitida(vista, "WVSPrint");
    FechaLigacoes(ctx);
}

#include "printing/RelatorioInstantaneaImpressao.h"
#include "printing/cPrinter.h"
#include "support/PaginasGravadas.h"

#include <gtest/gtest.h>

namespace {

Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }

LinhaRelatorioInstantanea corrida(int ordem, const char* num, const char* produto, const char* descricao,
                                  bool comSaida) {
    LinhaRelatorioInstantanea l;
    l.ordem = ordem;
    l.numProcesso = QString::fromLatin1(num);
    l.tipoEntrada = QStringLiteral("EPR");
    l.numeroEntrada = QString::fromLatin1(num).rightJustified(8, u'0');
    l.dataEntrada = QStringLiteral("2026-03-02");
    if (comSaida) {
        l.tipoSaida = QStringLiteral("SPR");
        l.numeroSaida = l.numeroEntrada;
        l.dataSaida = l.dataEntrada;
    }
    l.equipamento = QStringLiteral("EQ-0042");
    l.produto = QString::fromLatin1(produto);
    l.descricao = QString::fromUtf8(descricao);
    l.observacoes = l.produto + QStringLiteral(" - ") + l.descricao;
    l.nomenclatura = QStringLiteral("TAMPO - Tampo de pinho 120x60");
    l.tipoProcesso = TipoProcessoInstantaneo;
    l.quantidade = C("2");
    return l;
}

QStringList textos(const DocumentoImpresso& doc) {
    QStringList r;
    for (const ElementoExportado& e : doc.exportados)
        r << e.texto;
    return r;
}

} // namespace

// A row per list row: runs with their entry and output documents, a run without raw materials,
// and a process closing referred to its process; the filters in the header.
TEST(RelatorioInstantaneaImpressao, ListaIgualAoFicheiroDeReferencia) {
    std::vector<LinhaRelatorioInstantanea> linhas = {
        corrida(1, "7", "PA001", "Tampo de mesa em pinho", true),
        corrida(2, "8", "PA002", "Cadeira em carvalho", true),
        corrida(3, "12", "PA001", "Tampo de mesa em pinho", false),
    };
    linhas[2].tipoProcesso = TipoProcessoProcessos;
    linhas[2].processo = QStringLiteral("3");
    LinhaRelatorioInstantanea fecho;
    fecho.ordem = 4;
    fecho.tipoEntrada = QStringLiteral("EPR");
    fecho.numeroEntrada = QStringLiteral("00000012");
    fecho.dataEntrada = QStringLiteral("2026-03-04");
    fecho.processo = QStringLiteral("3");
    fecho.observacoes = QStringLiteral("Ref. a 3");
    fecho.tipoProcesso = TipoProcessoProcessos;
    linhas.push_back(fecho);
    FiltroRelatorioInstantanea f;
    f.de = QStringLiteral("2026-03-01");
    f.ate = QStringLiteral("2026-03-31");
    f.equipamento = QStringLiteral("EQ-0042");

    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirRelatorioInstantanea(p, linhas, f, QStringLiteral("Frigorífico Arcel 2009"),
                                             QStringLiteral("Carpintaria do Vale, Lda."), QStringLiteral("S"),
                                             QDate(2026, 3, 6)));
    const QStringList t = textos(*p.documento());
    EXPECT_TRUE(t.contains("Relatório de Produção Instantânea"));
    EXPECT_TRUE(t.contains("Data Inicial : 01-03-2026     Data Final : 31-03-2026"));
    EXPECT_TRUE(t.contains("Equipamento : EQ-0042 - Frigorífico Arcel 2009"));
    EXPECT_TRUE(t.contains("Nomenclatura Aplicada"));
    EXPECT_TRUE(t.contains("Ref. a 3"));
    EXPECT_TRUE(t.contains("00000012"));
    EXPECT_EQ(t.count("SPR"), 2) << "the run without raw materials has no output document";
    EXPECT_EQ(t.count("02-03-2026"), 5) << "three entries and two outputs";
    confereComGolden(*p.documento(), "relatorio_instantanea.txt");

    const DadosRelatorio d = DadosRelatorioInstantanea(linhas, f);
    EXPECT_EQ(d.relatorio, "relatorio-instantanea");
    ASSERT_EQ(d.linhas.size(), 4);
    const QJsonObject primeira = d.linhas[0].toObject();
    EXPECT_EQ(primeira["tipo"].toString(), "processo");
    EXPECT_EQ(primeira["numProcesso"].toString(), "7");
    EXPECT_EQ(primeira["quantidade"].toString(), "2.0000");
    EXPECT_EQ(d.linhas[3].toObject()["observacoes"].toString(), "Ref. a 3");
    EXPECT_EQ(d.filtros["equipamento"].toString(), "EQ-0042");
    EXPECT_EQ(d.totais["linhas"].toInt(), 4);
}

// Without an equipment the header says "Todos"; a long list breaks pages with the captions again.
TEST(RelatorioInstantaneaImpressao, SemEquipamentoEMuitasLinhas) {
    std::vector<LinhaRelatorioInstantanea> linhas;
    for (int i = 1; i <= 120; ++i)
        linhas.push_back(corrida(i, QByteArray::number(i).constData(), "PA001", "Tampo de mesa em pinho", true));
    cPrinter p;
    p.GravarExportacao(true);
    ASSERT_TRUE(ImprimirRelatorioInstantanea(p, linhas, {}, {}, QStringLiteral("Carpintaria do Vale, Lda."),
                                             QStringLiteral("S"), QDate(2026, 3, 6)));
    const QStringList t = textos(*p.documento());
    EXPECT_TRUE(t.contains("Equipamento : Todos"));
    EXPECT_TRUE(t.contains("Data Inicial : --     Data Final : --"));
    EXPECT_GT(p.NumeroPaginas(), 1);
    EXPECT_EQ(t.count("Nomenclatura Aplicada"), p.NumeroPaginas()) << "captions on every page";
    EXPECT_EQ(t.count("EPR"), 120);
}

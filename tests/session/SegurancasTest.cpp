#include "session/Segurancas.h"
#include "support/Ambiente.h"
#include "support/DbTest.h"

#include <QSettings>
#include <QTemporaryDir>

namespace {
// 2026-12-07 is a Monday.
QDateTime em(int dia, const char* hora) {
    return QDateTime(QDate(2026, 12, dia), QTime::fromString(QLatin1String(hora), QStringLiteral("HH:mm")));
}

class SegurancasTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(m_definicoes.isValid());
        isolarDefinicoes(m_definicoes.path());
    }
    bool devida(const QString& opcao, const QDateTime& quando, const QString& utilizador = QStringLiteral("01")) {
        const auto r = AgendaDevida(*db, utilizador, opcao, quando);
        EXPECT_TRUE(r.ok()) << (r.ok() ? "" : r.mensagem().toStdString());
        return r.valorOu(false);
    }
    int linhasLogDB() { return db->scalar(QStringLiteral("SELECT COUNT(*) FROM Log_DB")).toInt(); }

    QTemporaryDir m_definicoes;
};
} // namespace

TEST(AbreviaturaDiaSemana, TabelaFixaDeSegundaADomingo) {
    const QStringList esperado = {"Seg;", "Ter;", "Qua;", "Qui;", "Sex;", "Sáb;", "Dom;"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(AbreviaturaDiaSemana(QDate(2026, 12, 7 + i)), esperado.at(i)) << i;
    EXPECT_TRUE(AbreviaturaDiaSemana(QDate()).isEmpty());
}

TEST_P(SegurancasTest, AgendaSegQuaAsDezoito) {
    ASSERT_TRUE(GravarAgendaSeguranca(*db, {"01", "Saida", "18:00", "Seg;Qua;"}).ok());
    EXPECT_TRUE(devida("Saida", em(9, "18:05"))) << "Wednesday after the time";
    EXPECT_FALSE(devida("Saida", em(9, "17:55"))) << "Wednesday before the time";
    EXPECT_FALSE(devida("Saida", em(8, "18:05"))) << "Tuesday is not scheduled";
    EXPECT_TRUE(devida("Saida", em(7, "18:00"))) << "the time itself counts";
    EXPECT_TRUE(devida("Saida", em(7, "23:59")));
    EXPECT_FALSE(devida("Entrada", em(9, "18:05"))) << "the entry has no schedule";
    EXPECT_FALSE(devida("Saida", em(9, "18:05"), "02")) << "another user's schedule";
}

TEST_P(SegurancasTest, DiasVaziosValemTodosOsDiasEMaiusculasNaoContam) {
    ASSERT_TRUE(GravarAgendaSeguranca(*db, {"01", "Entrada", "", ""}).ok());
    EXPECT_EQ(db->scalar("SELECT Hora FROM Log_DB_Agenda").toString(), "00:00");
    for (int dia = 7; dia < 14; ++dia)
        EXPECT_TRUE(devida("Entrada", em(dia, "00:00"))) << dia;

    // Rows written by the suite's other programs may spell the days in any case.
    ASSERT_GT(db->insert("Log_DB_Agenda", {"Codigo", "Utilizador", "Opcao", "Hora", "Dias"},
                         {"X", "03", "Saida", "08:30", "seg;SÁB;"}),
              0);
    EXPECT_TRUE(devida("Saida", em(7, "09:00"), "03"));
    EXPECT_TRUE(devida("Saida", em(12, "09:00"), "03")) << "Saturday in capitals";
    EXPECT_FALSE(devida("Saida", em(13, "09:00"), "03"));
    EXPECT_FALSE(devida("Saida", em(12, "08:29"), "03"));
}

TEST_P(SegurancasTest, GravarAgendaRecusasEUmaPorUtilizadorEOpcao) {
    const std::vector<AgendaSeguranca> recusadas = {
        {"", "Saida", "18:00", ""},       {"01", "Sair", "18:00", ""},      {"01", "Saida", "25:00", ""},
        {"01", "Saida", "9:00", ""},      {"01", "Saida", "18:00", "Seg"},  {"01", "Saida", "18:00", "Seg;Xyz;"},
        {"01", "Saida", "18:00", "Seg;seg;"}, {"01", "Saida", "18h00", ""}};
    for (const auto& a : recusadas) {
        const auto r = GravarAgendaSeguranca(*db, a);
        EXPECT_FALSE(r.ok()) << a.opcao.toStdString() << " " << a.hora.toStdString() << " " << a.dias.toStdString();
    }
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Log_DB_Agenda").toInt(), 0);

    ASSERT_TRUE(GravarAgendaSeguranca(*db, {"01", "Saida", "18:00", "qua;SEG;"}).ok());
    ASSERT_TRUE(GravarAgendaSeguranca(*db, {"01", "Saida", "19:30", "sáb;"}).ok());
    ASSERT_TRUE(GravarAgendaSeguranca(*db, {"01", "Entrada", "08:00", ""}).ok());
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Log_DB_Agenda WHERE Opcao='Saida'").toInt(), 1);
    const auto l = db->primeiraLinha("SELECT Hora, Dias FROM Log_DB_Agenda WHERE Opcao='Saida'");
    ASSERT_TRUE(l);
    EXPECT_EQ(l->at(0).toString(), "19:30");
    EXPECT_EQ(l->at(1).toString(), "Sáb;") << "kept as the weekday table writes it";
    EXPECT_FALSE(devida("Saida", em(9, "20:00"))) << "the first Wednesday schedule was replaced";

    ASSERT_TRUE(GravarAgendaSeguranca(*db, {"01", "Saida", {}, {}}, true).ok());
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Log_DB_Agenda").toInt(), 1) << "only the exit schedule removed";
}

TEST_P(SegurancasTest, HistoricoMaisRecentePrimeiroComOLogin) {
    ASSERT_GT(db->insert("Utilizador", {"Codigo", "Login", "Password"}, {"09", "Rui", ""}), 0);
    const QStringList c = {"Accao", "Data", "Hora", "Ficheiro", "Utilizador", "Posto"};
    ASSERT_GT(db->insert("Log_DB", c, {"Segurança", "2026-12-01", "09:00", "a.zip", "09", "P1"}), 0);
    ASSERT_GT(db->insert("Log_DB", c, {"Segurança", "2026-12-03", "08:00", "b.zip", "07", "P2"}), 0);
    ASSERT_GT(db->insert("Log_DB", c, {"Segurança", "2026-12-03", "18:00", "c.zip", "09", "P1"}), 0);
    ASSERT_GT(db->insert("Log_DB", c, {"Segurança", "2025-01-01", "18:00", "velho.zip", "01", "P1"}), 0);
    const auto h = LerHistoricoSegurancas(*db, "2026-01-01");
    ASSERT_TRUE(h.ok());
    ASSERT_EQ(h->size(), 3u);
    EXPECT_EQ(h->at(0).ficheiro, "c.zip");
    EXPECT_EQ(h->at(1).ficheiro, "b.zip");
    EXPECT_EQ(h->at(2).ficheiro, "a.zip");
    EXPECT_EQ(h->at(0).utilizadorLogin, "Rui");
    EXPECT_EQ(h->at(1).utilizadorLogin, "") << "a user no longer in the table still lists his row";
    EXPECT_EQ(LerHistoricoSegurancas(*db)->size(), 4u);
}

TEST_P(SegurancasTest, JanelaAutomaticaSoQuandoDevidaEFecharRegistaACancelamento) {
    ctx.NomeEmpresa = "Fábrica Teste";
    Segurancas s(ctx, ui);
    EXPECT_FALSE(s.Abrir("Saida", "AUTO", em(9, "18:05"))) << "no schedule: nothing shown";
    s.Fechar();
    EXPECT_EQ(linhasLogDB(), 0) << "a window never shown records nothing";

    ASSERT_TRUE(GravarAgendaSeguranca(*db, {"01", "Saida", "18:00", "Seg;Qua;"}).ok());
    Segurancas fora(ctx, ui);
    EXPECT_FALSE(fora.Abrir("Saida", "AUTO", em(9, "17:55")));

    Segurancas auto_(ctx, ui);
    ASSERT_TRUE(auto_.Abrir("Saida", "AUTO", em(9, "18:05")));
    EXPECT_TRUE(auto_.automatico());
    EXPECT_EQ(auto_.lblEmpresa, "TEST - Fábrica Teste");
    EXPECT_TRUE(auto_.lblInfo.startsWith("Tamanho da Base de Dados: ")) << auto_.lblInfo.toStdString();
    EXPECT_TRUE(auto_.lblInfo.contains(" Mb\r\nTotal de Tabelas: ")) << auto_.lblInfo.toStdString();
    EXPECT_FALSE(auto_.txtPath_Files.isEmpty()) << "defaults to the documents folder";
    auto_.Fechar();
    auto_.Fechar();
    ASSERT_EQ(linhasLogDB(), 1) << "closed once, recorded once";
    const auto l = db->primeiraLinha("SELECT Accao, Ficheiro, Utilizador, Posto FROM Log_DB");
    ASSERT_TRUE(l);
    EXPECT_EQ(l->at(0).toString(), "Segurança");
    EXPECT_EQ(l->at(1).toString(), "Segurança não efectuada (cancelada)!");
    EXPECT_EQ(l->at(2).toString(), "01");
    EXPECT_EQ(l->at(3).toString(), "POSTO1");

    Segurancas manual(ctx, ui);
    ASSERT_TRUE(manual.Abrir(QString()));
    EXPECT_FALSE(manual.automatico());
    ASSERT_EQ(manual.lvwHistorico.size(), 1u);
    manual.Fechar();
    EXPECT_EQ(linhasLogDB(), 1) << "the supervisor's window records no refusal";
}

TEST_P(SegurancasTest, TotalDeTabelasSemAsDeBloqueioETransaccao) {
    Segurancas s(ctx, ui);
    ASSERT_TRUE(s.Abrir(QString()));
    const auto total = [](const QString& info) { return info.section(QStringLiteral("Total de Tabelas: "), 1).toInt(); };
    const int antes = total(s.lblInfo);
    EXPECT_GT(antes, 10);
    for (const char* t : {"LockTeste", "TRANSACOES_X", "dtproperties", "ExtraTeste"})
        ASSERT_TRUE(db->exec(QStringLiteral("CREATE TABLE %1 (NumRegisto INTEGER)").arg(QLatin1String(t))));
    ASSERT_TRUE(s.Abrir(QString()));
    EXPECT_EQ(total(s.lblInfo), antes + 1) << "only ExtraTeste counts";
}

TEST_P(SegurancasTest, CopiaRecusadaSemPastaOuSemConfirmacao) {
    Segurancas s(ctx, ui);
    ASSERT_TRUE(s.Abrir(QString()));
    s.txtPath_Files = "  ";
    EXPECT_FALSE(s.cmdSeguranca_Click());
    EXPECT_EQ(ui.ultimaMensagem(), "Não definiu a localização dos ficheiros!");
    EXPECT_TRUE(ui.perguntas.empty()) << "nothing asked before the folder is known";

    QTemporaryDir pasta;
    s.txtPath_Files = pasta.path();
    ui.responder(1); // "Não"
    EXPECT_FALSE(s.cmdSeguranca_Click());
    EXPECT_EQ(linhasLogDB(), 0);
    EXPECT_EQ(QSettings().value(Segurancas::ChavePasta).toString(), QString()) << "a refused backup keeps nothing";
}

TEST_P(SegurancasTest, RestauroRecusaSemFicheiroOuCodigo) {
    Segurancas s(ctx, ui);
    ASSERT_TRUE(s.Abrir(QString()));
    EXPECT_FALSE(s.cmdRepor_Click());
    EXPECT_EQ(ui.ultimaMensagem(), "Não escolheu o ficheiro de segurança!");
    s.txtFicheiroRepor = "/nao/existe/ExportTARVOEXTEST.zip";
    s.txtNovoCodigo = "";
    EXPECT_FALSE(s.cmdRepor_Click());
    EXPECT_EQ(ui.ultimaMensagem(), "Não definiu o código da nova empresa!");
    s.txtNovoCodigo = "N001";
    EXPECT_FALSE(s.cmdRepor_Click());
    EXPECT_EQ(ui.ultimaMensagem(), "Ficheiro de segurança inexistente!");
    EXPECT_TRUE(ui.perguntas.empty());

    Segurancas automatica(ctx, ui);
    ASSERT_TRUE(GravarAgendaSeguranca(*db, {"01", "Entrada", "00:00", ""}).ok());
    ASSERT_TRUE(automatica.Abrir("Entrada", "AUTO"));
    automatica.txtFicheiroRepor = "/nao/existe.zip";
    automatica.txtNovoCodigo = "N001";
    const size_t mensagens = ui.mensagens.size();
    EXPECT_FALSE(automatica.cmdRepor_Click()) << "the automatic window never restores";
    EXPECT_EQ(ui.mensagens.size(), mensagens);
}

LUMO_INSTANCIAR_MOTORES(SegurancasTest);

#include "company/ArquivoDocumentos.h"
#include "db/Servidor.h"
#include "company/HistoricoDocumentos.h"
#include "production/ProcessoProducao.h"
#include "production/ProducaoInstantanea.h"
#include "production/ProducaoTeste.h"
#include "support/DbTest.h"
#include "support/SemFalha.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

using producao_teste::C;

// The documents filed in the archive under "PP" + process go when the process is reopened or
// deleted, and only they: another process whose number starts alike, the same number under another
// kind and other keys keep theirs.
class ProcessoProducaoArquivoTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        // One archive per case: runs sharing a PostgreSQL server never meet.
        ctx.CodigoEmpresa = codigoEmpresaAleatorio();
        producao_teste::criarEmpresaProducao(ctx);
        if (HasFatalFailure())
            return;
        ctx.armazem = QStringLiteral("001");
        producao_teste::tiposMovimentoProcesso(*db);
        if (HasFatalFailure())
            return;
        for (const char* codigo : {"7", "70"}) {
            ProcessoProducao p;
            p.processo = QString::fromLatin1(codigo);
            p.descricao = QStringLiteral("Obra %1").arg(p.processo);
            p.dataInicio = QStringLiteral("2026-03-01");
            ASSERT_TRUE(semFalha(GravarProcesso(ctx, p, true)));
        }
    }
    void TearDown() override {
        if (db && db->isOpen())
            (void)db->servidor().apagarBaseDados(nomeArquivoDocumentos(ctx.CodigoEmpresa));
        DbTest::TearDown();
    }

    // A movement into the process and the run that closes it with its finished product.
    void fechar(const char* processo) {
        MovimentoProcesso m;
        m.processo = QString::fromLatin1(processo);
        m.data = QStringLiteral("2026-03-02");
        m.produto = QStringLiteral("MP1");
        m.armazem = QStringLiteral("001");
        m.quantidade = C("5");
        m.preco = C("2");
        m.localizacao = QStringLiteral("00001");
        ASSERT_TRUE(semFalha(LancaMovimentoProcesso(ctx, m)));
        DocumentoInstantaneo d;
        ASSERT_TRUE(semFalha(IntegraProcesso(ctx, d, m.processo)));
        AcabadoInstantaneo a;
        a.produto = QStringLiteral("PA");
        a.armazem = QStringLiteral("001");
        a.quantidade = C("2");
        a.percCusto = C("1");
        a.localizacao = QStringLiteral("00001");
        d.acabados = {a};
        ASSERT_TRUE(semFalha(LancaProducaoInstantanea(ctx, d)));
    }

    // Files a document under the kind and number as the history window does, with a second file
    // added to it.
    void arquivar(const QString& tipo, const QString& numero) {
        HistoricoDocumentos h(ctx, ui, tipo, numero);
        ASSERT_TRUE(h.ler()) << ui.ultimaMensagem().toStdString();
        const QString primeiro = ficheiro(tipo + numero + QStringLiteral("-folha.pdf"), "%PDF-folha " + (tipo + numero).toUtf8());
        ASSERT_TRUE(h.adicionarFicheiro(primeiro, 0, QStringLiteral("Folha de obra"))) << ui.ultimaMensagem().toStdString();
        ASSERT_TRUE(h.ler());
        ASSERT_EQ(h.documentos().size(), 1u);
        const QString segundo = ficheiro(tipo + numero + QStringLiteral("-foto.jpg"), "\xff\xd8 foto " + (tipo + numero).toUtf8());
        ASSERT_TRUE(h.adicionarFicheiro(segundo, h.documentos().front().numeroMov)) << ui.ultimaMensagem().toStdString();
    }
    QString ficheiro(const QString& nome, const QByteArray& conteudo) {
        QFile f(m_pasta.filePath(nome));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(conteudo);
        return f.fileName();
    }
    // Each key's documents and files, as "chave:documentos/ficheiros", with every file's bytes.
    QStringList arquivo() {
        const auto a = abrirArquivoExistente(ctx);
        EXPECT_TRUE(semFalha(a));
        if (!a || !*a)
            return {QStringLiteral("<sem arquivo>")};
        QStringList r;
        (void)(*a)->percorrer(
            QStringLiteral("SELECT b.Chave, COUNT(DISTINCT b.NumeroMov), COUNT(d.NumRegisto) FROM HistDocBin b LEFT JOIN "
                           "HistDocBinDocs d ON d.NumeroMov=b.NumeroMov GROUP BY b.Chave ORDER BY b.Chave"),
            {}, [&](const QSqlQuery& q) {
                r << QStringLiteral("%1:%2/%3").arg(q.value(0).toString()).arg(q.value(1).toInt()).arg(q.value(2).toInt());
            });
        // No file outlives its document.
        r << QStringLiteral("órfãos:%1").arg((*a)->scalar(QStringLiteral(
                                                  "SELECT COUNT(*) FROM HistDocBinDocs d WHERE NOT EXISTS (SELECT 1 FROM "
                                                  "HistDocBin b WHERE b.NumeroMov=d.NumeroMov)")).toInt());
        (void)(*a)->percorrer(QStringLiteral("SELECT Chave, Doc FROM HistDocBinDocs ORDER BY NumRegisto"), {},
                              [&](const QSqlQuery& q) {
                                  r << q.value(0).toString() + u'=' + QString::fromLatin1(q.value(1).toByteArray().toHex());
                              });
        (*a)->close();
        return r;
    }
    // The archive less the rows of one key.
    static QStringList sem(QStringList linhas, const QString& chave) {
        linhas.removeIf([&](const QString& l) {
            return l.startsWith(chave + u':') || l.startsWith(chave + u'=');
        });
        return linhas;
    }

    QTemporaryDir m_pasta;
};

TEST_P(ProcessoProducaoArquivoTest, ReabrirRemoveSoOsDocumentosDoProcesso) {
    fechar("7");
    arquivar("PP", "7");
    arquivar("PP", "70");
    arquivar("PI", "7");
    NovoDocumentoArquivo outro;
    outro.chave = QStringLiteral("ST202603");
    outro.assunto = QStringLiteral("Mapa de março");
    outro.conteudo = QByteArray("%PDF-mapa");
    {
        const auto a = Abre_Connexao_DocumentosBin(ctx);
        ASSERT_TRUE(semFalha(a));
        ASSERT_TRUE(semFalha(ArquivarDocumento(**a, outro)));
        (*a)->close();
    }
    const QStringList antes = arquivo();
    ASSERT_TRUE(antes.contains("PP7:1/2")) << antes.join(u' ').toStdString();
    ASSERT_TRUE(antes.contains("PP70:1/2"));

    // A refused reopening (the process is still open) removes nothing.
    EXPECT_FALSE(ReabrirProcesso(ctx, "70"));
    EXPECT_EQ(arquivo(), antes);

    ASSERT_TRUE(semFalha(ReabrirProcesso(ctx, "7")));
    EXPECT_EQ(arquivo(), sem(antes, "PP7"));
    HistoricoDocumentos h(ctx, ui, QStringLiteral("PP"), QStringLiteral("7"));
    ASSERT_TRUE(h.ler());
    EXPECT_TRUE(h.documentos().empty()) << "the process's history window shows nothing";
}

TEST_P(ProcessoProducaoArquivoTest, EliminarComOuSemStockRemoveSoOsDocumentosDoProcesso) {
    fechar("70");
    arquivar("PP", "7");
    arquivar("PP", "70");
    arquivar("PI", "70");
    const QStringList antes = arquivo();

    // An open process deleted without its stock rows.
    ASSERT_TRUE(semFalha(EliminarProcesso(ctx, "7", false)));
    const QStringList semSete = arquivo();
    EXPECT_EQ(semSete, sem(antes, "PP7"));

    // A closed one deleted with them.
    ASSERT_TRUE(semFalha(EliminarProcesso(ctx, "70", true)));
    EXPECT_EQ(arquivo(), sem(semSete, "PP70"));
    EXPECT_TRUE(arquivo().contains("PI70:1/2")) << "the instant run's documents are not the process's";

    // An unknown process is refused and removes nothing.
    const QStringList fim = arquivo();
    EXPECT_FALSE(EliminarProcesso(ctx, "71", false));
    EXPECT_EQ(arquivo(), fim);
}

TEST_P(ProcessoProducaoArquivoTest, EmpresaSemArquivoReabreEEliminaSemOCriar) {
    fechar("7");
    ASSERT_TRUE(semFalha(ReabrirProcesso(ctx, "7")));
    ASSERT_TRUE(semFalha(EliminarProcesso(ctx, "7", true)));
    EXPECT_FALSE(db->servidor().existeBaseDados(nomeArquivoDocumentos(ctx.CodigoEmpresa)));
}

} // namespace

LUMO_INSTANCIAR_MOTORES(ProcessoProducaoArquivoTest);

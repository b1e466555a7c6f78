#include "printing/ExportacaoPdf.h"
#include "printing/cPrinter.h"
#include "support/DbTest.h"

#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <arpa/inet.h>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {
// Enough SMTP to take one message on the loopback. Plain sockets in a thread of their own, since
// the sender blocks the test's thread.
class CaixaSmtp {
public:
    CaixaSmtp() {
        m_escuta = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_escuta, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(m_escuta, 1);
        socklen_t n = sizeof a;
        ::getsockname(m_escuta, reinterpret_cast<sockaddr*>(&a), &n);
        porta = ntohs(a.sin_port);
        m_fio = std::thread([this] { servir(); });
    }
    ~CaixaSmtp() {
        ::shutdown(m_escuta, SHUT_RDWR);
        m_fio.join();
        ::close(m_escuta);
    }

    quint16 porta = 0;
    QStringList comandos;
    QByteArray dados;

private:
    void servir() {
        const int c = ::accept(m_escuta, nullptr, nullptr);
        if (c < 0)
            return;
        QByteArray buffer;
        auto enviar = [&](const char* b) { (void)!::send(c, b, std::strlen(b), MSG_NOSIGNAL); };
        auto linha = [&]() -> QByteArray {
            for (;;) {
                const qsizetype i = buffer.indexOf("\r\n");
                if (i >= 0) {
                    const QByteArray l = buffer.left(i + 2);
                    buffer.remove(0, i + 2);
                    return l;
                }
                char b[4096];
                const ssize_t r = ::recv(c, b, sizeof b, 0);
                if (r <= 0)
                    return {};
                buffer.append(b, r);
            }
        };
        enviar("220 caixa ESMTP\r\n");
        for (;;) {
            const QByteArray l = linha();
            if (l.isEmpty())
                break;
            const QString cmd = QString::fromLatin1(l).trimmed();
            comandos << cmd;
            const QString v = cmd.section(u' ', 0, 0).toUpper();
            if (v == QStringLiteral("EHLO"))
                enviar("250-caixa\r\n250 8BITMIME\r\n");
            else if (v == QStringLiteral("DATA")) {
                enviar("354 fim com .\r\n");
                for (;;) {
                    const QByteArray d = linha();
                    if (d.isEmpty() || d == ".\r\n")
                        break;
                    dados += d;
                }
                enviar("250 aceite\r\n");
            } else if (v == QStringLiteral("QUIT")) {
                enviar("221 adeus\r\n");
                break;
            } else
                enviar("250 ok\r\n");
        }
        ::close(c);
    }

    int m_escuta = -1;
    std::thread m_fio;
};

std::shared_ptr<DocumentoImpresso> documento() {
    cPrinter p;
    p.init(QStringLiteral("Mapa: Lote 1/2024"));
    p.L(QStringLiteral("Linha do mapa"), 10, 10);
    p.Show();
    return p.documento();
}
} // namespace

class EnvioPdfMail : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ctx.LigacaoEmpresa = db;
        ctx.CodigoUtilizador = QStringLiteral("07");
        QSettings().remove(QStringLiteral("WVSExportPDF_New/07"));
    }
    void TearDown() override {
        QSettings().remove(QStringLiteral("WVSExportPDF_New/07"));
        DbTest::TearDown();
    }
    void parametros(const QString& servidor, const QString& de) {
        ASSERT_TRUE(db->exec(QStringLiteral("delete from ParamGeral")));
        ASSERT_GT(db->insert(QStringLiteral("ParamGeral"),
                             Registo()(QStringLiteral("EMail_SMTPServer"), servidor)(
                                 QStringLiteral("EMail_SMTPFrom"), de)(QStringLiteral("EMail_SMTPCc"),
                                                                       QStringLiteral("copia@exemplo.pt"))(
                                 QStringLiteral("EMail_RecebeRecibo"), 1)(QStringLiteral("EMail_Assunto"),
                                                                          QStringLiteral("Mapa de produção"))(
                                 QStringLiteral("EMail_CorpoMensagem"), QStringLiteral("Segue o mapa."))),
                  0)
            << db->lastError().toStdString();
    }
};

TEST_P(EnvioPdfMail, PdfChegaAoServidorComoAnexo) {
    CaixaSmtp caixa;
    parametros(QStringLiteral("127.0.0.1:%1").arg(caixa.porta), QStringLiteral("fabrica@exemplo.pt"));
    auto doc = documento();
    ExportacaoPdf e(*doc, ctx, ui);
    e.destino = ExportacaoPdf::Destino::Mail;
    e.destinatario = QStringLiteral("cliente@exemplo.pt; outro@exemplo.pt");
    ASSERT_TRUE(e.exportar()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Exportação Terminada!"));

    EXPECT_TRUE(caixa.comandos.contains(QStringLiteral("MAIL FROM:<fabrica@exemplo.pt>")));
    for (const char* d : {"cliente@exemplo.pt", "outro@exemplo.pt", "copia@exemplo.pt"})
        EXPECT_TRUE(caixa.comandos.contains(QStringLiteral("RCPT TO:<%1>").arg(QLatin1String(d))))
            << caixa.comandos.join(u'|').toStdString();
    const QString msg = QString::fromUtf8(caixa.dados);
    EXPECT_TRUE(msg.contains(QStringLiteral("Disposition-Notification-To: <fabrica@exemplo.pt>")));
    // The report's name with the forbidden characters replaced.
    EXPECT_TRUE(msg.contains(QStringLiteral("filename=\"Mapa_ Lote 1_2024.pdf\""))) << msg.toStdString();
    // The attachment decodes to a PDF.
    const qsizetype i = msg.indexOf(QStringLiteral("Content-Transfer-Encoding: base64"));
    ASSERT_GE(i, 0);
    const qsizetype ini = msg.indexOf(QStringLiteral("\r\n\r\n"), i) + 4;
    const qsizetype fim = msg.indexOf(QStringLiteral("\r\n--"), ini);
    const QByteArray pdf =
        QByteArray::fromBase64(msg.mid(ini, fim - ini).remove(QStringLiteral("\r\n")).toLatin1());
    EXPECT_TRUE(pdf.startsWith("%PDF-")) << pdf.left(20).toStdString();
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    // The temporary copy is gone and the recipient is remembered for the next export.
    EXPECT_FALSE(QFile::exists(e.ficheiroTemporario()));
    EXPECT_EQ(ExportacaoPdf::UltimoDestinatario(QStringLiteral("07")),
              QStringLiteral("cliente@exemplo.pt; outro@exemplo.pt"));
    EXPECT_EQ(ExportacaoPdf(*doc, ctx, ui).destinatario,
              QStringLiteral("cliente@exemplo.pt; outro@exemplo.pt"));
}

TEST_P(EnvioPdfMail, RecusasSemDestinatarioOuServidor) {
    auto doc = documento();
    ExportacaoPdf e(*doc, ctx, ui);
    e.destino = ExportacaoPdf::Destino::Mail;
    e.destinatario = QStringLiteral("  ;  ");
    EXPECT_FALSE(e.exportar());
    ASSERT_FALSE(ui.mensagens.empty());
    EXPECT_EQ(ui.mensagens.back().texto, QStringLiteral("Não pode Exportar Sem Indicar o Destinatário!"));
    EXPECT_EQ(ui.mensagens.back().titulo, QStringLiteral("Atenção:"));

    parametros(QStringLiteral("127.0.0.1:1"), QString());
    e.destinatario = QStringLiteral("cliente@exemplo.pt");
    EXPECT_FALSE(e.exportar());
    EXPECT_EQ(
        ui.ultimaMensagem(),
        QStringLiteral("Deve configurar o Servidor e email de Origem do SMTP (WDravo ou Parâmetros Gerais)"));
    EXPECT_TRUE(ExportacaoPdf::UltimoDestinatario(QStringLiteral("07")).isEmpty());

    // Disk destination without a file.
    e.destino = ExportacaoPdf::Destino::Disco;
    e.ficheiro.clear();
    EXPECT_FALSE(e.exportar());
    EXPECT_EQ(ui.ultimaMensagem(),
              QStringLiteral("Não pode exportar sem indicar a localização do ficheiro!"));
}

TEST_P(EnvioPdfMail, ServidorQueNaoRespondeEFalhaDita) {
    // A port nobody listens on: the failure is told, not reported as success.
    quint16 porta = 0;
    {
        CaixaSmtp livre; // takes a free port, then gives it back unused
        porta = livre.porta;
        const int c = ::socket(AF_INET, SOCK_STREAM, 0); // lets its thread end
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(porta);
        ::connect(c, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::close(c);
    }
    parametros(QStringLiteral("127.0.0.1:%1").arg(porta), QStringLiteral("fabrica@exemplo.pt"));
    auto doc = documento();
    ExportacaoPdf e(*doc, ctx, ui);
    e.destino = ExportacaoPdf::Destino::Mail;
    e.destinatario = QStringLiteral("cliente@exemplo.pt");
    EXPECT_FALSE(e.exportar());
    EXPECT_TRUE(ui.ultimaMensagem().startsWith(QStringLiteral("Não foi possível enviar o e-mail")));
    EXPECT_TRUE(ExportacaoPdf::UltimoDestinatario(QStringLiteral("07")).isEmpty());
}

LUMO_INSTANCIAR_MOTORES(EnvioPdfMail);

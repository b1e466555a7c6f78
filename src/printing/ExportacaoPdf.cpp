#include "printing/ExportacaoPdf.h"

#include "common/UserInteraction.h"
#include "printing/EnvioEmail.h"
#include "printing/ExportadorPdf.h"
#include "common/CifraSegredos.h"
#include "db/Database.h"
#include "company/ArquivoDocumentos.h"
#include "company/GlobalContext.h"

#include <QDir>
#include <QFile>
#include <QSettings>

namespace {
QString chaveMail(const QString& utilizador) {
    return QStringLiteral("WVSExportPDF_New/") + (utilizador.isEmpty() ? QStringLiteral("_") : utilizador) +
           QStringLiteral("/Mail");
}
} // namespace

ExportacaoPdf::ExportacaoPdf(const DocumentoImpresso& doc, GlobalContext& ctx, UserInteraction& ui)
    : destinatario(UltimoDestinatario(ctx.CodigoUtilizador)), m_doc(doc), m_ctx(ctx), m_ui(ui) {}

QString ExportacaoPdf::UltimoDestinatario(const QString& utilizador) {
    return QSettings().value(chaveMail(utilizador)).toString();
}

bool ExportacaoPdf::escolherFicheiro() {
    QString f = m_ui.escolherFicheiroGravar(QStringLiteral("Indique o Ficheiro a Exportar:"),
                                            QStringLiteral("Adobe Acrobat (*.pdf)"),
                                            NomeFicheiroSeguro(m_doc.titulo) + QStringLiteral(".pdf"));
    if (f.isEmpty())
        return false;
    if (!f.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        f += QStringLiteral(".pdf");
    ficheiro = f;
    return true;
}

bool ExportacaoPdf::exportar() {
    switch (destino) {
    case Destino::Disco:
        return exportarDisco();
    case Destino::Mail:
        return exportarMail();
    case Destino::Arquivo:
        return exportarArquivo();
    }
    return false;
}

QStringList ExportacaoPdf::Modulos() {
    return {QStringLiteral("CL - Clientes"), QStringLiteral("FO - Fornecedores"), QStringLiteral("BA - Bancos"),
            QStringLiteral("CA - Caixas"), QStringLiteral("ST - Stocks")};
}

QStringList ExportacaoPdf::Meses() {
    static const char* const nomes[] = {"Janeiro", "Fevereiro", "Março",    "Abril",   "Maio",     "Junho",
                                        "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};
    QStringList r;
    for (int i = 0; i < 12; ++i)
        r << QStringLiteral("%1 - %2").arg(i + 1, 2, 10, QLatin1Char('0')).arg(QString::fromUtf8(nomes[i]));
    return r;
}

bool ExportacaoPdf::exportarArquivo() {
    auto aviso = [&](const QString& texto) {
        m_ui.mensagem(texto, UserInteraction::Icone::Exclamacao, TituloAtencao);
        return false;
    };
    const QString mod = modulo.trimmed().left(2).toUpper();
    bool conhecido = false;
    for (const QString& m : Modulos())
        conhecido = conhecido || (!mod.isEmpty() && m.startsWith(mod + QStringLiteral(" ")));
    if (!conhecido)
        return aviso(QStringLiteral("Não pode exportar sem indicar o módulo!"));
    if (nomeFicheiro.trimmed().isEmpty())
        return aviso(QStringLiteral("Não pode exportar sem indicar o nome do ficheiro!"));
    if (assunto.trimmed().isEmpty())
        return aviso(QStringLiteral("Não pode exportar sem indicar o assunto!"));
    if (ano < 1900 || ano > 9999 || mes < 1 || mes > 12)
        return aviso(QStringLiteral("Indique o ano e o mês do arquivo."));
    QString nome = NomeFicheiroSeguro(nomeFicheiro.trimmed());
    if (!nome.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        nome += QStringLiteral(".pdf");
    const QString temp = QDir(QDir::tempPath()).filePath(nome);
    if (auto r = EscreverPdf(m_doc, temp); !r) {
        m_ui.mensagem(r.mensagem(), UserInteraction::Icone::Critico, TituloAtencao);
        return false;
    }
    QFile f(temp);
    const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    f.close();
    QFile::remove(temp);
    if (bytes.isEmpty()) {
        m_ui.mensagem(QStringLiteral("Não foi possível ler o PDF gerado."), UserInteraction::Icone::Critico,
                      TituloAtencao);
        return false;
    }
    const auto arq = Abre_Connexao_DocumentosBin(m_ctx);
    if (!arq) {
        m_ui.mensagem(arq.mensagem(), UserInteraction::Icone::Critico, TituloAtencao);
        return false;
    }
    const QString mm = QStringLiteral("%1").arg(mes, 2, 10, QLatin1Char('0'));
    NovoDocumentoArquivo n;
    n.chave = mod + QString::number(ano) + mm;
    n.assunto = assunto.trimmed();
    n.utilizador = m_ctx.CodigoUtilizador;
    n.docData = QStringLiteral("%1-%2-01").arg(ano).arg(mm);
    n.arqAno = QString::number(ano);
    n.arqMes = mm;
    n.arqModulo = mod;
    n.caminho = nome;
    n.dataFicheiro = QDateTime::currentDateTime();
    n.conteudo = bytes;
    if (const auto r = ArquivarDocumento(**arq, n); !r) {
        m_ui.mensagem(r.mensagem(), UserInteraction::Icone::Critico, TituloAtencao);
        return false;
    }
    m_ui.mensagem(QStringLiteral("Exportação Terminada!"), UserInteraction::Icone::Informacao, TituloInformacao);
    return true;
}

bool ExportacaoPdf::exportarDisco() {
    if (ficheiro.trimmed().isEmpty()) {
        m_ui.mensagem(QStringLiteral("Não pode exportar sem indicar a localização do ficheiro!"),
                      UserInteraction::Icone::Exclamacao, TituloAtencao);
        return false;
    }
    if (auto r = EscreverPdf(m_doc, ficheiro); !r) {
        m_ui.mensagem(r.mensagem(), UserInteraction::Icone::Critico, TituloAtencao);
        return false;
    }
    m_ui.mensagem(QStringLiteral("Exportação Terminada!"), UserInteraction::Icone::Informacao,
                  TituloInformacao);
    return true;
}

QString ExportacaoPdf::ficheiroTemporario() const {
    return QDir(QDir::tempPath()).filePath(NomeFicheiroSeguro(m_doc.titulo) + QStringLiteral(".pdf"));
}

bool ExportacaoPdf::exportarMail() {
    const QStringList para = SepararEnderecos(destinatario);
    if (para.isEmpty()) {
        m_ui.mensagem(QStringLiteral("Não pode Exportar Sem Indicar o Destinatário!"),
                      UserInteraction::Icone::Exclamacao, QStringLiteral("Atenção:"));
        return false;
    }
    std::optional<QVariantList> p;
    if (m_ctx.LigacaoEmpresa && m_ctx.LigacaoEmpresa->isOpen())
        p = m_ctx.LigacaoEmpresa->primeiraLinha(QStringLiteral(
            "select EMail_SMTPServer, EMail_SMTPLogin, EMail_SMTPPassword, EMail_SMTPFrom, EMail_SMTPCc, "
            "EMail_RecebeRecibo, EMail_Recibo, EMail_Assunto, EMail_CorpoMensagem from ParamGeral"));
    const auto campo = [&](int i) { return p ? (*p)[i].toString().trimmed() : QString(); };
    MensagemEmail m;
    m.servidor = campo(0);
    m.login = campo(1);
    m.de = campo(3);
    if (m.servidor.isEmpty() || m.de.isEmpty()) {
        m_ui.mensagem(
            QStringLiteral(
                "Deve configurar o Servidor e email de Origem do SMTP (WDravo ou Parâmetros Gerais)"),
            UserInteraction::Icone::Exclamacao, TituloAtencao);
        return false;
    }
    // The password is kept enciphered; one written before enciphering is used as it is.
    m.password = (*p)[2].toString();
    if (m.password.startsWith(QStringLiteral("v1:")))
        if (const auto claro = CifraSegredos().decifrar(m.password))
            m.password = *claro;
    m.para = para;
    m.cc = SepararEnderecos(campo(4));
    if ((*p)[5].toInt() != 0)
        m.reciboPara = campo(6).isEmpty() ? m.de : campo(6);
    m.assunto = campo(7).isEmpty() ? m_doc.titulo : campo(7);
    m.corpo = (*p)[8].toString();
    m.anexo = ficheiroTemporario();

    if (auto r = EscreverPdf(m_doc, m.anexo); !r) {
        m_ui.mensagem(r.mensagem(), UserInteraction::Icone::Critico, TituloAtencao);
        return false;
    }
    const Resultado<> enviado = EnviarEmail(m);
    QFile::remove(m.anexo);
    if (!enviado) {
        m_ui.mensagem(QStringLiteral("Não foi possível enviar o e-mail: ") + enviado.mensagem(),
                      UserInteraction::Icone::Critico, TituloAtencao);
        return false;
    }
    QSettings().setValue(chaveMail(m_ctx.CodigoUtilizador), destinatario.trimmed());
    m_ui.mensagem(QStringLiteral("Exportação Terminada!"), UserInteraction::Icone::Informacao,
                  TituloInformacao);
    return true;
}

#include "printing/ExportacaoPdf.h"

#include "common/UserInteraction.h"
#include "printing/EnvioEmail.h"
#include "printing/ExportadorPdf.h"
#include "common/CifraSegredos.h"
#include "db/Database.h"
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
    return destino == Destino::Disco ? exportarDisco() : exportarMail();
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

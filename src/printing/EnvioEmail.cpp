#include "printing/EnvioEmail.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <curl/curl.h>

QStringList SepararEnderecos(const QString& texto) {
    QStringList r;
    for (const QString& s : texto.split(QRegularExpression(QStringLiteral("[;,]")), Qt::SkipEmptyParts))
        if (!s.trimmed().isEmpty())
            r << s.trimmed();
    return r;
}

namespace {
struct Curl {
    CURL* h = curl_easy_init();
    curl_slist* destinos = nullptr;
    curl_slist* cabecalhos = nullptr;
    curl_mime* mime = nullptr;
    ~Curl() {
        if (mime)
            curl_mime_free(mime);
        curl_slist_free_all(destinos);
        curl_slist_free_all(cabecalhos);
        if (h)
            curl_easy_cleanup(h);
    }
};

QByteArray entreAngulos(const QString& e) {
    return "<" + e.trimmed().toUtf8() + ">";
}

// Non-ASCII subjects travel as an RFC 2047 encoded word.
QByteArray cabecalhoCodificado(const QString& s) {
    const QByteArray u = s.toUtf8();
    for (char c : u)
        if (static_cast<unsigned char>(c) > 127)
            return "=?UTF-8?B?" + u.toBase64() + "?=";
    return u;
}
} // namespace

Resultado<> EnviarEmail(const MensagemEmail& m) {
    static const bool iniciado = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (!iniciado)
        return Falha(QStringLiteral("Não foi possível iniciar o envio de e-mail."));
    if (m.servidor.trimmed().isEmpty() || m.de.trimmed().isEmpty())
        return Falha(QStringLiteral("Servidor ou remetente em falta."));
    if (m.para.isEmpty())
        return Falha(QStringLiteral("Destinatário em falta."));
    Curl c;
    if (!c.h)
        return Falha(QStringLiteral("Não foi possível iniciar o envio de e-mail."));

    QString url = m.servidor.trimmed();
    if (!url.contains(QStringLiteral("://")))
        url = QStringLiteral("smtp://") + url;
    const QByteArray urlB = url.toUtf8();
    curl_easy_setopt(c.h, CURLOPT_URL, urlB.constData());
    curl_easy_setopt(c.h, CURLOPT_USE_SSL, long(CURLUSESSL_TRY));
    curl_easy_setopt(c.h, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(c.h, CURLOPT_TIMEOUT, 300L);
    curl_easy_setopt(c.h, CURLOPT_NOSIGNAL, 1L);
    const QByteArray login = m.login.toUtf8(), pass = m.password.toUtf8();
    if (!m.login.isEmpty()) {
        curl_easy_setopt(c.h, CURLOPT_USERNAME, login.constData());
        curl_easy_setopt(c.h, CURLOPT_PASSWORD, pass.constData());
    }
    const QByteArray de = entreAngulos(m.de);
    curl_easy_setopt(c.h, CURLOPT_MAIL_FROM, de.constData());
    std::vector<QByteArray> guardar;
    for (const QStringList* lista : {&m.para, &m.cc})
        for (const QString& d : *lista) {
            guardar.push_back(entreAngulos(d));
            c.destinos = curl_slist_append(c.destinos, guardar.back().constData());
        }
    curl_easy_setopt(c.h, CURLOPT_MAIL_RCPT, c.destinos);

    QList<QByteArray> cabs;
    cabs << "From: " + de << "To: " + m.para.join(QStringLiteral(", ")).toUtf8()
         << "Subject: " + cabecalhoCodificado(m.assunto);
    if (!m.cc.isEmpty())
        cabs << "Cc: " + m.cc.join(QStringLiteral(", ")).toUtf8();
    if (!m.reciboPara.trimmed().isEmpty())
        cabs << "Disposition-Notification-To: " + entreAngulos(m.reciboPara);
    for (const QByteArray& h : cabs)
        c.cabecalhos = curl_slist_append(c.cabecalhos, h.constData());
    curl_easy_setopt(c.h, CURLOPT_HTTPHEADER, c.cabecalhos);

    c.mime = curl_mime_init(c.h);
    curl_mimepart* corpo = curl_mime_addpart(c.mime);
    const QByteArray texto = m.corpo.toUtf8();
    curl_mime_data(corpo, texto.constData(), size_t(texto.size()));
    curl_mime_type(corpo, "text/plain; charset=UTF-8");
    curl_mime_encoder(corpo, "quoted-printable");
    QByteArray caminho, nome;
    if (!m.anexo.isEmpty()) {
        if (!QFile::exists(m.anexo))
            return Falha(QStringLiteral("O ficheiro %1 não existe.").arg(m.anexo));
        caminho = QFile::encodeName(m.anexo);
        nome = QFileInfo(m.anexo).fileName().toUtf8();
        curl_mimepart* anexo = curl_mime_addpart(c.mime);
        curl_mime_filedata(anexo, caminho.constData());
        curl_mime_filename(anexo, nome.constData());
        curl_mime_type(anexo, "application/pdf");
        curl_mime_encoder(anexo, "base64");
    }
    curl_easy_setopt(c.h, CURLOPT_MIMEPOST, c.mime);

    const CURLcode r = curl_easy_perform(c.h);
    if (r != CURLE_OK)
        return Falha(QString::fromUtf8(curl_easy_strerror(r)));
    return {};
}

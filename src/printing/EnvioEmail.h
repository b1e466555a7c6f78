#pragma once

#include "common/Resultado.h"

#include <QString>
#include <QStringList>

// One message with one attachment, as the PDF export sends it.
struct MensagemEmail {
    QString servidor; // "host", "host:port" or a full "smtp://" / "smtps://" address
    QString login, password;
    QString de;
    QStringList para, cc;
    QString assunto, corpo;
    QString anexo;      // file path
    QString reciboPara; // asks for a read receipt to this address when not empty
};

// Recipients typed as "a@x.pt; b@y.pt" or with commas.
QStringList SepararEnderecos(const QString& texto);

// Sends through SMTP (STARTTLS when the server offers it).
Resultado<> EnviarEmail(const MensagemEmail& m);

#include "lookups/Imagens.h"

#include "db/Database.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QtEndian>

namespace {

const QString NaoConfirmada = QStringLiteral("N");
const QString Confirmada = QStringLiteral("S");

bool comecaPor(const QByteArray& b, const char* assinatura, qsizetype n, qsizetype inicio = 0) {
    return b.size() >= inicio + n && b.mid(inicio, n) == QByteArray::fromRawData(assinatura, n);
}

// SQLite gives the stored text back, PostgreSQL a timestamp.
QString textoDataSys(const QVariant& v) {
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return v.toString().replace(u'T', u' ').left(19);
}

QString agoraTexto(Database& db) {
    QDateTime agora = db.agoraServidor();
    if (!agora.isValid())
        agora = QDateTime::currentDateTime();
    return agora.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

bool PareceImagem(const QByteArray& b) {
    if (comecaPor(b, "\x89PNG\r\n\x1a\n", 8) || comecaPor(b, "\xff\xd8\xff", 3) || comecaPor(b, "GIF87a", 6) ||
        comecaPor(b, "GIF89a", 6))
        return true;
    if (comecaPor(b, "RIFF", 4) && comecaPor(b, "WEBP", 4, 8))
        return true;
    // "BM" alone starts too many texts: the size of the header that follows must be a known one.
    if (comecaPor(b, "BM", 2) && b.size() >= 26) {
        const quint32 cabecalho = qFromLittleEndian<quint32>(b.constData() + 14);
        for (quint32 conhecido : {12u, 16u, 40u, 52u, 56u, 64u, 108u, 124u})
            if (cabecalho == conhecido)
                return true;
    }
    return false;
}

Resultado<std::vector<ImagemRegistada>> ListarImagens(Database& db, const QString& tabela, const QString& codigo,
                                                      const QString& chave, const QString& utilizador) {
    std::vector<ImagemRegistada> r;
    const bool ok = db.percorrer(
        QStringLiteral("SELECT NumRegisto, Nome, DataSys, Utilizador, Fechado FROM Imagens "
                       "WHERE Tabela=? AND Codigo=? AND Chave=? AND (Fechado=? OR (Fechado=? AND Utilizador=?)) "
                       "ORDER BY NumRegisto"),
        {tabela, codigo, chave, Confirmada, NaoConfirmada, utilizador}, [&](const QSqlQuery& q) {
            ImagemRegistada i;
            i.numRegisto = q.value(0).toLongLong();
            i.nome = q.value(1).toString();
            i.dataSys = textoDataSys(q.value(2));
            i.utilizador = q.value(3).toString();
            i.confirmada = q.value(4).toString().compare(Confirmada, Qt::CaseInsensitive) == 0;
            r.push_back(std::move(i));
        });
    if (!ok)
        return Falha(db.lastError());
    return r;
}

Resultado<qint64> AdicionarImagem(Database& db, const QString& tabela, const QString& codigo, const QString& chave,
                                  const QString& utilizador, const QString& ficheiro) {
    const QFileInfo info(ficheiro);
    const QString nome = info.fileName();
    const Falha ilegivel(QStringLiteral("Não foi possível ler o ficheiro %1.").arg(nome));
    const Falha excede(QStringLiteral("A imagem %1 excede 10 MB.").arg(nome));
    QFile f(ficheiro);
    if (!info.isFile() || !f.open(QIODevice::ReadOnly))
        return ilegivel;
    // The size first: a huge file is refused without reading it.
    if (f.size() > TamanhoMaximoImagem)
        return excede;
    const QByteArray bytes = f.read(TamanhoMaximoImagem + 1);
    if (f.error() != QFileDevice::NoError)
        return ilegivel;
    if (bytes.size() > TamanhoMaximoImagem)
        return excede;
    if (!PareceImagem(bytes))
        return Falha(QStringLiteral("O ficheiro %1 não é uma imagem.").arg(nome));
    const qint64 n = db.insert(
        QStringLiteral("Imagens"),
        Registo()(QStringLiteral("Tabela"), tabela)(QStringLiteral("Codigo"), codigo)(QStringLiteral("Chave"), chave)(
            QStringLiteral("Utilizador"), utilizador)(QStringLiteral("Fechado"), NaoConfirmada)(
            QStringLiteral("Imagem"), bytes)(QStringLiteral("Nome"), nome.left(255))(QStringLiteral("DataSys"),
                                                                                     agoraTexto(db)));
    if (n <= 0)
        return Falha(db.lastError());
    return n;
}

Resultado<QByteArray> LerImagem(Database& db, qint64 numRegisto) {
    const auto linha = db.lerPrimeiraLinha(QStringLiteral("SELECT Imagem FROM Imagens WHERE NumRegisto=?"), {numRegisto});
    if (!linha)
        return linha.falha();
    if (!*linha || (*linha)->isEmpty())
        return Falha(QStringLiteral("A imagem já não existe."));
    return (*linha)->first().toByteArray();
}

Resultado<> RemoverImagem(Database& db, qint64 numRegisto) {
    const int n = db.executarContando(QStringLiteral("DELETE FROM Imagens WHERE NumRegisto=?"), {numRegisto});
    if (n < 0)
        return Falha(db.lastError());
    if (n == 0)
        return Falha(QStringLiteral("A imagem já não existe."));
    return {};
}

Resultado<int> ConfirmaImagens(Database& db, const QString& tabela, const QString& codigo, const QString& chave,
                               const QString& utilizador) {
    const int n = db.executarContando(
        QStringLiteral("UPDATE Imagens SET Fechado=? WHERE Tabela=? AND Codigo=? AND Chave=? AND Utilizador=? "
                       "AND Fechado=?"),
        {Confirmada, tabela, codigo, chave, utilizador, NaoConfirmada});
    if (n < 0) {
        // The record would be saved with its pictures left to the next clean-up.
        db.marcarFalhaTransaccao();
        return Falha(db.lastError());
    }
    return n;
}

Resultado<int> DescartaImagens(Database& db, const QString& tabela, const QString& codigo, const QString& chave,
                               const QString& utilizador) {
    const int n = db.executarContando(
        QStringLiteral("DELETE FROM Imagens WHERE Tabela=? AND Codigo=? AND Chave=? AND Utilizador=? AND Fechado=?"),
        {tabela, codigo, chave, utilizador, NaoConfirmada});
    if (n < 0)
        return Falha(db.lastError());
    return n;
}

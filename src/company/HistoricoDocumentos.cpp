#include "company/HistoricoDocumentos.h"

#include "common/UserInteraction.h"
#include "company/ArquivoDocumentos.h"
#include "company/GlobalContext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using Icone = UserInteraction::Icone;

HistoricoDocumentos::HistoricoDocumentos(GlobalContext& ctx, UserInteraction& ui, QString tipo, QString numero,
                                         QString subtitulo)
    : m_ctx(ctx), m_ui(ui), m_tipo(std::move(tipo)), m_numero(numero.trimmed()), m_subtitulo(std::move(subtitulo)) {}

QString HistoricoDocumentos::TituloBase() { return QStringLiteral("Histórico de Documentos"); }

QString HistoricoDocumentos::titulo() const {
    // The caller's subtitle continues the title: "Histórico de Documentos de produção (Processo nº 7)".
    return m_subtitulo.isEmpty() ? TituloBase() : TituloBase() + QStringLiteral(" ") + m_subtitulo;
}

bool HistoricoDocumentos::ler() {
    m_documentos.clear();
    if (!m_arq) {
        auto a = Abre_Connexao_DocumentosBin(m_ctx);
        if (!a) {
            m_ui.mensagem(a.mensagem(), Icone::Critico, titulo());
            return false;
        }
        m_arq = *a;
    }
    const bool ok = m_arq->percorrer(
        QStringLiteral("SELECT NumRegisto, NumeroMov, Chave, Data, Assunto, Doc_Tipo, Doc_Numero, Doc_Data, Utilizador "
                       "FROM HistDocBin WHERE Chave=? ORDER BY NumeroMov"),
        {chave()}, [&](const QSqlQuery& q) {
            DocumentoArquivado d;
            d.numRegisto = q.value(0).toLongLong();
            d.numeroMov = q.value(1).toLongLong();
            d.chave = q.value(2).toString();
            d.data = q.value(3).toString();
            d.assunto = q.value(4).toString();
            d.docTipo = q.value(5).toString();
            d.docNumero = q.value(6).toString();
            d.docData = q.value(7).toString();
            d.utilizador = q.value(8).toString();
            m_documentos.push_back(d);
        });
    for (DocumentoArquivado& d : m_documentos)
        (void)m_arq->percorrer(QStringLiteral("SELECT NumRegisto, FilePath, FileDate, FileTime, DataEntrada, Utilizador "
                                              "FROM HistDocBinDocs WHERE NumeroMov=? ORDER BY NumRegisto"),
                               {d.numeroMov}, [&](const QSqlQuery& q) {
                                   d.ficheiros.push_back({q.value(0).toLongLong(), q.value(1).toString(),
                                                          q.value(2).toString(), q.value(3).toString(),
                                                          q.value(4).toString(), q.value(5).toString()});
                               });
    if (!ok)
        m_ui.mensagem(m_arq->lastError(), Icone::Critico, titulo());
    return ok;
}

bool HistoricoDocumentos::adicionarFicheiro(const QString& caminho, qint64 numeroMov, const QString& assunto) {
    if (!m_arq && !ler())
        return false;
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) {
        m_ui.mensagem(QStringLiteral("Não foi possível ler o ficheiro %1.").arg(caminho), Icone::Critico, titulo());
        return false;
    }
    const QByteArray bytes = f.readAll();
    const QFileInfo info(caminho);
    Resultado<> r;
    if (numeroMov > 0) {
        const auto a = AnexarFicheiro(*m_arq, numeroMov, chave(), caminho, info.lastModified(), bytes,
                                      m_ctx.CodigoUtilizador);
        if (!a)
            r = a.falha();
    } else {
        NovoDocumentoArquivo n;
        n.chave = chave();
        n.docTipo = m_tipo;
        n.docNumero = m_numero;
        n.assunto = (assunto.isEmpty() ? info.fileName() : assunto).left(70);
        n.utilizador = m_ctx.CodigoUtilizador;
        n.caminho = caminho;
        n.dataFicheiro = info.lastModified();
        n.conteudo = bytes;
        const auto a = ArquivarDocumento(*m_arq, n);
        if (!a)
            r = a.falha();
    }
    if (!r) {
        m_ui.mensagem(r.mensagem(), Icone::Critico, titulo());
        return false;
    }
    return ler();
}

bool HistoricoDocumentos::cmdAdicionar_Click(qint64 numeroMov) {
    const QString f = m_ui.escolherFicheiroAbrir(QStringLiteral("Indique o Ficheiro a Adicionar:"),
                                                 QStringLiteral("Todos os ficheiros (*)"));
    return !f.isEmpty() && adicionarFicheiro(f, numeroMov);
}

const FicheiroArquivado* HistoricoDocumentos::ficheiro(qint64 numRegisto) const {
    for (const DocumentoArquivado& d : m_documentos)
        for (const FicheiroArquivado& f : d.ficheiros)
            if (f.numRegisto == numRegisto)
                return &f;
    return nullptr;
}

QByteArray HistoricoDocumentos::conteudo(qint64 numRegistoFicheiro) {
    if (!m_arq && !ler())
        return {};
    const auto v = m_arq->lerValor(QStringLiteral("SELECT Doc FROM HistDocBinDocs WHERE NumRegisto=?"),
                                   {numRegistoFicheiro});
    if (!v) {
        m_ui.mensagem(v.mensagem(), Icone::Critico, titulo());
        return {};
    }
    return v->toByteArray();
}

bool HistoricoDocumentos::gravarComo(qint64 numRegistoFicheiro, const QString& destino) {
    if (!ficheiro(numRegistoFicheiro))
        return false;
    const QByteArray bytes = conteudo(numRegistoFicheiro);
    QSaveFile s(destino);
    if (!s.open(QIODevice::WriteOnly) || s.write(bytes) != bytes.size() || !s.commit()) {
        m_ui.mensagem(QStringLiteral("Não foi possível gravar o ficheiro %1.").arg(destino), Icone::Critico, titulo());
        return false;
    }
    return true;
}

bool HistoricoDocumentos::cmdGravarComo_Click(qint64 numRegistoFicheiro) {
    const FicheiroArquivado* f = ficheiro(numRegistoFicheiro);
    if (!f)
        return false;
    const QString destino = m_ui.escolherFicheiroGravar(QStringLiteral("Gravar Como"), QStringLiteral("Todos os ficheiros (*)"),
                                                        QFileInfo(f->filePath).fileName());
    return !destino.isEmpty() && gravarComo(numRegistoFicheiro, destino);
}

QString HistoricoDocumentos::extrairTemporario(qint64 numRegistoFicheiro) {
    const FicheiroArquivado* f = ficheiro(numRegistoFicheiro);
    if (!f)
        return {};
    QString nome = QFileInfo(f->filePath).fileName();
    if (nome.isEmpty())
        nome = QStringLiteral("documento");
    const QString pasta = QDir(QDir::tempPath()).filePath(QStringLiteral("lumo_docs_%1").arg(numRegistoFicheiro));
    QDir().mkpath(pasta);
    const QString destino = QDir(pasta).filePath(nome);
    return gravarComo(numRegistoFicheiro, destino) ? destino : QString();
}

bool HistoricoDocumentos::cmdRemover_Click(qint64 numRegistoFicheiro) {
    if (!ficheiro(numRegistoFicheiro) || !m_arq)
        return false;
    if (m_ui.caixaBotoes(QStringLiteral("Confirma a eliminação?"), titulo(), {QStringLiteral("&Não"), QStringLiteral("&Sim")},
                         Icone::Pergunta) != 1)
        return false;
    Transaction tr(*m_arq);
    const auto nm = m_arq->lerValor(QStringLiteral("SELECT NumeroMov FROM HistDocBinDocs WHERE NumRegisto=?"),
                                    {numRegistoFicheiro});
    const bool ok = tr.ok() && nm &&
                    m_arq->exec(QStringLiteral("DELETE FROM HistDocBinDocs WHERE NumRegisto=?"), {numRegistoFicheiro}) &&
                    m_arq->exec(QStringLiteral("DELETE FROM HistDocBin WHERE NumeroMov=? AND Chave=? AND NOT EXISTS "
                                               "(SELECT 1 FROM HistDocBinDocs d WHERE d.NumeroMov=HistDocBin.NumeroMov)"),
                                {nm->toLongLong(), chave()}) &&
                    tr.commit();
    if (!ok)
        m_ui.mensagem(QStringLiteral("Não foi possível eliminar o ficheiro. ") + m_arq->lastError(), Icone::Critico,
                      titulo());
    ler();
    return ok;
}

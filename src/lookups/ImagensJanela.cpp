#include "lookups/ImagensJanela.h"

#include "common/UserInteraction.h"
#include "company/GlobalContext.h"
#include "lookups/Imagens.h"

#include <QDateTime>
#include <QFileInfo>

using Icone = UserInteraction::Icone;

namespace {

enum Coluna { ColNum, ColNome, ColData, ColUtilizador, ColConfirmada };

QString dataMostrada(const QString& dataSys) {
    const QDateTime d = QDateTime::fromString(dataSys, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return d.isValid() ? d.toString(QStringLiteral("dd-MM-yyyy HH:mm")) : dataSys;
}

} // namespace

ImagensRegisto::ImagensRegisto(GlobalContext& ctx, UserInteraction& ui, const QString& tabela, const QString& codigo,
                               const QString& chave)
    : m_ctx(ctx), m_ui(ui), m_tabela(tabela), m_codigo(codigo), m_chave(chave), m_utilizador(ctx.CodigoUtilizador) {
    lvwImagens.setUserInteraction(&ui);
    lvwImagens.Cria_lvwLISTA(Layout());
}

qint64 ImagensRegisto::numRegistoSeleccionado() const {
    const int l = lvwImagens.linhaSeleccionada();
    return l >= 0 && l < lvwImagens.numLinhas() ? lvwImagens.id(l) : 0;
}

bool ImagensRegisto::carregar() {
    const qint64 antes = numRegistoSeleccionado();
    const auto imagens = ListarImagens(m_ctx.bd(), m_tabela, m_codigo, m_chave, m_utilizador);
    lvwImagens.limparLinhas();
    if (!imagens) {
        m_ui.mensagem(imagens.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    for (const ImagemRegistada& i : *imagens) {
        const int l = lvwImagens.lvw_AddLinha();
        lvwImagens.setId(l, i.numRegisto);
        lvwImagens.setTexto(l, ColNum, QString::number(i.numRegisto));
        lvwImagens.setTexto(l, ColNome, i.nome);
        lvwImagens.setTexto(l, ColData, dataMostrada(i.dataSys));
        lvwImagens.setTexto(l, ColUtilizador, i.utilizador);
        lvwImagens.setTexto(l, ColConfirmada, i.confirmada ? QStringLiteral("Sim") : QStringLiteral("Não"));
    }
    const int manter = antes > 0 ? lvwImagens.linhaDoId(antes) : -1;
    lvwImagens.lvw_SelectLinha(manter >= 0 ? manter : (lvwImagens.numLinhas() > 0 ? 0 : -1));
    return true;
}

bool ImagensRegisto::adicionar() {
    const QString ficheiro = m_ui.escolherFicheiroAbrir(QStringLiteral("Adicionar Imagem"), FiltroFicheiros(), m_pasta);
    if (ficheiro.isEmpty())
        return false;
    m_pasta = QFileInfo(ficheiro).absolutePath();
    const auto n = AdicionarImagem(m_ctx.bd(), m_tabela, m_codigo, m_chave, m_utilizador, ficheiro);
    if (!n) {
        m_ui.mensagem(n.mensagem(), Icone::Exclamacao, Titulo());
        return false;
    }
    carregar();
    lvwImagens.lvw_SelectLinha(lvwImagens.linhaDoId(*n));
    return true;
}

bool ImagensRegisto::remover() {
    const qint64 n = numRegistoSeleccionado();
    if (n <= 0)
        return false;
    if (m_ui.caixaBotoes(QStringLiteral("Confirma Eliminação?"), Titulo(),
                         {QStringLiteral("&Não"), QStringLiteral("&Sim")}, Icone::Pergunta) != 1)
        return false;
    const int linha = lvwImagens.linhaSeleccionada();
    const auto r = RemoverImagem(m_ctx.bd(), n);
    if (!r)
        m_ui.mensagem(r.mensagem(), Icone::Exclamacao, Titulo());
    if (n == m_lida) {
        m_lida = 0;
        m_bytesLidos.clear();
    }
    // The row that took its place is selected, so removing several in a row needs no clicks between.
    carregar();
    if (lvwImagens.numLinhas() > 0)
        lvwImagens.lvw_SelectLinha(qMin(linha, lvwImagens.numLinhas() - 1));
    return r.ok();
}

QByteArray ImagensRegisto::imagemSeleccionada() {
    const qint64 n = numRegistoSeleccionado();
    if (n <= 0)
        return {};
    if (n == m_lida)
        return m_bytesLidos;
    const auto bytes = LerImagem(m_ctx.bd(), n);
    if (!bytes) {
        m_ui.mensagem(bytes.mensagem(), Icone::Exclamacao, Titulo());
        return {};
    }
    m_lida = n;
    m_bytesLidos = *bytes;
    return m_bytesLidos;
}

#include "session/AcessosEditor.h"

#include "common/UserInteraction.h"
#include "session/Acessos.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "session/LogGeral.h"

#include <QHash>
#include <QSqlQuery>

AcessosEditor::AcessosEditor(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}

std::vector<AcessosEditor::UtilizadorLinha> AcessosEditor::utilizadores() const {
    std::vector<UtilizadorLinha> r;
    m_ctx.bd().percorrer(QStringLiteral("SELECT Codigo, Login FROM Utilizador WHERE Codigo<>? AND Codigo<>? "
                                        "ORDER BY Codigo"),
                         {QStringLiteral("01"), QStringLiteral("00")}, [&r](const QSqlQuery& q) {
                             r.push_back({q.value(0).toString(), q.value(1).toString()});
                         });
    return r;
}

bool AcessosEditor::ler() {
    m_nos.clear();
    m_alterado = false;
    Database& db = m_ctx.bd();
    return db.percorrer(
        QStringLiteral("SELECT chave, chave1, caption, ctrlcap, form, ctrl, value FROM Acessos "
                       "WHERE utilizador=? AND ") +
            db.dialect().like(QStringLiteral("chave")) + QStringLiteral(" ORDER BY chave"),
        {m_utilizador, NomePrograma + QStringLiteral("%")}, [this](const QSqlQuery& q) {
            No n;
            n.chave = q.value(0).toString();
            n.chave1 = q.value(1).toString();
            const QString ctrlcap = q.value(3).toString();
            n.texto = ctrlcap.isEmpty() ? q.value(2).toString() : ctrlcap;
            n.form = q.value(4).toString();
            n.ctrl = q.value(5).toString();
            n.ligado = !q.value(6).isNull() && q.value(6).toInt() == 1;
            m_nos.push_back(n);
        });
}

bool AcessosEditor::Utilizador(const QString& codigo) {
    m_utilizador = codigo;
    if (!ler())
        return false;
    if (!m_nos.empty() || codigo == QStringLiteral("01") || codigo == QStringLiteral("00"))
        return true;
    const int escolha = m_ui.caixaBotoes(
        QStringLiteral("Não existe Registo em Base de Dados dos Acessos deste Utilizador"),
        QStringLiteral("Acessos"),
        {QStringLiteral("Cancelar o Registo dos Acessos"), QStringLiteral("Pretendo Criar o Registo")});
    if (escolha != 1)
        return true;
    return recarregar();
}

int AcessosEditor::pai(int indice) const {
    if (indice < 0 || indice >= int(m_nos.size()) || m_nos[indice].chave1.isEmpty())
        return -1;
    for (int i = 0; i < int(m_nos.size()); ++i)
        if (i != indice && m_nos[i].chave == m_nos[indice].chave1)
            return i;
    return -1;
}

void AcessosEditor::ligar(int indice, bool ligado) {
    if (indice < 0 || indice >= int(m_nos.size()) || m_nos[indice].ligado == ligado)
        return;
    m_nos[indice].ligado = ligado;
    m_alterado = true;
}

void AcessosEditor::definirRamo(int indice, bool ligado) {
    // Walked with a visited list: rows edited by hand could point at each other.
    std::vector<bool> visto(m_nos.size(), false);
    std::vector<int> pendentes{indice};
    while (!pendentes.empty()) {
        const int n = pendentes.back();
        pendentes.pop_back();
        if (visto[n])
            continue;
        visto[n] = true;
        ligar(n, ligado);
        for (int i = 0; i < int(m_nos.size()); ++i)
            if (!visto[i] && m_nos[i].chave1 == m_nos[n].chave)
                pendentes.push_back(i);
    }
}

void AcessosEditor::alternarRamo(int indice) {
    if (indice < 0 || indice >= int(m_nos.size()))
        return;
    definirRamo(indice, !m_nos[indice].ligado);
}

void AcessosEditor::alternarTodos() {
    bool todos = true;
    for (const No& n : m_nos)
        todos = todos && n.ligado;
    for (int i = 0; i < int(m_nos.size()); ++i)
        ligar(i, !todos);
}

bool AcessosEditor::gravar() {
    if (m_utilizador.isEmpty() || m_utilizador == QStringLiteral("00"))
        return true;
    Database& db = m_ctx.bd();
    Transaction tr(db);
    if (!tr.ok())
        return false;
    QStringList negados;
    for (const No& n : m_nos) {
        if (!db.exec(QStringLiteral("UPDATE Acessos SET value=? WHERE chave=? AND utilizador=?"),
                     {n.ligado ? 1 : 0, n.chave, m_utilizador}))
            return false;
        if (!n.ligado)
            negados << n.texto;
    }
    if (!tr.commit())
        return false;
    m_alterado = false;
    EntradaLog e;
    e.modulo = QStringLiteral("TB");
    e.accao = QStringLiteral("A");
    e.descricao = QStringLiteral("Acessos do Utilizador ") + m_utilizador;
    e.observa = negados.isEmpty() ? QStringLiteral("Sem restrições")
                                  : QStringLiteral("Negados: ") + negados.join(QStringLiteral(", "));
    LogGeral(m_ctx, e);
    return true;
}

bool AcessosEditor::recarregar() {
    if (m_utilizador.isEmpty())
        return false;
    if (!CriaTodososAcessos(m_ctx, m_utilizador, JanelasProtegidas(), &m_ui))
        return false;
    return ler();
}

int AcessosEditor::procurar(const QString& texto, int depois) const {
    const QString t = texto.trimmed();
    if (t.isEmpty())
        return -1;
    for (int i = std::max(depois + 1, 0); i < int(m_nos.size()); ++i)
        if (m_nos[i].texto.contains(t, Qt::CaseInsensitive))
            return i;
    return -1;
}

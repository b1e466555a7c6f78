#include "lookups/TabelaComum.h"
#include "company/TabelasComuns.h"

#include "company/EDiv.h"
#include "common/UserInteraction.h"
#include "lookups/ListaDados.h"
#include "session/Acessos.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "session/LogGeral.h"
#include "company/Mavo.h"

#include <QSqlQuery>

namespace {

struct TabelaEditavel {
    const char* nome;
    const char* mestre; // master table whose rows use the codes ("" = none)
    const char* coluna; // its column
};

const TabelaEditavel Tabelas[] = {
    {"TabGrupoPro", "Produtos", "grupo"},
    {"TabFamPro", "Produtos", "familia"},
    {"TabSubFamPro", "Produtos", "subfamilia"},
    {"tabGrupocli", "Clientes", "grupo"},
    {"tabFamcli", "Clientes", "familia"},
    {"tabsubFamcli", "Clientes", "subfamilia"},
    {"tabGrupofor", "Fornece", "grupo"},
    {"tabFamfor", "Fornece", "familia"},
    {"tabsubFamfor", "Fornece", "subfamilia"},
    {"HistoricoObs", "", ""},
    {"TabEstacao", "", ""},
    {"TabSexo", "", ""},
    {"Modelos", "", ""},
    {"Cores", "", ""},
    {"Tamanhos", "", ""},
    {"Comprimentos", "", ""},
    {"Referencias", "", ""},
};

const TabelaEditavel* procurar(const QString& tabela) {
    for (const auto& t : Tabelas)
        if (tabela.compare(QLatin1String(t.nome), Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

} // namespace

QStringList TabelaComum::tabelasPermitidas() {
    QStringList r;
    for (const auto& t : Tabelas)
        r << QLatin1String(t.nome);
    return r;
}

QList<TabelaComum::EntradaMenu> TabelaComum::entradasMenu() {
    return TabelasComunsMenu();
}

bool TabelaComum::tabelaPermitida(const QString& tabela) {
    return procurar(tabela) != nullptr;
}

TabelaComum::TabelaComum(GlobalContext& ctx, UserInteraction& ui, const QString& tabela,
                         const QString& titulo)
    : m_ctx(ctx), m_ui(ui), m_titulo(titulo),
      m_lista(std::make_unique<ListaDados>(QStringLiteral("lvwLista"))) {
    if (const TabelaEditavel* t = procurar(tabela)) {
        m_tabela = QLatin1String(t->nome);
        m_valida = true;
    }
    m_lista->setUserInteraction(&m_ui);
    m_lista->Cria_lvwLISTA(Layout());
}

TabelaComum::~TabelaComum() = default;

QString TabelaComum::colunaTexto() const {
    return m_tabela.compare(QStringLiteral("HistoricoObs"), Qt::CaseInsensitive) == 0
               ? QStringLiteral("observa")
               : QStringLiteral("descricao");
}

QString TabelaComum::lblModo() const {
    switch (m_modo) {
    case Modo::Novo:
        return QStringLiteral("N");
    case Modo::Alterar:
        return QStringLiteral("A");
    case Modo::Eliminar:
        return QStringLiteral("E");
    case Modo::Consulta:
        break;
    }
    return {};
}

void TabelaComum::Form_Load() {
    m_modo = Modo::Consulta;
    Refrescar();
    m_foco = Foco::Lista;
}

bool TabelaComum::Refrescar() {
    m_lista->limparLinhas();
    if (!m_valida)
        return false;
    Database& db = m_ctx.bd();
    QString sql = QStringLiteral("SELECT NumRegisto,codigo,%1 FROM %2").arg(colunaTexto(), m_tabela);
    QVariantList valores;
    if (m_campoProcura > 0 && !m_chaveProcura.isEmpty()) {
        sql += QStringLiteral(" WHERE ") +
               db.dialect().like(m_campoProcura == 1 ? QStringLiteral("codigo") : colunaTexto());
        valores << m_chaveProcura + QStringLiteral("%");
    }
    sql += QStringLiteral(" ORDER BY codigo");
    return db.percorrer(sql, valores, [&](const QSqlQuery& q) {
        const int l = m_lista->lvw_AddLinha();
        m_lista->setId(l, q.value(0).toLongLong());
        m_lista->setTexto(l, 0, q.value(0).toString());
        m_lista->setTexto(l, 1, q.value(1).toString());
        m_lista->setTexto(l, 2, q.value(2).toString());
    });
}

QString TabelaComum::preencher(const QString& codigo) {
    // Codes are filled to the width the table's codes already have ("3" beside "01" becomes "03").
    const QString t = codigo.trimmed();
    if (t.isEmpty())
        return t;
    const int largura =
        m_ctx.bd().scalar(QStringLiteral("SELECT MAX(LENGTH(codigo)) FROM %1").arg(m_tabela)).toInt();
    int l = std::max(largura, int(t.size()));
    return EDiv::Zerar(t, l, QStringLiteral("0"), true);
}

QString TabelaComum::proximoCodigo() {
    Mavo mavo(m_ctx);
    return preencher(mavo.GetProximoCodigo(m_ctx.bd(), m_tabela, QStringLiteral("codigo")));
}

bool TabelaComum::existeCodigo(const QString& codigo) {
    return m_ctx.bd()
        .primeiraLinha(QStringLiteral("SELECT codigo FROM %1 WHERE codigo=?").arg(m_tabela), {codigo})
        .has_value();
}

void TabelaComum::cmdAdicionar_Click() {
    if (!m_valida)
        return;
    m_modo = Modo::Novo;
    txtCodigo = proximoCodigo();
    txtDescricao.clear();
    m_foco = Foco::Codigo;
}

bool TabelaComum::txtCodigo_LostFocus() {
    if (m_modo != Modo::Novo)
        return true;
    txtCodigo = preencher(txtCodigo);
    if (txtCodigo.isEmpty() || !existeCodigo(txtCodigo))
        return true;
    m_ui.mensagem(QStringLiteral(" A T E N Ç Ã O !    Registo já existente."),
                  UserInteraction::Icone::Critico, NomePrograma);
    txtCodigo = proximoCodigo();
    m_foco = Foco::Codigo;
    return false;
}

bool TabelaComum::cmdAlterar_Click() {
    const int l = m_lista->linhaSeleccionada();
    if (!m_valida || l < 0 || l >= m_lista->numLinhas())
        return false;
    m_modo = Modo::Alterar;
    txtCodigo = m_lista->texto(l, 1);
    txtDescricao = m_lista->texto(l, 2);
    m_foco = Foco::Descricao;
    return true;
}

bool TabelaComum::cmdGravar_Click() {
    if (!emEdicao())
        return false;
    if (m_modo == Modo::Novo)
        txtCodigo = preencher(txtCodigo);
    if (txtCodigo.trimmed().isEmpty()) {
        m_foco = Foco::Codigo;
        return false;
    }
    if (txtDescricao.trimmed().isEmpty()) {
        m_foco = Foco::Descricao;
        return false;
    }
    Database& db = m_ctx.bd();
    const QString codigo = txtCodigo.trimmed();
    const bool novo = m_modo == Modo::Novo;
    bool gravou = false;
    qint64 numRegisto = 0;
    bool cancelado = false;
    {
        Transaction t(db);
        const auto lida =
            db.lerPrimeiraLinha(QStringLiteral("SELECT NumRegisto FROM %1 WHERE codigo=?").arg(m_tabela), {codigo});
        const bool ok = lida.ok();
        const std::optional<QVariantList> linha = lida.valorOu(std::nullopt);
        if (ok && linha && novo) {
            // Another user took the code meanwhile: his row is not overwritten.
            m_ui.mensagem(QStringLiteral(" A T E N Ç Ã O !    Registo já existente."),
                          UserInteraction::Icone::Critico, NomePrograma);
            txtCodigo = proximoCodigo();
            m_foco = Foco::Codigo;
            return false;
        }
        if (ok && !linha && !novo) {
            const int r =
                m_ui.caixaBotoes(QStringLiteral("Registo Eliminado por Outro Utilizador"), NomePrograma,
                                 {QStringLiteral("&Criar Novamente"), QStringLiteral("C&ancelar Gravação")},
                                 UserInteraction::Icone::Pergunta);
            if (r != 0)
                cancelado = true;
        }
        if (ok && !cancelado) {
            const QDateTime agora = db.agoraServidor();
            if (linha) {
                numRegisto = linha->at(0).toLongLong();
                gravou = db.update(m_tabela,
                                   {colunaTexto(), QStringLiteral("utilizador"), QStringLiteral("datasys")},
                                   {txtDescricao, m_ctx.CodigoUtilizador, agora},
                                   QStringLiteral("WHERE NumRegisto=?"), {numRegisto});
            } else {
                numRegisto = db.insert(
                    m_tabela, Registo()(QStringLiteral("codigo"), codigo)(colunaTexto(), txtDescricao)(
                                  QStringLiteral("utilizador"),
                                  m_ctx.CodigoUtilizador)(QStringLiteral("datasys"), agora));
                gravou = numRegisto > 0;
            }
            gravou = gravou && t.commit();
        }
    }
    if (cancelado) {
        cmdCancelar_Click();
        return false;
    }
    if (!gravou) {
        m_ui.mensagem(QStringLiteral("Ocorreu um erro ao tentar gravar o registo.\nTente Novamente."),
                      UserInteraction::Icone::Critico, NomePrograma);
        if (novo)
            txtCodigo = proximoCodigo();
        m_foco = Foco::Codigo;
        return false;
    }
    EntradaLog e;
    e.modulo = QStringLiteral("TB");
    e.accao = novo ? QStringLiteral("N") : QStringLiteral("A");
    e.descricao = m_titulo + QStringLiteral(" - ") + codigo;
    LogGeral(m_ctx, e);

    m_modo = Modo::Consulta;
    Refrescar();
    const int l = m_lista->linhaDoId(numRegisto);
    if (l >= 0)
        m_lista->lvw_SelectLinha(l);
    if (novo)
        cmdAdicionar_Click();
    else
        m_foco = Foco::Lista;
    return true;
}

void TabelaComum::cmdCancelar_Click() {
    m_modo = Modo::Consulta;
    txtCodigo.clear();
    txtDescricao.clear();
    m_foco = Foco::Lista;
}

bool TabelaComum::cmdEliminar_Click() {
    const int l = m_lista->linhaSeleccionada();
    if (!m_valida || l < 0 || l >= m_lista->numLinhas())
        return false;
    m_modo = Modo::Eliminar;
    return true;
}

QString TabelaComum::usadoEm(const QString& codigo) {
    const TabelaEditavel* t = procurar(m_tabela);
    if (!t || !*t->mestre)
        return {};
    const QString mestre = QLatin1String(t->mestre);
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %1=?").arg(QLatin1String(t->coluna), mestre) +
                        m_ctx.bd().dialect().limite(1);
    const auto linha = m_ctx.bd().lerPrimeiraLinha(sql, {codigo});
    // When the check cannot be made the code is treated as used: nothing is deleted blindly.
    return (!linha || *linha) ? mestre : QString();
}

bool TabelaComum::cmdSim_Click() {
    if (m_modo != Modo::Eliminar)
        return false;
    m_modo = Modo::Consulta;
    const int l = m_lista->linhaSeleccionada();
    if (l < 0 || l >= m_lista->numLinhas())
        return false;
    const QString codigo = m_lista->texto(l, 1);
    if (!usadoEm(codigo).isEmpty()) {
        m_ui.mensagem(QStringLiteral("Registo já inserido em Outras Fichas"), UserInteraction::Icone::Critico,
                      NomePrograma);
        m_foco = Foco::Lista;
        return false;
    }
    const int apagadas =
        m_ctx.bd().executarContando(QStringLiteral("DELETE FROM %1 WHERE codigo=?").arg(m_tabela), {codigo});
    if (apagadas < 0) {
        m_ui.mensagem(QStringLiteral("Ocorreu um erro ao tentar eliminar o registo."),
                      UserInteraction::Icone::Critico, NomePrograma);
        return false;
    }
    if (apagadas > 0) {
        EntradaLog e;
        e.modulo = QStringLiteral("TB");
        e.accao = QStringLiteral("E");
        e.descricao = m_titulo + QStringLiteral(" - ") + codigo;
        LogGeral(m_ctx, e);
    }
    Refrescar();
    if (m_lista->numLinhas() > 0)
        m_lista->lvw_SelectLinha(std::min(l, m_lista->numLinhas() - 1));
    m_foco = Foco::Lista;
    return apagadas > 0;
}

void TabelaComum::cmdNao_Click() {
    m_modo = Modo::Consulta;
    m_foco = Foco::Lista;
}

bool TabelaComum::cmdProcurar_Click(int campo, const QString& chave) {
    m_campoProcura = (campo == 1 || campo == 2) ? campo : 0;
    m_chaveProcura = chave.trimmed();
    const bool ok = Refrescar();
    if (m_lista->numLinhas() > 0)
        m_lista->lvw_SelectLinha(0);
    m_foco = Foco::Lista;
    return ok;
}

void TabelaComum::cmdRefresh_Click() {
    m_campoProcura = 0;
    m_chaveProcura.clear();
    Refrescar();
    m_foco = Foco::Lista;
}

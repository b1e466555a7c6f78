#include "lookups/PesquisaNOVA.h"

#include "lookups/ListaDados.h"
#include "lookups/UtilConfigDiv.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "company/Mavo.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const QString NomeFormPesquisa = QStringLiteral("PesquisaNOVA");
const QString ChaveTiraAcentos = QStringLiteral("chkTiraAcentos");

// Expression compared without the table prefix ("Produtos.Codigo" -> "CODIGO").
QString semPrefixo(const QString& e) {
    const QString t = e.trimmed().toUpper();
    const qsizetype p = t.lastIndexOf(QLatin1Char('.'));
    return p < 0 ? t : t.mid(p + 1);
}

QDate paraData(const QVariant& v) {
    if (v.isNull())
        return {};
    if (v.metaType().id() == QMetaType::QDate)
        return v.toDate();
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime().date();
    const QString s = v.toString().trimmed();
    QDate d = QDate::fromString(s.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        d = QDate::fromString(s.left(10), QStringLiteral("dd-MM-yyyy"));
    return d;
}

} // namespace

PesquisaNOVA::PesquisaNOVA(GlobalContext& ctx, Database& db, DefinicaoPesquisa def, UserInteraction* ui)
    : m_ctx(ctx), m_db(db), m_ui(ui), m_def(std::move(def)),
      m_lista(std::make_unique<ListaDados>(QStringLiteral("lvwLista"))) {
    m_lista->setUserInteraction(m_ui);
    m_lista->setCasasDecimais(TipoDadoColuna::Valor, m_ctx.casadec);
    m_lista->setCasasDecimais(TipoDadoColuna::ValorQ, m_ctx.casadecquant);
    m_lista->setCasasDecimais(TipoDadoColuna::ValorP, m_ctx.casadecpreco);
    // Typed columns without a name of their own would share one key ("DATA_"); each gets its own
    // so that every cell and its sort value land in its own column.
    std::vector<ColunaLayout> colunas = interpretarLayout(m_def.layout);
    for (size_t i = 0; i < colunas.size(); ++i)
        if (colunas[i].tipada() && colunas[i].nome.isEmpty())
            colunas[i].nome = QStringLiteral("Coluna%1").arg(i + 1);
    m_lista->Cria_lvwLISTA(escreverLayout(colunas));
    m_lista->setComVistos(m_def.multiSelecao);
    for (int i = 0; i < m_def.campos.size(); ++i)
        if (!m_def.campos[i].expressao.toUpper().contains(QStringLiteral("_NO_COMBO")))
            m_indicesCombo << i;
}

PesquisaNOVA::~PesquisaNOVA() = default;

void PesquisaNOVA::Abrir() {
    const QVariant acentos =
        UtilConfig_Div_Retorna_var(m_db, m_ctx.CodigoUtilizador, NomeFormPesquisa, ChaveTiraAcentos);
    m_tiraAcentos =
        acentos.isValid() && (acentos.toString() == QStringLiteral("1") ||
                              acentos.toString().compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0);
    if (m_ctx.registosVisualizar <= 0)
        m_ctx.registosVisualizar = RegistosPadrao;
    m_registosVer = QString::number(m_ctx.registosVisualizar);
    m_chave = m_def.chaveInicial;

    m_campo = m_indicesCombo.isEmpty() ? -1 : 0;
    const QString ordem = m_def.ordem.trimmed().toUpper();
    for (int i = 0; i < m_indicesCombo.size(); ++i) {
        const QString e = m_def.campos[m_indicesCombo[i]].expressao.trimmed().toUpper();
        if (e == ordem || semPrefixo(e) == semPrefixo(ordem)) {
            m_campo = i;
            break;
        }
    }
    Procurar();
}

void PesquisaNOVA::Fechar() {
    UtilConfig_Div_Guarda_bln(m_db, m_ctx.CodigoUtilizador, NomeFormPesquisa, ChaveTiraAcentos,
                              m_tiraAcentos ? QStringLiteral("1") : QStringLiteral("0"),
                              QStringLiteral("Boolean"));
}

QStringList PesquisaNOVA::camposCombo() const {
    QStringList r;
    for (int i : m_indicesCombo)
        r << m_def.campos[i].titulo;
    return r;
}

void PesquisaNOVA::escolherCampo(int indice) {
    if (indice >= 0 && indice < m_indicesCombo.size())
        m_campo = indice;
}

bool PesquisaNOVA::escolherCampoPorTitulo(const QString& titulo) {
    const int i = camposCombo().indexOf(titulo);
    if (i < 0)
        return false;
    m_campo = i;
    return true;
}

QString PesquisaNOVA::normalizarRegistosVer(const QString& texto, int padrao) {
    bool ok = false;
    const qint64 n = texto.trimmed().toLongLong(&ok);
    if (!ok || n < 0)
        return QString::number(padrao > 0 ? padrao : RegistosPadrao);
    return n >= LimiteArredondado ? QString::number(LimiteMaximo) : QString::number(n);
}

void PesquisaNOVA::txtRegVer_LostFocus() {
    m_registosVer = normalizarRegistosVer(m_registosVer, m_ctx.registosVisualizar);
}

qint64 PesquisaNOVA::limiteRegistos() const {
    bool ok = false;
    const qint64 n = m_registosVer.trimmed().toLongLong(&ok);
    if (!ok || n <= 0)
        return m_ctx.registosVisualizar > 0 ? m_ctx.registosVisualizar : RegistosPadrao;
    return std::min(n, LimiteMaximo);
}

QString PesquisaNOVA::textoTotal() const {
    return QStringLiteral("Foram Encontrados %1 Registos").arg(m_total);
}

int PesquisaNOVA::linhas() const {
    return m_lista->numLinhas();
}

bool PesquisaNOVA::cmdProcura_Click() {
    if (m_campo >= 0 && !m_chave.trimmed().isEmpty()) {
        const QString tabela = m_def.tabela.toUpper();
        const QString titulo = m_def.campos[m_indicesCombo[m_campo]].titulo.toUpper();
        if (titulo == QStringLiteral("CÓDIGO")) {
            Mavo mavo(m_ctx);
            if (tabela == QStringLiteral("PRODUTOS"))
                m_chave = mavo.Zerar_Produto_str(m_chave.trimmed());
            else if (tabela == QStringLiteral("CLIENTES"))
                m_chave = mavo.Zerar_Cliente_str(m_chave.trimmed());
            else if (tabela == QStringLiteral("FORNECE"))
                m_chave = mavo.Zerar_Fornece_str(m_chave.trimmed());
        }
    }
    return Procurar();
}

QString PesquisaNOVA::condicaoChave(QVariantList& valores) const {
    if (m_campo < 0 || m_chave.trimmed().isEmpty())
        return {};
    const QString campo = m_def.campos[m_indicesCombo[m_campo]].expressao;
    const Dialect& d = m_db.dialect();
    valores << m_chave + QStringLiteral("%");
    return QStringLiteral(" AND ") + (m_tiraAcentos ? d.likeSemAcentos(campo) : d.like(campo));
}

bool PesquisaNOVA::Procurar(const std::function<void(int, int)>& progresso) {
    m_erro.clear();
    m_escolhido = false;
    m_lista->limparLinhas();
    m_total = 0;

    // The user's "*" means "anything here"; the box shows the key as searched.
    m_chave.replace(QLatin1Char('*'), QLatin1Char('%'));

    QVariantList valores = m_def.filtro.valores;
    const QString origem = (m_def.origem.isEmpty() ? m_def.tabela : m_def.origem) + m_def.filtro.juncao;
    // The identity NumRegisto is always positive: testing it would only keep the engine from
    // counting and ordering on the narrowest index. Other keys ("Record") do filter.
    const bool identidade =
        m_def.chaveRegisto.compare(QStringLiteral("NumRegisto"), Qt::CaseInsensitive) == 0;
    // Without any condition the engines count from their own bookkeeping.
    QString onde = m_def.filtro.condicoes + condicaoChave(valores);
    if (!identidade)
        onde = QStringLiteral(" WHERE %1.%2>0").arg(m_def.tabela, m_def.chaveRegisto) + onde;
    else if (!onde.trimmed().isEmpty())
        onde = QStringLiteral(" WHERE ") +
               onde.remove(QRegularExpression(QStringLiteral("^\\s*and\\s+"),
                                              QRegularExpression::CaseInsensitiveOption));
    const QString lista = m_def.colunas.join(QLatin1Char(','));
    const QString inicio = m_def.distinto ? QStringLiteral("SELECT DISTINCT ") : QStringLiteral("SELECT ");

    m_sqlContagem = m_def.distinto
                        ? QStringLiteral("SELECT COUNT(*) FROM (SELECT DISTINCT %1 FROM %2%3) AS c")
                              .arg(lista, origem, onde)
                        : QStringLiteral("SELECT COUNT(*) FROM %1%2").arg(origem, onde);
    m_sqlLinhas = inicio + lista + QStringLiteral(" FROM ") + origem + onde +
                  (m_def.ordem.trimmed().isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + m_def.ordem) +
                  m_db.dialect().limite(int(limiteRegistos()));
    m_valores = valores;

    const auto total = m_db.lerValor(m_sqlContagem, valores);
    if (!total) {
        // A failed query shows as a search without rows.
        m_erro = total.mensagem();
        return false;
    }
    m_total = total->toLongLong();

    const auto& cols = m_lista->colunas();
    const int nCols = int(cols.size());
    const int maximo = int(std::min<qint64>(m_total, limiteRegistos()));
    int n = 0;
    const bool lido = m_db.percorrer(m_sqlLinhas, valores, [&](const QSqlQuery& q) {
        const int l = m_lista->lvw_AddLinha();
        const int campos = std::min(nCols, q.record().count());
        for (int c = 0; c < campos; ++c) {
            const ColunaLayout& col = cols[size_t(c)];
            const QVariant v = q.value(c);
            // A typed column is written through its key, unless two columns share it.
            const bool chaveUnica = !col.chave.isEmpty() && m_lista->colunaDaChave(col.chave) == c;
            if (col.tipo == TipoDadoColuna::Texto || !chaveUnica || v.isNull()) {
                QString texto = v.isNull() ? QString() : v.toString();
                if (col.tipo == TipoDadoColuna::Data && !v.isNull()) {
                    const QDate d = paraData(v);
                    if (d.isValid())
                        texto = d.toString(QStringLiteral("dd-MM-yyyy"));
                }
                m_lista->setTexto(l, c, texto);
            } else if (col.tipo == TipoDadoColuna::Data) {
                m_lista->lvw_PutValue(l, col.chave, paraData(v));
            } else {
                m_lista->lvw_PutValue(l, col.chave, Currency::fromVariant(v));
            }
        }
        ++n;
        if (progresso)
            progresso(n, maximo);
    });
    if (!lido) {
        m_erro = m_db.lastError();
        m_lista->limparLinhas();
        return false;
    }
    return true;
}

bool PesquisaNOVA::Selecionar(int linha) {
    m_linhaEscolhida = {};
    m_escolhido = false;
    if (m_lista->numLinhas() == 0)
        return false;
    const int nCols = std::min(m_lista->numColunas(), 10);
    if (m_def.multiSelecao) {
        const std::vector<int> marcadas = m_lista->linhasMarcadas();
        if (marcadas.empty())
            return false;
        for (int c = 0; c < nCols; ++c) {
            QStringList partes;
            for (int l : marcadas)
                partes << m_lista->texto(l, c).trimmed();
            m_linhaEscolhida[size_t(c + 1)] = partes.join(QLatin1Char(';'));
        }
    } else {
        if (linha < 0)
            linha = m_lista->linhaSeleccionada();
        if (linha < 0 || linha >= m_lista->numLinhas())
            return false;
        for (int c = 0; c < nCols; ++c)
            m_linhaEscolhida[size_t(c + 1)] = m_lista->texto(linha, c);
    }
    m_escolhido = true;
    return true;
}

void PesquisaNOVA::Cancelar() {
    m_lista->limparLinhas();
    m_linhaEscolhida = {};
    m_escolhido = false;
}

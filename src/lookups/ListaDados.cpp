#include "lookups/ListaDados.h"

#include "common/UserInteraction.h"
#include "controls/FormatoNumero.h"

#include <QCollator>
#include <QDateTime>
#include <QLocale>
#include <QSettings>
#include <algorithm>
#include <numeric>

namespace {
const QString MarcaAsc = QStringLiteral(" (Asc.)");
const QString MarcaDes = QStringLiteral(" (Des.)");

QDate lerData(const QVariant& v) {
    if (v.metaType().id() == QMetaType::QDate)
        return v.toDate();
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime().date();
    const QString t = v.toString().trimmed();
    if (t.isEmpty())
        return {};
    for (const char* f : {"yyyy-MM-dd", "dd-MM-yyyy", "dd/MM/yyyy", "yyyy/MM/dd"}) {
        const QDate d = QDate::fromString(t.left(10), QLatin1String(f));
        if (d.isValid())
            return d;
    }
    return {};
}
} // namespace

QString textoOrdemNumero(const Currency& v) {
    // Offset binary: the smallest amount maps to 0, so equal-width digits sort by value.
    const uint64_t u = uint64_t(v.raw()) ^ (uint64_t(1) << 63);
    return QStringLiteral("%1").arg(u, 20, 10, QLatin1Char('0'));
}

QString textoOrdemData(const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("yyyyMMdd")) : QString(); }

ListaDados::ListaDados(const QString& nome, QObject* pai) : QObject(pai), m_nome(nome) {}

void ListaDados::setCasasDecimais(TipoDadoColuna tipo, int casas) {
    casas = std::clamp(casas, 0, 4);
    if (tipo == TipoDadoColuna::ValorQ)
        m_casasQuant = casas;
    else if (tipo == TipoDadoColuna::ValorP)
        m_casasPreco = casas;
    else
        m_casasValor = casas;
}

int ListaDados::casasDecimais(TipoDadoColuna tipo) const {
    if (tipo == TipoDadoColuna::ValorQ)
        return m_casasQuant;
    if (tipo == TipoDadoColuna::ValorP)
        return m_casasPreco;
    return m_casasValor;
}

void ListaDados::Cria_lvwLISTA(const QString& layout) {
    m_colunas = interpretarLayout(layout);
    m_largurasLayout.clear();
    for (const auto& c : m_colunas)
        m_largurasLayout.push_back(c.larguraTwips);
    m_linhas.clear();
    m_actual = -1;
    m_colunaOrdem = -1;
    m_descendente = false;
    emit estruturaMudou();
}

int ListaDados::colunaDaChave(const QString& chave) const {
    const QString k = chave.trimmed();
    if (k.isEmpty())
        return -1;
    for (int i = 0; i < numColunas(); ++i)
        if (m_colunas[size_t(i)].chave.compare(k, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString ListaDados::tituloColuna(int coluna) const {
    if (coluna < 0 || coluna >= numColunas())
        return {};
    QString t = m_colunas[size_t(coluna)].titulo;
    if (coluna == m_colunaOrdem)
        t += m_descendente ? MarcaDes : MarcaAsc;
    return t;
}

int ListaDados::larguraTwips(int coluna) const {
    return coluna >= 0 && coluna < numColunas() ? m_colunas[size_t(coluna)].larguraTwips : 0;
}

void ListaDados::setLarguraTwips(int coluna, int twips) {
    if (coluna < 0 || coluna >= numColunas() || twips < 0)
        return;
    if (m_colunas[size_t(coluna)].larguraTwips == twips)
        return;
    m_colunas[size_t(coluna)].larguraTwips = twips;
    emit larguraMudou(coluna);
}

void ListaDados::lvw_RepoeTamanhoColunas() {
    for (int i = 0; i < numColunas(); ++i)
        setLarguraTwips(i, m_largurasLayout[size_t(i)]);
}

void ListaDados::setComVistos(bool sim) {
    if (m_comVistos == sim)
        return;
    m_comVistos = sim;
    emit estruturaMudou();
}

int ListaDados::lvw_AddLinha() {
    const int n = numLinhas();
    emit linhasAntesInserir(n, n);
    Linha l;
    for (int i = 0; i < numColunas(); ++i) {
        l.textos << QString();
        l.ordens << QString();
    }
    m_linhas.push_back(std::move(l));
    emit linhasInseridas();
    return n;
}

void ListaDados::limparLinhas() {
    m_linhas.clear();
    m_actual = -1;
    emit linhasReordenadas();
}

bool ListaDados::lvw_DeleteLinha(int linha) {
    if (!linhaValida(linha))
        return false;
    emit linhasAntesRemover(linha, linha);
    m_linhas.erase(m_linhas.begin() + linha);
    if (m_actual == linha)
        m_actual = -1;
    else if (m_actual > linha)
        --m_actual;
    emit linhasRemovidas();
    return true;
}

void ListaDados::lvw_SelectLinha(int linha) {
    for (int i = 0; i < numLinhas(); ++i) {
        const bool sel = i == linha;
        if (m_linhas[size_t(i)].seleccionada != sel) {
            m_linhas[size_t(i)].seleccionada = sel;
            emit linhaMudou(i);
        }
    }
    const int antes = m_actual;
    m_actual = linhaValida(linha) ? linha : -1;
    if (antes != m_actual && m_actual >= 0)
        emit linhaMudou(m_actual);
}

bool ListaDados::seleccionada(int linha) const { return linhaValida(linha) && m_linhas[size_t(linha)].seleccionada; }

void ListaDados::setSeleccionada(int linha, bool sim) {
    if (!linhaValida(linha) || m_linhas[size_t(linha)].seleccionada == sim)
        return;
    m_linhas[size_t(linha)].seleccionada = sim;
    if (sim)
        m_actual = linha;
    else if (m_actual == linha)
        m_actual = -1;
    emit linhaMudou(linha);
}

std::vector<int> ListaDados::linhasSeleccionadas() const {
    std::vector<int> r;
    for (int i = 0; i < numLinhas(); ++i)
        if (m_linhas[size_t(i)].seleccionada)
            r.push_back(i);
    return r;
}

int ListaDados::colunaOuAvisa(const QString& chave, bool* companheira) const {
    *companheira = false;
    int c = colunaDaChave(chave);
    if (c < 0 && chave.endsWith(SufixoOrdem, Qt::CaseInsensitive)) {
        c = colunaDaChave(chave.left(chave.size() - SufixoOrdem.size()));
        if (c >= 0 && m_colunas[size_t(c)].tipada())
            *companheira = true;
        else
            c = -1;
    }
    if (c < 0 && m_ui)
        m_ui->mensagem(QStringLiteral("Campo não encontrado na Grelha -> ") + chave, UserInteraction::Icone::Critico);
    return c;
}

QString ListaDados::formatarNumero(const ColunaLayout& c, const Currency& v) const {
    return formatarNumeroPT(v, casasDecimais(c.tipo));
}

bool ListaDados::lvw_PutValue(int linha, const QString& chave, const QVariant& valor) {
    bool comp = false;
    const int c = colunaOuAvisa(chave, &comp);
    if (c < 0 || !linhaValida(linha) || comp)
        return false;
    const ColunaLayout& col = m_colunas[size_t(c)];
    const int tipoValor = valor.metaType().id();
    if (tipoValor == QMetaType::QDate || tipoValor == QMetaType::QDateTime)
        return lvw_PutValue(linha, chave, lerData(valor));
    if (col.tipo == TipoDadoColuna::Data) {
        const QDate d = lerData(valor);
        if (d.isValid())
            return lvw_PutValue(linha, chave, d);
    } else if (col.tipada()) {
        const int id = valor.metaType().id();
        std::optional<Currency> v;
        if (id == QMetaType::QString)
            v = lerNumeroPT(valor.toString());
        else if (valor.isValid() && !valor.isNull())
            v = Currency::fromVariant(valor);
        if (v)
            return lvw_PutValue(linha, chave, *v);
    }
    // Text, or a typed value that is empty or unreadable: kept as shown, with no sort value.
    Linha& l = m_linhas[size_t(linha)];
    l.textos[c] = valor.isNull() ? QString() : valor.toString();
    l.ordens[c] = QString();
    emit celulaMudou(linha, c);
    return true;
}

bool ListaDados::lvw_PutValue(int linha, const QString& chave, const Currency& valor) {
    bool comp = false;
    const int c = colunaOuAvisa(chave, &comp);
    if (c < 0 || !linhaValida(linha) || comp)
        return false;
    const ColunaLayout& col = m_colunas[size_t(c)];
    Linha& l = m_linhas[size_t(linha)];
    if (col.tipo == TipoDadoColuna::Texto || col.tipo == TipoDadoColuna::Data) {
        l.textos[c] = valor.toShortString();
        l.ordens[c] = QString();
    } else {
        l.textos[c] = formatarNumero(col, valor);
        l.ordens[c] = textoOrdemNumero(valor);
    }
    emit celulaMudou(linha, c);
    return true;
}

bool ListaDados::lvw_PutValue(int linha, const QString& chave, const QDate& valor) {
    bool comp = false;
    const int c = colunaOuAvisa(chave, &comp);
    if (c < 0 || !linhaValida(linha) || comp)
        return false;
    Linha& l = m_linhas[size_t(linha)];
    l.textos[c] = valor.isValid() ? valor.toString(QStringLiteral("dd-MM-yyyy")) : QString();
    l.ordens[c] = m_colunas[size_t(c)].tipo == TipoDadoColuna::Data ? textoOrdemData(valor) : QString();
    emit celulaMudou(linha, c);
    return true;
}

bool ListaDados::lvw_PutValue(int linha, const QString& chave, const QString& valor) {
    return lvw_PutValue(linha, chave, QVariant(valor));
}

QString ListaDados::lvw_GetValue(int linha, const QString& chave) const {
    bool comp = false;
    const int c = colunaOuAvisa(chave, &comp);
    if (c < 0 || !linhaValida(linha))
        return {};
    const Linha& l = m_linhas[size_t(linha)];
    return comp ? l.ordens[c] : l.textos[c];
}

std::optional<Currency> ListaDados::valorNumero(int linha, const QString& chave) const {
    bool comp = false;
    const int c = colunaOuAvisa(chave, &comp);
    if (c < 0 || !linhaValida(linha))
        return std::nullopt;
    const ColunaLayout& col = m_colunas[size_t(c)];
    const Linha& l = m_linhas[size_t(linha)];
    if (col.tipada() && col.tipo != TipoDadoColuna::Data) {
        if (l.ordens[c].isEmpty())
            return std::nullopt;
        bool ok = false;
        const uint64_t u = l.ordens[c].toULongLong(&ok);
        if (!ok)
            return std::nullopt;
        return Currency::fromRaw(int64_t(u ^ (uint64_t(1) << 63)));
    }
    return lerNumeroPT(l.textos[c]);
}

QDate ListaDados::valorData(int linha, const QString& chave) const {
    bool comp = false;
    const int c = colunaOuAvisa(chave, &comp);
    if (c < 0 || !linhaValida(linha))
        return {};
    const Linha& l = m_linhas[size_t(linha)];
    if (m_colunas[size_t(c)].tipo == TipoDadoColuna::Data && !l.ordens[c].isEmpty())
        return QDate::fromString(l.ordens[c], QStringLiteral("yyyyMMdd"));
    return QDate::fromString(l.textos[c], QStringLiteral("dd-MM-yyyy"));
}

QString ListaDados::texto(int linha, int coluna) const {
    if (!linhaValida(linha) || coluna < 0 || coluna >= numColunas())
        return {};
    return m_linhas[size_t(linha)].textos[coluna];
}

void ListaDados::setTexto(int linha, int coluna, const QString& texto) {
    if (!linhaValida(linha) || coluna < 0 || coluna >= numColunas())
        return;
    const QString chave = m_colunas[size_t(coluna)].chave;
    if (m_colunas[size_t(coluna)].tipada()) {
        // Typed cells keep their sort value in step with the text.
        lvw_PutValue(linha, chave, QVariant(texto));
        return;
    }
    m_linhas[size_t(linha)].textos[coluna] = texto;
    emit celulaMudou(linha, coluna);
}

QString ListaDados::textoOrdem(int linha, int coluna) const {
    if (!linhaValida(linha) || coluna < 0 || coluna >= numColunas())
        return {};
    return m_linhas[size_t(linha)].ordens[coluna];
}

void ListaDados::setTag(int linha, const QVariant& tag) {
    if (linhaValida(linha))
        m_linhas[size_t(linha)].tag = tag;
}

QVariant ListaDados::tag(int linha) const { return linhaValida(linha) ? m_linhas[size_t(linha)].tag : QVariant(); }

int ListaDados::linhaComTag(const QVariant& tag) const {
    for (size_t i = 0; i < m_linhas.size(); ++i)
        if (m_linhas[i].tag == tag)
            return int(i);
    return -1;
}

void ListaDados::setId(int linha, qint64 id) {
    if (linhaValida(linha))
        m_linhas[size_t(linha)].id = id;
}

qint64 ListaDados::id(int linha) const { return linhaValida(linha) ? m_linhas[size_t(linha)].id : 0; }

int ListaDados::linhaDoId(qint64 id) const {
    for (int i = 0; i < numLinhas(); ++i)
        if (m_linhas[size_t(i)].id == id)
            return i;
    return -1;
}

bool ListaDados::marcada(int linha) const { return linhaValida(linha) && m_linhas[size_t(linha)].marcada; }

void ListaDados::setMarcada(int linha, bool sim) {
    if (!linhaValida(linha) || m_linhas[size_t(linha)].marcada == sim)
        return;
    m_linhas[size_t(linha)].marcada = sim;
    emit linhaMudou(linha);
}

int ListaDados::lvw_ContaRegChecked() const {
    return int(std::count_if(m_linhas.begin(), m_linhas.end(), [](const Linha& l) { return l.marcada; }));
}

bool ListaDados::lvw_Ver_Se_Tudo_Select() const { return numLinhas() > 0 && lvw_ContaRegChecked() == numLinhas(); }

void ListaDados::lvw_LISTA_Inverte_Check() {
    for (int i = 0; i < numLinhas(); ++i)
        setMarcada(i, !m_linhas[size_t(i)].marcada);
}

void ListaDados::marcarTodas(bool sim) {
    for (int i = 0; i < numLinhas(); ++i)
        setMarcada(i, sim);
}

std::vector<int> ListaDados::linhasMarcadas() const {
    std::vector<int> r;
    for (int i = 0; i < numLinhas(); ++i)
        if (m_linhas[size_t(i)].marcada)
            r.push_back(i);
    return r;
}

void ListaDados::lvw_Lista_Cor_Registo(int linha, std::optional<quint32> corTexto, std::optional<quint32> corFundo) {
    if (!linhaValida(linha))
        return;
    m_linhas[size_t(linha)].corTexto = corTexto;
    m_linhas[size_t(linha)].corFundo = corFundo;
    emit linhaMudou(linha);
}

std::optional<quint32> ListaDados::corTexto(int linha) const {
    return linhaValida(linha) ? m_linhas[size_t(linha)].corTexto : std::nullopt;
}

std::optional<quint32> ListaDados::corFundo(int linha) const {
    return linhaValida(linha) ? m_linhas[size_t(linha)].corFundo : std::nullopt;
}

void ListaDados::setNegrito(int linha, bool sim) {
    if (!linhaValida(linha) || m_linhas[size_t(linha)].negrito == sim)
        return;
    m_linhas[size_t(linha)].negrito = sim;
    emit linhaMudou(linha);
}

bool ListaDados::negrito(int linha) const { return linhaValida(linha) && m_linhas[size_t(linha)].negrito; }

void ListaDados::OrdenaLista(int coluna) {
    if (coluna < 0 || coluna >= numColunas())
        return;
    const bool desc = coluna == m_colunaOrdem ? !m_descendente : false;
    ordenar(coluna, desc);
}

void ListaDados::ordenar(int coluna, bool descendente) {
    if (coluna < 0 || coluna >= numColunas())
        return;
    m_colunaOrdem = coluna;
    m_descendente = descendente;

    // Every typed column sorts on its companion, quantities and prices included.
    const bool porOrdem = m_colunas[size_t(coluna)].tipada();
    QCollator colador{QLocale(QLocale::Portuguese, QLocale::Portugal)};
    colador.setCaseSensitivity(Qt::CaseInsensitive);
    colador.setNumericMode(false);

    std::vector<int> idx(m_linhas.size());
    std::iota(idx.begin(), idx.end(), 0);
    std::stable_sort(idx.begin(), idx.end(), [&](int a, int b) {
        const Linha& la = m_linhas[size_t(a)];
        const Linha& lb = m_linhas[size_t(b)];
        int cmp = porOrdem ? QString::compare(la.ordens[coluna], lb.ordens[coluna])
                           : colador.compare(la.textos[coluna], lb.textos[coluna]);
        return descendente ? cmp > 0 : cmp < 0;
    });
    std::vector<Linha> novas;
    novas.reserve(m_linhas.size());
    int novaActual = -1;
    for (size_t i = 0; i < idx.size(); ++i) {
        if (idx[i] == m_actual)
            novaActual = int(i);
        novas.push_back(std::move(m_linhas[size_t(idx[i])]));
    }
    m_linhas = std::move(novas);
    m_actual = novaActual;
    emit linhasReordenadas();
    emit cabecalhoMudou();
}

void ListaDados::guardarLarguras(QSettings& s, const QString& seccao) const {
    s.beginGroup(seccao);
    for (int i = 0; i < numColunas(); ++i) {
        const int w = m_colunas[size_t(i)].larguraTwips;
        if (w > 0)
            s.setValue(QStringLiteral("%1_%2").arg(m_nome).arg(i + 1), w);
    }
    s.endGroup();
}

void ListaDados::reporLarguras(QSettings& s, const QString& seccao) {
    s.beginGroup(seccao);
    for (int i = 0; i < numColunas(); ++i) {
        // A column the program hides holds data, not something the user chose to see.
        if (m_largurasLayout[size_t(i)] <= 0)
            continue;
        const QString v = s.value(QStringLiteral("%1_%2").arg(m_nome).arg(i + 1)).toString().trimmed();
        bool ok = false;
        const int w = v.toInt(&ok);
        if (!v.isEmpty() && ok && w > 0)
            setLarguraTwips(i, w);
    }
    s.endGroup();
}

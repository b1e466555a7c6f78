#include "shell/SelEmpresa.h"

#include "common/UserInteraction.h"
#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "company/Ligacoes.h"
#include "db/EstadoBaseDados.h"
#include "db/TextoPesquisa.h"

#include <QRegularExpression>
#include <QSettings>
#include <QSqlRecord>
#include <algorithm>

namespace {

// A server that does not answer must not hold the list for the full connection time-out.
constexpr int TempoLigacaoLista = 5;

const QString ChaveOrdem = QStringLiteral("Config/ME_Empresas_SortKey");
const QString ChaveSentido = QStringLiteral("Config/ME_Empresas_SortOrder");
const QString ChaveAno = QStringLiteral("Config/ME_Ano");
const QString ChaveEmpresa = QStringLiteral("Config/ME_Empresa");

QString versaoPrograma() {
    return QStringLiteral("%1.%2.%3").arg(LUMO_VERSAO_MAJOR).arg(LUMO_VERSAO_MINOR).arg(LUMO_VERSAO_REVISAO);
}

QString primeiraLinha(const QString& texto) {
    const QString t = texto.trimmed();
    const qsizetype n = t.indexOf(u'\n');
    return (n < 0 ? t : t.left(n)).trimmed();
}

int comparar(const LinhaEmpresa& a, const LinhaEmpresa& b, int coluna) {
    switch (coluna) {
    case SelEmpresa::ColAno:
        return a.ano.trimmed().toInt() - b.ano.trimmed().toInt();
    case SelEmpresa::ColTamanho:
        return a.bytes < b.bytes ? -1 : (a.bytes > b.bytes ? 1 : 0);
    default:
        return semAcentos(a.texto(coluna)).compare(semAcentos(b.texto(coluna)), Qt::CaseInsensitive);
    }
}

} // namespace

const QString SelEmpresa::DescricaoColunas = QStringLiteral(
    "Código,700/Nome da Entidade,3540/Ano,600,C/Servidor,800,C/Login,0/Password,0/Autenticação,0,C/"
    "Versão,800,C/Tamanho,0,D/");

QString LinhaEmpresa::texto(int coluna) const {
    switch (coluna) {
    case SelEmpresa::ColCodigo:
        return codigo;
    case SelEmpresa::ColNome:
        return nome;
    case SelEmpresa::ColAno:
        return ano;
    // The default folder is the same on every workstation of the user; its path says nothing.
    case SelEmpresa::ColServidor:
        return servidor.local ? QStringLiteral("Local") : servidor.servidor;
    case SelEmpresa::ColLogin:
        return servidor.login;
    case SelEmpresa::ColPassword:
        return servidor.passwordCifrada;
    case SelEmpresa::ColAutenticacao:
        return servidor.autenticacao;
    case SelEmpresa::ColVersao:
        return SelEmpresa::versaoLegivel(versao);
    case SelEmpresa::ColTamanho:
        return tamanho;
    default:
        return {};
    }
}

SelEmpresa::SelEmpresa(GlobalContext& ctx, UserInteraction& ui, ServidoresConhecidos& servidores,
                       const QString& ficheiroDefinicoes)
    : m_ctx(ctx), m_ui(ui), m_servidores(servidores), m_definicoes(abrirDefinicoes(ficheiroDefinicoes)) {}

SelEmpresa::~SelEmpresa() = default;

QString SelEmpresa::versaoLegivel(const QString& versao) {
    static const QRegularExpression re(QStringLiteral("^(\\d{4})(\\d{4})(\\d{4})$"));
    const auto m = re.match(versao.trimmed());
    if (!m.hasMatch())
        return versao;
    return QStringLiteral("%1.%2.%3")
        .arg(m.captured(1).toInt())
        .arg(m.captured(2).toInt())
        .arg(m.captured(3).toInt());
}

void SelEmpresa::Form_Load() {
    // Coming back from the login window: the previous company is closed before another is chosen.
    FechaLigacoes(m_ctx);
    m_colunaOrdem = std::clamp(m_definicoes->value(ChaveOrdem, int(ColCodigo)).toInt(), 0, NumColunas - 1);
    m_descendente = m_definicoes->value(ChaveSentido, 0).toInt() == 1;
    m_filtroAno = m_definicoes->value(ChaveAno).toString();
    m_filtroNome = m_definicoes->value(ChaveEmpresa).toString();
    cmdFiltrar();
}

void SelEmpresa::Form_Unload() {
    m_definicoes->setValue(ChaveOrdem, m_colunaOrdem);
    m_definicoes->setValue(ChaveSentido, m_descendente ? 1 : 0);
    m_definicoes->setValue(ChaveAno, m_filtroAno);
    m_definicoes->setValue(ChaveEmpresa, m_filtroNome);
    m_definicoes->sync();
}

void SelEmpresa::cmdFiltrar() {
    m_todas.clear();
    m_falhas.clear();
    for (const ServidorConhecido& s : m_servidores.todos()) {
        auto p = m_servidores.ligacao(s);
        if (!p) {
            m_falhas << FalhaServidor{s.servidor, p.mensagem()};
            continue;
        }
        p->tempoLigacao = TempoLigacaoLista;
        const Resultado<QList<EmpresaInfo>> lidas = listarEmpresas(*p);
        if (!lidas && !lidas.mensagem().isEmpty())
            m_falhas << FalhaServidor{s.servidor, primeiraLinha(lidas.mensagem())};
        if (!lidas || lidas->isEmpty())
            continue;
        const QList<EmpresaInfo>& empresas = *lidas;
        const QHash<QString, EstadoBaseDados> estados = estadoBasesDados(*p);
        for (const EmpresaInfo& e : empresas) {
            const EstadoBaseDados estado = estados.value(nomeBaseDadosEmpresa(e.codigo));
            LinhaEmpresa l;
            l.codigo = e.codigo;
            l.ano = e.ano;
            l.servidor = s;
            l.versao = e.versao;
            l.acessivel = e.acessivel;
            l.desligada = estado.desligada;
            l.soLeitura = estado.soLeitura;
            l.bytes = estado.bytes;
            l.tamanho = VerTamanhoDB(estado.bytes);
            if (l.desligada)
                l.nome = QStringLiteral("Desligada");
            else
                l.nome = e.nome + (l.soLeitura ? QStringLiteral(" - (Só Leitura)") : QString());
            m_todas << l;
        }
    }
    aplicarFiltros();
}

void SelEmpresa::definirFiltros(const QString& ano, const QString& nome) {
    m_filtroAno = ano.trimmed();
    m_filtroNome = nome;
    aplicarFiltros();
}

void SelEmpresa::ordenarPor(int coluna) {
    if (coluna < 0 || coluna >= NumColunas)
        return;
    m_descendente = coluna == m_colunaOrdem ? !m_descendente : false;
    m_colunaOrdem = coluna;
    aplicarFiltros();
}

bool SelEmpresa::passaFiltros(const LinhaEmpresa& e) const {
    if (!m_filtroAno.isEmpty()) {
        bool okFiltro = false, okAno = false;
        const int filtro = m_filtroAno.toInt(&okFiltro);
        const int ano = e.ano.trimmed().toInt(&okAno);
        if (!okFiltro || !okAno || filtro != ano)
            return false;
    }
    const QString nome = m_filtroNome.trimmed();
    return nome.isEmpty() || semAcentos(e.nome).contains(semAcentos(nome), Qt::CaseInsensitive);
}

void SelEmpresa::aplicarFiltros() {
    m_linhas.clear();
    for (const LinhaEmpresa& e : m_todas)
        if (passaFiltros(e))
            m_linhas << e;
    std::stable_sort(m_linhas.begin(), m_linhas.end(), [this](const LinhaEmpresa& a, const LinhaEmpresa& b) {
        int c = comparar(a, b, m_colunaOrdem);
        if (c == 0)
            c = comparar(a, b, ColCodigo);
        if (c == 0)
            c = comparar(a, b, ColServidor);
        return m_descendente ? c > 0 : c < 0;
    });
}

int SelEmpresa::mostrar(const LinhaEmpresa& e) {
    auto procurar = [&] {
        for (int i = 0; i < m_linhas.size(); ++i)
            if (m_linhas.at(i).codigo == e.codigo && m_linhas.at(i).servidor.servidor == e.servidor.servidor)
                return i;
        return -1;
    };
    int i = procurar();
    if (i < 0) {
        m_filtroAno.clear();
        m_filtroNome.clear();
        aplicarFiltros();
        i = procurar();
    }
    return i;
}

QString SelEmpresa::lblVersao() const {
    // The suite's updater that announced newer versions is not part of this program.
    return QStringLiteral("Versão Actual [") + versaoPrograma() + QStringLiteral("]");
}

QString SelEmpresa::estado() const {
    QStringList partes;
    for (const FalhaServidor& f : m_falhas)
        partes << QStringLiteral("Sem ligação a %1: %2").arg(f.servidor, f.motivo);
    if (!partes.isEmpty())
        return partes.join(QStringLiteral("  |  "));
    if (m_todas.isEmpty())
        return QStringLiteral("Não foram encontradas empresas nos servidores conhecidos.");
    return m_linhas.size() == 1 ? QStringLiteral("1 empresa")
                                : QStringLiteral("%1 empresas").arg(m_linhas.size());
}

bool SelEmpresa::VerificaVersaoBD(const QString& versaoBD) {
    const QString programa = versaoBaseDados();
    const QString bd = versaoBD.trimmed();
    if (bd == programa)
        return true;
    const QString versoes = QStringLiteral("A Versão deste Aplicativo é [") + versaoPrograma() +
                            QStringLiteral("].\r\nA Versão da Base de Dados é [") +
                            (bd.isEmpty() ? QStringLiteral("desconhecida") : versaoLegivel(bd)) +
                            QStringLiteral("].");
    // Versions are twelve digits, so comparing them as text orders them.
    if (bd > programa)
        m_ui.mensagem(QStringLiteral("A Versão do Aplicativo Encontra-se Desactualizada!\r\n\r\n") + versoes +
                          QStringLiteral("\r\n\r\nInstale a versão mais recente do WLumoProd antes de "
                                         "entrar nesta Empresa."),
                      UserInteraction::Icone::Critico, TituloAtencao);
    else
        m_ui.mensagem(
            QStringLiteral("A Versão do Aplicativo Requer que seja efectuada a Actualização de Base "
                           "de Dados!\r\n\r\n") +
                versoes +
                QStringLiteral("\r\n\r\nRecomendamos que Actualize Todas as Bases de Dados:\r\n"
                               "programa de manutenção das bases de dados LumoGest."),
            UserInteraction::Icone::Critico, TituloAtencao);
    return false;
}

bool SelEmpresa::VerificaComponentes(bool mensagemSucesso) {
    return ::VerificaComponentes(m_ui, componentesNecessarios(m_impressaoDisponivel, m_ficheiroChave),
                                 mensagemSucesso);
}

bool SelEmpresa::cmdOk(int linha) {
    if (linha < 0 || linha >= m_linhas.size())
        return false;
    const LinhaEmpresa e = m_linhas.at(linha);
    auto falha = [this](const QString& texto) {
        m_ui.mensagem(texto, UserInteraction::Icone::Critico, TituloAtencao);
        return false;
    };
    const auto servidor = m_servidores.ligacao(e.servidor);
    if (!servidor)
        return falha(servidor.mensagem());

    // The checks read the database through a connection of their own, before anything is
    // written to it: the schema update of the opening must never touch a database of another
    // version or one that was not converted.
    {
        ConnectionParams p = ligacaoEmpresa(*servidor, e.codigo);
        const auto aberta = Database::open(p);
        if (!aberta)
            return falha(QStringLiteral("Não foi possível abrir a Empresa %1:\r\n%2")
                             .arg(e.codigo, primeiraLinha(aberta.mensagem())));
        const std::shared_ptr<Database>& db = *aberta;
        const QVariant versao = db->scalar(
            QStringLiteral("SELECT versao FROM Actualiza ORDER BY NumRegisto") + db->dialect().limite(1));
        if (!VerificaVersaoBD(versao.toString()))
            return false;
        auto q = db->query(QStringLiteral("SELECT * FROM ParamGeral ORDER BY NumRegisto") +
                           db->dialect().limite(1));
        if (!q || !q->next())
            return falha(QStringLiteral("Empresa não está devidamente configurada!"));
        const int coluna = q->record().indexOf(QStringLiteral("ConverteuNVARCHAR"));
        // Databases older than the column count as converted (the listing adds it with 1).
        if (coluna >= 0 && !q->value(coluna).isNull() && q->value(coluna).toInt() == 0)
            return falha(QStringLiteral("Não pode entrar nesta Empresa porque ainda não foi convertida!"));
    }

    if (auto r = abrirEmpresa(m_ctx, *servidor, e.codigo); !r)
        return falha(primeiraLinha(r.mensagem()));
    VerificaComponentes(false);
    return true;
}

#include "company/Empresas.h"

#include "db/AdminServidor.h"
#include "company/GlobalContext.h"
#include "company/Ligacoes.h"
#include "common/PasswordHash.h"
#include "db/esquema/Esquema.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

const QRegularExpression& padraoCodigo() {
    static const QRegularExpression re(QStringLiteral("^[A-Za-z0-9]{4}$"));
    return re;
}

bool falhar(QString* erro, const QString& texto) {
    if (erro)
        *erro = texto;
    return false;
}

bool inserir(Database& db, const QString& tabela, const Registo& r, QString* erro) {
    if (db.insert(tabela, r.colunas, r.valores) > 0)
        return true;
    return falhar(erro, QStringLiteral("Erro ao gravar em %1: %2").arg(tabela, db.lastError()));
}

bool preencherParamGeral(Database& db, const NovaEmpresa& nova, const QString& mes, QString* erro) {
    Registo r;
    r("NomeEmpresa", nova.nome)("ano", QString::number(nova.ano))("AnoCalculo", QString::number(nova.ano))(
        "mes", mes)("cambiodef", "1")("cambioeuro", "1")("registosVisualizar", 1000)("casadec", 2)(
        "casadecpreco", 2)("casadecquant", 2)("casadecquantOutUni", 2)("ActualizaUPC", 1)("zerarclientes", 0)(
        "zerarfornece", 0)("zerarproduto", 0)("ControlaProdutoFornecedor", 0);
    const QStringList dez{"valor",  "iva",      "desc",      "merlin",   "desclin",
                          "ivalin", "mergeral", "descgeral", "ivageral", "totalgeral"};
    for (const QString& s : dez) {
        r(QStringLiteral("cliarre") + s, 1)(QStringLiteral("clidec") + s, 2);
        r(QStringLiteral("forarre") + s, 1)(QStringLiteral("fordec") + s, 2);
    }
    for (const char* s : {"mergeral", "descgeral", "ivageral", "totalgeral"})
        r(QStringLiteral("caiarre") + QLatin1String(s), 1)(QStringLiteral("caidec") + QLatin1String(s), 2);
    r("banarre", 1)("bandec", 2)("taxajuromora", "0")("impostoselo", "0")("LimiteRecapitulativos", "0");
    r("MensagCli", "0")("Mensagfor", "0")("Mensagpro", "0")("MensagproPMC", "0")("controlaquant", "0");
    r("controlaQuant_Diversos", 0)("controlaQuant_Servicos", 0)("controlaQuant_Portes", 0)("docaberto", "0");
    r("clidiversos", "")("forndiversos", "")("proddiversos", "")("proddiversos2", "");
    r("controlaano", "0")("controlames", "0")("DataEmAberto", "")("LancaMesSeguinte", "0");
    r("GridLine", 0)("ContinuaAdicionar", 0)("prontovestir", 0)("Lotes", 0);
    r("NomeEstacao", "Estação")("NomeSexo", "Sexo")("NomeReferencia", "Referência")("NomeModelo", "Modelo");
    r("NomeCor", "Cor")("NomeTamanho", "Tamanho")("NomeComprimento", "Comprimento")("ImpCabecalhos", "1");
    r("ConverteuNVARCHAR", 1)("PMCArmazem", 0)("FormulaPrecoMedioCusto", 1)("PrecoTranfAcertos", 0);
    return inserir(db, QStringLiteral("ParamGeral"), r, erro);
}

bool preencherBase(Database& db, const NovaEmpresa& nova, QString* erro) {
    const QString hoje = db.scalar(QStringLiteral("SELECT ") + db.dialect().hojeTexto()).toString();
    if (hoje.size() < 7)
        return falhar(erro,
                      QStringLiteral("Não foi possível ler a data do servidor: %1").arg(db.lastError()));
    const QString mes = hoje.mid(5, 2);

    if (!preencherParamGeral(db, nova, mes, erro))
        return false;
    if (!inserir(db, QStringLiteral("paramgeral_OutrosDados"),
                 Registo()("Pwd_Expira", 0)("Pwd_ExpiraObriga", 0)("Pwd_CompMin", 6)("Pwd_NumMai", 0)(
                     "Pwd_NumMin", 0)("Pwd_NumNum", 0)("Pwd_NumEsp", 0)("OC50001_NaoAltDescricaoProduto", 0)(
                     "OC50001_NaoAltDescricaoProdutoDIV", 0),
                 erro))
        return false;
    if (!inserir(db, QStringLiteral("configProd"),
                 Registo()("TipoSaida", "")("Tipoent", "")("Tiporet", "")("TipoRef", "")(
                     "Processo_TipoSaida", "")("Processo_TipoRet", "")("Fornece", "")("cliente", "")(
                     "UltLote", "0000000000")("CasasDec", 2)("Precario", "PrecoMedioCusto"),
                 erro))
        return false;
    if (!inserir(db, QStringLiteral("Actualiza"), Registo()("versao", versaoBaseDados())("ConvPwd", 1), erro))
        return false;
    if (!inserir(db, QStringLiteral("LockPro"), Registo()("Tmp", 0), erro))
        return false;
    if (!inserir(
            db, QStringLiteral("Armazens"),
            Registo()("codigo", "001")("Descricao", "Armazém Geral")("linha1", nova.nome)("linha2", "")(
                "linha3", "")("linha4", "")("linha5", "")("linha6", "")("linha7", "")("ControlaAno", "0")(
                "Ano", QString::number(nova.ano))("ControlaMes", "0")("Mes", mes)("IgnoraCtrlExistencia", 0),
            erro))
        return false;
    if (!inserir(db, QStringLiteral("Localizacao"), Registo()("Codigo", "00001")("Descricao", "Geral"), erro))
        return false;
    if (!inserir(db, QStringLiteral("Caixas"), Registo()("Codigo", "01")("Descricao", "Caixa Geral"), erro))
        return false;
    if (!inserir(db, QStringLiteral("Cambios"),
                 Registo()("Codigo", "EUR")("Abreviatura", "EUR")("Valor", "1")("Simbolo", "€"), erro))
        return false;
    return inserirUtilizador(db, QStringLiteral("01"), QStringLiteral("Supervisor"), nova.passwordSupervisor,
                             QStringLiteral("001"), erro);
}

} // namespace

bool inserirUtilizador(Database& db, const QString& codigo, const QString& login, const QString& password,
                       const QString& armazem, QString* erro) {
    const QString hash = hashPassword(password);
    if (hash.isEmpty())
        return falhar(erro,
                      QStringLiteral("Não foi possível proteger a password do utilizador %1.").arg(login));
    const QVariant agora = db.scalar(QStringLiteral("SELECT ") + db.dialect().agora());
    if (!inserir(db, QStringLiteral("Utilizador"),
                 Registo()("Codigo", codigo)("Login", login)("Password", hash)("ValidaInterno", 1)(
                     "AlteraPassword", 1)("LastDtAlteraPass", agora)("DataSys", agora)("Contactos",
                                                                                       "")("ExcluiPesq", 0),
                 erro))
        return false;
    return inserir(db, QStringLiteral("UtilConfGeral"),
                   Registo()("utilizador", codigo)("armazem", armazem)("caixa", "01")("tipofac", "")(
                       "ActivaLogGeral", 1)("AltArmazem", 1)("ArmazensAcessos", "")("ArmazensAcessosTRA", ""),
                   erro);
}

bool codigoEmpresaValido(const QString& codigo) {
    return padraoCodigo().match(codigo).hasMatch();
}

QString nomeBaseDadosEmpresa(const QString& codigo) {
    return QString::fromLatin1(PrefixoEmpresa) + codigo;
}

QString versaoBaseDados() {
    return QStringLiteral("%1%2%3")
        .arg(LUMO_VERSAO_MAJOR, 4, 10, QLatin1Char('0'))
        .arg(LUMO_VERSAO_MINOR, 4, 10, QLatin1Char('0'))
        .arg(LUMO_VERSAO_REVISAO, 4, 10, QLatin1Char('0'));
}

ConnectionParams ligacaoEmpresa(const ConnectionParams& servidor, const QString& codigo) {
    ConnectionParams p = servidor;
    p.baseDados = nomeBaseDadosEmpresa(codigo);
    return p;
}

bool criarEmpresa(const ConnectionParams& servidor, const NovaEmpresa& nova, QString* erro,
                  const PreenchimentoEmpresa& extra) {
    if (!codigoEmpresaValido(nova.codigo))
        return falhar(erro, QStringLiteral("O código da empresa deve ter 4 letras ou algarismos."));
    if (nova.nome.trimmed().isEmpty())
        return falhar(erro, QStringLiteral("Falta o nome da empresa."));
    if (nova.ano < 1000 || nova.ano > 9999)
        return falhar(erro, QStringLiteral("O ano deve ter 4 algarismos."));
    const QString nomeBD = nomeBaseDadosEmpresa(nova.codigo);
    if (AdminServidor::existeBaseDados(servidor, nomeBD))
        return falhar(erro, QStringLiteral("A empresa %1 já existe.").arg(nova.codigo));
    QString motivo;
    if (!AdminServidor::criarBaseDados(servidor, nomeBD, &motivo))
        return falhar(erro,
                      QStringLiteral("Não foi possível criar a base de dados %1: %2").arg(nomeBD, motivo));

    bool ok = false;
    {
        auto db = Database::open(ligacaoEmpresa(servidor, nova.codigo), &motivo);
        if (db && aplicarEsquemaEmpresa(*db, &motivo)) {
            Transaction tr(*db);
            ok = tr.ok() && preencherBase(*db, nova, &motivo) && (!extra || extra(*db, &motivo));
            if (ok && !tr.commit()) {
                ok = false;
                motivo = db->lastError();
            }
        }
        if (db)
            db->close();
    }
    if (!ok) {
        // A half-made company must not show up in the list.
        AdminServidor::apagarBaseDados(servidor, nomeBD);
        return falhar(erro,
                      QStringLiteral("Não foi possível criar a empresa %1: %2").arg(nova.codigo, motivo));
    }
    return true;
}

bool abrirEmpresa(GlobalContext& ctx, const ConnectionParams& servidor, const QString& codigo, QString* erro) {
    if (!codigoEmpresaValido(codigo))
        return falhar(erro, QStringLiteral("O código da empresa deve ter 4 letras ou algarismos."));
    ConnectionParams p = ligacaoEmpresa(servidor, codigo);
    p.tempoLigacao = 60;
    p.tempoComando = 120;
    QString motivo;
    auto db = Database::open(p, &motivo);
    if (!db)
        return falhar(erro, QStringLiteral("Não foi possível abrir a empresa %1: %2").arg(codigo, motivo));
    if (!aplicarEsquemaEmpresa(*db, &motivo))
        return falhar(erro, QStringLiteral("Não foi possível actualizar a empresa %1: %2").arg(codigo, motivo));
    ctx.LigacaoEmpresa = db;
    ctx.CodigoEmpresa = codigo;
    ctx.NomeEmpresa = db->scalar(QStringLiteral("SELECT NomeEmpresa FROM ParamGeral")).toString();
    ctx.Servidor = textoServidor(servidor);
    ctx.LoginSQL = servidor.login;
    ctx.PasswordSQL = servidor.password;
    ctx.TipoAutenticacao = servidor.autenticacao.isEmpty() ? QStringLiteral("SQL") : servidor.autenticacao.toUpper();
    return true;
}

bool criarEmpresa(const ConnectionParams& servidor, const QString& codigo, const QString& nome, int ano,
                  QString* erro) {
    NovaEmpresa n;
    n.codigo = codigo;
    n.nome = nome.trimmed();
    n.ano = ano;
    return criarEmpresa(servidor, n, erro);
}

namespace {

void lerEmpresa(Database& db, EmpresaInfo& e) {
    const Dialect& d = db.dialect();
    if (!d.existeCampo(db, QStringLiteral("ParamGeral"), QStringLiteral("ConverteuNVARCHAR"))) {
        // Databases older than this column count as converted.
        if (db.exec(QStringLiteral("ALTER TABLE ParamGeral ADD ConverteuNVARCHAR ") +
                    d.tipoColuna(smallint(QStringLiteral("ConverteuNVARCHAR")))))
            db.exec(
                QStringLiteral("UPDATE ParamGeral SET ConverteuNVARCHAR=1 WHERE ConverteuNVARCHAR IS NULL"));
    }
    auto q = db.query(
        QStringLiteral("SELECT NomeEmpresa, ano, ConverteuNVARCHAR FROM ParamGeral ORDER BY NumRegisto") +
        d.limite(1));
    if (!q)
        return;
    if (q->next()) {
        e.nome = q->value(0).toString();
        e.ano = q->value(1).toString();
        e.converteuNVARCHAR = q->value(2).isNull() ? 1 : q->value(2).toInt();
    }
    if (e.nome.trimmed().isEmpty()) {
        // The name of a company that has none is its first warehouse's heading, kept from then on.
        const QString linha1 =
            db.scalar(QStringLiteral("SELECT linha1 FROM Armazens WHERE linha1<>'' ORDER BY codigo") +
                      d.limite(1))
                .toString();
        if (!linha1.isEmpty()) {
            e.nome = linha1;
            db.exec(QStringLiteral(
                        "UPDATE ParamGeral SET NomeEmpresa=? WHERE NomeEmpresa='' OR NomeEmpresa IS NULL"),
                    {linha1});
        }
    }
    bool ok = false;
    const QVariant v =
        db.scalar(QStringLiteral("SELECT versao FROM Actualiza ORDER BY NumRegisto") + d.limite(1), {}, &ok);
    if (ok && v.isValid())
        e.versao = v.toString();
    e.acessivel = true;
}

} // namespace

QList<EmpresaInfo> listarEmpresas(const ConnectionParams& servidor, QString* erro) {
    static const QRegularExpression re(
        QStringLiteral("^%1([A-Za-z0-9]{4})$").arg(QString::fromLatin1(PrefixoEmpresa)));
    QList<EmpresaInfo> r;
    QStringList nomes = AdminServidor::basesDados(servidor, erro);
    std::sort(nomes.begin(), nomes.end());
    for (const QString& nome : nomes) {
        const auto m = re.match(nome);
        if (!m.hasMatch())
            continue;
        EmpresaInfo e;
        e.codigo = m.captured(1);
        e.servidor = textoServidor(servidor);
        e.versao = QStringLiteral("====");
        if (auto db = Database::open(ligacaoEmpresa(servidor, e.codigo))) {
            lerEmpresa(*db, e);
            db->close();
        }
        if (!e.acessivel && e.nome.isEmpty())
            e.nome = QStringLiteral("Base de Dados - (%1)").arg(nome);
        r << e;
    }
    return r;
}

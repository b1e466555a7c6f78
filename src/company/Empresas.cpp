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

Resultado<> inserir(Database& db, const QString& tabela, const Registo& r) {
    if (db.insert(tabela, r.colunas, r.valores) > 0)
        return {};
    return Falha(QStringLiteral("Erro ao gravar em %1: %2").arg(tabela, db.lastError()));
}

Resultado<> preencherParamGeral(Database& db, const NovaEmpresa& nova, const QString& mes) {
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
    return inserir(db, QStringLiteral("ParamGeral"), r);
}

Resultado<> preencherBase(Database& db, const NovaEmpresa& nova) {
    const QString hoje = db.scalar(QStringLiteral("SELECT ") + db.dialect().hojeTexto()).toString();
    if (hoje.size() < 7)
        return Falha(QStringLiteral("Não foi possível ler a data do servidor: %1").arg(db.lastError()));
    const QString mes = hoje.mid(5, 2);

    if (auto r = preencherParamGeral(db, nova, mes); !r)
        return r;
    const std::pair<QString, Registo> linhas[] = {
        {QStringLiteral("paramgeral_OutrosDados"),
         Registo()("Pwd_Expira", 0)("Pwd_ExpiraObriga", 0)("Pwd_CompMin", 6)("Pwd_NumMai", 0)(
             "Pwd_NumMin", 0)("Pwd_NumNum", 0)("Pwd_NumEsp", 0)("OC50001_NaoAltDescricaoProduto",
                                                                0)("OC50001_NaoAltDescricaoProdutoDIV", 0)},
        {QStringLiteral("configProd"),
         Registo()("TipoSaida", "")("Tipoent", "")("Tiporet", "")("TipoRef", "")("Processo_TipoSaida", "")(
             "Processo_TipoRet", "")("Fornece", "")("cliente", "")("UltLote", "0000000000")("CasasDec", 2)(
             "Precario", "PrecoMedioCusto")},
        {QStringLiteral("Actualiza"), Registo()("versao", versaoBaseDados())("ConvPwd", 1)},
        {QStringLiteral("LockPro"), Registo()("Tmp", 0)},
        {QStringLiteral("Armazens"),
         Registo()("codigo", "001")("Descricao", "Armazém Geral")("linha1", nova.nome)("linha2", "")(
             "linha3", "")("linha4", "")("linha5", "")("linha6", "")("linha7", "")("ControlaAno", "0")(
             "Ano", QString::number(nova.ano))("ControlaMes", "0")("Mes", mes)("IgnoraCtrlExistencia", 0)},
        {QStringLiteral("Localizacao"), Registo()("Codigo", "00001")("Descricao", "Geral")},
        {QStringLiteral("Caixas"), Registo()("Codigo", "01")("Descricao", "Caixa Geral")},
        {QStringLiteral("Cambios"),
         Registo()("Codigo", "EUR")("Abreviatura", "EUR")("Valor", "1")("Simbolo", "€")},
    };
    for (const auto& [tabela, registo] : linhas)
        if (auto r = inserir(db, tabela, registo); !r)
            return r;
    return inserirUtilizador(db, QStringLiteral("01"), QStringLiteral("Supervisor"), nova.passwordSupervisor,
                             QStringLiteral("001"));
}

} // namespace

Resultado<> inserirUtilizador(Database& db, const QString& codigo, const QString& login,
                              const QString& password, const QString& armazem) {
    const QString hash = hashPassword(password);
    if (hash.isEmpty())
        return Falha(QStringLiteral("Não foi possível proteger a password do utilizador %1.").arg(login));
    const QVariant agora = db.scalar(QStringLiteral("SELECT ") + db.dialect().agora());
    if (auto r = inserir(db, QStringLiteral("Utilizador"),
                         Registo()("Codigo", codigo)("Login", login)("Password", hash)("ValidaInterno", 1)(
                             "AlteraPassword", 1)("LastDtAlteraPass",
                                                  agora)("DataSys", agora)("Contactos", "")("ExcluiPesq", 0));
        !r)
        return r;
    return inserir(
        db, QStringLiteral("UtilConfGeral"),
        Registo()("utilizador", codigo)("armazem", armazem)("caixa", "01")("tipofac", "")(
            "ActivaLogGeral", 1)("AltArmazem", 1)("ArmazensAcessos", "")("ArmazensAcessosTRA", ""));
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

namespace {

// The new company's database filled: schema, base rows and the caller's extra, in one transaction.
Resultado<> preencherEmpresa(Database& db, const NovaEmpresa& nova, const PreenchimentoEmpresa& extra) {
    if (auto r = aplicarEsquemaEmpresa(db); !r)
        return r;
    Transaction tr(db);
    if (!tr.ok())
        return Falha();
    if (auto r = preencherBase(db, nova); !r)
        return r;
    if (extra)
        if (auto r = extra(db); !r)
            return r;
    if (!tr.commit())
        return Falha(db.lastError());
    return {};
}

} // namespace

Resultado<> criarEmpresa(const ConnectionParams& servidor, const NovaEmpresa& nova,
                         const PreenchimentoEmpresa& extra) {
    if (!codigoEmpresaValido(nova.codigo))
        return Falha(QStringLiteral("O código da empresa deve ter 4 letras ou algarismos."));
    if (nova.nome.trimmed().isEmpty())
        return Falha(QStringLiteral("Falta o nome da empresa."));
    if (nova.ano < 1000 || nova.ano > 9999)
        return Falha(QStringLiteral("O ano deve ter 4 algarismos."));
    const QString nomeBD = nomeBaseDadosEmpresa(nova.codigo);
    if (AdminServidor::existeBaseDados(servidor, nomeBD))
        return Falha(QStringLiteral("A empresa %1 já existe.").arg(nova.codigo));
    if (auto r = AdminServidor::criarBaseDados(servidor, nomeBD); !r)
        return Falha(
            QStringLiteral("Não foi possível criar a base de dados %1: %2").arg(nomeBD, r.mensagem()));

    Resultado<> feita;
    {
        const auto db = Database::open(ligacaoEmpresa(servidor, nova.codigo));
        if (db) {
            feita = preencherEmpresa(**db, nova, extra);
            (*db)->close();
        } else {
            feita = db.falha();
        }
    }
    if (!feita) {
        // A half-made company must not show up in the list; what is left of it cannot be helped here.
        (void)AdminServidor::apagarBaseDados(servidor, nomeBD);
        return Falha(
            QStringLiteral("Não foi possível criar a empresa %1: %2").arg(nova.codigo, feita.mensagem()));
    }
    return {};
}

Resultado<> abrirEmpresa(GlobalContext& ctx, const ConnectionParams& servidor, const QString& codigo) {
    if (!codigoEmpresaValido(codigo))
        return Falha(QStringLiteral("O código da empresa deve ter 4 letras ou algarismos."));
    ConnectionParams p = ligacaoEmpresa(servidor, codigo);
    p.tempoLigacao = 60;
    p.tempoComando = 120;
    const auto aberta = Database::open(p);
    if (!aberta)
        return Falha(
            QStringLiteral("Não foi possível abrir a empresa %1: %2").arg(codigo, aberta.mensagem()));
    const std::shared_ptr<Database>& db = *aberta;
    if (auto r = aplicarEsquemaEmpresa(*db); !r)
        return Falha(
            QStringLiteral("Não foi possível actualizar a empresa %1: %2").arg(codigo, r.mensagem()));
    ctx.LigacaoEmpresa = db;
    ctx.CodigoEmpresa = codigo;
    ctx.NomeEmpresa = db->scalar(QStringLiteral("SELECT NomeEmpresa FROM ParamGeral")).toString();
    ctx.Servidor = textoServidor(servidor);
    ctx.LoginSQL = servidor.login;
    ctx.PasswordSQL = servidor.password;
    ctx.TipoAutenticacao = servidor.autenticacao.isEmpty() ? QStringLiteral("SQL") : servidor.autenticacao.toUpper();
    return {};
}

Resultado<> criarEmpresa(const ConnectionParams& servidor, const QString& codigo, const QString& nome,
                         int ano) {
    NovaEmpresa n;
    n.codigo = codigo;
    n.nome = nome.trimmed();
    n.ano = ano;
    return criarEmpresa(servidor, n);
}

namespace {

void lerEmpresa(Database& db, EmpresaInfo& e) {
    const Dialect& d = db.dialect();
    if (!d.existeCampo(db, QStringLiteral("ParamGeral"), QStringLiteral("ConverteuNVARCHAR"))) {
        // Databases older than this column count as converted; left null, it is read as 1 all the same.
        if (db.exec(QStringLiteral("ALTER TABLE ParamGeral ADD ConverteuNVARCHAR ") +
                    d.tipoColuna(smallint(QStringLiteral("ConverteuNVARCHAR")))))
            (void)db.exec(
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
            (void)db.exec(
                QStringLiteral(
                    "UPDATE ParamGeral SET NomeEmpresa=? WHERE NomeEmpresa='' OR NomeEmpresa IS NULL"),
                {linha1});
        }
    }
    const Resultado<QVariant> v =
        db.lerValor(QStringLiteral("SELECT versao FROM Actualiza ORDER BY NumRegisto") + d.limite(1));
    if (v && v->isValid())
        e.versao = v->toString();
    e.acessivel = true;
}

} // namespace

Resultado<QList<EmpresaInfo>> listarEmpresas(const ConnectionParams& servidor) {
    static const QRegularExpression re(
        QStringLiteral("^%1([A-Za-z0-9]{4})$").arg(QString::fromLatin1(PrefixoEmpresa)));
    QList<EmpresaInfo> r;
    const Resultado<QStringList> lidos = AdminServidor::basesDados(servidor);
    if (!lidos)
        return lidos.falha();
    QStringList nomes = *lidos;
    std::sort(nomes.begin(), nomes.end());
    for (const QString& nome : nomes) {
        const auto m = re.match(nome);
        if (!m.hasMatch())
            continue;
        EmpresaInfo e;
        e.codigo = m.captured(1);
        e.servidor = textoServidor(servidor);
        e.versao = QStringLiteral("====");
        if (const auto db = Database::open(ligacaoEmpresa(servidor, e.codigo))) {
            lerEmpresa(**db, e);
            (*db)->close();
        }
        if (!e.acessivel && e.nome.isEmpty())
            e.nome = QStringLiteral("Base de Dados - (%1)").arg(nome);
        r << e;
    }
    return r;
}

#include "session/Login.h"

#include "session/Acessos.h"
#include "db/Database.h"
#include "db/Servidor.h"
#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "company/Ligacoes.h"
#include "session/LogGeral.h"
#include "company/ParametrosGerais.h"
#include "common/PasswordHash.h"
#include "session/Presenca.h"

#include <QCoreApplication>
#include <QDate>
#include <QSettings>
#include <QSysInfo>

namespace {

using Icone = UserInteraction::Icone;

const QString NaoExiste = QStringLiteral("O utilizador indicado não existe na base de dados selecionada!");
const QString CodigoSupervisor = QStringLiteral("01");
const QString CodigoServico = QStringLiteral("00");
const QString LoginServico = QStringLiteral("TARVO");
const QString PrefixoHash = QStringLiteral("$argon2id$");

QDate dataDe(const QVariant& v) {
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    return QDate::fromString(v.toString().left(10), QStringLiteral("yyyy-MM-dd"));
}

QString agoraSql(Database& db) { return db.dialect().agora(); }

} // namespace

Login::Login(GlobalContext& ctx, UserInteraction& ui, const QString& programa)
    : m_ctx(ctx), m_ui(ui), m_programa(programa.isEmpty() ? NomePrograma : programa) {}

QString Login::HashPasswordServico() {
    const QSettings s(QSettings::SystemScope, QCoreApplication::organizationName(),
                      QCoreApplication::applicationName());
    const QString hash = s.value(ChaveHashServico).toString().trimmed();
    // Anything but a hash (a password written there in clear, say) configures nothing.
    return hash.startsWith(PrefixoHash) ? hash : QString();
}

Database* Login::bd() {
    if (!(m_ctx.LigacaoEmpresa && m_ctx.LigacaoEmpresa->isOpen()) &&
        !Abre_Connexao_Local(m_ctx, m_ctx.LigacaoEmpresa))
        return nullptr;
    return m_ctx.LigacaoEmpresa.get();
}

QString Login::txtPassValidacao() const { return TextoForcaPassword(ValidaPass(txtPassword, txtLogin, m_regras)); }

QString Login::txtNovaPassValidacao() const {
    return TextoForcaPassword(ValidaPass(txtNovaPassword, txtLogin, m_regras));
}

// ---------------------------------------------------------------- opening and closing

void Login::Abrir(bool aposFecharMenu) {
    m_mudaPass = false;
    txtPassword.clear();
    txtCodigo.clear();
    txtOldPass.clear();
    txtNovaPassword.clear();
    txtNovaPasswordConfirmacao.clear();
    if (Database* db = aposFecharMenu ? bd() : m_ctx.LigacaoEmpresa.get()) {
        EliminarUtilizadorTarvo();
        converterPasswordsGravadas(*db);
        m_regras = LerRegrasPassword(*db);
    }
    const QSettings s;
    txtLogin = s.value(QStringLiteral("NomeUtilizador")).toString();
    chkUsaTeclado = s.value(QStringLiteral("chkUsaTeclado"), false).toBool();
    m_foco = txtLogin.isEmpty() ? Campo::Login : Campo::Password;
}

void Login::Descarregar() {
    QSettings s;
    // Only a real login is kept: whatever else was typed there (a password, by mistake) is not.
    Database* db = m_ctx.LigacaoEmpresa && m_ctx.LigacaoEmpresa->isOpen() ? m_ctx.LigacaoEmpresa.get() : nullptr;
    if (db && !txtLogin.trimmed().isEmpty() && lerUtilizador(*db, txtLogin.trimmed()))
        s.setValue(QStringLiteral("NomeUtilizador"), txtLogin.trimmed());
    s.setValue(QStringLiteral("chkUsaTeclado"), chkUsaTeclado);
}

Login::Resultado Login::cmdCancel_Click() {
    if (!txtCodigo.isEmpty())
        Presenca(m_ctx, m_programa).Utilizador_Saida(txtCodigo);
    Descarregar();
    FechaLigacoes(m_ctx);
    return Resultado::Fechou;
}

Login::Resultado Login::cmdCancelar_Click() {
    Descarregar();
    return Resultado::Cancelou;
}

// ---------------------------------------------------------------- the login

Login::Resultado Login::recusar(const QString& texto, Campo foco, Icone icone) {
    if (!texto.isEmpty())
        m_ui.mensagem(texto, icone, TituloAtencao);
    m_foco = foco;
    m_ctx.CodigoUtilizador.clear();
    m_ctx.LoginUtilizador.clear();
    return Resultado::Continua;
}

void Login::largarPresenca(const QString& codigo) { Presenca(m_ctx, m_programa).Utilizador_Saida(codigo); }

Login::Resultado Login::cmdOk_Click() {
    const QString login = txtLogin.trimmed();
    Database* db = bd();
    if (!db)
        return recusar(QStringLiteral("Não foi possível ligar à base de dados da empresa."), Campo::Login,
                       Icone::Critico);
    EliminarUtilizadorTarvo();
    m_regras = LerRegrasPassword(*db);
    m_ctx.CodigoUtilizador.clear();
    m_ctx.LoginUtilizador.clear();

    const bool servico = login.toUpper() == LoginServico;
    if (servico && !loginServico(*db)) {
        txtPassword.clear();
        return recusar(NaoExiste, Campo::Password, Icone::Critico);
    }
    criarSupervisorSeFaltar(*db, login);

    const auto u = lerUtilizador(*db, login);
    if (!u)
        return recusar(NaoExiste, Campo::Login, Icone::Critico);
    if (!servico) {
        if (u->validaInterno) {
            if (!verificarPassword(u->password, txtPassword)) {
                registar(*db, u->codigo, QStringLiteral("MN"), QStringLiteral("M"),
                         QStringLiteral("Password inválida na entrada de ") + u->login);
                return recusar(QStringLiteral("Password Inválida!"), Campo::Password, Icone::Critico);
            }
        } else if (!validarNoServidor(*db, *u)) {
            return Resultado::Continua;
        }
    }

    txtCodigo = u->codigo;
    if (txtCodigo.isEmpty())
        return recusar(QStringLiteral("O Utilizador ") + login + QStringLiteral(" não está criado nesta empresa!"),
                       Campo::Login, Icone::Critico);
    // Checking and marking are one step, so two workstations can never both pass.
    if (!Presenca(m_ctx, m_programa).Utilizador_Entrada(txtCodigo))
        return recusar(QStringLiteral("          << ESTE UTILIZADOR JÁ SE ENCONTRA EM USO >>\r\n\r\n"
                                      "Para que seja garantida a consistência da informação, apenas é permitido "
                                      "um acesso por utilizador."),
                       Campo::Login, Icone::Critico);
    // From here on a user who does not get in gives the mark back: he is not working.
    if (u->alteraPassword) {
        largarPresenca(txtCodigo);
        AlteraPassword();
        return Resultado::Continua;
    }
    if (txtCodigo != CodigoServico) {
        if (!passwordEmDia(*db, txtCodigo)) {
            largarPresenca(txtCodigo);
            return Resultado::Continua;
        }
        if (ValidaPass(txtPassword, u->login, m_regras) < 5) {
            largarPresenca(txtCodigo);
            m_ui.mensagem(TextoRegraPassword(txtPassword, u->login, m_regras), Icone::Informacao,
                          TituloControloPassword);
            AlteraPassword();
            return Resultado::Continua;
        }
    }

    if (!Abre_Connexao_Local(m_ctx, m_ctx.LigacaoAuxiliar1) || !Abre_Connexao_Local(m_ctx, m_ctx.LigacaoAuxiliar2)) {
        largarPresenca(txtCodigo);
        return recusar(QStringLiteral("Não foi possível ligar à base de dados da empresa."), Campo::Password,
                       Icone::Critico);
    }
    m_ctx.CodigoUtilizador = txtCodigo;
    m_ctx.LoginUtilizador = u->login;
    CarregaParametrosGerais(m_ctx);

    if (!direitoAoPrograma(txtCodigo)) {
        largarPresenca(txtCodigo);
        FechaLigacoes(m_ctx);
        return recusar(QStringLiteral("Acesso Negado ao Programa ") + m_programa, Campo::Password, Icone::Critico);
    }
    // Only a real entry: a refused login never reaches here, and the exit backup is the menu's.
    if (segurancaAutomatica)
        segurancaAutomatica(QStringLiteral("Entrada"));
    txtPassword.clear();
    Descarregar();
    return Resultado::Entrou;
}

std::optional<Login::DadosUtilizador> Login::lerUtilizador(Database& db, const QString& login) {
    const auto l = db.primeiraLinha(QStringLiteral("SELECT Codigo, Login, Password, ValidaInterno, AlteraPassword "
                                                   "FROM Utilizador WHERE Login=?"),
                                    {login});
    if (!l)
        return std::nullopt;
    return DadosUtilizador{l->at(0).toString().trimmed(), l->at(1).toString(), l->at(2).toString(),
                           l->at(3).toInt() == 1, l->at(4).toInt() == 1};
}

bool Login::loginServico(Database& db) {
    const QString hash = HashPasswordServico();
    if (hash.isEmpty() || !verificarPassword(hash, txtPassword)) {
        registar(db, CodigoServico, QStringLiteral("MN"), QStringLiteral("M"),
                 QStringLiteral("Entrada de serviço recusada"));
        return false;
    }
    if (db.primeiraLinha(QStringLiteral("SELECT Codigo FROM Utilizador WHERE Codigo=?"), {CodigoServico}))
        return true;
    // No password is stored for the service user: his is the installation's.
    const bool ok = db.exec(QStringLiteral("INSERT INTO Utilizador (Codigo,Login,Password,DataSys,AlteraPassword,"
                                           "Contactos,ValidaInterno,PrimActUtil,LastDtAlteraPass,ExcluiPesq) "
                                           "VALUES (?,?,'',%1,0,'',1,%1,%1,1)")
                                .arg(agoraSql(db)),
                            {CodigoServico, LoginServico});
    if (ok)
        registar(db, CodigoServico, QStringLiteral("TB"), QStringLiteral("N"),
                 QStringLiteral("Criação do utilizador de serviço 00"));
    return ok;
}

void Login::criarSupervisorSeFaltar(Database& db, const QString& login) {
    if (login.toUpper() != QStringLiteral("SUPERVISOR"))
        return;
    // A company whose supervisor was renamed keeps him: no second "01" is made.
    if (db.primeiraLinha(QStringLiteral("SELECT Codigo FROM Utilizador WHERE Login=? OR Codigo=?"),
                         {QStringLiteral("SUPERVISOR"), CodigoSupervisor}))
        return;
    const QString hash = hashPassword(QString::fromLatin1(PasswordInicialSupervisor));
    if (hash.isEmpty())
        return;
    if (db.exec(QStringLiteral("INSERT INTO Utilizador (Codigo,Login,Password,DataSys,AlteraPassword,Contactos,"
                               "ValidaInterno,PrimActUtil,LastDtAlteraPass,ExcluiPesq) "
                               "VALUES (?,?,?,%1,1,'',1,%1,%1,0)")
                    .arg(agoraSql(db)),
                {CodigoSupervisor, QStringLiteral("Supervisor"), hash}))
        registar(db, CodigoSupervisor, QStringLiteral("TB"), QStringLiteral("N"),
                 QStringLiteral("Criação do utilizador 01 - Supervisor"));
}

bool Login::validarNoServidor(Database& db, const DadosUtilizador& u) {
    if (!db.servidor().validaLoginsNoServidor()) {
        recusar(QStringLiteral("O utilizador ") + u.login +
                    QStringLiteral(" é validado pelo servidor de base de dados, o que não é possível numa "
                                   "empresa local.\r\nPeça ao Supervisor que lhe defina uma password própria "
                                   "do programa."),
                Campo::Login, Icone::Critico);
        return false;
    }
    std::shared_ptr<Database> teste;
    if (!Abre_Connexao(teste, m_ctx.Servidor, nomeBaseDadosEmpresa(m_ctx.CodigoEmpresa), u.login, txtPassword, {},
                       QStringLiteral("SQL"), 30, 15)) {
        recusar({}, Campo::Password, Icone::Nenhum);
        return false;
    }
    teste->close();
    // The server vouched for the password: from now on the program checks it itself.
    const QString hash = hashPassword(txtPassword);
    if (!hash.isEmpty() &&
        db.exec(QStringLiteral("UPDATE Utilizador SET Password=?, ValidaInterno=1 WHERE Codigo=?"), {hash, u.codigo}))
        registar(db, u.codigo, QStringLiteral("TB"), QStringLiteral("A"),
                 QStringLiteral("Password de ") + u.login + QStringLiteral(" passou a ser validada pelo programa"));
    return true;
}

bool Login::passwordEmDia(Database& db, const QString& codigo) {
    const auto od = db.primeiraLinha(QStringLiteral("SELECT Pwd_Expira, Pwd_ExpiraObriga FROM paramgeral_OutrosDados"));
    const int expira = od ? od->at(0).toInt() : 0;
    if (expira <= 0)
        return true;
    const QDate ultima =
        dataDe(db.scalar(QStringLiteral("SELECT LastDtAlteraPass FROM Utilizador WHERE Codigo=?"), {codigo}));
    const QDate hoje = db.agoraServidor().date();
    if (!ultima.isValid() || !hoje.isValid())
        return true;
    const qint64 dias = ultima.daysTo(hoje);
    if (dias < expira)
        return true;
    const QString inicio =
        QStringLiteral("A sua password já não é alterada à %1 dias.\r").arg(dias);
    if (od->at(1).toInt() != 0) {
        m_ui.mensagem(inicio + QStringLiteral("É obrigatória a alteração de passwords a cada %1 dia(s).\r"
                                              "Altere-a para poder entrar na aplicação.")
                                   .arg(expira),
                      Icone::Exclamacao, TituloAtencao);
        if (m_ui.pergunta(QStringLiteral("A sua password expirou.\r\rPretende alterar agora?"), TituloAtencao)) {
            AlteraPassword();
        } else {
            txtPassword.clear();
            m_foco = Campo::Password;
        }
        return false;
    }
    if (m_ui.pergunta(inicio + QStringLiteral("Recomendamos a alteração de passwords a cada %1 dia(s).\r\n"
                                              "Pretende alterá-la agora?")
                                   .arg(expira),
                      TituloAtencao)) {
        AlteraPassword();
        return false;
    }
    return true;
}

bool Login::direitoAoPrograma(const QString& codigo) {
    if (codigo == CodigoSupervisor || codigo == CodigoServico)
        return true;
    if (CheckUtilizApp(m_ctx, m_programa, codigo) < 0)
        CriaTodososAcessos(m_ctx, codigo);
    // Without a row (its creation failed) nothing says the user may enter.
    return CheckUtilizApp(m_ctx, m_programa, codigo) == 1;
}

void Login::EliminarUtilizadorTarvo() {
    Database* db = m_ctx.LigacaoEmpresa && m_ctx.LigacaoEmpresa->isOpen() ? m_ctx.LigacaoEmpresa.get() : nullptr;
    if (!db || !db->primeiraLinha(QStringLiteral("SELECT Codigo FROM Utilizador WHERE Codigo=?"), {CodigoServico}))
        return;
    if (Presenca(m_ctx, m_programa).Utilizador_EmUso_TodosModulos(CodigoServico))
        return;
    // Both or neither; when it fails the service user stays until the next exit removes it.
    Transaction t(*db);
    if (t.ok() && db->exec(QStringLiteral("DELETE FROM Utilizador WHERE Codigo=?"), {CodigoServico}) &&
        db->exec(QStringLiteral("DELETE FROM UtilConfGeral WHERE Utilizador=?"), {CodigoServico}))
        static_cast<void>(t.commit());
}

// Companies from before passwords were hashed: what is stored is taken as the password itself.
void Login::converterPasswordsGravadas(Database& db) {
    const QVariant convertido = db.scalar(QStringLiteral("SELECT ConvPwd FROM Actualiza"));
    if (convertido.toInt() == 1)
        return;
    QList<std::pair<qint64, QString>> porConverter;
    db.percorrer(QStringLiteral("SELECT NumRegisto, Password FROM Utilizador WHERE Codigo<>?"), {CodigoServico},
                 [&](const QSqlQuery& q) {
                     const QString p = q.value(1).toString();
                     if (!p.startsWith(PrefixoHash))
                         porConverter.append({q.value(0).toLongLong(), p});
                 });
    Transaction tr(db);
    if (!tr.ok())
        return;
    for (const auto& [numRegisto, password] : porConverter) {
        const QString hash = hashPassword(password);
        if (hash.isEmpty() ||
            !db.exec(QStringLiteral("UPDATE Utilizador SET Password=? WHERE NumRegisto=?"), {hash, numRegisto}))
            return;
    }
    // Unconverted, the passwords stay as they were and the next entry converts them.
    if (db.exec(QStringLiteral("UPDATE Actualiza SET ConvPwd=1")))
        static_cast<void>(tr.commit());
}

void Login::registar(Database& db, const QString& utilizador, const QString& modulo, const QString& accao,
                     const QString& descricao) {
    EntradaLog e;
    e.modulo = modulo;
    e.accao = accao;
    e.descricao = descricao;
    e.observa = QStringLiteral("Login de ") + m_programa + QStringLiteral(" (") +
                (m_ctx.NomePosto.isEmpty() ? QSysInfo::machineHostName() : m_ctx.NomePosto) + QStringLiteral(")");
    QDateTime quando = db.agoraServidor();
    if (!quando.isValid())
        quando = QDateTime::currentDateTime();
    MeteNoLogGeral(db, utilizador, e, quando.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

// ---------------------------------------------------------------- password change

void Login::AlteraPassword() {
    m_mudaPass = true;
    txtOldPass.clear();
    txtNovaPassword.clear();
    txtNovaPasswordConfirmacao.clear();
    m_foco = Campo::OldPass;
}

void Login::fraMudaPass_Cancelar() {
    m_mudaPass = false;
    txtOldPass.clear();
    txtNovaPassword.clear();
    txtNovaPasswordConfirmacao.clear();
    m_foco = Campo::Password;
}

void Login::cmdAlterarPwd_Click() {
    Database* db = bd();
    const auto u = db ? lerUtilizador(*db, txtLogin.trimmed()) : std::nullopt;
    if (!u) {
        recusar(NaoExiste, Campo::Login, Icone::Critico);
        return;
    }
    if (!u->validaInterno) {
        m_ui.mensagem(QStringLiteral("A alteração de password ainda não se encontra disponível para este utilizador.\r"
                                     "Entre no aplicativo com a password actual e altere a password depois."),
                      Icone::Informacao, TituloInformacao);
        return;
    }
    AlteraPassword();
}

void Login::cmdConfirmar_Click() {
    auto falha = [&](const QString& texto, Campo foco, Icone icone, const QString& titulo = TituloAtencao) {
        m_ui.mensagem(texto, icone, titulo);
        m_foco = foco;
    };
    if (txtNovaPassword.isEmpty())
        return falha(QStringLiteral("Não definiu a password!"), Campo::NovaPassword, Icone::Exclamacao);
    if (txtNovaPassword != txtNovaPasswordConfirmacao)
        return falha(QStringLiteral("A Password e a Confirmação são diferentes!"), Campo::NovaPasswordConfirmacao,
                     Icone::Exclamacao);
    Database* db = bd();
    if (db)
        m_regras = LerRegrasPassword(*db);
    if (ValidaPass(txtNovaPassword, txtLogin.trimmed(), m_regras) < 5)
        return falha(TextoRegraPassword(txtNovaPassword, txtLogin.trimmed(), m_regras), Campo::NovaPassword,
                     Icone::Informacao, TituloControloPassword);
    const auto u = db ? lerUtilizador(*db, txtLogin.trimmed()) : std::nullopt;
    if (!u)
        return falha(QStringLiteral("Utilizador não encontrado nesta empresa!"), Campo::OldPass, Icone::Critico);
    if (!verificarPassword(u->password, txtOldPass))
        return falha(QStringLiteral("A password actual está inválida!"), Campo::OldPass, Icone::Critico);
    // A forced change that keeps the same password would change nothing.
    if (txtNovaPassword == txtOldPass)
        return falha(QStringLiteral("A nova password tem de ser diferente da actual!"), Campo::NovaPassword,
                     Icone::Exclamacao);
    const QString hash = hashPassword(txtNovaPassword);
    if (hash.isEmpty() ||
        !db->exec(QStringLiteral("UPDATE Utilizador SET Password=?, AlteraPassword=0, LastDtAlteraPass=%1 "
                                 "WHERE Codigo=?")
                      .arg(agoraSql(*db)),
                  {hash, u->codigo}))
        return falha(QStringLiteral("Não foi possível gravar a nova password."), Campo::NovaPassword,
                     Icone::Critico);
    registar(*db, u->codigo, QStringLiteral("TB"), QStringLiteral("A"),
             QStringLiteral("Alteração da password de ") + u->login);
    propagarPassword(u->login, txtOldPass, txtNovaPassword);
    fraMudaPass_Cancelar();
    txtPassword.clear();
    if (!m_semNovaPassword.isEmpty())
        m_ui.mensagem(QStringLiteral("A password não foi alterada nas seguintes empresas, onde a password actual "
                                     "é outra ou a empresa não está acessível:\r\n") +
                          m_semNovaPassword.join(QStringLiteral("\r\n")),
                      Icone::Informacao, TituloInformacao);
}

// The same person in the server's other companies: the new password goes only where the old one
// is his there too, so nobody takes over a login of the same name that belongs to someone else.
void Login::propagarPassword(const QString& login, const QString& antiga, const QString& nova) {
    m_semNovaPassword.clear();
    Database* db = bd();
    if (!db)
        return;
    ConnectionParams servidor = db->params();
    servidor.baseDados.clear();
    const auto bases = Servidor::para(servidor)->basesDados();
    if (!bases)
        return;
    const QString prefixo = QString::fromLatin1(PrefixoEmpresa);
    for (const QString& base : *bases) {
        if (!base.startsWith(prefixo, Qt::CaseInsensitive))
            continue;
        const QString codigo = base.mid(prefixo.size());
        if (codigo.compare(m_ctx.CodigoEmpresa, Qt::CaseInsensitive) == 0 || !codigoEmpresaValido(codigo))
            continue;
        auto outra = Database::open(ligacaoEmpresa(servidor, codigo));
        if (!outra) {
            m_semNovaPassword << codigo;
            continue;
        }
        Database& o = **outra;
        const auto u = lerUtilizador(o, login);
        if (!u)
            continue;
        const QString hash = u->validaInterno && verificarPassword(u->password, antiga) ? hashPassword(nova) : QString();
        if (hash.isEmpty() ||
            !o.exec(QStringLiteral("UPDATE Utilizador SET Password=?, AlteraPassword=0, LastDtAlteraPass=%1 "
                                   "WHERE Codigo=?")
                        .arg(agoraSql(o)),
                    {hash, u->codigo})) {
            m_semNovaPassword << codigo;
            continue;
        }
        registar(o, u->codigo, QStringLiteral("TB"), QStringLiteral("A"),
                 QStringLiteral("Alteração da password de ") + u->login + QStringLiteral(" (empresa ") +
                     m_ctx.CodigoEmpresa + u')');
        o.close();
    }
}

// ---------------------------------------------------------------- user search

bool Login::cmdLogin_Click() {
    Database* db = bd();
    if (!db)
        return false;
    if (pesquisaUtilizadores) {
        const QString chave =
            txtLogin.contains(u'\\') || txtLogin.contains(u'/') ? txtLogin.trimmed() : QString();
        const auto codigo = pesquisaUtilizadores(chave, CondicaoPesquisa);
        const QVariant escolhido =
            codigo ? db->scalar(QStringLiteral("SELECT Login FROM Utilizador WHERE Codigo=? AND ") + CondicaoPesquisa,
                                {*codigo})
                   : QVariant();
        if (!escolhido.isValid()) {
            // Nothing chosen: what was typed to search is not a login.
            if (!chave.isEmpty())
                txtLogin.clear();
            m_foco = Campo::Login;
            return false;
        }
        txtLogin = escolhido.toString();
        m_foco = Campo::Password;
        return true;
    }
    QStringList codigos, logins, linhas;
    db->percorrer(QStringLiteral("SELECT Codigo, Login FROM Utilizador WHERE COALESCE(ExcluiPesq,0)=0 "
                                 "AND Codigo<>? ORDER BY Codigo"),
                  {CodigoServico}, [&](const QSqlQuery& q) {
                      codigos << q.value(0).toString();
                      logins << q.value(1).toString();
                      linhas << q.value(0).toString() + QStringLiteral(" - ") + q.value(1).toString();
                  });
    if (linhas.isEmpty())
        return false;
    const int escolha = m_ui.alerta(QStringLiteral("Pesquisar Utilizadores"), linhas);
    if (escolha < 1 || escolha > linhas.size())
        return false;
    txtLogin = logins.at(escolha - 1);
    m_foco = Campo::Password;
    return true;
}

void Login::txtLogin_LostFocus() {
    if (txtLogin.contains(u'\\') || txtLogin.contains(u'/'))
        cmdLogin_Click();
}

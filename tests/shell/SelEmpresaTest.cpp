#include "shell/SelEmpresa.h"

#include "company/Empresas.h"
#include "company/Ligacoes.h"
#include "db/AdminServidor.h"
#include "lookups/LayoutColunas.h"
#include "shell/SelEmpresaPesquisar.h"
#include "shell/SelEmpresasValidacao.h"
#include "support/DbTest.h"
#include "support/SemFalha.h"
#include "support/Ambiente.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>

// The selection over the engine of the test: on SQLite the companies sit in the default folder,
// on PostgreSQL on a server kept in the settings (with its password enciphered).
class SelEmpresaTest : public DbTest {
protected:
    void SetUp() override {
        m_comEsquema = false;
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(m_dir.isValid());
        servidor = params;
        servidor.baseDados.clear();
        m_pasta =
            std::make_unique<VariavelAmbiente>("LUMO_DADOS", isSQLite() ? params.pasta : m_dir.filePath(QStringLiteral("vazia")));
        definicoes = m_dir.filePath(QStringLiteral("definicoes.ini"));
        chave = m_dir.filePath(QStringLiteral("chave.bin"));
        servidores = std::make_unique<ServidoresConhecidos>(definicoes, chave);
        if (!isSQLite()) {
            const auto r =
                servidores->adicionar({textoServidor(servidor), servidor.login, servidor.password, true});
            ASSERT_FALSE(r) << r->mensagem.toStdString();
        }
    }
    void TearDown() override {
        if (ctx.LigacaoEmpresa)
            ctx.LigacaoEmpresa->close();
        for (const QString& nome : m_criadas)
            (void)AdminServidor::apagarBaseDados(servidor, nome);
        m_pasta.reset();
        DbTest::TearDown();
    }

    std::unique_ptr<SelEmpresa> novaSelecao() {
        auto s = std::make_unique<SelEmpresa>(ctx, ui, *servidores, definicoes);
        s->definirVerificacaoImpressao([] { return true; });
        s->definirFicheiroChave(chave);
        return s;
    }
    QString criar(const QString& nome, int ano) {
        const QString c = codigoEmpresaAleatorio();
        m_criadas << nomeBaseDadosEmpresa(c);
        EXPECT_TRUE(semFalha(criarEmpresa(servidor, c, nome, ano)));
        return c;
    }
    std::shared_ptr<Database> abrir(const QString& codigo) {
        return Database::open(ligacaoEmpresa(servidor, codigo)).valorOu(nullptr);
    }
    // Names of this test's companies, in list order (a shared server lists others too).
    QStringList nossas(const QList<LinhaEmpresa>& linhas) const {
        QStringList r;
        for (const LinhaEmpresa& e : linhas)
            if (m_criadas.contains(nomeBaseDadosEmpresa(e.codigo)))
                r << e.nome;
        return r;
    }
    static int linhaDe(const SelEmpresa& s, const QString& codigo) {
        for (int i = 0; i < s.linhas().size(); ++i)
            if (s.linhas().at(i).codigo == codigo)
                return i;
        return -1;
    }

    QTemporaryDir m_dir;
    ConnectionParams servidor;
    QString definicoes, chave;
    std::unique_ptr<ServidoresConhecidos> servidores;
    QStringList m_criadas;

private:
    std::unique_ptr<VariavelAmbiente> m_pasta;
};

TEST_P(SelEmpresaTest, ListaFiltraOrdenaEGuardaAsDefinicoes) {
    const QString abc = criar(QStringLiteral("ABC Lda"), 2023);
    criar(QStringLiteral("Fábrica ABC"), 2024);
    criar(QStringLiteral("Serração do Norte"), 2023);
    const QString cinco = QStringLiteral("LumoGest") + codigoEmpresaAleatorio() + QStringLiteral("5");
    m_criadas << cinco;
    ASSERT_TRUE(semFalha(AdminServidor::criarBaseDados(servidor, cinco)));

    auto s = novaSelecao();
    s->Form_Load();
    EXPECT_TRUE(s->falhas().isEmpty()) << s->estado().toStdString();
    for (const LinhaEmpresa& e : s->todas())
        EXPECT_EQ(e.codigo.size(), 4) << e.codigo.toStdString();
    QStringList todas = nossas(s->linhas());
    todas.sort();
    ASSERT_EQ(todas, (QStringList{"ABC Lda", "Fábrica ABC", "Serração do Norte"}));

    // The hidden columns carry the server's credentials, the password still enciphered.
    const LinhaEmpresa e = s->linhas().at(linhaDe(*s, abc));
    EXPECT_EQ(e.ano, QStringLiteral("2023"));
    EXPECT_EQ(e.texto(SelEmpresa::ColVersao), SelEmpresa::versaoLegivel(versaoBaseDados()));
    EXPECT_FALSE(e.destacada());
    if (!isSQLite()) {
        EXPECT_EQ(e.texto(SelEmpresa::ColServidor), textoServidor(servidor));
        EXPECT_EQ(e.texto(SelEmpresa::ColLogin), servidor.login);
        EXPECT_TRUE(e.texto(SelEmpresa::ColPassword).startsWith(QStringLiteral("v1:")));
        EXPECT_FALSE(e.texto(SelEmpresa::ColPassword).contains(servidor.password));
    } else {
        EXPECT_EQ(e.texto(SelEmpresa::ColServidor), QStringLiteral("Local"));
        EXPECT_TRUE(e.texto(SelEmpresa::ColTamanho).endsWith(QStringLiteral(" Mb")));
    }

    s->ordenarPor(SelEmpresa::ColNome);
    s->definirFiltros(QStringLiteral("2023"), {});
    EXPECT_EQ(nossas(s->linhas()), (QStringList{"ABC Lda", "Serração do Norte"}));
    s->definirFiltros({}, QStringLiteral("abc"));
    EXPECT_EQ(nossas(s->linhas()), (QStringList{"ABC Lda", "Fábrica ABC"}));
    s->definirFiltros({}, QStringLiteral("FABRICA"));
    EXPECT_EQ(nossas(s->linhas()), (QStringList{"Fábrica ABC"}));
    s->definirFiltros(QStringLiteral("2024"), QStringLiteral("abc"));
    EXPECT_EQ(nossas(s->linhas()), (QStringList{"Fábrica ABC"}));
    s->definirFiltros(QStringLiteral("20x3"), {});
    EXPECT_TRUE(nossas(s->linhas()).isEmpty());

    s->definirFiltros({}, {});
    EXPECT_EQ(nossas(s->linhas()), (QStringList{"ABC Lda", "Fábrica ABC", "Serração do Norte"}));
    s->ordenarPor(SelEmpresa::ColNome);
    EXPECT_EQ(nossas(s->linhas()), (QStringList{"Serração do Norte", "Fábrica ABC", "ABC Lda"}));
    s->ordenarPor(SelEmpresa::ColAno);
    EXPECT_FALSE(s->ordemDescendente());
    EXPECT_EQ(nossas(s->linhas()).last(), QStringLiteral("Fábrica ABC"));

    // The search window finds by any column, word by word, whatever the filters.
    s->definirFiltros(QStringLiteral("2023"), {});
    SelEmpresaPesquisar pesquisa(s->todas());
    pesquisa.CarregarDados(QStringLiteral("abc 2024"));
    ASSERT_EQ(nossas(pesquisa.linhas()), (QStringList{"Fábrica ABC"}));
    int achada = -1;
    for (int j = 0; j < pesquisa.linhas().size(); ++j)
        if (m_criadas.contains(nomeBaseDadosEmpresa(pesquisa.linhas().at(j).codigo)))
            achada = j;
    const auto escolhida = pesquisa.escolher(achada);
    ASSERT_TRUE(escolhida);
    const int i = s->mostrar(*escolhida);
    ASSERT_GE(i, 0);
    EXPECT_EQ(s->linhas().at(i).nome, QStringLiteral("Fábrica ABC"));
    EXPECT_TRUE(s->filtroAno().isEmpty());

    // Sort and filters come back in the next session.
    s->ordenarPor(SelEmpresa::ColNome);
    s->ordenarPor(SelEmpresa::ColNome);
    s->definirFiltros(QStringLiteral("2023"), QStringLiteral("abc"));
    s->Form_Unload();
    auto s2 = novaSelecao();
    s2->Form_Load();
    EXPECT_EQ(s2->filtroAno(), QStringLiteral("2023"));
    EXPECT_EQ(s2->filtroNome(), QStringLiteral("abc"));
    EXPECT_EQ(s2->colunaOrdem(), int(SelEmpresa::ColNome));
    EXPECT_TRUE(s2->ordemDescendente());
    EXPECT_EQ(nossas(s2->linhas()), (QStringList{"ABC Lda"}));
}

TEST_P(SelEmpresaTest, EscolherAbreAEmpresaNoContexto) {
    const QString codigo = criar(QStringLiteral("Serralharia Martins"), 2026);
    // Whatever the context still held from a previous company is closed when the window opens.
    auto anterior = ctx.LigacaoEmpresa;
    auto s = novaSelecao();
    s->Form_Load();
    EXPECT_FALSE(ctx.LigacaoEmpresa);
    EXPECT_FALSE(anterior->isOpen());

    EXPECT_FALSE(s->cmdOk(-1));
    EXPECT_FALSE(s->cmdOk(int(s->linhas().size())));
    ASSERT_TRUE(s->cmdOk(linhaDe(*s, codigo)));
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(ctx.CodigoEmpresa, codigo);
    EXPECT_EQ(ctx.NomeEmpresa, QStringLiteral("Serralharia Martins"));
    EXPECT_EQ(ctx.Servidor, textoServidor(servidor));
    EXPECT_EQ(ctx.TipoAutenticacao, QStringLiteral("SQL"));
    EXPECT_EQ(ctx.LoginSQL, isSQLite() ? QString() : servidor.login);
    EXPECT_EQ(ctx.PasswordSQL, isSQLite() ? QString() : servidor.password); // deciphered, in memory only
    ASSERT_TRUE(ctx.LigacaoEmpresa && ctx.LigacaoEmpresa->isOpen());
    EXPECT_EQ(ctx.LigacaoEmpresa->params().baseDados, nomeBaseDadosEmpresa(codigo));
    // The context is enough to open the further connections of the login.
    std::shared_ptr<Database> aux;
    EXPECT_TRUE(Abre_Connexao_Local(ctx, aux));
}

TEST_P(SelEmpresaTest, EmpresaNaoConvertidaOuDeOutraVersaoNaoAbre) {
    const QString codigo = criar(QStringLiteral("Têxteis do Ave"), 2025);
    auto d = abrir(codigo);
    ASSERT_TRUE(d);
    // A refused company must not be touched: the column stays missing.
    ASSERT_TRUE(d->exec(QStringLiteral("ALTER TABLE Lotes DROP COLUMN MedicoesAltura")));
    ASSERT_TRUE(d->exec(QStringLiteral("UPDATE ParamGeral SET ConverteuNVARCHAR=0")));

    auto s = novaSelecao();
    s->Form_Load();
    const int linha = linhaDe(*s, codigo);
    ASSERT_GE(linha, 0);
    EXPECT_FALSE(s->cmdOk(linha));
    EXPECT_EQ(ui.ultimaMensagem(),
              QStringLiteral("Não pode entrar nesta Empresa porque ainda não foi convertida!"));
    EXPECT_EQ(ui.mensagens.back().icone, UserInteraction::Icone::Critico);

    ASSERT_TRUE(d->exec(QStringLiteral("UPDATE ParamGeral SET ConverteuNVARCHAR=1")));
    ASSERT_TRUE(d->exec(QStringLiteral("UPDATE Actualiza SET versao=?"), {"999900000000"}));
    EXPECT_FALSE(s->cmdOk(linha));
    EXPECT_TRUE(
        ui.ultimaMensagem().startsWith(QStringLiteral("A Versão do Aplicativo Encontra-se Desactualizada!")));
    EXPECT_TRUE(ui.ultimaMensagem().contains(QStringLiteral("A Versão deste Aplicativo é [%1.%2.%3].")
                                                 .arg(LUMO_VERSAO_MAJOR)
                                                 .arg(LUMO_VERSAO_MINOR)
                                                 .arg(LUMO_VERSAO_REVISAO)));
    EXPECT_TRUE(ui.ultimaMensagem().contains(QStringLiteral("[9999.0.0]")));

    ASSERT_TRUE(d->exec(QStringLiteral("UPDATE Actualiza SET versao=?"), {"000000000001"}));
    EXPECT_FALSE(s->cmdOk(linha));
    EXPECT_TRUE(ui.ultimaMensagem().startsWith(
        QStringLiteral("A Versão do Aplicativo Requer que seja efectuada a Actualização de Base de Dados!")));
    EXPECT_TRUE(
        ui.ultimaMensagem().contains(QStringLiteral("Recomendamos que Actualize Todas as Bases de Dados:")));

    EXPECT_EQ(ui.mensagens.size(), 3u);
    EXPECT_EQ(ctx.CodigoEmpresa, QStringLiteral("TEST")); // as the fixture left it
    EXPECT_FALSE(ctx.LigacaoEmpresa);
    EXPECT_FALSE(d->dialect().existeCampo(*d, QStringLiteral("Lotes"), QStringLiteral("MedicoesAltura")));

    ASSERT_TRUE(d->exec(QStringLiteral("UPDATE Actualiza SET versao=?"), {versaoBaseDados()}));
    ASSERT_TRUE(d->exec(QStringLiteral("DELETE FROM ParamGeral")));
    EXPECT_FALSE(s->cmdOk(linha));
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Empresa não está devidamente configurada!"));
}

TEST_P(SelEmpresaTest, BaseDesligadaOuSoLeituraFicaDestacada) {
    if (isSQLite())
        GTEST_SKIP()
            << "Só o servidor PostgreSQL desliga bases de dados (e o root escreve em qualquer ficheiro).";
    const QString desligada = criar(QStringLiteral("Empresa Arquivada"), 2019);
    const QString leitura = criar(QStringLiteral("Empresa Consulta"), 2020);
    const auto ligada = AdminServidor::ligarManutencao(servidor);
    ASSERT_TRUE(semFalha(ligada));
    const std::shared_ptr<Database> adm = *ligada;
    ASSERT_TRUE(adm->exec(QStringLiteral("ALTER DATABASE \"%1\" WITH ALLOW_CONNECTIONS false")
                              .arg(nomeBaseDadosEmpresa(desligada))));
    ASSERT_TRUE(adm->exec(QStringLiteral("ALTER DATABASE \"%1\" SET default_transaction_read_only = on")
                              .arg(nomeBaseDadosEmpresa(leitura))));
    auto s = novaSelecao();
    s->Form_Load();
    const LinhaEmpresa d = s->linhas().at(linhaDe(*s, desligada));
    EXPECT_EQ(d.nome, QStringLiteral("Desligada"));
    EXPECT_TRUE(d.destacada());
    const LinhaEmpresa l = s->linhas().at(linhaDe(*s, leitura));
    EXPECT_EQ(l.nome, QStringLiteral("Empresa Consulta - (Só Leitura)"));
    EXPECT_TRUE(l.destacada());
    EXPECT_FALSE(s->cmdOk(linhaDe(*s, desligada)));
    EXPECT_TRUE(ui.ultimaMensagem().startsWith(QStringLiteral("Não foi possível abrir a Empresa ")));
}

LUMO_INSTANCIAR_MOTORES(SelEmpresaTest);

TEST(SelEmpresa, ServidorInacessivelNaoImpedeOsOutros) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    VariavelAmbiente pasta("LUMO_DADOS", dir.filePath(QStringLiteral("empresas")));
    const ConnectionParams local = parametrosServidor(ServidoresConhecidos::servidorLocal().servidor);
    ASSERT_TRUE(
        semFalha(criarEmpresa(local, QStringLiteral("0001"), QStringLiteral("Padaria Central"), 2026)));
    ServidoresConhecidos servidores(dir.filePath(QStringLiteral("d.ini")),
                                    dir.filePath(QStringLiteral("k.bin")));
    // Nothing listens on port 1: refused at once.
    ASSERT_FALSE(servidores.adicionar(
        {QStringLiteral("127.0.0.1:1"), QStringLiteral("lumo"), QStringLiteral("x"), true}));
    GlobalContext ctx;
    ScriptedInteraction ui;
    SelEmpresa s(ctx, ui, servidores, dir.filePath(QStringLiteral("d.ini")));
    s.Form_Load();
    ASSERT_EQ(s.linhas().size(), 1);
    EXPECT_EQ(s.linhas().first().nome, QStringLiteral("Padaria Central"));
    ASSERT_EQ(s.falhas().size(), 1);
    EXPECT_EQ(s.falhas().first().servidor, QStringLiteral("127.0.0.1:1"));
    EXPECT_TRUE(s.estado().startsWith(QStringLiteral("Sem ligação a 127.0.0.1:1: ")))
        << s.estado().toStdString();
    EXPECT_TRUE(ui.mensagens.empty());
}

TEST(SelEmpresa, VerificacaoDeComponentes) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString chave = dir.filePath(QStringLiteral("k.bin"));
    ScriptedInteraction ui;
    EXPECT_TRUE(VerificaComponentes(ui, componentesNecessarios([] { return true; }, chave), false));
    EXPECT_TRUE(ui.mensagens.empty());
    EXPECT_TRUE(VerificaComponentes(ui, componentesNecessarios([] { return true; }, chave), true));
    ASSERT_EQ(ui.mensagens.size(), 1u);
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Não foram detectadas falhas!"));
    EXPECT_EQ(ui.mensagens.back().titulo, QStringLiteral("Verificação de instalação de componentes"));

    // No print support, and a key file that cannot be created (its folder is a file).
    QFile bloqueio(dir.filePath(QStringLiteral("ficheiro")));
    ASSERT_TRUE(bloqueio.open(QIODevice::WriteOnly));
    bloqueio.close();
    EXPECT_FALSE(VerificaComponentes(
        ui, componentesNecessarios([] { return false; }, dir.filePath(QStringLiteral("ficheiro/k.bin"))),
        false));
    const QString m = ui.ultimaMensagem();
    EXPECT_TRUE(m.startsWith(QStringLiteral("Falha ao instanciar os seguintes objectos: ")))
        << m.toStdString();
    EXPECT_TRUE(m.contains(
        QStringLiteral("Nome do Ficheiro: libQt6PrintSupport.so.6 - Dependência: Qt PrintSupport")));
    EXPECT_TRUE(m.contains(QStringLiteral(" - Dependência: libsodium")));
    EXPECT_FALSE(m.contains(QStringLiteral("QSQLITE")));
    EXPECT_TRUE(m.endsWith(QStringLiteral("Verifique se tem todas as componentes necessárias instaladas ou "
                                          "contacte o fornecedor da aplicação.")));
    EXPECT_EQ(ui.mensagens.back().icone, UserInteraction::Icone::Critico);
}

TEST(SelEmpresa, DescricaoDasColunas) {
    const std::vector<ColunaLayout> c = interpretarLayout(SelEmpresa::DescricaoColunas);
    ASSERT_EQ(int(c.size()), SelEmpresa::NumColunas);
    EXPECT_EQ(c.at(SelEmpresa::ColNome).titulo, QStringLiteral("Nome da Entidade"));
    EXPECT_EQ(c.at(SelEmpresa::ColNome).larguraTwips, 3540);
    EXPECT_EQ(c.at(SelEmpresa::ColAno).alinhamento, AlinhamentoColuna::Centro);
    EXPECT_EQ(c.at(SelEmpresa::ColTamanho).alinhamento, AlinhamentoColuna::Direita);
    EXPECT_TRUE(c.at(SelEmpresa::ColPassword).oculta());
    EXPECT_EQ(SelEmpresa::versaoLegivel(QStringLiteral("000400000518")), QStringLiteral("4.0.518"));
    EXPECT_EQ(SelEmpresa::versaoLegivel(QStringLiteral("====")), QStringLiteral("===="));
}

// The server-list window.
class SelEmpresasValidacaoTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString ficheiro() const { return dir.filePath(QStringLiteral("definicoes.ini")); }
    QString chave() const { return dir.filePath(QStringLiteral("chave.bin")); }
    QByteArray conteudo() const {
        QFile f(ficheiro());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
    ScriptedInteraction ui;
};

TEST_F(SelEmpresasValidacaoTest, PasswordGuardadaSoCifrada) {
    const QString password = QStringLiteral("Pão-de-Ló#2026");
    {
        ServidoresConhecidos s(ficheiro(), chave());
        SelEmpresasValidacao v(s, ui);
        v.cmdAdicionar();
        EXPECT_EQ(v.modo(), QStringLiteral("N"));
        ASSERT_TRUE(v.cmdGravar(
            {QStringLiteral(" Armazem-01.local:5433 "), QStringLiteral("gestor"), password, true}))
            << ui.ultimaMensagem().toStdString();
        EXPECT_FALSE(v.emEdicao());
    }
    const QByteArray guardado = conteudo();
    ASSERT_FALSE(guardado.isEmpty());
    EXPECT_FALSE(guardado.contains(password.toUtf8()));
    EXPECT_FALSE(guardado.contains(QByteArray("Pão")));
    EXPECT_FALSE(guardado.contains(QByteArray("2026")));

    QSettings ini(ficheiro(), QSettings::IniFormat);
    EXPECT_EQ(ini.value(QStringLiteral("Autenticação/Servidor1")).toString(),
              QStringLiteral("armazem-01.local:5433"));
    EXPECT_EQ(ini.value(QStringLiteral("Autenticação/Login1")).toString(), QStringLiteral("gestor"));
    EXPECT_EQ(ini.value(QStringLiteral("Autenticação/TipoAutenticacao1")).toString(), QStringLiteral("SQL"));

    ServidoresConhecidos lido(ficheiro(), chave());
    ASSERT_EQ(lido.registados().size(), 1);
    const auto p = lido.ligacao(lido.registados().first());
    ASSERT_TRUE(p);
    EXPECT_EQ(p->motor, Dialect::Motor::PostgreSQL);
    EXPECT_EQ(p->host, QStringLiteral("armazem-01.local"));
    EXPECT_EQ(p->porta, 5433);
    EXPECT_EQ(p->password, password);
    // With another key the stored text cannot be read back, and that is said.
    ServidoresConhecidos outraChave(ficheiro(), dir.filePath(QStringLiteral("outra.bin")));
    const auto ilegivel = outraChave.ligacao(outraChave.registados().first());
    ASSERT_FALSE(ilegivel);
    EXPECT_FALSE(ilegivel.mensagem().isEmpty());
    // The local folder is always first and never stored.
    EXPECT_TRUE(lido.todos().first().local);
    EXPECT_EQ(lido.todos().size(), 2);
}

TEST_F(SelEmpresasValidacaoTest, ValidacaoAlteracaoEEliminacao) {
    ServidoresConhecidos s(ficheiro(), chave());
    SelEmpresasValidacao v(s, ui);
    struct Caso {
        DadosServidor d;
        QString mensagem;
        UserInteraction::Icone icone;
    };
    const QList<Caso> recusas{
        {{QStringLiteral("  "), {}, {}, true},
         QStringLiteral("Indique o Servidor!"),
         UserInteraction::Icone::Exclamacao},
        {{QStringLiteral("serv idor"), QStringLiteral("a"), {}, true},
         QStringLiteral("Servidor inválido!"),
         UserInteraction::Icone::Critico},
        {{QStringLiteral("servidor:70000"), QStringLiteral("a"), {}, true},
         QStringLiteral("Servidor inválido!"),
         UserInteraction::Icone::Critico},
        {{QStringLiteral("/home/dados"), QStringLiteral("a"), {}, true},
         QStringLiteral("Servidor inválido!"),
         UserInteraction::Icone::Critico},
        {{QStringLiteral("servidor"), QStringLiteral(" "), QStringLiteral("x"), true},
         QStringLiteral("Indique o Login!"),
         UserInteraction::Icone::Exclamacao},
    };
    for (const Caso& c : recusas) {
        v.cmdAdicionar();
        EXPECT_FALSE(v.cmdGravar(c.d)) << c.d.servidor.toStdString();
        EXPECT_TRUE(ui.ultimaMensagem().startsWith(c.mensagem)) << ui.ultimaMensagem().toStdString();
        EXPECT_EQ(ui.mensagens.back().icone, c.icone);
        EXPECT_TRUE(v.emEdicao());
    }
    EXPECT_TRUE(v.linhas().isEmpty());

    v.cmdAdicionar();
    ASSERT_TRUE(
        v.cmdGravar({QStringLiteral("Primeiro"), QStringLiteral("ana"), QStringLiteral("segredo1"), true}));
    v.cmdAdicionar();
    ASSERT_TRUE(v.cmdGravar({QStringLiteral("segundo:5433"), {}, {}, false}));
    EXPECT_TRUE(v.linhas().at(1).login.isEmpty());
    EXPECT_EQ(v.linhas().at(1).autenticacao, QStringLiteral("WIN"));
    // The same server written another way is the same server.
    v.cmdAdicionar();
    EXPECT_FALSE(v.cmdGravar({QStringLiteral("PRIMEIRO:5432"), QStringLiteral("rui"), {}, true}));
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Servidor já Existente!"));
    v.cmdCancelar();

    // A change keeps the password when its box is left empty; a change into another entry is refused.
    const QString cifradaAntes = v.linhas().at(0).passwordCifrada;
    ASSERT_TRUE(v.cmdAlterar(0));
    EXPECT_EQ(v.campos().servidor, QStringLiteral("primeiro"));
    EXPECT_TRUE(v.campos().password.isEmpty());
    EXPECT_FALSE(v.cmdGravar({QStringLiteral("segundo:5433"), QStringLiteral("ana"), {}, true}));
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Servidor já Existente!"));
    ASSERT_TRUE(v.cmdGravar({QStringLiteral("primeiro:5440"), QStringLiteral("ana"), {}, true}));
    EXPECT_EQ(v.linhas().at(0).servidor, QStringLiteral("primeiro:5440"));
    EXPECT_EQ(v.linhas().at(0).passwordCifrada, cifradaAntes);
    ASSERT_TRUE(v.cmdAlterar(0));
    ASSERT_TRUE(v.cmdGravar(
        {QStringLiteral("primeiro:5440"), QStringLiteral("ana"), QStringLiteral("segredo2"), true}));
    EXPECT_EQ(s.ligacao(v.linhas().at(0))->password, QStringLiteral("segredo2"));
    EXPECT_FALSE(v.cmdAlterar(7));
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Seleccione o servidor a alterar!"));

    // Removal asks first ("&Não" is button 0); the keys are then written again from 1.
    ui.responder(0);
    EXPECT_FALSE(v.cmdEliminar(0));
    EXPECT_EQ(v.linhas().size(), 2);
    ui.responder(1);
    ASSERT_TRUE(v.cmdEliminar(0));
    EXPECT_EQ(ui.perguntas.back(), QStringLiteral("Confirma a Eliminação?"));
    ASSERT_EQ(v.linhas().size(), 1);
    QSettings ini(ficheiro(), QSettings::IniFormat);
    EXPECT_EQ(ini.value(QStringLiteral("Autenticação/Servidor1")).toString(), QStringLiteral("segundo:5433"));
    EXPECT_EQ(ini.value(QStringLiteral("Autenticação/TipoAutenticacao1")).toString(), QStringLiteral("WIN"));
    EXPECT_FALSE(ini.contains(QStringLiteral("Autenticação/Servidor2")));
    EXPECT_FALSE(ini.contains(QStringLiteral("Autenticação/Password2")));
    EXPECT_FALSE(conteudo().contains("segredo"));
}

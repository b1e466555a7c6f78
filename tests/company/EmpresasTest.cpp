#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "common/Currency.h"
#include "db/AdminServidor.h"
#include "company/EmpresaDemo.h"
#include "company/Ligacoes.h"
#include "common/PasswordHash.h"
#include "support/DbTest.h"
#include "support/SemFalha.h"

#include <QDate>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

class EmpresasTest : public DbTest {
protected:
    void SetUp() override {
        m_comEsquema = false;
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        servidor = params;
        servidor.baseDados.clear();
    }
    void TearDown() override {
        for (const QString& nome : m_criadas)
            (void)AdminServidor::apagarBaseDados(servidor, nome);
        DbTest::TearDown();
    }

    QString novoCodigo() {
        const QString c = codigoEmpresaAleatorio();
        m_criadas << nomeBaseDadosEmpresa(c);
        return c;
    }
    void criarBaseVazia(const QString& nome) {
        m_criadas << nome;
        ASSERT_TRUE(semFalha(AdminServidor::criarBaseDados(servidor, nome)));
    }
    std::shared_ptr<Database> abrir(const QString& codigo) {
        const auto d = Database::open(ligacaoEmpresa(servidor, codigo));
        EXPECT_TRUE(semFalha(d));
        return d.valorOu(nullptr);
    }
    static QString texto(Database& d, const QString& sql, const QVariantList& v = {}) {
        return d.scalar(sql, v).toString();
    }
    static int contar(Database& d, const QString& tabela) {
        return d.scalar(QStringLiteral("SELECT COUNT(*) FROM ") + tabela).toInt();
    }

    ConnectionParams servidor;

private:
    QStringList m_criadas;
};

TEST_P(EmpresasTest, CriacaoPreencheOsParametrosBase) {
    const QString codigo = novoCodigo();
    ASSERT_TRUE(
        semFalha(criarEmpresa(servidor, codigo, QStringLiteral("Serralharia Martins & Filhos, Lda."), 2025)));
    auto e = abrir(codigo);
    ASSERT_TRUE(e);

    for (const char* t : {"ParamGeral", "paramgeral_OutrosDados", "configProd", "Actualiza", "LockPro"})
        EXPECT_EQ(contar(*e, QLatin1String(t)), 1) << t;
    auto p = e->query(
        QStringLiteral("SELECT NomeEmpresa, ano, AnoCalculo, mes, cambiodef, cambioeuro, casadec, "
                       "cliarretotalgeral, zerarproduto, controlaano, controlames, ConverteuNVARCHAR, "
                       "FormulaPrecoMedioCusto, GridLine FROM ParamGeral"));
    ASSERT_TRUE(p && p->next());
    EXPECT_EQ(p->value(0).toString(), QStringLiteral("Serralharia Martins & Filhos, Lda."));
    EXPECT_EQ(p->value(1).toString(), QStringLiteral("2025"));
    EXPECT_EQ(p->value(2).toString(), QStringLiteral("2025"));
    const QString hoje = texto(*e, QStringLiteral("SELECT ") + e->dialect().hojeTexto());
    EXPECT_EQ(p->value(3).toString(), hoje.mid(5, 2));
    EXPECT_EQ(p->value(4).toString(), QStringLiteral("1"));
    EXPECT_EQ(p->value(5).toString(), QStringLiteral("1"));
    EXPECT_EQ(p->value(6).toInt(), 2);
    EXPECT_EQ(p->value(7).toInt(), 1);
    EXPECT_EQ(p->value(8).toInt(), 0);
    EXPECT_EQ(p->value(9).toString(), QStringLiteral("0"));
    EXPECT_EQ(p->value(10).toString(), QStringLiteral("0"));
    EXPECT_EQ(p->value(11).toInt(), 1);
    EXPECT_EQ(p->value(12).toInt(), 1);
    EXPECT_EQ(p->value(13).toInt(), 0);

    EXPECT_EQ(texto(*e, QStringLiteral("SELECT UltLote FROM configProd")), QStringLiteral("0000000000"));
    EXPECT_EQ(texto(*e, QStringLiteral("SELECT Precario FROM configProd")),
              QStringLiteral("PrecoMedioCusto"));
    EXPECT_EQ(texto(*e, QStringLiteral("SELECT versao FROM Actualiza")), versaoBaseDados());
    EXPECT_EQ(versaoBaseDados().size(), 12);
    EXPECT_EQ(texto(*e, QStringLiteral("SELECT linha1 FROM Armazens WHERE codigo=?"), {"001"}),
              QStringLiteral("Serralharia Martins & Filhos, Lda."));
    EXPECT_EQ(texto(*e, QStringLiteral("SELECT Codigo FROM Localizacao")), QStringLiteral("00001"));

    auto u =
        e->query(QStringLiteral(
                     "SELECT Login, Password, AlteraPassword, ValidaInterno FROM Utilizador WHERE Codigo=?"),
                 {"01"});
    ASSERT_TRUE(u && u->next());
    EXPECT_EQ(u->value(0).toString(), QStringLiteral("Supervisor"));
    EXPECT_TRUE(verificarPassword(u->value(1).toString(), QString::fromLatin1(PasswordInicialSupervisor)));
    EXPECT_EQ(u->value(2).toInt(), 1);
    EXPECT_EQ(u->value(3).toInt(), 1);
    auto c = e->query(
        QStringLiteral(
            "SELECT armazem, caixa, ActivaLogGeral, AltArmazem FROM UtilConfGeral WHERE utilizador=?"),
        {"01"});
    ASSERT_TRUE(c && c->next());
    EXPECT_EQ(c->value(0).toString(), QStringLiteral("001"));
    EXPECT_EQ(c->value(1).toString(), QStringLiteral("01"));
    EXPECT_EQ(c->value(2).toInt(), 1);
    EXPECT_EQ(c->value(3).toInt(), 1);

    // A second creation with the same code is refused and leaves the first company as it was.
    const Resultado<> segunda = criarEmpresa(servidor, codigo, QStringLiteral("Outra"), 2026);
    ASSERT_FALSE(segunda);
    EXPECT_TRUE(segunda.mensagem().contains(QStringLiteral("já existe"))) << segunda.mensagem().toStdString();
    EXPECT_EQ(texto(*e, QStringLiteral("SELECT NomeEmpresa FROM ParamGeral")),
              QStringLiteral("Serralharia Martins & Filhos, Lda."));
    EXPECT_EQ(contar(*e, QStringLiteral("Utilizador")), 1);
}

TEST_P(EmpresasTest, DadosInvalidosNaoCriamNada) {
    for (const char* c : {"0001", "aZ09", "ABCD"})
        EXPECT_TRUE(codigoEmpresaValido(QLatin1String(c))) << c;
    for (const QString& c :
         {QStringLiteral(""), QStringLiteral("AB1"), QStringLiteral("ABCDE"), QStringLiteral("AB-1"),
          QStringLiteral("AB_1"), QStringLiteral("ÁB12"), QStringLiteral("AB 1")})
        EXPECT_FALSE(codigoEmpresaValido(c)) << c.toStdString();

    EXPECT_FALSE(criarEmpresa(servidor, QStringLiteral("AB-1"), QStringLiteral("X"), 2025));
    const QString codigo = novoCodigo();
    EXPECT_FALSE(criarEmpresa(servidor, codigo, QStringLiteral("   "), 2025));
    const Resultado<> ano = criarEmpresa(servidor, codigo, QStringLiteral("X"), 25);
    EXPECT_FALSE(AdminServidor::existeBaseDados(servidor, nomeBaseDadosEmpresa(codigo)));
    ASSERT_FALSE(ano);
    EXPECT_FALSE(ano.mensagem().isEmpty());
}

TEST_P(EmpresasTest, FalhaNoPreenchimentoNaoDeixaMeiaEmpresa) {
    const QString codigo = novoCodigo();
    NovaEmpresa nova;
    nova.codigo = codigo;
    nova.nome = QStringLiteral("Empresa Falhada");
    nova.ano = 2025;
    const Resultado<> r = criarEmpresa(servidor, nova, [](Database& d) -> Resultado<> {
        // The base rows are already written inside the transaction when this step fails.
        EXPECT_EQ(d.scalar(QStringLiteral("SELECT COUNT(*) FROM ParamGeral")).toInt(), 1);
        return Falha(QStringLiteral("falha provocada"));
    });
    ASSERT_FALSE(r);
    EXPECT_TRUE(r.mensagem().contains(QStringLiteral("falha provocada"))) << r.mensagem().toStdString();
    EXPECT_FALSE(AdminServidor::existeBaseDados(servidor, nomeBaseDadosEmpresa(codigo)));
    const auto lista = listarEmpresas(servidor);
    ASSERT_TRUE(semFalha(lista));
    for (const EmpresaInfo& e : *lista)
        EXPECT_NE(e.codigo, codigo);
}

TEST_P(EmpresasTest, ListagemSoMostraBasesDeEmpresa) {
    const QString codigo = novoCodigo();
    ASSERT_TRUE(semFalha(criarEmpresa(servidor, codigo, QStringLiteral("Fábrica ABC"), 2024)));
    // Names that are not companies; on a shared server their tails are random.
    const QString sufixo = isSQLite() ? QStringLiteral("1234") : codigoEmpresaAleatorio();
    criarBaseVazia(QStringLiteral("LumoGest") + sufixo + QStringLiteral("5"));
    criarBaseVazia(QStringLiteral("Outra") + sufixo);
    // A company database that cannot be read is still listed, with placeholders.
    const QString vazia = novoCodigo();
    criarBaseVazia(nomeBaseDadosEmpresa(vazia));

    const auto lista = listarEmpresas(servidor);
    ASSERT_TRUE(semFalha(lista));
    QHash<QString, EmpresaInfo> porCodigo;
    for (const EmpresaInfo& e : *lista) {
        EXPECT_EQ(e.codigo.size(), 4) << e.codigo.toStdString();
        porCodigo.insert(e.codigo, e);
    }
    EXPECT_FALSE(porCodigo.contains(sufixo));
    ASSERT_TRUE(porCodigo.contains(codigo));
    const EmpresaInfo e = porCodigo.value(codigo);
    EXPECT_EQ(e.nome, QStringLiteral("Fábrica ABC"));
    EXPECT_EQ(e.ano, QStringLiteral("2024"));
    EXPECT_EQ(e.versao, versaoBaseDados());
    EXPECT_EQ(e.servidor, textoServidor(servidor));
    EXPECT_TRUE(e.acessivel);
    ASSERT_TRUE(porCodigo.contains(vazia));
    EXPECT_FALSE(porCodigo.value(vazia).acessivel);
    EXPECT_EQ(porCodigo.value(vazia).nome,
              QStringLiteral("Base de Dados - (%1)").arg(nomeBaseDadosEmpresa(vazia)));
    EXPECT_EQ(porCodigo.value(vazia).versao, QStringLiteral("===="));

    // A company without a name takes its first warehouse's heading and keeps it.
    {
        auto d = abrir(codigo);
        ASSERT_TRUE(d);
        ASSERT_TRUE(d->exec(QStringLiteral("UPDATE ParamGeral SET NomeEmpresa=''")));
        ASSERT_TRUE(d->exec(QStringLiteral("UPDATE Armazens SET linha1=?"), {"Fábrica ABC - Sede"}));
    }
    const auto outraVez = listarEmpresas(servidor);
    ASSERT_TRUE(semFalha(outraVez));
    for (const EmpresaInfo& x : *outraVez) {
        if (x.codigo == codigo) {
            EXPECT_EQ(x.nome, QStringLiteral("Fábrica ABC - Sede"));
        }
    }
    auto d = abrir(codigo);
    ASSERT_TRUE(d);
    EXPECT_EQ(texto(*d, QStringLiteral("SELECT NomeEmpresa FROM ParamGeral")),
              QStringLiteral("Fábrica ABC - Sede"));
}

TEST_P(EmpresasTest, DemoTemStockCoerente) {
    const QString codigo = novoCodigo();
    const Resultado<bool> criada = criarEmpresaDemo(servidor, codigo);
    ASSERT_TRUE(semFalha(criada));
    EXPECT_TRUE(*criada);
    auto d = abrir(codigo);
    ASSERT_TRUE(d);
    const int linhas = contar(*d, QStringLiteral("MovProduto"));
    const int doProcesso = contar(*d, QStringLiteral("Prod_ProcessosMov"));
    EXPECT_GT(doProcesso, 0) << "the demo has a process in course";
    EXPECT_EQ(linhas, int(stockInicialDemo().size()) + doProcesso);
    // Each process movement has its own stock row, same product and quantity, linked by identifier.
    EXPECT_EQ(d->scalar(QStringLiteral("SELECT COUNT(*) FROM Prod_ProcessosMov p JOIN MovProduto m ON "
                                       "m.Identifica=p.IdentificaMovPro AND m.Codigo=p.Produto WHERE "
                                       "m.QuantNormal=ABS(p.Quantidade) AND m.AfectaStk=(CASE WHEN p.Quantidade<0 "
                                       "THEN 'S-' ELSE 'S+' END)"))
                  .toInt(),
              doProcesso);

    // What was posted is exactly the opening stock, product by product.
    QHash<QString, Currency> esperado;
    for (const StockInicialDemo& s : stockInicialDemo())
        esperado[s.produto] += s.quantidade;
    for (auto it = esperado.cbegin(); it != esperado.cend(); ++it) {
        const Currency saldo = Currency::fromVariant(d->scalar(
            QStringLiteral("SELECT SUM(QuantNormal) FROM MovProduto WHERE Codigo=? AND AfectaStk='E+'"),
            {it.key()}));
        EXPECT_EQ(saldo, it.value()) << it.key().toStdString();
    }

    // Every row: value = price x quantity at two decimals, cost equal to the product file, whole units for
    // "UN".
    auto q = d->query(
        QStringLiteral("SELECT m.Codigo, m.Preco, m.QuantNormal, m.ValorIliq, m.PMCusto, p.PrecoMedioCusto, "
                       "p.UltPrecoCusto, p.UltPrecoCompra, p.Lote, m.Lote, m.Unidade, u.ApenasUnidade, "
                       "m.Tipo, m.Estado, m.Aplic "
                       "FROM MovProduto m JOIN Produtos p ON p.Codigo=m.Codigo "
                       "LEFT JOIN TabUnidades u ON u.Codigo=m.Unidade"));
    ASSERT_TRUE(q);
    int vistas = 0;
    while (q->next()) {
        ++vistas;
        const std::string cod = q->value(0).toString().toStdString();
        const Currency preco = Currency::fromVariant(q->value(1));
        const Currency quant = Currency::fromVariant(q->value(2));
        EXPECT_FALSE(preco.isZero()) << cod;
        EXPECT_EQ(Currency::fromVariant(q->value(3)), quant.multiply(preco, Currency::Arredondamento::MetadeAfastaDeZero).rounded(2, Currency::Arredondamento::MetadeAfastaDeZero)) << cod;
        EXPECT_EQ(Currency::fromVariant(q->value(4)), preco) << cod;
        EXPECT_EQ(Currency::fromVariant(q->value(5)), preco) << cod;
        EXPECT_EQ(Currency::fromVariant(q->value(6)), preco) << cod;
        EXPECT_EQ(Currency::fromVariant(q->value(7)), preco) << cod;
        EXPECT_EQ(q->value(8).toInt() == 1, !q->value(9).toString().isEmpty()) << cod;
        ASSERT_FALSE(q->value(11).isNull()) << cod << " sem unidade conhecida";
        if (q->value(11).toInt() == 1) {
            EXPECT_EQ(quant.casasDecimais(), 0) << cod;
        }
        EXPECT_TRUE(QStringList({"SI", "SPP", "DPP"}).contains(q->value(12).toString())) << cod;
        EXPECT_EQ(q->value(13).toString(), QStringLiteral("N"));
        EXPECT_EQ(q->value(14).toString(), QStringLiteral("ST"));
    }
    EXPECT_EQ(vistas, linhas);

    // Lot rows point at existing lots of the same product, with the lot's dates.
    EXPECT_EQ(
        d->scalar(QStringLiteral("SELECT COUNT(*) FROM MovProduto m WHERE m.Lote<>'' AND NOT EXISTS "
                                 "(SELECT 1 FROM TabLotes t WHERE t.Produto=m.Codigo AND t.Codigo=m.Lote "
                                 "AND t.DataFabrico=m.DataFabrico AND t.DataValidade=m.DataValidade)"))
            .toInt(),
        0);
    EXPECT_EQ(d->scalar(QStringLiteral("SELECT COUNT(*) FROM Produtos p WHERE p.Lote=1 AND NOT EXISTS "
                                       "(SELECT 1 FROM TabLotes t WHERE t.Produto=p.Codigo)"))
                  .toInt(),
              0);
    EXPECT_GE(d->scalar(QStringLiteral("SELECT COUNT(*) FROM Produtos WHERE Lote=1")).toInt(), 2);

    // Every bill uses known products, and the production types are configured with their stock effect.
    EXPECT_EQ(d->scalar(QStringLiteral("SELECT COUNT(*) FROM Nomenclatura n WHERE NOT EXISTS "
                                       "(SELECT 1 FROM Produtos p WHERE p.Codigo=n.ProdutoPrima)"))
                  .toInt(),
              0);
    auto cp = d->query(QStringLiteral("SELECT t.AfectaStk FROM configProd c JOIN TabTipoMov t ON t.Codigo IN "
                                      "(c.TipoSaida, c.Tipoent, c.Tiporet, c.TipoRef) ORDER BY t.Codigo"));
    ASSERT_TRUE(cp);
    QStringList efeitos;
    while (cp->next())
        efeitos << cp->value(0).toString();
    EXPECT_EQ(efeitos, (QStringList{"S-", "E+", "S+", "S+"})); // DPR, EPR, RPR, SPR
    EXPECT_EQ(texto(*d, QStringLiteral("SELECT value FROM Acessos WHERE utilizador=? AND chave=?"),
                    {"02", "WLumoProd"}),
              QStringLiteral("1"));
    EXPECT_EQ(texto(*d, QStringLiteral("SELECT armazem FROM UtilConfGeral WHERE utilizador=?"), {"02"}),
              QStringLiteral("001"));
    EXPECT_EQ(texto(*d, QStringLiteral("SELECT ano FROM ParamGeral")),
              QString::number(QDate::currentDate().year()));

    // Asking again changes nothing.
    d->close();
    const Resultado<bool> outraVez = criarEmpresaDemo(servidor, codigo);
    ASSERT_TRUE(semFalha(outraVez));
    EXPECT_FALSE(*outraVez);
    auto d2 = abrir(codigo);
    ASSERT_TRUE(d2);
    EXPECT_EQ(contar(*d2, QStringLiteral("MovProduto")), linhas);
}

TEST_P(EmpresasTest, PasswordsNuncaFicamEmClaro) {
    const QString codigo = novoCodigo();
    ASSERT_TRUE(semFalha(criarEmpresaDemo(servidor, codigo)));
    auto d = abrir(codigo);
    ASSERT_TRUE(d);
    const QHash<QString, QString> passwords{{"Supervisor", "lumo2026"}, {"Operador", "operador2026"}};
    auto q = d->query(QStringLiteral("SELECT * FROM Utilizador"));
    ASSERT_TRUE(q);
    int n = 0;
    while (q->next()) {
        ++n;
        const QString login = q->value(QStringLiteral("Login")).toString();
        const QString hash = q->value(QStringLiteral("Password")).toString();
        ASSERT_TRUE(passwords.contains(login)) << login.toStdString();
        const QString clara = passwords.value(login);
        for (int i = 0; i < q->record().count(); ++i)
            EXPECT_FALSE(q->value(i).toString().contains(clara)) << login.toStdString();
        EXPECT_TRUE(hash.startsWith(QStringLiteral("$argon2id$")));
        EXPECT_TRUE(verificarPassword(hash, clara)) << login.toStdString();
        EXPECT_FALSE(verificarPassword(hash, clara.toUpper()));
        EXPECT_FALSE(verificarPassword(hash, QString()));
        EXPECT_EQ(q->value(QStringLiteral("AlteraPassword")).toInt(), 1);
    }
    EXPECT_EQ(n, 2);
}

TEST_P(EmpresasTest, AbrirEmpresaRepoeColunasEmFaltaEPreencheOContexto) {
    const QString codigo = novoCodigo();
    ASSERT_TRUE(semFalha(criarEmpresa(servidor, codigo, "Serração do Norte", 2026)));
    {
        auto d = abrir(codigo);
        ASSERT_TRUE(d);
        ASSERT_TRUE(d->exec("ALTER TABLE Lotes DROP COLUMN MedicoesAltura"));
        ASSERT_TRUE(d->exec("DROP TABLE LockPro"));
    }
    GlobalContext c;
    EXPECT_FALSE(abrirEmpresa(c, servidor, "ZZ9?"));
    EXPECT_FALSE(c.LigacaoEmpresa);
    ASSERT_TRUE(semFalha(abrirEmpresa(c, servidor, codigo)));
    EXPECT_EQ(c.CodigoEmpresa, codigo);
    EXPECT_EQ(c.NomeEmpresa, "Serração do Norte");
    ASSERT_TRUE(c.LigacaoEmpresa);
    EXPECT_TRUE(c.LigacaoEmpresa->dialect().existeCampo(*c.LigacaoEmpresa, "Lotes", "MedicoesAltura"));
    EXPECT_TRUE(c.LigacaoEmpresa->dialect().existeTabela(*c.LigacaoEmpresa, "LockPro"));
    c.LigacaoEmpresa->close();
}

LUMO_INSTANCIAR_MOTORES(EmpresasTest);

TEST(PasswordHash, MesmaPasswordDaHashesDiferentes) {
    const QString a = hashPassword(QStringLiteral("Pão de Ló 2026!"));
    const QString b = hashPassword(QStringLiteral("Pão de Ló 2026!"));
    EXPECT_NE(a, b);
    EXPECT_TRUE(verificarPassword(a, QStringLiteral("Pão de Ló 2026!")));
    EXPECT_TRUE(verificarPassword(b, QStringLiteral("Pão de Ló 2026!")));
    EXPECT_FALSE(verificarPassword(a, QStringLiteral("Pao de Lo 2026!")));
    EXPECT_FALSE(verificarPassword(QStringLiteral("Pão de Ló 2026!"), QStringLiteral("Pão de Ló 2026!")));
}

namespace {
struct RespostaCli {
    int codigo = -1;
    QJsonDocument json;
};

RespostaCli correrCli(const QString& dados, const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LUMO_DADOS"), dados);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(LUMO_CLI_PATH), args);
    RespostaCli r;
    if (!p.waitForFinished(60000))
        return r;
    r.codigo = p.exitCode();
    r.json = QJsonDocument::fromJson(p.readAllStandardOutput());
    return r;
}
} // namespace

TEST(LinhaComandos, DemoDepoisEmpresas) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    RespostaCli r = correrCli(dir.path(), {"demo"});
    ASSERT_EQ(r.codigo, 0);
    EXPECT_EQ(r.json.object().value("empresa").toString(), QStringLiteral("0001"));
    EXPECT_TRUE(r.json.object().value("criada").toBool());

    r = correrCli(dir.path(), {"demo"});
    ASSERT_EQ(r.codigo, 0);
    EXPECT_FALSE(r.json.object().value("criada").toBool());

    r = correrCli(dir.path(), {"criar-empresa", "CE26", "--nome", "Confeitaria Estrela", "--ano", "2026"});
    ASSERT_EQ(r.codigo, 0);

    r = correrCli(dir.path(), {"empresas"});
    ASSERT_EQ(r.codigo, 0);
    const QJsonArray lista = r.json.array();
    ASSERT_EQ(lista.size(), 2);
    const QJsonObject demo = lista.at(0).toObject();
    EXPECT_EQ(demo.value("codigo").toString(), QStringLiteral("0001"));
    EXPECT_EQ(demo.value("nome").toString(), QStringLiteral("Carpintaria Vale do Sousa, Lda."));
    EXPECT_EQ(demo.value("ano").toString(), QString::number(QDate::currentDate().year()));
    EXPECT_EQ(demo.value("versao").toString(), versaoBaseDados());
    EXPECT_FALSE(demo.value("servidor").toString().isEmpty());
    EXPECT_EQ(lista.at(1).toObject().value("nome").toString(), QStringLiteral("Confeitaria Estrela"));
    EXPECT_EQ(lista.at(1).toObject().value("ano").toString(), QStringLiteral("2026"));
}

TEST(LinhaComandos, EntradaErradaDaErroEmPortugues) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QList<QStringList> casos{
        {},
        {"inexistente"},
        {"criar-empresa", "AB1", "--nome", "X", "--ano", "2026"},
        {"criar-empresa", "AB12", "--nome", "X", "--ano", "26"},
        {"criar-empresa", "AB12", "--ano", "2026"},
        {"criar-empresa", "AB12", "--nome", "X", "--ano"},
        {"criar-empresa", "AB12", "--nome", "X", "--ano", "2026", "--cor", "azul"},
        {"empresas", "--password", "segredo"},
    };
    for (const QStringList& args : casos) {
        const RespostaCli r = correrCli(dir.path(), args);
        EXPECT_EQ(r.codigo, 1) << args.join(u' ').toStdString();
        EXPECT_FALSE(r.json.object().value("erro").toString().isEmpty()) << args.join(u' ').toStdString();
    }
    // None of the refused creations left a company behind.
    const RespostaCli r = correrCli(dir.path(), {"empresas"});
    ASSERT_EQ(r.codigo, 0);
    EXPECT_TRUE(r.json.array().isEmpty());
}

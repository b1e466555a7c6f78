#include "session/CopiaSeguranca.h"

#include "cli/LinhaComandosCli.h"
#include "common/CifraSegredos.h"
#include "common/Currency.h"
#include "company/ArquivoDocumentos.h"
#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "db/AdminServidor.h"
#include "db/esquema/Esquema.h"
#include "db/esquema/EsquemaArquivo.h"
#include "support/EmpresaDemoTest.h"
#include "support/SemFalha.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlRecord>
#include <zip.h>

namespace {

// One value as both engines must agree on it: amounts exactly, dates as text, bytes as bytes.
QString comparavel(const TabelaDef* def, const QString& coluna, const QVariant& v) {
    if (v.isNull())
        return QStringLiteral("<nulo>");
    const ColunaDef* c = def ? def->coluna(coluna) : nullptr;
    if (!c)
        return v.toString();
    switch (c->tipo) {
    case TipoColuna::Money:
        return Currency::fromVariant(v).toString();
    case TipoColuna::Numerico:
        if (c->escala <= 4)
            return Currency::fromVariant(v).toString();
        return QString::number(v.toDouble(), 'f', c->escala);
    case TipoColuna::SmallInt:
    case TipoColuna::Inteiro:
        return QString::number(qint64(v.toDouble()));
    case TipoColuna::DataHora:
        return v.metaType().id() == QMetaType::QDateTime ? v.toDateTime().toString("yyyy-MM-dd HH:mm:ss")
                                                         : v.toString();
    case TipoColuna::Binario:
        return QString::fromLatin1(v.toByteArray().toHex());
    default:
        return v.toString();
    }
}

// The rows of a table, NumRegisto first, each as "Coluna=valor|...".
QStringList linhas(Database& db, const TabelaDef& t, const QString& filtro = {}) {
    QStringList r;
    auto q = db.query(QStringLiteral("SELECT * FROM %1 %2 ORDER BY NumRegisto").arg(t.nome, filtro));
    EXPECT_TRUE(q.has_value()) << t.nome.toStdString();
    while (q && q->next()) {
        QStringList campos{QStringLiteral("NumRegisto=") + QString::number(q->value(QStringLiteral("NumRegisto")).toLongLong())};
        for (const ColunaDef& c : t.colunas)
            campos << c.nome + u'=' + comparavel(&t, c.nome, q->value(c.nome));
        r << campos.join(u'|');
    }
    return r;
}

ConnectionParams semBase(ConnectionParams p) {
    p.baseDados.clear();
    return p;
}

// Rewrites one member of a zip (or removes it when conteudo is null).
void mudarMembro(const QString& zipFicheiro, const QString& membro, const QByteArray* conteudo) {
    int erro = 0;
    zip_t* z = zip_open(QFile::encodeName(zipFicheiro).constData(), 0, &erro);
    ASSERT_NE(z, nullptr);
    const zip_int64_t i = zip_name_locate(z, membro.toUtf8().constData(), 0);
    ASSERT_GE(i, 0) << membro.toStdString();
    if (conteudo) {
        zip_source_t* s = zip_source_buffer(z, conteudo->constData(), zip_uint64_t(conteudo->size()), 0);
        ASSERT_GE(zip_file_replace(z, zip_uint64_t(i), s, 0), 0);
    } else {
        ASSERT_EQ(zip_delete(z, zip_uint64_t(i)), 0);
    }
    ASSERT_EQ(zip_close(z), 0);
}

QByteArray lerMembro(const QString& zipFicheiro, const QString& membro) {
    int erro = 0;
    zip_t* z = zip_open(QFile::encodeName(zipFicheiro).constData(), ZIP_RDONLY, &erro);
    if (!z)
        return {};
    QByteArray b;
    zip_stat_t st;
    if (zip_stat(z, membro.toUtf8().constData(), 0, &st) == 0) {
        zip_file_t* f = zip_fopen(z, membro.toUtf8().constData(), 0);
        b.resize(qsizetype(st.size));
        if (f) {
            zip_fread(f, b.data(), st.size);
            zip_fclose(f);
        }
    }
    zip_discard(z);
    return b;
}

} // namespace

// Backups of the demo company and their restore, on one engine and onto the other.
class CopiaSegurancaTest : public EmpresaDemoTest {
protected:
    void SetUp() override {
        EmpresaDemoTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(semFalha(abrirEmpresa(ctxEmpresa, servidor, empresa)));
        ctxEmpresa.CodigoUtilizador = QStringLiteral("01");
        ctxEmpresa.NomePosto = QStringLiteral("POSTO1");
    }
    void TearDown() override {
        if (ctxEmpresa.LigacaoEmpresa)
            ctxEmpresa.LigacaoEmpresa->close();
        ctxEmpresa = GlobalContext();
        for (const auto& [srv, codigo] : criadas) {
            (void)AdminServidor::apagarBaseDados(srv, nomeArquivoDocumentos(codigo));
            (void)AdminServidor::apagarBaseDados(srv, nomeBaseDadosEmpresa(codigo));
        }
        EmpresaDemoTest::TearDown();
    }

    // The other engine when the tests have both; the same engine in another folder otherwise.
    ConnectionParams outroServidor() {
        ConnectionParams pg;
        if (isSQLite() && servidorPostgresTeste(&pg))
            return pg;
        return ConnectionParams::sqlite(destino.path());
    }
    QString novoCodigo(const ConnectionParams& srv) {
        QString c;
        do
            c = codigoEmpresaAleatorio();
        while (c == empresa);
        criadas.emplace_back(srv, c);
        return c;
    }
    // The backup file of the demo, after a production posting and with values the engines are
    // easy to get wrong on: an empty text beside a null one, amounts at four decimals, bytes.
    QString copiaDaDemo() {
        produtoSimples();
        int codigo = 1;
        QByteArray saida;
        codigo = executarLinhaComandos(argumentosCli({"producao", "lancar", ordens(2)}), &saida);
        EXPECT_EQ(codigo, 0) << saida.toStdString();
        EXPECT_GT(empresaDb->insert("Imagens", Registo()("Tabela", "Produtos")("Codigo", "PA900")("Chave", "")(
                                                   "Nome", QVariant())("Imagem", QByteArray("\x00\x01\xff<&>\x00", 7))),
                  0);
        EXPECT_TRUE(empresaDb->exec("UPDATE Produtos SET PrecoVenda4=?, DescricaoAgeMar=NULL WHERE Codigo='PA900'",
                                    {QStringLiteral("987654321.1234")}));
        EXPECT_TRUE(empresaDb->exec("UPDATE Produtos SET PrecoVenda4=?, DescricaoAgeMar='' WHERE Codigo='MP008'",
                                    {QStringLiteral("-0.0001")}));
        const auto r = CopiarEmpresa(ctxEmpresa, pasta.path());
        EXPECT_TRUE(semFalha(r));
        return r ? r->ficheiro : QString();
    }
    QString ordens(int n) {
        QJsonArray a;
        for (int i = 0; i < n; ++i)
            a.append(QJsonObject{{"produto", "PA900"}, {"quantidade", "3"}, {"data", ano + "-03-02"}, {"armazem", "002"}});
        return ficheiro(QJsonDocument(a).toJson());
    }
    std::shared_ptr<Database> abrir(const ConnectionParams& srv, const QString& codigo) {
        const auto d = Database::open(ligacaoEmpresa(srv, codigo));
        EXPECT_TRUE(semFalha(d));
        return d.valorOu(nullptr);
    }
    bool existe(const ConnectionParams& srv, const QString& codigo) {
        return AdminServidor::existeBaseDados(srv, nomeBaseDadosEmpresa(codigo)) ||
               AdminServidor::existeBaseDados(srv, nomeArquivoDocumentos(codigo));
    }
    // The ledger rows a production posting writes, with their figures.
    QStringList producao(Database& db, qint64 depoisDe) {
        QStringList r;
        auto q = db.query("SELECT Tipo, Codigo, Armazem, QuantNormal, Preco, PMCusto FROM MovProduto WHERE NumRegisto>? "
                          "ORDER BY NumRegisto",
                          {depoisDe});
        while (q && q->next())
            r << QStringList{q->value(0).toString(), q->value(1).toString(), q->value(2).toString(),
                             Currency::fromVariant(q->value(3)).toString(), Currency::fromVariant(q->value(4)).toString(),
                             Currency::fromVariant(q->value(5)).toString()}
                     .join(u'|');
        return r;
    }

    GlobalContext ctxEmpresa;
    QTemporaryDir destino;
    std::vector<std::pair<ConnectionParams, QString>> criadas;
};

TEST_P(CopiaSegurancaTest, RepostaNoOutroMotorTemTodasAsLinhasEProduzIgual) {
    // A document in the archive travels with the company.
    {
        const auto arq = Abre_Connexao_DocumentosBin(ctxEmpresa);
        ASSERT_TRUE(semFalha(arq));
        NovoDocumentoArquivo n;
        n.chave = "PA900";
        n.assunto = "Ficha técnica";
        n.utilizador = "01";
        n.caminho = "ficha.pdf";
        n.conteudo = QByteArray("%PDF-\x00\x01\x02", 8);
        ASSERT_TRUE(semFalha(ArquivarDocumento(**arq, n)));
        (*arq)->close();
    }
    const QString copia = copiaDaDemo();
    ASSERT_FALSE(copia.isEmpty());
    EXPECT_EQ(QFileInfo(copia).fileName(), "ExportTARVOEX" + empresa + ".zip");
    EXPECT_EQ(QFile::permissions(copia) & (QFileDevice::ReadGroup | QFileDevice::ReadOther), 0);
    EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files | QDir::Hidden).filter(".tmp").size(), 0);

    const auto info = LerInfoCopia(copia);
    ASSERT_TRUE(semFalha(info));
    EXPECT_EQ(info->codigo, empresa);
    EXPECT_EQ(info->versaoEsquema, VersaoEsquema);
    EXPECT_TRUE(info->tabelas.contains("MovProduto"));
    EXPECT_FALSE(info->tabelas.contains("LockPro"));

    const ConnectionParams outro = outroServidor();
    const QString novo = novoCodigo(outro);
    const auto r = ReporEmpresa(outro, copia, novo);
    ASSERT_TRUE(semFalha(r));
    EXPECT_EQ(r->empresa, novo);
    EXPECT_EQ(r->nome, ctxEmpresa.NomeEmpresa);

    const auto reposta = abrir(outro, novo);
    ASSERT_TRUE(reposta);
    for (const TabelaDef& t : tabelasEmpresa()) {
        if (t.nome == "EsquemaVersao" || t.nome.startsWith("Lock", Qt::CaseInsensitive))
            continue;
        const QString filtro = t.nome == "Log_DB" ? QStringLiteral("WHERE Accao<>'Reposição'") : QString();
        EXPECT_EQ(linhas(*reposta, t, filtro), linhas(*empresaDb, t, filtro)) << t.nome.toStdString();
    }
    EXPECT_EQ(reposta->scalar("SELECT Ficheiro FROM Log_DB WHERE Accao='Reposição'").toString(),
              QFileInfo(copia).fileName());
    EXPECT_EQ(reposta->scalar("SELECT Utilizador FROM Log_DB WHERE Accao='Reposição'").toString(), "01");
    EXPECT_EQ(Currency::fromVariant(reposta->scalar("SELECT PrecoVenda4 FROM Produtos WHERE Codigo='PA900'")).toString(),
              "987654321.1234");
    EXPECT_TRUE(reposta->scalar("SELECT DescricaoAgeMar FROM Produtos WHERE Codigo='PA900'").isNull());
    EXPECT_EQ(reposta->scalar("SELECT DescricaoAgeMar FROM Produtos WHERE Codigo='MP008'").toString(), "");
    EXPECT_FALSE(reposta->scalar("SELECT DescricaoAgeMar FROM Produtos WHERE Codigo='MP008'").isNull());
    EXPECT_EQ(reposta->scalar("SELECT Imagem FROM Imagens WHERE Codigo='PA900'").toByteArray(),
              QByteArray("\x00\x01\xff<&>\x00", 7));

    // The archive came along, document bytes and all.
    {
        const auto arq = Database::open([&] {
            ConnectionParams p = outro;
            p.baseDados = nomeArquivoDocumentos(novo);
            return p;
        }());
        ASSERT_TRUE(semFalha(arq));
        EXPECT_EQ((*arq)->scalar("SELECT Doc FROM HistDocBinDocs").toByteArray(), QByteArray("%PDF-\x00\x01\x02", 8));
        EXPECT_EQ((*arq)->scalar("SELECT Assunto FROM HistDocBin").toString(), "Ficha técnica");
        (*arq)->close();
    }

    // The same order posted on both gives the same rows, and the restored identities go on after
    // the largest restored key (a collision would refuse the posting).
    const qint64 maxOrig = empresaDb->scalar("SELECT MAX(NumRegisto) FROM MovProduto").toLongLong();
    const qint64 maxRep = reposta->scalar("SELECT MAX(NumRegisto) FROM MovProduto").toLongLong();
    EXPECT_EQ(maxOrig, maxRep);
    const QString json = ordens(1);
    QByteArray saida;
    ASSERT_EQ(executarLinhaComandos(argumentosCli({"producao", "lancar", json}), &saida), 0) << saida.toStdString();
    QStringList args{"producao", "lancar", json, "--empresa", novo};
    if (outro.motor == Dialect::Motor::PostgreSQL)
        args << "--pg" << QStringLiteral("%1:%2").arg(outro.host).arg(outro.porta) << "--login" << outro.login;
    const QByteArray dadosAntes = qgetenv("LUMO_DADOS");
    if (outro.motor == Dialect::Motor::SQLite)
        qputenv("LUMO_DADOS", outro.pasta.toUtf8());
    const int codigo = executarLinhaComandos(args, &saida);
    qputenv("LUMO_DADOS", dadosAntes);
    ASSERT_EQ(codigo, 0) << saida.toStdString();
    const QStringList novasOrig = producao(*empresaDb, maxOrig);
    EXPECT_FALSE(novasOrig.isEmpty());
    EXPECT_EQ(producao(*reposta, maxRep), novasOrig);
    reposta->close();
}

TEST_P(CopiaSegurancaTest, CopiaDanificadaOuAlteradaNaoCriaEmpresa) {
    const QString copia = copiaDaDemo();
    ASSERT_FALSE(copia.isEmpty());
    const ConnectionParams srv = semBase(servidor);
    auto copiaDe = [&](const QString& nome) {
        const QString f = pasta.filePath(nome);
        QFile::remove(f);
        EXPECT_TRUE(QFile::copy(copia, f));
        QFile::setPermissions(f, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return f;
    };

    {   // truncated on the way
        const QString f = copiaDe("cortada.zip");
        QFile z(f);
        ASSERT_TRUE(z.resize(QFileInfo(f).size() / 2));
        const QString novo = novoCodigo(srv);
        const auto r = ReporEmpresa(srv, f, novo);
        ASSERT_FALSE(r.ok());
        EXPECT_FALSE(existe(srv, novo));
    }
    {   // one table's file missing
        const QString f = copiaDe("sem_tabela.zip");
        mudarMembro(f, "MovProduto.xml", nullptr);
        const QString novo = novoCodigo(srv);
        const auto r = ReporEmpresa(srv, f, novo);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.mensagem(), "A cópia está incompleta ou foi alterada: MovProduto");
        EXPECT_FALSE(existe(srv, novo));
    }
    {   // an amount changed inside a table file
        const QString f = copiaDe("alterada.zip");
        QByteArray xml = lerMembro(f, "Produtos.xml");
        ASSERT_TRUE(xml.contains("987654321.1234"));
        xml.replace("987654321.1234", "987654321.1235");
        mudarMembro(f, "Produtos.xml", &xml);
        const QString novo = novoCodigo(srv);
        const auto r = ReporEmpresa(srv, f, novo);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.mensagem(), "A cópia está incompleta ou foi alterada: Produtos");
        EXPECT_FALSE(existe(srv, novo));
    }
    {   // the control file claims a row the table file lacks: found while loading, all undone
        const QString f = copiaDe("contagem.zip");
        QByteArray info = lerMembro(f, "TARVOEXInfo.xml");
        const qint64 n = empresaDb->scalar("SELECT COUNT(*) FROM MovProduto").toLongLong();
        const QByteArray antes = QStringLiteral("tabela=\"MovProduto\" linhas=\"%1\"").arg(n).toUtf8();
        ASSERT_TRUE(info.contains(antes)) << info.toStdString();
        info.replace(antes, QStringLiteral("tabela=\"MovProduto\" linhas=\"%1\"").arg(n + 1).toUtf8());
        mudarMembro(f, "TARVOEXInfo.xml", &info);
        const QString novo = novoCodigo(srv);
        const auto r = ReporEmpresa(srv, f, novo);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.mensagem(), "A cópia está incompleta ou foi alterada: MovProduto");
        EXPECT_FALSE(existe(srv, novo));
    }
    {   // made by a newer program
        const QString f = copiaDe("nova.zip");
        QByteArray info = lerMembro(f, "TARVOEXInfo.xml");
        const QByteArray antes = QStringLiteral("<VersaoEsquema>%1</VersaoEsquema>").arg(VersaoEsquema).toUtf8();
        ASSERT_TRUE(info.contains(antes));
        info.replace(antes, QStringLiteral("<VersaoEsquema>%1</VersaoEsquema>").arg(VersaoEsquema + 1).toUtf8());
        mudarMembro(f, "TARVOEXInfo.xml", &info);
        const QString novo = novoCodigo(srv);
        const auto r = ReporEmpresa(srv, f, novo);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.mensagem(), "A cópia foi feita por uma versão mais recente do programa");
        EXPECT_FALSE(existe(srv, novo));
    }
    {   // without its control file
        const QString f = copiaDe("sem_controlo.zip");
        mudarMembro(f, "TARVOEXInfo.xml", nullptr);
        const QString novo = novoCodigo(srv);
        const auto r = ReporEmpresa(srv, f, novo);
        ASSERT_FALSE(r.ok());
        EXPECT_TRUE(r.mensagem().contains("TARVOEXInfo.xml")) << r.mensagem().toStdString();
        EXPECT_FALSE(existe(srv, novo));
    }
    {   // onto a company that exists: refused, and the company untouched
        const qint64 antes = empresaDb->scalar("SELECT COUNT(*) FROM MovProduto").toLongLong();
        const auto r = ReporEmpresa(srv, copia, empresa);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.mensagem(), QStringLiteral("A empresa %1 já existe.").arg(empresa));
        EXPECT_EQ(empresaDb->scalar("SELECT COUNT(*) FROM MovProduto").toLongLong(), antes);
        EXPECT_EQ(empresaDb->scalar("SELECT COUNT(*) FROM Log_DB WHERE Accao='Reposição'").toInt(), 0);
    }
}

TEST_P(CopiaSegurancaTest, PastaDaCopia) {
    auto r = CopiarEmpresa(ctxEmpresa, "  ");
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.mensagem(), "Não definiu a localização dos ficheiros!");
    const QString naoHa = pasta.filePath("nao_existe");
    r = CopiarEmpresa(ctxEmpresa, naoHa);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.mensagem(), QStringLiteral("Localização %1 inválida!").arg(naoHa));

    // A second backup replaces the first in place; the status texts come in order.
    QStringList estados;
    ASSERT_TRUE(semFalha(CopiarEmpresa(ctxEmpresa, pasta.path())));
    const auto segunda = CopiarEmpresa(ctxEmpresa, pasta.path(), [&](const QString& e) { estados << e; });
    ASSERT_TRUE(semFalha(segunda));
    EXPECT_EQ(estados, (QStringList{"Inicializando...", "Exportando Informação !", "Copiando Ficheiro !"}));
    const qint64 total = [&] {
        qint64 n = 0;
        for (const TabelaDef& t : tabelasEmpresa())
            if (!t.nome.startsWith("Lock", Qt::CaseInsensitive))
                n += empresaDb->scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(t.nome)).toLongLong();
        return n;
    }();
    EXPECT_EQ(segunda->linhas, total);
    EXPECT_EQ(QDir(pasta.path()).entryList({"ExportTARVOEX*"}, QDir::Files | QDir::Hidden).size(), 1);
}

TEST_P(CopiaSegurancaTest, TabelasDeOutrosProgramasVaoNaCopia) {
    // A table of another program of the suite goes in the backup; a lock table never does.
    ASSERT_TRUE(empresaDb->exec("CREATE TABLE TabelaOutroPrograma (Codigo VARCHAR(10), Valor NUMERIC(19,4))"));
    ASSERT_TRUE(empresaDb->exec("INSERT INTO TabelaOutroPrograma (Codigo, Valor) VALUES ('A', 1.5), ('B', NULL)"));
    ASSERT_TRUE(empresaDb->exec("CREATE TABLE LockTeste (Codigo VARCHAR(10))"));
    const auto copia = CopiarEmpresa(ctxEmpresa, pasta.path());
    ASSERT_TRUE(semFalha(copia));
    const QByteArray xml = lerMembro(copia->ficheiro, "tabelaoutroprograma.xml");
    EXPECT_TRUE(xml.contains("linhas=\"2\"")) << xml.left(300).toStdString();
    EXPECT_TRUE(lerMembro(copia->ficheiro, "lockteste.xml").isEmpty());
    const auto info = LerInfoCopia(copia->ficheiro);
    ASSERT_TRUE(semFalha(info));
    EXPECT_FALSE(info->tabelas.contains("lockteste", Qt::CaseInsensitive));

    // The new company has no such table: restored without it, and the user is told.
    const ConnectionParams srv = semBase(servidor);
    const QString novo = novoCodigo(srv);
    const auto r = ReporEmpresa(srv, copia->ficheiro, novo);
    ASSERT_TRUE(semFalha(r));
    ASSERT_EQ(r->avisos.size(), 1);
    EXPECT_TRUE(r->avisos[0].contains("tabelaoutroprograma", Qt::CaseInsensitive)) << r->avisos[0].toStdString();
}

TEST_P(CopiaSegurancaTest, LedgerGrandeRepostoComOsSeusIndicesEGatilhos) {
    // Enough rows for the load to leave the ledger's indexes and triggers out until its rows are in:
    // they must all be there again afterwards, and the rows and amounts the same.
    const Dialect& d = empresaDb->dialect();
    ASSERT_TRUE(empresaDb->exec(QStringLiteral("INSERT INTO MovProduto (Codigo, Tipo, Numero, Ano, Data, QuantNormal, "
                                               "Preco, Armazem, ObsLinha) SELECT 'PA900', 'ENT', %1, '2026', "
                                               "'2026-01-01', 1.5, 2.0001, '001', '' FROM %2")
                                    .arg(d.paraTexto(QStringLiteral("i")), d.serie(6000))));
    const auto copia = CopiarEmpresa(ctxEmpresa, pasta.path());
    ASSERT_TRUE(semFalha(copia));
    const ConnectionParams srv = semBase(servidor);
    const QString novo = novoCodigo(srv);
    ASSERT_TRUE(semFalha(ReporEmpresa(srv, copia->ficheiro, novo)));
    const auto reposta = abrir(srv, novo);
    ASSERT_TRUE(reposta);
    const QString somas = "SELECT COUNT(*), SUM(QuantNormal*Preco), COUNT(ObsLinha), MAX(NumRegisto) FROM MovProduto";
    const auto antes = empresaDb->primeiraLinha(somas), depois = reposta->primeiraLinha(somas);
    ASSERT_TRUE(antes && depois);
    EXPECT_EQ((*depois)[0].toLongLong(), (*antes)[0].toLongLong());
    EXPECT_EQ(Currency::fromVariant((*depois)[1]).toString(), Currency::fromVariant((*antes)[1]).toString());
    EXPECT_EQ((*depois)[2].toLongLong(), (*antes)[2].toLongLong()) << "empty texts must stay empty, not null";
    EXPECT_EQ((*depois)[3].toLongLong(), (*antes)[3].toLongLong());

    auto nomes = [](Database& db, const QString& sql) {
        QSet<QString> r;
        auto q = db.query(sql);
        while (q && q->next())
            r.insert(q->value(0).toString().toLower());
        return r;
    };
    const bool sqlite = d.isSQLite();
    const QSet<QString> indices = nomes(*reposta, sqlite ? "SELECT name FROM sqlite_master WHERE type='index'"
                                                         : "SELECT indexname FROM pg_indexes");
    const QSet<QString> gatilhos = nomes(*reposta, sqlite ? "SELECT name FROM sqlite_master WHERE type='trigger'"
                                                          : "SELECT tgname FROM pg_trigger WHERE NOT tgisinternal");
    for (const IndiceDef& i : tabelaEmpresa("MovProduto")->indices)
        EXPECT_TRUE(indices.contains(i.nome.toLower())) << i.nome.toStdString();
    for (const GatilhoDef& g : gatilhosEmpresa())
        EXPECT_TRUE(gatilhos.contains(g.nome.toLower())) << g.nome.toStdString();
    reposta->close();
}

TEST_P(CopiaSegurancaTest, SegredosDeOutraMaquinaSaoLimposEPedidosDeNovo) {
    // Enciphered with another machine's key they cannot be read here; one enciphered here can.
    const CifraSegredos outra(pasta.filePath("chave-de-outra-maquina.bin"));
    const CifraSegredos esta;
    ASSERT_TRUE(outra.valida());
    ASSERT_TRUE(esta.valida());
    ASSERT_TRUE(empresaDb->exec("UPDATE ParamGeral SET EMail_SMTPPassword=?, AnoAntPass=?, Password=?, PasswordSNC=''",
                                {outra.cifrar("correio"), outra.cifrar("anterior"), esta.cifrar("contabilidade")}));
    const ConnectionParams srv = semBase(servidor);
    auto repor = [&](QStringList& avisos) -> std::shared_ptr<Database> {
        const auto copia = CopiarEmpresa(ctxEmpresa, pasta.path());
        EXPECT_TRUE(semFalha(copia));
        const QString novo = novoCodigo(srv);
        const auto r = ReporEmpresa(srv, copia ? copia->ficheiro : QString(), novo);
        EXPECT_TRUE(semFalha(r));
        avisos = r ? r->avisos : QStringList{"falhou"};
        return r ? abrir(srv, novo) : nullptr;
    };
    QStringList avisos;
    auto reposta = repor(avisos);
    ASSERT_TRUE(reposta);
    EXPECT_EQ(avisos, (QStringList{"A password do servidor de correio (SMTP) tem de ser escrita de novo.",
                                   "A password da ligação à empresa do ano anterior tem de ser escrita de novo."}));
    auto linha = reposta->primeiraLinha("SELECT EMail_SMTPPassword, AnoAntPass, Password, PasswordSNC FROM ParamGeral");
    ASSERT_TRUE(linha);
    // Cleared: never sent as the password itself.
    EXPECT_EQ((*linha)[0].toString(), "");
    EXPECT_EQ((*linha)[1].toString(), "");
    EXPECT_EQ(esta.decifrar((*linha)[2].toString()).value_or("<ilegível>"), "contabilidade");
    EXPECT_EQ((*linha)[3].toString(), "");
    reposta->close();
    // The backed-up company keeps what it had.
    EXPECT_EQ(outra.decifrar(empresaDb->scalar("SELECT EMail_SMTPPassword FROM ParamGeral").toString()).value_or(""),
              "correio");

    // An SMTP password written before enciphering is still used as it is: kept, nothing to tell.
    ASSERT_TRUE(empresaDb->exec("UPDATE ParamGeral SET EMail_SMTPPassword='antiga', AnoAntPass=''"));
    reposta = repor(avisos);
    ASSERT_TRUE(reposta);
    EXPECT_TRUE(avisos.isEmpty()) << avisos.join(u'\n').toStdString();
    EXPECT_EQ(reposta->scalar("SELECT EMail_SMTPPassword FROM ParamGeral").toString(), "antiga");
    reposta->close();
}

LUMO_INSTANCIAR_MOTORES(CopiaSegurancaTest);

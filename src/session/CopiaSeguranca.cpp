// Restoring a backup into a new company: every file checked first, then the company made with the
// backup's rows in the same transaction as its schema.
#include "session/CopiaSeguranca.h"

#include "company/ArquivoDocumentos.h"
#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "db/Database.h"
#include "db/Servidor.h"
#include "db/esquema/Esquema.h"
#include "session/CopiaSegurancaComum.h"
#include "session/LogGeral.h"

#include <QDate>
#include <QFileInfo>
#include <QSysInfo>

#include <optional>

using namespace copia;

Resultado<InfoCopia> LerInfoCopia(const QString& ficheiro) {
    const auto z = abrirZip(ficheiro);
    if (!z)
        return Falha(QStringLiteral("O ficheiro %1 não é uma cópia de segurança válida.").arg(ficheiro));
    const auto c = lerControlo(z.get(), ficheiro);
    if (!c)
        return c.falha();
    return c->info;
}

Resultado<ResumoReposicao> ReporEmpresa(const ConnectionParams& servidor, const QString& ficheiro,
                                        const QString& novoCodigo, const QString& utilizador) {
    const QString codigo = novoCodigo.trimmed();
    if (!codigoEmpresaValido(codigo))
        return Falha(QStringLiteral("O código da empresa deve ter 4 letras ou algarismos."));
    const auto z = abrirZip(ficheiro);
    if (!z)
        return Falha(QStringLiteral("O ficheiro %1 não é uma cópia de segurança válida.").arg(ficheiro));
    const auto lido = lerControlo(z.get(), ficheiro);
    if (!lido)
        return lido.falha();
    const Controlo& c = *lido;
    if (c.info.versaoEsquema > VersaoEsquema)
        return Falha(QStringLiteral("A cópia foi feita por uma versão mais recente do programa"));
    const auto srv = Servidor::para(servidor);
    if (srv->existeBaseDados(nomeBaseDadosEmpresa(codigo)))
        return Falha(QStringLiteral("A empresa %1 já existe.").arg(codigo));
    if (srv->existeBaseDados(nomeArquivoDocumentos(codigo)))
        return Falha(QStringLiteral("O arquivo de documentos %1 já existe.").arg(nomeArquivoDocumentos(codigo)));

    // A missing file refuses the backup before anything is made; each file's SHA-256 is checked as
    // it is loaded (read once, not twice), and a mismatch undoes the new company.
    bool temDocs = false;
    if (c.ficheiros.empty())
        return alterada(FicheiroControlo);
    for (const EntradaControlo& e : c.ficheiros) {
        if (zip_name_locate(z.get(), e.membro.toUtf8().constData(), 0) < 0 || e.sha256.isEmpty())
            return alterada(e.tabela);
        temDocs = temDocs || e.membro.startsWith(PastaDocs);
    }

    NovaEmpresa nova;
    nova.codigo = codigo;
    nova.nome = c.info.nome.trimmed().isEmpty() ? codigo : c.info.nome;
    nova.ano = c.info.ano >= 1000 && c.info.ano <= 9999 ? c.info.ano : QDate::currentDate().year();
    // A refusal found while loading is the backup's fault and is told as such, not as a creation failure.
    std::optional<Falha> naCarga;
    QStringList avisos;
    const auto carregar = [&](Database& db) -> Resultado<> {
        auto r = carregarBase(db, z.get(), c.ficheiros, false, avisos);
        if (r)
            r = verificarSegredos(db, avisos);
        if (!r)
            naCarga = r.falha();
        return r;
    };
    if (auto r = criarEmpresa(servidor, nova, carregar); !r)
        return naCarga ? *naCarga : r.falha();

    auto desfazer = [&](const Falha& f) -> Falha {
        (void)srv->apagarBaseDados(nomeArquivoDocumentos(codigo));
        (void)srv->apagarBaseDados(nomeBaseDadosEmpresa(codigo));
        return f;
    };

    ResumoReposicao resumo;
    resumo.empresa = codigo;
    resumo.avisos = avisos;
    GlobalContext ctx;
    if (auto r = abrirEmpresa(ctx, servidor, codigo); !r)
        return desfazer(r.falha());
    ctx.CodigoUtilizador = utilizador;
    ctx.NomePosto = QSysInfo::machineHostName();
    auto fechar = [&] {
        if (ctx.LigacaoEmpresa)
            ctx.LigacaoEmpresa->close();
        ctx.LigacaoEmpresa.reset();
    };
    if (temDocs) {
        // The archive is made with its own schema, then gets the backup's rows.
        const auto docs = Abre_Connexao_DocumentosBin(ctx);
        if (!docs) {
            fechar();
            return desfazer(docs.falha());
        }
        Resultado<> carregado;
        {
            Transaction tr(**docs);
            carregado = carregarBase(**docs, z.get(), c.ficheiros, true, resumo.avisos);
            if (carregado && !tr.commit())
                carregado = Falha((*docs)->lastError());
        }
        (*docs)->close();
        if (!carregado) {
            fechar();
            return desfazer(carregado.falha());
        }
    }
    const bool escrito = LancaLOG_DB(ctx, QStringLiteral("Reposição"), QFileInfo(ficheiro).fileName());
    const auto linha = ctx.bd().primeiraLinha(
        QStringLiteral("SELECT NomeEmpresa, ano FROM ParamGeral ORDER BY NumRegisto") + ctx.bd().dialect().limite(1));
    if (linha) {
        resumo.nome = linha->at(0).toString();
        resumo.ano = linha->at(1).toInt();
    }
    fechar();
    if (!escrito)
        return desfazer(Falha(QStringLiteral("Não foi possível registar a reposição.")));
    return resumo;
}

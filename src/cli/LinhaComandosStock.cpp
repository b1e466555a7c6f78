// Stock commands of the headless program: post a ledger row, read balances, average costs and
// a product's costs, each in one company and as one of its users.

#include "company/EDiv.h"
#include "stock/CustoMedio.h"
#include "stock/LancaMovProduto.h"
#include "stock/LinhaMovProduto.h"
#include "stock/MovimentosStock.h"
#include "stock/VerificacaoMovimento.h"
#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "cli/LeitorJsonCli.h"
#include "cli/LinhaComandosCli.h"
#include "cli/SessaoCli.h"
#include "session/LogGeral.h"
#include "company/Mavo.h"
#include "company/ParametrosGerais.h"
#include "company/PeriodoAberto.h"

#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QSqlQuery>
#include <QSysInfo>

namespace {

// A warehouse named on the command line must exist: a balance of one that does not is no 0.
Resultado<> armazemExiste(SessaoCli& s, const QString& armazem) {
    if (armazem.isEmpty() || s.existe(QStringLiteral("Armazens"), armazem))
        return {};
    return Falha(QStringLiteral("Armazém Inexistente: %1").arg(armazem.left(20)));
}

Resultado<> semArgumentos(const PedidoCli& p) {
    if (p.argumentos.isEmpty())
        return {};
    return Falha(QStringLiteral("Argumento inesperado: %1").arg(p.argumentos.first()));
}

// The session of a command that does no window's work: the company open, the program's right checked.
Resultado<> abrirSessao(SessaoCli& s, const PedidoCli& p) {
    if (auto r = s.abrir(p); !r)
        return r;
    return s.permitidoPrograma();
}

// ---------------------------------------------------------------- the movement file

// A JSON value as the column's type wants it.
Resultado<QVariant> valorColuna(const ColunaDef& c, const ValorJson& v) {
    const bool eTexto = v.tipo == ValorJson::Tipo::Texto;
    auto invalido = [&] {
        const QString mostrado = eTexto || v.tipo == ValorJson::Tipo::Numero ? v.texto
                                 : v.tipo == ValorJson::Tipo::Logico      ? QString(v.logico ? "true" : "false")
                                                                          : QStringLiteral("?");
        return Falha(QStringLiteral("Valor inválido na coluna %1: %2").arg(c.nome, citacao(mostrado)));
    };
    if (!eTexto && v.tipo != ValorJson::Tipo::Numero)
        return invalido();
    const QString& texto = v.texto;
    switch (c.tipo) {
    case TipoColuna::Money:
    case TipoColuna::Numerico: {
        const std::optional<Currency> x = montanteEstrito(texto);
        if (!x)
            return Falha(
                QStringLiteral("Valor inválido na coluna %1: %2 (um número até 922337203685477 com até "
                               "4 casas decimais).")
                    .arg(c.nome, citacao(texto)));
        return x->toVariant();
    }
    case TipoColuna::SmallInt:
    case TipoColuna::Inteiro: {
        bool ok = false;
        const int n = texto.trimmed().toInt(&ok);
        if (!ok || (c.tipo == TipoColuna::SmallInt && (n < -32768 || n > 32767)))
            return invalido();
        return QVariant(n);
    }
    case TipoColuna::Texto:
    case TipoColuna::DataHora:
        if (!eTexto)
            return invalido();
        // The same limit on both engines: PostgreSQL's text columns would not stop a longer one.
        if (auto r = textoAceitavel(texto, QStringLiteral("coluna %1").arg(c.nome), c.tamanho); !r)
            return r.falha();
        return QVariant(texto);
    case TipoColuna::Memo: {
        if (!eTexto)
            return invalido();
        QString semQuebras = texto;
        semQuebras.remove(u'\n').remove(u'\r').remove(u'\t');
        if (auto r = textoAceitavel(semQuebras, QStringLiteral("coluna %1").arg(c.nome), 0); !r)
            return r.falha();
        return QVariant(texto);
    }
    case TipoColuna::Binario:
        break; // bytes are never typed in a JSON row
    }
    return invalido();
}

const char* const ColunasObrigatorias[] = {"Tipo",        "Numero", "Data",    "Codigo",
                                           "QuantNormal", "Preco",  "Armazem", "AfectaStk"};

Resultado<LinhaMovProduto> lerMovimento(const QByteArray& texto) {
    const Resultado<ValorJson> doc = lerJsonCli(texto);
    if (!doc)
        return doc.falha();
    if (!doc->isObject())
        return Falha(QStringLiteral("O ficheiro deve conter um objecto JSON com as colunas do movimento."));
    QSet<QString> vistas;
    for (const auto& [chave, valor] : doc->membros) {
        // A column the posting fills is named as such, even one the row cannot be given at all.
        if (ColunasPreenchidasPeloPrograma().contains(chave, Qt::CaseInsensitive))
            return Falha(
                QStringLiteral("A coluna %1 é preenchida pelo programa: retire-a do movimento.").arg(chave));
        const ColunaDef* c = LinhaMovProduto::coluna(chave);
        if (!c)
            return Falha(QStringLiteral("Coluna desconhecida em MovProduto: %1").arg(citacao(chave)));
        // Column names ignore case, so "preco" and "Preco" are one column given twice.
        if (vistas.contains(chave.toLower()))
            return Falha(QStringLiteral("Coluna repetida no movimento: %1").arg(chave));
        vistas.insert(chave.toLower());
        if (ColunasPreenchidasPeloPrograma().contains(c->nome, Qt::CaseInsensitive))
            return Falha(
                QStringLiteral("A coluna %1 é preenchida pelo programa: retire-a do movimento.").arg(chave));
        if (valor.isObject() || valor.isArray() || valor.tipo == ValorJson::Tipo::Logico)
            return Falha(QStringLiteral("Valor inválido na coluna %1.").arg(chave));
    }
    LinhaMovProduto linha;
    for (const auto& [chave, valor] : doc->membros) {
        if (valor.tipo == ValorJson::Tipo::Nulo)
            continue; // null: as if not given
        const ColunaDef* c = LinhaMovProduto::coluna(chave);
        const Resultado<QVariant> v = valorColuna(*c, valor);
        if (!v)
            return v.falha();
        if (!linha.definir(c->nome, *v))
            return Falha(QStringLiteral("Coluna desconhecida em MovProduto: %1").arg(citacao(chave)));
    }
    for (const char* obrigatoria : ColunasObrigatorias) {
        const QString nome = QLatin1String(obrigatoria);
        if (!linha.tem(nome) || linha.texto(nome).trimmed().isEmpty())
            return Falha(QStringLiteral("Falta a coluna %1 no movimento.").arg(nome));
    }
    if (!EDiv::DataIsoValida(linha.texto(ColMovProduto::Data)))
        return Falha(
            QStringLiteral("Data inválida: %1 (use aaaa-mm-dd).").arg(linha.texto(ColMovProduto::Data)));
    return linha;
}

// ---------------------------------------------------------------- commands

Resultado<QJsonValue> cmdMovimento(const PedidoCli& p) {
    if (p.argumentos.size() != 2 || p.argumentos.first() != QStringLiteral("lancar"))
        return Falha(QStringLiteral("Use: movimento lancar FICHEIRO"));
    const Resultado<QByteArray> texto = lerTextoFicheiroCli(p.argumentos.at(1));
    if (!texto)
        return texto.falha();
    Resultado<LinhaMovProduto> lida = lerMovimento(*texto);
    if (!lida)
        return lida.falha();
    LinhaMovProduto& linha = *lida;

    SessaoCli s;
    if (auto r = abrirSessao(s, p); !r)
        return r.falha();
    GlobalContext& ctx = s.ctx;
    QString descricao;
    const Resultado<QString> produto = s.produto(linha.texto(ColMovProduto::Codigo), &descricao);
    if (!produto)
        return produto.falha();
    linha.definir(ColMovProduto::Codigo, *produto);
    if (linha.texto(ColMovProduto::Descricao).trimmed().isEmpty())
        linha.definir(ColMovProduto::Descricao, descricao);
    // The document year follows its date unless the file says otherwise.
    if (linha.texto(ColMovProduto::Ano).trimmed().isEmpty())
        linha.definir(ColMovProduto::Ano, linha.texto(ColMovProduto::Data).left(4));
    // The row is the session user's: a file cannot post in another user's name.
    const QString utilizadorLinha = linha.texto(ColMovProduto::Utilizador).trimmed();
    if (utilizadorLinha.isEmpty())
        linha.definir(ColMovProduto::Utilizador, ctx.CodigoUtilizador);
    else if (utilizadorLinha.compare(ctx.CodigoUtilizador, Qt::CaseInsensitive) != 0)
        return Falha(QStringLiteral("O movimento indica o utilizador %1, mas o comando corre como %2.")
                         .arg(utilizadorLinha, ctx.CodigoUtilizador));

    if (auto r = VerificaMovimentoExterno(ctx, linha); !r)
        return r.falha();
    // As every document: nothing is posted into a closed period.
    if (auto r = PeriodoEmAberto(ctx, linha.texto(ColMovProduto::Data),
                                 linha.texto(ColMovProduto::Armazem).left(3));
        !r)
        return Falha(
            r.mensagem().isEmpty()
                ? QStringLiteral("Data fora do período em aberto: %1").arg(linha.texto(ColMovProduto::Data))
                : r.mensagem());

    Database& db = ctx.bd();
    Transaction t(db);
    if (!t.ok())
        return Falha(QStringLiteral("Não foi possível iniciar a gravação: %1").arg(db.lastError()));
    OpcoesLancamento opcoes;
    opcoes.produtoCarregado = *produto;
    const Resultado<qint64> n = LancaMovProduto(ctx, linha, opcoes);
    if (!n)
        return Falha(n.mensagem().isEmpty() ? QStringLiteral("O movimento não foi lançado.") : n.mensagem());
    EntradaLog e;
    e.modulo = QStringLiteral("ST");
    e.accao = QStringLiteral("N");
    e.tipo = linha.texto(ColMovProduto::Tipo);
    e.numero = linha.texto(ColMovProduto::Numero);
    e.ano = linha.texto(ColMovProduto::Ano);
    e.produto = *produto;
    e.terceiro = linha.texto(ColMovProduto::Terceiro);
    e.descricao = QStringLiteral("Lançamento de movimento de stock");
    // The posting and its log entry are kept or lost together.
    if (!LogGeral(ctx, e))
        return Falha(
            QStringLiteral("Não foi possível registar o movimento no log geral: %1").arg(db.lastError()));
    if (!t.commit())
        return Falha(QStringLiteral("Não foi possível gravar o movimento: %1").arg(db.lastError()));
    return QJsonValue(QJsonObject{{"NumRegisto", *n}});
}

Resultado<QJsonValue> cmdSaldo(const PedidoCli& p) {
    if (auto r = semArgumentos(p); !r)
        return r.falha();
    if (p.opcao(QStringLiteral("produto")).trimmed().isEmpty())
        return Falha(QStringLiteral("Falta o produto (--produto CODIGO)."));
    const QString data = p.opcao(QStringLiteral("data")).trimmed();
    if (p.opcoes.contains(QStringLiteral("data")) && !EDiv::DataIsoValida(data))
        return Falha(QStringLiteral("Data inválida: %1 (use aaaa-mm-dd).").arg(data));
    SessaoCli s;
    if (auto r = abrirSessao(s, p); !r)
        return r.falha();
    const Resultado<QString> produto = s.produto(p.opcao(QStringLiteral("produto")));
    if (!produto)
        return produto.falha();
    const QString armazem = p.opcao(QStringLiteral("armazem")).trimmed();
    if (auto r = armazemExiste(s, armazem); !r)
        return r.falha();
    const QString localizacao = p.opcao(QStringLiteral("localizacao")).trimmed();
    const QString lote = p.opcao(QStringLiteral("lote")).trimmed();
    Currency saldo;
    if (!data.isEmpty()) {
        FiltroExistencia f;
        f.produto = *produto;
        f.armazem = armazem;
        f.localizacao = localizacao;
        f.lote = lote;
        f.data = data;
        saldo = ExistenciaProduto(s.ctx, f);
    } else {
        FiltroSaldo f;
        f.produto = *produto;
        if (!armazem.isEmpty())
            f.armazem = armazem;
        if (!localizacao.isEmpty())
            f.localizacao = localizacao;
        if (!lote.isEmpty())
            f.lote = lote;
        const Resultado<Currency> lido = SaldoProdutoArmazem(s.ctx.bd(), f);
        if (!lido)
            return Falha(QStringLiteral("Não foi possível ler o saldo de %1: %2")
                             .arg(*produto, s.ctx.bd().lastError()));
        saldo = *lido;
    }
    return QJsonValue(QJsonObject{{"saldo", saldo.toString()}});
}

Resultado<QJsonValue> cmdPmc(const PedidoCli& p) {
    if (auto r = semArgumentos(p); !r)
        return r.falha();
    if (p.opcao(QStringLiteral("produto")).trimmed().isEmpty())
        return Falha(QStringLiteral("Falta o produto (--produto CODIGO)."));
    CorteCustoMedio corte;
    corte.data = p.opcao(QStringLiteral("data")).trimmed();
    if (p.opcoes.contains(QStringLiteral("data")) && !EDiv::DataIsoValida(corte.data))
        return Falha(QStringLiteral("Data inválida: %1 (use aaaa-mm-dd).").arg(corte.data));
    corte.armazem = p.opcao(QStringLiteral("armazem")).trimmed();
    SessaoCli s;
    if (auto r = abrirSessao(s, p); !r)
        return r.falha();
    const Resultado<QString> produto = s.produto(p.opcao(QStringLiteral("produto")));
    if (!produto)
        return produto.falha();
    if (auto r = armazemExiste(s, corte.armazem); !r)
        return r.falha();
    const Resultado<Currency> pmc = CalculaPrecoMedioCusto(s.ctx.bd(), *produto, LinhaEmCurso{}, corte);
    if (!pmc)
        return Falha(QStringLiteral("Não foi possível calcular o preço médio de custo de %1.").arg(*produto));
    return QJsonValue(QJsonObject{{"pmc", pmc->toString()}});
}

Resultado<QJsonValue> cmdProduto(const PedidoCli& p) {
    if (auto r = semArgumentos(p); !r)
        return r.falha();
    if (p.opcao(QStringLiteral("codigo")).trimmed().isEmpty())
        return Falha(QStringLiteral("Falta o código do produto (--codigo CODIGO)."));
    SessaoCli s;
    if (auto r = abrirSessao(s, p); !r)
        return r.falha();
    const Resultado<QString> produto = s.produto(p.opcao(QStringLiteral("codigo")));
    if (!produto)
        return produto.falha();
    Database& db = s.ctx.bd();
    auto q =
        db.query(QStringLiteral("SELECT Codigo, Descricao, PrecoMedioCusto, UltPrecoCompra, UltPrecoCusto "
                                "FROM Produtos WHERE Codigo=? ORDER BY NumRegisto") +
                     db.dialect().limite(1),
                 {*produto});
    if (!q || !q->next())
        return Falha(QStringLiteral("Não foi possível ler o produto %1: %2").arg(*produto, db.lastError()));
    auto montante = [&](int i) { return Currency::fromVariant(q->value(i)).toString(); };
    return QJsonValue(QJsonObject{{"codigo", q->value(0).toString()},
                                  {"descricao", q->value(1).toString()},
                                  {"PrecoMedioCusto", montante(2)},
                                  {"UltPrecoCompra", montante(3)},
                                  {"UltPrecoCusto", montante(4)}});
}

QStringList opcoesEmpresa(QStringList proprias) {
    return proprias << QStringLiteral("empresa") << QStringLiteral("utilizador");
}

} // namespace

std::vector<ComandoCli> comandosStockCli() {
    return {
        {QStringLiteral("movimento"),
         QStringLiteral("movimento lancar FICHEIRO --empresa CODIGO [--utilizador CODIGO]"),
         QStringLiteral(
             "Lança um movimento de stock descrito num ficheiro JSON com as colunas de MovProduto."),
         opcoesEmpresa({}), cmdMovimento},
        {QStringLiteral("saldo"),
         QStringLiteral("saldo --empresa CODIGO --produto P [--armazem A] [--localizacao L] [--lote X] "
                        "[--data aaaa-mm-dd]"),
         QStringLiteral("Existência de um produto."),
         opcoesEmpresa({QStringLiteral("produto"), QStringLiteral("armazem"), QStringLiteral("localizacao"),
                        QStringLiteral("lote"), QStringLiteral("data")}),
         cmdSaldo},
        {QStringLiteral("pmc"),
         QStringLiteral("pmc --empresa CODIGO --produto P [--armazem A] [--data aaaa-mm-dd]"),
         QStringLiteral("Preço médio de custo de um produto, calculado pelos movimentos."),
         opcoesEmpresa({QStringLiteral("produto"), QStringLiteral("armazem"), QStringLiteral("data")}),
         cmdPmc},
        {QStringLiteral("produto"), QStringLiteral("produto --empresa CODIGO --codigo P"),
         QStringLiteral("Custos da ficha de um produto."), opcoesEmpresa({QStringLiteral("codigo")}),
         cmdProduto},
    };
}

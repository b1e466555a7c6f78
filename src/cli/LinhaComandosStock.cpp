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


bool falhar(QString& erro, const QString& texto) {
    erro = texto;
    return false;
}



// A warehouse named on the command line must exist: a balance of one that does not is no 0.
bool armazemExiste(SessaoCli& s, const QString& armazem, QString& erro) {
    if (armazem.isEmpty() || s.existe(QStringLiteral("Armazens"), armazem))
        return true;
    return falhar(erro, QStringLiteral("Armazém Inexistente: %1").arg(armazem.left(20)));
}

bool semArgumentos(const PedidoCli& p, QString& erro) {
    if (p.argumentos.isEmpty())
        return true;
    return falhar(erro, QStringLiteral("Argumento inesperado: %1").arg(p.argumentos.first()));
}

// ---------------------------------------------------------------- the movement file

// A JSON value as the column's type wants it.
bool valorColuna(const ColunaDef& c, const ValorJson& v, QVariant& valor, QString& erro) {
    const bool eTexto = v.tipo == ValorJson::Tipo::Texto;
    auto invalido = [&] {
        const QString mostrado = eTexto || v.tipo == ValorJson::Tipo::Numero ? v.texto
                                 : v.tipo == ValorJson::Tipo::Logico      ? QString(v.logico ? "true" : "false")
                                                                          : QStringLiteral("?");
        return falhar(erro, QStringLiteral("Valor inválido na coluna %1: %2").arg(c.nome, citacao(mostrado)));
    };
    if (!eTexto && v.tipo != ValorJson::Tipo::Numero)
        return invalido();
    const QString& texto = v.texto;
    switch (c.tipo) {
    case TipoColuna::Money:
    case TipoColuna::Numerico: {
        const std::optional<Currency> x = montanteEstrito(texto);
        if (!x)
            return falhar(erro, QStringLiteral("Valor inválido na coluna %1: %2 (um número até 922337203685477 com até "
                                               "4 casas decimais).")
                                    .arg(c.nome, citacao(texto)));
        valor = x->toVariant();
        return true;
    }
    case TipoColuna::SmallInt:
    case TipoColuna::Inteiro: {
        bool ok = false;
        const int n = texto.trimmed().toInt(&ok);
        if (!ok || (c.tipo == TipoColuna::SmallInt && (n < -32768 || n > 32767)))
            return invalido();
        valor = n;
        return true;
    }
    case TipoColuna::Texto:
    case TipoColuna::DataHora:
        // The same limit on both engines: PostgreSQL's text columns would not stop a longer one.
        if (!eTexto || !textoAceitavel(texto, QStringLiteral("coluna %1").arg(c.nome), c.tamanho, erro))
            return eTexto ? false : invalido();
        valor = texto;
        return true;
    case TipoColuna::Memo: {
        QString semQuebras = texto;
        semQuebras.remove(u'\n').remove(u'\r').remove(u'\t');
        if (!eTexto || !textoAceitavel(semQuebras, QStringLiteral("coluna %1").arg(c.nome), 0, erro))
            return eTexto ? false : invalido();
        valor = texto;
        return true;
    }
    }
    return invalido();
}

const char* const ColunasObrigatorias[] = {"Tipo",        "Numero", "Data",    "Codigo",
                                           "QuantNormal", "Preco",  "Armazem", "AfectaStk"};

bool lerMovimento(const QByteArray& texto, LinhaMovProduto& linha, QString& erro) {
    ValorJson doc;
    if (!lerJsonCli(texto, doc, erro))
        return false;
    if (!doc.isObject())
        return falhar(erro,
                      QStringLiteral("O ficheiro deve conter um objecto JSON com as colunas do movimento."));
    QSet<QString> vistas;
    for (const auto& [chave, valor] : doc.membros) {
        // A column the posting fills is named as such, even one the row cannot be given at all.
        if (ColunasPreenchidasPeloPrograma().contains(chave, Qt::CaseInsensitive))
            return falhar(erro, QStringLiteral("A coluna %1 é preenchida pelo programa: retire-a do movimento.")
                                    .arg(chave));
        const ColunaDef* c = LinhaMovProduto::coluna(chave);
        if (!c)
            return falhar(erro, QStringLiteral("Coluna desconhecida em MovProduto: %1").arg(citacao(chave)));
        // Column names ignore case, so "preco" and "Preco" are one column given twice.
        if (vistas.contains(chave.toLower()))
            return falhar(erro, QStringLiteral("Coluna repetida no movimento: %1").arg(chave));
        vistas.insert(chave.toLower());
        if (ColunasPreenchidasPeloPrograma().contains(c->nome, Qt::CaseInsensitive))
            return falhar(erro, QStringLiteral("A coluna %1 é preenchida pelo programa: retire-a do movimento.")
                                    .arg(chave));
        if (valor.isObject() || valor.isArray() || valor.tipo == ValorJson::Tipo::Logico)
            return falhar(erro, QStringLiteral("Valor inválido na coluna %1.").arg(chave));
    }
    for (const auto& [chave, valor] : doc.membros) {
        const ColunaDef* c = LinhaMovProduto::coluna(chave);
        if (valor.tipo == ValorJson::Tipo::Nulo)
            continue; // null: as if not given
        QVariant v;
        if (!valorColuna(*c, valor, v, erro))
            return false;
        linha.definir(c->nome, v);
    }
    for (const char* obrigatoria : ColunasObrigatorias) {
        const QString nome = QLatin1String(obrigatoria);
        if (!linha.tem(nome) || linha.texto(nome).trimmed().isEmpty())
            return falhar(erro, QStringLiteral("Falta a coluna %1 no movimento.").arg(nome));
    }
    if (!EDiv::DataIsoValida(linha.texto(QStringLiteral("Data"))))
        return falhar(
            erro,
            QStringLiteral("Data inválida: %1 (use aaaa-mm-dd).").arg(linha.texto(QStringLiteral("Data"))));
    return true;
}

// ---------------------------------------------------------------- commands

bool cmdMovimento(const PedidoCli& p, QJsonValue& resultado, QString& erro) {
    if (p.argumentos.size() != 2 || p.argumentos.first() != QStringLiteral("lancar"))
        return falhar(erro, QStringLiteral("Use: movimento lancar FICHEIRO"));
    QByteArray texto;
    if (!lerTextoFicheiroCli(p.argumentos.at(1), texto, erro))
        return false;
    LinhaMovProduto linha;
    if (!lerMovimento(texto, linha, erro))
        return false;

    SessaoCli s;
    if (!s.abrir(p, erro) || !s.permitidoPrograma(erro))
        return false;
    GlobalContext& ctx = s.ctx;
    QString produto, descricao;
    if (!s.produto(linha.texto(QStringLiteral("Codigo")), produto, erro, &descricao))
        return false;
    linha.definir(QStringLiteral("Codigo"), produto);
    if (linha.texto(QStringLiteral("Descricao")).trimmed().isEmpty())
        linha.definir(QStringLiteral("Descricao"), descricao);
    // The document year follows its date unless the file says otherwise.
    if (linha.texto(QStringLiteral("Ano")).trimmed().isEmpty())
        linha.definir(QStringLiteral("Ano"), linha.texto(QStringLiteral("Data")).left(4));
    // The row is the session user's: a file cannot post in another user's name.
    const QString utilizadorLinha = linha.texto(QStringLiteral("Utilizador")).trimmed();
    if (utilizadorLinha.isEmpty())
        linha.definir(QStringLiteral("Utilizador"), ctx.CodigoUtilizador);
    else if (utilizadorLinha.compare(ctx.CodigoUtilizador, Qt::CaseInsensitive) != 0)
        return falhar(erro, QStringLiteral("O movimento indica o utilizador %1, mas o comando corre como %2.")
                                .arg(utilizadorLinha, ctx.CodigoUtilizador));

    if (!VerificaMovimentoExterno(ctx, linha, erro))
        return false;
    // As every document: nothing is posted into a closed period.
    InteraccaoCli periodo;
    if (!ValidaPeriodoAberto(ctx, periodo, linha.texto(QStringLiteral("Data")),
                             linha.texto(QStringLiteral("Armazem")).left(3), true))
        return falhar(erro, periodo.ultima.isEmpty() ? QStringLiteral("Data fora do período em aberto: %1")
                                                           .arg(linha.texto(QStringLiteral("Data")))
                                                     : periodo.ultima);

    Database& db = ctx.bd();
    Transaction t(db);
    if (!t.ok())
        return falhar(erro, QStringLiteral("Não foi possível iniciar a gravação: %1").arg(db.lastError()));
    ctx.UltimoErro.clear();
    OpcoesLancamento opcoes;
    opcoes.produtoCarregado = produto;
    const qint64 n = LancaMovProduto(ctx, linha, opcoes);
    if (n <= 0)
        return falhar(erro, ctx.UltimoErro.isEmpty() ? QStringLiteral("O movimento não foi lançado.")
                                                     : ctx.UltimoErro);
    EntradaLog e;
    e.modulo = QStringLiteral("ST");
    e.accao = QStringLiteral("N");
    e.tipo = linha.texto(QStringLiteral("Tipo"));
    e.numero = linha.texto(QStringLiteral("Numero"));
    e.ano = linha.texto(QStringLiteral("Ano"));
    e.produto = produto;
    e.terceiro = linha.texto(QStringLiteral("Terceiro"));
    e.descricao = QStringLiteral("Lançamento de movimento de stock");
    // The posting and its log entry are kept or lost together.
    if (!LogGeral(ctx, e))
        return falhar(
            erro,
            QStringLiteral("Não foi possível registar o movimento no log geral: %1").arg(db.lastError()));
    if (!t.commit())
        return falhar(erro, QStringLiteral("Não foi possível gravar o movimento: %1").arg(db.lastError()));
    resultado = QJsonObject{{"NumRegisto", n}};
    return true;
}

bool cmdSaldo(const PedidoCli& p, QJsonValue& resultado, QString& erro) {
    if (!semArgumentos(p, erro))
        return false;
    if (p.opcao(QStringLiteral("produto")).trimmed().isEmpty())
        return falhar(erro, QStringLiteral("Falta o produto (--produto CODIGO)."));
    const QString data = p.opcao(QStringLiteral("data")).trimmed();
    if (p.opcoes.contains(QStringLiteral("data")) && !EDiv::DataIsoValida(data))
        return falhar(erro, QStringLiteral("Data inválida: %1 (use aaaa-mm-dd).").arg(data));
    SessaoCli s;
    QString produto;
    if (!s.abrir(p, erro) || !s.permitidoPrograma(erro) || !s.produto(p.opcao(QStringLiteral("produto")), produto, erro))
        return false;
    const QString armazem = p.opcao(QStringLiteral("armazem")).trimmed();
    if (!armazemExiste(s, armazem, erro))
        return false;
    const QString localizacao = p.opcao(QStringLiteral("localizacao")).trimmed();
    const QString lote = p.opcao(QStringLiteral("lote")).trimmed();
    Currency saldo;
    if (!data.isEmpty()) {
        FiltroExistencia f;
        f.produto = produto;
        f.armazem = armazem;
        f.localizacao = localizacao;
        f.lote = lote;
        f.data = data;
        saldo = ExistenciaProduto(s.ctx, f);
    } else {
        FiltroSaldo f;
        f.produto = produto;
        if (!armazem.isEmpty())
            f.armazem = armazem;
        if (!localizacao.isEmpty())
            f.localizacao = localizacao;
        if (!lote.isEmpty())
            f.lote = lote;
        bool ok = false;
        saldo = SaldoProdutoArmazem(s.ctx.bd(), f, &ok);
        if (!ok)
            return falhar(erro, QStringLiteral("Não foi possível ler o saldo de %1: %2")
                                    .arg(produto, s.ctx.bd().lastError()));
    }
    resultado = QJsonObject{{"saldo", saldo.toString()}};
    return true;
}

bool cmdPmc(const PedidoCli& p, QJsonValue& resultado, QString& erro) {
    if (!semArgumentos(p, erro))
        return false;
    if (p.opcao(QStringLiteral("produto")).trimmed().isEmpty())
        return falhar(erro, QStringLiteral("Falta o produto (--produto CODIGO)."));
    CorteCustoMedio corte;
    corte.data = p.opcao(QStringLiteral("data")).trimmed();
    if (p.opcoes.contains(QStringLiteral("data")) && !EDiv::DataIsoValida(corte.data))
        return falhar(erro, QStringLiteral("Data inválida: %1 (use aaaa-mm-dd).").arg(corte.data));
    corte.armazem = p.opcao(QStringLiteral("armazem")).trimmed();
    SessaoCli s;
    QString produto;
    if (!s.abrir(p, erro) || !s.permitidoPrograma(erro) || !s.produto(p.opcao(QStringLiteral("produto")), produto, erro) ||
        !armazemExiste(s, corte.armazem, erro))
        return false;
    bool ok = false;
    const Currency pmc = CalculaPrecoMedioCusto(s.ctx.bd(), produto, LinhaEmCurso{}, corte, &ok);
    if (!ok)
        return falhar(erro,
                      QStringLiteral("Não foi possível calcular o preço médio de custo de %1.").arg(produto));
    resultado = QJsonObject{{"pmc", pmc.toString()}};
    return true;
}

bool cmdProduto(const PedidoCli& p, QJsonValue& resultado, QString& erro) {
    if (!semArgumentos(p, erro))
        return false;
    if (p.opcao(QStringLiteral("codigo")).trimmed().isEmpty())
        return falhar(erro, QStringLiteral("Falta o código do produto (--codigo CODIGO)."));
    SessaoCli s;
    QString produto;
    if (!s.abrir(p, erro) || !s.permitidoPrograma(erro) || !s.produto(p.opcao(QStringLiteral("codigo")), produto, erro))
        return false;
    Database& db = s.ctx.bd();
    auto q =
        db.query(QStringLiteral("SELECT Codigo, Descricao, PrecoMedioCusto, UltPrecoCompra, UltPrecoCusto "
                                "FROM Produtos WHERE Codigo=? ORDER BY NumRegisto") +
                     db.dialect().limite(1),
                 {produto});
    if (!q || !q->next())
        return falhar(erro,
                      QStringLiteral("Não foi possível ler o produto %1: %2").arg(produto, db.lastError()));
    auto montante = [&](int i) { return Currency::fromVariant(q->value(i)).toString(); };
    resultado = QJsonObject{{"codigo", q->value(0).toString()},
                            {"descricao", q->value(1).toString()},
                            {"PrecoMedioCusto", montante(2)},
                            {"UltPrecoCompra", montante(3)},
                            {"UltPrecoCusto", montante(4)}};
    return true;
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

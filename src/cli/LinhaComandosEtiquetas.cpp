// Bar code labels on the command line: a list of products printed on a label definition's sheets
// into a PDF, and a definition exported to or imported from JSON.

#include "cli/LeitorJsonCli.h"
#include "cli/LinhaComandosCli.h"
#include "cli/SessaoCli.h"
#include "common/FicheiroSaida.h"
#include "company/GlobalContext.h"
#include "db/Database.h"
#include "printing/Etiquetas.h"
#include "printing/EtiquetasImpressao.h"
#include "printing/ImpCodBar.h"

#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

const QString JanelaImpressao = QStringLiteral("frmImpCodBar");
const QString JanelaDefinicao = QStringLiteral("frmEtiquetas");

const QString Uso = QStringLiteral(
    "Uso: etiquetas imprimir LISTA --etiqueta E --pdf FICHEIRO [--coluna N] [--linha N] [--iva sim|nao] "
    "[--caixa sim|nao] [--cambio CODIGO] | exportar FICHEIRO --etiqueta E | importar FICHEIRO [--substituir sim]");

// The options each action takes besides the company and the user.
const QHash<QString, QStringList>& opcoesDaAccao() {
    static const QHash<QString, QStringList> o{
        {QStringLiteral("imprimir"),
         {QStringLiteral("etiqueta"), QStringLiteral("pdf"), QStringLiteral("coluna"), QStringLiteral("linha"),
          QStringLiteral("iva"), QStringLiteral("caixa"), QStringLiteral("cambio")}},
        {QStringLiteral("exportar"), {QStringLiteral("etiqueta")}},
        {QStringLiteral("importar"), {QStringLiteral("substituir")}}};
    return o;
}

// "sim" or "não" (also "nao"); absent keeps the default.
Resultado<> simNao(const PedidoCli& p, const QString& nome, bool& valor) {
    if (!p.opcoes.contains(nome))
        return {};
    const QString t = p.opcao(nome).trimmed().toLower();
    if (t == QStringLiteral("sim")) {
        valor = true;
        return {};
    }
    if (t == QStringLiteral("nao") || t == QStringLiteral("não")) {
        valor = false;
        return {};
    }
    return Falha(QStringLiteral("--%1 aceita \"sim\" ou \"não\" (lido: %2).").arg(nome, citacao(p.opcao(nome))));
}

// A first column or row: a whole number of 1 or more; absent gives 1.
Resultado<int> posicao(const PedidoCli& p, const QString& nome) {
    if (!p.opcoes.contains(nome))
        return 1;
    const QString t = p.opcao(nome).trimmed();
    bool ok = t.size() <= 4;
    for (const QChar c : t)
        ok = ok && c.isDigit() && c.unicode() < 128;
    const int n = ok && !t.isEmpty() ? t.toInt() : 0;
    if (n < 1)
        return Falha(QStringLiteral("Valor inválido em --%1: %2 (um número inteiro de 1 em diante).")
                         .arg(nome, citacao(p.opcao(nome))));
    return n;
}

// A label definition of products, or "Etiqueta Inexistente".
Resultado<DefinicaoEtiqueta> definicao(SessaoCli& s, const PedidoCli& p) {
    const QString codigo = p.opcao(QStringLiteral("etiqueta")).trimmed();
    if (codigo.isEmpty())
        return Falha(QStringLiteral("Falta a etiqueta (--etiqueta CODIGO)."));
    const auto lida = LerDefinicaoEtiqueta(s.ctx.bd(), codigo);
    if (!lida)
        return lida.falha();
    if (!*lida)
        return Falha(QStringLiteral("Etiqueta Inexistente"));
    return **lida;
}

// A PDF asked for must have a folder to go to.
Resultado<> destinoPdf(const QString& pdf) {
    const QFileInfo pasta(QFileInfo(pdf).absolutePath());
    if (!pasta.isDir() || !pasta.isWritable())
        return Falha(QStringLiteral("Não é possível gravar o PDF na pasta %1.").arg(QFileInfo(pdf).absolutePath()));
    return DestinoDeFicheiroValido(pdf);
}

// ---------------------------------------------------------------- imprimir

// The reference codes of a row, each checked in its table as the row window's lookups do.
struct CodigoReferencia {
    const char* chave;
    QString LinhaEtiqueta::*membro;
    const char* tabela;
    int maximo;
    const char* inexistente;
};

const CodigoReferencia CodigosReferencia[] = {
    {"estacao", &LinhaEtiqueta::estacao, "TabEstacao", 1, "Estação Inexistente"},
    {"sexo", &LinhaEtiqueta::sexo, "TabSexo", 1, "Sexo Inexistente"},
    {"referencia", &LinhaEtiqueta::referencia, "Referencias", 20, "Referência Inexistente"},
    {"modelo", &LinhaEtiqueta::modelo, "Modelos", 10, "Modelo Inexistente"},
    {"cor", &LinhaEtiqueta::cor, "Cores", 10, "Cor Inexistente"},
    {"tamanho", &LinhaEtiqueta::tamanho, "Tamanhos", 5, "Tamanho Inexistente"},
    {"comprimento", &LinhaEtiqueta::comprimento, "Comprimentos", 5, "Comprimento Inexistente"},
};

Resultado<LinhaEtiqueta> lerLinha(SessaoCli& s, const ValorJson& v, int numero) {
    const QString onde = QStringLiteral("linha %1").arg(numero);
    const ObjectoJsonCli o(v, onde);
    QStringList chaves{"produto", "quantidade", "lote", "precoLote", "codigoDinamico", "marcada"};
    for (const CodigoReferencia& c : CodigosReferencia)
        chaves << QLatin1String(c.chave);
    LinhaEtiqueta l;
    QString produto;
    Currency quantidade;
    if (auto r = primeiraFalha({o.soChaves(chaves), o.texto("produto", produto, true, 15),
                                o.montante("quantidade", quantidade, true), o.texto("lote", l.lote, false, 20),
                                o.montante("precoLote", l.precoLote),
                                o.texto("codigoDinamico", l.codigoDinamico, false, 100), o.logico("marcada", l.marcada)});
        !r)
        return r.falha();
    const std::optional<int> n = QuantidadeEtiquetasDe(quantidade);
    if (!n)
        return Falha(QStringLiteral("Valor inválido na chave \"quantidade\" em %1: deve ser um número inteiro de 1 a %2 "
                                    "(lido: %3).")
                         .arg(onde)
                         .arg(MaxQuantidadeEtiquetas)
                         .arg(citacao(v.membro(QStringLiteral("quantidade"))->texto)));
    l.quantidade = *n;
    if (l.precoLote.isNegative())
        return Falha(QStringLiteral("Valor inválido na chave \"precoLote\" em %1: não pode ser negativo.").arg(onde));
    for (const CodigoReferencia& c : CodigosReferencia) {
        QString& valor = l.*(c.membro);
        if (auto r = o.texto(c.chave, valor, false, c.maximo); !r)
            return r.falha();
        valor = valor.trimmed();
        if (!valor.isEmpty() && !s.existe(QLatin1String(c.tabela), valor))
            return Falha(QStringLiteral("%1: %2 (chave \"%3\" em %4).")
                             .arg(QString::fromUtf8(c.inexistente), citacao(valor), QLatin1String(c.chave), onde));
    }
    const Resultado<QString> codigo = s.produto(produto, &l.descricao);
    if (!codigo)
        return Falha(QStringLiteral("%1 (%2).").arg(codigo.mensagem(), onde));
    l.produto = *codigo;
    l.lote = l.lote.trimmed();
    l.codigoDinamico = l.codigoDinamico.trimmed();
    return l;
}

Resultado<std::vector<LinhaEtiqueta>> lerLista(SessaoCli& s, const QString& ficheiro) {
    const Resultado<ValorJson> doc = lerFicheiroJsonCli(ficheiro);
    if (!doc)
        return doc.falha();
    if (!doc->isObject())
        return Falha(QStringLiteral("O ficheiro deve conter uma lista de etiquetas (um objecto JSON com \"linhas\")."));
    const ObjectoJsonCli o(*doc, QStringLiteral("lista de etiquetas"));
    QList<ValorJson> linhas;
    if (auto r = primeiraFalha({o.soChaves({"linhas"}), o.listaObjectos("linhas", linhas, true)}); !r)
        return r.falha();
    std::vector<LinhaEtiqueta> r;
    for (int i = 0; i < linhas.size(); ++i) {
        auto l = lerLinha(s, linhas.at(i), i + 1);
        if (!l)
            return l.falha();
        r.push_back(*l);
    }
    bool alguma = false;
    for (const LinhaEtiqueta& l : r)
        alguma = alguma || l.marcada;
    if (!alguma)
        return Falha(QStringLiteral("Não seleccionou nenhum produto para imprimir!"));
    return r;
}

Resultado<QJsonValue> imprimir(SessaoCli& s, const PedidoCli& p) {
    const QString pdf = p.opcao(QStringLiteral("pdf")).trimmed();
    if (pdf.isEmpty())
        return Falha(QStringLiteral("Falta o ficheiro PDF (--pdf FICHEIRO)."));
    OpcoesEtiquetas o;
    const auto coluna = posicao(p, QStringLiteral("coluna"));
    if (!coluna)
        return coluna.falha();
    const auto linha = posicao(p, QStringLiteral("linha"));
    if (!linha)
        return linha.falha();
    o.coluna = *coluna;
    o.linha = *linha;
    if (auto r = simNao(p, QStringLiteral("iva"), o.iva); !r)
        return r.falha();
    if (auto r = s.permitido(JanelaImpressao, {QStringLiteral("cmdImprimir")}); !r)
        return r.falha();
    const auto d = definicao(s, p);
    if (!d)
        return d.falha();
    // As in the window, the box follows the definition unless asked otherwise.
    o.caixa = d->imprimeCaixaContorno;
    if (auto r = simNao(p, QStringLiteral("caixa"), o.caixa); !r)
        return r.falha();
    if (o.coluna > d->numEtiqHoriz)
        return Falha(QStringLiteral("A coluna inicial tem de estar entre 1 e %1!").arg(d->numEtiqHoriz));
    if (o.linha > d->numEtiqVert)
        return Falha(QStringLiteral("A linha inicial tem de estar entre 1 e %1!").arg(d->numEtiqVert));
    if (p.opcoes.contains(QStringLiteral("cambio"))) {
        const QString cambio = p.opcao(QStringLiteral("cambio")).trimmed();
        const auto valor = s.ctx.bd().primeiraLinha(QStringLiteral("SELECT Valor FROM Cambios WHERE Codigo=?"), {cambio});
        if (cambio.isEmpty() || !valor)
            return Falha(QStringLiteral("Câmbio Inexistente: %1").arg(citacao(cambio)));
        o.cambio = Currency::fromVariant(valor->at(0));
    }
    const auto linhas = lerLista(s, p.argumentos[1]);
    if (!linhas)
        return linhas.falha();
    if (auto r = destinoPdf(pdf); !r)
        return r.falha();
    const auto r = EtiquetasParaPdf(s.ctx.bd(), *d, *linhas, o, pdf);
    if (!r)
        return r.falha();
    QJsonArray avisos;
    for (const AvisoEtiqueta& a : r->avisos)
        avisos.append(QJsonObject{{"produto", a.produto}, {"campo", a.campo}, {"erro", a.erro}});
    return QJsonValue(
        QJsonObject{{"pdf", pdf}, {"paginas", r->paginas}, {"etiquetas", r->etiquetas}, {"avisos", avisos}});
}

// ---------------------------------------------------------------- exportar / importar

Resultado<QJsonValue> exportar(SessaoCli& s, const PedidoCli& p) {
    if (auto r = s.permitido(JanelaDefinicao, {QStringLiteral("cmdGravar")}); !r)
        return r.falha();
    const auto d = definicao(s, p);
    if (!d)
        return d.falha();
    const QString ficheiro = p.argumentos[1];
    if (auto r = DestinoDeFicheiroValido(ficheiro); !r)
        return r.falha();
    QSaveFile f(ficheiro);
    const QByteArray texto = QJsonDocument(DefinicaoEtiquetaParaJson(*d)).toJson(QJsonDocument::Indented);
    if (!f.open(QIODevice::WriteOnly) || f.write(texto) != texto.size() || !f.commit())
        return Falha(QStringLiteral("Não foi possível escrever o ficheiro %1.").arg(ficheiro));
    return QJsonValue(QJsonObject{{"etiqueta", d->codigo}, {"descricao", d->descricao}, {"ficheiro", ficheiro}});
}

Resultado<QJsonValue> importar(SessaoCli& s, const PedidoCli& p, bool substituir) {
    if (auto r = s.permitido(JanelaDefinicao, {QStringLiteral("cmdGravar")}); !r)
        return r.falha();
    const QString ficheiro = p.argumentos[1];
    // The strict reader first: comments, trailing commas and repeated keys are refused by it.
    const Resultado<ValorJson> estrito = lerFicheiroJsonCli(ficheiro);
    if (!estrito)
        return estrito.falha();
    if (!estrito->isObject())
        return Falha(QStringLiteral("O ficheiro deve conter uma definição de etiqueta (um objecto JSON)."));
    QStringList vistas;
    for (const auto& [chave, valor] : estrito->membros) {
        if (vistas.contains(chave))
            return Falha(QStringLiteral("Chave repetida em definição de etiqueta: \"%1\".").arg(citacao(chave)));
        vistas << chave;
    }
    const Resultado<QByteArray> texto = lerTextoFicheiroCli(ficheiro);
    if (!texto)
        return texto.falha();
    const QJsonObject o = QJsonDocument::fromJson(*texto).object();
    const auto d = DefinicaoEtiquetaDeJson(o);
    if (!d)
        return d.falha();
    const QString codigo = d->codigo.trimmed();
    const bool existe =
        s.ctx.bd().primeiraLinha(QStringLiteral("SELECT Codigo FROM etiquetas WHERE Codigo=?"), {codigo}).has_value();
    if (existe && !substituir)
        return Falha(
            QStringLiteral("A etiqueta %1 já existe: use --substituir sim para a substituir.").arg(citacao(codigo)));
    if (auto r = GravarDefinicaoEtiqueta(s.ctx.bd(), *d, existe); !r)
        return r.falha();
    return QJsonValue(QJsonObject{{"etiqueta", codigo}, {"descricao", d->descricao}, {"substituida", existe}});
}

Resultado<QJsonValue> cmdEtiquetas(const PedidoCli& p) {
    const QString accao = p.argumentos.value(0).toLower();
    const auto aceites = opcoesDaAccao().constFind(accao);
    if (aceites == opcoesDaAccao().cend() || p.argumentos.size() != 2)
        return Falha(Uso);
    for (auto i = p.opcoes.cbegin(); i != p.opcoes.cend(); ++i)
        if (i.key() != QStringLiteral("empresa") && i.key() != QStringLiteral("utilizador") &&
            i.key() != QStringLiteral("pg") && i.key() != QStringLiteral("login") && !aceites->contains(i.key()))
            return Falha(QStringLiteral("A opção --%1 não serve com \"etiquetas %2\".").arg(i.key(), accao));
    bool substituir = false;
    if (auto r = simNao(p, QStringLiteral("substituir"), substituir); !r)
        return r.falha();
    SessaoCli s;
    if (auto r = s.abrir(p); !r)
        return r.falha();
    if (accao == QStringLiteral("imprimir"))
        return imprimir(s, p);
    if (accao == QStringLiteral("exportar"))
        return exportar(s, p);
    return importar(s, p, substituir);
}

} // namespace

std::vector<ComandoCli> comandosEtiquetasCli() {
    return {{QStringLiteral("etiquetas"),
             QStringLiteral("etiquetas imprimir LISTA --etiqueta E --pdf FICHEIRO [--coluna N] [--linha N] [--iva "
                            "sim|nao] [--caixa sim|nao] [--cambio CODIGO] | exportar FICHEIRO --etiqueta E | "
                            "importar FICHEIRO [--substituir sim] --empresa CODIGO [--utilizador CODIGO]"),
             QStringLiteral("Etiquetas de código de barras: imprime em PDF as etiquetas de uma lista de produtos "
                            "(JSON) numa definição de etiqueta, e exporta ou importa uma definição de etiqueta em "
                            "JSON."),
             {QStringLiteral("empresa"), QStringLiteral("utilizador"), QStringLiteral("etiqueta"), QStringLiteral("pdf"),
              QStringLiteral("coluna"), QStringLiteral("linha"), QStringLiteral("iva"), QStringLiteral("caixa"),
              QStringLiteral("cambio"), QStringLiteral("substituir")},
             cmdEtiquetas,
             {}}};
}

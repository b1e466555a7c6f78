#include "printing/Etiquetas.h"

#include "controls/FormatoNumero.h"
#include "db/Database.h"

#include <QJsonValue>
#include <QSqlQuery>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QString FicheiroProdutos = QStringLiteral("P");

// The columns of `etiquetas`, each tied to its member, so that the read, the write and the JSON
// never disagree on a name.
struct ColunaTexto {
    const char* nome;
    QString DefinicaoEtiqueta::*membro;
    int maximo; // 0: memo
};
struct ColunaInteira {
    const char* nome;
    int DefinicaoEtiqueta::*membro;
};
struct ColunaLogica {
    const char* nome;
    bool DefinicaoEtiqueta::*membro;
};

const ColunaTexto ColunasTexto[] = {{"Codigo", &DefinicaoEtiqueta::codigo, 10},
                                    {"Descricao", &DefinicaoEtiqueta::descricao, 50},
                                    {"campos", &DefinicaoEtiqueta::campos, 0},
                                    {"FicheiroBase", &DefinicaoEtiqueta::ficheiroBase, 1}};
const ColunaInteira ColunasInteiras[] = {{"NumEtiqHoriz", &DefinicaoEtiqueta::numEtiqHoriz},
                                         {"NumEtiqVert", &DefinicaoEtiqueta::numEtiqVert},
                                         {"DistEntreEtiqHoriz", &DefinicaoEtiqueta::distEntreEtiqHoriz},
                                         {"DistentreEtiqvert", &DefinicaoEtiqueta::distEntreEtiqVert},
                                         {"AlturaEtiq", &DefinicaoEtiqueta::alturaEtiq},
                                         {"LarguraEtiq", &DefinicaoEtiqueta::larguraEtiq},
                                         {"MargemX", &DefinicaoEtiqueta::margemX},
                                         {"MargemY", &DefinicaoEtiqueta::margemY},
                                         {"MargemXI", &DefinicaoEtiqueta::margemXI},
                                         {"MargemYI", &DefinicaoEtiqueta::margemYI},
                                         {"Salto", &DefinicaoEtiqueta::salto},
                                         {"ArredondaPreco", &DefinicaoEtiqueta::arredondaPreco},
                                         {"TipoCodigoBarras", &DefinicaoEtiqueta::tipoCodigoBarras},
                                         {"LayoutCodigoBarras", &DefinicaoEtiqueta::layoutCodigoBarras},
                                         {"AltCodBar", &DefinicaoEtiqueta::altCodBar},
                                         {"CompCodBar", &DefinicaoEtiqueta::compCodBar},
                                         {"TipoPapel", &DefinicaoEtiqueta::tipoPapel},
                                         {"AlturaPapel", &DefinicaoEtiqueta::alturaPapel},
                                         {"LarguraPapel", &DefinicaoEtiqueta::larguraPapel}};
const ColunaLogica ColunasLogicas[] = {{"arredondaprecoCorta", &DefinicaoEtiqueta::arredondaPrecoCorta},
                                       {"EtiquetaComXY", &DefinicaoEtiqueta::etiquetaComXY},
                                       {"PrecosComIvaInc", &DefinicaoEtiqueta::precosComIvaInc},
                                       {"ImprimeCaixaContorno", &DefinicaoEtiqueta::imprimeCaixaContorno}};

QStringList nomesColunas() {
    QStringList r;
    for (const ColunaTexto& c : ColunasTexto)
        r << QLatin1String(c.nome);
    for (const ColunaInteira& c : ColunasInteiras)
        r << QLatin1String(c.nome);
    for (const ColunaLogica& c : ColunasLogicas)
        r << QLatin1String(c.nome);
    return r;
}

// The suite stored ticked boxes as 1 or -1.
bool verdade(const QString& s) {
    const QString t = s.trimmed();
    return t == QStringLiteral("1") || t == QStringLiteral("-1") || t.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0;
}

std::optional<double> numeroTexto(const QString& s) {
    bool ok = false;
    const double v = QString(s.trimmed()).replace(u',', u'.').toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

__int128 potencia10(int n) {
    __int128 r = 1;
    while (n-- > 0)
        r *= 10;
    return r;
}

Falha valorInvalido(const QString& chave, const char* esperado) {
    return Falha(QStringLiteral("Valor inválido na chave \"%1\" da definição da etiqueta: deve ser %2.")
                     .arg(chave, QString::fromUtf8(esperado)));
}

} // namespace

QSizeF TamanhoPapelEtiqueta(const DefinicaoEtiqueta& d) {
    switch (d.tipoPapel) {
    case 8: // A3
        return {297, 420};
    case 9: // A4
        return {210, 297};
    case 11: // A5
        return {148, 210};
    case 1: // Letter
        return {215.9, 279.4};
    default:
        return {double(d.larguraPapel), double(d.alturaPapel)};
    }
}

Resultado<> ValidaGrelhaEtiqueta(const DefinicaoEtiqueta& d) {
    const Falha naoCabe(QStringLiteral("A definição da etiqueta não cabe no papel!"));
    if (d.numEtiqHoriz < 1 || d.numEtiqVert < 1 || d.larguraEtiq < 1 || d.alturaEtiq < 1)
        return naoCabe;
    if (d.margemX < 0 || d.margemY < 0 || d.distEntreEtiqHoriz < 0 || d.distEntreEtiqVert < 0)
        return naoCabe;
    const QSizeF papel = TamanhoPapelEtiqueta(d);
    // 64 bits: a mistyped count of labels must not wrap into something that fits.
    const qint64 largura = qint64(d.margemX) + qint64(d.numEtiqHoriz) * d.larguraEtiq +
                           qint64(d.numEtiqHoriz - 1) * d.distEntreEtiqHoriz;
    const qint64 altura = qint64(d.margemY) + qint64(d.numEtiqVert) * d.alturaEtiq +
                          qint64(d.numEtiqVert - 1) * d.distEntreEtiqVert;
    if (papel.width() <= 0 || papel.height() <= 0 || double(largura) > papel.width() ||
        double(altura) > papel.height())
        return naoCabe;
    return {};
}

// ---------------------------------------------------------------- fields

Resultado<std::vector<CampoEtiqueta>> LerCamposEtiqueta(const QString& campos) {
    std::vector<CampoEtiqueta> r;
    bool algumTexto = false;
    for (const QString& entrada : campos.split(u'/')) {
        // A trailing "/" (or a line break after it) is no entry.
        if (entrada.trimmed().isEmpty())
            continue;
        const QStringList v = entrada.split(u';');
        auto pos = [&](int i) { return i < v.size() ? v[i].trimmed() : QString(); };
        CampoEtiqueta c;
        if (!pos(1).isEmpty())
            c.fonte = pos(1);
        if (const auto t = numeroTexto(pos(2)); t && *t > 0)
            c.tamanho = *t;
        c.negrito = verdade(pos(3));
        c.italico = verdade(pos(4));
        QString texto = v.size() > 6 ? v[6] : QString();
        texto.remove(u'\r').remove(u'\n');
        c.texto = texto;
        const qsizetype abre = texto.indexOf(u'[');
        const qsizetype fecha = abre < 0 ? -1 : texto.indexOf(u']', abre + 1);
        const QString nome = fecha > abre ? texto.mid(abre + 1, fecha - abre - 1).trimmed() : QString();
        if (!nome.isEmpty()) {
            c.prefixo = texto.left(abre);
            c.campo = nome;
            c.sufixo = texto.mid(fecha + 1);
            c.temCampo = true;
        } else {
            c.prefixo = texto;
        }
        c.x = numeroTexto(pos(8)).value_or(0);
        c.y = numeroTexto(pos(9)).value_or(0);
        algumTexto = algumTexto || c.temCampo || !c.prefixo.trimmed().isEmpty();
        r.push_back(std::move(c));
    }
    if (!algumTexto)
        return Falha(QStringLiteral("Não definiu campos para imprimir!"));
    return r;
}

// ---------------------------------------------------------------- grid

PosicaoEtiqueta PosicaoDaEtiqueta(const DefinicaoEtiqueta& d, int colunaInicial, int linhaInicial, int n) {
    PosicaoEtiqueta r;
    const int colunas = std::max(1, d.numEtiqHoriz), linhas = std::max(1, d.numEtiqVert);
    const qint64 porFolha = qint64(colunas) * linhas;
    const qint64 indice = qint64(std::max(1, linhaInicial) - 1) * colunas + (std::max(1, colunaInicial) - 1) + n;
    r.pagina = int(indice / porFolha);
    const qint64 naFolha = indice % porFolha;
    r.linha = int(naFolha / colunas) + 1;
    r.coluna = int(naFolha % colunas) + 1;
    r.canto = QPointF(d.margemX + (r.coluna - 1) * double(d.larguraEtiq + d.distEntreEtiqHoriz),
                      d.margemY + (r.linha - 1) * double(d.alturaEtiq + d.distEntreEtiqVert));
    return r;
}

// ---------------------------------------------------------------- prices

QString PrecoEtiqueta(const DefinicaoEtiqueta& d, const Currency& preco, const Currency& taxaIva, bool comIva,
                      bool comIvaSempre, const Currency& cambio) {
    const int casas = std::clamp(d.arredondaPreco, 0, 4);
    const bool somaIva = comIvaSempre || (comIva && !d.precosComIvaInc);
    const Currency um(1);
    const Currency divisor = cambio > Currency() && cambio != um ? cambio : um;
    try {
        // price × (100 + rate) / 100 / exchange, rounded once to the printed decimals: a cut price
        // must not be pushed up by an intermediate rounding to four decimals.
        const Currency factor = Currency(100) + (somaIva ? taxaIva : Currency());
        const __int128 numerador = __int128(preco.raw()) * factor.raw() * potencia10(casas);
        const __int128 denominador = __int128(100) * Currency::Escala * divisor.raw();
        const int64_t unidades = lumoDividirArredondando(
            numerador, denominador,
            d.arredondaPrecoCorta ? Currency::Arredondamento::Trunca : Currency::Arredondamento::MetadeAfastaDeZero);
        const int64_t escala = int64_t(potencia10(4 - casas));
        if (unidades > std::numeric_limits<int64_t>::max() / escala ||
            unidades < std::numeric_limits<int64_t>::min() / escala + 1)
            return {};
        return formatarNumeroPT(Currency::fromRaw(unidades * escala), casas);
    } catch (const EstouroMontante&) {
        // A price beyond the amount range prints nothing rather than stop the sheet.
        return {};
    }
}

// ---------------------------------------------------------------- definitions

Resultado<std::optional<DefinicaoEtiqueta>> LerDefinicaoEtiqueta(Database& db, const QString& codigo) {
    const auto linha = db.lerPrimeiraLinha(QStringLiteral("SELECT ") + nomesColunas().join(QStringLiteral(", ")) +
                                               QStringLiteral(" FROM etiquetas WHERE Codigo=? AND FicheiroBase=?"),
                                           {codigo.trimmed(), FicheiroProdutos});
    if (!linha)
        return linha.falha();
    if (!*linha)
        return std::optional<DefinicaoEtiqueta>();
    const QVariantList& v = **linha;
    DefinicaoEtiqueta d;
    int i = 0;
    for (const ColunaTexto& c : ColunasTexto) {
        QString t = v.value(i++).toString();
        d.*c.membro = c.maximo > 0 ? t.trimmed() : t;
    }
    for (const ColunaInteira& c : ColunasInteiras)
        d.*c.membro = v.value(i++).toInt();
    for (const ColunaLogica& c : ColunasLogicas)
        d.*c.membro = v.value(i++).toInt() != 0;
    return std::optional<DefinicaoEtiqueta>(std::move(d));
}

Resultado<> GravarDefinicaoEtiqueta(Database& db, const DefinicaoEtiqueta& original, bool substituir) {
    DefinicaoEtiqueta d = original;
    for (const ColunaTexto& c : ColunasTexto)
        if (c.maximo > 0)
            d.*c.membro = (d.*c.membro).trimmed();
    if (d.codigo.isEmpty())
        return Falha(QStringLiteral("Indique o código da etiqueta."), QStringLiteral("Codigo"));
    if (d.descricao.isEmpty())
        return Falha(QStringLiteral("Indique a descrição da etiqueta."), QStringLiteral("Descricao"));
    if (d.codigo.size() > 10)
        return Falha(QStringLiteral("O código da etiqueta tem no máximo 10 caracteres."), QStringLiteral("Codigo"));
    if (d.descricao.size() > 50)
        return Falha(QStringLiteral("A descrição da etiqueta tem no máximo 50 caracteres."), QStringLiteral("Descricao"));
    if (d.ficheiroBase.compare(FicheiroProdutos, Qt::CaseInsensitive) != 0)
        return Falha(QStringLiteral("Só são aceites etiquetas de produtos (FicheiroBase \"P\")."));
    d.ficheiroBase = FicheiroProdutos;
    if (d.arredondaPreco < 0 || d.arredondaPreco > 4)
        return Falha(QStringLiteral("O arredondamento do preço deve ser de 0 a 4 casas decimais."),
                     QStringLiteral("ArredondaPreco"));
    if (auto r = ValidaGrelhaEtiqueta(d); !r)
        return r;

    Transaction t(db);
    if (!t.ok())
        return Falha(db.lastError());
    bool existe = false, deOutroTipo = false;
    if (!db.percorrer(QStringLiteral("SELECT FicheiroBase FROM etiquetas WHERE Codigo=?"), {d.codigo},
                      [&](const QSqlQuery& q) {
                          if (q.value(0).toString().trimmed().compare(FicheiroProdutos, Qt::CaseInsensitive) == 0)
                              existe = true;
                          else
                              deOutroTipo = true;
                      }))
        return Falha(db.lastError());
    if (deOutroTipo)
        return Falha(QStringLiteral("O código %1 já é usado por uma etiqueta que não é de produtos.").arg(d.codigo),
                     QStringLiteral("Codigo"));
    if (existe) {
        if (!substituir)
            return Falha(QStringLiteral("Já existe a etiqueta %1.").arg(d.codigo), QStringLiteral("Codigo"));
        if (db.executarContando(QStringLiteral("DELETE FROM etiquetas WHERE Codigo=? AND FicheiroBase=?"),
                                {d.codigo, FicheiroProdutos}) < 0)
            return Falha(db.lastError());
    }
    Registo r;
    for (const ColunaTexto& c : ColunasTexto)
        r(QLatin1String(c.nome), d.*c.membro);
    for (const ColunaInteira& c : ColunasInteiras)
        r(QLatin1String(c.nome), d.*c.membro);
    for (const ColunaLogica& c : ColunasLogicas)
        r(QLatin1String(c.nome), d.*c.membro ? 1 : 0);
    if (db.insert(QStringLiteral("etiquetas"), r) <= 0 || !t.commit())
        return Falha(db.lastError());
    return {};
}

// ---------------------------------------------------------------- JSON

QJsonObject DefinicaoEtiquetaParaJson(const DefinicaoEtiqueta& d) {
    QJsonObject o;
    for (const ColunaTexto& c : ColunasTexto)
        o.insert(QLatin1String(c.nome), d.*c.membro);
    for (const ColunaInteira& c : ColunasInteiras)
        o.insert(QLatin1String(c.nome), d.*c.membro);
    for (const ColunaLogica& c : ColunasLogicas)
        o.insert(QLatin1String(c.nome), d.*c.membro ? 1 : 0);
    return o;
}

Resultado<DefinicaoEtiqueta> DefinicaoEtiquetaDeJson(const QJsonObject& o) {
    DefinicaoEtiqueta d;
    for (auto it = o.begin(); it != o.end(); ++it) {
        const QString chave = it.key();
        const QJsonValue v = it.value();
        bool conhecida = false;
        for (const ColunaTexto& c : ColunasTexto) {
            if (chave != QLatin1String(c.nome))
                continue;
            conhecida = true;
            if (!v.isString())
                return valorInvalido(chave, "um texto");
            const QString t = c.maximo > 0 ? v.toString().trimmed() : v.toString();
            if (c.maximo > 0 && t.size() > c.maximo)
                return Falha(QStringLiteral("Valor inválido na chave \"%1\" da definição da etiqueta: tem no máximo "
                                            "%2 caracteres.")
                                 .arg(chave)
                                 .arg(c.maximo));
            d.*c.membro = t;
        }
        for (const ColunaInteira& c : ColunasInteiras) {
            if (chave != QLatin1String(c.nome))
                continue;
            conhecida = true;
            const double n = v.toDouble();
            if (!v.isDouble() || n != std::floor(n) || n < std::numeric_limits<int>::min() ||
                n > std::numeric_limits<int>::max())
                return valorInvalido(chave, "um número inteiro");
            d.*c.membro = int(n);
        }
        for (const ColunaLogica& c : ColunasLogicas) {
            if (chave != QLatin1String(c.nome))
                continue;
            conhecida = true;
            if (v.isBool())
                d.*c.membro = v.toBool();
            else if (v.isDouble() && (v.toDouble() == 0 || v.toDouble() == 1))
                d.*c.membro = v.toDouble() == 1;
            else
                return valorInvalido(chave, "0 ou 1");
        }
        if (!conhecida)
            return Falha(QStringLiteral("Chave desconhecida na definição da etiqueta: \"%1\" (aceites: %2).")
                             .arg(chave, nomesColunas().join(QStringLiteral(", "))));
    }
    if (d.ficheiroBase.compare(FicheiroProdutos, Qt::CaseInsensitive) != 0)
        return Falha(QStringLiteral("Valor inválido na chave \"FicheiroBase\" da definição da etiqueta: só são aceites "
                                    "etiquetas de produtos (\"P\")."));
    d.ficheiroBase = FicheiroProdutos;
    return d;
}

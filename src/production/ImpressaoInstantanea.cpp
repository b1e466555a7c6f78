#include "production/ImpressaoInstantanea.h"

#include "company/GlobalContext.h"
#include "db/Database.h"
#include "production/FormatoQuantidade.h"

#include <QDate>
#include <QSqlQuery>
#include <map>

namespace {

constexpr auto Metade = Currency::Arredondamento::MetadeAfastaDeZero;

QString documento(const DocumentoProducao& d) {
    return QStringLiteral("( Documento: ") + d.tipo + QStringLiteral(" nº ") + d.numero + QStringLiteral(" de ") +
           DataVisivel(d.data) + u')';
}

// The rows of one stock document, in the order they were written.
Resultado<std::vector<ImpressaoInstantanea::Linha>> linhasDocumento(Database& db, const DocumentoProducao& d) {
    std::vector<ImpressaoInstantanea::Linha> linhas;
    const bool lido = db.percorrer(
        QStringLiteral("SELECT Codigo, Descricao, Armazem, Localizacao, Lote, Estacao, Sexo, Referencia, Modelo, Cor, "
                       "Tamanho, Comprimento, QuantNormal, Preco, ValorIliq FROM MovProduto WHERE Tipo=? AND "
                       "Numero=? AND Data=? ORDER BY NumRegisto"),
        {d.tipo, d.numero, d.data}, [&](const QSqlQuery& q) {
            ImpressaoInstantanea::Linha l;
            l.codigo = q.value(0).toString();
            l.descricao = q.value(1).toString();
            l.armazem = q.value(2).toString();
            l.localizacao = q.value(3).toString();
            l.lote = q.value(4).toString();
            for (int i = 0; i < 7; ++i)
                l.referencias[size_t(i)] = q.value(5 + i).toString();
            l.quantidade = Currency::fromVariant(q.value(12));
            l.preco = Currency::fromVariant(q.value(13));
            l.valor = Currency::fromVariant(q.value(14));
            linhas.push_back(l);
        });
    if (!lido)
        return Falha(db.lastError());
    return linhas;
}

// Product, description, warehouse, location, lot and the seven references of a process movement.
using ChaveMaterial = std::array<QString, 12>;

// Text columns compare without regard to case on both engines; the grouping does the same.
struct MenorSemCaixa {
    bool operator()(const ChaveMaterial& a, const ChaveMaterial& b) const {
        for (size_t i = 0; i < a.size(); ++i)
            if (const int c = a[i].compare(b[i], Qt::CaseInsensitive); c != 0)
                return c < 0;
        return false;
    }
};

// Every movement of the process summed per material: what went out less returns, a return's value
// negative whether it was stored signed or not.
Resultado<std::vector<ImpressaoInstantanea::Linha>> materiasProcesso(Database& db, const QString& processo) {
    std::map<ChaveMaterial, ImpressaoInstantanea::Linha, MenorSemCaixa> grupos;
    const bool lido = db.percorrer(
        QStringLiteral("SELECT Produto, ProdutoDescricao, Armazem, Localizacao, Lote, Estacao, Sexo, Referencia, "
                       "Modelo, Cor, Tamanho, Comprimento, Quantidade, ValorIliq FROM Prod_ProcessosMov WHERE "
                       "Processo=? ORDER BY NumRegisto"),
        {processo}, [&](const QSqlQuery& q) {
            ChaveMaterial chave;
            for (int i = 0; i < 12; ++i)
                chave[size_t(i)] = q.value(i).toString();
            auto [it, novo] = grupos.try_emplace(chave);
            ImpressaoInstantanea::Linha& l = it->second;
            if (novo) {
                l.codigo = chave[0];
                l.descricao = chave[1];
                l.armazem = chave[2];
                l.localizacao = chave[3];
                l.lote = chave[4];
                for (size_t i = 0; i < 7; ++i)
                    l.referencias[i] = chave[5 + i];
            }
            const Currency quantidade = Currency::fromVariant(q.value(12));
            const Currency valor = Currency::fromVariant(q.value(13)).abs();
            l.quantidade += quantidade;
            l.valor += quantidade.isNegative() ? -valor : valor;
        });
    if (!lido)
        return Falha(db.lastError());
    std::vector<ImpressaoInstantanea::Linha> linhas;
    linhas.reserve(grupos.size());
    for (auto& [chave, l] : grupos) {
        l.preco = l.quantidade.isZero() ? Currency() : l.valor.divide(l.quantidade, Metade);
        linhas.push_back(std::move(l));
    }
    return linhas;
}

Currency soma(const std::vector<ImpressaoInstantanea::Linha>& linhas) {
    Currency total;
    for (const ImpressaoInstantanea::Linha& l : linhas)
        total += l.valor;
    return total;
}

} // namespace

QString ImpressaoInstantanea::Linha::loteReferencias() const {
    QStringList partes;
    if (!lote.trimmed().isEmpty())
        partes << lote.trimmed();
    for (const QString& r : referencias)
        if (!r.trimmed().isEmpty())
            partes << r.trimmed();
    return partes.join(u';');
}

QString ImpressaoInstantanea::titulo() const {
    const QString base = QStringLiteral("Produção Instantânea");
    if (!temProcesso())
        return base;
    return base + QStringLiteral(" (") + QStringLiteral("Processo: ") + processo + QStringLiteral(" - ") +
           descricaoProcesso + QStringLiteral(" - ") + QStringLiteral("Equipamento: ") + equipamento +
           QStringLiteral(" - ") + descricaoEquipamento + u')';
}

QString ImpressaoInstantanea::cabecalhoAcabados() const {
    return QStringLiteral("PRODUTOS ACABADOS  ") + documento(entrada);
}

QString ImpressaoInstantanea::cabecalhoMaterias() const {
    return QStringLiteral("PRODUTOS CONSIDERADOS MATÉRIA PRIMA  ") +
           (temProcesso() ? QStringLiteral("(Vários Documentos)") : documento(saida));
}

Currency ImpressaoInstantanea::custoAcabados() const { return soma(acabados); }
Currency ImpressaoInstantanea::custoMaterias() const { return soma(materias); }

Resultado<ImpressaoInstantanea> LerImpressaoInstantanea(GlobalContext& ctx, const DocumentoProducao& entrada,
                                                        const DocumentoProducao& saida) {
    Database& db = ctx.bd();
    ImpressaoInstantanea d;
    d.entrada = entrada;
    d.saida = saida;
    auto acabados = linhasDocumento(db, entrada);
    if (!acabados)
        return acabados.falha();
    if (acabados->empty())
        return Falha(MensagemSemRegistos);
    d.acabados = std::move(*acabados);

    d.empresa = NomeEmpresaImpressao(ctx);
    d.dataEmissao = QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy"));

    const auto processo = db.lerPrimeiraLinha(
        QStringLiteral("SELECT Processo, Descricao FROM Prod_Processos WHERE TipoEncerramento=? AND "
                       "NumeroEncerramento=? AND DataEncerramento=? ORDER BY NumRegisto") +
            db.dialect().limite(1),
        {entrada.tipo, entrada.numero, entrada.data});
    if (!processo)
        return processo.falha();
    if (*processo) {
        d.processo = (*processo)->at(0).toString();
        d.descricaoProcesso = (*processo)->at(1).toString();
    }

    // The run records its equipment on the finished products' rows.
    bool lido = db.percorrer(QStringLiteral("SELECT Equipamento FROM LoteInstantaneo WHERE Tipo=? AND Numero=? AND "
                                            "Data=? AND TipoProduto=? ORDER BY NumRegisto"),
                             {entrada.tipo, entrada.numero, entrada.data, QStringLiteral("PA")},
                             [&](const QSqlQuery& q) {
                                 if (d.equipamento.isEmpty())
                                     d.equipamento = q.value(0).toString().trimmed();
                             });
    if (!lido)
        return Falha(db.lastError());
    if (!d.equipamento.isEmpty()) {
        const auto equipamento =
            db.lerValor(QStringLiteral("SELECT Descricao FROM Prod_Equipamentos WHERE Codigo=?"), {d.equipamento});
        if (!equipamento)
            return equipamento.falha();
        d.descricaoEquipamento = equipamento->toString();
    }

    if (d.temProcesso()) {
        auto materias = materiasProcesso(db, d.processo);
        if (!materias)
            return materias.falha();
        d.materias = std::move(*materias);
    } else if (!saida.tipo.trimmed().isEmpty()) {
        auto materias = linhasDocumento(db, saida);
        if (!materias)
            return materias.falha();
        d.materias = std::move(*materias);
    }
    return d;
}

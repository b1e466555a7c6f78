#include "production/ProducaoInstantanea.h"

#include "company/GlobalContext.h"
#include "company/Mavo.h"
#include "company/PeriodoAberto.h"
#include "db/Database.h"
#include "production/NomenclaturaDados.h"
#include "production/NumeracaoDocumentos.h"
#include "production/ProcessoProducao.h"
#include "production/ReceitaInstantanea.h"
#include "stock/CustoMedio.h"
#include "stock/LancaMovProduto.h"
#include "stock/VerificacoesStock.h"
#include "session/LogGeral.h"
#include "lookups/Imagens.h"

#include <QUuid>

namespace {

constexpr auto Metade = Currency::Arredondamento::MetadeAfastaDeZero;


} // namespace

Currency CustoMaterias(const DocumentoInstantaneo& d) {
    Currency c;
    for (const MateriaInstantanea& m : d.materias)
        c += m.quantidade.multiply(m.preco, Metade);
    return c;
}

void CalculaCustos(DocumentoInstantaneo& d) {
    const Currency custo = CustoMaterias(d);
    Currency pesos;
    for (const AcabadoInstantaneo& a : d.acabados)
        pesos += a.percCusto;
    if (pesos.isZero()) {
        for (AcabadoInstantaneo& a : d.acabados)
            a.valCusto = Currency();
        return;
    }
    const Currency cem = Currency(100);
    Currency repartido;
    int maior = -1;
    Currency maiorQuota;
    for (size_t i = 0; i < d.acabados.size(); ++i) {
        AcabadoInstantaneo& a = d.acabados[i];
        const Currency quota = a.percCusto.multiply(cem, Metade).divide(pesos, Metade);
        // quota / 100 × cost rounded once, on the exact product.
        a.valCusto = Currency::fromRaw(
            lumoDividirArredondando(__int128(quota.raw()) * custo.raw(), __int128(100) * Currency::Escala, Metade));
        repartido += a.valCusto;
        if (maior < 0 || quota > maiorQuota) {
            maior = int(i);
            maiorQuota = quota;
        }
    }
    d.acabados[size_t(maior)].valCusto += custo - repartido;
}

Currency PrecoUnitarioAcabado(const AcabadoInstantaneo& a) {
    if (a.precoCusto > Currency())
        return a.precoCusto;
    return a.quantidade.isZero() ? Currency() : a.valCusto.divide(a.quantidade, Metade);
}

std::optional<Currency> LerFactorReceita(const QString& texto) {
    const auto v = Currency::parse(texto.trimmed());
    if (!v || *v <= Currency())
        return std::nullopt;
    return v;
}

Resultado<> IntegraReceita(GlobalContext& ctx, DocumentoInstantaneo& d, const QString& codigo, const Currency& factor) {
    if (factor <= Currency())
        return Falha(QStringLiteral("O factor deve ser maior que 0."));
    Database& db = ctx.bd();
    const auto lida = LerReceita(db, codigo);
    if (!lida)
        return lida.falha();
    if (!*lida)
        return Falha(QStringLiteral("Receita inexistente: %1").arg(codigo));
    const Receita& r = **lida;
    DocumentoInstantaneo novo;
    novo.receita = r.codigo;
    novo.processo = d.processo;
    novo.equipamento = d.equipamento;
    VerificacoesStock verif(ctx);
    // A process's movements are its raw materials: recipe ones would be costed but never issued.
    if (!d.processo.isEmpty())
        novo.materias = d.materias;
    for (const LinhaReceita& l : d.processo.isEmpty() ? r.materias : std::vector<LinhaReceita>{}) {
        MateriaInstantanea m;
        m.produto = l.produto;
        m.descricao = l.descricao;
        m.armazem = l.armazem;
        m.quantidade = l.quantidade.multiply(factor, Metade);
        m.precario = l.precario;
        if (precarioNormalizado(l.precario) == PrecarioDigitado) {
            m.preco = l.valor;
        } else {
            const auto p = PrecoProdutoPorRegra(db, l.produto, l.precario);
            if (!p)
                return p.falha();
            m.preco = *p;
        }
        m.observa = l.observa;
        m.localizacao = verif.VerLocalizacao(db, m.produto, m.armazem, QStringLiteral("S+"), false);
        novo.materias.push_back(m);
    }
    for (const LinhaReceita& l : r.acabados) {
        AcabadoInstantaneo a;
        a.produto = l.produto;
        a.descricao = l.descricao;
        a.armazem = l.armazem;
        a.quantidade = l.quantidade.multiply(factor, Metade);
        const QString regra = precarioNormalizado(l.precario);
        if (regra == PrecarioPercCusto) {
            a.percCusto = l.valor;
        } else if (regra == PrecarioDigitado) {
            a.precoCusto = l.valor;
        } else {
            const auto p = PrecoProdutoPorRegra(db, l.produto, l.precario);
            if (!p)
                return p.falha();
            a.precoCusto = *p;
        }
        a.observa = l.observa;
        novo.acabados.push_back(a);
    }
    CalculaCustos(novo);
    d = std::move(novo);
    return {};
}

namespace {

// The process's movements as raw-material lines, in posting order.
Resultado<std::vector<MateriaInstantanea>> materiasDoProcesso(Database& db, const QString& processo) {
    const auto movimentos = MovimentosProcesso(db, processo);
    if (!movimentos)
        return movimentos.falha();
    std::vector<MateriaInstantanea> materias;
    for (const MovimentoProcesso& m : *movimentos) {
        MateriaInstantanea mi;
        mi.produto = m.produto;
        mi.descricao = m.descricao;
        mi.armazem = m.armazem;
        mi.quantidade = m.quantidade;
        mi.preco = m.preco;
        mi.observa = m.observa;
        mi.lote = m.lote;
        mi.localizacao = m.localizacao;
        materias.push_back(mi);
    }
    return materias;
}

bool mesmasMaterias(const std::vector<MateriaInstantanea>& a, const std::vector<MateriaInstantanea>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const MateriaInstantanea& x, const MateriaInstantanea& y) {
        return x.produto == y.produto && x.armazem == y.armazem && x.quantidade == y.quantidade &&
               x.preco == y.preco && x.lote.trimmed() == y.lote.trimmed();
    });
}

} // namespace

Resultado<> IntegraProcesso(GlobalContext& ctx, DocumentoInstantaneo& d, const QString& processo) {
    const QString codigo = processo.trimmed();
    if (codigo.isEmpty()) {
        d.processo.clear();
        d.materias.clear();
        CalculaCustos(d);
        return {};
    }
    Database& db = ctx.bd();
    const auto p = LerProcesso(db, codigo);
    if (!p)
        return p.falha();
    if (!*p || (*p)->encerrado())
        return Falha(QStringLiteral("Processo Inexistente ou não pode ser aplicado nesta situação"), QStringLiteral("txtProcesso"));
    auto materias = materiasDoProcesso(db, codigo);
    if (!materias)
        return materias.falha();
    d.processo = (*p)->processo;
    d.equipamento.clear();
    d.materias = std::move(*materias);
    CalculaCustos(d);
    return {};
}

Resultado<> IntegraEquipamento(GlobalContext& ctx, DocumentoInstantaneo& d, const QString& equipamento) {
    const QString codigo = equipamento.trimmed();
    if (codigo.isEmpty()) {
        d.equipamento.clear();
        return {};
    }
    if (!d.processo.isEmpty())
        return Falha(QStringLiteral("Não pode integrar um equipamento numa produção de um processo."));
    const auto n = ctx.bd().lerValor(
        QStringLiteral("SELECT COUNT(*) FROM Prod_Equipamentos WHERE Codigo=? AND COALESCE(DataDesmantelamento,'')=''"),
        {codigo});
    if (!n)
        return n.falha();
    if (n->toInt() == 0)
        return Falha(QStringLiteral("Equipamento inexistente ou já desmantelado: %1").arg(codigo), QStringLiteral("txtEquipamento"));
    d.equipamento = codigo;
    return {};
}

namespace {

namespace Col = ColMovProduto;

struct FichaProduto {
    QString descricao;
    bool lote = false, referencia = false;
};

Resultado<FichaProduto> lerFicha(Database& db, const QString& produto) {
    const auto r = db.lerPrimeiraLinha(QStringLiteral("SELECT Descricao, Lote, Referencia FROM Produtos WHERE Codigo=?"),
                                       {produto});
    if (!r)
        return r.falha();
    if (!*r)
        return Falha(QStringLiteral("Produto inexistente: %1").arg(produto));
    return FichaProduto{(*r)->at(0).toString(), (*r)->at(1).toInt() == 1, (*r)->at(2).toString().trimmed() == QStringLiteral("1")};
}

QString semLote(const QString& produto, const QString& descricao) {
    return QStringLiteral("Não definiu o Lote no produto \r\n%1 - %2").arg(produto, descricao);
}

QString naoLancado(const QString& produto, const QString& descricao, const QString& motivo) {
    return QStringLiteral("Não foi possível lançar o produto %1 - %2\r\nFavor de verificar a existência!").arg(produto, descricao) +
           (motivo.isEmpty() ? QString() : QStringLiteral("\n(%1)").arg(motivo));
}

LinhaMovProduto linhaDocumento(const DocumentoProducao& doc, const QString& produto, const QString& afecta,
                               const Currency& quant, const Currency& preco, const QString& numProcesso) {
    return LinhaDocumentoProducao(doc, doc.data, produto, afecta, quant, preco,
                                  QStringLiteral("Ref. Processo de Produção nº %1").arg(numProcesso));
}

} // namespace

Resultado<> VerificaProducaoInstantanea(GlobalContext& ctx, const DocumentoInstantaneo& d) {
    if (d.acabados.empty())
        return Falha(QStringLiteral("Não definiu nenhum Produto Acabado!"));
    Database& db = ctx.bd();
    const ConfigProducao cfg = LerConfigProducao(db);
    if (!cfg.existe)
        return Falha(QStringLiteral("A T E N Ç Ã O ! Não tem a configuração definida no Controlo de Produção."));
    const bool comProcesso = !d.processo.trimmed().isEmpty();
    if (comProcesso && !d.equipamento.trimmed().isEmpty())
        return Falha(QStringLiteral("Não pode integrar um equipamento numa produção de um processo."));
    // A process's materials were issued by its movements: no issue type is needed.
    if (!comProcesso && cfg.tipoSaida.trimmed().isEmpty())
        return Falha(QStringLiteral("Não definiu as configurações (Tipo de Movimento para Saídas)!"));
    if (cfg.tipoEnt.trimmed().isEmpty())
        return Falha(QStringLiteral("Não definiu as configurações (Tipo de Movimento para Entradas)!"));
    const bool lotes = ctx.Lotes != 0;
    for (const MateriaInstantanea& m : comProcesso ? std::vector<MateriaInstantanea>{} : d.materias) {
        const auto f = lerFicha(db, m.produto);
        if (!f)
            return f.falha();
        if (m.quantidade <= Currency())
            return Falha(QStringLiteral("A quantidade do produto %1 deve ser maior que 0.").arg(m.produto));
        if (m.preco.isNegative())
            return Falha(QStringLiteral("O preço do produto %1 não pode ser negativo.").arg(m.produto));
        if (lotes && f->lote && m.lote.trimmed().isEmpty())
            return Falha(semLote(m.produto, f->descricao));
    }
    bool algumCusto = false;
    for (const AcabadoInstantaneo& a : d.acabados) {
        const auto f = lerFicha(db, a.produto);
        if (!f)
            return f.falha();
        if (a.quantidade <= Currency())
            return Falha(QStringLiteral("A quantidade do produto %1 deve ser maior que 0.").arg(a.produto));
        if (a.percCusto.isNegative() || a.precoCusto.isNegative())
            return Falha(QStringLiteral("O custo do produto %1 não pode ser negativo.").arg(a.produto));
        if (lotes && f->lote && a.lote.trimmed().isEmpty())
            return Falha(semLote(a.produto, f->descricao));
        if (f->referencia && std::all_of(a.referencias.begin(), a.referencias.end(),
                                         [](const QString& r) { return r.trimmed().isEmpty(); }))
            return Falha(QStringLiteral("Não definiu as referências no produto \r\n%1 - %2").arg(a.produto, f->descricao));
        algumCusto = algumCusto || a.percCusto > Currency() || a.precoCusto > Currency();
    }
    if (!algumCusto && !CustoMaterias(d).isZero())
        return Falha(QStringLiteral("Não definiu qualquer Custo a aplicar!"));
    return {};
}

Resultado<ResultadoInstantanea> LancaProducaoInstantanea(GlobalContext& ctx, DocumentoInstantaneo& d) {
    if (auto r = VerificaProducaoInstantanea(ctx, d); !r)
        return r.falha();
    CalculaCustos(d);
    Database& db = ctx.bd();
    const ConfigProducao cfg = LerConfigProducao(db);
    const QString data = Mavo(ctx).Get_DataServerStr();
    if (const auto periodo = PeriodoEmAberto(ctx, data, ctx.armazem); !periodo)
        return Falha(periodo.mensagem().isEmpty() ? QStringLiteral("Data inválida: %1").arg(data) : periodo.mensagem());

    try {
        // Every other production posting waits here until this one ends.
        TransaccaoProducao t(db);
        if (!t.ok())
            return Falha(db.lastError());

        const bool comProcesso = !d.processo.trimmed().isEmpty();
        if (comProcesso) {
            // Read again under the lock: another workstation may have closed the process or posted
            // a movement since it was integrated.
            const auto p = LerProcesso(db, d.processo.trimmed());
            if (!p)
                return p.falha();
            if (!*p || (*p)->encerrado())
                return Falha(QStringLiteral("O processo %1 foi encerrado ou eliminado noutro posto. Nada foi gravado.")
                                 .arg(d.processo.trimmed()));
            const auto agora = materiasDoProcesso(db, d.processo.trimmed());
            if (!agora)
                return agora.falha();
            if (!mesmasMaterias(*agora, d.materias))
                return Falha(QStringLiteral("Os movimentos do processo %1 foram alterados noutro posto. Integre o "
                                            "processo de novo. Nada foi gravado.")
                                 .arg(d.processo.trimmed()));
        }
        ResultadoInstantanea r;
        r.processo = comProcesso ? d.processo.trimmed() : QString();
        r.numProcesso = Mavo(ctx).GetProximoCodigo(db, QStringLiteral("LoteInstantaneo"), QStringLiteral("NumProcesso"));
        // Both documents numbered at once; one type for both gives them two numbers.
        QList<DocumentoProducao*> documentos;
        QStringList tipos;
        if (!comProcesso && !d.materias.empty()) {
            documentos << &r.saida;
            tipos << cfg.tipoSaida;
        }
        documentos << &r.entrada;
        tipos << cfg.tipoEnt;
        const auto numeros = ProximosNumTabTipoMov(db, tipos, data);
        if (!numeros)
            return Falha(numeros.mensagem() + QStringLiteral("\nCorrija a configuração de Produção."));
        for (qsizetype i = 0; i < documentos.size(); ++i)
            *documentos[i] = {tipos[i], numeros->at(i), data};

        auto registar = [&](const DocumentoProducao& doc, const char* tipoProduto, const QString& produto,
                            const Currency& quantidade, const Currency& preco) {
            return db.insert(QStringLiteral("LoteInstantaneo"),
                             Registo()("NumProcesso", r.numProcesso)("Codigo", d.receita)("Tipo", doc.tipo)(
                                 "Numero", doc.numero)("Data", doc.data)("TipoProduto", tipoProduto)("Produto", produto)(
                                 "Quantidade", quantidade.toVariant())("Preco", preco.toVariant())("Equipamento", d.equipamento.trimmed())) > 0;
        };

        for (const MateriaInstantanea& m : comProcesso ? std::vector<MateriaInstantanea>{} : d.materias) {
            LinhaMovProduto l = linhaDocumento(r.saida, m.produto, QStringLiteral("S+"), m.quantidade, m.preco, r.numProcesso);
            l.definir(Col::CliFor, "C");
            l.definir(Col::Terceiro, cfg.cliente);
            l.definir(Col::Armazem, m.armazem);
            l.definir(Col::Localizacao, m.localizacao);
            l.definir(Col::Lote, m.lote);
            if (!m.lote.trimmed().isEmpty()) {
                const auto lote = db.primeiraLinha(
                    QStringLiteral("SELECT DataFabrico, DataValidade FROM TabLotes WHERE Produto=? AND Codigo=?"),
                    {m.produto, m.lote});
                if (lote) {
                    l.definir(Col::DataFabrico, lote->at(0));
                    l.definir(Col::DataValidade, lote->at(1));
                }
            }
            l.definir(Col::ValorIliq, m.quantidade.multiply(m.preco, Metade));
            if (!m.descricao.isEmpty())
                l.definir(Col::Descricao, m.descricao.left(50));
            l.definir(Col::observa, m.observa);
            l.definir(Col::Identifica, QUuid::createUuid().toString().toUpper());
            if (const auto lancado = LancaMovProduto(ctx, l); !lancado)
                return Falha(naoLancado(m.produto, m.descricao, lancado.mensagem()));
            if (!registar(r.saida, "MP", m.produto, m.quantidade, m.preco))
                return Falha(db.lastError());
        }
        for (const AcabadoInstantaneo& a : d.acabados) {
            const Currency preco = PrecoUnitarioAcabado(a);
            LinhaMovProduto l = linhaDocumento(r.entrada, a.produto, QStringLiteral("E+"), a.quantidade, preco, r.numProcesso);
            l.definir(Col::CliFor, "F");
            l.definir(Col::Terceiro, cfg.fornece);
            l.definir(Col::Armazem, a.armazem);
            l.definir(Col::Localizacao, a.localizacao);
            l.definir(Col::Lote, a.lote);
            const ColunaMovProduto referencias[] = {Col::Estacao, Col::Sexo,    Col::Referencia, Col::Modelo,
                                                    Col::Cor,     Col::Tamanho, Col::Comprimento};
            for (size_t i = 0; i < a.referencias.size(); ++i)
                l.definir(referencias[i], a.referencias[i]);
            // The line keeps its share as its value; a typed unit cost gives price × quantity.
            l.definir(Col::ValorIliq, a.precoCusto > Currency() ? a.quantidade.multiply(preco, Metade) : a.valCusto);
            l.definir(Col::observa, a.observa);
            const QString identifica = QUuid::createUuid().toString().toUpper();
            l.definir(Col::Identifica, identifica);
            const auto lancado = LancaMovProduto(ctx, l);
            if (!lancado)
                return Falha(naoLancado(a.produto, a.descricao, lancado.mensagem()));
            if (comProcesso &&
                db.insert(QStringLiteral("Prod_ProcessosProc"),
                          Registo()("Processo", r.processo)("IdentificaMovPro", identifica)("Produto", a.produto)(
                              "Descricao", a.descricao.left(50))("Quantidade", a.quantidade.toVariant())(
                              "Preco", preco.toVariant())("ValorIliq", l.valor(Col::ValorIliq))) <= 0)
                return Falha(db.lastError());
            // Pictures taken for the product and lot while the line was edited belong to it now.
            if (!ConfirmaImagens(db, QStringLiteral("Produtos"), a.produto, a.lote.trimmed(), ctx.CodigoUtilizador))
                return Falha(db.lastError());
            if (!GravaUltimosPrecosEntrada(db, a.produto, preco, *lancado, data) ||
                !registar(r.entrada, "PA", a.produto, a.quantidade, preco))
                return Falha(db.lastError());
        }
        QList<QPair<QString, QString>> usados;
        for (const DocumentoProducao* doc : {&r.saida, &r.entrada})
            if (!doc->tipo.isEmpty())
                usados.append({doc->tipo, doc->numero});
        if (!ActualizaUltNumeros(db, usados))
            return Falha(db.lastError());
        if (comProcesso) {
            // Only an open process is closed: a second run on it changes no row and stops.
            const int fechados = db.executarContando(
                QStringLiteral("UPDATE Prod_Processos SET TipoEncerramento=?, NumeroEncerramento=?, DataEncerramento=? "
                               "WHERE Processo=? AND COALESCE(DataEncerramento,'')=''"),
                {r.entrada.tipo, r.entrada.numero, r.entrada.data, r.processo});
            if (fechados != 1)
                return Falha(fechados < 0 ? db.lastError() : MensagemProcessoEncerrado);
            EntradaLog e;
            e.modulo = QStringLiteral("TB");
            e.accao = QStringLiteral("A");
            e.descricao = QStringLiteral("Encerramento do Processo de Produção: %1").arg(r.processo);
            if (!LogGeral(ctx, e))
                return Falha(db.lastError());
        }
        if (!t.commit())
            return Falha(db.lastError().isEmpty() ? QStringLiteral("Não foi possível gravar a produção.") : db.lastError());
        return r;
    } catch (const EstouroMontante&) {
        // The transaction's guard rolled everything back on the way out.
        return Falha(MensagemLimiteValor(d.acabados.front().produto, d.acabados.front().descricao));
    }
}

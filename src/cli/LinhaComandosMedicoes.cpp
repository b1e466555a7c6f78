// Made-to-measure products on the command line: the measurements template as its window saves it,
// the scaling of a template to a new height and width, its posting as a closed lot and the
// measurements lot sheet.

#include "cli/LeitorJsonCli.h"
#include "cli/LinhaComandosCli.h"
#include "cli/SessaoCli.h"
#include "common/FicheiroSaida.h"
#include "company/GlobalContext.h"
#include "company/Mavo.h"
#include "db/Database.h"
#include "printing/MedicoesImpressao.h"
#include "production/ExistProArmLote.h"
#include "production/Medicoes.h"

#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>

namespace {

const QString JanelaTemplate = QStringLiteral("frmMedicoesTemplate");
const QString JanelaCalculos = QStringLiteral("frmMedicoesCalculos");
const QString JanelaFolha = QStringLiteral("frmImpFolhaLoteMedicoes");

const QString Uso = QStringLiteral(
    "Uso: medicoes gravar FICHEIRO [--substituir sim] | calcular --produto P --altura A --largura L --quantidade Q "
    "[--pdf FICHEIRO] | lancar --produto P --altura A --largura L --quantidade Q [--armazem A] [--lote "
    "PRODUTO=LOTE]... [--pdf FICHEIRO] | folha --lote LOTE --pdf FICHEIRO");

// The options each action takes besides the company and the user.
const QHash<QString, QStringList>& opcoesDaAccao() {
    static const QHash<QString, QStringList> o{
        {QStringLiteral("gravar"), {QStringLiteral("substituir")}},
        {QStringLiteral("calcular"),
         {QStringLiteral("produto"), QStringLiteral("altura"), QStringLiteral("largura"), QStringLiteral("quantidade"),
          QStringLiteral("pdf")}},
        {QStringLiteral("lancar"),
         {QStringLiteral("produto"), QStringLiteral("altura"), QStringLiteral("largura"), QStringLiteral("quantidade"),
          QStringLiteral("armazem"), QStringLiteral("lote"), QStringLiteral("pdf")}},
        {QStringLiteral("folha"), {QStringLiteral("lote"), QStringLiteral("pdf")}}};
    return o;
}

QJsonObject templateJson(const TemplateMedicoes& t) {
    QJsonArray materias;
    for (const LinhaMedicao& l : t.linhas)
        materias.append(QJsonObject{{"produto", l.produto},
                                    {"descricao", l.descricao},
                                    {"quantidade", l.quantidade.toString()},
                                    {"tipoMedida", l.tipoMedida},
                                    {"medida", l.medida.toString()},
                                    {"armazemSaida", l.armazemSaida}});
    return QJsonObject{{"produto", t.produtoAcabado},         {"descricao", t.descricao},
                       {"altura", t.altura.toString()},       {"largura", t.largura.toString()},
                       {"armazemEntrada", t.armazemEntrada}, {"materias", materias}};
}

QJsonObject calculoJson(const CalculoMedicoes& c) {
    QJsonArray linhas;
    for (const LinhaCalculoMedicoes& l : c.linhas)
        linhas.append(QJsonObject{{"produto", l.produto},
                                  {"descricao", l.descricao},
                                  {"quantidade", l.quantidade.toString()},
                                  {"tipoMedida", l.tipoMedida},
                                  {"medidaBase", l.medidaBase.toString()},
                                  {"novaMedida", l.novaMedida.toString()},
                                  {"quantidadeSaida", l.quantidadeSaida.toString()},
                                  {"armazem", l.armazem}});
    return QJsonObject{
        {"razaoAltura", c.razaoAltura.toString()}, {"razaoLargura", c.razaoLargura.toString()}, {"linhas", linhas}};
}

QJsonObject documento(const DocumentoProducao& d) {
    return QJsonObject{{"tipo", d.tipo}, {"numero", d.numero}, {"data", d.data}};
}

// A PDF asked for must have a folder to go to before anything is posted.
Resultado<> destinoPdf(const QString& pdf) {
    const QFileInfo pasta(QFileInfo(pdf).absolutePath());
    if (!pasta.isDir() || !pasta.isWritable())
        return Falha(QStringLiteral("Não é possível gravar o PDF na pasta %1.").arg(QFileInfo(pdf).absolutePath()));
    return DestinoDeFicheiroValido(pdf);
}

// ---------------------------------------------------------------- gravar

Resultado<LinhaMedicao> lerMateria(const ValorJson& v, int numero) {
    const QString onde = QStringLiteral("matéria-prima %1").arg(numero);
    const ObjectoJsonCli o(v, onde);
    LinhaMedicao l;
    if (auto r = primeiraFalha({o.soChaves({"produto", "quantidade", "tipoMedida", "medida", "armazemSaida"}),
                                o.texto("produto", l.produto, true, 15), o.montante("quantidade", l.quantidade, true),
                                o.texto("tipoMedida", l.tipoMedida, true), o.montante("medida", l.medida, true),
                                o.texto("armazemSaida", l.armazemSaida, false, 3)});
        !r)
        return r.falha();
    if (l.tipoMedida != QStringLiteral("A") && l.tipoMedida != QStringLiteral("L") && l.tipoMedida != QStringLiteral("F"))
        return Falha(QStringLiteral("Valor inválido na chave \"tipoMedida\" em %1: deve ser \"A\" (altura), \"L\" "
                                    "(largura) ou \"F\" (fixa) (lido: %2).")
                         .arg(onde, citacao(l.tipoMedida)));
    return l;
}

// A new template, or with --substituir sim the product's template replaced (a product without one
// gets it as new).
Resultado<QJsonValue> gravar(SessaoCli& s, const QString& ficheiro, bool substituir) {
    if (!substituir) {
        if (auto r = s.permitido(JanelaTemplate, {QStringLiteral("cmdAdicionar")}); !r)
            return r.falha();
    }
    const Resultado<ValorJson> doc = lerFicheiroJsonCli(ficheiro);
    if (!doc)
        return doc.falha();
    if (!doc->isObject())
        return Falha(QStringLiteral("O ficheiro deve conter uma nomenclatura de medições (um objecto JSON)."));
    const ObjectoJsonCli o(*doc, QStringLiteral("nomenclatura de medições"));
    TemplateMedicoes t;
    QList<ValorJson> materias;
    if (auto r = primeiraFalha({o.soChaves({"produto", "altura", "largura", "armazemEntrada", "materias"}),
                                o.texto("produto", t.produtoAcabado, true, 15), o.montante("altura", t.altura, true),
                                o.montante("largura", t.largura, true),
                                o.texto("armazemEntrada", t.armazemEntrada, false, 3),
                                o.listaObjectos("materias", materias)});
        !r)
        return r.falha();
    const Mavo mavo(s.ctx);
    t.produtoAcabado = mavo.Zerar_Produto_str(t.produtoAcabado);
    for (int i = 0; i < materias.size(); ++i) {
        auto l = lerMateria(materias.at(i), i + 1);
        if (!l)
            return l.falha();
        l->produto = mavo.Zerar_Produto_str(l->produto);
        t.linhas.push_back(*l);
    }
    bool novo = true;
    if (substituir) {
        const auto existente = LerTemplateMedicoes(s.ctx.bd(), t.produtoAcabado);
        if (!existente)
            return existente.falha();
        novo = !existente->has_value();
        if (auto r = s.permitido(JanelaTemplate, {novo ? QStringLiteral("cmdAdicionar") : QStringLiteral("cmdAlterar")});
            !r)
            return r.falha();
    }
    if (auto r = GravarTemplateMedicoes(s.ctx, t, novo); !r)
        return r.falha();
    const auto gravado = LerTemplateMedicoes(s.ctx.bd(), t.produtoAcabado);
    if (!gravado)
        return gravado.falha();
    if (!*gravado)
        return Falha(QStringLiteral("A nomenclatura de medições do produto %1 não foi gravada.").arg(t.produtoAcabado));
    return QJsonValue(templateJson(**gravado));
}

// ---------------------------------------------------------------- calcular / lancar

struct PedidoMedidas {
    QString produto;
    Currency altura, largura, quantidade;
};

Resultado<Currency> montanteOpcao(const PedidoCli& p, const QString& nome) {
    const QString texto = p.opcao(nome).trimmed();
    if (texto.isEmpty())
        return Falha(QStringLiteral("Falta a opção --%1.").arg(nome));
    const std::optional<Currency> c = montanteEstrito(texto);
    if (!c)
        return Falha(QStringLiteral("Valor inválido em --%1: %2 (um número até 922337203685477 com até 4 casas "
                                    "decimais).")
                         .arg(nome, citacao(texto)));
    return *c;
}

Resultado<PedidoMedidas> lerMedidas(const PedidoCli& p) {
    PedidoMedidas m;
    m.produto = p.opcao(QStringLiteral("produto")).trimmed();
    if (m.produto.isEmpty())
        return Falha(QStringLiteral("Falta a opção --produto."));
    for (auto [nome, valor] : {std::pair{"altura", &m.altura}, {"largura", &m.largura}, {"quantidade", &m.quantidade}}) {
        const auto c = montanteOpcao(p, QLatin1String(nome));
        if (!c)
            return c.falha();
        *valor = *c;
    }
    return m;
}

// The product's template scaled to the values asked, as "&Calcular" does.
Resultado<CalculoMedicoes> calcularTemplate(SessaoCli& s, const PedidoMedidas& m) {
    const Resultado<QString> produto = s.produto(m.produto);
    if (!produto)
        return produto.falha();
    const auto modelo = LerTemplateMedicoes(s.ctx.bd(), *produto);
    if (!modelo)
        return modelo.falha();
    if (!*modelo)
        return Falha(QStringLiteral("O produto %1 não tem nomenclatura de medições.").arg(*produto));
    return CalculaMedicoes(**modelo, m.altura, m.largura, m.quantidade);
}

Resultado<QJsonValue> calcular(SessaoCli& s, const PedidoCli& p) {
    const auto m = lerMedidas(p);
    if (!m)
        return m.falha();
    const QString pdf = p.opcao(QStringLiteral("pdf")).trimmed();
    QStringList botoes{QStringLiteral("cmdCalcular")};
    if (!pdf.isEmpty())
        botoes << QStringLiteral("cmdImprimir");
    if (auto r = s.permitido(JanelaCalculos, botoes); !r)
        return r.falha();
    const auto c = calcularTemplate(s, *m);
    if (!c)
        return c.falha();
    QJsonObject resposta = calculoJson(*c);
    if (!pdf.isEmpty()) {
        if (auto r = CalculoMedicoesParaPdf(*c, pdf); !r)
            return r.falha();
        resposta.insert(QStringLiteral("pdf"), pdf);
    }
    return QJsonValue(resposta);
}

// "--lote MP005=CV-0118 --lote MP006=VA-0931" (or both in one, comma-separated): the lot of each lot-kept
// raw material, in the order given.
struct LoteMateria {
    QString produto, lote;
};

Resultado<std::vector<LoteMateria>> lerLotes(const PedidoCli& p, const Mavo& mavo) {
    std::vector<LoteMateria> lotes;
    QStringList pares;
    for (const QString& v : p.valores(QStringLiteral("lote")))
        pares += v.split(u',');
    for (const QString& par : pares) {
        const qsizetype igual = par.indexOf(u'=');
        const LoteMateria l{mavo.Zerar_Produto_str(par.left(igual).trimmed()), par.mid(igual + 1).trimmed()};
        if (igual < 0 || l.produto.isEmpty() || l.lote.isEmpty() || l.lote.size() > 20)
            return Falha(QStringLiteral("--lote inválido: %1 (use --lote PRODUTO=LOTE, uma vez por matéria-prima).")
                             .arg(citacao(par)));
        for (const LoteMateria& outro : lotes)
            if (outro.produto.compare(l.produto, Qt::CaseInsensitive) == 0)
                return Falha(QStringLiteral("--lote: o produto %1 está repetido.").arg(l.produto));
        lotes.push_back(l);
    }
    return lotes;
}

QString loteDe(const std::vector<LoteMateria>& lotes, const QString& produto) {
    for (const LoteMateria& l : lotes)
        if (l.produto.compare(produto, Qt::CaseInsensitive) == 0)
            return l.lote;
    return {};
}

bool controlaLote(GlobalContext& ctx, const QString& produto) {
    return ctx.Lotes != 0 &&
           ctx.bd().scalar(QStringLiteral("SELECT Lote FROM Produtos WHERE Codigo=?"), {produto}).toInt() == 1;
}

// The lot window answered with the lot given: the row of that lot in the line's warehouse (the
// first location that covers the line, else its first location), then "&Seleccionar".
Resultado<> escolherLote(GlobalContext& ctx, LinhaCalculoMedicoes& l, const QString& lote) {
    InteraccaoCli ui;
    ExistProArmLote escolha(ctx, ui);
    escolha.txtCodigo = l.produto;
    escolha.txtArmazem = l.armazem;
    // As the window asks: a product kept FIFO or LIFO must give its first lot in that order.
    escolha.txtAfectaSTK = QStringLiteral("S+");
    escolha.txtSomaQTY = l.quantidadeSaida;
    escolha.VerLote(lote, {}, {});
    const auto& linhas = escolha.linhas();
    int escolhida = -1;
    for (int i = 0; i < int(linhas.size()); ++i) {
        const ExistProArmLote::Linha& x = linhas[size_t(i)];
        if (x.lote.compare(lote, Qt::CaseInsensitive) != 0)
            continue;
        if (escolhida < 0 || (x.existencia >= l.quantidadeSaida && linhas[size_t(escolhida)].existencia < l.quantidadeSaida))
            escolhida = i;
    }
    if (escolhida < 0)
        return Falha(QStringLiteral("O lote %1 do produto %2 não tem existência no armazém %3.")
                         .arg(lote, l.produto, l.armazem));
    escolha.clicarLinha(escolhida);
    if (escolha.seleccionar() != ExistProArmLote::Resultado::Escolhido)
        return Falha(ui.ultima.isEmpty()
                         ? QStringLiteral("O lote %1 do produto %2 não pode ser escolhido.").arg(lote, l.produto)
                         : ui.ultima);
    l.lote = escolha.txtLote.trimmed();
    l.localizacao = escolha.txtLocalizacao.trimmed();
    l.dataFabrico = escolha.txtDataFabrico.trimmed();
    l.dataValidade = escolha.txtDataValidade.trimmed();
    return {};
}

Resultado<QJsonValue> lancar(SessaoCli& s, const PedidoCli& p) {
    const auto m = lerMedidas(p);
    if (!m)
        return m.falha();
    const Mavo mavo(s.ctx);
    const auto lotes = lerLotes(p, mavo);
    if (!lotes)
        return lotes.falha();
    const QString pdf = p.opcao(QStringLiteral("pdf")).trimmed();
    // Checked before posting, so a lot is not left without the sheet asked for.
    if (!pdf.isEmpty()) {
        if (auto r = destinoPdf(pdf); !r)
            return r.falha();
    }
    if (auto r = s.permitido(JanelaCalculos, {QStringLiteral("cmdIntegrar")}); !r)
        return r.falha();
    auto c = calcularTemplate(s, *m);
    if (!c)
        return c.falha();
    if (p.opcoes.contains(QStringLiteral("armazem"))) {
        const QString armazem = p.opcao(QStringLiteral("armazem")).trimmed();
        if (armazem.isEmpty() || !s.existe(QStringLiteral("Armazens"), armazem))
            return Falha(QStringLiteral("Armazém Inexistente: %1").arg(citacao(armazem)));
        c->armazemEntrada = armazem;
    }
    // Every lot given belongs to a lot-kept raw material of the template, and every such material has one.
    for (const LoteMateria& dado : *lotes) {
        bool naNomenclatura = false;
        for (const LinhaCalculoMedicoes& l : c->linhas)
            naNomenclatura = naNomenclatura || l.produto.compare(dado.produto, Qt::CaseInsensitive) == 0;
        if (!naNomenclatura)
            return Falha(QStringLiteral("--lote: o produto %1 não é matéria-prima da nomenclatura de medições de %2.")
                             .arg(dado.produto, c->produto));
    }
    for (LinhaCalculoMedicoes& l : c->linhas) {
        const QString lote = loteDe(*lotes, l.produto);
        if (!controlaLote(s.ctx, l.produto)) {
            if (!lote.isEmpty())
                return Falha(QStringLiteral("O produto %1 não tem controlo de lotes.").arg(l.produto));
            continue;
        }
        if (lote.isEmpty())
            return Falha(QStringLiteral("Falta o lote da matéria-prima %1 (--lote %1=LOTE).").arg(l.produto));
        if (auto r = escolherLote(s.ctx, l, lote); !r)
            return r.falha();
    }
    const auto r = LancaMedicoes(s.ctx, *c);
    if (!r)
        return r.falha();
    QJsonObject resposta{{"lote", r->lote},
                         {"saida", documento(r->saida)},
                         {"entrada", documento(r->ent)},
                         {"custoTotal", r->custoTotal.toString()},
                         {"precario", r->precario.toString()}};
    if (!pdf.isEmpty()) {
        // The lot is posted: a sheet that cannot be written is told with the lot it belongs to.
        const auto folha = LerFolhaLoteMedicoes(s.ctx.bd(), r->lote);
        const Resultado<> escrito = folha ? FolhaLoteMedicoesParaPdf(*folha, pdf) : Resultado<>(folha.falha());
        if (!escrito) {
            p.parcial = QJsonObject{{"lote", r->lote}};
            return Falha(QStringLiteral("O lote %1 foi lançado, mas o PDF não foi gravado: %2")
                             .arg(r->lote, escrito.mensagem()));
        }
        resposta.insert(QStringLiteral("pdf"), pdf);
    }
    return QJsonValue(resposta);
}

// ---------------------------------------------------------------- folha

Resultado<QJsonValue> folha(SessaoCli& s, const PedidoCli& p) {
    const QString lote = p.opcao(QStringLiteral("lote")).trimmed();
    const QString pdf = p.opcao(QStringLiteral("pdf")).trimmed();
    if (lote.isEmpty() || pdf.isEmpty())
        return Falha(QStringLiteral("Uso: medicoes folha --lote LOTE --pdf FICHEIRO"));
    if (auto r = s.permitido(JanelaFolha, {QStringLiteral("cmdImprimir")}); !r)
        return r.falha();
    const auto f = LerFolhaLoteMedicoes(s.ctx.bd(), lote);
    if (!f)
        return f.falha();
    if (auto r = FolhaLoteMedicoesParaPdf(*f, pdf); !r)
        return r.falha();
    return QJsonValue(QJsonObject{{"lote", f->lote},
                                  {"produto", f->produto},
                                  {"altura", f->altura.toString()},
                                  {"largura", f->largura.toString()},
                                  {"linhas", int(f->linhas.size())},
                                  {"pdf", pdf}});
}

Resultado<QJsonValue> cmdMedicoes(const PedidoCli& p) {
    const QString accao = p.argumentos.value(0).toLower();
    const auto aceites = opcoesDaAccao().constFind(accao);
    if (aceites == opcoesDaAccao().cend() || p.argumentos.size() != (accao == QStringLiteral("gravar") ? 2 : 1))
        return Falha(Uso);
    for (auto i = p.opcoes.cbegin(); i != p.opcoes.cend(); ++i)
        if (i.key() != QStringLiteral("empresa") && i.key() != QStringLiteral("utilizador") &&
            i.key() != QStringLiteral("pg") && i.key() != QStringLiteral("login") && !aceites->contains(i.key()))
            return Falha(QStringLiteral("A opção --%1 não serve com \"medicoes %2\".").arg(i.key(), accao));
    const QString substituir = p.opcao(QStringLiteral("substituir")).trimmed().toLower();
    if (p.opcoes.contains(QStringLiteral("substituir")) && substituir != QStringLiteral("sim") &&
        substituir != QStringLiteral("nao") && substituir != QStringLiteral("não"))
        return Falha(QStringLiteral("--substituir aceita \"sim\" ou \"não\"."));
    SessaoCli s;
    if (auto r = s.abrir(p); !r)
        return r.falha();
    if (accao == QStringLiteral("gravar"))
        return gravar(s, p.argumentos[1], substituir == QStringLiteral("sim"));
    if (accao == QStringLiteral("calcular"))
        return calcular(s, p);
    if (accao == QStringLiteral("lancar"))
        return lancar(s, p);
    return folha(s, p);
}

} // namespace

std::vector<ComandoCli> comandosMedicoesCli() {
    return {{QStringLiteral("medicoes"),
             QStringLiteral("medicoes gravar FICHEIRO [--substituir sim] | calcular --produto P --altura A --largura L "
                            "--quantidade Q [--pdf FICHEIRO] | lancar --produto P --altura A --largura L --quantidade "
                            "Q [--armazem A] [--lote PRODUTO=LOTE]... [--pdf FICHEIRO] | folha --lote LOTE "
                            "--pdf FICHEIRO --empresa CODIGO [--utilizador CODIGO]"),
             QStringLiteral("Produtos por medida: grava a nomenclatura de medições de um produto acabado, calcula as "
                            "matérias-primas para uma nova altura, largura e quantidade, lança esse cálculo como um "
                            "lote de produção encerrado (--lote dá o lote das matérias-primas com controlo de lotes) "
                            "e grava a folha de produção do lote (medições) em PDF."),
             {QStringLiteral("empresa"), QStringLiteral("utilizador"), QStringLiteral("substituir"),
              QStringLiteral("produto"), QStringLiteral("altura"), QStringLiteral("largura"),
              QStringLiteral("quantidade"), QStringLiteral("armazem"), QStringLiteral("lote"), QStringLiteral("pdf")},
             cmdMedicoes,
             {QStringLiteral("lote")}}};
}

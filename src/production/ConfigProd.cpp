#include "production/ConfigProd.h"

#include "company/EDiv.h"
#include "common/UserInteraction.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "session/LogGeral.h"

#include <QSqlQuery>

namespace {
const QStringList Colunas = {QStringLiteral("TipoSaida"),          QStringLiteral("Tipoent"),
                             QStringLiteral("Tiporet"),            QStringLiteral("TipoRef"),
                             QStringLiteral("Processo_TipoSaida"), QStringLiteral("Processo_TipoRet"),
                             QStringLiteral("Fornece"),            QStringLiteral("cliente"),
                             QStringLiteral("UltLote"),            QStringLiteral("CasasDec"),
                             QStringLiteral("Precario")};

QVariantList valores(const DadosConfigProd& d) {
    return {d.TipoSaida.trimmed(),          d.Tipoent.trimmed(),          d.Tiporet.trimmed(),
            d.TipoRef.trimmed(),            d.Processo_TipoSaida.trimmed(), d.Processo_TipoRet.trimmed(),
            d.Fornece.trimmed(),            d.cliente.trimmed(),          d.UltLote,
            d.CasasDec,                     d.Precario};
}

bool soAlgarismos(const QString& t) {
    for (QChar c : t)
        if (!c.isDigit())
            return false;
    return true;
}
} // namespace

Resultado<std::optional<DadosConfigProd>> LerConfigProd(Database& db) {
    auto q = db.query(QStringLiteral("SELECT ") + Colunas.join(u',') +
                      QStringLiteral(" FROM configProd ORDER BY NumRegisto"));
    if (!q)
        return Falha(db.lastError());
    if (!q->next())
        return std::optional<DadosConfigProd>();
    DadosConfigProd d;
    d.TipoSaida = q->value(0).toString();
    d.Tipoent = q->value(1).toString();
    d.Tiporet = q->value(2).toString();
    d.TipoRef = q->value(3).toString();
    d.Processo_TipoSaida = q->value(4).toString();
    d.Processo_TipoRet = q->value(5).toString();
    d.Fornece = q->value(6).toString();
    d.cliente = q->value(7).toString();
    d.UltLote = q->value(8).toString();
    d.CasasDec = q->value(9).toInt();
    const QString precario = q->value(10).toString().trimmed();
    if (!precario.isEmpty())
        d.Precario = precario;
    return std::optional<DadosConfigProd>(std::move(d));
}

ConfigProd::ConfigProd(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}

QString ConfigProd::Titulo() { return QStringLiteral("Configuração de Produção"); }

void ConfigProd::carregar() {
    dados = LerConfigProd(m_ctx.bd()).valorOu(std::nullopt).value_or(DadosConfigProd{});
    m_emEdicao = false;
}

void ConfigProd::ultLoteSaiu() {
    if (dados.UltLote.trimmed().isEmpty())
        return;
    int largura = 10;
    dados.UltLote = EDiv::Zerar(dados.UltLote, largura);
}

QString ConfigProd::afectaStk(Campo c) {
    switch (c) {
    case Campo::TipoSaida:
    case Campo::TipoRef:
    case Campo::Processo_TipoSaida:
        return QStringLiteral("S+");
    case Campo::Tipoent:
        return QStringLiteral("E+");
    case Campo::Tiporet:
    case Campo::Processo_TipoRet:
        return QStringLiteral("S-");
    case Campo::Nenhum:
        break;
    }
    return {};
}

QString ConfigProd::condicaoTipo(Campo c) {
    return QStringLiteral(" and modulo='ST' and Afectastk='%1' and afectaiva=0 ").arg(afectaStk(c));
}

bool ConfigProd::tipoValido(Campo c, const QString& codigo) const {
    if (codigo.trimmed().isEmpty())
        return true;
    return m_ctx.bd()
        .primeiraLinha(QStringLiteral("SELECT Codigo FROM TabTipoMov WHERE Codigo=? AND Modulo='ST' AND AfectaStk=? "
                                      "AND COALESCE(AfectaIVA,0)=0"),
                       {codigo.trimmed(), afectaStk(c)})
        .has_value();
}

bool ConfigProd::gravar() {
    using Icone = UserInteraction::Icone;
    m_foco = Campo::Nenhum;
    auto recusar = [this](const QString& texto, Campo foco) {
        m_ui.mensagem(texto, Icone::Exclamacao);
        m_foco = foco;
        return false;
    };
    const auto igual = [](const QString& a, const QString& b) {
        return !a.trimmed().isEmpty() && a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
    };
    if (igual(dados.Processo_TipoSaida, dados.TipoSaida))
        return recusar(QStringLiteral("O Tipo de Movimento Saída de Matéria Prima para Processos não pode ser igual "
                                      "ao Tipo de Movimento Saída de Matéria Prima!"),
                       Campo::Processo_TipoSaida);
    if (igual(dados.Processo_TipoRet, dados.Tiporet))
        return recusar(QStringLiteral("O Tipo de Movimento Retorno de Matéria Prima para Processos não pode ser igual "
                                      "ao Tipo de Movimento Retorno de Matéria Prima!"),
                       Campo::Processo_TipoRet);
    if (igual(dados.Processo_TipoSaida, dados.TipoRef))
        return recusar(QStringLiteral("O Tipo de Movimento Reforço de Matéria Prima para Processos não pode ser igual "
                                      "ao Tipo de Movimento Reforço de Matéria Prima!"),
                       Campo::Processo_TipoSaida);
    // A type of the wrong direction would post stock the wrong way round.
    const std::pair<Campo, const QString*> tipos[] = {
        {Campo::TipoSaida, &dados.TipoSaida},       {Campo::Tipoent, &dados.Tipoent},
        {Campo::Tiporet, &dados.Tiporet},           {Campo::TipoRef, &dados.TipoRef},
        {Campo::Processo_TipoSaida, &dados.Processo_TipoSaida}, {Campo::Processo_TipoRet, &dados.Processo_TipoRet}};
    for (const auto& [campo, codigo] : tipos)
        if (!tipoValido(campo, *codigo))
            return recusar(QStringLiteral("O Tipo de Movimento %1 não existe ou não é um movimento de stock (%2)!")
                               .arg(codigo->trimmed(), afectaStk(campo)),
                           campo);
    ultLoteSaiu();
    if (!soAlgarismos(dados.UltLote.trimmed()) || dados.UltLote.trimmed().size() > 10)
        return recusar(QStringLiteral("O Número do último Lote só pode ter até 10 algarismos!"), Campo::Nenhum);
    // Quantities are kept with four decimals at most.
    if (dados.CasasDec < 0 || dados.CasasDec > 4)
        return recusar(QStringLiteral("O Nº de Casas Decimais para Calculos da Produção tem de estar entre 0 e 4!"),
                       Campo::Nenhum);

    Database& db = m_ctx.bd();
    Transaction t(db);
    if (!t.ok()) {
        m_ui.mensagem(db.lastError(), Icone::Critico);
        return false;
    }
    const auto lido = db.lerValor(QStringLiteral("SELECT NumRegisto FROM configProd ORDER BY NumRegisto"));
    bool ok = lido.ok();
    const QVariant num = lido.valorOu(QVariant());
    qint64 numRegisto = num.isValid() && !num.isNull() ? num.toLongLong() : 0;
    const QSqlRecord antes = numRegisto ? lerRegisto(db, QStringLiteral("configProd"), numRegisto) : QSqlRecord();
    if (ok) {
        if (numRegisto)
            ok = db.update(QStringLiteral("configProd"), Colunas, valores(dados), QStringLiteral("WHERE NumRegisto=?"),
                           {numRegisto});
        else
            ok = (numRegisto = db.insert(QStringLiteral("configProd"), Colunas, valores(dados))) > 0;
    }
    if (ok) {
        const QSqlRecord depois = lerRegisto(db, QStringLiteral("configProd"), numRegisto);
        EntradaLog e;
        e.modulo = QStringLiteral("TB");
        e.accao = QStringLiteral("A");
        e.descricao = QStringLiteral("ConfigProd");
        ok = LogGeral(m_ctx, e, antes.isEmpty() ? nullptr : &antes, antes.isEmpty() ? nullptr : &depois);
    }
    if (!ok || !t.commit()) {
        m_ui.mensagem(db.lastError(), Icone::Critico);
        return false;
    }
    m_ctx.casasdecProducao = dados.CasasDec;
    m_emEdicao = false;
    return true;
}

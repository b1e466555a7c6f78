#include "session/Acessos.h"

#include "common/UserInteraction.h"
#include "db/Database.h"
#include "company/TabelasComuns.h"
#include "company/GlobalContext.h"

#include <QSqlQuery>

namespace {

bool isento(const QString& utilizador) {
    return utilizador == QStringLiteral("01") || utilizador == QStringLiteral("00");
}

// Rows of the program only: the table is shared with the suite's other programs, whose keys
// begin with their own names.
QString condicaoPrograma(Database& db) {
    return db.dialect().like(QStringLiteral("chave"));
}
QString padraoPrograma() {
    return NomePrograma + QStringLiteral("%");
}

Resultado<bool> existeLinha(Database& db, const QString& utilizador, const QString& chave) {
    const auto r =
        db.lerPrimeiraLinha(QStringLiteral("SELECT chave FROM Acessos WHERE chave=? AND utilizador=?"), {chave, utilizador});
    if (!r)
        return r.falha();
    return r->has_value();
}

struct LinhaAcesso {
    QString chave, chave1, form, ctrl, caption, ctrlcap;
};

bool inserirSeFaltar(Database& db, const QString& utilizador, const LinhaAcesso& l, int value) {
    const auto existe = existeLinha(db, utilizador, l.chave);
    if (!existe)
        return false;
    if (*existe)
        return true;
    return db.insert(QStringLiteral("Acessos"),
                     Registo()(QStringLiteral("utilizador"), utilizador)(QStringLiteral("chave"), l.chave)(
                         QStringLiteral("value"), value)(QStringLiteral("chave1"), l.chave1)(
                         QStringLiteral("form"), l.form)(QStringLiteral("ctrl"), l.ctrl)(
                         QStringLiteral("caption"), l.caption)(QStringLiteral("ctrlcap"), l.ctrlcap)) > 0;
}

// The common table editor, once per table offered on the menu.
JanelaProtegida janelaTabelaComum(int i) {
    return {QStringLiteral("frmTabelaComum"),
            TabelasComunsMenu().value(i).titulo,
            {{QStringLiteral("cmdAdicionar"), QStringLiteral("&Adicionar")},
             {QStringLiteral("cmdAlterar"), QStringLiteral("A&lterar")},
             {QStringLiteral("cmdEliminar"), QStringLiteral("&Eliminar")},
             {QStringLiteral("cmdGravar"), QStringLiteral("&Gravar")}}};
}

} // namespace

const std::vector<JanelaProtegida>& JanelasProtegidas() {
    static const std::vector<JanelaProtegida> lista = {
        {QStringLiteral("frmAcessos"),
         QStringLiteral("Manutenção de Acessos por Utilizador"),
         {{QStringLiteral("cmdGravar"), QStringLiteral("&Gravar")},
          {QStringLiteral("cmdRecarregar"), QStringLiteral("&Recarregar")},
          {QStringLiteral("cmdProcurar"), QStringLiteral("&Procurar Item")}}},
        {QStringLiteral("frmSegurancas"),
         QStringLiteral("Cópias de Segurança"),
         {{QStringLiteral("cmdSeguranca"), QStringLiteral("&Efectuar Segurança")},
          {QStringLiteral("cmdRepor"), QStringLiteral("&Repor")}}},
        janelaTabelaComum(0), janelaTabelaComum(1), janelaTabelaComum(2),
        janelaTabelaComum(3), janelaTabelaComum(4), janelaTabelaComum(5),
        janelaTabelaComum(6), janelaTabelaComum(7), janelaTabelaComum(8),
        {QStringLiteral("frmNomenclatura"),
         QStringLiteral("Nomenclatura de Produtos"),
         {{QStringLiteral("cmdAdicionar"), QStringLiteral("&Adicionar")},
          {QStringLiteral("cmdAlterar"), QStringLiteral("A&lterar")},
          {QStringLiteral("cmdEliminar"), QStringLiteral("&Eliminar")},
          {QStringLiteral("cmdPrecoPA"), QStringLiteral("&Preço Produto Acabado")},
          {QStringLiteral("cmdImportar"), QStringLiteral("Importar Nomenclatura")}}},
        {QStringLiteral("frmNomenclaturaNaHora"),
         QStringLiteral("Nomenclatura de Produtos (Produção instantânea)"),
         {{QStringLiteral("cmdAdicionar"), QStringLiteral("&Adicionar")},
          {QStringLiteral("cmdAlterar"), QStringLiteral("A&lterar")},
          {QStringLiteral("cmdEliminar"), QStringLiteral("&Eliminar")}}},
        {QStringLiteral("frmMovProducaoNaHora"),
         QStringLiteral("Produção Instantânea"),
         {{QStringLiteral("cmdIntegrarNomenclatura"), QStringLiteral("Integrar &Nomenclatura")},
          {QStringLiteral("cmdIntegrarProcesso"), QStringLiteral("&Integrar Processo")},
          {QStringLiteral("cmdIntegrarEquipamento"), QStringLiteral("&Integrar Equipamento")},
          {QStringLiteral("cmdProcessar"), QStringLiteral("&Processar")}}},
        {QStringLiteral("frmMovProducao_Processo"),
         QStringLiteral("Processos para Produção"),
         {{QStringLiteral("cmdAdicionar"), QStringLiteral("&Adicionar")},
          {QStringLiteral("cmdAlterar"), QStringLiteral("A&lterar")},
          {QStringLiteral("cmdEliminar"), QStringLiteral("&Eliminar")},
          {QStringLiteral("cmdMovimentos"), QStringLiteral("&Movimentos")},
          {QStringLiteral("cmdAnalise"), QStringLiteral("A&nálise")}}},
        {QStringLiteral("frmTabEquipamentos"),
         QStringLiteral("Desmantelamento de Equipamentos"),
         {{QStringLiteral("cmdAdicionar"), QStringLiteral("&Adicionar")},
          {QStringLiteral("cmdAlterar"), QStringLiteral("A&lterar")},
          {QStringLiteral("cmdEliminar"), QStringLiteral("&Eliminar")},
          {QStringLiteral("cmdImprimir"), QStringLiteral("&Imprimir")}}},
        {QStringLiteral("frmMedicoesTemplate"),
         QStringLiteral("Nomenclatura Base para Produtos Acabados"),
         {{QStringLiteral("cmdAdicionar"), QStringLiteral("&Adicionar")},
          {QStringLiteral("cmdAlterar"), QStringLiteral("A&lterar")},
          {QStringLiteral("cmdEliminar"), QStringLiteral("&Eliminar")}}},
        {QStringLiteral("frmMedicoesCalculos"),
         QStringLiteral("Cálculos para Produtos Acabados"),
         {{QStringLiteral("cmdSeleccionar"), QStringLiteral("&Seleccionar")},
          {QStringLiteral("cmdCalcular"), QStringLiteral("&Calcular")},
          {QStringLiteral("cmdImprimir"), QStringLiteral("&Imprimir")},
          {QStringLiteral("cmdIntegrar"), QStringLiteral("Inte&grar Lote nos Stocks")}}},
        {QStringLiteral("frmImpFolhaLoteMedicoes"),
         QStringLiteral("Folha de Produção de Lote (Medições)"),
         {{QStringLiteral("cmdImprimir"), QStringLiteral("Imprimir")}}},
        {QStringLiteral("frmMovProducao"),
         QStringLiteral("Movimentos de Produção"),
         {{QStringLiteral("cmdCarregar"), QStringLiteral("Carregar &Nomenclatura")},
          {QStringLiteral("cmdAltQtyNmc"), QStringLiteral("Alt.Qty.N&mc.")},
          {QStringLiteral("cmdAltQtyProd"), QStringLiteral("Alt.&Qty Prod.")},
          {QStringLiteral("cmdAcertos"), QStringLiteral("Acerto&s")},
          {QStringLiteral("cmdLoteProduto"), QStringLiteral("&Lote / Produto")},
          {QStringLiteral("cmdExecutarLote"), QStringLiteral("&Executar Lote")},
          {QStringLiteral("cmdImpConfer"), QStringLiteral("&Imp. Confer.")},
          {QStringLiteral("cmdProcessar"), QStringLiteral("&Processar")}}},
        {QStringLiteral("frmVerCapacidade"),
         QStringLiteral("Previsão da Capacidade de Produção"),
         {{QStringLiteral("cmdImprimir"), QStringLiteral("&Imprimir")}}},
        {QStringLiteral("frmImpNomenclatura"),
         QStringLiteral("Nomenclatura de Produtos Acabados"),
         {{QStringLiteral("cmdImprimir"), QStringLiteral("&Imprimir")}}},
        {QStringLiteral("frmImpNomenclaturaMedicoes"),
         QStringLiteral("Nomenclatura de Produtos Acabados (Medições)"),
         {{QStringLiteral("cmdImprimir"), QStringLiteral("&Imprimir")}}},
        {QStringLiteral("frmImpMapaProducaoDisc"),
         QStringLiteral("Mapa de Produção <Discriminado - Lotes>"),
         {{QStringLiteral("cmdImprimir"), QStringLiteral("Imprimir")}}},
        {QStringLiteral("frmImpMapaProducao"),
         QStringLiteral("Mapa de Produção"),
         {{QStringLiteral("cmdImprimir"), QStringLiteral("&Imprimir")}}},
        {QStringLiteral("frmImpDiarioStk"),
         QStringLiteral("Análise de Produtos por Grupos/Familias/Subfamilias"),
         {{QStringLiteral("cmdImprimir"), QStringLiteral("&Imprimir")}}},
        {QStringLiteral("frmImpDiarioProdNaHora"),
         QStringLiteral("Diário de Produção Instantânea"),
         {{QStringLiteral("cmdImprimir"), QStringLiteral("&Imprimir")}}},
        {QStringLiteral("frmImpRelatorioProdInstantanea"),
         QStringLiteral("Relatório de Produção Instantânea"),
         {{QStringLiteral("cmdImprimir"), QStringLiteral("&Imprimir")},
          {QStringLiteral("cmdEliminarProcesso"), QStringLiteral("&Eliminar Processo")},
          {QStringLiteral("cmdImpEtiquetas"), QStringLiteral("Imp. Etiquetas")}}},
        {QStringLiteral("frmGraficoEstatProd"),
         QStringLiteral("Gráfico Estatístico de Produção"),
         {{QStringLiteral("cmdCalcula"), QStringLiteral("&Calcula")},
          {QStringLiteral("cmdGraficoBarras"), QStringLiteral("&Barras")},
          {QStringLiteral("cmdGraficoCircular"), QStringLiteral("C&ircular")},
          {QStringLiteral("cmdImprimir"), QStringLiteral("&Imprimir")}}},
        {QStringLiteral("frmRastreabilidade"),
         QStringLiteral("Rastreabilidade de Lotes"),
         {{QStringLiteral("cmdImprimir"), QStringLiteral("&Imprimir")}}},
        {QStringLiteral("frmImpFolhaLote"),
         QStringLiteral("Folha de Produção de Lote"),
         {{QStringLiteral("cmdImprimir"), QStringLiteral("Imprimir")}}},
        {QStringLiteral("frmImpCodBar"),
         QStringLiteral("Impressão de Etiquetas"),
         {{QStringLiteral("cmdImprimir"), QStringLiteral("Imprimir")},
          {QStringLiteral("cmdAlterar"), QStringLiteral("Alterar Conteúdo")}}},
        {QStringLiteral("frmEtiquetas"),
         QStringLiteral("Definição de Etiquetas"),
         {{QStringLiteral("cmdGravar"), QStringLiteral("&Gravar")},
          {QStringLiteral("cmdEliminar"), QStringLiteral("&Eliminar")}}},
        {QStringLiteral("frmEliminarLote"),
         QStringLiteral("Eliminação de Lotes (com reposição)"),
         {{QStringLiteral("cmdEliminar"), QStringLiteral("&Eliminar")}}},
        {QStringLiteral("frmConfigProd"),
         QStringLiteral("Configuração de Produção"),
         {{QStringLiteral("cmdAlterar"), QStringLiteral("A&lterar")},
          {QStringLiteral("cmdGravar"), QStringLiteral("&Gravar")}}},
        {QStringLiteral("frmAlterarPMC"),
         QStringLiteral("Actualizar P.M.C. e U.P.C. <Produtos sem Compras>"),
         {{QStringLiteral("cmdActualizar"), QStringLiteral("&Actualizar")}}},
    };
    return lista;
}

QString ChaveJanela(const QString& form, const QString& caption) {
    return NomePrograma + form + caption;
}

QString ChaveBotao(const QString& form, const QString& caption, const QString& captionBotao) {
    return ChaveJanela(form, caption) + TextoSemAcelerador(captionBotao);
}

QString TextoSemAcelerador(const QString& caption) {
    QString r;
    r.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            // "&&" is a literal ampersand.
            if (i + 1 < caption.size() && caption[i + 1] == u'&')
                r += caption[++i];
            continue;
        }
        r += caption[i];
    }
    return r;
}

bool BotaoControlado(const QString& ctrl, const QString& caption) {
    if (!ctrl.startsWith(QStringLiteral("cmd"), Qt::CaseInsensitive))
        return false;
    const QString c = TextoSemAcelerador(caption).trimmed().toUpper();
    for (const char* fecho : {"FECHA", "CANCEL", "VOLTA", "SAI", "..."})
        if (c.startsWith(QLatin1String(fecho)))
            return false;
    return true;
}

bool Acesso(GlobalContext& ctx, UserInteraction* ui, const QString& utilizador, const QString& chave,
            bool mensagem) {
    if (isento(utilizador))
        return true;
    if (CheckUtilizApp(ctx, chave, utilizador) == 1)
        return true;
    if (mensagem && ui)
        ui->mensagem(QStringLiteral("Acesso Negado!\r\nFavor de contactar o SUPERVISOR.\r\n\r\n[") + chave +
                         QStringLiteral("]"),
                     UserInteraction::Icone::Critico, QStringLiteral("CONTROLO DE ACESSOS"));
    return false;
}

int CheckUtilizApp(GlobalContext& ctx, const QString& chave, const QString& utilizador) {
    const auto linha = ctx.bd().primeiraLinha(
        QStringLiteral("SELECT value FROM Acessos WHERE chave=? AND utilizador=?"), {chave, utilizador});
    if (!linha)
        return -1;
    // A null value grants nothing.
    return linha->at(0).isNull() ? 0 : linha->at(0).toInt();
}

bool GetBotoes(Database& db, const QString& utilizador, const JanelaProtegida& janela, int value) {
    const QString chaveJanela = ChaveJanela(janela.form, janela.caption);
    Transaction tr(db);
    if (!tr.ok())
        return false;
    if (!inserirSeFaltar(db, utilizador, {chaveJanela, NomePrograma, janela.form, {}, janela.caption, {}},
                         value))
        return false;
    for (const BotaoProtegido& b : janela.botoes) {
        if (!BotaoControlado(b.ctrl, b.caption))
            continue;
        const LinhaAcesso l{ChaveBotao(janela.form, janela.caption, b.caption),
                            chaveJanela,
                            janela.form,
                            b.ctrl,
                            janela.caption,
                            TextoSemAcelerador(b.caption)};
        if (!inserirSeFaltar(db, utilizador, l, value))
            return false;
    }
    return tr.commit();
}

bool CriaTodososAcessos(GlobalContext& ctx, const QString& utilizador) {
    return CriaTodososAcessos(ctx, utilizador, JanelasProtegidas());
}

bool CriaTodososAcessos(GlobalContext& ctx, const QString& utilizador,
                        const std::vector<JanelaProtegida>& janelas, UserInteraction* ui) {
    if (utilizador.trimmed().isEmpty())
        return false;
    if (isento(utilizador))
        return true;
    Database& db = ctx.bd();
    Transaction tr(db);
    if (!tr.ok())
        return false;
    if (ui)
        ui->progressoInicio(QStringLiteral("A criar os acessos do utilizador ") + utilizador +
                                QStringLiteral("..."),
                            int(janelas.size()) + 1);
    bool ok = inserirSeFaltar(db, utilizador, {NomePrograma, {}, {}, {}, NomePrograma, {}}, 1);
    for (size_t i = 0; ok && i < janelas.size(); ++i) {
        ok = GetBotoes(db, utilizador, janelas[i], 1);
        if (ui)
            ui->progresso(int(i) + 1, janelas[i].caption);
    }
    if (ui)
        ui->progressoFim();
    return ok && tr.commit();
}

bool ApagaTodososAcessos(GlobalContext& ctx, const QString& utilizador) {
    Database& db = ctx.bd();
    if (utilizador.compare(QStringLiteral("TODOS"), Qt::CaseInsensitive) == 0)
        return db.exec(QStringLiteral("DELETE FROM Acessos WHERE ") + condicaoPrograma(db),
                       {padraoPrograma()});
    return db.exec(QStringLiteral("DELETE FROM Acessos WHERE utilizador=? AND ") + condicaoPrograma(db),
                   {utilizador, padraoPrograma()});
}

ResultadoFormAcessos FormAcessos(GlobalContext& ctx, const QString& utilizador,
                                 const JanelaProtegida& janela) {
    ResultadoFormAcessos r;
    if (isento(utilizador)) {
        r.permitido = true;
        return r;
    }
    Database& db = ctx.bd();
    const int valor = CheckUtilizApp(ctx, ChaveJanela(janela.form, janela.caption), utilizador);
    if (valor < 0) {
        // A window the user was never given stays closed until the supervisor allows it;
        // its rows are left for the access editor to show.
        GetBotoes(db, utilizador, janela, 0);
        return r;
    }
    if (valor != 1)
        return r;
    r.permitido = true;
    for (const BotaoProtegido& b : janela.botoes) {
        if (!BotaoControlado(b.ctrl, b.caption))
            continue;
        const int v = CheckUtilizApp(ctx, ChaveBotao(janela.form, janela.caption, b.caption), utilizador);
        r.botoes.emplace_back(b.ctrl, v < 0 || v == 1);
    }
    return r;
}

bool Acesso_Utilizador_Produto(GlobalContext& ctx, const QString& coluna, const QString& produto) {
    if (isento(ctx.CodigoUtilizador))
        return true;
    static const QStringList colunas = {QStringLiteral("Consulta"), QStringLiteral("Movimenta"),
                                        QStringLiteral("VerCustos"), QStringLiteral("Altera")};
    QString nome;
    for (const QString& c : colunas)
        if (c.compare(coluna, Qt::CaseInsensitive) == 0)
            nome = c;
    if (nome.isEmpty())
        return false;
    const auto linha = ctx.bd().primeiraLinha(
        QStringLiteral("SELECT %1 FROM UtilizadorProduto WHERE Utilizador=? AND Produto=?").arg(nome),
        {ctx.CodigoUtilizador, produto});
    return linha && !linha->at(0).isNull() && linha->at(0).toInt() == 1;
}

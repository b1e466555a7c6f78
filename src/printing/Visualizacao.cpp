#include "printing/Visualizacao.h"

#include "common/UserInteraction.h"
#include "printing/ExportadorXlsx.h"

#include <QDateTime>
#include <QDir>
#include <QStandardPaths>

QStringList Visualizacao::NomesZoom() {
    return {QStringLiteral("Página Inteira"), QStringLiteral("Largura da Página"), QStringLiteral("100 %")};
}

Visualizacao::Visualizacao(std::shared_ptr<const DocumentoImpresso> doc, UserInteraction& ui)
    : pastaExportacao(PastaExportacaoPorOmissao()), m_doc(std::move(doc)), m_ui(ui) {}

QString Visualizacao::PastaExportacaoPorOmissao() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
           QStringLiteral("/WLumoProd/Exportacao");
}

QString Visualizacao::legenda() const {
    return QStringLiteral("Página ") + QString::number(m_pagina) + QStringLiteral(" de ") +
           QString::number(numeroPaginas());
}

void Visualizacao::irPara(int pagina) {
    m_pagina = std::clamp(pagina, 1, std::max(1, numeroPaginas()));
}

QString Visualizacao::exportarPara(const QString& ficheiro) {
    if (!EscreverXlsx(*m_doc, ficheiro)) {
        m_ui.mensagem(QStringLiteral("Ocorreu um erro ao tentar converter a listagem!"),
                      UserInteraction::Icone::Critico, TituloAtencao);
        return {};
    }
    m_ui.mensagem(QStringLiteral("Exportação Terminada!"), UserInteraction::Icone::Informacao,
                  TituloInformacao);
    if (m_ui.pergunta(QStringLiteral("Pretende abrir o ficheiro exportado?"), TituloInformacao) &&
        abrirFicheiro)
        abrirFicheiro(ficheiro);
    return ficheiro;
}

QString Visualizacao::exportarFolhaParaPasta() {
    if (!QDir().mkpath(pastaExportacao)) {
        m_ui.mensagem(QStringLiteral("Ocorreu um erro ao tentar converter a listagem!"),
                      UserInteraction::Icone::Critico, TituloAtencao);
        return {};
    }
    // The moment in the name keeps earlier exports of the same report.
    const QString nome = NomeFicheiroSeguro(m_doc->titulo) + u'_' +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss")) +
                         QStringLiteral(".xlsx");
    return exportarPara(QDir(pastaExportacao).filePath(nome));
}

QString Visualizacao::exportarFolhaComDialogo() {
    QString f = m_ui.escolherFicheiroGravar(QStringLiteral("Indique a Localização do Ficheiro a Exportar:"),
                                            QStringLiteral("Ficheiros Excel (*.xlsx)"),
                                            NomeFicheiroSeguro(m_doc->titulo) + QStringLiteral(".xlsx"));
    if (f.isEmpty())
        return {};
    if (!f.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive))
        f += QStringLiteral(".xlsx");
    return exportarPara(f);
}

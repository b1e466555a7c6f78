#include "lookups/LayoutColunas.h"

#include "db/Database.h"

#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

QString prefixoChave(TipoDadoColuna tipo) {
    switch (tipo) {
    case TipoDadoColuna::Data:
        return QStringLiteral("DATA_");
    case TipoDadoColuna::Valor:
        return QStringLiteral("VALOR_");
    case TipoDadoColuna::ValorQ:
        return QStringLiteral("VALORQ");
    case TipoDadoColuna::ValorP:
        return QStringLiteral("VALORP");
    case TipoDadoColuna::Texto:
        break;
    }
    return {};
}

namespace {

TipoDadoColuna tipoDoTexto(const QString& t) {
    const QString u = t.trimmed().toUpper();
    if (u == QLatin1String("DATA"))
        return TipoDadoColuna::Data;
    if (u == QLatin1String("VALOR"))
        return TipoDadoColuna::Valor;
    if (u == QLatin1String("VALOR_Q"))
        return TipoDadoColuna::ValorQ;
    if (u == QLatin1String("VALOR_P"))
        return TipoDadoColuna::ValorP;
    return TipoDadoColuna::Texto;
}

QString textoDoTipo(TipoDadoColuna t) {
    switch (t) {
    case TipoDadoColuna::Data:
        return QStringLiteral("DATA");
    case TipoDadoColuna::Valor:
        return QStringLiteral("VALOR");
    case TipoDadoColuna::ValorQ:
        return QStringLiteral("VALOR_Q");
    case TipoDadoColuna::ValorP:
        return QStringLiteral("VALOR_P");
    case TipoDadoColuna::Texto:
        break;
    }
    return {};
}

AlinhamentoColuna alinhamentoDoTexto(const QString& t) {
    const QString u = t.trimmed().toUpper();
    if (u == QLatin1String("D"))
        return AlinhamentoColuna::Direita;
    if (u == QLatin1String("C"))
        return AlinhamentoColuna::Centro;
    return AlinhamentoColuna::Esquerda;
}

} // namespace

std::vector<ColunaLayout> interpretarLayout(const QString& layoutOriginal) {
    QString layout = layoutOriginal.trimmed();
    if (!layout.isEmpty() && !layout.endsWith(QLatin1Char('/')))
        layout += QLatin1Char('/');

    std::vector<ColunaLayout> colunas;
    QStringList valores{QString()};
    for (const QChar ch : layout) {
        if (ch == QLatin1Char(',')) {
            valores << QString();
            continue;
        }
        if (ch != QLatin1Char('/')) {
            valores.last() += ch;
            continue;
        }
        // "/" closes the declaration; a declaration with nothing in it is a stray separator.
        const bool vazia = std::all_of(valores.cbegin(), valores.cend(),
                                       [](const QString& v) { return v.trimmed().isEmpty(); });
        if (!vazia && int(colunas.size()) < MaxColunasLayout) {
            while (valores.size() < 5)
                valores << QString();
            ColunaLayout c;
            c.titulo = valores[0];
            bool ok = false;
            const int w = valores[1].trimmed().toInt(&ok);
            c.larguraTwips = ok && w > 0 ? w : 0;
            c.alinhamento = alinhamentoDoTexto(valores[2]);
            c.tipo = tipoDoTexto(valores[3]);
            c.nome = valores[4].trimmed();
            c.chave = prefixoChave(c.tipo) + c.nome;
            colunas.push_back(c);
        }
        valores = QStringList{QString()};
    }
    return colunas;
}

QString escreverLayout(const std::vector<ColunaLayout>& colunas) {
    QString r;
    for (const auto& c : colunas) {
        QString al;
        if (c.alinhamento == AlinhamentoColuna::Direita)
            al = QStringLiteral("D");
        else if (c.alinhamento == AlinhamentoColuna::Centro)
            al = QStringLiteral("C");
        r += QStringLiteral("%1,%2,%3,%4,%5/").arg(c.titulo).arg(c.larguraTwips).arg(al, textoDoTipo(c.tipo), c.nome);
    }
    return r;
}

QString Cria_ListaParaLVW(const QSqlRecord& campos) {
    std::vector<ColunaLayout> colunas;
    for (int i = 0; i < campos.count() && i < MaxColunasLayout; ++i) {
        const QSqlField f = campos.field(i);
        ColunaLayout c;
        c.titulo = f.name();
        c.nome = f.name();
        const int tamanho = f.length() > 0 ? f.length() : 0;
        int w = tamanho * 110;
        if (w < 1000)
            w = 1000;
        else if (w > 20000)
            w = 3000;
        c.larguraTwips = f.name().compare(QLatin1String("NumRegisto"), Qt::CaseInsensitive) == 0 ? 0 : w;
        const int tipo = f.metaType().id();
        if (tipo == QMetaType::Double || tipo == QMetaType::Float) {
            c.alinhamento = AlinhamentoColuna::Direita;
            c.tipo = TipoDadoColuna::Valor;
        }
        colunas.push_back(c);
    }
    return escreverLayout(colunas);
}

QString Cria_ListaParaLVW(Database& db, const QString& sql, const QVariantList& valores) {
    auto q = db.query(sql, valores);
    if (!q)
        return {};
    return Cria_ListaParaLVW(q->record());
}

#include "printing/DocumentoImpresso.h"

#include <cmath>

QFont fonteEmTwips(const EstiloFonte& e) {
    QFont f(e.nome);
    // 1 pt = 20 twips; pixel sizes are whole numbers, which keeps tenths of a point.
    f.setPixelSize(std::max(1, int(std::lround(e.tamanho * 20))));
    f.setBold(e.negrito);
    f.setItalic(e.italico);
    f.setUnderline(e.sublinhado);
    f.setStrikeOut(e.riscado);
    // Hinting would snap glyphs to the measuring size, so widths would differ from paper.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

int DocumentoImpresso::indiceFonte(const EstiloFonte& e) {
    for (size_t i = 0; i < fontes.size(); ++i)
        if (fontes[i] == e)
            return int(i);
    fontes.push_back(e);
    return int(fontes.size()) - 1;
}

void DocumentoImpresso::limpar() {
    fontes.clear();
    paginas.clear();
    exportados.clear();
}

QString NomeFicheiroSeguro(const QString& titulo) {
    QString s = titulo.trimmed();
    for (QChar& c : s)
        if (QStringLiteral("\\/:*?\"<>|").contains(c) || c.unicode() < 32)
            c = u'_';
    return s.isEmpty() ? QStringLiteral("Listagem") : s;
}

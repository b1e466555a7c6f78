#pragma once

#include <QString>

// The text with its accents and cedillas removed ("Ação" -> "Acao").
QString semAcentos(const QString& texto);

#pragma once

#include "printing/Relatorio.h"
#include "production/Rastreabilidade.h"

class cPrinter;

inline const QString TituloRastreabilidade = QStringLiteral("Rastreabilidade de Lotes");

// "Jusante (o que se fez com o lote)" / "Montante (o que entrou no lote)".
QString NomeSentidoRastreio(SentidoRastreio s);

// A node's first column: "PA002 - Cadeira em carvalho" for a lot, "Lote de produção 0000000012"
// (with " (em aberto)" for an open process) for a production.
QString TextoNoRastreio(const NoRastreio& n);
// A node's second column: the lot ("(sem lote)" when blank) or the production's documents.
QString DetalheNoRastreio(const NoRastreio& n);
// "O produto repete-se: o percurso pára aqui." on a repeated lot, else empty.
QString AvisoNoRastreio(const NoRastreio& n);

// The tree as the command line's --json gives it: each node with its kind, texts, quantity (four
// decimals; none on the root), marks and children.
QJsonObject JsonRastreio(const NoRastreio& n);

// Draws "Rastreabilidade de Lotes": the product, lot and direction under the title, then one row
// per node, indented by its depth, with its documents or lot, date and quantity; a row that says so
// when nothing was found. Quantities with `casasQ` decimals.
bool ImprimirRastreabilidade(cPrinter& p, const NoRastreio& raiz, SentidoRastreio sentido, int casasQ,
                             const QString& empresa, const QString& destino = QStringLiteral("S"),
                             const QDate& emissao = QDate::currentDate());

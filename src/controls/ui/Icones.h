#pragma once

#include <QIcon>

// Toolbar icons: the desktop theme's when it has one, otherwise our own drawing, so the program
// looks the same (and its pictures come out the same) on a machine without an icon theme.
enum class Icone { Fechar, Imprimir, ImprimirDirecto, Procurar, Pdf, Folha, FolhaFicheiro, Primeira, Anterior, Seguinte, Ultima };

QIcon icone(Icone qual);
// Our drawing alone, whatever the theme (for the pictures of the documentation).
QIcon iconeDesenhado(Icone qual);

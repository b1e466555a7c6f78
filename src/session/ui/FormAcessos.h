#pragma once

#include "session/Acessos.h"

class QWidget;

// The window as the access check sees it: its name, access caption and every "cmd" button.
JanelaProtegida DescreverJanela(const QWidget* janela, const QString& form, const QString& caption);

// Enables or disables the controlled buttons as the check decided; the others are left alone.
void AplicarBotoes(QWidget* janela, const ResultadoFormAcessos& resultado);

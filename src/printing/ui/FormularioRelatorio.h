#pragma once

#include <QDate>

class EDatas;
class QHBoxLayout;
class QPushButton;
class QWidget;
class UserInteraction;

// The parts every report form has.

// "&Imprimir" and "&Fechar", right-aligned, for the foot of the form; "Fechar" closes the form.
QHBoxLayout* BotoesRelatorio(QWidget* form, QPushButton*& cmdImprimir, QPushButton*& cmdFechar);

// A date filter (object name `nome`) showing `data`, its messages through `ui`.
EDatas* CampoDataRelatorio(QWidget* form, const char* nome, UserInteraction& ui, const QDate& data);

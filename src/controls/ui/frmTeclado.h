#pragma once

#include "controls/TecladoEcra.h"

#include <QDialog>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;

// "Teclado": screen keyboard for touch screens. A numeric pane (digits and "Ponto") and a letter
// pane with the accent keys ´ ` ~ ^, which compose with the next vowel. Enter hands the text back;
// Escape and "Cancelar" give nothing.
class frmTeclado : public QDialog {
    Q_OBJECT
public:
    explicit frmTeclado(const QString& inicial = {}, QWidget* pai = nullptr);

    QString texto() const { return m_teclado.texto(); }
    // Runs the window over the calling field's text.
    static std::optional<QString> pedir(QWidget* pai, const QString& inicial = {});

    // A key by its caption ("A", "7", "Ponto", "´", "Limpar Campo", …), for tests and shortcuts.
    QPushButton* botao(const QString& legenda) const;

    QLineEdit* txtResultado;
    QCheckBox* chkShift;
    QCheckBox* chkCapsLock;
    QPushButton* cmdRetrocesso;
    QPushButton* cmdLimpar;
    QPushButton* cmdEnter;
    QPushButton* cmdEscape;
    QPushButton* cmdCancelar;

private:
    QPushButton* novaTecla(const QString& legenda, QWidget* pai);
    void actualizar();

    TecladoEcra m_teclado;
};

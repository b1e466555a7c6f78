#pragma once

#include "session/Segurancas.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;

// "Cópias de Segurança" (frmSegurancas): the backup page with the history, and the restore page,
// which the automatic window does not show.
//   FrmSegurancas janela(ctx, ui);
//   if (janela.Abrir(accao, modo)) janela.exec();   // or into the main menu's area (manual mode)
class FrmSegurancas : public QDialog {
    Q_OBJECT
public:
    static inline const QString Titulo = QStringLiteral("Cópias de Segurança");

    FrmSegurancas(GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);

    bool Abrir(const QString& accao, const QString& modo = {}, const QDateTime& quando = {});
    Segurancas& logica() { return m_logica; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void done(int r) override;

private:
    void construir();
    void daLogica();

    Segurancas m_logica;
    QTabWidget* tabPaginas = nullptr;
    QWidget* pagSeguranca = nullptr;
    QWidget* pagRepor = nullptr;
    QLabel* lblEmpresa = nullptr;
    QLabel* lblInfo = nullptr;
    QLabel* lblEstado = nullptr;
    QLineEdit* txtPath_Files = nullptr;
    QPushButton* cmdPasta = nullptr;
    QPushButton* cmdSeguranca = nullptr;
    QTreeWidget* lvwHistorico = nullptr;
    QLineEdit* txtFicheiroRepor = nullptr;
    QPushButton* cmdFicheiroRepor = nullptr;
    QLabel* lblInfoCopia = nullptr;
    QLineEdit* txtNovoCodigo = nullptr;
    QPushButton* cmdRepor = nullptr;
    QPushButton* cmdFechar = nullptr;
};

// Entry or exit: shows the automatic backup window, modally, when the user's schedule is due.
// Never blocks: whatever happens, the caller goes on. True when the window was shown.
bool SegurancaAutomatica(GlobalContext& ctx, UserInteraction& ui, const QString& accao, QWidget* pai = nullptr);

#pragma once

#include "shell/SelEmpresaPesquisar.h"

#include <QDialog>
#include <optional>

class QLineEdit;
class QPushButton;
class QTreeWidget;

// The company search window: accepted with the chosen row in escolhida().
class FrmSelEmpresaPesquisar : public QDialog {
    Q_OBJECT
public:
    FrmSelEmpresaPesquisar(const QList<LinhaEmpresa>& todas, const QString& ficheiroDefinicoes = {},
                           QWidget* pai = nullptr);

    const std::optional<LinhaEmpresa>& escolhida() const { return m_escolhida; }

public slots:
    void done(int resultado) override;

private:
    void preencherLista();

    SelEmpresaPesquisar m_logica;
    QString m_ficheiroDefinicoes;
    std::optional<LinhaEmpresa> m_escolhida;
    QLineEdit* txtPesquisa = nullptr;
    QTreeWidget* lvwEmpresas = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancelar = nullptr;
};

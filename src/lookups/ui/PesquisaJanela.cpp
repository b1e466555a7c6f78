// The lookup window of the dialogs lives with the lookups, which sit above the common layer.
#include "common/ui/QtUserInteraction.h"
#include "lookups/PesquisaNOVA.h"
#include "lookups/ui/FrmPesquisaNOVA.h"

#include <QDialog>

bool QtUserInteraction::pesquisarRegistos(PesquisaNOVA& pesquisa) {
    FrmPesquisaNOVA janela(pesquisa, m_pai);
    return janela.exec() == QDialog::Accepted && pesquisa.escolhido();
}

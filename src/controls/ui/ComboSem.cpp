#include "controls/ui/ComboSem.h"

#include "controls/DataEdicao.h"

ComboSem::ComboSem(QWidget* pai) : ComboNomes(nomesDiasSemana(), pai) {}

#include "controls/ui/ComboMes.h"

#include "controls/DataEdicao.h"

ComboMes::ComboMes(QWidget* pai) : ComboNomes(nomesMeses(), pai) {}

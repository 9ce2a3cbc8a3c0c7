// Function-code settings command of the cam panel.
#include "ui/panel/razuvavivezuzo_dlg.h"

void CRAZuvavivezUzoDlg::OnFunCodeSet() {}

// Function-code settings command of the cam panel.
#include "ui/panel/razuvavivezuzo_dlg.h"

#include "drive/panel/ecam_func_set_dlg.h"

void CRAZuvavivezUzoDlg::OnFunCodeSet()
{
    // The dialog shares the access object with a running transfer's worker;
    // its button is disabled meanwhile, and this catches any other way in.
    if (IsTransferRunning())
        return;
    CECamFuncSetDlg dlg(&m_funCodeAccess, this);
    dlg.exec();
}

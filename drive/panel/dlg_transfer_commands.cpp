// Drive transfer commands of the cam panel and their progress messages.
#include "ui/panel/razuvavivezuzo_dlg.h"

void CRAZuvavivezUzoDlg::OnStandardWrite() {}
void CRAZuvavivezUzoDlg::OnSpecialWrite() {}
void CRAZuvavivezUzoDlg::OnReadCam() {}
void CRAZuvavivezUzoDlg::OnSpecialExport() {}
LRESULT CRAZuvavivezUzoDlg::OnCamProgress(WPARAM, LPARAM) { return 0; }
LRESULT CRAZuvavivezUzoDlg::OnCamWriteDone(WPARAM, LPARAM) { return 0; }
LRESULT CRAZuvavivezUzoDlg::OnCamReadDone(WPARAM, LPARAM) { return 0; }
LRESULT CRAZuvavivezUzoDlg::OnCamSpecialWriteDone(WPARAM, LPARAM) { return 0; }
void CRAZuvavivezUzoDlg::StopTransfers() {}

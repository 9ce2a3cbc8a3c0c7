// File commands of the cam panel: .ecam profiles and special-point workbooks.
#include "ui/panel/razuvavivezuzo_dlg.h"

void CRAZuvavivezUzoDlg::OnOpenECamFile() {}
void CRAZuvavivezUzoDlg::OnSaveECamFile() {}
void CRAZuvavivezUzoDlg::OnSpecialImport() {}
void CRAZuvavivezUzoDlg::OnSpecialSave() {}

// Key-point table editing of the cam panel.
#include "ui/panel/razuvavivezuzo_dlg.h"

void CRAZuvavivezUzoDlg::OnBeginLabelEdit(int, int) {}
void CRAZuvavivezUzoDlg::OnEndLabelEdit(int, int, const QString*) {}
LRESULT CRAZuvavivezUzoDlg::OnTablePointCmd(WPARAM, LPARAM) { return 0; }
void CRAZuvavivezUzoDlg::OnDeleteRows() {}
void CRAZuvavivezUzoDlg::OnInsertRows() {}

#pragma once
// CQtModalUi: the modal UI as the user sees it, with QMessageBox, QFileDialog
// and QMenu. Stateless; GUI thread only.
#include "ui/modal_ui.h"

class CQtModalUi : public IModalUi {
public:
    int MessageBox(const MessageBoxCall& call) override;
    FileDialogAnswer FileDialog(const FileDialogCall& call) override;
    int PopupMenu(QWidget* owner, const QPoint& screenPos, const std::vector<MenuItem>& items) override;
};

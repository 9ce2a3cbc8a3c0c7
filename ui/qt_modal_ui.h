#pragma once
// CQtModalUi: the modal UI as the user sees it, with QMessageBox, QFileDialog
// and QMenu. File dialogs open in the folder the last dialog of the same kind
// of file ended in (kept with the panel's settings) and show each filter's
// patterns once. No state of its own; GUI thread only.
#include "ui/modal_ui.h"

#include <QStringList>

class QFileDialog;

class CQtModalUi : public IModalUi {
public:
    int MessageBox(const MessageBoxCall& call) override;
    FileDialogAnswer FileDialog(const FileDialogCall& call) override;
    int PopupMenu(QWidget* owner, const QPoint& screenPos, const std::vector<MenuItem>& items) override;

    // The filter list as the dialog shows it, one label per entry: the
    // entry's name when it already names its patterns ("Excel
    // Files(*.xls;*.xlsx) (*.xls *.xlsx)" reads "Excel Files(*.xls;*.xlsx)"),
    // else the name with its patterns ("All Files (*.*)" reads
    // "All Files(*.*)").
    static QStringList FilterLabels(const QString& filter);
    // The kind of file a filter list is for, which names its remembered
    // folder: the extension of the first pattern ("ecam", "xls", "csv"), so
    // the open and the save dialog of one kind share their folder.
    static QString DirectoryKind(const QString& filter);
    // Sets dlg up for call: mode, filters, folder and proposed name.
    static void PrepareFileDialog(QFileDialog& dlg, const FileDialogCall& call);
};

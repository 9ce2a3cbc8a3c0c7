#include "ui/qt_modal_ui.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>

int CQtModalUi::MessageBox(const MessageBoxCall& call)
{
    QMessageBox box(call.owner);
    box.setText(call.text);
    box.setWindowTitle(call.caption.isEmpty() ? QApplication::applicationName() : call.caption);
    switch (call.icon) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    switch (call.buttons & 0xF) {
    case MB_OKCANCEL: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MB_YESNOCANCEL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MB_YESNO: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default:
        // Closing a box that has only OK answers OK, as the classic box does.
        return (call.buttons & 0xF) == MB_OK ? IDOK : IDCANCEL;
    }
}

FileDialogAnswer CQtModalUi::FileDialog(const FileDialogCall& call)
{
    QFileDialog dlg(call.owner, call.title, QString(), call.filter);
    dlg.setAcceptMode(call.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(call.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (call.save && !call.confirmOverwrite)
        dlg.setOption(QFileDialog::DontConfirmOverwrite);
    if (!call.defaultExt.isEmpty())
        dlg.setDefaultSuffix(call.defaultExt);
    if (!call.initialName.isEmpty())
        dlg.selectFile(call.initialName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return {dlg.selectedFiles().first(), dlg.selectedNameFilter()};
}

int CQtModalUi::PopupMenu(QWidget* owner, const QPoint& screenPos, const std::vector<MenuItem>& items)
{
    QMenu menu(owner);
    for (const MenuItem& item : items) {
        if (item.separator) {
            menu.addSeparator();
            continue;
        }
        QAction* a = menu.addAction(item.text);
        a->setData(item.id);
        a->setEnabled(item.enabled);
    }
    // Only the chosen entry matters; the menu is gone when exec returns.
    QAction* chosen = menu.exec(screenPos);
    return chosen ? chosen->data().toInt() : 0;
}

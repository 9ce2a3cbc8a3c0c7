#include "ui/message_box.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

MessageBoxHook& BoxHook()
{
    static MessageBoxHook hook;
    return hook;
}

FileDialogHook& FileHook()
{
    static FileDialogHook hook;
    return hook;
}

int RealMessageBox(const MessageBoxCall& call)
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

FileDialogAnswer RealFileDialog(const FileDialogCall& call)
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

QString RunFileDialog(const FileDialogCall& call, QString* selectedFilter)
{
    FileDialogAnswer answer = FileHook() ? FileHook()(call) : RealFileDialog(call);
    if (selectedFilter)
        *selectedFilter = answer.selectedFilter;
    return answer.path;
}

} // namespace

int ModuleMessageBox(QWidget* owner, const QString& text, const QString& caption, unsigned buttons,
                     unsigned icon)
{
    MessageBoxCall call{owner, text, caption, buttons, icon};
    return BoxHook() ? BoxHook()(call) : RealMessageBox(call);
}

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook)
{
    MessageBoxHook previous = std::move(BoxHook());
    BoxHook() = std::move(hook);
    return previous;
}

FileDialogHook SetFileDialogHook(FileDialogHook hook)
{
    FileDialogHook previous = std::move(FileHook());
    FileHook() = std::move(hook);
    return previous;
}

QString ModuleOpenFileName(QWidget* owner, const QString& title, const QString& filter,
                           const QString& defaultExt, const QString& initialName, QString* selectedFilter)
{
    return RunFileDialog({owner, false, title, filter, defaultExt, initialName}, selectedFilter);
}

QString ModuleSaveFileName(QWidget* owner, const QString& title, const QString& filter,
                           const QString& defaultExt, const QString& initialName, QString* selectedFilter,
                           bool confirmOverwrite)
{
    return RunFileDialog({owner, true, title, filter, defaultExt, initialName, confirmOverwrite}, selectedFilter);
}

CMessageBoxRecorder::CMessageBoxRecorder()
{
    m_previous = SetMessageBoxHook([this](const MessageBoxCall& call) {
        m_calls.push_back(call);
        if (!m_answers.empty()) {
            int answer = m_answers.front();
            m_answers.erase(m_answers.begin());
            return answer;
        }
        unsigned b = call.buttons & 0xF;
        return (b == MB_YESNO || b == MB_YESNOCANCEL) ? IDYES : IDOK;
    });
}

CMessageBoxRecorder::~CMessageBoxRecorder() { SetMessageBoxHook(std::move(m_previous)); }

QStringList CMessageBoxRecorder::Texts() const
{
    QStringList texts;
    for (const auto& c : m_calls)
        texts << c.text;
    return texts;
}

CFileDialogRecorder::CFileDialogRecorder()
{
    m_previous = SetFileDialogHook([this](const FileDialogCall& call) {
        m_calls.push_back(call);
        if (m_answers.empty())
            return FileDialogAnswer{};
        FileDialogAnswer answer = m_answers.front();
        m_answers.erase(m_answers.begin());
        return answer;
    });
}

CFileDialogRecorder::~CFileDialogRecorder() { SetFileDialogHook(std::move(m_previous)); }

#pragma once
// The module's one message box and its file dialogs.
//
// Every message box and file dialog of the module goes through these
// functions, never through QMessageBox/QFileDialog directly, so tests can
// install a hook that records what would have been shown and answers as a
// user would (CMessageBoxRecorder / CFileDialogRecorder below). GUI thread
// only; hooks are process-wide and not synchronised.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

// Buttons (low nibble) and icons, with the classic values.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_ICONNONE = 0x0;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;

// Answers.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Shows a modal message box; returns IDOK, IDCANCEL, IDYES or IDNO.
// An empty caption shows the application's name, as the classic box does.
int ModuleMessageBox(QWidget* owner, const QString& text, const QString& caption = QString(),
                     unsigned buttons = MB_OK, unsigned icon = MB_ICONNONE);

struct MessageBoxCall {
    QWidget* owner;
    QString text;
    QString caption;
    unsigned buttons;
    unsigned icon;
};
using MessageBoxHook = std::function<int(const MessageBoxCall&)>;
// Installs hook (empty = the real box); returns the previous hook.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

struct FileDialogCall {
    QWidget* owner;
    bool save;            // save dialog (true) or open dialog (false)
    QString title;
    QString filter;       // Qt filter list, "QZ ECam Files (*.ecam);;All Files (*.*)"
    QString defaultExt;   // without dot; appended when the typed name has none
    QString initialName;  // proposed file name or path
    bool confirmOverwrite = true;  // save dialog asks before replacing a file
};
struct FileDialogAnswer {
    QString path;            // empty = cancelled
    QString selectedFilter;  // one entry of the filter list
};
using FileDialogHook = std::function<FileDialogAnswer(const FileDialogCall&)>;
FileDialogHook SetFileDialogHook(FileDialogHook hook);

// Modal file dialogs; return the chosen path, empty when cancelled.
// selectedFilter (optional) receives the filter entry the user chose.
QString ModuleOpenFileName(QWidget* owner, const QString& title, const QString& filter,
                           const QString& defaultExt = QString(), const QString& initialName = QString(),
                           QString* selectedFilter = nullptr);
// confirmOverwrite false: the caller asks its own question about an existing file.
QString ModuleSaveFileName(QWidget* owner, const QString& title, const QString& filter,
                           const QString& defaultExt = QString(), const QString& initialName = QString(),
                           QString* selectedFilter = nullptr, bool confirmOverwrite = true);

// Test helper: while alive, records every message box and answers from a
// queue (then with the first button: IDOK or IDYES). Restores the previous
// hook on destruction.
class CMessageBoxRecorder {
public:
    CMessageBoxRecorder();
    ~CMessageBoxRecorder();
    CMessageBoxRecorder(const CMessageBoxRecorder&) = delete;
    CMessageBoxRecorder& operator=(const CMessageBoxRecorder&) = delete;

    void QueueAnswer(int answer) { m_answers.push_back(answer); }
    const std::vector<MessageBoxCall>& Calls() const { return m_calls; }
    QStringList Texts() const;

private:
    std::vector<MessageBoxCall> m_calls;
    std::vector<int> m_answers;
    MessageBoxHook m_previous;
};

// Test helper: records file dialogs and answers from a queue of answers
// (then "cancelled"). Restores the previous hook on destruction.
class CFileDialogRecorder {
public:
    CFileDialogRecorder();
    ~CFileDialogRecorder();
    CFileDialogRecorder(const CFileDialogRecorder&) = delete;
    CFileDialogRecorder& operator=(const CFileDialogRecorder&) = delete;

    void QueueAnswer(const QString& path, const QString& selectedFilter = QString())
    {
        m_answers.push_back({path, selectedFilter});
    }
    const std::vector<FileDialogCall>& Calls() const { return m_calls; }

private:
    std::vector<FileDialogCall> m_calls;
    std::vector<FileDialogAnswer> m_answers;
    FileDialogHook m_previous;
};

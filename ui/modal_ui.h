#pragma once
// IModalUi: everything modal the panel shows, behind one interface: message
// boxes, open/save file dialogs and popup menus. The panel gets one at
// creation and hands it to every window of its own that asks the user
// something, so nothing of the module calls QMessageBox, QFileDialog or
// QMenu::exec directly; tests give the panel a recorder that answers as a
// user would and never blocks.
//
// CQtModalUi (ui/qt_modal_ui.h) is the real one. GUI thread only.
#include <QPoint>
#include <QString>
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

struct MessageBoxCall {
    QWidget* owner;
    QString text;
    QString caption;   // empty: the application's name, as the classic box does
    unsigned buttons;
    unsigned icon;
};

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

// One entry of a popup menu; a separator line has no id and no text.
struct MenuItem {
    int id;
    QString text;
    bool enabled = true;
    bool separator = false;

    static MenuItem Separator() { return {0, QString(), false, true}; }
};

class IModalUi {
public:
    virtual ~IModalUi() = default;

    // Returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int MessageBox(const MessageBoxCall& call) = 0;
    virtual FileDialogAnswer FileDialog(const FileDialogCall& call) = 0;
    // Shows items at a screen position; the chosen id, 0 when dismissed.
    virtual int PopupMenu(QWidget* owner, const QPoint& screenPos, const std::vector<MenuItem>& items) = 0;

    // The classic shapes of the calls above.
    int Box(QWidget* owner, const QString& text, const QString& caption = QString(), unsigned buttons = MB_OK,
            unsigned icon = MB_ICONNONE)
    {
        return MessageBox({owner, text, caption, buttons, icon});
    }
    QString OpenFileName(QWidget* owner, const QString& title, const QString& filter)
    {
        return FileDialog({owner, false, title, filter, QString(), QString(), true}).path;
    }
    // confirmOverwrite false: the caller asks its own question about an existing file.
    QString SaveFileName(QWidget* owner, const QString& title, const QString& filter, const QString& defaultExt,
                         const QString& initialName = QString(), bool confirmOverwrite = true)
    {
        return FileDialog({owner, true, title, filter, defaultExt, initialName, confirmOverwrite}).path;
    }
};

// The real modal UI: what a user's answer in a real box, file dialog or menu
// turns into, the filter labels a file dialog shows and the folders it
// remembers. The recorder other tests use answers the same way.
#include "tests/support/modal_driver.h"
#include "ui/qt_modal_ui.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Shows a box through the real modal UI and answers it with `button`
// (closing it when none is given); returns the module's answer.
int AnswerBox(unsigned buttons, QMessageBox::StandardButton button, QString* shownTitle = nullptr)
{
    CQtModalUi ui;
    ModalDriver<QMessageBox> driver([&](QMessageBox* box) {
        if (shownTitle)
            *shownTitle = box->windowTitle();
        if (button == QMessageBox::NoButton)
            box->reject();
        else
            box->button(button)->click();
    });
    const int answer = ui.Box(nullptr, QStringLiteral("文本"), QString(), buttons, MB_ICONWARNING);
    EXPECT_TRUE(driver.Ran());
    return answer;
}

} // namespace

TEST(QtModalUi, BoxAnswersAreTheClassicIds)
{
    QString title;
    EXPECT_EQ(AnswerBox(MB_OK, QMessageBox::Ok, &title), IDOK);
    // No caption of its own: the application's display name, as the classic box shows.
    EXPECT_EQ(title, QApplication::applicationDisplayName());
    EXPECT_EQ(AnswerBox(MB_YESNO, QMessageBox::Yes), IDYES);
    EXPECT_EQ(AnswerBox(MB_YESNO, QMessageBox::No), IDNO);
    EXPECT_EQ(AnswerBox(MB_OKCANCEL, QMessageBox::Cancel), IDCANCEL);
    // Closed without a button: OK for an OK-only box, cancel otherwise.
    EXPECT_EQ(AnswerBox(MB_OK, QMessageBox::NoButton), IDOK);
    EXPECT_EQ(AnswerBox(MB_YESNOCANCEL, QMessageBox::NoButton), IDCANCEL);
}

TEST(QtModalUi, PopupMenuReturnsTheChosenIdAndZeroWhenDismissed)
{
    CQtModalUi ui;
    QWidget owner;
    const std::vector<MenuItem> items = {{11, QStringLiteral("添加"), true},
                                         {12, QStringLiteral("删除"), false},
                                         MenuItem::Separator(),
                                         {13, QStringLiteral("显示"), true}};
    QStringList shown;  // each entry's text, "--" for a separator, "(off)" after a disabled one
    ModalDriver<QMenu> pick([&](QMenu* menu) {
        for (QAction* a : menu->actions())
            shown << (a->isSeparator() ? QStringLiteral("--") : a->text() + (a->isEnabled() ? "" : " (off)"));
        // Down twice skips the disabled entry and the separator and lands on
        // the last entry.
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    EXPECT_EQ(ui.PopupMenu(&owner, QPoint(10, 10), items), 13);
    EXPECT_EQ(shown.join('|').toStdString(), "添加|删除 (off)|--|显示");

    ModalDriver<QMenu> dismiss([](QMenu* menu) { QTest::keyClick(menu, Qt::Key_Escape); });
    EXPECT_EQ(ui.PopupMenu(&owner, QPoint(10, 10), items), 0);
    EXPECT_TRUE(dismiss.Ran());
}

namespace {

// The filter lists as the panel's dialogs pass them.
const char* const kProfileFilter = "QZ ECam Files (*.ecam);;All Files (*.*)";
const char* const kWorkbookOpenFilter = "Excel Files(*.xls,*.xlsx) (*.xls*)";
const char* const kWorkbookSaveFilter = "Excel Files(*.xls;*.xlsx) (*.xls *.xlsx);;All Files(*.*) (*.*)";
const char* const kReadBackFilter = "CSV Files(*.csv);;All Files(*.*)";

QStringList ComboTexts(const QFileDialog& dlg)
{
    QStringList texts;
    if (auto* combo = dlg.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
    return texts;
}

// Shows a file dialog through the real modal UI; the user types `name` (a
// name or a whole path) and presses Return, or cancels when name is empty.
// folder: where the dialog opened.
FileDialogAnswer AnswerFileDialog(const FileDialogCall& call, const QString& name, QString* folder = nullptr)
{
    CQtModalUi ui;
    ModalDriver<QFileDialog> driver([&](QFileDialog* dlg) {
        if (folder)
            *folder = dlg->directory().absolutePath();
        if (name.isEmpty()) {
            dlg->reject();
            return;
        }
        // Set, not typed: typing opens the name completer, and a line edit
        // leaves Return to a completer that shows.
        auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        edit->setFocus();
        edit->setText(name);
        QTest::keyClick(edit, Qt::Key_Return);
    });
    const FileDialogAnswer answer = ui.FileDialog(call);
    EXPECT_TRUE(driver.Ran());
    return answer;
}

FileDialogCall SaveCall(const char* filter, const char* ext)
{
    return {nullptr, true, QStringLiteral("保存"), QString::fromUtf8(filter), QString::fromLatin1(ext), QString(), true};
}

FileDialogCall OpenCall(const char* filter)
{
    return {nullptr, false, QStringLiteral("打开"), QString::fromUtf8(filter), QString(), QString(), true};
}

} // namespace

TEST(QtModalUi, EachFilterLabelShowsItsPatternsOnceAndNamesTheFolderKind)
{
    const struct {
        const char* filter;
        QStringList labels;
        QString kind;
        QString matches;  // the patterns the dialog matches for the first entry
    } filters[] = {{kProfileFilter, {"QZ ECam Files(*.ecam)", "All Files(*.*)"}, "ecam", "*.ecam"},
                   {kWorkbookOpenFilter, {"Excel Files(*.xls,*.xlsx)"}, "xls", "*.xls*"},
                   {kWorkbookSaveFilter, {"Excel Files(*.xls;*.xlsx)", "All Files(*.*)"}, "xls", "*.xls *.xlsx"},
                   {kReadBackFilter, {"CSV Files(*.csv)", "All Files(*.*)"}, "csv", "*.csv"}};
    EXPECT_EQ(CQtModalUi::FilterLabels("*.txt"), (QStringList{"*.txt"}));
    // The labels, the folder each kind remembers, what the dialog itself
    // lists and which files it then shows.
    for (const auto& f : filters) {
        EXPECT_EQ(CQtModalUi::FilterLabels(f.filter), f.labels) << f.filter;
        EXPECT_EQ(CQtModalUi::DirectoryKind(f.filter), f.kind) << f.filter;
        QFileDialog dlg;
        dlg.setOption(QFileDialog::DontUseNativeDialog);
        CQtModalUi::PrepareFileDialog(dlg, SaveCall(f.filter, ""));
        EXPECT_EQ(ComboTexts(dlg), f.labels) << f.filter;
        EXPECT_EQ(dlg.nameFilters().first(), f.labels.first() + " (" + f.matches + ")");
    }
}

TEST(QtModalUi, FileDialogsReopenWhereTheirKindOfFileWasLastTaken)
{
    QTemporaryDir profiles, workbooks;
    const QString start = QDir::currentPath();
    // A profile saved into one folder: the answer names the caller's own filter entry.
    const FileDialogAnswer saved =
        AnswerFileDialog(SaveCall(kProfileFilter, "ecam"), profiles.filePath(QStringLiteral("cam1.ecam")));
    EXPECT_EQ(saved.path, profiles.filePath(QStringLiteral("cam1.ecam")));
    EXPECT_EQ(saved.selectedFilter, "QZ ECam Files (*.ecam)");
    QFile(saved.path).open(QIODevice::WriteOnly);

    // The open dialog of profiles starts there and takes a bare name from it.
    QString folder;
    const FileDialogAnswer opened = AnswerFileDialog(OpenCall(kProfileFilter), QStringLiteral("cam1.ecam"), &folder);
    EXPECT_EQ(folder, QDir(profiles.path()).absolutePath());
    EXPECT_EQ(opened.path, saved.path);

    // Other kinds of file keep their own folders.
    AnswerFileDialog(SaveCall(kReadBackFilter, "csv"), QString(), &folder);
    EXPECT_EQ(folder, QDir(start).absolutePath());   // first time: the working directory
    FileDialogCall exportCall = SaveCall(kWorkbookSaveFilter, "xls");
    exportCall.initialName = QStringLiteral("SpecECam1.xls");
    const FileDialogAnswer exported =
        AnswerFileDialog(exportCall, workbooks.filePath(QStringLiteral("points.xlsx")), &folder);
    EXPECT_EQ(exported.selectedFilter, "Excel Files(*.xls;*.xlsx) (*.xls *.xlsx)");
    AnswerFileDialog(OpenCall(kWorkbookOpenFilter), QString(), &folder);
    EXPECT_EQ(folder, QDir(workbooks.path()).absolutePath());

    // A cancelled dialog remembers nothing.
    AnswerFileDialog(OpenCall(kProfileFilter), QString(), &folder);
    EXPECT_EQ(folder, QDir(profiles.path()).absolutePath());
    // A proposed whole path names its folder, whatever was remembered.
    FileDialogCall explicitPath = SaveCall(kReadBackFilter, "csv");
    explicitPath.initialName = workbooks.filePath(QStringLiteral("ReadECam1.csv"));
    AnswerFileDialog(explicitPath, QString(), &folder);
    EXPECT_EQ(folder, QDir(workbooks.path()).absolutePath());
    EXPECT_EQ(QDir::currentPath(), start);
}

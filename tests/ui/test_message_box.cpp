// The module's message box and file dialogs answer through replaceable hooks.
#include "ui/message_box.h"

#include <QWidget>
#include <gtest/gtest.h>

TEST(MessageBox, RecordersSeeEveryCallAndAnswerLikeAUser)
{
    QWidget owner;
    CMessageBoxRecorder boxes;
    EXPECT_EQ(ModuleMessageBox(&owner, QStringLiteral("凸轮点写入成功!")), IDOK);
    EXPECT_EQ(ModuleMessageBox(&owner, QStringLiteral("q"), QStringLiteral("c"), MB_YESNO, MB_ICONQUESTION), IDYES);
    boxes.QueueAnswer(IDNO);
    EXPECT_EQ(ModuleMessageBox(nullptr, QStringLiteral("a"), QString(), MB_YESNOCANCEL), IDNO);
    ASSERT_EQ(boxes.Calls().size(), 3u);
    EXPECT_EQ(boxes.Calls()[0].owner, &owner);
    EXPECT_EQ(boxes.Calls()[1].caption, QStringLiteral("c"));
    EXPECT_EQ(boxes.Calls()[1].buttons, MB_YESNO);
    EXPECT_EQ(boxes.Calls()[1].icon, MB_ICONQUESTION);
    EXPECT_EQ(boxes.Texts(), (QStringList{QStringLiteral("凸轮点写入成功!"), "q", "a"}));

    CFileDialogRecorder files;
    files.QueueAnswer(QStringLiteral("/tmp/a.ecam"), QStringLiteral("QZ ECam Files (*.ecam)"));
    const QString f = QStringLiteral("QZ ECam Files (*.ecam);;All Files (*.*)");
    QString chosen;
    EXPECT_EQ(ModuleOpenFileName(nullptr, QStringLiteral("open"), f, QStringLiteral("ecam"), QString(), &chosen),
              QStringLiteral("/tmp/a.ecam"));
    EXPECT_EQ(chosen, QStringLiteral("QZ ECam Files (*.ecam)"));
    // Nothing queued: the user cancels.
    EXPECT_TRUE(ModuleSaveFileName(nullptr, QStringLiteral("save"), f, QStringLiteral("xls"),
                                   QStringLiteral("points.xls"), &chosen).isEmpty());
    EXPECT_TRUE(chosen.isEmpty());
    ASSERT_EQ(files.Calls().size(), 2u);
    EXPECT_FALSE(files.Calls()[0].save);
    EXPECT_TRUE(files.Calls()[1].save);
    EXPECT_EQ(files.Calls()[1].defaultExt, QStringLiteral("xls"));
    EXPECT_EQ(files.Calls()[1].initialName, QStringLiteral("points.xls"));
}

// The module's message box and file dialogs answer through replaceable hooks.
// Other tests assert on what their code showed; this one pins the recorders'
// own defaults, which those tests rely on.
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
    const auto& q = boxes.Calls()[1];
    EXPECT_TRUE(q.owner == &owner && q.caption == "c" && q.buttons == MB_YESNO && q.icon == MB_ICONQUESTION);
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
    const auto& save = files.Calls()[1];
    EXPECT_TRUE(!files.Calls()[0].save && save.save && save.defaultExt == "xls" && save.initialName == "points.xls");
}

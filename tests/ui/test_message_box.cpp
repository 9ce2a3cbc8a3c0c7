// The module's message box and file dialogs answer through replaceable hooks.
#include "ui/message_box.h"

#include <QWidget>
#include <gtest/gtest.h>

TEST(MessageBox, RecorderSeesEveryBoxAndAnswersLikeAUser)
{
    QWidget owner;
    {
        CMessageBoxRecorder rec;
        EXPECT_EQ(ModuleMessageBox(&owner, QStringLiteral("凸轮点写入成功!")), IDOK);
        EXPECT_EQ(ModuleMessageBox(&owner, QStringLiteral("q"), QStringLiteral("c"), MB_YESNO, MB_ICONQUESTION),
                  IDYES);
        rec.QueueAnswer(IDNO);
        rec.QueueAnswer(IDCANCEL);
        EXPECT_EQ(ModuleMessageBox(nullptr, QStringLiteral("a"), QString(), MB_YESNOCANCEL), IDNO);
        EXPECT_EQ(ModuleMessageBox(nullptr, QStringLiteral("b"), QString(), MB_OKCANCEL), IDCANCEL);
        ASSERT_EQ(rec.Calls().size(), 4u);
        EXPECT_EQ(rec.Calls()[0].owner, &owner);
        EXPECT_EQ(rec.Calls()[1].caption, QStringLiteral("c"));
        EXPECT_EQ(rec.Calls()[1].buttons, MB_YESNO);
        EXPECT_EQ(rec.Calls()[1].icon, MB_ICONQUESTION);
        EXPECT_EQ(rec.Texts(), (QStringList{QStringLiteral("凸轮点写入成功!"), "q", "a", "b"}));

        // Nested recorders: the inner one takes over and gives back.
        {
            CMessageBoxRecorder inner;
            ModuleMessageBox(nullptr, QStringLiteral("inner"));
            EXPECT_EQ(inner.Calls().size(), 1u);
        }
        ModuleMessageBox(nullptr, QStringLiteral("outer"));
        EXPECT_EQ(rec.Calls().size(), 5u);
        EXPECT_EQ(rec.Calls().back().text, QStringLiteral("outer"));
    }
    // After the recorder, a custom hook installed by hand is used.
    int seen = 0;
    SetMessageBoxHook([&](const MessageBoxCall&) { return ++seen, IDNO; });
    EXPECT_EQ(ModuleMessageBox(nullptr, QStringLiteral("x")), IDNO);
    EXPECT_EQ(seen, 1);
    SetMessageBoxHook({});
}

TEST(MessageBox, FileDialogsPassTheRequestAndReturnTheAnswer)
{
    CFileDialogRecorder rec;
    rec.QueueAnswer(QStringLiteral("/tmp/a.ecam"), QStringLiteral("QZ ECam Files (*.ecam)"));
    QString filter;
    const QString f = QStringLiteral("QZ ECam Files (*.ecam);;All Files (*.*)");
    EXPECT_EQ(ModuleOpenFileName(nullptr, QStringLiteral("open"), f, QStringLiteral("ecam"), QString(), &filter),
              QStringLiteral("/tmp/a.ecam"));
    EXPECT_EQ(filter, QStringLiteral("QZ ECam Files (*.ecam)"));
    // No queued answer left: the user cancels.
    filter = QStringLiteral("stale");
    EXPECT_TRUE(ModuleSaveFileName(nullptr, QStringLiteral("save"), f, QStringLiteral("xls"),
                                   QStringLiteral("points.xls"), &filter)
                    .isEmpty());
    EXPECT_TRUE(filter.isEmpty());
    ASSERT_EQ(rec.Calls().size(), 2u);
    EXPECT_FALSE(rec.Calls()[0].save);
    EXPECT_TRUE(rec.Calls()[1].save);
    EXPECT_EQ(rec.Calls()[1].title, QStringLiteral("save"));
    EXPECT_EQ(rec.Calls()[1].filter, f);
    EXPECT_EQ(rec.Calls()[1].defaultExt, QStringLiteral("xls"));
    EXPECT_EQ(rec.Calls()[1].initialName, QStringLiteral("points.xls"));
}

// Send and post of module messages on one thread.
#include "message_receiver.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(ModuleMessage, SendAnswersAtOncePostArrivesLaterInOrder)
{
    MessageReceiver r;
    r.answer = [](const ReceivedMessage& m) { return static_cast<LRESULT>(m.wParam * 2 + m.lParam); };
    EXPECT_EQ(SendModuleMessage(&r, WM_CURVE_DRAG_END, 21, 1), 43);
    ASSERT_EQ(r.received.size(), 1u);
    EXPECT_EQ(r.received[0].message, 0x496u);
    QEvent plain(QEvent::User);
    EXPECT_EQ(CModuleMessageEvent::From(&plain), nullptr);

    PostModuleMessage(&r, WM_EDIT_END);
    PostModuleMessage(&r, WM_UNI_EDIT_ENTER, 6009);
    EXPECT_EQ(r.received.size(), 1u);
    QTRY_COMPARE(r.received.size(), size_t(3));
    EXPECT_EQ(r.Messages(), (std::vector<UINT>{WM_CURVE_DRAG_END, WM_EDIT_END, WM_UNI_EDIT_ENTER}));
    EXPECT_EQ(r.received[2].wParam, 6009u);
}

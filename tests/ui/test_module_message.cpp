// Send and post of module messages on one thread.
#include "message_receiver.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

TEST(ModuleMessage, SendDeliversAtOnceAndReturnsTheResult)
{
    MessageReceiver r;
    r.answer = [](const ReceivedMessage& m) { return static_cast<LRESULT>(m.wParam * 2 + m.lParam); };
    EXPECT_EQ(SendModuleMessage(&r, WM_CURVE_DRAG_END, 21, 1), 43);
    ASSERT_EQ(r.received.size(), 1u);
    EXPECT_EQ(r.received[0].message, 0x496u);
    EXPECT_EQ(SendModuleMessage(nullptr, WM_EDIT_END), 0);

    // The event type is the message number; other events are not messages.
    CModuleMessageEvent ev(WM_TABLE_POINT_CMD, 1, 0);
    EXPECT_EQ(static_cast<int>(ev.type()), 0x663);
    QEvent plain(QEvent::User);
    EXPECT_EQ(CModuleMessageEvent::From(&plain), nullptr);
    EXPECT_EQ(CModuleMessageEvent::From(&ev), &ev);
}

TEST(ModuleMessage, PostArrivesOnlyWhenEventsAreProcessedInOrder)
{
    MessageReceiver r;
    PostModuleMessage(&r, WM_EDIT_END);
    PostModuleMessage(&r, WM_UNI_EDIT_ENTER, 6009);
    EXPECT_TRUE(r.received.empty());
    QTRY_COMPARE(r.received.size(), size_t(2));
    EXPECT_EQ(r.Messages(), (std::vector<UINT>{WM_EDIT_END, WM_UNI_EDIT_ENTER}));
    EXPECT_EQ(r.received[1].wParam, 6009u);

    // A message posted to a receiver that is then destroyed is dropped.
    auto* gone = new MessageReceiver;
    PostModuleMessage(gone, WM_EDIT_END);
    delete gone;
    QCoreApplication::processEvents();
    SUCCEED();
}

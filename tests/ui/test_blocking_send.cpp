// Blocking send from a worker thread to the GUI thread, and its release by
// cancel or by the receiver's destruction while the GUI thread is busy.
#include "../ui/message_receiver.h"

#include <QCoreApplication>
#include <QTest>
#include <future>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;

TEST(BlockingSend, WorkerGetsEachResultInOrder)
{
    MessageReceiver r;
    r.answer = [](const ReceivedMessage& m) { return static_cast<LRESULT>(m.wParam + 100); };
    CBlockingMessageSender sender(&r);
    std::vector<LRESULT> results;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (WPARAM i = 0; i < 5; ++i) {
            LRESULT res = -1;
            if (sender.Send(WM_CAM_WRITE_PROGRESS, i, 0, &res))
                results.push_back(res);
        }
        sender.Send(WM_CAM_WRITE_DONE, 0);
        done = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(done.load(), 10000);
    worker.join();
    EXPECT_EQ(results, (std::vector<LRESULT>{100, 101, 102, 103, 104}));
    ASSERT_EQ(r.received.size(), 6u);
    EXPECT_EQ(r.received.back().message, WM_CAM_WRITE_DONE);

    // On the receiver's own thread the send is direct.
    LRESULT res = 0;
    EXPECT_TRUE(sender.Send(WM_CAM_WRITE_DONE, 7, 0, &res));
    EXPECT_EQ(res, 107);
    EXPECT_EQ(r.received.size(), 7u);
}

TEST(BlockingSend, CancelOrTheReceiversEndReleasesAWorkerWhileTheGuiThreadWaits)
{
    for (const bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "cancel" : "receiver deleted");
        auto* r = new MessageReceiver;
        CBlockingMessageSender sender(r);
        std::promise<void> started;
        auto sent = std::async(std::launch::async, [&] {
            started.set_value();
            return sender.Send(WM_CAM_READ_PROGRESS, 7);
        });
        started.get_future().wait();
        // The GUI thread does not process events: it stops the worker and
        // waits, as a closing panel does. Without the release this would hang.
        if (cancel)
            sender.Cancel();
        else
            delete r;
        ASSERT_EQ(sent.wait_for(10s), std::future_status::ready);
        EXPECT_FALSE(sent.get());
        QCoreApplication::processEvents();  // the queued delivery is skipped
        if (cancel) {
            EXPECT_TRUE(r->received.empty());
        }
        EXPECT_FALSE(sender.Send(WM_CAM_READ_DONE, 0));  // later sends fail at once
        EXPECT_TRUE(sender.IsCancelled());
        sender.Reset();  // re-arms for the next transfer, with a receiver only
        EXPECT_EQ(sender.IsCancelled(), !cancel);
        if (!cancel)
            continue;
        // Re-armed, it delivers again.
        std::atomic<bool> ok{false};
        std::thread again([&] { ok = sender.Send(WM_CAM_READ_DONE, 0); });
        QTRY_VERIFY_WITH_TIMEOUT(ok.load(), 10000);
        again.join();
        ASSERT_EQ(r->received.size(), 1u);
        EXPECT_EQ(r->received[0].message, WM_CAM_READ_DONE);
        delete r;
    }
}

#pragma once
// A widget that records the module messages it receives and answers each
// with a result chosen by the test.
#include "ui/module_message.h"

#include <QWidget>
#include <atomic>
#include <functional>
#include <vector>

struct ReceivedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class MessageReceiver : public QWidget {
public:
    using QWidget::QWidget;
    std::vector<ReceivedMessage> received;
    std::function<LRESULT(const ReceivedMessage&)> answer;

    std::vector<UINT> Messages() const
    {
        std::vector<UINT> out;
        for (const auto& r : received)
            out.push_back(r.message);
        return out;
    }

protected:
    bool event(QEvent* e) override
    {
        if (CModuleMessageEvent* m = CModuleMessageEvent::From(e)) {
            ReceivedMessage r{m->Message(), m->WParam(), m->LParam()};
            received.push_back(r);
            m->SetResult(answer ? answer(r) : 0);
            return true;
        }
        return QWidget::event(e);
    }
};

// Drives a modal dialog from inside its own event loop: the test arms a
// driver before the code under test calls exec(); the driver's zero-interval
// timer waits (event-driven, bounded number of turns) until a modal widget of
// the wanted class is active, then hands it to the test's function. If no
// such dialog shows up, or the function leaves it open, the driver rejects it
// so a failing test cannot hang.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

template <class Dialog>
class ModalDriver {
public:
    explicit ModalDriver(std::function<void(Dialog*)> fn, int maxTurns = 2000)
        : m_fn(std::move(fn)), m_turnsLeft(maxTurns)
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Turn(); });
        m_timer.start();
    }
    bool Ran() const { return m_ran; }

private:
    void Turn()
    {
        auto* dlg = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dlg || !dlg->isVisible()) {
            if (--m_turnsLeft <= 0)
                m_timer.stop();
            return;
        }
        m_timer.stop();
        m_ran = true;
        m_fn(dlg);
        if (dlg->isVisible())
            dlg->reject();
    }

    std::function<void(Dialog*)> m_fn;
    int m_turnsLeft;
    bool m_ran = false;
    QTimer m_timer;
};

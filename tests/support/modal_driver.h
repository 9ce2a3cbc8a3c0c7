// Acts on a modal dialog or a popup menu from inside its own event loop: the
// test arms a driver before the code under test opens it; the driver's
// zero-interval timer waits (event-driven, bounded number of turns) until a
// widget of the wanted class is active, then hands it to the test's function.
// A dialog the function leaves open is rejected, so a failing test cannot hang.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <type_traits>

template <class W>
class ModalDriver {
public:
    explicit ModalDriver(std::function<void(W*)> fn, int maxTurns = 2000)
        : m_fn(std::move(fn)), m_turnsLeft(maxTurns)
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Turn(); });
        m_timer.start();
    }
    bool Ran() const { return m_ran; }
    bool Running() const { return m_timer.isActive(); }

private:
    void Turn()
    {
        QWidget* active = QApplication::activePopupWidget();
        auto* w = qobject_cast<W*>(active ? active : QApplication::activeModalWidget());
        if (!w || !w->isVisible()) {
            if (--m_turnsLeft <= 0)
                m_timer.stop();
            return;
        }
        m_timer.stop();
        m_ran = true;
        m_fn(w);
        if constexpr (std::is_base_of_v<QDialog, W>)
            if (w->isVisible())
                w->reject();
    }

    std::function<void(W*)> m_fn;
    int m_turnsLeft;
    bool m_ran = false;
    QTimer m_timer;
};

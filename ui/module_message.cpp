#include "ui/module_message.h"

#include <QCoreApplication>
#include <QThread>
#include <condition_variable>
#include <mutex>

CModuleMessageEvent::CModuleMessageEvent(UINT message, WPARAM wParam, LPARAM lParam, std::any payload)
    : QEvent(static_cast<QEvent::Type>(message)), m_message(message), m_wParam(wParam), m_lParam(lParam),
      m_payload(std::move(payload))
{
}

CModuleMessageEvent* CModuleMessageEvent::From(QEvent* event)
{
    // dynamic_cast keeps foreign user events of the same number out.
    return event ? dynamic_cast<CModuleMessageEvent*>(event) : nullptr;
}

LRESULT SendModuleMessage(QObject* receiver, UINT message, WPARAM wParam, LPARAM lParam, std::any payload)
{
    if (!receiver)
        return 0;
    CModuleMessageEvent ev(message, wParam, lParam, std::move(payload));
    QCoreApplication::sendEvent(receiver, &ev);
    return ev.Result();
}

void PostModuleMessage(QObject* receiver, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (receiver)
        QCoreApplication::postEvent(receiver, new CModuleMessageEvent(message, wParam, lParam));
}

// ---------------------------------------------------------------------------
// Blocking hand-over. Each Send() queues a delivery event to a small relay
// object living on the receiver's thread; the relay sends the message to the
// receiver and wakes the waiting worker. Cancel() wakes it without delivery.
// The relay is a child of the receiver, so deleting the receiver deletes the
// relay and its queued deliveries, and a delivery that dies unhandled wakes
// its worker too.

namespace {

struct Request {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::any payload;
    LRESULT result = 0;
    bool finished = false;
    bool delivered = false;
};

const QEvent::Type kDeliveryType = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

struct CBlockingMessageSender::State {
    std::mutex mutex;
    std::condition_variable cv;
    bool cancelled = false;
    bool alive = false;          // receiver and relay exist
    QObject* receiver = nullptr; // touched off its thread only under mutex while alive
    QObject* relay = nullptr;

    void Finish(Request& r, bool delivered, LRESULT result)
    {
        {
            std::lock_guard lock(mutex);
            if (r.finished)
                return;
            r.finished = true;
            r.delivered = delivered;
            r.result = result;
        }
        cv.notify_all();
    }
};

namespace {

class DeliveryEvent : public QEvent {
public:
    DeliveryEvent(std::shared_ptr<CBlockingMessageSender::State> state, std::shared_ptr<Request> request)
        : QEvent(kDeliveryType), m_state(std::move(state)), m_request(std::move(request))
    {
    }
    // Deleted without being handled (relay gone): release the worker.
    ~DeliveryEvent() override { m_state->Finish(*m_request, false, 0); }

    // Runs on the receiver's thread, so the receiver cannot vanish meanwhile.
    void Deliver()
    {
        QObject* receiver = nullptr;
        {
            std::lock_guard lock(m_state->mutex);
            if (!m_state->cancelled && m_state->alive)
                receiver = m_state->receiver;
        }
        if (!receiver) {
            m_state->Finish(*m_request, false, 0);
            return;
        }
        LRESULT r = SendModuleMessage(receiver, m_request->message, m_request->wParam, m_request->lParam,
                                      std::move(m_request->payload));
        m_state->Finish(*m_request, true, r);
    }

private:
    std::shared_ptr<CBlockingMessageSender::State> m_state;
    std::shared_ptr<Request> m_request;
};

class Relay : public QObject {
public:
    Relay(QObject* parent, std::shared_ptr<CBlockingMessageSender::State> state)
        : QObject(parent), m_state(std::move(state))
    {
    }
    bool event(QEvent* e) override
    {
        // A delivery is made and posted by the worker under the state's
        // mutex. Qt's queue orders it before this call, but with a lock a race
        // checker cannot see; taking the same mutex here orders this thread
        // after the worker's post in terms every checker understands.
        { std::lock_guard lock(m_state->mutex); }
        if (e->type() == kDeliveryType) {
            static_cast<DeliveryEvent*>(e)->Deliver();
            return true;
        }
        return QObject::event(e);
    }

private:
    std::shared_ptr<CBlockingMessageSender::State> m_state;
};

} // namespace

CBlockingMessageSender::CBlockingMessageSender(QObject* receiver) : m_state(std::make_shared<State>())
{
    if (!receiver) {
        m_state->cancelled = true;
        return;
    }
    m_state->receiver = receiver;
    m_state->relay = new Relay(receiver, m_state);
    m_state->alive = true;
    std::weak_ptr<State> weak = m_state;
    // The receiver's destruction (on its thread, before its children go)
    // releases waiting workers and stops later posts to the relay.
    QObject::connect(receiver, &QObject::destroyed, m_state->relay, [weak] {
        if (auto s = weak.lock()) {
            {
                std::lock_guard lock(s->mutex);
                s->cancelled = true;
                s->alive = false;
            }
            s->cv.notify_all();
        }
    }, Qt::DirectConnection);
}

CBlockingMessageSender::~CBlockingMessageSender()
{
    Cancel();
    std::lock_guard lock(m_state->mutex);
    if (m_state->alive) {
        // The relay's connection captures only a weak pointer; dropping the
        // relay removes any delivery still queued, which wakes nobody now.
        m_state->alive = false;
        m_state->relay->deleteLater();
    }
}

bool CBlockingMessageSender::Send(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result, std::any payload)
{
    auto request = std::make_shared<Request>();
    request->message = message;
    request->wParam = wParam;
    request->lParam = lParam;
    request->payload = std::move(payload);
    std::unique_lock lock(m_state->mutex);
    if (m_state->cancelled || !m_state->alive)
        return false;
    if (m_state->relay->thread() == QThread::currentThread()) {
        // On the receiver's own thread a queued hand-over would wait forever.
        QObject* receiver = m_state->receiver;
        lock.unlock();
        LRESULT r = SendModuleMessage(receiver, message, wParam, lParam, std::move(request->payload));
        if (result)
            *result = r;
        return true;
    }
    // Posted under the lock, so the receiver cannot be destroyed in between.
    QCoreApplication::postEvent(m_state->relay, new DeliveryEvent(m_state, request));
    m_state->cv.wait(lock, [&] { return request->finished || m_state->cancelled; });
    if (!request->finished)
        return false;  // cancelled while queued; the delivery will skip it
    if (request->delivered && result)
        *result = request->result;
    return request->delivered;
}

void CBlockingMessageSender::Cancel()
{
    {
        std::lock_guard lock(m_state->mutex);
        m_state->cancelled = true;
    }
    m_state->cv.notify_all();
}

void CBlockingMessageSender::Reset()
{
    std::lock_guard lock(m_state->mutex);
    m_state->cancelled = !m_state->alive;
}

bool CBlockingMessageSender::IsCancelled() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->cancelled;
}

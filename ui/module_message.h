#pragma once
// Window messages between the module's own windows, carried over Qt events.
//
// One event class (CModuleMessageEvent) carries a message number, wParam,
// lParam and a result; its QEvent::Type is the message number itself (all
// module messages lie in Qt's user event range). A receiving widget handles
// them in its event() or customEvent() override and stores the answer with
// SetResult(). A message may carry a payload (the read-back table of a
// transfer's final report, for example), valid while it is handled.
//
// SendModuleMessage delivers at once on the caller's thread (the caller must
// be on the receiver's thread) and returns the result; PostModuleMessage
// queues the message (any thread). CBlockingMessageSender is the hand-over
// from a worker thread to the receiver's thread: the worker waits for the
// result, and an explicit Cancel(), the sender's destruction or the
// receiver's destruction releases a worker that is still waiting, so a GUI
// thread that waits for its worker never deadlocks on a pending send.
#include <QEvent>
#include <QObject>
#include <QtGlobal>
#include <any>
#include <memory>

using WPARAM = quintptr;
using LPARAM = qintptr;
using LRESULT = qintptr;
using UINT = unsigned int;

constexpr UINT WM_USER = 0x400;
constexpr UINT WM_CAM_WRITE_PROGRESS = WM_USER + 1;      // 0x401 point index just written
constexpr UINT WM_CAM_WRITE_DONE = WM_USER + 2;          // 0x402 result code
constexpr UINT WM_CAM_READ_PROGRESS = WM_USER + 3;       // 0x403 point index just read
constexpr UINT WM_CAM_READ_DONE = WM_USER + 4;           // 0x404 result code
constexpr UINT WM_CAM_SPECIAL_WRITE_DONE = WM_USER + 5;  // 0x405 result code
constexpr UINT WM_EDIT_END = WM_USER + 100;              // 0x464 CSpecEdit -> parent (posted)
constexpr UINT WM_COMBO_END = 0x465;                     // combo editor -> its list
constexpr UINT WM_CURVE_DRAG_END = WM_USER + 150;        // 0x496 curve window -> dialog, wParam CurveKind
constexpr UINT WM_UNI_EDIT_ENTER = WM_USER + 165;        // 0x4A5 wParam field id 6008/6009
constexpr UINT WM_TABLE_POINT_CMD = 0x663;               // key-point table -> dialog, 1 add, 0 delete

class CModuleMessageEvent : public QEvent {
public:
    CModuleMessageEvent(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, std::any payload = {});

    UINT Message() const { return m_message; }
    WPARAM WParam() const { return m_wParam; }
    LPARAM LParam() const { return m_lParam; }
    const std::any& Payload() const { return m_payload; }
    LRESULT Result() const { return m_result; }
    void SetResult(LRESULT result) { m_result = result; }

    // The event as a module message, or null when it is some other event.
    static CModuleMessageEvent* From(QEvent* event);

private:
    UINT m_message;
    WPARAM m_wParam;
    LPARAM m_lParam;
    std::any m_payload;
    LRESULT m_result = 0;
};

// Delivers now (receiver's thread only) and returns the receiver's result;
// 0 when the receiver is null or does not answer.
LRESULT SendModuleMessage(QObject* receiver, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                          std::any payload = {});

// Queues the message for the receiver's thread; callable from any thread.
void PostModuleMessage(QObject* receiver, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Blocking send from any thread to one receiver. Construct on the receiver's
// thread; Send() may be called from any thread (from the receiver's own
// thread it delivers directly). Cancel() and Reset() may be called from any
// thread.
class CBlockingMessageSender {
public:
    explicit CBlockingMessageSender(QObject* receiver);
    ~CBlockingMessageSender();  // cancels
    CBlockingMessageSender(const CBlockingMessageSender&) = delete;
    CBlockingMessageSender& operator=(const CBlockingMessageSender&) = delete;

    // Waits until the receiver has handled the message. Returns true and
    // stores the result when it was handled; false when the sender was
    // cancelled (before or while waiting) or the receiver is gone.
    bool Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, LRESULT* result = nullptr, std::any payload = {});

    // Releases a waiting Send() and makes later ones fail at once.
    void Cancel();
    // Accepts sends again after Cancel() (the receiver must still exist).
    void Reset();
    bool IsCancelled() const;

    struct State;  // shared with queued deliveries

private:
    std::shared_ptr<State> m_state;
};

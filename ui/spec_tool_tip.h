#pragma once
// CSpecToolTip: a balloon popup (rounded box with a tail under its right
// end, the tail's tip on the anchor point) that shows a text after the
// pointer has rested showDelay ms and hides when the pointer leaves the
// anchor or a button is pressed. Timers: 100 shows, 101 checks every 500 ms
// whether to hide. A click anywhere in the application cancels an armed
// balloon, and none appears while a button is held or a menu or modal
// dialog is open, so a balloon never shows stale values. The owner creates it (with itself as parent), sets its
// font and feeds it its input events through RelayEvent. GUI thread only.
#include <QFont>
#include <QIcon>
#include <QMap>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

class CSpecToolTip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowTimer = 100;
    static constexpr int kHideTimer = 101;
    static constexpr int kHideCheckMs = 500;

    struct ToolTip_Info {
        QString text;
        QIcon icon;
    };

    explicit CSpecToolTip(QWidget* owner = nullptr);
    ~CSpecToolTip() override;

    // Arms the show timer for text, anchored at point (screen coordinates;
    // the cursor position when none). A running show timer is replaced.
    void ShowTip(const QString& text, std::optional<QPoint> point = std::nullopt);
    // Hides on button presses and on pointer movement away from the anchor.
    void RelayEvent(QEvent* event);
    // Registers a text for a window: the pointer resting on it shows the text.
    void AddTool(QWidget* window, const QString& text, const QIcon& icon = QIcon());

    // Balloon outline in window coordinates and the window size.
    void GetWindowRegion(QRegion& region, QSize& size) const;

    void SetTipFont(const QFont& font) { m_font = font; }
    void SetIcon(const QIcon& icon, const QSize& size) { m_icon = icon; m_iconSize = size; }
    void SetShowDelay(int ms) { m_showDelay = ms; }
    // Where the cursor is; tests replace QCursor::pos.
    void SetCursorSource(std::function<QPoint()> source) { m_cursorPos = std::move(source); }

    QPoint Anchor() const { return m_anchor; }
    QString Text() const { return m_text; }
    int ShowDelay() const { return m_showDelay; }
    // Which of the two timers (100, 101) runs, 0 for none.
    bool IsTimerRunning(int which) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void CancelShow();
    void StartTimer(int which, int ms);
    void StopTimer(int qtId);
    void OnShowTimer();
    void OnHideCheck();
    QPoint CursorPos() const;

    int m_showDelay = 500;
    QPoint m_anchor{0, 0};
    QString m_text;
    int m_timerId = 0;  // Qt id of the timer started last
    int m_showTimerQt = 0;
    int m_hideTimerQt = 0;
    QIcon m_icon;
    QSize m_iconSize{0, 0};
    QFont m_font;
    QMap<QWidget*, ToolTip_Info> m_toolMap;
    std::function<QPoint()> m_cursorPos;
};

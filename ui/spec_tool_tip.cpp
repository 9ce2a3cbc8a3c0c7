#include "ui/spec_tool_tip.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QTimerEvent>

namespace {

// Line breaks come as "\r\n" from the callers; measure and draw by "\n".
QString DisplayText(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

// The part of region within w pixels of its outline.
QRegion FrameOf(const QRegion& region, int w, int h)
{
    QRegion inner = region & region.translated(w, 0) & region.translated(-w, 0) & region.translated(0, h) &
                    region.translated(0, -h);
    return region - inner;
}

} // namespace

CSpecToolTip::CSpecToolTip(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      m_font(QApplication::font())
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    hide();
}

void CSpecToolTip::CancelShow()
{
    StopTimer(m_showTimerQt);
    qApp->removeEventFilter(this);
}

bool CSpecToolTip::eventFilter(QObject* watched, QEvent* event)
{
    // Installed on the application while armed: a click anywhere (a menu,
    // another window, the owner itself) makes the pending values stale.
    const auto t = event->type();
    if (t == QEvent::MouseButtonPress || t == QEvent::MouseButtonDblClick) {
        CancelShow();
        hide();
    }
    return QWidget::eventFilter(watched, event);
}

CSpecToolTip::~CSpecToolTip()
{
    StopTimer(m_showTimerQt);
    StopTimer(m_hideTimerQt);
}

QPoint CSpecToolTip::CursorPos() const { return m_cursorPos ? m_cursorPos() : QCursor::pos(); }

bool CSpecToolTip::IsTimerRunning(int which) const
{
    return which == kShowTimer ? m_showTimerQt != 0 : which == kHideTimer ? m_hideTimerQt != 0 : false;
}

void CSpecToolTip::StartTimer(int which, int ms)
{
    // A timer of the same number replaces the running one.
    int& slot = which == kShowTimer ? m_showTimerQt : m_hideTimerQt;
    StopTimer(slot);
    slot = startTimer(ms);
    m_timerId = slot;
}

void CSpecToolTip::StopTimer(int qtId)
{
    if (qtId == 0)
        return;
    killTimer(qtId);
    if (m_showTimerQt == qtId)
        m_showTimerQt = 0;
    if (m_hideTimerQt == qtId)
        m_hideTimerQt = 0;
}

void CSpecToolTip::ShowTip(const QString& text, std::optional<QPoint> point)
{
    m_anchor = point ? *point : CursorPos();
    m_text = text;
    StartTimer(kShowTimer, m_showDelay);
    qApp->installEventFilter(this);
}

void CSpecToolTip::AddTool(QWidget* window, const QString& text, const QIcon& icon)
{
    m_toolMap.insert(window, ToolTip_Info{text, icon});
}

void CSpecToolTip::RelayEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove: {
        const QPoint c = CursorPos();
        if (c != m_anchor) {
            auto it = m_toolMap.constFind(QApplication::widgetAt(c));
            if (it != m_toolMap.constEnd()) {
                m_anchor = c;
                m_icon = it->icon;
                ShowTip(it->text, c);
            }
        }
        if (c != m_anchor)
            hide();
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        CancelShow();  // an armed balloon would pop up after the click
        hide();
        break;
    default:
        break;
    }
}

void CSpecToolTip::GetWindowRegion(QRegion& region, QSize& size) const
{
    QFontMetrics fm(m_font);
    const QRect textRect = fm.boundingRect(QRect(0, 0, 100000, 100000), Qt::AlignLeft | Qt::AlignTop,
                                           DisplayText(m_text));
    int w = textRect.width() + 24;
    int h = textRect.height() + 20;
    if (!m_icon.isNull()) {
        w += m_iconSize.width() + 5;
        h = std::max(h, m_iconSize.height());
    }
    // Rounded body with corner ellipses 12 x 10, tail under the right end.
    QPainterPath body;
    body.addRoundedRect(QRectF(0, 0, w, h), 6, 5);
    const QRegion bodyRegion(body.toFillPolygon().toPolygon());
    const QPolygon tail({QPoint(w - 12, h - 10), QPoint(w - 12, h + 15), QPoint(w - 37, h - 10)});
    region = bodyRegion.united(QRegion(tail));
    size = QSize(w, h + 25);
}

void CSpecToolTip::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_showTimerQt && m_showTimerQt != 0)
        OnShowTimer();
    else if (event->timerId() == m_hideTimerQt && m_hideTimerQt != 0)
        OnHideCheck();
    else
        QWidget::timerEvent(event);
}

void CSpecToolTip::OnShowTimer()
{
    StopTimer(m_timerId);
    qApp->removeEventFilter(this);
    // A held button (a drag, a press some filter took) or an open menu or
    // dialog means the pointer is not resting over the plot: no balloon.
    if (QGuiApplication::mouseButtons() != Qt::NoButton || QApplication::activePopupWidget() ||
        QApplication::activeModalWidget())
        return;
    QRegion region;
    QSize size;
    GetWindowRegion(region, size);
    // With this placement the tail's tip (w - 12, h + 15) lies on the anchor.
    setGeometry(m_anchor.x() - size.width() + 12, m_anchor.y() - size.height() + 10, size.width(),
                size.height());
    setMask(region);
    show();
    raise();
    update();
    StartTimer(kHideTimer, kHideCheckMs);
}

void CSpecToolTip::OnHideCheck()
{
    if (CursorPos() != m_anchor) {
        // Stops the timer started last, which may be a newer show timer.
        StopTimer(m_timerId);
        hide();
    }
}

void CSpecToolTip::paintEvent(QPaintEvent*)
{
    QRegion region;
    QSize size;
    GetWindowRegion(region, size);
    QPainter p(this);
    const QPalette& pal = QApplication::palette();
    p.setClipRegion(region);
    p.fillRect(rect(), pal.color(QPalette::Base));
    p.setClipRegion(FrameOf(region, 3, 3));
    p.fillRect(rect(), QColor(200, 200, 200));  // scroll-bar grey
    p.setClipRegion(FrameOf(region, 1, 1));
    p.fillRect(rect(), pal.color(QPalette::Text));
    p.setClipping(false);

    QRect textRect = rect();
    int indent = 12;
    if (!m_icon.isNull())
        indent += m_iconSize.width() + 5;
    textRect.setLeft(textRect.left() + indent);
    textRect.setTop(textRect.top() + 10);
    p.setFont(m_font);
    p.setPen(pal.color(QPalette::Text));
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignTop, DisplayText(m_text));
    if (!m_icon.isNull())
        m_icon.paint(&p, QRect(QPoint(12, 10), m_iconSize));
}

// The balloon: its shape and placement, its timers and when it hides.
#include "ui/spec_tool_tip.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct Balloon {
    QPoint cursor{400, 300};
    CSpecToolTip tip;
    Balloon()
    {
        tip.SetCursorSource([this] { return cursor; });
        tip.SetShowDelay(10);  // shortened so tests wait little
    }
};

QMouseEvent MoveEvent()
{
    return QMouseEvent(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::NoButton,
                       Qt::NoModifier);
}
} // namespace

TEST(SpecToolTip, TwoLineBalloonSizeAndTailTipOnTheAnchor)
{
    Balloon b;
    const QString text = QStringLiteral("x:250.000000\r\ny:12.500000");
    b.tip.ShowTip(text, QPoint(500, 400));
    EXPECT_FALSE(b.tip.isVisible());

    QRegion region;
    QSize size;
    b.tip.GetWindowRegion(region, size);
    QFontMetrics fm(b.tip.font());
    const int widest = std::max(fm.horizontalAdvance(QStringLiteral("x:250.000000")),
                                fm.horizontalAdvance(QStringLiteral("y:12.500000")));
    const int textHeight = fm.boundingRect(QRect(0, 0, 1000, 1000), 0, QStringLiteral("a\nb")).height();
    EXPECT_NEAR(size.width(), widest + 24, 1);
    EXPECT_EQ(size.height(), textHeight + 45);
    const int w = size.width(), h = size.height() - 25;
    // Body, tail and nothing beside the tail.
    EXPECT_TRUE(region.contains(QPoint(w / 2, h / 2)));
    EXPECT_TRUE(region.contains(QPoint(w - 14, h + 10)));
    EXPECT_FALSE(region.contains(QPoint(w - 40, h + 10)));
    EXPECT_FALSE(region.contains(QPoint(0, 0)));  // rounded corner

    // Shown after the delay, placed so the tail's tip lies on the anchor.
    b.cursor = QPoint(500, 400);
    QTRY_VERIFY(b.tip.isVisible());
    EXPECT_EQ(b.tip.geometry().topLeft() + QPoint(w - 12, h + 15), QPoint(500, 400));
    EXPECT_EQ(b.tip.size(), size);
    EXPECT_TRUE(b.tip.IsTimerRunning(CSpecToolTip::kHideTimer));
    // Black outline, white inside.
    const QImage shot = b.tip.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(w / 2, 0)), QColor(Qt::black));
    EXPECT_EQ(QColor(shot.pixel(w / 2, h / 2)), QColor(Qt::white));
}

TEST(SpecToolTip, RepeatedShowPostponesAndMovementHides)
{
    Balloon b;
    b.tip.SetShowDelay(200);
    b.tip.ShowTip(QStringLiteral("a"));  // anchored at the cursor
    b.cursor += QPoint(1, 0);
    b.tip.ShowTip(QStringLiteral("b"));
    EXPECT_EQ(b.tip.Anchor(), QPoint(401, 300));
    b.tip.SetShowDelay(10);
    b.tip.ShowTip(QStringLiteral("c"));
    QTRY_VERIFY(b.tip.isVisible());

    // Moving one pixel hides at once through RelayEvent.
    b.cursor += QPoint(0, 1);
    QMouseEvent move = MoveEvent();
    b.tip.RelayEvent(&move);
    EXPECT_FALSE(b.tip.isVisible());

    // Shown again; the hide check notices a moved cursor by itself.
    b.tip.ShowTip(QStringLiteral("d"));
    QTRY_VERIFY(b.tip.isVisible());
    QMouseEvent still = MoveEvent();
    b.tip.RelayEvent(&still);  // pointer at the anchor: stays
    EXPECT_TRUE(b.tip.isVisible());
    b.cursor += QPoint(5, 5);
    QTRY_VERIFY_WITH_TIMEOUT(!b.tip.isVisible(), 3000);

    // A button press hides.
    b.tip.ShowTip(QStringLiteral("e"));
    QTRY_VERIFY(b.tip.isVisible());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    b.tip.RelayEvent(&press);
    EXPECT_FALSE(b.tip.isVisible());
}

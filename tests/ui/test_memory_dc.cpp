// Off-screen drawing lands in the target only when the object goes away, at
// the same place, also for a rectangle away from the origin.
#include "ui/memory_dc.h"

#include <QImage>
#include <gtest/gtest.h>

TEST(MemoryDC, CopiesOnceAtTheSamePlaceForAPartialRectangle)
{
    QImage target(100, 80, QImage::Format_RGB32);
    target.fill(Qt::black);
    {
        QPainter t(&target);
        CMemoryDC dc(&t, QRect(30, 20, 40, 30));
        EXPECT_TRUE(dc.IsOffScreen());
        dc->fillRect(QRect(35, 25, 10, 10), Qt::red);     // target coordinates
        dc->fillRect(QRect(0, 0, 100, 10), Qt::green);    // outside the rectangle
        EXPECT_EQ(QColor(target.pixel(36, 26)), QColor(Qt::black));  // not yet copied
    }
    EXPECT_EQ(QColor(target.pixel(36, 26)), QColor(Qt::red));
    EXPECT_EQ(QColor(target.pixel(31, 21)), QColor(Qt::white));  // background fill
    EXPECT_EQ(QColor(target.pixel(69, 49)), QColor(Qt::white));
    EXPECT_EQ(QColor(target.pixel(29, 21)), QColor(Qt::black));
    EXPECT_EQ(QColor(target.pixel(70, 49)), QColor(Qt::black));
    EXPECT_EQ(QColor(target.pixel(50, 5)), QColor(Qt::black));
}

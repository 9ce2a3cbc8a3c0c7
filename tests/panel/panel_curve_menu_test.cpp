// The position curve's context menu, each choice followed by what the table
// then shows. (A key-point drag is part of the edit-session test.)
#include "tests/support/panel_harness.h"

TEST_F(PanelTest, CurveMenuOpensOnlyInThePositionPlotArea)
{
    CECamCurveWnd* pos = PositionCurve();
    const QRect plot = pos->rect().adjusted(120, 20, -20, -20);

    // Outside the plot area (left margin, right and bottom edges) and on the
    // other two curves: no menu.
    QTest::mouseClick(pos, Qt::RightButton, {}, QPoint(60, 100));
    QTest::mouseClick(pos, Qt::RightButton, {}, QPoint(plot.right() + 1, 100));
    QTest::mouseClick(pos, Qt::RightButton, {}, QPoint(200, plot.bottom() + 1));
    QTest::mouseClick(SpeedCurve(), Qt::RightButton, {}, QPoint(250, 100));
    QTest::mouseClick(AccelCurve(), Qt::RightButton, {}, QPoint(250, 100));
    EXPECT_EQ(ui->menus.Calls().size(), 0u);

    // Inside, away from key points: three items, delete greyed, then the
    // export after a separator (ids and texts pinned by the text walk).
    const QPoint free(plot.left() + plot.width() / 3, plot.top() + 10);
    QTest::mouseClick(pos, Qt::RightButton, {}, free);
    ASSERT_EQ(ui->menus.Calls().size(), 1u);
    std::string items;
    for (const MenuItem& item : ui->menus.Calls().back().items)
        items += item.separator ? "-- " : item.enabled ? "on " : "off ";
    EXPECT_EQ(items, "on off on -- on ");

    // On the last key point's marker (within 5 pixels): delete enabled.
    const QPoint last = pos->DataToPixel(pos->KeyPoints().back()) + QPoint(-3, 2);
    QTest::mouseClick(pos, Qt::RightButton, {}, last);
    ASSERT_EQ(ui->menus.Calls().size(), 2u);
    EXPECT_TRUE(ui->menus.Calls().back().items[1].enabled);
    // The top-left corner of the plot area belongs to it.
    QTest::mouseClick(pos, Qt::RightButton, {}, plot.topLeft());
    EXPECT_EQ(ui->menus.Calls().size(), 3u);
}

TEST_F(PanelTest, CurveMenuAddsAndTogglesKeyPoints)
{
    CECamCurveWnd* pos = PositionCurve();

    // Add at the pixel of master 400, slave 100.
    // (Deleting, and the table and the plots after each: the table's property test.)
    ui->menus.AnswerEveryMenu(32775);
    const QPoint at = pos->DataToPixel({400.0, 100.0});
    QTest::mouseClick(pos, Qt::RightButton, {}, at);
    auto pts = Points();
    ASSERT_EQ(pts.size(), 3u);
    const PlotPoint expected = pos->PixelToData(at);
    EXPECT_DOUBLE_EQ(pts[1].master, expected.x);

    // Adding on top of an existing key point would break the master order:
    // refused with a message, nothing changes.
    QTest::mouseClick(pos, Qt::RightButton, {}, at);
    EXPECT_EQ(Points().size(), 3u);
    EXPECT_EQ(boxes.Calls().size(), 1u);
    EXPECT_TRUE(dlg->CamModel().IsOrdered());

    // Toggle the markers of the position and speed plots only.
    ui->menus.AnswerEveryMenu(32777);
    for (bool shown : {false, true}) {
        QTest::mouseClick(pos, Qt::RightButton, {}, at);
        EXPECT_EQ(pos->m_showKeyPoints, shown);
        EXPECT_EQ(SpeedCurve()->m_showKeyPoints, shown);
        EXPECT_TRUE(AccelCurve()->m_showKeyPoints);
    }
    EXPECT_EQ(Points().size(), 3u);
}

// What an open cell editor does when the user turns elsewhere, and what a
// finished edit leaves in the cam and in the rows.
#include "tests/support/panel_harness.h"

using TableEditCommit = WidePanelTest;

TEST_F(TableEditCommit, PressInAPlotLandsTheOpenEditBeforeTheDrag)
{
    LoadCam({Pt(0, 0, 0, kECamPoly), Pt(500, 0, 0, kECamPoly), Pt(1000, 0, 0, kECamPoly)});
    QWidget* editor = OpenEditorByClicks(1, kColSpeed);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("2.5"));

    // The plot takes no focus, so only the press itself can end the edit.
    CECamCurveWnd* pos = PositionCurve();
    const QPoint from = pos->DataToPixel(pos->KeyPoints()[1]);
    const QPoint to = from + QPoint(40, -30);
    QTest::mousePress(pos, Qt::LeftButton, {}, from);
    EXPECT_EQ(Table()->GetActiveEditor(), nullptr);
    EXPECT_DOUBLE_EQ(Points()[1].speed, 2.5);
    QTest::mouseMove(pos, to);
    QTest::mouseRelease(pos, Qt::LeftButton, {}, to);
    // Whatever is still open is ended as the user would end it.
    if (QWidget* still = Table()->GetActiveEditor())
        QTest::keyClick(still, Qt::Key_Return);

    const auto pts = Points();
    EXPECT_GT(pts[1].master, 500.0);  // the drag moved the point
    EXPECT_DOUBLE_EQ(pts[1].speed, 2.5);
    EXPECT_EQ(Cell(1, kColSpeed), QStringLiteral("2.50"));

    // A right click in the plot (its menu) ends an edit as well.
    editor = OpenEditorByClicks(1, kColSlave);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("33"));
    QTest::mouseClick(pos, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(Table()->GetActiveEditor(), nullptr);
    EXPECT_DOUBLE_EQ(Points()[1].slave, 33.0);

    // A field that got the focus from a popup leaves the editor open; a key
    // typed there ends it.
    const auto before = Points();
    editor = OpenEditorByClicks(1, kColSlave);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("44"));
    Edit(IDC_EDIT_UNIT)->setFocus(Qt::PopupFocusReason);
    ASSERT_EQ(Table()->GetActiveEditor(), editor);
    QTest::keyClick(Edit(IDC_EDIT_UNIT), Qt::Key_Escape);
    EXPECT_EQ(Table()->GetActiveEditor(), nullptr);
    EXPECT_EQ(Points(), before);
}

TEST_F(TableEditCommit, AcceptingUnchangedWritesNothingAndOneCellChangesOneValue)
{
    // A loaded profile with more decimals than the table shows.
    LoadCam({Pt(0, 0, 0, kECamPoly), Pt(16.949153, 7.1234567, 0.257, kECamPoly), Pt(1000, 0, 0, kECamPoly)});
    const auto loaded = Points();
    ASSERT_EQ(Cell(1, kColMaster), QStringLiteral("16.949"));

    // Opened and accepted without a change: the shown decimals are not written back.
    for (int col : {kColMaster, kColSlave, kColSpeed}) {
        QWidget* editor = OpenEditorByClicks(1, col);
        ASSERT_NE(editor, nullptr) << col;
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_EQ(Points(), loaded) << col;
    }

    // The slave alone changes; the master keeps every decimal.
    ASSERT_TRUE(EditCellText(1, kColSlave, QStringLiteral("8")));
    EXPECT_EQ(Points()[1], Pt(16.949153, 8, 0.257, kECamPoly));
    // The master alone changes; the slave keeps what it was.
    LoadCam(loaded);
    ASSERT_TRUE(EditCellText(1, kColMaster, QStringLiteral("20")));
    EXPECT_EQ(Points()[1], Pt(20, 7.1234567, 0.257, kECamPoly));
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(TableEditCommit, KeyboardOpensTheFocusCellAndTheMenuThere)
{
    LoadCam({Pt(0, 0, 0, kECamPoly), Pt(500, 20, 0, kECamPoly), Pt(1000, 0, 0, kECamPoly)});
    // One click focuses the cell; Enter opens it as a second click would.
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, CellCenter(2, kColSpeed));
    ASSERT_EQ(Table()->GetActiveEditor(), nullptr);
    QTest::keyClick(Table(), Qt::Key_Return);
    QWidget* editor = Table()->GetActiveEditor();
    ASSERT_NE(editor, nullptr);
    TypeAndEnd(editor, QStringLiteral("3"));
    EXPECT_DOUBLE_EQ(Points()[2].speed, 3.0);

    // The ID column has no editor.
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, CellCenter(0, kColId));
    QTest::keyClick(Table(), Qt::Key_F2);
    EXPECT_EQ(Table()->GetActiveEditor(), nullptr);

    // The menu key: the menu opens at the focus cell, not at the mouse.
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, CellCenter(1, kColSpeed));
    QCursor::setPos(QPoint(3, 3));
    ui->menus.QueueChoice(QString());
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(0, 0), Table()->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(Table(), &menuKey);
    ASSERT_FALSE(ui->menus.Calls().empty());
    EXPECT_EQ(ui->menus.Calls().back().screenPos, Table()->viewport()->mapToGlobal(CellCenter(1, kColSpeed)));
    EXPECT_EQ(Points().size(), 3u);
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

// What an open cell editor does when the user turns elsewhere, and what a
// finished edit leaves in the cam and in the rows.
#include "tests/support/panel_harness.h"

#include "grid/grid_editor_combo_box.h"

namespace {

QString Fmt3(double v) { return QString::asprintf("%.3f", v); }
QString Fmt2(double v) { return QString::asprintf("%.2f", v); }

}  // namespace

class TableEditCommit : public WidePanelTest {
protected:
    // Every row shows the cam it stands for.
    void ExpectRowsShowCam()
    {
        const auto pts = Points();
        ASSERT_EQ(Table()->GetItemCount(), static_cast<int>(pts.size()));
        for (size_t i = 0; i < pts.size(); ++i) {
            const int r = static_cast<int>(i);
            SCOPED_TRACE(r);
            EXPECT_EQ(Cell(r, kColMaster), Fmt3(pts[i].master));
            EXPECT_EQ(Cell(r, kColSlave), Fmt3(pts[i].slave));
            EXPECT_EQ(Cell(r, kColSpeed), Fmt2(pts[i].speed));
            EXPECT_EQ(Cell(r, kColType), pts[i].type == kECamLinear ? "Linear" : "Poly");
        }
    }
};

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
    ExpectRowsShowCam();

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
    ExpectRowsShowCam();
}

TEST_F(TableEditCommit, CancelChangesNothingAndOneCellChangesOneValue)
{
    // A loaded profile with more decimals than the table shows.
    LoadCam({Pt(0, 0, 0, kECamPoly), Pt(16.949153, 7.1234567, 0.257, kECamPoly), Pt(1000, 0, 0, kECamPoly)});
    const auto loaded = Points();
    ASSERT_EQ(Cell(1, kColMaster), QStringLiteral("16.949"));

    for (int col : {kColMaster, kColSlave, kColSpeed}) {
        SCOPED_TRACE(col);
        QWidget* editor = OpenEditorByClicks(1, col);
        ASSERT_NE(editor, nullptr);
        TypeAndEnd(editor, QStringLiteral("999"), Qt::Key_Escape);
        EXPECT_EQ(Points(), loaded);
        // Opened and accepted without a change: nothing either.
        editor = OpenEditorByClicks(1, col);
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_EQ(Points(), loaded);
    }
    ExpectRowsShowCam();

    // The slave alone changes; the master keeps every decimal.
    ASSERT_TRUE(EditCellText(1, kColSlave, QStringLiteral("8")));
    auto pts = Points();
    EXPECT_EQ(pts[1].master, 16.949153);
    EXPECT_EQ(pts[1].slave, 8.0);
    EXPECT_EQ(pts[1].speed, 0.257);
    // The master alone changes; the slave keeps what it was.
    LoadCam(loaded);
    ASSERT_TRUE(EditCellText(1, kColMaster, QStringLiteral("20")));
    pts = Points();
    EXPECT_EQ(pts[1].master, 20.0);
    EXPECT_EQ(pts[1].slave, 7.1234567);
    EXPECT_EQ(pts[1].speed, 0.257);
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(TableEditCommit, EveryRowTheEditChangedIsRewritten)
{
    // Row 0 draws a line into row 1; the rest are blends.
    LoadCam({Pt(0, 0, 0.5, kECamLinear), Pt(100, 50, 0.5, kECamPoly), Pt(200, 100, 0, kECamPoly),
             Pt(300, 100, 0, kECamPoly), Pt(1000, 0, 0, kECamPoly)});
    ExpectRowsShowCam();

    // Type of row 2 -> Linear: row 3, a blend after the new line, takes its slope.
    QWidget* editor = OpenEditorByClicks(2, kColType);
    ASSERT_NE(qobject_cast<CGridEditorComboBox*>(editor), nullptr);
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(Points()[2].type, kECamLinear);
    ExpectRowsShowCam();

    // Speed of the Linear row 2 moves row 3's slave and sets its speed.
    ASSERT_TRUE(EditCellText(2, kColSpeed, QStringLiteral("1.5")));
    EXPECT_DOUBLE_EQ(Points()[3].slave, 100.0 + 100.0 * 1.5);
    ExpectRowsShowCam();

    // Slave of row 2 re-derives its slope and row 3's speed.
    ASSERT_TRUE(EditCellText(2, kColSlave, QStringLiteral("40")));
    ExpectRowsShowCam();

    // Speed of row 1 (after row 0's line) moves row 1 and changes row 0.
    ASSERT_TRUE(EditCellText(1, kColSpeed, QStringLiteral("0.25")));
    EXPECT_DOUBLE_EQ(Points()[0].speed, 0.25);
    ExpectRowsShowCam();
}

TEST_F(TableEditCommit, KeyboardOpensTheFocusCellAndTheMenuThere)
{
    LoadCam({Pt(0, 0, 0, kECamPoly), Pt(500, 20, 0, kECamPoly), Pt(1000, 0, 0, kECamPoly)});
    // One click focuses the cell; F2 opens it as a second click would.
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, CellCenter(1, kColSlave));
    ASSERT_EQ(Table()->GetActiveEditor(), nullptr);
    QTest::keyClick(Table(), Qt::Key_F2);
    QWidget* editor = Table()->GetActiveEditor();
    ASSERT_NE(editor, nullptr);
    TypeAndEnd(editor, QStringLiteral("12.5"));
    EXPECT_DOUBLE_EQ(Points()[1].slave, 12.5);
    EXPECT_EQ(Cell(1, kColSlave), QStringLiteral("12.500"));

    // Enter on another focus cell.
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, CellCenter(2, kColSpeed));
    QTest::keyClick(Table(), Qt::Key_Return);
    editor = Table()->GetActiveEditor();
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

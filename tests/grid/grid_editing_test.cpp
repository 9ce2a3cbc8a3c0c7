// Edit-box lifecycle of the grid under real mouse and key input: which clicks
// open an editor, how it ends, what the cell and the parent then see.
#include "grid_test_fixture.h"

#include "grid/grid_editor_text.h"

#include <QPointer>
#include <QWheelEvent>
#include <QWindow>

TEST_F(GridTest, FirstClickFocusesSecondClickOpensEditor)
{
    Click(1, kMaster);
    EXPECT_EQ(grid->GetActiveEditor(), nullptr);
    EXPECT_EQ(grid->GetFocusRow(), 1);
    EXPECT_EQ(grid->GetFocusColumn(), kMaster);
    EXPECT_TRUE(notes.empty());

    Click(1, kMaster);
    auto* editor = qobject_cast<CGridEditorText*>(grid->GetActiveEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(editor->text(), "500.000");
    EXPECT_EQ(editor->geometry(), grid->visualRect(grid->model()->index(1, kMaster)));
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_TRUE(notes[0].begin);
    EXPECT_EQ(notes[0].row, 1);
    EXPECT_EQ(notes[0].col, kMaster);

    // Another cell of the same row: the first click ends this edit and only
    // focuses; the second opens the new editor.
    Click(1, kSpeed);
    EXPECT_EQ(grid->GetActiveEditor(), nullptr);
    Click(1, kSpeed);
    ASSERT_NE(grid->GetActiveEditor(), nullptr);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_FALSE(notes[1].begin);
    EXPECT_EQ(notes[1].col, kMaster);
    EXPECT_EQ(notes[2].col, kSpeed);
}

TEST_F(GridTest, ClicksThatNeverOpenAnEditor)
{
    Click(0, kSlave);
    Click(0, kSlave, Qt::ControlModifier);
    EXPECT_EQ(grid->GetFocusRow(), 0);  // still the focus cell
    Click(0, kSlave, Qt::ShiftModifier);
    EXPECT_EQ(grid->GetActiveEditor(), nullptr);

    // A double click through the window (press, release, double click,
    // release): its first press focuses, the double click does not edit.
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                       grid->viewport()->mapTo(window.get(), CellCenter(1, kSlave)));
    EXPECT_EQ(grid->GetFocusRow(), 1);
    EXPECT_EQ(grid->GetActiveEditor(), nullptr);
    // Nor does a double click arriving on another cell than the last press,
    // even when that cell is the focus cell (moved there by the keyboard).
    grid->SetFocusCell(2, kSlave);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCenter(2, kSlave));
    EXPECT_EQ(grid->GetActiveEditor(), nullptr);

    // The text column never edits, however often it is clicked.
    for (int i = 0; i < 3; ++i)
        Click(1, kId);
    EXPECT_EQ(grid->GetActiveEditor(), nullptr);

    // The table's own editing stays off: F2 and typing on the focus cell.
    Click(2, kMaster);
    QTest::keyClick(grid, Qt::Key_F2);
    QTest::keyClick(grid, Qt::Key_7);
    EXPECT_TRUE(grid->findChildren<QLineEdit*>().isEmpty());
    EXPECT_EQ(grid->GetItemText(2, kMaster), "1000.000");
    EXPECT_TRUE(notes.empty());

    // With the first-click flag a single click is enough.
    grid->GetColumnTrait(kSlave)->SetEditOnFirstClick(true);
    Click(2, kSlave);
    EXPECT_NE(grid->GetActiveEditor(), nullptr);
}

TEST_F(GridTest, EnterWritesTheCellBeforeTellingTheParent)
{
    QPointer<QWidget> editor = OpenEditor(1, kSpeed);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "2.5");  // replaces the selected text
    QTest::keyClick(editor, Qt::Key_Return);

    EXPECT_EQ(grid->GetItemText(1, kSpeed), "2.5");
    EXPECT_EQ(grid->GetActiveEditor(), nullptr);
    EXPECT_TRUE(grid->hasFocus());
    const auto ends = Ends();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].row, 1);
    EXPECT_EQ(ends[0].col, kSpeed);
    EXPECT_EQ(ends[0].text, "2.5");
    EXPECT_EQ(ends[0].cellAtNotify, "2.5");
    // The editor window goes away once control is back in the event loop.
    QTRY_VERIFY(editor.isNull());
}

TEST_F(GridTest, EscapeCancelsAndUnchangedTextCarriesNothing)
{
    QWidget* editor = OpenEditor(0, kMaster);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "99");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(grid->GetItemText(0, kMaster), "0.000");
    ASSERT_EQ(Ends().size(), 1u);
    EXPECT_FALSE(Ends()[0].text.has_value());

    // Accepted without a change: no text either.
    editor = OpenEditor(0, kSlave);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Enter);
    ASSERT_EQ(Ends().size(), 2u);
    EXPECT_FALSE(Ends()[1].text.has_value());

    // Typing the old text back is still a change, and is reported.
    editor = OpenEditor(0, kSlave);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, "0");
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(Ends().size(), 3u);
    EXPECT_EQ(Ends()[2].text, "0.000");
}

TEST_F(GridTest, TabWheelAndFocusLossAccept)
{
    QWidget* editor = OpenEditor(2, kSlave);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "1");
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_EQ(grid->GetItemText(2, kSlave), "1");
    EXPECT_EQ(grid->GetActiveEditor(), nullptr);

    // A click on another cell accepts and only focuses that cell.
    editor = OpenEditor(2, kSpeed);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "5");
    Click(0, kSpeed);
    EXPECT_EQ(grid->GetItemText(2, kSpeed), "5");
    EXPECT_EQ(grid->GetActiveEditor(), nullptr);
    EXPECT_EQ(grid->GetFocusRow(), 0);

    // The focus moving to another control accepts as well, and the grid
    // does not take it back.
    editor = OpenEditor(1, kMaster);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "1");
    other->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(grid->GetItemText(1, kMaster), "1");
    EXPECT_TRUE(other->hasFocus());

    editor = OpenEditor(1, kSlave);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "7");
    QWheelEvent wheel(QPointF(5, 5), editor->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(editor, &wheel);
    EXPECT_EQ(grid->GetItemText(1, kSlave), "7");
    EXPECT_EQ(Ends().size(), 4u);
}

TEST_F(GridTest, ParentRefusalAndOneEditorAtATime)
{
    refuseEdits = true;
    EXPECT_EQ(OpenEditor(1, kMaster), nullptr);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_TRUE(notes[0].begin);
    EXPECT_FALSE(notes[1].begin);
    EXPECT_FALSE(notes[1].text.has_value());
    refuseEdits = false;
    notes.clear();

    QWidget* first = grid->EditCell(0, kMaster);
    ASSERT_NE(first, nullptr);
    QTest::keyClicks(first, "3");
    QWidget* second = grid->EditCell(2, kSpeed);
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(grid->GetActiveEditor(), second);
    // Begin first, end first (accepted, written), begin second.
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[1].row, 0);
    EXPECT_EQ(notes[1].text, "3");
    EXPECT_TRUE(notes[2].begin);
    EXPECT_EQ(notes[2].row, 2);
    EXPECT_EQ(grid->GetItemText(0, kMaster), "3");

    // Non-editing columns and cells outside the grid give no editor.
    grid->EndActiveEdit(false);
    EXPECT_EQ(grid->EditCell(0, kId), nullptr);
    EXPECT_EQ(grid->EditCell(0, kLabel), nullptr);
    EXPECT_EQ(grid->EditCell(3, kMaster), nullptr);
}

TEST_F(GridTest, ParentRebuildingRowsDuringEndIsSafe)
{
    // The key-point dialog rewrites rows while handling the end notification;
    // a click that ended the edit must still be judged on the new rows.
    QObject::connect(grid, &CGridListCtrlEx::EndLabelEdit, grid, [this] {
        grid->DeleteAllItems();
        for (int i = 0; i < 2; ++i)
            grid->SetItemText(grid->InsertItem(i, QString::number(i)), kMaster, "1.000");
    });
    ASSERT_NE(OpenEditor(2, kMaster), nullptr);
    Click(0, kMaster);
    EXPECT_EQ(grid->GetItemCount(), 2);
    EXPECT_EQ(grid->GetActiveEditor(), nullptr);
    EXPECT_EQ(grid->GetFocusRow(), 0);

    // Deleting the grid with an editor open tells nobody and leaks nothing.
    ASSERT_NE(grid->EditCell(1, kMaster), nullptr);
    const size_t before = notes.size();
    delete grid;
    EXPECT_EQ(notes.size(), before);
}

// Edit-box lifecycle of the grid under real mouse and key input: which clicks
// open an editor, how it ends, what the cell and the parent then see.
#include "grid_test_fixture.h"
#include "tests/support/wheel.h"

#include "grid/grid_editor_text.h"

#include <QPointer>
#include <algorithm>
#include <functional>
#include <QWindow>

TEST_F(GridTest, FirstClickFocusesSecondClickOpensEditorOtherClicksNever)
{
    // (The first click only focusing: the key-point table's keyboard test.)
    Click(1, kMaster);
    Click(1, kMaster);
    auto* editor = qobject_cast<CGridEditorText*>(grid->GetActiveEditor());
    ASSERT_NE(editor, nullptr);   // where and with which notes: the endings' table
    EXPECT_EQ(editor->text(), "500.000");

    // Another cell of the same row: the first click accepts this edit and
    // only focuses; the second opens the new editor.
    QTest::keyClicks(editor, "5");
    Click(1, kSpeed);
    EXPECT_EQ(grid->GetItemText(1, kMaster), "5");
    EXPECT_EQ(grid->GetActiveEditor(), nullptr);
    Click(1, kSpeed);
    ASSERT_NE(grid->GetActiveEditor(), nullptr);
    EXPECT_EQ(notes, (QStringList{Begin(1, kMaster), End(1, kMaster, "5", "5"), Begin(1, kSpeed)}));
    grid->EndActiveEdit(false);
    QTRY_VERIFY(grid->findChildren<QLineEdit*>().isEmpty());

    const std::pair<const char*, std::function<void()>> neverEdit[] = {
        {"modifiers",
         [&] {
             Click(0, kSlave);
             Click(0, kSlave, Qt::ControlModifier);
             EXPECT_EQ(grid->GetFocusRow(), 0);  // still the focus cell
             Click(0, kSlave, Qt::ShiftModifier);
         }},
        // A double click through the window: its first press focuses, the
        // double click does not edit. Nor does one arriving on another cell
        // than the last press, even the focus cell (moved by the keyboard).
        {"double click",
         [&] {
             QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                                grid->viewport()->mapTo(window.get(), CellCenter(1, kSlave)));
             EXPECT_EQ(grid->GetFocusRow(), 1);
             grid->SetFocusCell(2, kSlave);
             QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCenter(2, kSlave));
         }},
        {"text column",
         [&] {
             for (int i = 0; i < 3; ++i)
                 Click(1, kId);
             QTest::keyClick(grid, Qt::Key_F2);
             QTest::keyClick(grid, Qt::Key_Return);
         }},
        // The table's own editing is off.
        {"typing",
         [&] {
             Click(2, kMaster);
             QTest::keyClick(grid, Qt::Key_7);
         }},
    };
    for (const auto& [name, act] : neverEdit) {
        SCOPED_TRACE(name);
        notes.clear();
        act();
        EXPECT_EQ(grid->GetActiveEditor(), nullptr);
        EXPECT_TRUE(grid->findChildren<QLineEdit*>().isEmpty());
        EXPECT_TRUE(notes.empty());
    }
    EXPECT_EQ(grid->GetFocusRow(), 2);
    EXPECT_EQ(grid->GetItemText(2, kMaster), "1000.000");

    // With the first-click flag a single click is enough.
    grid->GetColumnTrait(kSlave)->SetEditOnFirstClick(true);
    Click(2, kSlave);
    EXPECT_NE(grid->GetActiveEditor(), nullptr);
}


TEST_F(GridTest, EveryWayAnEditEndsWritesTheCellBeforeTellingTheParent)
{
    const auto key = [](Qt::Key k) { return [k](QWidget* e) { QTest::keyClick(e, k); }; };
    const auto focusOther = [this](QWidget*) {
        other->setFocus(Qt::MouseFocusReason);
        EXPECT_TRUE(other->hasFocus());  // the grid does not take it back
    };
    const auto wheel = [](QWidget* e) { Wheel(e, QPoint(5, 5), -1); };
    // Typing the old text back is still a change, and is reported.
    const auto retype = [](QWidget* e) {
        QTest::keyClick(e, Qt::Key_End);
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, "0");
        QTest::keyClick(e, Qt::Key_Return);
    };
    // Opened by two clicks, or by F2, Return or Enter on the focus cell (the
    // combo column's drop-down list too); the Return that ends an edit does
    // not open it again.
    const struct {
        int row, col;
        Qt::Key open;  // 0: clicks
        const char* typed;  // replaces the selected text
        std::function<void(QWidget*)> end;
        const char* cell;
        std::optional<QString> told;
    } cases[] = {
        {1, kSpeed, Qt::Key_F2, "2.5", key(Qt::Key_Return), "2.5", "2.5"},
        {0, kMaster, Qt::Key(0), "99", key(Qt::Key_Escape), "0.000", std::nullopt},
        {0, kSlave, Qt::Key_Return, "", key(Qt::Key_Enter), "0.000", std::nullopt},  // unchanged
        {0, kSlave, Qt::Key(0), "", retype, "0.000", "0.000"},
        {2, kSlave, Qt::Key_Enter, "1", key(Qt::Key_Tab), "1", "1"},
        {1, kMaster, Qt::Key(0), "1", focusOther, "1", "1"},
        {1, kSlave, Qt::Key(0), "7", wheel, "7", "7"},
        {1, kType, Qt::Key_F2, "", key(Qt::Key_Return), "Linear", std::nullopt},
    };
    std::vector<QPointer<QWidget>> editors;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cell);
        notes.clear();
        if (c.open) {
            Click(c.row, c.col);
            QTest::keyClick(grid, c.open);
        }
        QWidget* editor = c.open ? grid->GetActiveEditor() : OpenEditor(c.row, c.col);
        ASSERT_NE(editor, nullptr);
        editors.emplace_back(editor);
        EXPECT_TRUE(editor->hasFocus());
        EXPECT_EQ(editor->geometry(), grid->visualRect(grid->model()->index(c.row, c.col)));
        QTest::keyClicks(editor, c.typed);
        c.end(editor);
        EXPECT_EQ(grid->GetActiveEditor(), nullptr);
        EXPECT_EQ(grid->GetItemText(c.row, c.col), c.cell);
        EXPECT_EQ(notes, (QStringList{Begin(c.row, c.col), End(c.row, c.col, c.told, c.cell)}));
        EXPECT_NE(grid->hasFocus(), other->hasFocus());  // back to the grid unless taken elsewhere
    }
    // Editor windows go away once control is back in the event loop.
    QTRY_VERIFY(std::all_of(editors.begin(), editors.end(), [](const auto& e) { return e.isNull(); }));
}

TEST_F(GridTest, ParentRefusalOneEditorAtATimeAndRowsRebuiltDuringTheEnd)
{
    refuseEdits = true;
    EXPECT_EQ(OpenEditor(1, kMaster), nullptr);
    EXPECT_EQ(notes, (QStringList{Begin(1, kMaster), End(1, kMaster, std::nullopt, "500.000")}));
    QTest::keyClick(grid, Qt::Key_F2);
    EXPECT_EQ(grid->GetActiveEditor(), nullptr);
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
    EXPECT_EQ(notes, (QStringList{Begin(0, kMaster), End(0, kMaster, "3", "3"), Begin(2, kSpeed)}));
    EXPECT_EQ(grid->GetItemText(0, kMaster), "3");

    // Non-editing columns and cells outside the grid give no editor.
    grid->EndActiveEdit(false);
    EXPECT_EQ(grid->EditCell(0, kId), nullptr);
    EXPECT_EQ(grid->EditCell(0, kLabel), nullptr);
    EXPECT_EQ(grid->EditCell(3, kMaster), nullptr);

    // A trait whose widget the grid cannot end gets no edit at all.
    struct PlainWidgetTrait : CGridColumnTraitEdit {
        QWidget* CreateEditor(CGridListCtrlEx& owner, int, int, const QRect&) override
        {
            made = new QLineEdit(owner.viewport());
            return made;
        }
        QPointer<QWidget> made;
    };
    auto* plain = new PlainWidgetTrait;
    const int col = grid->AddTraitColumn(grid->GetColumnCount(), "Plain", Qt::AlignLeft, 40, 0, plain);
    notes.clear();
    EXPECT_EQ(grid->EditCell(0, col), nullptr);
    EXPECT_EQ(grid->GetActiveEditor(), nullptr);
    EXPECT_TRUE(notes.empty());
    EXPECT_TRUE(plain->made.isNull());

    // The key-point dialog rewrites rows while handling the end notification;
    // a click that ended the edit must still be judged on the new rows.
    QObject::connect(grid, &CGridListCtrlEx::EndLabelEdit, grid, [this] { grid->SetItemCount(2); });
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
